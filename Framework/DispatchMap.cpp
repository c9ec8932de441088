#include "CmdTarget.h"

#include <vector>

// The root of every dispatch-map chain: no members.
const AFX_DISPMAP* CCmdTarget::GetDispatchMap() const
{
    return GetThisDispatchMap();
}

const AFX_DISPMAP* PASCAL CCmdTarget::GetThisDispatchMap()
{
    static const AFX_DISPMAP map = {nullptr, GetThisDispatchEntries()};
    return &map;
}

const AFX_DISPMAP_ENTRY* PASCAL CCmdTarget::GetThisDispatchEntries()
{
    static const AFX_DISPMAP_ENTRY entries[] = {
        {nullptr, DISPID_UNKNOWN, nullptr, VT_EMPTY, afxDispMethod, nullptr, nullptr}};
    return entries;
}

namespace
{

const AFX_DISPMAP* BaseMap(const AFX_DISPMAP* pMap)
{
    return pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr;
}

// Entries without an explicit id are numbered 1, 2, ... in their own map;
// the high word is the number of maps below it, so a derived class's
// numbering never collides with its base's.
DISPID EntryId(const AFX_DISPMAP* pMap, const AFX_DISPMAP_ENTRY* pEntry)
{
    if (pEntry->lDispID != DISPID_UNKNOWN)
        return pEntry->lDispID;
    int nDepth = 0;
    for (const AFX_DISPMAP* pBase = BaseMap(pMap); pBase; pBase = BaseMap(pBase))
        ++nDepth;
    return MAKELONG(static_cast<WORD>(pEntry - pMap->lpEntries + 1), static_cast<WORD>(nDepth));
}

const AFX_DISPMAP_ENTRY* FindById(const AFX_DISPMAP* pMap, DISPID dispid)
{
    for (; pMap; pMap = BaseMap(pMap))
    {
        for (const AFX_DISPMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->lpszName; ++pEntry)
        {
            if (EntryId(pMap, pEntry) != dispid)
                continue;
            if (pEntry->nKind == afxDispDefValue)
                return AfxFindDispatchEntry(pMap, pEntry->lpszName, nullptr);
            return pEntry;
        }
    }
    return nullptr;
}

bool IsByRefParam(BYTE b)
{
    return (b & VT_MFCBYREF) != 0;
}

// The arguments of one call, converted to the declared types. Arguments
// passed by reference through a VARIANT reference are converted into a
// temporary and written back after the call.
class CDispArguments
{
public:
    explicit CDispArguments(size_t nCount) : m_args(nCount), m_temps(nCount), m_writeBack(nCount, nullptr)
    {
        for (size_t i = 0; i < nCount; ++i)
        {
            VariantInit(&m_args[i]);
            VariantInit(&m_temps[i]);
        }
        m_owned.assign(nCount, false);
    }

    ~CDispArguments()
    {
        for (size_t i = 0; i < m_args.size(); ++i)
        {
            if (m_owned[i])
                VariantClear(&m_args[i]);
            VariantClear(&m_temps[i]);
        }
    }

    VARIANT* Data() { return m_args.empty() ? nullptr : m_args.data(); }

    // Missing optional argument (a VARIANT parameter): VT_ERROR with
    // DISP_E_PARAMNOTFOUND, as automation callers expect.
    void SetMissing(size_t i)
    {
        V_VT(&m_args[i]) = VT_ERROR;
        V_ERROR(&m_args[i]) = DISP_E_PARAMNOTFOUND;
    }

    HRESULT Convert(size_t i, VARIANT* pSource, BYTE bDeclared, LCID lcid)
    {
        const VARTYPE vt = static_cast<VARTYPE>(bDeclared & ~VT_MFCBYREF);
        if (!IsByRefParam(bDeclared))
        {
            VARIANT* pValue = V_VT(pSource) == (VT_BYREF | VT_VARIANT) ? V_VARIANTREF(pSource) : pSource;
            m_owned[i] = true;
            if (vt == VT_VARIANT)
                return VariantCopyInd(&m_args[i], pValue);
            // A script's null or undefined is a null object or text, not an
            // error: members test for null themselves.
            if ((vt == VT_DISPATCH || vt == VT_UNKNOWN || vt == VT_BSTR) &&
                (V_VT(pValue) == VT_NULL || V_VT(pValue) == VT_EMPTY))
            {
                V_VT(&m_args[i]) = vt;
                V_BYREF(&m_args[i]) = nullptr;
                return S_OK;
            }
            return VariantChangeTypeEx(&m_args[i], pValue, lcid, 0, vt);
        }
        if (V_VT(pSource) == (VT_BYREF | vt))
        {
            m_args[i] = *pSource;  // borrowed: the caller's storage
            return S_OK;
        }
        if (V_VT(pSource) != (VT_BYREF | VT_VARIANT))
            return DISP_E_TYPEMISMATCH;
        VARIANT* pTarget = V_VARIANTREF(pSource);
        if (V_VT(pTarget) == VT_EMPTY)
            V_VT(&m_temps[i]) = vt;  // an out-argument: starts zeroed
        else
        {
            const HRESULT hr = VariantChangeTypeEx(&m_temps[i], pTarget, lcid, 0, vt);
            if (FAILED(hr))
                return hr;
        }
        V_VT(&m_args[i]) = static_cast<VARTYPE>(VT_BYREF | vt);
        V_BYREF(&m_args[i]) = &m_temps[i].llVal;
        m_writeBack[i] = pTarget;
        return S_OK;
    }

