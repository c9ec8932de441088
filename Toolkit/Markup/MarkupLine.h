// A straight line between (X1, Y1) and (X2, Y2), hit within half its
// stroke thickness.
#pragma once

#include "Markup/MarkupShape.h"

class CLVKMarkupLine : public CLVKMarkupShape
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    void OnRender(CLVKMarkupDrawingContext* pDC) override;
    CLVKMarkupInputElement* HitTestCore(int x, int y) override;

    // The end points as drawn (stretched to the render size when the shape
    // stretches).
    void GetEndPoints(POINT& pt1, POINT& pt2) const;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pX1Property;
    static CLVKMarkupDependencyProperty* m_pY1Property;
    static CLVKMarkupDependencyProperty* m_pX2Property;
    static CLVKMarkupDependencyProperty* m_pY2Property;

private:
    int ReadCoordinate(CLVKMarkupDependencyProperty* pProperty) const;

protected:
    DECLARE_DISPATCH_MAP()
};
