// Property exchange over a framework binary archive: values follow each
// other in the order the routine exchanges them, without names or defaults.
#pragma once

#include "Foundation/PropExchange.h"

class CLVKPropExchangeArchive : public CLVKPropExchange
{
    DECLARE_DYNAMIC(CLVKPropExchangeArchive)

public:
    // Marks a schema record; archives written before records existed read as schema 17.
    static const DWORD kSchemaMagic = 0x0FF0ADBF;
    static const UINT kSchemaBeforeRecords = 17;

    // The archive is not owned and must outlive the exchange.
    explicit CLVKPropExchangeArchive(CArchive& ar);

    CArchive& GetArchive() const { return m_ar; }

    BOOL ExchangeValue(LPCTSTR pszKey, int nType, void* pValue, const void* pDefault) override;
    BOOL ExchangeBlob(LPCTSTR pszKey, BYTE*& pData, DWORD& nBytes) override;
    BOOL ExchangeClassName(LPCTSTR pszKey, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass) override;
    BOOL ExchangeObjectClass(CObject*& pObject, CRuntimeClass* pBaseClass) override;
    CArchive* OpenArchive(LPCTSTR pszKey) override;
    void CloseArchive(LPCTSTR pszKey, CArchive* pArchive) override;
    CLVKPropExchange* OpenSection(LPCTSTR pszSection) override;
    void StoreCount(DWORD nCount) override;
    DWORD LoadCount() override;
    BOOL WriteBlock(LPCTSTR pszKey, const BYTE* pData, DWORD nBytes) override;
    DWORD ReadBlock(LPCTSTR pszKey, BYTE* pBuffer, DWORD nBytes) override;
    BOOL CanSkipValues() override { return FALSE; }
    BOOL PrefersBinaryObjects() override { return TRUE; }
    void ExchangeSchema() override;

private:
    // Bytes the stream still holds (buffered and in the file), or ULONGLONG
    // max when the file cannot tell.
    ULONGLONG BytesLeft() const;

    CArchive& m_ar;
};
