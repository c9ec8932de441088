#include "ReportColumnOrder.h"

int CLVKReportColumnOrder::Add(CLVKReportColumn* pColumn)
{
    m_arrColumns.push_back(pColumn);
    return GetCount() - 1;
}

int CLVKReportColumnOrder::InsertAt(int nIndex, CLVKReportColumn* pColumn)
{
    if (nIndex < 0)
        return -1;
    nIndex = std::min(nIndex, GetCount());
    const int nOld = IndexOf(pColumn);
    if (nOld >= 0)
    {
        if (nIndex == nOld)
            return nIndex;
        if (nOld < nIndex)
            nIndex--;
        if (nIndex == nOld)
            return nIndex;
        m_arrColumns.erase(m_arrColumns.begin() + nOld);
    }
    m_arrColumns.insert(m_arrColumns.begin() + nIndex, pColumn);
    return nIndex;
}

void CLVKReportColumnOrder::Remove(CLVKReportColumn* pColumn)
{
    const int n = IndexOf(pColumn);
    if (n >= 0)
        m_arrColumns.erase(m_arrColumns.begin() + n);
}

int CLVKReportColumnOrder::IndexOf(const CLVKReportColumn* pColumn) const
{
    for (int i = 0; i < GetCount(); i++)
    {
        if (m_arrColumns[i] == pColumn)
            return i;
    }
    return -1;
}
