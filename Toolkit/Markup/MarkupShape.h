// The base of vector shapes: stroke and fill properties, the stroke
// description handed to the drawing context, and whether the geometry is
// stretched to the render size.
#pragma once

#include "Markup/MarkupFrameworkElement.h"
#include "Markup/MarkupStrokeStyle.h"

class CLVKMarkupBrush;
class CLVKMarkupDoubleCollection;

class CLVKMarkupShape : public CLVKMarkupFrameworkElement
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupBrush* GetFill() const;
    CLVKMarkupBrush* GetStroke() const;
    // 1 when unset.
    int GetStrokeThickness() const;
    int GetStretch() const;
    CLVKMarkupDoubleCollection* GetStrokeDashArray() const;
    int GetStrokeStartLineCap() const;
    int GetStrokeEndLineCap() const;
    int GetStrokeLineJoin() const;
    int GetSmoothingMode() const;
    // Take over the caller's reference.
    void SetFill(CLVKMarkupBrush* pBrush);
    void SetStroke(CLVKMarkupBrush* pBrush);
    void SetStrokeDashArray(CLVKMarkupDoubleCollection* pDashArray);

    // Thickness ("StrokeThickness" with a stroke, else 0), brush, dashes,
    // caps and join.
    void GetStrokeStyle(MarkupStrokeStyle& style) const;
    BOOL IsStretched() const { return GetStretch() != 0; }

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pStrokeMiterLimitProperty;
    static CLVKMarkupDependencyProperty* m_pFillProperty;
    static CLVKMarkupDependencyProperty* m_pStrokeProperty;
    static CLVKMarkupDependencyProperty* m_pStrokeThicknessProperty;
    static CLVKMarkupDependencyProperty* m_pStretchProperty;
    static CLVKMarkupDependencyProperty* m_pStrokeDashArrayProperty;
    static CLVKMarkupDependencyProperty* m_pStrokeStartLineCapProperty;
    static CLVKMarkupDependencyProperty* m_pStrokeEndLineCapProperty;
    static CLVKMarkupDependencyProperty* m_pStrokeLineJoinProperty;
    static CLVKMarkupDependencyProperty* m_pSmoothingModeProperty;

protected:
    // When stretching, bounded available lengths replace the size.
    SIZE StretchToAvailable(SIZE sz, int nWidth, int nHeight) const;

    DECLARE_DISPATCH_MAP()
};
