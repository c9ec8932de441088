// Tests of the shared test library itself: if capturing a box or running a
// program did not work, every test built on them would prove nothing.
#include "TestSupport.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <thread>

#include <gtest/gtest.h>

namespace
{

// The child-process tests start this same executable with one DISABLED test
// selected, which acts as told by "--child-action=...".
const wchar_t kChildActionFlag[] = L"--child-action=";

std::vector<std::wstring> ChildArguments(const std::wstring& action)
{
    return {L"--gtest_also_run_disabled_tests", L"--gtest_filter=DISABLED_TestSupportChild.Act",
            kChildActionFlag + action};
}

// Options for those children: their own gtest output (and the crash report
// of the crashing one) would only confuse a reader of this test's log.
RunOptions QuietChild()
{
    RunOptions options;
    options.discardOutput = true;
    return options;
}

struct DialogSearch
{
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchVisibleDialog(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<DialogSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[16]{};
    if (owner != search->processId || !IsWindowVisible(window) ||
        !GetClassNameW(window, name, static_cast<int>(std::size(name))) || wcscmp(name, L"#32770") != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

// A visible dialog ("#32770") of the process, or null.
HWND VisibleDialogOf(DWORD processId)
{
    DialogSearch search{processId, nullptr};
    EnumWindows(MatchVisibleDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring ThisProgram()
{
    wchar_t path[MAX_PATH]{};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

LSTATUS WriteValue(HKEY root, const std::wstring& path, REGSAM view, const wchar_t* name, DWORD type, const void* data,
                   DWORD size)
{
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    status = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return status;
}

LSTATUS WriteString(HKEY root, const std::wstring& path, REGSAM view, const wchar_t* name, const std::wstring& v)
{
    return WriteValue(root, path, view, name, REG_SZ, v.c_str(), static_cast<DWORD>((v.size() + 1) * 2));
}

bool KeyExists(HKEY root, const std::wstring& path, REGSAM view = 0)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

}  // namespace

// The child's side: never run on its own (DISABLED_), only by the tests below.
TEST(DISABLED_TestSupportChild, Act)
{
    int count = 0;
    wchar_t** const argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring action;
    for (int i = 0; i < count; ++i)
    {
        const std::wstring argument = argv[i];
        if (argument.compare(0, wcslen(kChildActionFlag), kChildActionFlag) == 0)
            action = argument.substr(wcslen(kChildActionFlag));
    }
    LocalFree(argv);

    if (action.compare(0, 5, L"exit:") == 0)
        ExitProcess(static_cast<UINT>(std::stoul(action.substr(5))));
    if (action.compare(0, 4, L"box:") == 0)
        ExitProcess(static_cast<UINT>(
            MessageBoxW(nullptr, action.substr(4).c_str(), L"Child box", MB_YESNOCANCEL | MB_ICONERROR)));
    if (action == L"two-boxes")
    {
        const int first = MessageBoxW(nullptr, L"First", L"Child box", MB_OKCANCEL);
        const int second = MessageBoxW(nullptr, L"Second", L"Child box", MB_YESNO);
        ExitProcess(static_cast<UINT>(first * 10 + second));
    }
    if (action == L"hang")
        Sleep(INFINITE);
    if (action == L"unanswered-box")
        MessageBoxW(nullptr, L"Nobody answers this.", L"Waiting box", MB_OK);
    if (action == L"crash")
    {
        // A raised access violation takes the same unhandled-exception path
        // as a fault of the processor, but its code does not depend on how the
        // fault is translated: an emulated processor may report a bad write
        // as an illegal instruction.
        RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    }
    if (action == L"elevated")
    {
        HANDLE token = nullptr;
        OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
        TOKEN_ELEVATION elevation{};
        DWORD size = 0;
        GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size);
        CloseHandle(token);
        ExitProcess(elevation.TokenIsElevated ? 1 : 0);
    }
    ExitProcess(99);
}

// --- Message boxes and task dialogs of this process ---

struct MessageBoxCase
{
    const char* name;
    UINT type;
    int answer;
    int expectedResult;
    std::vector<std::wstring> expectedButtons;
};

class MessageBoxCaptureTest : public ::testing::TestWithParam<MessageBoxCase>
{
};

TEST_P(MessageBoxCaptureTest, RecordsTheBoxAndClicksTheChosenButton)
{
    const auto& c = GetParam();
    DialogCapture boxes;
    boxes.QueueAnswer(c.answer);

    const int result = MessageBoxW(nullptr, L"Line one\nLine two", L"The caption", c.type);

    EXPECT_EQ(c.expectedResult, result);
    const auto dialogs = boxes.Dialogs();
    ASSERT_EQ(1u, dialogs.size());
    EXPECT_TRUE(dialogs[0].isMessageBox);
    EXPECT_EQ(L"The caption", dialogs[0].title);
    EXPECT_EQ(L"Line one\nLine two", dialogs[0].text);
    EXPECT_EQ(c.expectedButtons, dialogs[0].ButtonTexts());
    EXPECT_EQ(c.answer, dialogs[0].requestedAnswer);
    EXPECT_EQ(c.expectedResult, dialogs[0].answer);
    EXPECT_EQ(GetCurrentProcessId(), dialogs[0].processId);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MessageBoxCaptureTest,
    ::testing::Values(
        MessageBoxCase{"YesNoAnsweredNo", MB_YESNO | MB_ICONQUESTION, IDNO, IDNO, {L"Yes", L"No"}},
        MessageBoxCase{"YesNoCancelAnsweredYes", MB_YESNOCANCEL, IDYES, IDYES, {L"Yes", L"No", L"Cancel"}},
        MessageBoxCase{"OkCancelAnsweredOk", MB_OKCANCEL | MB_ICONERROR, IDOK, IDOK, {L"OK", L"Cancel"}},
        // A missing button: the dismissing one of the box (Cancel, No, OK).
        MessageBoxCase{"OkOnlyAskedForCancelGetsOk", MB_OK, IDCANCEL, IDOK, {L"OK"}},
        MessageBoxCase{"YesNoAskedForCancelGetsNo", MB_YESNO, IDCANCEL, IDNO, {L"Yes", L"No"}},
        MessageBoxCase{
            "RetryCancelAskedForIgnoreGetsCancel", MB_RETRYCANCEL, IDIGNORE, IDCANCEL, {L"Retry", L"Cancel"}}),
    [](const ::testing::TestParamInfo<MessageBoxCase>& info) { return std::string(info.param.name); });

TEST(DialogCaptureTest, QueuedAnswersGoToTheBoxesInOrderThenTheDefault)
{
    DialogCapture boxes(IDNO);
    boxes.QueueAnswer(IDYES);
    boxes.QueueAnswer(IDCANCEL);

    EXPECT_EQ(IDYES, MessageBoxW(nullptr, L"1", L"t", MB_YESNOCANCEL));
    EXPECT_EQ(IDCANCEL, MessageBoxW(nullptr, L"2", L"t", MB_YESNOCANCEL));
    EXPECT_EQ(IDNO, MessageBoxW(nullptr, L"3", L"t", MB_YESNOCANCEL));
    ASSERT_EQ(3u, boxes.Count());
    EXPECT_EQ(L"3", boxes.Dialogs()[2].text);
}

TEST(DialogCaptureTest, NestedCaptureTakesOverAndHandsBack)
{
    DialogCapture outer(IDOK);
    {
        DialogCapture inner(IDCANCEL);
        EXPECT_EQ(IDCANCEL, MessageBoxW(nullptr, L"inner", L"t", MB_OKCANCEL));
        EXPECT_EQ(1u, inner.Count());
    }
    EXPECT_EQ(IDOK, MessageBoxW(nullptr, L"outer", L"t", MB_OKCANCEL));
    ASSERT_EQ(1u, outer.Count());
    EXPECT_EQ(L"outer", outer.Dialogs()[0].text);
}

TEST(DialogCaptureTest, NothingIsCapturedOnceTheCaptureIsGone)
{
    {
        DialogCapture boxes;
    }
    // Without a capture the box would wait for a user: answer it from a
    // second capture on this thread to show the first one let go.
    DialogCapture second(IDOK);
    EXPECT_EQ(IDOK, MessageBoxW(nullptr, L"x", L"t", MB_OK));
    EXPECT_EQ(1u, second.Count());
}

namespace
{

HRESULT CALLBACK RecordClick(HWND, UINT notification, WPARAM wParam, LPARAM, LONG_PTR data)
{
    if (notification == TDN_BUTTON_CLICKED)
        *reinterpret_cast<int*>(data) = static_cast<int>(wParam);
    return S_OK;
}

}  // namespace

TEST(DialogCaptureTest, TaskDialogTextsAndCustomButton)
{
    DialogCapture boxes;
    boxes.QueueAnswer(1002);
    TASKDIALOG_BUTTON buttons[] = {{1001, L"Keep the drive"}, {1002, L"Remove the drive"}};
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof(config);
    config.pszWindowTitle = L"Task title";
    config.pszMainInstruction = L"Main instruction";
    config.pszContent = L"Content text";
    config.pszVerificationText = L"Do not ask again";
    config.dwCommonButtons = TDCBF_CANCEL_BUTTON;
    config.pButtons = buttons;
    config.cButtons = 2;
    config.pfCallback = RecordClick;
    int clicked = 0;
    config.lpCallbackData = reinterpret_cast<LONG_PTR>(&clicked);
    int button = 0;

    ASSERT_EQ(S_OK, TaskDialogIndirect(&config, &button, nullptr, nullptr));

    EXPECT_EQ(1002, button);
    EXPECT_EQ(1002, clicked) << "the callback sees the click like a user's";
    const auto dialogs = boxes.Dialogs();
    ASSERT_EQ(1u, dialogs.size());
    EXPECT_FALSE(dialogs[0].isMessageBox);
    EXPECT_EQ(L"Task title", dialogs[0].title);
    EXPECT_EQ((std::vector<std::wstring>{L"Main instruction", L"Content text"}), dialogs[0].texts);
    EXPECT_EQ(L"Main instruction\nContent text", dialogs[0].text);
    EXPECT_EQ((std::vector<std::wstring>{L"Keep the drive", L"Remove the drive", L"Cancel"}), dialogs[0].ButtonTexts());
    ASSERT_EQ(1u, dialogs[0].options.size());
    EXPECT_EQ(L"Do not ask again", dialogs[0].options[0].text);
}

// --- Other processes ---

TEST(ChildProcessTest, QuotedArgumentsComeBackUnchanged)
{
    const std::vector<std::wstring> arguments = {
        L"plain",    L"with space", L"", L"quote\"inside", L"C:\\folder\\", L"C:\\with space\\", L"back\\\\\"slashes",
        L"tab\there"};
    const std::wstring commandLine = BuildCommandLine(L"C:\\dir with space\\Program.exe", arguments);
    int count = 0;
    wchar_t** const argv = CommandLineToArgvW(commandLine.c_str(), &count);
    ASSERT_NE(nullptr, argv);
    std::vector<std::wstring> parsed(argv + 1, argv + count);
    EXPECT_EQ(L"C:\\dir with space\\Program.exe", std::wstring(argv[0]));
    LocalFree(argv);
    EXPECT_EQ(arguments, parsed);
}

TEST(ChildProcessTest, ExitCodeOfAProgramBesideTheTest)
{
    EXPECT_EQ(ProgramPath(L"x.exe"), TestBinFolder() + L"\\x.exe");
    const std::wstring exeName = ThisProgram().substr(TestBinFolder().size() + 1);

    const RunResult run = RunProgram(exeName, ChildArguments(L"exit:1234567"), QuietChild());

    ASSERT_TRUE(run.started) << run.startError;
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(1234567u, run.exitCode);
}

TEST(ChildProcessTest, BuiltProgramsAreBesideTheTest)
{
    for (const wchar_t* program : {L"Lorvane.exe", L"LorvaneHelper32.exe"})
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(ProgramPath(program).c_str())) << program;
}

TEST(ChildProcessTest, MissingProgramReportsTheStartError)
{
    const RunResult run = RunProgram(L"NoSuchProgram.exe", {});
    EXPECT_FALSE(run.started);
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), run.startError);
}

TEST(ChildProcessTest, TimeOutKillsAHungProgram)
{
    // The child never ends, so the time-out is the only way back; a run that
    // did not honour it would hang this test until its watchdog ends it.
    RunOptions options = QuietChild();
    options.timeoutMs = 1500;

    const RunResult run = RunProgram(ThisProgram(), ChildArguments(L"hang"), options);

    ASSERT_TRUE(run.started) << " (start error " << run.startError << ")";
    EXPECT_TRUE(run.timedOut);
    EXPECT_NE(static_cast<DWORD>(STILL_ACTIVE), run.exitCode) << "it was ended";
}

TEST(ChildProcessTest, ProgramLeftRunningWhenAsked)
{
    ChildProcess child;
    ASSERT_TRUE(child.Start(ThisProgram(), ChildArguments(L"hang"), QuietChild()));
    // The child never ends: a short wait times out on any machine.
    EXPECT_FALSE(child.Wait(300));
    EXPECT_TRUE(child.Running());
    EXPECT_EQ(static_cast<DWORD>(STILL_ACTIVE), child.ExitCode());
    const auto running = ProcessIdsOf(ThisProgram().substr(TestBinFolder().size() + 1));
    EXPECT_NE(running.end(), std::find(running.begin(), running.end(), child.ProcessId()));
    child.Kill(42);
    EXPECT_EQ(42u, child.ExitCode());
}

TEST(ChildProcessTest, CrashEndsTheProgramWithoutADialog)
{
    const RunResult run = RunProgram(ThisProgram(), ChildArguments(L"crash"), QuietChild());
    ASSERT_TRUE(run.started) << " (start error " << run.startError << ")";
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION), run.exitCode);
}

