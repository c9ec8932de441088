// The command-bar window inside a frame: executing controls, the site's
// notification, a popup tracked for its result, the idle command update,
// delayed redraws, help hit tests, status texts, icon and button sizes, and
// the options' profile section.
#include "Framework.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/CommandBars.h"
#include "CommandBars/CommandBarsOptions.h"
#include "CommandBars/Control.h"
#include "CommandBars/ControlButton.h"
#include "CommandBars/Controls.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/ImageManager.h"
#include "Foundation/PropExchangeIniFile.h"
#include "Foundation/PropExchangeRegistry.h"
#include "Foundation/PropExchangeSection.h"
#include "FrameIds.h"
#include "FrameWnd.h"
#include "PaintTestSupport.h"
#include "ScratchFolder.h"
#include "ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

#ifndef WM_HELPHITTEST
#define WM_HELPHITTEST 0x0366
#endif

std::wstring Text(const CString& s)
{
    return std::wstring(static_cast<LPCTSTR>(s));
}

class CSiteFrame : public CFrameWnd
{
public:
    CSiteFrame() { m_bAutoDelete = FALSE; }

    std::vector<UINT> m_commands;
    std::vector<std::wstring> m_statusTexts;  // "" for the idle prompt
    std::vector<WPARAM> m_selected;
    BOOL m_bAnswerNotify = FALSE;
    int m_nNotifications = 0;

    // Commands from 200 on are recorded without handlers of their own.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo) override
    {
        if (nID >= 200 && nID < 300 && nCode == CN_COMMAND && !pInfo)
        {
            m_commands.push_back(nID);
            return TRUE;
        }
        return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pInfo);
    }

    afx_msg void OnCommand104() { m_commands.push_back(104); }
    afx_msg void OnCommand105() { m_commands.push_back(105); }
    afx_msg void OnUpdateDisable(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateCheck(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnUpdateText(CCmdUI* pCmdUI) { pCmdUI->SetText(L"Renamed\tF9"); }
    afx_msg LRESULT OnSetMessageString(WPARAM, LPARAM lParam)
    {
        m_statusTexts.push_back(reinterpret_cast<LPCWSTR>(lParam));
        return 0;
    }
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM)
    {
        if (wParam == AFX_IDS_IDLEMESSAGE)
            m_statusTexts.push_back(L"");
        return 0;
    }
    afx_msg LRESULT OnControlSelected(WPARAM wParam, LPARAM)
    {
        m_selected.push_back(wParam);
        return 0;
    }
    afx_msg LRESULT OnControlNotify(WPARAM, LPARAM lParam)
    {
        auto* pNotify = reinterpret_cast<LVK_CONTROL_NOTIFY*>(lParam);
        if (pNotify->hdr.code == kNotifyExecute)
            m_nNotifications++;
        return m_bAnswerNotify;
    }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSiteFrame, CFrameWnd)
    ON_COMMAND(104, OnCommand104)
    ON_COMMAND(105, OnCommand105)
    ON_UPDATE_COMMAND_UI(100, OnUpdateDisable)
    ON_UPDATE_COMMAND_UI(101, OnUpdateCheck)
    ON_UPDATE_COMMAND_UI(102, OnUpdateDisable)
    ON_UPDATE_COMMAND_UI(106, OnUpdateText)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
    ON_MESSAGE(LVK_WM_CONTROLSELECTED, OnControlSelected)
    ON_MESSAGE(LVK_WM_CONTROLNOTIFY, OnControlNotify)
END_MESSAGE_MAP()

// A hidden frame with a visible bar inside, each control 20 px wide in a row.
struct FrameFixture
{
    CSiteFrame frame;
    CLVKCommandBar* pBar = new CLVKCommandBar;

    FrameFixture()
    {
        frame.Create(nullptr, L"Site", WS_POPUP, CRect(0, 0, 400, 200));
        pBar->CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), L"Bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 30), &frame,
                       1);
    }
    ~FrameFixture()
    {
        pBar->InternalRelease();
        frame.DestroyWindow();
    }

    // What the thread's idle time does for a frame and its windows.
    void Idle()
    {
        frame.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
        frame.SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }

    CLVKControl* Add(int nId)
    {
        CLVKControl* pControl = pBar->GetControls()->Add(kControlButton, nId);
        const int x = (pControl->GetIndex()) * 20;
        pControl->SetRect(CRect(x, 0, x + 20, 20));
        return pControl;
    }
};

