// Keeping the drive table in step with the system: the main window rebuilds
// its list from here at every refresh, and the drives that wait for their
// target are mounted once it exists.

#include "LorvaneApp.h"

#include "DriveLabels.h"
#include "DriveRegistry.h"
#include "MappedPath.h"
#include "PathServices.h"
#include "RecycleBinPolicy.h"

namespace
{

constexpr DWORD kMaxNetworkPath = 1023;

// The path a local DOS device points at, in its long form; empty when the
// letter is free or is a real volume (whose target is no "\??\" link).
CString QueryLocalDriveTarget(WCHAR letter)
{
    const WCHAR device[] = {letter, L':', 0};
    WCHAR target[1024] = {};
    if (!QueryDosDeviceW(device, target, _countof(target)))
        return CString();
    if (wcsncmp(target, L"\\??\\", 4) != 0)
        return CString();
    const LPCWSTR folder = target + 4;
    WCHAR longPath[1024] = {};
    const DWORD length = GetLongPathNameW(folder, longPath, _countof(longPath));
    if (length == 0 || length >= _countof(longPath))
        return CString(folder);
    return CString(longPath);
}

// The shell's values of the program's own drive, put back where another tool
// changed or deleted them. True when anything was written.
bool RepairShellValues(WCHAR letter, const CDriveEntry& entry, const CString& savedLabel, const CString& savedIcon)
{
    const bool network = (entry.Flags & DriveFlags::Network) != 0;
    const bool machineToo = (entry.Flags & DriveFlags::Uac) != 0;
    bool repaired = false;

    if (entry.Label != savedLabel)
    {
        const LPCWSTR label = savedLabel.IsEmpty() ? nullptr : static_cast<LPCWSTR>(savedLabel);
        if (network)
        {
            WriteNetworkDriveLabel(entry.Path, label);
        }
        else
        {
            WriteDriveIconValue(letter, kDefaultLabelValueName, label, FALSE, TRUE);
            if (machineToo)
                WriteDriveIconValue(letter, kDefaultLabelValueName, label, TRUE, TRUE);
        }
        repaired = true;
    }
    if (entry.Icon.CompareNoCase(savedIcon) != 0)
    {
        const LPCWSTR icon = savedIcon.IsEmpty() ? nullptr : static_cast<LPCWSTR>(savedIcon);
        WriteDriveIconValue(letter, kDefaultIconValueName, icon, FALSE, FALSE);
        if (machineToo)
            WriteDriveIconValue(letter, kDefaultIconValueName, icon, TRUE, FALSE);
        repaired = true;
    }
    return repaired;
}

}  // namespace

BOOL CLorvaneApp::RefreshDriveEntry(WCHAR letter)
{
    if (letter < L'A' || letter > L'Z')
        return FALSE;
    CDriveEntry& entry = DriveTable[letter - L'A'];
    entry.Set(0, L"", L"", L"");

    CString savedPath, savedLabel, savedIcon;
    DWORD savedFlags = 0;
    const bool saved = LoadDriveEntry(letter, savedPath, savedLabel, savedIcon, savedFlags) != FALSE;
    if (!saved)
    {
        savedPath.Empty();
        savedLabel.Empty();
        savedIcon.Empty();
        savedFlags = 0;
    }

    if (savedFlags & DriveFlags::Disabled)
    {
        if ((savedFlags & DriveFlags::Network) && !(Flags & SettingsFlags::ManageNetworkDrives))
            return FALSE;
        entry.Set(savedFlags, savedPath, savedLabel, savedIcon);
        return TRUE;
    }

    const WCHAR root[] = {letter, L':', 0};
    const bool network = GetDriveTypeW(root) == DRIVE_REMOTE || (savedFlags & DriveFlags::Network);
    if ((Flags & SettingsFlags::OnlyOwnDrives) && savedPath.IsEmpty())
        return FALSE;

    CString path;
    DWORD flags = 0;
    if (network)
    {
        if (!(Flags & SettingsFlags::ManageNetworkDrives))
            return FALSE;
        path = QueryNetworkDriveTarget(letter);
        if (path.IsEmpty())
            path = savedPath;
        if (path.GetLength() > static_cast<int>(kMaxNetworkPath))
            path = path.Left(kMaxNetworkPath);
        flags = (savedFlags & ~DriveFlags::Local) | DriveFlags::Network;
    }
    else
    {
        path = QueryLocalDriveTarget(letter);
        if (path.IsEmpty())
            return FALSE;
        flags = (savedFlags & ~DriveFlags::Network) | DriveFlags::Local;
    }

    entry.LoadFromSystem(letter, flags, path);

    if (!savedPath.IsEmpty() && !entry.Path.IsEmpty())
    {
        const CString ownPath = StripTrailingBackslash(entry.Path);
        const CString resolvedSaved = StripTrailingBackslash(ResolveMappedPath(savedPath));
        if (ownPath.CompareNoCase(resolvedSaved) == 0 && RepairShellValues(letter, entry, savedLabel, savedIcon))
            entry.LoadFromSystem(letter, flags, path);
    }
    return TRUE;
}

BOOL CLorvaneApp::RetryWaitingDrives()
{
    constexpr DWORD kWaitingForTarget = DriveFlags::Disabled | DriveFlags::Waiting | DriveFlags::AutoRestore;
    CRecycleBinPolicyBatchScope policyBatch;
    BOOL mounted = FALSE;
    for (WCHAR letter = L'A'; letter <= L'Z'; ++letter)
    {
        CString path, label, icon;
        DWORD flags = 0;
        if (!LoadDriveEntry(letter, path, label, icon, flags))
            continue;
        if ((flags & kWaitingForTarget) != kWaitingForTarget)
            continue;

        const CString target = StripTrailingBackslash(ResolveMappedPath(path));
        bool ready = false;
        if (IsUncPath(target))
        {
            ready = (Flags & SettingsFlags::ManageNetworkDrives) != 0;
        }
        else
        {
            ready = IsExistingFolder(target);
        }
        if (!ready)
            continue;
        if (PerformDriveOperation(letter, path, label, icon, flags & ~(DriveFlags::Disabled | DriveFlags::Waiting)) ==
            1)
            mounted = TRUE;
    }
    return mounted;
}