TEST(ChildProcessTest, WatchdogEndsAHungTestAndNamesItsOpenBox)
{
    // The child's test waits on a box nobody answers; with a one-second limit
    // its watchdog must end it and say what it waited on.
    ScratchFolder folder;
    const std::wstring log = folder.PathOf(L"child.log");
    SECURITY_ATTRIBUTES inheritable{};
    inheritable.nLength = sizeof(inheritable);
    inheritable.bInheritHandle = TRUE;
    const HANDLE file =
        CreateFileW(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = file;
    startup.hStdError = file;
    PROCESS_INFORMATION info{};
    std::wstring commandLine = BuildCommandLine(ThisProgram(), ChildArguments(L"unanswered-box"));
    SetEnvironmentVariableW(L"LORVANE_TEST_CASE_TIMEOUT", L"1");
    const BOOL started =
        CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
    SetEnvironmentVariableW(L"LORVANE_TEST_CASE_TIMEOUT", nullptr);
    CloseHandle(file);
    ASSERT_TRUE(started);
    CloseHandle(info.hThread);
    const DWORD waited = WaitForSingleObject(info.hProcess, kHungWaitMs);
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(info.hProcess, 1);
    DWORD exitCode = 0;
    GetExitCodeProcess(info.hProcess, &exitCode);
    CloseHandle(info.hProcess);

    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), waited);
    EXPECT_EQ(0xDEAD0001u, exitCode);
    std::string output;
    ASSERT_TRUE(folder.ReadFile(L"child.log", output));
    EXPECT_NE(std::string::npos, output.find("TIMEOUT: DISABLED_TestSupportChild.Act did not end within 1 s"))
        << output;
    EXPECT_NE(std::string::npos, output.find("open dialog \"Waiting box\": \"Nobody answers this.\"")) << output;
}

