#include "ReportThemeDefault.h"

#include "ReportThemeClassicSupport.h"

CLVKReportThemeDefault::CLVKReportThemeDefault()
{
    m_nThemeKind = 0;
}

void CLVKReportThemeDefault::DrawColumnBackground(CDC* pDC, CLVKReportColumn*, RECT rcColumn, BOOL bPressed)
{
    LVKReportFillSolid(pDC->m_hDC, rcColumn, bPressed ? m_clrControlDark.GetColor() : m_clrHeaderControl.GetColor());
    DrawEdge(pDC->m_hDC, &rcColumn, bPressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
}
