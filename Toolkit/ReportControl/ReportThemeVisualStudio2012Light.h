// The VS2012 Light report theme.
#pragma once

#include "ReportThemeVisualStudio2012.h"

class CLVKReportThemeVisualStudio2012Light : public CLVKReportThemeVisualStudio2012
{
public:
    CLVKReportThemeVisualStudio2012Light();

protected:
    const ColorSet& GetColorSet() const override;
    void SetOwnColors() override;
};
