// What the drive operation asks of the elevated side: whether this process is
// elevated or the task instance, the hand-off to the task instance, the
// elevated copy, the drive's recycle bin, and the volume label and elevated
// restart of the label fix.
// The drive operation reaches them through the current object, so that a test
// can put a double in its place and run the paths of a process that is not
// elevated, which a program started by Wine never is.
#pragma once

#include "Framework.h"

class CDriveOperationElevation
{
public:
    virtual ~CDriveOperationElevation() = default;

    virtual BOOL IsProcessElevated();
    virtual BOOL IsTaskInstance();
    // True when the task instance carried the request out.
    virtual BOOL HandOffToElevationTask(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags);
    // Starts an elevated copy with the request; does not wait.
    virtual BOOL RunElevatedCopy(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags);
    // Turns the drive's recycle bin on or off (known folder and policy).
    virtual BOOL SetDriveRecycleBin(WCHAR letter, BOOL on, BOOL machineWide);
    // The volume's own label; false when the volume cannot be read.
    virtual BOOL GetVolumeLabel(WCHAR letter, CString& label);
    // Starts this program elevated ("runas") with "/FIXLABEL X:"; does not wait.
    virtual BOOL StartElevatedLabelFix(WCHAR letter);

    // The object in use: the real one unless a test installed another.
    static CDriveOperationElevation& Current();
    // Puts an object in place (null: the real one again); returns the one
    // that was in place. For tests.
    static CDriveOperationElevation* Install(CDriveOperationElevation* elevation);
};
