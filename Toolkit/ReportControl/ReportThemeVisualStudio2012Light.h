// The VS2012 light report theme: the flat theme with a fixed colour set.
#pragma once

#include "ReportThemeVisualStudio2012.h"

class CLVKReportThemeVisualStudio2012Light : public CLVKReportThemeVisualStudio2012
{
public:
    CLVKReportThemeVisualStudio2012Light();

    void RefreshMetrics() override;
};
