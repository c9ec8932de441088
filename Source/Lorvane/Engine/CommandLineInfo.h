#pragma once

#include "Framework.h"

// Switch bits of the parsed command line. Each switch sets one bit.
namespace CommandLineFlags
{
constexpr DWORD RegTask = 0x1;         // register the elevation task
constexpr DWORD UnregTask = 0x2;       // delete the elevation task
constexpr DWORD UacTask = 0x4;         // this process is the elevated task instance
constexpr DWORD NoUac = 0x8;           // accepted; changes nothing
constexpr DWORD Uac = 0x10;            // accepted; changes nothing
constexpr DWORD Uac2 = 0x20;           // started through "runas": do not elevate again
constexpr DWORD Startup = 0x40;        // restore the saved drives (logon start)
constexpr DWORD Usage = 0x80;          // set by every parse error: show the usage text
constexpr DWORD Delete = 0x100;        // remove the drive of the letter
constexpr DWORD NoCheckVer = 0x200;    // accepted; changes nothing
constexpr DWORD NoCheckRun = 0x400;    // skip the single-instance test
constexpr DWORD FixLabel = 0x10000;    // move the volume label into the shell's label key
constexpr DWORD UpdateLang = 0x20000;  // restarted after a change of language
constexpr DWORD NoWelcome = 0x40000;   // no welcome prompt in the main window
constexpr DWORD RecycleBin = 0x80000;  // the drive gets its own recycle bin
constexpr DWORD NoSave = 0x100000;     // leave the saved entry untouched
constexpr DWORD NoCreate = 0x200000;   // only turn the letter's recycle bin on or off
constexpr DWORD Icon = 0x400000;       // the next positional token is the icon location
}  // namespace CommandLineFlags

// The command line of Lorvane: switches (after "/" or "-", any case), then a
// drive letter "X:", a path, a label, and "/ICON location" anywhere.
class CCustomCommandLineInfo : public CCommandLineInfo
{
public:
    void ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast) override;
    // Called once every token was parsed: an ICON at the end of the line
    // never received its value, which is a usage error.
    void FinishParse();

    bool HasFlag(DWORD flag) const { return (m_dwFlags & flag) != 0; }

    DWORD m_dwFlags = 0;
    WCHAR m_chLetter = 0;  // upper case; 0 = none given
    CString m_strPath;     // first positional value after the letter
    CString m_strLabel;    // second positional value after the letter
    CString m_strIcon;     // the value that followed ICON
    bool m_bIconGiven = false;

private:
    void ParseSwitch(LPCWSTR name);
    void ParsePositional(LPCWSTR token);
};

// The usage text shown for a malformed command line.
LPCWSTR GetCommandLineUsageText();