// A hidden frame (created here) with a visible bar in it; the caller holds
// the bar's reference.
CLVKCommandBar* CreateBarInFrame(CFrameWnd& frame)
{
    frame.Create(nullptr, L"Site", WS_POPUP, CRect(0, 0, 400, 200));
    CLVKCommandBar* pBar = new CLVKCommandBar;
    pBar->CreateEx(0, AfxRegisterWndClass(0), L"Bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 30), &frame, 1);
    return pBar;
}

// ---- executing ------------------------------------------------------------------------

TEST(CommandBarExecute, AControlSendsItsCommandToTheSiteAfterTheNotification)
{
    FrameFixture fixture;
    ASSERT_NE(fixture.pBar->GetSafeHwnd(), nullptr);
    CLVKControl* pControl = fixture.Add(104);
    pControl->Execute();
    EXPECT_EQ(fixture.frame.m_nNotifications, 1);
    EXPECT_EQ(fixture.frame.m_commands, (std::vector<UINT>{104}));
    EXPECT_EQ(pControl->GetExecuteState(), 0);  // refreshed after the command

    // A site that answers the notification takes the command itself.
    fixture.frame.m_bAnswerNotify = TRUE;
    pControl->Execute();
    EXPECT_EQ(fixture.frame.m_nNotifications, 2);
    EXPECT_EQ(fixture.frame.m_commands.size(), 1u);
}

TEST(CommandBarExecute, APopupTrackedForItsResultGetsTheIdInstead)
{
    FrameFixture fixture;
    CLVKControl* pControl = fixture.Add(105);
    int nResult = 0;
    fixture.pBar->SetReturnCommandSlot(&nResult);
    pControl->Execute();
    EXPECT_EQ(nResult, 105);
    EXPECT_TRUE(fixture.frame.m_commands.empty());
    EXPECT_EQ(fixture.frame.m_nNotifications, 0);
    fixture.pBar->SetReturnCommandSlot(nullptr);
}

TEST(CommandBarExecute, AHandlerMayRemoveTheControlWhileItExecutes)
{
    // The frame's handler of 104 removes the control from its bar; the
    // control's own reference keeps it alive until Execute returns.
    struct CRemovingFrame : public CSiteFrame
    {
        CLVKCommandBar* pBar = nullptr;
        BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo) override
        {
            if (nID == 104 && nCode == CN_COMMAND && !pInfo && pBar)
            {
                pBar->GetControls()->RemoveAll();
                m_commands.push_back(nID);
                return TRUE;
            }
            return CSiteFrame::OnCmdMsg(nID, nCode, pExtra, pInfo);
        }
    } frame;
    CLVKCommandBar* pBar = CreateBarInFrame(frame);
    frame.pBar = pBar;
    CLVKControl* pControl = pBar->GetControls()->Add(kControlButton, 104);
    pControl->Execute();
    EXPECT_EQ(frame.m_commands, (std::vector<UINT>{104}));
    EXPECT_EQ(pBar->GetControlCount(), 0);
    pBar->InternalRelease();
    frame.DestroyWindow();
}

// ---- the click-tracking loop ---------------------------------------------------------

// What arrives while a button on a tool-bar-like bar is held down, and what
// the press makes of it. The loop runs on the messages posted before it.
struct ClickCase
{
    const char* name;
    int nRepeat;  // ExecuteOnPressInterval; long enough that no real tick comes
    std::vector<std::pair<UINT, CPoint>> messages;
    size_t nCommands;
};

class ControlClick : public ::testing::TestWithParam<ClickCase>
{
};

TEST_P(ControlClick, ExecutesOnAReleaseInsideOrOnEveryTickWhileHeld)
{
    const ClickCase& c = GetParam();
    FrameFixture fixture;
    fixture.Add(104);
    CLVKControl* pControl = fixture.Add(104);  // at 20..40
    pControl->SetExecuteOnPressInterval(c.nRepeat);
    const HWND hBar = fixture.pBar->GetSafeHwnd();
    for (const auto& m : c.messages)
        ::PostMessageW(hBar, m.first, m.first == WM_TIMER ? kTimerAutoRepeat : 0, MAKELPARAM(m.second.x, m.second.y));
    pControl->OnLButtonDown(CPoint(30, 10));
    EXPECT_EQ(fixture.frame.m_commands.size(), c.nCommands);
    EXPECT_EQ(pControl->GetExecuteState(), 0);
    if (c.nRepeat == 0)
    {
        EXPECT_EQ(pControl->GetPressedState(), 0) << "the hot control is cleared after a click";
    }
    EXPECT_EQ(::GetCapture(), nullptr);
}

const CPoint kInside(30, 10);
const CPoint kOutside(80, 10);

INSTANTIATE_TEST_SUITE_P(
    Cases, ControlClick,
    ::testing::Values(
        ClickCase{"ReleaseWithoutMovingClicks", 0, {{WM_LBUTTONUP, kInside}}, 1},
        ClickCase{"ReleaseAfterLeavingDoesNothing", 0, {{WM_MOUSEMOVE, kOutside}, {WM_LBUTTONUP, kOutside}}, 0},
        ClickCase{"ComingBackBeforeTheReleaseClicks",
                  0,
                  {{WM_MOUSEMOVE, kOutside}, {WM_MOUSEMOVE, kInside}, {WM_LBUTTONUP, kInside}},
                  1},
        ClickCase{"TicksWhileHeldRepeatAfterThePress",
                  100000,
                  {{WM_TIMER, kInside}, {WM_TIMER, kInside}, {WM_LBUTTONUP, kInside}},
                  3},
        ClickCase{"TicksOutsideDoNotRepeat",
                  100000,
                  {{WM_MOUSEMOVE, kOutside}, {WM_TIMER, kOutside}, {WM_LBUTTONUP, kOutside}},
                  1}),
    [](const ::testing::TestParamInfo<ClickCase>& info) { return std::string(info.param.name); });

TEST(ControlClickLoop, WmQuitEndsTheLoopWithoutAClickAndIsPostedAgain)
{
    FrameFixture fixture;
    CLVKControl* pControl = fixture.Add(104);
    ::PostQuitMessage(9);
    pControl->OnLButtonDown(CPoint(10, 10));
    EXPECT_TRUE(fixture.frame.m_commands.empty());
    EXPECT_EQ(::GetCapture(), nullptr);
    MSG msg{};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 9u);
}

