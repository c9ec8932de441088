// The VS2012 report themes (light, dark, blue): the flat theme with a fixed
// colour set. The colour sets differ only in their base colours; the rest
// follow those.
#pragma once

#include "ReportThemeOffice2013.h"

class CLVKReportThemeVisualStudio2012 : public CLVKReportThemeOffice2013
{
protected:
    // Sets the colours that follow the face, text, dark and highlight colours
    // a colour set has just set.
    void SetFollowingColours();
};
