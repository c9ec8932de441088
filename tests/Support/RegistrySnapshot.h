#pragma once
// Saves one registry key with everything below it and puts it back exactly
// (values, types, raw data, sub-keys; or its absence, together with any
// parent keys that did not exist either) when the object goes away. For the
// fixed keys that the program under test writes, e.g.
//   RegistrySnapshot settings(HKEY_CURRENT_USER, L"Software\\Brennic\\Lorvane\\2.0");
//   RegistrySnapshot icons(HKEY_LOCAL_MACHINE, L"Software\\...\\DriveIcons", KEY_WOW64_64KEY);
#include <windows.h>

#include <string>
#include <vector>

struct RegistryValueData
{
    std::wstring name;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    bool operator==(const RegistryValueData& other) const;
};

struct RegistryKeyData
{
    std::wstring name;
    std::vector<RegistryValueData> values;
    std::vector<RegistryKeyData> subKeys;
    bool operator==(const RegistryKeyData& other) const;
};

class RegistrySnapshot
{
public:
    // view: 0, KEY_WOW64_64KEY or KEY_WOW64_32KEY.
    RegistrySnapshot(HKEY root, const std::wstring& path, REGSAM view = 0);
    ~RegistrySnapshot();
    RegistrySnapshot(const RegistrySnapshot&) = delete;
    RegistrySnapshot& operator=(const RegistrySnapshot&) = delete;

    // Puts the saved state back now (the destructor does it again).
    void Restore() const;

    bool Existed() const { return m_existed; }
    const RegistryKeyData& Saved() const { return m_saved; }
    // True when the key is now exactly as it was saved.
    bool MatchesCurrent() const;

    // Reads a key tree; false when the key does not exist.
    static bool Read(HKEY root, const std::wstring& path, REGSAM view, RegistryKeyData& data);

private:
    HKEY m_root;
    std::wstring m_path;
    REGSAM m_view;
    bool m_existed = false;
    // When the key did not exist: the highest of its parents that did not
    // exist either, which the restore removes.
    std::wstring m_firstMissing;
    RegistryKeyData m_saved;
};
