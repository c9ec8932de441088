// The command-bar manager in a frame: the menu bar from a menu resource, tool
// bars in the dock bars, suspension, the site's message filters, mnemonics,
// the menu loop's end on WM_QUIT, and shortcuts with chords. Wine calls
// keyboard hooks only for hardware input, so the tests hand key messages to
// the filters themselves and set the modifiers with SetKeyboardState.
#include "Framework.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/CommandBars.h"
#include "CommandBars/CommandBarsOptions.h"
#include "CommandBars/Control.h"
#include "CommandBars/Controls.h"
#include "CommandBars/DockBar.h"
#include "CommandBars/MenuBar.h"
#include "CommandBars/MouseManager.h"
#include "CommandBars/PopupBar.h"
#include "CommandBars/ShortcutManager.h"
#include "CommandBars/ToolBar.h"
#include "DockTestSupport.h"
#include "Foundation/ImageManager.h"
#include "FrameIds.h"
#include "FrameWnd.h"
#include "MouseInput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{

const UINT kIdMenu = 7001;
const UINT kIdAccel = 7002;

class CManagerFrame : public CFrameWnd
{
public:
    CManagerFrame() { m_bAutoDelete = FALSE; }

    std::vector<UINT> m_commands;
    std::vector<std::wstring> m_statusTexts;  // "" for the idle prompt
    std::vector<LVK_COMMANDBAR_CREATE_REQUEST> m_requests;
    std::vector<std::wstring> m_requestTitles;
    std::vector<LPARAM> m_resetBars;  // 0x2864 after a bar was reset
    // Ends the tracking of this bar when a WM_APP arrives.
    CLVKCommandBar* m_pStopBar = nullptr;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo) override
    {
        if (nID >= 0xE100 && nID < 0xE200 && nCode == CN_COMMAND)
        {
            if (!pInfo)
                m_commands.push_back(nID);
            return TRUE;
        }
        return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pInfo);
    }

    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam)
    {
        m_statusTexts.push_back(lParam ? reinterpret_cast<LPCWSTR>(lParam)
                                       : (wParam == AFX_IDS_IDLEMESSAGE ? L"" : L"?"));
        return 0;
    }
    afx_msg LRESULT OnCreateCommandBar(WPARAM, LPARAM lParam)
    {
        const auto* pRequest = reinterpret_cast<LVK_COMMANDBAR_CREATE_REQUEST*>(lParam);
        m_requests.push_back(*pRequest);
        m_requestTitles.push_back(pRequest->lpcstrCaption ? pRequest->lpcstrCaption : L"");
        return 0;
    }
    afx_msg LRESULT OnToolBarReset(WPARAM, LPARAM lParam)
    {
        m_resetBars.push_back(lParam);
        return 0;
    }
    afx_msg LRESULT OnApp(WPARAM, LPARAM)
    {
        if (m_pStopBar)
            m_pStopBar->SetTrackingMode(kTrackingNone);
        return 0;
    }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CManagerFrame, CFrameWnd)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(LVK_WM_CREATECOMMANDBAR, OnCreateCommandBar)
    ON_MESSAGE(WM_APP, OnApp)
    ON_MESSAGE(LVK_WM_TOOLBARRESET, OnToolBarReset)
END_MESSAGE_MAP()

// Sets or clears the modifier keys of the thread's key state.
class CModifiers
{
public:
    explicit CModifiers(std::initializer_list<int> keys)
    {
        ::GetKeyboardState(m_saved);
        BYTE state[256];
        ::memcpy(state, m_saved, sizeof(state));
        for (int vk :
             {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU, VK_LSHIFT, VK_RSHIFT})
            state[vk] = 0;
        for (int vk : keys)
            state[vk] = 0x80;
        ::SetKeyboardState(state);
    }
    ~CModifiers() { ::SetKeyboardState(m_saved); }

private:
    BYTE m_saved[256];
};

// A shown frame with its own menu, the frame's accelerators, a manager and
// the four dock bars.
struct ManagerFixture
{
    CManagerFrame frame;
    CLVKCommandBars* pBars = nullptr;

    ManagerFixture()
    {
        frame.Create(nullptr, L"Site", WS_OVERLAPPEDWINDOW, CRect(10, 10, 610, 410), nullptr,
                     MAKEINTRESOURCEW(kIdMenu));
        frame.ShowWindow(SW_SHOWNOACTIVATE);
        pBars = new CLVKCommandBars;
        pBars->SetSite(&frame);
        pBars->CreateDockBars();
    }
    ~ManagerFixture()
    {
        pBars->InternalRelease();
        frame.DestroyWindow();
        DrainDockMessages();
    }

    MSG Key(UINT nMessage, WPARAM wParam) const
    {
        MSG msg{};
        msg.hwnd = frame.GetSafeHwnd();
        msg.message = nMessage;
        msg.wParam = wParam;
        msg.lParam = (nMessage == WM_SYSKEYDOWN) ? (1 << 29) : 0;
        return msg;
    }
};

// ---- bars ------------------------------------------------------------------------------

TEST(CommandBarsBars, TheMenuBarComesFromTheMenuResourceAndTakesTheFramesMenu)
{
    ManagerFixture f;
    ASSERT_NE(::GetMenu(f.frame.GetSafeHwnd()), nullptr);
    CLVKMenuBar* pMenuBar = f.pBars->CreateMenuBar(L"Menu Bar", kIdMenu);
    ASSERT_NE(pMenuBar, nullptr);

    EXPECT_EQ(f.pBars->GetMenuBar(), pMenuBar);
    EXPECT_EQ(f.pBars->FindToolBar(1), pMenuBar);
    EXPECT_EQ(pMenuBar->GetType(), kBarTypeMenuBar);
    EXPECT_EQ(pMenuBar->GetPosition(), kBarTop);
    EXPECT_EQ(f.pBars->GetDefaultMenuId(), kIdMenu);
    EXPECT_EQ(std::wstring(pMenuBar->GetTitle()), L"Menu Bar");
    // File, Edit, Run and Reset; the originals are kept for a reset.
    ASSERT_EQ(pMenuBar->GetControlCount(), 4);
    EXPECT_EQ(pMenuBar->GetControl(0)->GetType(), kControlPopup);
    EXPECT_EQ(pMenuBar->GetControl(2)->GetID(), 0xE190);
    EXPECT_NE(pMenuBar->GetControls()->GetOriginalControls(), nullptr);
    // It stands in the top dock bar, and the frame has no menu of its own.
    EXPECT_EQ(pMenuBar->GetDockBar(), f.pBars->GetDockBar(CLVKCommandBars::kDockTop));
    EXPECT_GT(f.pBars->GetDockBar(CLVKCommandBars::kDockTop)->FindBar(pMenuBar), 0);
    EXPECT_EQ(::GetMenu(f.frame.GetSafeHwnd()), nullptr);
    EXPECT_EQ(f.pBars->GetSite(), pMenuBar->GetSite());

    // Removing the bar gives the frame its menu back.
    f.pBars->RemoveToolBar(pMenuBar);
    EXPECT_EQ(f.pBars->GetCount(), 0);
    EXPECT_NE(::GetMenu(f.frame.GetSafeHwnd()), nullptr);
}

