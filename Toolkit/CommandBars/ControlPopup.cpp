#include "CommandBars/ControlPopup.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/Controls.h"
#include "CommandBars/PaintManager.h"

IMPLEMENT_DYNCREATE(CLVKControlPopup, CLVKControlButton)

CLVKControlPopup::CLVKControlPopup(int nType)
{
    m_nType = nType;
}

CLVKControlPopup::~CLVKControlPopup()
{
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

BOOL CLVKControlPopup::OnSetPopup(BOOL bPopup)
{
    if (!m_pCommandBar || !m_pParent || !m_pParent->GetSafeHwnd())
        return FALSE;
    m_bPopup = bPopup;
    if (!bPopup)
    {
        m_pCommandBar->SetTrackingMode(kTrackingNone);
        RedrawParent(TRUE);
        return TRUE;
    }
    RedrawParent(FALSE);
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

void CLVKControlPopup::OnClick(BOOL bKeyboard, CPoint /*pt*/)
{
    if (!IsEnabled() || !m_pParent)
        return;
    // Clicking an open menu title closes the menu and ends menu mode.
    if (m_bPopup && m_pParent->GetPosition() != kBarPopup)
    {
        m_pParent->EndTracking();
        return;
    }
    if (!m_pCommandBar)
    {
        CLVKControlButton::OnClick(bKeyboard);
        return;
    }
    m_pParent->SetPopupedIndex(m_nIndex, bKeyboard ? 2 : 0);
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
