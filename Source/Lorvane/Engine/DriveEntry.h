#pragma once

#include "Framework.h"

// One letter of the drive table that the main window shows.
class CDriveEntry
{
public:
    // Stores the fields; a local path gets an upper-case first character and
    // loses every trailing backslash.
    void Set(DWORD flags, LPCWSTR path, LPCWSTR label, LPCWSTR icon);
    // Fills the label and icon from the shell's values of the letter, then Set.
    void LoadFromSystem(WCHAR letter, DWORD flags, LPCWSTR path);

    CString Label;
    CString Icon;
    CString Path;
    DWORD Flags = 0;
};