TEST(ControlClickLoop, ABarReleasedByItsOwnCommandLivesUntilTheClickReturns)
{
    // The handler of 104 drops the last reference of the bar whose button
    // was clicked; the bar's window must outlive the handler and go after.
    struct CReleasingFrame : public CSiteFrame
    {
        CLVKCommandBar* pBar = nullptr;
        BOOL bWindowDuringHandler = FALSE;
        BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo) override
        {
            if (nID == 104 && nCode == CN_COMMAND && !pInfo && pBar)
            {
                HWND hBar = pBar->GetSafeHwnd();
                pBar->InternalRelease();
                pBar = nullptr;
                bWindowDuringHandler = ::IsWindow(hBar);
                m_commands.push_back(nID);
                return TRUE;
            }
            return CSiteFrame::OnCmdMsg(nID, nCode, pExtra, pInfo);
        }
    } frame;
    CLVKCommandBar* pBar = CreateBarInFrame(frame);
    frame.pBar = pBar;
    pBar->GetControls()->Add(kControlButton, 104)->SetRect(CRect(0, 0, 20, 20));
    const HWND hBar = pBar->GetSafeHwnd();
    ::PostMessageW(hBar, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ::SendMessageW(hBar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(frame.m_commands, (std::vector<UINT>{104}));
    EXPECT_TRUE(frame.bWindowDuringHandler);
    EXPECT_FALSE(::IsWindow(hBar)) << "the last reference went when the click returned";
    frame.DestroyWindow();
}

// ---- resizing a control in customize mode ----------------------------------------------

// A control the user may make wider or narrower, down to 30 px.
class CResizableControl : public CLVKControlButton
{
public:
    BOOL IsCustomizeResizable() const override { return TRUE; }
    int GetCustomizeMinWidth() const override { return 30; }
};

struct ResizeCase
{
    const char* name;
    int xPress;                                  // in the bar; the control spans 100..160
    std::vector<std::pair<UINT, int>> messages;  // message and pointer x (a key: Escape)
    BOOL bResizing;                              // the press was on an edge
    int nWidth;                                  // the control's Width afterwards (0: never set)
};

class ControlResize : public ::testing::TestWithParam<ResizeCase>
{
};

TEST_P(ControlResize, ASideEdgeFollowsThePointerUntilTheRelease)
{
    const ResizeCase& c = GetParam();
    FrameFixture fixture;
    CLVKCommandBars* pBars = new CLVKCommandBars;
    fixture.pBar->SetCommandBars(pBars);
    CLVKControl* pControl = fixture.pBar->GetControls()->AddControl(new CResizableControl, 104);
    pControl->SetRect(CRect(100, 0, 160, 20));
    pBars->SetCustomizeSelectedControl(pControl);
    const HWND hBar = fixture.pBar->GetSafeHwnd();
    for (const auto& m : c.messages)
    {
        if (m.first == WM_KEYDOWN)
            ::PostMessageW(hBar, WM_KEYDOWN, VK_ESCAPE, 0);
        else
            ::PostMessageW(hBar, m.first, 0, MAKELPARAM(m.second, 10));
    }
    EXPECT_EQ(pControl->CustomizeTrackResize(CPoint(c.xPress, 10)), c.bResizing);
    EXPECT_EQ(pControl->GetWidth(), c.nWidth);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(pBars->GetCustomizeSelectedControl(), pControl) << "the control stays selected";
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ;
    pBars->SetCustomizeSelectedControl(nullptr);
    fixture.pBar->SetCommandBars(nullptr);
    pBars->InternalRelease();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ControlResize,
    ::testing::Values(
        ResizeCase{"TheRightEdgeFollows", 159, {{WM_MOUSEMOVE, 175}, {WM_MOUSEMOVE, 190}, {WM_LBUTTONUP, 190}}, TRUE, 90},
        ResizeCase{"TheLeftEdgeFollows", 100, {{WM_MOUSEMOVE, 80}, {WM_LBUTTONUP, 80}}, TRUE, 80},
        ResizeCase{"NeverBelowTheMinimum", 159, {{WM_MOUSEMOVE, 20}, {WM_LBUTTONUP, 20}}, TRUE, 30},
        ResizeCase{"EscapeKeepsTheWidth", 159, {{WM_MOUSEMOVE, 190}, {WM_KEYDOWN, 0}}, TRUE, 0},
        ResizeCase{"AnUnchangedWidthIsNotSet", 159, {{WM_LBUTTONUP, 159}}, TRUE, 0},
        ResizeCase{"APressAwayFromTheEdgesIsNoResize", 130, {}, FALSE, 0}),
    [](const ::testing::TestParamInfo<ResizeCase>& info) { return std::string(info.param.name); });

// The tracker inverts a frame of 2-px bands and nothing inside it, so
// drawing it again at the same place erases it.
TEST(ControlResize, TheTrackerIsAnInvertedFrameThatASecondDrawingErases)
{
    CPixelCanvas canvas(40, 30);
    const CRect rc(5, 5, 35, 25);
    CLVKControl::DrawResizeTracker(canvas.DC(), rc);
    const COLORREF inverted = RGB(255 - GetRValue(kBack), 255 - GetGValue(kBack), 255 - GetBValue(kBack));
    const int cx = CLVKDpiScaling::GetGlobal()->ScaleX(2);
    const int cy = CLVKDpiScaling::GetGlobal()->ScaleY(2);
    EXPECT_EQ(inverted, canvas.At(rc.left, rc.top));
    EXPECT_EQ(inverted, canvas.At(rc.left + cx - 1, rc.top + 10));
    EXPECT_EQ(kBack, canvas.At(rc.left + cx, rc.top + 10)) << "inside the band";
    EXPECT_EQ(inverted, canvas.At(rc.right - 1, rc.bottom - 1));
    EXPECT_EQ(inverted, canvas.At(20, rc.bottom - cy));
    EXPECT_EQ(kBack, canvas.At(20, rc.bottom - cy - 1));
    EXPECT_EQ(kBack, canvas.At(rc.left - 1, rc.top)) << "outside the rectangle";
    EXPECT_EQ(kBack, canvas.At(rc.right, rc.top));
    // Every corner pixel is inverted once, not twice.
    EXPECT_EQ(inverted, canvas.At(rc.right - 1, rc.top));
    EXPECT_EQ(inverted, canvas.At(rc.left, rc.bottom - 1));
    CLVKControl::DrawResizeTracker(canvas.DC(), rc);
    EXPECT_EQ(0, canvas.CountNot(kBack, CRect(0, 0, 40, 30)));
}

TEST(ControlResize, TheEndOfTheProgramCancelsAndIsPassedOn)
{
    FrameFixture fixture;
    CLVKControl* pControl = fixture.pBar->GetControls()->AddControl(new CResizableControl, 104);
    pControl->SetRect(CRect(100, 0, 160, 20));
    ::PostMessageW(fixture.pBar->GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(190, 10));
    ::PostQuitMessage(4);
    EXPECT_TRUE(pControl->CustomizeTrackResize(CPoint(159, 10)));
    EXPECT_EQ(pControl->GetWidth(), 0);
    EXPECT_EQ(::GetCapture(), nullptr);
    MSG msg{};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 4u);
}

