#include "ReportRows.h"

#include "ReportColumn.h"
#include "ReportColumns.h"
#include "ReportControl.h"
#include "ReportPaintManager.h"
#include "ReportRecord.h"
#include "ReportRecordItem.h"
#include "ReportRecords.h"
#include "ReportRow.h"

#include <algorithm>
#include <cstdlib>
#include <deque>

CLVKReportRows::~CLVKReportRows()
{
    Clear(FALSE);
}

BOOL CLVKReportRows::Contains(const CLVKReportRow* pRow) const
{
    return std::find(m_arrRows.begin(), m_arrRows.end(), pRow) != m_arrRows.end();
}

void CLVKReportRows::ClearScreenRows()
{
    for (auto* pRow : m_arrScreenRows)
        pRow->InternalRelease();
    m_arrScreenRows.clear();
}

void CLVKReportRows::Clear(BOOL bResetRows)
{
    for (auto it = m_arrRows.rbegin(); it != m_arrRows.rend(); ++it)
    {
        if (bResetRows)
        {
            (*it)->SetVisible(FALSE);
            (*it)->SetIndex(-1);
        }
        (*it)->InternalRelease();
    }
    m_arrRows.clear();
    if (m_pVirtualRow)
    {
        m_pVirtualRow->InternalRelease();
        m_pVirtualRow = nullptr;
    }
    ClearScreenRows();
    m_nFocusedRow = -1;
}

CLVKReportRow* CLVKReportRows::GetAt(int nIndex) const
{
    if (m_pVirtualRow)
    {
        m_pVirtualRow->SetIndex(nIndex);
        return m_pVirtualRow;
    }
    return nIndex >= 0 && nIndex < static_cast<int>(m_arrRows.size()) ? m_arrRows[nIndex] : nullptr;
}

int CLVKReportRows::Add(CLVKReportRow* pRow)
{
    pRow->m_nChildIndex = static_cast<int>(m_arrRows.size());
    pRow->m_pParentRows = this;
    m_arrRows.push_back(pRow);
    return pRow->m_nChildIndex;
}

void CLVKReportRows::RemoveAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_arrRows.size()))
        AfxThrowInvalidArgException();
    CLVKReportRow* pRow = m_arrRows[nIndex];
    m_arrRows.erase(m_arrRows.begin() + nIndex);
    pRow->InternalRelease();
}

int CLVKReportRows::Remove(CLVKReportRow* pRow)
{
    auto it = std::find(m_arrRows.begin(), m_arrRows.end(), pRow);
    if (it == m_arrRows.end())
        return -1;
    const int nIndex = static_cast<int>(it - m_arrRows.begin());
    RemoveAt(nIndex);
    return nIndex;
}

void CLVKReportRows::InsertAt(int nIndex, CLVKReportRow* pRow)
{
    nIndex = std::max(0, std::min(nIndex, static_cast<int>(m_arrRows.size())));
    m_arrRows.insert(m_arrRows.begin() + nIndex, pRow);
}

void CLVKReportRows::SetAt(int nIndex, CLVKReportRow* pRow)
{
    if (!pRow || nIndex < 0 || nIndex >= static_cast<int>(m_arrRows.size()))
        return;
    m_arrRows[nIndex]->InternalRelease();
    m_arrRows[nIndex] = pRow;
    pRow->m_nChildIndex = nIndex;
    pRow->m_pParentRows = this;
}

void CLVKReportRows::Truncate(int nStart)
{
    nStart = std::max(0, nStart);
    while (static_cast<int>(m_arrRows.size()) > nStart)
    {
        m_arrRows.back()->InternalRelease();
        m_arrRows.pop_back();
    }
}

CLVKReportRow* CLVKReportRows::GetNext(CLVKReportRow* pRow, BOOL bSkipExpandedGroups) const
{
    if (!pRow)
        return GetAt(0);
    int nIndex = pRow->GetIndex();
    CLVKReportRow* pLast = pRow;
    while (nIndex + 1 < GetCount())
    {
        nIndex++;
        pLast = GetAt(nIndex);
        if (!(bSkipExpandedGroups && pLast->IsGroupRow() && pLast->IsExpanded()))
            return pLast;
    }
    return bSkipExpandedGroups ? pRow : pLast;
}

