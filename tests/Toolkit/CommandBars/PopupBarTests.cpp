// Popup menus: where a popup goes on the monitor (below, flipped above, to
// the left, cut and scrolling), and the toolkit's popup menu run modally by
// keys, a press outside and the end of the program.
#include "Framework.h"

#include "CommandBars/CommandBars.h"
#include "CommandBars/CommandBarsOptions.h"
#include "CommandBars/ControlButton.h"
#include "CommandBars/Controls.h"
#include "CommandBars/MouseManager.h"
#include "CommandBars/PopupBar.h"
#include "CommandBars/ShortcutManager.h"
#include "CommandBars/ToolkitPopupMenu.h"
#include "Foundation/DisplayMonitors.h"
#include "Foundation/ImageManager.h"
#include "FrameIds.h"

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
    {
        EXPECT_EQ(rc.top, rcControl.bottom);
    }
    if (name == "FlippedAboveNearTheBottom")
    {
        EXPECT_EQ(rc.bottom, rcControl.top);
    }
    if (name == "ScrollsAboveWhenTheControlIsLow")
    {
        EXPECT_EQ(Show(rc), Show(CRect(rc.left, rcWork.top, rc.right, rcControl.top)));
    }
    if (name == "ScrollsBelowWhenTheControlIsHigh")
    {
        EXPECT_EQ(Show(rc), Show(CRect(rc.left, rcControl.bottom, rc.right, nBottom)));
    }
    if (name == "BesideFlipsLeftAtTheRightEdge")
    {
        EXPECT_EQ(rc.right, rcControl.left);
        EXPECT_TRUE(pBar->GetAlignment() & CLVKPopupBar::kAlignLeft);
    }
    if (name == "BelowIsRightAlignedAtTheRightEdge")
    {
        EXPECT_EQ(rc.right, rcWork.right);
    }
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
    // A menu the keys left open closes level by level instead of waiting.
    owner.Keys({VK_ESCAPE, VK_ESCAPE, VK_ESCAPE});
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
                                           ReturnCase{"LeftClosesTheSubMenuAndKeepsItsTitleSelected",
                                                      {'R', VK_LEFT, VK_DOWN, VK_RETURN},
                                                      103},
                                           ReturnCase{"EndUpAndHomeWalkTheItems",
                                                      {VK_END, VK_UP, VK_UP, VK_HOME, VK_DOWN, VK_RETURN},
                                                      102},
                                           ReturnCase{"EscapeClosesTheMenu", {VK_DOWN, VK_ESCAPE}, 0}),
                         [](const ::testing::TestParamInfo<ReturnCase>& info) { return std::string(info.param.name); });

// What the open toolkit menu looked like, read inside its loop by a message
// posted before the call.
struct OpenMenuProbe
{
    static constexpr UINT kProbe = WM_APP + 7;
    static CRect s_rcWindow;
    static BOOL s_bIcon710;
    static BOOL s_bIcon999;
    static BOOL s_bOwnImages;

    static LRESULT CALLBACK Proc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
    {
        if (nMessage == kProbe)
        {
            const HWND hPopup = ::FindWindowW(L"LVKPopupBar", nullptr);
            ::GetWindowRect(hPopup, &s_rcWindow);
            if (auto* pBar = DYNAMIC_DOWNCAST(CLVKPopupBar, CWnd::FromHandlePermanent(hPopup)))
            {
                CLVKControl* p710 = pBar->GetControls()->FindControlById(710);
                CLVKControl* p999 = pBar->GetControls()->FindControlById(999);
                s_bIcon710 = p710 && p710->GetImage(16) != nullptr;
                s_bIcon999 = p999 && p999->GetImage(16) != nullptr;
                s_bOwnImages = pBar->GetImageManager() != CLVKImageManager::GetGlobal();
            }
            return 0;
        }
        return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }
};
CRect OpenMenuProbe::s_rcWindow;
BOOL OpenMenuProbe::s_bIcon710 = FALSE;
BOOL OpenMenuProbe::s_bIcon999 = FALSE;
BOOL OpenMenuProbe::s_bOwnImages = FALSE;

