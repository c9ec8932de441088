#include "ReportRecordItemIcon.h"

#include "ReportControl.h"
#include "ReportPaintManager.h"
#include "ReportRow.h"
#include "Foundation/DpiScaling.h"

IMPLEMENT_DYNCREATE(CLVKReportRecordItemIcon, CLVKReportRecordItem)

namespace
{
RECT Shrunk(const RECT& rc)
{
    return RECT{rc.left + LVKScaleX(1), rc.top + LVKScaleY(1), rc.right - LVKScaleX(1), rc.bottom - LVKScaleY(1)};
}
}  // namespace

CLVKReportRecordItemIcon::CLVKReportRecordItemIcon()
{
    m_nAlignment = DT_CENTER | LVK_REPORT_ALIGN_WORDBREAK | LVK_REPORT_ICON_CENTER | LVK_REPORT_VALIGN_TOP;
}

BOOL CLVKReportRecordItemIcon::IsIconViewOf(const LVK_REPORTRECORDITEM_ARGS* pArgs)
{
    return pArgs && pArgs->pControl && pArgs->pControl->IsIconView() && pArgs->pRow;
}

int CLVKReportRecordItemIcon::GetIconViewIconHeight(CLVKReportControl* /*pControl*/)
{
    // The icon view takes the system's large icon size when it is switched on.
    return GetSystemMetrics(SM_CYICON);
}

int CLVKReportRecordItemIcon::Draw(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs)
{
    if (IsIconViewOf(pDrawArgs))
        pDrawArgs->rcItem = Shrunk(pDrawArgs->pRow->GetRect());
    return CLVKReportRecordItem::Draw(pDrawArgs);
}

void CLVKReportRecordItemIcon::GetCaptionRect(LVK_REPORTRECORDITEM_ARGS* pArgs, RECT& rcItem)
{
    if (!IsIconViewOf(pArgs))
    {
        CLVKReportRecordItem::GetCaptionRect(pArgs, rcItem);
        return;
    }
    const RECT& rcRow = pArgs->pRow->GetRect();
    rcItem = Shrunk(rcRow);
    rcItem.top += GetIconViewIconHeight(pArgs->pControl) + LVKScaleY(1);
    rcItem.left = rcRow.left + LVKScaleX(5) + LVKScaleX(2);
    rcItem.right -= LVKScaleX(2);
}

void CLVKReportRecordItemIcon::OnDrawCaption(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                             LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    if (!IsIconViewOf(pDrawArgs))
    {
        CLVKReportRecordItem::OnDrawCaption(pDrawArgs, pMetrics);
        return;
    }
    CLVKReportControl* pControl = pDrawArgs->pControl;
    CLVKReportPaintManager* pPaintManager = pControl->GetPaintManager();
    HDC hDC = pDrawArgs->pDC->m_hDC;
    RECT rcCell = Shrunk(pDrawArgs->rcItem);
    rcCell.top += GetIconViewIconHeight(pControl);
    RECT rcText{rcCell.left + LVKScaleX(2), rcCell.top + LVKScaleY(1), rcCell.right - LVKScaleX(2), rcCell.bottom};

    const UINT nFormat = static_cast<UINT>(pMetrics->nColumnAlignment) | kIconViewTextFormat;
    RECT rcMeasured = rcText;
    DrawTextW(hDC, pMetrics->strText, pMetrics->strText.GetLength(), &rcMeasured,
              (nFormat & ~(DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) | DT_CALCRECT);
    const int nCellWidth = rcCell.right - rcCell.left;
    const int nMeasured = rcMeasured.right - rcMeasured.left;
    const int nWidth = nMeasured + LVKScaleX(4) < nCellWidth ? nMeasured + LVKScaleX(4) : nCellWidth;
    rcText.left = (rcCell.left + rcCell.right - nWidth) / 2;
    rcText.right = rcText.left + nWidth;
    rcText.bottom = std::min(rcCell.bottom, rcMeasured.bottom);
    if (rcMeasured.bottom >= rcCell.bottom)
        rcText.bottom -= LVKScaleY(2);

    const BOOL bPrinting = pDrawArgs->pDC->m_bPrinting;
    if (pDrawArgs->pRow->IsSelected() && !bPrinting)
    {
        const BOOL bFocused = pControl->HasFocus();
        if (bFocused || !pPaintManager->m_bHideSelection)
        {
            const COLORREF clrBack = bFocused ? pPaintManager->m_clrHighlight : pPaintManager->m_clrSelectedRow;
            pMetrics->clrForeground =
                bFocused ? pPaintManager->m_clrHighlightText : pPaintManager->m_clrSelectedRowText;
            ::SetTextColor(hDC, pMetrics->clrForeground);
            const COLORREF clrOld = SetBkColor(hDC, clrBack);
            ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rcText, nullptr, 0, nullptr);
            SetBkColor(hDC, clrOld);
        }
    }
    if (pDrawArgs->pRow->IsFocused() && pControl->HasFocus() && pControl->IsFocusFrameShown() && !bPrinting)
    {
        RECT rcFocus = rcText;
        InflateRect(&rcFocus, LVKScaleX(1), LVKScaleY(1));
        pPaintManager->DrawFocusedRow(pDrawArgs->pDC, rcFocus);
    }
    pMetrics->nColumnAlignment = static_cast<int>(nFormat);
    pDrawArgs->rcItem = rcText;
    CLVKReportRecordItem::OnDrawCaption(pDrawArgs, pMetrics);
}
