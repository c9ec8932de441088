// All columns of a control in display order, with the group and sort orders.
#pragma once

#include "ReportColumnOrder.h"
#include "ReportDefines.h"

#include <vector>

class CLVKReportColumns : public CLVKCmdTarget
{
public:
    explicit CLVKReportColumns(CLVKReportControl* pControl);
    ~CLVKReportColumns() override;

    // Takes over the caller's reference.
    void Add(CLVKReportColumn* pColumn);
    void Clear();
    int GetCount() const { return static_cast<int>(m_arrColumns.size()); }
    CLVKReportColumn* GetAt(int nIndex) const
    {
        return nIndex >= 0 && nIndex < GetCount() ? m_arrColumns[nIndex] : nullptr;
    }
    int IndexOf(const CLVKReportColumn* pColumn) const;
    CLVKReportColumn* Find(int nItemIndex) const;
    CLVKReportColumn* FindByInternalName(LPCWSTR lpszName) const;
    int ChangeColumnOrder(int nNewOrder, int nItemIndex);
    int GetVisibleColumnsCount() const;
    CLVKReportColumn* GetVisibleAt(int nIndex) const;
    CLVKReportColumn* GetFirstVisibleColumn() const;
    CLVKReportColumn* GetLastVisibleColumn() const;
    int GetColumnIndexAtOffset(int x, BOOL bFromStart) const;
    int GetColumnOffset(int nIndex) const;
    CLVKReportHeader* GetReportHeader() const;
    CLVKReportControl* GetControl() const { return m_pControl; }
    // The column that carries the tree glyphs: the first visible tree column.
    CLVKReportColumn* GetTreeColumn() const;

    CLVKReportColumnOrder* GetGroupsOrder() const { return m_pGroupsOrder; }
    CLVKReportColumnOrder* GetSortOrder() const { return m_pSortOrder; }
    // The only sort column (clears the sort order first).
    void SetSortColumn(CLVKReportColumn* pColumn, BOOL bIncreasing);

private:
    int FirstAfterFrozen() const;

    CLVKReportControl* m_pControl = nullptr;
    std::vector<CLVKReportColumn*> m_arrColumns;
    CLVKReportColumnOrder* m_pGroupsOrder = nullptr;
    CLVKReportColumnOrder* m_pSortOrder = nullptr;
};