TEST(CommandBarsBars, ResettingTheMenuBarBringsBackItsMenu)
{
    ManagerFixture f;
    CLVKMenuBar* pMenuBar = f.pBars->CreateMenuBar(L"Menu Bar", kIdMenu);
    ASSERT_NE(pMenuBar, nullptr);
    // The window commands have the pictures of bitmap 9102.
    for (UINT nCommand : {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE})
        EXPECT_TRUE(f.pBars->GetImageManager()->IsIconAvailable(nCommand, 16)) << nCommand;

    const auto ids = [&]()
    {
        std::vector<int> result;
        for (int i = 0; i < pMenuBar->GetControlCount(); i++)
            result.push_back(pMenuBar->GetControl(i)->GetID());
        return result;
    };
    const std::vector<int> loaded = ids();
    ASSERT_EQ(loaded.size(), 4u);
    // From the original controls.
    pMenuBar->GetControls()->RemoveAt(2);
    EXPECT_TRUE(pMenuBar->IsModifiedFromOriginal());
    pMenuBar->ResetToolBar(FALSE);
    EXPECT_EQ(ids(), loaded);
    EXPECT_FALSE(pMenuBar->IsModifiedFromOriginal());
    EXPECT_EQ(f.frame.m_resetBars, std::vector<LPARAM>({reinterpret_cast<LPARAM>(pMenuBar)}));

    // Without originals the menu resource is read again.
    pMenuBar->GetControls()->SetOriginalControls(nullptr);
    pMenuBar->GetControls()->RemoveAt(0);
    pMenuBar->GetControls()->RemoveAt(0);
    pMenuBar->ResetToolBar(FALSE);
    EXPECT_EQ(ids(), loaded);
    EXPECT_EQ(pMenuBar->GetControl(0)->GetType(), kControlPopup);
    EXPECT_EQ(f.frame.m_resetBars.size(), 2u);

    // A copy resets from the same menu.
    CLVKMenuBar* pCopy = new CLVKMenuBar;
    pCopy->Copy(pMenuBar, TRUE);
    EXPECT_EQ(pCopy->GetResourceId(), kIdMenu);
    EXPECT_EQ(pCopy->GetCurrentMenuId(), kIdMenu);
    pCopy->InternalRelease();
}

TEST(CommandBarsBars, AMenuThatCannotBeLoadedLeavesNoBarBehind)
{
    ManagerFixture f;
    EXPECT_EQ(f.pBars->CreateMenuBar(L"Menu Bar", 7999), nullptr);
    EXPECT_EQ(f.pBars->GetCount(), 0);
    EXPECT_EQ(f.pBars->GetMenuBar(), nullptr);
    // The dock bar holds only its opening row marker.
    EXPECT_EQ(f.pBars->GetDockBar(CLVKCommandBars::kDockTop)->GetBarCount(), 1);
    EXPECT_NE(::GetMenu(f.frame.GetSafeHwnd()), nullptr);
}

TEST(CommandBarsBars, TheProgramsToolBarsAreBuiltInAndTornOffOnesFloat)
{
    struct Case
    {
        BOOL bTearOff;
        int nPosition;
        BOOL bBuiltIn;
        DWORD dwWindowKind;
    };
    const Case cases[] = {
        {FALSE, kBarTop, TRUE, WS_CHILD},
        {TRUE, kBarFloating, FALSE, WS_POPUP},
    };
    for (const Case& c : cases)
    {
        ManagerFixture f;
        CLVKToolBar* pBar = f.pBars->CreateToolBar(L"Standard", 120, c.bTearOff);
        ASSERT_NE(pBar, nullptr) << c.bTearOff;
        EXPECT_EQ(pBar->IsBuiltIn(), c.bBuiltIn) << c.bTearOff;
        EXPECT_EQ(pBar->IsTearOff(), c.bTearOff);
        EXPECT_EQ(pBar->GetPosition(), c.nPosition);
        EXPECT_EQ(pBar->GetBarID(), 120u);
        EXPECT_EQ(f.pBars->FindToolBar(120), pBar);
        EXPECT_EQ(f.pBars->FindToolBarIndex(pBar), 0);
        ASSERT_NE(pBar->GetSafeHwnd(), nullptr);
        EXPECT_TRUE(::GetWindowLongW(pBar->GetSafeHwnd(), GWL_STYLE) & c.dwWindowKind);
        EXPECT_TRUE(pBar->IsWindowVisible());
        // The site was asked for the bar first, with the tool-bar kind.
        ASSERT_EQ(f.frame.m_requests.size(), 1u);
        EXPECT_EQ(f.frame.m_requests[0].pCommandBar, pBar);
        EXPECT_TRUE(f.frame.m_requests[0].bToolBar);
        EXPECT_FALSE(f.frame.m_requests[0].bPopup || f.frame.m_requests[0].bExpandBar);
        EXPECT_EQ(f.frame.m_requests[0].bTearOffBar, c.bTearOff);
        EXPECT_EQ(f.frame.m_requests[0].nID, 120u);
        EXPECT_EQ(f.frame.m_requestTitles[0], L"Standard");
    }
}

TEST(CommandBarsBars, LookupsAnswerNullForIdZeroAndForAPlainBarWithIdOne)
{
    ManagerFixture f;
    CLVKToolBar* pZero = f.pBars->CreateToolBar(L"Zero", 0);
    ASSERT_NE(pZero, nullptr);
    EXPECT_EQ(f.pBars->FindToolBar(0), nullptr);
    CLVKToolBar* pOne = f.pBars->CreateToolBar(L"One", 1);
    EXPECT_EQ(f.pBars->FindToolBar(1), pOne);
    EXPECT_EQ(f.pBars->GetMenuBar(), nullptr);
    EXPECT_EQ(f.pBars->GetAt(2), nullptr);
    EXPECT_EQ(f.pBars->GetAt(-1), nullptr);
}

TEST(CommandBarsBars, DockedBarsTakeRowsOfTheTopDockBarInTheFrameLayout)
{
    ManagerFixture f;
    CLVKMenuBar* pMenuBar = f.pBars->CreateMenuBar(L"Menu Bar", kIdMenu);
    CLVKToolBar* pBar = f.pBars->CreateToolBar(L"Standard", 120);
    ASSERT_TRUE(pMenuBar && pBar);
    pBar->GetControls()->Add(kControlButton, 0xE100);
    pBar->GetControls()->Add(kControlButton, 0xE101);
    f.frame.RecalcLayout();

    CLVKDockBar* pTop = f.pBars->GetDockBar(CLVKCommandBars::kDockTop);
    CRect rcTop, rcMenu, rcBar, rcClient;
    pTop->GetWindowRect(&rcTop);
    pMenuBar->GetWindowRect(&rcMenu);
    pBar->GetWindowRect(&rcBar);
    f.frame.GetClientRect(&rcClient);
    f.frame.ClientToScreen(&rcClient);
    EXPECT_EQ(rcTop.top, rcClient.top);
    EXPECT_EQ(rcTop.Width(), rcClient.Width());
    // Two rows: the menu bar above the tool bar, both inside the dock bar.
    EXPECT_GT(rcMenu.Height(), 0);
    EXPECT_GT(rcBar.Height(), 0);
    EXPECT_LE(rcMenu.bottom, rcBar.top);
    EXPECT_EQ(rcTop.Height(), rcMenu.Height() + rcBar.Height());
    // The other dock bars are empty and take nothing.
    CRect rcLeft;
    f.pBars->GetDockBar(CLVKCommandBars::kDockLeft)->GetWindowRect(&rcLeft);
    EXPECT_EQ(rcLeft.Width(), 0);

    // Hiding the tool bar gives its row back.
    pBar->SetVisible(FALSE);
    f.pBars->FlushDelayedLayout();
    f.frame.RecalcLayout();
    pTop->GetWindowRect(&rcTop);
    EXPECT_EQ(rcTop.Height(), rcMenu.Height());
}

