#include "ReportThemeDefault.h"

#include "ReportThemeClassicSupport.h"

CLVKReportThemeDefault::CLVKReportThemeDefault()
{
    m_nThemeKind = 0;
}

void CLVKReportThemeDefault::DrawColumnBackground(CDC* pDC, CLVKReportColumn* pColumn, RECT rcColumn, BOOL&, BOOL&,
                                                  CLVKReportHeader*)
{
    DrawEdge(pDC->m_hDC, &rcColumn, EDGE_RAISED, BF_RECT);
    LVKReportPaintOverHiddenDividers(pDC->m_hDC, pColumn, rcColumn, m_clrHeaderControl, m_clrControlLightLight);
}
