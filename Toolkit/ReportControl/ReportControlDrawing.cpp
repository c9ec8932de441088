// The report control's drawing: the client area, rows, header and footer painted.
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

// Drawing ----------------------------------------------------------------------

void CLVKReportControl::OnPaint()
{
    PAINTSTRUCT ps{};
    HDC hPaintDC = ::BeginPaint(m_hWnd, &ps);
    RECT rcClient{};
    GetClientRect(&rcClient);
    if (m_nEnsureVisibleRow >= 0)
    {
        CLVKReportRow* pRow = GetRows()->GetAt(m_nEnsureVisibleRow);
        m_nEnsureVisibleRow = -1;
        EnsureVisible(pRow);
    }
    if (m_nEnsureVisibleColumn >= 0)
    {
        CLVKReportColumn* pColumn = m_pColumns->GetAt(m_nEnsureVisibleColumn);
        m_nEnsureVisibleColumn = -1;
        EnsureColumnVisible(pColumn);
    }
    if (m_bDoubleBuffering && m_nLockUpdateCount == 0 && (m_bRedrawPending || !m_hCacheBitmap))
    {
        if (m_hCacheBitmap)
        {
            DeleteObject(m_hCacheBitmap);
            m_hCacheBitmap = nullptr;
        }
        HDC hMemDC = CreateCompatibleDC(hPaintDC);
        m_hCacheBitmap = hMemDC ? CreateCompatibleBitmap(hPaintDC, std::max<LONG>(1, rcClient.right),
                                                         std::max<LONG>(1, rcClient.bottom))
                                : nullptr;
        if (m_hCacheBitmap)
        {
            CDC dc;
            dc.Attach(hMemDC);
            {
                CLVKBitmapDC cache(&dc, CBitmap::FromHandle(m_hCacheBitmap));
                OnDraw(&dc);
                DrawDisabledLook(&dc, rcClient);
            }
            dc.Detach();
        }
        if (hMemDC)
            DeleteDC(hMemDC);
    }
    if (!m_hCacheBitmap)
    {
        CDC dc;
        dc.Attach(hPaintDC);
        OnDraw(&dc);
        DrawDisabledLook(&dc, rcClient);
        dc.Detach();
    }
    else
    {
        CDC dcCache;
        dcCache.Attach(CreateCompatibleDC(hPaintDC));
        CLVKBitmapDC cache(&dcCache, CBitmap::FromHandle(m_hCacheBitmap));
        BitBlt(hPaintDC, 0, 0, rcClient.right, rcClient.bottom, dcCache.m_hDC, 0, 0, SRCCOPY);
    }
    m_bRedrawPending = FALSE;
    ::EndPaint(m_hWnd, &ps);
}

void CLVKReportControl::DrawDisabledLook(CDC* pDC, const RECT& rcClient)
{
    if (IsWindowEnabled() || !m_pPaintManager->m_bGrayWhenDisabled)
        return;
    CLVKImageManager::GetGlobal()->DuotoneRect(pDC, rcClient, m_pPaintManager->m_clrDisableBitmapLightest,
                                               m_pPaintManager->m_clrDisableBitmapDarkest);
}

void CLVKReportControl::OnDraw(CDC* pDC)
{
    SetBkMode(pDC->m_hDC, TRANSPARENT);
    // Right-to-left reading order for the texts drawn with ExtTextOut.
    if (GetExStyle() & WS_EX_RTLREADING)
        SetTextAlign(pDC->m_hDC, GetTextAlign(pDC->m_hDC) | TA_RTLREADING);
    RECT rcClient{};
    GetClientRect(&rcClient);
    const COLORREF clrBack = m_pPaintManager->GetControlBackColor(this);
    SetBkColor(pDC->m_hDC, clrBack);
    ExtTextOutW(pDC->m_hDC, 0, 0, ETO_OPAQUE, &rcClient, nullptr, 0, nullptr);
    DrawWatermark(pDC, m_pSections->GetRect(), rcClient);
    if (m_bHeaderVisible && m_rcHeaderArea.bottom > m_rcHeaderArea.top)
        m_pReportHeader->Draw(pDC, m_rcHeaderArea, m_nLeftOffset);
    if (m_bGroupByEnabled)
        m_pReportHeader->DrawGroupBy(pDC, m_rcGroupByArea);
    if (m_bIconView)
        DrawIconView(pDC, GetElementRect(0));
    else
        m_pSections->Draw(pDC);
    if (m_rcFooterArea.bottom > m_rcFooterArea.top)
        m_pReportHeader->DrawFooter(pDC, m_rcFooterArea, m_nLeftOffset);
    m_bRedrawPending = FALSE;
}

