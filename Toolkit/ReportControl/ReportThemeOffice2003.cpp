#include "ReportThemeOffice2003.h"

#include "ReportThemeClassicSupport.h"

CLVKReportThemeOffice2003::CLVKReportThemeOffice2003()
{
    m_nThemeKind = 0;
}

void CLVKReportThemeOffice2003::DrawColumnBackground(CDC* pDC, CLVKReportColumn*, RECT rc, BOOL bPressed)
{
    HDC hDC = pDC->m_hDC;
    const COLORREF clrHeader = bPressed ? m_clrControlDark.GetColor() : m_clrHeaderControl.GetColor();
    LVKReportFillSolid(hDC, rc, clrHeader);
    LVKReportLine(hDC, rc.right - 1, rc.top + 2, rc.right - 1, rc.bottom - 2, m_clrControlDark);
    LVKReportLine(hDC, rc.left, rc.bottom - 3, rc.right, rc.bottom - 3,
                  LVKReportBlend(clrHeader, m_clrControlDark, 0.25));
    LVKReportLine(hDC, rc.left, rc.bottom - 2, rc.right, rc.bottom - 2,
                  LVKReportBlend(clrHeader, m_clrControlDark, 0.40));
    LVKReportLine(hDC, rc.left, rc.bottom - 1, rc.right, rc.bottom - 1,
                  LVKReportBlend(clrHeader, m_clrControlDark, 0.60));
    LVKReportLine(hDC, rc.left, rc.top, rc.left, rc.bottom - 3, m_clrControlLightLight);
}
