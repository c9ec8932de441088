#include "Markup/MarkupTooltipContext.h"

#include "Markup/MarkupToolTip.h"

CLVKMarkupContext::CTooltipContext::CTooltipContext(CLVKMarkupContext* pOwner) : m_pOwner(pOwner)
{
    CLVKMarkupToolTip::Install();
    SetStyle(lvkTipMarkup);
    // Scripts reach it as "ToolTipContext".
    EnableAutomation();
}

INT_PTR CLVKMarkupContext::CTooltipContext::HitTestTool(CWnd* /*pWnd*/, CPoint point, TOOLINFOW* pTI)
{
    return m_pOwner ? m_pOwner->HitTestToolTip(point, pTI) : -1;
}
