#include "DriveDevices.h"

namespace
{
CDriveDevices* g_installed = nullptr;
}  // namespace

BOOL CDriveDevices::DefineRawTarget(WCHAR letter, LPCWSTR rawTarget)
{
    const WCHAR device[] = {letter, L':', L'\0'};
    return ::DefineDosDeviceW(DDD_RAW_TARGET_PATH, device, rawTarget);
}

BOOL CDriveDevices::RemoveDefinition(WCHAR letter)
{
    const WCHAR device[] = {letter, L':', L'\0'};
    return ::DefineDosDeviceW(DDD_REMOVE_DEFINITION, device, nullptr);
}

CDriveDevices& CDriveDevices::Current()
{
    static CDriveDevices s_real;
    return g_installed ? *g_installed : s_real;
}

CDriveDevices* CDriveDevices::Install(CDriveDevices* devices)
{
    CDriveDevices* const previous = g_installed;
    g_installed = devices;
    return previous;
}
