// The popup control: opening and closing its menu by click, hover, keys and
// moving along a bar with a menu open; split buttons with one part disabled;
// the default item run by a double click; capital menu titles.
#include "Framework.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/CommandBars.h"
#include "CommandBars/CommandBarsOffice2000Theme.h"
#include "CommandBars/CommandBarsOptions.h"
#include "CommandBars/ControlPopup.h"
#include "CommandBars/Controls.h"
#include "CommandBars/PaintManager.h"
#include "CommandBars/PopupBar.h"
#include "Foundation/ShadowManager.h"
#include "FrameWnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{

class CCommandFrame : public CFrameWnd
{
public:
    CCommandFrame() { m_bAutoDelete = FALSE; }
    std::vector<UINT> m_commands;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo) override
    {
        if (nID >= 200 && nID < 400 && nCode == CN_COMMAND)
        {
            if (!pInfo)
                m_commands.push_back(nID);
            return TRUE;
        }
        return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pInfo);
    }

    // The popups' opening and closing notices, with whether the popup's
    // window was on screen when each came.
    struct PopupNotice
    {
        UINT nMessage;
        CLVKCommandBar* pPopup;
        BOOL bVisible;
        bool operator==(const PopupNotice& o) const
        {
            return nMessage == o.nMessage && pPopup == o.pPopup && bVisible == o.bVisible;
        }
    };
    std::vector<PopupNotice> m_notices;

    LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override
    {
        if (nMessage == LVK_WM_INITPOPUP || nMessage == LVK_WM_UNINITPOPUP)
        {
            auto* pPopup = reinterpret_cast<CLVKCommandBar*>(lParam);
            m_notices.push_back({nMessage, pPopup, ::IsWindowVisible(pPopup->GetSafeHwnd())});
        }
        return CFrameWnd::WindowProc(nMessage, wParam, lParam);
    }
};

// A frame with a bar of popup controls 40 px wide, each with a menu of two
// items (ids 300 + 10 * n and the next).
struct PopupFixture
{
    CCommandFrame frame;
    CLVKCommandBar* pBar = new CLVKCommandBar;

    PopupFixture()
    {
        frame.Create(nullptr, L"Site", WS_POPUP | WS_VISIBLE, CRect(50, 50, 450, 250));
        pBar->CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), L"Bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 24),
                       &frame, 1);
    }
    ~PopupFixture()
    {
        pBar->SetTrackingMode(kTrackingNone);
        pBar->InternalRelease();
        frame.DestroyWindow();
    }

    CLVKControlPopup* Add(int nType = kControlPopup, int nId = 0)
    {
        auto* pPopup = static_cast<CLVKControlPopup*>(pBar->GetControls()->Add(nType, nId));
        const int n = pPopup->GetIndex();
        pPopup->SetRect(CRect(n * 40, 0, n * 40 + 40, 24));
        pPopup->SetCaption(L"&Menu");
        for (int k = 0; k < 2; k++)
            pPopup->GetCommandBar()->GetControls()->Add(kControlButton, 300 + 10 * n + k)->SetCaption(L"Item");
        return pPopup;
    }
    BOOL IsOpen(CLVKControlPopup* pPopup) const
    {
        return pPopup->IsPopupOpen() && pPopup->GetCommandBar()->GetTrackingMode() != kTrackingNone &&
               pPopup->GetCommandBar()->IsVisible();
    }
};

TEST(ControlPopupOpening, MovingAlongABarWithAMenuOpenOpensTheNextAndClosesTheFirst)
{
    PopupFixture f;
    CLVKControlPopup* pFirst = f.Add();
    CLVKControlPopup* pSecond = f.Add();
    f.pBar->SetPopupedIndex(0);
    ASSERT_TRUE(f.IsOpen(pFirst));
    EXPECT_EQ(f.pBar->GetTrackingMode(), kTrackingWithPopup);

    f.pBar->SetSelected(1, 0);  // the pointer moves to the next title
    EXPECT_FALSE(f.IsOpen(pFirst));
    EXPECT_TRUE(f.IsOpen(pSecond));
    EXPECT_EQ(f.pBar->GetPopupedIndex(), 1);

    // Clicking the open title closes the menu and ends menu mode.
    pSecond->OnClick(FALSE, CPoint(60, 10));
    EXPECT_FALSE(f.IsOpen(pSecond));
    EXPECT_EQ(f.pBar->GetTrackingMode(), kTrackingNone);

    // Without a menu open, moving only makes the title hot.
    f.pBar->SetTrackingMode(kTrackingOn, FALSE);
    f.pBar->SetSelected(0, 0);
    EXPECT_FALSE(f.IsOpen(pFirst));
}