TEST(ChildProcessTest, LimitedTokenRunsTheProgramNotElevated)
{
    // A program started by wine runs elevated; the linked token is the
    // limited one of the same user.
    EXPECT_EQ(1u, RunProgram(ThisProgram(), ChildArguments(L"elevated"), QuietChild()).exitCode);
    RunOptions options = QuietChild();
    options.limitedToken = true;
    const RunResult run = RunProgram(ThisProgram(), ChildArguments(L"elevated"), options);
    ASSERT_TRUE(run.started) << run.startError;
    EXPECT_EQ(0u, run.exitCode);
}

TEST(ProcessDialogWatcherTest, RecordsTheChildsBoxAndAnswersIt)
{
    ProcessDialogWatcher boxes;
    boxes.QueueAnswer(IDNO);
    RunOptions options = QuietChild();
    options.dialogs = &boxes;

    const RunResult run = RunProgram(ThisProgram(), ChildArguments(L"box:Cannot map P: to C:\\missing."), options);

    ASSERT_TRUE(run.started) << " (start error " << run.startError << ")";
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(static_cast<DWORD>(IDNO), run.exitCode);
    const auto dialogs = boxes.Dialogs();
    ASSERT_EQ(1u, dialogs.size());
    EXPECT_TRUE(dialogs[0].isMessageBox);
    EXPECT_EQ(L"Child box", dialogs[0].title);
    EXPECT_EQ(L"Cannot map P: to C:\\missing.", dialogs[0].text);
    EXPECT_EQ((std::vector<std::wstring>{L"Yes", L"No", L"Cancel"}), dialogs[0].ButtonTexts());
}

