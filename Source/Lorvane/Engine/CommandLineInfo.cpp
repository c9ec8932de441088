#include "CommandLineInfo.h"

#include "DriveLetter.h"

namespace
{
struct SwitchName
{
    LPCWSTR name;
    DWORD flag;
};

// Compared in this order; the whole token must match.
constexpr SwitchName kSwitches[] = {
    {L"REGTASK", CommandLineFlags::RegTask},
    {L"UNREGTASK", CommandLineFlags::UnregTask},
    {L"UACTASK", CommandLineFlags::UacTask},
    {L"NOCHECKVER", CommandLineFlags::NoCheckVer},
    {L"NOCHECKRUN", CommandLineFlags::NoCheckRun},
    {L"NOWELCOME", CommandLineFlags::NoWelcome},
    {L"UAC", CommandLineFlags::Uac},
    {L"UAC2", CommandLineFlags::Uac2},
    {L"NOUAC", CommandLineFlags::NoUac},
    {L"STARTUP", CommandLineFlags::Startup},
    {L"D", CommandLineFlags::Delete},
    {L"DELETE", CommandLineFlags::Delete},
    {L"R", CommandLineFlags::Delete},
    {L"REMOVE", CommandLineFlags::Delete},
    {L"RECYCLEBIN", CommandLineFlags::RecycleBin},
    {L"FIXLABEL", CommandLineFlags::FixLabel},
    {L"UPDATELANG", CommandLineFlags::UpdateLang},
    {L"NOSAVE", CommandLineFlags::NoSave},
    {L"NOCREATE", CommandLineFlags::NoCreate},
    {L"ICON", CommandLineFlags::Icon},
};
}  // namespace

void CCustomCommandLineInfo::ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL /*bLast*/)
{
    const LPCWSTR token = pszParam ? pszParam : L"";
    if (bFlag)
        ParseSwitch(token);
    else
        ParsePositional(token);
}

void CCustomCommandLineInfo::FinishParse()
{
    if (m_dwFlags & CommandLineFlags::Icon)
        m_dwFlags |= CommandLineFlags::Usage;
}

void CCustomCommandLineInfo::ParseSwitch(LPCWSTR name)
{
    for (const SwitchName& candidate : kSwitches)
    {
        if (_wcsicmp(name, candidate.name) == 0)
        {
            m_dwFlags |= candidate.flag;
            return;
        }
    }
    m_dwFlags |= CommandLineFlags::Usage;
}

void CCustomCommandLineInfo::ParsePositional(LPCWSTR token)
{
    // A pending ICON takes the next positional token, whatever it looks like.
    if (m_dwFlags & CommandLineFlags::Icon)
    {
        m_strIcon = token;
        m_bIconGiven = true;
        m_dwFlags &= ~CommandLineFlags::Icon;
        return;
    }
    if (!m_chLetter)
    {
        const WCHAR letter = UpperDriveLetter(token[0]);
        // IsCharAlphaW also accepts letters such as "é", which name no drive and
        // would index past the drive table: only 'A' to 'Z' are taken.
        const bool isDrive = wcslen(token) == 2 && token[1] == L':' && IsCharAlphaW(token[0]) && IsDriveLetter(letter);
        if (isDrive)
            m_chLetter = letter;
        else
            m_dwFlags |= CommandLineFlags::Usage;
        return;
    }
    if (m_strPath.IsEmpty())
        m_strPath = token;
    else if (m_strLabel.IsEmpty())
        m_strLabel = token;
    else
        m_dwFlags |= CommandLineFlags::Usage;
}

LPCWSTR GetCommandLineUsageText()
{
    return L"Command line usage:\r\n"
           L"LORVANE [drive1: [drive2:]path] [drive label] [/ICON icon-location]\r\n"
           L"\r\n"
           L"To remove a virtual drive, run:\r\n"
           L"LORVANE [DRIVE1:] /D\r\n"
           L"\r\n"
           L"Examples of usage:\r\n"
           L"LORVANE P: \"C:\\Projects\" Projects /ICON \"C:\\Icons\\Drive.ico\"\r\n"
           L"LORVANE P: /D";
}
