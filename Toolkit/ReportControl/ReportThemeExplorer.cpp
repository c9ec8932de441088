#include "ReportThemeExplorer.h"

#include "ReportColumn.h"
#include "ReportHeader.h"
#include "ReportThemeClassicSupport.h"

#include <vssym32.h>

CLVKReportThemeExplorer::CLVKReportThemeExplorer()
{
    m_nThemeKind = 2;
}

BOOL CLVKReportThemeExplorer::IsHeaderThemed() const
{
    return m_bUseVisualStyles && m_themeHeader.HasThemeData();
}

void CLVKReportThemeExplorer::DrawColumnBackground(CDC* pDC, CLVKReportColumn* pColumn, RECT rc,
                                                   BOOL& bColumnPressed, BOOL&, CLVKReportHeader* pHeader)
{
    HDC hDC = pDC->m_hDC;
    if (IsHeaderThemed())
    {
        const BOOL bHot = pColumn && pHeader && pHeader->GetHotColumn() == pColumn;
        const int nState = bColumnPressed ? HIS_PRESSED : (bHot ? HIS_HOT : HIS_NORMAL);
        m_themeHeader.DrawThemeBackground(hDC, HP_HEADERITEM, nState, &rc, nullptr);
        bColumnPressed = FALSE;
        return;
    }
    if (bColumnPressed)
    {
        HBRUSH hBrush = CreateSolidBrush(m_clrControlDark);
        FrameRect(hDC, &rc, hBrush);
        DeleteObject(hBrush);
        bColumnPressed = FALSE;
        return;
    }
    LVKReportLine(hDC, rc.left, rc.top, rc.right, rc.top, m_clrControlLightLight);
    LVKReportLine(hDC, rc.left, rc.top, rc.left, rc.bottom, m_clrControlLightLight);
    LVKReportLine(hDC, rc.left, rc.bottom - 1, rc.right, rc.bottom - 1, m_clrBtnText);
    LVKReportLine(hDC, rc.right - 1, rc.top, rc.right - 1, rc.bottom, m_clrBtnText);
    LVKReportLine(hDC, rc.left + 1, rc.top + 1, rc.right - 1, rc.top + 1, m_clrHeaderControl);
    LVKReportLine(hDC, rc.left + 1, rc.top + 1, rc.left + 1, rc.bottom - 1, m_clrHeaderControl);
    LVKReportLine(hDC, rc.left + 1, rc.bottom - 2, rc.right - 1, rc.bottom - 2, m_clrControlDark);
    LVKReportLine(hDC, rc.right - 2, rc.top + 1, rc.right - 2, rc.bottom - 1, m_clrControlDark);
    LVKReportPaintOverHiddenDividers(hDC, pColumn, rc, m_clrHeaderControl, m_clrControlLightLight);
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
    if (!m_bUseVisualStyles || !m_themeButton.HasThemeData())
        return CLVKReportPaintManager::DrawGlyph(pDC, rcGlyph, nGlyph);
    SIZE sz{};
    if (FAILED(m_themeButton.GetThemePartSize(pDC ? pDC->m_hDC : nullptr, BP_CHECKBOX, nState, nullptr, TS_DRAW,
                                              &sz)) ||
        sz.cx <= 0)
        return CLVKReportPaintManager::DrawGlyph(pDC, rcGlyph, nGlyph);
    if (pDC)
    {
        const int y = rcGlyph.top + (rcGlyph.bottom - rcGlyph.top - sz.cy) / 2;
        const RECT rc{rcGlyph.left + 1, y, rcGlyph.left + 1 + sz.cx, y + sz.cy};
        m_themeButton.DrawThemeBackground(pDC->m_hDC, BP_CHECKBOX, nState, &rc, nullptr);
    }
    return SIZE{sz.cx + 1, sz.cy + 1};
}
