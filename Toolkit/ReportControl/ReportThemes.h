// The report's own theme numbers (SetTheme 1 to 10; not the command bars' or
// the controls' theme numbers) and the paint manager each one creates.
#pragma once

class CLVKReportPaintManager;

enum LVKReportThemeNumber
{
    kReportThemeOfficeXP = 1,
    kReportThemeOffice2003 = 2,
    kReportThemeOffice2003Luna = 3,
    kReportThemeOffice2013 = 4,
    kReportThemeVisualStudio2012Light = 5,
    kReportThemeVisualStudio2012Dark = 6,
    kReportThemeVisualStudio2012Blue = 7,
    kReportThemeVisualStudio2015 = 8,
    kReportThemeExplorer = 9,
    kReportThemeResource = 10,
};

// A new paint manager (one reference) for a report theme number.
CLVKReportPaintManager* LVKCreateReportTheme(int nReportTheme);
