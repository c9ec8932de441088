// Controls and their collection: a menu turned into controls, captions and
// prompt strings, keyboard-navigation order, and the actions that bound
// controls take their texts and state from.
#include "Framework.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/CommandBars.h"
#include "CommandBars/Control.h"
#include "CommandBars/ControlAction.h"
#include "CommandBars/ControlActions.h"
#include "CommandBars/ControlButton.h"
#include "CommandBars/ControlPopup.h"
#include "CommandBars/Controls.h"
#include "CommandBars/PopupBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

std::wstring Text(const CString& s)
{
    return std::wstring(static_cast<LPCTSTR>(s));
}

// A bar held for one test; the bar's last reference goes with it.
struct BarHolder
{
    CLVKCommandBar* pBar = new CLVKCommandBar;
    ~BarHolder() { pBar->InternalRelease(); }
    CLVKControls* Controls() const { return pBar->GetControls(); }
};

void AppendItem(HMENU hMenu, UINT nId, LPCWSTR pszText, UINT fType = MFT_STRING, UINT fState = 0,
                HMENU hSubMenu = nullptr)
{
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | (hSubMenu ? MIIM_SUBMENU : 0);
    info.fType = fType;
    info.fState = fState;
    info.wID = nId;
    info.dwTypeData = const_cast<LPWSTR>(pszText);
    info.hSubMenu = hSubMenu;
    ::InsertMenuItemW(hMenu, ::GetMenuItemCount(hMenu), TRUE, &info);
}

void AppendSeparator(HMENU hMenu)
{
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    info.fType = MFT_SEPARATOR;
    ::InsertMenuItemW(hMenu, ::GetMenuItemCount(hMenu), TRUE, &info);
}

// ---- menu conversion ------------------------------------------------------------------

// A menu with a leading separator, two separators in a row, both kinds of
// break, a default item, checked and greyed items, a skipped id, and two
// sub-menus: one named "Recent\t123", one plain.
struct MenuFixture
{
    CMenu menu;
    BarHolder bar;

    MenuFixture()
    {
        HMENU hRecent = ::CreatePopupMenu();
        AppendItem(hRecent, 501, L"First");
        AppendItem(hRecent, 502, L"Second");
        HMENU hPlain = ::CreatePopupMenu();
        AppendItem(hPlain, 601, L"Inner");

        HMENU hMenu = ::CreatePopupMenu();
        AppendSeparator(hMenu);
        AppendItem(hMenu, 100, L"&New\tCtrl+N");
        AppendItem(hMenu, 101, L"&Open...");
        AppendSeparator(hMenu);
        AppendSeparator(hMenu);
        AppendItem(hMenu, 102, L"&Save", MFT_STRING, MFS_CHECKED);
        AppendItem(hMenu, 0xFF00, L"Skipped");
        AppendItem(hMenu, 103, L"Column", MFT_STRING | MFT_MENUBREAK);
        AppendItem(hMenu, 104, L"Bar column", MFT_STRING | MFT_MENUBARBREAK, MFS_GRAYED);
        AppendItem(hMenu, 0, L"Recent\t123", MFT_STRING, 0, hRecent);
        AppendItem(hMenu, 0, L"Pl&ain", MFT_STRING, 0, hPlain);
        AppendItem(hMenu, 105, L"E&xit");
        ::SetMenuDefaultItem(hMenu, 101, FALSE);
        menu.Attach(hMenu);
        bar.pBar->LoadMenu(&menu, TRUE);
    }
};

struct MenuItemCase
{
    const char* name;
    int nIndex;
    int nType;
    int nId;
    const wchar_t* caption;
    const wchar_t* shortcut;
    BOOL bBeginGroup;
    BOOL bNewColumn;
    BOOL bDefault;
    int nChecked;
    BOOL bEnabled;
};

class MenuConversion : public ::testing::TestWithParam<MenuItemCase>
{
};

