#include "ReportColumns.h"

#include "ReportColumn.h"
#include "ReportControl.h"
#include "ReportHeader.h"

CLVKReportColumns::CLVKReportColumns(CLVKReportControl* pControl)
    : m_pControl(pControl), m_pGroupsOrder(new CLVKReportColumnOrder(this)),
      m_pSortOrder(new CLVKReportColumnOrder(this))
{
}

CLVKReportColumns::~CLVKReportColumns()
{
    Clear();
    m_pGroupsOrder->InternalRelease();
    m_pSortOrder->InternalRelease();
}

void CLVKReportColumns::Add(CLVKReportColumn* pColumn)
{
    if (!pColumn)
        return;
    pColumn->m_pColumns = this;
    m_arrColumns.push_back(pColumn);
    if (GetReportHeader())
        GetReportHeader()->OnColumnsChanged(0x11, pColumn);
}

void CLVKReportColumns::Clear()
{
    for (auto it = m_arrColumns.rbegin(); it != m_arrColumns.rend(); ++it)
        (*it)->InternalRelease();
    m_arrColumns.clear();
    m_pSortOrder->Clear();
    m_pGroupsOrder->Clear();
    if (m_pControl && m_pControl->GetColumns() == this)
        m_pControl->SetFocusedColumn(nullptr);
}

int CLVKReportColumns::IndexOf(const CLVKReportColumn* pColumn) const
{
    for (int i = GetCount() - 1; i >= 0; i--)
    {
        if (m_arrColumns[i] == pColumn)
            return i;
    }
    return -1;
}

CLVKReportColumn* CLVKReportColumns::Find(int nItemIndex) const
{
    for (auto* pColumn : m_arrColumns)
    {
        if (pColumn->GetItemIndex() == nItemIndex)
            return pColumn;
    }
    return nullptr;
}

CLVKReportColumn* CLVKReportColumns::FindByInternalName(LPCWSTR lpszName) const
{
    for (auto* pColumn : m_arrColumns)
    {
        if (wcscmp(pColumn->GetInternalName(), lpszName) == 0)
            return pColumn;
    }
    return nullptr;
}

int CLVKReportColumns::ChangeColumnOrder(int nNewOrder, int nIndex)
{
    if (nNewOrder < 0 || nIndex < 0)
        return -1;
    if (nIndex >= GetCount())
        return nNewOrder;
    CLVKReportColumn* pColumn = m_arrColumns[nIndex];
    if (pColumn && nNewOrder != nIndex)
    {
        m_arrColumns.erase(m_arrColumns.begin() + nIndex);
        if (nIndex < nNewOrder)
            nNewOrder--;
        m_arrColumns.insert(m_arrColumns.begin() + std::min(nNewOrder, GetCount()), pColumn);
    }
    return nNewOrder;
}

int CLVKReportColumns::GetVisibleColumnsCount() const
{
    int n = 0;
    for (auto* pColumn : m_arrColumns)
        n += pColumn->IsVisible() ? 1 : 0;
    return n;
}

CLVKReportColumn* CLVKReportColumns::GetVisibleAt(int nIndex) const
{
    for (auto* pColumn : m_arrColumns)
    {
        if (pColumn->IsVisible() && nIndex-- == 0)
            return pColumn;
    }
    return nullptr;
}

CLVKReportColumn* CLVKReportColumns::GetFirstVisibleColumn() const
{
    return GetVisibleAt(0);
}

CLVKReportColumn* CLVKReportColumns::GetLastVisibleColumn() const
{
    for (auto it = m_arrColumns.rbegin(); it != m_arrColumns.rend(); ++it)
    {
        if ((*it)->IsVisible())
            return *it;
    }
    return nullptr;
}

CLVKReportColumn* CLVKReportColumns::GetTreeColumn() const
{
    for (auto* pColumn : m_arrColumns)
    {
        if (pColumn->IsTreeColumn() && pColumn->IsVisible())
            return pColumn;
    }
    return nullptr;
}

// The position, among the visible columns, of the first one after the frozen
// columns at the start.
int CLVKReportColumns::FirstAfterFrozen() const
{
    int n = 0;
    for (auto* pColumn : m_arrColumns)
    {
        if (!pColumn->IsVisible())
            continue;
        if (!pColumn->IsFrozen())
            break;
        n++;
    }
    return n;
}

int CLVKReportColumns::GetColumnIndexAtOffset(int x, BOOL bFromStart) const
{
    const int nFirst = bFromStart ? 0 : FirstAfterFrozen();
    int nSum = 0;
    int nWalked = 0;
    for (int i = nFirst; i < GetVisibleColumnsCount(); i++)
    {
        const int nWidth = GetVisibleAt(i)->GetWidth();
        if (x >= nSum && x < nSum + nWidth)
            return nWalked;
        nSum += nWidth;
        nWalked++;
    }
    return -1;
}

int CLVKReportColumns::GetColumnOffset(int nIndex) const
{
    if (nIndex <= 0)
        return 0;
    const int nFirst = FirstAfterFrozen();
    int nSum = 0;
    for (int i = nFirst; i < nFirst + nIndex && i < GetVisibleColumnsCount(); i++)
        nSum += GetVisibleAt(i)->GetWidth();
    return nSum;
}

CLVKReportHeader* CLVKReportColumns::GetReportHeader() const
{
    return m_pControl ? m_pControl->GetReportHeader() : nullptr;
}

void CLVKReportColumns::SetSortColumn(CLVKReportColumn* pColumn, BOOL bIncreasing)
{
    m_pSortOrder->Clear();
    if (pColumn)
    {
        m_pSortOrder->Add(pColumn);
        pColumn->SetSortIncreasing(bIncreasing);
    }
}
