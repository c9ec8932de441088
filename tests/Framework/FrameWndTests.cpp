// Frames and their bars: the bar layout (RepositionBars and WM_SIZEPARENT,
// with its query mode), the delayed layout and the command state at idle
// time, the prompts in the message bar, the accelerators and the windows
// that float beside a frame.
#include "Framework.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

const CRect kClient(0, 0, 300, 200);
const CRect kStart(0, 0, 1, 1);

// A bar of a fixed thickness; stretched, it spans the whole edge.
class CFixedBar : public CControlBar
{
public:
    CFixedBar(DWORD dwAlign, int nLength, int nThickness) : m_nLength(nLength), m_nThickness(nThickness)
    {
        m_dwStyle = dwAlign;
    }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        if (bHorz)
            return CSize(bStretch ? 32767 : m_nLength, m_nThickness);
        return CSize(m_nThickness, bStretch ? 32767 : m_nLength);
    }

    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override
    {
        ++m_nUpdates;
        m_pLastTarget = pTarget;
        CControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    }

    BOOL Make(CWnd* pParent, UINT nID) { return Create(NULL, L"", WS_CHILD | WS_VISIBLE, kStart, pParent, nID); }

    int m_nLength;
    int m_nThickness;
    int m_nUpdates = 0;
    CFrameWnd* m_pLastTarget = nullptr;
};

// A frame on the stack whose commands the tests can see.
class CTestFrame : public CFrameWnd
{
public:
    CTestFrame() { m_bAutoDelete = FALSE; }

    BOOL Make(DWORD dwStyle = WS_POPUP)
    {
        // A pop-up without borders: the client area is the window.
        return Create(NULL, L"Frame", dwStyle, kClient);
    }

    std::vector<UINT> m_commands;

