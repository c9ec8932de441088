// The tray icon: what it asks of the shell (through a scripted shell that
// records each Shell_NotifyIcon call and answers as the test says), how it
// passes events to its owner, its animation, and the real shell of Wine.
#include "CommandBars/ToolkitPopupMenu.h"
#include "Controls/TrayIcon.h"

#include "ChildProcess.h"
#include "MessagePump.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <deque>
#include <string>
#include <vector>

namespace
{

const UINT kMenuIconId = 77;  // the test resources' tray menu
const UINT kErrorIcon = 9426;
const UINT kWarningIcon = 9427;

struct ShellCall
{
    DWORD dwMessage;
    UINT uFlags;
    std::wstring tip;
    HICON hIcon;
    DWORD dwState;
    DWORD dwStateMask;
};

class ScriptedTrayIcon : public CLVKTrayIcon
{
public:
    std::vector<ShellCall> m_calls;
    std::deque<BOOL> m_answers;  // then TRUE
    bool m_bShell5 = true;

    std::vector<DWORD> Messages() const
    {
        std::vector<DWORD> result;
        for (const ShellCall& call : m_calls)
            result.push_back(call.dwMessage);
        return result;
    }

protected:
    BOOL CallShellNotifyIcon(DWORD dwMessage, NOTIFYICONDATAW* pData) override
    {
        m_calls.push_back({dwMessage, pData->uFlags, pData->szTip, pData->hIcon, pData->dwState, pData->dwStateMask});
        if (m_answers.empty())
            return TRUE;
        const BOOL bAnswer = m_answers.front();
        m_answers.pop_front();
        return bAnswer;
    }
    bool IsShell5OrLater() override { return m_bShell5; }
};

// The owner: records the tray messages and commands it gets and answers the
// tray message with what the test set.
struct OwnerLog
{
    std::vector<LPARAM> trayEvents;
    std::vector<WPARAM> commands;
    LRESULT trayAnswer = 0;
};
OwnerLog* g_pOwnerLog = nullptr;

LRESULT CALLBACK OwnerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_pOwnerLog && message == CLVKTrayIcon::kTrayNotifyMessage)
    {
        g_pOwnerLog->trayEvents.push_back(lParam);
        return g_pOwnerLog->trayAnswer;
    }
    if (g_pOwnerLog && message == WM_COMMAND)
    {
        g_pOwnerLog->commands.push_back(wParam);
        return 0;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

class Owner
{
public:
    Owner()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &OwnerProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TrayIconTestOwner";
        RegisterClassW(&wc);
        m_hWnd = CreateWindowExW(0, wc.lpszClassName, L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                                 nullptr);
        m_wnd.Attach(m_hWnd);
        g_pOwnerLog = &log;
    }
    ~Owner()
    {
        g_pOwnerLog = nullptr;
        m_wnd.Detach();
        DestroyWindow(m_hWnd);
    }
    CWnd* Wnd() { return &m_wnd; }
    OwnerLog log;

private:
    HWND m_hWnd = nullptr;
    CWnd m_wnd;
};

}  // namespace

TEST(TrayIcon, CreateAddsTheIconWithATipCutToItsLimit)
{
    ScriptedTrayIcon tray;
    const std::wstring tip(200, L'x');
    ASSERT_TRUE(tray.Create(tip.c_str(), nullptr, kErrorIcon, 5));

    // Before the window exists the icon is hidden: icon and tip are only stored.
    ASSERT_EQ(std::vector<DWORD>{NIM_ADD}, tray.Messages());
    const ShellCall& add = tray.m_calls[0];
    EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), add.uFlags);
    EXPECT_EQ(std::wstring(126, L'x'), add.tip);
    EXPECT_NE(nullptr, add.hIcon);
    EXPECT_EQ(126, tray.GetTooltipText().GetLength());
    const NOTIFYICONDATAW& data = tray.GetNotifyIconData();
    EXPECT_EQ(tray.GetSafeHwnd(), data.hWnd);
    EXPECT_EQ(5u, data.uID);
    EXPECT_EQ(CLVKTrayIcon::kTrayNotifyMessage, data.uCallbackMessage);
    EXPECT_EQ(sizeof(NOTIFYICONDATAW), data.cbSize);
    EXPECT_FALSE(tray.IsHidden());
    EXPECT_FALSE(tray.IsRemoved());
    EXPECT_FALSE(tray.HasAddFailed());
}