TEST_P(MenuConversion, EachItemBecomesAControl)
{
    const MenuItemCase& c = GetParam();
    MenuFixture fixture;
    CLVKControl* pControl = fixture.bar.Controls()->GetAt(c.nIndex);
    ASSERT_NE(pControl, nullptr);
    EXPECT_EQ(pControl->GetType(), c.nType);
    EXPECT_EQ(pControl->GetID(), c.nId);
    EXPECT_EQ(Text(pControl->GetCaption()), c.caption);
    EXPECT_EQ(Text(pControl->GetShortcutText()), c.shortcut);
    EXPECT_EQ(pControl->GetBeginGroup(), c.bBeginGroup);
    EXPECT_EQ((pControl->GetFlags() & kFlagNewRow) != 0, c.bNewColumn != 0);
    EXPECT_EQ(pControl->IsDefaultItem(), c.bDefault);
    EXPECT_EQ(pControl->GetChecked(), c.nChecked);
    EXPECT_EQ(pControl->IsEnabled(), c.bEnabled);
    EXPECT_EQ(pControl->GetIndex(), c.nIndex);
    EXPECT_EQ(pControl->GetParent(), fixture.bar.pBar);
}

INSTANTIATE_TEST_SUITE_P(
    Items, MenuConversion,
    ::testing::Values(
        MenuItemCase{"LeadingSeparatorStartsAGroup", 0, kControlButton, 100, L"&New", L"Ctrl+N", TRUE, FALSE, FALSE, 0,
                     TRUE},
        MenuItemCase{"DefaultItem", 1, kControlButton, 101, L"&Open...", L"", FALSE, FALSE, TRUE, 0, TRUE},
        MenuItemCase{"TwoSeparatorsOneGroupStartAndChecked", 2, kControlButton, 102, L"&Save", L"", TRUE, FALSE, FALSE,
                     1, TRUE},
        MenuItemCase{"MenuBreakStartsAColumnSkippingTheIgnoredId", 3, kControlButton, 103, L"Column", L"", FALSE, TRUE,
                     FALSE, 0, TRUE},
        MenuItemCase{"BarBreakAlsoBeginsAGroupAndGreyedIsDisabled", 4, kControlButton, 104, L"Bar column", L"", TRUE,
                     TRUE, FALSE, 0, FALSE},
        MenuItemCase{"SubMenuWithNumberTakesItAsId", 5, kControlPopup, 123, L"Recent", L"", FALSE, FALSE, FALSE, 0,
                     TRUE},
        MenuItemCase{"PlainSubMenuHasNoId", 6, kControlPopup, -1, L"Pl&ain", L"", FALSE, FALSE, FALSE, 0, TRUE},
        MenuItemCase{"LastItem", 7, kControlButton, 105, L"E&xit", L"", FALSE, FALSE, FALSE, 0, TRUE}),
    [](const ::testing::TestParamInfo<MenuItemCase>& info) { return std::string(info.param.name); });

TEST(MenuConversion, SubMenusBecomePopupBarsFilledFromTheSubMenu)
{
    MenuFixture fixture;
    EXPECT_EQ(fixture.bar.Controls()->GetCount(), 8);

    CLVKControl* pRecent = fixture.bar.Controls()->GetAt(5);
    CLVKCommandBar* pPopup = pRecent->GetCommandBar();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_TRUE(pPopup->IsKindOf(RUNTIME_CLASS(CLVKPopupBar)));
    EXPECT_EQ(Text(pPopup->GetTitle()), L"Recent");
    ASSERT_EQ(pPopup->GetControlCount(), 2);
    EXPECT_EQ(pPopup->GetControl(0)->GetID(), 501);
    EXPECT_EQ(Text(pPopup->GetControl(1)->GetCaption()), L"Second");

    // The title drops the mnemonic; the sub-menu's items are found through
    // a recursive search.
    CLVKCommandBar* pPlain = fixture.bar.Controls()->GetAt(6)->GetCommandBar();
    ASSERT_NE(pPlain, nullptr);
    EXPECT_EQ(Text(pPlain->GetTitle()), L"Plain");
    EXPECT_EQ(fixture.bar.Controls()->FindControl(0, 601, FALSE, TRUE), pPlain->GetControl(0));
    EXPECT_EQ(fixture.bar.Controls()->FindControl(0, 601, FALSE, FALSE), nullptr);
}

