#include "ReportRecordMergeItem.h"

void CLVKReportRecordMergeItem::Range::Include(int nColumn, int nRow)
{
    if (!IsValid())
    {
        nColumnFrom = nColumnTo = nColumn;
        nRowFrom = nRowTo = nRow;
        return;
    }
    nColumnFrom = std::min(nColumnFrom, nColumn);
    nColumnTo = std::max(nColumnTo, nColumn);
    nRowFrom = std::min(nRowFrom, nRow);
    nRowTo = std::max(nRowTo, nRow);
}

BOOL CLVKReportRecordMergeItem::Range::Touches(int nColumn, int nRow) const
{
    const BOOL bColumnInside = nColumn >= nColumnFrom && nColumn <= nColumnTo;
    const BOOL bRowInside = nRow >= nRowFrom && nRow <= nRowTo;
    if (bColumnInside && (bRowInside || nRow == nRowFrom - 1 || nRow == nRowTo + 1))
        return TRUE;
    return bRowInside && (nColumn == nColumnFrom - 1 || nColumn == nColumnTo + 1);
}

void CLVKReportRecordMergeItem::AddItem(int nColumnIndex, int nRowIndex, int nColumnPosition, const RECT& rcItem,
                                        CLVKReportRow* pRow)
{
    Item item;
    item.nColumnIndex = nColumnIndex;
    item.nRowIndex = nRowIndex;
    item.nColumnPosition = nColumnPosition;
    item.rcItem = rcItem;
    item.pRow = pRow;
    m_items.push_back(item);
}

BOOL CLVKReportRecordMergeItem::GetNextMergedBlock(Range& range, RECT& rcBlock, Item* pFirst)
{
    range = Range();
    rcBlock = RECT{};
    // The search grows over visible positions; the result is reported in
    // column indexes, which hidden columns may space apart.
    Range search;
    BOOL bFirst = TRUE;
    for (auto it = m_items.begin(); it != m_items.end();)
    {
        if (!bFirst && !search.Touches(it->nColumnPosition, it->nRowIndex))
        {
            ++it;
            continue;
        }
        search.Include(it->nColumnPosition, it->nRowIndex);
        range.Include(it->nColumnIndex, it->nRowIndex);
        if (bFirst)
        {
            rcBlock = it->rcItem;
            if (pFirst)
                *pFirst = *it;
        }
        else
            UnionRect(&rcBlock, &rcBlock, &it->rcItem);
        bFirst = FALSE;
        it = m_items.erase(it);
    }
    return range.IsValid();
}