TEST(TrayIcon, HiddenIconOnlyStoresItsIconAndTip)
{
    ScriptedTrayIcon tray;
    ASSERT_TRUE(tray.Create(L"tip", nullptr, kErrorIcon));
    tray.m_calls.clear();

    ASSERT_TRUE(tray.HideIcon());
    ASSERT_EQ(1u, tray.m_calls.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), tray.m_calls[0].dwMessage);
    EXPECT_EQ(static_cast<UINT>(NIF_STATE), tray.m_calls[0].uFlags);
    EXPECT_EQ(static_cast<DWORD>(NIS_HIDDEN), tray.m_calls[0].dwState);
    EXPECT_EQ(static_cast<DWORD>(NIS_HIDDEN), tray.m_calls[0].dwStateMask);
    EXPECT_TRUE(tray.IsHidden());
    EXPECT_FALSE(tray.IsRemoved());

    EXPECT_TRUE(tray.SetIcon(kWarningIcon));
    EXPECT_TRUE(tray.SetTooltipText(L"while hidden"));
    EXPECT_EQ(1u, tray.m_calls.size()) << "no shell call while hidden";
    EXPECT_EQ(kErrorIcon, tray.GetIconId()) << "SetIcon does not change the icon given to Create";

    ASSERT_TRUE(tray.ShowIcon());
    ASSERT_EQ(2u, tray.m_calls.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), tray.m_calls[1].dwMessage);
    EXPECT_EQ(0u, tray.m_calls[1].dwState);
    EXPECT_EQ(static_cast<DWORD>(NIS_HIDDEN), tray.m_calls[1].dwStateMask);
    EXPECT_FALSE(tray.IsHidden());

    // Shown again, the setters reach the shell.
    EXPECT_TRUE(tray.SetTooltipText(L"shown"));
    ASSERT_EQ(3u, tray.m_calls.size());
    EXPECT_EQ(static_cast<UINT>(NIF_TIP), tray.m_calls[2].uFlags);
    EXPECT_EQ(L"shown", tray.m_calls[2].tip);
}

TEST(TrayIcon, OldShellRemovesOnHideAndAddsOnShow)
{
    ScriptedTrayIcon tray;
    tray.m_bShell5 = false;
    ASSERT_TRUE(tray.Create(L"tip", nullptr, kErrorIcon));
    tray.m_calls.clear();

    ASSERT_TRUE(tray.HideIcon());
    EXPECT_TRUE(tray.IsRemoved());
    ASSERT_TRUE(tray.ShowIcon());
    EXPECT_FALSE(tray.IsRemoved());
    EXPECT_EQ((std::vector<DWORD>{NIM_DELETE, NIM_ADD}), tray.Messages());
}

TEST(TrayIcon, RefusedAddIsRetriedWhenTheTaskBarComesBack)
{
    const UINT nTaskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    struct Case
    {
        const char* name;
        UINT message;
        WPARAM wParam;
    };
    const Case cases[] = {
        {"TaskbarCreated", nTaskbarCreated, 0},
        {"work area changed", WM_SETTINGCHANGE, SPI_SETWORKAREA},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ScriptedTrayIcon tray;
        tray.m_answers = {FALSE};
        EXPECT_FALSE(tray.Create(L"tip", nullptr, kErrorIcon));
        EXPECT_TRUE(tray.HasAddFailed());
        EXPECT_TRUE(tray.IsRemoved());

        // A setting that is not the work area does not retry.
        SendMessageW(tray.GetSafeHwnd(), WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);
        EXPECT_EQ(1u, tray.m_calls.size());

        tray.m_answers = {FALSE};
        SendMessageW(tray.GetSafeHwnd(), c.message, c.wParam, 0);
        ASSERT_EQ((std::vector<DWORD>{NIM_ADD, NIM_ADD}), tray.Messages());
        EXPECT_TRUE(tray.HasAddFailed()) << "refused again";

        SendMessageW(tray.GetSafeHwnd(), c.message, c.wParam, 0);
        ASSERT_EQ((std::vector<DWORD>{NIM_ADD, NIM_ADD, NIM_ADD}), tray.Messages());
        EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), tray.m_calls[2].uFlags);
        EXPECT_FALSE(tray.HasAddFailed());
        EXPECT_FALSE(tray.IsRemoved());
        EXPECT_FALSE(tray.IsHidden());
    }
}

