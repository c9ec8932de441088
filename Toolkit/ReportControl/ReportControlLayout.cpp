// The report control's layout: the rows and columns placed in the client area, and scrolling.
#include "ReportControl.h"
#include "ReportControlPrivate.h"

#include "ReportBatchAllocator.h"
#include "ReportBehavior.h"
#include "ReportColumn.h"
#include "ReportColumns.h"
#include "ReportGroupRow.h"
#include "ReportHeader.h"
#include "ReportInplaceButton.h"
#include "ReportPaintManager.h"
#include "ReportRecord.h"
#include "ReportRecordItem.h"
#include "ReportRecordItemEditOptions.h"
#include "ReportRecordItemPreview.h"
#include "ReportRecords.h"
#include "ReportRow.h"
#include "ReportRows.h"
#include "ReportSection.h"
#include "ReportSections.h"
#include "ReportSelectedRows.h"
#include "ReportThemes.h"
#include "Foundation/FontDC.h"
#include "Foundation/BitmapDC.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/ImageManager.h"
#include "Foundation/AlphaBitmap.h"
#include "Foundation/BitmapLoaders.h"
#include "Foundation/ImageManagerIcon.h"
#include "Foundation/ResourceManager.h"
#include "Foundation/WindowHelpers.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupHelpers.h"

#include <windowsx.h>

// Layout and scrolling --------------------------------------------------------

RECT CLVKReportControl::GetElementRect(int nElement) const
{
    switch (nElement)
    {
    case 0:
        return m_pSectionBody->GetRect();
    case 1:
        return m_rcGroupByArea;
    case 2:
        return m_rcHeaderArea;
    case 3:
        return m_rcFooterArea;
    case 4:
        return m_pSectionHeader->GetRect();
    case 5:
        return m_pSectionFooter->GetRect();
    case 6:
        return m_pSectionHeader->GetDividerRect();
    case 7:
        return m_pSectionFooter->GetDividerRect();
    default:
        return RECT{};
    }
}

void CLVKReportControl::AdjustLayout()
{
    if (!m_hWnd || m_bAdjustLayoutRunning)
        return;
    RECT rcClient{};
    GetClientRect(&rcClient);
    if (IsRectEmpty(&rcClient))
        return;
    m_bAdjustLayoutRunning = TRUE;
    CClientDC dc(this);
    const int nWidth = rcClient.right;
    const int nGroupBy = m_bGroupByEnabled ? m_pReportHeader->GetGroupByHeight() : 0;
    const int nHeader = m_bHeaderVisible ? m_pPaintManager->GetHeaderHeight(this, &dc) : 0;
    const int nFooter = m_bFooterVisible ? m_pPaintManager->GetFooterHeight(this, &dc) : 0;
    m_rcGroupByArea = RECT{0, 0, nWidth, nGroupBy};
    m_rcHeaderArea = RECT{0, nGroupBy, nWidth, nGroupBy + nHeader};
    m_pSections->AdjustLayout(&dc, 0, m_rcHeaderArea.bottom, nWidth, rcClient.bottom - nFooter);
    m_rcFooterArea = RECT{0, rcClient.bottom - nFooter, nWidth, rcClient.bottom};
    m_pReportHeader->AdjustColumnsWidth(nWidth);
    m_bAdjustLayoutRunning = FALSE;
}

void CLVKReportControl::AdjustScrollBars()
{
    if (!m_hWnd)
        return;
    EndEditing(TRUE);
    const RECT rcBody = m_pSectionBody->GetRect();
    if (rcBody.bottom <= rcBody.top)
        return;
    UpdateHScrollBar(FALSE, 0x17);
    UpdateVScrollBar(FALSE, 0x17);
}

int CLVKReportControl::GetLastPageTopRow(CDC* pDC)
{
    CLVKReportRows* pRows = GetRows();
    const RECT rcBody = m_pSectionBody->GetRect();
    int nHeight = rcBody.bottom - rcBody.top;
    const int nWidth = m_pReportHeader->GetWidth();
    int nRow = pRows->GetCount() - 1;
    while (nRow >= 0)
    {
        nHeight -= pRows->GetAt(nRow)->GetHeight(pDC, nWidth);
        if (nHeight < 0)
        {
            // In the icon view the first whole line after the row that does
            // not fit.
            if (m_bIconView)
                return std::min(pRows->GetCount() - 1, nRow + std::max(1, m_nIconsPerLine));
            break;
        }
        nRow--;
    }
    return std::max(0, nRow + 1);
}

