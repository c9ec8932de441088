#include "RegistrySnapshot.h"

namespace
{

// Closes a key handle at the end of its scope.
class KeyHandle
{
public:
    KeyHandle() = default;
    ~KeyHandle()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    HKEY* operator&() { return &m_key; }
    operator HKEY() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

bool ReadTree(HKEY key, REGSAM view, RegistryKeyData& data)
{
    DWORD subKeyCount = 0, maxSubKeyLength = 0, valueCount = 0, maxValueNameLength = 0, maxDataLength = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeyCount, &maxSubKeyLength, nullptr, &valueCount,
                         &maxValueNameLength, &maxDataLength, nullptr, nullptr) != ERROR_SUCCESS)
        return false;

    for (DWORD i = 0;; ++i)
    {
        std::vector<wchar_t> name(maxValueNameLength + 2);
        std::vector<BYTE> bytes(maxDataLength + 2);
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataLength = static_cast<DWORD>(bytes.size());
        DWORD type = 0;
        const LSTATUS status =
            RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, bytes.data(), &dataLength);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status == ERROR_MORE_DATA)
        {
            // The key changed under us; read its size again.
            return ReadTree(key, view, data = RegistryKeyData{data.name, {}, {}});
        }
        if (status != ERROR_SUCCESS)
            return false;
        RegistryValueData value;
        value.name.assign(name.data(), nameLength);
        value.type = type;
        value.data.assign(bytes.begin(), bytes.begin() + dataLength);
        data.values.push_back(std::move(value));
    }

    for (DWORD i = 0;; ++i)
    {
        std::vector<wchar_t> name(maxSubKeyLength + 2);
        DWORD nameLength = static_cast<DWORD>(name.size());
        const LSTATUS status = RegEnumKeyExW(key, i, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS)
            return false;
        RegistryKeyData child;
        child.name.assign(name.data(), nameLength);
        KeyHandle childKey;
        if (RegOpenKeyExW(key, child.name.c_str(), 0, KEY_READ | view, &childKey) != ERROR_SUCCESS)
            continue;
        ReadTree(childKey, view, child);
        data.subKeys.push_back(std::move(child));
    }
    return true;
}

// Writes a value's exact bytes. Wine's registry stores a string whose last
// character is not a zero with one more character when the character after
// the given bytes in memory is zero; the bytes go through a copy followed by
// a character that is not, so that a string without its terminator comes back
// as it was.
void WriteExactValue(HKEY key, const RegistryValueData& value)
{
    if (value.data.empty())
    {
        RegSetValueExW(key, value.name.c_str(), 0, value.type, nullptr, 0);
        return;
    }
    std::vector<BYTE> bytes(value.data);
    bytes.insert(bytes.end(), {0xFF, 0xFF, 0xFF, 0xFF});
    RegSetValueExW(key, value.name.c_str(), 0, value.type, bytes.data(), static_cast<DWORD>(value.data.size()));
}

void WriteTree(HKEY key, REGSAM view, const RegistryKeyData& data)
{
    for (const auto& value : data.values)
        WriteExactValue(key, value);
    for (const auto& child : data.subKeys)
    {
        KeyHandle childKey;
        if (RegCreateKeyExW(key, child.name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &childKey,
                            nullptr) == ERROR_SUCCESS)
            WriteTree(childKey, view, child);
    }
}

// Removes a key with everything below it, in the given view.
void DeleteKeyTree(HKEY root, const std::wstring& path, REGSAM view)
{
    {
        KeyHandle key;
        if (RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS | view, &key) != ERROR_SUCCESS)
            return;
        RegDeleteTreeW(key, nullptr);
    }
    RegDeleteKeyExW(root, path.c_str(), view, 0);
}

bool KeyExists(HKEY root, const std::wstring& path, REGSAM view)
{
    KeyHandle key;
    return RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key) == ERROR_SUCCESS;
}

}  // namespace

bool RegistryValueData::operator==(const RegistryValueData& other) const
{
    return name == other.name && type == other.type && data == other.data;
}

bool RegistryKeyData::operator==(const RegistryKeyData& other) const
{
    // Windows lists values in the order they were written and Wine sorts
    // them by name; either way a restore reproduces the saved order, so the
    // comparison may rely on it.
    return name == other.name && values == other.values && subKeys == other.subKeys;
}

bool RegistrySnapshot::Read(HKEY root, const std::wstring& path, REGSAM view, RegistryKeyData& data)
{
    data = RegistryKeyData{};
    const size_t slash = path.find_last_of(L'\\');
    data.name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    KeyHandle key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return false;
    return ReadTree(key, view, data);
}

RegistrySnapshot::RegistrySnapshot(HKEY root, const std::wstring& path, REGSAM view)
    : m_root(root), m_path(path), m_view(view)
{
    m_existed = Read(root, path, view, m_saved);
    if (m_existed)
        return;
    size_t end = 0;
    do
    {
        end = m_path.find(L'\\', end + 1);
        const std::wstring prefix = m_path.substr(0, end);
        if (!KeyExists(root, prefix, view))
        {
            m_firstMissing = prefix;
            break;
        }
    } while (end != std::wstring::npos);
}

RegistrySnapshot::~RegistrySnapshot()
{
    Restore();
}

void RegistrySnapshot::Restore() const
{
    if (!m_existed)
    {
        if (!m_firstMissing.empty())
            DeleteKeyTree(m_root, m_firstMissing, m_view);
        return;
    }
    if (MatchesCurrent())
        return;
    KeyHandle key;
    if (RegCreateKeyExW(m_root, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | m_view, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    // Emptying the key in place keeps the key itself, so that a handle the
    // program under test still holds stays valid.
    RegDeleteTreeW(key, nullptr);
    WriteTree(key, m_view, m_saved);
}

bool RegistrySnapshot::MatchesCurrent() const
{
    RegistryKeyData current;
    const bool exists = Read(m_root, m_path, m_view, current);
    if (!m_existed)
        return !exists;
    return exists && current == m_saved;
}
