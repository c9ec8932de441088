// A typed list of markup objects; each item holds one reference of the
// collection and, with the adopt flag, has the collection as logical parent.
#pragma once

#include "Markup/MarkupType.h"

#include <vector>

class CLVKMarkupCollection : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    explicit CLVKMarkupCollection(CLVKMarkupType* pItemType = nullptr, BOOL bAdopt = TRUE)
        : m_pItemType(pItemType), m_bAdopt(bAdopt)
    {
    }

    // Take over the caller's reference when the object is taken; report it.
    BOOL Add(CLVKMarkupObject* pObject) { return Insert(-1, pObject); }
    virtual BOOL Insert(int nIndex, CLVKMarkupObject* pObject);
    void RemoveAt(int nIndex);
    void RemoveAll();
    // Throws the invalid-argument error outside 0 to count - 1.
    CLVKMarkupObject* GetItem(int nIndex) const;
    // Null outside the range.
    CLVKMarkupObject* GetItemOrNull(int nIndex) const;
    int GetCount() const { return static_cast<int>(m_items.size()); }
    CLVKMarkupType* GetItemType() const { return m_pItemType; }

    int GetLogicalChildrenCount() const override { return GetCount(); }
    CLVKMarkupObject* GetLogicalChild(int nIndex) const override { return GetItemOrNull(nIndex); }
    BOOL HasContentObject() const override { return !m_items.empty(); }
    void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent) override;

    // Script members for the dispatch maps of derived collections: "Item"
    // (nothing outside the range), "Count", "_NewEnum", "Add" and "Insert"
    // (E_INVALIDARG without an object or for one the collection refuses),
    // "Clear", "RemoveAt".
    IDispatch* OleItem(long nIndex);
    long OleGetCount();
    IUnknown* OleNewEnum();
    void OleAdd(IDispatch* pObject);
    void OleInsert(long nIndex, IDispatch* pObject);
    void OleClear();
    void OleRemoveAt(long nIndex);

protected:
    ~CLVKMarkupCollection() override;
    virtual void OnItemAdded(CLVKMarkupObject* /*pObject*/, int /*nIndex*/) {}
    virtual void OnChanged() {}
    // Whether an object may join (besides the item type).
    virtual BOOL CanAccept(CLVKMarkupObject* pObject) const;

    CLVKMarkupType* m_pItemType;
    BOOL m_bAdopt;
    std::vector<CLVKMarkupObject*> m_items;
};