TEST(ProcessDialogWatcherTest, SeveralBoxesInTurnWithQueuedAndDefaultAnswers)
{
    ProcessDialogWatcher boxes(IDYES);
    boxes.QueueAnswer(IDCANCEL);
    ChildProcess child;
    ASSERT_TRUE(child.Start(ThisProgram(), ChildArguments(L"two-boxes"), QuietChild()));
    boxes.Watch(child.ProcessId());

    ASSERT_TRUE(child.Wait());
    EXPECT_EQ(static_cast<DWORD>(IDCANCEL * 10 + IDYES), child.ExitCode());
    EXPECT_TRUE(boxes.WaitForDialogs(2, 0));
    const auto dialogs = boxes.Dialogs();
    ASSERT_EQ(2u, dialogs.size());
    EXPECT_EQ(L"First", dialogs[0].text);
    EXPECT_EQ(L"Second", dialogs[1].text);
}

TEST(ProcessDialogWatcherTest, BoxesOfUnwatchedProcessesAreLeftAlone)
{
    ProcessDialogWatcher boxes;
    ChildProcess child;
    ASSERT_TRUE(child.Start(ThisProgram(), ChildArguments(L"box:not yours"), QuietChild()));
    // Once its box is up and the watcher has looked at every window since,
    // the box was seen and left alone.
    ASSERT_TRUE(WaitUntil([&] { return VisibleDialogOf(child.ProcessId()) != nullptr; }));
    ASSERT_TRUE(boxes.WaitForFullLook());
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_TRUE(child.Running()) << "its box is still open";
    boxes.Watch(child.ProcessId());
    EXPECT_TRUE(child.Wait());
    EXPECT_EQ(static_cast<DWORD>(IDCANCEL), child.ExitCode());
}

