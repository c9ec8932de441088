// The dock context: dragging a tool bar between the dock bars or out to
// float, reflowing a floating bar by its edges, toggling with a double click,
// and the modal loop's exits. The loop reads posted mouse messages the way it
// reads real ones, so the drags are driven by posting them to the bar.
#include "Framework.h"

#include "CommandBars/CommandBars.h"
#include "CommandBars/CommandBarsOptions.h"
#include "CommandBars/DockBar.h"
#include "CommandBars/DockContext.h"
#include "CommandBars/MouseManager.h"
#include "CommandBars/ToolBar.h"
#include "DockTestSupport.h"
#include "Foundation/DisplayMonitors.h"
#include "Foundation/DpiScaling.h"
#include "MessagePump.h"
#include "MouseInput.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

std::string Show(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

// Posts a mouse message to the bar at a screen point, in the client
// coordinates the bar has now.
void PostMouse(CLVKToolBar* pBar, UINT nMessage, CPoint ptScreen)
{
    CPoint pt = ptScreen;
    pBar->ScreenToClient(&pt);
    pBar->PostMessage(nMessage, nMessage == WM_MOUSEMOVE ? 0 : MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
}

// Where a drag grabs a docked bar: its gripper.
CPoint Gripper(const CLVKToolBar* pBar)
{
    const CRect rc = DockFixture::WindowRect(pBar);
    return CPoint(rc.left + 3, rc.CenterPoint().y);
}

}  // namespace

TEST(DockContextGeometry, RectanglesMoveTheLeastDistance)
{
    struct Case
    {
        CRect rc;
        CPoint pt;
        CRect expected;
    };
    const Case contain[] = {
        {CRect(10, 10, 50, 30), CPoint(20, 20), CRect(10, 10, 50, 30)},   // already inside
        {CRect(10, 10, 50, 30), CPoint(5, 20), CRect(5, 10, 45, 30)},     // left of it
        {CRect(10, 10, 50, 30), CPoint(60, 40), CRect(21, 21, 61, 41)},   // right and below
        {CRect(10, 10, 50, 30), CPoint(49, 29), CRect(10, 10, 50, 30)},   // the last pixel inside
    };
    for (const Case& c : contain)
    {
        CRect rc = c.rc;
        CLVKDockContext::OffsetRectToContain(rc, c.pt);
        EXPECT_EQ(Show(rc), Show(c.expected)) << c.pt.x << "," << c.pt.y;
    }
    const CRect rcWork(0, 0, 800, 600);
    const Case keep[] = {
        {CRect(100, 100, 200, 150), CPoint(), CRect(100, 100, 200, 150)},
        {CRect(-500, -500, -400, -450), CPoint(), CRect(-90, -40, 10, 10)},
        {CRect(900, 700, 1000, 750), CPoint(), CRect(790, 590, 890, 640)},
        {CRect(-95, 100, 5, 150), CPoint(), CRect(-90, 100, 10, 150)},
    };
    for (const Case& c : keep)
    {
        CRect rc = c.rc;
        CLVKDockContext::KeepOnWorkArea(rc, rcWork, 10, 10);
        EXPECT_EQ(Show(rc), Show(c.expected)) << Show(c.rc);
    }
}

TEST(DockContextMove, TheBarDocksWhereItsFlagsAllowElseFloatsOrStays)
{
    struct Case
    {
        const char* name;
        DWORD dwFlags;
        int nTarget;  // 0 left edge, 1 bottom edge, 2 right edge, 3 the middle, 4 just outside the left edge
        int nPosition;
        int nDock;  // -1 none (floating)
    };
    const Case cases[] = {
        {"LeftEdge", 0x3F, 0, kBarLeft, CLVKCommandBars::kDockLeft},
        {"OutsideTheFrameWithinTheMargin", 0x3F, 4, kBarLeft, CLVKCommandBars::kDockLeft},
        {"BottomEdge", 0x3F, 1, kBarBottom, CLVKCommandBars::kDockBottom},
        {"RightEdge", 0x3F, 2, kBarRight, CLVKCommandBars::kDockRight},
        {"TheMiddleFloats", 0x3F, 3, kBarFloating, -1},
        {"LeftForbiddenFloats", 0x3B, 0, kBarFloating, -1},
        {"NotFloatableStays", 0x0F, 3, kBarTop, CLVKCommandBars::kDockTop},
    };
    for (const Case& c : cases)
    {
        DockFixture f;
        CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 6);
        ASSERT_NE(pBar, nullptr);
        pBar->SetFlags(0, 0xFF);
        pBar->SetFlags(c.dwFlags);
        const CRect rcClient = f.ClientOnScreen();
        const int nMiddleY = rcClient.CenterPoint().y;
        const CPoint targets[] = {
            CPoint(rcClient.left + 5, nMiddleY),  CPoint(rcClient.CenterPoint().x, rcClient.bottom - 5),
            CPoint(rcClient.right - 5, nMiddleY), rcClient.CenterPoint(),
            CPoint(rcClient.left - 10, nMiddleY),
        };
        CLVKDockContext* pContext = pBar->GetDockContext();
        pContext->BeginDrag(Gripper(pBar));
        pContext->Move(targets[c.nTarget]);
        f.frame.RecalcLayout();

        EXPECT_EQ(pBar->GetPosition(), c.nPosition) << c.name;
        EXPECT_EQ(pBar->GetDockBar(), c.nDock < 0 ? nullptr : f.Dock(c.nDock)) << c.name;
        const CRect rcBar = DockFixture::WindowRect(pBar);
        const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongW(pBar->GetSafeHwnd(), GWL_STYLE));
        if (c.nDock < 0)
        {
            // A floating window of its own, owned by the frame, under the pointer.
            EXPECT_TRUE(dwStyle & WS_POPUP) << c.name;
            EXPECT_EQ(::GetWindow(pBar->GetSafeHwnd(), GW_OWNER), f.frame.GetSafeHwnd()) << c.name;
            EXPECT_TRUE(rcBar.PtInRect(targets[c.nTarget])) << c.name;
        }
        else
        {
            EXPECT_TRUE(dwStyle & WS_CHILD) << c.name;
            EXPECT_EQ(::GetParent(pBar->GetSafeHwnd()), f.Dock(c.nDock)->GetSafeHwnd()) << c.name;
            const BOOL bVertical = c.nPosition == kBarLeft || c.nPosition == kBarRight;
            EXPECT_EQ(rcBar.Height() > rcBar.Width(), bVertical) << c.name;
            // The dock bar takes the bar's thickness from the client area.
            const CRect rcDock = DockFixture::WindowRect(f.Dock(c.nDock));
            EXPECT_EQ(bVertical ? rcDock.Width() : rcDock.Height(), bVertical ? rcBar.Width() : rcBar.Height())
                << c.name;
        }
    }
}

