#include "ReportHeader.h"

#include "ReportColumn.h"
#include "ReportColumnListBox.h"
#include "ReportColumns.h"
#include "ReportControl.h"
#include "ReportPaintManager.h"
#include "Foundation/DpiScaling.h"

namespace
{
int Sx(int n)
{
    return CLVKDpiScaling::GetGlobal()->ScaleX(n);
}
}  // namespace

CLVKReportHeader::CLVKReportHeader(CLVKReportControl* pControl, CLVKReportColumns* pColumns)
    : m_pControl(pControl), m_pColumns(pColumns)
{
    m_hResizeCursor = LoadCursor(nullptr, IDC_SIZEWE);
}

void CLVKReportHeader::SetAutoColumnSizing(BOOL bAutoColumnSizing)
{
    m_bAutoColumnSizing = bAutoColumnSizing;
    if (m_pControl->GetSafeHwnd())
    {
        RECT rc{};
        m_pControl->GetClientRect(&rc);
        AdjustColumnsWidth(rc.right - rc.left);
        m_pControl->AdjustScrollBars();
        m_pControl->RedrawControl();
    }
}

void CLVKReportHeader::AdjustColumnsWidth(int nTotalWidth, int /*nFirstIndex*/)
{
    m_nAvailableWidth = nTotalWidth;
    const int nOffset = m_pControl->GetHScrollOffset();
    int x = 0;
    int nWidthSum = 0;
    const RECT rcHeader = m_pControl->GetElementRect(2);
    for (int i = 0; i < m_pColumns->GetCount(); i++)
    {
        CLVKReportColumn* pColumn = m_pColumns->GetAt(i);
        if (!pColumn->IsVisible())
        {
            pColumn->SetRect(RECT{x, rcHeader.top, x, rcHeader.bottom});
            continue;
        }
        const int nWidth = m_bAutoColumnSizing ? pColumn->CalcAutoWidth(nTotalWidth) : pColumn->GetWidth();
        const int nShift = pColumn->IsFrozen() ? 0 : nOffset;
        pColumn->SetRect(RECT{x - nShift, rcHeader.top, x - nShift + nWidth, rcHeader.bottom});
        x += nWidth;
        nWidthSum += nWidth;
    }
    m_nHeaderWidth = nWidthSum;
}

int CLVKReportHeader::GetGroupByHeight() const
{
    CLVKReportPaintManager* pPaintManager = m_pControl->GetPaintManager();
    const int nRows = max(1, m_pColumns->GetGroupsOrder()->GetCount());
    return pPaintManager->GetHeaderHeight(m_pControl, nullptr) * nRows / 2 +
           pPaintManager->GetHeaderHeight(m_pControl, nullptr) / 2 + Sx(8);
}

void CLVKReportHeader::OnColumnsChanged(int nFlags, CLVKReportColumn* pColumn)
{
    if (!m_pControl->GetSafeHwnd())
        return;
    RECT rc{};
    m_pControl->GetClientRect(&rc);
    AdjustColumnsWidth(rc.right - rc.left);
    m_pControl->AdjustScrollBars();
    if (m_pColumnListBox && m_pColumnListBox->GetReportCtrl() == m_pControl)
        m_pColumnListBox->UpdateList();
    m_pControl->RedrawControl();
    REPORT_PAIR_NOTIFY nm{};
    nm.lFirst = reinterpret_cast<LPARAM>(pColumn);
    nm.lSecond = nFlags;
    if (nFlags & 2)
        m_pControl->SendNotify(REPORT_NOTIFY_GROUP_ORDER_CHANGED, &nm.hdr);
    m_pControl->SendNotify(REPORT_NOTIFY_COLUMN_ORDER_CHANGED, &nm.hdr);
}

int CLVKReportHeader::GetNextVisibleColumn(int nIndex, int nDirection) const
{
    for (int i = nIndex + nDirection; i >= 0 && i < m_pColumns->GetCount(); i += nDirection)
    {
        if (m_pColumns->GetAt(i)->IsVisible())
            return i;
    }
    return -1;
}

