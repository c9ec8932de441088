#include "CommandBars/ControlPopup.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/CommandBars.h"
#include "CommandBars/Controls.h"
#include "CommandBars/PaintManager.h"
#include "CommandBars/PopupBar.h"
#include "Foundation/ShadowManager.h"

IMPLEMENT_DYNCREATE(CLVKControlPopup, CLVKControlButton)

CLVKControlPopup::CLVKControlPopup(int nType)
{
    m_nType = nType;
}

CLVKControlPopup::~CLVKControlPopup()
{
    // A menu still open for this control closes before the control goes.
    if (m_pCommandBar && m_bPopup && m_pCommandBar->GetTrackingMode() != kTrackingNone)
        m_pCommandBar->SetTrackingMode(kTrackingNone);
    SetCommandBar(nullptr);
}

CLVKControlPopup* AFX_CDECL CLVKControlPopup::CreateControlPopup(int nType)
{
    return new CLVKControlPopup(nType);
}

void CLVKControlPopup::SetCommandBar(CLVKCommandBar* pBar)
{
    if (pBar == m_pCommandBar)
        return;
    if (pBar)
        pBar->InternalAddRef();
    CLVKCommandBar* pOld = m_pCommandBar;
    m_pCommandBar = pBar;
    if (pOld)
        pOld->InternalRelease();
}

CString CLVKControlPopup::GetCaption() const
{
    CString strCaption = CLVKControlButton::GetCaption();
    if (m_pParent && m_pParent->GetType() == kBarTypeMenuBar && !m_pParent->IsRibbonBar())
    {
        CLVKCommandBars* pCommandBars = m_pParent->GetCommandBars();
        if (pCommandBars && pCommandBars->m_bUpperCaseMenuTitles)
            strCaption.MakeUpper();
    }
    return strCaption;
}

BOOL CLVKControlPopup::OnSetPopup(BOOL bPopup)
{
    if (!m_pCommandBar || (IsSplitButton() && m_nEnabled == kArrowDisabled))
        return FALSE;
    if (!m_pParent || !m_pParent->GetSafeHwnd())
        return FALSE;
    m_bPopup = bPopup;
    if (!bPopup)
    {
        m_pCommandBar->SetTrackingMode(kTrackingNone);
        RedrawParent(TRUE);
        return TRUE;
    }
    // The pressed look is on the screen before the popup covers the site.
    RedrawParent(FALSE);
    if (CWnd* pSite = m_pParent->GetSite())
    {
        if (pSite->GetSafeHwnd())
            pSite->UpdateWindow();
    }
    m_pParent->UpdateWindow();
    if (m_pCommandBar->GetTrackingMode() != kTrackingNone)
        return TRUE;
    if (!m_pCommandBar->Popup(this, m_nPressedState == 2 || m_nPressedState == 3))
    {
        m_bPopup = FALSE;
        return FALSE;
    }
    AttachPopupShadow();
    return TRUE;
}

void CLVKControlPopup::ExpandPopup()
{
    if (m_nType != kControlPopup || !m_bPopup)
        return;
    if (CLVKPopupBar* pPopup = DYNAMIC_DOWNCAST(CLVKPopupBar, m_pCommandBar))
        pPopup->ExpandBar();
}

BOOL CLVKControlPopup::IsEqual(CLVKControl* pOther) const
{
    if (!CLVKControlButton::IsEqual(pOther) || !pOther->IsKindOf(RUNTIME_CLASS(CLVKControlPopup)))
        return FALSE;
    CLVKCommandBar* pMine = m_pCommandBar;
    CLVKCommandBar* pTheirs = pOther->GetCommandBar();
    if (pMine && pTheirs)
        return pMine->GetControls()->IsEqualTo(pTheirs->GetControls());
    return TRUE;
}

void CLVKControlPopup::Copy(CLVKControl* pSource, BOOL bRecursive)
{
    if (!pSource || pSource == this)
        return;
    CLVKControlButton::Copy(pSource, bRecursive);
    CLVKCommandBar* pBar = pSource->GetCommandBar();
    if (!pBar)
        return;
    if (bRecursive)
    {
        CLVKCommandBar* pClone = pBar->Clone(TRUE);
        SetCommandBar(pClone);
        if (pClone)
            pClone->InternalRelease();
    }
    else
    {
        SetCommandBar(pBar);
    }
}

CLVKControl* CLVKControlPopup::Clone(BOOL bRecursive)
{
    CLVKControlPopup* pClone = new CLVKControlPopup(m_nType);
    pClone->Copy(this, bRecursive);
    return pClone;
}