CLVKReportRow* CLVKReportRows::GetPrev(CLVKReportRow* pRow, BOOL bSkipExpandedGroups) const
{
    if (!pRow)
        return GetAt(0);
    int nIndex = pRow->GetIndex();
    CLVKReportRow* pLast = pRow;
    while (nIndex > 0)
    {
        nIndex--;
        pLast = GetAt(nIndex);
        if (!(bSkipExpandedGroups && pLast->IsGroupRow() && pLast->IsExpanded()))
            return pLast;
    }
    return bSkipExpandedGroups ? pRow : pLast;
}

void CLVKReportRows::SetVirtualMode(CLVKReportRow* pRow, int nCount)
{
    if (m_pVirtualRow)
        m_pVirtualRow->InternalRelease();
    m_pVirtualRow = pRow;
    m_nVirtualCount = nCount;
}

CLVKReportRow* CLVKReportRows::FindRow(const CLVKReportRecord* pRecord) const
{
    for (auto* pRow : m_arrRows)
    {
        if (pRow->GetRecord() == pRecord)
            return pRow;
    }
    return nullptr;
}

CLVKReportRow* CLVKReportRows::FindRowInTree(const CLVKReportRecord* pRecord) const
{
    for (auto* pRow : m_arrRows)
    {
        if (pRow->GetRecord() == pRecord)
            return pRow;
        if (pRow->HasChildren())
        {
            if (CLVKReportRow* pFound = pRow->GetChilds(FALSE)->FindRowInTree(pRecord))
                return pFound;
        }
    }
    return nullptr;
}

int CLVKReportRows::RefreshChildIndexes(BOOL bRecursive)
{
    for (int i = 0; i < static_cast<int>(m_arrRows.size()); i++)
    {
        m_arrRows[i]->m_nChildIndex = i;
        if (bRecursive && m_arrRows[i]->HasChildren())
            m_arrRows[i]->GetChilds(FALSE)->RefreshChildIndexes(TRUE);
    }
    return static_cast<int>(m_arrRows.size());
}

void CLVKReportRows::ResetRowHeights()
{
    if (m_pVirtualRow || m_arrRows.empty())
        return;
    CLVKReportControl* pControl = m_arrRows[0]->GetControl();
    if (!pControl || !pControl->IsRowHeightCached())
        return;
    for (auto* pRow : m_arrRows)
        pRow->m_nMeasuredHeight = -1;
}

int AFX_CDECL CLVKReportRows::CompareRows(const CLVKReportRow* pRow1, const CLVKReportRow* pRow2)
{
    CLVKReportRecord* pRecord1 = pRow1->GetRecord();
    CLVKReportRecord* pRecord2 = pRow2->GetRecord();
    if (pRecord1 == pRecord2 || !pRecord1)
    {
        if (!pRecord1 && !pRecord2 && pRow1 != pRow2 && pRow1->HasChildren() && pRow2->HasChildren())
        {
            const_cast<CLVKReportRow*>(pRow1)->GetChilds(FALSE);
            return CompareRows(const_cast<CLVKReportRow*>(pRow1)->GetChilds(FALSE)->GetAt(0),
                               const_cast<CLVKReportRow*>(pRow2)->GetChilds(FALSE)->GetAt(0));
        }
        return 0;
    }
    if (!pRecord2)
        return 0;
    CLVKReportControl* pControl = pRow1->GetControl();
    CLVKReportColumns* pColumns = pControl ? pControl->GetColumns() : nullptr;
    if (pColumns)
    {
        CLVKReportColumnOrder* pGroups = pColumns->GetGroupsOrder();
        for (int i = 0; i < pGroups->GetCount(); i++)
        {
            CLVKReportColumn* pColumn = pGroups->GetAt(i);
            if (!pColumn->IsSortedWhenGrouped())
                continue;
            CLVKReportRecordItem* pItem1 = pRecord1->GetItem(pColumn);
            CLVKReportRecordItem* pItem2 = pRecord2->GetItem(pColumn);
            if (pItem1 && pItem2)
            {
                const int r = pItem1->CompareGroupItems(pColumn, pItem2);
                if (r != 0)
                    return pColumn->IsSortedIncreasing() ? r : -r;
            }
        }
        CLVKReportColumnOrder* pSort = pColumns->GetSortOrder();
        for (int i = 0; i < pSort->GetCount(); i++)
        {
            CLVKReportColumn* pColumn = pSort->GetAt(i);
            CLVKReportRecordItem* pItem1 = pRecord1->GetItem(pColumn);
            CLVKReportRecordItem* pItem2 = pRecord2->GetItem(pColumn);
            if (pItem1 && pItem2)
            {
                const int r = pItem1->Compare(pColumn, pItem2);
                if (r != 0)
                    return pColumn->IsSortedIncreasing() ? r : -r;
            }
        }
    }
    return pRecord2->GetIndex() < pRecord1->GetIndex() ? 1 : -1;
}

