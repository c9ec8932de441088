// A panel of equal cells, filled row by row.
#pragma once

#include "Markup/MarkupPanel.h"

class CLVKMarkupUniformGrid : public CLVKMarkupPanel
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;

    int GetComputedColumns() const { return m_nColumns; }
    int GetComputedRows() const { return m_nRows; }

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pColumnsProperty;
    static CLVKMarkupDependencyProperty* m_pRowsProperty;
    static CLVKMarkupDependencyProperty* m_pFirstColumnProperty;

private:
    void ComputeCells();

    int m_nColumns = 1;
    int m_nRows = 1;
    int m_nFirstColumn = 0;

protected:
    DECLARE_DISPATCH_MAP()
};