TEST(MenuConversion, AnInvalidMenuLoadsNothing)
{
    BarHolder bar;
    CMenu none;
    EXPECT_FALSE(bar.pBar->LoadMenu(&none, TRUE));
    EXPECT_FALSE(bar.pBar->LoadMenu(nullptr, TRUE));
    EXPECT_EQ(bar.pBar->GetControlCount(), 0);
}

// A site that rewrites the items while they become controls.
LRESULT CALLBACK RewritingSiteProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    static std::vector<int>* s_pAfter = nullptr;
    if (nMessage == WM_USER)
    {
        s_pAfter = reinterpret_cast<std::vector<int>*>(lParam);
        return 0;
    }
    if (nMessage == LVK_WM_BEFORECREATECONTROL)
    {
        auto* pCreate = reinterpret_cast<LVK_CONTROL_CREATE*>(lParam);
        if (pCreate->nId != 200)
            return 0;
        pCreate->nId = 250;
        pCreate->strCaption = L"Renamed";
        return 1;
    }
    if (nMessage == LVK_WM_AFTERCREATECONTROL)
    {
        auto* pCreate = reinterpret_cast<LVK_CONTROL_CREATE*>(lParam);
        if (s_pAfter && pCreate->pControl)
            s_pAfter->push_back(pCreate->pControl->GetID());
        return 0;
    }
    return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

TEST(MenuConversion, TheSiteMayRenameAnItemAndSeesEveryControl)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = RewritingSiteProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LorvaneRewritingSite";
    ::RegisterClassW(&wc);
    HWND hSite =
        ::CreateWindowW(wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(hSite, nullptr);
    std::vector<int> after;
    ::SendMessageW(hSite, WM_USER, 0, reinterpret_cast<LPARAM>(&after));
    CWnd site;
    site.Attach(hSite);

    BarHolder bar;
    bar.pBar->SetSiteWindow(&site);
    CMenu menu;
    menu.CreatePopupMenu();
    AppendItem(menu.GetSafeHmenu(), 200, L"Original");
    AppendItem(menu.GetSafeHmenu(), 201, L"Kept");
    bar.pBar->LoadMenu(&menu, TRUE);

    ASSERT_EQ(bar.pBar->GetControlCount(), 2);
    EXPECT_EQ(bar.pBar->GetControl(0)->GetID(), 250);
    EXPECT_EQ(Text(bar.pBar->GetControl(0)->GetCaption()), L"Renamed");
    EXPECT_EQ(Text(bar.pBar->GetControl(1)->GetCaption()), L"Kept");
    EXPECT_EQ(after, (std::vector<int>{250, 201}));

    ::SendMessageW(hSite, WM_USER, 0, 0);
    site.Detach();
    ::DestroyWindow(hSite);
}

// ---- captions and prompts -------------------------------------------------------------

// The bar's window: a visible child of a hidden pop-up, so that the idle
// update runs and consumes the bar's layout bit.
struct BarWindow
{
    CWnd parent;
    BarHolder bar;

    BarWindow()
    {
        parent.CreateEx(0, AfxRegisterWndClass(0), L"Parent", WS_POPUP, CRect(0, 0, 400, 200), nullptr, 0);
        bar.pBar->CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), L"Bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 30),
                           &parent, 1);
    }
    ~BarWindow()
    {
        if (bar.pBar->GetSafeHwnd())
            bar.pBar->DestroyWindow();
        parent.DestroyWindow();
    }
};

