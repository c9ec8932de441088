#include "ReportThemeClassicSupport.h"

#include "ReportColumn.h"
#include "ReportColumns.h"

CLVKReportColumn* AFX_CDECL LVKReportPreviousVisibleColumn(CLVKReportColumn* pColumn)
{
    if (!pColumn || !pColumn->GetColumns())
        return nullptr;
    const int nVisible = pColumn->GetVisibleIndex();
    return nVisible > 0 ? pColumn->GetColumns()->GetVisibleAt(nVisible - 1) : nullptr;
}

BOOL AFX_CDECL LVKReportHasDivider(CLVKReportColumn* pColumn)
{
    return pColumn && pColumn->IsDrawHeaderDivider();
}

BOOL AFX_CDECL LVKReportPreviousHidesDivider(CLVKReportColumn* pColumn)
{
    CLVKReportColumn* pPrevious = LVKReportPreviousVisibleColumn(pColumn);
    return pPrevious && !pPrevious->IsDrawHeaderDivider();
}

void AFX_CDECL LVKReportPaintOverHiddenDividers(HDC hDC, CLVKReportColumn* pColumn, const RECT& rc,
                                                COLORREF clrHeader, COLORREF clrLight)
{
    if (pColumn && !pColumn->IsDrawHeaderDivider())
    {
        LVKReportLine(hDC, rc.right - 1, rc.top + 1, rc.right - 1, rc.bottom - 1, clrHeader);
        LVKReportLine(hDC, rc.right - 1, rc.top, rc.right - 1, rc.top + 1, clrLight);
    }
    if (LVKReportPreviousHidesDivider(pColumn))
        LVKReportLine(hDC, rc.left, rc.top + 1, rc.left, rc.bottom - 1, clrHeader);
}
