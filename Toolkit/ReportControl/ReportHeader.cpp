#include "ReportHeader.h"

#include "ReportColumn.h"
#include "ReportColumnListBox.h"
#include "ReportColumns.h"
#include "ReportControl.h"
#include "ReportPaintManager.h"
#include "ReportRecord.h"
#include "ReportRow.h"
#include "ReportRows.h"
#include "ReportSelectedRows.h"
#include "Foundation/FontDC.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/ResourceManager.h"
#include "Foundation/SplitBarTracker.h"

#include <vector>

namespace
{
// Runs from a "<" to the next ">" removed.
CString StripTags(CString str)
{
    for (;;)
    {
        const int nOpen = str.Find(L'<');
        if (nOpen < 0)
            break;
        const int nClose = str.Find(L'>', nOpen);
        if (nClose < 0)
            break;
        str.Delete(nOpen, nClose - nOpen + 1);
    }
    return str;
}
}  // namespace

CLVKReportHeader::CLVKReportHeader(CLVKReportControl* pControl, CLVKReportColumns* pColumns)
    : m_pControl(pControl), m_pColumns(pColumns)
{
}

HCURSOR CLVKReportHeader::GetDividerCursor()
{
    if (!m_hDividerCursor)
        m_hDividerCursor = CLVKResourceManager::GetGlobal()->LoadCursor(9972);
    if (!m_hDividerCursor)
        m_hDividerCursor = ::LoadCursor(nullptr, IDC_SIZEWE);
    return m_hDividerCursor;
}

int CLVKReportHeader::GetHeaderRowHeight() const
{
    CLVKReportPaintManager* pPaintManager = m_pControl->GetPaintManager();
    return pPaintManager ? pPaintManager->GetFixedHeaderHeight() : LVKScaleY(22);
}

void CLVKReportHeader::SendWidthChanged(CLVKReportColumn* pColumn, int nOld, int nNew)
{
    REPORT_COLUMN_WIDTH_NOTIFY nm{};
    nm.pColumn = pColumn;
    nm.nPrevWidth = nOld;
    nm.nNewWidth = nNew;
    m_pControl->SendNotify(REPORT_NOTIFY_COLUMN_WIDTH_CHANGED, &nm.hdr);
}

void CLVKReportHeader::SetAutoColumnSizing(BOOL bAutoColumnSizing)
{
    m_pControl->SetHScrollOffset(0);
    m_bAutoColumnSizing = bAutoColumnSizing;
    if (m_pControl->GetSafeHwnd())
    {
        if (bAutoColumnSizing)
            ::ShowScrollBar(m_pControl->m_hWnd, SB_HORZ, FALSE);
        const RECT rcBody = m_pControl->GetElementRect(0);
        AdjustColumnsWidth(rcBody.right - rcBody.left);
        m_pControl->AdjustScrollBars();
        m_pControl->RedrawControl();
    }
}

void CLVKReportHeader::AdjustColumnsWidth(int nTotalWidth, int nFirstIndex)
{
    if (nTotalWidth == 0)
    {
        LayoutColumns();
        return;
    }
    const int nCount = m_pColumns->GetCount();
    if (m_bAutoColumnSizing)
    {
        // Proportional sizing: the base widths of the auto-size columns are
        // their weights in what the fixed columns leave.
        int nTotal = nTotalWidth;
        int nWeights = 0;
        CLVKReportColumn* pLastAuto = nullptr;
        for (int i = std::max(0, nFirstIndex); i < nCount; i++)
        {
            CLVKReportColumn* pColumn = m_pColumns->GetAt(i);
            if (!pColumn->IsVisible())
                continue;
            if (pColumn->IsAutoSize())
            {
                nWeights += pColumn->GetBaseWidth();
                pLastAuto = pColumn;
            }
            else
                nTotal -= pColumn->GetWidth();
        }
        if (pLastAuto && nTotal > 0)
        {
            m_nOverflow = 0;
            for (int i = std::max(0, nFirstIndex); i < nCount; i++)
            {
                CLVKReportColumn* pColumn = m_pColumns->GetAt(i);
                if (!pColumn->IsVisible() || !pColumn->IsAutoSize())
                    continue;
                int nNew = 0;
                if (pColumn == pLastAuto)
                    nNew = std::max(nTotal, pColumn->GetMinWidth());
                else
                {
                    nWeights = std::max(nWeights, LVKScaleX(1));
                    nNew =
                        std::max(static_cast<int>(static_cast<long long>(nTotal) * pColumn->GetBaseWidth() / nWeights),
                                 pColumn->GetMinWidth());
                    nWeights -= pColumn->GetBaseWidth();
                    nTotal -= nNew;
                }
                const int nOld = pColumn->GetCurrentWidth();
                if (nOld != nNew)
                {
                    pColumn->SetCurrentWidth(nNew);
                    SendWidthChanged(pColumn, nOld, nNew);
                }
            }
        }
    }
    const RECT rcBody = m_pControl->GetElementRect(0);
    const int nBodyWidth = rcBody.right - rcBody.left > 0 ? rcBody.right - rcBody.left : nTotalWidth;
    int nSum = 0;
    for (int i = std::max(0, nFirstIndex); i < nCount; i++)
    {
        CLVKReportColumn* pColumn = m_pColumns->GetAt(i);
        if (pColumn->IsVisible())
            nSum += pColumn->GetWidth();
    }
    m_nOverflow = std::max(nSum - nBodyWidth, 0);
    if (m_bAutoColumnSizing)
        m_nHeaderWidth = std::max(nBodyWidth, nSum);
    else
        m_nHeaderWidth = nSum > 0 ? nSum : nTotalWidth;
    LayoutColumns();
}