TEST(ControlCaption, ATabSplitsOffTheShortcutAndTheSameCaptionChangesNothing)
{
    BarWindow window;
    ASSERT_NE(window.bar.pBar->GetSafeHwnd(), nullptr);
    CLVKControl* pControl = window.bar.Controls()->Add(kControlButton, 0);
    ASSERT_NE(pControl, nullptr);
    window.bar.pBar->OnIdleUpdateCmdUI();
    EXPECT_FALSE(window.bar.pBar->GetState() & kBarStateLayout);

    pControl->SetCaption(L"&Open\tCtrl+O");
    EXPECT_EQ(Text(pControl->GetCaption()), L"&Open");
    EXPECT_EQ(Text(pControl->GetShortcutTextAuto()), L"Ctrl+O");
    EXPECT_EQ(Text(pControl->GetShortcutText()), L"Ctrl+O");
    EXPECT_TRUE(window.bar.pBar->GetState() & kBarStateLayout);

    window.bar.pBar->OnIdleUpdateCmdUI();
    pControl->SetCaption(L"&Open\tCtrl+O");
    EXPECT_FALSE(window.bar.pBar->GetState() & kBarStateLayout);

    // Only the shortcut changing still needs a new layout.
    pControl->SetCaption(L"&Open\tCtrl+Shift+O");
    EXPECT_TRUE(window.bar.pBar->GetState() & kBarStateLayout);
    EXPECT_EQ(Text(pControl->GetShortcutTextAuto()), L"Ctrl+Shift+O");

    // An explicit shortcut text wins over the automatic one.
    pControl->SetShortcutText(L"F3");
    EXPECT_EQ(Text(pControl->GetShortcutText()), L"F3");
}

struct PromptCase
{
    const char* name;
    const wchar_t* prompt;
    const wchar_t* presetCaption;
    const wchar_t* description;
    const wchar_t* tooltip;
    const wchar_t* caption;
    const wchar_t* keyTip;
};

class ControlPrompt : public ::testing::TestWithParam<PromptCase>
{
};

TEST_P(ControlPrompt, SplitsIntoDescriptionTooltipCaptionAndKeyTip)
{
    const PromptCase& c = GetParam();
    CLVKControlButton control;
    if (c.presetCaption)
        control.SetCaption(c.presetCaption);
    control.ApplyPromptString(c.prompt);
    EXPECT_EQ(Text(control.GetDescription()), c.description);
    EXPECT_EQ(Text(control.GetTooltip()), c.tooltip);
    EXPECT_EQ(Text(control.GetCaption()), c.caption);
    EXPECT_EQ(Text(control.GetKeyboardTip()), c.keyTip);
}

INSTANTIATE_TEST_SUITE_P(Parts, ControlPrompt,
                         ::testing::Values(PromptCase{"OnePartIsBothTexts", L"Opens a file", nullptr, L"Opens a file",
                                                      L"Opens a file", L"Opens a file", L""},
                                           PromptCase{"TwoPartsCaptionFromTooltip", L"Opens a file\nOpen", nullptr,
                                                      L"Opens a file", L"Open", L"Open", L""},
                                           PromptCase{"FourParts", L"Opens a file\nOpen\n&Open...\nO", nullptr,
                                                      L"Opens a file", L"Open", L"&Open...", L"O"},
                                           PromptCase{"AnEmptyThirdPartFallsBackToTheTooltip", L"Saves\nSave\n\nS",
                                                      nullptr, L"Saves", L"Save", L"Save", L"S"},
                                           PromptCase{"AnExistingCaptionIsKept", L"Opens a file\nOpen\n&Open...",
                                                      L"Mine", L"Opens a file", L"Open", L"Mine", L""},
                                           PromptCase{"EmptyPromptChangesNothing", L"", L"Mine", L"", L"", L"Mine",
                                                      L""}),
                         [](const ::testing::TestParamInfo<PromptCase>& info) { return std::string(info.param.name); });

