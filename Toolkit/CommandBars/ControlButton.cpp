#include "CommandBars/ControlButton.h"

#include "CommandBars/CommandBar.h"

IMPLEMENT_DYNCREATE(CLVKControlButton, CLVKControl)

CLVKControlButton::CLVKControlButton()
{
    m_nType = kControlButton;
}

void CLVKControlButton::OnClick(BOOL bKeyboard, CPoint pt)
{
    if (!IsEnabled() || !m_pParent)
        return;
    if (m_pParent->IsCustomizeMode())
    {
        m_pParent->SetPopupedIndex(-1);
        m_pParent->SetSelected(-1);
        OnCustomizeMouseDown(pt);
        return;
    }
    if (bKeyboard)
    {
        Execute();
        return;
    }
    // In a menu the release executes, unless the button repeats while held.
    if (m_pParent->GetType() == kBarTypePopup && m_nExecuteOnPressInterval <= 0)
        return;
    TrackClick();
}

void CLVKControlButton::OnLButtonUp(CPoint /*pt*/)
{
    if (!IsEnabled() || !m_pParent)
        return;
    if (m_pParent->GetType() == kBarTypePopup || m_pParent->GetPosition() == kBarPopup)
        Execute();
}

CLVKControl* CLVKControlButton::Clone(BOOL bRecursive)
{
    CLVKControlButton* pClone = new CLVKControlButton;
    pClone->Copy(this, bRecursive);
    return pClone;
}
