// The VS2012 Blue report theme.
#pragma once

#include "ReportThemeVisualStudio2012.h"

class CLVKReportThemeVisualStudio2012Blue : public CLVKReportThemeVisualStudio2012
{
public:
    CLVKReportThemeVisualStudio2012Blue();

protected:
    const ColorSet& GetColorSet() const override;
    void SetOwnColors() override;
};