// ---- keyboard-navigation order --------------------------------------------------------

struct NextIndexCase
{
    const char* name;
    const char* layout;  // one letter per control: v visible, h hidden, s skipped, r rarely used
    int nStart;
    int nDirection;
    BOOL bRarelyUsedHidden;
    int nExpected;
};

class NavigationOrder : public ::testing::TestWithParam<NextIndexCase>
{
};

TEST_P(NavigationOrder, FindsTheNextSelectableControl)
{
    const NextIndexCase& c = GetParam();
    CLVKControls controls;
    for (const char* p = c.layout; *p; p++)
    {
        CLVKControl* pControl = controls.Add(kControlButton, 0);
        if (*p == 'h')
            pControl->SetHideFlags(kHideByProgram);
        if (*p == 's')
            pControl->SetFlags(kFlagSkipNavigation);
        if (*p == 'r')
            pControl->SetHideFlags(kHideRarelyUsed);
    }
    EXPECT_EQ(controls.GetNextIndex(c.nStart, c.nDirection, TRUE, FALSE, c.bRarelyUsedHidden), c.nExpected);
}

INSTANTIATE_TEST_SUITE_P(Cases, NavigationOrder,
                         ::testing::Values(NextIndexCase{"FromNothingForwards", "hvv", -1, +1, TRUE, 1},
                                           NextIndexCase{"FromNothingBackwards", "vvh", -1, -1, TRUE, 1},
                                           NextIndexCase{"SkipsHiddenAndSkipped", "vhsv", 0, +1, TRUE, 3},
                                           NextIndexCase{"WrapsPastTheEnd", "vvh", 1, +1, TRUE, 0},
                                           NextIndexCase{"WrapsPastTheStart", "hvv", 1, -1, TRUE, 2},
                                           NextIndexCase{"TheOnlySelectableControlIsTheStart", "hvh", 1, +1, TRUE, 1},
                                           NextIndexCase{"NothingSelectable", "hsh", -1, +1, TRUE, -1},
                                           NextIndexCase{"EmptyCollection", "", -1, +1, TRUE, -1},
                                           NextIndexCase{"RarelyUsedCountsAsHidden", "vrv", 0, +1, TRUE, 2},
                                           NextIndexCase{"RarelyUsedCountsAsShown", "vrv", 0, +1, FALSE, 1}),
                         [](const ::testing::TestParamInfo<NextIndexCase>& info)
                         { return std::string(info.param.name); });

// ---- collection bookkeeping -----------------------------------------------------------

TEST(ControlCollection, IndexesFollowInsertionAndRemoval)
{
    BarHolder bar;
    CLVKControls* pControls = bar.Controls();
    CLVKControl* pA = pControls->Add(kControlButton, 1);
    CLVKControl* pC = pControls->Add(kControlButton, 3);
    CLVKControl* pB = pControls->Add(kControlButton, 2, nullptr, 1);
    ASSERT_TRUE(pA && pB && pC);
    EXPECT_EQ(pB->GetIndex(), 1);
    EXPECT_EQ(pC->GetIndex(), 2);
    EXPECT_EQ(pC->GetControls(), pControls);

    // Removing the first control leaves the next one's group start alone.
    pB->SetBeginGroup(TRUE);
    pControls->Remove(pA);
    EXPECT_EQ(pB->GetIndex(), 0);
    EXPECT_TRUE(pB->GetBeginGroup());
    EXPECT_EQ(pControls->FindControlById(1), nullptr);

    // A control of another collection is not removed.
    CLVKControls other;
    CLVKControl* pForeign = other.Add(kControlButton, 9);
    pControls->Remove(pForeign);
    EXPECT_EQ(other.GetCount(), 1);
    EXPECT_EQ(pControls->GetCount(), 2);

    EXPECT_EQ(pControls->Add(0, 1), nullptr);
    EXPECT_EQ(pControls->Add(12, 1), nullptr);
}

