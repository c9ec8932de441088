#include "Foundation/PropExchange.h"

#include "Foundation/NarrowString.h"
#include "Foundation/PropExchangeEnumerator.h"
#include "Foundation/PropExchangeFunctions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cwchar>

IMPLEMENT_DYNAMIC(CLVKPropExchange, CLVKCmdTarget)

namespace
{

// -1: no locale; dates and variants then use their own fixed text forms.
LCID g_lcidExchange = static_cast<LCID>(-1);

// Half a second in days: two valid dates closer than this are the same.
const double kHalfSecondInDays = 5.787037037037037e-6;

size_t ValueSize(int nType)
{
    switch (nType)
    {
    case PX_SHORT:
        return 2;
    case PX_INT:
    case PX_FLOAT:
    case PX_BOOL:
    case PX_BSTR:
        return 4;
    case PX_DOUBLE:
    case PX_CURRENCY:
    case PX_SIZE:
        return 8;
    case PX_DATETIME:
        return 12;
    case PX_VARIANT:
    case PX_RECT:
        return 16;
    case PX_BYTE:
        return 1;
    default:
        return 0;
    }
}

// Integer fields zero-extended to 32 bits, as the text and registry forms keep them.
DWORD ReadZeroExtended(int nType, const void* pValue)
{
    DWORD dw = 0;
    memcpy(&dw, pValue, ValueSize(nType));
    return dw;
}

void UnescapeText(CString& strText)
{
    if (strText.Find(L'\\') < 0)
        return;
    // One pass, so no character of the text can be taken for a marker.
    const int nLength = strText.GetLength();
    CString strResult;
    for (int i = 0; i < nLength; ++i)
    {
        const wchar_t ch = strText.GetAt(i);
        if (ch != L'\\' || i + 1 == nLength)
        {
            strResult += ch;
            continue;
        }
        const wchar_t next = strText.GetAt(i + 1);
        switch (next)
        {
        case L'\\':
            strResult += L'\\';
            ++i;
            break;
        case L'n':
            strResult += L'\n';
            ++i;
            break;
        case L'r':
            strResult += L'\r';
            ++i;
            break;
        case L't':
            strResult += L'\t';
            ++i;
            break;
        default:
            strResult += ch;
            break;
        }
    }
    strText = strResult;
}

}  // namespace

CLVKPropExchange::~CLVKPropExchange()
{
    if (m_pParentExchange)
        m_pParentExchange->InternalRelease();
}

void CLVKPropExchange::InheritFrom(CLVKPropExchange* pParent)
{
    if (!pParent)
        return;
    m_bChildExchange = TRUE;
    m_nSchema = pParent->m_nSchema;
    m_pOwner = pParent->m_pOwner;
    m_bEmptied = pParent->m_bEmptied;
    m_bUseDefaultOnLoad = pParent->m_bUseDefaultOnLoad;
    m_bUseDefaultOnSave = pParent->m_bUseDefaultOnSave;
    // A section works on its parent's key, file or node: the parent must
    // outlive it even when the caller releases the parent first.
    if (m_pParentExchange != pParent)
    {
        pParent->InternalAddRef();
        if (m_pParentExchange)
            m_pParentExchange->InternalRelease();
        m_pParentExchange = pParent;
    }
}

LCID AFX_CDECL CLVKPropExchange::GetExchangeLocale()
{
    return g_lcidExchange;
}

BOOL CLVKPropExchange::ExchangeLocale()
{
    int nLocale = static_cast<int>(g_lcidExchange);
    const int nDefault = -1;
    const BOOL bResult = ExchangeValue(L"Locale", PX_INT, &nLocale, &nDefault);
    if (m_bLoading)
        g_lcidExchange = static_cast<LCID>(nLocale);
    return bResult;
}