int CLVKReportControl::DrawRows(CDC* pDC, RECT& rcClient, int y, CLVKReportRows* pRows, int nTopRow, int nColumnFrom,
                                int nColumnTo, int* pnHeight)
{
    pRows->ClearScreenRows();
    int nIndex = std::max(0, nTopRow);
    const int nTop = y;
    if (m_pColumns->GetVisibleColumnsCount() > 0)
    {
        const int nWidth = pDC->m_bPrinting ? rcClient.right - rcClient.left : m_pReportHeader->GetWidth();
        const int nLeft = m_pColumns->GetFirstVisibleColumn()->GetRect().left;
        const int nSaved = SaveDC(pDC->m_hDC);
        IntersectClipRect(pDC->m_hDC, rcClient.left, rcClient.top, rcClient.right, rcClient.bottom);
        m_mergedBlocks.clear();
        for (; nIndex < pRows->GetCount(); nIndex++)
        {
            if (y >= rcClient.bottom)
                break;
            CLVKReportRow* pRow = pRows->GetAt(nIndex);
            const int nHeight = pRow->GetHeight(pDC, nWidth);
            const RECT rcRow{nLeft, y, nLeft + nWidth, y + nHeight};
            pRow->Draw(pDC, rcRow, rcClient, m_nLeftOffset, nColumnFrom, nColumnTo);
            y += nHeight;
            KeepScreenRow(pRows, pRow);
        }
        // Each block of touching merged cells is drawn once, over the union
        // of its cells; cells of one master that do not touch make blocks of
        // their own. With frozen columns the blocks that start in them are
        // drawn first over the whole width, then the others cut at the
        // frozen edge, so that a scrolled block never covers a frozen cell.
        struct Block
        {
            CLVKReportRecordItem* pMaster;
            RECT rcBlock;
            CLVKReportRecordMergeItem::Item first;
        };
        std::vector<Block> blocks;
        for (auto& merged : m_mergedBlocks)
        {
            CLVKReportRecordMergeItem::Range range;
            Block block{merged.first, RECT{}, {}};
            while (merged.second.GetNextMergedBlock(range, block.rcBlock, &block.first))
                blocks.push_back(block);
        }
        const int nFrozen = std::min(GetFreezeColumnsCount(), m_pColumns->GetVisibleColumnsCount());
        const int nFrozenRight = nFrozen > 0 ? m_pColumns->GetVisibleAt(nFrozen - 1)->GetRect().right : 0;
        for (int nPass = 0; nPass < (nFrozen > 0 ? 2 : 1); nPass++)
        {
            const BOOL bFrozenPass = nFrozen > 0 && nPass == 0;
            for (const Block& block : blocks)
            {
                CLVKReportColumn* pColumn = m_pColumns->GetAt(block.first.nColumnIndex);
                const BOOL bFrozenBlock = pColumn && pColumn->IsFrozen();
                if (nFrozen > 0 && bFrozenBlock != bFrozenPass)
                    continue;
                const RECT& rcBlock = block.rcBlock;
                const int nBlockSaved = SaveDC(pDC->m_hDC);
                if (nFrozen > 0 && !bFrozenPass)
                    IntersectClipRect(pDC->m_hDC, std::max<LONG>(rcClient.left, nFrozenRight), rcClient.top,
                                      rcClient.right, rcClient.bottom);
                LVK_REPORTRECORDITEM_DRAWARGS drawArgs;
                drawArgs.pControl = this;
                drawArgs.pRow = block.first.pRow;
                drawArgs.pColumn = pColumn;
                drawArgs.pItem = block.pMaster;
                drawArgs.pDC = pDC;
                drawArgs.rcItem = rcBlock;
                drawArgs.rcItem.right -= LVKScaleX(1);
                drawArgs.rcItem.bottom -= LVKScaleY(1);
                drawArgs.nTextAlign = pColumn ? pColumn->GetAlignment() : 0;
                const COLORREF clrBack = m_pPaintManager->GetControlBackColor(this);
                SetBkColor(pDC->m_hDC, clrBack);
                ExtTextOutW(pDC->m_hDC, 0, 0, ETO_OPAQUE, &drawArgs.rcItem, nullptr, 0, nullptr);
                block.pMaster->Draw(&drawArgs);
                RECT rcGrid = rcBlock;
                rcGrid.left -= 1;
                block.first.pRow->DrawGridLines(pDC, pColumn, rcGrid);
                RestoreDC(pDC->m_hDC, nBlockSaved);
                // The freeze divider is drawn again over a block that touches
                // the frozen edge.
                if (bFrozenPass && rcBlock.right == nFrozenRight)
                    m_pPaintManager->DrawFreezeColsDivider(pDC, rcBlock, this, block.first.pRow);
                else if (nFrozen > 0 && !bFrozenPass && rcBlock.left < nFrozenRight)
                {
                    RECT rcDivider = rcBlock;
                    rcDivider.right = nFrozenRight;
                    rcDivider.left = std::min<LONG>(rcDivider.left, nFrozenRight - LVKScaleX(1));
                    m_pPaintManager->DrawFreezeColsDivider(pDC, rcDivider, this, block.first.pRow);
                }
            }
        }
        m_mergedBlocks.clear();
        RestoreDC(pDC->m_hDC, nSaved);
        if (m_pPaintManager->m_bEmptyAreaGrid && y < rcClient.bottom && !pDC->m_bPrinting)
        {
            const RECT rcEmpty{rcClient.left, y, rcClient.right, rcClient.bottom};
            DrawEmptyRowsGrid(pDC, rcEmpty, m_pPaintManager->GetFixedRowHeight(pDC, nullptr));
        }
    }
    if (pRows->GetCount() == 0)
        DrawNoItems(pDC, rcClient);
    if (pnHeight)
        *pnHeight = y - nTop;
    return nIndex;
}

