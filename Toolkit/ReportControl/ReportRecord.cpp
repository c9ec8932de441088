#include "ReportRecord.h"

#include "ReportColumn.h"
#include "ReportRecordItem.h"
#include "ReportRecords.h"

IMPLEMENT_DYNCREATE(CLVKReportRecord, CLVKCmdTarget)

CLVKReportRecord::CLVKReportRecord()
{
    VariantInit(&m_vtBookmark);
}

CLVKReportRecord::~CLVKReportRecord()
{
    RemoveAllItems();
    if (m_pChildren)
        m_pChildren->InternalRelease();
    VariantClear(&m_vtBookmark);
}

void CLVKReportRecord::GetItemMetrics(LVK_REPORTRECORDITEM_DRAWARGS*, LVK_REPORTRECORDITEM_METRICS*)
{
}

BOOL CLVKReportRecord::UpdateItemValue(int, int, LPCWSTR)
{
    return TRUE;
}

CLVKReportRecordItem* CLVKReportRecord::AddItem(CLVKReportRecordItem* pItem)
{
    if (!pItem)
        return nullptr;
    m_arrItems.push_back(pItem);
    pItem->m_pControl = m_pControl;
    pItem->m_pRecord = this;
    return pItem;
}

CLVKReportRecordItem* CLVKReportRecord::GetItem(CLVKReportColumn* pColumn) const
{
    return pColumn ? GetItem(pColumn->GetItemIndex()) : nullptr;
}

int CLVKReportRecord::IndexOfItem(const CLVKReportRecordItem* pItem) const
{
    for (int i = 0; i < GetItemCount(); i++)
    {
        if (m_arrItems[i] == pItem)
            return i;
    }
    return -1;
}

void CLVKReportRecord::RemoveAllItems()
{
    for (auto it = m_arrItems.rbegin(); it != m_arrItems.rend(); ++it)
        (*it)->InternalRelease();
    m_arrItems.clear();
    if (m_pPreviewItem)
    {
        m_pPreviewItem->InternalRelease();
        m_pPreviewItem = nullptr;
    }
}

CLVKReportRecords* CLVKReportRecord::GetChilds()
{
    if (!m_pChildren)
        m_pChildren = new CLVKReportRecords(this);
    if (m_pRecords)
        m_pChildren->SetCaseSensitive(m_pRecords->IsCaseSensitive());
    return m_pChildren;
}

BOOL CLVKReportRecord::HasChildren() const
{
    return m_pChildren && m_pChildren->GetCount() > 0;
}

CLVKReportRecord* CLVKReportRecord::GetParentRecord() const
{
    return m_pRecords ? m_pRecords->GetOwnerRecord() : nullptr;
}

void CLVKReportRecord::SetControl(CLVKReportControl* pControl)
{
    m_pControl = pControl;
    for (auto* pItem : m_arrItems)
        pItem->m_pControl = pControl;
    if (m_pChildren)
        m_pChildren->SetControl(pControl);
}

void CLVKReportRecord::AddRefTree()
{
    InternalAddRef();
    if (m_pChildren)
    {
        for (int i = 0; i < m_pChildren->GetCount(); i++)
            m_pChildren->GetAt(i)->AddRefTree();
    }
}

void CLVKReportRecord::ReleaseTree()
{
    if (m_pChildren)
    {
        for (int i = 0; i < m_pChildren->GetCount(); i++)
            m_pChildren->GetAt(i)->ReleaseTree();
    }
    InternalRelease();
}
