#include "Markup/MarkupCollection.h"

#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupCollectionEnumerator.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupCollection, L"", CLVKMarkupObject::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupCollection(); }, nullptr)

CLVKMarkupCollection::~CLVKMarkupCollection()
{
    for (CLVKMarkupObject* const pItem : m_items)
    {
        if (m_bAdopt && pItem->GetLogicalParent() == this)
        {
            pItem->SetLogicalParent(nullptr);
        }
        pItem->Release();
    }
}

BOOL CLVKMarkupCollection::CanAccept(CLVKMarkupObject* pObject) const
{
    if (!pObject || !m_pItemType || !pObject->IsKindOf(m_pItemType))
    {
        return FALSE;
    }
    if (!m_bAdopt)
    {
        return TRUE;
    }
    // An object that already has a parent belongs elsewhere, and one that is
    // an ancestor of the collection would make a cycle.
    return !pObject->GetLogicalParent() && !WouldCloseMarkupCycle(this, pObject);
}

BOOL CLVKMarkupCollection::Insert(int nIndex, CLVKMarkupObject* pObject)
{
    if (!CanAccept(pObject))
    {
        return FALSE;
    }
    if (nIndex < 0 || nIndex > GetCount())
    {
        nIndex = GetCount();
    }
    if (m_bAdopt)
    {
        pObject->SetLogicalParent(this);
    }
    m_items.insert(m_items.begin() + nIndex, pObject);
    OnItemAdded(pObject, nIndex);
    OnChanged();
    return TRUE;
}

void CLVKMarkupCollection::RemoveAt(int nIndex)
{
    if (nIndex < 0)
    {
        AfxThrowInvalidArgException();
    }
    if (nIndex >= GetCount())
    {
        return;
    }
    CLVKMarkupObject* const pItem = m_items[nIndex];
    m_items.erase(m_items.begin() + nIndex);
    if (m_bAdopt && pItem->GetLogicalParent() == this)
    {
        pItem->SetLogicalParent(nullptr);
    }
    pItem->Release();
    OnChanged();
}

void CLVKMarkupCollection::RemoveAll()
{
    std::vector<CLVKMarkupObject*> items;
    items.swap(m_items);
    for (CLVKMarkupObject* const pItem : items)
    {
        if (m_bAdopt && pItem->GetLogicalParent() == this)
        {
            pItem->SetLogicalParent(nullptr);
        }
        pItem->Release();
    }
    OnChanged();
}

CLVKMarkupObject* CLVKMarkupCollection::GetItem(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
    {
        AfxThrowInvalidArgException();
    }
    return m_items[nIndex];
}

CLVKMarkupObject* CLVKMarkupCollection::GetItemOrNull(int nIndex) const
{
    return nIndex < 0 || nIndex >= GetCount() ? nullptr : m_items[nIndex];
}

void CLVKMarkupCollection::SetContentObject(CLVKMarkupBuilder* /*pBuilder*/, CLVKMarkupObject* pContent)
{
    if (!pContent || !m_pItemType || !pContent->IsKindOf(m_pItemType))
    {
        MarkupThrowError(L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type '%ls'",
                         pContent ? pContent->GetType()->GetClassName() : L"", GetType()->GetClassName(),
                         m_pItemType ? m_pItemType->GetClassName() : L"");
    }
    pContent->AddRef();
    if (!Insert(-1, pContent))
    {
        pContent->Release();
        MarkupThrowError(L"'%ls' object cannot be added to '%ls'. The object already has a parent",
                         pContent->GetType()->GetClassName(), GetType()->GetClassName());
    }
}

IDispatch* CLVKMarkupCollection::OleItem(long nIndex)
{
    return GetDispatch(GetItemOrNull(nIndex), TRUE);
}

long CLVKMarkupCollection::OleGetCount()
{
    return GetCount();
}

IUnknown* CLVKMarkupCollection::OleNewEnum()
{
    return new CLVKMarkupCollectionEnumerator(this);
}

void CLVKMarkupCollection::OleAdd(IDispatch* pObject)
{
    OleInsert(-1, pObject);
}

void CLVKMarkupCollection::OleInsert(long nIndex, IDispatch* pObject)
{
    CLVKMarkupObject* const pItem = LVKMarkupObjectFromUnknown(pObject, TRUE);
    if (!pItem)
    {
        AfxThrowOleException(E_INVALIDARG);
    }
    if (!Insert(nIndex, pItem))
    {
        pItem->Release();
        AfxThrowOleException(E_INVALIDARG);
    }
}

void CLVKMarkupCollection::OleClear()
{
    RemoveAll();
}

void CLVKMarkupCollection::OleRemoveAt(long nIndex)
{
    RemoveAt(nIndex);
}