TEST(CommandBarsBars, ADelayedLayoutWaitsForTheFlush)
{
    ManagerFixture f;
    f.frame.m_nIdleFlags = 0;
    f.pBars->RecalcFrameLayout(TRUE);
    EXPECT_TRUE(f.frame.m_nIdleFlags & CFrameWnd::idleLayout);
    f.pBars->FlushDelayedLayout();
    EXPECT_FALSE(f.frame.m_nIdleFlags & CFrameWnd::idleLayout);
    // The layout lock keeps even the flag from being set.
    f.pBars->LockLayout(TRUE);
    f.pBars->RecalcFrameLayout(TRUE);
    EXPECT_FALSE(f.frame.m_nIdleFlags & CFrameWnd::idleLayout);
    f.pBars->LockLayout(FALSE);
}

TEST(CommandBarsBars, TheNextVisibleBarWrapsOnceAndSkipsHiddenBars)
{
    ManagerFixture f;
    EXPECT_EQ(f.pBars->FindNextVisibleBar(-1, 1), -1);
    CLVKToolBar* pBars[3] = {f.pBars->CreateToolBar(L"A", 10), f.pBars->CreateToolBar(L"B", 11),
                             f.pBars->CreateToolBar(L"C", 12)};
    f.frame.RecalcLayout();
    for (CLVKToolBar* pBar : pBars)
        pBar->GetControls()->Add(kControlButton, 0xE100);
    f.frame.RecalcLayout();
    pBars[1]->SetVisible(FALSE);
    f.frame.RecalcLayout();
    struct Case
    {
        int nStart, nStep, nExpected;
    };
    const Case cases[] = {
        {-1, 1, 0}, {0, 1, 2}, {2, 1, 0}, {-1, -1, 2}, {2, -1, 0}, {0, -1, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(f.pBars->FindNextVisibleBar(c.nStart, c.nStep), c.nExpected) << c.nStart << " " << c.nStep;
    // With only the start shown, the walk comes back to it.
    pBars[2]->SetVisible(FALSE);
    EXPECT_EQ(f.pBars->FindNextVisibleBar(0, 1), 0);
    // Keyboard activation with a direction needs another bar to go to.
    EXPECT_FALSE(f.pBars->ActivateBarByKeyboard(pBars[0], 1));
}

TEST(CommandBarsBars, ADockBarTakesPointsUpToNineteenPixelsOutsideIt)
{
    ManagerFixture f;
    CLVKMenuBar* pMenuBar = f.pBars->CreateMenuBar(L"Menu Bar", kIdMenu);
    ASSERT_NE(pMenuBar, nullptr);
    f.frame.RecalcLayout();
    CLVKDockBar* pTop = f.pBars->GetDockBar(CLVKCommandBars::kDockTop);
    CRect rcTop;
    pTop->GetWindowRect(&rcTop);
    ASSERT_GT(rcTop.Height(), 0);
    // At 96 DPI the margin is 20 pixels, both edges excluded.
    const int nMargin = ::MulDiv(20, CWindowDC(nullptr).GetDeviceCaps(LOGPIXELSY), 96);
    EXPECT_EQ(f.pBars->FindDockBarAtPoint(CPoint(rcTop.CenterPoint().x, rcTop.top - nMargin + 1)), pTop);
    EXPECT_NE(f.pBars->FindDockBarAtPoint(CPoint(rcTop.CenterPoint().x, rcTop.top - nMargin)), pTop);
}

// ---- dock-bar rows ----------------------------------------------------------------------

// A tool bar of a fixed natural length that, when it may hide buttons
// (layout bit 0x80), shrinks down to a minimum; 22 pixels thick.
class CFixedBar : public CLVKToolBar
{
public:
    CFixedBar(int nNatural, int nMinimum) : m_nNatural(nNatural), m_nMinimum(nMinimum) {}
    CSize CalcDockingLayout(int nLength, DWORD dwMode, int /*nHeight*/ = 0) override
    {
        int nAlong = (dwMode & 0x80) ? std::max(m_nMinimum, std::min(nLength, m_nNatural)) : m_nNatural;
        if (dwMode & LM_STRETCH)
            nAlong = nLength;
        return (dwMode & LM_HORZ) ? CSize(nAlong, 22) : CSize(22, nAlong);
    }

private:
    int m_nNatural;
    int m_nMinimum;
};

// Two such bars, each in a row of its own in the top dock bar.
struct RowFixture : ManagerFixture
{
    CFixedBar* pFirst;
    CFixedBar* pSecond;
    CLVKDockBar* pTop = nullptr;

    RowFixture(int nNatural, int nMinimum, BOOL bMayHide)
        : pFirst(new CFixedBar(nNatural, nMinimum)), pSecond(new CFixedBar(nNatural, nMinimum))
    {
        pTop = pBars->GetDockBar(CLVKCommandBars::kDockTop);
        for (CFixedBar* pBar : {pFirst, pSecond})
        {
            pBar->SetCommandBars(pBars);
            if (!bMayHide)
                pBar->SetFlags(0, 0x20);
            pBars->DockCommandBarAtSide(pBar, kBarTop);
        }
    }
    ~RowFixture()
    {
        for (CFixedBar* pBar : {pFirst, pSecond})
        {
            if (pBar->GetDockBar())
                pBar->GetDockBar()->RemoveBar(pBar);
            pBar->InternalRelease();
        }
    }
    void SetClientWidth(int nWidth)
    {
        CRect rc(0, 0, nWidth, 300);
        ::AdjustWindowRectEx(&rc, frame.GetStyle(), FALSE, frame.GetExStyle());
        frame.SetWindowPos(nullptr, 0, 0, rc.Width(), rc.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        frame.RecalcLayout();
    }
    void SetClientSize(int nWidth, int nHeight)
    {
        CRect rcWindow, rcClient;
        frame.GetWindowRect(&rcWindow);
        frame.GetClientRect(&rcClient);
        frame.SetWindowPos(nullptr, 0, 0, nWidth + rcWindow.Width() - rcClient.Width(),
                           nHeight + rcWindow.Height() - rcClient.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        frame.RecalcLayout();
    }
    // Moves the second bar into the first one's row at x (dock-bar client).
    void DockSecondInFirstRow(int x)
    {
        const CRect rcFirst = RectIn(pFirst);
        CRect rc(x, rcFirst.top, x + 150, rcFirst.bottom);
        pTop->ClientToScreen(&rc);
        pTop->DockBar(pSecond, &rc);
        frame.RecalcLayout();
    }
    CRect RectIn(CLVKToolBar* pBar) const
    {
        CRect rc;
        pBar->GetWindowRect(&rc);
        pTop->ScreenToClient(&rc);
        return rc;
    }
    int DockHeight() const
    {
        CRect rc;
        pTop->GetClientRect(&rc);
        return rc.Height();
    }
};

TEST(CommandBarsDockRows, ABarDroppedOnAnotherIsPushedBehindIt)
{
    RowFixture f(150, 40, TRUE);
    f.SetClientWidth(600);
    EXPECT_EQ(f.DockHeight(), 44);
    // null, first, null, second, null
    ASSERT_EQ(f.pTop->GetBarCount(), 5);
    f.DockSecondInFirstRow(5);
    // One row less: both stand in the first row, the second pushed behind.
    EXPECT_EQ(f.pTop->GetBarCount(), 4);
    EXPECT_EQ(f.DockHeight(), 22);
    EXPECT_EQ(f.RectIn(f.pFirst), CRect(0, 0, 150, 22));
    EXPECT_EQ(f.RectIn(f.pSecond), CRect(150, 0, 300, 22));
    std::vector<CLVKToolBar*> row;
    f.pTop->GetVisibleRowBars(f.pTop->FindBar(f.pSecond), row);
    EXPECT_EQ(row, std::vector<CLVKToolBar*>({f.pFirst, f.pSecond}));
}

TEST(CommandBarsDockRows, ARowTooShortWrapsOrShrinksItsBars)
{
    struct Case
    {
        BOOL bMayHide;
        CRect rcFirst, rcSecond;
    };
    const Case cases[] = {
        // Bars that may not hide buttons: the last goes to an extra row for
        // the layout, placed where it was, pushed back from the row's end.
        {FALSE, CRect(0, 0, 150, 22), CRect(70, 22, 220, 44)},
        // Bars that may hide buttons shrink, the last one first, and share the row.
        {TRUE, CRect(0, 0, 150, 22), CRect(150, 0, 220, 22)},
    };
    for (const Case& c : cases)
    {
        RowFixture f(150, 40, c.bMayHide);
        f.SetClientWidth(600);
        f.DockSecondInFirstRow(200);
        const int nEntries = f.pTop->GetBarCount();
        f.SetClientWidth(220);
        EXPECT_EQ(f.RectIn(f.pFirst), c.rcFirst) << c.bMayHide;
        EXPECT_EQ(f.RectIn(f.pSecond), c.rcSecond) << c.bMayHide;
        EXPECT_EQ(f.DockHeight(), c.rcSecond.bottom) << c.bMayHide;
        // The stored rows do not change.
        EXPECT_EQ(f.pTop->GetBarCount(), nEntries);
    }
}

TEST(CommandBarsDockRows, ASingleBarLongerThanItsRowIsCutToTheRow)
{
    RowFixture f(500, 40, FALSE);
    f.pTop->RemoveBar(f.pSecond);
    f.SetClientWidth(300);
    EXPECT_EQ(f.RectIn(f.pFirst), CRect(0, 0, 300, 22));
    // The empty row the second bar left is gone: null, bar, null.
    EXPECT_EQ(f.pTop->GetBarCount(), 3);
}

// One row of the dock bar in more shapes: a filling bar spans the gap up to
// its neighbour, hidden bars take no room (and a row of hidden bars no
// thickness), and a vertical dock bar lays its column out as a row on its side.
TEST(CommandBarsDockRows, FillingHiddenAndVerticalRows)
{
    {
        RowFixture f(150, 40, TRUE);
        f.SetClientWidth(600);
        f.DockSecondInFirstRow(300);
        f.pFirst->SetFlags(kBarFlagFillGap, 0);
        f.frame.RecalcLayout();
        EXPECT_EQ(f.RectIn(f.pFirst), CRect(0, 0, 300, 22)) << "fill";
        EXPECT_EQ(f.RectIn(f.pSecond), CRect(300, 0, 450, 22)) << "fill";
    }
    {
        RowFixture f(150, 40, TRUE);
        f.SetClientWidth(600);
        f.DockSecondInFirstRow(5);
        ASSERT_EQ(f.RectIn(f.pSecond).left, 150);
        f.pFirst->SetVisible(FALSE);
        f.frame.RecalcLayout();
        // Alone in the row, the second bar goes back where it was dropped.
        EXPECT_EQ(f.RectIn(f.pSecond), CRect(5, 0, 155, 22)) << "hidden";
        EXPECT_EQ(f.DockHeight(), 22) << "hidden";
        f.pSecond->SetVisible(FALSE);
        f.frame.RecalcLayout();
        EXPECT_EQ(f.DockHeight(), 0) << "hidden";
    }
    {
        RowFixture f(150, 40, TRUE);
        CLVKDockBar* pLeft = f.pBars->GetDockBar(CLVKCommandBars::kDockLeft);
        for (CFixedBar* pBar : {f.pFirst, f.pSecond})
            f.pBars->DockCommandBarAtSide(pBar, kBarLeft);
        f.SetClientSize(600, 400);
        auto rectIn = [pLeft](CLVKToolBar* pBar) {
            CRect rc;
            pBar->GetWindowRect(&rc);
            pLeft->ScreenToClient(&rc);
            return rc;
        };
        EXPECT_EQ(rectIn(f.pFirst), CRect(0, 0, 22, 150)) << "vertical";
        EXPECT_EQ(rectIn(f.pSecond), CRect(22, 0, 44, 150)) << "vertical";
        // Into the first column at 200, then the column gets too short: the
        // second bar shrinks from the column's end, as in a row.
        CRect rc(0, 200, 22, 350);
        pLeft->ClientToScreen(&rc);
        pLeft->DockBar(f.pSecond, &rc);
        f.frame.RecalcLayout();
        EXPECT_EQ(rectIn(f.pSecond), CRect(0, 200, 22, 350)) << "vertical";
        f.SetClientSize(600, 220);
        EXPECT_EQ(rectIn(f.pFirst), CRect(0, 0, 22, 150)) << "vertical";
        EXPECT_EQ(rectIn(f.pSecond), CRect(0, 150, 22, 220)) << "vertical";
        CRect rcLeft;
        pLeft->GetClientRect(&rcLeft);
        EXPECT_EQ(rcLeft.Width(), 22) << "vertical";
    }
}

TEST(CommandBarsDockRows, TheControlsThatDidNotFitTheRowGoToTheExpandMenuInRowOrder)
{
    RowFixture f(150, 40, TRUE);
    f.SetClientWidth(600);
    f.DockSecondInFirstRow(5);
    // The second bar stands first along the row.
    f.pSecond->SetDockedRect(CRect(0, 0, 150, 22));
    f.pFirst->SetDockedRect(CRect(160, 0, 310, 22));
    f.frame.RecalcLayout();
    struct Item
    {
        CFixedBar* pBar;
        int nId;
        DWORD dwHide;
        BOOL bGroup;
    };
    const Item items[] = {
        {f.pFirst, 0xE101, kHideOverflow, TRUE},
        {f.pFirst, 0xE102, kHideByProgram | kHideOverflow, FALSE},
        {f.pFirst, 0xE103, 0, FALSE},
        {f.pSecond, 0xE104, kHideOverflow, FALSE},
        {f.pSecond, 0xE105, kHideByUser, FALSE},
    };
    for (const Item& item : items)
    {
        CLVKControl* pControl = item.pBar->GetControls()->Add(kControlButton, item.nId);
        pControl->SetHideFlags(item.dwHide);
        pControl->SetBeginGroup(item.bGroup);
    }
    CLVKPopupBar* pPopup = CLVKPopupBar::CreatePopupBar(f.pBars);
    f.pBars->AddHiddenRowControlsToPopup(f.pFirst, pPopup);
    ASSERT_EQ(pPopup->GetControlCount(), 2);
    EXPECT_EQ(pPopup->GetControl(0)->GetID(), 0xE104);
    EXPECT_EQ(pPopup->GetControl(1)->GetID(), 0xE101);
    for (int i = 0; i < 2; ++i)
    {
        EXPECT_EQ(pPopup->GetControl(i)->GetHideFlags(), 0u);
        EXPECT_FALSE(pPopup->GetControl(i)->GetBeginGroup());
    }
    pPopup->InternalRelease();
}

TEST(CommandBarsCustomize, APopupIsHiddenWhenEveryCommandInItIs)
{
    ManagerFixture f;
    CLVKMenuBar* pMenuBar = f.pBars->CreateMenuBar(L"Menu Bar", kIdMenu);
    ASSERT_NE(pMenuBar, nullptr);
    CLVKCommandBarsOptions* pOptions = f.pBars->GetCommandBarsOptions();
    CLVKControl* pEdit = pMenuBar->GetControl(1);  // Cut, Copy
    EXPECT_FALSE(f.pBars->IsControlHidden(pEdit));
    pOptions->SetCommandHidden(0xE123, TRUE);
    EXPECT_FALSE(f.pBars->IsControlHidden(pEdit));
    pOptions->SetCommandHidden(0xE122, TRUE);
    EXPECT_TRUE(f.pBars->IsControlHidden(pEdit));
    // Unless the option is off, or a command was used since.
    pOptions->bAutoHideUnusedPopups = FALSE;
    EXPECT_FALSE(f.pBars->IsControlHidden(pEdit));
    pOptions->bAutoHideUnusedPopups = TRUE;
    pOptions->bDirty = FALSE;
    f.pBars->MarkCommandUsed(0xE122);
    EXPECT_TRUE(pOptions->bDirty);
    EXPECT_FALSE(f.pBars->IsCommandHidden(0xE122));
    EXPECT_FALSE(f.pBars->IsControlHidden(pEdit));
    // A command that is not hidden is not marked used.
    pOptions->bDirty = FALSE;
    f.pBars->MarkCommandUsed(0xE141);
    EXPECT_FALSE(pOptions->bDirty);
    EXPECT_FALSE(pOptions->IsCommandUsed(0xE141));
}

// ---- suspension ------------------------------------------------------------------------

TEST(CommandBarsSuspend, ASecondObjectDoesNotKeepShortcutsOffAfterResuming)
{
    ManagerFixture f;
    f.pBars->GetShortcutManager()->LoadAccelerators(kIdAccel);
    CLVKMenuBar* pMenuBar = f.pBars->CreateMenuBar(L"Menu Bar", kIdMenu);
    CLVKToolBar* pHidden = f.pBars->CreateToolBar(L"Hidden", 121);
    ASSERT_TRUE(pMenuBar && pHidden);
    pHidden->SetVisible(FALSE);

    CCmdTarget first, second;
    f.pBars->SuspendBars(&first);
    EXPECT_FALSE(pMenuBar->IsVisible());
    EXPECT_FALSE(pMenuBar->IsWindowVisible());
    EXPECT_TRUE(f.pBars->GetShortcutManager()->IsShortcutsDisabled());
    f.pBars->SuspendBars(&second);
    EXPECT_EQ(f.pBars->GetSuspendingObject(), &second);
    EXPECT_TRUE(f.pBars->GetShortcutManager()->IsShortcutsDisabled());

    f.pBars->SuspendBars(nullptr);
    EXPECT_EQ(f.pBars->GetShortcutManager()->m_nDisableShortcuts, 0);
    EXPECT_TRUE(pMenuBar->IsVisible());
    EXPECT_TRUE(pMenuBar->IsWindowVisible());
    // A bar the user had hidden stays hidden.
    EXPECT_FALSE(pHidden->IsVisible());
    EXPECT_FALSE(pHidden->IsWindowVisible());

    // Shortcuts work again.
    CModifiers ctrl({VK_CONTROL, VK_LCONTROL});
    MSG msg = f.Key(WM_KEYDOWN, 'O');
    EXPECT_TRUE(f.pBars->PreTranslateFrameMessage(&msg));
    EXPECT_EQ(f.frame.m_commands, std::vector<UINT>({0xE101}));
}

// ---- filters and mnemonics ---------------------------------------------------------------

TEST(CommandBarsFilters, AltWithALetterSelectsTheMenuBarItemAndRunsAUniqueOne)
{
    ManagerFixture f;
    CLVKMenuBar* pMenuBar = f.pBars->CreateMenuBar(L"Menu Bar", kIdMenu);
    ASSERT_NE(pMenuBar, nullptr);
    f.frame.RecalcLayout();
    ASSERT_TRUE(pMenuBar->IsWindowShown());

    // "&Edit" is the only E: selected from the keyboard (and asked to open).
    EXPECT_TRUE(f.pBars->HandleMnemonicKey('E'));
    EXPECT_NE(pMenuBar->GetTrackingMode(), kTrackingNone);
    EXPECT_EQ(pMenuBar->GetHotIndex(), 1);
    EXPECT_EQ(f.pBars->GetKeyboardModeLevel(), 1);
    pMenuBar->SetTrackingMode(kTrackingNone);

    // "&Run" and "&Reset" share R: the first is selected and nothing runs;
    // the next press moves on to the second.
    EXPECT_TRUE(f.pBars->HandleMnemonicKey('R'));
    EXPECT_EQ(pMenuBar->GetHotIndex(), 2);
    EXPECT_TRUE(f.frame.m_commands.empty());
    EXPECT_TRUE(f.pBars->HandleMnemonicKey('R'));
    EXPECT_EQ(pMenuBar->GetHotIndex(), 3);
    EXPECT_TRUE(f.frame.m_commands.empty());
    pMenuBar->SetTrackingMode(kTrackingNone);

    // A letter nothing answers is not taken, and a mode of 2 takes none.
    EXPECT_FALSE(f.pBars->HandleMnemonicKey('Q'));
    f.pBars->GetCommandBarsOptions()->nKeyboardCuesUse = 2;
    EXPECT_FALSE(f.pBars->HandleMnemonicKey('E'));
    f.pBars->GetCommandBarsOptions()->nKeyboardCuesUse = 1;
    // The keypad's digits need their own switch.
    EXPECT_FALSE(f.pBars->HandleMnemonicKey(VK_NUMPAD1));
}

TEST(CommandBarsFilters, AltAloneOrF10EntersTheMenuBarFromTheKeyboard)
{
    ManagerFixture f;
    CLVKMenuBar* pMenuBar = f.pBars->CreateMenuBar(L"Menu Bar", kIdMenu);
    ASSERT_NE(pMenuBar, nullptr);
    f.frame.RecalcLayout();
    ASSERT_TRUE(pMenuBar->IsWindowShown());

    // With Shift held, or in customize mode, the key is left to the site
    // (asked of the bar's hook directly: the platform would open the
    // window menu).
    WPARAM wParam = SC_KEYMENU;
    LPARAM lParam = 0;
    LRESULT lResult = 0;
    {
        CModifiers shift({VK_SHIFT, VK_LSHIFT});
        EXPECT_EQ(pMenuBar->HandleHookedMessage(f.frame.GetSafeHwnd(), WM_SYSCOMMAND, wParam, lParam, lResult), 0);
    }
    f.pBars->SetCustomizingState(TRUE);
    EXPECT_EQ(pMenuBar->HandleHookedMessage(f.frame.GetSafeHwnd(), WM_SYSCOMMAND, wParam, lParam, lResult), 0);
    f.pBars->SetCustomizingState(FALSE);
    EXPECT_EQ(pMenuBar->GetTrackingMode(), kTrackingNone);

    // The site's own SC_KEYMENU reaches the bar through its hook.
    CModifiers none({});
    f.frame.SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_EQ(pMenuBar->GetTrackingMode(), kTrackingOn);
    EXPECT_EQ(pMenuBar->GetHotIndex(), 0);
    EXPECT_EQ(f.pBars->GetKeyboardModeLevel(), 1);
    pMenuBar->SetTrackingMode(kTrackingNone);
}

TEST(CommandBarsFilters, AUniqueCommandOnTheMenuBarRunsFromItsMnemonic)
{
    ManagerFixture f;
    CLVKMenuBar* pMenuBar = f.pBars->CreateMenuBar(L"Menu Bar", kIdMenu);
    ASSERT_NE(pMenuBar, nullptr);
    f.frame.RecalcLayout();
    pMenuBar->GetControl(3)->SetCaption(L"Re&set");
    EXPECT_TRUE(f.pBars->HandleMnemonicKey('S'));
    DrainDockMessages();
    EXPECT_EQ(f.frame.m_commands, std::vector<UINT>({0xE191}));
}

TEST(CommandBarsFilters, KeyboardCuesFollowAltWhenTheModeSaysSo)
{
    ManagerFixture f;
    CLVKMenuBar* pMenuBar = f.pBars->CreateMenuBar(L"Menu Bar", kIdMenu);
    ASSERT_NE(pMenuBar, nullptr);
    // Mode 1 (never shown) is fixed; only cues that follow Alt change.
    f.pBars->GetCommandBarsOptions()->SetKeyboardCuesMode(0);
    EXPECT_FALSE(f.pBars->IsCuesFollowingAlt());
    EXPECT_TRUE(pMenuBar->AreKeyboardCuesVisible());

    // The system's "hide underlines" makes mode 2 follow Alt.
    BOOL bSaved = FALSE;
    ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &bSaved, 0);
    ::SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<PVOID>(FALSE), 0);
    f.pBars->GetCommandBarsOptions()->SetKeyboardCuesMode(2);
    ::SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(bSaved)), 0);
    ASSERT_TRUE(f.pBars->IsCuesFollowingAlt());
    EXPECT_FALSE(pMenuBar->AreKeyboardCuesVisible());

    f.pBars->ShowKeyboardCues(TRUE);
    EXPECT_TRUE(pMenuBar->AreKeyboardCuesVisible());
    MSG up = f.Key(WM_SYSKEYUP, VK_MENU);
    EXPECT_FALSE(f.pBars->PreTranslateFrameMessage(&up));
    EXPECT_FALSE(pMenuBar->AreKeyboardCuesVisible());
    // A bar that leaves tracking hides cues that follow Alt.
    f.pBars->ShowKeyboardCues(TRUE);
    pMenuBar->SetTrackingMode(kTrackingOn, FALSE);
    EXPECT_TRUE(pMenuBar->AreKeyboardCuesVisible());
    pMenuBar->SetTrackingMode(kTrackingNone);
    EXPECT_FALSE(pMenuBar->AreKeyboardCuesVisible());
    // Customize mode keeps them shown.
    f.pBars->SetCustomizingState(TRUE);
    EXPECT_TRUE(pMenuBar->AreKeyboardCuesVisible());
    EXPECT_TRUE(pMenuBar->IsCustomizeMode());
    f.pBars->SetCustomizingState(FALSE);
}

