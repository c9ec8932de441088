#include "DriveOperationElevation.h"

#include "DriveLetter.h"

#include "ElevationTask.h"
#include "HandOff.h"
#include "PathServices.h"
#include "RecycleBinPolicy.h"

namespace
{

CDriveOperationElevation* g_installed = nullptr;

}  // namespace

BOOL CDriveOperationElevation::IsProcessElevated()
{
    return ::IsProcessElevated();
}

BOOL CDriveOperationElevation::IsTaskInstance()
{
    return IsElevationTaskInstance() ? TRUE : FALSE;
}

BOOL CDriveOperationElevation::HandOffToElevationTask(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon,
                                                      DWORD flags)
{
    return ::HandOffToElevationTask(letter, path, label, icon, flags);
}

BOOL CDriveOperationElevation::RunElevatedCopy(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags)
{
    return ::RunElevatedCopy(letter, path, label, icon, flags);
}

BOOL CDriveOperationElevation::SetDriveRecycleBin(WCHAR letter, BOOL on, BOOL machineWide)
{
    return ::SetDriveRecycleBin(letter, on != FALSE, machineWide != FALSE) ? TRUE : FALSE;
}

BOOL CDriveOperationElevation::GetVolumeLabel(WCHAR letter, CString& label)
{
    const WCHAR root[] = {UpperDriveLetter(letter), L':', L'\\', L'\0'};
    WCHAR name[MAX_PATH] = {};
    if (!GetVolumeInformationW(root, name, _countof(name), nullptr, nullptr, nullptr, nullptr, 0))
        return FALSE;
    label = name;
    return TRUE;
}

BOOL CDriveOperationElevation::StartElevatedLabelFix(WCHAR letter)
{
    CString parameters;
    parameters.Format(L"/FIXLABEL %c:", UpperDriveLetter(letter));
    return StartElevatedProgram(GetModulePath(), parameters);
}

CDriveOperationElevation& CDriveOperationElevation::Current()
{
    static CDriveOperationElevation s_real;
    return g_installed ? *g_installed : s_real;
}

CDriveOperationElevation* CDriveOperationElevation::Install(CDriveOperationElevation* elevation)
{
    CDriveOperationElevation* const previous = g_installed;
    g_installed = elevation;
    return previous;
}
