// The report paint manager's heights: of rows, header, footer and captions.
#include "ReportPaintManager.h"
#include "ReportPaintManagerPrivate.h"

#include "ReportColumn.h"
#include "ReportColumns.h"
#include "ReportControl.h"
#include "ReportGroupRow.h"
#include "ReportHeader.h"
#include "ReportHyperlink.h"
#include "ReportInplaceButton.h"
#include "ReportRecord.h"
#include "ReportRecordItem.h"
#include "ReportRecordItemControl.h"
#include "ReportRecords.h"
#include "ReportRow.h"
#include "ReportRows.h"
#include "ReportSection.h"
#include "ReportSelectedRows.h"
#include "ReportThemeClassicSupport.h"
#include "Foundation/PenDC.h"
#include "Foundation/FontDC.h"
#include "Foundation/DCSaveState.h"
#include "Foundation/BitmapDC.h"
#include "Foundation/ColorManager.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/ImageManager.h"
#include "Foundation/ImageManagerIcon.h"
#include "Foundation/ResourceManager.h"

#include <shellapi.h>
#include <vssym32.h>

#include <map>
#include <vector>

// Heights ---------------------------------------------------------------------------

int CLVKReportPaintManager::GetFixedRowHeight(CDC* /*pDC*/, CLVKReportRow* pRow)
{
    if (pRow && pRow->IsGroupRow())
        return m_nRowHeight + (m_bShadeGroupHeadings ? LVKScaleY(6) : LVKScaleY(16));
    return m_nRowHeight + (IsGridHorizontal() ? LVKScaleY(1) : 0);
}

int CLVKReportPaintManager::GetRowHeight(CDC* pDC, CLVKReportRow* pRow, int nTotalWidth)
{
    return CalcRowHeight(pDC, pRow, nTotalWidth, TRUE);
}

int CLVKReportPaintManager::GetColumnWidthInRow(CLVKReportColumn* pColumn, int /*nTotalWidth*/) const
{
    const RECT& rc = pColumn->GetRect();
    const int nWidth = rc.right - rc.left;
    return nWidth > 0 ? nWidth : pColumn->GetWidth();
}

CLVKReportRecordItem* CLVKReportPaintManager::ItemOfRowAt(CLVKReportRow* pRow, CLVKReportColumn* pColumn) const
{
    CLVKReportRecord* pRecord = pRow ? pRow->GetRecord() : nullptr;
    return pRecord ? pRecord->GetItem(pColumn) : nullptr;
}

int CLVKReportPaintManager::CalcRowHeight(CDC* pDC, CLVKReportRow* pRow, int nTotalWidth, BOOL bAllowMerge)
{
    CLVKReportControl* pControl = pRow ? pRow->GetControl() : nullptr;
    if (!pControl)
        return 0;
    if (pControl->IsIconView())
    {
        const int nPerLine = pControl->GetIconViewItemsPerLine();
        return nPerLine == 0 || pRow->GetIndex() % nPerLine == 0 ? pControl->GetIconViewRowHeight() : 0;
    }
    CLVKReportRecord* pRecord = pRow->GetRecord();
    if (pControl->IsRowSizingAllowed() && !pRow->IsGroupRow())
    {
        // All rows of a record share one height, kept by the record.
        if (pRow->GetUserRowHeight() <= 0)
            pRow->SetUserRowHeight(pControl->GetDefaultRowHeight());
        if (pRecord)
        {
            if (pRecord->GetRowHeight() > 0)
                pRow->SetUserRowHeight(pRecord->GetRowHeight());
            else
                pRecord->SetRowHeight(pRow->GetUserRowHeight());
        }
        return pRow->GetUserRowHeight();
    }
    if (m_bFixedRowHeight || pRow->IsGroupRow() || !pRow->IsItemsVisible())
        return GetFixedRowHeight(pDC, pRow);
    if (!pRecord)
        return 0;
    if (pControl->IsRowHeightCached() && pRow->m_nMeasuredHeight != -1)
        return pRow->m_nMeasuredHeight;

    CClientDC dcScreen(nullptr);
    CDC* pMeasureDC = pDC ? pDC : &dcScreen;
    int nHeight = m_nRowHeight + (IsGridHorizontal() ? LVKScaleY(1) : 0);
    BOOL bMerged = FALSE;
    CLVKReportColumns* pColumns = pControl->GetColumns();
    const BOOL bMerging = pControl->IsCellMergingEnabled() && !pControl->IsVirtualMode();
    for (int i = 0; i < pColumns->GetVisibleColumnsCount(); i++)
    {
        CLVKReportColumn* pColumn = pColumns->GetVisibleAt(i);
        CLVKReportRecordItem* pItem = pRecord->GetItem(pColumn);
        if (!pItem)
            continue;
        if (bMerging && pItem->IsMergeMember())
        {
            bMerged = TRUE;
            continue;
        }
        nHeight = std::max(nHeight,
                           CalcItemHeight(pMeasureDC, pRow, pColumn, pItem, GetColumnWidthInRow(pColumn, nTotalWidth)));
    }
    if (bMerged && bAllowMerge)
        nHeight = CalcMergedRowHeight(pMeasureDC, pRow, nHeight, nTotalWidth);
    if (pControl->IsRowHeightCached())
        pRow->m_nMeasuredHeight = nHeight;
    return nHeight;
}

