// The tool bar's own behaviour: the expand button and its menu, "Add or
// Remove Buttons", resetting to the original controls, the caption buttons
// of a floating bar (the close button removes a torn-off bar from inside its
// own click), the frame's floating-status messages and the tool-bars menu.
#include "Framework.h"

#include "CommandBars/CommandBars.h"
#include "CommandBars/CommandBarsOptions.h"
#include "CommandBars/Control.h"
#include "CommandBars/Controls.h"
#include "CommandBars/DockBar.h"
#include "CommandBars/PaintManager.h"
#include "CommandBars/PopupBar.h"
#include "CommandBars/ToolBar.h"
#include "DockTestSupport.h"
#include "Foundation/DpiScaling.h"
#include "FrameIds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

CLVKControl* FindById(CLVKCommandBar* pBar, int nId)
{
    return pBar->GetControls()->FindControl(0, nId);
}

// The bar's own controls, without its system buttons.
std::vector<CLVKControl*> Own(CLVKCommandBar* pBar)
{
    std::vector<CLVKControl*> controls;
    for (int i = 0; i < pBar->GetControlCount(); i++)
    {
        if (!pBar->GetControl(i)->IsTemporary())
            controls.push_back(pBar->GetControl(i));
    }
    return controls;
}

int CountHidden(CLVKCommandBar* pBar, DWORD dwFlag)
{
    int n = 0;
    for (int i = 0; i < pBar->GetControlCount(); i++)
        n += (pBar->GetControl(i)->GetHideFlags() & dwFlag) ? 1 : 0;
    return n;
}

// Clicks at a point of the bar's client area the way the mouse does: the
// press, then the release that the click loop waits for.
void Click(CLVKCommandBar* pBar, CPoint pt)
{
    pBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    DrainDockMessages();
}

// Answers the next message box of this thread with a button.
int g_nMessageBoxAnswer = IDCANCEL;
int g_nMessageBoxes = 0;
std::wstring g_strMessageBoxText;

BOOL CALLBACK AnswerMessageBox(HWND hWnd, LPARAM)
{
    wchar_t szClass[32] = {};
    ::GetClassNameW(hWnd, szClass, 32);
    if (std::wstring(szClass) != L"#32770" || !::IsWindowVisible(hWnd))
        return TRUE;
    wchar_t szText[512] = {};
    ::GetDlgItemTextW(hWnd, 0xFFFF, szText, 512);
    g_strMessageBoxText = szText;
    g_nMessageBoxes++;
    ::PostMessageW(hWnd, WM_COMMAND, static_cast<WPARAM>(g_nMessageBoxAnswer), 0);
    return FALSE;
}

void CALLBACK AnswerMessageBoxTimer(HWND, UINT, UINT_PTR, DWORD)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), AnswerMessageBox, 0);
}

}  // namespace

// ---- the expand button -----------------------------------------------------------------

TEST(ToolBarExpandButton, ItShowsAlwaysOrWhenControlsDoNotFit)
{
    struct Case
    {
        const char* name;
        BOOL bAlways;
        int nClientWidth;
        BOOL bShown;
        BOOL bMarked;  // some control is hidden because it did not fit
    };
    const Case cases[] = {
        {"AlwaysWithRoom", TRUE, 600, TRUE, FALSE},
        {"AlwaysTooShort", TRUE, 70, TRUE, TRUE},
        {"OnDemandWithRoom", FALSE, 600, FALSE, FALSE},
        {"OnDemandTooShort", FALSE, 70, TRUE, TRUE},
    };
    for (const Case& c : cases)
    {
        DockFixture f;
        f.pBars->GetCommandBarsOptions()->bShowExpandButtonAlways = c.bAlways;
        CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 6);
        f.SetClientWidth(c.nClientWidth);
        CLVKToolBar::CControlButtonExpand* pExpand =
            dynamic_cast<CLVKToolBar::CControlButtonExpand*>(FindById(pBar, kIdToolBarOptions));
        ASSERT_NE(pExpand, nullptr) << c.name;
        EXPECT_TRUE(pExpand->IsTemporary()) << c.name;
        EXPECT_FALSE(pExpand->IsCustomizable()) << c.name;
        EXPECT_EQ(pExpand->IsVisible() != 0, c.bShown != 0) << c.name;
        EXPECT_EQ(pExpand->HasHiddenControls() != 0, c.bMarked != 0) << c.name;
        EXPECT_EQ(CountHidden(pBar, kHideOverflow) > 0, c.bMarked != 0) << c.name;
        if (!c.bShown)
            continue;
        // At the end of the bar, after the last control shown.
        CRect rcClient;
        pBar->GetClientRect(&rcClient);
        CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
        EXPECT_EQ(pExpand->GetRect().right, rcClient.right - pDpi->ScaleX(2)) << c.name;
        for (int i = 0; i < pBar->GetControlCount(); i++)
        {
            CLVKControl* pControl = pBar->GetControl(i);
            if (pControl != pExpand && pControl->IsVisible())
                EXPECT_LE(pControl->GetRect().right, pExpand->GetRect().left) << c.name << " " << i;
        }
    }
}