TEST(CommandBarsFilters, OpenMenusCloseOnSiteEventsButNotOnTheMenuKey)
{
    ManagerFixture f;
    CLVKMenuBar* pMenuBar = f.pBars->CreateMenuBar(L"Menu Bar", kIdMenu);
    ASSERT_NE(pMenuBar, nullptr);
    CLVKMouseManager* pMouse = CLVKMouseManager::GetThreadManager();
    struct Case
    {
        UINT nMessage;
        WPARAM wParam;
        BOOL bCustomize;
        BOOL bCloses;
    };
    const Case cases[] = {
        {WM_SYSCOMMAND, SC_KEYMENU, FALSE, FALSE}, {WM_SYSCOMMAND, SC_CLOSE, FALSE, TRUE},
        {WM_SYSCOMMAND, SC_CLOSE, TRUE, FALSE},    {WM_CANCELMODE, 0, FALSE, TRUE},
        {WM_ACTIVATEAPP, FALSE, FALSE, TRUE},      {WM_ACTIVATEAPP, TRUE, FALSE, FALSE},
        {WM_SETTINGCHANGE, 0, FALSE, FALSE},
    };
    for (const Case& c : cases)
    {
        pMenuBar->SetTrackingMode(kTrackingOn, FALSE);
        pMouse->AddTrackedBar(pMenuBar);
        f.pBars->SetCustomizingState(c.bCustomize);
        LRESULT lResult = 0;
        // None of them is kept from the site.
        EXPECT_FALSE(f.pBars->HandleFrameMessage(c.nMessage, c.wParam, 0, &lResult)) << c.nMessage;
        EXPECT_EQ(pMenuBar->GetTrackingMode() == kTrackingNone, c.bCloses) << c.nMessage << " " << c.wParam;
        f.pBars->SetCustomizingState(FALSE);
        pMenuBar->SetTrackingMode(kTrackingNone);
        pMouse->RemoveTrackedBar(pMenuBar);
    }
}

