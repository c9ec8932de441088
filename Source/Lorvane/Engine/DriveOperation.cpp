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

// The last step of every change: the saved entry (unless the request says
// not to save) and the shell's news of the letter.
void SaveAndNotify(WCHAR drive, DWORD requestFlags, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flagsToSave,
                   bool removed)
{
    if (!(requestFlags & DriveFlags::NoSave))
        SaveDriveEntry(drive, path, label, icon, flagsToSave);
    NotifyShell(drive, removed);
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

    SaveAndNotify(drive, flags, pathToSave, labelToSave, iconToSave, flagsToSave, true);
    if (!autoRestore)
        ShowEngineMessage(invalidPathText);
    return TRUE;
}

// One request resolved against the letter's saved entry and its target.
struct DriveChange
{
    WCHAR drive = 0;
    // Null: the drive is removed.
    LPCWSTR path = nullptr;
    LPCWSTR label = nullptr;
    // The request's icon, else the saved one, else none.
    LPCWSTR icon = nullptr;
    DWORD flags = 0;
    SavedDrive saved;
    // The path with mapped drives resolved and no trailing backslash.
    CString target;
    bool network = false;
    // The drive letter of a local target, or 0.
    WCHAR targetLetter = 0;
    // The letter already is a network connection to the requested target,
    // which then stays as it is.
    bool sameTarget = false;

    bool Creates() const { return path && !(flags & DriveFlags::Disabled); }
    bool CreatesWithRecycleBin() const { return Creates() && (flags & DriveFlags::RecycleBin); }
    // The elevated side's removal of its copy, which keeps the recycle bin.
    bool RemovesKeepingRecycleBin() const
    {
        return !path && (flags & DriveFlags::NoSave) && (flags & DriveFlags::RecycleBin);
    }
};

// Takes the letter's current mapping away: a virtual drive's definition with
// its label and icon, or a network connection (unless it already is the one
// requested). False, reported, when it cannot go; then nothing else changes.
bool RemoveCurrentMapping(DriveChange& change)
{
    const WCHAR drive = change.drive;
    const CString dosTarget = QueryFirstDosTarget(drive);
    if (!dosTarget.IsEmpty() && wcsncmp(dosTarget, kRawTargetPrefix, 4) == 0)
    {
        if (!CDriveDevices::Current().RemoveDefinition(drive))
        {
            ShowEngineMessage(FormatEngineText(IDS_REMOVE_VIRTUAL_DRIVE_FAILED, drive));
            return false;
        }
        DeleteDriveLabelAndIcon(drive);
        return true;
    }
    if (GetDriveTypeW(DeviceName(drive)) != DRIVE_REMOTE)
        return true;

    const CString currentRemote = QueryNetworkDriveTarget(drive);
    change.sameTarget = change.Creates() && !currentRemote.IsEmpty() && currentRemote.CompareNoCase(change.target) == 0;
    if (change.sameTarget)
        return true;
    const DWORD error = WNetCancelConnection2W(DeviceName(drive), CONNECT_UPDATE_PROFILE, TRUE);
    if (error != NO_ERROR)
    {
        ShowEngineMessage(FormatEngineText(IDS_REMOVE_NETWORK_DRIVE_FAILED, drive, error,
                                           static_cast<LPCWSTR>(GetSystemErrorText(error))));
        return false;
    }
    WriteNetworkDriveLabel(currentRemote, nullptr);
    WriteDriveValueEverywhere(drive, kDefaultIconValueName, nullptr);
    return true;
}