TEST(ToolBarExpandButton, ItsMenuHoldsTheHiddenControlsThenAddOrRemoveButtons)
{
    DockFixture f;
    CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 6);
    f.SetClientWidth(90);
    const int nHidden = CountHidden(pBar, kHideOverflow);
    ASSERT_GT(nHidden, 0);
    CLVKControl* pExpand = FindById(pBar, kIdToolBarOptions);
    ASSERT_NE(pExpand, nullptr);

    pBar->SetPopupedIndex(pExpand->GetIndex(), 2);
    CLVKCommandBar* pMenu = pExpand->GetCommandBar();
    ASSERT_NE(pMenu, nullptr);
    EXPECT_TRUE(pExpand->IsPopupOpen());
    EXPECT_EQ(f.frame.m_nExpandRequests, 1);
    EXPECT_FALSE(pMenu->IsCustomizable());
    // A popup tool bar: the hidden buttons stand in rows, not as menu items.
    EXPECT_TRUE(pMenu->IsKindOf(RUNTIME_CLASS(CLVKPopupToolBar)));
    EXPECT_EQ(pMenu->GetType(), kBarTypeToolBar);
    // The hidden controls, in bar order, shown; then the entry list.
    ASSERT_EQ(pMenu->GetControlCount(), nHidden + 1);
    int nClone = 0;
    for (int i = 0; i < pBar->GetControlCount(); i++)
    {
        if (pBar->GetControl(i)->GetHideFlags() != kHideOverflow)
            continue;
        EXPECT_EQ(pMenu->GetControl(nClone)->GetID(), pBar->GetControl(i)->GetID());
        EXPECT_EQ(pMenu->GetControl(nClone)->GetHideFlags(), 0u);
        nClone++;
    }
    CLVKControl* pAddRemove = pMenu->GetControl(nHidden);
    EXPECT_EQ(pAddRemove->GetID(), kIdCustomizeAddRemove);
    EXPECT_EQ(pAddRemove->GetType(), kControlPopup);
    EXPECT_TRUE(pAddRemove->GetBeginGroup());
    // One entry for the bar's row, its buttons listed, then the customize command.
    CLVKCommandBar* pEntries = pAddRemove->GetCommandBar();
    ASSERT_NE(pEntries, nullptr);
    ASSERT_EQ(pEntries->GetControlCount(), 2);
    EXPECT_EQ(std::wstring(pEntries->GetControl(0)->GetCaption()), L"Standard");
    EXPECT_TRUE(pEntries->GetControl(0)->IsEnabled());
    ASSERT_NE(pEntries->GetControl(0)->GetCommandBar(), nullptr);
    // Six buttons and "Reset Toolbar".
    EXPECT_EQ(pEntries->GetControl(0)->GetCommandBar()->GetControlCount(), 7);
    EXPECT_TRUE(pEntries->GetControl(0)->GetCommandBar()->IsDoubleGripper());
    EXPECT_EQ(pEntries->GetControl(1)->GetID(), static_cast<int>(CLVKCommandBars::kIdCustomize));
    EXPECT_TRUE(pEntries->GetControl(1)->GetBeginGroup());

    pBar->EndTracking();
    EXPECT_FALSE(pExpand->IsPopupOpen());
}

