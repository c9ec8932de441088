// Property exchange over the registry: a section is a key, a value a
// registry value (integers as REG_DWORD, texts, rectangles and sizes as
// REG_SZ, floats and byte blocks as REG_BINARY).
#pragma once

#include "Foundation/PropExchange.h"

class CLVKPropExchangeRegistry : public CLVKPropExchange
{
    DECLARE_DYNAMIC(CLVKPropExchangeRegistry)

public:
    // A null parent key means the application's own registry key.
    CLVKPropExchangeRegistry(BOOL bLoading, HKEY hParentKey, LPCTSTR pszSection);
    ~CLVKPropExchangeRegistry() override;

    BOOL ExchangeValue(LPCTSTR pszKey, int nType, void* pValue, const void* pDefault) override;
    BOOL ExchangeBlob(LPCTSTR pszKey, BYTE*& pData, DWORD& nBytes) override;
    CLVKPropExchange* OpenSection(LPCTSTR pszSection) override;
    void ClearSection() override;
    BOOL CanSkipValues() override { return TRUE; }
    BOOL PrefersBinaryObjects() override { return TRUE; }
    BOOL PrepareExchange() override;

    HKEY GetSectionKey() const { return m_hSectionKey; }

private:
    BOOL LoadValue(LPCTSTR pszKey, int nType, void* pValue, const void* pDefault);
    BOOL StoreValue(LPCTSTR pszKey, int nType, const void* pValue, const void* pDefault);
    BOOL ReadText(LPCTSTR pszKey, CString& strText) const;
    void CloseSectionKey();

    HKEY m_hSectionKey = nullptr;
    HKEY m_hParentKey = nullptr;
    CString m_strSection;
    BOOL m_bOwnsParentKey = FALSE;
};
