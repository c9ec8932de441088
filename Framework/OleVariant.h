// COleVariant: a VARIANT that clears itself, with its archive form.
#pragma once

#include "Archive.h"
#include "String.h"

class COleDateTime;

typedef const VARIANT* LPCVARIANT;

class COleVariant : public tagVARIANT
{
public:
    COleVariant() { VariantInit(this); }
    COleVariant(const VARIANT& varSrc);
    COleVariant(const COleVariant& varSrc);
    COleVariant(LPCVARIANT pSrc);
    COleVariant(LPCTSTR lpszSrc);
    COleVariant(const CString& strSrc);
    COleVariant(BYTE nSrc);
    // vtSrc: VT_I2 or VT_BOOL.
    COleVariant(short nSrc, VARTYPE vtSrc = VT_I2);
    // vtSrc: VT_I4, VT_ERROR, VT_BOOL, VT_UI4 or VT_INT.
    COleVariant(long lSrc, VARTYPE vtSrc = VT_I4);
    COleVariant(int nSrc) : COleVariant(static_cast<long>(nSrc)) {}
    COleVariant(float fltSrc);
    // vtSrc: VT_R8 or VT_DATE.
    COleVariant(double dblSrc, VARTYPE vtSrc = VT_R8);
    COleVariant(const COleDateTime& timeSrc);
    COleVariant(LONGLONG nSrc);
    COleVariant(ULONGLONG nSrc);
    COleVariant(CY cySrc);
    ~COleVariant() { VariantClear(this); }

    COleVariant& operator=(const COleVariant& varSrc);
    COleVariant& operator=(const VARIANT& varSrc);
    COleVariant& operator=(LPCTSTR lpszSrc);
    COleVariant& operator=(const CString& strSrc);
    COleVariant& operator=(BYTE nSrc);
    COleVariant& operator=(short nSrc);
    COleVariant& operator=(long lSrc);
    COleVariant& operator=(int nSrc) { return *this = static_cast<long>(nSrc); }
    COleVariant& operator=(float fltSrc);
    COleVariant& operator=(double dblSrc);
    COleVariant& operator=(const COleDateTime& dateSrc);
    COleVariant& operator=(LONGLONG nSrc);
    COleVariant& operator=(ULONGLONG nSrc);

    bool operator==(const VARIANT& varSrc) const;
    bool operator!=(const VARIANT& varSrc) const { return !(*this == varSrc); }

    operator LPVARIANT() { return this; }
    operator LPCVARIANT() const { return this; }

    void Clear() { VariantClear(this); }
    // Throws COleException* when the value cannot be converted.
    void ChangeType(VARTYPE vartype, LPVARIANT pSrc = NULL);
    void Attach(VARIANT& varSrc);
    VARIANT Detach();
    void SetString(LPCTSTR lpszSrc, VARTYPE vtSrc = VT_BSTR);
};

// Stored as the type (WORD) followed by the value in the type's own form.
CArchive& AFXAPI operator<<(CArchive& ar, const COleVariant& varSrc);
CArchive& AFXAPI operator>>(CArchive& ar, COleVariant& varSrc);