TEST(ControlCollection, SnapshotsTellAChangeAndSkipTemporaryControls)
{
    CLVKControls controls;
    controls.Add(kControlButton, 1);
    controls.Add(kControlButton, 2);
    EXPECT_TRUE(controls.IsChanged());  // no snapshot yet
    controls.CreateOriginalControls();
    EXPECT_FALSE(controls.IsChanged());

    controls.Add(kControlButton, 3, nullptr, -1, TRUE);  // temporary: not compared
    EXPECT_FALSE(controls.IsChanged());

    controls.GetAt(1)->SetHideFlags(kHideOverflow);  // layout flags do not count
    EXPECT_FALSE(controls.IsChanged());
    controls.GetAt(1)->SetHideFlags(kHideByUser);  // the user's do
    EXPECT_TRUE(controls.IsChanged());
}

TEST(ControlCollection, ChangingTheTypeKeepsTheControlsSettings)
{
    CLVKControls controls;
    CLVKControl* pButton = controls.Add(kControlButton, 7);
    pButton->SetCaption(L"Seven");
    pButton->SetBeginGroup(TRUE);
    CLVKControl* pPopup = controls.SetControlType(0, kControlPopup);
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(controls.GetCount(), 1);
    EXPECT_EQ(pPopup->GetType(), kControlPopup);
    EXPECT_EQ(pPopup->GetID(), 7);
    EXPECT_EQ(Text(pPopup->GetCaption()), L"Seven");
    EXPECT_TRUE(pPopup->GetBeginGroup());

    // Between the popup kinds only the type changes.
    EXPECT_EQ(controls.SetControlType(0, kControlSplitButton), pPopup);
    EXPECT_EQ(pPopup->GetType(), kControlSplitButton);
}

TEST(ControlCollection, RecursiveCopiesCloneThePopupBarsPlainCopiesShareThem)
{
    CLVKControls source;
    CLVKControl* pPopup = source.Add(kControlPopup, 0);
    pPopup->GetCommandBar()->GetControls()->Add(kControlButton, 42);

    CLVKControls shallow;
    shallow.Copy(&source, FALSE);
    CLVKControls deep;
    deep.Copy(&source, TRUE);
    ASSERT_EQ(shallow.GetCount(), 1);
    ASSERT_EQ(deep.GetCount(), 1);
    EXPECT_EQ(shallow.GetAt(0)->GetCommandBar(), pPopup->GetCommandBar());
    EXPECT_NE(deep.GetAt(0)->GetCommandBar(), pPopup->GetCommandBar());
    EXPECT_EQ(deep.GetAt(0)->GetCommandBar()->GetControl(0)->GetID(), 42);
    EXPECT_TRUE(deep.IsEqualTo(&source));
}

// ---- actions --------------------------------------------------------------------------

class CCountingButton : public CLVKControlButton
{
public:
    void OnCaptionChanged() override { m_nCaptionChanges++; }
    int m_nCaptionChanges = 0;
};

TEST(ControlActions, IdsOutsideTheRangeAreNeverFoundAndTheListStaysSorted)
{
    CLVKControlActions actions;
    for (int nId : {0, -5, 0xFFFFFFF})
    {
        EXPECT_EQ(actions.Add(nId), nullptr) << nId;
        EXPECT_EQ(actions.FindAction(nId), nullptr) << nId;
    }
    CLVKControlAction* p30 = actions.Add(30);
    actions.Add(10);
    actions.Add(20);
    EXPECT_EQ(actions.Add(30), p30);
    ASSERT_EQ(actions.GetCount(), 3);
    EXPECT_EQ(actions.GetAt(0)->GetId(), 10);
    EXPECT_EQ(actions.GetAt(1)->GetId(), 20);
    EXPECT_EQ(actions.GetAt(2)->GetId(), 30);
    EXPECT_EQ(actions.FindAction(20), actions.GetAt(1));
    EXPECT_EQ(actions.FindAction(25), nullptr);
}

