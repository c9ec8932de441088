// Lines and fills shared by the report themes' header columns.
#pragma once

#include "Framework.h"

class CLVKReportColumn;

inline void LVKReportFillSolid(HDC hDC, const RECT& rc, COLORREF clr)
{
    const COLORREF clrOld = SetBkColor(hDC, clr);
    ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    SetBkColor(hDC, clrOld);
}

// A one-pixel line from (x1, y1) to (x2, y2), end exclusive, horizontal or vertical.
inline void LVKReportLine(HDC hDC, int x1, int y1, int x2, int y2, COLORREF clr)
{
    RECT rc{x1, y1, x1 == x2 ? x1 + 1 : x2, y1 == y2 ? y1 + 1 : y2};
    LVKReportFillSolid(hDC, rc, clr);
}

// The visible column before a column in the header, or null.
CLVKReportColumn* AFX_CDECL LVKReportPreviousVisibleColumn(CLVKReportColumn* pColumn);
// The column draws its divider line (a missing column does not).
BOOL AFX_CDECL LVKReportHasDivider(CLVKReportColumn* pColumn);
// The previous visible column exists and hides its divider.
BOOL AFX_CDECL LVKReportPreviousHidesDivider(CLVKReportColumn* pColumn);

// Edges of a column whose divider (or whose left neighbour's divider) is off
// are painted over in the header colour, so that the columns read as one.
void AFX_CDECL LVKReportPaintOverHiddenDividers(HDC hDC, CLVKReportColumn* pColumn, const RECT& rc,
                                                COLORREF clrHeader, COLORREF clrLight);
