// The Office 2003 report theme in the system's Luna colours: gradient header
// columns and footer.
#pragma once

#include "ReportPaintManager.h"

class CLVKReportThemeOffice2003Luna : public CLVKReportPaintManager
{
public:
    CLVKReportThemeOffice2003Luna();
    void RefreshMetrics() override;
    void FillFooter(CDC* pDC, RECT rcFooter) override;
    void DrawColumnBackground(CDC* pDC, CLVKReportColumn* pColumn, RECT rcColumn, BOOL& bColumnPressed,
                              BOOL& bDraggingFromHeader, CLVKReportHeader* pHeader) override;
    void DrawColumnSeparator(CDC* pDC, CLVKReportColumn* pColumn, RECT rc) override;
};

// The gradient columns of the Luna and resource themes.
void AFX_CDECL LVKReportDrawGradientColumn(CLVKReportPaintManager* pPaintManager, CDC* pDC,
                                           CLVKReportColumn* pColumn, RECT rc, BOOL& bColumnPressed,
                                           CLVKReportHeader* pHeader, BOOL bLightLeftEdge);
// Their footer: the normal column gradient upside down with shaded lines.
void AFX_CDECL LVKReportFillGradientFooter(CLVKReportPaintManager* pPaintManager, CDC* pDC, RECT rc,
                                           COLORREF clrTopLine);
// Their column separator: a light line and the separator colour beside it.
void AFX_CDECL LVKReportDrawGradientSeparator(CLVKReportPaintManager* pPaintManager, CDC* pDC,
                                              CLVKReportColumn* pColumn, RECT rc);
