// The default report theme: raised 3D header columns.
#pragma once

#include "ReportPaintManager.h"

class CLVKReportThemeDefault : public CLVKReportPaintManager
{
public:
    CLVKReportThemeDefault();

    void DrawColumnBackground(CDC* pDC, CLVKReportColumn* pColumn, RECT rcColumn, BOOL& bColumnPressed,
                              BOOL& bDraggingFromHeader, CLVKReportHeader* pHeader) override;
};
