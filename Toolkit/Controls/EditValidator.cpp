#include "Controls/EditValidator.h"

#include <oleauto.h>
#include <cstdio>

namespace
{

// The scripting engine's regular-expression object. Its interfaces are
// dispatch interfaces; they are called through IDispatch by member name,
// which does not depend on the layout of their tables.
const CLSID kClsidRegExp = {0x3F4DACA4, 0x160D, 0x11D2, {0xA8, 0xE9, 0x00, 0x10, 0x4B, 0x36, 0x5C, 0x9F}};
const IID kIidRegExp = {0x3F4DACA0, 0x160D, 0x11D2, {0xA8, 0xE9, 0x00, 0x10, 0x4B, 0x36, 0x5C, 0x9F}};
const IID kIidMatchCollection = {0x3F4DACA2, 0x160D, 0x11D2, {0xA8, 0xE9, 0x00, 0x10, 0x4B, 0x36, 0x5C, 0x9F}};
const IID kIidMatch = {0x3F4DACA1, 0x160D, 0x11D2, {0xA8, 0xE9, 0x00, 0x10, 0x4B, 0x36, 0x5C, 0x9F}};

// Calls a member by name; pArgs in reverse order as IDispatch wants them.
HRESULT CallMember(IDispatch* pObject, LPCWSTR lpszName, WORD wFlags, VARIANT* pArgs, UINT nArgs, VARIANT* pResult)
{
    DISPID dispid = 0;
    LPOLESTR pszName = const_cast<LPOLESTR>(lpszName);
    HRESULT hr = pObject->GetIDsOfNames(IID_NULL, &pszName, 1, LOCALE_USER_DEFAULT, &dispid);
    if (FAILED(hr))
        return hr;
    DISPID dispidPut = DISPID_PROPERTYPUT;
    DISPPARAMS params{};
    params.rgvarg = pArgs;
    params.cArgs = nArgs;
    if (wFlags == DISPATCH_PROPERTYPUT)
    {
        params.rgdispidNamedArgs = &dispidPut;
        params.cNamedArgs = 1;
    }
    return pObject->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params, pResult, nullptr, nullptr);
}

// A long property or method result.
bool GetLong(IDispatch* pObject, LPCWSTR lpszName, long& nValue)
{
    VARIANT result;
    ::VariantInit(&result);
    if (FAILED(CallMember(pObject, lpszName, DISPATCH_PROPERTYGET, nullptr, 0, &result)) ||
        FAILED(::VariantChangeType(&result, &result, 0, VT_I4)))
    {
        ::VariantClear(&result);
        return false;
    }
    nValue = result.lVal;
    return true;
}

// The object's own interface, else its dispatch interface.
IDispatch* QueryDispatch(IUnknown* pUnknown, REFIID iid)
{
    IDispatch* pDispatch = nullptr;
    if (FAILED(pUnknown->QueryInterface(iid, reinterpret_cast<void**>(&pDispatch))) || !pDispatch)
    {
        pDispatch = nullptr;
        pUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pDispatch));
    }
    return pDispatch;
}

template <class T>
void ReleaseInterface(T*& p)
{
    if (p)
        p->Release();
    p = nullptr;
}

}  // namespace

CLVKEditValidator::CLVKEditValidator(LPCWSTR lpszPattern) : m_strPattern(lpszPattern)
{
}

CLVKEditValidator::~CLVKEditValidator()
{
    ReleaseInterface(m_pMatches);
    ReleaseInterface(m_pRegExp);
}

BOOL CLVKEditValidator::EnsureCreated()
{
    if (m_pRegExp)
        return TRUE;
    if (m_bCreateFailed)
        return FALSE;
    IUnknown* pUnknown = nullptr;
    if (FAILED(
            ::CoCreateInstance(kClsidRegExp, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&pUnknown))) ||
        !pUnknown)
    {
        m_bCreateFailed = TRUE;
        return FALSE;
    }
    ::OleRun(pUnknown);
    IDispatch* const pRegExp = QueryDispatch(pUnknown, kIidRegExp);
    pUnknown->Release();
    if (!pRegExp)
    {
        m_bCreateFailed = TRUE;
        return FALSE;
    }
    VARIANT pattern;
    ::VariantInit(&pattern);
    pattern.vt = VT_BSTR;
    pattern.bstrVal = ::SysAllocString(m_strPattern);
    const HRESULT hr = CallMember(pRegExp, L"Pattern", DISPATCH_PROPERTYPUT, &pattern, 1, nullptr);
    ::VariantClear(&pattern);
    if (FAILED(hr))
    {
        pRegExp->Release();
        m_bCreateFailed = TRUE;
        return FALSE;
    }
    m_pRegExp = pRegExp;
    return TRUE;
}

BOOL CLVKEditValidator::IsValid(const CString& strText)
{
    if (!EnsureCreated())
        return FALSE;
    ReleaseInterface(m_pMatches);

    VARIANT text;
    ::VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = ::SysAllocString(strText);
    VARIANT result;
    ::VariantInit(&result);
    const HRESULT hr = CallMember(m_pRegExp, L"Execute", DISPATCH_METHOD, &text, 1, &result);
    ::VariantClear(&text);
    if (FAILED(hr) || result.vt != VT_DISPATCH || !result.pdispVal)
    {
        ::VariantClear(&result);
        return FALSE;
    }
    m_pMatches = QueryDispatch(result.pdispVal, kIidMatchCollection);
    ::VariantClear(&result);
    if (!m_pMatches)
        return FALSE;

    long nCount = 0;
    if (!GetLong(m_pMatches, L"Count", nCount) || nCount != 1)
        return FALSE;
    VARIANT index;
    ::VariantInit(&index);
    index.vt = VT_I4;
    index.lVal = 0;
    VARIANT item;
    ::VariantInit(&item);
    if (FAILED(CallMember(m_pMatches, L"Item", DISPATCH_PROPERTYGET | DISPATCH_METHOD, &index, 1, &item)) ||
        item.vt != VT_DISPATCH || !item.pdispVal)
    {
        ::VariantClear(&item);
        return FALSE;
    }
    IDispatch* pMatch = QueryDispatch(item.pdispVal, kIidMatch);
    ::VariantClear(&item);
    if (!pMatch)
        return FALSE;
    long nFirst = -1;
    long nLength = -1;
    const bool bRead = GetLong(pMatch, L"FirstIndex", nFirst) && GetLong(pMatch, L"Length", nLength);
    pMatch->Release();
    return bRead && nFirst == 0 && nLength == strText.GetLength();
}