// The TrackPopupMenu-style flags place the menu around the point, and a
// tool-bar resource gives the menu's commands their images.
TEST(ToolkitPopupMenuCommands, FlagsAlignTheMenuToThePointAndAToolBarGivesItsImages)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = OpenMenuProbe::Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LorvaneMenuProbe";
    ::RegisterClassW(&wc);
    const HWND hOwner = ::CreateWindowW(wc.lpszClassName, L"Probe", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr,
                                        nullptr, wc.hInstance, nullptr);
    CWnd owner;
    owner.Attach(hOwner);
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 710, L"&Cut");
    menu.AppendMenu(MF_STRING, 999, L"&Plain");
    const CPoint pt(400, 300);
    struct Case
    {
        UINT nFlags;
        UINT nToolBar;
        BOOL bRight;   // the menu's right edge is at the point (else its left)
        BOOL bBottom;  // its bottom is at the point (else its top)
    };
    const Case cases[] = {{0, 700, FALSE, FALSE},
                          {TPM_RIGHTALIGN, 0, TRUE, FALSE},
                          {TPM_BOTTOMALIGN, 0, FALSE, TRUE},
                          {TPM_RIGHTALIGN | TPM_BOTTOMALIGN, 0, TRUE, TRUE}};
    for (const Case& c : cases)
    {
        OpenMenuProbe::s_rcWindow.SetRectEmpty();
        OpenMenuProbe::s_bIcon710 = OpenMenuProbe::s_bIcon999 = OpenMenuProbe::s_bOwnImages = FALSE;
        ::PostMessageW(hOwner, OpenMenuProbe::kProbe, 0, 0);
        ::PostMessageW(hOwner, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_EQ(TrackToolkitPopupMenu(&menu, c.nFlags | TPM_RETURNCMD, pt.x, pt.y, &owner, c.nToolBar), 0);
        const CRect& rc = OpenMenuProbe::s_rcWindow;
        ASSERT_FALSE(rc.IsRectEmpty()) << c.nFlags;
        EXPECT_EQ(c.bRight ? rc.right : rc.left, pt.x) << c.nFlags;
        EXPECT_EQ(c.bBottom ? rc.bottom : rc.top, pt.y) << c.nFlags;
        EXPECT_EQ(OpenMenuProbe::s_bOwnImages, c.nToolBar != 0) << c.nFlags;
        if (c.nToolBar)
        {
            EXPECT_TRUE(OpenMenuProbe::s_bIcon710);
        }
        EXPECT_FALSE(OpenMenuProbe::s_bIcon999) << "a command the tool bar lacks has no image";
    }
    owner.Detach();
    ::DestroyWindow(hOwner);
}

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

TEST(TrackPopupBar, TheBarKeepsNoSlotForTheResultAfterTheCall)
{
    OwnerWindow owner;
    CLVKCommandBars* pBars = new CLVKCommandBars;
    pBars->SetSite(&owner.wnd);
    pBars->GetCommandBarsOptions()->nAnimationType = -1;
    // The plain owner has no handlers: keep its command enabled.
    pBars->GetCommandBarsOptions()->bDisableCommandIfNoHandler = FALSE;
    CLVKPopupBar* pBar = CLVKPopupBar::CreatePopupBar(pBars);
    pBar->GetControls()->Add(kControlButton, 101)->SetCaption(L"&New");

    owner.Keys({'N'});
    EXPECT_EQ(pBars->TrackPopupBar(pBar, TPM_RETURNCMD, 150, 150, &owner.wnd), 101);
    EXPECT_EQ(pBar->GetReturnCommandSlot(), nullptr);

    // A slot left from elsewhere is not written by a call without
    // TPM_RETURNCMD: the command goes to the owner.
    int nStale = -1;
    pBar->SetReturnCommandSlot(&nStale);
    owner.Keys({'N'});
    EXPECT_EQ(pBars->TrackPopupBar(pBar, 0, 150, 150, &owner.wnd), TRUE);
    EXPECT_EQ(nStale, -1);
    EXPECT_EQ(owner.commands, (std::vector<UINT>{101}));
    EXPECT_EQ(pBar->GetReturnCommandSlot(), nullptr);
    pBar->InternalRelease();
    pBars->InternalRelease();
}

