// The VS2012 dark report theme: the flat theme with a fixed colour set.
#pragma once

#include "ReportThemeOffice2013.h"

class CLVKReportThemeVisualStudio2012Dark : public CLVKReportThemeOffice2013
{
public:
    CLVKReportThemeVisualStudio2012Dark();

    void RefreshMetrics() override;
};