// ---- accessibility --------------------------------------------------------------------

std::wstring AccText(HRESULT (STDMETHODCALLTYPE IAccessible::*pGet)(VARIANT, BSTR*), IAccessible* pAcc, long nChild = CHILDID_SELF)
{
    VARIANT var;
    ::VariantInit(&var);
    V_VT(&var) = VT_I4;
    V_I4(&var) = nChild;
    BSTR bstr = nullptr;
    (pAcc->*pGet)(var, &bstr);
    std::wstring str = bstr ? bstr : L"";
    ::SysFreeString(bstr);
    return str;
}

long AccLong(HRESULT (STDMETHODCALLTYPE IAccessible::*pGet)(VARIANT, VARIANT*), IAccessible* pAcc)
{
    VARIANT self;
    ::VariantInit(&self);
    VARIANT var;
    ::VariantInit(&var);
    (pAcc->*pGet)(self, &var);
    return V_VT(&var) == VT_I4 ? V_I4(&var) : -1;
}

TEST(ControlAccessibility, NameRoleStateAndPlaceOfAControl)
{
    FrameFixture fixture;
    fixture.frame.ShowWindow(SW_SHOWNOACTIVATE);
    fixture.Add(104);
    CLVKControl* pControl = fixture.Add(104);
    pControl->SetCaption(L"&Open\tCtrl+O");
    pControl->SetDescription(L"Opens a file");
    IAccessible* pAcc = &pControl->m_xAccessible;

    EXPECT_EQ(AccText(&IAccessible::get_accName, pAcc), L"Open\tCtrl+O");
    EXPECT_EQ(AccText(&IAccessible::get_accKeyboardShortcut, pAcc), L"O");
    EXPECT_EQ(AccText(&IAccessible::get_accDescription, pAcc), L"Opens a file");
    EXPECT_EQ(AccText(&IAccessible::get_accDefaultAction, pAcc), L"Click");
    EXPECT_EQ(AccLong(&IAccessible::get_accRole, pAcc), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(AccLong(&IAccessible::get_accState, pAcc), STATE_SYSTEM_FOCUSABLE);

    // Another child id than the control itself is refused.
    VARIANT bad;
    ::VariantInit(&bad);
    V_VT(&bad) = VT_I4;
    V_I4(&bad) = 3;
    BSTR bstr = nullptr;
    EXPECT_EQ(pAcc->get_accName(bad, &bstr), E_INVALIDARG);

    // Without a caption the tooltip names it.
    CLVKControl* pIcon = fixture.Add(105);
    pIcon->SetTooltip(L"Print");
    EXPECT_EQ(AccText(&IAccessible::get_accName, &pIcon->m_xAccessible), L"Print");

    pControl->SetEnabled(FALSE);
    pControl->SetChecked(1);
    EXPECT_EQ(AccLong(&IAccessible::get_accState, pAcc),
              STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_CHECKED);
    fixture.pBar->ShowWindow(SW_HIDE);
    EXPECT_TRUE(AccLong(&IAccessible::get_accState, pAcc) & STATE_SYSTEM_INVISIBLE);
    fixture.pBar->ShowWindow(SW_SHOWNA);
    pControl->SetEnabled(TRUE);

    VARIANT self;
    ::VariantInit(&self);
    long x = 0, y = 0, cx = 0, cy = 0;
    ASSERT_EQ(pAcc->accLocation(&x, &y, &cx, &cy, self), S_OK);
    CPoint ptOrigin(0, 0);
    fixture.pBar->ClientToScreen(&ptOrigin);
    EXPECT_EQ(x, ptOrigin.x + 20);
    EXPECT_EQ(y, ptOrigin.y);
    EXPECT_EQ(cx, 20);
    EXPECT_EQ(cy, 20);
    VARIANT hit;
    EXPECT_EQ(pAcc->accHitTest(ptOrigin.x + 25, ptOrigin.y + 5, &hit), S_OK);
    EXPECT_EQ(V_VT(&hit), VT_I4);
    EXPECT_EQ(pAcc->accHitTest(ptOrigin.x + 5, ptOrigin.y + 5, &hit), S_FALSE) << "that is the first control";

    // The default action clicks it as the keyboard would: it runs at once.
    EXPECT_EQ(pAcc->accDoDefaultAction(self), S_OK);
    EXPECT_EQ(fixture.frame.m_commands, (std::vector<UINT>{104}));

    IDispatch* pParent = nullptr;
    ASSERT_EQ(pAcc->get_accParent(&pParent), S_OK);
    EXPECT_EQ(pParent, static_cast<IDispatch*>(&fixture.pBar->m_xAccessible));
    pParent->Release();
    long nChildren = -1;
    pAcc->get_accChildCount(&nChildren);
    EXPECT_EQ(nChildren, 0);
}

TEST(ControlAccessibility, APopupControlIsAMenuButtonWithItsBarAsChild)
{
    FrameFixture fixture;
    CLVKControl* pPopup = fixture.pBar->GetControls()->Add(kControlPopup, 0);
    IAccessible* pAcc = &pPopup->m_xAccessible;
    EXPECT_EQ(AccLong(&IAccessible::get_accRole, pAcc), ROLE_SYSTEM_BUTTONMENU);
    EXPECT_TRUE(AccLong(&IAccessible::get_accState, pAcc) & STATE_SYSTEM_HASPOPUP);
    long nChildren = 0;
    pAcc->get_accChildCount(&nChildren);
    EXPECT_EQ(nChildren, 1);
    VARIANT self;
    ::VariantInit(&self);
    IDispatch* pChild = nullptr;
    ASSERT_EQ(pAcc->get_accChild(self, &pChild), S_OK);
    EXPECT_EQ(pChild, static_cast<IDispatch*>(&pPopup->GetCommandBar()->m_xAccessible));
    pChild->Release();

    // Items of a menu are menu items.
    CLVKControl* pItem = pPopup->GetCommandBar()->GetControls()->Add(kControlButton, 104);
    EXPECT_EQ(AccLong(&IAccessible::get_accRole, &pItem->m_xAccessible), ROLE_SYSTEM_MENUITEM);
}

// ---- the idle update ------------------------------------------------------------------

TEST(CommandBarIdle, UpdatesTheControlsFromTheSitesHandlers)
{
    FrameFixture fixture;
    CLVKControl* pDisabled = fixture.Add(100);
    CLVKControl* pChecked = fixture.Add(101);
    CLVKControl* pRarelyUsed = fixture.Add(102);
    pRarelyUsed->SetHideFlags(kHideRarelyUsed);
    CLVKControl* pNoUpdate = fixture.Add(102);
    pNoUpdate->SetFlags(kFlagNoAutoUpdate);
    CLVKControl* pHidden = fixture.Add(102);
    pHidden->SetHideFlags(kHideOwnRule);
    CLVKControl* pRenamed = fixture.Add(106);

    fixture.Idle();
    EXPECT_FALSE(pDisabled->IsEnabled());
    EXPECT_EQ(pChecked->GetChecked(), 1);
    EXPECT_FALSE(pRarelyUsed->IsEnabled()) << "a rarely used control is still updated";
    EXPECT_TRUE(pNoUpdate->IsEnabled()) << "flag 0x08 keeps a control out of the update";
    EXPECT_TRUE(pHidden->IsEnabled()) << "a control hidden by its own rule is not updated";
    EXPECT_EQ(Text(pRenamed->GetCaption()), L"Renamed");
    EXPECT_EQ(Text(pRenamed->GetShortcutTextAuto()), L"F9");

    // A root bar that suspends updates leaves its controls alone.
    CLVKControl* pLater = fixture.Add(100);
    fixture.pBar->SetNoCommandUpdate(TRUE);
    fixture.Idle();
    EXPECT_TRUE(pLater->IsEnabled());
}

TEST(CommandBarIdle, RedrawsHeldByTheLockWaitForTheIdleUpdate)
{
    FrameFixture fixture;
    CLVKControl* pControl = fixture.Add(104);
    fixture.Idle();
    EXPECT_EQ(fixture.pBar->GetState(), 0u);

    fixture.pBar->LockRedraw();
    pControl->SetChecked(1);  // asks for a redraw
    EXPECT_TRUE(fixture.pBar->GetState() & kBarStateRedraw);
    fixture.pBar->UnlockRedraw();
    EXPECT_TRUE(fixture.pBar->GetState() & kBarStateRedraw);
    fixture.Idle();
    EXPECT_FALSE(fixture.pBar->GetState() & kBarStateRedraw);
}

TEST(CommandBarIdle, AHiddenBarIsNotUpdated)
{
    FrameFixture fixture;
    CLVKControl* pControl = fixture.Add(100);
    fixture.pBar->ShowWindow(SW_HIDE);
    fixture.Idle();
    EXPECT_TRUE(pControl->IsEnabled());
}

// ---- keys while tracking ---------------------------------------------------------------

struct MnemonicCase
{
    const char* name;
    std::vector<const wchar_t*> captions;  // a leading '!' disables the control
    std::vector<UINT> keys;
    int nHot;  // -1 once a command ran: running it ends the tracking
    std::vector<UINT> commands;
};

class Mnemonics : public ::testing::TestWithParam<MnemonicCase>
{
};

TEST_P(Mnemonics, SelectAndRunTheMatchingControl)
{
    const MnemonicCase& c = GetParam();
    FrameFixture fixture;
    UINT nId = 200;
    for (const wchar_t* caption : c.captions)
    {
        CLVKControl* pControl = fixture.Add(static_cast<int>(nId++));
        if (caption[0] == L'!')
        {
            pControl->SetEnabled(FALSE);
            caption++;
        }
        pControl->SetCaption(caption);
    }
    fixture.pBar->SetTrackingMode(kTrackingOn, FALSE);
    for (UINT nKey : c.keys)
        EXPECT_EQ(fixture.pBar->OnHookKeyDown(nKey, 0), 1);
    EXPECT_EQ(fixture.pBar->GetHotIndex(), c.nHot);
    EXPECT_EQ(fixture.frame.m_commands, c.commands);
    fixture.pBar->EndTracking();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Mnemonics,
    ::testing::Values(
        MnemonicCase{"DuplicatesSelectWithoutRunning", {L"&Open", L"&Other", L"Save"}, {'O'}, 0, {}},
        MnemonicCase{"TheSamePressAgainMovesToTheSecond", {L"&Open", L"&Other", L"Save"}, {'O', 'O'}, 1, {}},
        MnemonicCase{"AnAmpersandWinsOverAFirstLetter", {L"Open", L"E&xit", L"&Options"}, {'O'}, -1, {202}},
        MnemonicCase{"AFirstLetterRunsWhenItIsTheOnlyOne", {L"&Copy", L"Save && Exit"}, {'S'}, -1, {201}},
        MnemonicCase{"DoubledAmpersandIsNoMnemonic", {L"Save && Exit", L"&New"}, {'E'}, -1, {}},
        MnemonicCase{"ATrailingAmpersandOffersTheFirstLetter", {L"&New", L"Close&"}, {'C'}, -1, {201}},
        MnemonicCase{"TwoFirstLettersOnlySelect", {L"Copy", L"Cut"}, {'C'}, 0, {}},
        MnemonicCase{"DisabledControlsAreSkipped", {L"!&Delete", L"&Duplicate"}, {'D'}, -1, {201}}),
    [](const ::testing::TestParamInfo<MnemonicCase>& info) { return std::string(info.param.name); });

struct NavigationCase
{
    const char* name;
    std::vector<UINT> keys;
    int nHot;
    BOOL bTracking;
    std::vector<UINT> commands;
};

class Navigation : public ::testing::TestWithParam<NavigationCase>
{
};

TEST_P(Navigation, ArrowsHomeEndEnterAndEscape)
{
    // A vertical bar (no docking side): Down and Up walk, a disabled control
    // in the middle is still selectable, a hidden one is not.
    const NavigationCase& c = GetParam();
    FrameFixture fixture;
    fixture.Add(104);
    fixture.Add(105)->SetVisible(FALSE);
    fixture.Add(104);
    fixture.Add(105);
    fixture.pBar->SetTrackingMode(kTrackingOn, TRUE, 2);
    for (UINT nKey : c.keys)
        fixture.pBar->OnHookKeyDown(nKey, 0);
    EXPECT_EQ(fixture.pBar->GetHotIndex(), c.nHot);
    EXPECT_EQ(fixture.pBar->GetTrackingMode() != kTrackingNone, c.bTracking != 0);
    EXPECT_EQ(fixture.frame.m_commands, c.commands);
    fixture.pBar->EndTracking();
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Navigation,
    ::testing::Values(NavigationCase{"SelectFirstOnEntry", {}, 0, TRUE, {}},
                      NavigationCase{"DownSkipsTheHiddenControl", {VK_DOWN}, 2, TRUE, {}},
                      NavigationCase{"UpWrapsToTheLast", {VK_UP}, 3, TRUE, {}},
                      NavigationCase{"DownWrapsToTheFirst", {VK_DOWN, VK_DOWN, VK_DOWN}, 0, TRUE, {}},
                      NavigationCase{"EndAndHome", {VK_END, VK_HOME}, 0, TRUE, {}},
                      NavigationCase{"EnterRunsTheHotControl", {VK_DOWN, VK_DOWN, VK_RETURN}, -1, FALSE, {105}},
                      NavigationCase{"EscapeEndsTracking", {VK_ESCAPE}, -1, FALSE, {}}),
    [](const ::testing::TestParamInfo<NavigationCase>& info) { return std::string(info.param.name); });

TEST(Navigation, ALockedBarEatsKeysAndAKeyWithoutCharacterIsEaten)
{
    FrameFixture fixture;
    fixture.Add(104)->SetCaption(L"&Run");
    fixture.pBar->SetTrackingMode(kTrackingOn, FALSE);
    fixture.pBar->SetInputLock(1);
    EXPECT_EQ(fixture.pBar->OnHookKeyDown('R', 0), 1);
    EXPECT_TRUE(fixture.frame.m_commands.empty());
    fixture.pBar->SetInputLock(0);
    EXPECT_EQ(fixture.pBar->OnHookKeyDown(VK_F7, 0), 1);
    EXPECT_TRUE(fixture.frame.m_commands.empty());
    EXPECT_EQ(fixture.pBar->OnHookKeyDown('R', 0), 1);
    EXPECT_EQ(fixture.frame.m_commands, (std::vector<UINT>{104}));
}

// ---- help and status texts -----------------------------------------------------------

TEST(CommandBarHelp, HitTestAnswersTheControlsHelpContext)
{
    FrameFixture fixture;
    fixture.Add(4001);
    CLVKControl* pHelped = fixture.Add(4002);
    pHelped->SetHelpId(77);
    EXPECT_EQ(fixture.pBar->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(5, 5)), 0x10000 + 4001);
    EXPECT_EQ(fixture.pBar->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(25, 5)), 0x10000 + 77);
    EXPECT_EQ(fixture.pBar->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(250, 5)), 0x50000 + 1);
}

