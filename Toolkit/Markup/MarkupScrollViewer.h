// "ScrollViewer": one content element moved by two scroll offsets, with a
// vertical and a horizontal scroll bar shown as the visibility settings and
// the content's size require, and a corner square where both meet.
#pragma once

#include "Markup/MarkupChildSlot.h"
#include "Markup/MarkupContentControl.h"

class CLVKMarkupScrollBar;
class CLVKMarkupScrollBarGripper;

class CLVKMarkupScrollViewer : public CLVKMarkupContentControl
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    // Visibility of a bar.
    enum
    {
        visibilityDisabled = 0,
        visibilityAuto = 1,
        visibilityVisible = 2
    };

    CLVKMarkupScrollViewer();
    ~CLVKMarkupScrollViewer() override;

    // A scroll command of a bar (SB_LINEUP .. SB_ENDSCROLL) on one offset.
    void Scroll(BOOL bVertical, int nCode, int nPos);
    // Limited to the largest offset (unless an arrange is pending) and to 0.
    void SetOffset(BOOL bVertical, int nOffset);
    int GetOffset(BOOL bVertical) const { return bVertical ? m_nVerticalOffset : m_nHorizontalOffset; }
    int GetScrollableOffset(BOOL bVertical) const;
    CLVKMarkupScrollBar* GetScrollBar(BOOL bVertical) const
    {
        return bVertical ? m_vertical.Get() : m_horizontal.Get();
    }
    CLVKMarkupScrollBarGripper* GetGripper() const { return m_gripper.Get(); }

    int GetVisualChildrenCount() const override;
    CLVKMarkupVisual* GetVisualChild(int nIndex) const override;
    SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;
    void OnMouseWheel(CLVKMarkupMouseWheelEventArgs* pArgs) override;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pVerticalScrollBarVisibilityProperty;
    static CLVKMarkupDependencyProperty* m_pHorizontalScrollBarVisibilityProperty;

protected:
    long OleGetVerticalOffset() { return GetOffset(TRUE); }
    void OleSetVerticalOffset(long nOffset) { SetOffset(TRUE, nOffset); }
    long OleGetHorizontalOffset() { return GetOffset(FALSE); }
    void OleSetHorizontalOffset(long nOffset) { SetOffset(FALSE, nOffset); }
    DECLARE_DISPATCH_MAP()

private:
    int GetVisibility(CLVKMarkupDependencyProperty* pProperty) const;
    // The bar in the slot, made first when the slot is empty.
    CLVKMarkupScrollBar* EnsureBar(CLVKMarkupChildSlot<CLVKMarkupScrollBar>& bar, BOOL bVertical);
    static CLVKMarkupObject* AFX_CDECL ConvertVisibility(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue,
                                                         CLVKMarkupDependencyProperty* pProperty);

    CLVKMarkupChildSlot<CLVKMarkupScrollBar> m_vertical{this};
    CLVKMarkupChildSlot<CLVKMarkupScrollBar> m_horizontal{this};
    CLVKMarkupChildSlot<CLVKMarkupScrollBarGripper> m_gripper{this};
    int m_nHorizontalOffset = 0;
    int m_nVerticalOffset = 0;
};