TEST(DockContextMove, AFloatingBarKeepsTenPixelsOnTheWorkArea)
{
    DockFixture f;
    CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 4);
    CLVKDockContext* pContext = pBar->GetDockContext();
    // The drag keeps the capture while the bar becomes a window of its own,
    // and the bar does not take the activation from the frame.
    f.frame.SetActiveWindow();
    ::SetCapture(pBar->GetSafeHwnd());
    pContext->BeginDrag(Gripper(pBar));
    pContext->Move(f.ClientOnScreen().CenterPoint());
    ASSERT_EQ(pBar->GetPosition(), kBarFloating);
    EXPECT_EQ(::GetCapture(), pBar->GetSafeHwnd());
    EXPECT_EQ(::GetActiveWindow(), f.frame.GetSafeHwnd());
    ::ReleaseCapture();
    const CRect rcWork(CLVKDisplayMonitors::GetGlobal()->GetWorkAreaFromPoint(CPoint(0, 0)));
    pContext->Move(CPoint(rcWork.left - 3000, rcWork.top - 3000));
    CRect rcBar = DockFixture::WindowRect(pBar);
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    EXPECT_EQ(rcBar.right, rcWork.left + pDpi->ScaleX(10));
    EXPECT_EQ(rcBar.bottom, rcWork.top + pDpi->ScaleY(10));
    pContext->Move(CPoint(rcWork.right + 3000, rcWork.bottom + 3000));
    rcBar = DockFixture::WindowRect(pBar);
    EXPECT_EQ(rcBar.left, rcWork.right - pDpi->ScaleX(10));
    EXPECT_EQ(rcBar.top, rcWork.bottom - pDpi->ScaleY(10));
}

