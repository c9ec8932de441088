#include "Foundation/PropExchangeEnumerator.h"

#include <climits>

CLVKPropExchangeEnumerator::CLVKPropExchangeEnumerator(CLVKPropExchange* pPX, LPCTSTR pszPrefix)
    : m_pPX(pPX), m_strPrefix(pszPrefix ? pszPrefix : L"")
{
}

DWORD_PTR CLVKPropExchangeEnumerator::StartWalk(DWORD nCount, BOOL bUseCountOperations)
{
    m_nCount = nCount;
    if (!m_pPX)
    {
        m_nCount = 0;
        return 0;
    }
    if (bUseCountOperations)
    {
        if (m_pPX->IsStoring())
            m_pPX->StoreCount(nCount);
        else
            m_nCount = m_pPX->LoadCount();
    }
    else
    {
        int nValue = static_cast<int>(nCount);
        const int nDefault = 0;
        m_pPX->ExchangeValue(L"Count", PX_INT, &nValue, &nDefault);
        // A damaged negative count walks nothing instead of four billion sections.
        if (m_pPX->IsLoading())
            m_nCount = nValue > 0 ? static_cast<DWORD>(nValue) : 0;
    }
    return m_nCount != 0 ? 1 : 0;
}

CLVKPropExchange* CLVKPropExchangeEnumerator::NextSection(DWORD_PTR& pos)
{
    if (!m_pPX || pos == 0 || pos > m_nCount)
    {
        pos = 0;
        return nullptr;
    }
    CString strName;
    strName.Format(L"%s%i", m_strPrefix.GetString(), static_cast<int>(pos - 1));
    CLVKPropExchange* pSection = m_pPX->OpenSection(strName);
    pos = pos < m_nCount ? pos + 1 : 0;
    return pSection;
}

DWORD CLVKPropExchangeEnumerator::GetItemCount()
{
    return m_nCount > static_cast<DWORD>(INT_MAX) ? static_cast<DWORD>(INT_MAX) : m_nCount;
}
