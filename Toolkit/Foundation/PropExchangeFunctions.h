// The typed exchange functions an object's persistence routine calls. Each
// accepts a null exchange (FALSE) and returns what the store reports.
#pragma once

#include "Foundation/PropExchange.h"

BOOL AFX_CDECL ExchangeBool(CLVKPropExchange* pPX, LPCTSTR pszKey, BOOL& bValue, BOOL bDefault);
BOOL AFX_CDECL ExchangeBoolNoDefault(CLVKPropExchange* pPX, LPCTSTR pszKey, BOOL& bValue);
BOOL AFX_CDECL ExchangeShort(CLVKPropExchange* pPX, LPCTSTR pszKey, short& nValue, short nDefault);
BOOL AFX_CDECL ExchangeInt(CLVKPropExchange* pPX, LPCTSTR pszKey, int& nValue, int nDefault);
BOOL AFX_CDECL ExchangeIntNoDefault(CLVKPropExchange* pPX, LPCTSTR pszKey, int& nValue);
BOOL AFX_CDECL ExchangeByte(CLVKPropExchange* pPX, LPCTSTR pszKey, BYTE& nValue, BYTE nDefault);
BOOL AFX_CDECL ExchangeBstr(CLVKPropExchange* pPX, LPCTSTR pszKey, BSTR& bstrValue, LPCWSTR pszDefault);
BOOL AFX_CDECL ExchangeString(CLVKPropExchange* pPX, LPCTSTR pszKey, CString& strValue, LPCTSTR pszDefault);
BOOL AFX_CDECL ExchangeStringNoDefault(CLVKPropExchange* pPX, LPCTSTR pszKey, CString& strValue);
BOOL AFX_CDECL ExchangeSize(CLVKPropExchange* pPX, LPCTSTR pszKey, SIZE& szValue, int cxDefault, int cyDefault);
BOOL AFX_CDECL ExchangePoint(CLVKPropExchange* pPX, LPCTSTR pszKey, POINT& ptValue, int xDefault, int yDefault);
BOOL AFX_CDECL ExchangeRect(CLVKPropExchange* pPX, LPCTSTR pszKey, RECT& rcValue, int nLeft, int nTop, int nRight,
                            int nBottom);
// The default is cleared after the call.
BOOL AFX_CDECL ExchangeVariant(CLVKPropExchange* pPX, LPCTSTR pszKey, VARIANT& varValue, VARIANT varDefault);
BOOL AFX_CDECL ExchangeDateTime(CLVKPropExchange* pPX, LPCTSTR pszKey, COleDateTime& dtValue,
                                const COleDateTime* pDefault);
// Stores (cx, cy) with the default (cxDefault, cyDefault) as (cy, cx).
BOOL AFX_CDECL ExchangeSizeSwapped(CLVKPropExchange* pPX, LPCTSTR pszKey, SIZE& szValue, int cxDefault, int cyDefault);

// Lengths kept at 96 DPI in the store and at the screen's DPI in memory.
BOOL AFX_CDECL ExchangeRectDpi(CLVKPropExchange* pPX, LPCTSTR pszKey, RECT& rcValue, const RECT& rcDefault);
BOOL AFX_CDECL ExchangeSizeDpi(CLVKPropExchange* pPX, LPCTSTR pszKey, SIZE& szValue, const SIZE& szDefault);
BOOL AFX_CDECL ExchangeIntDpi(CLVKPropExchange* pPX, LPCTSTR pszKey, int& nValue, int nDefault);
BOOL AFX_CDECL ExchangeIntDpiVertical(CLVKPropExchange* pPX, LPCTSTR pszKey, int& nValue, int nDefault);

// The object's own serialisation, as one byte block under the key. Archive
// and OLE exceptions give FALSE.
BOOL AFX_CDECL ExchangeObject(CLVKPropExchange* pPX, LPCTSTR pszKey, CObject* pObject);
