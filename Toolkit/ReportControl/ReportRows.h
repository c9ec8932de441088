// An ordered collection of rows: a section's displayed rows, its tree rows, or
// a row's children. Holds one reference on each row.
#pragma once

#include "ReportDefines.h"
#include "ReportHeapAllocator.h"

#include <vector>

class CLVKReportRows : public CLVKHeapObjectT<CLVKCmdTarget, CLVKReportAllocatorDefault>
{
public:
    CLVKReportRows() = default;
    ~CLVKReportRows() override;

    using CompareFunc = int(AFX_CDECL*)(const CLVKReportRow** ppRow1, const CLVKReportRow** ppRow2);

    virtual BOOL Contains(const CLVKReportRow* pRow) const;
    virtual void Clear(BOOL bResetRows = TRUE);
    virtual CLVKReportRow* GetAt(int nIndex) const;
    virtual std::vector<CLVKReportRow*>& GetScreenRows() { return m_arrScreenRows; }
    int GetFocusedRowIndex() const { return m_nFocusedRow; }
    BOOL HasFocusedRow() const { return m_nFocusedRow != -1; }
    void SetFocusedRowIndex(int nIndex) { m_nFocusedRow = nIndex; }
    CLVKReportRow* GetFocusedRow() const { return m_nFocusedRow == -1 ? nullptr : GetAt(m_nFocusedRow); }
    // Takes over the caller's reference.
    virtual int Add(CLVKReportRow* pRow);
    virtual void RemoveAt(int nIndex);
    virtual int Remove(CLVKReportRow* pRow);
    virtual void InsertAt(int nIndex, CLVKReportRow* pRow);
    // Text search over the rows' records in row order (flags LVK_REPORT_FIND_*).
    virtual CLVKReportRecordItem* FindRecordItem(int nStartRow, int nEndRow, int nStartColumn, int nEndColumn, int nRow,
                                                 int nItem, LPCWSTR lpszText, int nFlags);
    virtual CLVKReportRow* GetNext(CLVKReportRow* pRow, BOOL bSkipExpandedGroups) const;
    virtual CLVKReportRow* GetPrev(CLVKReportRow* pRow, BOOL bSkipExpandedGroups) const;
    virtual void SetVirtualMode(CLVKReportRow* pRow, int nCount);
    CLVKReportRow* FindRow(const CLVKReportRecord* pRecord) const;
    CLVKReportRow* FindRowInTree(const CLVKReportRecord* pRecord) const;
    int RefreshChildIndexes(BOOL bRecursive = FALSE);
    void ReserveSize(int nSize) { m_arrRows.reserve(nSize); }
    void Truncate(int nStart);
    void ResetRowHeights();
    void SetAt(int nIndex, CLVKReportRow* pRow);
    int GetCount() const { return m_pVirtualRow ? m_nVirtualCount : static_cast<int>(m_arrRows.size()); }
    BOOL IsVirtualMode() const { return m_pVirtualRow != nullptr; }
    std::vector<CLVKReportRow*>& GetArray() { return m_arrRows; }
    void ClearScreenRows();

    // The default row order: group columns that sort when grouped, then the
    // sort order, then the record index (never equal for two records).
    static int AFX_CDECL CompareRows(const CLVKReportRow* pRow1, const CLVKReportRow* pRow2);
    // Sorts with the default order on keys taken from the rows once, so the
    // captions are not copied for each comparison.
    void Sort();
    void SortEx(CompareFunc pfnCompare);

private:
    std::vector<CLVKReportRow*> m_arrRows;
    CLVKReportRow* m_pVirtualRow = nullptr;
    int m_nVirtualCount = 0;
    int m_nFocusedRow = -1;
    std::vector<CLVKReportRow*> m_arrScreenRows;
};
