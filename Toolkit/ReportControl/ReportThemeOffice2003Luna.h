// The Office 2003 Luna report theme: gradient header columns with a shadow line.
#pragma once

#include "ReportPaintManager.h"

class CLVKReportThemeOffice2003Luna : public CLVKReportPaintManager
{
public:
    CLVKReportThemeOffice2003Luna();

    void DrawColumnBackground(CDC* pDC, CLVKReportColumn* pColumn, RECT rcColumn, BOOL bPressed) override;
    void RefreshMetrics() override;
};