BOOL CLVKControlPopup::CanDropOnBar(CLVKCommandBar* pBar, DWORD& dwDropEffect) const
{
    // A popup cannot be dropped into its own sub-menus.
    for (CLVKCommandBar* p = pBar; p; p = p->GetParentBar())
    {
        if (p == m_pCommandBar)
        {
            dwDropEffect = DROPEFFECT_NONE;
            return FALSE;
        }
    }
    return TRUE;
}

void CLVKControlPopup::ExecuteFromKeyboard()
{
    if (m_pCommandBar && m_pParent)
        m_pParent->SetPopupedIndex(m_nIndex, 2);
    else
        CLVKControlButton::ExecuteFromKeyboard();
}

void CLVKControlPopup::AdjustExcludeRect(CRect& rc, BOOL bVertical)
{
    if (CLVKPaintManager* pPaintManager = GetPaintManager())
        pPaintManager->AdjustExcludeRect(rc, this, bVertical);
}

void CLVKControlPopup::AttachPopupShadow()
{
    if (!m_pCommandBar || !m_pParent || m_pParent->GetPosition() == kBarPopup)
        return;
    if (m_pParent->GetPosition() == kBarFloating && m_pParent->GetType() == kBarTypePopup)
        return;
    if (m_nType < kControlPopup || m_nType > kControlSplitButton)
        return;
    CLVKPaintManager* pPaintManager = GetPaintManager();
    CLVKPopupBar* pPopup = DYNAMIC_DOWNCAST(CLVKPopupBar, m_pCommandBar);
    if (!pPaintManager || !pPopup || !pPopup->GetShowShadow() || !m_bPopupShadow || !pPaintManager->m_bShadowEnabled ||
        !pPaintManager->m_pShadowManager || m_pParent->IsCustomizeMode() || !m_pParent->GetSafeHwnd())
        return;
    CRect rc = m_rcControl;
    m_pParent->ClientToScreen(&rc);
    pPaintManager->m_pShadowManager->CreateControlShadow(rc, pPopup);
}

BOOL CLVKControlPopup::IsOverButtonPart(CPoint pt) const
{
    CLVKPaintManager* pPaintManager = GetPaintManager();
    if (!pPaintManager)
        return FALSE;
    return pPaintManager->GetSplitDropDownRect(const_cast<CLVKControlPopup*>(this)).PtInRect(pt);
}

void CLVKControlPopup::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (!IsEnabled() || !m_pParent)
        return;
    const BOOL bCustomize = m_pParent->IsCustomizeMode();
    if (bCustomize)
    {
        if (CLVKCommandBars* pCommandBars = m_pParent->GetCommandBars())
            pCommandBars->SetCustomizeSelectedControl(this);
    }
    // Clicking an open menu title closes the menu and ends menu mode.
    if (m_bPopup && m_pParent->GetPosition() != kBarPopup)
    {
        m_pParent->EndTracking();
        return;
    }
    if (!m_pCommandBar)
    {
        CLVKControlButton::OnClick(bKeyboard, pt);
        return;
    }
    if (IsSplitButton() && !bCustomize)
    {
        if (bKeyboard)
        {
            if (m_nEnabled == kButtonDisabled)
                m_pParent->SetPopupedIndex(m_nIndex, 2);
            else
                Execute();
            return;
        }
        if (IsOverButtonPart(pt))
        {
            // In a menu the release executes the button part; elsewhere the
            // press is tracked on that part alone.
            if (m_pParent->GetType() == kBarTypePopup)
                m_pParent->KillTimer(kTimerHover);
            else if (m_nEnabled != kButtonDisabled)
                TrackClick(GetPaintManager()->GetSplitDropDownRect(this));
            return;
        }
        if (m_nEnabled == kArrowDisabled)
            return;
    }
    if (!bCustomize || m_pParent->GetType() != kBarTypePopup || m_pParent->IsCustomizable())
    {
        m_pParent->SetPopupedIndex(m_nIndex, bKeyboard ? 2 : 0);
        if (m_pParent->GetPopupedIndex() != m_nIndex)
            return;
    }
    if (bCustomize)
        OnCustomizeMouseDown(pt);
}

