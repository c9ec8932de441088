#include "Foundation/PropExchangeFunctions.h"

#include "Foundation/DpiScaling.h"

BOOL AFX_CDECL ExchangeBool(CLVKPropExchange* pPX, LPCTSTR pszKey, BOOL& bValue, BOOL bDefault)
{
    return pPX ? pPX->ExchangeValue(pszKey, PX_BOOL, &bValue, &bDefault) : FALSE;
}

BOOL AFX_CDECL ExchangeBoolNoDefault(CLVKPropExchange* pPX, LPCTSTR pszKey, BOOL& bValue)
{
    return pPX ? pPX->ExchangeValue(pszKey, PX_BOOL, &bValue, nullptr) : FALSE;
}

BOOL AFX_CDECL ExchangeShort(CLVKPropExchange* pPX, LPCTSTR pszKey, short& nValue, short nDefault)
{
    return pPX ? pPX->ExchangeValue(pszKey, PX_SHORT, &nValue, &nDefault) : FALSE;
}

BOOL AFX_CDECL ExchangeInt(CLVKPropExchange* pPX, LPCTSTR pszKey, int& nValue, int nDefault)
{
    return pPX ? pPX->ExchangeValue(pszKey, PX_INT, &nValue, &nDefault) : FALSE;
}

BOOL AFX_CDECL ExchangeIntNoDefault(CLVKPropExchange* pPX, LPCTSTR pszKey, int& nValue)
{
    return pPX ? pPX->ExchangeValue(pszKey, PX_INT, &nValue, nullptr) : FALSE;
}

BOOL AFX_CDECL ExchangeByte(CLVKPropExchange* pPX, LPCTSTR pszKey, BYTE& nValue, BYTE nDefault)
{
    return pPX ? pPX->ExchangeValue(pszKey, PX_BYTE, &nValue, &nDefault) : FALSE;
}

BOOL AFX_CDECL ExchangeBstr(CLVKPropExchange* pPX, LPCTSTR pszKey, BSTR& bstrValue, LPCWSTR pszDefault)
{
    return pPX ? pPX->ExchangeValue(pszKey, PX_BSTR, &bstrValue, pszDefault) : FALSE;
}

BOOL AFX_CDECL ExchangeString(CLVKPropExchange* pPX, LPCTSTR pszKey, CString& strValue, LPCTSTR pszDefault)
{
    return pPX ? pPX->ExchangeValue(pszKey, PX_STRING, &strValue, pszDefault) : FALSE;
}

BOOL AFX_CDECL ExchangeStringNoDefault(CLVKPropExchange* pPX, LPCTSTR pszKey, CString& strValue)
{
    return pPX ? pPX->ExchangeValue(pszKey, PX_STRING, &strValue, nullptr) : FALSE;
}

BOOL AFX_CDECL ExchangeSize(CLVKPropExchange* pPX, LPCTSTR pszKey, SIZE& szValue, int cxDefault, int cyDefault)
{
    const SIZE szDefault{cxDefault, cyDefault};
    return pPX ? pPX->ExchangeValue(pszKey, PX_SIZE, &szValue, &szDefault) : FALSE;
}

BOOL AFX_CDECL ExchangePoint(CLVKPropExchange* pPX, LPCTSTR pszKey, POINT& ptValue, int xDefault, int yDefault)
{
    const POINT ptDefault{xDefault, yDefault};
    return pPX ? pPX->ExchangeValue(pszKey, PX_SIZE, &ptValue, &ptDefault) : FALSE;
}

BOOL AFX_CDECL ExchangeRect(CLVKPropExchange* pPX, LPCTSTR pszKey, RECT& rcValue, int nLeft, int nTop, int nRight,
                            int nBottom)
{
    const RECT rcDefault{nLeft, nTop, nRight, nBottom};
    return pPX ? pPX->ExchangeValue(pszKey, PX_RECT, &rcValue, &rcDefault) : FALSE;
}

BOOL AFX_CDECL ExchangeVariant(CLVKPropExchange* pPX, LPCTSTR pszKey, VARIANT& varValue, VARIANT varDefault)
{
    const BOOL bResult = pPX ? pPX->ExchangeValue(pszKey, PX_VARIANT, &varValue, &varDefault) : FALSE;
    ::VariantClear(&varDefault);
    return bResult;
}

BOOL AFX_CDECL ExchangeDateTime(CLVKPropExchange* pPX, LPCTSTR pszKey, COleDateTime& dtValue,
                                const COleDateTime* pDefault)
{
    return pPX ? pPX->ExchangeValue(pszKey, PX_DATETIME, &dtValue, pDefault) : FALSE;
}