namespace
{
// One sort key of one row for one column: the caption by reference where the
// item keeps it, else a copy made once; or the item itself when its order is
// not the caption's (numbers, priorities).
struct SortKey
{
    CLVKReportRecordItem* pItem;
    LPCWSTR lpszText;
    int nSortKey;  // offset of the locale's sort key in the key buffer, -1 none
};

struct SortColumn
{
    CLVKReportColumn* pColumn;
    BOOL bGroup;
    int nSign;
};

CLVKReportRecord* FirstRecordOf(CLVKReportRow* pRow)
{
    while (pRow && !pRow->GetRecord() && pRow->HasChildren())
        pRow = pRow->GetChilds(FALSE)->GetAt(0);
    return pRow ? pRow->GetRecord() : nullptr;
}
}  // namespace

void CLVKReportRows::Sort()
{
    const int nCount = static_cast<int>(m_arrRows.size());
    if (nCount < 2)
        return;
    CLVKReportControl* pControl = m_arrRows[0]->GetControl();
    CLVKReportColumns* pColumns = pControl ? pControl->GetColumns() : nullptr;
    if (!pColumns)
        return;

    std::vector<SortColumn> columns;
    CLVKReportColumnOrder* pGroups = pColumns->GetGroupsOrder();
    for (int i = 0; i < pGroups->GetCount(); i++)
    {
        if (pGroups->GetAt(i)->IsSortedWhenGrouped())
            columns.push_back({pGroups->GetAt(i), TRUE, pGroups->GetAt(i)->IsSortedIncreasing() ? 1 : -1});
    }
    CLVKReportColumnOrder* pSort = pColumns->GetSortOrder();
    for (int i = 0; i < pSort->GetCount(); i++)
        columns.push_back({pSort->GetAt(i), FALSE, pSort->GetAt(i)->IsSortedIncreasing() ? 1 : -1});
    const size_t nKeys = columns.size();

    std::vector<CLVKReportRecord*> records(nCount);
    std::vector<SortKey> keys(nCount * nKeys);
    std::deque<CString> copies;
    const CLVKReportRecords* pStrings = nullptr;
    for (int r = 0; r < nCount; r++)
    {
        CLVKReportRecord* pRecord = FirstRecordOf(m_arrRows[r]);
        records[r] = pRecord;
        if (pRecord && !pStrings)
            pStrings = pRecord->GetRecords();
        for (size_t k = 0; k < nKeys; k++)
        {
            SortKey& key = keys[r * nKeys + k];
            CLVKReportRecordItem* pItem = pRecord ? pRecord->GetItem(columns[k].pColumn) : nullptr;
            key.pItem = pItem;
            key.lpszText = nullptr;
            key.nSortKey = -1;
            if (!pItem || pItem->GetSortPriority() != -1)
                continue;
            if (columns[k].bGroup && pItem->GetGroupPriority() != -1)
                continue;
            if (!pItem->IsCaptionOrdered() || (columns[k].bGroup && pItem->HasGroupCaption()))
                continue;
            if (const CString* pCaption = pItem->GetCaptionRef(columns[k].pColumn))
                key.lpszText = *pCaption;
            else
            {
                copies.push_back(pItem->GetCaption(columns[k].pColumn));
                key.lpszText = copies.back();
            }
        }
    }

    // Without case the texts are ordered by the locale (CompareStringW). Its
    // sort keys order the same way and are made once per text, so that the
    // sort compares bytes instead of asking the locale for every pair.
    std::vector<char> sortKeys;
    if (pStrings && !pStrings->IsCaseSensitive())
    {
        std::vector<BYTE> buffer;
        for (SortKey& key : keys)
        {
            if (!key.lpszText)
                continue;
            const int nLength = static_cast<int>(wcslen(key.lpszText));
            buffer.resize(static_cast<size_t>(nLength) * 8 + 64);
            const int nBytes =
                LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, key.lpszText, nLength + 1,
                             reinterpret_cast<LPWSTR>(buffer.data()), static_cast<int>(buffer.size()));
            if (nBytes <= 0)
                continue;
            key.nSortKey = static_cast<int>(sortKeys.size());
            sortKeys.insert(sortKeys.end(), buffer.begin(), buffer.begin() + nBytes);
            sortKeys.push_back(0);
        }
    }

    std::vector<int> order(nCount);
    for (int i = 0; i < nCount; i++)
        order[i] = i;
    auto less = [&](int a, int b)
    {
        CLVKReportRecord* pRecordA = records[a];
        CLVKReportRecord* pRecordB = records[b];
        if (pRecordA && pRecordB && pRecordA != pRecordB)
        {
            for (size_t k = 0; k < nKeys; k++)
            {
                const SortKey& keyA = keys[a * nKeys + k];
                const SortKey& keyB = keys[b * nKeys + k];
                if (!keyA.pItem || !keyB.pItem)
                    continue;
                int r;
                if (keyA.nSortKey >= 0 && keyB.nSortKey >= 0)
                    r = strcmp(&sortKeys[keyA.nSortKey], &sortKeys[keyB.nSortKey]);
                else if (keyA.lpszText && keyB.lpszText)
                    r = pStrings ? pStrings->CompareStrings(keyA.lpszText, keyB.lpszText)
                                 : wcscmp(keyA.lpszText, keyB.lpszText);
                else if (columns[k].bGroup)
                    r = keyA.pItem->CompareGroupItems(columns[k].pColumn, keyB.pItem);
                else
                    r = keyA.pItem->Compare(columns[k].pColumn, keyB.pItem);
                if (r != 0)
                    return r * columns[k].nSign < 0;
            }
        }
        const int nA = pRecordA ? pRecordA->GetIndex() : a;
        const int nB = pRecordB ? pRecordB->GetIndex() : b;
        return nA != nB ? nA < nB : a < b;
    };
    std::sort(order.begin(), order.end(), less);

    std::vector<CLVKReportRow*> sorted(nCount);
    for (int i = 0; i < nCount; i++)
        sorted[i] = m_arrRows[order[i]];
    m_arrRows.swap(sorted);
}