void CLVKReportControl::DrawEmptyRowsGrid(CDC* pDC, const RECT& rcArea, int nRowHeight)
{
    if (nRowHeight <= 0 || !pDC)
        return;
    // The frozen columns come first and stay in place; the scrolled columns
    // are cut at the frozen edge, as on the rows above.
    const int nVisible = m_pColumns->GetVisibleColumnsCount();
    const int nFrozen = std::min(GetFreezeColumnsCount(), nVisible);
    const int nFrozenRight = nFrozen > 0 ? m_pColumns->GetVisibleAt(nFrozen - 1)->GetRect().right : 0;
    const int nGroupIndent = GetGroupIndent();
    CLVKReportColumn* pFirst = m_pColumns->GetFirstVisibleColumn();
    const COLORREF clrBack = m_pPaintManager->GetControlBackColor(this);
    const int nSaved = SaveDC(pDC->m_hDC);
    IntersectClipRect(pDC->m_hDC, rcArea.left, rcArea.top, rcArea.right, rcArea.bottom);
    for (int y = rcArea.top; y < rcArea.bottom; y += nRowHeight)
    {
        for (int i = 0; i < nVisible; i++)
        {
            CLVKReportColumn* pColumn = m_pColumns->GetVisibleAt(i);
            RECT rcCell{pColumn->GetRect().left, y, pColumn->GetRect().right, y + nRowHeight};
            if (pColumn == pFirst)
                rcCell.left += nGroupIndent;
            const BOOL bFrozen = i < nFrozen;
            RECT rcVisible = rcCell;
            if (!bFrozen)
                rcVisible.left = std::max<LONG>(rcVisible.left, nFrozenRight);
            RECT rcTest{};
            if (!IntersectRect(&rcTest, &rcVisible, &rcArea))
                continue;
            const int nCellSaved = SaveDC(pDC->m_hDC);
            IntersectClipRect(pDC->m_hDC, rcVisible.left, rcVisible.top, rcVisible.right, rcVisible.bottom);
            if (bFrozen)
            {
                SetBkColor(pDC->m_hDC, clrBack);
                ExtTextOutW(pDC->m_hDC, 0, 0, ETO_OPAQUE, &rcCell, nullptr, 0, nullptr);
            }
            RECT rcGrid = rcCell;
            rcGrid.left -= LVKScaleX(1);
            rcGrid.bottom -= LVKScaleY(1);
            if (m_pPaintManager->IsGridLineShown(FALSE))
                m_pPaintManager->DrawGridLine(pDC, FALSE, rcGrid);
            m_pPaintManager->DrawGridLine(pDC, TRUE, rcGrid);
            RestoreDC(pDC->m_hDC, nCellSaved);
            if (i == nFrozen - 1)
                m_pPaintManager->DrawFreezeColsDivider(pDC, rcCell, this, nullptr);
        }
        if (nGroupIndent > 0 && pFirst)
        {
            const RECT rcIndent{pFirst->GetRect().left, y, pFirst->GetRect().left + nGroupIndent, y + nRowHeight};
            m_pPaintManager->FillIndent(pDC, rcIndent);
        }
    }
    RestoreDC(pDC->m_hDC, nSaved);
}

