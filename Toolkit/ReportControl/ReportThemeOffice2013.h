// The flat report theme: flat header and group rows, upper-case captions and
// the flat glyph strip. The VS2015 report theme derives from it.
#pragma once

#include "ReportPaintManager.h"

class CLVKReportThemeOffice2013 : public CLVKReportPaintManager
{
public:
    CLVKReportThemeOffice2013();

    void LoadGlyphs() override;
    void RefreshMetrics() override;
    void DrawItemBackground(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, LVK_REPORTRECORDITEM_METRICS* pMetrics) override;
    void FillGroupRowMetrics(CLVKReportGroupRow* pRow, LVK_REPORTRECORDITEM_METRICS* pMetrics, BOOL bPrinting) override;
    void DrawGroupRow(CDC* pDC, CLVKReportGroupRow* pRow, RECT rcRow, LVK_REPORTRECORDITEM_METRICS* pMetrics) override;
    void DrawColumn(CDC* pDC, CLVKReportColumn* pColumn, CLVKReportHeader* pHeader, RECT rcColumn,
                    BOOL bPressed) override;
    void DrawColumnBackground(CDC* pDC, CLVKReportColumn* pColumn, RECT rcColumn, BOOL bPressed) override;
    SIZE DrawExpandGlyph(CDC* pDC, RECT rcGlyph, BOOL bExpanded) override;
    void DrawFocusedRow(CDC* pDC, RECT rcRow) override;
    void DrawSortArrow(CDC* pDC, RECT rcArrow, BOOL bAscending) override;
    void FillHeaderControl(CDC* pDC, RECT rcHeader) override;

    CLVKPaintManagerColor m_clrGroupText;
    CLVKPaintManagerColor m_clrGroupTextHilite;
    CLVKPaintManagerColor m_clrGroupBack;
    CLVKPaintManagerColor m_clrGroupBackHilite;
    CLVKPaintManagerColor m_clrGlyph;
    CLVKPaintManagerColor m_clrGlyphHighlight;
    CLVKPaintManagerColor m_clrGlyphExpand;
    CLVKPaintManagerColor m_clrGlyphBorder;
    CLVKPaintManagerColor m_clrGlyphContract;
};
