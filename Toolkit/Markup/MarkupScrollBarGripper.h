// The square where a scroll viewer's two bars meet.
#pragma once

#include "Markup/MarkupUIElement.h"

class CLVKMarkupScrollBarGripper : public CLVKMarkupUIElement
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    void ArrangeCore(int nLeft, int nTop, int nRight, int nBottom) override;
    void OnRender(CLVKMarkupDrawingContext* pDC) override;
};
