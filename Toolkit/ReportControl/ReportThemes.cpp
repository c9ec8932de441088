#include "ReportThemes.h"

#include "ReportThemeDefault.h"
#include "ReportThemeExplorer.h"
#include "ReportThemeOffice2003.h"
#include "ReportThemeOffice2003Luna.h"
#include "ReportThemeOffice2013.h"
#include "ReportThemeOfficeXP.h"
#include "ReportThemeResource.h"
#include "ReportThemeVisualStudio2012Blue.h"
#include "ReportThemeVisualStudio2012Dark.h"
#include "ReportThemeVisualStudio2012Light.h"
#include "ReportThemeVisualStudio2015.h"

CLVKReportPaintManager* LVKCreateReportTheme(int nReportTheme)
{
    switch (nReportTheme)
    {
    case kReportThemeOfficeXP:
        return new CLVKReportThemeOfficeXP();
    case kReportThemeOffice2003:
        return new CLVKReportThemeOffice2003();
    case kReportThemeOffice2003Luna:
        return new CLVKReportThemeOffice2003Luna();
    case kReportThemeOffice2013:
        return new CLVKReportThemeOffice2013();
    case kReportThemeVisualStudio2012Light:
        return new CLVKReportThemeVisualStudio2012Light();
    case kReportThemeVisualStudio2012Dark:
        return new CLVKReportThemeVisualStudio2012Dark();
    case kReportThemeVisualStudio2012Blue:
        return new CLVKReportThemeVisualStudio2012Blue();
    case kReportThemeVisualStudio2015:
        return new CLVKReportThemeVisualStudio2015();
    case kReportThemeExplorer:
        return new CLVKReportThemeExplorer();
    case kReportThemeResource:
        return new CLVKReportThemeResource();
    default:
        return new CLVKReportThemeDefault();
    }
}
