// A decorator that draws a background and a frame, optionally with rounded
// corners, around its child and pads it.
#pragma once

#include "Markup/MarkupDecorator.h"

class CLVKMarkupBrush;
class CLVKMarkupThickness;

class CLVKMarkupBorder : public CLVKMarkupDecorator
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;
    void OnRender(CLVKMarkupDrawingContext* pDC) override;
    CLVKMarkupInputElement* HitTestCore(int x, int y) override;

    CLVKMarkupBrush* GetBackground() const;
    CLVKMarkupBrush* GetBorderBrush() const;
    CLVKMarkupThickness* GetBorderThickness() const;
    CLVKMarkupThickness* GetPadding() const;
    CLVKMarkupThickness* GetCornerRadius() const;
    void SetBackground(CLVKMarkupBrush* pBrush);
    void SetBorderBrush(CLVKMarkupBrush* pBrush);

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pBackgroundProperty;
    static CLVKMarkupDependencyProperty* m_pPaddingProperty;
    static CLVKMarkupDependencyProperty* m_pBorderThicknessProperty;
    static CLVKMarkupDependencyProperty* m_pBorderBrushProperty;
    static CLVKMarkupDependencyProperty* m_pCornerRadiusProperty;

    // Script member "Child": the child's automation object; writing takes a
    // markup element (nothing removes the child).
    IDispatch* OleGetChild();
    void OleSetChild(IDispatch* pChild);

protected:
    DECLARE_DISPATCH_MAP()
};
