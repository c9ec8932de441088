// The VS2012 light report theme: the flat theme with a fixed colour set.
#pragma once

#include "ReportThemeOffice2013.h"

class CLVKReportThemeVisualStudio2012Light : public CLVKReportThemeOffice2013
{
public:
    CLVKReportThemeVisualStudio2012Light();

    void RefreshMetrics() override;
};