    void WriteBack()
    {
        for (size_t i = 0; i < m_args.size(); ++i)
        {
            if (!m_writeBack[i])
                continue;
            VariantClear(m_writeBack[i]);
            *m_writeBack[i] = m_temps[i];  // the temporary's content moves out
            VariantInit(&m_temps[i]);
        }
    }

private:
    std::vector<VARIANT> m_args;
    std::vector<VARIANT> m_temps;
    std::vector<VARIANT*> m_writeBack;
    std::vector<bool> m_owned;
};

void FillExcepInfo(EXCEPINFO* pExcepInfo, CException* pException, SCODE sc)
{
    if (!pExcepInfo)
        return;
    *pExcepInfo = EXCEPINFO{};
    pExcepInfo->scode = sc;
    TCHAR szMessage[512] = {};
    if (pException->GetErrorMessage(szMessage, _countof(szMessage)) && szMessage[0])
        pExcepInfo->bstrDescription = SysAllocString(szMessage);
    TCHAR szModule[MAX_PATH] = {};
    if (GetModuleFileName(nullptr, szModule, MAX_PATH))
        pExcepInfo->bstrSource = SysAllocString(PathFindFileName(szModule));
}

}  // namespace

const AFX_DISPMAP_ENTRY* AFXAPI AfxFindDispatchEntry(const AFX_DISPMAP* pMap, LPCOLESTR lpszName, DISPID* pDispID)
{
    if (!lpszName)
        return nullptr;
    for (; pMap; pMap = BaseMap(pMap))
    {
        for (const AFX_DISPMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->lpszName; ++pEntry)
        {
            if (pEntry->nKind == afxDispDefValue || lstrcmpiW(pEntry->lpszName, lpszName) != 0)
                continue;
            if (pDispID)
                *pDispID = EntryId(pMap, pEntry);
            return pEntry;
        }
    }
    return nullptr;
}

