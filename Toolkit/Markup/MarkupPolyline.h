// A stroked open figure through the points of "Points".
#pragma once

#include "Markup/MarkupShape.h"

class CLVKMarkupPointCollection;

class CLVKMarkupPolyline : public CLVKMarkupShape
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupPointCollection* GetPoints() const;

    SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    void OnRender(CLVKMarkupDrawingContext* pDC) override;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pPointsProperty;
};
