#include "CommandBars/CommandBarCmdUI.h"

#include "CommandBars/Control.h"

void CCommandBarCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    if (!m_pControl)
        return;
    if (m_pControl->GetAction())
    {
        m_pControl->SetEnabled(bOn ? -1 : 0);
        return;
    }
    m_pControl->SetEnabled(bOn);
    if (!bOn && !m_bCheckChanged)
        m_pControl->SetChecked(0);
}

void CCommandBarCmdUI::SetCheck(int nCheck)
{
    m_bCheckChanged = TRUE;
    if (m_pControl)
        m_pControl->SetChecked(nCheck);
}

void CCommandBarCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pControl)
        m_pControl->SetCaption(lpszText);
}
