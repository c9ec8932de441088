#include "HelperMain.h"
#include "FakeKnownFolderManager.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

GUID IdOf(wchar_t letter)
{
    GUID id{};
    RecycleBinKnownFolderId(letter, &id);
    return id;
}

std::wstring IdText(wchar_t letter)
{
    wchar_t text[64];
    StringFromGUID2(IdOf(letter), text, 64);
    return text;
}

HRESULT CreatePathSucceeds(REFKNOWNFOLDERID)
{
    return S_OK;
}

}  // namespace

// The command line and exit codes of the helper, against a known-folder
// manager double (Wine's manager cannot create a registered folder's path).
TEST(HelperCommandLine, ExitCodesFollowTheCommandAndTheFolderState)
{
    struct Case
    {
        const char* name;
        std::wstring args;
        bool registeredBefore;  // P: has a matching registration before the run
        int exitCode;
        bool registeredAfter;
    };
    const Case cases[] = {
        {"register", L"/C P:", false, HelperExitChanged, true},
        {"register again", L"/C P:", true, HelperExitUnchanged, true},
        {"lower-case letter and dash switch", L"-c p", false, HelperExitChanged, true},
        {"unregister with a bare letter", L"P", true, HelperExitChanged, false},
        {"unregister when there is none", L"P", false, HelperExitUnchanged, false},
        {"matching id given", L"/C P: /G " + IdText(L'P'), false, HelperExitChanged, true},
        {"id of another letter", L"/C P: /G " + IdText(L'A'), false, HelperExitBadCommand, false},
        {"id that does not parse", L"/C P: /G {nonsense}", false, HelperExitBadCommand, false},
        {"G without a value", L"/C P: /G", false, HelperExitBadCommand, false},
        {"unknown switch", L"/X P:", true, HelperExitBadCommand, true},
        {"no letter", L"/C", false, HelperExitBadCommand, false},
        {"no letter, with /M", L"/C /M", false, HelperExitBadCommand, false},
        {"root with backslash", L"/C P:\\", false, HelperExitBadCommand, false},
        {"two characters", L"/C PQ", false, HelperExitBadCommand, false},
        {"digit", L"/C 1", false, HelperExitBadCommand, false},
        {"the last letter counts", L"/C Q: P:", false, HelperExitChanged, true},
    };
    for (const Case& c : cases)
    {
        FakeKnownFolderManager manager;
        if (c.registeredBefore)
            manager.Add(IdOf(L'P'), L"P_Drive_Lorvane", L"P:\\", 0);
        const std::wstring commandLine = L"LorvaneHelper32.exe " + c.args;
        EXPECT_EQ(c.exitCode, RunHelper(commandLine.c_str(), &manager, CreatePathSucceeds)) << c.name;
        EXPECT_EQ(c.registeredAfter ? 1u : 0u, manager.folders.count(IdOf(L'P'))) << c.name;
        EXPECT_EQ(0u, manager.folders.count(IdOf(L'Q'))) << c.name;
    }
}

TEST(HelperCommandLine, NoRedirectAndCleanUpSwitchesReachTheUpdate)
{
    const GUID stale = {0x12345678, 0x1, 0x2, {1, 2, 3, 4, 5, 6, 7, 8}};
    FakeKnownFolderManager manager;
    manager.Add(IdOf(L'P'), L"P_Drive_Lorvane", L"P:\\", 0);
    manager.Add(stale, L"Old", L"p:\\");

    EXPECT_EQ(HelperExitChanged, RunHelper(L"x /C /R P:", &manager, CreatePathSucceeds))
        << "a folder registered without the no-redirect flag is registered again";
    EXPECT_EQ(0x40u, manager.folders[IdOf(L'P')].flags);
    EXPECT_EQ(1u, manager.folders.count(stale)) << "no clean-up without /L";

    EXPECT_EQ(HelperExitChanged, RunHelper(L"x /C /R /L P:", &manager, CreatePathSucceeds));
    EXPECT_EQ(0u, manager.folders.count(stale));
    EXPECT_EQ(HelperExitUnchanged, RunHelper(L"x /C /R /L P:", &manager, CreatePathSucceeds));
}

TEST(HelperCommandLine, AFailedUpdateEndsWith102)
{
    FakeKnownFolderManager manager;
    manager.failRegister = E_ACCESSDENIED;
    EXPECT_EQ(HelperExitFailed, RunHelper(L"x /C P:", &manager, CreatePathSucceeds));
}