TEST(ProcessDialogWatcherTest, DescendantsAreWatchedWhenAsked)
{
    ProcessDialogWatcher boxes;
    boxes.WatchDescendants();
    boxes.QueueAnswer(IDYES);
    ChildProcess child;
    ASSERT_TRUE(child.Start(ThisProgram(), ChildArguments(L"box:from a child"), QuietChild()));
    // Its parent (this process) is not watched yet: the box stays open.
    ASSERT_TRUE(WaitUntil([&] { return VisibleDialogOf(child.ProcessId()) != nullptr; }));
    ASSERT_TRUE(boxes.WaitForFullLook());
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_TRUE(child.Running()) << "its box is still open";

    boxes.Watch(GetCurrentProcessId());

    EXPECT_TRUE(boxes.WaitForDialogs(1));
    ASSERT_TRUE(child.Wait());
    EXPECT_EQ(static_cast<DWORD>(IDYES), child.ExitCode());
}

TEST(ProcessDialogWatcherTest, BoxOfAWorkerThreadOfThisProcess)
{
    ProcessDialogWatcher boxes;
    boxes.QueueAnswer(IDRETRY);
    boxes.Watch(GetCurrentProcessId());
    int result = 0;

    std::thread worker([&] { result = MessageBoxW(nullptr, L"Worker failed.", L"Worker", MB_RETRYCANCEL); });
    worker.join();

    EXPECT_EQ(IDRETRY, result);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(L"Worker failed.", boxes.Dialogs()[0].text);
}

