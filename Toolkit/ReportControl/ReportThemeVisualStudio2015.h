// The VS2015 report theme: the flat theme with every colour taken from the
// "ReportControl" section of the loaded resource theme, or its own defaults.
#pragma once

#include "ReportThemeOffice2013.h"

class CLVKReportThemeVisualStudio2015 : public CLVKReportThemeOffice2013
{
public:
    CLVKReportThemeVisualStudio2015() = default;

    void RefreshMetrics() override;
};
