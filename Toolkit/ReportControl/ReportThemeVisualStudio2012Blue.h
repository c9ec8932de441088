// The VS2012 blue report theme: the flat theme with a fixed colour set.
#pragma once

#include "ReportThemeOffice2013.h"

class CLVKReportThemeVisualStudio2012Blue : public CLVKReportThemeOffice2013
{
public:
    CLVKReportThemeVisualStudio2012Blue();

    void RefreshMetrics() override;
};