TEST(DialogFilterTest, FilteredDialogsAreLeftToOthers)
{
    // The hook captures the error boxes but not the program's main window
    // (here a box titled "Main window"); a watcher of this process, filtered
    // the other way, answers that one, proving the hook left it alone.
    DialogCapture errors(IDCANCEL);
    errors.SetFilter([](const CapturedDialog& d) { return d.title != L"Main window"; });
    ProcessDialogWatcher mainWindow(IDOK);
    mainWindow.SetFilter([](const CapturedDialog& d) { return d.title == L"Main window"; });
    mainWindow.Watch(GetCurrentProcessId());

    EXPECT_EQ(IDOK, MessageBoxW(nullptr, L"main", L"Main window", MB_OKCANCEL));
    EXPECT_EQ(IDCANCEL, MessageBoxW(nullptr, L"The error.", L"Error", MB_OKCANCEL));

    ASSERT_EQ(1u, errors.Count());
    EXPECT_EQ(L"The error.", errors.Dialogs()[0].text);
    ASSERT_EQ(1u, mainWindow.Count());
    EXPECT_EQ(L"main", mainWindow.Dialogs()[0].text);
}

// --- Registry ---

TEST(ScratchRegistryKeyTest, IsEmptyUniqueAndRemovedWithEverythingBelow)
{
    std::wstring path;
    {
        ScratchRegistryKey key;
        ScratchRegistryKey other;
        path = key.Path();
        EXPECT_NE(key.Path(), other.Path());
        EXPECT_EQ(0u, path.find(L"Software\\LorvaneTests\\ScratchRegistryKeyTest."));
        key.SetString(L"Sub\\Deeper", L"Name", L"value");
        key.SetDword(L"", L"Number", 7);
        std::wstring text;
        DWORD number = 0;
        EXPECT_TRUE(key.GetString(L"Sub\\Deeper", L"Name", text));
        EXPECT_EQ(L"value", text);
        EXPECT_TRUE(key.GetDword(L"", L"Number", number));
        EXPECT_EQ(7u, number);
        EXPECT_TRUE(key.HasSubKey(L"Sub"));
        EXPECT_FALSE(key.GetString(L"", L"Missing", text));
    }
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, path));
}

struct SnapshotCase
{
    const char* name;
    // Changes the saved key (its path given) the way a program under test might.
    void (*change)(HKEY root, const std::wstring& path, REGSAM view);
};

class RegistrySnapshotTest : public ::testing::TestWithParam<SnapshotCase>
{
protected:
    ScratchRegistryKey m_scratch;
};