// Menus name the shortcuts of the manager's table; context menus only when
// the options say so, and nothing when shortcut texts are off.
TEST(PopupShortcuts, MenusNameTheTablesShortcutsAndContextMenusOnlyWhenAsked)
{
    OwnerWindow owner;
    CLVKCommandBars* pBars = new CLVKCommandBars;
    pBars->SetSite(&owner.wnd);
    pBars->GetShortcutManager()->LoadAccelerators(7002);
    CLVKCommandBarsOptions* pOptions = pBars->GetCommandBarsOptions();

    // A menu opened from a bar's popup control.
    CLVKCommandBar* pRoot = new CLVKCommandBar;
    pRoot->SetCommandBars(pBars);
    CLVKControl* pTitle = pRoot->GetControls()->Add(kControlPopup, 0);
    CLVKCommandBar* pMenu = pTitle->GetCommandBar();
    CLVKControl* pOpen = pMenu->GetControls()->Add(kControlButton, 0xE101);
    CLVKControl* pPlain = pMenu->GetControls()->Add(kControlButton, 0);
    pPlain->SetCaption(L"Plain\tKeep");
    CLVKControl* pNone = pMenu->GetControls()->Add(kControlButton, 0xE141);
    pNone->SetCaption(L"Exit\tAlt+F4");
    // The sub-menu's controls know their parent bar through the open popup.
    static_cast<CLVKPopupBar*>(pMenu)->SetControlPopup(pTitle);
    pMenu->UpdateShortcuts();
    EXPECT_EQ(std::wstring(pOpen->GetShortcutText()), L"Ctrl+O");
    EXPECT_EQ(std::wstring(pPlain->GetShortcutText()), L"Keep") << "id 0 keeps its text";
    EXPECT_EQ(std::wstring(pNone->GetShortcutText()), L"") << "a command without a shortcut names none";

    pOptions->bShowKeyboardShortcuts = FALSE;
    pMenu->UpdateShortcuts();
    EXPECT_EQ(std::wstring(pOpen->GetShortcutText()), L"");
    EXPECT_EQ(std::wstring(pPlain->GetShortcutText()), L"");
    pOptions->bShowKeyboardShortcuts = TRUE;
    static_cast<CLVKPopupBar*>(pMenu)->SetControlPopup(nullptr);

    // The same popup tracked on its own is a context menu.
    pMenu->UpdateShortcuts();
    EXPECT_EQ(std::wstring(pOpen->GetShortcutText()), L"");
    pOptions->bShowContextMenuAccelerators = TRUE;
    pMenu->UpdateShortcuts();
    EXPECT_EQ(std::wstring(pOpen->GetShortcutText()), L"Ctrl+O");
    pRoot->InternalRelease();
    pBars->InternalRelease();
}

// A popup with one item, open at a point for an owner window.
CLVKPopupBar* OpenPopup(OwnerWindow& owner)
{
    CLVKPopupBar* pBar = CLVKPopupBar::CreatePopupBar(nullptr);
    pBar->SetOwnerWindow(&owner.wnd);
    pBar->GetControls()->Add(kControlButton, 101)->SetCaption(L"Item");
    EXPECT_TRUE(pBar->PopupAt(100, 100));
    return pBar;
}

