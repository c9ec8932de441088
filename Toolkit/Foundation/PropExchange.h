// The one persistence abstraction of the toolkit: an object writes a single
// routine of typed exchanges (key, value, default) that stores or loads,
// and the exchange decides where the values go (archive, registry, INI file
// or XML node).
#pragma once

#include "Foundation/CmdTarget.h"

class CLVKPropExchangeEnumerator;

// The form of the value handed to an exchange, and its size in bytes.
enum PropExchangeTypeCode
{
    PX_SHORT = 2,     // 16-bit signed, 2
    PX_INT = 3,       // 32-bit signed, 4
    PX_FLOAT = 4,     // float, 4
    PX_DOUBLE = 5,    // double, 8
    PX_CURRENCY = 6,  // CY, 8
    PX_DATETIME = 7,  // COleDateTime (date, then status), 12
    PX_BSTR = 8,      // BSTR, 4; default given as plain text
    PX_BOOL = 11,     // BOOL, 4
    PX_VARIANT = 12,  // VARIANT, 16
    PX_BYTE = 17,     // 8-bit unsigned, 1
    PX_STRING = 30,   // CString; default given as plain text
    PX_RECT = 100,    // RECT, 16
    PX_SIZE = 101,    // SIZE or POINT, 8
};

class CLVKPropExchange : public CLVKCmdTarget
{
    DECLARE_DYNAMIC(CLVKPropExchange)

public:
    // The schema written by this version; stores without one read as older.
    static const UINT kCurrentSchema = 42;
    static const UINT kSchemaWithoutRecord = 32;

    CLVKPropExchange() = default;
    ~CLVKPropExchange() override;

    BOOL IsLoading() const { return m_bLoading; }
    BOOL IsStoring() const { return !m_bLoading; }
    BOOL IsChildExchange() const { return m_bChildExchange; }
    BOOL IsEmptied() const { return m_bEmptied; }
    BOOL IsPrepared() const { return m_bPrepared; }
    UINT GetSchema() const { return m_nSchema; }
    void SetSchema(UINT nSchema) { m_nSchema = nSchema; }

    // Each store's typed exchange; pDefault null means "no default".
    virtual BOOL ExchangeValue(LPCTSTR pszKey, int nType, void* pValue, const void* pDefault) = 0;
    // Loading with a null pData allocates the block with malloc (the caller frees it).
    virtual BOOL ExchangeBlob(LPCTSTR pszKey, BYTE*& pData, DWORD& nBytes);
    virtual BOOL ExchangeClassName(LPCTSTR pszKey, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass);
    virtual BOOL ExchangeObjectClass(CObject*& pObject, CRuntimeClass* pBaseClass);
    virtual CArchive* OpenArchive(LPCTSTR pszKey);
    virtual void CloseArchive(LPCTSTR pszKey, CArchive* pArchive);
    // A new exchange of the same kind for a child section; the caller releases it.
    virtual CLVKPropExchange* OpenSection(LPCTSTR pszSection) = 0;
    virtual void ClearSection();
    virtual void StoreCount(DWORD nCount);
    virtual DWORD LoadCount();
    virtual BOOL WriteBlock(LPCTSTR pszKey, const BYTE* pData, DWORD nBytes);
    // The number of bytes read into pBuffer, 0 on failure.
    virtual DWORD ReadBlock(LPCTSTR pszKey, BYTE* pBuffer, DWORD nBytes);
    virtual BOOL CanSkipValues();
    virtual BOOL PrefersBinaryObjects();
    virtual BOOL PrepareExchange();
    virtual CLVKPropExchangeEnumerator* CreateEnumerator(LPCTSTR pszPrefix);
    virtual void ExchangeSchema();

    // Takes over the flags, schema and owner of the exchange this one is a
    // section of, and keeps that exchange alive as long as this one.
    void InheritFrom(CLVKPropExchange* pParent);
    // Loads or stores the process-wide locale used for dates and variants.
    BOOL ExchangeLocale();
    static LCID AFX_CDECL GetExchangeLocale();

    BOOL CopyDefaultValue(int nType, void* pValue, const void* pDefault) const;
    static BOOL AFX_CDECL IsDefaultValue(int nType, const void* pValue, const void* pDefault);
    // Storing: the value's text form into strText. Loading: strText read into
    // the value (pDefault used for rectangles and sizes that do not parse).
    BOOL ConvertValueText(int nType, CString& strText, void* pValue, const void* pDefault);
    void EscapeText(CString& strText) const;
    BOOL ConvertDateText(CString& strText, COleDateTime& date);

    // For the caller's use: the object being saved or loaded (inherited by
    // sections) and a second pointer (not inherited).
    void* m_pOwner = nullptr;
    void* m_pContext = nullptr;
    BOOL m_bUseDefaultOnLoad = TRUE;
    BOOL m_bUseDefaultOnSave = TRUE;

protected:
    // The default that applies to a load or a save under the two flags.
    const void* LoadDefault(const void* pDefault) const { return m_bUseDefaultOnLoad ? pDefault : nullptr; }
    const void* SaveDefault(const void* pDefault) const { return m_bUseDefaultOnSave ? pDefault : nullptr; }

    BOOL m_bLoading = FALSE;
    UINT m_nSchema = kCurrentSchema;
    BOOL m_bChildExchange = FALSE;
    BOOL m_bEmptied = FALSE;
    BOOL m_bPrepared = FALSE;

private:
    CLVKPropExchange* m_pParentExchange = nullptr;
};

// Text forms shared by the text stores.
CString AFX_CDECL FormatDateTimeText(const COleDateTime& date);
BOOL AFX_CDECL ParseDateTimeText(LPCTSTR pszText, COleDateTime& date);
CString AFX_CDECL EncodeBytesAsLetters(const BYTE* pData, DWORD nBytes);
// pData null: allocated with malloc. Fails on an odd length or a buffer
// smaller than half the length (nBytes in: its size; out: bytes decoded).
BOOL AFX_CDECL DecodeLettersToBytes(LPCTSTR pszText, BYTE*& pData, DWORD& nBytes);
// Replaces every occurrence of pszOld in strText by pszNew.
void AFX_CDECL ReplaceAllText(CString& strText, LPCWSTR pszOld, LPCWSTR pszNew);
// Reverses the stored escapes (\\ \n \r \t) of a BSTR in place.
void AFX_CDECL UnescapeStoredText(BSTR& bstrText);