namespace
{

void ArrangeExistingKey(HKEY root, const std::wstring& path, REGSAM view)
{
    WriteString(root, path, view, L"", L"default value");
    WriteString(root, path, view, L"Label", L"Data");
    const DWORD number = 5;
    WriteValue(root, path, view, L"Number", REG_DWORD, &number, sizeof(number));
    // A string without its terminating zero, and an empty binary value. The
    // character after the three written ones is not zero: the registry adds
    // a terminator when the next character in the caller's memory is one.
    const wchar_t unterminated[] = {L'a', L'b', L'c', L'x'};
    WriteValue(root, path, view, L"Unterminated", REG_SZ, unterminated, 3 * sizeof(wchar_t));
    WriteValue(root, path, view, L"Empty", REG_BINARY, nullptr, 0);
    WriteString(root, path + L"\\Child\\Grandchild", view, L"Deep", L"deep value");
    WriteString(root, path + L"\\Sibling", view, L"x", L"y");
}

const SnapshotCase kSnapshotCases[] = {
    {"ValueChanged", [](HKEY r, const std::wstring& p, REGSAM v) { WriteString(r, p, v, L"Label", L"Other"); }},
    {"ValueTypeChanged",
     [](HKEY r, const std::wstring& p, REGSAM v) { WriteValue(r, p, v, L"Label", REG_EXPAND_SZ, L"Data", 10); }},
    {"ValueAdded", [](HKEY r, const std::wstring& p, REGSAM v) { WriteString(r, p, v, L"New", L"n"); }},
    {"ValueDeleted",
     [](HKEY r, const std::wstring& p, REGSAM v)
     {
         HKEY key = nullptr;
         RegOpenKeyExW(r, p.c_str(), 0, KEY_ALL_ACCESS | v, &key);
         RegDeleteValueW(key, L"Number");
         RegDeleteValueW(key, L"");
         RegCloseKey(key);
     }},
    {"SubKeyAdded",
     [](HKEY r, const std::wstring& p, REGSAM v) { WriteString(r, p + L"\\Child\\New\\Deeper", v, L"z", L"z"); }},
    {"SubKeyDeleted",
     [](HKEY r, const std::wstring& p, REGSAM v)
     {
         HKEY key = nullptr;
         RegOpenKeyExW(r, p.c_str(), 0, KEY_ALL_ACCESS | v, &key);
         RegDeleteTreeW(key, L"Child");
         RegCloseKey(key);
     }},
    {"KeyDeleted",
     [](HKEY r, const std::wstring& p, REGSAM v)
     {
         HKEY key = nullptr;
         RegOpenKeyExW(r, p.c_str(), 0, KEY_ALL_ACCESS | v, &key);
         RegDeleteTreeW(key, nullptr);
         RegCloseKey(key);
         RegDeleteKeyExW(r, p.c_str(), v, 0);
     }},
};

}  // namespace

TEST_P(RegistrySnapshotTest, PutsAChangedKeyBackExactly)
{
    const std::wstring path = m_scratch.Path() + L"\\Saved";
    ArrangeExistingKey(HKEY_CURRENT_USER, path, 0);
    RegistryKeyData before;
    ASSERT_TRUE(RegistrySnapshot::Read(HKEY_CURRENT_USER, path, 0, before));
    ASSERT_EQ(5u, before.values.size());
    {
        RegistrySnapshot snapshot(HKEY_CURRENT_USER, path);
        EXPECT_TRUE(snapshot.Existed());
        GetParam().change(HKEY_CURRENT_USER, path, 0);
        EXPECT_FALSE(snapshot.MatchesCurrent());
    }
    RegistryKeyData after;
    ASSERT_TRUE(RegistrySnapshot::Read(HKEY_CURRENT_USER, path, 0, after));
    EXPECT_TRUE(before == after);
    // The unterminated string keeps its exact bytes.
    const auto unterminated = std::find_if(after.values.begin(), after.values.end(),
                                           [](const RegistryValueData& v) { return v.name == L"Unterminated"; });
    ASSERT_NE(after.values.end(), unterminated);
    EXPECT_EQ(6u, unterminated->data.size());
}

INSTANTIATE_TEST_SUITE_P(Changes, RegistrySnapshotTest, ::testing::ValuesIn(kSnapshotCases),
                         [](const ::testing::TestParamInfo<SnapshotCase>& info)
                         { return std::string(info.param.name); });

TEST(RegistrySnapshotMissingKeyTest, KeyAndItsMissingParentsAreRemovedAgain)
{
    ScratchRegistryKey scratch;
    const std::wstring parent = scratch.Path() + L"\\Vendor";
    const std::wstring path = parent + L"\\Product\\2.0";
    {
        RegistrySnapshot snapshot(HKEY_CURRENT_USER, path);
        EXPECT_FALSE(snapshot.Existed());
        WriteString(HKEY_CURRENT_USER, path + L"\\Drives", 0, L"P", L"C:\\x");
        EXPECT_FALSE(snapshot.MatchesCurrent());
    }
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, parent)) << "the parents it created go too";
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, scratch.Path())) << "the parents that existed stay";
}