void CLVKReportHeader::LayoutColumns()
{
    const int nOffset = m_pControl->GetHScrollOffset();
    const RECT rcHeader = m_pControl->GetElementRect(2);
    int x = 0;
    int nSum = 0;
    for (int i = 0; i < m_pColumns->GetCount(); i++)
    {
        CLVKReportColumn* pColumn = m_pColumns->GetAt(i);
        if (!pColumn->IsVisible())
        {
            pColumn->SetRect(RECT{x, rcHeader.top, x, rcHeader.bottom});
            continue;
        }
        const int nWidth = pColumn->GetWidth();
        const int nShift = pColumn->IsFrozen() ? 0 : nOffset;
        pColumn->SetRect(RECT{x - nShift, rcHeader.top, x - nShift + nWidth, rcHeader.bottom});
        x += nWidth;
        nSum += nWidth;
    }
    if (!m_bAutoColumnSizing)
        m_nHeaderWidth = nSum;
}

int CLVKReportHeader::GetGroupByHeight() const
{
    const int h = GetHeaderRowHeight();
    const int n = m_pColumns->GetGroupsOrder()->GetCount();
    const int nStep = (h - LVKScaleY(3)) / 2;
    return LVKScaleY(15) + (n + 1) * nStep + (n == 0 ? nStep : 0);
}