int CLVKReportPaintManager::CalcItemHeight(CDC* pDC, CLVKReportRow* pRow, CLVKReportColumn* pColumn,
                                           CLVKReportRecordItem* pItem, int nWidth)
{
    CLVKReportControl* pControl = pRow->GetControl();
    LVK_REPORTRECORDITEM_DRAWARGS drawArgs;
    drawArgs.pControl = pControl;
    drawArgs.pRow = pRow;
    drawArgs.pColumn = pColumn;
    drawArgs.pItem = pItem;
    drawArgs.pDC = nullptr;
    drawArgs.nTextAlign = pColumn ? pColumn->GetAlignment() : 0;
    const LVKReportReference<LVK_REPORTRECORDITEM_METRICS> metrics(new LVK_REPORTRECORDITEM_METRICS());
    LVK_REPORTRECORDITEM_METRICS* pMetrics = metrics.get();
    pMetrics->strText = pItem->GetCaption(pColumn);
    pRow->FillItemMetrics(&drawArgs, pMetrics);
    CLVKFontDC font(pDC, pMetrics->pFont ? pMetrics->pFont : &m_fontText);

    int nTextWidth = nWidth - LVKScaleX(4);
    if (pColumn)
    {
        const int nLeft = pColumn->GetRect().left;
        nTextWidth -= pRow->AddTreeIndent(nLeft, pColumn) - nLeft;
    }
    RECT rcCaption{0, 0, nTextWidth, 0};
    LVK_REPORTRECORDITEM_ARGS args;
    args.pControl = pControl;
    args.pRow = pRow;
    args.pColumn = pColumn;
    args.pItem = pItem;
    args.rcItem = rcCaption;
    pItem->GetCaptionRect(&args, rcCaption);
    nTextWidth = rcCaption.right - rcCaption.left;

    int nIcon = pItem->GetIconIndex();
    if (nIcon < 0)
        nIcon = pMetrics->nItemIcon;
    int nIconWidth = 0;
    int nIconHeight = 0;
    if (nIcon >= 0 && pControl->GetImageManager())
    {
        if (CLVKImageManagerIcon* pIcon = pControl->GetImageManager()->FindIcon(nIcon, 0))
        {
            nIconWidth = pIcon->GetExtent().cx;
            nIconHeight = pIcon->GetExtent().cy;
        }
    }
    CString strCaption = pControl->IsVirtualMode() ? pMetrics->strText : pItem->GetCaption(pColumn);
    ProtectHyperlinkSpaces(pItem, strCaption);
    const BOOL bWordBreak = (pMetrics->nColumnAlignment & DT_WORDBREAK) != 0;
    const int nTextHeight =
        CalcTextHeight(pDC, strCaption, std::max(1, nTextWidth - nIconWidth - LVKScaleX(3)), bWordBreak);
    font.RestoreFont();
    return std::max(m_nRowHeight, LVKScaleY(5) + std::max(nIconHeight, nTextHeight)) +
           (IsGridHorizontal() ? LVKScaleY(1) : 0);
}