void CLVKReportControl::KeepScreenRow(CLVKReportRows* pRows, CLVKReportRow* pRow)
{
    if (pRows->IsVirtualMode())
    {
        CLVKReportRow* pCopy = CreateRow();
        pCopy->InitRowFrom(pRow);
        pRows->GetScreenRows().push_back(pCopy);
    }
    else
    {
        pRow->InternalAddRef();
        pRows->GetScreenRows().push_back(pRow);
    }
}

void CLVKReportControl::DrawNoItems(CDC* pDC, const RECT& rcClient)
{
    m_pPaintManager->DrawNoItems(pDC, rcClient, m_pPaintManager->GetNoItemsText());
}

void CLVKReportControl::AddMergedCell(CLVKReportRecordItem* pMaster, const RECT& rcCell, CLVKReportRow* pRow,
                                      CLVKReportColumn* pColumn)
{
    if (!pMaster || !pRow || !pColumn)
        return;
    m_mergedBlocks[pMaster].AddItem(pColumn->GetIndex(), pRow->GetIndex(), pColumn->GetVisibleIndex(), rcCell, pRow);
}

CLVKReportRow* CLVKReportControl::HitTestRow(POINT pt) const
{
    CLVKReportSection* pSection = m_pSections->HitTest(pt);
    if (!pSection)
        return nullptr;
    for (auto* pRow : pSection->GetRows()->GetScreenRows())
    {
        if (PtInRect(&pRow->GetRect(), pt))
            return pSection->GetRows()->GetAt(pRow->GetIndex());
    }
    return nullptr;
}

BOOL CLVKReportControl::HitTest(POINT pt, LVK_REPORT_HITTESTINFO* pInfo)
{
    if (!pInfo)
        return FALSE;
    *pInfo = LVK_REPORT_HITTESTINFO{};
    if (PtInRect(&m_rcHeaderArea, pt))
    {
        pInfo->ht = 1;
        pInfo->pColumn = m_pReportHeader->HitTestColumn(pt);
        return TRUE;
    }
    if (PtInRect(&m_rcGroupByArea, pt))
    {
        // The group-by item under the point names its column.
        pInfo->ht = 2;
        const int nIndex = m_pReportHeader->HitTestGroupByBox(pt, TRUE);
        CLVKReportColumnOrder* pGroups = m_pColumns->GetGroupsOrder();
        if (nIndex >= 0 && nIndex < pGroups->GetCount())
            pInfo->pColumn = pGroups->GetAt(nIndex);
        return TRUE;
    }
    CLVKReportSection* pSection = m_pSections->HitTest(pt);
    if (!pSection)
        return TRUE;
    pInfo->ht = pSection->GetSectionType() == 0 ? 3 : (pSection->GetSectionType() == 1 ? 5 : 6);
    pInfo->pRow = HitTestRow(pt);
    if (pInfo->pRow)
        pInfo->pItem = pInfo->pRow->HitTest(pt, nullptr, &pInfo->pColumn);
    return TRUE;
}
