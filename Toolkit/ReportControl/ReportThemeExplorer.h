// The Explorer report theme: header columns and check boxes in the system's
// visual style when there is one.
#pragma once

#include "ReportPaintManager.h"

class CLVKReportThemeExplorer : public CLVKReportPaintManager
{
public:
    CLVKReportThemeExplorer();
    void DrawColumnBackground(CDC* pDC, CLVKReportColumn* pColumn, RECT rcColumn, BOOL& bColumnPressed,
                              BOOL& bDraggingFromHeader, CLVKReportHeader* pHeader) override;
    SIZE DrawGlyph(CDC* pDC, RECT rcGlyph, int nGlyph) override;
    BOOL IsHeaderThemed() const override;
};
