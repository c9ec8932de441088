// The Office 2003 report theme: header columns with a divider line and a shaded bottom edge.
#pragma once

#include "ReportPaintManager.h"

class CLVKReportThemeOffice2003 : public CLVKReportPaintManager
{
public:
    CLVKReportThemeOffice2003();

    void DrawColumnBackground(CDC* pDC, CLVKReportColumn* pColumn, RECT rcColumn, BOOL bPressed) override;
};