TEST(CommandBarStatus, AHotControlShowsItsDescriptionUnlessItWasJustClicked)
{
    FrameFixture fixture;
    CLVKControl* pFirst = fixture.Add(104);
    pFirst->SetDescription(L"Runs the first command");
    CLVKControl* pSecond = fixture.Add(105);
    pSecond->SetDescription(L"Runs the second command");

    fixture.pBar->SetSelected(0);
    fixture.pBar->SetSelected(1);
    fixture.pBar->SetSelected(-1);
    EXPECT_EQ(fixture.frame.m_statusTexts,
              (std::vector<std::wstring>{L"Runs the first command", L"", L"Runs the second command", L""}));
    ASSERT_EQ(fixture.frame.m_selected.size(), 4u);
    EXPECT_EQ(fixture.frame.m_selected[0], reinterpret_cast<WPARAM>(pFirst));
    EXPECT_EQ(fixture.frame.m_selected[3], 0u);

    // The control just clicked does not show its text again.
    fixture.frame.m_statusTexts.clear();
    fixture.pBar->SetLastClickedIndex(1);
    fixture.pBar->SetSelected(1);
    EXPECT_TRUE(fixture.frame.m_statusTexts.empty());
    fixture.pBar->SetSelected(-1);
    EXPECT_TRUE(fixture.frame.m_statusTexts.empty());
    EXPECT_EQ(fixture.pBar->GetLastClickedIndex(), -1);
}