TEST(RegistrySnapshotMissingKeyTest, MachineKeyIn64BitView)
{
    // The machine key is written through the 64-bit view; the 32-bit view
    // (Wow6432Node) never sees it.
    const std::wstring path = L"Software\\LorvaneTests\\" + UniqueTestName();
    {
        RegistrySnapshot snapshot(HKEY_LOCAL_MACHINE, path, KEY_WOW64_64KEY);
        ASSERT_EQ(ERROR_SUCCESS, WriteString(HKEY_LOCAL_MACHINE, path, KEY_WOW64_64KEY, L"v", L"w"));
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, path, KEY_WOW64_64KEY));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, path, KEY_WOW64_32KEY));
    }
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, path, KEY_WOW64_64KEY));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\LorvaneTests", KEY_WOW64_64KEY));
}

// --- Folders ---

TEST(ScratchFolderTest, IsUniqueAndRemovedWithReadOnlyContents)
{
    std::wstring path;
    {
        ScratchFolder folder;
        ScratchFolder other;
        path = folder.Path();
        EXPECT_NE(folder.Path(), other.Path());
        const std::wstring file = folder.WriteFile(L"a\\b\\c.txt", "contents");
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
        SetFileAttributesW(folder.PathOf(L"a\\b").c_str(), FILE_ATTRIBUTE_READONLY);
        folder.CreateFolder(L"empty\\deeper");
        std::string read;
        EXPECT_TRUE(folder.ReadFile(L"a\\b\\c.txt", read));
        EXPECT_EQ("contents", read);
        EXPECT_TRUE(folder.Exists(L"empty\\deeper"));
        EXPECT_FALSE(folder.Exists(L"nothing"));
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str()));
}

// --- DOS devices ---

TEST(DosDevicesTest, ScratchDeviceIsDefinedAndRemovedAgain)
{
    const wchar_t letter = FindUnusedDriveLetter();
    ASSERT_NE(0, letter);
    const std::wstring device = DriveDevice(letter);
    {
        ScratchDosDevice scratch(letter, L"\\??\\C:\\windows");
        ASSERT_TRUE(scratch.Defined()) << scratch.Error();
        EXPECT_EQ(L"\\??\\C:\\windows", QueryDosDeviceTarget(device));
        EXPECT_NE(0u, GetLogicalDrives() & (1u << (letter - L'A')));
        EXPECT_NE(letter, FindUnusedDriveLetter());
    }
    EXPECT_EQ(L"", QueryDosDeviceTarget(device));
}

TEST(DosDevicesTest, RemovalKeepsOtherTargetsAndRealVolumes)
{
    const wchar_t letter = FindUnusedDriveLetter();
    ASSERT_NE(0, letter);
    const std::wstring device = DriveDevice(letter);
    ScratchDosDevice scratch(letter, L"\\??\\C:\\windows");
    ASSERT_TRUE(scratch.Defined());

    EXPECT_TRUE(RemoveTestDosDevice(device, L"\\??\\C:\\other"));
    EXPECT_EQ(L"\\??\\C:\\windows", QueryDosDeviceTarget(device)) << "another target is not removed";

    const std::wstring system = QueryDosDeviceTarget(L"C:");
    ASSERT_TRUE(IsVolumeTarget(system)) << "C: is a real volume";
    EXPECT_FALSE(RemoveTestDosDevice(L"C:", system));
    EXPECT_TRUE(RemoveTestDosDevice(L"C:"));
    EXPECT_EQ(system, QueryDosDeviceTarget(L"C:"));

    EXPECT_TRUE(RemoveTestDosDevice(device, L"\\??\\c:\\WINDOWS"));
    EXPECT_EQ(L"", QueryDosDeviceTarget(device));
}
