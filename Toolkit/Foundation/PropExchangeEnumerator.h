// Walks the numbered child sections (prefix0, prefix1, ...) of an exchange,
// with their "Count".
#pragma once

#include "Foundation/PropExchange.h"

#include <memory>

class CLVKPropExchangeEnumerator
{
public:
    CLVKPropExchangeEnumerator(CLVKPropExchange* pPX, LPCTSTR pszPrefix);
    virtual ~CLVKPropExchangeEnumerator() = default;

    // Stores or loads the count; the first position (0: nothing to walk).
    virtual DWORD_PTR StartWalk(DWORD nCount, BOOL bUseCountOperations = FALSE);
    // The section at the position, which then moves on (0 after the last).
    // The caller releases the section.
    virtual CLVKPropExchange* NextSection(DWORD_PTR& pos);
    virtual DWORD GetItemCount();

protected:
    CLVKPropExchange* m_pPX = nullptr;
    CString m_strPrefix;
    DWORD m_nCount = 0;
};

// Owns one enumerator.
class CLVKPropExchangeEnumeratorPtr
{
public:
    explicit CLVKPropExchangeEnumeratorPtr(CLVKPropExchangeEnumerator* pEnumerator) : m_p(pEnumerator) {}

    CLVKPropExchangeEnumerator* operator->() const { return m_p.get(); }
    CLVKPropExchangeEnumerator* Get() const { return m_p.get(); }

private:
    std::unique_ptr<CLVKPropExchangeEnumerator> m_p;
};