// ---- the full-menu delay ---------------------------------------------------------------

TEST(CommandBarsFullMenuDelay, AnOpenMenuShowsItsRarelyUsedCommandsWhileThePointerRestsOnItsTitle)
{
    ManagerFixture f;
    CLVKCommandBarsOptions* pOptions = f.pBars->GetCommandBarsOptions();
    pOptions->bAlwaysShowFullMenus = FALSE;
    pOptions->nAnimationType = -1;
    pOptions->SetCommandHidden(0xE141, TRUE);  // Exit
    CLVKMenuBar* pMenuBar = f.pBars->CreateMenuBar(L"Menu Bar", kIdMenu);
    ASSERT_NE(pMenuBar, nullptr);
    f.frame.RecalcLayout();
    POINT ptSaved{};
    ::GetCursorPos(&ptSaved);
    const auto centreOf = [&](int nIndex)
    {
        CRect rc = pMenuBar->GetControl(nIndex)->GetRect();
        pMenuBar->ClientToScreen(&rc);
        return rc.CenterPoint();
    };
    const HWND hBar = pMenuBar->GetSafeHwnd();

    const struct
    {
        BOOL bDelay;     // the options' "ShowFullAfterDelay"
        int nPointerOn;  // the title the pointer rests on
        BOOL bExpands;
    } cases[] = {{FALSE, 0, FALSE}, {TRUE, 1, FALSE}, {TRUE, 0, TRUE}};
    for (const auto& c : cases)
    {
        pOptions->bShowFullAfterDelay = c.bDelay;
        pMenuBar->SetPopupedIndex(0, 0);
        auto* pFile = DYNAMIC_DOWNCAST(CLVKPopupBar, pMenuBar->GetControl(0)->GetCommandBar());
        ASSERT_NE(pFile, nullptr);
        ASSERT_TRUE(pFile->HasHiddenItems());
        EXPECT_FALSE(pFile->IsExpanded());
        // The delay runs only when the options ask for it (taken here and sent by hand).
        EXPECT_EQ(::KillTimer(hBar, kTimerFullMenu) != FALSE, c.bDelay);
        if (c.bDelay)
        {
            MoveCursorAndWait(centreOf(c.nPointerOn));
            pMenuBar->SendMessage(WM_TIMER, kTimerFullMenu, 0);
        }
        EXPECT_EQ(pFile->IsExpanded(), c.bExpands) << c.bDelay << " " << c.nPointerOn;
        pMenuBar->SetTrackingMode(kTrackingNone);
        DrainDockMessages();
    }
    ::SetCursorPos(ptSaved.x, ptSaved.y);
}

