#include "ReportThemeOffice2003Luna.h"

#include "ReportColumn.h"
#include "ReportControl.h"
#include "ReportHeader.h"
#include "ReportThemeClassicSupport.h"
#include "Foundation/ColorManager.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/DrawHelpers.h"

CLVKReportThemeOffice2003Luna::CLVKReportThemeOffice2003Luna()
{
    m_nThemeKind = 3;
    CLVKReportThemeOffice2003Luna::RefreshMetrics();
}

void CLVKReportThemeOffice2003Luna::RefreshMetrics()
{
    CLVKReportPaintManager::RefreshMetrics();
    CLVKColorManager* pColors = CLVKColorManager::GetGlobal();
    const int nTheme = pColors->GetDetectedTheme();
    const BOOL bLuna = !pColors->AreLunaColorsOff() && nTheme >= CLVKColorManager::themeLunaBlue &&
                       nTheme <= CLVKColorManager::themeAero;
    if (bLuna)
    {
        switch (nTheme)
        {
        case CLVKColorManager::themeLunaOlive:
            m_clrGroupShadeBorder.SetStandardValue(0x8FC4B5);
            m_clrGroupShadeBack.SetStandardValue(0x91BAAF);
            m_clrGroupRowText.SetStandardValue(0x548973);
            SetBorderColor(0xE1E9EA);
            break;
        case CLVKColorManager::themeLunaSilver:
            m_clrGroupShadeBorder.SetStandardValue(0xBDA4A5);
            m_clrGroupShadeBack.SetStandardValue(0xEBE5E5);
            m_clrGroupRowText.SetStandardValue(0x916F70);
            SetBorderColor(0xEBE5E5);
            break;
        default:
            m_clrGroupShadeBorder.SetStandardValue(0xE0A47B);
            m_clrGroupShadeBack.SetStandardValue(0xFBDABE);
            m_clrGroupRowText.SetStandardValue(0xB96837);
            SetBorderColor(0xE1E9EA);
            break;
        }
        m_clrIndentControl.SetStandardValue(0xC9EEFD);
    }
    m_grcColumnNormal.SetStandardColors(
        CLVKDrawHelpers::MixColors(GetToolkitColor(15), GetToolkitColor(5), 0.205), GetToolkitColor(15), 0.5f);
    m_grcColumnHot.SetStandardColors(GetToolkitColor(31), GetToolkitColor(31), 0.5f);
    m_grcColumnPressed.SetStandardColors(GetToolkitColor(33), GetToolkitColor(33), 0.5f);
    m_clrColumnShadow.SetStandardValue(GetToolkitColor(30));
    m_clrGradientColumnSeparator.SetStandardValue(GetToolkitColor(39));
    if (nTheme >= CLVKColorManager::themeLunaBlue && nTheme <= CLVKColorManager::themeAero)
    {
        switch (nTheme)
        {
        case CLVKColorManager::themeLunaOlive:
            m_grcColumnNormal.SetStandardColors(0xDEF7F4, 0x91C6B7, 0.5f);
            m_clrColumnShadow.SetStandardValue(0x588060);
            m_clrGradientColumnSeparator.SetStandardValue(0x588060);
            break;
        case CLVKColorManager::themeLunaSilver:
            m_grcColumnNormal.SetStandardColors(0xFAF4F3, 0xB59799, 0.5f);
            m_clrColumnShadow.SetStandardValue(0x947C7C);
            m_clrGradientColumnSeparator.SetStandardValue(0x8F6D6E);
            break;
        default:
            m_grcColumnNormal.SetStandardColors(0xFEECDD, 0xE2A981, 0.5f);
            m_clrColumnShadow.SetStandardValue(0x9C613B);
            m_clrGradientColumnSeparator.SetStandardValue(0xCB8C6A);
            break;
        }
        m_grcColumnPressed.SetStandardColors(0x4B8EFE, 0x8BCFFF, 0.5f);
        m_grcColumnHot.SetStandardColors(0xC8F2FF, 0x97D4FF, 0.5f);
    }
}

void CLVKReportThemeOffice2003Luna::FillFooter(CDC* pDC, RECT rc)
{
    LVKReportFillGradientFooter(this, pDC, rc, m_clrControlBack);
}

void CLVKReportThemeOffice2003Luna::DrawColumnBackground(CDC* pDC, CLVKReportColumn* pColumn, RECT rc,
                                                         BOOL& bColumnPressed, BOOL&, CLVKReportHeader* pHeader)
{
    LVKReportDrawGradientColumn(this, pDC, pColumn, rc, bColumnPressed, pHeader, TRUE);
}

