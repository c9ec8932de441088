// A panel that docks its children to its sides in turn, each taking a strip
// of what the ones before it left; the last child may fill the rest.
#pragma once

#include "Markup/MarkupPanel.h"

class CLVKMarkupDockPanel : public CLVKMarkupPanel
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    enum
    {
        kDockLeft = 0,
        kDockTop = 1,
        kDockRight = 2,
        kDockBottom = 3,
    };

    // The attached "Dock" value of a child (left when unset).
    static int AFX_CDECL GetDock(const CLVKMarkupObject* pElement);
    static void AFX_CDECL SetDock(CLVKMarkupObject* pElement, int nDock);
    BOOL GetLastChildFill() const;

    SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pLastChildFillProperty;
    static CLVKMarkupDependencyProperty* m_pDockProperty;

protected:
    DECLARE_DISPATCH_MAP()
};