TEST(ToolBarExpandButton, WithoutCustomisationTheEntriesAreDisabledAndTheCommandIsMissing)
{
    DockFixture f(FALSE);
    CLVKToolBar* pBar = f.AddBar(L"A&B", 120, 3);
    CLVKPopupBar* pPopup = CLVKPopupBar::CreatePopupBar(f.pBars);
    f.pBars->AddToolBarEntriesToPopup(pBar, pPopup);
    ASSERT_EQ(pPopup->GetControlCount(), 1);
    EXPECT_FALSE(pPopup->GetControl(0)->IsEnabled());
    EXPECT_EQ(std::wstring(pPopup->GetControl(0)->GetCaption()), L"A&&B");
    EXPECT_EQ(pPopup->GetControl(0)->GetCommandBar()->GetControlCount(), 0);
    pPopup->InternalRelease();
}

// ---- "Add or Remove Buttons" and reset --------------------------------------------------

TEST(ToolBarCustomizeList, ListsTheOriginalsAndTogglesTheirButtons)
{
    DockFixture f;
    CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 4);
    // The user removed the second original and added a button of their own.
    pBar->GetControls()->Remove(FindById(pBar, 0xE131));
    pBar->GetControls()->Add(kControlButton, 0xE1F0);
    EXPECT_TRUE(pBar->IsModifiedFromOriginal());

    CLVKPopupBar* pList = CLVKPopupBar::CreatePopupBar(f.pBars);
    pBar->BuildCustomizeList(pList);
    // The removed original is back in its place, hidden by the user.
    std::vector<CLVKControl*> own = Own(pBar);
    ASSERT_EQ(own.size(), 5u);
    EXPECT_EQ(own[1]->GetID(), 0xE131);
    EXPECT_EQ(own[1]->GetHideFlags(), kHideByUser);

    struct Item
    {
        int nId;
        BOOL bChecked;
        BOOL bEnabled;
    };
    const Item items[] = {
        {0xE130, TRUE, TRUE}, {0xE131, FALSE, TRUE}, {0xE132, TRUE, TRUE}, {0xE133, TRUE, TRUE}, {0xE1F0, TRUE, FALSE},
    };
    ASSERT_EQ(pList->GetControlCount(), 6);
    for (int i = 0; i < 5; i++)
    {
        CLVKControl* pItem = pList->GetControl(i);
        EXPECT_EQ(pItem->GetIconId(), items[i].nId) << i;
        EXPECT_EQ(pItem->GetChecked() != 0, items[i].bChecked != 0) << i;
        EXPECT_EQ(pItem->IsEnabled() != 0, items[i].bEnabled != 0) << i;
    }
    CLVKControl* pReset = pList->GetControl(5);
    EXPECT_EQ(pReset->GetID(), kIdCustomizeReset);
    EXPECT_TRUE(pReset->GetBeginGroup());

    // Checking the removed button shows it where it was; unchecking hides it.
    f.pBars->GetCommandBarsOptions()->bDirty = FALSE;
    pList->GetControl(1)->Execute();
    EXPECT_EQ(own[1]->GetHideFlags(), 0u);
    EXPECT_EQ(pList->GetControl(1)->GetChecked(), 1);
    EXPECT_TRUE(f.pBars->GetCommandBarsOptions()->bDirty);
    f.frame.RecalcLayout();
    EXPECT_LT(own[0]->GetRect().right, own[1]->GetRect().right);
    EXPECT_LE(own[1]->GetRect().right, own[2]->GetRect().left);
    pList->GetControl(3)->Execute();
    EXPECT_EQ(own[3]->GetHideFlags(), kHideByUser);
    EXPECT_EQ(pList->GetControl(3)->GetChecked(), 0);
    pList->InternalRelease();

    // A torn-off bar cannot be reset, so its list has no reset item.
    CLVKToolBar* pTornOff = f.AddBar(L"Torn", 121, 2, TRUE);
    CLVKPopupBar* pTornList = CLVKPopupBar::CreatePopupBar(f.pBars);
    pTornOff->BuildCustomizeList(pTornList);
    EXPECT_EQ(pTornList->GetControlCount(), 2);
    pTornList->InternalRelease();
}

