// Holds one exchange (usually a section) and releases it at the end of the scope.
#pragma once

#include "Foundation/PropExchange.h"

class CLVKPropExchangeSection
{
public:
    // Takes over the caller's reference.
    explicit CLVKPropExchangeSection(CLVKPropExchange* pPX) : m_pPX(pPX) {}
    // A section of the application's own settings: its registry key when it
    // has one, else its profile INI file.
    CLVKPropExchangeSection(BOOL bLoading, LPCTSTR pszSection);
    ~CLVKPropExchangeSection();

    CLVKPropExchangeSection(const CLVKPropExchangeSection&) = delete;
    CLVKPropExchangeSection& operator=(const CLVKPropExchangeSection&) = delete;

    CLVKPropExchange* operator->() const { return m_pPX; }
    operator CLVKPropExchange*() const { return m_pPX; }
    CLVKPropExchange* Get() const { return m_pPX; }

private:
    CLVKPropExchange* m_pPX = nullptr;
};