// The popup's window: a tool window that keeps its frame's caption active
// and never takes the activation.
TEST(PopupWindow, ATopLevelToolWindowThatSyncsItsFramesActivation)
{
    OwnerWindow owner;
    CLVKPopupBar* pBar = OpenPopup(owner);
    const HWND hWnd = pBar->GetSafeHwnd();
    EXPECT_TRUE(::GetWindowLongW(hWnd, GWL_STYLE) & WS_POPUP);
    EXPECT_TRUE(::GetWindowLongW(hWnd, GWL_STYLE) & MFS_SYNCACTIVE);
    EXPECT_TRUE(::GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(::GetClassLongW(hWnd, GCL_STYLE) & CS_DBLCLKS);
    EXPECT_EQ(::SendMessageW(hWnd, WM_FLOATSTATUS, FS_SYNCACTIVE, 0), 1);
    EXPECT_EQ(::SendMessageW(hWnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(owner.wnd.GetSafeHwnd()),
                             MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
    EXPECT_EQ(::GetWindow(hWnd, GW_OWNER), owner.wnd.GetSafeHwnd());
    pBar->SetTrackingMode(kTrackingNone);
    EXPECT_FALSE(::IsWindow(hWnd)) << "the window exists only while the popup is open";
    pBar->InternalRelease();
}

// A window a control hosts inside a popup (an edit, say) outlives the popup:
// closing it hides the window and gives it back to the site.
TEST(PopupWindow, WindowsHostedByControlsSurviveTheCloseHiddenInTheSite)
{
    OwnerWindow owner;
    CLVKPopupBar* pBar = OpenPopup(owner);
    const HWND hHosted = ::CreateWindowW(L"STATIC", L"hosted", WS_CHILD | WS_VISIBLE, 2, 2, 20, 10,
                                         pBar->GetSafeHwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(hHosted);
    pBar->SetTrackingMode(kTrackingNone);
    ASSERT_TRUE(::IsWindow(hHosted));
    EXPECT_FALSE(::IsWindowVisible(hHosted));
    EXPECT_EQ(::GetParent(hHosted), owner.wnd.GetSafeHwnd());
    ::DestroyWindow(hHosted);
    pBar->InternalRelease();
}

TEST(PopupToolBar, APopupToolBarLaysItsButtonsOutInRows)
{
    OwnerWindow owner;
    CLVKPopupToolBar* pBar = CLVKPopupToolBar::CreatePopupToolBar(nullptr);
    pBar->SetOwnerWindow(&owner.wnd);
    for (int i = 0; i < 4; i++)
        pBar->GetControls()->Add(kControlButton, 101 + i)->SetCaption(L"Tool");
    ASSERT_TRUE(pBar->PopupAt(100, 100));
    EXPECT_EQ(pBar->GetType(), kBarTypeToolBar);
    const CRect rc0 = pBar->GetControl(0)->GetRect();
    const CRect rc1 = pBar->GetControl(1)->GetRect();
    EXPECT_FALSE(rc0.IsRectEmpty());
    EXPECT_EQ(rc1.top, rc0.top) << "side by side, not one under another";
    EXPECT_GE(rc1.left, rc0.right);
    // The same bar as a menu stacks them.
    pBar->SetTrackingMode(kTrackingNone);
    pBar->SetShowAsToolBar(FALSE);
    ASSERT_TRUE(pBar->PopupAt(100, 100));
    EXPECT_GE(pBar->GetControl(1)->GetRect().top, pBar->GetControl(0)->GetRect().bottom);
    pBar->SetTrackingMode(kTrackingNone);
    pBar->InternalRelease();
}

// ---- lifetime -------------------------------------------------------------------------

TEST(PopupLifetime, ReleasingAnOpenPopupClosesItOnce)
{
    // Ending the tracking while the window goes takes a reference of its
    // own; the last release must not run a second time.
    OwnerWindow owner;
    CLVKPopupBar* pBar = OpenPopup(owner);
    const HWND hWnd = pBar->GetSafeHwnd();
    EXPECT_EQ(pBar->InternalRelease(), 0u);
    EXPECT_FALSE(::IsWindow(hWnd));
}

// ---- scrolling ------------------------------------------------------------------------

// A popup with twenty items, cut by its maximum height to a few of them.
struct ScrollingPopup
{
    OwnerWindow owner;
    CLVKPopupBar* pBar = CLVKPopupBar::CreatePopupBar(nullptr);

    explicit ScrollingPopup(int nPageItems)
    {
        pBar->SetOwnerWindow(&owner.wnd);
        for (int i = 0; i < 20; i++)
            pBar->GetControls()->Add(kControlButton, 400 + i)->SetCaption(L"Item");
        pBar->GetControls()->GetAt(10)->SetBeginGroup(TRUE);
        const CSize sz = pBar->CalcDynamicLayout(0, 0);
        const int nItem = pBar->GetControl(0)->GetRect().Height();
        pBar->SetMaxHeight(sz.cy - 20 * nItem + nPageItems * nItem);
        EXPECT_TRUE(pBar->PopupAt(100, 100));
    }
    ~ScrollingPopup()
    {
        pBar->SetTrackingMode(kTrackingNone);
        pBar->InternalRelease();
    }

    // The items shown, as indexes, and whether they lie between the buttons.
    std::vector<int> Shown() const
    {
        std::vector<int> shown;
        CRect rcClient;
        pBar->GetClientRect(&rcClient);
        const int nTop = pBar->GetScrollUpButton().rc.IsRectEmpty() ? 0 : pBar->GetScrollUpButton().rc.bottom;
        const int nBottom =
            pBar->GetScrollDownButton().rc.IsRectEmpty() ? rcClient.bottom : pBar->GetScrollDownButton().rc.top;
        for (int i = 0; i < pBar->GetControlCount(); i++)
        {
            CLVKControl* pControl = pBar->GetControl(i);
            if (!pControl->IsVisible())
                continue;
            EXPECT_GE(pControl->GetRect().top, nTop) << i;
            EXPECT_LE(pControl->GetRect().bottom, nBottom) << i;
            shown.push_back(i);
        }
        return shown;
    }
};

std::vector<int> Range(int nFirst, int nEnd)
{
    std::vector<int> v;
    for (int i = nFirst; i < nEnd; i++)
        v.push_back(i);
    return v;
}

TEST(PopupScrolling, ATallMenuShowsAPageAndTheDownButton)
{
    ScrollingPopup popup(5);
    ASSERT_TRUE(popup.pBar->IsScrolling());
    EXPECT_TRUE(popup.pBar->GetScrollUpButton().rc.IsRectEmpty());
    EXPECT_FALSE(popup.pBar->GetScrollDownButton().rc.IsRectEmpty());
    const std::vector<int> shown = popup.Shown();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), 0);
    EXPECT_LT(shown.size(), 5u) << "the down button takes room of the page";
    EXPECT_TRUE(popup.pBar->GetControl(19)->GetHideFlags() & kHideScrolledOut);
}

TEST(PopupScrolling, TheDownButtonShowsOneMoreItemPerTickUntilTheLast)
{
    ScrollingPopup popup(5);
    std::vector<int> before = popup.Shown();
    int nTicks = 0;
    while (!popup.pBar->GetScrollDownButton().rc.IsRectEmpty() && nTicks < 40)
    {
        popup.pBar->OnScrollTimer(CLVKPopupBar::kTimerScrollDown);
        const std::vector<int> after = popup.Shown();
        ASSERT_FALSE(after.empty());
        EXPECT_EQ(after.back(), before.back() + 1) << "one more item at the end";
        before = after;
        nTicks++;
    }
    EXPECT_EQ(before.back(), 19);
    EXPECT_FALSE(popup.pBar->GetScrollUpButton().rc.IsRectEmpty());
    // Further ticks change nothing.
    popup.pBar->OnScrollTimer(CLVKPopupBar::kTimerScrollDown);
    EXPECT_EQ(popup.Shown(), before);

    // Back up, one item per tick, until the first shows without an up button.
    while (!popup.pBar->GetScrollUpButton().rc.IsRectEmpty() && nTicks-- > -40)
        popup.pBar->OnScrollTimer(CLVKPopupBar::kTimerScrollUp);
    EXPECT_EQ(popup.Shown().front(), 0);
}

TEST(PopupScrolling, AKeyboardSelectionScrollsItsItemIntoView)
{
    ScrollingPopup popup(5);
    popup.pBar->SetSelected(15, 2);
    std::vector<int> shown = popup.Shown();
    EXPECT_EQ(shown.back(), 15) << "an item below the page becomes its last";
    popup.pBar->SetSelected(2, 3);
    shown = popup.Shown();
    EXPECT_EQ(shown.front(), 2) << "an item above the page becomes its first";
    // With only the first item above the page, it comes back instead of an up button.
    popup.pBar->SetSelected(1, 3);
    shown = popup.Shown();
    EXPECT_EQ(shown.front(), 0);
    EXPECT_TRUE(popup.pBar->GetScrollUpButton().rc.IsRectEmpty());
}

TEST(PopupScrolling, AMenuThatFitsDoesNotScroll)
{
    ScrollingPopup popup(25);
    EXPECT_FALSE(popup.pBar->IsScrolling());
    EXPECT_EQ(popup.Shown(), Range(0, 20));
}

TEST(PopupScrolling, WithColumnsOnAMenuTallerThanTheScreenBreaksIntoColumnsInstead)
{
    OwnerWindow owner;
    CLVKCommandBars* pBars = new CLVKCommandBars;
    pBars->SetSite(&owner.wnd);
    pBars->GetCommandBarsOptions()->bWrapLargePopups = TRUE;
    pBars->GetCommandBarsOptions()->nAnimationType = -1;
    CLVKPopupBar* pBar = CLVKPopupBar::CreatePopupBar(pBars);
    const int nItems = WorkArea().Height() / 10;  // items are taller than 10 px
    for (int i = 0; i < nItems; i++)
        pBar->GetControls()->Add(kControlButton, 400 + i)->SetCaption(L"Item");
    ASSERT_TRUE(pBar->PopupAt(100, 100));
    EXPECT_FALSE(pBar->IsScrolling());
    EXPECT_TRUE(pBar->IsMultiColumn());
    CRect rc;
    pBar->GetWindowRect(&rc);
    EXPECT_LE(rc.Height(), WorkArea().Height() + 5);
    for (int i = 0; i < nItems; i++)
        EXPECT_TRUE(pBar->GetControl(i)->IsVisible()) << i;
    pBar->SetTrackingMode(kTrackingNone);
    pBar->InternalRelease();
    pBars->InternalRelease();
}

// ---- personalised menus ---------------------------------------------------------------

// A manager whose options hide command 502 until it is used, and a menu of
// 501, 502 and 503 it tracks.
struct PersonalisedMenu
{
    OwnerWindow owner;
    CLVKCommandBars* pBars = new CLVKCommandBars;
    CLVKPopupBar* pBar = nullptr;

    PersonalisedMenu()
    {
        pBars->SetSite(&owner.wnd);
        CLVKCommandBarsOptions* pOptions = pBars->GetCommandBarsOptions();
        pOptions->bAlwaysShowFullMenus = FALSE;
        pOptions->nAnimationType = -1;  // no animation
        pOptions->SetCommandHidden(502, TRUE);
        pBar = CLVKPopupBar::CreatePopupBar(pBars);
        for (int nId : {501, 502, 503})
            pBar->GetControls()->Add(kControlButton, nId)->SetCaption(L"Item");
    }
    ~PersonalisedMenu()
    {
        pBar->SetTrackingMode(kTrackingNone);
        pBar->InternalRelease();
        pBars->InternalRelease();
    }
    BOOL Hidden(int nIndex) const { return !pBar->GetControl(nIndex)->IsVisible(); }
};

TEST(PopupPersonalised, RarelyUsedItemsHideBehindTheExpandButtonUntilCtrlDown)
{
    PersonalisedMenu menu;
    ASSERT_TRUE(menu.pBar->PopupAt(100, 100));
    EXPECT_TRUE(menu.pBar->HasHiddenItems());
    EXPECT_TRUE(menu.Hidden(1));
    CLVKControl* pExpand = menu.pBar->GetExpandButton();
    ASSERT_NE(pExpand, nullptr);
    EXPECT_TRUE(pExpand->IsVisible());
    EXPECT_TRUE(pExpand->IsTemporary());
    EXPECT_GE(pExpand->GetRect().top, menu.pBar->GetControl(2)->GetRect().bottom) << "at the bottom";
    CRect rcBefore;
    menu.pBar->GetWindowRect(&rcBefore);

    BYTE saved[256];
    ::GetKeyboardState(saved);
    BYTE state[256];
    ::memcpy(state, saved, sizeof(state));
    state[VK_CONTROL] = 0x80;
    ::SetKeyboardState(state);
    EXPECT_EQ(menu.pBar->OnHookKeyDown(VK_DOWN, 0), 1);
    ::SetKeyboardState(saved);

    EXPECT_TRUE(menu.pBar->IsExpanded());
    EXPECT_FALSE(menu.Hidden(1));
    EXPECT_FALSE(menu.pBar->GetExpandButton()->IsVisible());
    CRect rcAfter;
    menu.pBar->GetWindowRect(&rcAfter);
    EXPECT_GT(rcAfter.Height(), rcBefore.Height() - pExpand->GetRect().Height());
    EXPECT_TRUE(CLVKMouseManager::GetThreadManager()->m_bExpanded) << "further menus open expanded";

    // The next menu opens expanded until the menus close.
    CLVKPopupBar* pOther = CLVKPopupBar::CreatePopupBar(menu.pBars);
    pOther->GetControls()->Add(kControlButton, 502)->SetCaption(L"Item");
    ASSERT_TRUE(pOther->PopupAt(300, 100));
    EXPECT_TRUE(pOther->GetControl(0)->IsVisible());
    pOther->SetTrackingMode(kTrackingNone);
    pOther->InternalRelease();
    menu.pBar->SetTrackingMode(kTrackingNone);
    EXPECT_FALSE(CLVKMouseManager::GetThreadManager()->m_bExpanded);
}

TEST(PopupPersonalised, DownPastTheLastItemOrRestingOnTheButtonExpands)
{
    {
        PersonalisedMenu menu;
        ASSERT_TRUE(menu.pBar->PopupAt(100, 100));
        menu.pBar->SetSelected(2, 2);
        menu.pBar->OnHookKeyDown(VK_DOWN, 0);
        EXPECT_TRUE(menu.pBar->IsExpanded());
        EXPECT_EQ(menu.pBar->GetHotIndex(), 0) << "the selection wraps to the first item";
    }
    {
        PersonalisedMenu menu;
        ASSERT_TRUE(menu.pBar->PopupAt(100, 100));
        CLVKControl* pExpand = menu.pBar->GetExpandButton();
        ASSERT_NE(pExpand, nullptr);
        menu.pBar->SetSelected(pExpand->GetIndex(), 0);
        EXPECT_FALSE(menu.pBar->IsExpanded());
        menu.pBar->SendMessage(WM_TIMER, CLVKPopupBar::kTimerExpand, 0);
        EXPECT_TRUE(menu.pBar->IsExpanded());
    }
}

TEST(PopupPersonalised, AnExecutedItemIsUsedAndShowsFromThenOn)
{
    PersonalisedMenu menu;
    ASSERT_TRUE(menu.pBar->PopupAt(100, 100));
    menu.pBar->ExpandBar();
    menu.pBar->GetControl(1)->Execute();
    EXPECT_EQ(menu.owner.commands, (std::vector<UINT>{502}));
    EXPECT_EQ(menu.pBar->GetTrackingMode(), kTrackingNone) << "running it closed the menu";
    EXPECT_TRUE(menu.pBars->GetCommandBarsOptions()->IsCommandUsed(502));

    ASSERT_TRUE(menu.pBar->PopupAt(100, 100));
    EXPECT_FALSE(menu.pBar->HasHiddenItems());
    EXPECT_FALSE(menu.Hidden(1));
}

TEST(PopupPersonalised, AScrollingMenuKeepsItsExpandButtonAtTheBottom)
{
    PersonalisedMenu menu;
    for (int i = 0; i < 20; i++)
        menu.pBar->GetControls()->Add(kControlButton, 600 + i)->SetCaption(L"More");
    menu.pBar->SetMaxHeight(150);
    ASSERT_TRUE(menu.pBar->PopupAt(100, 100));
    ASSERT_TRUE(menu.pBar->IsScrolling());
    CLVKControl* pExpand = menu.pBar->GetExpandButton();
    ASSERT_NE(pExpand, nullptr);
    CRect rcClient;
    menu.pBar->GetClientRect(&rcClient);
    EXPECT_LE(pExpand->GetRect().bottom, rcClient.bottom);
    EXPECT_GE(pExpand->GetRect().top, menu.pBar->GetScrollDownButton().rc.bottom) << "under the down button";
}

TEST(PopupPersonalised, WithFullMenusNothingHides)
{
    PersonalisedMenu menu;
    menu.pBars->GetCommandBarsOptions()->bAlwaysShowFullMenus = TRUE;
    ASSERT_TRUE(menu.pBar->PopupAt(100, 100));
    EXPECT_FALSE(menu.pBar->HasHiddenItems());
    EXPECT_FALSE(menu.Hidden(1));
    EXPECT_TRUE(menu.pBar->GetExpandButton() == nullptr || !menu.pBar->GetExpandButton()->IsVisible());
}

}  // namespace