// ---- the menu loop ---------------------------------------------------------------------

TEST(CommandBarsMenuLoop, WmQuitEndsTheLoopAndIsPostedAgain)
{
    ManagerFixture f;
    CLVKMenuBar* pMenuBar = f.pBars->CreateMenuBar(L"Menu Bar", kIdMenu);
    ASSERT_NE(pMenuBar, nullptr);
    DrainDockMessages();
    pMenuBar->SetTrackingMode(kTrackingOn, FALSE);
    ::PostQuitMessage(17);
    pMenuBar->RunMenuLoop();

    MSG msg{};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 17u);
    pMenuBar->SetTrackingMode(kTrackingNone);
}

TEST(CommandBarsMenuLoop, TheLoopDispatchesUntilTheBarStopsTracking)
{
    ManagerFixture f;
    CLVKMenuBar* pMenuBar = f.pBars->CreateMenuBar(L"Menu Bar", kIdMenu);
    ASSERT_NE(pMenuBar, nullptr);
    DrainDockMessages();
    pMenuBar->SetTrackingMode(kTrackingOn, FALSE);
    f.frame.m_pStopBar = pMenuBar;
    f.frame.PostMessage(WM_COMMAND, 0xE122, 0);
    f.frame.PostMessage(WM_APP, 0, 0);
    f.frame.PostMessage(WM_COMMAND, 0xE123, 0);
    pMenuBar->RunMenuLoop();
    // The command before the stop ran inside the loop; the one after waits.
    EXPECT_EQ(f.frame.m_commands, std::vector<UINT>({0xE122}));
    EXPECT_EQ(pMenuBar->GetTrackingMode(), kTrackingNone);
    DrainDockMessages();
    EXPECT_EQ(f.frame.m_commands, std::vector<UINT>({0xE122, 0xE123}));
}

