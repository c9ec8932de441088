// The VS2012 dark report theme: the flat theme with a fixed colour set.
#pragma once

#include "ReportThemeVisualStudio2012.h"

class CLVKReportThemeVisualStudio2012Dark : public CLVKReportThemeVisualStudio2012
{
public:
    CLVKReportThemeVisualStudio2012Dark();

    void RefreshMetrics() override;
};