TEST(ToolBarReset, TheQuestionDecidesAndTheOriginalsComeBack)
{
    struct Case
    {
        const char* name;
        BOOL bConfirm;
        int nAnswer;
        BOOL bReset;
    };
    const Case cases[] = {
        {"CancelKeepsTheChanges", TRUE, IDCANCEL, FALSE},
        {"OkResets", TRUE, IDOK, TRUE},
        {"WithoutQuestion", FALSE, IDCANCEL, TRUE},
    };
    for (const Case& c : cases)
    {
        DockFixture f;
        CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 3);
        pBar->GetControls()->Remove(FindById(pBar, 0xE130));
        FindById(pBar, 0xE131)->SetBeginGroup(TRUE);
        ASSERT_TRUE(pBar->IsModifiedFromOriginal());

        g_nMessageBoxAnswer = c.nAnswer;
        g_nMessageBoxes = 0;
        g_strMessageBoxText.clear();
        const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 100, AnswerMessageBoxTimer);
        pBar->ResetToolBar(c.bConfirm);
        ::KillTimer(nullptr, nTimer);

        EXPECT_EQ(g_nMessageBoxes, c.bConfirm ? 1 : 0) << c.name;
        if (c.bConfirm)
            EXPECT_EQ(g_strMessageBoxText, L"Are you sure you want to reset the changes made to the 'Standard' toolbar?")
                << c.name;
        EXPECT_EQ(pBar->IsModifiedFromOriginal() == 0, c.bReset != 0) << c.name;
        const std::vector<CLVKControl*> own = Own(pBar);
        EXPECT_EQ(own.size(), c.bReset ? 3u : 2u) << c.name;
        EXPECT_EQ(f.frame.m_resets.size(), c.bReset ? 1u : 0u) << c.name;
        if (c.bReset)
        {
            EXPECT_EQ(f.frame.m_resets[0], pBar) << c.name;
            EXPECT_EQ(own[0]->GetID(), 0xE130) << c.name;
            EXPECT_FALSE(own[1]->GetBeginGroup()) << c.name;
        }
    }
}

// "Reset Toolbar" sits three menus deep below the expand button, and the
// reset removes that button with all its menus: the item's click must
// survive its own menus going away.
TEST(ToolBarReset, TheResetItemBelowTheExpandButtonResetsItsBar)
{
    DockFixture f;
    CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 6);
    pBar->GetControls()->Remove(FindById(pBar, 0xE130));
    f.SetClientWidth(90);
    CLVKControl* pExpand = FindById(pBar, kIdToolBarOptions);
    ASSERT_NE(pExpand, nullptr);
    pBar->SetPopupedIndex(pExpand->GetIndex(), 2);
    CLVKCommandBar* pMenu = pExpand->GetCommandBar();
    ASSERT_NE(pMenu, nullptr);
    CLVKControl* pAddRemove = pMenu->GetControl(pMenu->GetControlCount() - 1);
    ASSERT_EQ(pAddRemove->GetID(), kIdCustomizeAddRemove);
    pMenu->SetPopupedIndex(pAddRemove->GetIndex(), 2);
    CLVKCommandBar* pEntries = pAddRemove->GetCommandBar();
    ASSERT_TRUE(pEntries && pEntries->GetSafeHwnd());
    pEntries->SetPopupedIndex(0, 2);
    CLVKCommandBar* pList = pEntries->GetControl(0)->GetCommandBar();
    ASSERT_TRUE(pList && pList->GetSafeHwnd());
    CLVKControl* pReset = pList->GetControl(pList->GetControlCount() - 1);
    ASSERT_EQ(pReset->GetID(), kIdCustomizeReset);
    const HWND hMenu = pMenu->GetSafeHwnd();
    const HWND hList = pList->GetSafeHwnd();

    g_nMessageBoxAnswer = IDOK;
    g_nMessageBoxes = 0;
    const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 100, AnswerMessageBoxTimer);
    Click(pList, pReset->GetRect().CenterPoint());
    ::KillTimer(nullptr, nTimer);

    EXPECT_EQ(g_nMessageBoxes, 1);
    // The menus went with the old expand button.
    EXPECT_FALSE(::IsWindow(hMenu));
    EXPECT_FALSE(::IsWindow(hList));
    EXPECT_FALSE(pBar->IsModifiedFromOriginal());
    ASSERT_EQ(f.frame.m_resets.size(), 1u);
    EXPECT_EQ(f.frame.m_resets[0], pBar);
    // Laid out again, the bar has a new expand button of its own.
    f.frame.RecalcLayout();
    EXPECT_NE(FindById(pBar, kIdToolBarOptions), nullptr);
    EXPECT_EQ(Own(pBar).size(), 6u);
}

