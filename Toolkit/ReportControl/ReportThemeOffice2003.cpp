#include "ReportThemeOffice2003.h"

#include "ReportHeader.h"
#include "ReportThemeClassicSupport.h"
#include "Foundation/DpiScaling.h"

CLVKReportThemeOffice2003::CLVKReportThemeOffice2003()
{
    m_nThemeKind = 0;
}

void CLVKReportThemeOffice2003::DrawColumn(CDC* pDC, CLVKReportColumn* pColumn, CLVKReportHeader* pHeader,
                                           RECT rcColumn, BOOL bDrawExternal, int /*nShadowWidth*/)
{
    // Columns in the header, and the drag image of a column dragged from
    // it, carry the shaded bottom edge.
    const BOOL bDragImage = bDrawExternal && pHeader && pHeader->GetTrackingColumn() == pColumn &&
                            pHeader->IsDraggingFromHeader() && rcColumn.left == 0 && rcColumn.top == 0;
    const int nShadow = !bDrawExternal || bDragImage ? CLVKDpiScaling::GetGlobal()->ScaleY(4) : 0;
    CLVKReportPaintManager::DrawColumn(pDC, pColumn, pHeader, rcColumn, bDrawExternal, nShadow);
}

void CLVKReportThemeOffice2003::DrawColumnBackground(CDC* pDC, CLVKReportColumn* pColumn, RECT rc, BOOL&, BOOL&,
                                                     CLVKReportHeader*)
{
    HDC hDC = pDC->m_hDC;
    if (LVKReportHasDivider(pColumn) || !pColumn)
        LVKReportLine(hDC, rc.right - 1, rc.top + 2, rc.right - 1, rc.bottom - 2, m_clrControlDark);
    LVKReportLine(hDC, rc.left, rc.bottom - 3, rc.right, rc.bottom - 3,
                  BlendColor(m_clrHeaderControl, m_clrControlDark, 0.25));
    LVKReportLine(hDC, rc.left, rc.bottom - 2, rc.right, rc.bottom - 2,
                  BlendColor(m_clrHeaderControl, m_clrControlDark, 0.40));
    LVKReportLine(hDC, rc.left, rc.bottom - 1, rc.right, rc.bottom - 1,
                  BlendColor(m_clrHeaderControl, m_clrControlDark, 0.60));
    if (!LVKReportPreviousHidesDivider(pColumn))
        LVKReportLine(hDC, rc.left, rc.top, rc.left, rc.bottom - 3, m_clrControlLightLight);
}