// ---- sizes ---------------------------------------------------------------------------

TEST(CommandBarMetrics, WithoutAManagerIconsAreSixteenAndButtonsTwentyTwo)
{
    CLVKCommandBar* pBar = new CLVKCommandBar;
    EXPECT_EQ(pBar->GetIconSize(), CSize(16, 16));
    EXPECT_EQ(pBar->GetButtonSize(), CSize(22, 22));
    EXPECT_EQ(pBar->GetLargeIconSize(FALSE), CSize(32, 32));
    pBar->SetIconSize(CSize(24, 24));
    EXPECT_EQ(pBar->GetButtonSize(), CSize(30, 30));
    EXPECT_EQ(pBar->GetLargeIconSize(FALSE), CSize(48, 48));
    pBar->SetButtonSize(CSize(40, 36));
    EXPECT_EQ(pBar->GetButtonSize(), CSize(40, 36));
    EXPECT_FALSE(pBar->IsTextBelowIcons());
    pBar->SetShowTextBelowIcons(1);
    EXPECT_TRUE(pBar->IsTextBelowIcons());
    pBar->InternalRelease();
}

TEST(CommandBarMetrics, SetButtonsMakesButtonsAndGroupStarts)
{
    CLVKCommandBar* pBar = new CLVKCommandBar;
    const UINT ids[] = {0, 10, 11, 0, 0, 12};
    EXPECT_TRUE(pBar->SetButtons(ids, 6));
    ASSERT_EQ(pBar->GetControlCount(), 3);
    EXPECT_TRUE(pBar->GetControl(0)->GetBeginGroup());
    EXPECT_FALSE(pBar->GetControl(1)->GetBeginGroup());
    EXPECT_TRUE(pBar->GetControl(2)->GetBeginGroup());
    EXPECT_EQ(pBar->GetControl(2)->GetID(), 12);
    EXPECT_FALSE(pBar->LoadToolBar(0));
    EXPECT_EQ(pBar->GetControlCount(), 0);
    EXPECT_FALSE(pBar->LoadToolBar(31999));  // no such resource
    pBar->InternalRelease();
}

