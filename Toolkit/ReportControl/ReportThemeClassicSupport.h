// Lines and fills shared by the classic report themes' header columns.
#pragma once

#include "Framework.h"

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

// a - (a - b) x factor, per channel.
inline COLORREF LVKReportBlend(COLORREF a, COLORREF b, double dFactor)
{
    auto mix = [dFactor](int x, int y) { return static_cast<int>(x - (x - y) * dFactor); };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}