TEST(ToolBarReset, OnlyBuiltInBarsWithAnIdReset)
{
    DockFixture f;
    CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 3);
    pBar->GetControls()->Remove(FindById(pBar, 0xE130));
    pBar->SetBuiltIn(FALSE);
    pBar->ResetToolBar(FALSE);
    EXPECT_EQ(Own(pBar).size(), 2u);
    pBar->SetBuiltIn(TRUE);
    pBar->SetBarID(0);
    pBar->ResetToolBar(FALSE);
    EXPECT_EQ(Own(pBar).size(), 2u);
    EXPECT_TRUE(f.frame.m_resets.empty());
}

// ---- floating bars ---------------------------------------------------------------------

TEST(ToolBarFloating, TheCaptionHoldsTheCloseAndExpandButtons)
{
    DockFixture f;
    CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 4);
    ASSERT_TRUE(f.pBars->FloatCommandBar(pBar));
    pBar->RecalcLayout();
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    CClientDC dc(pBar);
    const int nCaption = pBar->GetPaintManager()->DrawCommandBarFrame(&dc, pBar, FALSE).cy;
    CLVKControl* pClose = FindById(pBar, kIdToolBarClose);
    CLVKControl* pExpand = FindById(pBar, kIdToolBarOptions);
    ASSERT_TRUE(pClose && pExpand);
    const CRect rcClose(rcClient.right - pDpi->ScaleX(3) - nCaption, pDpi->ScaleY(3), rcClient.right - pDpi->ScaleX(3),
                        pDpi->ScaleY(3) + nCaption);
    EXPECT_EQ(pClose->GetRect(), rcClose);
    EXPECT_TRUE(pClose->IsVisible());
    EXPECT_EQ(pExpand->GetRect(), CRect(rcClose.left - nCaption, rcClose.top, rcClose.left, rcClose.bottom));
    // The buttons stand below the caption.
    EXPECT_GE(FindById(pBar, 0xE130)->GetRect().top, pDpi->ScaleY(3) + nCaption + pDpi->ScaleY(1));

    // Docked again, the close button goes away.
    f.pBars->DockCommandBarAtSide(pBar, kBarTop);
    f.frame.RecalcLayout();
    EXPECT_FALSE(pClose->IsVisible());
}

TEST(ToolBarFloating, TheCloseButtonHidesABarAndRemovesATornOffOne)
{
    struct Case
    {
        const char* name;
        BOOL bTearOff;
    };
    const Case cases[] = {{"BuiltIn", FALSE}, {"TornOff", TRUE}};
    for (const Case& c : cases)
    {
        DockFixture f;
        CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 3, c.bTearOff);
        if (!c.bTearOff)
            f.pBars->FloatCommandBar(pBar);
        ASSERT_EQ(pBar->GetPosition(), kBarFloating);
        pBar->RecalcLayout();
        const HWND hBar = pBar->GetSafeHwnd();
        CLVKControl* pClose = FindById(pBar, kIdToolBarClose);
        ASSERT_NE(pClose, nullptr);
        // The bar's click handler holds the bar while the close button runs,
        // so removing a torn-off bar from inside its own click is safe.
        Click(pBar, pClose->GetRect().CenterPoint());
        if (c.bTearOff)
        {
            EXPECT_EQ(f.pBars->GetCount(), 0) << c.name;
            EXPECT_FALSE(::IsWindow(hBar)) << c.name;
        }
        else
        {
            EXPECT_EQ(f.pBars->GetCount(), 1) << c.name;
            EXPECT_FALSE(pBar->IsVisible()) << c.name;
            EXPECT_FALSE(::IsWindowVisible(hBar)) << c.name;
        }
        ASSERT_EQ(f.frame.m_visibility.size(), 1u) << c.name;
        EXPECT_FALSE(f.frame.m_visibility[0].second) << c.name;
    }
}

