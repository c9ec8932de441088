#include "ReportThemes.h"

#include "ReportPaintManager.h"
#include "ReportThemeOffice2013.h"
#include "ReportThemeVisualStudio2015.h"

CLVKReportPaintManager* LVKCreateReportTheme(int nReportTheme)
{
    switch (nReportTheme)
    {
    case kReportThemeOffice2013:
        return new CLVKReportThemeOffice2013();
    case kReportThemeVisualStudio2015:
        return new CLVKReportThemeVisualStudio2015();
    default:
        // The other report themes draw as the default paint manager.
        return new CLVKReportPaintManager();
    }
}