TEST(ControlActions, CaptionIsCutAtTheTabAndTheSameCaptionNotifiesOnce)
{
    CLVKControlActions actions;
    CLVKControlAction* pAction = actions.Add(100);
    CCountingButton* pButton = new CCountingButton;
    CLVKControls controls;
    controls.InsertControl(pButton, -1);
    pButton->SetAction(pAction);

    pAction->SetCaption(L"Open\tCtrl+O");
    pAction->SetCaption(L"Open");
    EXPECT_EQ(Text(pAction->GetCaption()), L"Open");
    EXPECT_EQ(pButton->m_nCaptionChanges, 1);
    EXPECT_EQ(Text(pButton->GetCaption()), L"Open");
}

TEST(ControlActions, BindingResetsTheControlAndUnbindingLeavesItPlain)
{
    CLVKControlActions actions;
    CLVKControlAction* pAction = actions.Add(100);
    pAction->SetCaption(L"Action caption");
    pAction->SetTooltip(L"Action tip");
    pAction->SetChecked(1);

    CLVKControls controls;
    CLVKControl* pControl = controls.Add(kControlButton, 5);
    pControl->SetCaption(L"Own");
    pControl->SetTooltip(L"Own tip");
    pControl->SetChecked(0);

    pControl->SetAction(pAction);
    pControl->SetAction(pAction);  // bound once
    EXPECT_EQ(pAction->GetControlCount(), 1);
    EXPECT_EQ(pControl->GetID(), 100);
    EXPECT_EQ(pControl->GetEnabledValue(), -1);
    EXPECT_EQ(pControl->GetCheckedValue(), -1);
    EXPECT_EQ(pControl->GetChecked(), 1);
    EXPECT_EQ(Text(pControl->GetCaption()), L"Action caption");
    EXPECT_EQ(Text(pControl->GetTooltip()), L"Action tip");

    pControl->SetAction(nullptr);
    EXPECT_EQ(pAction->GetControlCount(), 0);
    EXPECT_EQ(pControl->GetEnabledValue(), 1);
    EXPECT_EQ(pControl->GetCheckedValue(), 0);
    EXPECT_EQ(Text(pControl->GetCaption()), L"");
    EXPECT_EQ(Text(pControl->GetTooltip()), L"");

    // Hidden actions hide their controls; customize mode enables every action.
    pControl->SetAction(pAction);
    pAction->SetVisible(FALSE);
    EXPECT_FALSE(pControl->IsVisible());
    pAction->SetEnabled(FALSE);
    EXPECT_FALSE(pControl->IsEnabled());
    actions.SetCustomizeMode(TRUE);
    EXPECT_TRUE(pControl->IsEnabled());
}

TEST(ControlActions, PromptFillsTheTextsAndAnEmptyCaptionShowsTheTooltip)
{
    CLVKControlActions actions;
    CLVKControlAction* pAction = actions.Add(100);
    pAction->SetPrompt(L"Opens an existing file\nOpen");
    EXPECT_EQ(Text(pAction->GetDescription()), L"Opens an existing file");
    EXPECT_EQ(Text(pAction->GetTooltip()), L"Open");
    EXPECT_EQ(Text(pAction->GetCaption()), L"");

    CLVKControls controls;
    CLVKControl* pControl = controls.Add(kControlButton, 0);
    pControl->SetAction(pAction);
    EXPECT_EQ(Text(pControl->GetCaption()), L"Open");
    EXPECT_EQ(Text(pControl->GetDescription()), L"Opens an existing file");
}

