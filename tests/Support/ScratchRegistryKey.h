#pragma once
// A registry key of its own for one test: created empty under
// HKCU\Software\LorvaneTests\<unique name>, deleted with everything below it
// when the object goes away.
#include <windows.h>

#include <string>

class ScratchRegistryKey
{
public:
    ScratchRegistryKey();
    ~ScratchRegistryKey();
    ScratchRegistryKey(const ScratchRegistryKey&) = delete;
    ScratchRegistryKey& operator=(const ScratchRegistryKey&) = delete;

    HKEY Root() const { return HKEY_CURRENT_USER; }
    // Relative to HKEY_CURRENT_USER, e.g. "Software\LorvaneTests\Suite.Test-12-1".
    const std::wstring& Path() const { return m_path; }
    // An open handle with KEY_ALL_ACCESS, valid as long as the object.
    HKEY Key() const { return m_key; }

    // Helpers for arranging and checking the key's contents. A sub-key path
    // may be empty (the key itself) or relative to it.
    void SetString(const std::wstring& subKey, const std::wstring& name, const std::wstring& value) const;
    void SetDword(const std::wstring& subKey, const std::wstring& name, DWORD value) const;
    bool GetString(const std::wstring& subKey, const std::wstring& name, std::wstring& value) const;
    bool GetDword(const std::wstring& subKey, const std::wstring& name, DWORD& value) const;
    bool HasSubKey(const std::wstring& subKey) const;

private:
    std::wstring m_path;
    HKEY m_key = nullptr;
};
