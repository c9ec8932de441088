// A sequence of some of the control's columns: the group order or the sort
// order. It does not own the columns.
#pragma once

#include "ReportDefines.h"

#include <vector>

class CLVKReportColumnOrder : public CLVKCmdTarget
{
public:
    explicit CLVKReportColumnOrder(CLVKReportColumns* pColumns) : m_pColumns(pColumns) {}

    int Add(CLVKReportColumn* pColumn);
    int InsertAt(int nIndex, CLVKReportColumn* pColumn);
    void Remove(CLVKReportColumn* pColumn);
    void Clear() { m_arrColumns.clear(); }
    int GetCount() const { return static_cast<int>(m_arrColumns.size()); }
    CLVKReportColumn* GetAt(int nIndex) const
    {
        return nIndex >= 0 && nIndex < GetCount() ? m_arrColumns[nIndex] : nullptr;
    }
    int IndexOf(const CLVKReportColumn* pColumn) const;

private:
    CLVKReportColumns* m_pColumns = nullptr;
    std::vector<CLVKReportColumn*> m_arrColumns;
};
