// The one operation that changes a drive letter: mount a folder as a local
// virtual drive or a remote path as a network connection, update, disable or
// remove it, keep its shell label and icon, its elevated copy and its saved
// entry in step, and tell the shell.
#include "LorvaneApp.h"

#include "DriveDevices.h"
#include "DriveLabels.h"
#include "DriveLetter.h"
#include "DriveOperationElevation.h"
#include "DriveRegistry.h"
#include "EngineText.h"
#include "MappedPath.h"
#include "PathServices.h"
#include "MainWindowServices.h"
#include "resource.h"

#include <vector>

namespace
{

const WCHAR kRawTargetPrefix[] = L"\\??\\";
// Room for the targets of QueryDosDeviceW; a target that does not fit would be
// taken for no virtual drive at all.
const DWORD kDosDeviceChars = 32768;

struct DeviceName
{
    explicit DeviceName(WCHAR letter) : text{letter, L':', L'\0'} {}
    operator LPCWSTR() const { return text; }
    WCHAR text[3];
};

// Removes the shell's label and icon of the letter for the user and the machine.
void DeleteDriveLabelAndIcon(WCHAR letter)
{
    for (const BOOL machineWide : {FALSE, TRUE})
    {
        WriteDriveIconValue(letter, kDefaultLabelValueName, nullptr, machineWide, FALSE);
        WriteDriveIconValue(letter, kDefaultIconValueName, nullptr, machineWide, FALSE);
    }
}

// Writes (or, for an empty text, deletes) one value for the user and the machine.
void WriteDriveValueEverywhere(WCHAR letter, LPCWSTR valueName, LPCWSTR text)
{
    WriteDriveIconValue(letter, valueName, text, FALSE, FALSE);
    WriteDriveIconValue(letter, valueName, text, TRUE, FALSE);
}

void NotifyShell(WCHAR letter, bool removed)
{
    const DeviceName device(letter);
    SHChangeNotify(removed ? SHCNE_DRIVEREMOVED : SHCNE_DRIVEADD, SHCNF_PATHW, static_cast<LPCWSTR>(device), nullptr);
    // Explorer's Computer folder refreshes its list of drives only on this.
    LPITEMIDLIST computer = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer)) && computer)
    {
        SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_IDLIST, computer, nullptr);
        CoTaskMemFree(computer);
    }
}

// The first target of the letter's DOS device, or empty when it has none.
CString QueryFirstDosTarget(WCHAR letter)
{
    std::vector<WCHAR> target(kDosDeviceChars, L'\0');
    if (!QueryDosDeviceW(DeviceName(letter), target.data(), kDosDeviceChars))
        return CString();
    target.back() = L'\0';
    return CString(target.data());
}

// The drive letter of a local target (C:\data or \??\C:\data), or 0.
WCHAR TargetDriveLetter(const CString& target)
{
    const auto letterAt = [&target](int at) -> WCHAR
    {
        if (target.GetLength() < at + 2 || target[at + 1] != L':')
            return 0;
        const WCHAR letter = UpperDriveLetter(target[at]);
        return IsDriveLetter(letter) ? letter : 0;
    };
    if (const WCHAR letter = letterAt(0))
        return letter;
    if (target.GetLength() >= 6 && wcsncmp(target, kRawTargetPrefix, 4) == 0)
        return letterAt(4);
    return 0;
}

struct SavedDrive
{
    // A saved entry exists when its path is not empty.
    bool exists = false;
    CString path;
    CString label;
    CString icon;
    DWORD flags = 0;
};

SavedDrive LoadSavedDrive(WCHAR letter)
{
    SavedDrive saved;
    LoadDriveEntry(letter, saved.path, saved.label, saved.icon, saved.flags);
    saved.exists = !saved.path.IsEmpty();
    return saved;
}

// Asks the user through the main window's prompt; without a main window
// there is nobody to ask, and that counts as declined.
bool AskRestartForLabelFix()
{
    CMainWindowServices* const window = CMainWindowServices::Current();
    return window && window->AskRestartForLabelFix();
}

