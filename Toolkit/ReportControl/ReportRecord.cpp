#include "ReportRecord.h"

#include "ReportColumn.h"
#include "ReportRecordItem.h"
#include "ReportRecordItemPreview.h"
#include "ReportRecords.h"
#include "Foundation/PropExchangeEnumerator.h"
#include "Foundation/PropExchangeFunctions.h"
#include "Foundation/PropExchangeSection.h"
#include "ReportObjectExchange.h"

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
    // A caption set before the item joined the record is parsed now.
    pItem->ResetMarkupUIElement();
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
    if (m_pPreviewItem)
        m_pPreviewItem->m_pControl = pControl;
    ResetMarkupUIElements();
    if (m_pChildren)
        m_pChildren->SetControl(pControl);
}

void CLVKReportRecord::ResetMarkupUIElements()
{
    for (auto* pItem : m_arrItems)
        pItem->ResetMarkupUIElement();
    if (m_pPreviewItem)
        m_pPreviewItem->ResetMarkupUIElement();
}

CLVKMarkupContext* CLVKReportRecord::GetMarkupContext() const
{
    for (const CLVKReportRecord* pRecord = this; pRecord && pRecord->m_pRecords;
         pRecord = pRecord->m_pRecords->GetOwnerRecord())
    {
        if (CLVKMarkupContext* pContext = pRecord->m_pRecords->GetMarkupContext())
            return pContext;
    }
    return nullptr;
}

void CLVKReportRecord::SetPreviewItem(CLVKReportRecordItemPreview* pItem)
{
    if (pItem == m_pPreviewItem)
        return;
    if (m_pPreviewItem)
        m_pPreviewItem->InternalRelease();
    m_pPreviewItem = pItem;
    if (pItem)
    {
        pItem->m_pRecord = this;
        pItem->m_pControl = m_pControl;
        pItem->ResetMarkupUIElement();
    }
}

void CLVKReportRecord::SetTag(const VARIANT& vtTag)
{
    VariantClear(&m_vtBookmark);
    VariantCopy(&m_vtBookmark, const_cast<VARIANT*>(&vtTag));
}

void CLVKReportRecord::DoPropExchange(CLVKPropExchange* pPX)
{
    ExchangeBoolNoDefault(pPX, L"Locked", m_bLocked);
    ExchangeBoolNoDefault(pPX, L"Editable", m_bEditable);
    BOOL bPreview = m_pPreviewItem != nullptr;
    ExchangeBool(pPX, L"Preview", bPreview, FALSE);

    if (pPX->IsLoading())
    {
        // RemoveAllItems takes the preview item too; it is read again below.
        RemoveAllItems();
    }
    LVKReportExchangeObjects<CLVKReportRecordItem>(
        pPX, L"Item", RUNTIME_CLASS(CLVKReportRecordItem), GetItemCount(), [this](int i) { return GetItem(i); },
        [this](CLVKReportRecordItem* pItem) { AddItem(pItem); });

    if (bPreview)
    {
        CLVKPropExchangeSection section(pPX->OpenSection(L"PreviewItem"));
        if (section.Get())
        {
            if (pPX->IsLoading())
            {
                SetPreviewItem(nullptr);
                CObject* pObject = nullptr;
                if (!section->ExchangeObjectClass(pObject, RUNTIME_CLASS(CLVKReportRecordItemPreview)) || !pObject)
                    AfxThrowArchiveException(CArchiveException::badClass);
                auto* pPreview = static_cast<CLVKReportRecordItemPreview*>(pObject);
                pPreview->DoPropExchange(section);
                SetPreviewItem(pPreview);
            }
            else
            {
                CObject* pObject = m_pPreviewItem;
                section->ExchangeObjectClass(pObject, RUNTIME_CLASS(CLVKReportRecordItemPreview));
                m_pPreviewItem->DoPropExchange(section);
            }
        }
    }

    if (pPX->GetSchema() > 21)
    {
        BOOL bHasChildren = HasChildren();
        ExchangeBool(pPX, L"HasChildren", bHasChildren, FALSE);
        if (bHasChildren)
        {
            CLVKPropExchangeSection section(pPX->OpenSection(L"Children"));
            if (section.Get())
                GetChilds()->DoPropExchange(section);
        }
        else if (pPX->IsLoading() && m_pChildren)
        {
            m_pChildren->RemoveAll();
        }
    }
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
