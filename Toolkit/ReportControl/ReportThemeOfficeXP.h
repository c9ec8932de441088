// The Office XP report theme: flat-framed header columns.
#pragma once

#include "ReportPaintManager.h"

class CLVKReportThemeOfficeXP : public CLVKReportPaintManager
{
public:
    CLVKReportThemeOfficeXP();

    void DrawColumnBackground(CDC* pDC, CLVKReportColumn* pColumn, RECT rcColumn, BOOL& bColumnPressed,
                              BOOL& bDraggingFromHeader, CLVKReportHeader* pHeader) override;
};
