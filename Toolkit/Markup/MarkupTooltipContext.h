// The tooltip context of a markup context: markup tips (style 7) whose tool
// is the element under the mouse that carries a text "ToolTip".
#pragma once

#include "Foundation/ToolTipContext.h"
#include "Markup/MarkupContext.h"

class CLVKMarkupContext::CTooltipContext : public CLVKToolTipContext
{
public:
    explicit CTooltipContext(CLVKMarkupContext* pOwner);

    // The owner's element tool (CLVKMarkupContext::HitTestToolTip); -1 once
    // the owner is gone.
    INT_PTR HitTestTool(CWnd* pWnd, CPoint point, TOOLINFOW* pTI) override;
    void Detach() { m_pOwner = nullptr; }

private:
    CLVKMarkupContext* m_pOwner;  // not owned: the owner owns this context
};
