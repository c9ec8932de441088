#include "HelperMain.h"

#include "ChildProcess.h"
#include "ProcessDialogWatcher.h"
#include "Waiting.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// Where the known-folder manager keeps a registered definition; this 32-bit
// program sees the machine's 32-bit view of it.
std::wstring DefinitionKey(wchar_t letter)
{
    GUID id{};
    RecycleBinKnownFolderId(letter, &id);
    wchar_t text[64];
    StringFromGUID2(id, text, 64);
    return std::wstring(L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FolderDescriptions\\") + text;
}

bool DefinitionExists(wchar_t letter)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, DefinitionKey(letter).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

struct HelperRun
{
    RunResult result;
    std::vector<CapturedDialog> boxes;
};

HelperRun RunHelperProgram(const std::vector<std::wstring>& args)
{
    ProcessDialogWatcher boxes(IDOK);
    RunOptions options;
    options.dialogs = &boxes;
    HelperRun run;
    run.result = RunProgram(L"LorvaneHelper32.exe", args, options);
    run.boxes = boxes.Dialogs();
    return run;
}

class HelperProcess : public ::testing::Test
{
protected:
    void SetUp() override { Unregister(); }
    void TearDown() override { Unregister(); }
    static void Unregister()
    {
        // Leaves W: without a definition, whatever a failed run left behind.
        RunHelperProgram({L"W:"});
    }
};

}  // namespace

// The helper as a program: exit codes and the definitions it leaves. Wine's
// known-folder manager cannot create a registered folder's path, so a run
// that registers a folder ends with 102 there (on Windows 101); those rows
// check the definition left in the registry instead of the exit code.
TEST_F(HelperProcess, CommandLinesGiveTheirExitCodesAndLeaveTheirDefinitions)
{
    struct Case
    {
        const char* name;
        std::vector<std::wstring> args;
        int exitCode;  // 0: not checked under Wine (see above)
        bool definitionAfter;
        std::wstring boxText;  // empty: no message box expected
    };
    const Case cases[] = {
        {"unregister when there is none", {L"W"}, HelperExitUnchanged, false, L""},
        {"register with clean-up", {L"/C", L"/L", L"w:"}, 0, true, L""},
        {"register again finds it current",
         {L"/C", L"/M", L"W:"},
         HelperExitUnchanged,
         true,
         L"W: known folder is already current."},
        {"unknown switch changes nothing, shows nothing", {L"/X", L"/M", L"W:"}, HelperExitBadCommand, true, L""},
        {"no letter shows nothing", {L"/C", L"/M"}, HelperExitBadCommand, true, L""},
        {"id of another letter",
         {L"W:", L"/G", L"{B580AD47-1F63-49D6-88A6-4FF8C09D33CD}"},
         HelperExitBadCommand,
         true,
         L""},
        {"unregister with the matching id",
         {L"/M", L"W:", L"/G", L"{B580AD47-1F63-49D6-88A6-4FF8C09D33E3}"},
         HelperExitChanged,
         false,
         L"W: known folder updated."},
    };
    for (const Case& c : cases)
    {
        const HelperRun run = RunHelperProgram(c.args);
        ASSERT_TRUE(run.result.started) << c.name << " (start error " << run.result.startError << ")";
        ASSERT_FALSE(run.result.timedOut) << c.name;
        if (c.exitCode != 0)
        {
            EXPECT_EQ(static_cast<DWORD>(c.exitCode), run.result.exitCode) << c.name;
        }
        EXPECT_EQ(c.definitionAfter, DefinitionExists(L'W')) << c.name;
        if (c.boxText.empty())
        {
            EXPECT_TRUE(run.boxes.empty()) << c.name;
        }
        else
        {
            ASSERT_EQ(1u, run.boxes.size()) << c.name;
            EXPECT_EQ(L"LorvaneHelper32", run.boxes[0].title) << c.name;
            EXPECT_EQ(c.boxText, run.boxes[0].text) << c.name;
        }
    }
}

// A second helper waits for the first through the machine-wide mutex, and
// gives up after 5 seconds without touching anything.
TEST_F(HelperProcess, InstancesAreSerialisedByTheGlobalMutex)
{
    HANDLE mutex = CreateMutexW(nullptr, TRUE, L"Global\\LorvaneRecycleBinKnownFolderHelper");
    ASSERT_NE(nullptr, mutex);

    // A released mutex goes straight to a thread that waits for it. So the
    // test lets go of it now and then and takes it back at once: while the
    // helper has not reached its wait, the test gets it back; once the test
    // cannot, the helper was waiting and has it. The helper's wait lasts
    // 5 seconds, far longer than a round of this loop however slow the
    // machine.
    ChildProcess waiting;
    ASSERT_TRUE(waiting.Start(L"LorvaneHelper32.exe", {L"/C", L"W:"}));
    bool handedOver = false;
    bool ranWithoutTheMutex = false;
    EXPECT_TRUE(WaitUntil(
        [&]
        {
            if (!waiting.Running())
                return true;
            ranWithoutTheMutex = ranWithoutTheMutex || DefinitionExists(L'W');
            ReleaseMutex(mutex);
            handedOver = WaitForSingleObject(mutex, 0) == WAIT_TIMEOUT;
            return handedOver;
        }));
    EXPECT_FALSE(ranWithoutTheMutex) << "the helper must wait while another instance holds the mutex";
    EXPECT_TRUE(handedOver) << "the helper ended without waiting for the mutex, exit code " << waiting.ExitCode();
    ASSERT_TRUE(waiting.Wait());
    EXPECT_TRUE(DefinitionExists(L'W')) << "it ran once the mutex was free";

    // Held for good, the mutex makes the next helper give up. That it waited
    // its time first: a timer set for most of that time before the helper
    // starts is due when the helper has ended (timed waits end in the order
    // of their due times, so no elapsed time is measured).
    ASSERT_TRUE(WaitForObject(mutex, 0));
    ChildProcess givingUp;
    const DueTimer mostOfTheWait(4000);
    ASSERT_TRUE(givingUp.Start(L"LorvaneHelper32.exe", {L"W:"}));
    ASSERT_TRUE(givingUp.Wait());
    EXPECT_EQ(static_cast<DWORD>(HelperExitFailed), givingUp.ExitCode());
    EXPECT_TRUE(mostOfTheWait.Due()) << "the helper gave up before its wait for the mutex was over";
    EXPECT_TRUE(DefinitionExists(L'W')) << "a helper that gave up changed nothing";
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}