void CLVKReportThemeOffice2003Luna::DrawColumnSeparator(CDC* pDC, CLVKReportColumn* pColumn, RECT rc)
{
    LVKReportDrawGradientSeparator(this, pDC, pColumn, rc);
}

void AFX_CDECL LVKReportDrawGradientColumn(CLVKReportPaintManager* pPaintManager, CDC* pDC,
                                           CLVKReportColumn* pColumn, RECT rc, BOOL& bColumnPressed,
                                           CLVKReportHeader* pHeader, BOOL bLightLeftEdge)
{
    HDC hDC = pDC->m_hDC;
    const BOOL bHot = pColumn && pHeader && pHeader->GetHotColumn() == pColumn;
    const CLVKPaintManagerColorGradient& grc =
        bColumnPressed ? pPaintManager->m_grcColumnPressed
                       : (bHot ? pPaintManager->m_grcColumnHot : pPaintManager->m_grcColumnNormal);
    CLVKDrawHelpers::FillGradientRect(pDC, &rc, grc.GetFirst(), grc.GetSecond(), FALSE);
    LVKReportLine(hDC, rc.left, rc.bottom - 1, rc.right, rc.bottom - 1, pPaintManager->m_clrColumnShadow);
    if (!pColumn || pColumn->IsDrawHeaderDivider())
        LVKReportLine(hDC, rc.right - 1, rc.top + 2, rc.right - 1, rc.bottom - 4,
                      pPaintManager->m_clrGradientColumnSeparator);
    if (bLightLeftEdge && !LVKReportPreviousHidesDivider(pColumn))
        LVKReportLine(hDC, rc.left, rc.top, rc.left, rc.bottom - 1, pPaintManager->m_clrControlLightLight);
    CLVKReportControl* pControl = pPaintManager->GetReportControl();
    if (pControl && pControl->IsGroupByVisible())
        LVKReportLine(hDC, rc.left, rc.top, rc.right, rc.top, pPaintManager->m_clrColumnShadow);
    bColumnPressed = FALSE;
}

void AFX_CDECL LVKReportFillGradientFooter(CLVKReportPaintManager* pPaintManager, CDC* pDC, RECT rc,
                                           COLORREF clrTopLine)
{
    HDC hDC = pDC->m_hDC;
    const CLVKPaintManagerColorGradient& grc = pPaintManager->m_grcColumnNormal;
    CLVKDrawHelpers::FillGradientRect(pDC, &rc, grc.GetSecond(), grc.GetFirst(), FALSE);
    const COLORREF clrShadow = pPaintManager->m_clrColumnShadow;
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    LVKReportLine(hDC, rc.left, rc.top, rc.right, rc.top, clrTopLine);
    LVKReportLine(hDC, rc.left, rc.top + pDpi->ScaleY(1), rc.right, rc.top + pDpi->ScaleY(1), clrShadow);
    LVKReportLine(hDC, rc.left, rc.top + pDpi->ScaleY(2), rc.right, rc.top + pDpi->ScaleY(2),
                  CLVKReportPaintManager::BlendColor(grc.GetSecond(), clrShadow, 0.25));
    LVKReportLine(hDC, rc.left, rc.top + pDpi->ScaleY(3), rc.right, rc.top + pDpi->ScaleY(3),
                  CLVKReportPaintManager::BlendColor(clrShadow, grc.GetSecond(), 0.1));
    LVKReportLine(hDC, rc.left, rc.bottom - pDpi->ScaleY(1), rc.right, rc.bottom - pDpi->ScaleY(1), clrShadow);
}

void AFX_CDECL LVKReportDrawGradientSeparator(CLVKReportPaintManager* pPaintManager, CDC* pDC,
                                              CLVKReportColumn* pColumn, RECT rc)
{
    if (!pColumn || !pColumn->IsDrawHeaderDivider())
        return;
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    const int x = rc.right - pDpi->ScaleX(1);
    LVKReportLine(pDC->m_hDC, x, rc.top + pDpi->ScaleY(6), x, rc.bottom - pDpi->ScaleY(9),
                  pPaintManager->m_clrControlLightLight);
    LVKReportLine(pDC->m_hDC, x - pDpi->ScaleX(1), rc.top + pDpi->ScaleY(5), x - pDpi->ScaleX(1),
                  rc.bottom - pDpi->ScaleY(9), pPaintManager->m_clrGradientColumnSeparator);
}