// Rows joined by merged cells share the height the merged cells need: the
// range of rows is found, each merged item is measured over its columns'
// widths and the missing height is spread over its rows.
int CLVKReportPaintManager::CalcMergedRowHeight(CDC* pDC, CLVKReportRow* pRow, int nHeight, int nTotalWidth)
{
    CLVKReportControl* pControl = pRow->GetControl();
    CLVKReportSection* pSection = pRow->GetSection();
    if (!pSection || pRow->GetIndex() < 0)
        return nHeight;
    CLVKReportRows* pRows = pSection->GetRows();
    CLVKReportColumns* pColumns = pControl->GetColumns();
    const int nVisible = pColumns->GetVisibleColumnsCount();
    auto sharesMaster = [&](CLVKReportRow* pA, CLVKReportRow* pB)
    {
        if (!pA || !pB)
            return FALSE;
        for (int c = 0; c < nVisible; c++)
        {
            CLVKReportColumn* pColumn = pColumns->GetVisibleAt(c);
            CLVKReportRecordItem* pItemA = ItemOfRowAt(pA, pColumn);
            CLVKReportRecordItem* pItemB = ItemOfRowAt(pB, pColumn);
            if (pItemA && pItemB && pItemA->GetMergeMaster() && pItemA->GetMergeMaster() == pItemB->GetMergeMaster())
                return TRUE;
        }
        return FALSE;
    };
    int nFirst = pRow->GetIndex();
    int nLast = nFirst;
    for (BOOL bGrew = TRUE; bGrew;)
    {
        bGrew = FALSE;
        while (nFirst > 0 && sharesMaster(pRows->GetAt(nFirst - 1), pRows->GetAt(nFirst)))
        {
            nFirst--;
            bGrew = TRUE;
        }
        while (nLast + 1 < pRows->GetCount() && sharesMaster(pRows->GetAt(nLast), pRows->GetAt(nLast + 1)))
        {
            nLast++;
            bGrew = TRUE;
        }
    }
    const int nCount = nLast - nFirst + 1;
    std::vector<int> slots(nCount, 0);
    std::vector<BOOL> counted(nCount, FALSE);
    struct MergeRange
    {
        int nRowFirst = INT_MAX;
        int nRowLast = -1;
        int nColumnFirst = INT_MAX;
        int nColumnLast = -1;
        CLVKReportRow* pRow = nullptr;
    };
    std::map<CLVKReportRecordItem*, MergeRange> ranges;
    std::vector<CLVKReportRecordItem*> order;
    for (int i = 0; i < nCount; i++)
    {
        CLVKReportRow* pRangeRow = pRows->GetAt(nFirst + i);
        if (!pRangeRow)
            continue;
        slots[i] = pRangeRow == pRow ? nHeight : CalcRowHeight(pDC, pRangeRow, nTotalWidth, FALSE);
        counted[i] = pRangeRow->IsItemsVisible();
        if (!counted[i])
            continue;
        for (int c = 0; c < nVisible; c++)
        {
            CLVKReportRecordItem* pItem = ItemOfRowAt(pRangeRow, pColumns->GetVisibleAt(c));
            CLVKReportRecordItem* pMaster = pItem ? pItem->GetMergeMaster() : nullptr;
            if (!pMaster)
                continue;
            MergeRange& range = ranges[pMaster];
            if (range.nRowLast < 0)
                order.push_back(pMaster);
            range.nRowFirst = std::min(range.nRowFirst, i);
            range.nRowLast = std::max(range.nRowLast, i);
            range.nColumnFirst = std::min(range.nColumnFirst, c);
            range.nColumnLast = std::max(range.nColumnLast, c);
            if (!range.pRow)
                range.pRow = pRangeRow;
        }
    }
    for (CLVKReportRecordItem* pMaster : order)
    {
        const MergeRange& range = ranges[pMaster];
        int nWidth = 0;
        for (int c = range.nColumnFirst; c <= range.nColumnLast; c++)
            nWidth += GetColumnWidthInRow(pColumns->GetVisibleAt(c), nTotalWidth);
        const int nNeeded =
            CalcItemHeight(pDC, range.pRow, pColumns->GetVisibleAt(range.nColumnFirst), pMaster, nWidth);
        std::vector<int> rows;
        for (int i = range.nRowFirst; i <= range.nRowLast; i++)
        {
            if (counted[i])
                rows.push_back(i);
        }
        DistributeMergedHeight(slots, rows, nNeeded);
    }
    for (int i = 0; i < nCount; i++)
    {
        if (CLVKReportRow* pRangeRow = pRows->GetAt(nFirst + i))
            pRangeRow->m_nMeasuredHeight = slots[i];
    }
    return slots[pRow->GetIndex() - nFirst];
}

