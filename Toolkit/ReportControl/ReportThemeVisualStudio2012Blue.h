// The VS2012 blue report theme: the flat theme with a fixed colour set.
#pragma once

#include "ReportThemeVisualStudio2012.h"

class CLVKReportThemeVisualStudio2012Blue : public CLVKReportThemeVisualStudio2012
{
public:
    CLVKReportThemeVisualStudio2012Blue();

    void RefreshMetrics() override;
};
