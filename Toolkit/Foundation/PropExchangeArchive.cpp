#include "Foundation/PropExchangeArchive.h"

#include <cstdlib>
#include <limits>

IMPLEMENT_DYNAMIC(CLVKPropExchangeArchive, CLVKPropExchange)

CLVKPropExchangeArchive::CLVKPropExchangeArchive(CArchive& ar) : m_ar(ar)
{
    m_bLoading = ar.IsLoading();
}

BOOL CLVKPropExchangeArchive::ExchangeValue(LPCTSTR, int nType, void* pValue, const void*)
{
    if (!pValue)
        return FALSE;
    const bool bLoad = m_bLoading != FALSE;
    switch (nType)
    {
    case PX_SHORT:
        bLoad ? (void)(m_ar >> *static_cast<short*>(pValue)) : (void)(m_ar << *static_cast<short*>(pValue));
        break;
    case PX_INT:
    case PX_BOOL:
        bLoad ? (void)(m_ar >> *static_cast<LONG*>(pValue)) : (void)(m_ar << *static_cast<LONG*>(pValue));
        break;
    case PX_FLOAT:
        bLoad ? (void)(m_ar >> *static_cast<float*>(pValue)) : (void)(m_ar << *static_cast<float*>(pValue));
        break;
    case PX_DOUBLE:
        bLoad ? (void)(m_ar >> *static_cast<double*>(pValue)) : (void)(m_ar << *static_cast<double*>(pValue));
        break;
    case PX_CURRENCY:
    {
        CY& cy = *static_cast<CY*>(pValue);
        if (bLoad)
            m_ar >> cy.Lo >> reinterpret_cast<LONG&>(cy.Hi);
        else
            m_ar << cy.Lo << static_cast<LONG>(cy.Hi);
        break;
    }
    case PX_DATETIME:
    {
        COleDateTime& date = *static_cast<COleDateTime*>(pValue);
        if (bLoad)
        {
            LONG nStatus = 0;
            double dt = 0;
            m_ar >> nStatus >> dt;
            date.SetStatus(static_cast<COleDateTime::DateTimeStatus>(nStatus));
            date.m_dt = dt;
        }
        else
        {
            m_ar << static_cast<LONG>(date.GetStatus()) << static_cast<double>(date.m_dt);
        }
        break;
    }
    case PX_VARIANT:
    {
        VARIANT& var = *static_cast<VARIANT*>(pValue);
        if (bLoad)
        {
            COleVariant varLoaded;
            m_ar >> varLoaded;
            ::VariantClear(&var);
            var = varLoaded.Detach();
        }
        else
        {
            m_ar << COleVariant(var);
        }
        break;
    }
    case PX_BYTE:
        bLoad ? (void)(m_ar >> *static_cast<BYTE*>(pValue)) : (void)(m_ar << *static_cast<BYTE*>(pValue));
        break;
    case PX_STRING:
        bLoad ? (void)(m_ar >> *static_cast<CString*>(pValue)) : (void)(m_ar << *static_cast<CString*>(pValue));
        break;
    case PX_RECT:
    {
        RECT& rc = *static_cast<RECT*>(pValue);
        if (bLoad)
            m_ar >> rc.left >> rc.top >> rc.right >> rc.bottom;
        else
            m_ar << rc.left << rc.top << rc.right << rc.bottom;
        break;
    }
    case PX_SIZE:
    {
        SIZE& sz = *static_cast<SIZE*>(pValue);
        if (bLoad)
            m_ar >> sz.cx >> sz.cy;
        else
            m_ar << sz.cx << sz.cy;
        break;
    }
    default:
        // BSTRs and unknown codes have no place in the stream.
        break;
    }
    return TRUE;
}

ULONGLONG CLVKPropExchangeArchive::BytesLeft() const
{
    CFile* pFile = m_ar.GetFile();
    if (!pFile)
        return 0;
    const ULONGLONG nBuffered = static_cast<ULONGLONG>(m_ar.m_lpBufMax - m_ar.m_lpBufCur);
    try
    {
        const ULONGLONG nLength = pFile->GetLength();
        const ULONGLONG nPosition = pFile->GetPosition();
        return nBuffered + (nLength > nPosition ? nLength - nPosition : 0);
    }
    catch (CException* e)
    {
        e->Delete();
        return std::numeric_limits<ULONGLONG>::max();
    }
}