void AFX_CDECL CLVKReportPaintManager::DistributeMergedHeight(std::vector<int>& slots, const std::vector<int>& rows,
                                                               int nNeeded)
{
    const int n = static_cast<int>(rows.size());
    if (n == 0)
        return;
    int nSum = 0;
    int nMax = 0;
    for (int i : rows)
    {
        nSum += slots[i];
        nMax = std::max(nMax, slots[i]);
    }
    const int nExtra = nNeeded - nSum;
    if (nExtra < 1)
        return;
    if (n == 1)
    {
        slots[rows[0]] += nExtra;
        return;
    }
    if (nExtra < n * nMax - nSum)
    {
        // The rows already as high as their share keep their height; the
        // others are raised to an even share of what is left.
        std::vector<int> rest;
        for (int i : rows)
        {
            if (slots[i] >= nNeeded / n)
                nSum -= slots[i];
            else
                rest.push_back(i);
        }
        if (rest.empty())
            return;
        const int nShare = (nSum + nExtra) / static_cast<int>(rest.size());
        for (int i : rest)
            slots[i] = std::max(slots[i], nShare);
        return;
    }
    const int nEach = nMax + (nExtra + nSum - n * nMax) / n;
    int nRemainder = (nExtra + nSum - n * nMax) % n;
    for (int i : rows)
    {
        slots[i] = nEach + (nRemainder > 0 ? 1 : 0);
        if (nRemainder > 0)
            nRemainder--;
    }
}

int CLVKReportPaintManager::GetHeaderHeight(CLVKReportControl* pControl, CDC* pDC, int nTotalWidth)
{
    if (m_bFixedRowHeight || !pControl || !pDC)
        return GetFixedHeaderHeight();
    int nHeight = GetFixedHeaderHeight();
    CLVKReportColumns* pColumns = pControl->GetColumns();
    for (int i = 0; i < pColumns->GetVisibleColumnsCount(); i++)
    {
        CLVKReportColumn* pColumn = pColumns->GetVisibleAt(i);
        if (pColumn->GetHeaderAlignment() & DT_WORDBREAK)
            nHeight = std::max(nHeight, CalcColumnHeaderHeight(pDC, pColumn, nTotalWidth));
        if (pColumn->GetIconID() != -1 && pControl->GetImageManager())
        {
            if (CLVKImageManagerIcon* pIcon = pControl->GetImageManager()->FindIcon(pColumn->GetIconID(), 0))
                nHeight = std::max(nHeight, static_cast<int>(pIcon->GetExtent().cy) + LVKScaleY(2));
        }
    }
    return nHeight;
}

int CLVKReportPaintManager::GetFooterHeight(CLVKReportControl* pControl, CDC* pDC, int /*nTotalWidth*/)
{
    if (!pControl || !pDC)
        return m_nFooterHeight;
    int nHeight = LVKScaleY(22);
    CLVKReportColumns* pColumns = pControl->GetColumns();
    for (int i = 0; i < pColumns->GetVisibleColumnsCount(); i++)
    {
        CLVKReportColumn* pColumn = pColumns->GetVisibleAt(i);
        const CString& strFooter = pColumn->GetFooterText();
        RECT rc{0, 0, std::max(0, pColumn->GetWidth() - LVKScaleX(6)), 0};
        CLVKFontDC font(pDC, pColumn->GetFont());
        UINT nFlags = DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
        if (!m_bFixedRowHeight && (pColumn->GetFooterAlignment() & DT_WORDBREAK))
            nFlags = DT_WORDBREAK | DT_VCENTER | DT_CALCRECT | DT_NOPREFIX | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS;
        DrawTextW(pDC->m_hDC, strFooter.IsEmpty() ? L" " : static_cast<LPCWSTR>(strFooter),
                  strFooter.IsEmpty() ? 1 : strFooter.GetLength(), &rc, nFlags);
        font.RestoreFont();
        nHeight = std::max(nHeight, static_cast<int>(rc.bottom - rc.top) + LVKScaleY(8));
    }
    return nHeight;
}