TEST(DockContextMove, ABarDroppedOnTheBoundaryOfTwoRowsOpensARowBetweenThem)
{
    DockFixture f;
    CLVKToolBar* pFirst = f.AddBar(L"First", 120, 3);
    CLVKToolBar* pSecond = f.AddBar(L"Second", 121, 3);
    CLVKToolBar* pThird = f.AddBar(L"Third", 122, 3);
    CLVKDockBar* pTop = f.Dock(CLVKCommandBars::kDockTop);
    // null, first, null, second, null, third, null
    ASSERT_EQ(pTop->GetBarCount(), 7);
    const CRect rcFirst = DockFixture::WindowRect(pFirst);
    const CRect rcSecond = DockFixture::WindowRect(pSecond);
    ASSERT_EQ(rcFirst.bottom, rcSecond.top);

    struct Case
    {
        const char* name;
        int nCentreY;  // of the dropped rectangle
        int nRowOfThird;
        int nRows;
    };
    const Case cases[] = {
        {"IntoTheFirstRow", rcFirst.CenterPoint().y, 0, 2},
        {"OnTheBoundary", rcFirst.bottom, 1, 3},
        {"PastTheLastRow", rcSecond.bottom + 10, 2, 3},
    };
    for (const Case& c : cases)
    {
        // Back to three rows, the third bar last.
        pTop->RemoveBar(pThird);
        pTop->DockBar(pThird);
        f.frame.RecalcLayout();
        ASSERT_EQ(pTop->GetBarCount(), 7) << c.name;
        CRect rcDrop(rcFirst.left + 300, c.nCentreY - 10, rcFirst.left + 360, c.nCentreY + 10);
        pTop->DockBar(pThird, &rcDrop);
        int nRows = 0;
        int nRowOfThird = -1;
        for (int i = 1; i < pTop->GetBarCount(); i++)
        {
            if (pTop->GetBarAt(i) == pThird)
                nRowOfThird = nRows;
            if (!pTop->GetBarAt(i))
                nRows++;
        }
        EXPECT_EQ(nRowOfThird, c.nRowOfThird) << c.name;
        EXPECT_EQ(nRows, c.nRows) << c.name;
    }
}

TEST(DockContextMove, AStretchedBarStandsAloneInItsRow)
{
    DockFixture f;
    CLVKToolBar* pFirst = f.AddBar(L"First", 120, 3);
    CLVKToolBar* pStretched = f.AddBar(L"Stretched", 121, 3);
    pStretched->SetFlags(kBarFlagStretched);
    CLVKDockBar* pTop = f.Dock(CLVKCommandBars::kDockTop);
    const CRect rcFirst = DockFixture::WindowRect(pFirst);
    CRect rcDrop(rcFirst.right + 5, rcFirst.top, rcFirst.right + 100, rcFirst.bottom);
    pTop->DockBar(pStretched, &rcDrop);
    f.frame.RecalcLayout();
    const int nIndex = pTop->FindBar(pStretched);
    ASSERT_GT(nIndex, 0);
    EXPECT_EQ(pTop->GetBarAt(nIndex - 1), nullptr);
    EXPECT_EQ(pTop->GetBarAt(nIndex + 1), nullptr);
    // It spans the dock bar's whole length.
    EXPECT_EQ(DockFixture::WindowRect(pStretched).Width(), DockFixture::WindowRect(pTop).Width());
}

// ---- the loop and toggling --------------------------------------------------------------