BOOL CLVKPropExchangeArchive::ExchangeBlob(LPCTSTR, BYTE*& pData, DWORD& nBytes)
{
    if (!m_bLoading)
    {
        const DWORD n = pData ? nBytes : 0;
        m_ar.WriteCount(n);
        if (n)
            m_ar.Write(pData, n);
        return TRUE;
    }
    const DWORD nCount = static_cast<DWORD>(m_ar.ReadCount());
    if (pData && nBytes < nCount)
        return FALSE;
    // The stored count is not trusted: a block longer than what is left of
    // the stream is damaged, and nothing is allocated for it.
    if (nCount > BytesLeft())
        return FALSE;
    BYTE* pBuffer = pData;
    if (!pBuffer)
    {
        pBuffer = static_cast<BYTE*>(malloc(nCount ? nCount : 1));
        if (!pBuffer)
            return FALSE;
    }
    const UINT nRead = nCount ? m_ar.Read(pBuffer, nCount) : 0;
    if (!pData)
        pData = pBuffer;
    nBytes = nCount;
    return nRead == nCount;
}

BOOL CLVKPropExchangeArchive::ExchangeClassName(LPCTSTR, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass)
{
    if (!m_bLoading)
    {
        m_ar.WriteClass(pClass);
        return TRUE;
    }
    UINT nSchema = 0;
    pClass = m_ar.ReadClass(pDefaultClass, &nSchema);
    if (pClass)
        m_nSchema = nSchema;
    return pClass != nullptr;
}

BOOL CLVKPropExchangeArchive::ExchangeObjectClass(CObject*& pObject, CRuntimeClass* pBaseClass)
{
    const BOOL bResult = CLVKPropExchange::ExchangeObjectClass(pObject, pBaseClass);
    if (bResult && pObject)
        m_ar.MapObject(pObject);
    return bResult;
}

CArchive* CLVKPropExchangeArchive::OpenArchive(LPCTSTR)
{
    return &m_ar;
}

void CLVKPropExchangeArchive::CloseArchive(LPCTSTR, CArchive*)
{
}

CLVKPropExchange* CLVKPropExchangeArchive::OpenSection(LPCTSTR)
{
    CLVKPropExchangeArchive* pSection = new CLVKPropExchangeArchive(m_ar);
    pSection->InheritFrom(this);
    return pSection;
}

void CLVKPropExchangeArchive::StoreCount(DWORD nCount)
{
    m_ar.WriteCount(nCount);
}

DWORD CLVKPropExchangeArchive::LoadCount()
{
    return static_cast<DWORD>(m_ar.ReadCount());
}

BOOL CLVKPropExchangeArchive::WriteBlock(LPCTSTR, const BYTE* pData, DWORD nBytes)
{
    if (pData && nBytes)
        m_ar.Write(pData, nBytes);
    return TRUE;
}

DWORD CLVKPropExchangeArchive::ReadBlock(LPCTSTR, BYTE* pBuffer, DWORD nBytes)
{
    if (!pBuffer || nBytes == 0)
        return 0;
    return m_ar.Read(pBuffer, nBytes);
}

void CLVKPropExchangeArchive::ExchangeSchema()
{
    if (!m_bLoading)
    {
        m_ar << static_cast<DWORD>(kSchemaMagic) << static_cast<DWORD>(m_nSchema);
        return;
    }
    // Peek at the next four bytes without consuming them: a stream without
    // a record (or too short to hold one) is an older one and keeps its bytes.
    const UINT nBuffered = static_cast<UINT>(m_ar.m_lpBufMax - m_ar.m_lpBufCur);
    if (nBuffered < sizeof(DWORD))
    {
        try
        {
            m_ar.FillBuffer(sizeof(DWORD) - nBuffered);
        }
        catch (CArchiveException* e)
        {
            e->Delete();
        }
    }
    DWORD dwMagic = 0;
    if (m_ar.m_lpBufMax - m_ar.m_lpBufCur < static_cast<ptrdiff_t>(sizeof(DWORD)) ||
        (memcpy(&dwMagic, m_ar.m_lpBufCur, sizeof(DWORD)), dwMagic != kSchemaMagic))
    {
        m_nSchema = kSchemaBeforeRecords;
        return;
    }
    m_ar.m_lpBufCur += sizeof(DWORD);
    DWORD dwSchema = 0;
    m_ar >> dwSchema;
    m_nSchema = dwSchema;
}
