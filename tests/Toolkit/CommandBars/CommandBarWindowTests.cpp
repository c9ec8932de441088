// The command-bar window under its manager: icon sizes from the options,
// tooltips of the control under the pointer, status texts and help ids,
// command state of controls without a handler, document-template
// visibility, and where a customising drop lands.
#include "Framework.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/CommandBars.h"
#include "CommandBars/CommandBarsOptions.h"
#include "CommandBars/Control.h"
#include "CommandBars/Controls.h"
#include "CommandBars/MouseManager.h"
#include "CommandBars/PaintManager.h"
#include "CommandBars/PopupBar.h"
#include "CommandBars/ShortcutManager.h"
#include "CommandBars/ToolBar.h"
#include "DockTestSupport.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/ToolTipContext.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

const UINT kIdAccel = 7002;

std::string Show(const SIZE& s)
{
    return std::to_string(s.cx) + "x" + std::to_string(s.cy);
}

// The tooltip a bar answers at a point: its id and text ("" for none).
struct Tip
{
    INT_PTR nId = -1;
    std::wstring strText;
};

Tip TipAt(CLVKCommandBar* pBar, CPoint pt)
{
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V1_SIZE;
    Tip tip;
    tip.nId = pBar->OnToolHitTest(pt, &ti);
    if (ti.lpszText && ti.lpszText != LPSTR_TEXTCALLBACKW)
    {
        tip.strText = ti.lpszText;
        ::HeapFree(::GetProcessHeap(), 0, ti.lpszText);
    }
    return tip;
}

CLVKControl* FindByIdInBar(CLVKCommandBar* pBar, int nId)
{
    return pBar->GetControls()->FindControl(0, nId);
}

}  // namespace

TEST(CommandBarSizes, IconsFollowTheBarThenTheOptionsThenThePaintManager)
{
    DockFixture f;
    CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 1);
    CLVKCommandBarsOptions* pOptions = f.pBars->GetCommandBarsOptions();
    const CSize szSmall = pBar->GetPaintManager()->GetAutoIconSize(FALSE);
    const CSize szLarge = pBar->GetPaintManager()->GetAutoIconSize(TRUE);
    struct Case
    {
        const char* name;
        int nType;
        CSize szBarIcons, szBarButtons, szOptionIcons, szOptionLarge, szOptionPopup;
        BOOL bLargeIcons;
        CSize szExpected;
    };
    const CSize none(0, 0);
    const Case cases[] = {
        {"TheBarsOwn", kBarTypeToolBar, CSize(20, 20), none, CSize(24, 24), none, none, FALSE, CSize(20, 20)},
        {"TheOptions", kBarTypeToolBar, none, none, CSize(24, 24), none, none, FALSE, CSize(24, 24)},
        {"ThePaintManagersSmall", kBarTypeToolBar, none, none, none, none, none, FALSE, szSmall},
        {"LargeFromTheOptions", kBarTypeToolBar, none, none, CSize(24, 24), CSize(40, 40), none, TRUE, CSize(40, 40)},
        {"LargeFromThePaintManager", kBarTypeToolBar, none, none, none, none, none, TRUE, szLarge},
        {"ButtonSizeKeepsIconsSmall", kBarTypeToolBar, none, CSize(30, 30), none, CSize(40, 40), none, TRUE, szSmall},
        {"PopupIcons", kBarTypePopup, none, none, CSize(24, 24), none, CSize(18, 18), TRUE, CSize(18, 18)},
        {"PopupDefault", kBarTypePopup, none, none, CSize(24, 24), none, none, TRUE, szSmall},
    };
    for (const Case& c : cases)
    {
        pBar->SetType(c.nType);
        pBar->SetIconSize(c.szBarIcons);
        pBar->SetButtonSize(c.szBarButtons);
        pOptions->szIcons = c.szOptionIcons;
        pOptions->szLargeIcons = c.szOptionLarge;
        pOptions->szPopupIcons = c.szOptionPopup;
        pOptions->bLargeIcons = c.bLargeIcons;
        EXPECT_EQ(Show(pBar->GetIconSize()), Show(c.szExpected)) << c.name;
    }
    pBar->SetType(kBarTypeToolBar);
    pBar->SetButtonSize(none);
    pBar->SetIconSize(none);
    pOptions->bLargeIcons = FALSE;
    // Large icons: the default, else the options', else twice the normal size.
    pOptions->szIcons = CSize(20, 20);
    pOptions->szLargeIcons = none;
    EXPECT_EQ(Show(pBar->GetLargeIconSize(TRUE)), Show(szLarge));
    EXPECT_EQ(Show(pBar->GetLargeIconSize(FALSE)), "40x40");
    pOptions->szLargeIcons = CSize(36, 36);
    EXPECT_EQ(Show(pBar->GetLargeIconSize(FALSE)), "36x36");
    // Captions below icons: the bar's own choice, else the options'.
    pOptions->bShowTextBelowIcons = TRUE;
    EXPECT_TRUE(pBar->IsTextBelowIcons());
    pBar->SetShowTextBelowIcons(0);
    EXPECT_FALSE(pBar->IsTextBelowIcons());
}

