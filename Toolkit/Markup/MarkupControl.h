// The base of interactive controls: Background, Foreground and Padding, and
// its one visual child (if a derived control has one) over its whole area.
#pragma once

#include "Markup/MarkupFrameworkElement.h"

class CLVKMarkupControl : public CLVKMarkupFrameworkElement
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;

    static void AFX_CDECL RegisterProperties();

protected:
    DECLARE_DISPATCH_MAP()
};