std::vector<std::pair<DWORD, LONG>> s_menuEvents;

void CALLBACK RecordMenuEvent(HWINEVENTHOOK, DWORD dwEvent, HWND, LONG nObject, LONG, DWORD, DWORD)
{
    s_menuEvents.emplace_back(dwEvent, nObject);
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
}

// The site hears of each popup before it shows (so it can still fill it) and
// after it has gone; accessibility clients hear of each menu starting.
TEST(ControlPopupOpening, TheSiteIsToldBeforeAPopupShowsAndAfterItCloses)
{
    PopupFixture f;
    s_menuEvents.clear();
    const HWINEVENTHOOK hHook = ::SetWinEventHook(EVENT_SYSTEM_MENUPOPUPSTART, EVENT_SYSTEM_MENUPOPUPEND, nullptr,
                                                  RecordMenuEvent, ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    CLVKControlPopup* pFirst = f.Add();
    CLVKControlPopup* pSecond = f.Add();
    CLVKCommandBar* pMenu1 = pFirst->GetCommandBar();
    CLVKCommandBar* pMenu2 = pSecond->GetCommandBar();
    f.pBar->SetPopupedIndex(0);
    PumpMessages();
    f.pBar->SetSelected(1, 0);
    PumpMessages();
    f.pBar->SetTrackingMode(kTrackingNone);
    using Notice = CCommandFrame::PopupNotice;
    EXPECT_EQ(f.frame.m_notices, (std::vector<Notice>{{LVK_WM_INITPOPUP, pMenu1, FALSE},
                                                      {LVK_WM_UNINITPOPUP, pMenu1, FALSE},
                                                      {LVK_WM_INITPOPUP, pMenu2, FALSE},
                                                      {LVK_WM_UNINITPOPUP, pMenu2, FALSE}}));
    EXPECT_EQ(pMenu1->GetSafeHwnd(), nullptr);
    EXPECT_EQ(pMenu2->GetSafeHwnd(), nullptr);
    ::UnhookWinEvent(hHook);
    // Out-of-context events arrive by message; Wine drops those of a window
    // destroyed before they are read, so only the starts are counted.
    int nStarts = 0;
    for (const auto& event : s_menuEvents)
    {
        EXPECT_EQ(event.second, OBJID_MENU);
        nStarts += event.first == EVENT_SYSTEM_MENUPOPUPSTART ? 1 : 0;
    }
    EXPECT_EQ(nStarts, 2);
}

TEST(ControlPopupOpening, HoverOpensInAMenuOrWhileTheBarHasAMenuOpen)
{
    PopupFixture f;
    CLVKControlPopup* pPopup = f.Add();
    f.pBar->SetSelected(0, 0);
    pPopup->OnMouseHover();
    EXPECT_FALSE(f.IsOpen(pPopup)) << "a tool-bar button does not open by resting on it";

    // A sub-menu item opens when the pointer rests on it.
    CLVKCommandBar* pMenu = pPopup->GetCommandBar();
    CLVKControlPopup* pSub =
        static_cast<CLVKControlPopup*>(pMenu->GetControls()->Add(kControlPopup, 0));
    pSub->GetCommandBar()->GetControls()->Add(kControlButton, 399)->SetCaption(L"Deep");
    f.pBar->SetPopupedIndex(0);
    ASSERT_TRUE(f.IsOpen(pPopup));
    pMenu->SetSelected(pSub->GetIndex(), 0);
    pSub->OnMouseHover();
    EXPECT_TRUE(pSub->IsPopupOpen());
    EXPECT_TRUE(pSub->GetCommandBar()->IsVisible());
}

TEST(ControlPopupOpening, KeysOpenTheMenuWithItsFirstItemSelected)
{
    PopupFixture f;
    CLVKControlPopup* pPopup = f.Add();
    f.pBar->SetTrackingMode(kTrackingOn, FALSE, 2);
    f.pBar->SetSelected(0, 2);
    pPopup->ExecuteFromKeyboard();
    ASSERT_TRUE(f.IsOpen(pPopup));
    EXPECT_EQ(pPopup->GetCommandBar()->GetHotIndex(), 0);
}

struct SplitCase
{
    const char* name;
    int nEnabled;   // the control's own enabled value: 1, 4 (arrow off) or 5 (button off)
    BOOL bKeyboard;
    BOOL bOnArrow;  // a mouse press on the arrow part (else the button part)
    BOOL bOpens;
    std::vector<UINT> commands;
};

class SplitButton : public ::testing::TestWithParam<SplitCase>
{
};

TEST_P(SplitButton, OpensOrExecutesByTheEnabledPart)
{
    const SplitCase& c = GetParam();
    PopupFixture f;
    CLVKControlPopup* pSplit = f.Add(kControlSplitButton, 250);
    pSplit->SetEnabled(c.nEnabled);
    const CRect rcButton = pSplit->GetPaintManager()->GetSplitDropDownRect(pSplit);
    const CPoint pt = c.bOnArrow ? CPoint(pSplit->GetRect().right - 2, 10) : CPoint(rcButton.left + 2, 10);
    if (!c.bKeyboard && !c.bOnArrow)
        ::PostMessageW(f.pBar->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    pSplit->OnClick(c.bKeyboard, pt);
    EXPECT_EQ(f.IsOpen(pSplit), c.bOpens);
    EXPECT_EQ(f.frame.m_commands, c.commands);
    EXPECT_EQ(pSplit->OnSetPopup(TRUE) && f.IsOpen(pSplit), c.nEnabled != 4);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitButton,
    ::testing::Values(SplitCase{"KeyboardRunsTheButton", 1, TRUE, FALSE, FALSE, {250}},
                      SplitCase{"KeyboardOpensWhenTheButtonIsOff", 5, TRUE, FALSE, TRUE, {}},
                      SplitCase{"KeyboardRunsWhenTheArrowIsOff", 4, TRUE, FALSE, FALSE, {250}},
                      SplitCase{"TheArrowOpens", 1, FALSE, TRUE, TRUE, {}},
                      SplitCase{"AnArrowThatIsOffNeverOpens", 4, FALSE, TRUE, FALSE, {}},
                      SplitCase{"TheButtonPartRunsOnRelease", 1, FALSE, FALSE, FALSE, {250}},
                      SplitCase{"AButtonPartThatIsOffDoesNothing", 5, FALSE, FALSE, FALSE, {}}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

TEST(ControlPopupInMenu, ASplitItemRunsWhenReleasedLeftOfItsArrow)
{
    PopupFixture f;
    CLVKControlPopup* pTitle = f.Add();
    CLVKCommandBar* pMenu = pTitle->GetCommandBar();
    auto* pSplit = static_cast<CLVKControlPopup*>(pMenu->GetControls()->Add(kControlSplitButton, 260));
    f.pBar->SetPopupedIndex(0);
    ASSERT_TRUE(f.IsOpen(pTitle));
    const CRect rc = pSplit->GetRect();
    const int nArrow = pSplit->GetPaintManager()->m_nSplitPopupWidth;
    pSplit->OnLButtonUp(CPoint(rc.right - nArrow / 2, rc.top + 2));
    EXPECT_TRUE(f.frame.m_commands.empty()) << "a release on the arrow runs nothing";
    pSplit->OnLButtonUp(CPoint(rc.left + 4, rc.top + 2));
    EXPECT_EQ(f.frame.m_commands, (std::vector<UINT>{260}));
}

TEST(ControlPopupInMenu, DoubleClickingATitleRunsItsMenusDefaultItem)
{
    PopupFixture f;
    CLVKControlPopup* pPopup = f.Add();
    pPopup->GetCommandBar()->GetControl(1)->SetDefaultItem(TRUE);
    // The first click of the double click opened the menu.
    f.pBar->SetPopupedIndex(0);
    ASSERT_TRUE(f.IsOpen(pPopup));
    pPopup->OnLButtonDblClk(CPoint(10, 10));
    EXPECT_EQ(f.frame.m_commands, (std::vector<UINT>{301}));
    EXPECT_FALSE(f.IsOpen(pPopup));
}

TEST(ControlPopupCaption, MenuBarTitlesAreCapitalWhenTheManagerSaysSo)
{
    PopupFixture f;
    CLVKControlPopup* pPopup = f.Add();
    CLVKCommandBars* pBars = new CLVKCommandBars;
    f.pBar->SetCommandBars(pBars);
    f.pBar->SetType(kBarTypeMenuBar);
    EXPECT_EQ(std::wstring(pPopup->GetCaption()), L"&Menu");
    pBars->m_bUpperCaseMenuTitles = TRUE;
    EXPECT_EQ(std::wstring(pPopup->GetCaption()), L"&MENU");
    f.pBar->SetType(kBarTypeToolBar);
    EXPECT_EQ(std::wstring(pPopup->GetCaption()), L"&Menu") << "only on a menu bar";
    f.pBar->SetCommandBars(nullptr);
    pBars->InternalRelease();
}

TEST(ControlPopupCustomize, APopupCannotBeDroppedIntoItsOwnSubMenu)
{
    PopupFixture f;
    CLVKControlPopup* pPopup = f.Add();
    CLVKCommandBar* pMenu = pPopup->GetCommandBar();
    auto* pSub = static_cast<CLVKControlPopup*>(pMenu->GetControls()->Add(kControlPopup, 0));
    f.pBar->SetPopupedIndex(0);
    pMenu->SetPopupedIndex(pSub->GetIndex());  // the sub-menu's parent chain reaches pMenu
    DWORD dwEffect = DROPEFFECT_MOVE;
    EXPECT_FALSE(pPopup->CanDropOnBar(pMenu, dwEffect));
    EXPECT_FALSE(pPopup->CanDropOnBar(pSub->GetCommandBar(), dwEffect));
    EXPECT_EQ(dwEffect, static_cast<DWORD>(DROPEFFECT_NONE));
    dwEffect = DROPEFFECT_MOVE;
    EXPECT_TRUE(pPopup->CanDropOnBar(f.pBar, dwEffect));
}

// ---- shadows ----------------------------------------------------------------------------

// The shadow parts the theme's shadow manager holds for one owner window.
std::vector<CLVKShadowManager::CShadowWnd*> ShadowsOf(CLVKPaintManager* pTheme, CWnd* pOwner)
{
    std::vector<CLVKShadowManager::CShadowWnd*> parts;
    for (CLVKShadowManager::CShadowWnd* pPart : pTheme->m_pShadowManager->GetShadows())
    {
        if (pPart->m_pOwner == pOwner)
            parts.push_back(pPart);
    }
    return parts;
}

// An open menu casts a shadow along its right and bottom edges, and the
// title that opened it one of its own when the shadow manager asks for it;
// switching the popup's shadow off, or closing it, leaves none.
TEST(PopupShadow, AnOpenMenuAndItsTitleCastShadowsThatGoWithIt)
{
    PopupFixture f;
    auto* pTheme = new CLVKCommandBarsOffice2000Theme;
    f.pBar->SetPaintManager(pTheme);
    pTheme->m_pShadowManager->SetFlags(3);  // shadows whatever the system says, the title's too
    CLVKControlPopup* pTitle = f.Add();
    auto* pMenu = static_cast<CLVKPopupBar*>(pTitle->GetCommandBar());
    f.pBar->SetPopupedIndex(0);
    ASSERT_TRUE(f.IsOpen(pTitle));

    int nMenuParts = 0;
    int nTitleParts = 0;
    for (CLVKShadowManager::CShadowWnd* pPart : ShadowsOf(pTheme, pMenu))
        (pPart->m_bControlShadow ? nTitleParts : nMenuParts)++;
    EXPECT_EQ(nMenuParts, 2) << "right and bottom";
    EXPECT_EQ(nTitleParts, 2);
    CRect rcMenu;
    pMenu->GetWindowRect(&rcMenu);
    for (CLVKShadowManager::CShadowWnd* pPart : ShadowsOf(pTheme, pMenu))
    {
        CRect rcPart;
        pPart->GetWindowRect(&rcPart);
        if (!pPart->m_bControlShadow && pPart->m_nPart == CLVKShadowManager::partRight)
        {
            EXPECT_EQ(rcPart.left, rcMenu.right);
        }
        if (!pPart->m_bControlShadow && pPart->m_nPart == CLVKShadowManager::partBottom)
        {
            EXPECT_EQ(rcPart.top, rcMenu.bottom);
        }
    }

    f.pBar->SetPopupedIndex(-1);
    EXPECT_TRUE(pTheme->m_pShadowManager->GetShadows().empty()) << "closing takes the shadows away";

    pMenu->SetShowShadow(FALSE);
    f.pBar->SetPopupedIndex(0);
    ASSERT_TRUE(f.IsOpen(pTitle));
    EXPECT_TRUE(pTheme->m_pShadowManager->GetShadows().empty());
    f.pBar->SetPopupedIndex(-1);
}

// ---- opening animation ----------------------------------------------------------------

// The default theme, recording the popup animations it is asked to play
// instead of playing them.
class CRecordingTheme : public CLVKCommandBarsOffice2000Theme
{
public:
    std::vector<int> m_types;
    void AnimateFade(CDC*, CDC*, int, int, int, int, int nType) override { m_types.push_back(nType); }
};

// A bar of popup controls bound to a manager whose options ask for the fade.
struct AnimatedFixture : PopupFixture
{
    CLVKCommandBars* pBars = new CLVKCommandBars;
    CRecordingTheme* pTheme = new CRecordingTheme;

    AnimatedFixture()
    {
        pBars->SetSite(&frame);
        pBars->GetCommandBarsOptions()->nAnimationType = lvkAnimateFade;
        pBar->SetCommandBars(pBars);
        pBar->SetPaintManager(pTheme);
    }
    ~AnimatedFixture()
    {
        pBar->SetTrackingMode(kTrackingNone);
        pBar->SetCommandBars(nullptr);
        pBars->InternalRelease();
    }
};

TEST(PopupAnimation, MovingAlongABarAnimatesOnlyTheFirstMenuAndKeysAnimateNone)
{
    AnimatedFixture f;
    CLVKControlPopup* pFirst = f.Add();
    CLVKControlPopup* pSecond = f.Add();
    f.pBar->SetTrackingMode(kTrackingOn, FALSE, 0);  // entered with the mouse
    f.pBar->SetPopupedIndex(0);
    ASSERT_TRUE(f.IsOpen(pFirst));
    EXPECT_EQ(f.pTheme->m_types, (std::vector<int>{lvkAnimateFade}));
    f.pBar->SetSelected(1, 0);
    ASSERT_TRUE(f.IsOpen(pSecond));
    EXPECT_EQ(f.pTheme->m_types.size(), 1u) << "the next menu along the bar opens at once";

    // A sub-menu of a menu entered with the mouse animates.
    CLVKCommandBar* pMenu = pSecond->GetCommandBar();
    auto* pSub = static_cast<CLVKControlPopup*>(pMenu->GetControls()->Add(kControlPopup, 0));
    pSub->GetCommandBar()->GetControls()->Add(kControlButton, 399)->SetCaption(L"Deep");
    pMenu->SetPopupedIndex(pSub->GetIndex());
    ASSERT_TRUE(pSub->GetCommandBar()->IsVisible());
    EXPECT_EQ(f.pTheme->m_types.size(), 2u);

    // Menu mode entered from the keyboard opens its menus without animation.
    f.pBar->SetTrackingMode(kTrackingNone);
    f.pTheme->m_types.clear();
    f.pBar->SetTrackingMode(kTrackingOn, FALSE, 2);
    f.pBar->SetPopupedIndex(0, 2);
    ASSERT_TRUE(f.IsOpen(pFirst));
    EXPECT_TRUE(f.pTheme->m_types.empty());
}

// Sets the system's menu animation switches for a test and restores them.
class CMenuAnimationSetting
{
public:
    CMenuAnimationSetting(BOOL bAnimation, BOOL bFade)
    {
        ::SystemParametersInfo(SPI_GETMENUANIMATION, 0, &m_bAnimation, 0);
        ::SystemParametersInfo(SPI_GETMENUFADE, 0, &m_bFade, 0);
        Set(bAnimation, bFade);
    }
    ~CMenuAnimationSetting() { Set(m_bAnimation, m_bFade); }
    CMenuAnimationSetting(const CMenuAnimationSetting&) = delete;
    CMenuAnimationSetting& operator=(const CMenuAnimationSetting&) = delete;

private:
    static void Set(BOOL bAnimation, BOOL bFade)
    {
        ::SystemParametersInfo(SPI_SETMENUANIMATION, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(bAnimation)), 0);
        ::SystemParametersInfo(SPI_SETMENUFADE, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(bFade)), 0);
    }
    BOOL m_bAnimation = FALSE;
    BOOL m_bFade = FALSE;
};

struct AnimationTypeCase
{
    const char* name;
    int nOption;
    BOOL bSystemAnimation;
    BOOL bSystemFade;
    std::vector<int> allowed;
};

class PopupAnimationType : public ::testing::TestWithParam<AnimationTypeCase>
{
};

TEST_P(PopupAnimationType, FollowsTheOptionsOrTheSystem)
{
    const AnimationTypeCase& c = GetParam();
    CMenuAnimationSetting setting(c.bSystemAnimation, c.bSystemFade);
    BOOL bRead = FALSE;
    ::SystemParametersInfo(SPI_GETMENUANIMATION, 0, &bRead, 0);
    if (bRead != c.bSystemAnimation)
        GTEST_SKIP() << "the system keeps no menu animation switch";
    CLVKCommandBars* pBars = new CLVKCommandBars;
    pBars->GetCommandBarsOptions()->nAnimationType = c.nOption;
    CLVKPopupBar* pPopup = CLVKPopupBar::CreatePopupBar(pBars);
    for (int i = 0; i < 12; i++)
    {
        const int nType = pPopup->GetAnimationType();
        EXPECT_NE(std::find(c.allowed.begin(), c.allowed.end(), nType), c.allowed.end()) << nType;
    }
    pPopup->InternalRelease();
    pBars->InternalRelease();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PopupAnimationType,
    ::testing::Values(AnimationTypeCase{"SystemOffIsNone", 0, FALSE, TRUE, {0}},
                      AnimationTypeCase{"SystemFade", 0, TRUE, TRUE, {lvkAnimateFade}},
                      AnimationTypeCase{"SystemWithoutFadeSlides", 0, TRUE, FALSE, {lvkAnimateSlide}},
                      AnimationTypeCase{"RandomPicksOneOfThree", 1, FALSE, FALSE,
                                        {lvkAnimateFade, lvkAnimateSlide, lvkAnimateUnfold}},
                      AnimationTypeCase{"AFixedKindIsKept", lvkAnimateUnfold, FALSE, FALSE, {lvkAnimateUnfold}}),
    [](const ::testing::TestParamInfo<AnimationTypeCase>& info) { return std::string(info.param.name); });

TEST(PopupAnimationType, WithoutAManagerNothingAnimates)
{
    CLVKPopupBar* pPopup = CLVKPopupBar::CreatePopupBar(nullptr);
    EXPECT_EQ(pPopup->GetAnimationType(), 0);
    pPopup->InternalRelease();
}

}  // namespace
