#include "Markup/MarkupTypeRegistry.h"

#include "Markup/MarkupType.h"

#include <algorithm>

CLVKMarkupTypeRegistry& AFX_CDECL CLVKMarkupTypeRegistry::GetInstance()
{
    static CLVKMarkupTypeRegistry registry;
    return registry;
}

CLVKMarkupType* CLVKMarkupTypeRegistry::FindType(LPCWSTR lpszTag) const
{
    if (!lpszTag || !*lpszTag)
    {
        return nullptr;
    }
    return FindType(std::wstring(lpszTag));
}

CLVKMarkupType* CLVKMarkupTypeRegistry::FindType(const std::wstring& strTag) const
{
    const auto it = m_byTag.find(strTag);
    return it == m_byTag.end() ? nullptr : it->second;
}

void CLVKMarkupTypeRegistry::Add(CLVKMarkupType* pType)
{
    if (pType->GetTag() && *pType->GetTag())
    {
        m_byTag[pType->GetTag()] = pType;
    }
    m_types.insert(m_types.begin(), pType);
}

void CLVKMarkupTypeRegistry::Remove(CLVKMarkupType* pType)
{
    m_types.erase(std::remove(m_types.begin(), m_types.end(), pType), m_types.end());
    for (auto it = m_byTag.begin(); it != m_byTag.end();)
    {
        it = it->second == pType ? m_byTag.erase(it) : std::next(it);
    }
}
