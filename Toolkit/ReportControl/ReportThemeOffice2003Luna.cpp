#include "ReportThemeOffice2003Luna.h"

#include "ReportThemeClassicSupport.h"
#include "Foundation/DrawHelpers.h"

CLVKReportThemeOffice2003Luna::CLVKReportThemeOffice2003Luna()
{
    m_nThemeKind = 3;
    CLVKReportThemeOffice2003Luna::RefreshMetrics();
}

void CLVKReportThemeOffice2003Luna::RefreshMetrics()
{
    CLVKReportPaintManager::RefreshMetrics();
    // The blue Luna look.
    m_grcColumnNormal.SetStandardColors(RGB(247, 250, 255), RGB(198, 216, 243));
    m_grcColumnPressed.SetStandardColors(RGB(254, 142, 75), RGB(255, 207, 139));
    m_clrColumnShadow.SetStandardValue(RGB(101, 147, 207));
    m_clrGradientColumnSeparator.SetStandardValue(RGB(154, 198, 255));
    m_clrHeaderControl.SetStandardValue(RGB(198, 216, 243));
}

void CLVKReportThemeOffice2003Luna::DrawColumnBackground(CDC* pDC, CLVKReportColumn*, RECT rc, BOOL bPressed)
{
    HDC hDC = pDC->m_hDC;
    const CLVKPaintManagerColorGradient& grc = bPressed ? m_grcColumnPressed : m_grcColumnNormal;
    CLVKDrawHelpers::FillGradientRect(pDC, &rc, grc.GetFirst(), grc.GetSecond(), FALSE);
    LVKReportLine(hDC, rc.left, rc.bottom - 1, rc.right, rc.bottom - 1, m_clrColumnShadow);
    LVKReportLine(hDC, rc.right - 1, rc.top + 2, rc.right - 1, rc.bottom - 4, m_clrGradientColumnSeparator);
    LVKReportLine(hDC, rc.left, rc.top, rc.left, rc.bottom - 1, m_clrControlLightLight);
}
