#include "Framework.h"

COleVariant::COleVariant(const VARIANT& varSrc)
{
    VariantInit(this);
    AfxCheckError(VariantCopy(this, const_cast<VARIANT*>(&varSrc)));
}

COleVariant::COleVariant(const COleVariant& varSrc) : COleVariant(static_cast<const VARIANT&>(varSrc))
{
}

COleVariant::COleVariant(LPCVARIANT pSrc)
{
    VariantInit(this);
    if (pSrc)
        AfxCheckError(VariantCopy(this, const_cast<VARIANT*>(pSrc)));
}

COleVariant::COleVariant(LPCTSTR lpszSrc)
{
    VariantInit(this);
    SetString(lpszSrc);
}

COleVariant::COleVariant(const CString& strSrc)
{
    VariantInit(this);
    vt = VT_BSTR;
    bstrVal = strSrc.AllocSysString();
}

COleVariant::COleVariant(BYTE nSrc)
{
    VariantInit(this);
    vt = VT_UI1;
    bVal = nSrc;
}

COleVariant::COleVariant(short nSrc, VARTYPE vtSrc)
{
    VariantInit(this);
    if (vtSrc == VT_BOOL)
    {
        vt = VT_BOOL;
        boolVal = nSrc ? VARIANT_TRUE : VARIANT_FALSE;
    }
    else
    {
        vt = VT_I2;
        iVal = nSrc;
    }
}

COleVariant::COleVariant(long lSrc, VARTYPE vtSrc)
{
    VariantInit(this);
    switch (vtSrc)
    {
    case VT_BOOL:
        vt = VT_BOOL;
        boolVal = lSrc ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case VT_ERROR:
        vt = VT_ERROR;
        scode = lSrc;
        break;
    case VT_UI4:
        vt = VT_UI4;
        ulVal = static_cast<ULONG>(lSrc);
        break;
    case VT_INT:
        vt = VT_INT;
        intVal = lSrc;
        break;
    default:
        vt = VT_I4;
        lVal = lSrc;
        break;
    }
}

COleVariant::COleVariant(float fltSrc)
{
    VariantInit(this);
    vt = VT_R4;
    fltVal = fltSrc;
}

COleVariant::COleVariant(double dblSrc, VARTYPE vtSrc)
{
    VariantInit(this);
    vt = (vtSrc == VT_DATE) ? VT_DATE : VT_R8;
    dblVal = dblSrc;
}

COleVariant::COleVariant(const COleDateTime& timeSrc)
{
    VariantInit(this);
    vt = VT_DATE;
    date = timeSrc.m_dt;
}

COleVariant::COleVariant(LONGLONG nSrc)
{
    VariantInit(this);
    vt = VT_I8;
    llVal = nSrc;
}

COleVariant::COleVariant(ULONGLONG nSrc)
{
    VariantInit(this);
    vt = VT_UI8;
    ullVal = nSrc;
}

COleVariant::COleVariant(CY cySrc)
{
    VariantInit(this);
    vt = VT_CY;
    cyVal = cySrc;
}

COleVariant& COleVariant::operator=(const COleVariant& varSrc)
{
    return *this = static_cast<const VARIANT&>(varSrc);
}

COleVariant& COleVariant::operator=(const VARIANT& varSrc)
{
    if (&varSrc != this)
        AfxCheckError(VariantCopy(this, const_cast<VARIANT*>(&varSrc)));
    return *this;
}

COleVariant& COleVariant::operator=(LPCTSTR lpszSrc)
{
    SetString(lpszSrc);
    return *this;
}

COleVariant& COleVariant::operator=(const CString& strSrc)
{
    const BSTR bstr = strSrc.AllocSysString();
    Clear();
    vt = VT_BSTR;
    bstrVal = bstr;
    return *this;
}

COleVariant& COleVariant::operator=(BYTE nSrc)
{
    Clear();
    vt = VT_UI1;
    bVal = nSrc;
    return *this;
}

COleVariant& COleVariant::operator=(short nSrc)
{
    Clear();
    vt = VT_I2;
    iVal = nSrc;
    return *this;
}

COleVariant& COleVariant::operator=(long lSrc)
{
    Clear();
    vt = VT_I4;
    lVal = lSrc;
    return *this;
}

COleVariant& COleVariant::operator=(float fltSrc)
{
    Clear();
    vt = VT_R4;
    fltVal = fltSrc;
    return *this;
}

COleVariant& COleVariant::operator=(double dblSrc)
{
    Clear();
    vt = VT_R8;
    dblVal = dblSrc;
    return *this;
}

COleVariant& COleVariant::operator=(const COleDateTime& dateSrc)
{
    Clear();
    vt = VT_DATE;
    date = dateSrc.m_dt;
    return *this;
}

COleVariant& COleVariant::operator=(LONGLONG nSrc)
{
    Clear();
    vt = VT_I8;
    llVal = nSrc;
    return *this;
}

COleVariant& COleVariant::operator=(ULONGLONG nSrc)
{
    Clear();
    vt = VT_UI8;
    ullVal = nSrc;
    return *this;
}

