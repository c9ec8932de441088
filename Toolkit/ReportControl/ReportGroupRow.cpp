#include "ReportGroupRow.h"

#include "ReportControl.h"
#include "ReportPaintManager.h"
#include "ReportRecord.h"
#include "ReportRecordItem.h"
#include "ReportRows.h"
#include "ReportColumns.h"

void CLVKReportGroupRow::SetCaption(LPCWSTR lpszCaption)
{
    CString strText = lpszCaption;
    if (strText == L"x")
        strText.Empty();
    if (m_strFormula.IsEmpty())
    {
        if (strText == m_strGroupText)
            return;
        m_strGroupText = strText;
        if (m_strGroupLabel.IsEmpty())
            m_strGroupLabel = m_strGroupText;
        m_vtGroup.Clear();
        return;
    }
    CString strResult = strText;
    double dTotal = 0.0;
    CString strFormula = m_strFormula;
    strFormula.Replace(L"(C", L"(R*C");
    strFormula.Replace(L":C", L":R*C");
    const int nColumns = m_pControl && m_pControl->GetColumns() ? m_pControl->GetColumns()->GetCount() : 0;
    int nMarker = strFormula.Find(L"SUMSUB(");
    while (nMarker >= 0)
    {
        const int nNext = strFormula.Find(L"SUMSUB(", nMarker + 7);
        CString strSegment =
            nNext >= 0 ? strFormula.Mid(nMarker + 7, nNext - nMarker - 7) : strFormula.Mid(nMarker + 7);
        CString strPiece;
        if (m_pChilds)
        {
            strSegment.Replace(L" ", L"");
            const int nColon = strSegment.Find(L':');
            CString strStart = nColon >= 0 ? strSegment.Left(nColon) : CString();
            CString strEnd = nColon >= 0 ? strSegment.Mid(nColon + 1) : CString();
            const int nStartC = strStart.Find(L'C');
            const int nEndC = strEnd.Find(L'C');
            if (nColon >= 0 && nStartC >= 0 && nEndC >= 0)
            {
                CString strStartCol = strStart.Mid(nStartC + 1);
                CString strEndCol = strEnd.Mid(nEndC + 1);
                const int nParen = strEndCol.Find(L')');
                if (nParen >= 0)
                    strEndCol = strEndCol.Left(nParen);
                const int nFrom = strStartCol == L"*" ? 0 : static_cast<int>(wcstol(strStartCol, nullptr, 10));
                const int nTo = strEndCol == L"*" ? nColumns : static_cast<int>(wcstol(strEndCol, nullptr, 10));
                if (nFrom == nTo - 1)
                    dTotal = 0.0;
                SumChildColumns(this, nFrom, nTo, dTotal);
                strPiece.Format(L" [%d]", nFrom);
                strPiece += LVKReportFormatDouble(m_strFormat, dTotal);
            }
        }
        strResult += strPiece;
        nMarker = nNext;
    }
    if (strResult != m_strGroupText)
    {
        m_strGroupText = m_strGroupLabel + strResult;
        m_vtGroup.Clear();
    }
}

void CLVKReportGroupRow::SetCaptionAndValue(LPCWSTR lpszCaption, const COleVariant& vtValue)
{
    SetCaption(lpszCaption);
    m_vtGroup = vtValue;
}

void CLVKReportGroupRow::SumChildColumns(CLVKReportRow* pRow, int nColumnFrom, int nColumnTo, double& dTotal)
{
    CLVKReportRows* pChilds = pRow->GetChilds(FALSE);
    if (!pChilds)
        return;
    for (int i = 0; i < pChilds->GetCount(); i++)
    {
        CLVKReportRow* pChild = pChilds->GetAt(i);
        if (pChild->IsGroupRow())
        {
            SumChildColumns(pChild, nColumnFrom, nColumnTo, dTotal);
            continue;
        }
        CLVKReportRecord* pRecord = pChild->GetRecord();
        if (!pRecord)
            continue;
        const int nFrom = std::max(0, nColumnFrom);
        const int nTo = std::min(pRecord->GetItemCount(), nColumnTo);
        for (int c = nFrom; c < nTo; c++)
            dTotal += ReportTextToDouble(pRecord->GetItem(c)->GetCaption(nullptr));
    }
}

void CLVKReportGroupRow::Draw(CDC* pDC, const RECT& rcRow, const RECT& rcClip, int nLeftOffset, int, int)
{
    if (!m_pControl)
        return;
    const int nSaved = SaveDC(pDC->m_hDC);
    IntersectClipRect(pDC->m_hDC, rcClip.left, rcClip.top, rcClip.right, rcClip.bottom);
    SetBkMode(pDC->m_hDC, TRANSPARENT);
    RECT rc = rcRow;
    if (m_pControl->GetFreezeColumnsCount() == 0)
        OffsetRect(&rc, -nLeftOffset, 0);
    m_rcRow = rcRow;

    LVK_REPORTRECORDITEM_DRAWARGS drawArgs;
    drawArgs.pControl = m_pControl;
    drawArgs.pRow = this;
    drawArgs.pDC = pDC;
    drawArgs.rcItem = rc;
    const LVKReportReference<LVK_REPORTRECORDITEM_METRICS> metrics(new LVK_REPORTRECORDITEM_METRICS());
    LVK_REPORTRECORDITEM_METRICS* pMetrics = metrics.get();
    pMetrics->strText = GetDisplayCaption();
    CLVKReportPaintManager* pPaintManager = m_pControl->GetPaintManager();
    pPaintManager->FillGroupRowMetrics(this, pMetrics, pDC->m_bPrinting);
    m_pControl->OnGetItemMetrics(&drawArgs, pMetrics);
    pPaintManager->DrawGroupRow(pDC, this, rc, pMetrics);
    RestoreDC(pDC->m_hDC, nSaved);
}

void CLVKReportGroupRow::OnClick(POINT ptClicked)
{
    if (!m_pControl)
        return;
    const BOOL bWasExpanded = m_bExpanded;
    if (PtInRect(&m_rcCollapse, ptClicked) && PtInRect(&m_rcCollapse, m_pControl->GetMouseDownPoint()) &&
        !IsLockExpand())
        SetExpanded(!m_bExpanded);
    const BOOL bCtrl = GetKeyState(VK_CONTROL) < 0;
    const BOOL bShift = GetKeyState(VK_SHIFT) < 0;
    if (bWasExpanded && (bCtrl || bShift) && m_pControl->IsSelectionExcludeGroupRows())
        m_pControl->UnselectGroupRows();
}

void CLVKReportGroupRow::OnDblClick(POINT ptClicked)
{
    if (!m_pControl)
        return;
    if (!PtInRect(&m_rcCollapse, ptClicked) && !IsLockExpand())
        SetExpanded(!m_bExpanded);
    CLVKReportRow::OnDblClick(ptClicked);
}