TEST(CommandBarMetrics, ToolBarResourcesMakeButtonsWithTheirImages)
{
    CLVKCommandBar* pBar = new CLVKCommandBar;
    CLVKImageManager* pImages = new CLVKImageManager;
    pBar->SetImageManager(pImages);

    // 16 x 16 images leave the bar's icon size unset.
    ASSERT_TRUE(pBar->LoadToolBar(700));
    ASSERT_EQ(pBar->GetControlCount(), 3);
    EXPECT_EQ(pBar->GetControl(0)->GetID(), 710);
    EXPECT_TRUE(pBar->GetControl(1)->GetBeginGroup());
    EXPECT_EQ(pBar->GetControl(2)->GetID(), 712);
    EXPECT_EQ(pBar->GetIconSizeValue(), CSize(0, 0));
    EXPECT_TRUE(pImages->IsIconAvailable(711, 16));
    EXPECT_NE(pBar->GetControl(1)->GetImage(16), nullptr);

    // 24 x 24 images set it.
    ASSERT_TRUE(pBar->LoadToolBar(701));
    ASSERT_EQ(pBar->GetControlCount(), 2);
    EXPECT_EQ(pBar->GetIconSizeValue(), CSize(24, 24));
    EXPECT_EQ(pBar->GetIconSize(), CSize(24, 24));
    EXPECT_TRUE(pImages->IsIconAvailable(721, 24));
    EXPECT_NE(pBar->GetControl(1)->GetImage(0), nullptr);
    pBar->InternalRelease();
}

// ---- options --------------------------------------------------------------------------

void FillOptions(CLVKCommandBarsOptions& options)
{
    options.bAlwaysShowFullMenus = FALSE;
    options.bToolBarAccelTips = TRUE;
    options.nAnimationType = 3;
    options.SetCommandUsed(0xE100);
    options.SetCommandUsed(0xE103);
    options.bSyncFloatingBars = FALSE;
    options.bAutoScaleDpiToolbarIcons = FALSE;
}

void ExpectSectionRestored(const CLVKCommandBarsOptions& loaded)
{
    EXPECT_FALSE(loaded.bAlwaysShowFullMenus);
    EXPECT_TRUE(loaded.bToolBarAccelTips);
    EXPECT_EQ(loaded.nAnimationType, 3);
    EXPECT_TRUE(loaded.IsCommandUsed(0xE100));
    EXPECT_TRUE(loaded.IsCommandUsed(0xE103));
    EXPECT_FALSE(loaded.IsCommandUsed(0xE101));
    // Not part of the profile section.
    EXPECT_TRUE(loaded.bSyncFloatingBars);
    EXPECT_TRUE(loaded.bAutoScaleDpiToolbarIcons);
}