    afx_msg void OnFileNew() { m_commands.push_back(ID_FILE_NEW); }
    afx_msg void OnEditCopy() { m_commands.push_back(ID_EDIT_COPY); }
    afx_msg void OnUpdateEnable(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    afx_msg void OnUpdateDisable(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateCheck(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnCommand104() { m_commands.push_back(104); }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateDisable)
    ON_UPDATE_COMMAND_UI(100, OnUpdateEnable)
    ON_UPDATE_COMMAND_UI(103, OnUpdateCheck)
    ON_COMMAND(104, OnCommand104)
END_MESSAGE_MAP()

CRect ChildRect(const CWnd& parent, const CWnd& child)
{
    CRect rect;
    child.GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    return rect;
}

std::string Show(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

#define EXPECT_RECT(expected, actual) EXPECT_EQ(Show(expected), Show(actual))

// A frame with a bar on top (thickness 20, length 120), one at the bottom
// (15, 90), one on the left (30, 50), made in that order, and its pane.
struct BarFixture
{
    CTestFrame frame;
    CFixedBar top{CBRS_TOP, 120, 20};
    CFixedBar bottom{CBRS_BOTTOM, 90, 15};
    CFixedBar left{CBRS_LEFT, 50, 30};
    CWnd pane;

    bool Make()
    {
        return frame.Make() && top.Make(&frame, AFX_IDW_TOOLBAR) && bottom.Make(&frame, AFX_IDW_STATUS_BAR) &&
               left.Make(&frame, AFX_IDW_DOCKBAR_LEFT) &&
               pane.Create(NULL, L"", WS_CHILD | WS_VISIBLE, kStart, &frame, AFX_IDW_PANE_FIRST);
    }
};

// ---- the bar layout ----------------------------------------------------------------

struct LayoutCase
{
    const char* name;
    UINT nFlag;
    BOOL bStretch;
    CRect rectParam;      // the borders of reposExtra
    bool bHideTop;        // the top bar is hidden
    bool bFloatLeft;      // the left bar floats
    UINT nIDLast;         // the last bar id laid out
    CRect expectedPane;   // kStart: the pane stays where it was
    CRect expectedLeft;   // kStart: the left bar stays where it was
    CRect expectedQuery;  // what a query answers
};

class RepositionBars : public ::testing::TestWithParam<LayoutCase>
{
};

TEST_P(RepositionBars, PlacesTheBarsAndTheRest)
{
    const LayoutCase& c = GetParam();
    BarFixture f;
    ASSERT_TRUE(f.Make());
    if (c.bHideTop)
        f.top.ShowWindow(SW_HIDE);
    if (c.bFloatLeft)
        f.left.SetBarStyle(f.left.GetBarStyle() | CBRS_FLOATING);

    CRect rectParam = c.rectParam;
    f.frame.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, c.nIDLast, AFX_IDW_PANE_FIRST, c.nFlag, &rectParam, NULL,
                           c.bStretch);

    EXPECT_RECT(c.expectedPane, ChildRect(f.frame, f.pane));
    EXPECT_RECT(c.expectedLeft, ChildRect(f.frame, f.left));
    if ((c.nFlag & ~CWnd::reposNoPosLeftOver) == CWnd::reposQuery)
    {
        EXPECT_RECT(c.expectedQuery, rectParam);
        EXPECT_RECT(kStart, ChildRect(f.frame, f.top)) << "a query moves no bar";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, RepositionBars,
    ::testing::Values(LayoutCase{"TopBottomThenLeftBetweenThem", CWnd::reposDefault, TRUE, CRect(), false, false,
                                 AFX_IDW_CONTROLBAR_LAST, CRect(30, 20, 300, 185), CRect(0, 20, 30, 185), CRect()},
                      LayoutCase{"ExtraBordersAroundThePane", CWnd::reposExtra, TRUE, CRect(5, 6, 7, 8), false, false,
                                 AFX_IDW_CONTROLBAR_LAST, CRect(35, 26, 293, 177), CRect(0, 20, 30, 185), CRect()},
                      LayoutCase{"PaneLeftAlone", CWnd::reposDefault | CWnd::reposNoPosLeftOver, TRUE, CRect(), false,
                                 false, AFX_IDW_CONTROLBAR_LAST, kStart, CRect(0, 20, 30, 185), CRect()},
                      LayoutCase{"HiddenBarTakesNothing", CWnd::reposDefault, TRUE, CRect(), true, false,
                                 AFX_IDW_CONTROLBAR_LAST, CRect(30, 0, 300, 185), CRect(0, 0, 30, 185), CRect()},
                      LayoutCase{"FloatingBarTakesNothing", CWnd::reposDefault, TRUE, CRect(), false, true,
                                 AFX_IDW_CONTROLBAR_LAST, CRect(0, 20, 300, 185), kStart, CRect()},
                      LayoutCase{"OnlyTheBarsInTheIdRange", CWnd::reposDefault, TRUE, CRect(), false, false,
                                 AFX_IDW_TOOLBAR, CRect(0, 20, 300, 200), kStart, CRect()},
                      LayoutCase{"QueryStretchedAnswersTheRest", CWnd::reposQuery, TRUE, CRect(), false, false,
                                 AFX_IDW_CONTROLBAR_LAST, kStart, kStart, CRect(30, 20, 300, 185)},
                      // Unstretched: 120 x 20 on top, 90 x 15 below (height 35), then 30
                      // wide beside them (width 150) and 50 high.
                      LayoutCase{"QueryUnstretchedAnswersTheBarsTotal", CWnd::reposQuery, FALSE, CRect(), false, false,
                                 AFX_IDW_CONTROLBAR_LAST, kStart, kStart, CRect(0, 0, 150, 50)},
                      LayoutCase{"QueryWithoutPositioningTheRest", CWnd::reposQuery | CWnd::reposNoPosLeftOver, TRUE,
                                 CRect(), true, false, AFX_IDW_CONTROLBAR_LAST, kStart, kStart,
                                 CRect(30, 0, 300, 185)}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

TEST(RepositionBars, UnstretchedBarsKeepTheirOwnLength)
{
    BarFixture f;
    ASSERT_TRUE(f.Make());
    f.frame.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST, CWnd::reposDefault,
                           NULL, NULL, FALSE);
    EXPECT_RECT(CRect(0, 0, 120, 20), ChildRect(f.frame, f.top));
    EXPECT_RECT(CRect(0, 185, 90, 200), ChildRect(f.frame, f.bottom));
    EXPECT_RECT(CRect(0, 20, 30, 70), ChildRect(f.frame, f.left));
}

TEST(RepositionBars, ABarNeverTakesMoreThanIsLeft)
{
    BarFixture f;
    ASSERT_TRUE(f.Make());
    f.top.m_nThickness = 500;
    const CRect rectClient(10, 10, 110, 60);
    f.frame.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST, CWnd::reposDefault,
                           NULL, &rectClient);
    EXPECT_RECT(CRect(10, 10, 110, 60), ChildRect(f.frame, f.top));
    EXPECT_RECT(kStart, ChildRect(f.frame, f.bottom)) << "nothing left for the next bar: it stays";
}

TEST(FrameLayout, ResizingTheFrameLaysItOut)
{
    BarFixture f;
    ASSERT_TRUE(f.Make());
    f.frame.SetWindowPos(nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_RECT(CRect(0, 0, 200, 20), ChildRect(f.frame, f.top));
    EXPECT_RECT(CRect(30, 20, 200, 85), ChildRect(f.frame, f.pane));
}

// ---- idle time -----------------------------------------------------------------------

// Runs the test with a thread object of its own, as the program does.
class ScopedThreadObject
{
public:
    ScopedThreadObject()
    {
        m_thread.m_bAutoDelete = FALSE;
        m_pOld = AfxGetThreadState()->m_pCurrentWinThread;
        AfxGetThreadState()->m_pCurrentWinThread = &m_thread;
    }
    ~ScopedThreadObject() { AfxGetThreadState()->m_pCurrentWinThread = m_pOld; }
    CWinThread& Get() { return m_thread; }

private:
    CWinThread m_thread;
    CWinThread* m_pOld = nullptr;
};

TEST(FrameIdle, DelayedLayoutWaitsForTheIdleUpdate)
{
    BarFixture f;
    ASSERT_TRUE(f.Make());
    f.frame.DelayRecalcLayout();
    EXPECT_EQ(static_cast<UINT>(CFrameWnd::idleLayout | CFrameWnd::idleNotify), f.frame.m_nIdleFlags);
    EXPECT_RECT(kStart, ChildRect(f.frame, f.top)) << "nothing moves before the idle time";

    f.frame.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_RECT(CRect(0, 0, 300, 20), ChildRect(f.frame, f.top));
    EXPECT_RECT(CRect(30, 20, 300, 185), ChildRect(f.frame, f.pane));
    EXPECT_EQ(0u, f.frame.m_nIdleFlags);
}

struct IdleCase
{
    const char* name;
    bool bVisible;     // the frame is shown
    bool bMainWindow;  // the frame is the thread's main window
};

class ThreadIdle : public ::testing::TestWithParam<IdleCase>
{
};

// The thread's idle time reaches the frame and its bars: the pending layout
// is done and the bar's controls follow the frame's command handlers.
TEST_P(ThreadIdle, ReachesEveryVisibleFrameOnce)
{
    const IdleCase& c = GetParam();
    ScopedThreadObject thread;
    BarFixture f;
    ASSERT_TRUE(f.Make());
    CWnd button;
    ASSERT_TRUE(
        button.Create(L"BUTTON", L"Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 40, 16), &f.top, 101));
    if (c.bMainWindow)
        thread.Get().m_pMainWnd = &f.frame;
    if (c.bVisible)
        f.frame.ShowWindow(SW_SHOWNA);
    f.frame.DelayRecalcLayout();

    thread.Get().OnIdle(0);
    thread.Get().m_pMainWnd = nullptr;

    if (c.bVisible)
    {
        EXPECT_RECT(CRect(0, 0, 300, 20), ChildRect(f.frame, f.top));
        EXPECT_EQ(1, f.top.m_nUpdates) << "each bar is updated once per idle time";
        EXPECT_EQ(&f.frame, f.top.m_pLastTarget) << "a bar's commands belong to its frame";
        EXPECT_FALSE(button.IsWindowEnabled()) << "no handler for the bar's button: disabled";
    }
    else
    {
        EXPECT_RECT(kStart, ChildRect(f.frame, f.top));
        EXPECT_EQ(0, f.top.m_nUpdates);
        EXPECT_NE(0u, f.frame.m_nIdleFlags & CFrameWnd::idleLayout) << "a hidden frame keeps its layout pending";
    }
    f.frame.ShowWindow(SW_HIDE);
}

INSTANTIATE_TEST_SUITE_P(Table, ThreadIdle,
                         ::testing::Values(IdleCase{"SecondaryFrame", true, false}, IdleCase{"MainFrame", true, true},
                                           IdleCase{"HiddenFrame", false, false}),
                         [](const ::testing::TestParamInfo<IdleCase>& info) { return std::string(info.param.name); });

TEST(FrameIdle, AFrameClosedByAnotherFramesUpdateIsSkipped)
{
    ScopedThreadObject thread;
    auto* pFirst = new CFrameWnd;  // deletes itself with its window
    ASSERT_TRUE(pFirst->Create(NULL, L"First", WS_POPUP | WS_VISIBLE, CRect(0, 0, 50, 50)));
    const HWND hFirst = pFirst->m_hWnd;
    CTestFrame second;
    ASSERT_TRUE(second.Make(WS_POPUP | WS_VISIBLE));
    // The second frame's bar closes the first frame when it is updated.
    class CClosingBar : public CFixedBar
    {
    public:
        HWND m_hClose = NULL;
        CClosingBar() : CFixedBar(CBRS_TOP, 10, 10) {}
        void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL b) override
        {
            if (m_hClose && ::IsWindow(m_hClose))
                ::DestroyWindow(m_hClose);
            CFixedBar::OnUpdateCmdUI(pTarget, b);
        }
    } bar;
    bar.m_hClose = hFirst;
    ASSERT_TRUE(bar.Make(&second, AFX_IDW_TOOLBAR));

    thread.Get().OnIdle(0);
    thread.Get().OnIdle(0);

    EXPECT_FALSE(::IsWindow(hFirst));
    EXPECT_EQ(2, bar.m_nUpdates);
}

// ---- command state of the controls ------------------------------------------------

struct ControlCase
{
    const char* name;
    UINT nID;
    DWORD style;
    BOOL bDisableIfNoHndler;
    bool bEnabledBefore;
    bool bEnabledAfter;
    UINT nCheckAfter;
};

class UpdateDialogControls : public ::testing::TestWithParam<ControlCase>
{
};

TEST_P(UpdateDialogControls, FollowsTheTargetsHandlers)
{
    const ControlCase& c = GetParam();
    CTestFrame frame;
    ASSERT_TRUE(frame.Make());
    CWnd control;
    ASSERT_TRUE(control.Create(L"BUTTON", L"x", WS_CHILD | WS_VISIBLE | c.style, CRect(0, 0, 40, 16), &frame, c.nID));
    control.EnableWindow(c.bEnabledBefore);

    frame.UpdateDialogControls(&frame, c.bDisableIfNoHndler);

    EXPECT_EQ(c.bEnabledAfter, control.IsWindowEnabled() != FALSE);
    EXPECT_EQ(c.nCheckAfter, static_cast<UINT>(control.SendMessage(BM_GETCHECK)));
}

INSTANTIATE_TEST_SUITE_P(
    Table, UpdateDialogControls,
    ::testing::Values(ControlCase{"HandlerEnables", 100, BS_PUSHBUTTON, TRUE, false, true, BST_UNCHECKED},
                      ControlCase{"HandlerDisables", ID_EDIT_COPY, BS_PUSHBUTTON, TRUE, true, false, BST_UNCHECKED},
                      ControlCase{"NoHandlerDisables", 101, BS_PUSHBUTTON, TRUE, true, false, BST_UNCHECKED},
                      ControlCase{"NoHandlerLeftAloneWhenNotAsked", 101, BS_PUSHBUTTON, FALSE, true, true,
                                  BST_UNCHECKED},
                      ControlCase{"CommandHandlerKeepsItEnabled", 104, BS_PUSHBUTTON, TRUE, true, true, BST_UNCHECKED},
                      ControlCase{"CheckBoxKeepsItsOwnState", 102, BS_AUTOCHECKBOX, TRUE, true, true, BST_UNCHECKED},
                      ControlCase{"RadioKeepsItsOwnState", 102, BS_AUTORADIOBUTTON, TRUE, true, true, BST_UNCHECKED},
                      ControlCase{"HandlerChecks", 103, BS_AUTOCHECKBOX, TRUE, true, true, BST_CHECKED}),
    [](const ::testing::TestParamInfo<ControlCase>& info) { return std::string(info.param.name); });

// ---- message text ------------------------------------------------------------------

struct MessageBarFixture
{
    CTestFrame frame;
    CWnd bar;
    bool Make()
    {
        return frame.Make() &&
               bar.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 16), &frame, AFX_IDW_STATUS_BAR);
    }
    std::wstring Text() const
    {
        CString text;
        bar.GetWindowText(text);
        return std::wstring(static_cast<LPCTSTR>(text));
    }
};

TEST(FrameMessageText, TextsPromptsAndTheIdlePrompt)
{
    MessageBarFixture f;
    ASSERT_TRUE(f.Make());

    f.frame.SetMessageText(L"Copying files");
    EXPECT_EQ(L"Copying files", f.Text());

    // A bar that lets go of its prompt brings back the idle prompt.
    EXPECT_EQ(0, f.frame.SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE));
    EXPECT_EQ(L"Ready", f.Text());
    EXPECT_EQ(static_cast<UINT>(AFX_IDS_IDLEMESSAGE), f.frame.m_nIDLastMessage);

    // The answer is the prompt shown before.
    EXPECT_EQ(AFX_IDS_IDLEMESSAGE, f.frame.SendMessage(WM_SETMESSAGESTRING, ID_EDIT_COPY));
    EXPECT_EQ(L"", f.Text()) << "a command without a prompt string shows nothing";

    // A frame that holds its text keeps it when a bar pops its prompt.
    f.frame.SetMessageText(L"Busy");
    f.frame.m_nFlags |= WF_NOPOPMSG;
    f.frame.SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ(L"Busy", f.Text());
    f.frame.SetMessageText(AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ(L"Ready", f.Text());
    EXPECT_EQ(0u, f.frame.m_nFlags & WF_NOPOPMSG) << "a new text ends the hold";
}

TEST(FrameMessageText, MenuSelectionTracksTheCommand)
{
    MessageBarFixture f;
    ASSERT_TRUE(f.Make());
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuW(hMenu, MF_STRING, ID_FILE_NEW, L"&New");

    f.frame.SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_FILE_NEW, MF_STRING), reinterpret_cast<LPARAM>(hMenu));
    EXPECT_EQ(static_cast<UINT>(ID_FILE_NEW), f.frame.m_nIDTracking);
    EXPECT_EQ(static_cast<UINT>(ID_FILE_NEW), f.frame.m_nIDLastMessage);

    f.frame.SendMessage(WM_MENUSELECT, MAKEWPARAM(0, MF_SEPARATOR), reinterpret_cast<LPARAM>(hMenu));
    EXPECT_EQ(0u, f.frame.m_nIDTracking) << "a separator has no prompt";

    f.frame.SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(static_cast<UINT>(AFX_IDS_IDLEMESSAGE), f.frame.m_nIDTracking);
    EXPECT_EQ(L"Ready", f.Text()) << "a closed menu leaves the idle prompt";
    ::DestroyMenu(hMenu);
}

TEST(FrameMessageText, AFrameWithoutMessageBarStillTracks)
{
    CTestFrame frame;
    ASSERT_TRUE(frame.Make());
    EXPECT_EQ(nullptr, frame.GetMessageBar());
    frame.SetMessageText(ID_FILE_NEW);
    EXPECT_EQ(static_cast<UINT>(ID_FILE_NEW), frame.m_nIDLastMessage);
}

// ---- accelerators ------------------------------------------------------------------

TEST(FrameAccelerators, KeysOfTheTableRunEnabledCommands)
{
    CTestFrame frame;
    ASSERT_TRUE(frame.Make());
    ACCEL accel[2]{};
    accel[0].fVirt = FVIRTKEY;
    accel[0].key = VK_F5;
    accel[0].cmd = ID_FILE_NEW;
    accel[1].fVirt = FVIRTKEY;
    accel[1].key = VK_F6;
    accel[1].cmd = ID_EDIT_COPY;  // its update handler disables it
    const HACCEL hAccel = ::CreateAcceleratorTableW(accel, 2);
    ASSERT_NE(nullptr, hAccel);
    frame.m_hAccelTable = hAccel;
    EXPECT_FALSE(frame.LoadAccelTable(MAKEINTRESOURCEW(1))) << "the frame has a table already";

    MSG msg{};
    msg.hwnd = frame.m_hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_F5;
    EXPECT_TRUE(frame.PreTranslateMessage(&msg));
    msg.wParam = VK_F6;
    EXPECT_TRUE(frame.PreTranslateMessage(&msg)) << "the key is the table's even when its command is disabled";
    msg.wParam = VK_F7;
    EXPECT_FALSE(frame.PreTranslateMessage(&msg));

    ASSERT_EQ(1u, frame.m_commands.size());
    EXPECT_EQ(static_cast<UINT>(ID_FILE_NEW), frame.m_commands[0]);
    frame.m_hAccelTable = NULL;
    ::DestroyAcceleratorTable(hAccel);
}

// ---- floating windows --------------------------------------------------------------

class CFloatingWnd : public CWnd
{
public:
    std::vector<WPARAM> m_status;
    BOOL m_bSyncActive = FALSE;

    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM)
    {
        if (wParam == FS_SYNCACTIVE)
            return m_bSyncActive;
        m_status.push_back(wParam);
        return 0;
    }

    BOOL Make(HWND hWndOwner)
    {
        return CreateEx(WS_EX_TOOLWINDOW, NULL, L"Float", WS_POPUP, 0, 0, 20, 20, hWndOwner, NULL);
    }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFloatingWnd, CWnd)
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

TEST(FrameFloatingWindows, OwnedWindowsFollowTheFrame)
{
    CTestFrame frame;
    ASSERT_TRUE(frame.Make());
    CFloatingWnd owned, ownedByOwned, stranger;
    ASSERT_TRUE(owned.Make(frame.m_hWnd));
    ASSERT_TRUE(ownedByOwned.Make(owned.m_hWnd));
    ASSERT_TRUE(stranger.Make(NULL));

    frame.EnableWindow(FALSE);
    frame.EnableWindow(TRUE);
    frame.NotifyFloatingWindows(FS_HIDE);

    const std::vector<WPARAM> expected{FS_DISABLE, FS_ENABLE, FS_HIDE};
    EXPECT_EQ(expected, owned.m_status);
    EXPECT_EQ(expected, ownedByOwned.m_status) << "a window owned through another one floats with the frame too";
    EXPECT_TRUE(stranger.m_status.empty());
}

}  // namespace
