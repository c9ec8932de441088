// The resource report theme: gradient header columns in the colours of the
// loaded resource theme's "ReportControl" section, or of a base colour.
#pragma once

#include "ReportPaintManager.h"

class CLVKReportThemeResource : public CLVKReportPaintManager
{
public:
    CLVKReportThemeResource();
    void RefreshMetrics() override;
    void FillFooter(CDC* pDC, RECT rcFooter) override;
    void DrawColumnBackground(CDC* pDC, CLVKReportColumn* pColumn, RECT rcColumn, BOOL& bColumnPressed,
                              BOOL& bDraggingFromHeader, CLVKReportHeader* pHeader) override;
    void DrawColumnSeparator(CDC* pDC, CLVKReportColumn* pColumn, RECT rc) override;
    void DrawColumnCaption(CDC* pDC, RECT rcText, const CString& strCaption, int nHeaderAlignment,
                           BOOL bPlainButton, BOOL bTracked) override;
    void DrawHeaderBorder(CDC* pDC, RECT rc) override;
    SIZE DrawExpandGlyph(CDC* pDC, CLVKReportRow* pRow, RECT& rcGlyph) override;

    // The colour the theme's colours derive from (-1: the resource theme's).
    COLORREF m_clrBase = static_cast<COLORREF>(-1);
};