// Without elevation the volume's own label cannot be removed here: the task
// instance does it, or, when that is not possible, an elevated restart the
// user agrees to.
void FixTargetVolumeLabel(CDriveOperationElevation& elevation, WCHAR targetLetter, bool handOffUsable)
{
    CString volumeLabel;
    if (!elevation.GetVolumeLabel(targetLetter, volumeLabel) || volumeLabel.IsEmpty())
        return;
    if (handOffUsable && elevation.HandOffToElevationTask(targetLetter, nullptr, L"/FIXLABEL", nullptr, 0))
        return;
    if (AskRestartForLabelFix())
        elevation.StartElevatedLabelFix(targetLetter);
}

// A local target that is no existing directory: the drive is saved as not
// mounted (waiting for its folder with automatic restore), or refused.
BOOL KeepDriveForMissingTarget(CLorvaneApp& app, WCHAR drive, const SavedDrive& saved, LPCWSTR typedPath,
                               const CString& target, LPCWSTR label, LPCWSTR icon, DWORD flags)
{
    const bool autoRestore = (flags & DriveFlags::AutoRestore) != 0;
    const CString invalidPathText = LoadEngineText(IDS_INVALID_PATH) + typedPath;

    if (!autoRestore && !saved.exists && !(flags & DriveFlags::Disabled))
    {
        ShowEngineMessage(invalidPathText);
        return FALSE;
    }

    // With automatic restore the drive waits for its folder; a request to save
    // it as not mounted without waiting keeps that.
    LPCWSTR pathToSave = target;
    LPCWSTR labelToSave = label ? label : L"";
    LPCWSTR iconToSave = icon;
    DWORD flagsToSave = flags & ~DriveFlags::Waiting;
    if (!autoRestore)
        flagsToSave |= DriveFlags::Disabled;
    else if ((flags & DriveFlags::Disabled) && !(flags & DriveFlags::Waiting))
        flagsToSave |= DriveFlags::Disabled;
    else
        flagsToSave |= DriveFlags::Disabled | DriveFlags::Waiting;

    // Without automatic restore a saved drive keeps its own values.
    if (!autoRestore && saved.exists)
    {
        pathToSave = saved.path;
        labelToSave = saved.label;
        iconToSave = saved.icon;
        flagsToSave = (saved.flags & ~DriveFlags::Waiting) | DriveFlags::Disabled;
    }

    // The mounted drive goes, its saved entry stays. When it cannot be
    // unmounted (already reported), nothing is saved: a saved entry marked
    // not mounted must not describe a drive that still is.
    if (saved.exists && !(saved.flags & DriveFlags::Disabled) &&
        !app.PerformDriveOperation(drive, nullptr, nullptr, nullptr, DriveFlags::NoSave))
        return FALSE;

    if (!(flags & DriveFlags::NoSave))
        SaveDriveEntry(drive, pathToSave, labelToSave, iconToSave, flagsToSave);
    NotifyShell(drive, true);
    if (!autoRestore)
        ShowEngineMessage(invalidPathText);
    return TRUE;
}

}  // namespace

