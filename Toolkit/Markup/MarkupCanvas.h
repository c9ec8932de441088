// A panel that places each child at its desired size where its attached
// "Left", "Top", "Right" and "Bottom" put it.
#pragma once

#include "Markup/MarkupPanel.h"

class CLVKMarkupCanvas : public CLVKMarkupPanel
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    // The attached positions of a child, 0 when not given.
    static int AFX_CDECL GetLeft(const CLVKMarkupObject* pElement);
    static int AFX_CDECL GetTop(const CLVKMarkupObject* pElement);
    static int AFX_CDECL GetRight(const CLVKMarkupObject* pElement);
    static int AFX_CDECL GetBottom(const CLVKMarkupObject* pElement);
    static void AFX_CDECL SetLeft(CLVKMarkupObject* pElement, int n);
    static void AFX_CDECL SetTop(CLVKMarkupObject* pElement, int n);
    static void AFX_CDECL SetRight(CLVKMarkupObject* pElement, int n);
    static void AFX_CDECL SetBottom(CLVKMarkupObject* pElement, int n);

    SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pLeftProperty;
    static CLVKMarkupDependencyProperty* m_pTopProperty;
    static CLVKMarkupDependencyProperty* m_pRightProperty;
    static CLVKMarkupDependencyProperty* m_pBottomProperty;

protected:
    DECLARE_DISPATCH_MAP()
};