// The elevated side of the old drive: an elevated process turns the old
// drive's recycle bin off itself (unless the request re-creates the drive
// with one, or is the elevated side's removal that keeps it); otherwise the
// task instance removes its copy of a UAC drive, and for a removal without a
// task instance an elevated copy does. Gives whether the task instance can
// still be used for the new drive.
bool ReleaseElevatedSideOfOldDrive(CDriveOperationElevation& elevation, bool elevated, const DriveChange& change)
{
    const SavedDrive& saved = change.saved;
    if (elevated && saved.exists && (saved.flags & DriveFlags::RecycleBin) && !change.CreatesWithRecycleBin() &&
        !change.RemovesKeepingRecycleBin())
        elevation.SetDriveRecycleBin(change.drive, FALSE, TRUE);

    if (elevated || !saved.exists || !(saved.flags & DriveFlags::Uac) || (saved.flags & DriveFlags::Disabled) ||
        (change.sameTarget && (change.flags & DriveFlags::Uac)))
        return true;
    const DWORD removalFlags = change.CreatesWithRecycleBin() ? DriveFlags::RecycleBin : 0;
    const bool handOffUsable =
        elevation.HandOffToElevationTask(change.drive, nullptr, nullptr, nullptr, removalFlags) != FALSE;
    if (!handOffUsable && !change.path)
        elevation.RunElevatedCopy(change.drive, nullptr, nullptr, nullptr, 0);
    return handOffUsable;
}

enum class MountResult
{
    Mounted,
    // A network drive that could not connect, saved as waiting for its
    // automatic restore: the request is done.
    SavedAsWaiting,
    // Reported to the user.
    Failed
};

// Connects the network drive (unless it already is connected there) and
// writes its label and icon.
MountResult ConnectNetworkDrive(HWND owner, const DriveChange& change)
{
    const WCHAR drive = change.drive;
    if (!change.sameTarget)
    {
        NETRESOURCEW resource{};
        resource.dwScope = RESOURCE_GLOBALNET;
        resource.dwType = RESOURCETYPE_DISK;
        resource.dwDisplayType = RESOURCEDISPLAYTYPE_SHARE;
        resource.dwUsage = RESOURCEUSAGE_CONNECTABLE;
        const DeviceName device(drive);
        resource.lpLocalName = const_cast<LPWSTR>(static_cast<LPCWSTR>(device));
        resource.lpRemoteName = const_cast<LPWSTR>(static_cast<LPCWSTR>(change.target));
        // Not remembered by the system: the program restores its drives itself.
        const DWORD error = WNetAddConnection3W(owner, &resource, nullptr, nullptr, 0);
        if (error != NO_ERROR)
        {
            if (change.flags & DriveFlags::AutoRestore)
            {
                const DWORD waitingFlags = (change.flags & ~DriveFlags::Local) | DriveFlags::Disabled |
                                           DriveFlags::Waiting | DriveFlags::Network;
                SaveAndNotify(drive, waitingFlags, change.target, change.label, change.icon, waitingFlags, true);
                return MountResult::SavedAsWaiting;
            }
            ShowEngineMessage(FormatEngineText(IDS_CREATE_NETWORK_DRIVE_FAILED, drive,
                                               static_cast<LPCWSTR>(change.target), error,
                                               static_cast<LPCWSTR>(GetSystemErrorText(error))));
            return MountResult::Failed;
        }
    }
    WriteNetworkDriveLabel(change.target, change.label);
    WriteDriveValueEverywhere(drive, kDefaultIconValueName, change.icon);
    return MountResult::Mounted;
}

// Defines the virtual drive with its label and icon.
MountResult DefineLocalDrive(const DriveChange& change)
{
    const WCHAR drive = change.drive;
    const CString rawTarget = CString(kRawTargetPrefix) + change.target;
    if (change.label && *change.label)
    {
        // Written before the device exists, so the shell's first look finds
        // it; the target volume's own label would cover it.
        WriteDriveValueEverywhere(drive, kDefaultLabelValueName, change.label);
        if (change.targetLetter)
            FixVolumeLabel(change.targetLetter);
    }
    if (!CDriveDevices::Current().DefineRawTarget(drive, rawTarget))
    {
        DeleteDriveLabelAndIcon(drive);
        ShowEngineMessage(FormatEngineText(IDS_CREATE_VIRTUAL_DRIVE_FAILED, drive, static_cast<LPCWSTR>(rawTarget)));
        return MountResult::Failed;
    }
    WriteDriveValueEverywhere(drive, kDefaultIconValueName, change.icon);
    return MountResult::Mounted;
}

