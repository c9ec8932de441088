// Two-pass layout with caching: a parent measures a child with an available
// size, reads its desired size, then arranges it in a final rectangle.
#pragma once

#include "Markup/MarkupVisual.h"

// a - b for available lengths: infinite stays infinite, never below 0.
int AFX_CDECL MarkupLengthSubtract(int a, int b);

class CLVKMarkupUIElement : public CLVKMarkupVisual
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    void Measure(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight);
    void Arrange(int nLeft, int nTop, int nRight, int nBottom);
    void Arrange(const RECT& rc) { Arrange(rc.left, rc.top, rc.right, rc.bottom); }
    SIZE GetDesiredSize() const { return m_szDesired; }
    const RECT& GetFinalRect() const { return m_rcFinal; }

    virtual void InvalidateArrange();
    virtual void InvalidateVisual();
    virtual void InvalidateMeasure();
    virtual void ArrangeCore(int nLeft, int nTop, int nRight, int nBottom);
    virtual SIZE MeasureCore(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight);
    virtual void RemeasureAndPropagate(CLVKMarkupDrawingContext* pDC);

    BOOL GetLayoutClip(RECT& rcClip) const override;
    void ApplyRenderTransform(TransformPair& pair, CLVKMarkupDrawingContext* pDC) override;

    int GetVisibility() const;
    BOOL IsCollapsed() const { return GetVisibility() == 2; }
    BOOL IsEnabled() const;
    BOOL GetClipToBounds() const;
    void SetVisibility(int nVisibility);

    // How many times MeasureCore ran on this element (the layout caches
    // keep it from running for an unchanged tree).
    int GetMeasureCoreCount() const { return m_nMeasureCoreCount; }

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pClipToBoundsProperty;
    static CLVKMarkupDependencyProperty* m_pVisibilityProperty;
    static CLVKMarkupDependencyProperty* m_pFocusableProperty;
    static CLVKMarkupDependencyProperty* m_pIsEnabledProperty;
    static CLVKMarkupDependencyProperty* m_pRenderTransformProperty;

protected:
    SIZE m_szDesired = {0, 0};
    RECT m_rcFinal = {0, 0, 0, 0};
    BOOL m_bMeasureForced = FALSE;
    BOOL m_bMeasureInvalid = TRUE;
    SIZE m_szLastAvailable = {0, 0};
    BOOL m_bArrangeInvalid = FALSE;
    BOOL m_bArrangePending = TRUE;
    BOOL m_bInArrange = FALSE;
    BOOL m_bInMeasure = FALSE;
    int m_nMeasureCoreCount = 0;

public:
    // Script members.
    IDispatch* OleGetRenderTransform();

protected:
    DECLARE_DISPATCH_MAP()
};