TEST(ToolBarFloating, FloatingBarsFollowTheFramesStatus)
{
    DockFixture f;
    CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 3);
    f.pBars->FloatCommandBar(pBar);
    EXPECT_EQ(pBar->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE), 1);
    pBar->SendMessage(WM_FLOATSTATUS, FS_DEACTIVATE);
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_TRUE(pBar->IsVisible()) << "the bar still means to be shown";
    pBar->SendMessage(WM_FLOATSTATUS, FS_SHOW);
    EXPECT_TRUE(pBar->IsWindowVisible());
    pBar->SendMessage(WM_FLOATSTATUS, FS_DISABLE);
    EXPECT_FALSE(pBar->IsWindowEnabled());
    pBar->SendMessage(WM_FLOATSTATUS, FS_ENABLE);
    EXPECT_TRUE(pBar->IsWindowEnabled());
    // Without synchronisation the bar stays.
    f.pBars->GetCommandBarsOptions()->bSyncFloatingBars = FALSE;
    pBar->SendMessage(WM_FLOATSTATUS, FS_DEACTIVATE);
    EXPECT_TRUE(pBar->IsWindowVisible());
    // A docked bar is the frame's child and ignores it.
    f.pBars->GetCommandBarsOptions()->bSyncFloatingBars = TRUE;
    f.pBars->DockCommandBarAtSide(pBar, kBarTop);
    pBar->SendMessage(WM_FLOATSTATUS, FS_DEACTIVATE);
    EXPECT_TRUE(pBar->IsWindowVisible());
}

// ---- the tool-bars menu ----------------------------------------------------------------

TEST(ToolBarsContextMenu, ListsTheClosableBarsAndFlipsThem)
{
    DockFixture f;
    CLVKToolBar* pFirst = f.AddBar(L"First", 120, 2);
    CLVKToolBar* pHidden = f.AddBar(L"Save && Load", 121, 2);
    CLVKToolBar* pFixed = f.AddBar(L"Fixed", 122, 2);
    pHidden->SetVisible(FALSE);
    pFixed->SetCloseable(FALSE);
    f.frame.m_visibility.clear();

    CLVKPopupBar* pMenu = f.pBars->CreateToolBarsContextMenu();
    ASSERT_EQ(pMenu->GetControlCount(), 3);
    EXPECT_EQ(std::wstring(pMenu->GetControl(0)->GetCaption()), L"First");
    EXPECT_EQ(pMenu->GetControl(0)->GetChecked(), 1);
    EXPECT_EQ(std::wstring(pMenu->GetControl(1)->GetCaption()), L"Save &&&& Load");
    EXPECT_EQ(pMenu->GetControl(1)->GetChecked(), 0);
    EXPECT_EQ(pMenu->GetControl(2)->GetID(), static_cast<int>(CLVKCommandBars::kIdCustomize));
    EXPECT_TRUE(pMenu->GetControl(2)->GetBeginGroup());

    pMenu->GetControl(1)->Execute();
    EXPECT_TRUE(pHidden->IsVisible());
    pMenu->GetControl(0)->Execute();
    EXPECT_FALSE(pFirst->IsVisible());
    ASSERT_EQ(f.frame.m_visibility.size(), 2u);
    EXPECT_EQ(f.frame.m_visibility[0], std::make_pair(static_cast<CLVKCommandBar*>(pHidden), TRUE));
    pMenu->InternalRelease();
}
