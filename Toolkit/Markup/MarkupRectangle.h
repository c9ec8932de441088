// A rectangle shape, optionally with rounded corners, filled inside its
// stroke and stroked along its edges.
#pragma once

#include "Markup/MarkupShape.h"

class CLVKMarkupRectangle : public CLVKMarkupShape
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    int GetRadiusX() const;
    int GetRadiusY() const;

    SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    void OnRender(CLVKMarkupDrawingContext* pDC) override;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pRadiusXProperty;
    static CLVKMarkupDependencyProperty* m_pRadiusYProperty;

protected:
    DECLARE_DISPATCH_MAP()
};
