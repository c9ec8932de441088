// The Office 2003 report theme: flat header columns with a shaded bottom
// edge and a shadow under columns in the header.
#pragma once

#include "ReportPaintManager.h"

class CLVKReportThemeOffice2003 : public CLVKReportPaintManager
{
public:
    CLVKReportThemeOffice2003();
    void DrawColumn(CDC* pDC, CLVKReportColumn* pColumn, CLVKReportHeader* pHeader, RECT rcColumn,
                    BOOL bDrawExternal = FALSE, int nShadowWidth = 0) override;
    void DrawColumnBackground(CDC* pDC, CLVKReportColumn* pColumn, RECT rcColumn, BOOL& bColumnPressed,
                              BOOL& bDraggingFromHeader, CLVKReportHeader* pHeader) override;
};
