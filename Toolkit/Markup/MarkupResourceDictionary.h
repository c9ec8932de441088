// Keyed resources (brushes, styles, any markup object) of an element or a
// style, found through the logical tree, nearest first.
#pragma once

#include "Markup/MarkupType.h"

#include <map>
#include <vector>

class CLVKMarkupResourceDictionary : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return !m_entries.empty(); }
    int GetLogicalChildrenCount() const override { return static_cast<int>(m_entries.size()); }
    CLVKMarkupObject* GetLogicalChild(int nIndex) const override;

    CLVKMarkupObject* Lookup(const CLVKMarkupObject* pKey) const;
    // Adds references to both.
    void SetAt(CLVKMarkupObject* pKey, CLVKMarkupObject* pValue);

    // From the object up its logical parents; null when nothing is found.
    static CLVKMarkupObject* AFX_CDECL FindResource(CLVKMarkupObject* pObject, const CLVKMarkupObject* pKey);

protected:
    ~CLVKMarkupResourceDictionary() override;

private:
    struct Entry
    {
        UINT nHash;
        CLVKMarkupObject* pKey;
        CLVKMarkupObject* pValue;
    };
    std::vector<Entry> m_entries;
    std::multimap<UINT, size_t> m_byHash;
};
