#include "Foundation/PropExchangeRegistry.h"

#include <cstdlib>
#include <memory>

IMPLEMENT_DYNAMIC(CLVKPropExchangeRegistry, CLVKPropExchange)

CLVKPropExchangeRegistry::CLVKPropExchangeRegistry(BOOL bLoading, HKEY hParentKey, LPCTSTR pszSection)
    : m_hParentKey(hParentKey), m_strSection(pszSection ? pszSection : L"")
{
    m_bLoading = bLoading;
    if (!m_hParentKey)
    {
        CWinApp* pApp = AfxGetApp();
        m_hParentKey = pApp ? pApp->GetAppRegistryKey() : nullptr;
        m_bOwnsParentKey = m_hParentKey != nullptr;
    }
}

CLVKPropExchangeRegistry::~CLVKPropExchangeRegistry()
{
    CloseSectionKey();
    if (m_bOwnsParentKey && m_hParentKey)
        ::RegCloseKey(m_hParentKey);
}

void CLVKPropExchangeRegistry::CloseSectionKey()
{
    if (m_hSectionKey)
    {
        ::RegCloseKey(m_hSectionKey);
        m_hSectionKey = nullptr;
    }
}

BOOL CLVKPropExchangeRegistry::PrepareExchange()
{
    if (!m_hParentKey)
        return FALSE;
    if (!m_bPrepared)
    {
        m_bPrepared = TRUE;
        DWORD dwDisposition = 0;
        HKEY hKey = nullptr;
        if (::RegCreateKeyExW(m_hParentKey, m_strSection, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              m_bLoading ? KEY_READ : KEY_WRITE, nullptr, &hKey, &dwDisposition) == ERROR_SUCCESS)
            m_hSectionKey = hKey;
    }
    return m_hSectionKey != nullptr;
}

CLVKPropExchange* CLVKPropExchangeRegistry::OpenSection(LPCTSTR pszSection)
{
    PrepareExchange();
    CLVKPropExchangeRegistry* pSection = new CLVKPropExchangeRegistry(m_bLoading, m_hSectionKey, pszSection);
    pSection->InheritFrom(this);
    return pSection;
}

void CLVKPropExchangeRegistry::ClearSection()
{
    m_bEmptied = TRUE;
    CloseSectionKey();
    if (m_hParentKey && !m_strSection.IsEmpty())
        ::SHDeleteKeyW(m_hParentKey, m_strSection);
    m_bPrepared = FALSE;
}

BOOL CLVKPropExchangeRegistry::ExchangeValue(LPCTSTR pszKey, int nType, void* pValue, const void* pDefault)
{
    if (m_bLoading)
        return LoadValue(pszKey, nType, pValue, LoadDefault(pDefault));
    return StoreValue(pszKey, nType, pValue, SaveDefault(pDefault));
}

BOOL CLVKPropExchangeRegistry::ReadText(LPCTSTR pszKey, CString& strText) const
{
    DWORD dwType = 0;
    DWORD cbData = 0;
    if (::RegQueryValueExW(m_hSectionKey, pszKey, nullptr, &dwType, nullptr, &cbData) != ERROR_SUCCESS)
        return FALSE;
    // Room for an odd byte count and a terminator the stored data may lack.
    const DWORD nChars = cbData / 2 + 2;
    std::unique_ptr<wchar_t[]> buffer(new wchar_t[nChars]());
    DWORD cbRead = (nChars - 1) * sizeof(wchar_t);
    if (::RegQueryValueExW(m_hSectionKey, pszKey, nullptr, &dwType, reinterpret_cast<BYTE*>(buffer.get()), &cbRead) !=
        ERROR_SUCCESS)
        return FALSE;
    buffer[std::min<DWORD>(cbRead / 2, nChars - 1)] = L'\0';
    strText = buffer.get();
    return TRUE;
}