TEST(DockContextLoop, ADraggedOffBarDocksBackInItsPlaceOnADoubleClick)
{
    DockFixture f;
    CLVKToolBar* pFirst = f.AddBar(L"First", 120, 3);
    CLVKToolBar* pBar = f.AddBar(L"Second", 121, 3);
    CLVKDockBar* pTop = f.Dock(CLVKCommandBars::kDockTop);
    // The second bar stands in the first one's row, some way along it.
    const CRect rcFirst = DockFixture::WindowRect(pFirst);
    CRect rcPlace(rcFirst.left + 250, rcFirst.top, rcFirst.left + 300, rcFirst.bottom);
    pTop->DockBar(pBar, &rcPlace);
    f.frame.RecalcLayout();
    const CRect rcDocked = DockFixture::WindowRect(pBar);
    const int nRowEntries = pTop->GetBarCount();

    const CPoint ptStart = Gripper(pBar);
    const CPoint ptEnd = f.ClientOnScreen().CenterPoint() + CSize(0, 60);
    PostMouse(pBar, WM_MOUSEMOVE, ptEnd);
    PostMouse(pBar, WM_LBUTTONUP, ptEnd);
    pBar->GetDockContext()->StartDrag(ptStart);
    ASSERT_EQ(pBar->GetPosition(), kBarFloating);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(CLVKMouseManager::GetThreadManager()->m_nLock, 0);
    const CRect rcFloating = DockFixture::WindowRect(pBar);
    EXPECT_TRUE(rcFloating.PtInRect(ptEnd));
    EXPECT_EQ(pBar->GetDockContext()->GetFloatingPosition(), rcFloating.TopLeft());
    EXPECT_TRUE(f.pBars->GetCommandBarsOptions()->bDirty);

    // A double click on the caption (no control there) puts it back.
    pBar->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(1, 1));
    f.frame.RecalcLayout();
    EXPECT_EQ(pBar->GetPosition(), kBarTop);
    EXPECT_EQ(pTop->GetBarCount(), nRowEntries);
    EXPECT_EQ(Show(DockFixture::WindowRect(pBar)), Show(rcDocked));

    // Docked, a double click floats it only when the option says so; then
    // at its last floating place.
    const CPoint ptGripper = Gripper(pBar);
    CPoint ptClient = ptGripper;
    pBar->ScreenToClient(&ptClient);
    pBar->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(ptClient.x, ptClient.y));
    EXPECT_EQ(pBar->GetPosition(), kBarTop);
    f.pBars->GetCommandBarsOptions()->bDblClickFloat = TRUE;
    pBar->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(ptClient.x, ptClient.y));
    EXPECT_EQ(pBar->GetPosition(), kBarFloating);
    EXPECT_EQ(DockFixture::WindowRect(pBar).TopLeft(), rcFloating.TopLeft());
}

TEST(DockContextLoop, TheFirstDoubleClickFloatsABarWhereItWasDocked)
{
    DockFixture f;
    f.pBars->GetCommandBarsOptions()->bDblClickFloat = TRUE;
    CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 3);
    const CRect rcDocked = DockFixture::WindowRect(pBar);
    EXPECT_TRUE(pBar->GetDockContext()->ToggleDocking());
    EXPECT_EQ(pBar->GetPosition(), kBarFloating);
    EXPECT_EQ(DockFixture::WindowRect(pBar).TopLeft(), rcDocked.TopLeft());
    // A bar that may not float stays docked.
    EXPECT_TRUE(pBar->GetDockContext()->ToggleDocking());
    pBar->SetFlags(0, kBarFlagFloatable);
    EXPECT_FALSE(pBar->GetDockContext()->ToggleDocking());
    EXPECT_EQ(pBar->GetPosition(), kBarTop);
}

