#include "ReportThemeExplorer.h"

#include "ReportThemeClassicSupport.h"

#include <uxtheme.h>
#include <vssym32.h>

CLVKReportThemeExplorer::CLVKReportThemeExplorer()
{
    m_nThemeKind = 2;
}

void CLVKReportThemeExplorer::DrawColumnBackground(CDC* pDC, CLVKReportColumn*, RECT rc, BOOL bPressed)
{
    HDC hDC = pDC->m_hDC;
    HTHEME hTheme = IsAppThemed() ? OpenThemeData(nullptr, L"HEADER") : nullptr;
    if (hTheme)
    {
        DrawThemeBackground(hTheme, hDC, HP_HEADERITEM, bPressed ? HIS_PRESSED : HIS_NORMAL, &rc, nullptr);
        CloseThemeData(hTheme);
        return;
    }
    LVKReportFillSolid(hDC, rc, m_clrHeaderControl);
    if (bPressed)
    {
        HBRUSH hBrush = CreateSolidBrush(m_clrControlDark);
        FrameRect(hDC, &rc, hBrush);
        DeleteObject(hBrush);
        return;
    }
    LVKReportLine(hDC, rc.left, rc.top, rc.right, rc.top, m_clrControlLightLight);
    LVKReportLine(hDC, rc.left, rc.top, rc.left, rc.bottom, m_clrControlLightLight);
    LVKReportLine(hDC, rc.left, rc.bottom - 1, rc.right, rc.bottom - 1, m_clrBtnText);
    LVKReportLine(hDC, rc.right - 1, rc.top, rc.right - 1, rc.bottom, m_clrBtnText);
    LVKReportLine(hDC, rc.left + 1, rc.bottom - 2, rc.right - 1, rc.bottom - 2, m_clrControlDark);
    LVKReportLine(hDC, rc.right - 2, rc.top + 1, rc.right - 2, rc.bottom - 1, m_clrControlDark);
}

SIZE CLVKReportThemeExplorer::DrawGlyph(CDC* pDC, RECT rcGlyph, int nGlyph)
{
    int nState = 0;
    switch (nGlyph)
    {
    case 2:
        nState = CBS_UNCHECKEDNORMAL;
        break;
    case 3:
        nState = CBS_CHECKEDNORMAL;
        break;
    case 4:
        nState = CBS_UNCHECKEDDISABLED;
        break;
    case 5:
        nState = CBS_CHECKEDDISABLED;
        break;
    case 8:
        nState = CBS_MIXEDNORMAL;
        break;
    default:
        return CLVKReportPaintManager::DrawGlyph(pDC, rcGlyph, nGlyph);
    }
    HTHEME hTheme = IsAppThemed() ? OpenThemeData(nullptr, L"BUTTON") : nullptr;
    if (!hTheme)
        return CLVKReportPaintManager::DrawGlyph(pDC, rcGlyph, nGlyph);
    SIZE sz{};
    GetThemePartSize(hTheme, pDC ? pDC->m_hDC : nullptr, BP_CHECKBOX, nState, nullptr, TS_DRAW, &sz);
    if (pDC)
    {
        RECT rc{rcGlyph.left + 1, rcGlyph.top, rcGlyph.left + 1 + sz.cx, rcGlyph.top + sz.cy};
        DrawThemeBackground(hTheme, pDC->m_hDC, BP_CHECKBOX, nState, &rc, nullptr);
    }
    CloseThemeData(hTheme);
    return sz;
}
