// The report pages' own options, set by the gallery's command line before the
// page is created.
#pragma once

struct ReportPageOptions
{
    int nReportTheme = -1;  // --report-theme N: the report's own theme number
};

ReportPageOptions& GetReportPageOptions();