TEST(DockContextLoop, EscapeStopsWhereTheLastMoveLeftTheBar)
{
    DockFixture f;
    CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 3);
    const CRect rcClient = f.ClientOnScreen();
    const CPoint ptFirst = rcClient.CenterPoint();
    PostMouse(pBar, WM_MOUSEMOVE, ptFirst);
    pBar->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    pBar->GetDockContext()->StartDrag(Gripper(pBar));
    EXPECT_EQ(pBar->GetPosition(), kBarFloating);
    EXPECT_TRUE(DockFixture::WindowRect(pBar).PtInRect(ptFirst));
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST(DockContextLoop, WmQuitEndsTheDragAndIsPostedAgain)
{
    DockFixture f;
    CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 3);
    ::PostQuitMessage(7);
    pBar->GetDockContext()->StartDrag(Gripper(pBar));
    EXPECT_EQ(pBar->GetPosition(), kBarTop);
    EXPECT_EQ(::GetCapture(), nullptr);
    MSG msg{};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(DockContextLoop, NoDragStartsWhileAnotherWindowHoldsTheCapture)
{
    DockFixture f;
    CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 3);
    const CPoint ptEnd = f.ClientOnScreen().CenterPoint();
    PostMouse(pBar, WM_MOUSEMOVE, ptEnd);
    PostMouse(pBar, WM_LBUTTONUP, ptEnd);
    ::SetCapture(f.frame.GetSafeHwnd());
    pBar->GetDockContext()->StartDrag(Gripper(pBar));
    EXPECT_EQ(::GetCapture(), f.frame.GetSafeHwnd());
    ::ReleaseCapture();
    EXPECT_EQ(pBar->GetPosition(), kBarTop);
    // The messages were left alone.
    MSG msg{};
    EXPECT_TRUE(::PeekMessageW(&msg, pBar->GetSafeHwnd(), WM_MOUSEMOVE, WM_MOUSEMOVE, PM_NOREMOVE));
}

// ---- resizing --------------------------------------------------------------------------

TEST(DockContextResize, AFloatingBarReflowsAndKeepsTheOppositeEdge)
{
    struct Case
    {
        const char* name;
        int nHitTest;
        CSize szPull;  // pointer movement as a fraction of the bar: narrower or taller
    };
    const Case cases[] = {
        {"RightEdgeNarrower", HTRIGHT, CSize(-1, 0)},
        {"LeftEdgeNarrower", HTLEFT, CSize(1, 0)},
        {"BottomEdgeTaller", HTBOTTOM, CSize(0, 1)},
        {"TopEdgeTaller", HTTOP, CSize(0, -1)},
    };
    for (const Case& c : cases)
    {
        DockFixture f;
        CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 6);
        ASSERT_TRUE(f.pBars->FloatCommandBar(pBar));
        pBar->RecalcLayout();
        const CRect rcBefore = DockFixture::WindowRect(pBar);
        ASSERT_GT(rcBefore.Width(), rcBefore.Height()) << "one row";

        CPoint ptEdge = rcBefore.CenterPoint();
        CLVKDockContext* pContext = pBar->GetDockContext();
        pContext->BeginResize(c.nHitTest, ptEdge);
        const CPoint ptTo = ptEdge + CSize(c.szPull.cx * rcBefore.Width() / 2, c.szPull.cy * rcBefore.Height() * 2);
        pContext->ResizeReflow(ptTo);
        const CRect rcAfter = DockFixture::WindowRect(pBar);
        EXPECT_LT(rcAfter.Width(), rcBefore.Width()) << c.name;
        EXPECT_GT(rcAfter.Height(), rcBefore.Height()) << c.name;
        if (c.nHitTest == HTLEFT)
            EXPECT_EQ(rcAfter.right, rcBefore.right) << c.name;
        else
            EXPECT_EQ(rcAfter.left, rcBefore.left) << c.name;
        if (c.nHitTest == HTTOP)
            EXPECT_EQ(rcAfter.bottom, rcBefore.bottom) << c.name;
        else
            EXPECT_EQ(rcAfter.top, rcBefore.top) << c.name;
    }
}