CLVKReportColumn* CLVKReportHeader::HitTestColumn(POINT pt) const
{
    for (int i = 0; i < m_pColumns->GetCount(); i++)
    {
        CLVKReportColumn* pColumn = m_pColumns->GetAt(i);
        const RECT& rc = pColumn->GetRect();
        if (pColumn->IsVisible() && pt.x >= rc.left && pt.x < rc.right)
            return pColumn;
    }
    return nullptr;
}

CLVKReportColumn* CLVKReportHeader::HitTestDivider(POINT pt) const
{
    const int nSlack = Sx(3);
    for (int i = m_pColumns->GetCount() - 1; i >= 0; i--)
    {
        CLVKReportColumn* pColumn = m_pColumns->GetAt(i);
        if (!pColumn->IsVisible() || !pColumn->IsResizable())
            continue;
        if (abs(pt.x - pColumn->GetRect().right) <= nSlack)
            return pColumn;
    }
    return nullptr;
}

void CLVKReportHeader::Draw(CDC* pDC, RECT rcHeader, int /*nLeftOffset*/)
{
    CLVKReportPaintManager* pPaintManager = m_pControl->GetPaintManager();
    RECT rcFill = m_pControl->GetElementRect(2);
    pPaintManager->FillHeaderControl(pDC, rcFill);
    for (int i = 0; i < m_pColumns->GetCount(); i++)
    {
        CLVKReportColumn* pColumn = m_pColumns->GetAt(i);
        if (!pColumn->IsVisible())
            continue;
        RECT rc = pColumn->GetRect();
        rc.top = rcHeader.top;
        rc.bottom = rcHeader.bottom;
        if (rc.right <= rcFill.left || rc.left >= rcFill.right)
            continue;
        pPaintManager->DrawColumn(pDC, pColumn, this, rc);
    }
}

void CLVKReportHeader::DrawGroupBy(CDC* pDC, RECT rcGroupBy)
{
    if (rcGroupBy.bottom <= rcGroupBy.top)
        return;
    CLVKReportPaintManager* pPaintManager = m_pControl->GetPaintManager();
    pPaintManager->FillGroupByControl(pDC, rcGroupBy);
    CLVKReportColumnOrder* pGroups = m_pColumns->GetGroupsOrder();
    if (pGroups->GetCount() == 0)
    {
        pPaintManager->DrawNoGroupByText(pDC, rcGroupBy);
        return;
    }
    const int nHeight = pPaintManager->GetHeaderHeight(m_pControl, pDC);
    int x = rcGroupBy.left + Sx(9);
    int y = rcGroupBy.top + Sx(7);
    for (int i = 0; i < pGroups->GetCount(); i++)
    {
        CLVKReportColumn* pColumn = pGroups->GetAt(i);
        HGDIOBJ hOld = SelectObject(pDC->m_hDC, pPaintManager->GetCaptionFont()->m_hObject);
        SIZE sz{};
        GetTextExtentPoint32W(pDC->m_hDC, pColumn->GetCaption(), pColumn->GetCaption().GetLength(), &sz);
        SelectObject(pDC->m_hDC, hOld);
        RECT rc{x, y, x + sz.cx + Sx(40), y + nHeight};
        pPaintManager->DrawColumn(pDC, pColumn, this, rc, TRUE);
        x = rc.right + Sx(4);
        y += nHeight / 2;
    }
}

void CLVKReportHeader::DrawFooter(CDC* pDC, RECT rcFooter, int /*nLeftOffset*/)
{
    CLVKReportPaintManager* pPaintManager = m_pControl->GetPaintManager();
    pPaintManager->FillHeaderControl(pDC, rcFooter);
    for (int i = 0; i < m_pColumns->GetCount(); i++)
    {
        CLVKReportColumn* pColumn = m_pColumns->GetAt(i);
        if (!pColumn->IsVisible())
            continue;
        RECT rc = pColumn->GetRect();
        rc.top = rcFooter.top;
        rc.bottom = rcFooter.bottom;
        pPaintManager->DrawColumnFooter(pDC, pColumn, rc);
    }
}

