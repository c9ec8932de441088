#include "Markup/MarkupResourceDictionary.h"

#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupInputElement.h"
#include "Markup/MarkupStyle.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupResourceDictionary, L"ResourceDictionary", CLVKMarkupObject::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupResourceDictionary(); }, nullptr)

CLVKMarkupResourceDictionary::~CLVKMarkupResourceDictionary()
{
    for (const Entry& entry : m_entries)
    {
        if (entry.pValue->GetLogicalParent() == this)
        {
            entry.pValue->SetLogicalParent(nullptr);
        }
        entry.pKey->Release();
        entry.pValue->Release();
    }
}

CLVKMarkupObject* CLVKMarkupResourceDictionary::GetLogicalChild(int nIndex) const
{
    return nIndex < 0 || nIndex >= static_cast<int>(m_entries.size()) ? nullptr : m_entries[nIndex].pValue;
}

CLVKMarkupObject* CLVKMarkupResourceDictionary::Lookup(const CLVKMarkupObject* pKey) const
{
    if (!pKey)
    {
        return nullptr;
    }
    const UINT nHash = pKey->GetHashKey();
    const auto range = m_byHash.equal_range(nHash);
    for (auto it = range.first; it != range.second; ++it)
    {
        const Entry& entry = m_entries[it->second];
        if (entry.pKey->IsEqual(pKey))
        {
            return entry.pValue;
        }
    }
    return nullptr;
}

void CLVKMarkupResourceDictionary::SetAt(CLVKMarkupObject* pKey, CLVKMarkupObject* pValue)
{
    if (!pKey || !pValue)
    {
        return;
    }
    pKey->AddRef();
    pValue->AddRef();
    const UINT nHash = pKey->GetHashKey();
    const auto range = m_byHash.equal_range(nHash);
    for (auto it = range.first; it != range.second; ++it)
    {
        Entry& entry = m_entries[it->second];
        if (entry.pKey->IsEqual(pKey))
        {
            entry.pKey->Release();
            entry.pValue->Release();
            entry.pKey = pKey;
            entry.pValue = pValue;
            return;
        }
    }
    m_entries.push_back({nHash, pKey, pValue});
    m_byHash.emplace(nHash, m_entries.size() - 1);
    if (!pValue->GetLogicalParent() && !pValue->IsShared())
    {
        pValue->SetLogicalParent(this);
    }
}

void CLVKMarkupResourceDictionary::SetContentObject(CLVKMarkupBuilder* /*pBuilder*/, CLVKMarkupObject* pContent)
{
    if (!pContent)
    {
        return;
    }
    CLVKMarkupObject* pKey = pContent->GetValue(CLVKMarkupObject::m_pKeyProperty);
    if (!pKey)
    {
        if (auto* const pStyle = MarkupCast<CLVKMarkupStyle>(pContent))
        {
            pKey = pStyle->GetTargetType();
        }
    }
    if (!pKey)
    {
        MarkupThrowError(L"Objects added to Dictionary must have Key attribute or some other type of associated Key");
    }
    if (Lookup(pKey))
    {
        MarkupThrowError(L"Dictionary key is already used. Key attributes must be unique.");
    }
    SetAt(pKey, pContent);
}

CLVKMarkupObject* AFX_CDECL CLVKMarkupResourceDictionary::FindResource(CLVKMarkupObject* pObject,
                                                                       const CLVKMarkupObject* pKey)
{
    if (auto* const pDictionary = MarkupCast<CLVKMarkupResourceDictionary>(pObject))
    {
        return pDictionary->Lookup(pKey);
    }
    int nDepth = 0;
    for (CLVKMarkupObject* p = pObject; p && nDepth < kMarkupMaxParentChain; p = p->GetLogicalParent(), ++nDepth)
    {
        auto* const pResources =
            MarkupCast<CLVKMarkupResourceDictionary>(p->GetOwnValue(CLVKMarkupStyle::m_pResourcesProperty));
        if (pResources)
        {
            if (CLVKMarkupObject* const pValue = pResources->Lookup(pKey))
            {
                return pValue;
            }
        }
        if (CLVKMarkupInputElement::m_pStyleProperty)
        {
            if (auto* const pStyle =
                    MarkupCast<CLVKMarkupStyle>(p->GetOwnValue(CLVKMarkupInputElement::m_pStyleProperty)))
            {
                if (CLVKMarkupObject* const pValue = FindResource(pStyle, pKey))
                {
                    return pValue;
                }
            }
        }
        if (MarkupCast<CLVKMarkupStyle>(p))
        {
            break;
        }
    }
    return nullptr;
}