TEST(ControlActions, RemoveAllUnbindsEveryControl)
{
    CLVKControls controls;
    CLVKControl* pFirst = controls.Add(kControlButton, 0);
    CLVKControl* pSecond = controls.Add(kControlButton, 0);
    {
        CLVKControlActions actions;
        CLVKControlAction* pAction = actions.Add(7);
        pFirst->SetAction(pAction);
        pSecond->SetAction(pAction);
        actions.RemoveAll();
        EXPECT_EQ(actions.GetCount(), 0);
    }
    EXPECT_EQ(pFirst->GetAction(), nullptr);
    EXPECT_EQ(pSecond->GetAction(), nullptr);
    EXPECT_EQ(pFirst->GetID(), 7);
}

TEST(ControlActions, RemovingABoundControlUnbindsIt)
{
    CLVKControlActions actions;
    CLVKControlAction* pAction = actions.Add(7);
    {
        CLVKControls controls;
        controls.Add(kControlButton, 0)->SetAction(pAction);
        EXPECT_EQ(pAction->GetControlCount(), 1);
    }
    EXPECT_EQ(pAction->GetControlCount(), 0);
}

// A manager shares one action per command id among the controls it makes,
// once it keeps actions; the toolkit's own ids and the list controls never
// get one, except that a menu item may.
TEST(ControlActions, TheManagersControlsShareOneActionPerIdOnceActionsAreKept)
{
    CLVKCommandBars* pBars = new CLVKCommandBars;
    {
        CLVKControls controls;
        controls.SetCommandBars(pBars);

        CLVKControl* pPlain = controls.Add(kControlButton, 100);
        EXPECT_EQ(pPlain->GetAction(), nullptr) << "actions are off after construction";
        EXPECT_EQ(pPlain->GetID(), 100);
        EXPECT_EQ(pBars->GetActions()->GetCount(), 0);

        pBars->EnableActions(TRUE);
        CLVKControl* pFirst = controls.Add(kControlButton, 100);
        CLVKControl* pSecond = controls.Add(kControlPopup, 100);
        ASSERT_NE(pFirst->GetAction(), nullptr);
        EXPECT_EQ(pFirst->GetAction(), pSecond->GetAction());
        EXPECT_EQ(pFirst->GetAction()->GetControlCount(), 2);

        // Reserved ids stay plain even when the manager has an action of them.
        pBars->CreateAction(9122);
        for (int nId : {9122, 9150, 35000, 35003, 0})
        {
            CLVKControl* pControl = controls.Add(kControlButton, nId);
            EXPECT_EQ(pControl->GetAction(), nullptr) << nId;
            EXPECT_EQ(pControl->GetID(), nId);
        }

        // A menu item takes the action of its id even for a reserved id, and
        // an action without a caption takes the item's text.
        pBars->CreateAction(200)->SetCaption(L"Kept");
        CMenu menu;
        menu.CreatePopupMenu();
        AppendItem(menu.GetSafeHmenu(), 9122, L"&Reset\tCtrl+R");
        AppendItem(menu.GetSafeHmenu(), 200, L"Item text");
        AppendItem(menu.GetSafeHmenu(), 201, L"&Fresh");
        BarHolder bar;
        bar.pBar->SetCommandBars(pBars);
        bar.pBar->LoadMenu(&menu, TRUE);
        ASSERT_EQ(bar.Controls()->GetCount(), 3);
        CLVKControl* pReset = bar.Controls()->GetAt(0);
        ASSERT_NE(pReset->GetAction(), nullptr);
        EXPECT_EQ(pReset->GetAction(), pBars->FindAction(9122));
        EXPECT_EQ(Text(pReset->GetCaption()), L"&Reset");
        EXPECT_EQ(Text(bar.Controls()->GetAt(1)->GetCaption()), L"Kept");
        EXPECT_EQ(Text(bar.Controls()->GetAt(2)->GetCaption()), L"&Fresh");
        EXPECT_EQ(bar.Controls()->GetAt(2)->GetAction(), pBars->FindAction(201));
        bar.Controls()->RemoveAll();
    }
    pBars->InternalRelease();
}

}  // namespace
