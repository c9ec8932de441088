// CLVKPopupBar: personalised menus. Commands the user has not used yet hide
// behind an expand button at the bottom of the menu until the menu is
// expanded (the button, Ctrl+Down, Down past the last item, or resting on
// the button); once expanded, further menus open expanded until the menus
// close.
#include "CommandBars/PopupBar.h"

#include "CommandBars/CommandBars.h"
#include "CommandBars/CommandBarsOptions.h"
#include "CommandBars/Control.h"
#include "CommandBars/Controls.h"
#include "CommandBars/MouseManager.h"
#include "CommandBars/PaintManager.h"
#include "Foundation/ToolTipContext.h"

CLVKPopupBar::CControlExpandButton::CControlExpandButton()
{
    m_dwFlags = kFlagSkipNavigation | kFlagNoAutoUpdate | kFlagFixed | kFlagTooltipInMenus;
}

void CLVKPopupBar::CControlExpandButton::Draw(CDC* pDC)
{
    if (CLVKPaintManager* pPaintManager = GetPaintManager())
        pPaintManager->FillControlBackground(pDC, lvkSystemButtonPopupExpand, this, m_pParent, TRUE, CSize(0, 0));
}

void CLVKPopupBar::CControlExpandButton::Execute()
{
    if (CLVKPopupBar* pPopup = DYNAMIC_DOWNCAST(CLVKPopupBar, m_pParent))
        pPopup->ExpandBar();
}

CLVKControl* CLVKPopupBar::FindDefaultItem() const
{
    for (int i = 0; i < GetControlCount(); i++)
    {
        CLVKControl* pControl = GetControl(i);
        if (pControl->IsDefaultItem() && pControl->IsVisible())
            return pControl;
    }
    return nullptr;
}

void CLVKPopupBar::UpdateExpandState()
{
    CLVKCommandBars* pCommandBars = GetCommandBars();
    const BOOL bFullMenus = !pCommandBars || pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus;
    m_bHasHiddenItems = FALSE;
    for (int i = 0; i < GetControlCount(); i++)
    {
        CLVKControl* pControl = GetControl(i);
        if (pControl == m_pExpandButton)
            continue;
        if (bFullMenus)
        {
            pControl->SetRarelyUsed(FALSE);
            continue;
        }
        const BOOL bVisible = pControl->IsVisible(kHideRarelyUsed | kHideScrolledOut);
        if (pCommandBars->IsControlHidden(pControl))
        {
            if (bVisible)
                pControl->SetRarelyUsed(TRUE);
        }
        else
        {
            pControl->SetRarelyUsed(FALSE);
        }
        if (bVisible && pControl->IsRarelyUsed())
            m_bHasHiddenItems = TRUE;
    }
    if (bFullMenus)
        m_bExpanded = TRUE;
    for (int i = 0; i < GetControlCount(); i++)
    {
        CLVKControl* pControl = GetControl(i);
        DWORD dwFlags = pControl->GetHideFlags() & ~kHideRarelyUsed;
        if (!m_bExpanded && m_bHasHiddenItems && pControl->IsRarelyUsed())
            dwFlags |= kHideRarelyUsed;
        pControl->SetHideFlags(dwFlags);
    }
    // Once expanded, nothing is hidden any more and the button goes away.
    if (m_bExpanded)
        m_bHasHiddenItems = FALSE;
}

void CLVKPopupBar::ExpandBar()
{
    if (!m_bHasHiddenItems || m_bExpanded)
        return;
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars && pCommandBars->GetToolTipContext())
        pCommandBars->GetToolTipContext()->HideTip();
    m_bReanimate = TRUE;
    m_bExpanded = TRUE;
    SetPopupedIndex(-1);
    SetSelected(-1);
    RecalcLayout();
    m_bReanimate = FALSE;
    CLVKMouseManager::GetThreadManager()->m_bExpanded = TRUE;
}

int CLVKPopupBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (nChar == VK_DOWN && m_bHasHiddenItems && !m_bExpanded && m_nTrackingMode != kTrackingNone)
    {
        const BOOL bControl = ::GetKeyState(VK_CONTROL) < 0;
        const int nNext = m_pControls->GetNextIndex(m_nHotIndex, +1, TRUE, FALSE, TRUE);
        const BOOL bWraps = m_nHotIndex >= 0 && nNext >= 0 && nNext <= m_nHotIndex;
        if (bControl || bWraps)
        {
            const int nHot = m_nHotIndex;
            ExpandBar();
            // The selection goes on from where it was.
            if (nHot >= 0)
                SetSelected(nHot, 2);
            if (bControl)
                return 1;
        }
    }
    return CLVKCommandBar::OnHookKeyDown(nChar, lParam);
}

void CLVKPopupBar::OnControlsChanged()
{
    CLVKCommandBar::OnControlsChanged();
    // The expand button may have gone with the controls (a new menu loaded).
    if (!m_pExpandButton)
        return;
    for (int i = 0; i < GetControlCount(); i++)
    {
        if (m_pControls->GetAt(i) == m_pExpandButton)
            return;
    }
    m_pExpandButton = nullptr;
}