TEST(CommandBarsMenuLoop, AMenuTrackedForItsResultAnswersZeroWhenDismissed)
{
    ManagerFixture f;
    DrainDockMessages();
    EXPECT_EQ(f.pBars->TrackPopupBar(nullptr, TPM_RETURNCMD, 50, 50), 0);
    EXPECT_EQ(f.pBars->TrackPopupMenu(nullptr, TPM_RETURNCMD, 50, 50), 0);

    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenuW(MF_STRING, 0xE122, L"&Copy");
    menu.AppendMenuW(MF_STRING, 0xE123, L"Cu&t");
    // The menu closes on a cancel before anything is chosen.
    f.frame.PostMessage(WM_CANCELMODE, 0, 0);
    EXPECT_EQ(f.pBars->TrackPopupMenu(&menu, TPM_RETURNCMD, 50, 50), 0);
    // Without the flag, a menu that was shown answers 1.
    f.frame.PostMessage(WM_CANCELMODE, 0, 0);
    EXPECT_EQ(f.pBars->TrackPopupMenu(&menu, 0, 50, 50), 1);
    DrainDockMessages();
    EXPECT_TRUE(f.frame.m_commands.empty());
}

// ---- shortcuts -------------------------------------------------------------------------

TEST(CommandBarsShortcuts, KeysRunTheirCommandsOnlyWithTheirModifiers)
{
    ManagerFixture f;
    f.pBars->GetShortcutManager()->LoadAccelerators(kIdAccel);
    LVK_SHORTCUTMANAGER_ACCEL ctrlAltQ{};
    ctrlAltQ.cmd = 0xE150;
    ctrlAltQ.key1 = {FVIRTKEY | FCONTROL | FALT, 0, 'Q'};
    f.pBars->GetShortcutManager()->GetShortcutTable().Add(ctrlAltQ);
    struct Case
    {
        std::initializer_list<int> modifiers;
        UINT nMessage;
        WPARAM wParam;
        BOOL bTaken;
        UINT nCommand;  // 0: none runs
    };
    const Case cases[] = {
        {{VK_CONTROL, VK_LCONTROL}, WM_KEYDOWN, 'O', TRUE, 0xE101},
        {{}, WM_KEYDOWN, 'O', FALSE, 0},
        {{VK_CONTROL, VK_LCONTROL, VK_SHIFT}, WM_KEYDOWN, 'O', FALSE, 0},
        {{}, WM_KEYDOWN, VK_F5, TRUE, 0xE190},
        {{}, WM_CHAR, VK_F5, FALSE, 0},  // a virtual-key shortcut is no character
        {{VK_CONTROL, VK_LCONTROL, VK_MENU, VK_LMENU}, WM_KEYDOWN, 'Q', TRUE, 0xE150},
        // AltGr (right Alt with left Ctrl) is not Ctrl+Alt.
        {{VK_CONTROL, VK_LCONTROL, VK_MENU, VK_RMENU}, WM_KEYDOWN, 'Q', FALSE, 0},
    };
    for (const Case& c : cases)
    {
        f.frame.m_commands.clear();
        CModifiers modifiers(c.modifiers);
        MSG msg = f.Key(c.nMessage, c.wParam);
        EXPECT_EQ(f.pBars->GetShortcutManager()->HandleKeyMessage(&msg), c.bTaken) << c.wParam;
        EXPECT_EQ(f.frame.m_commands, c.nCommand ? std::vector<UINT>({c.nCommand}) : std::vector<UINT>()) << c.wParam;
    }
}

TEST(CommandBarsShortcuts, NoCommandRunsInCustomizeModeWhileCapturedOrSuspended)
{
    ManagerFixture f;
    CLVKShortcutManager* pShortcuts = f.pBars->GetShortcutManager();
    pShortcuts->LoadAccelerators(kIdAccel);
    MSG msg = f.Key(WM_KEYDOWN, VK_F5);
    CModifiers none({});

    f.pBars->SetCustomizingState(TRUE);
    EXPECT_FALSE(pShortcuts->HandleKeyMessage(&msg));
    f.pBars->SetCustomizingState(FALSE);

    // A captured mouse: the key is taken but runs nothing.
    f.frame.SetCapture();
    EXPECT_TRUE(pShortcuts->HandleKeyMessage(&msg));
    ::ReleaseCapture();
    EXPECT_TRUE(f.frame.m_commands.empty());

    CCmdTarget suspender;
    f.pBars->SuspendBars(&suspender);
    EXPECT_FALSE(pShortcuts->HandleKeyMessage(&msg));
    f.pBars->SuspendBars(nullptr);
    EXPECT_TRUE(pShortcuts->HandleKeyMessage(&msg));
    EXPECT_EQ(f.frame.m_commands, std::vector<UINT>({0xE190}));
}

