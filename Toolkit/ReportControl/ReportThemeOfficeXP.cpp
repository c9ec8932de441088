#include "ReportThemeOfficeXP.h"

#include "ReportThemeClassicSupport.h"

CLVKReportThemeOfficeXP::CLVKReportThemeOfficeXP()
{
    m_nThemeKind = 1;
}

void CLVKReportThemeOfficeXP::DrawColumnBackground(CDC* pDC, CLVKReportColumn* pColumn, RECT rc, BOOL&, BOOL&,
                                                   CLVKReportHeader*)
{
    HDC hDC = pDC->m_hDC;
    // A flat frame: light at the top and left, dark at the bottom and right.
    LVKReportLine(hDC, rc.left, rc.top, rc.right, rc.top, m_clrControlLightLight);
    LVKReportLine(hDC, rc.left, rc.top, rc.left, rc.bottom, m_clrControlLightLight);
    LVKReportLine(hDC, rc.left, rc.bottom - 1, rc.right, rc.bottom - 1, m_clrControlDark);
    LVKReportLine(hDC, rc.right - 1, rc.top, rc.right - 1, rc.bottom, m_clrControlDark);
    LVKReportPaintOverHiddenDividers(hDC, pColumn, rc, m_clrHeaderControl, m_clrControlLightLight);
}