// The elevated side of the new drive: an elevated process turns the drive's
// recycle bin on itself (machine-wide part included) unless the same
// connection already had one; otherwise the task instance defines its copy
// and turns the recycle bin on there, or an elevated copy does when the task
// instance cannot be used. Gives whether the task instance still can.
bool SetUpElevatedSideOfNewDrive(CDriveOperationElevation& elevation, bool elevated, const DriveChange& change,
                                 DWORD newFlags, bool handOffUsable)
{
    if (elevated)
    {
        if ((newFlags & DriveFlags::RecycleBin) &&
            !(change.sameTarget && (change.saved.flags & DriveFlags::RecycleBin)) &&
            !elevation.SetDriveRecycleBin(change.drive, TRUE, TRUE) && !elevation.IsTaskInstance())
            ShowEngineMessage(FormatEngineText(IDS_RECYCLE_BIN_FAILED, change.drive));
        return handOffUsable;
    }
    if (!(newFlags & (DriveFlags::Uac | DriveFlags::RecycleBin)))
        return handOffUsable;
    if (handOffUsable)
        handOffUsable =
            elevation.HandOffToElevationTask(change.drive, change.target, change.label, change.icon, newFlags) != FALSE;
    if (!handOffUsable)
        elevation.RunElevatedCopy(change.drive, change.target, change.label, change.icon, newFlags);
    return handOffUsable;
}

}  // namespace

BOOL CLorvaneApp::PerformDriveOperation(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags)
{
    DriveChange change;
    change.drive = UpperDriveLetter(letter);
    if (!IsDriveLetter(change.drive))
        return FALSE;
    const WCHAR drive = change.drive;
    change.path = path;
    change.label = label;
    change.flags = flags;
    change.saved = LoadSavedDrive(drive);
    const SavedDrive& saved = change.saved;
    change.icon = icon ? icon : saved.exists ? static_cast<LPCWSTR>(saved.icon) : nullptr;

    if (path)
    {
        change.target = StripTrailingBackslash(ResolveMappedPath(path));
        change.network = IsUncPath(change.target);
        if (!change.network && !IsExistingFolder(change.target))
            return KeepDriveForMissingTarget(*this, drive, saved, path, change.target, label, change.icon, flags);
        if (!change.network)
            change.targetLetter = TargetDriveLetter(change.target);
    }

    // A network path is refused before anything changes, so that the refusal
    // does not cost the user the drive that holds the letter now.
    const bool disable = path && (flags & DriveFlags::Disabled);
    if (change.network && !disable && !(Flags & SettingsFlags::ManageNetworkDrives))
    {
        ShowEngineMessage(FormatEngineText(IDS_NETWORK_DRIVES_NOT_MANAGED, drive, static_cast<LPCWSTR>(change.target)));
        return FALSE;
    }

    CDriveOperationElevation& elevation = CDriveOperationElevation::Current();
    const bool elevated = elevation.IsProcessElevated() != FALSE;

    if (!RemoveCurrentMapping(change))
        return FALSE;
    bool handOffUsable = ReleaseElevatedSideOfOldDrive(elevation, elevated, change);

    if (!path)
    {
        SaveAndNotify(drive, flags, nullptr, nullptr, nullptr, 0, true);
        return TRUE;
    }
    if (flags & DriveFlags::Disabled)
    {
        SaveAndNotify(drive, flags, change.target, label, change.icon, flags, true);
        return TRUE;
    }

    const MountResult mounted = change.network
                                    ? ConnectNetworkDrive(m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr, change)
                                    : DefineLocalDrive(change);
    if (mounted != MountResult::Mounted)
        return mounted == MountResult::SavedAsWaiting;
    const DWORD newFlags = change.network ? (flags & ~DriveFlags::Local) | DriveFlags::Network
                                          : (flags & ~DriveFlags::Network) | DriveFlags::Local;

    handOffUsable = SetUpElevatedSideOfNewDrive(elevation, elevated, change, newFlags, handOffUsable);
    if (!change.network && change.targetLetter && label && *label && !elevated)
        FixTargetVolumeLabel(elevation, change.targetLetter, handOffUsable);

    SaveAndNotify(drive, newFlags, change.target, label, change.icon, newFlags & ~DriveFlags::Waiting, false);
    return TRUE;
}