BOOL CLorvaneApp::PerformDriveOperation(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags)
{
    const WCHAR drive = UpperDriveLetter(letter);
    if (!IsDriveLetter(drive))
        return FALSE;

    const SavedDrive saved = LoadSavedDrive(drive);
    // None when neither the request nor a saved entry has one.
    const LPCWSTR iconText = icon ? icon : saved.exists ? static_cast<LPCWSTR>(saved.icon) : nullptr;

    CString target;
    bool network = false;
    WCHAR targetLetter = 0;
    if (path)
    {
        target = StripTrailingBackslash(ResolveMappedPath(path));
        network = IsUncPath(target);
        if (!network && !IsExistingFolder(target))
            return KeepDriveForMissingTarget(*this, drive, saved, path, target, label, iconText, flags);
        if (!network)
            targetLetter = TargetDriveLetter(target);
    }

    // A network path is refused before anything changes, so that the refusal
    // does not cost the user the drive that holds the letter now.
    const bool disable = path && (flags & DriveFlags::Disabled);
    if (network && !disable && !(Flags & SettingsFlags::ManageNetworkDrives))
    {
        ShowEngineMessage(FormatEngineText(IDS_NETWORK_DRIVES_NOT_MANAGED, drive, static_cast<LPCWSTR>(target)));
        return FALSE;
    }

    CDriveOperationElevation& elevation = CDriveOperationElevation::Current();
    const bool elevated = elevation.IsProcessElevated() != FALSE;
    const bool createWithRecycleBin = path && (flags & DriveFlags::RecycleBin) && !(flags & DriveFlags::Disabled);
    const bool removeKeepingRecycleBin = !path && (flags & DriveFlags::NoSave) && (flags & DriveFlags::RecycleBin);

    // The current mapping goes first; when it cannot, nothing else changes.
    bool sameTarget = false;
    const CString dosTarget = QueryFirstDosTarget(drive);
    if (!dosTarget.IsEmpty() && wcsncmp(dosTarget, kRawTargetPrefix, 4) == 0)
    {
        if (!CDriveDevices::Current().RemoveDefinition(drive))
        {
            ShowEngineMessage(FormatEngineText(IDS_REMOVE_VIRTUAL_DRIVE_FAILED, drive));
            return FALSE;
        }
        DeleteDriveLabelAndIcon(drive);
    }
    else if (GetDriveTypeW(DeviceName(drive)) == DRIVE_REMOTE)
    {
        const CString currentRemote = QueryNetworkDriveTarget(drive);
        sameTarget = path && !(flags & DriveFlags::Disabled) && !currentRemote.IsEmpty() &&
                     currentRemote.CompareNoCase(target) == 0;
        if (!sameTarget)
        {
            const DWORD error = WNetCancelConnection2W(DeviceName(drive), CONNECT_UPDATE_PROFILE, TRUE);
            if (error != NO_ERROR)
            {
                ShowEngineMessage(FormatEngineText(IDS_REMOVE_NETWORK_DRIVE_FAILED, drive, error,
                                                   static_cast<LPCWSTR>(GetSystemErrorText(error))));
                return FALSE;
            }
            WriteNetworkDriveLabel(currentRemote, nullptr);
            WriteDriveValueEverywhere(drive, kDefaultIconValueName, nullptr);
        }
    }

    // The elevated side of the old drive: an elevated process turns the old
    // drive's recycle bin off itself (unless the request re-creates the drive
    // with one, or is the elevated side's removal that keeps it); otherwise
    // the task instance removes its copy of a UAC drive.
    if (elevated && saved.exists && (saved.flags & DriveFlags::RecycleBin) && !createWithRecycleBin &&
        !removeKeepingRecycleBin)
        elevation.SetDriveRecycleBin(drive, FALSE, TRUE);

    bool handOffUsable = true;
    if (!elevated && saved.exists && (saved.flags & DriveFlags::Uac) && !(saved.flags & DriveFlags::Disabled) &&
        !(sameTarget && (flags & DriveFlags::Uac)))
    {
        const DWORD removalFlags = createWithRecycleBin ? DriveFlags::RecycleBin : 0;
        handOffUsable = elevation.HandOffToElevationTask(drive, nullptr, nullptr, nullptr, removalFlags) != FALSE;
        if (!handOffUsable && !path)
            elevation.RunElevatedCopy(drive, nullptr, nullptr, nullptr, 0);
    }

    if (!path)
    {
        if (!(flags & DriveFlags::NoSave))
            SaveDriveEntry(drive, nullptr, nullptr, nullptr, 0);
        NotifyShell(drive, true);
        return TRUE;
    }

    if (flags & DriveFlags::Disabled)
    {
        if (!(flags & DriveFlags::NoSave))
            SaveDriveEntry(drive, target, label, iconText, flags);
        NotifyShell(drive, true);
        return TRUE;
    }

    DWORD newFlags = flags;
    if (network)
    {
        if (!sameTarget)
        {
            NETRESOURCEW resource{};
            resource.dwScope = RESOURCE_GLOBALNET;
            resource.dwType = RESOURCETYPE_DISK;
            resource.dwDisplayType = RESOURCEDISPLAYTYPE_SHARE;
            resource.dwUsage = RESOURCEUSAGE_CONNECTABLE;
            const DeviceName device(drive);
            resource.lpLocalName = const_cast<LPWSTR>(static_cast<LPCWSTR>(device));
            resource.lpRemoteName = const_cast<LPWSTR>(static_cast<LPCWSTR>(target));
            // Not remembered by the system: the program restores its drives itself.
            const DWORD error =
                WNetAddConnection3W(m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr, &resource, nullptr, nullptr, 0);
            if (error != NO_ERROR)
            {
                if (flags & DriveFlags::AutoRestore)
                {
                    const DWORD waitingFlags =
                        (flags & ~DriveFlags::Local) | DriveFlags::Disabled | DriveFlags::Waiting | DriveFlags::Network;
                    if (!(waitingFlags & DriveFlags::NoSave))
                        SaveDriveEntry(drive, target, label, iconText, waitingFlags);
                    NotifyShell(drive, true);
                    return TRUE;
                }
                ShowEngineMessage(FormatEngineText(IDS_CREATE_NETWORK_DRIVE_FAILED, drive, static_cast<LPCWSTR>(target),
                                                   error, static_cast<LPCWSTR>(GetSystemErrorText(error))));
                return FALSE;
            }
        }
        WriteNetworkDriveLabel(target, label);
        WriteDriveValueEverywhere(drive, kDefaultIconValueName, iconText);
        newFlags = (flags & ~DriveFlags::Local) | DriveFlags::Network;
    }
    else
    {
        const CString rawTarget = CString(kRawTargetPrefix) + target;
        if (label && *label)
        {
            // Written before the device exists, so the shell's first look
            // finds it; the target volume's own label would cover it.
            WriteDriveValueEverywhere(drive, kDefaultLabelValueName, label);
            if (targetLetter)
                FixVolumeLabel(targetLetter);
        }
        if (!CDriveDevices::Current().DefineRawTarget(drive, rawTarget))
        {
            DeleteDriveLabelAndIcon(drive);
            ShowEngineMessage(
                FormatEngineText(IDS_CREATE_VIRTUAL_DRIVE_FAILED, drive, static_cast<LPCWSTR>(rawTarget)));
            return FALSE;
        }
        WriteDriveValueEverywhere(drive, kDefaultIconValueName, iconText);
        newFlags = (flags & ~DriveFlags::Network) | DriveFlags::Local;
    }

    // The elevated side of the new drive: an elevated process turns the
    // drive's recycle bin on itself (machine-wide part included) unless the
    // same connection already had one; otherwise the task instance defines
    // its copy and turns the recycle bin on there.
    if (elevated && (newFlags & DriveFlags::RecycleBin) && !(sameTarget && (saved.flags & DriveFlags::RecycleBin)))
    {
        if (!elevation.SetDriveRecycleBin(drive, TRUE, TRUE) && !elevation.IsTaskInstance())
            ShowEngineMessage(FormatEngineText(IDS_RECYCLE_BIN_FAILED, drive));
    }
    if (!elevated && (newFlags & (DriveFlags::Uac | DriveFlags::RecycleBin)))
    {
        if (handOffUsable)
            handOffUsable = elevation.HandOffToElevationTask(drive, target, label, iconText, newFlags) != FALSE;
        if (!handOffUsable)
            elevation.RunElevatedCopy(drive, target, label, iconText, newFlags);
    }

    if (!network && targetLetter && label && *label && !elevated)
        FixTargetVolumeLabel(elevation, targetLetter, handOffUsable);

    if (!(newFlags & DriveFlags::NoSave))
        SaveDriveEntry(drive, target, label, iconText, newFlags & ~DriveFlags::Waiting);
    NotifyShell(drive, false);
    return TRUE;
}
