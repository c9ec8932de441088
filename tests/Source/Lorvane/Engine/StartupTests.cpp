// Lorvane.exe started as a separate process: the usage text for malformed
// command lines, and the main window with its marker window.
#include "AppSettings.h"
#include "CommandLineInfo.h"
#include "DriveRegistry.h"
#include "LorvaneApp.h"
#include "LookupWnd.h"
#include "MainWindowServices.h"
#include "TestSupport.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace
{
// A malformed command line; "%L" stands for an unused drive letter with its
// colon and "%T" for a folder that exists, so that a line taken as a drive
// request would really create a drive.
struct MalformedCase
{
    const char* name;
    std::vector<std::wstring> arguments;
};

std::ostream& operator<<(std::ostream& out, const MalformedCase& c)
{
    return out << c.name;
}

std::wstring Expand(std::wstring argument, wchar_t letter, const std::wstring& target)
{
    const std::wstring drive = std::wstring(1, letter) + L":";
    for (size_t at; (at = argument.find(L"%L")) != std::wstring::npos;)
        argument.replace(at, 2, drive);
    for (size_t at; (at = argument.find(L"%T")) != std::wstring::npos;)
        argument.replace(at, 2, target);
    return argument;
}

class MalformedCommandLine : public ::testing::TestWithParam<MalformedCase>
{
protected:
    RegistrySnapshot m_settings{HKEY_CURRENT_USER, kLorvaneRegistryKey};
    RegistrySnapshot m_run{HKEY_CURRENT_USER, kRunRegistryKey};
    ScratchFolder m_target;
};

TEST_P(MalformedCommandLine, ShowsTheUsageTextAndChangesNothing)
{
    const wchar_t letter = FindUnusedDriveLetter();
    ASSERT_NE(letter, 0);
    std::vector<std::wstring> arguments;
    for (const std::wstring& argument : GetParam().arguments)
        arguments.push_back(Expand(argument, letter, m_target.Path()));

    ProcessDialogWatcher boxes(IDOK);
    RunOptions options;
    options.dialogs = &boxes;
    const RunResult run = RunProgram(L"Lorvane.exe", arguments, options);
    ASSERT_TRUE(run.started) << run.startError;
    EXPECT_FALSE(run.timedOut);

    ASSERT_EQ(boxes.Count(), 1u);
    const CapturedDialog box = boxes.Dialogs()[0];
    EXPECT_TRUE(box.isMessageBox);
    EXPECT_EQ(box.title, L"Lorvane");
    EXPECT_EQ(box.text, GetCommandLineUsageText());
    EXPECT_TRUE(box.HasButton(IDOK));

    EXPECT_EQ(QueryDosDeviceTarget(DriveDevice(letter)), L"");
    EXPECT_TRUE(m_settings.MatchesCurrent());
    EXPECT_TRUE(m_run.MatchesCurrent());
    RemoveTestDosDevice(DriveDevice(letter));
}

const MalformedCase MalformedCases[] = {
    {"UnknownSwitch", {L"%L", L"%T", L"/FOO"}},
    {"FourthPositionalValue", {L"%L", L"%T", L"label", L"extra"}},
    {"LetterNotFirst", {L"%T", L"%L"}},
    {"TrailingIcon", {L"%L", L"%T", L"/ICON"}},
    {"IconSwallowsLetter", {L"/ICON", L"%L", L"%T"}},
    {"DigitForLetter", {L"1:", L"%T"}},
    {"LetterWithoutColon", {L"Q", L"%T"}},
    {"UnknownSwitchWithRemove", {L"/D", L"%L", L"/DELETEALL"}},
    {"UnknownSwitchBeforeStartup", {L"/STARTUPX"}},
};
INSTANTIATE_TEST_SUITE_P(Lines, MalformedCommandLine, ::testing::ValuesIn(MalformedCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct WindowSearch
{
    DWORD processId;
    LPCWSTR className;
    HWND found;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    WCHAR name[128] = {};
    GetClassNameW(window, name, _countof(name));
    if (owner != search->processId || lstrcmpiW(name, search->className) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

// A top-level window of the process with the class (visible or not), or null.
HWND FindProcessWindow(DWORD processId, LPCWSTR className)
{
    WindowSearch search{processId, className, nullptr};
    EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class MainWindowProcess : public ::testing::Test
{
protected:
    // Starts Lorvane.exe without arguments and waits for its main window.
    void StartAndWait()
    {
        ASSERT_TRUE(m_process.Start(L"Lorvane.exe", {})) << m_process.StartError();
        const DWORD processId = m_process.ProcessId();
        ASSERT_TRUE(PumpMessagesUntil(
            [&]
            {
                m_mainWindow = FindProcessWindow(processId, L"#32770");
                m_marker = FindProcessWindow(processId, kMarkerWindowClassName);
                return m_mainWindow && m_marker && IsWindowVisible(m_mainWindow);
            }));
    }

    // Posts the main window a minimise behind the messages the test posted
    // before (its thread handles posted messages in turn) and waits until it
    // is minimised or the process has ended: true when the window was still
    // there to be minimised, so the earlier messages left it open. This is
    // the event that shows those messages were handled; no fixed time is.
    bool StillOpenAfterPostedMessages()
    {
        PostMessageW(m_mainWindow, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        PumpMessagesUntil([&] { return !m_process.Running() || IsIconic(m_mainWindow); });
        return m_process.Running() && IsWindow(m_mainWindow) && IsIconic(m_mainWindow);
    }

    RegistrySnapshot m_settings{HKEY_CURRENT_USER, kLorvaneRegistryKey};
    ChildProcess m_process;
    HWND m_mainWindow = nullptr;
    HWND m_marker = nullptr;
};

TEST_F(MainWindowProcess, OpensWithItsMarkerAndClosesOnWmClose)
{
    StartAndWait();
    WCHAR title[64] = {};
    GetWindowTextW(m_mainWindow, title, _countof(title));
    EXPECT_STREQ(title, L"Lorvane");
    EXPECT_EQ(GetWindowLongW(m_mainWindow, GWL_ID), 0);

    // The marker is the window a second start looks for: fixed class and
    // title, hidden, owned by the main window.
    EXPECT_EQ(FindWindowExW(nullptr, nullptr, kMarkerWindowClassName, L"Lorvane"), m_marker);
    EXPECT_EQ(GetWindow(m_marker, GW_OWNER), m_mainWindow);
    EXPECT_FALSE(IsWindowVisible(m_marker));
    EXPECT_TRUE(GetWindowLongW(m_marker, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

    PostMessageW(m_mainWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(m_process.Wait());
    EXPECT_FALSE(IsWindow(m_marker));
}

TEST_F(MainWindowProcess, EnterAndEscapeLeaveTheWindowOpen)
{
    StartAndWait();
    PostMessageW(m_mainWindow, WM_COMMAND, IDOK, 0);
    PostMessageW(m_mainWindow, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(StillOpenAfterPostedMessages());
    PostMessageW(m_mainWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(m_process.Wait());
}

TEST_F(MainWindowProcess, CloseRequestToTheMarkerNeedsBit0x800)
{
    StartAndWait();
    // The marker and the main window share one thread, so the minimise
    // comes after both requests.
    PostMessageW(m_marker, WM_CLOSE_REQUEST, 0, 0);
    PostMessageW(m_marker, WM_CLOSE_REQUEST, 0x400, 0);
    EXPECT_TRUE(StillOpenAfterPostedMessages());

    PostMessageW(m_marker, WM_CLOSE_REQUEST, 0x800, 0);
    EXPECT_TRUE(m_process.Wait());
    EXPECT_FALSE(IsWindow(m_mainWindow));
}

TEST_F(MainWindowProcess, ClosingSavesTheWindowRectangle)
{
    StartAndWait();
    // SetWindowPos on another process's window returns once that window has
    // handled the move.
    ASSERT_TRUE(SetWindowPos(m_mainWindow, nullptr, 40, 60, 500, 560, SWP_NOZORDER | SWP_NOACTIVATE));
    PostMessageW(m_mainWindow, WM_CLOSE, 0, 0);
    ASSERT_TRUE(m_process.Wait());

    const UniqueRegKey key = OpenUserKey(kLorvaneRegistryKey, KEY_READ, false);
    ASSERT_TRUE(key);
    DWORD x = 0, y = 0, width = 0, height = 0;
    EXPECT_TRUE(ReadRegistryDword(key.get(), L"MainPosX_v6", x));
    EXPECT_TRUE(ReadRegistryDword(key.get(), L"MainPosY_v6", y));
    EXPECT_TRUE(ReadRegistryDword(key.get(), L"MainWidth_v6", width));
    EXPECT_TRUE(ReadRegistryDword(key.get(), L"MainHeight_v6", height));
    EXPECT_EQ(x, 40u);
    EXPECT_EQ(y, 60u);
    EXPECT_EQ(width, 500u);
    EXPECT_EQ(height, 560u);
}

TEST_F(MainWindowProcess, OpensAtTheSavedRectangle)
{
    {
        const UniqueRegKey key = OpenUserKey(kLorvaneRegistryKey, KEY_WRITE, true);
        ASSERT_TRUE(key);
        struct Value
        {
            LPCWSTR name;
            DWORD value;
        };
        for (const Value& v :
             {Value{L"Flags", SettingsFlags::Default}, Value{L"MainPosX_v6", 60}, Value{L"MainPosY_v6", 70},
              Value{L"MainWidth_v6", 500}, Value{L"MainHeight_v6", 600}, Value{L"DPI", GetSettingsDpiValue()}})
            RegSetValueExW(key.get(), v.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v.value), sizeof(v.value));
    }
    StartAndWait();
    RECT window{};
    GetWindowRect(m_mainWindow, &window);
    EXPECT_EQ(window.left, 60);
    EXPECT_EQ(window.top, 70);
    EXPECT_EQ(window.right - window.left, 500);
    EXPECT_EQ(window.bottom - window.top, 600);
    PostMessageW(m_mainWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(m_process.Wait());
}

TEST_F(MainWindowProcess, SecondStartBringsTheFirstWindowBackAndEnds)
{
    StartAndWait();
    struct Case
    {
        const char* name;
        int showCommand;
    };
    for (const Case& c : {Case{"Minimised", SW_MINIMIZE}, Case{"Hidden", SW_HIDE}, Case{"Shown", SW_SHOWNOACTIVATE}})
    {
        ShowWindow(m_mainWindow, c.showCommand);
        const bool shown = c.showCommand == SW_SHOWNOACTIVATE;
        ASSERT_TRUE(PumpMessagesUntil([&]
                                      { return (IsWindowVisible(m_mainWindow) && !IsIconic(m_mainWindow)) == shown; }))
            << c.name;
        const RunResult second = RunProgram(L"Lorvane.exe", {});
        ASSERT_TRUE(second.started) << c.name << " (start error " << second.startError << ")";
        EXPECT_FALSE(second.timedOut) << c.name;
        EXPECT_TRUE(m_process.Running()) << c.name;
        EXPECT_TRUE(PumpMessagesUntil([&] { return IsWindowVisible(m_mainWindow) && !IsIconic(m_mainWindow); }))
            << c.name;
    }
    PostMessageW(m_mainWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(m_process.Wait());
}

TEST_F(MainWindowProcess, NoCheckRunOpensASecondWindow)
{
    StartAndWait();
    ChildProcess another;
    ASSERT_TRUE(another.Start(L"Lorvane.exe", {L"/NOCHECKRUN"}));
    HWND secondWindow = nullptr;
    EXPECT_TRUE(PumpMessagesUntil(
        [&]
        {
            secondWindow = FindProcessWindow(another.ProcessId(), L"#32770");
            return secondWindow != nullptr;
        }));
    if (secondWindow)
        PostMessageW(secondWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(another.Wait());

    PostMessageW(m_mainWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(m_process.Wait());
}

TEST(StartupWithoutWindow, FixLabelWithoutLetterEndsWithoutWindowOrBox)
{
    RegistrySnapshot settings(HKEY_CURRENT_USER, kLorvaneRegistryKey);
    ProcessDialogWatcher boxes(IDOK);
    RunOptions options;
    options.dialogs = &boxes;
    const RunResult run = RunProgram(L"Lorvane.exe", {L"/FIXLABEL"}, options);
    ASSERT_TRUE(run.started) << " (start error " << run.startError << ")";
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_TRUE(settings.MatchesCurrent());
}
}  // namespace

namespace
{
// Drive requests on the command line run without a window. The drive
// operation itself is tested elsewhere; these check that the start-up
// dispatch hands it the right request.
class DriveCommandLine : public ::testing::Test
{
protected:
    DriveCommandLine()
    {
        m_letter = FindUnusedDriveLetter();
        m_device = DriveDevice(m_letter);
        m_drive = m_device;
    }
    ~DriveCommandLine() override { RemoveTestDosDevice(m_device); }

    // Runs Lorvane.exe to its end; every box is answered with its default.
    RunResult Run(const std::vector<std::wstring>& arguments)
    {
        RunOptions options;
        options.dialogs = &m_boxes;
        return RunProgram(L"Lorvane.exe", arguments, options);
    }

    std::wstring Target() const { return QueryDosDeviceTarget(m_device); }

    RegistrySnapshot m_settings{HKEY_CURRENT_USER, kLorvaneRegistryKey};
    RegistrySnapshot m_userIcons{HKEY_CURRENT_USER, L"Software\\Classes\\Applications\\Explorer.exe\\Drives",
                                 KEY_WOW64_64KEY};
    RegistrySnapshot m_userIcons2{
        HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons", KEY_WOW64_64KEY};
    ScratchFolder m_target;
    ProcessDialogWatcher m_boxes{IDCANCEL};
    wchar_t m_letter = 0;
    std::wstring m_device;
    std::wstring m_drive;
};

TEST_F(DriveCommandLine, LetterAndPathCreateTheDriveAndBothRemoveFormsRemoveIt)
{
    ASSERT_NE(m_letter, 0);
    struct RemoveForm
    {
        const char* name;
        std::vector<std::wstring> arguments;
    };
    for (const RemoveForm& form :
         {RemoveForm{"SwitchFirst", {L"/remove", m_drive}}, RemoveForm{"DashDAfterLetter", {m_drive, L"-D"}}})
    {
        RunResult run = Run({m_drive, m_target.Path(), L"Test drive"});
        ASSERT_TRUE(run.started && !run.timedOut) << form.name;
        ASSERT_EQ(Target(), L"\\??\\" + m_target.Path()) << form.name;

        run = Run(form.arguments);
        ASSERT_TRUE(run.started && !run.timedOut) << form.name;
        EXPECT_EQ(Target(), L"") << form.name;
    }
    EXPECT_EQ(m_boxes.Count(), 0u);
}

TEST_F(DriveCommandLine, LetterWithoutPathIsRefusedAsInvalidPath)
{
    ASSERT_NE(m_letter, 0);
    const RunResult run = Run({m_drive});
    ASSERT_TRUE(run.started && !run.timedOut);
    EXPECT_EQ(Target(), L"");
    ASSERT_EQ(m_boxes.Count(), 1u);
    EXPECT_EQ(m_boxes.Dialogs()[0].text.rfind(L"Invalid path: ", 0), 0u) << m_boxes.Dialogs()[0].text;
}

TEST_F(DriveCommandLine, StartupRestoresSavedDrivesAndEndsWithoutWindowInForegroundMode)
{
    ASSERT_NE(m_letter, 0);
    ASSERT_TRUE(SaveDriveEntry(m_letter, m_target.Path().c_str(), L"Saved", nullptr, DriveFlags::Local));
    const UniqueRegKey key = OpenUserKey(kLorvaneRegistryKey, KEY_WRITE, true);
    const DWORD flags = SettingsFlags::Default;  // background mode off
    ASSERT_EQ(RegSetValueExW(key.get(), L"Flags", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&flags), sizeof(flags)),
              ERROR_SUCCESS);

    const RunResult run = Run({L"/startup"});
    ASSERT_TRUE(run.started) << " (start error " << run.startError << ")";
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(Target(), L"\\??\\" + m_target.Path());
    EXPECT_EQ(m_boxes.Count(), 0u);
}

TEST_F(DriveCommandLine, StartupInBackgroundModeRestoresThenOpensTheWindow)
{
    ASSERT_NE(m_letter, 0);
    ASSERT_TRUE(SaveDriveEntry(m_letter, m_target.Path().c_str(), L"Saved", nullptr, DriveFlags::Local));
    const UniqueRegKey key = OpenUserKey(kLorvaneRegistryKey, KEY_WRITE, true);
    const DWORD flags = SettingsFlags::Default | SettingsFlags::BackgroundMode;
    ASSERT_EQ(RegSetValueExW(key.get(), L"Flags", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&flags), sizeof(flags)),
              ERROR_SUCCESS);

    ChildProcess first;
    ASSERT_TRUE(first.Start(L"Lorvane.exe", {L"/startup"}));
    HWND window = nullptr;
    ASSERT_TRUE(PumpMessagesUntil(
        [&]
        {
            window = FindProcessWindow(first.ProcessId(), L"#32770");
            return window != nullptr;
        }));
    EXPECT_EQ(Target(), L"\\??\\" + m_target.Path());

    // A second logon start restores, finds the running window and ends.
    const RunResult second = Run({L"/startup"});
    EXPECT_TRUE(second.started && !second.timedOut);
    EXPECT_TRUE(first.Running());
    EXPECT_EQ(m_boxes.Count(), 0u);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(first.Wait());
}

TEST_F(DriveCommandLine, StartupMountsAWaitingDriveOnlyWhenItsTargetIsBack)
{
    ASSERT_NE(m_letter, 0);
    const DWORD waiting = DriveFlags::Disabled | DriveFlags::Waiting | DriveFlags::AutoRestore | DriveFlags::Local;
    struct Case
    {
        const char* name;
        std::wstring target;
        bool mounted;
    };
    for (const Case& c :
         {Case{"TargetMissing", m_target.PathOf(L"missing"), false}, Case{"TargetBack", m_target.Path() + L"\\", true}})
    {
        ASSERT_TRUE(SaveDriveEntry(m_letter, c.target.c_str(), L"Waiting", nullptr, waiting)) << c.name;
        const RunResult run = Run({L"/startup"});
        ASSERT_TRUE(run.started && !run.timedOut) << c.name;
        EXPECT_EQ(!Target().empty(), c.mounted) << c.name << " " << Target().c_str();
    }
}

TEST_F(DriveCommandLine, StartupSkipsSavedNetworkDrivesUnlessTheyAreManaged)
{
    ASSERT_NE(m_letter, 0);
    ASSERT_TRUE(SaveDriveEntry(m_letter, L"\\\\fs1\\share", L"Share", nullptr, DriveFlags::Network));
    const UniqueRegKey key = OpenUserKey(kLorvaneRegistryKey, KEY_WRITE, true);
    DWORD flags = SettingsFlags::Default;
    ASSERT_EQ(RegSetValueExW(key.get(), L"Flags", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&flags), sizeof(flags)),
              ERROR_SUCCESS);
    RunResult run = Run({L"/startup"});
    ASSERT_TRUE(run.started && !run.timedOut);
    EXPECT_EQ(m_boxes.Count(), 0u);

    // Managed, the connection is tried; Wine has no network, so it fails
    // with a message.
    flags |= SettingsFlags::ManageNetworkDrives;
    ASSERT_EQ(RegSetValueExW(key.get(), L"Flags", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&flags), sizeof(flags)),
              ERROR_SUCCESS);
    run = Run({L"/startup"});
    ASSERT_TRUE(run.started && !run.timedOut);
    EXPECT_GE(m_boxes.Count(), 1u);
    EXPECT_EQ(Target(), L"");
}
}  // namespace
