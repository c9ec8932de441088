// An ellipse shape filling its render size; hit only inside the ellipse.
#pragma once

#include "Markup/MarkupShape.h"

class CLVKMarkupEllipse : public CLVKMarkupShape
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    void OnRender(CLVKMarkupDrawingContext* pDC) override;
    CLVKMarkupInputElement* HitTestCore(int x, int y) override;
};