TEST(TrayIcon, TaskBarRestartAddsAShownIconAgainButNotAHiddenOne)
{
    const UINT nTaskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    ScriptedTrayIcon tray;
    ASSERT_TRUE(tray.Create(L"tip", nullptr, kErrorIcon));
    SendMessageW(tray.GetSafeHwnd(), nTaskbarCreated, 0, 0);
    EXPECT_EQ((std::vector<DWORD>{NIM_ADD, NIM_ADD}), tray.Messages());

    ASSERT_TRUE(tray.HideIcon());
    SendMessageW(tray.GetSafeHwnd(), nTaskbarCreated, 0, 0);
    EXPECT_EQ((std::vector<DWORD>{NIM_ADD, NIM_ADD, NIM_MODIFY}), tray.Messages());

    // A removed icon stays removed, and removing forgets an earlier failure.
    ASSERT_TRUE(tray.RemoveIcon());
    SendMessageW(tray.GetSafeHwnd(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    SendMessageW(tray.GetSafeHwnd(), nTaskbarCreated, 0, 0);
    EXPECT_EQ((std::vector<DWORD>{NIM_ADD, NIM_ADD, NIM_MODIFY, NIM_DELETE}), tray.Messages());
}

TEST(TrayIcon, OwnerGetsEventsFirstAndItsAnswerVetoesTheDefaultCommand)
{
    struct Case
    {
        const char* name;
        LRESULT ownerAnswer;
        BOOL bByPosition;
        UINT nDefaultItem;
        std::vector<WPARAM> commands;
    };
    const Case cases[] = {
        {"owner takes the event", 1, TRUE, 2, {}},
        {"default item by position", 0, TRUE, 2, {7703}},
        {"default item by command", 0, FALSE, 4242, {4242}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Owner owner;
        owner.log.trayAnswer = c.ownerAnswer;
        ScriptedTrayIcon tray;
        ASSERT_TRUE(tray.Create(L"tip", owner.Wnd(), kErrorIcon, kMenuIconId, c.nDefaultItem, c.bByPosition));
        const LRESULT result =
            SendMessageW(tray.GetSafeHwnd(), CLVKTrayIcon::kTrayNotifyMessage, kMenuIconId, WM_LBUTTONDBLCLK);
        EXPECT_EQ(1, result);
        EXPECT_EQ(std::vector<LPARAM>{WM_LBUTTONDBLCLK}, owner.log.trayEvents);
        EXPECT_EQ(c.commands, owner.log.commands);
    }
}

TEST(TrayIcon, EventsOfAnotherIconOrWithoutOwnerAreIgnored)
{
    Owner owner;
    ScriptedTrayIcon tray;
    ASSERT_TRUE(tray.Create(L"tip", owner.Wnd(), kErrorIcon, kMenuIconId, 0, TRUE));
    EXPECT_EQ(0, SendMessageW(tray.GetSafeHwnd(), CLVKTrayIcon::kTrayNotifyMessage, kMenuIconId + 1, WM_LBUTTONDBLCLK));
    EXPECT_TRUE(owner.log.trayEvents.empty());

    ScriptedTrayIcon lonely;
    ASSERT_TRUE(lonely.Create(L"tip", nullptr, kErrorIcon, kMenuIconId));
    EXPECT_EQ(0, SendMessageW(lonely.GetSafeHwnd(), CLVKTrayIcon::kTrayNotifyMessage, kMenuIconId, WM_LBUTTONDBLCLK));

    // An icon id without a menu resource: no menu and no command.
    ScriptedTrayIcon menuless;
    ASSERT_TRUE(menuless.Create(L"tip", owner.Wnd(), kErrorIcon, 4711, 0, TRUE));
    EXPECT_EQ(0, SendMessageW(menuless.GetSafeHwnd(), CLVKTrayIcon::kTrayNotifyMessage, 4711, WM_RBUTTONUP));
    EXPECT_EQ(0, SendMessageW(menuless.GetSafeHwnd(), CLVKTrayIcon::kTrayNotifyMessage, 4711, WM_LBUTTONDBLCLK));
    EXPECT_TRUE(owner.log.commands.empty());
}

// While the tray menu is open a thread timer looks for the toolkit's popup
// window and then chooses "&Hide" by its mnemonic.
HWND g_hMenuOwner = nullptr;
bool g_bToolkitPopupSeen = false;

void CALLBACK ChooseFromTrayMenu(HWND, UINT, UINT_PTR nId, DWORD)
{
    KillTimer(nullptr, nId);
    const HWND hPopup = FindWindowW(L"LVKPopupBar", nullptr);
    g_bToolkitPopupSeen = hPopup && IsWindowVisible(hPopup);
    PostMessageW(g_hMenuOwner, WM_KEYDOWN, 'H', 0);
}

TEST(TrayIcon, TheContextMenuIsAToolkitPopupWhoseCommandsReachTheOwner)
{
    // A program with command bars has them install the toolkit's menus.
    InstallToolkitPopupMenu();
    Owner owner;
    ScriptedTrayIcon tray;
    ASSERT_TRUE(tray.Create(L"tip", owner.Wnd(), kErrorIcon, kMenuIconId, 0, TRUE));
    g_hMenuOwner = owner.Wnd()->GetSafeHwnd();
    g_bToolkitPopupSeen = false;
    SetTimer(nullptr, 0, 20, &ChooseFromTrayMenu);
    EXPECT_EQ(1, SendMessageW(tray.GetSafeHwnd(), CLVKTrayIcon::kTrayNotifyMessage, kMenuIconId, WM_RBUTTONUP));
    EXPECT_TRUE(g_bToolkitPopupSeen);
    EXPECT_EQ(std::vector<WPARAM>{7702}, owner.log.commands);
    EXPECT_EQ(nullptr, FindWindowW(L"LVKPopupBar", nullptr)) << "the menu closed";
}

TEST(TrayIcon, AnimationShowsEachFrameAndStopPutsTheIconBack)
{
    ScriptedTrayIcon tray;
    ASSERT_TRUE(tray.Create(L"resting", nullptr, kErrorIcon));
    const UINT frames[] = {kWarningIcon, kErrorIcon};
    const CString tips[] = {L"busy", L""};

    // Ticks without frames do nothing (and divide by nothing).
    SendMessageW(tray.GetSafeHwnd(), WM_TIMER, CLVKTrayIcon::kDefaultTimerId, 0);
    EXPECT_EQ(1u, tray.m_calls.size());

    ASSERT_TRUE(tray.SetAnimationIcons(frames, 2, tips));
    ASSERT_EQ(2, tray.GetFrameCount());
    tray.m_calls.clear();
    std::vector<std::wstring> shownTips;
    std::vector<HICON> shownIcons;
    for (int tick = 0; tick < 3; ++tick)
    {
        SendMessageW(tray.GetSafeHwnd(), WM_TIMER, CLVKTrayIcon::kDefaultTimerId, 0);
        for (const ShellCall& call : tray.m_calls)
        {
            if (call.uFlags == NIF_TIP)
                shownTips.push_back(call.tip);
            if (call.uFlags == NIF_ICON)
                shownIcons.push_back(call.hIcon);
        }
        tray.m_calls.clear();
    }
    EXPECT_EQ((std::vector<std::wstring>{L"busy", L"resting", L"busy"}), shownTips);
    ASSERT_EQ(3u, shownIcons.size());
    EXPECT_NE(shownIcons[0], shownIcons[1]);
    EXPECT_EQ(shownIcons[0], shownIcons[2]);
    EXPECT_EQ(L"resting", std::wstring(tray.GetTooltipText()));

    tray.StopAnimation();
    ASSERT_FALSE(tray.m_calls.empty());
    EXPECT_EQ(L"resting", tray.m_calls.front().tip);
    EXPECT_EQ(static_cast<UINT>(NIF_ICON), tray.m_calls.back().uFlags);
    EXPECT_NE(shownIcons[0], tray.m_calls.back().hIcon);
}

TEST(TrayIcon, MissingFrameIconStopsLoadingAndKeepsTheFramesBefore)
{
    ScriptedTrayIcon tray;
    const UINT frames[] = {kWarningIcon, 4711, kErrorIcon};
    EXPECT_FALSE(tray.SetAnimationIcons(frames, 3));
    EXPECT_EQ(1, tray.GetFrameCount());
    tray.ClearAnimationIcons();
    EXPECT_EQ(0, tray.GetFrameCount());
}

TEST(TrayIcon, WineShellTakesShowsHidesAndRemovesTheIcon)
{
    // Wine's Shell_NotifyIcon accepts icons whether or not a task bar shows them.
    CLVKTrayIcon tray;
    ASSERT_TRUE(tray.Create(L"Lorvane test icon", nullptr, kErrorIcon, 3));
    EXPECT_FALSE(tray.HasAddFailed());
    EXPECT_TRUE(tray.SetTooltipText(L"new tip"));
    EXPECT_TRUE(tray.SetIcon(kWarningIcon));
    EXPECT_TRUE(tray.HideIcon());
    EXPECT_TRUE(tray.IsHidden());
    EXPECT_TRUE(tray.ShowIcon());
    EXPECT_FALSE(tray.IsHidden());
    EXPECT_TRUE(tray.RemoveIcon());
    EXPECT_TRUE(tray.IsRemoved());
    RECT rc{};
    tray.GetTrayWindowRect(&rc);
    EXPECT_FALSE(IsRectEmpty(&rc));
}

TEST(TrayIcon, HideWindowInTrayParentsTheWindowToAnInvisiblePopup)
{
    Owner owner;
    CLVKTrayIcon tray;
    ASSERT_TRUE(tray.HideWindowInTray(owner.Wnd()));
    const HWND hParent = GetAncestor(owner.Wnd()->GetSafeHwnd(), GA_PARENT);
    ASSERT_NE(GetDesktopWindow(), hParent);
    EXPECT_FALSE(IsWindowVisible(hParent));
    tray.RestoreFromTray(owner.Wnd());
    EXPECT_EQ(GetDesktopWindow(), GetAncestor(owner.Wnd()->GetSafeHwnd(), GA_PARENT));
    EXPECT_TRUE(IsWindowVisible(owner.Wnd()->GetSafeHwnd()));
}

namespace
{

// Set in the child run of the shell-desktop test: the file its result goes to.
const wchar_t kShellResultVariable[] = L"LVK_TRAY_SHELL_RESULT";

// The task bar's pixels as the screen shows them.
std::vector<DWORD> TaskBarPixels(HWND hTaskBar)
{
    RECT rc{};
    GetWindowRect(hTaskBar, &rc);
    const int cx = rc.right - rc.left;
    const int cy = rc.bottom - rc.top;
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    const HDC hScreen = GetDC(nullptr);
    const HDC hDC = CreateCompatibleDC(hScreen);
    const HBITMAP hBitmap = CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    const HGDIOBJ hOld = SelectObject(hDC, hBitmap);
    BitBlt(hDC, 0, 0, cx, cy, hScreen, rc.left, rc.top, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const DWORD*>(pBits);
    std::vector<DWORD> pixels(p, p + cx * cy);
    SelectObject(hDC, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hDC);
    ReleaseDC(nullptr, hScreen);
    return pixels;
}

int CountChanged(const std::vector<DWORD>& a, const std::vector<DWORD>& b)
{
    if (a.size() != b.size())
        return -1;
    int n = 0;
    for (size_t i = 0; i < a.size(); ++i)
        n += a[i] != b[i];
    return n;
}

// The task bar draws in its own process, this thread's windows answering it
// meanwhile: the pixels are read while the thread's messages are handled,
// until they are the same on several reads in a row some time apart.
std::vector<DWORD> SteadyTaskBarPixels(HWND hTaskBar)
{
    std::vector<DWORD> pixels = TaskBarPixels(hTaskBar);
    int nSame = 0;
    PumpMessagesUntil(
        [&]
        {
            PumpMessagesPastTimer(100);
            std::vector<DWORD> now = TaskBarPixels(hTaskBar);
            nSame = now == pixels ? nSame + 1 : 0;
            pixels = std::move(now);
            return nSame >= 3;
        });
    return pixels;
}

// How many pixels differ from the earlier ones once the task bar shows what
// the step did (some changed or none) and has stopped drawing.
int ChangedOnceDrawn(HWND hTaskBar, const std::vector<DWORD>& before, bool bChanged)
{
    PumpMessagesUntil([&] { return (CountChanged(before, TaskBarPixels(hTaskBar)) > 0) == bChanged; });
    return CountChanged(before, SteadyTaskBarPixels(hTaskBar));
}

// The child's side: in a desktop with a task bar, the icon is added, hidden,
// shown again and removed, and the task bar's changed pixels are written
// after each step.
std::string ShowIconInTheTaskBar()
{
    HWND hTaskBar = nullptr;
    if (!PumpMessagesUntil([&] { return (hTaskBar = FindWindowW(L"Shell_TrayWnd", nullptr)) != nullptr; }))
        return "no task bar";
    const std::vector<DWORD> before = SteadyTaskBarPixels(hTaskBar);
    CLVKTrayIcon tray;
    if (!tray.Create(L"Lorvane test icon", nullptr, kErrorIcon, 5))
        return "not created";
    const int nAdded = ChangedOnceDrawn(hTaskBar, before, true);
    tray.HideIcon();
    const int nHidden = ChangedOnceDrawn(hTaskBar, before, false);
    tray.ShowIcon();
    const int nShown = ChangedOnceDrawn(hTaskBar, before, true);
    tray.RemoveIcon();
    const int nRemoved = ChangedOnceDrawn(hTaskBar, before, false);
    return "added " + std::to_string(nAdded) + " hidden " + std::to_string(nHidden) + " shown " +
           std::to_string(nShown) + " removed " + std::to_string(nRemoved);
}

}  // namespace

TEST(TrayIcon, ShowsInTheTaskBarOfAShellDesktop)
{
    wchar_t szResult[MAX_PATH] = {};
    if (GetEnvironmentVariableW(kShellResultVariable, szResult, MAX_PATH))
    {
        // The child run, inside the shell desktop.
        const std::string result = ShowIconInTheTaskBar();
        FILE* pFile = _wfopen(szResult, L"wb");
        ASSERT_NE(nullptr, pFile);
        fwrite(result.data(), 1, result.size(), pFile);
        fclose(pFile);
        return;
    }
    // Wine's explorer makes a desktop with a task bar (and its notification
    // area) for the name "shell" and runs the program in it.
    ScratchFolder folder;
    const std::wstring resultPath = folder.PathOf(L"tray.txt");
    wchar_t szSelf[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, szSelf, MAX_PATH);
    wchar_t szExplorer[MAX_PATH] = {};
    GetWindowsDirectoryW(szExplorer, MAX_PATH);
    lstrcatW(szExplorer, L"\\explorer.exe");
    SetEnvironmentVariableW(kShellResultVariable, resultPath.c_str());
    ChildProcess shell;
    ChildProcessOptions options;
    options.discardOutput = true;
    const bool bStarted = shell.Start(
        szExplorer, {L"/desktop=shell,800x600", szSelf, L"--gtest_filter=TrayIcon.ShowsInTheTaskBarOfAShellDesktop"},
        options);
    SetEnvironmentVariableW(kShellResultVariable, nullptr);
    ASSERT_TRUE(bStarted) << shell.StartError();
    // explorer.exe ends once the program in its desktop has ended.
    EXPECT_TRUE(shell.Wait());
    std::string result;
    folder.ReadFile(L"tray.txt", result);
    int nAdded = -1, nHidden = -1, nShown = -1, nRemoved = -1;
    ASSERT_EQ(4,
              sscanf(result.c_str(), "added %d hidden %d shown %d removed %d", &nAdded, &nHidden, &nShown, &nRemoved))
        << result;
    EXPECT_GT(nAdded, 0) << "the icon appears in the task bar";
    EXPECT_EQ(0, nHidden) << "a hidden icon leaves the task bar as it was";
    EXPECT_GT(nShown, 0);
    EXPECT_EQ(0, nRemoved);
}
