// The VS2012 Dark report theme.
#pragma once

#include "ReportThemeVisualStudio2012.h"

class CLVKReportThemeVisualStudio2012Dark : public CLVKReportThemeVisualStudio2012
{
public:
    CLVKReportThemeVisualStudio2012Dark();

protected:
    const ColorSet& GetColorSet() const override;
    void SetOwnColors() override;
};
