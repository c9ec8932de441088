#include "ReportSelectedRows.h"

#include "ReportColumns.h"
#include "ReportControl.h"
#include "ReportRow.h"
#include "ReportRows.h"
#include "ReportSection.h"
#include "ReportSections.h"

CLVKReportRows* CLVKReportSelectedRows::GetSectionRows() const
{
    CLVKReportSection* pSection =
        m_pControl->GetSections()->GetAt(m_nSectionType == 0 ? 1 : (m_nSectionType == 1 ? 0 : 2));
    return pSection ? pSection->GetRows() : nullptr;
}

BOOL CLVKReportSelectedRows::AskChange(CLVKReportRow* pRow, int nAction) const
{
    REPORT_PAIR_NOTIFY nm{};
    nm.lFirst = reinterpret_cast<LPARAM>(pRow);
    nm.lSecond = nAction;
    return m_pControl->SendNotify(REPORT_NOTIFY_SELECTION_CHANGING, &nm.hdr) == 0;
}

int CLVKReportSelectedRows::GetCount() const
{
    int n = 0;
    for (const auto& block : m_arrSelectedBlocks)
        n += block.nIndexEnd - block.nIndexBegin;
    return n;
}

CLVKReportRow* CLVKReportSelectedRows::GetAt(int nIndex) const
{
    for (const auto& block : m_arrSelectedBlocks)
    {
        const int nLength = block.nIndexEnd - block.nIndexBegin;
        if (nIndex < nLength)
        {
            CLVKReportRows* pRows = GetSectionRows();
            return pRows ? pRows->GetAt(block.nIndexBegin + nIndex) : nullptr;
        }
        nIndex -= nLength;
    }
    return nullptr;
}

POSITION CLVKReportSelectedRows::GetFirstSelectedRowPosition()
{
    m_nIterationBlock = 0;
    if (m_arrSelectedBlocks.empty())
        return nullptr;
    return reinterpret_cast<POSITION>(static_cast<INT_PTR>(m_arrSelectedBlocks.front().nIndexBegin) + 1);
}

CLVKReportRow* CLVKReportSelectedRows::GetNextSelectedRow(POSITION& pos)
{
    if (!pos || m_nIterationBlock >= m_arrSelectedBlocks.size())
    {
        pos = nullptr;
        return nullptr;
    }
    const int nIndex = static_cast<int>(reinterpret_cast<INT_PTR>(pos)) - 1;
    CLVKReportRows* pRows = GetSectionRows();
    CLVKReportRow* pRow = pRows ? pRows->GetAt(nIndex) : nullptr;
    int nNext = nIndex + 1;
    if (nNext >= m_arrSelectedBlocks[m_nIterationBlock].nIndexEnd)
    {
        m_nIterationBlock++;
        nNext = m_nIterationBlock < m_arrSelectedBlocks.size() ? m_arrSelectedBlocks[m_nIterationBlock].nIndexBegin
                                                               : -1;
    }
    pos = nNext >= 0 ? reinterpret_cast<POSITION>(static_cast<INT_PTR>(nNext) + 1) : nullptr;
    return pRow;
}

