#include "ReportThemes.h"

#include "ReportPaintManager.h"

CLVKReportPaintManager* LVKCreateReportTheme(int /*nReportTheme*/)
{
    // Every number draws with the default paint manager until the themes exist.
    return new CLVKReportPaintManager();
}
