#include "DriveEntry.h"
#include "AppSettings.h"
#include "DriveLabels.h"
#include "DriveLetter.h"

void CDriveEntry::Set(DWORD flags, LPCWSTR path, LPCWSTR label, LPCWSTR icon)
{
    Flags = flags;
    Label = label ? label : L"";
    Icon = icon ? icon : L"";

    CString target(path ? path : L"");
    int length = target.GetLength();
    while (length > 0 && target[length - 1] == L'\\')
        --length;
    target = target.Left(length);
    // A network path keeps its case; a local one is shown as "C:\..." whatever was typed.
    if (!target.IsEmpty() && !(flags & DriveFlags::Network))
    {
        target.SetAt(0, UpperDriveLetter(target[0]));
    }
    Path = target;
}

void CDriveEntry::LoadFromSystem(WCHAR letter, DWORD flags, LPCWSTR path)
{
    const CString label = (flags & DriveFlags::Network) ? ReadNetworkDriveLabel(path ? path : L"")
                                                        : ReadDriveIconValue(letter, L"DefaultLabel");
    const CString icon = ReadDriveIconValue(letter, L"DefaultIcon");
    Set(flags, path, label, icon);
}
