#include "ScratchRegistryKey.h"

#include "UniqueName.h"

#include <stdexcept>

namespace
{

const wchar_t kTestsRoot[] = L"Software\\LorvaneTests";

}

ScratchRegistryKey::ScratchRegistryKey() : m_path(std::wstring(kTestsRoot) + L"\\" + UniqueTestName())
{
    const LSTATUS status =
        RegCreateKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
    if (status != ERROR_SUCCESS)
        throw std::runtime_error("cannot create the scratch registry key");
}

ScratchRegistryKey::~ScratchRegistryKey()
{
    RegCloseKey(m_key);
    RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, m_path.c_str());
    // The common parent goes too once the last test's key is gone; it fails
    // harmlessly while another test process still has a key below it.
    RegDeleteKeyW(HKEY_CURRENT_USER, kTestsRoot);
}

void ScratchRegistryKey::SetString(const std::wstring& subKey, const std::wstring& name,
                                   const std::wstring& value) const
{
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    RegSetKeyValueW(m_key, subKey.empty() ? nullptr : subKey.c_str(), name.c_str(), REG_SZ, value.c_str(), bytes);
}

void ScratchRegistryKey::SetDword(const std::wstring& subKey, const std::wstring& name, DWORD value) const
{
    RegSetKeyValueW(m_key, subKey.empty() ? nullptr : subKey.c_str(), name.c_str(), REG_DWORD, &value, sizeof(value));
}

bool ScratchRegistryKey::GetString(const std::wstring& subKey, const std::wstring& name, std::wstring& value) const
{
    DWORD bytes = 0;
    const wchar_t* const sub = subKey.empty() ? nullptr : subKey.c_str();
    if (RegGetValueW(m_key, sub, name.c_str(), RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, nullptr,
                     &bytes) != ERROR_SUCCESS)
        return false;
    std::wstring buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegGetValueW(m_key, sub, name.c_str(), RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, &buffer[0],
                     &bytes) != ERROR_SUCCESS)
        return false;
    buffer.resize(wcslen(buffer.c_str()));
    value = buffer;
    return true;
}

bool ScratchRegistryKey::GetDword(const std::wstring& subKey, const std::wstring& name, DWORD& value) const
{
    DWORD bytes = sizeof(value);
    return RegGetValueW(m_key, subKey.empty() ? nullptr : subKey.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr,
                        &value, &bytes) == ERROR_SUCCESS;
}

bool ScratchRegistryKey::HasSubKey(const std::wstring& subKey) const
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(m_key, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}