HRESULT AFXAPI AfxDispatchGetIDsOfNames(const AFX_DISPMAP* pMap, LPOLESTR* rgszNames, UINT cNames, DISPID* rgDispId)
{
    if (!rgszNames || !rgDispId)
        return E_POINTER;
    if (cNames == 0)
        return E_INVALIDARG;
    for (UINT i = 0; i < cNames; ++i)
        rgDispId[i] = DISPID_UNKNOWN;
    // Named parameters are not supported: only the member name is resolved.
    if (!AfxFindDispatchEntry(pMap, rgszNames[0], &rgDispId[0]))
        return DISP_E_UNKNOWNNAME;
    return cNames == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT AFXAPI AfxDispatchInvoke(CCmdTarget* pTarget, const AFX_DISPMAP* pMap, DISPID dispid, LCID lcid, WORD wFlags,
                                 DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    if (!pDispParams)
        return E_INVALIDARG;
    const AFX_DISPMAP_ENTRY* pEntry = FindById(pMap, dispid);
    if (!pEntry)
        return DISP_E_MEMBERNOTFOUND;

    const UINT cArgs = pDispParams->cArgs;
    const UINT cNamed = pDispParams->cNamedArgs;
    if (cArgs > 0 && !pDispParams->rgvarg)
        return E_INVALIDARG;
    const bool bPut = (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (cNamed > 1 || (cNamed == 1 && (!bPut || pDispParams->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)))
        return DISP_E_NONAMEDARGS;

    AFX_DISPTHUNK pfn = nullptr;
    char szPutType[2] = {};
    const char* pbParams = "";
    if (pEntry->nKind == afxDispMethod)
    {
        if (bPut || !(wFlags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)))
            return DISP_E_MEMBERNOTFOUND;
        pfn = pEntry->pfnInvoke;
        pbParams = pEntry->pbParams;
    }
    else if (bPut)
    {
        pfn = pEntry->pfnSet;
        szPutType[0] = static_cast<char>(pEntry->vt);
        pbParams = szPutType;
        if (cArgs != 1)
            return DISP_E_BADPARAMCOUNT;
    }
    else
    {
        if (!(wFlags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)))
            return DISP_E_MEMBERNOTFOUND;
        pfn = pEntry->pfnInvoke;
    }
    if (!pfn)
        return DISP_E_MEMBERNOTFOUND;

    const size_t nParams = strlen(pbParams);
    if (cArgs > nParams)
        return DISP_E_BADPARAMCOUNT;
    CDispArguments args(nParams);
    // rgvarg holds the arguments last to first.
    for (size_t i = 0; i < nParams; ++i)
    {
        const BYTE bDeclared = static_cast<BYTE>(pbParams[i]);
        if (i >= cArgs)
        {
            if (bDeclared != VT_VARIANT)
                return DISP_E_PARAMNOTOPTIONAL;
            args.SetMissing(i);
            continue;
        }
        const UINT nIndex = cArgs - 1 - static_cast<UINT>(i);
        const HRESULT hr = args.Convert(i, &pDispParams->rgvarg[nIndex], bDeclared, lcid);
        if (FAILED(hr))
        {
            if (puArgErr)
                *puArgErr = nIndex;
            return DISP_E_TYPEMISMATCH;
        }
    }

    VARIANT result;
    VariantInit(&result);
    HRESULT hr = S_OK;
    try
    {
        hr = pfn(pTarget, args.Data(), bPut ? static_cast<VARTYPE>(VT_EMPTY) : pEntry->vt, &result);
    }
    catch (CException* e)
    {
        const SCODE sc = COleException::Process(e);
        FillExcepInfo(pExcepInfo, e, sc);
        e->Delete();
        VariantClear(&result);
        return pExcepInfo ? DISP_E_EXCEPTION : sc;
    }
    args.WriteBack();
    if (pVarResult && SUCCEEDED(hr))
    {
        VariantClear(pVarResult);
        *pVarResult = result;
    }
    else
        VariantClear(&result);
    return hr;
}

long AFXAPI AfxDispArgLong(const VARIANT* pArg)
{
    switch (V_VT(pArg))
    {
    case VT_BOOL:
        return V_BOOL(pArg) ? TRUE : FALSE;
    case VT_I2:
        return V_I2(pArg);
    case VT_I4:
    case VT_INT:
        return V_I4(pArg);
    case VT_UI1:
        return V_UI1(pArg);
    case VT_UI4:
    case VT_UINT:
        return static_cast<long>(V_UI4(pArg));
    case VT_ERROR:
        return V_ERROR(pArg);
    default:
    {
        VARIANT converted;
        VariantInit(&converted);
        if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(pArg), 0, VT_I4)))
            return 0;
        return V_I4(&converted);
    }
    }
}

double AFXAPI AfxDispArgDouble(const VARIANT* pArg)
{
    switch (V_VT(pArg))
    {
    case VT_R8:
        return V_R8(pArg);
    case VT_R4:
        return V_R4(pArg);
    case VT_DATE:
        return V_DATE(pArg);
    default:
    {
        VARIANT converted;
        VariantInit(&converted);
        if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(pArg), 0, VT_R8)))
            return 0.0;
        return V_R8(&converted);
    }
    }
}

HRESULT AFXAPI AfxDispSetLongResult(VARIANT* pResult, VARTYPE vt, long lValue)
{
    if (vt == VT_BOOL)
    {
        V_VT(pResult) = VT_BOOL;
        V_BOOL(pResult) = lValue ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    V_VT(pResult) = VT_I4;
    V_I4(pResult) = lValue;
    if (vt == VT_I4 || vt == VT_VARIANT || vt == VT_EMPTY)
        return S_OK;
    return VariantChangeType(pResult, pResult, 0, vt);
}

HRESULT AFXAPI AfxDispSetDoubleResult(VARIANT* pResult, VARTYPE vt, double dValue)
{
    V_VT(pResult) = VT_R8;
    V_R8(pResult) = dValue;
    if (vt == VT_R8 || vt == VT_VARIANT || vt == VT_EMPTY)
        return S_OK;
    return VariantChangeType(pResult, pResult, 0, vt);
}

HRESULT AFXAPI AfxDispSetStringResult(VARIANT* pResult, LPCOLESTR lpsz)
{
    V_VT(pResult) = VT_BSTR;
    V_BSTR(pResult) = SysAllocString(lpsz ? lpsz : L"");
    return V_BSTR(pResult) ? S_OK : E_OUTOFMEMORY;
}