TEST(DockContextResize, TheEdgesOfAFloatingBarSizeItAndTheWidthIsRemembered)
{
    DockFixture f;
    CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 6);
    // Docked, the frame of the bar is no sizing edge.
    CRect rc = DockFixture::WindowRect(pBar);
    EXPECT_EQ(pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rc.left + 1, rc.top + 1)), HTCLIENT);
    ASSERT_TRUE(f.pBars->FloatCommandBar(pBar));
    pBar->RecalcLayout();
    rc = DockFixture::WindowRect(pBar);
    const CPoint ptMiddle = rc.CenterPoint();
    struct Case
    {
        CPoint pt;
        LRESULT nHit;
    };
    const Case cases[] = {
        {CPoint(ptMiddle.x, rc.top + 1), HTTOP},      {CPoint(ptMiddle.x, rc.bottom - 1), HTBOTTOM},
        {CPoint(rc.left + 1, ptMiddle.y), HTLEFT},    {CPoint(rc.right - 1, ptMiddle.y), HTRIGHT},
        {CPoint(rc.left + 8, ptMiddle.y), HTCLIENT},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(c.pt.x, c.pt.y)), c.nHit) << c.pt.x << "," << c.pt.y;

    // Dragging the right edge to half the width: the bar wraps and keeps
    // the width it took as its most recent width.
    const CPoint ptEdge(rc.right - 1, ptMiddle.y);
    const CPoint ptTo(rc.left + rc.Width() / 2, ptMiddle.y);
    PostMouse(pBar, WM_MOUSEMOVE, ptTo);
    PostMouse(pBar, WM_LBUTTONUP, ptTo);
    const int nWidth = pBar->GetDockContext()->StartResize(HTRIGHT, ptEdge);
    const CRect rcAfter = DockFixture::WindowRect(pBar);
    EXPECT_EQ(nWidth, rcAfter.Width());
    EXPECT_LT(nWidth, rc.Width());
    EXPECT_EQ(pBar->GetMRUWidth(), nWidth);
    // Laid out again, the bar keeps that shape.
    pBar->RecalcLayout();
    EXPECT_EQ(Show(DockFixture::WindowRect(pBar)), Show(rcAfter));
}

// ---- end to end ------------------------------------------------------------------------

namespace
{

HWND g_hDragBar = nullptr;

// Ends a drag that real input never finished, so that a lost event fails
// the test instead of hanging it.
void CALLBACK EndStuckDrag(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(nullptr, nIDEvent);
    if (g_hDragBar)
        ::PostMessageW(g_hDragBar, WM_KEYDOWN, VK_ESCAPE, 0);
}

}  // namespace

TEST(ToolBarDragEndToEnd, DraggingAToolBarByItsGripperDocksItAtTheLeftEdge)
{
    DockFixture f;
    CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 6);
    ASSERT_NE(pBar, nullptr);
    f.frame.SetForegroundWindow();
    ASSERT_TRUE(PumpMessagesUntil([&] { return ::GetForegroundWindow() == f.frame.GetSafeHwnd(); }));
    const CPoint ptGripper = Gripper(pBar);
    const CRect rcClient = f.ClientOnScreen();
    const CPoint ptTarget(rcClient.left + 4, rcClient.CenterPoint().y);

    g_hDragBar = pBar->GetSafeHwnd();
    const UINT_PTR nTimer = ::SetTimer(nullptr, 0, kHungWaitMs, EndStuckDrag);
    // Input is handled ahead of a timer's message: each pump below ends once
    // the input sent before it has been handled (the drag's own loop takes
    // the moves and the release).
    SendMouseAt(ptGripper, 0);
    PumpMessagesPastTimer(30);
    SendMouseAt(ptGripper, MOUSEEVENTF_LEFTDOWN);
    for (int i = 1; i <= 8; i++)
    {
        const CPoint pt(ptGripper.x + (ptTarget.x - ptGripper.x) * i / 8, ptGripper.y + (ptTarget.y - ptGripper.y) * i / 8);
        SendMouseAt(pt, 0);
    }
    SendMouseAt(ptTarget, MOUSEEVENTF_LEFTUP);
    PumpMessagesPastTimer(300);
    ::KillTimer(nullptr, nTimer);
    g_hDragBar = nullptr;

    EXPECT_EQ(pBar->GetPosition(), kBarLeft);
    EXPECT_EQ(pBar->GetDockBar(), f.Dock(CLVKCommandBars::kDockLeft));
    EXPECT_EQ(::GetCapture(), nullptr);
    f.frame.RecalcLayout();
    const CRect rcBar = DockFixture::WindowRect(pBar);
    const CRect rcLeft = DockFixture::WindowRect(f.Dock(CLVKCommandBars::kDockLeft));
    EXPECT_GT(rcBar.Height(), rcBar.Width());
    EXPECT_EQ(rcLeft.left, rcClient.left);
    EXPECT_EQ(rcLeft.Width(), rcBar.Width());
    // The top dock bar gave its row back.
    EXPECT_EQ(DockFixture::WindowRect(f.Dock(CLVKCommandBars::kDockTop)).Height(), 0);
}