void CLVKControlPopup::OnLButtonUp(CPoint pt)
{
    if (!m_pCommandBar)
    {
        CLVKControlButton::OnLButtonUp(pt);
        return;
    }
    if (!IsSplitButton() || !IsEnabled() || !m_pParent || m_pParent->GetType() != kBarTypePopup)
        return;
    CLVKPaintManager* pPaintManager = GetPaintManager();
    const int nArrow = pPaintManager ? pPaintManager->m_nSplitPopupWidth : 0;
    if (pt.x + nArrow < m_rcControl.right && m_nEnabled != kButtonDisabled)
        Execute();
}

BOOL CLVKControlPopup::OnLButtonDblClk(CPoint pt)
{
    if (!m_pCommandBar || !IsPopupType(m_nType) || !m_pParent)
        return CLVKControlButton::OnLButtonDblClk(pt);
    if (!m_bPopup)
        return OnLButtonDown(pt);
    CLVKPopupBar* pPopup = DYNAMIC_DOWNCAST(CLVKPopupBar, m_pCommandBar);
    if (CLVKControl* pDefault = pPopup ? pPopup->FindDefaultItem() : nullptr)
    {
        pDefault->Execute();
        return TRUE;
    }
    if (pPopup && pPopup->HasHiddenItems() && !pPopup->IsExpanded())
    {
        pPopup->ExpandBar();
        return TRUE;
    }
    OnClick(FALSE, pt);
    return TRUE;
}

void CLVKControlPopup::OnMouseMove(CPoint pt)
{
    if (!IsSplitButton() || !m_pCommandBar || !IsEnabled() || m_nPressedState == 0 || !m_pParent)
        return;
    const int nPart = IsOverButtonPart(pt) ? kPartButton : kPartArrow;
    if (nPart == m_nPressedState)
        return;
    m_nPressedState = nPart;
    RedrawParent(FALSE);
}

void CLVKControlPopup::OnMouseHover()
{
    if (m_pCommandBar && m_pParent && IsEnabled() &&
        (m_pParent->GetPosition() == kBarPopup || m_pParent->GetTrackingMode() == kTrackingWithPopup))
    {
        m_pParent->SetPopupedIndex(m_nIndex, 0);
        return;
    }
    CLVKControlButton::OnMouseHover();
}

BOOL CLVKControlPopup::SetPressed(int nState)
{
    if (!CLVKControlButton::SetPressed(nState))
        return FALSE;
    if (!m_pCommandBar || !m_pParent)
        return TRUE;
    CLVKCommandBar* pParent = m_pParent;
    if (IsSplitButton() && nState == 1 && IsCursorOver())
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        pParent->ScreenToClient(&pt);
        m_nPressedState = IsOverButtonPart(pt) ? kPartButton : kPartArrow;
    }
    const BOOL bParentIsPopup = pParent->GetPosition() == kBarPopup;
    if (m_nType == kControlPopup || pParent->GetType() == kBarTypePopup)
    {
        if (!IsEnabled())
            return TRUE;
        // Moving along a menu bar with a menu open opens the next menu and
        // closes the one that was open.
        if (nState != 0 && pParent->GetTrackingMode() == kTrackingWithPopup && !bParentIsPopup)
            pParent->SetPopupedIndex(m_nIndex, nState >= 2 ? nState : 0);
        else if (nState == 0 && m_bPopup && !bParentIsPopup)
            pParent->SetPopupedIndex(-1);
    }
    else if ((nState == 2 || nState == 3) && pParent->GetTrackingMode() == kTrackingWithPopup)
    {
        pParent->SetPopupedIndex(m_nIndex, nState);
    }
    return TRUE;
}

void CLVKControlPopup::OnCustomizeDragOver(CLVKControl* pDragged, CPoint pt)
{
    if (!m_pParent)
        return;
    if (!m_pCommandBar || !m_pCommandBar->IsCustomizable())
    {
        CLVKControlButton::OnCustomizeDragOver(pDragged, pt);
        return;
    }
    // A popup dragged over its own sub-menus (or the other way round) must
    // not open them.
    CLVKCommandBar* pDraggedBar = pDragged ? pDragged->GetCommandBar() : nullptr;
    BOOL bRelated = FALSE;
    if (pDraggedBar)
    {
        for (CLVKCommandBar* p = m_pCommandBar; p && !bRelated; p = p->GetParentBar())
            bRelated = p == pDraggedBar;
        for (CLVKCommandBar* p = pDraggedBar; p && !bRelated; p = p->GetParentBar())
            bRelated = p == m_pCommandBar;
    }
    if (bRelated)
    {
        m_pParent->SetPopupedIndex(-1);
        m_pParent->SetSelected(-1);
        return;
    }
    m_pParent->SetPopupedIndex(m_nIndex);
}
