#pragma once

#include "Framework.h"
#include <memory>
#include <type_traits>

// The program's key under HKEY_CURRENT_USER (default registry view): saved
// drives ("X(Path)", "X(Label)", "X(Icon)", "X(Flags)") and the settings.
constexpr LPCWSTR kLorvaneRegistryKey = L"Software\\Brennic\\Lorvane\\2.0";
// The logon start: value "Lorvane" of this key, "\"<exe>\" /startup".
constexpr LPCWSTR kRunRegistryKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr LPCWSTR kRunValueName = L"Lorvane";

// Closes a registry key when it goes out of scope.
struct RegKeyCloser
{
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueRegKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegKeyCloser>;

// Opens (or with create, creates) a key of HKEY_CURRENT_USER; null on failure.
UniqueRegKey OpenUserKey(LPCWSTR subKey, REGSAM access, bool create);

// Reads a string value of at most 2,048 bytes: REG_SZ or REG_EXPAND_SZ (not
// expanded), size 0 = empty, otherwise an even size ending in a zero. Anything
// else counts as missing (false, value untouched).
bool ReadRegistryString(HKEY key, LPCWSTR name, CString& value);
// Reads a REG_DWORD value; false when it is missing or of another type.
bool ReadRegistryDword(HKEY key, LPCWSTR name, DWORD& value);

// Writes the saved entry of a letter. A null string deletes its value, an
// empty one is written; flags 0 delete "X(Flags)". All null and 0 remove the
// saved drive. True when the key could be created or opened.
BOOL SaveDriveEntry(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags);
// Reads the saved entry of a letter; false (outputs untouched) when the letter
// has no readable "X(Path)". A missing label is empty, missing flags are 0 and
// a missing icon is the default icon location for the flags.
BOOL LoadDriveEntry(WCHAR letter, CString& path, CString& label, CString& icon, DWORD& flags);
// True when a saved entry of 'A' to 'Z' has the automatic-restore flag.
BOOL HasAutoRestoreDrives();

// Writes (enable) or deletes the Run value; true when the Run key opened
// (it is never created).
BOOL SetRunAtStartup(BOOL enable);
// True when the Run value exists as a valid string.
BOOL IsRunAtStartup();
// The content of the Run value: the quoted executable path and " /startup".
CString GetRunAtStartupCommand();
