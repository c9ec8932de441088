#include "DosDevices.h"

#include <vector>

std::wstring DriveDevice(wchar_t letter)
{
    return std::wstring(1, static_cast<wchar_t>(towupper(letter))) + L":";
}

std::wstring QueryDosDeviceTarget(const std::wstring& device)
{
    std::vector<wchar_t> buffer(1024);
    for (;;)
    {
        const DWORD length = QueryDosDeviceW(device.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length)
            return buffer.data();  // the first of the list of targets
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || buffer.size() > 65536)
            return {};
        buffer.resize(buffer.size() * 2);
    }
}

bool IsVolumeTarget(const std::wstring& target)
{
    return target.compare(0, 8, L"\\Device\\") == 0;
}

bool RemoveTestDosDevice(const std::wstring& device, const std::wstring& target)
{
    const std::wstring current = QueryDosDeviceTarget(device);
    if (current.empty())
        return true;
    if (IsVolumeTarget(current))
        return target.empty() || CompareStringOrdinal(current.c_str(), -1, target.c_str(), -1, TRUE) != CSTR_EQUAL;
    if (!target.empty() && CompareStringOrdinal(current.c_str(), -1, target.c_str(), -1, TRUE) != CSTR_EQUAL)
        return true;
    DefineDosDeviceW(DDD_RAW_TARGET_PATH | DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE, device.c_str(),
                     current.c_str());
    return QueryDosDeviceTarget(device) != current;
}

wchar_t FindUnusedDriveLetter()
{
    const DWORD drives = GetLogicalDrives();
    for (wchar_t letter = L'Z'; letter >= L'D'; --letter)
    {
        if (drives & (1u << (letter - L'A')))
            continue;
        if (QueryDosDeviceTarget(DriveDevice(letter)).empty())
            return letter;
    }
    return 0;
}

ScratchDosDevice::ScratchDosDevice(wchar_t letter, const std::wstring& rawTarget)
    : m_device(DriveDevice(letter)), m_target(rawTarget)
{
    m_defined = DefineDosDeviceW(DDD_RAW_TARGET_PATH, m_device.c_str(), m_target.c_str()) != FALSE;
    m_error = m_defined ? 0 : GetLastError();
}

ScratchDosDevice::~ScratchDosDevice()
{
    if (m_defined)
        RemoveTestDosDevice(m_device, m_target);
}