void CLVKReportHeader::OnColumnsChanged(int nFlags, CLVKReportColumn* pColumn)
{
    if (m_pControl->GetSafeHwnd())
    {
        // In full-column scrolling a column shown or hidden left of the
        // scroll position moves the position with it.
        if (pColumn && m_pControl->IsFullColumnScrolling() && (nFlags & (0x200 | 0x400)))
        {
            const RECT& rc = pColumn->GetRect();
            if (rc.right <= 0 || rc.left < 0)
            {
                const int nWidth = pColumn->GetWidth();
                m_pControl->SetHScrollOffset(m_pControl->GetHScrollOffset() +
                                             ((nFlags & 0x200) ? nWidth : -nWidth));
            }
        }
        const RECT rcBody = m_pControl->GetElementRect(0);
        RECT rcClient{};
        m_pControl->GetClientRect(&rcClient);
        AdjustColumnsWidth(rcBody.right > rcBody.left ? rcBody.right - rcBody.left : rcClient.right);
        m_pControl->AdjustScrollBars();
    }
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

int CLVKReportHeader::HitTestColumnIndex(POINT pt) const
{
    const RECT rcHeader = m_pControl->GetElementRect(2);
    if (pt.y < rcHeader.top || pt.y >= rcHeader.bottom)
        return -1;
    // Frozen columns lie over the scrolled ones.
    for (BOOL bFrozen : {TRUE, FALSE})
    {
        for (int i = 0; i < m_pColumns->GetCount(); i++)
        {
            CLVKReportColumn* pColumn = m_pColumns->GetAt(i);
            const RECT& rc = pColumn->GetRect();
            if (pColumn->IsVisible() && !pColumn->IsFrozen() == !bFrozen && pt.x >= rc.left && pt.x < rc.right)
                return i;
        }
    }
    return -1;
}

CLVKReportColumn* CLVKReportHeader::HitTestColumn(POINT pt) const
{
    return m_pColumns->GetAt(HitTestColumnIndex(pt));
}

CLVKReportColumn* CLVKReportHeader::HitTestResize(POINT pt) const
{
    const RECT rcHeader = m_pControl->GetElementRect(2);
    if (pt.y <= rcHeader.top || pt.y >= rcHeader.bottom)
        return nullptr;
    std::vector<CLVKReportColumn*> candidates;
    CLVKReportColumn* pLastResizable = nullptr;
    for (int i = 0; i < m_pColumns->GetVisibleColumnsCount(); i++)
    {
        candidates.push_back(m_pColumns->GetVisibleAt(i));
        if (candidates.back()->IsResizable())
            pLastResizable = candidates.back();
    }
    // With automatic sizing the last column has no edge to drag, and the
    // last resizable one gives its width to nobody.
    if (m_bAutoColumnSizing && !candidates.empty())
        candidates.pop_back();
    const int nTolerance = LVKScaleX(3);
    int nFrozenRight = 0;
    auto matches = [&](CLVKReportColumn* pColumn) -> BOOL
    {
        if (!pColumn->IsResizable() || abs(pt.x - pColumn->GetRect().right) > nTolerance)
            return FALSE;
        return !(m_bAutoColumnSizing && pColumn == pLastResizable);
    };
    for (CLVKReportColumn* pColumn : candidates)
    {
        if (!pColumn->IsFrozen())
            break;
        nFrozenRight = pColumn->GetRect().right;
        if (matches(pColumn))
            return pColumn;
    }
    for (auto it = candidates.rbegin(); it != candidates.rend(); ++it)
    {
        CLVKReportColumn* pColumn = *it;
        if (pColumn->IsFrozen())
            break;
        if (nFrozenRight > 0 && pColumn->GetRect().right <= nFrozenRight)
            break;
        if (matches(pColumn))
            return pColumn;
    }
    return nullptr;
}

int CLVKReportHeader::GetMaxAvailableWidth(CLVKReportColumn* pColumn) const
{
    if (!m_bAutoColumnSizing)
        return LVKScaleX(32000);
    const RECT rcBody = m_pControl->GetElementRect(0);
    int nWidth = (rcBody.right - rcBody.left) - pColumn->GetRect().left;
    BOOL bAfter = FALSE;
    for (int i = 0; i < m_pColumns->GetVisibleColumnsCount(); i++)
    {
        CLVKReportColumn* pOther = m_pColumns->GetVisibleAt(i);
        if (bAfter && nWidth > 0)
            nWidth -= pOther->GetMinWidth();
        if (pOther == pColumn)
            bAfter = TRUE;
    }
    return nWidth;
}

void CLVKReportHeader::ResizeColumn(CLVKReportColumn* pColumn, int nWidth)
{
    if (!pColumn)
        return;
    m_pResizeColumn = pColumn;
    const int nOldWidth = pColumn->GetWidth();
    const int nVisible = m_pColumns->GetVisibleColumnsCount();
    CLVKReportColumn* pLastResizable = nullptr;
    for (int i = 0; i < nVisible; i++)
    {
        if (m_pColumns->GetVisibleAt(i)->IsResizable())
            pLastResizable = m_pColumns->GetVisibleAt(i);
    }
    for (int i = 0; i < nVisible; i++)
    {
        CLVKReportColumn* pVisible = m_pColumns->GetVisibleAt(i);
        if (pVisible != pColumn)
            continue;
        pVisible->SetCurrentWidth(nWidth);
        CLVKReportColumn* pNext = i + 1 < nVisible ? m_pColumns->GetVisibleAt(i + 1) : nullptr;
        // A fixed neighbour that is the last resizable column takes the
        // difference.
        if (m_bAutoColumnSizing && pNext && pNext->IsResizable() && !pNext->IsAutoSize() && pNext == pLastResizable &&
            !m_pControl->GetPaintManager()->m_bFixedLayout)
        {
            const int nNextOld = pNext->GetCurrentWidth();
            pNext->SetCurrentWidth(nNextOld + nOldWidth - nWidth);
            if (pNext->GetCurrentWidth() != nNextOld)
                SendWidthChanged(pNext, nNextOld, pNext->GetCurrentWidth());
        }
    }
    for (int i = 0; i < nVisible; i++)
    {
        CLVKReportColumn* pVisible = m_pColumns->GetVisibleAt(i);
        if (pVisible->GetCurrentWidth() != pVisible->GetBaseWidth())
            SendWidthChanged(pVisible, pVisible->GetBaseWidth(), pVisible->GetCurrentWidth());
        pVisible->SetBaseWidth(pVisible->GetCurrentWidth());
    }
    if (m_bAutoColumnSizing)
    {
        // What the column gave or took goes to the auto-size columns after it.
        int nTotal = nOldWidth - nWidth;
        BOOL bAfter = FALSE;
        int nFirstAfter = m_pColumns->GetCount();
        for (int i = 0; i < m_pColumns->GetCount(); i++)
        {
            CLVKReportColumn* pOther = m_pColumns->GetAt(i);
            if (bAfter && pOther->IsVisible())
            {
                nTotal += pOther->GetCurrentWidth();
                nFirstAfter = std::min(nFirstAfter, i);
            }
            if (pOther == pColumn)
                bAfter = TRUE;
        }
        if (nFirstAfter < m_pColumns->GetCount())
            AdjustColumnsWidth(nTotal, nFirstAfter);
        for (int i = 0; i < m_pColumns->GetCount(); i++)
            m_pColumns->GetAt(i)->SetBaseWidth(m_pColumns->GetAt(i)->GetCurrentWidth());
    }
    const RECT rcBody = m_pControl->GetElementRect(0);
    AdjustColumnsWidth(rcBody.right - rcBody.left, 0);
    m_pControl->AdjustLayout();
    m_pControl->AdjustScrollBars();
    m_pControl->RedrawControl();
    m_pResizeColumn = nullptr;
}

void CLVKReportHeader::BestFit(CLVKReportColumn* pColumn)
{
    if (!pColumn || !pColumn->IsResizable() || !pColumn->IsVisible() || !m_bAllowColumnResize)
        return;
    if (m_bAutoColumnSizing)
    {
        if (m_pControl->IsStrictBestFit())
            return;
        CLVKReportColumn* pLastVisible = m_pColumns->GetLastVisibleColumn();
        CLVKReportColumn* pLastResizable = nullptr;
        for (int i = 0; i < m_pColumns->GetVisibleColumnsCount(); i++)
        {
            if (m_pColumns->GetVisibleAt(i)->IsResizable())
                pLastResizable = m_pColumns->GetVisibleAt(i);
        }
        if (pColumn == pLastVisible || pColumn == pLastResizable)
            return;
    }
    const int nBest = std::min(GetMaxAvailableWidth(pColumn), pColumn->GetBestFitWidth());
    if (nBest <= pColumn->GetWidth())
        return;
    ResizeColumn(pColumn, nBest);
    m_pControl->RedrawControl();
}

// Drawing ---------------------------------------------------------------------------

void CLVKReportHeader::Draw(CDC* pDC, RECT rcHeader, int /*nLeftOffset*/)
{
    CLVKReportPaintManager* pPaintManager = m_pControl->GetPaintManager();
    RECT rcClient{};
    m_pControl->GetClientRect(&rcClient);
    RECT rcFill{rcClient.left, rcHeader.top, rcClient.right, rcHeader.bottom};
    pPaintManager->FillHeaderControl(pDC, rcFill);
    int nRight = rcClient.left;
    // The scrolled columns first, then the frozen ones over them.
    for (BOOL bFrozenPass : {FALSE, TRUE})
    {
        for (int i = 0; i < m_pColumns->GetCount(); i++)
        {
            CLVKReportColumn* pColumn = m_pColumns->GetAt(i);
            if (!pColumn->IsVisible() || !pColumn->IsFrozen() != !bFrozenPass)
                continue;
            RECT rc = pColumn->GetRect();
            rc.top = rcHeader.top;
            rc.bottom = rcHeader.bottom;
            nRight = std::max(nRight, static_cast<int>(rc.right));
            if (rc.right <= rcFill.left || rc.left >= rcFill.right)
                continue;
            if (bFrozenPass)
                pPaintManager->FillHeaderControl(pDC, rc);
            pPaintManager->DrawColumn(pDC, pColumn, this, rc);
        }
    }
    if (nRight < rcFill.right)
    {
        // The room right of the last column, as an empty column.
        RECT rcRest{nRight, rcHeader.top, rcFill.right + LVKScaleX(10), rcHeader.bottom};
        BOOL bPressed = FALSE;
        BOOL bDragging = FALSE;
        pPaintManager->DrawColumnBackground(pDC, nullptr, rcRest, bPressed, bDragging, this);
    }
    if (m_pControl->GetFreezeColumnsCount() > 0 && (pPaintManager->m_nFreezeColsDividerStyle & 4))
    {
        CLVKReportColumn* pLastFrozen = nullptr;
        for (int i = 0; i < m_pColumns->GetCount() && m_pColumns->GetAt(i)->IsFrozen(); i++)
        {
            if (m_pColumns->GetAt(i)->IsVisible())
                pLastFrozen = m_pColumns->GetAt(i);
        }
        if (pLastFrozen)
        {
            RECT rc = pLastFrozen->GetRect();
            rc.top = rcHeader.top;
            rc.bottom = rcHeader.bottom;
            pPaintManager->DrawFreezeColsDivider(pDC, rc, m_pControl, nullptr);
        }
    }
}

std::vector<RECT> CLVKReportHeader::LayoutGroupBy(CDC* pDC, RECT rcGroupBy) const
{
    std::vector<RECT> rects;
    CLVKReportPaintManager* pPaintManager = m_pControl->GetPaintManager();
    CLVKReportColumnOrder* pGroups = m_pColumns->GetGroupsOrder();
    const int nHeight = GetHeaderRowHeight() - LVKScaleY(3);
    int x = rcGroupBy.left + LVKScaleX(9);
    int y = rcGroupBy.top + LVKScaleY(7);
    CClientDC dcScreen(nullptr);
    CDC* pMeasureDC = pDC ? pDC : &dcScreen;
    for (int i = 0; i < pGroups->GetCount(); i++)
    {
        CLVKReportColumn* pColumn = pGroups->GetAt(i);
        CLVKFontDC font(pMeasureDC, pPaintManager->GetCaptionFont());
        SIZE sz{};
        GetTextExtentPoint32W(pMeasureDC->m_hDC, pColumn->GetCaption(), pColumn->GetCaption().GetLength(), &sz);
        font.RestoreFont();
        const RECT rc{x, y, x + LVKScaleX(50) + sz.cx, y + nHeight};
        rects.push_back(rc);
        x = rc.right + LVKScaleX(5);
        y += nHeight / 2;
    }
    return rects;
}

void CLVKReportHeader::DrawGroupBy(CDC* pDC, RECT rcGroupBy)
{
    if (rcGroupBy.bottom <= rcGroupBy.top)
        return;
    CLVKReportPaintManager* pPaintManager = m_pControl->GetPaintManager();
    pPaintManager->FillGroupByControl(pDC, rcGroupBy);
    CLVKReportColumnOrder* pGroups = m_pColumns->GetGroupsOrder();
    m_groupByRects = LayoutGroupBy(pDC, rcGroupBy);
    if (pGroups->GetCount() == 0)
    {
        const RECT rcHint{rcGroupBy.left + LVKScaleX(9), rcGroupBy.top + LVKScaleY(7), rcGroupBy.right,
                          rcGroupBy.top + LVKScaleY(7) + GetHeaderRowHeight() - LVKScaleY(4)};
        pPaintManager->DrawNoGroupByText(pDC, rcHint);
        return;
    }
    for (int i = 0; i < pGroups->GetCount(); i++)
    {
        const RECT& rc = m_groupByRects[i];
        pPaintManager->FillHeaderControl(pDC, rc);
        pPaintManager->DrawColumn(pDC, pGroups->GetAt(i), this, rc, TRUE);
        if (i + 1 < pGroups->GetCount())
        {
            const RECT& rcNext = m_groupByRects[i + 1];
            pPaintManager->DrawConnectorCorner(pDC, rc.right - LVKScaleX(5), rc.bottom, rcNext.left,
                                               rc.bottom + LVKScaleY(4));
        }
    }
}

void CLVKReportHeader::DrawFooter(CDC* pDC, RECT rcFooter, int /*nLeftOffset*/)
{
    CLVKReportPaintManager* pPaintManager = m_pControl->GetPaintManager();
    pPaintManager->FillFooter(pDC, rcFooter);
    // From the last column down to the first scrolled one, then the frozen
    // columns, each on its own background over the scrolled ones.
    for (int i = m_pColumns->GetCount() - 1; i >= 0; i--)
    {
        CLVKReportColumn* pColumn = m_pColumns->GetAt(i);
        if (!pColumn->IsVisible() || pColumn->IsFrozen())
            continue;
        RECT rc = pColumn->GetRect();
        rc.top = rcFooter.top;
        rc.bottom = rcFooter.bottom;
        pPaintManager->DrawColumnFooter(pDC, pColumn, rc);
    }
    for (int i = 0; i < m_pColumns->GetCount(); i++)
    {
        CLVKReportColumn* pColumn = m_pColumns->GetAt(i);
        if (!pColumn->IsVisible() || !pColumn->IsFrozen())
            continue;
        RECT rc = pColumn->GetRect();
        rc.top = rcFooter.top;
        rc.bottom = rcFooter.bottom;
        pPaintManager->FillFooter(pDC, rc);
        pPaintManager->DrawColumnFooter(pDC, pColumn, rc);
    }
}

// Mouse ------------------------------------------------------------------------------------

int CLVKReportHeader::HitTestGroupByBox(POINT pt, BOOL bItemsOnly) const
{
    const RECT rcBox = m_pControl->GetElementRect(1);
    if (!PtInRect(&rcBox, pt))
        return -1;
    const std::vector<RECT> rects = LayoutGroupBy(nullptr, rcBox);
    const int nCount = static_cast<int>(rects.size());
    if (bItemsOnly)
    {
        for (int i = 0; i < nCount; i++)
        {
            if (PtInRect(&rects[i], pt))
                return i;
        }
        return nCount;
    }
    for (int i = 0; i < nCount; i++)
    {
        if (rects[i].right >= pt.x)
            return i + (pt.x > (rects[i].left + rects[i].right) / 2 ? 1 : 0);
    }
    return nCount;
}

BOOL CLVKReportHeader::OnMouseMove(POINT pt)
{
    const CLVKReportControl::MouseMode nMode = m_pControl->GetMouseMode();
    const RECT rcHeader = m_pControl->GetElementRect(2);
    if (m_bAllowColumnResize &&
        (nMode == CLVKReportControl::kMouseIdle || nMode == CLVKReportControl::kMouseOverDivider))
        m_pControl->SetMouseMode(HitTestResize(pt) ? CLVKReportControl::kMouseOverDivider
                                                   : CLVKReportControl::kMouseIdle);
    // Hot tracking of themed headers.
    CLVKReportPaintManager* pPaintManager = m_pControl->GetPaintManager();
    if (pPaintManager && pPaintManager->IsHeaderThemed())
    {
        CLVKReportColumn* pHot = PtInRect(&rcHeader, pt) ? HitTestColumn(pt) : nullptr;
        if (pHot != m_pHotColumn)
        {
            m_pHotColumn = pHot;
            m_pControl->RedrawControl();
        }
    }
    return nMode == CLVKReportControl::kMouseColumnPressed ||
           m_pControl->GetMouseMode() == CLVKReportControl::kMouseOverDivider;
}

void CLVKReportHeader::OnMouseLeave()
{
    if (m_pHotColumn)
    {
        m_pHotColumn = nullptr;
        m_pControl->RedrawControl();
    }
    if (m_pControl->GetMouseMode() == CLVKReportControl::kMouseOverDivider)
        m_pControl->SetMouseMode(CLVKReportControl::kMouseIdle);
}

BOOL CLVKReportHeader::SetCursor(POINT pt)
{
    if (m_pControl->GetMouseMode() == CLVKReportControl::kMouseOverDivider ||
        (m_bAllowColumnResize && HitTestResize(pt)))
    {
        ::SetCursor(GetDividerCursor());
        return TRUE;
    }
    return FALSE;
}

void CLVKReportHeader::OnLButtonDown(POINT pt)
{
    CLVKReportColumn* pResize = m_bAllowColumnResize ? HitTestResize(pt) : nullptr;
    if (pResize)
    {
        // The edge follows the mouse in a tracker between the column's
        // smallest and largest widths; the width is set when it is released.
        const int nLeft = pResize->GetRect().left;
        int nMax = GetMaxAvailableWidth(pResize);
        if (m_nMaxColumnWidth > 0 && pResize != m_pColumns->GetLastVisibleColumn())
            nMax = std::min(nMax, m_nMaxColumnWidth);
        if (pResize->GetMaxWidth() > 0)
            nMax = pResize->GetMaxWidth();
        const int nMin = pResize->GetMinWidth();
        RECT rcClient{};
        m_pControl->GetClientRect(&rcClient);
        const int nEdge = pResize->GetRect().right;
        RECT rcBounds{nLeft + nMin, rcClient.top, nLeft + std::max(nMin, nMax), rcClient.bottom};
        RECT rcTracker{nEdge - 1, rcClient.top, nEdge + 1, rcClient.bottom};
        ::MapWindowPoints(m_pControl->m_hWnd, nullptr, reinterpret_cast<POINT*>(&rcBounds), 2);
        ::MapWindowPoints(m_pControl->m_hWnd, nullptr, reinterpret_cast<POINT*>(&rcTracker), 2);
        POINT ptStart = pt;
        ::ClientToScreen(m_pControl->m_hWnd, &ptStart);
        m_pResizeColumn = pResize;
        m_pControl->RedrawControl();
        CLVKSplitBarTracker tracker(FALSE, m_pControl->IsDesktopTrackerMode());
        const BOOL bAccepted = tracker.Track(m_pControl->m_hWnd, rcBounds, rcTracker, ptStart, TRUE);
        m_pResizeColumn = nullptr;
        m_pControl->SetMouseMode(CLVKReportControl::kMouseIdle);
        if (::GetCapture() == m_pControl->m_hWnd)
            ::ReleaseCapture();
        if (bAccepted)
        {
            ::MapWindowPoints(nullptr, m_pControl->m_hWnd, reinterpret_cast<POINT*>(&rcTracker), 2);
            const int nNewEdge = (rcTracker.left + rcTracker.right) / 2;
            ResizeColumn(pResize, std::max(nMin, nNewEdge - nLeft));
        }
        m_pControl->RedrawControl();
        return;
    }
    const RECT rcHeader = m_pControl->GetElementRect(2);
    m_pPressedColumn = nullptr;
    if (PtInRect(&rcHeader, pt))
    {
        m_pPressedColumn = HitTestColumn(pt);
        m_bPressedInHeader = TRUE;
    }
    else
    {
        const int nItem = HitTestGroupByBox(pt, TRUE);
        m_pPressedColumn = m_pColumns->GetGroupsOrder()->GetAt(nItem);
        m_bPressedInHeader = FALSE;
    }
    if (m_pPressedColumn)
    {
        m_pControl->SetCapture();
        m_pControl->SetMouseMode(CLVKReportControl::kMouseColumnPressed);
        m_pControl->RedrawControl();
    }
}

void CLVKReportHeader::OnLButtonDblClk(POINT pt)
{
    if (m_pControl->GetMouseMode() != CLVKReportControl::kMouseOverDivider && !HitTestResize(pt))
        return;
    // The column left of the edge.
    POINT ptLeft{pt.x - LVKScaleX(3) - LVKScaleX(1), pt.y};
    BestFit(HitTestColumn(ptLeft));
}

void CLVKReportHeader::OnLButtonUp(POINT pt)
{
    CLVKReportColumn* pColumn = m_pPressedColumn;
    const BOOL bInHeader = m_bPressedInHeader;
    const BOOL bClick = m_pControl->GetMouseMode() == CLVKReportControl::kMouseColumnPressed;
    m_pPressedColumn = nullptr;
    m_pControl->SetMouseMode(CLVKReportControl::kMouseIdle);
    if (GetCapture() == m_pControl->GetSafeHwnd())
        ReleaseCapture();
    const RECT rcHeader = m_pControl->GetElementRect(2);
    CLVKReportColumn* pUnder =
        bInHeader ? (PtInRect(&rcHeader, pt) ? HitTestColumn(pt) : nullptr)
                  : m_pColumns->GetGroupsOrder()->GetAt(HitTestGroupByBox(pt, TRUE));
    if (!pColumn || pUnder != pColumn)
    {
        m_pControl->RedrawControl();
        return;
    }
    const RECT& rcColumn = pColumn->GetRect();
    if (bInHeader && pColumn->IsPlusMinus() && pColumn->GetNextVisualBlock() != 0 &&
        rcColumn.right - pt.x <= LVKScaleX(15))
    {
        pColumn->SetBlockHidden(!pColumn->IsBlockHidden());
        m_pControl->SendItemNotify(nullptr, nullptr, pColumn, REPORT_NOTIFY_COLUMN_EXPANDED, &pt);
        m_pControl->RedrawControl();
        return;
    }
    m_pControl->SendItemNotify(nullptr, nullptr, pColumn, NM_CLICK, &pt);
    if (bClick && pColumn->IsSortable() && m_bAllowColumnSort)
        OnColumnClick(pColumn, bInHeader);
    else
        m_pControl->RedrawControl();
}

// A click on a caption sorts by the column: alone, or with Shift as a
// further key; a column sorted already reverses its direction.
void CLVKReportHeader::OnColumnClick(CLVKReportColumn* pColumn, BOOL bInHeader)
{
    CLVKReportColumnOrder* pGroups = m_pColumns->GetGroupsOrder();
    BOOL bAddedToGroups = FALSE;
    BOOL bChangedGroups = FALSE;
    if (bInHeader)
    {
        const BOOL bGroups = m_bShowItemsInGroups && pColumn->IsGroupable();
        CLVKReportColumnOrder* pOrder = bGroups ? pGroups : m_pColumns->GetSortOrder();
        const BOOL bShift = GetKeyState(VK_SHIFT) < 0;
        const BOOL bWasIn = pOrder->IndexOf(pColumn) >= 0;
        if (bShift)
        {
            if (bWasIn)
                pColumn->SetSortIncreasing(!pColumn->IsSortedIncreasing());
            else
            {
                pOrder->Add(pColumn);
                bAddedToGroups = bGroups;
            }
        }
        else
        {
            if (m_bShowItemsInGroups && !m_bAllowColumnRemove)
            {
                for (int i = 0; i < pOrder->GetCount(); i++)
                    pOrder->GetAt(i)->SetVisible(TRUE);
            }
            pOrder->Clear();
            pOrder->Add(pColumn);
            if (bWasIn)
                pColumn->SetSortIncreasing(!pColumn->IsSortedIncreasing());
            bAddedToGroups = bGroups;
        }
        bChangedGroups = bGroups;
    }
    else
        pColumn->SetSortIncreasing(!pColumn->IsSortedIncreasing());

    m_pControl->SendNotify(REPORT_NOTIFY_SORT_ORDER_CHANGED, nullptr);
    // The selected records keep their selection through the new order.
    std::vector<CLVKReportRecord*> selected;
    CLVKReportSelectedRows* pSelected = m_pControl->GetSelectedRows();
    for (int i = 0; i < pSelected->GetCount(); i++)
    {
        CLVKReportRow* pRow = pSelected->GetAt(i);
        if (pRow && pRow->GetRecord())
        {
            pRow->GetRecord()->InternalAddRef();
            selected.push_back(pRow->GetRecord());
        }
    }
    if (bAddedToGroups || (!bInHeader && pGroups->IndexOf(pColumn) >= 0))
        m_pControl->Populate();
    else
        m_pControl->ReSort();
    if (!selected.empty())
    {
        CLVKReportRows* pRows = m_pControl->GetRows();
        for (int i = 0; i < pRows->GetCount(); i++)
        {
            CLVKReportRow* pRow = pRows->GetAt(i);
            for (CLVKReportRecord* pRecord : selected)
            {
                if (pRow->GetRecord() == pRecord && !pRow->IsSelected())
                    pSelected->Add(pRow);
            }
        }
        for (CLVKReportRecord* pRecord : selected)
            pRecord->InternalRelease();
    }
    m_pControl->SendNotify(REPORT_NOTIFY_SORTED, nullptr);
    if (bAddedToGroups)
        OnColumnsChanged(0x3002, pColumn);
    (void)bChangedGroups;
    m_pControl->RedrawControl();
}

void CLVKReportHeader::OnContextMenu(POINT pt)
{
    if (m_pControl->GetMouseMode() != CLVKReportControl::kMouseIdle)
        return;
    POINT ptScreen = pt;
    ::ClientToScreen(m_pControl->m_hWnd, &ptScreen);
    const RECT rcHeader = m_pControl->GetElementRect(2);
    CLVKReportColumn* pColumn = PtInRect(&rcHeader, pt) ? HitTestColumn(pt) : nullptr;
    m_pControl->SendItemNotify(nullptr, nullptr, pColumn, REPORT_NOTIFY_HEADER_RCLICK, &ptScreen);
}

void CLVKReportHeader::CancelMouseMode()
{
    m_pResizeColumn = nullptr;
    m_pPressedColumn = nullptr;
    const CLVKReportControl::MouseMode nMode = m_pControl->GetMouseMode();
    if (nMode == CLVKReportControl::kMouseOverDivider || nMode == CLVKReportControl::kMouseColumnPressed ||
        nMode == CLVKReportControl::kMouseColumnDragged)
        m_pControl->SetMouseMode(CLVKReportControl::kMouseIdle);
    m_pControl->RedrawControl();
}

CString CLVKReportHeader::GetTooltipText(POINT pt, RECT* pRect) const
{
    CLVKReportColumn* pColumn = HitTestColumn(pt);
    if (!pColumn)
        return CString();
    if (pRect)
        *pRect = pColumn->GetRect();
    CLVKReportPaintManager* pPaintManager = m_pControl->GetPaintManager();
    CString strText = pColumn->GetTooltip();
    if (strText.IsEmpty())
    {
        if (pColumn->IsPlusMinus() && pColumn->GetNextVisualBlock() != 0 &&
            pColumn->GetRect().right - pt.x <= LVKScaleX(15))
            return pColumn->IsBlockHidden() ? pPaintManager->GetExpandText() : pPaintManager->GetCollapseText();
        strText = pColumn->GetCaption();
        if (pColumn->IsIconViewColumn())
            strText = (pPaintManager->m_bRowNumbersCountRecords ? pPaintManager->m_strRecordNumber
                                                                : pPaintManager->m_strRowNumber) +
                      strText;
        if (pColumn->IsSortedOrGrouped())
            strText = pPaintManager->GetSortByText() + strText +
                      (pColumn->IsSortedIncreasing() ? pPaintManager->GetIncreasingText()
                                                     : pPaintManager->GetDecreasingText());
    }
    return StripTags(strText);
}