TEST(CommandBarTips, TheControlUnderThePointerGivesItsTipWithItsShortcut)
{
    DockFixture f;
    f.pBars->GetShortcutManager()->LoadAccelerators(kIdAccel);
    CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 0);
    CLVKControl* pNew = pBar->GetControls()->Add(kControlButton, 0xE100);
    CLVKControl* pMarkup = pBar->GetControls()->Add(kControlButton, 0xE101);
    CLVKControl* pSilent = pBar->GetControls()->Add(kControlButton, 0xE102);
    pNew->SetTooltip(L"New");
    pMarkup->SetTooltip(L"<TextBlock>Open</TextBlock>");
    pSilent->SetTooltip(L"");
    f.frame.RecalcLayout();
    CLVKCommandBarsOptions* pOptions = f.pBars->GetCommandBarsOptions();
    const CPoint ptNew = pNew->GetRect().CenterPoint();

    struct Case
    {
        const char* name;
        BOOL bScreenTips, bAccelTips;
        CLVKControl* pControl;
        INT_PTR nId;
        const wchar_t* text;
    };
    const Case cases[] = {
        {"Plain", TRUE, FALSE, pNew, 0xE100, L"New"},
        {"WithShortcut", TRUE, TRUE, pNew, 0xE100, L"New (Ctrl+N)"},
        {"MarkupKeepsItsText", TRUE, TRUE, pMarkup, 0xE101, L"<TextBlock>Open</TextBlock>"},
        {"NoTextNoTip", TRUE, TRUE, pSilent, -1, L""},
        {"ScreenTipsOff", FALSE, TRUE, pNew, -1, L""},
    };
    for (const Case& c : cases)
    {
        pOptions->bToolBarScreenTips = c.bScreenTips;
        pOptions->bToolBarAccelTips = c.bAccelTips;
        const Tip tip = TipAt(pBar, c.pControl->GetRect().CenterPoint());
        EXPECT_EQ(tip.nId, c.nId) << c.name;
        EXPECT_EQ(tip.strText, c.text) << c.name;
    }
    pOptions->bToolBarScreenTips = TRUE;
    pOptions->bToolBarAccelTips = FALSE;

    // No tip while the menus hold the pointer or the bar has a popup open.
    CLVKMouseManager* pMouse = CLVKMouseManager::GetThreadManager();
    pMouse->m_nLock++;
    EXPECT_EQ(TipAt(pBar, ptNew).nId, -1);
    pMouse->m_nLock--;
    EXPECT_EQ(TipAt(pBar, ptNew).nId, 0xE100);

    // The bar shares the manager's tooltip context while its window lives.
    EXPECT_EQ(pBar->GetToolTipContext(), f.pBars->GetToolTipContext());
}