void CLVKReportHeader::OnLButtonDown(POINT pt)
{
    if (CLVKReportColumn* pDivider = HitTestDivider(pt))
    {
        m_pResizeColumn = pDivider;
        m_nResizeStartX = pt.x;
        m_nResizeStartWidth = pDivider->GetRect().right - pDivider->GetRect().left;
        m_pControl->SetCapture();
        return;
    }
    m_pPressedColumn = HitTestColumn(pt);
    if (m_pPressedColumn)
    {
        m_pControl->SetCapture();
        m_pControl->RedrawControl();
    }
}

void CLVKReportHeader::OnLButtonUp(POINT pt)
{
    if (m_pResizeColumn)
    {
        m_pResizeColumn = nullptr;
        ReleaseCapture();
        return;
    }
    CLVKReportColumn* pColumn = m_pPressedColumn;
    m_pPressedColumn = nullptr;
    if (GetCapture() == m_pControl->GetSafeHwnd())
        ReleaseCapture();
    if (!pColumn || HitTestColumn(pt) != pColumn)
    {
        m_pControl->RedrawControl();
        return;
    }
    m_pControl->SendItemNotify(nullptr, nullptr, pColumn, NM_CLICK, &pt);
    if (!pColumn->IsSortable())
    {
        m_pControl->RedrawControl();
        return;
    }
    CLVKReportColumnOrder* pSort = m_pColumns->GetSortOrder();
    if (pSort->GetCount() == 1 && pSort->GetAt(0) == pColumn)
        pColumn->SetSortIncreasing(!pColumn->IsSortedIncreasing());
    else if (m_pColumns->GetGroupsOrder()->IndexOf(pColumn) >= 0)
        pColumn->SetSortIncreasing(!pColumn->IsSortedIncreasing());
    else
        m_pColumns->SetSortColumn(pColumn, TRUE);
    m_pControl->SendNotify(REPORT_NOTIFY_SORT_ORDER_CHANGED, nullptr);
    if (m_pColumns->GetGroupsOrder()->IndexOf(pColumn) >= 0)
        m_pControl->Populate();
    else
        m_pControl->ReSort();
    m_pControl->SendNotify(REPORT_NOTIFY_SORTED, nullptr);
}

BOOL CLVKReportHeader::OnMouseMove(POINT pt)
{
    if (!m_pResizeColumn)
        return FALSE;
    const int nWidth = max(m_pResizeColumn->GetMinWidth(), m_nResizeStartWidth + pt.x - m_nResizeStartX);
    const int nOld = m_pResizeColumn->GetRect().right - m_pResizeColumn->GetRect().left;
    if (nWidth == nOld)
        return TRUE;
    if (m_bAutoColumnSizing)
    {
        // Proportional sizing: the column keeps the new width as its weight.
        m_pResizeColumn->SetWidth(nWidth);
    }
    else
        m_pResizeColumn->SetWidth(nWidth);
    REPORT_COLUMN_WIDTH_NOTIFY nm{};
    nm.pColumn = m_pResizeColumn;
    nm.nPrevWidth = nOld;
    nm.nNewWidth = nWidth;
    m_pControl->SendNotify(REPORT_NOTIFY_COLUMN_WIDTH_CHANGED, &nm.hdr);
    return TRUE;
}

void CLVKReportHeader::CancelMouseMode()
{
    m_pResizeColumn = nullptr;
    m_pPressedColumn = nullptr;
}

BOOL CLVKReportHeader::SetCursor(POINT pt)
{
    if (m_pResizeColumn || HitTestDivider(pt))
    {
        ::SetCursor(m_hResizeCursor);
        return TRUE;
    }
    return FALSE;
}

void CLVKReportHeader::BestFit(CLVKReportColumn* pColumn)
{
    if (!pColumn || !pColumn->IsResizable() || !pColumn->IsVisible())
        return;
    const int nOld = pColumn->GetRect().right - pColumn->GetRect().left;
    const int nBest = pColumn->GetBestFitWidth();
    if (nBest <= nOld)
        return;
    pColumn->SetWidth(nBest);
    REPORT_COLUMN_WIDTH_NOTIFY nm{};
    nm.pColumn = pColumn;
    nm.nPrevWidth = nOld;
    nm.nNewWidth = nBest;
    m_pControl->SendNotify(REPORT_NOTIFY_COLUMN_WIDTH_CHANGED, &nm.hdr);
    OnColumnsChanged(0x100, pColumn);
}
