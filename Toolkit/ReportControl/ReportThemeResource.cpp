#include "ReportThemeResource.h"

#include "ReportThemeClassicSupport.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/ResourceImages.h"

CLVKReportThemeResource::CLVKReportThemeResource()
{
    m_nThemeKind = 4;
    CLVKReportThemeResource::RefreshMetrics();
}

void CLVKReportThemeResource::RefreshMetrics()
{
    CLVKReportPaintManager::RefreshMetrics();
    // The header's colours from the loaded resource theme's "ReportControl"
    // section, the Luna look without one.
    const COLORREF clrFace = GetResourceImageColor(L"ReportControl", L"HeaderControl", RGB(198, 216, 243));
    m_clrHeaderControl.SetStandardValue(clrFace);
    m_grcColumnNormal.SetStandardColors(
        GetResourceImageColor(L"ReportControl", L"NormalColumnLight", RGB(247, 250, 255)),
        GetResourceImageColor(L"ReportControl", L"NormalColumnDark", clrFace));
    m_grcColumnPressed.SetStandardColors(
        GetResourceImageColor(L"ReportControl", L"PressedColumnLight", RGB(254, 142, 75)),
        GetResourceImageColor(L"ReportControl", L"PressedColumnDark", RGB(255, 207, 139)));
    m_clrColumnShadow.SetStandardValue(GetResourceImageColor(L"ReportControl", L"ColumnShadow", RGB(101, 147, 207)));
    m_clrGradientColumnSeparator.SetStandardValue(
        GetResourceImageColor(L"ReportControl", L"ColumnSeparator", RGB(154, 198, 255)));
    m_clrCaptionText.SetStandardValue(GetResourceImageColor(L"ReportControl", L"CaptionText", m_clrBtnText));
}

void CLVKReportThemeResource::DrawColumnBackground(CDC* pDC, CLVKReportColumn*, RECT rc, BOOL bPressed)
{
    HDC hDC = pDC->m_hDC;
    const CLVKPaintManagerColorGradient& grc = bPressed ? m_grcColumnPressed : m_grcColumnNormal;
    CLVKDrawHelpers::FillGradientRect(pDC, &rc, grc.GetFirst(), grc.GetSecond(), FALSE);
    LVKReportLine(hDC, rc.left, rc.bottom - 1, rc.right, rc.bottom - 1, m_clrColumnShadow);
    LVKReportLine(hDC, rc.right - 1, rc.top + 2, rc.right - 1, rc.bottom - 4, m_clrGradientColumnSeparator);
}
