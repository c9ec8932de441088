// The controls' pop-up-menu service: it hands every menu to the installed
// tracker with its arguments intact, and shows the platform's menu when no
// tracker is installed.
#include "Foundation/PopupMenuService.h"

#include <gtest/gtest.h>

namespace
{

struct TrackCall
{
    CMenu* pMenu = nullptr;
    UINT nFlags = 0;
    int x = 0;
    int y = 0;
    CWnd* pOwner = nullptr;
    UINT nIDToolBar = 0;
    BOOL bNoNotify = FALSE;
    int nCalls = 0;
};
TrackCall g_call;

BOOL AFX_CDECL RecordingTracker(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pOwner, UINT nIDToolBar,
                                BOOL bNoNotify)
{
    g_call = TrackCall{pMenu, nFlags, x, y, pOwner, nIDToolBar, bNoNotify, g_call.nCalls + 1};
    return 4711;
}

// Restores the tracker that was installed before the test.
class TrackerScope
{
public:
    explicit TrackerScope(LVKPopupMenuTracker pTracker) : m_pBefore(LVKGetPopupMenuTracker())
    {
        LVKSetPopupMenuTracker(pTracker);
    }
    ~TrackerScope() { LVKSetPopupMenuTracker(m_pBefore); }
    TrackerScope(const TrackerScope&) = delete;
    TrackerScope& operator=(const TrackerScope&) = delete;

private:
    LVKPopupMenuTracker m_pBefore;
};

struct MenuWithOneItem
{
    CMenu menu;
    MenuWithOneItem()
    {
        menu.Attach(::CreatePopupMenu());
        ::AppendMenuW(menu.GetSafeHmenu(), MF_STRING, 77, L"&Open");
    }
    ~MenuWithOneItem() { menu.DestroyMenu(); }
};

// While the platform's menu runs its loop, a thread timer notes its window
// and ends the menu.
bool g_bPlatformMenuSeen = false;
void CALLBACK EndPlatformMenu(HWND, UINT, UINT_PTR nId, DWORD)
{
    ::KillTimer(nullptr, nId);
    const HWND hMenu = ::FindWindowW(L"#32768", nullptr);
    g_bPlatformMenuSeen = hMenu && ::IsWindowVisible(hMenu);
    ::EndMenu();
}

}  // namespace

TEST(PopupMenuService, TheInstalledTrackerGetsEveryArgumentAndGivesItsResult)
{
    TrackerScope scope(&RecordingTracker);
    MenuWithOneItem item;
    CWnd owner;
    g_call = TrackCall{};
    EXPECT_EQ(LVKTrackPopupMenu(&item.menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, 12, 34, &owner, 5, TRUE), 4711);
    EXPECT_EQ(g_call.nCalls, 1);
    EXPECT_EQ(g_call.pMenu, &item.menu);
    EXPECT_EQ(g_call.nFlags, static_cast<UINT>(TPM_RIGHTBUTTON | TPM_RETURNCMD));
    EXPECT_EQ(g_call.x, 12);
    EXPECT_EQ(g_call.y, 34);
    EXPECT_EQ(g_call.pOwner, &owner);
    EXPECT_EQ(g_call.nIDToolBar, 5u);
    EXPECT_TRUE(g_call.bNoNotify);

    // No menu, or a handle that is no menu: nothing is shown, by anyone.
    CMenu none;
    EXPECT_FALSE(LVKTrackPopupMenu(nullptr, 0, 0, 0, &owner));
    EXPECT_FALSE(LVKTrackPopupMenu(&none, 0, 0, 0, &owner));
    EXPECT_EQ(g_call.nCalls, 1);
}

TEST(PopupMenuService, WithoutATrackerThePlatformsMenuIsShown)
{
    TrackerScope scope(nullptr);
    MenuWithOneItem item;
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"Menu owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    ::ShowWindow(owner.GetSafeHwnd(), SW_SHOWNORMAL);
    ::SetForegroundWindow(owner.GetSafeHwnd());

    g_bPlatformMenuSeen = false;
    ::SetTimer(nullptr, 0, 50, &EndPlatformMenu);
    // Ended without a choice: TPM_RETURNCMD gives 0.
    EXPECT_EQ(LVKTrackPopupMenu(&item.menu, TPM_RETURNCMD, 20, 20, &owner), 0);
    EXPECT_TRUE(g_bPlatformMenuSeen);

    // The platform's menu needs an owner window; without one nothing is shown.
    CWnd noWindow;
    EXPECT_FALSE(LVKTrackPopupMenu(&item.menu, TPM_RETURNCMD, 20, 20, &noWindow));
    EXPECT_FALSE(LVKTrackPopupMenu(&item.menu, TPM_RETURNCMD, 20, 20, nullptr));
    owner.DestroyWindow();
}