BOOL CLVKReportSelectedRows::ContainsIndex(int nIndex) const
{
    if (m_arrSelectedBlocks.empty() || nIndex < m_arrSelectedBlocks.front().nIndexBegin ||
        nIndex >= m_arrSelectedBlocks.back().nIndexEnd)
        return FALSE;
    // Blocks are sorted: a binary search keeps a large selection cheap to test.
    size_t lo = 0;
    size_t hi = m_arrSelectedBlocks.size();
    while (lo < hi)
    {
        const size_t mid = (lo + hi) / 2;
        if (m_arrSelectedBlocks[mid].nIndexEnd <= nIndex)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo < m_arrSelectedBlocks.size() && m_arrSelectedBlocks[lo].nIndexBegin <= nIndex;
}

BOOL CLVKReportSelectedRows::Contains(const CLVKReportRow* pRow) const
{
    if (!pRow)
        return FALSE;
    CLVKReportSection* pSection = pRow->GetSection();
    if (pSection && pSection->GetSectionType() != m_nSectionType)
        return FALSE;
    return ContainsIndex(pRow->GetIndex());
}

void CLVKReportSelectedRows::AddBlock(int nBegin, int nEnd, BOOL bToggle)
{
    if (nBegin > nEnd)
        std::swap(nBegin, nEnd);
    nEnd++;
    m_bChanged = TRUE;
    if (m_arrSelectedBlocks.empty() || m_arrSelectedBlocks.back().nIndexEnd < nBegin)
    {
        m_arrSelectedBlocks.push_back({nBegin, nEnd});
        return;
    }
    if (m_arrSelectedBlocks.back().nIndexEnd == nBegin)
    {
        m_arrSelectedBlocks.back().nIndexEnd = std::max(m_arrSelectedBlocks.back().nIndexEnd, nEnd);
        return;
    }
    for (size_t i = 0; i < m_arrSelectedBlocks.size(); i++)
    {
        SELECTED_BLOCK& block = m_arrSelectedBlocks[i];
        if (block.nIndexBegin <= nBegin && block.nIndexEnd >= nEnd)
        {
            if (bToggle)
                RemoveRange(nBegin, nEnd - 1, FALSE);
            return;
        }
        if (block.nIndexBegin > nEnd)
        {
            m_arrSelectedBlocks.insert(m_arrSelectedBlocks.begin() + i, SELECTED_BLOCK{nBegin, nEnd});
            return;
        }
        if (block.nIndexEnd >= nBegin)
        {
            block.nIndexBegin = std::min(block.nIndexBegin, nBegin);
            int nNewEnd = std::max(block.nIndexEnd, nEnd);
            while (i + 1 < m_arrSelectedBlocks.size() && m_arrSelectedBlocks[i + 1].nIndexBegin <= nNewEnd)
            {
                nNewEnd = std::max(nNewEnd, m_arrSelectedBlocks[i + 1].nIndexEnd);
                m_arrSelectedBlocks.erase(m_arrSelectedBlocks.begin() + i + 1);
            }
            m_arrSelectedBlocks[i].nIndexEnd = nNewEnd;
            return;
        }
    }
    m_arrSelectedBlocks.push_back({nBegin, nEnd});
}

BOOL CLVKReportSelectedRows::Add(CLVKReportRow* pRow)
{
    if (!pRow || pRow->GetIndex() == -1)
        return FALSE;
    if (!AskChange(pRow, 0))
        return FALSE;
    if (pRow->GetSection())
        m_nSectionType = pRow->GetSection()->GetSectionType();
    AddBlock(pRow->GetIndex(), pRow->GetIndex());
    m_nAnchor = -1;
    return TRUE;
}

void CLVKReportSelectedRows::RemoveRange(int nBegin, int nEnd, BOOL bShiftFollowing)
{
    const int d = nEnd + 1 - nBegin;
    for (int i = static_cast<int>(m_arrSelectedBlocks.size()) - 1; i >= 0; i--)
    {
        SELECTED_BLOCK& block = m_arrSelectedBlocks[i];
        if (block.nIndexEnd <= nBegin)
            break;
        m_bChanged = TRUE;
        if (block.nIndexBegin > nEnd)
        {
            if (bShiftFollowing)
            {
                block.nIndexBegin -= d;
                block.nIndexEnd -= d;
            }
            continue;
        }
        if (block.nIndexBegin < nBegin)
        {
            const int nTailEnd = block.nIndexEnd;
            block.nIndexEnd = nBegin;
            if (nTailEnd > nEnd + 1)
            {
                if (bShiftFollowing)
                    block.nIndexEnd = nTailEnd - d;
                else
                    m_arrSelectedBlocks.insert(m_arrSelectedBlocks.begin() + i + 1, SELECTED_BLOCK{nEnd + 1, nTailEnd});
            }
            continue;
        }
        if (block.nIndexEnd > nEnd + 1)
        {
            block.nIndexBegin = bShiftFollowing ? nBegin : nEnd + 1;
            if (bShiftFollowing)
                block.nIndexEnd -= d;
        }
        else
            m_arrSelectedBlocks.erase(m_arrSelectedBlocks.begin() + i);
    }
    if (bShiftFollowing)
        MergeAdjacent();
}

void CLVKReportSelectedRows::MergeAdjacent()
{
    for (size_t i = 0; i + 1 < m_arrSelectedBlocks.size();)
    {
        if (m_arrSelectedBlocks[i].nIndexEnd >= m_arrSelectedBlocks[i + 1].nIndexBegin)
        {
            m_arrSelectedBlocks[i].nIndexEnd =
                std::max(m_arrSelectedBlocks[i].nIndexEnd, m_arrSelectedBlocks[i + 1].nIndexEnd);
            m_arrSelectedBlocks.erase(m_arrSelectedBlocks.begin() + i + 1);
        }
        else
            i++;
    }
}

void CLVKReportSelectedRows::Remove(CLVKReportRow* pRow)
{
    if (!pRow || !AskChange(pRow, 1))
        return;
    const int nIndex = pRow->GetIndex();
    for (size_t i = 0; i < m_arrSelectedBlocks.size(); i++)
    {
        const SELECTED_BLOCK block = m_arrSelectedBlocks[i];
        if (nIndex < block.nIndexBegin || nIndex >= block.nIndexEnd)
            continue;
        m_arrSelectedBlocks.erase(m_arrSelectedBlocks.begin() + i);
        if (nIndex + 1 < block.nIndexEnd)
            m_arrSelectedBlocks.insert(m_arrSelectedBlocks.begin() + i, SELECTED_BLOCK{nIndex + 1, block.nIndexEnd});
        if (block.nIndexBegin < nIndex)
            m_arrSelectedBlocks.insert(m_arrSelectedBlocks.begin() + i, SELECTED_BLOCK{block.nIndexBegin, nIndex});
        break;
    }
    m_pControl->RedrawControl();
    m_nAnchor = -1;
    m_bChanged = TRUE;
}

void CLVKReportSelectedRows::Toggle(CLVKReportRow* pRow)
{
    if (!pRow ||
        (pRow->GetSection() && pRow->GetSection()->GetSectionType() != m_nSectionType && !m_arrSelectedBlocks.empty()))
        return;
    if (Contains(pRow))
        Remove(pRow);
    else
        Add(pRow);
    m_nAnchor = -1;
    m_bChanged = TRUE;
}

BOOL CLVKReportSelectedRows::Clear(BOOL bNotify)
{
    if (m_arrSelectedBlocks.empty())
        return FALSE;
    if (bNotify && !AskChange(nullptr, 2))
        return FALSE;
    m_arrSelectedBlocks.clear();
    m_bChanged = TRUE;
    m_nAnchor = -1;
    m_nSectionType = 0;
    m_pControl->RedrawControl();
    return TRUE;
}

BOOL CLVKReportSelectedRows::Select(CLVKReportRow* pRow)
{
    if (!pRow)
        return FALSE;
    const int nType = pRow->GetSection() ? pRow->GetSection()->GetSectionType() : 0;
    if (nType != m_nSectionType)
    {
        Clear(m_bNotify);
        m_bChanged = TRUE;
    }
    if (GetCount() == 1 && ContainsIndex(pRow->GetIndex()))
        return FALSE;
    const BOOL bCleared = Clear(m_bNotify);
    const BOOL bAdded = Add(pRow);
    if (bCleared || bAdded)
        m_bChanged = TRUE;
    m_nSectionType = nType;
    return bCleared && bAdded;
}

void CLVKReportSelectedRows::SelectBlock(int nBlockBegin, int nBlockEnd, BOOL bKeepExisting)
{
    CLVKReportRows* pRows = GetSectionRows();
    const int nCount = pRows ? pRows->GetCount() : 0;
    if (nBlockBegin < 0 || nBlockBegin >= nCount || nBlockEnd < 0 || nBlockEnd >= nCount)
    {
        Clear(m_bNotify);
        return;
    }
    if (!bKeepExisting)
    {
        const int nType = m_nSectionType;
        const int nAnchor = m_nAnchor;
        Clear(m_bNotify);
        m_nSectionType = nType;
        m_nAnchor = nAnchor;
    }
    const BOOL bSkipGroups =
        m_pControl->IsSkipGroupsFocus() && m_pControl->GetColumns()->GetGroupsOrder()->GetCount() > 0;
    int nFirst;
    int nLast;
    if (m_nAnchor == -1 || bKeepExisting)
    {
        nFirst = std::min(nBlockBegin, nBlockEnd);
        nLast = std::max(nBlockBegin, nBlockEnd);
        if (m_nAnchor == -1)
            m_nAnchor = nBlockBegin;
    }
    else
    {
        nFirst = std::min(m_nAnchor, nBlockEnd);
        nLast = std::max(m_nAnchor, nBlockEnd);
    }
    if (bSkipGroups)
    {
        for (int i = nFirst; i <= nLast; i++)
        {
            CLVKReportRow* pRow = pRows->GetAt(i);
            if (pRow->IsGroupRow() && pRow->IsExpanded() && i != nFirst && i != nLast)
                continue;
            AddBlock(i, i);
        }
    }
    else
        AddBlock(nFirst, nLast);
    REPORT_PAIR_NOTIFY nm{};
    nm.lFirst = nFirst;
    nm.lSecond = nLast;
    m_pControl->SendNotify(REPORT_NOTIFY_RANGE_SELECTED, &nm.hdr);
    if (m_pControl->IsSelectionExcludeGroupRows())
        m_pControl->UnselectGroupRows();
    m_pControl->RedrawControl();
}

void CLVKReportSelectedRows::OnRowsInserted(int nAfterIndex, int nCount)
{
    for (int i = static_cast<int>(m_arrSelectedBlocks.size()) - 1; i >= 0; i--)
    {
        SELECTED_BLOCK& block = m_arrSelectedBlocks[i];
        if (block.nIndexEnd <= nAfterIndex)
            break;
        if (block.nIndexBegin > nAfterIndex)
        {
            block.nIndexBegin += nCount;
            block.nIndexEnd += nCount;
            m_bChanged = TRUE;
        }
        else if (block.nIndexEnd > nAfterIndex + 1)
        {
            const SELECTED_BLOCK upper{nAfterIndex + 1 + nCount, block.nIndexEnd + nCount};
            block.nIndexEnd = nAfterIndex + 1;
            m_arrSelectedBlocks.insert(m_arrSelectedBlocks.begin() + i + 1, upper);
            m_bChanged = TRUE;
        }
    }
}

void CLVKReportSelectedRows::OnRowsRemoved(int nAfterIndex, int nCount)
{
    if (nCount <= 0)
        return;
    const int nFirstRemoved = nAfterIndex + 1;
    const int nEndRemoved = nFirstRemoved + nCount;
    for (int i = static_cast<int>(m_arrSelectedBlocks.size()) - 1; i >= 0; i--)
    {
        SELECTED_BLOCK& block = m_arrSelectedBlocks[i];
        if (block.nIndexEnd <= nFirstRemoved)
            break;
        m_bChanged = TRUE;
        if (block.nIndexBegin >= nEndRemoved)
        {
            block.nIndexBegin -= nCount;
            block.nIndexEnd -= nCount;
        }
        else if (block.nIndexBegin < nFirstRemoved)
        {
            block.nIndexEnd = block.nIndexEnd > nEndRemoved ? block.nIndexEnd - nCount : nFirstRemoved;
        }
        else if (block.nIndexEnd > nEndRemoved)
        {
            block.nIndexBegin = nFirstRemoved;
            block.nIndexEnd -= nCount;
        }
        else
            m_arrSelectedBlocks.erase(m_arrSelectedBlocks.begin() + i);
    }
    MergeAdjacent();
}
