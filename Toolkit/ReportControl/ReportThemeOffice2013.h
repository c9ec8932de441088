// The flat report theme: flat header and group rows, upper-case captions and
// the flat glyph strip, colours from the resource theme's "ReportControl"
// section. The VS2012 and VS2015 report themes derive from it.
#pragma once

#include "ReportPaintManager.h"

class CLVKReportThemeOffice2013 : public CLVKReportPaintManager
{
public:
    CLVKReportThemeOffice2013();

    void LoadGlyphs() override;
    void RefreshMetrics() override;
    int GetFixedRowHeight(CDC* pDC, CLVKReportRow* pRow) override;
    RECT GetTreeGlyphRect(RECT rcRow, int dx) override;
    RECT GetTreeTextPosition(RECT rcGlyph, RECT rcRow, int nGlyphWidth, int nExtraOffset, int nIconSpace) override;
    void DrawItemBackground(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, LVK_REPORTRECORDITEM_METRICS* pMetrics) override;
    void DrawGroupRow(CDC* pDC, CLVKReportGroupRow* pRow, RECT rcRow, LVK_REPORTRECORDITEM_METRICS* pMetrics) override;
    void DrawColumnCaption(CDC* pDC, RECT rcText, const CString& strCaption, int nHeaderAlignment,
                           BOOL bPlainButton, BOOL bTracked) override;
    void DrawFocusedRow(CDC* pDC, RECT rcRow) override;
    void DrawSortArrow(CDC* pDC, RECT rcArrow, BOOL bDecreasing, BOOL bPressed, int nShadowWidth,
                       BOOL bTracked) override;
    SIZE DrawExpandGlyph(CDC* pDC, CLVKReportRow* pRow, RECT& rcGlyph) override;
    void DrawColumnBackground(CDC* pDC, CLVKReportColumn* pColumn, RECT rcColumn, BOOL& bColumnPressed,
                              BOOL& bDraggingFromHeader, CLVKReportHeader* pHeader) override;
    void DrawHeaderBorder(CDC* pDC, RECT rc) override;
    LRESULT DrawControlBorder(CDC* pDC, RECT rcWindow, CWnd* pWnd) override;

    CLVKPaintManagerColor m_clrGroupText;
    CLVKPaintManagerColor m_clrGroupTextHilite;
    CLVKPaintManagerColor m_clrGroupBack;
    CLVKPaintManagerColor m_clrGroupBackHilite;
    CLVKPaintManagerColor m_clrGlyph;
    CLVKPaintManagerColor m_clrGlyphHighlight;
    CLVKPaintManagerColor m_clrGlyphExpand;
    CLVKPaintManagerColor m_clrGlyphBorder;
    CLVKPaintManagerColor m_clrGlyphContract;

protected:
    // The steps every flat theme ends its colours with: the grid in BtnFace,
    // solid group lines, fresh brushes and the caption-derived heights.
    void FinishFlatMetrics();
    // The control's theme-metrics switch (the flat row and tree metrics).
    BOOL IsThemeMetrics() const;
};
