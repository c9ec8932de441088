// A panel that stacks its children one after the other, downwards or
// across; each child keeps its desired length along the stack and gets at
// least the panel's breadth across it.
#pragma once

#include "Markup/MarkupPanel.h"

class CLVKMarkupStackPanel : public CLVKMarkupPanel
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    // 0 horizontal, 1 vertical (the default).
    int GetOrientation() const;

    SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pOrientationProperty;

protected:
    DECLARE_DISPATCH_MAP()
};