void CLVKReportControl::UpdateVScrollBar(BOOL bLock, UINT /*nMask*/)
{
    if (!m_hWnd)
        return;
    if (bLock)
    {
        EndEditing(TRUE);
        BeginUpdate();
    }
    CClientDC dc(this);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (m_nScrollModeV == 2)
    {
        const int nTotal = m_pSectionBody->GetTotalHeight(&dc);
        const RECT rcBody = m_pSectionBody->GetRect();
        si.nMax = nTotal - 1;
        si.nPage = rcBody.bottom - rcBody.top;
        si.nPos = m_pSectionBody->GetScrollOffset();
    }
    else
    {
        const int nCount = GetRows()->GetCount();
        si.nMax = nCount - 1;
        si.nPage = nCount - GetLastPageTopRow(&dc);
        si.nPos = m_pSectionBody->GetTopRowIndex();
    }
    si.nMin = 0;
    if (static_cast<int>(si.nPage) > si.nMax + 1)
        si.nPage = si.nMax + 1;
    if (si.nPos > 0 && si.nMax < si.nPos + static_cast<int>(si.nPage) - 1)
    {
        si.nPos = std::max(0, si.nMax - static_cast<int>(si.nPage) + 1);
        if (m_nScrollModeV == 2)
            m_pSectionBody->SetScrollOffset(si.nPos);
        else
            m_pSectionBody->SetTopRowIndex(si.nPos);
        RedrawControl();
    }
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
    const BOOL bShow = !(si.nMax < 0 || static_cast<UINT>(si.nMax) < si.nPage);
    if (bShow != m_bVScrollBarVisible)
    {
        m_bVScrollBarVisible = bShow;
        ::ShowScrollBar(m_hWnd, SB_VERT, bShow);
    }
    ::EnableScrollBar(m_hWnd, SB_VERT, bShow && IsWindowEnabled() ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
    if (bLock)
        EndUpdate();
}

void CLVKReportControl::UpdateHScrollBar(BOOL bLock, UINT /*nMask*/)
{
    if (!m_hWnd)
        return;
    if (bLock)
    {
        EndEditing(TRUE);
        BeginUpdate();
    }
    const RECT rcBody = m_pSectionBody->GetRect();
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    if (m_nScrollModeH == 1)
    {
        // By whole columns: the bar counts the columns right of the frozen
        // ones, and the offset is always a column's left edge.
        int nFrozenWidth = 0;
        std::vector<int> widths;
        for (int i = 0; i < m_pColumns->GetVisibleColumnsCount(); i++)
        {
            CLVKReportColumn* pColumn = m_pColumns->GetVisibleAt(i);
            if (widths.empty() && pColumn->IsFrozen())
                nFrozenWidth += pColumn->GetWidth();
            else
                widths.push_back(pColumn->GetWidth());
        }
        const int nAvailable = rcBody.right - rcBody.left - nFrozenWidth;
        int nTotal = 0;
        for (int nWidth : widths)
            nTotal += nWidth;
        int nPage = static_cast<int>(widths.size());
        if (nTotal > nAvailable)
        {
            nPage = 0;
            int nSum = 0;
            for (int i = static_cast<int>(widths.size()) - 1; i >= 0 && nSum + widths[i] <= nAvailable; i--)
            {
                nSum += widths[i];
                nPage++;
            }
        }
        si.nMax = static_cast<int>(widths.size()) - 1;
        si.nPage = std::max(1, nPage);
        si.nPos = std::max(0, m_pColumns->GetColumnIndexAtOffset(m_nLeftOffset, FALSE));
    }
    else
    {
        si.nMax = m_pReportHeader->GetWidth() - LVKScaleX(1);
        si.nPage = rcBody.right - rcBody.left;
        si.nPos = m_nLeftOffset;
    }
    if (static_cast<int>(si.nPage) > si.nMax + 1)
        si.nPage = si.nMax + 1;
    if (si.nPos > 0 && si.nMax < si.nPos + static_cast<int>(si.nPage) - 1)
        si.nPos = std::max(0, si.nMax - static_cast<int>(si.nPage) + 1);
    const int nOffset = m_nScrollModeH == 1 ? m_pColumns->GetColumnOffset(si.nPos) : si.nPos;
    if (nOffset != m_nLeftOffset)
    {
        m_nLeftOffset = nOffset;
        m_pReportHeader->AdjustColumnsWidth(rcBody.right - rcBody.left);
    }
    ::SetScrollInfo(m_hWnd, SB_HORZ, &si, TRUE);
    const BOOL bShow = !(si.nMax < 0 || static_cast<UINT>(si.nMax) < si.nPage);
    if (bShow != m_bHScrollBarVisible)
    {
        m_bHScrollBarVisible = bShow;
        ::ShowScrollBar(m_hWnd, SB_HORZ, bShow);
    }
    if (bLock)
        EndUpdate();
}

void CLVKReportControl::SetHScrollOffset(int nOffset)
{
    nOffset = std::max(0, nOffset);
    if (nOffset == m_nLeftOffset)
        return;
    m_nLeftOffset = nOffset;
    if (m_hWnd)
    {
        RECT rc{};
        GetClientRect(&rc);
        m_pReportHeader->AdjustColumnsWidth(rc.right);
        ::SetScrollPos(m_hWnd, SB_HORZ,
                       m_nScrollModeH == 1 ? std::max(0, m_pColumns->GetColumnIndexAtOffset(nOffset, FALSE)) : nOffset,
                       TRUE);
    }
    REPORT_PAIR_NOTIFY nm{};
    nm.lFirst = m_pSections->IndexOf(m_pSectionActive);
    nm.lSecond = nOffset;
    SendNotify(REPORT_NOTIFY_HSCROLL, &nm.hdr);
    RedrawControl();
}

void CLVKReportControl::SetVScrollOffset(int nOffset)
{
    nOffset = std::max(0, nOffset);
    if (nOffset == m_pSectionActive->GetScrollOffset())
        return;
    m_pSectionActive->SetScrollOffset(nOffset);
    UpdateVScrollBar(FALSE, SIF_PAGE | SIF_POS);
    REPORT_PAIR_NOTIFY nm{};
    nm.lFirst = m_pSections->IndexOf(m_pSectionActive);
    nm.lSecond = nOffset;
    SendNotify(REPORT_NOTIFY_VSCROLL, &nm.hdr);
    RedrawControl();
}

int CLVKReportControl::GetTopRowIndex() const
{
    return m_pSectionActive->GetTopRowIndex();
}

void CLVKReportControl::SetTopRowIndex(int nIndex)
{
    nIndex = std::max(0, nIndex);
    if (m_bIconView && m_nIconsPerLine > 0)
        nIndex -= nIndex % m_nIconsPerLine;
    if (nIndex == m_pSectionActive->GetTopRowIndex())
        return;
    m_pSectionActive->SetTopRowIndex(nIndex);
    if (m_hWnd)
        ::SetScrollPos(m_hWnd, SB_VERT, nIndex, TRUE);
    REPORT_PAIR_NOTIFY nm{};
    nm.lFirst = m_pSections->IndexOf(m_pSectionActive);
    nm.lSecond = nIndex;
    SendNotify(REPORT_NOTIFY_VSCROLL, &nm.hdr);
    RedrawControl();
}

int CLVKReportControl::GetPageScrollCount(int nRow, BOOL bDown)
{
    CClientDC dc(this);
    CLVKReportRows* pRows = GetRows();
    const RECT rcBody = m_pSectionBody->GetRect();
    const int nBody = rcBody.bottom - rcBody.top;
    const int nWidth = m_pReportHeader->GetWidth();
    int nSum = 0;
    int nPassed = 0;
    if (m_bIconView && m_nIconsPerLine > 0)
        nRow -= nRow % m_nIconsPerLine;
    for (int i = nRow; i >= 0 && i < pRows->GetCount(); i += bDown ? 1 : -1)
    {
        nSum += pRows->GetAt(i)->GetHeight(&dc, nWidth);
        nPassed++;
        if (nSum > nBody)
            return std::max(0, nPassed - 1);
    }
    return bDown ? std::max(0, pRows->GetCount() - nRow - 1) : nRow;
}

void CLVKReportControl::OnVScroll(UINT nSBCode, UINT /*nPos*/)
{
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ::GetScrollInfo(m_hWnd, SB_VERT, &si);
    const int nLast = std::max(0, si.nMax - static_cast<int>(si.nPage) + 1);
    if (m_nScrollModeV == 2)
    {
        int nOffset = m_pSectionActive->GetScrollOffset();
        switch (nSBCode)
        {
        case SB_LINEUP:
            nOffset -= m_nScrollStepV;
            break;
        case SB_LINEDOWN:
            nOffset += m_nScrollStepV;
            break;
        case SB_PAGEUP:
            nOffset -= si.nPage;
            break;
        case SB_PAGEDOWN:
            nOffset += si.nPage;
            break;
        case SB_TOP:
            nOffset = 0;
            break;
        case SB_BOTTOM:
            nOffset = nLast;
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            nOffset = si.nTrackPos;
            break;
        default:
            return;
        }
        SetVScrollOffset(std::max(0, std::min(nOffset, nLast)));
        return;
    }
    const int nPos = si.nPos;
    int nNew = nPos;
    // In the icon view a line of icons is the step.
    const int nLine = m_bIconView ? std::max(1, m_nIconsPerLine) : 1;
    switch (nSBCode)
    {
    case SB_LINEUP:
        nNew = std::max(0, nPos - nLine);
        break;
    case SB_LINEDOWN:
        nNew = std::min(nLast, nPos + nLine);
        break;
    case SB_PAGEUP:
        nNew = nPos - std::max(1, GetPageScrollCount(nPos, FALSE));
        break;
    case SB_PAGEDOWN:
        nNew = nPos + std::max(1, GetPageScrollCount(nPos, TRUE));
        break;
    case SB_TOP:
        nNew = 0;
        break;
    case SB_BOTTOM:
        nNew = nLast;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        nNew = si.nTrackPos;
        break;
    default:
        return;
    }
    SetTopRowIndex(std::max(0, std::min(nNew, nLast)));
}

void CLVKReportControl::OnHScroll(UINT nSBCode, UINT /*nPos*/)
{
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ::GetScrollInfo(m_hWnd, SB_HORZ, &si);
    const int nLast = std::max(0, si.nMax - static_cast<int>(si.nPage) + 1);
    const RECT rcBody = m_pSectionBody->GetRect();
    if (m_nScrollModeH == 1)
    {
        const int nPos = std::max(0, m_pColumns->GetColumnIndexAtOffset(m_nLeftOffset, FALSE));
        int nNew = nPos;
        switch (nSBCode)
        {
        case SB_LINELEFT:
        case SB_PAGELEFT:
            nNew = nPos - 1;
            break;
        case SB_LINERIGHT:
        case SB_PAGERIGHT:
            nNew = nPos + 1;
            break;
        case SB_LEFT:
            nNew = 0;
            break;
        case SB_RIGHT:
            nNew = nLast;
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            nNew = si.nTrackPos;
            break;
        default:
            return;
        }
        SetHScrollOffset(m_pColumns->GetColumnOffset(std::max(0, std::min(nNew, nLast))));
        return;
    }
    int nOffset = m_nLeftOffset;
    switch (nSBCode)
    {
    case SB_LINELEFT:
        nOffset -= m_nScrollStepH;
        break;
    case SB_LINERIGHT:
        nOffset += m_nScrollStepH;
        break;
    case SB_PAGELEFT:
        nOffset -= rcBody.right - rcBody.left;
        break;
    case SB_PAGERIGHT:
        nOffset += rcBody.right - rcBody.left;
        break;
    case SB_LEFT:
        nOffset = 0;
        break;
    case SB_RIGHT:
        nOffset = nLast;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        nOffset = si.nTrackPos;
        break;
    default:
        return;
    }
    SetHScrollOffset(std::max(0, std::min(nOffset, nLast)));
}

void CLVKReportControl::OnMouseWheel(short zDelta)
{
    if (!m_bVScrollBarVisible)
        return;
    BeginUpdate();
    if (m_nWheelLines == -1)
    {
        const int n = abs(zDelta / WHEEL_DELTA);
        for (int i = 0; i < n; i++)
            OnVScroll(zDelta > 0 ? SB_PAGEUP : SB_PAGEDOWN, 0);
    }
    else
    {
        const int n = abs(m_nWheelLines * zDelta / WHEEL_DELTA);
        for (int i = 0; i < n; i++)
            OnVScroll(zDelta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    }
    EndUpdate();
    UpdateWindow();
}

void CLVKReportControl::EnsureColumnVisible(CLVKReportColumn* pColumn)
{
    if (!pColumn || !pColumn->IsVisible())
        return;
    const RECT rcBody = m_pSectionBody->GetRect();
    const int nWidth = rcBody.right - rcBody.left;
    if (nWidth <= 0)
    {
        m_nEnsureVisibleColumn = m_pColumns->IndexOf(pColumn);
        return;
    }
    const int L = pColumn->GetRect().left;
    const int R = pColumn->GetRect().right;
    if (R >= nWidth)
    {
        SetHScrollOffset(m_nLeftOffset + std::min(L, R - nWidth));
        return;
    }
    // A scrolled column must come out from under the frozen ones; a frozen
    // column is always in view.
    int nFrozenRight = 0;
    const int nFrozen = GetFreezeColumnsCount();
    for (int i = 0; i < nFrozen && i < m_pColumns->GetVisibleColumnsCount(); i++)
    {
        CLVKReportColumn* pFrozen = m_pColumns->GetVisibleAt(i);
        if (pFrozen == pColumn)
        {
            nFrozenRight = 0;
            break;
        }
        nFrozenRight = pFrozen->GetRect().right;
    }
    if (L - nFrozenRight <= 0 && m_nLeftOffset != 0)
        SetHScrollOffset(L + m_nLeftOffset - nFrozenRight);
}

BOOL CLVKReportControl::EnsureVisible(CLVKReportRow* pRow)
{
    if (!pRow || !m_hWnd)
        return FALSE;
    const RECT rcBody = m_pSectionBody->GetRect();
    if (rcBody.bottom <= rcBody.top)
    {
        m_nEnsureVisibleRow = pRow->GetIndex();
        return FALSE;
    }
    CClientDC dc(this);
    const int nOldTop = m_pSectionBody->GetTopRowIndex();
    if (!m_pSections->EnsureVisible(&dc, pRow))
        return FALSE;
    if (nOldTop != m_pSectionBody->GetTopRowIndex())
    {
        ::SetScrollPos(m_hWnd, SB_VERT, m_pSectionBody->GetTopRowIndex(), TRUE);
        REPORT_PAIR_NOTIFY nm{};
        nm.lFirst = m_pSections->IndexOf(m_pSectionActive);
        nm.lSecond = m_pSectionBody->GetTopRowIndex();
        SendNotify(REPORT_NOTIFY_VSCROLL, &nm.hdr);
    }
    RedrawControl();
    return TRUE;
}

int CLVKReportControl::GetGroupIndent() const
{
    return std::max(0, (m_pColumns->GetGroupsOrder()->GetCount() - 1) * m_pPaintManager->GetTreeIndent());
}

int CLVKReportControl::GetRowsHeight(CLVKReportRows* pRows, int nTotalWidth, int nMaxHeight)
{
    CClientDC dc(this);
    int nSum = 0;
    for (int i = 0; i < pRows->GetCount(); i++)
    {
        nSum += pRows->GetAt(i)->GetHeight(&dc, nTotalWidth);
        if (nMaxHeight >= 0 && nSum > nMaxHeight)
            break;
    }
    return nSum;
}

BOOL CLVKReportControl::IsRowHeightCached() const
{
    return m_pPaintManager && m_pPaintManager->IsRowHeightCached();
}

void CLVKReportControl::RedrawControl()
{
    m_bRedrawPending = TRUE;
    if (m_nLockUpdateCount == 0 && m_hWnd)
        InvalidateRect(nullptr, FALSE);
}

void CLVKReportControl::EndUpdate()
{
    m_nLockUpdateCount = std::max(0, m_nLockUpdateCount - 1);
    m_bRedrawPending = TRUE;
    if (m_nLockUpdateCount == 0)
        RedrawControl();
}
