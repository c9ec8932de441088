#include "Markup/MarkupScrollBarGripper.h"

#include "Markup/MarkupDrawingContext.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupScrollBarGripper, L"", CLVKMarkupUIElement::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupScrollBarGripper(); }, nullptr)

void CLVKMarkupScrollBarGripper::ArrangeCore(int nLeft, int nTop, int nRight, int nBottom)
{
    CLVKMarkupUIElement::ArrangeCore(nLeft, nTop, nRight, nBottom);
    // Placed where the viewer puts it (no margins or alignment of its own).
    m_ptOffset = POINT{nLeft, nTop};
}

void CLVKMarkupScrollBarGripper::OnRender(CLVKMarkupDrawingContext* pDC)
{
    const SIZE size = GetRenderSize();
    pDC->FillSolidRect(0, 0, size.cx, size.cy, GetSysColor(COLOR_BTNFACE));
}
