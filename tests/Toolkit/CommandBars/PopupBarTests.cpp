// Popup menus: where a popup goes on the monitor (below, flipped above, to
// the left, cut and scrolling), and the toolkit's popup menu run modally by
// keys, a press outside and the end of the program.
#include "Framework.h"

#include "CommandBars/ControlButton.h"
#include "CommandBars/Controls.h"
#include "CommandBars/PopupBar.h"
#include "CommandBars/ToolkitPopupMenu.h"
#include "Foundation/DisplayMonitors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

std::string Show(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

CRect WorkArea()
{
    return CRect(CLVKDisplayMonitors::GetGlobal()->GetWorkAreaFromPoint(CPoint(1, 1)));
}

// ---- placement ------------------------------------------------------------------------

struct PlacementCase
{
    const char* name;
    // The owner control's rectangle relative to the work area's top-left,
    // or empty for a popup at a point; a negative offset counts from the
    // work area's bottom (y) or right edge (x).
    int x;
    int y;
    int cx;
    int cy;
    DWORD dwAlignment;
    CSize szPopup;
    bool bScroll;
};

class PopupPlacement : public ::testing::TestWithParam<PlacementCase>
{
};

TEST_P(PopupPlacement, StaysInsideTheWorkArea)
{
    const PlacementCase& c = GetParam();
    const CRect rcWork = WorkArea();
    const int nBottom = rcWork.bottom + 5;  // the popup may reach 5 px lower
    const int x = c.x >= 0 ? rcWork.left + c.x : rcWork.right + c.x;
    const int y = c.y >= 0 ? rcWork.top + c.y : rcWork.bottom + c.y;
    const CRect rcControl(x, y, x + c.cx, y + c.cy);

    CLVKPopupBar* pBar = CLVKPopupBar::CreatePopupBar(nullptr);
    pBar->SetExcludeRect(rcControl);
    pBar->SetAlignment(c.dwAlignment);
    const CPoint pt = (c.dwAlignment & CLVKPopupBar::kAlignBelow) ? CPoint(rcControl.left, rcControl.bottom)
                                                                  : CPoint(rcControl.right, rcControl.top);
    const CRect rc = pBar->CalcPopupRect(pt, c.szPopup);
    EXPECT_GE(rc.left, rcWork.left) << Show(rc);
    EXPECT_LE(rc.right, rcWork.right) << Show(rc);
    EXPECT_GE(rc.top, rcWork.top) << Show(rc);
    EXPECT_LE(rc.bottom, nBottom) << Show(rc);
    EXPECT_EQ(pBar->IsScrolling(), c.bScroll);
    // The popup never covers the control that opened it.
    CRect rcOverlap;
    EXPECT_FALSE(rcOverlap.IntersectRect(rc, rcControl)) << Show(rc) << " over " << Show(rcControl);

    const std::string name = c.name;
    if (name == "BelowWhenItFits")
        EXPECT_EQ(rc.top, rcControl.bottom);
    if (name == "FlippedAboveNearTheBottom")
        EXPECT_EQ(rc.bottom, rcControl.top);
    if (name == "ScrollsAboveWhenTheControlIsLow")
        EXPECT_EQ(Show(rc), Show(CRect(rc.left, rcWork.top, rc.right, rcControl.top)));
    if (name == "ScrollsBelowWhenTheControlIsHigh")
        EXPECT_EQ(Show(rc), Show(CRect(rc.left, rcControl.bottom, rc.right, nBottom)));
    if (name == "BesideFlipsLeftAtTheRightEdge")
    {
        EXPECT_EQ(rc.right, rcControl.left);
        EXPECT_TRUE(pBar->GetAlignment() & CLVKPopupBar::kAlignLeft);
    }
    if (name == "BelowIsRightAlignedAtTheRightEdge")
        EXPECT_EQ(rc.right, rcWork.right);
    pBar->InternalRelease();
}

constexpr DWORD kBelow = CLVKPopupBar::kAlignBelow;

INSTANTIATE_TEST_SUITE_P(
    Cases, PopupPlacement,
    ::testing::Values(
        PlacementCase{"BelowWhenItFits", 100, 20, 40, 20, kBelow, CSize(150, 200), false},
        PlacementCase{"FlippedAboveNearTheBottom", 100, -60, 40, 20, kBelow, CSize(150, 200), false},
        PlacementCase{"ScrollsAboveWhenTheControlIsLow", 100, -200, 40, 20, kBelow, CSize(150, 5000), true},
        PlacementCase{"ScrollsBelowWhenTheControlIsHigh", 100, 120, 40, 20, kBelow, CSize(150, 5000), true},
        PlacementCase{"BesideFlipsLeftAtTheRightEdge", -100, 50, 90, 20, 0, CSize(150, 100), false},
        PlacementCase{"BelowIsRightAlignedAtTheRightEdge", -60, 50, 40, 20, kBelow, CSize(150, 100), false}),
    [](const ::testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

TEST(PopupPlacement, APointPopupOpensLeftOfThePointAtTheRightEdgeAndUpAtTheBottom)
{
    const CRect rcWork = WorkArea();
    CLVKPopupBar* pBar = CLVKPopupBar::CreatePopupBar(nullptr);
    const CPoint pt(rcWork.right - 10, rcWork.bottom - 10);
    const CRect rc = pBar->CalcPopupRect(pt, CSize(120, 80));
    EXPECT_EQ(Show(rc), Show(CRect(pt.x - 120, pt.y - 80, pt.x, pt.y)));

    pBar->SetAlignment(CLVKPopupBar::kAlignBottom);
    const CPoint ptHigh(rcWork.left + 200, rcWork.top + 300);
    EXPECT_EQ(pBar->CalcPopupRect(ptHigh, CSize(120, 80)).bottom, ptHigh.y);
    pBar->InternalRelease();
}

// ---- the toolkit's popup menu ---------------------------------------------------------

// An owner window that records the commands it gets.
struct OwnerWindow
{
    CWnd wnd;
    static std::vector<UINT>* s_pCommands;
    std::vector<UINT> commands;

    static LRESULT CALLBACK Proc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
    {
        if (nMessage == WM_COMMAND && s_pCommands)
            s_pCommands->push_back(LOWORD(wParam));
        return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }

    OwnerWindow()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"LorvanePopupOwner";
        ::RegisterClassW(&wc);
        HWND hWnd = ::CreateWindowW(wc.lpszClassName, L"Owner", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr,
                                    nullptr, wc.hInstance, nullptr);
        wnd.Attach(hWnd);
        s_pCommands = &commands;
    }
    ~OwnerWindow()
    {
        s_pCommands = nullptr;
        HWND hWnd = wnd.Detach();
        ::DestroyWindow(hWnd);
    }

    void Keys(std::initializer_list<UINT> keys) const
    {
        for (UINT nKey : keys)
            ::PostMessageW(wnd.GetSafeHwnd(), WM_KEYDOWN, nKey, 0);
    }
};

std::vector<UINT>* OwnerWindow::s_pCommands = nullptr;

// File-like menu: &New, &Open..., a separator, a "&Recent" sub-menu with
// two items, E&xit.
struct TestMenu
{
    CMenu menu;
    TestMenu()
    {
        menu.CreatePopupMenu();
        CMenu recent;
        recent.CreatePopupMenu();
        recent.AppendMenu(MF_STRING, 301, L"First");
        recent.AppendMenu(MF_STRING, 302, L"Second");
        menu.AppendMenu(MF_STRING, 101, L"&New\tCtrl+N");
        menu.AppendMenu(MF_STRING, 102, L"&Open...");
        menu.AppendMenu(MF_SEPARATOR, 0, static_cast<LPCTSTR>(nullptr));
        menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(recent.Detach()), L"&Recent");
        menu.AppendMenu(MF_STRING, 103, L"E&xit");
    }
};

struct ReturnCase
{
    const char* name;
    std::vector<UINT> keys;
    int nExpected;
};

class ToolkitPopupMenu : public ::testing::TestWithParam<ReturnCase>
{
};

TEST_P(ToolkitPopupMenu, ReturnsTheChosenCommand)
{
    const ReturnCase& c = GetParam();
    OwnerWindow owner;
    TestMenu menu;
    for (UINT nKey : c.keys)
        owner.Keys({nKey});
    const int nResult = TrackToolkitPopupMenu(&menu.menu, TPM_RETURNCMD, 150, 150, &owner.wnd);
    EXPECT_EQ(nResult, c.nExpected);
    EXPECT_TRUE(owner.commands.empty()) << "a returned command is not sent";
}

INSTANTIATE_TEST_SUITE_P(Keys, ToolkitPopupMenu,
                         ::testing::Values(ReturnCase{"DownThenEnterRunsTheFirst", {VK_DOWN, VK_RETURN}, 101},
                                           ReturnCase{"UpWrapsToTheLast", {VK_UP, VK_RETURN}, 103},
                                           ReturnCase{"AMnemonicRunsItsItem", {'O'}, 102},
                                           ReturnCase{"RightOpensTheSubMenuDownAndEnterRunTheSecond",
                                                      {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN},
                                                      302},
                                           ReturnCase{"EscapeClosesOnlyTheSubMenu", {'R', VK_ESCAPE, 'X'}, 103},
                                           ReturnCase{"EscapeClosesTheMenu", {VK_DOWN, VK_ESCAPE}, 0}),
                         [](const ::testing::TestParamInfo<ReturnCase>& info) { return std::string(info.param.name); });

TEST(ToolkitPopupMenuCommands, WithoutReturnTheCommandGoesToTheOwner)
{
    OwnerWindow owner;
    TestMenu menu;
    owner.Keys({'N'});
    EXPECT_EQ(TrackToolkitPopupMenu(&menu.menu, 0, 150, 150, &owner.wnd), TRUE);
    EXPECT_EQ(owner.commands, (std::vector<UINT>{101}));
}

TEST(ToolkitPopupMenuCommands, APressOutsideClosesTheMenuWithoutACommand)
{
    OwnerWindow owner;
    TestMenu menu;
    ::PostMessageW(owner.wnd.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(TrackToolkitPopupMenu(&menu.menu, TPM_RETURNCMD, 150, 150, &owner.wnd), 0);
    EXPECT_TRUE(owner.commands.empty());
}

TEST(ToolkitPopupMenuCommands, TheEndOfTheProgramClosesTheMenuAndIsPassedOn)
{
    OwnerWindow owner;
    TestMenu menu;
    ::PostQuitMessage(7);
    EXPECT_EQ(TrackToolkitPopupMenu(&menu.menu, TPM_RETURNCMD, 150, 150, &owner.wnd), 0);
    MSG msg{};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(ToolkitPopupMenuCommands, AnInvalidMenuIsNotShown)
{
    OwnerWindow owner;
    CMenu none;
    EXPECT_FALSE(TrackToolkitPopupMenu(&none, TPM_RETURNCMD, 150, 150, &owner.wnd));
    EXPECT_FALSE(TrackToolkitPopupMenu(nullptr, 0, 150, 150, &owner.wnd));
}

}  // namespace