TEST(CommandBarTips, MenusShowTipsOnlyWhenAskedTo)
{
    DockFixture f;
    CLVKPopupBar* pPopup = CLVKPopupBar::CreatePopupBar(f.pBars);
    CLVKControl* pItem = pPopup->GetControls()->Add(kControlButton, 0xE100);
    pItem->SetTooltip(L"New");
    pItem->SetRect(CRect(0, 0, 50, 20));
    CLVKCommandBarsOptions* pOptions = f.pBars->GetCommandBarsOptions();
    EXPECT_EQ(TipAt(pPopup, CPoint(10, 10)).nId, -1);
    pItem->SetFlags(pItem->GetFlags() | kFlagTooltipInMenus);
    EXPECT_EQ(TipAt(pPopup, CPoint(10, 10)).strText, L"New");
    pItem->SetFlags(pItem->GetFlags() & ~kFlagTooltipInMenus);
    pOptions->bShowPopupBarToolTips = TRUE;
    EXPECT_EQ(TipAt(pPopup, CPoint(10, 10)).strText, L"New");
    pPopup->InternalRelease();
}

// ---- status line, help and command state -----------------------------------------------

class CStatusSite : public CDockSite
{
public:
    std::vector<std::wstring> m_texts;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETMESSAGESTRING && lParam)
            m_texts.push_back(reinterpret_cast<LPCWSTR>(lParam));
        else if (message == WM_POPMESSAGESTRING)
            m_texts.push_back(L"");
        return CDockSite::WindowProc(message, wParam, lParam);
    }
};

TEST(CommandBarStatusText, TheOptionsSwitchItAndTheManagerKeepsTheHelpId)
{
    DockFixture f;
    CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 0);
    CLVKControl* pControl = pBar->GetControls()->Add(kControlButton, 0xE100);
    pControl->SetDescription(L"Make a new one");
    pControl->SetHelpId(4711);
    CStatusSite site;
    site.Create(nullptr, L"Status", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100));
    // The manager's site receives the texts; pointing it at the recording site.
    f.pBars->SetSite(&site);
    site.m_texts.clear();

    pBar->OnControlSelected(1, pControl);
    EXPECT_EQ(f.pBars->m_nHotHelpId, 4711u);
    pBar->OnControlSelected(0, pControl);
    EXPECT_EQ(f.pBars->m_nHotHelpId, 0u);
    ASSERT_EQ(site.m_texts.size(), 2u);
    EXPECT_EQ(site.m_texts[0], L"Make a new one");
    EXPECT_EQ(site.m_texts[1], L"");

    f.pBars->GetCommandBarsOptions()->bShowStatusText = FALSE;
    pBar->OnControlSelected(1, pControl);
    EXPECT_EQ(site.m_texts.size(), 2u);
    f.pBars->SetSite(&f.frame);
    site.DestroyWindow();
}

TEST(CommandBarCommandState, CommandsWithoutAHandlerAreDisabledWhenTheOptionsSaySo)
{
    DockFixture f;
    CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 0);
    CLVKControl* pHandled = pBar->GetControls()->Add(kControlButton, 0xE100);
    CLVKControl* pOrphan = pBar->GetControls()->Add(kControlButton, 0xE300);
    f.frame.RecalcLayout();
    pBar->UpdateCommandUI();
    EXPECT_TRUE(pHandled->IsEnabled());
    EXPECT_FALSE(pOrphan->IsEnabled());
    f.pBars->GetCommandBarsOptions()->bDisableCommandIfNoHandler = FALSE;
    pOrphan->SetEnabled(TRUE);
    pBar->UpdateCommandUI();
    EXPECT_TRUE(pOrphan->IsEnabled());
}

namespace
{

class CTemplateBars : public CLVKCommandBars
{
public:
    UINT GetActiveMenuId() const override { return m_nMenuId; }
    UINT m_nMenuId = 0;
};

}  // namespace