void CLVKReportRows::SortEx(CompareFunc pfnCompare)
{
    if (m_arrRows.size() < 2 || !pfnCompare)
        return;
    // A merge sort: the runtime's qsort is slow under Wine's C library, and
    // a merge sort stays inside the array even when a caller's comparison is
    // not a consistent order.
    std::stable_sort(
        m_arrRows.begin(), m_arrRows.end(),
        [pfnCompare](const CLVKReportRow* a, const CLVKReportRow* b)
        { return pfnCompare(const_cast<const CLVKReportRow**>(&a), const_cast<const CLVKReportRow**>(&b)) < 0; });
}

CLVKReportRecordItem* CLVKReportRows::FindRecordItem(int nStartRow, int nEndRow, int nStartColumn, int nEndColumn,
                                                     int nRow, int nItem, LPCWSTR lpszText, int nFlags)
{
    CLVKReportRow* pFirst = GetCount() > 0 ? GetAt(0) : nullptr;
    if (!pFirst)
        return nullptr;
    return LVKReportFindRecordItem(
        pFirst->GetControl(), GetCount(),
        [this](int n)
        {
            CLVKReportRow* pRow = GetAt(n);
            return pRow ? pRow->GetRecord() : nullptr;
        },
        nStartRow, nEndRow, nStartColumn, nEndColumn, nRow, nItem, lpszText, nFlags);
}