bool COleVariant::operator==(const VARIANT& varSrc) const
{
    if (&varSrc == this)
        return true;
    if (vt != varSrc.vt)
        return false;
    switch (vt)
    {
    case VT_EMPTY:
    case VT_NULL:
        return true;
    case VT_BOOL:
        return boolVal == varSrc.boolVal;
    case VT_UI1:
    case VT_I1:
        return bVal == varSrc.bVal;
    case VT_I2:
    case VT_UI2:
        return iVal == varSrc.iVal;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_ERROR:
        return lVal == varSrc.lVal;
    case VT_I8:
    case VT_UI8:
        return llVal == varSrc.llVal;
    case VT_CY:
        return cyVal.int64 == varSrc.cyVal.int64;
    case VT_R4:
        return fltVal == varSrc.fltVal;
    case VT_R8:
    case VT_DATE:
        return dblVal == varSrc.dblVal;
    case VT_BSTR:
        return SysStringByteLen(bstrVal) == SysStringByteLen(varSrc.bstrVal) &&
               memcmp(bstrVal, varSrc.bstrVal, SysStringByteLen(bstrVal)) == 0;
    case VT_UNKNOWN:
    case VT_DISPATCH:
        return punkVal == varSrc.punkVal;
    default:
        return false;
    }
}

void COleVariant::ChangeType(VARTYPE vartype, LPVARIANT pSrc)
{
    if (!pSrc)
        pSrc = this;
    if (pSrc != this || vartype != vt)
        AfxCheckError(VariantChangeType(this, pSrc, 0, vartype));
}

void COleVariant::Attach(VARIANT& varSrc)
{
    Clear();
    memcpy(static_cast<VARIANT*>(this), &varSrc, sizeof(VARIANT));
    varSrc.vt = VT_EMPTY;
}

VARIANT COleVariant::Detach()
{
    VARIANT result;
    memcpy(&result, static_cast<VARIANT*>(this), sizeof(VARIANT));
    vt = VT_EMPTY;
    return result;
}

void COleVariant::SetString(LPCTSTR lpszSrc, VARTYPE)
{
    const BSTR bstr = SysAllocString(lpszSrc ? lpszSrc : L"");
    if (!bstr)
        AfxThrowMemoryException();
    Clear();
    vt = VT_BSTR;
    bstrVal = bstr;
}

CArchive& AFXAPI operator<<(CArchive& ar, const COleVariant& varSrc)
{
    const VARTYPE type = varSrc.vt;
    switch (type)
    {
    case VT_EMPTY:
    case VT_NULL:
        return ar << static_cast<WORD>(type);
    case VT_BOOL:
        return ar << static_cast<WORD>(type) << static_cast<WORD>(varSrc.boolVal);
    case VT_UI1:
    case VT_I1:
        return ar << static_cast<WORD>(type) << varSrc.bVal;
    case VT_I2:
    case VT_UI2:
        return ar << static_cast<WORD>(type) << static_cast<WORD>(varSrc.uiVal);
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_ERROR:
        return ar << static_cast<WORD>(type) << static_cast<DWORD>(varSrc.ulVal);
    case VT_I8:
    case VT_UI8:
        return ar << static_cast<WORD>(type) << static_cast<ULONGLONG>(varSrc.ullVal);
    case VT_CY:
        return ar << static_cast<WORD>(type) << static_cast<DWORD>(varSrc.cyVal.Lo)
                  << static_cast<LONG>(varSrc.cyVal.Hi);
    case VT_R4:
        return ar << static_cast<WORD>(type) << varSrc.fltVal;
    case VT_R8:
    case VT_DATE:
        return ar << static_cast<WORD>(type) << varSrc.dblVal;
    case VT_BSTR:
    {
        // The string's bytes, preceded by their number.
        const DWORD nBytes = varSrc.bstrVal ? SysStringByteLen(varSrc.bstrVal) : 0;
        ar << static_cast<WORD>(type) << nBytes;
        ar.Write(varSrc.bstrVal, nBytes);
        return ar;
    }
    default:
        AfxThrowNotSupportedException();
    }
}

CArchive& AFXAPI operator>>(CArchive& ar, COleVariant& varSrc)
{
    WORD type = 0;
    ar >> type;
    COleVariant value;
    switch (type)
    {
    case VT_EMPTY:
    case VT_NULL:
        break;
    case VT_BOOL:
    {
        WORD w = 0;
        ar >> w;
        value.boolVal = static_cast<VARIANT_BOOL>(w);
        break;
    }
    case VT_UI1:
    case VT_I1:
        ar >> value.bVal;
        break;
    case VT_I2:
    case VT_UI2:
    {
        WORD w = 0;
        ar >> w;
        value.uiVal = w;
        break;
    }
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_ERROR:
    {
        DWORD dw = 0;
        ar >> dw;
        value.ulVal = dw;
        break;
    }
    case VT_I8:
    case VT_UI8:
    {
        ULONGLONG q = 0;
        ar >> q;
        value.ullVal = q;
        break;
    }
    case VT_CY:
    {
        DWORD lo = 0;
        LONG hi = 0;
        ar >> lo >> hi;
        value.cyVal.Lo = lo;
        value.cyVal.Hi = hi;
        break;
    }
    case VT_R4:
        ar >> value.fltVal;
        break;
    case VT_R8:
    case VT_DATE:
        ar >> value.dblVal;
        break;
    case VT_BSTR:
    {
        DWORD nBytes = 0;
        ar >> nBytes;
        // Read before allocating, so a damaged length cannot ask for gigabytes.
        std::string bytes;
        const DWORD nChunk = 65536;
        while (bytes.size() < nBytes)
        {
            const size_t old = bytes.size();
            const DWORD n = std::min<DWORD>(nChunk, nBytes - static_cast<DWORD>(old));
            bytes.resize(old + n);
            if (ar.Read(&bytes[old], n) != n)
                AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
        }
        value.bstrVal = SysAllocStringByteLen(bytes.data(), nBytes);
        if (!value.bstrVal)
            AfxThrowMemoryException();
        break;
    }
    default:
        AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName);
    }
    value.vt = type;
    varSrc.Clear();
    varSrc.Attach(value);
    return ar;
}