BOOL AFX_CDECL ExchangeSizeSwapped(CLVKPropExchange* pPX, LPCTSTR pszKey, SIZE& szValue, int cxDefault, int cyDefault)
{
    if (!pPX)
        return FALSE;
    SIZE szSwapped{szValue.cy, szValue.cx};
    const SIZE szDefault{cyDefault, cxDefault};
    const BOOL bResult = pPX->ExchangeValue(pszKey, PX_SIZE, &szSwapped, &szDefault);
    if (pPX->IsLoading())
        szValue = SIZE{szSwapped.cy, szSwapped.cx};
    return bResult;
}

BOOL AFX_CDECL ExchangeRectDpi(CLVKPropExchange* pPX, LPCTSTR pszKey, RECT& rcValue, const RECT& rcDefault)
{
    if (!pPX)
        return FALSE;
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    const LONG kUnset = static_cast<LONG>(0x80000000);
    if (pPX->IsLoading())
    {
        RECT rc = rcValue;
        if (!pPX->ExchangeValue(pszKey, PX_RECT, &rc, &rcDefault))
            return FALSE;
        rcValue = pDpi->ScaleRect(rc);
        return TRUE;
    }
    // An unset rectangle keeps its marker values instead of being scaled.
    const bool bUnset =
        rcValue.left == kUnset && rcValue.top == kUnset && rcValue.right == kUnset && rcValue.bottom == kUnset;
    RECT rc = bUnset ? rcValue : pDpi->UnscaleRect(rcValue);
    return pPX->ExchangeValue(pszKey, PX_RECT, &rc, &rcDefault);
}

BOOL AFX_CDECL ExchangeSizeDpi(CLVKPropExchange* pPX, LPCTSTR pszKey, SIZE& szValue, const SIZE& szDefault)
{
    if (!pPX)
        return FALSE;
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    if (pPX->IsLoading())
    {
        POINT pt{szValue.cx, szValue.cy};
        if (!pPX->ExchangeValue(pszKey, PX_SIZE, &pt, &szDefault))
            return FALSE;
        pt = pDpi->ScalePoint(pt);
        szValue = SIZE{pt.x, pt.y};
        return TRUE;
    }
    POINT pt = pDpi->UnscalePoint(POINT{szValue.cx, szValue.cy});
    return pPX->ExchangeValue(pszKey, PX_SIZE, &pt, &szDefault);
}

static BOOL ExchangeLengthDpi(CLVKPropExchange* pPX, LPCTSTR pszKey, int& nValue, int nDefault, bool bVertical)
{
    if (!pPX)
        return FALSE;
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    if (pPX->IsLoading())
    {
        int n = nValue;
        if (!pPX->ExchangeValue(pszKey, PX_INT, &n, &nDefault))
            return FALSE;
        nValue = bVertical ? pDpi->ScaleY(n) : pDpi->ScaleX(n);
        return TRUE;
    }
    int n = bVertical ? pDpi->UnscaleY(nValue) : pDpi->UnscaleX(nValue);
    return pPX->ExchangeValue(pszKey, PX_INT, &n, nullptr);
}

BOOL AFX_CDECL ExchangeIntDpi(CLVKPropExchange* pPX, LPCTSTR pszKey, int& nValue, int nDefault)
{
    return ExchangeLengthDpi(pPX, pszKey, nValue, nDefault, false);
}

BOOL AFX_CDECL ExchangeIntDpiVertical(CLVKPropExchange* pPX, LPCTSTR pszKey, int& nValue, int nDefault)
{
    return ExchangeLengthDpi(pPX, pszKey, nValue, nDefault, true);
}

BOOL AFX_CDECL ExchangeObject(CLVKPropExchange* pPX, LPCTSTR pszKey, CObject* pObject)
{
    if (!pPX || !pObject)
        return FALSE;
    CArchive* pArchive = pPX->OpenArchive(pszKey);
    if (!pArchive)
        return FALSE;
    BOOL bResult = TRUE;
    try
    {
        pObject->Serialize(*pArchive);
    }
    catch (COleException* e)
    {
        e->Delete();
        bResult = FALSE;
    }
    catch (CArchiveException* e)
    {
        e->Delete();
        bResult = FALSE;
    }
    catch (...)
    {
        // Any other failure still frees the archive, its memory file and
        // the block before it goes on to the caller.
        pPX->CloseArchive(pszKey, pArchive);
        throw;
    }
    pPX->CloseArchive(pszKey, pArchive);
    return bResult;
}