BOOL CLVKPropExchangeRegistry::LoadValue(LPCTSTR pszKey, int nType, void* pValue, const void* pDefault)
{
    if (!PrepareExchange())
        return CopyDefaultValue(nType, pValue, pDefault);
    switch (nType)
    {
    case PX_SHORT:
    case PX_INT:
    case PX_BOOL:
    case PX_BYTE:
    {
        BYTE data[4] = {};
        DWORD cbData = sizeof(data);
        if (::RegQueryValueExW(m_hSectionKey, pszKey, nullptr, nullptr, data, &cbData) != ERROR_SUCCESS)
            return CopyDefaultValue(nType, pValue, pDefault);
        memcpy(pValue, data, nType == PX_SHORT ? 2 : nType == PX_BYTE ? 1 : 4);
        return TRUE;
    }
    case PX_FLOAT:
    case PX_DOUBLE:
    {
        // Read back in the raw form they are written in, and only when the
        // stored size is exactly the value's.
        const DWORD cbValue = nType == PX_FLOAT ? 4 : 8;
        BYTE data[8] = {};
        DWORD cbData = sizeof(data);
        DWORD dwType = 0;
        if (::RegQueryValueExW(m_hSectionKey, pszKey, nullptr, &dwType, data, &cbData) != ERROR_SUCCESS ||
            dwType != REG_BINARY || cbData != cbValue)
            return CopyDefaultValue(nType, pValue, pDefault);
        memcpy(pValue, data, cbValue);
        return TRUE;
    }
    case PX_STRING:
    case PX_RECT:
    case PX_SIZE:
    {
        CString strText;
        if (!ReadText(pszKey, strText))
            return CopyDefaultValue(nType, pValue, pDefault);
        if (nType == PX_STRING)
        {
            *static_cast<CString*>(pValue) = strText;
            return TRUE;
        }
        if (nType == PX_RECT)
        {
            long l = 0, t = 0, r = 0, b = 0;
            if (swscanf(strText.GetString(), L"%li, %li, %li, %li", &l, &t, &r, &b) != 4)
                return CopyDefaultValue(nType, pValue, pDefault);
            *static_cast<RECT*>(pValue) = RECT{l, t, r, b};
            return TRUE;
        }
        long cx = 0, cy = 0;
        if (swscanf(strText.GetString(), L"%li, %li", &cx, &cy) != 2)
            return CopyDefaultValue(nType, pValue, pDefault);
        *static_cast<SIZE*>(pValue) = SIZE{cx, cy};
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CLVKPropExchangeRegistry::StoreValue(LPCTSTR pszKey, int nType, const void* pValue, const void* pDefault)
{
    if (!PrepareExchange())
        return FALSE;
    if (pDefault && IsDefaultValue(nType, pValue, pDefault))
    {
        if (m_hSectionKey && !m_bEmptied)
            ::RegDeleteValueW(m_hSectionKey, pszKey);
        return TRUE;
    }
    if (!pValue)
        return FALSE;
    LONG lResult = ERROR_INVALID_PARAMETER;
    switch (nType)
    {
    case PX_SHORT:
    case PX_INT:
    case PX_BOOL:
    case PX_BYTE:
    {
        DWORD dw = 0;
        memcpy(&dw, pValue, nType == PX_SHORT ? 2 : nType == PX_BYTE ? 1 : 4);
        lResult = ::RegSetValueExW(m_hSectionKey, pszKey, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dw), sizeof(dw));
        break;
    }
    case PX_FLOAT:
    case PX_DOUBLE:
        lResult = ::RegSetValueExW(m_hSectionKey, pszKey, 0, REG_BINARY, static_cast<const BYTE*>(pValue),
                                   nType == PX_FLOAT ? 4 : 8);
        break;
    case PX_STRING:
    case PX_RECT:
    case PX_SIZE:
    {
        CString strText;
        if (nType == PX_STRING)
        {
            strText = *static_cast<const CString*>(pValue);
        }
        else if (nType == PX_RECT)
        {
            const RECT& rc = *static_cast<const RECT*>(pValue);
            strText.Format(L"%i, %i, %i, %i", static_cast<int>(rc.left), static_cast<int>(rc.top),
                           static_cast<int>(rc.right), static_cast<int>(rc.bottom));
        }
        else
        {
            const SIZE& sz = *static_cast<const SIZE*>(pValue);
            strText.Format(L"%i, %i", static_cast<int>(sz.cx), static_cast<int>(sz.cy));
        }
        lResult = ::RegSetValueExW(m_hSectionKey, pszKey, 0, REG_SZ, reinterpret_cast<const BYTE*>(strText.GetString()),
                                   static_cast<DWORD>((strText.GetLength() + 1) * sizeof(wchar_t)));
        break;
    }
    default:
        return FALSE;
    }
    return lResult == ERROR_SUCCESS;
}

BOOL CLVKPropExchangeRegistry::ExchangeBlob(LPCTSTR pszKey, BYTE*& pData, DWORD& nBytes)
{
    if (!PrepareExchange())
        return FALSE;
    if (!m_bLoading)
    {
        return ::RegSetValueExW(m_hSectionKey, pszKey, 0, REG_BINARY, pData, pData ? nBytes : 0) == ERROR_SUCCESS;
    }
    DWORD cbData = 0;
    if (::RegQueryValueExW(m_hSectionKey, pszKey, nullptr, nullptr, nullptr, &cbData) != ERROR_SUCCESS)
        return FALSE;
    if (pData && nBytes < cbData)
        return FALSE;
    BYTE* pBuffer = pData;
    if (!pBuffer)
    {
        pBuffer = static_cast<BYTE*>(malloc(cbData ? cbData : 1));
        if (!pBuffer)
            return FALSE;
    }
    DWORD cbRead = pData ? nBytes : cbData;
    if (::RegQueryValueExW(m_hSectionKey, pszKey, nullptr, nullptr, pBuffer, &cbRead) != ERROR_SUCCESS)
    {
        if (!pData)
            free(pBuffer);
        return FALSE;
    }
    pData = pBuffer;
    nBytes = cbRead;
    return TRUE;
}