BOOL CLVKPropExchange::CopyDefaultValue(int nType, void* pValue, const void* pDefault) const
{
    if (!pValue || !pDefault)
        return FALSE;
    switch (nType)
    {
    case PX_SHORT:
    case PX_INT:
    case PX_FLOAT:
    case PX_DOUBLE:
    case PX_CURRENCY:
    case PX_DATETIME:
    case PX_BOOL:
    case PX_BYTE:
    case PX_RECT:
    case PX_SIZE:
        memcpy(pValue, pDefault, ValueSize(nType));
        return TRUE;
    case PX_BSTR:
    {
        BSTR& bstr = *static_cast<BSTR*>(pValue);
        // The value's previous text is replaced, not leaked.
        ::SysFreeString(bstr);
        bstr = ::SysAllocString(static_cast<LPCWSTR>(pDefault));
        return TRUE;
    }
    case PX_VARIANT:
        return SUCCEEDED(
            ::VariantCopy(static_cast<VARIANT*>(pValue), const_cast<VARIANT*>(static_cast<const VARIANT*>(pDefault))));
    case PX_STRING:
        *static_cast<CString*>(pValue) = static_cast<LPCTSTR>(pDefault);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL AFX_CDECL CLVKPropExchange::IsDefaultValue(int nType, const void* pValue, const void* pDefault)
{
    if (pValue == pDefault)
        return TRUE;
    if (!pValue || !pDefault)
        return FALSE;
    switch (nType)
    {
    case PX_SHORT:
    case PX_INT:
    case PX_FLOAT:
    case PX_DOUBLE:
    case PX_CURRENCY:
    case PX_BOOL:
    case PX_BYTE:
    case PX_RECT:
    case PX_SIZE:
        return memcmp(pValue, pDefault, ValueSize(nType)) == 0;
    case PX_DATETIME:
    {
        const COleDateTime& a = *static_cast<const COleDateTime*>(pValue);
        const COleDateTime& b = *static_cast<const COleDateTime*>(pDefault);
        if (a.GetStatus() != b.GetStatus())
            return FALSE;
        if (a.GetStatus() == COleDateTime::null)
            return TRUE;
        if (a.GetStatus() != COleDateTime::valid)
            return FALSE;
        return std::fabs(a.m_dt - b.m_dt) < kHalfSecondInDays;
    }
    case PX_BSTR:
    {
        const BSTR bstr = *static_cast<const BSTR*>(pValue);
        return wcscmp(bstr ? bstr : L"", static_cast<LPCWSTR>(pDefault)) == 0;
    }
    case PX_STRING:
        return wcscmp(static_cast<const CString*>(pValue)->GetString(), static_cast<LPCTSTR>(pDefault)) == 0;
    case PX_VARIANT:
        return COleVariant(*static_cast<const VARIANT*>(pValue)) == *static_cast<const VARIANT*>(pDefault);
    default:
        return FALSE;
    }
}

void CLVKPropExchange::EscapeText(CString& strText) const
{
    if (!m_bLoading)
    {
        ReplaceAllText(strText, L"\\", L"\\\\");
        ReplaceAllText(strText, L"\n", L"\\n");
        ReplaceAllText(strText, L"\r", L"\\r");
        ReplaceAllText(strText, L"\t", L"\\t");
        return;
    }
    UnescapeText(strText);
}

BOOL CLVKPropExchange::ConvertDateText(CString& strText, COleDateTime& date)
{
    const LCID lcid = g_lcidExchange;
    if (lcid == static_cast<LCID>(-1))
    {
        if (!m_bLoading)
        {
            strText = FormatDateTimeText(date);
            return TRUE;
        }
        return ParseDateTimeText(strText, date);
    }
    if (!m_bLoading)
    {
        if (date.GetStatus() != COleDateTime::valid)
        {
            strText = FormatDateTimeText(date);
            return TRUE;
        }
        strText = date.Format(0, lcid);
        return TRUE;
    }
    DATE dt = 0;
    BSTR bstr = ::SysAllocString(strText.GetString());
    const HRESULT hr = bstr ? ::VarDateFromStr(bstr, lcid, 0, &dt) : E_OUTOFMEMORY;
    ::SysFreeString(bstr);
    if (FAILED(hr))
    {
        date.m_dt = hr == DISP_E_TYPEMISMATCH ? 0.0 : -1.0;
        date.SetStatus(COleDateTime::invalid);
        return FALSE;
    }
    date.m_dt = dt;
    date.SetStatus(COleDateTime::valid);
    return TRUE;
}

BOOL CLVKPropExchange::ConvertValueText(int nType, CString& strText, void* pValue, const void* pDefault)
{
    if (!pValue)
        return FALSE;
    if (!m_bLoading)
    {
        switch (nType)
        {
        case PX_SHORT:
        case PX_INT:
        case PX_BOOL:
        case PX_BYTE:
            strText.Format(L"%i", static_cast<int>(ReadZeroExtended(nType, pValue)));
            return TRUE;
        case PX_FLOAT:
            strText.Format(L"%g", static_cast<double>(*static_cast<const float*>(pValue)));
            return TRUE;
        case PX_DOUBLE:
            strText.Format(L"%g", *static_cast<const double*>(pValue));
            return TRUE;
        case PX_DATETIME:
            return ConvertDateText(strText, *static_cast<COleDateTime*>(pValue));
        case PX_VARIANT:
        {
            VARIANT& var = *static_cast<VARIANT*>(pValue);
            const LCID lcid = g_lcidExchange;
            if (var.vt == VT_DATE && lcid == static_cast<LCID>(-1))
            {
                COleDateTime date(var.date);
                strText = FormatDateTimeText(date);
                return TRUE;
            }
            VARIANT varText;
            ::VariantInit(&varText);
            if (FAILED(::VariantChangeTypeEx(&varText, &var, lcid == static_cast<LCID>(-1) ? 0 : lcid, 0, VT_BSTR)))
                return FALSE;
            strText = varText.bstrVal ? varText.bstrVal : L"";
            ::VariantClear(&varText);
            return TRUE;
        }
        case PX_STRING:
            strText = *static_cast<const CString*>(pValue);
            EscapeText(strText);
            return TRUE;
        case PX_RECT:
        {
            const RECT& rc = *static_cast<const RECT*>(pValue);
            strText.Format(L"%i, %i, %i, %i", static_cast<int>(rc.left), static_cast<int>(rc.top),
                           static_cast<int>(rc.right), static_cast<int>(rc.bottom));
            return TRUE;
        }
        case PX_SIZE:
        {
            const SIZE& sz = *static_cast<const SIZE*>(pValue);
            strText.Format(L"%i, %i", static_cast<int>(sz.cx), static_cast<int>(sz.cy));
            return TRUE;
        }
        default:
            return FALSE;
        }
    }

    switch (nType)
    {
    case PX_SHORT:
    case PX_INT:
    case PX_BOOL:
    case PX_BYTE:
    {
        // wcstol clamps on overflow; the value keeps its own low bytes.
        const long lValue = wcstol(strText.GetString(), nullptr, 10);
        memcpy(pValue, &lValue, ValueSize(nType));
        return TRUE;
    }
    case PX_FLOAT:
        *static_cast<float*>(pValue) = static_cast<float>(wcstod(strText.GetString(), nullptr));
        return TRUE;
    case PX_DOUBLE:
        *static_cast<double*>(pValue) = wcstod(strText.GetString(), nullptr);
        return TRUE;
    case PX_DATETIME:
        return ConvertDateText(strText, *static_cast<COleDateTime*>(pValue));
    case PX_VARIANT:
    {
        VARIANT& var = *static_cast<VARIANT*>(pValue);
        COleDateTime date;
        if (g_lcidExchange == static_cast<LCID>(-1) && ParseDateTimeText(strText, date))
        {
            ::VariantClear(&var);
            var.vt = VT_DATE;
            var.date = date.m_dt;
            return TRUE;
        }
        BSTR bstr = ::SysAllocString(strText.GetString());
        if (!bstr)
            return FALSE;
        ::VariantClear(&var);
        var.vt = VT_BSTR;
        var.bstrVal = bstr;
        return TRUE;
    }
    case PX_STRING:
    {
        CString& str = *static_cast<CString*>(pValue);
        str = strText;
        EscapeText(str);
        return TRUE;
    }
    case PX_RECT:
    {
        long l = 0, t = 0, r = 0, b = 0;
        if (swscanf(strText.GetString(), L"%li, %li, %li, %li", &l, &t, &r, &b) != 4)
            return CopyDefaultValue(nType, pValue, pDefault);
        *static_cast<RECT*>(pValue) = RECT{l, t, r, b};
        return TRUE;
    }
    case PX_SIZE:
    {
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

BOOL CLVKPropExchange::ExchangeBlob(LPCTSTR pszKey, BYTE*& pData, DWORD& nBytes)
{
    if (!m_bLoading)
    {
        CString strText = EncodeBytesAsLetters(pData, pData ? nBytes : 0);
        return ExchangeValue(pszKey, PX_STRING, &strText, L"");
    }
    CString strText;
    if (!ExchangeValue(pszKey, PX_STRING, &strText, nullptr))
        return FALSE;
    return DecodeLettersToBytes(strText, pData, nBytes);
}

BOOL CLVKPropExchange::ExchangeClassName(LPCTSTR pszKey, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass)
{
    if (!m_bLoading)
    {
        CString strName(pClass ? pClass->m_lpszClassName : "");
        const CString strDefault(pDefaultClass ? pDefaultClass->m_lpszClassName : "");
        return ExchangeValue(pszKey, PX_STRING, &strName, pDefaultClass ? strDefault.GetString() : nullptr);
    }
    CString strName;
    if (!ExchangeValue(pszKey, PX_STRING, &strName, nullptr))
    {
        pClass = pDefaultClass;
        return TRUE;
    }
    const CLVKNarrowString narrowName(strName);
    pClass = CRuntimeClass::FromName(narrowName.GetString());
    return pClass != nullptr;
}

BOOL CLVKPropExchange::ExchangeObjectClass(CObject*& pObject, CRuntimeClass* pBaseClass)
{
    if (!m_bLoading)
    {
        CRuntimeClass* pClass = pObject ? pObject->GetRuntimeClass() : nullptr;
        return ExchangeClassName(L"Class", pClass, pBaseClass);
    }
    CRuntimeClass* pClass = nullptr;
    if (!ExchangeClassName(L"Class", pClass, pBaseClass) || !pClass)
        return FALSE;
    // A stored class that is not of the requested kind is not even built:
    // its constructor could do anything.
    if (pBaseClass && !pClass->IsDerivedFrom(pBaseClass))
    {
        pObject = nullptr;
        return FALSE;
    }
    pObject = pClass->CreateObject();
    return pObject != nullptr;
}

CArchive* CLVKPropExchange::OpenArchive(LPCTSTR pszKey)
{
    if (!m_bLoading)
    {
        CMemFile* pFile = new CMemFile(1024);
        return new CArchive(pFile, CArchive::store, 4096);
    }
    BYTE* pData = nullptr;
    DWORD nBytes = 0;
    if (!ExchangeBlob(pszKey, pData, nBytes) || nBytes == 0)
    {
        free(pData);
        return nullptr;
    }
    CMemFile* pFile = new CMemFile(pData, nBytes);
    return new CArchive(pFile, CArchive::load, 4096);
}

void CLVKPropExchange::CloseArchive(LPCTSTR pszKey, CArchive* pArchive)
{
    if (!pArchive)
        return;
    CFile* pFile = pArchive->GetFile();
    if (!pFile || !pFile->IsKindOf(RUNTIME_CLASS(CMemFile)))
        return;
    CMemFile* pMemFile = static_cast<CMemFile*>(pFile);
    BYTE* pData = nullptr;
    if (m_bLoading)
    {
        pData = pMemFile->Detach();
    }
    else
    {
        pArchive->Flush();
        DWORD nBytes = static_cast<DWORD>(pMemFile->GetLength());
        pData = pMemFile->Detach();
        ExchangeBlob(pszKey, pData, nBytes);
    }
    pArchive->Abort();
    pMemFile->Close();
    free(pData);
    delete pMemFile;
    delete pArchive;
}

void CLVKPropExchange::ClearSection()
{
    m_bEmptied = TRUE;
}

void CLVKPropExchange::StoreCount(DWORD nCount)
{
    int nValue = static_cast<int>(nCount);
    const int nDefault = 0;
    ExchangeValue(L"Count", PX_INT, &nValue, &nDefault);
}

DWORD CLVKPropExchange::LoadCount()
{
    int nValue = 0;
    const int nDefault = 0;
    ExchangeValue(L"Count", PX_INT, &nValue, &nDefault);
    // A damaged negative count is no count at all, not four billion items.
    return nValue > 0 ? static_cast<DWORD>(nValue) : 0;
}

BOOL CLVKPropExchange::WriteBlock(LPCTSTR pszKey, const BYTE* pData, DWORD nBytes)
{
    BYTE* p = const_cast<BYTE*>(pData);
    return ExchangeBlob(pszKey, p, nBytes);
}

DWORD CLVKPropExchange::ReadBlock(LPCTSTR pszKey, BYTE* pBuffer, DWORD nBytes)
{
    if (!pBuffer)
        return 0;
    BYTE* p = pBuffer;
    DWORD n = nBytes;
    return ExchangeBlob(pszKey, p, n) ? n : 0;
}

BOOL CLVKPropExchange::CanSkipValues()
{
    return TRUE;
}

BOOL CLVKPropExchange::PrefersBinaryObjects()
{
    return FALSE;
}

BOOL CLVKPropExchange::PrepareExchange()
{
    m_bPrepared = TRUE;
    return TRUE;
}

CLVKPropExchangeEnumerator* CLVKPropExchange::CreateEnumerator(LPCTSTR pszPrefix)
{
    return new CLVKPropExchangeEnumerator(this, pszPrefix);
}

void CLVKPropExchange::ExchangeSchema()
{
    int nSchema = static_cast<int>(m_nSchema);
    const int nDefault = static_cast<int>(kSchemaWithoutRecord);
    ExchangeValue(L"Schema", PX_INT, &nSchema, &nDefault);
    if (m_bLoading)
        m_nSchema = static_cast<UINT>(nSchema);
}

// ---------------------------------------------------------------------------
// Text forms

CString AFX_CDECL FormatDateTimeText(const COleDateTime& date)
{
    if (date.GetStatus() == COleDateTime::null)
        return CString();
    SYSTEMTIME st{};
    if (date.GetStatus() != COleDateTime::valid || !date.GetAsSystemTime(st))
        return CString(L"Invalid DateTime");
    const double dWholeDays = std::trunc(date.m_dt);
    CString strText;
    if (dWholeDays == 0)
        strText.Format(L"%02u:%02u:%02u", st.wHour, st.wMinute, st.wSecond);
    else if (date.m_dt == dWholeDays)
        strText.Format(L"%u-%02u-%02u", st.wYear, st.wDay, st.wMonth);
    else
        strText.Format(L"%u-%02u-%02uT%02u:%02u:%02u", st.wYear, st.wDay, st.wMonth, st.wHour, st.wMinute, st.wSecond);
    return strText;
}

BOOL AFX_CDECL ParseDateTimeText(LPCTSTR pszText, COleDateTime& date)
{
    if (!pszText)
        return FALSE;
    unsigned short nYear = 0, nDay = 0, nMonth = 0, nHour = 0, nMinute = 0, nSecond = 0;
    const int nFields =
        swscanf(pszText, L"%hu-%hu-%huT%hu:%hu:%hu", &nYear, &nDay, &nMonth, &nHour, &nMinute, &nSecond);
    if (nFields == 3 || nFields == 5 || nFields == 6)
    {
        COleDateTime parsed;
        SYSTEMTIME st{};
        // The fields must come back unchanged: 31 February is no date.
        if (parsed.SetDateTime(nYear, nMonth, nDay, nHour, nMinute, nSecond) != 0 || !parsed.GetAsSystemTime(st) ||
            st.wYear != nYear || st.wMonth != nMonth || st.wDay != nDay || st.wHour != nHour || st.wMinute != nMinute ||
            st.wSecond != nSecond)
        {
            date.SetStatus(COleDateTime::invalid);
            return FALSE;
        }
        date = parsed;
        return TRUE;
    }
    nHour = nMinute = nSecond = 0;
    const int nTimeFields = swscanf(pszText, L"%hu:%hu:%hu", &nHour, &nMinute, &nSecond);
    if (nTimeFields != 2 && nTimeFields != 3)
        return FALSE;
    date.m_dt = (nSecond + 60.0 * nMinute + 3600.0 * nHour) / 86400.0;
    date.SetStatus(COleDateTime::valid);
    return TRUE;
}

CString AFX_CDECL EncodeBytesAsLetters(const BYTE* pData, DWORD nBytes)
{
    CString strText;
    if (!pData || nBytes == 0)
        return strText;
    wchar_t* p = strText.GetBuffer(static_cast<int>(nBytes * 2));
    for (DWORD i = 0; i < nBytes; ++i)
    {
        p[2 * i] = static_cast<wchar_t>(L'A' + (pData[i] & 0x0F));
        p[2 * i + 1] = static_cast<wchar_t>(L'A' + (pData[i] >> 4));
    }
    strText.ReleaseBuffer(static_cast<int>(nBytes * 2));
    return strText;
}

BOOL AFX_CDECL DecodeLettersToBytes(LPCTSTR pszText, BYTE*& pData, DWORD& nBytes)
{
    const size_t nLength = pszText ? wcslen(pszText) : 0;
    if (nLength == 0)
    {
        nBytes = 0;
        return TRUE;
    }
    if (nLength % 2 != 0)
        return FALSE;
    const DWORD nNeeded = static_cast<DWORD>(nLength / 2);
    if (pData && nBytes < nNeeded)
        return FALSE;
    if (!pData)
    {
        pData = static_cast<BYTE*>(malloc(nNeeded));
        if (!pData)
            return FALSE;
    }
    for (DWORD i = 0; i < nNeeded; ++i)
    {
        const int nLow = pszText[2 * i] - L'A';
        const int nHigh = pszText[2 * i + 1] - L'A';
        pData[i] = static_cast<BYTE>((16 * nHigh + nLow) & 0xFF);
    }
    nBytes = nNeeded;
    return TRUE;
}

void AFX_CDECL ReplaceAllText(CString& strText, LPCWSTR pszOld, LPCWSTR pszNew)
{
    if (pszOld && *pszOld)
        strText.Replace(pszOld, pszNew ? pszNew : L"");
}

void AFX_CDECL UnescapeStoredText(BSTR& bstrText)
{
    if (!bstrText || !wcschr(bstrText, L'\\'))
        return;
    CString strText(bstrText);
    UnescapeText(strText);
    ::SysReAllocString(&bstrText, strText.GetString());
}
