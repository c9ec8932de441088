#include "Markup/MarkupDependencyProperty.h"

#include "Markup/MarkupType.h"

#include <map>
#include <utility>

namespace
{

// (name, owner type) to property: CLVKMarkupPropertyFromNameMap.
std::map<std::pair<std::wstring, const CLVKMarkupType*>, CLVKMarkupDependencyProperty*>& PropertyFromNameMap()
{
    static std::map<std::pair<std::wstring, const CLVKMarkupType*>, CLVKMarkupDependencyProperty*> map;
    return map;
}

int g_nNextStoreIndex = 0;

}  // namespace

LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupDependencyProperty, L"", CLVKMarkupObject::GetMarkupType(), nullptr, nullptr)

CLVKMarkupDependencyProperty::CLVKMarkupDependencyProperty(LPCWSTR lpszName, CLVKMarkupType* pValueType,
                                                           CLVKMarkupType* pOwnerType, BOOL bAttached,
                                                           CLVKMarkupPropertyMetadata* pMetadata)
    : m_strName(lpszName), m_pValueType(pValueType), m_pOwnerType(pOwnerType), m_bAttached(bAttached),
      m_pMetadata(pMetadata)
{
}

void CLVKMarkupDependencyProperty::Enter()
{
    if (!IsEvent())
    {
        m_nStoreIndex = g_nNextStoreIndex++;
    }
    PropertyFromNameMap()[std::make_pair(m_strName, m_pOwnerType)] = this;
}

CLVKMarkupDependencyProperty* AFX_CDECL CLVKMarkupDependencyProperty::Register(LPCWSTR lpszName,
                                                                               CLVKMarkupType* pValueType,
                                                                               CLVKMarkupType* pOwnerType,
                                                                               CLVKMarkupPropertyMetadata* pMetadata)
{
    auto* const pProperty = new CLVKMarkupDependencyProperty(lpszName, pValueType, pOwnerType, FALSE, pMetadata);
    pProperty->Enter();
    return pProperty;
}

CLVKMarkupDependencyProperty* AFX_CDECL CLVKMarkupDependencyProperty::RegisterAttached(
    LPCWSTR lpszName, CLVKMarkupType* pValueType, CLVKMarkupType* pOwnerType, CLVKMarkupPropertyMetadata* pMetadata)
{
    auto* const pProperty = new CLVKMarkupDependencyProperty(lpszName, pValueType, pOwnerType, TRUE, pMetadata);
    pProperty->Enter();
    return pProperty;
}

CLVKMarkupDependencyProperty* CLVKMarkupDependencyProperty::AddOwner(CLVKMarkupType* pOwnerType)
{
    PropertyFromNameMap()[std::make_pair(m_strName, pOwnerType)] = this;
    AddRef();
    return this;
}

CLVKMarkupDependencyProperty* AFX_CDECL CLVKMarkupDependencyProperty::FindProperty(const CLVKMarkupType* pType,
                                                                                   LPCWSTR lpszName)
{
    if (!lpszName)
    {
        return nullptr;
    }
    if (lpszName[0] == L'x' && lpszName[1] == L':')
    {
        lpszName += 2;
    }
    const std::wstring strName(lpszName);
    const auto& map = PropertyFromNameMap();
    for (; pType; pType = pType->GetBaseType())
    {
        const auto it = map.find(std::make_pair(strName, pType));
        if (it != map.end())
        {
            return it->second;
        }
    }
    return nullptr;
}

int AFX_CDECL CLVKMarkupDependencyProperty::GetPropertyCount()
{
    return g_nNextStoreIndex;
}
