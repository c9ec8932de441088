// Margin, alignment, explicit and limiting sizes and the layout clip: the
// layout every visible markup element shares.
#pragma once

#include "Markup/MarkupUIElement.h"

class CLVKMarkupThickness;

class CLVKMarkupFrameworkElement : public CLVKMarkupUIElement
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    virtual SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight);
    virtual SIZE ArrangeOverride(int nWidth, int nHeight);

    SIZE MeasureCore(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    void ArrangeCore(int nLeft, int nTop, int nRight, int nBottom) override;
    BOOL GetLayoutClip(RECT& rcClip) const override;
    void OnPropertyChanged(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pOldValue,
                           CLVKMarkupObject* pNewValue) override;

    CLVKMarkupThickness* GetMargin() const;
    int GetHorizontalAlignment() const;
    int GetVerticalAlignment() const;
    int GetWidth() const;
    int GetHeight() const;
    int GetMinWidth() const;
    int GetMinHeight() const;
    int GetMaxWidth() const;
    int GetMaxHeight() const;
    void SetWidth(int n);
    void SetHeight(int n);
    BOOL NeedsClip() const { return m_bNeedsClip; }

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pMarginProperty;
    static CLVKMarkupDependencyProperty* m_pHorizontalAlignmentProperty;
    static CLVKMarkupDependencyProperty* m_pVerticalAlignmentProperty;
    static CLVKMarkupDependencyProperty* m_pWidthProperty;
    static CLVKMarkupDependencyProperty* m_pHeightProperty;
    static CLVKMarkupDependencyProperty* m_pMinWidthProperty;
    static CLVKMarkupDependencyProperty* m_pMinHeightProperty;
    static CLVKMarkupDependencyProperty* m_pMaxWidthProperty;
    static CLVKMarkupDependencyProperty* m_pMaxHeightProperty;
    static CLVKMarkupDependencyProperty* m_pTagProperty;

protected:
    void UpdateMinMax();
    POINT ComputeAlignmentOffset(int nClientWidth, int nClientHeight, int nInkWidth, int nInkHeight) const;
    void GetMarginSizes(int& nHorizontal, int& nVertical) const;

    BOOL m_bNeedsClip = FALSE;
    SIZE m_szUnclipped = {0, 0};
    BOOL m_bUnclippedValid = FALSE;
    int m_nMaxHeight = 0x7FFFFFFF;
    int m_nMinHeight = 0;
    int m_nMaxWidth = 0x7FFFFFFF;
    int m_nMinWidth = 0;

protected:
    DECLARE_DISPATCH_MAP()
};
