#include "DriveRegistry.h"
#include "AppSettings.h"
#include "PathServices.h"

namespace
{
constexpr DWORD kMaxStringValueBytes = 2048;

// "X(Name)" for an upper-case letter.
CString DriveValueName(WCHAR letter, LPCWSTR name)
{
    CString valueName;
    valueName.Format(L"%c(%s)", letter, name);
    return valueName;
}

// The letter in upper case, or 0 when it is not one of 'A' to 'Z'.
WCHAR NormalizeLetter(WCHAR letter)
{
    const WCHAR upper = (letter >= L'a' && letter <= L'z') ? static_cast<WCHAR>(letter - L'a' + L'A') : letter;
    return (upper >= L'A' && upper <= L'Z') ? upper : 0;
}

void WriteOrDeleteString(HKEY key, LPCWSTR name, LPCWSTR value)
{
    if (!value)
    {
        RegDeleteValueW(key, name);
        return;
    }
    const DWORD bytes = static_cast<DWORD>((wcslen(value) + 1) * sizeof(WCHAR));
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes);
}
}  // namespace

UniqueRegKey OpenUserKey(LPCWSTR subKey, REGSAM access, bool create)
{
    HKEY key = nullptr;
    const LSTATUS status =
        create ? RegCreateKeyExW(HKEY_CURRENT_USER, subKey, 0, nullptr, 0, access, nullptr, &key, nullptr)
               : RegOpenKeyExW(HKEY_CURRENT_USER, subKey, 0, access, &key);
    return UniqueRegKey(status == ERROR_SUCCESS ? key : nullptr);
}

bool ReadRegistryString(HKEY key, LPCWSTR name, CString& value)
{
    // One character more than the limit, so the test for the zero never reads
    // past what the registry wrote.
    WCHAR buffer[kMaxStringValueBytes / sizeof(WCHAR) + 1] = {};
    DWORD type = 0;
    DWORD bytes = kMaxStringValueBytes;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes) != ERROR_SUCCESS)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return false;
    if (bytes == 0)
    {
        value.Empty();
        return true;
    }
    if (bytes % sizeof(WCHAR) != 0 || buffer[bytes / sizeof(WCHAR) - 1] != 0)
        return false;
    value = buffer;
    return true;
}

bool ReadRegistryDword(HKEY key, LPCWSTR name, DWORD& value)
{
    DWORD type = 0;
    DWORD data = 0;
    DWORD bytes = sizeof(data);
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &bytes) != ERROR_SUCCESS)
        return false;
    if (type != REG_DWORD || bytes != sizeof(data))
        return false;
    value = data;
    return true;
}

BOOL SaveDriveEntry(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags)
{
    const WCHAR upper = NormalizeLetter(letter);
    if (!upper)
        return FALSE;
    const UniqueRegKey key = OpenUserKey(kLorvaneRegistryKey, KEY_WRITE, true);
    if (!key)
        return FALSE;

    WriteOrDeleteString(key.get(), DriveValueName(upper, L"Path"), path);
    WriteOrDeleteString(key.get(), DriveValueName(upper, L"Label"), label);
    WriteOrDeleteString(key.get(), DriveValueName(upper, L"Icon"), icon);
    const CString flagsName = DriveValueName(upper, L"Flags");
    if (flags)
        RegSetValueExW(key.get(), flagsName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&flags), sizeof(flags));
    else
        RegDeleteValueW(key.get(), flagsName);
    return TRUE;
}

BOOL LoadDriveEntry(WCHAR letter, CString& path, CString& label, CString& icon, DWORD& flags)
{
    const WCHAR upper = NormalizeLetter(letter);
    if (!upper)
        return FALSE;
    const UniqueRegKey key = OpenUserKey(kLorvaneRegistryKey, KEY_READ, false);
    if (!key)
        return FALSE;

    CString savedPath;
    if (!ReadRegistryString(key.get(), DriveValueName(upper, L"Path"), savedPath))
        return FALSE;
    CString savedLabel;
    if (!ReadRegistryString(key.get(), DriveValueName(upper, L"Label"), savedLabel))
        savedLabel.Empty();
    DWORD savedFlags = 0;
    if (!ReadRegistryDword(key.get(), DriveValueName(upper, L"Flags"), savedFlags))
        savedFlags = 0;
    CString savedIcon;
    if (!ReadRegistryString(key.get(), DriveValueName(upper, L"Icon"), savedIcon))
        savedIcon = GetDefaultIconLocation((savedFlags & DriveFlags::Network) != 0);

    path = savedPath;
    label = savedLabel;
    icon = savedIcon;
    flags = savedFlags;
    return TRUE;
}

BOOL HasAutoRestoreDrives()
{
    for (WCHAR letter = L'A'; letter <= L'Z'; ++letter)
    {
        CString path, label, icon;
        DWORD flags = 0;
        if (LoadDriveEntry(letter, path, label, icon, flags) && (flags & DriveFlags::AutoRestore))
            return TRUE;
    }
    return FALSE;
}

CString GetRunAtStartupCommand()
{
    return L"\"" + GetModulePath() + L"\" /startup";
}

BOOL SetRunAtStartup(BOOL enable)
{
    const UniqueRegKey key = OpenUserKey(kRunRegistryKey, KEY_WRITE, false);
    if (!key)
        return FALSE;
    WriteOrDeleteString(key.get(), kRunValueName, enable ? static_cast<LPCWSTR>(GetRunAtStartupCommand()) : nullptr);
    return TRUE;
}

BOOL IsRunAtStartup()
{
    const UniqueRegKey key = OpenUserKey(kRunRegistryKey, KEY_READ, false);
    if (!key)
        return FALSE;
    CString command;
    return ReadRegistryString(key.get(), kRunValueName, command) ? TRUE : FALSE;
}
