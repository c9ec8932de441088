// The selection: sorted, disjoint blocks of display indexes of one section.
// Every change can be refused by the owner (selection changing).
#pragma once

#include "ReportDefines.h"

#include <vector>

struct SELECTED_BLOCK
{
    int nIndexBegin;
    int nIndexEnd;  // exclusive
};

class CLVKReportSelectedRows : public CLVKCmdTarget
{
public:
    explicit CLVKReportSelectedRows(CLVKReportControl* pControl) : m_pControl(pControl) {}

    int GetCount() const;
    CLVKReportRow* GetAt(int nIndex) const;
    BOOL Contains(const CLVKReportRow* pRow) const;
    BOOL ContainsIndex(int nIndex) const;
    BOOL Add(CLVKReportRow* pRow);
    void Remove(CLVKReportRow* pRow);
    void Toggle(CLVKReportRow* pRow);
    BOOL Select(CLVKReportRow* pRow);
    void SelectBlock(int nBlockBegin, int nBlockEnd, BOOL bKeepExisting);
    BOOL Clear(BOOL bNotify);
    BOOL Clear() { return Clear(m_bNotify); }
    BOOL ClearNotify() { return Clear(TRUE); }
    // Walks the selected rows in index order: a position is a row index
    // plus one, NULL when there is none or the walk has ended.
    POSITION GetFirstSelectedRowPosition();
    CLVKReportRow* GetNextSelectedRow(POSITION& pos);
    void AddBlock(int nBegin, int nEnd, BOOL bToggle = FALSE);
    void RemoveRange(int nBegin, int nEnd, BOOL bShiftFollowing);
    void OnRowsInserted(int nAfterIndex, int nCount);
    void OnRowsRemoved(int nAfterIndex, int nCount);

    BOOL IsChanged() const { return m_bChanged; }
    void SetChanged(BOOL bChanged = TRUE) { m_bChanged = bChanged; }
    int GetSectionType() const { return m_nSectionType; }
    int GetAnchor() const { return m_nAnchor; }
    void SetAnchor(int n) { m_nAnchor = n; }
    void SetNotify(BOOL b) { m_bNotify = b; }
    const std::vector<SELECTED_BLOCK>& GetBlocks() const { return m_arrSelectedBlocks; }

private:
    CLVKReportRows* GetSectionRows() const;
    BOOL AskChange(CLVKReportRow* pRow, int nAction) const;
    void MergeAdjacent();

    CLVKReportControl* m_pControl = nullptr;
    int m_nAnchor = -1;
    size_t m_nIterationBlock = 0;
    BOOL m_bNotify = TRUE;
    std::vector<SELECTED_BLOCK> m_arrSelectedBlocks;
    BOOL m_bChanged = FALSE;
    int m_nSectionType = 0;
};