TEST(CommandBarCommandState, DocumentTemplatesShowAndHideTheirControls)
{
    CTemplateBars* pBars = new CTemplateBars;
    CLVKCommandBar* pBar = new CLVKCommandBar;
    pBar->SetCommandBars(pBars);
    CLVKControl* pAssigned = pBar->GetControls()->Add(kControlButton, 0xE100);
    CLVKControl* pExcluded = pBar->GetControls()->Add(kControlButton, 0xE101);
    pAssigned->GetDocTemplatesAssigned().insert(5);
    pExcluded->GetDocTemplatesExcluded().insert(5);
    struct Case
    {
        UINT nMenuId;
        BOOL bAssignedShown, bExcludedShown;
    };
    const Case cases[] = {{7, FALSE, TRUE}, {5, TRUE, FALSE}};
    for (const Case& c : cases)
    {
        pBars->m_nMenuId = c.nMenuId;
        pBar->UpdateDocTemplateControls();
        EXPECT_EQ((pAssigned->GetHideFlags() & kHideDocTemplate) == 0, c.bAssignedShown != 0) << c.nMenuId;
        EXPECT_EQ((pExcluded->GetHideFlags() & kHideDocTemplate) == 0, c.bExcludedShown != 0) << c.nMenuId;
        EXPECT_TRUE(pBar->GetState() & kBarStateLayout);
    }
    pBar->InternalRelease();
    pBars->InternalRelease();
}

// ---- customising drops -----------------------------------------------------------------

TEST(CommandBarDrop, TheMarkerStandsBeforeOrAfterTheNearestControl)
{
    DockFixture f;
    CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 0);
    CLVKControl* pFirst = pBar->GetControls()->Add(kControlButton, 0xE100);
    CLVKControl* pSecond = pBar->GetControls()->Add(kControlButton, 0xE101);
    CLVKControl* pThird = pBar->GetControls()->Add(kControlButton, 0xE102);
    pThird->SetBeginGroup(TRUE);
    CLVKControl* pDragged = pBar->GetControls()->Add(kControlButton, 0xE103);
    f.frame.RecalcLayout();
    const int nStrip = CLVKDpiScaling::GetGlobal()->ScaleX(6);
    const CRect r1 = pFirst->GetRect(), r2 = pSecond->GetRect(), r3 = pThird->GetRect();
    struct Case
    {
        const char* name;
        CPoint pt;
        CLVKControl* pFound;
        BOOL bAfter;
        int nMarkerLeft;
    };
    const Case cases[] = {
        {"BeforeTheFirst", CPoint(r1.left + 1, r1.CenterPoint().y), pFirst, FALSE, r1.left},
        {"AfterTheFirstBeyondIt", CPoint(r1.right - 1, r1.CenterPoint().y), pFirst, TRUE, r1.right},
        {"AfterTheSecondInsideAsAGroupFollows", CPoint(r2.right - 1, r2.CenterPoint().y), pSecond, TRUE,
         r2.right - nStrip},
        {"BeforeTheThird", CPoint(r3.left + 1, r3.CenterPoint().y), pThird, FALSE, r3.left},
    };
    for (const Case& c : cases)
    {
        CRect rcMarker;
        int nIndex = -2;
        BOOL bAfter = -1;
        CLVKControl* pFound = pBar->HitTestDropPosition(pDragged, c.pt, rcMarker, nIndex, bAfter);
        EXPECT_EQ(pFound, c.pFound) << c.name;
        EXPECT_EQ(nIndex, c.pFound->GetIndex()) << c.name;
        EXPECT_EQ(bAfter != 0, c.bAfter != 0) << c.name;
        EXPECT_EQ(rcMarker.left, c.nMarkerLeft) << c.name;
        EXPECT_EQ(rcMarker.Width(), nStrip) << c.name;
        EXPECT_EQ(rcMarker.top, c.pFound->GetRect().top) << c.name;
    }
    // Over the dragged control itself there is no marker.
    CRect rcMarker;
    int nIndex = 0;
    BOOL bAfter = FALSE;
    EXPECT_EQ(pBar->HitTestDropPosition(pDragged, pDragged->GetRect().CenterPoint(), rcMarker, nIndex, bAfter),
              pDragged);
    EXPECT_TRUE(rcMarker.IsRectEmpty());
}

