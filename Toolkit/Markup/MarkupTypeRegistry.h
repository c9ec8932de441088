// The process-wide table of markup types: by tag for the builder, and the
// list of every type for registration.
#pragma once

#include "Framework.h"

#include <map>
#include <string>
#include <vector>

class CLVKMarkupType;

class CLVKMarkupTypeRegistry
{
public:
    static CLVKMarkupTypeRegistry& AFX_CDECL GetInstance();

    // Exact, case-sensitive; null for an unknown tag.
    CLVKMarkupType* FindType(LPCWSTR lpszTag) const;
    CLVKMarkupType* FindType(const std::wstring& strTag) const;

    void Add(CLVKMarkupType* pType);
    void Remove(CLVKMarkupType* pType);
    const std::vector<CLVKMarkupType*>& GetTypes() const { return m_types; }

private:
    std::map<std::wstring, CLVKMarkupType*> m_byTag;
    std::vector<CLVKMarkupType*> m_types;  // newest first
};
