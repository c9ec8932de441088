// A panel that lines its children up across (or down) and starts a new line
// when the next child no longer fits; "ItemWidth" and "ItemHeight" give
// every child the same cell.
#pragma once

#include "Markup/MarkupPanel.h"

class CLVKMarkupWrapPanel : public CLVKMarkupPanel
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    // 0 horizontal (the default), 1 vertical.
    int GetOrientation() const;

    SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pOrientationProperty;
    static CLVKMarkupDependencyProperty* m_pItemWidthProperty;
    static CLVKMarkupDependencyProperty* m_pItemHeightProperty;

private:
    // The main (along the line) and cross size of a child: the item size
    // when set, else its desired size.
    void GetChildSizes(CLVKMarkupUIElement* pChild, BOOL bHorizontal, int& nMain, int& nCross) const;
    void ArrangeLine(int nFirst, int nEnd, BOOL bHorizontal, int nCrossOffset, int nThickness) const;

    int m_nItemWidth = 0;
    int m_nItemHeight = 0;

protected:
    DECLARE_DISPATCH_MAP()
};