TEST(CommandBarDrop, DroppingAControlOnItsOwnPlaceMayStartAGroup)
{
    struct Case
    {
        const char* name;
        int nControl;  // which control is dropped on itself
        int nMove;     // pixels moved before the drop, at 96 DPI
        BOOL bAfterMiddle;
        BOOL bGroup;
    };
    const Case cases[] = {
        {"ThreePixelsChangeNothing", 1, 3, TRUE, FALSE},
        {"FivePixelsBeyondTheMiddle", 1, 5, TRUE, TRUE},
        {"FivePixelsBeforeTheMiddle", 1, 5, FALSE, FALSE},
        {"NeverTheFirstControl", 0, 5, TRUE, FALSE},
    };
    for (const Case& c : cases)
    {
        DockFixture f;
        CLVKToolBar* pBar = f.AddBar(L"Standard", 120, 0);
        pBar->GetControls()->Add(kControlButton, 0xE100);
        pBar->GetControls()->Add(kControlButton, 0xE101);
        f.frame.RecalcLayout();
        CLVKControl* pControl = FindByIdInBar(pBar, 0xE100 + c.nControl);
        const CRect rc = pControl->GetRect();
        const CPoint ptDrop(c.bAfterMiddle ? rc.right - 1 : rc.left + 1, rc.CenterPoint().y);
        const CPoint ptStart(ptDrop.x - CLVKDpiScaling::GetGlobal()->ScaleX(c.nMove), ptDrop.y);
        const int nCount = pBar->GetControlCount();
        DWORD dwEffect = DROPEFFECT_MOVE;
        pBar->OnCustomizeDrop(pControl, dwEffect, ptDrop, ptStart);
        EXPECT_EQ(dwEffect, 5u) << c.name;
        EXPECT_EQ(pBar->GetControlCount(), nCount) << c.name;
        EXPECT_EQ(pControl->GetBeginGroup() != 0, c.bGroup != 0) << c.name;
    }
}

TEST(CommandBarDrop, AControlFromAnotherBarIsClonedAtTheMarker)
{
    DockFixture f;
    CLVKToolBar* pSource = f.AddBar(L"Source", 120, 0);
    CLVKControl* pDragged = pSource->GetControls()->Add(kControlButton, 0xE1A0);
    CLVKToolBar* pBar = f.AddBar(L"Target", 121, 0);
    CLVKControl* pFirst = pBar->GetControls()->Add(kControlButton, 0xE100);
    CLVKControl* pSecond = pBar->GetControls()->Add(kControlButton, 0xE101);
    pSecond->SetBeginGroup(TRUE);
    f.frame.RecalcLayout();
    // Dropped before the second control, the clone takes over its group start.
    const CPoint pt(pSecond->GetRect().left + 1, pSecond->GetRect().CenterPoint().y);
    EXPECT_EQ(pBar->OnCustomizeDragOver(pDragged, pt), static_cast<DWORD>(DROPEFFECT_MOVE));
    EXPECT_FALSE(pBar->GetDropMarker().IsRectEmpty());
    DWORD dwEffect = DROPEFFECT_MOVE;
    pBar->OnCustomizeDrop(pDragged, dwEffect, pt, CPoint(0, 0));
    const int nClone = pFirst->GetIndex() + 1;
    CLVKControl* pClone = pBar->GetControl(nClone);
    ASSERT_NE(pClone, nullptr);
    EXPECT_EQ(pClone->GetID(), 0xE1A0);
    EXPECT_TRUE(pClone->GetBeginGroup());
    EXPECT_FALSE(pSecond->GetBeginGroup());
    EXPECT_EQ(f.pBars->GetCustomizeSelectedControl(), pClone);
    EXPECT_TRUE(pBar->GetDropMarker().IsRectEmpty());
    EXPECT_EQ(pSource->GetControls()->FindControl(0, 0xE1A0), pDragged) << "the source keeps its control";
    f.pBars->SetCustomizeSelectedControl(nullptr);
}
