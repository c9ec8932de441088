// The resource report theme: gradient header columns in the resource theme's colours.
#pragma once

#include "ReportPaintManager.h"

class CLVKReportThemeResource : public CLVKReportPaintManager
{
public:
    CLVKReportThemeResource();

    void DrawColumnBackground(CDC* pDC, CLVKReportColumn* pColumn, RECT rcColumn, BOOL bPressed) override;
    void RefreshMetrics() override;
};
