// The shell's label and icon values of drive letters: the per-letter
// "DefaultLabel" and "DefaultIcon" keys of the user and of the machine, the
// "_LabelFromReg" value of network drives, and the label fix of a volume.
// Every key here is opened in the 64-bit registry view, where the 64-bit
// shell reads it, although this program is 32-bit.
#pragma once

#include "Framework.h"

extern const TCHAR kDefaultLabelValueName[];  // "DefaultLabel"
extern const TCHAR kDefaultIconValueName[];   // "DefaultIcon"

// The key whose default value holds the letter's label or icon. The user root
// gives the "Classes\Applications\Explorer.exe\Drives" form, any other root
// the "Explorer\DriveIcons" form (used for the machine and as the user's
// second key).
CString BuildDriveIconValueKeyPath(HKEY hRoot, TCHAR chLetter, LPCTSTR pszValueName);
// The letter's key in the same forms; the parent of the value's key.
CString BuildDriveIconKeyPath(HKEY hRoot, TCHAR chLetter);

// The first present text of the first user key, the second user key and the
// machine key, in this order; empty when none has one.
CString ReadDriveIconValue(TCHAR chLetter, LPCTSTR pszValueName);

// Writes the text (both user keys, or the machine key), or deletes the
// value's keys when the text is null, or empty without bKeepEmpty.
BOOL WriteDriveIconValue(TCHAR chLetter, LPCTSTR pszValueName, LPCTSTR pszText, BOOL bMachineWide, BOOL bKeepEmpty);

// The MountPoints2 key of a remote path: every "\" becomes "#".
CString BuildNetworkDriveLabelKeyPath(LPCTSTR pszRemotePath);
CString ReadNetworkDriveLabel(LPCTSTR pszRemotePath);
// A text (also an empty one) is written; null deletes the value.
BOOL WriteNetworkDriveLabel(LPCTSTR pszRemotePath, LPCTSTR pszText);

// Moves the volume's own label into the letter's "DefaultLabel" keys, so that
// virtual drives whose targets lie on the volume show their own labels. True
// when the volume has no label of its own afterwards.
BOOL FixVolumeLabel(TCHAR chLetter);

// KEY_WOW64_64KEY when the process runs under WOW64, else 0. Asked once.
REGSAM GetDriveLabelRegistryView();
