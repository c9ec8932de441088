// Drawing helpers that the report paint manager's source files share:
// text measures, fills, grid-line patterns and icons.
#pragma once

#include "Framework.h"
#include "Foundation/FontDC.h"
#include "Foundation/ImageManagerIcon.h"
#include "Foundation/ResourceManager.h"
#include "ReportThemeClassicSupport.h"

namespace
{
inline void FillSolid(HDC hDC, const RECT& rc, COLORREF clr)
{
    LVKReportFillSolid(hDC, rc, clr);
}

// A string resource; empty when it does not load.
inline CString LoadText(UINT nID)
{
    CString str;
    if (!CLVKResourceManager::GetGlobal()->LoadString(&str, nID))
        str.Empty();
    return str;
}

inline int SpaceHeight(CFont* pFont)
{
    CClientDC dc(nullptr);
    CLVKFontDC font(&dc, pFont);
    SIZE sz{};
    GetTextExtentPoint32W(dc.m_hDC, L" ", 1, &sz);
    return sz.cy;
}

inline SIZE TextExtent(HDC hDC, const CString& str)
{
    SIZE sz{};
    GetTextExtentPoint32W(hDC, str, str.GetLength(), &sz);
    return sz;
}

// Character 1 stands for a space inside hyperlinks while text is broken
// into words; GDI gets spaces.
inline CString Unprotect(const CString& str)
{
    CString strOut = str;
    strOut.Replace(static_cast<WCHAR>(1), L' ');
    return strOut;
}

inline BOOL IsWordSeparator(WCHAR ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\n';
}

// Monochrome 8 x 8 patterns, one 16-bit word a row (the low byte holds the
// row's pixels, highest bit leftmost).
const WORD kPatternSmallDots[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
const WORD kPatternLargeDotsH[8] = {0xCC, 0x33, 0xCC, 0x33, 0xCC, 0x33, 0xCC, 0x33};
const WORD kPatternLargeDotsV[8] = {0xCC, 0xCC, 0x33, 0x33, 0xCC, 0xCC, 0x33, 0x33};
const WORD kPatternDashesH[8] = {0xE0, 0xE0, 0xE0, 0xE0, 0xE0, 0xE0, 0xE0, 0xE0};
const WORD kPatternDashesV[8] = {0xF0, 0xF0, 0xF0, 0xF0, 0x0F, 0x0F, 0x0F, 0x0F};
const WORD kPatternGroupLine[8] = {0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC};

inline const WORD* GridPattern(int nStyle, BOOL bVertical)
{
    switch (nStyle)
    {
    case 1:
        return kPatternSmallDots;
    case 2:
        return bVertical ? kPatternLargeDotsV : kPatternLargeDotsH;
    case 3:
        return bVertical ? kPatternDashesV : kPatternDashesH;
    default:
        return nullptr;
    }
}

// A bitmap drawn through a copy in the DC's background colour, as printers
// need; on the screen the icon is drawn directly.
inline void DrawIconAt(CDC* pDC, CLVKImageManagerIcon* pIcon, int x, int y)
{
    pIcon->Draw(pDC, x, y);
}
}  // namespace