TEST(CommandBarsShortcuts, AChordWaitsForItsSecondKey)
{
    struct Case
    {
        UINT nSecondMessage;
        WPARAM wSecond;
        UINT nCommand;  // 0: none runs
    };
    const Case cases[] = {
        {WM_KEYDOWN, 'C', 0xE122},     // Ctrl+K, Ctrl+C
        {WM_KEYDOWN, 'X', 0xE123},     // Ctrl+K, Ctrl+X: the second shortcut of the same first key
        {WM_KEYDOWN, 'Z', 0},          // no such chord: a beep, both keys used up
        {WM_COMMAND, 0xE141, 0xE141},  // a command cuts the wait short and runs only itself
    };
    for (const Case& c : cases)
    {
        ManagerFixture f;
        CLVKShortcutManager* pShortcuts = f.pBars->GetShortcutManager();
        pShortcuts->LoadAccelerators(kIdAccel);
        for (auto [nCmd, wKey] : {std::pair<UINT, WORD>{0xE122, 'C'}, {0xE123, 'X'}})
        {
            LVK_SHORTCUTMANAGER_ACCEL chord{};
            chord.cmd = nCmd;
            chord.key1 = {FVIRTKEY | FCONTROL, 0, 'K'};
            chord.key2 = {FVIRTKEY | FCONTROL, 0, wKey};
            pShortcuts->GetShortcutTable().Add(chord);
        }
        DrainDockMessages();
        CModifiers ctrl({VK_CONTROL, VK_LCONTROL});
        // A modifier pressed on its own is passed over.
        f.frame.PostMessage(WM_KEYDOWN, VK_CONTROL, 0);
        f.frame.PostMessage(c.nSecondMessage, c.wSecond, 0);
        MSG msg = f.Key(WM_KEYDOWN, 'K');
        EXPECT_TRUE(pShortcuts->HandleKeyMessage(&msg));

        EXPECT_EQ(f.frame.m_commands, c.nCommand ? std::vector<UINT>({c.nCommand}) : std::vector<UINT>()) << c.wSecond;
        // The wait showed its prompt and gave the idle prompt back.
        ASSERT_EQ(f.frame.m_statusTexts.size(), 2u);
        EXPECT_EQ(f.frame.m_statusTexts[0], L"(Ctrl+K) was pressed. Waiting for second key of chord...");
        EXPECT_EQ(f.frame.m_statusTexts[1], L"");
        EXPECT_EQ(::GetCapture(), nullptr);
        EXPECT_EQ(pShortcuts->m_nDisableShortcuts, 0);
    }
}

TEST(CommandBarsShortcuts, WmQuitEndsAChordWaitAndIsPostedAgain)
{
    ManagerFixture f;
    CLVKShortcutManager* pShortcuts = f.pBars->GetShortcutManager();
    pShortcuts->LoadAccelerators(kIdAccel);
    LVK_SHORTCUTMANAGER_ACCEL chord{};
    chord.cmd = 0xE122;
    chord.key1 = {FVIRTKEY | FCONTROL, 0, 'K'};
    chord.key2 = {FVIRTKEY | FCONTROL, 0, 'C'};
    pShortcuts->GetShortcutTable().Add(chord);
    DrainDockMessages();
    CModifiers ctrl({VK_CONTROL, VK_LCONTROL});
    ::PostQuitMessage(5);
    MSG msg = f.Key(WM_KEYDOWN, 'K');
    EXPECT_TRUE(pShortcuts->HandleKeyMessage(&msg));
    EXPECT_TRUE(f.frame.m_commands.empty());
    EXPECT_EQ(::GetCapture(), nullptr);
    MSG quit{};
    ASSERT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 5u);
}

TEST(CommandBarsShortcuts, MenusNameTheFramesAcceleratorsUntilATableIsLoaded)
{
    ManagerFixture f;
    CLVKShortcutManager* pShortcuts = f.pBars->GetShortcutManager();
    CString strText;
    EXPECT_FALSE(pShortcuts->FindCommandShortcutText(0xE101, strText));
    ASSERT_TRUE(f.frame.LoadAccelTable(MAKEINTRESOURCEW(kIdAccel)));
    EXPECT_TRUE(pShortcuts->FindCommandShortcutText(0xE101, strText));
    EXPECT_EQ(std::wstring(strText), L"Ctrl+O");
    EXPECT_FALSE(pShortcuts->FindCommandShortcutText(0xE141, strText));
    EXPECT_TRUE(strText.IsEmpty());
    // A loaded table, even one emptied since, speaks for itself.
    pShortcuts->LoadAccelerators(kIdAccel);
    pShortcuts->GetShortcutTable().Clear();
    EXPECT_FALSE(pShortcuts->FindCommandShortcutText(0xE101, strText));
}

TEST(CommandBarsShortcuts, TheProfileKeepsTheTableAndRefusesUnknownVersions)
{
    const std::wstring company = L"LorvaneShortcutTest" + std::to_wstring(::GetCurrentProcessId());
    {
        CWinApp app(L"ShortcutTest");
        app.SetRegistryKey(company.c_str());
        ManagerFixture f;
        CLVKShortcutManager* pShortcuts = f.pBars->GetShortcutManager();
        // Nothing is saved before a table was loaded.
        EXPECT_FALSE(pShortcuts->SaveToProfile(L"Bars"));
        pShortcuts->LoadAccelerators(kIdAccel);
        LVK_SHORTCUTMANAGER_ACCEL chord{};
        chord.cmd = 0xE122;
        chord.key1 = {FVIRTKEY | FCONTROL, 0, 'K'};
        chord.key2 = {FVIRTKEY | FCONTROL, 0, 'C'};
        pShortcuts->GetShortcutTable().Add(chord);
        ASSERT_TRUE(pShortcuts->SaveToProfile(L"Bars"));
        EXPECT_EQ(app.GetProfileInt(L"Bars", L"AcceleratorsVersion", 0), 1u);

        pShortcuts->ResetShortcuts();
        ASSERT_EQ(pShortcuts->GetShortcutTable().GetCount(), 3);
        ASSERT_TRUE(pShortcuts->LoadFromProfile(L"Bars"));
        ASSERT_EQ(pShortcuts->GetShortcutTable().GetCount(), 4);
        CString strText;
        EXPECT_TRUE(pShortcuts->FindCommandShortcutText(0xE122, strText));
        EXPECT_EQ(std::wstring(strText), L"Ctrl+K, Ctrl+C");

        // Version 0: six-byte records of the old format.
        ACCEL old[1] = {{FVIRTKEY | FSHIFT, VK_F2, 0xE141}};
        app.WriteProfileBinary(L"Old", L"Accelerators", reinterpret_cast<LPBYTE>(old), sizeof(old));
        ASSERT_TRUE(pShortcuts->LoadFromProfile(L"Old"));
        ASSERT_EQ(pShortcuts->GetShortcutTable().GetCount(), 1);
        EXPECT_TRUE(pShortcuts->FindCommandShortcutText(0xE141, strText));
        EXPECT_EQ(std::wstring(strText), L"Shift+F2");

        // An unknown version leaves the table alone.
        app.WriteProfileInt(L"Bars", L"AcceleratorsVersion", 2);
        pShortcuts->ResetShortcuts();
        EXPECT_FALSE(pShortcuts->LoadFromProfile(L"Bars"));
        EXPECT_EQ(pShortcuts->GetShortcutTable().GetCount(), 3);
    }
    ::RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + company).c_str());
}

}  // namespace