TEST(CommandBarsOptions, TheRegistrySectionHoldsTheUserOptionsAndOneBinarySet)
{
    ScratchRegistryKey key;
    {
        CLVKCommandBarsOptions options;
        FillOptions(options);
        CLVKPropExchangeSection px(new CLVKPropExchangeRegistry(FALSE, key.Key(), L"Bars-Options"));
        options.DoPropExchange(px, TRUE);
    }
    DWORD nSchema = 0;
    EXPECT_TRUE(key.GetDword(L"Bars-Options", L"Schema", nSchema));
    EXPECT_EQ(nSchema, 42u);
    EXPECT_FALSE(key.HasSubKey(L"Bars-Options\\UsedCommands"));
    DWORD nSync = 0;
    EXPECT_FALSE(key.GetDword(L"Bars-Options", L"SyncFloatingBars", nSync));

    CLVKCommandBarsOptions loaded;
    CLVKPropExchangeSection px(new CLVKPropExchangeRegistry(TRUE, key.Key(), L"Bars-Options"));
    loaded.DoPropExchange(px, TRUE);
    ExpectSectionRestored(loaded);
}

TEST(CommandBarsOptions, AnIniSectionKeepsTheSetAsNumberedItems)
{
    ScratchFolder folder;
    const std::wstring file = folder.PathOf(L"bars.ini");
    {
        CLVKCommandBarsOptions options;
        FillOptions(options);
        auto* pIni = new CLVKPropExchangeIniFile(FALSE, nullptr, L"Bars-Options");
        pIni->AssignFile(file.c_str());
        CLVKPropExchangeSection px(pIni);
        options.DoPropExchange(px, TRUE);
    }
    wchar_t buffer[4096] = {};
    ::GetPrivateProfileSectionNamesW(buffer, 4096, file.c_str());
    std::vector<std::wstring> sections;
    for (const wchar_t* p = buffer; *p; p += wcslen(p) + 1)
        sections.push_back(p);
    bool bHasItemSection = false;
    for (const std::wstring& name : sections)
    {
        if (name.find(L"UsedCommands") == std::wstring::npos)
            continue;
        bHasItemSection = true;
        wchar_t item[32] = {};
        ::GetPrivateProfileStringW(name.c_str(), L"Item0", L"", item, 32, file.c_str());
        EXPECT_NE(std::wstring(item), L"");
    }
    EXPECT_TRUE(bHasItemSection);

    CLVKCommandBarsOptions loaded;
    auto* pIni = new CLVKPropExchangeIniFile(TRUE, nullptr, L"Bars-Options");
    pIni->AssignFile(file.c_str());
    CLVKPropExchangeSection px(pIni);
    loaded.DoPropExchange(px, TRUE);
    ExpectSectionRestored(loaded);
}

TEST(CommandBarsOptions, AnEmptySectionLoadsAsTheCurrentSchemaAndKeepsTheFields)
{
    ScratchRegistryKey key;
    CLVKCommandBarsOptions loaded;
    loaded.bLargeIcons = TRUE;
    CLVKPropExchangeSection px(new CLVKPropExchangeRegistry(TRUE, key.Key(), L"Missing-Options"));
    loaded.DoPropExchange(px, TRUE);
    EXPECT_TRUE(loaded.bLargeIcons);
    EXPECT_TRUE(loaded.bAlwaysShowFullMenus);
}

TEST(CommandBarsOptions, TheArchiveCarriesEveryField)
{
    CMemFile file;
    {
        CLVKCommandBarsOptions options;
        FillOptions(options);
        options.SetCommandHidden(0xE122, TRUE);
        options.szPopupIcons = CSize(20, 20);
        CArchive ar(&file, CArchive::store);
        options.Serialize(ar);
    }
    file.SeekToBegin();
    CLVKCommandBarsOptions loaded;
    CArchive ar(&file, CArchive::load);
    loaded.Serialize(ar);
    EXPECT_FALSE(loaded.bSyncFloatingBars);
    EXPECT_FALSE(loaded.bAutoScaleDpiToolbarIcons);
    EXPECT_TRUE(loaded.IsCommandHidden(0xE122));
    EXPECT_EQ(loaded.szPopupIcons, CSize(20, 20));
    EXPECT_EQ(loaded.nAnimationType, 3);
}

struct CuesCase
{
    const char* name;
    int nMode;
    BOOL bSystemCues;
    BOOL bFollowAlt;
    BOOL bVisible;
};

class KeyboardCues : public ::testing::TestWithParam<CuesCase>
{
};

TEST_P(KeyboardCues, ModeAndSystemSettingDecideTheUnderlines)
{
    const CuesCase& c = GetParam();
    BOOL bSaved = FALSE;
    ::SystemParametersInfo(SPI_GETKEYBOARDCUES, 0, &bSaved, 0);
    ::SystemParametersInfo(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(c.bSystemCues)), 0);
    BOOL bNow = !c.bSystemCues;
    const BOOL bReadable = ::SystemParametersInfo(SPI_GETKEYBOARDCUES, 0, &bNow, 0) && bNow == c.bSystemCues;

    CLVKCommandBarsOptions options;
    options.SetKeyboardCuesMode(c.nMode);
    ::SystemParametersInfo(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(bSaved)), 0);
    if (!bReadable && c.nMode == 2)
        GTEST_SKIP() << "the system keyboard-cue setting cannot be changed here";
    EXPECT_EQ(options.GetKeyboardCuesMode(), c.nMode);
    EXPECT_EQ(options.AreCuesFollowingAlt(), c.bFollowAlt);
    EXPECT_EQ(options.AreKeyboardCuesVisible(), c.bVisible);
}

INSTANTIATE_TEST_SUITE_P(Modes, KeyboardCues,
                         ::testing::Values(CuesCase{"AlwaysShown", 0, FALSE, FALSE, TRUE},
                                           CuesCase{"NeverShown", 1, TRUE, FALSE, FALSE},
                                           CuesCase{"SystemOn", 2, TRUE, FALSE, TRUE},
                                           CuesCase{"SystemOffFollowsAlt", 2, FALSE, TRUE, FALSE}),
                         [](const ::testing::TestParamInfo<CuesCase>& info) { return std::string(info.param.name); });

}  // namespace
