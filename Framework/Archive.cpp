#include "Framework.h"

namespace
{
// Object and class tags of the archive layout.
const WORD wNullTag = 0;
const WORD wNewClassTag = 0xFFFF;
const WORD wClassTag = 0x8000;
const WORD wBigObjectTag = 0x7FFF;
const DWORD dwBigClassTag = 0x80000000;
const DWORD nMaxMapCount = 0x3FFFFFFE;
const UINT nMaxClassName = 64;
}  // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf) : m_pFile(pFile), m_nMode(nMode)
{
    if (!pFile)
        AfxThrowInvalidArgException();
    m_nBufSize = static_cast<UINT>(std::max(nBufSize, 128));
    if (lpBuf && nBufSize >= 128)
    {
        m_lpBufStart = static_cast<BYTE*>(lpBuf);
    }
    else
    {
        m_ownBuffer.reset(new BYTE[m_nBufSize]);
        m_lpBufStart = m_ownBuffer.get();
    }
    m_lpBufCur = m_lpBufStart;
    // Storing fills the buffer up to its end; loading finds it empty.
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
    m_strFileName = pFile->GetFilePath();
}

CArchive::~CArchive()
{
    if (!m_pFile)
        return;
    if (m_nMode & bNoFlushOnDelete)
    {
        Abort();
        return;
    }
    // A destructor cannot report a failed write; Close() is the way to see one.
    try
    {
        Close();
    }
    catch (CException* e)
    {
        e->Delete();
        Abort();
    }
}

void CArchive::Throw(int cause) const
{
    AfxThrowArchiveException(cause, m_strFileName);
}

void CArchive::CheckLoading() const
{
    if (!IsLoading())
        Throw(CArchiveException::writeOnly);
}

void CArchive::CheckStoring() const
{
    if (!IsStoring())
        Throw(CArchiveException::readOnly);
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    CheckLoading();
    if (nMax == 0)
        return 0;
    if (!lpBuf || !m_pFile)
        AfxThrowInvalidArgException();
    BYTE* pOut = static_cast<BYTE*>(lpBuf);
    UINT nLeft = nMax;
    while (nLeft > 0)
    {
        const UINT nBuffered = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
        if (nBuffered > 0)
        {
            const UINT n = std::min(nBuffered, nLeft);
            memcpy(pOut, m_lpBufCur, n);
            m_lpBufCur += n;
            pOut += n;
            nLeft -= n;
            continue;
        }
        // Large reads go straight to the file; small ones refill the buffer.
        if (nLeft >= m_nBufSize)
        {
            const UINT n = m_pFile->Read(pOut, nLeft);
            if (n == 0)
                break;
            pOut += n;
            nLeft -= n;
            continue;
        }
        const UINT n = m_pFile->Read(m_lpBufStart, m_nBufSize);
        m_lpBufCur = m_lpBufStart;
        m_lpBufMax = m_lpBufStart + n;
        if (n == 0)
            break;
    }
    return nMax - nLeft;
}

void CArchive::ReadExact(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        Throw(CArchiveException::endOfFile);
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    CheckStoring();
    if (nMax == 0)
        return;
    if (!lpBuf || !m_pFile)
        AfxThrowInvalidArgException();
    const BYTE* pIn = static_cast<const BYTE*>(lpBuf);
    const UINT nRoom = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
    if (nMax <= nRoom)
    {
        memcpy(m_lpBufCur, pIn, nMax);
        m_lpBufCur += nMax;
        return;
    }
    Flush();
    if (nMax >= m_nBufSize)
    {
        m_pFile->Write(pIn, nMax);
        return;
    }
    memcpy(m_lpBufCur, pIn, nMax);
    m_lpBufCur += nMax;
}

void CArchive::Flush()
{
    if (!m_pFile)
        return;
    if (IsStoring())
    {
        const UINT n = static_cast<UINT>(m_lpBufCur - m_lpBufStart);
        if (n > 0)
            m_pFile->Write(m_lpBufStart, n);
        m_lpBufCur = m_lpBufStart;
        return;
    }
    const UINT nUnread = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
    if (nUnread > 0)
        m_pFile->Seek(-static_cast<LONGLONG>(nUnread), CFile::current);
    m_lpBufCur = m_lpBufMax = m_lpBufStart;
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_pFile = nullptr;
}

void CArchive::FillBuffer(UINT nAdditionalBytesNeeded)
{
    CheckLoading();
    if (!m_pFile)
        Throw(CArchiveException::genericException);
    const UINT nBuffered = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
    if (nAdditionalBytesNeeded > m_nBufSize - nBuffered)
        Throw(CArchiveException::bufferFull);
    // Unread bytes move to the front, then the file tops the buffer up.
    if (m_lpBufCur != m_lpBufStart && nBuffered > 0)
        memmove(m_lpBufStart, m_lpBufCur, nBuffered);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + nBuffered;
    UINT nHave = 0;
    while (nHave < nAdditionalBytesNeeded)
    {
        const UINT nRoom = m_nBufSize - static_cast<UINT>(m_lpBufMax - m_lpBufStart);
        const UINT n = m_pFile->Read(m_lpBufMax, nRoom);
        if (n == 0)
            Throw(CArchiveException::endOfFile);
        m_lpBufMax += n;
        nHave += n;
    }
}

CArchive& CArchive::operator>>(bool& b)
{
    BYTE by = 0;
    ReadValue(by);
    b = by != 0;
    return *this;
}

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF)
    {
        *this << static_cast<WORD>(dwCount);
        return;
    }
    *this << static_cast<WORD>(0xFFFF);
    if (static_cast<ULONGLONG>(dwCount) < 0xFFFFFFFF)
    {
        *this << static_cast<DWORD>(dwCount);
        return;
    }
    // 0xFFFFFFFF itself and more (a 64-bit program's counts) escape again to
    // a 64-bit count, which is how ReadCount reads them.
    *this << static_cast<DWORD>(0xFFFFFFFF);
    *this << static_cast<ULONGLONG>(dwCount);
}

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount = 0;
    *this >> wCount;
    if (wCount != 0xFFFF)
        return wCount;
    DWORD dwCount = 0;
    *this >> dwCount;
    if (dwCount != 0xFFFFFFFF)
        return dwCount;
    // A 64-bit count; a 32-bit program cannot hold more than 32 bits of it.
    ULONGLONG qwCount = 0;
    *this >> qwCount;
    if (qwCount > static_cast<DWORD_PTR>(-1))
        Throw(CArchiveException::badIndex);
    return static_cast<DWORD_PTR>(qwCount);
}

void CArchive::SetStoreParams(UINT nHashSize, UINT nBlockSize)
{
    if (m_pStoreMap)
        return;
    m_nHashSize = nHashSize ? nHashSize : 2053;
    m_nBlockSize = nBlockSize ? nBlockSize : 128;
}

void CArchive::SetLoadParams(UINT nGrowBy)
{
    m_nGrowSize = nGrowBy ? nGrowBy : 1024;
}

UINT CArchive::GetObjectSchema()
{
    const UINT nSchema = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1);
    return nSchema;
}

void CArchive::MapObject(const CObject* pOb)
{
    if (IsStoring())
    {
        if (!pOb)
            return;
        if (!m_pStoreMap)
        {
            m_pStoreMap.reset(new CMapPtrToPtr(static_cast<INT_PTR>(m_nBlockSize)));
            m_pStoreMap->InitHashTable(m_nHashSize);
        }
        void* key = const_cast<CObject*>(pOb);
        void* existing = nullptr;
        if (!m_pStoreMap->Lookup(key, existing))
        {
            if (m_nMapCount >= nMaxMapCount)
                Throw(CArchiveException::badIndex);
            m_pStoreMap->SetAt(key, reinterpret_cast<void*>(static_cast<DWORD_PTR>(m_nMapCount++)));
        }
        return;
    }
    if (m_loadArray.empty())
    {
        m_loadArray.reserve(m_nGrowSize);
        m_loadArray.push_back(LoadEntry{});
    }
    if (m_nMapCount >= nMaxMapCount)
        Throw(CArchiveException::badIndex);
    m_loadArray.push_back(LoadEntry{pOb, false, 0});
    ++m_nMapCount;
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    CheckStoring();
    if (!pClassRef)
        AfxThrowInvalidArgException();
    if (pClassRef->m_wSchema == 0xFFFF)
        AfxThrowNotSupportedException();
    if (!m_pStoreMap)
    {
        m_pStoreMap.reset(new CMapPtrToPtr(static_cast<INT_PTR>(m_nBlockSize)));
        m_pStoreMap->InitHashTable(m_nHashSize);
    }
    void* key = const_cast<CRuntimeClass*>(pClassRef);
    void* value = nullptr;
    if (m_pStoreMap->Lookup(key, value))
    {
        const DWORD nClassIndex = static_cast<DWORD>(reinterpret_cast<DWORD_PTR>(value));
        if (nClassIndex < wBigObjectTag)
        {
            *this << static_cast<WORD>(wClassTag | nClassIndex);
        }
        else
        {
            *this << wBigObjectTag;
            *this << static_cast<DWORD>(dwBigClassTag | nClassIndex);
        }
        return;
    }
    *this << wNewClassTag;
    pClassRef->Store(*this);
    if (m_nMapCount >= nMaxMapCount)
        Throw(CArchiveException::badIndex);
    m_pStoreMap->SetAt(key, reinterpret_cast<void*>(static_cast<DWORD_PTR>(m_nMapCount++)));
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    CheckLoading();
    // The requested class may be any base, serialisable or not ("a shape of
    // some kind"); only the stored class itself must be creatable.
    if (m_loadArray.empty())
    {
        m_loadArray.reserve(m_nGrowSize);
        m_loadArray.push_back(LoadEntry{});
    }

    WORD wTag = 0;
    *this >> wTag;
    DWORD obTag = 0;
    if (wTag == wBigObjectTag)
        *this >> obTag;
    else
        obTag = (static_cast<DWORD>(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

    CRuntimeClass* pClassRef = nullptr;
    UINT nSchema = 0;
    if (wTag == wNewClassTag)
    {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        // Only a serialisable class may be named by a stream: a class that is
        // merely creatable (schema 0xFFFF) is never built from file data.
        if (!pClassRef || pClassRef->m_wSchema == 0xFFFF)
            Throw(CArchiveException::badClass);
        // A stored schema other than the class's own is readable only by a
        // class that declares itself versionable.
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema && !(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
            Throw(CArchiveException::badSchema);
        if (m_nMapCount >= nMaxMapCount)
            Throw(CArchiveException::badIndex);
        m_loadArray.push_back(LoadEntry{pClassRef, true, nSchema});
        ++m_nMapCount;
    }
    else if (!(obTag & dwBigClassTag))
    {
        // An object tag: the caller resolves it.
        if (!pObTag)
            Throw(CArchiveException::badIndex);
        *pObTag = obTag;
        return nullptr;
    }
    else
    {
        const DWORD nClassIndex = obTag & ~dwBigClassTag;
        if (nClassIndex == 0 || nClassIndex >= m_loadArray.size() || !m_loadArray[nClassIndex].isClass)
            Throw(CArchiveException::badIndex);
        const LoadEntry& entry = m_loadArray[nClassIndex];
        pClassRef = static_cast<CRuntimeClass*>(const_cast<void*>(entry.p));
        nSchema = entry.nSchema;
    }

    if (pClassRefRequested && !pClassRef->IsDerivedFrom(pClassRefRequested))
        Throw(CArchiveException::badClass);
    if (pSchema)
        *pSchema = nSchema;
    else
        m_nObjectSchema = nSchema;
    if (pObTag)
        *pObTag = obTag;
    return pClassRef;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef);
}

void CArchive::WriteObject(const CObject* pOb)
{
    CheckStoring();
    if (!pOb)
    {
        *this << wNullTag;
        return;
    }
    if (!m_pStoreMap)
    {
        m_pStoreMap.reset(new CMapPtrToPtr(static_cast<INT_PTR>(m_nBlockSize)));
        m_pStoreMap->InitHashTable(m_nHashSize);
    }
    void* value = nullptr;
    if (m_pStoreMap->Lookup(const_cast<CObject*>(pOb), value))
    {
        const DWORD nObIndex = static_cast<DWORD>(reinterpret_cast<DWORD_PTR>(value));
        if (nObIndex < wBigObjectTag)
        {
            *this << static_cast<WORD>(nObIndex);
        }
        else
        {
            *this << wBigObjectTag;
            *this << nObIndex;
        }
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    // Mapped before its contents, so objects that point back to it while
    // being written refer to this one.
    MapObject(pOb);
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);
    if (!pClassRef)
    {
        if (obTag == wNullTag)
            return nullptr;
        if (obTag >= m_loadArray.size() || m_loadArray[obTag].isClass)
            Throw(CArchiveException::badIndex);
        CObject* pOb = static_cast<CObject*>(const_cast<void*>(m_loadArray[obTag].p));
        if (pOb && pClassRefRequested && !pOb->IsKindOf(pClassRefRequested))
            Throw(CArchiveException::badClass);
        return pOb;
    }

    CObject* pOb = pClassRef->CreateObject();
    if (!pOb)
        Throw(CArchiveException::badClass);
    const size_t nIndex = m_loadArray.size();
    MapObject(pOb);
    const UINT nOldSchema = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    try
    {
        pOb->Serialize(*this);
    }
    catch (...)
    {
        // The half-read object is not handed to anybody: free it here.
        m_loadArray[nIndex].p = nullptr;
        m_nObjectSchema = nOldSchema;
        delete pOb;
        throw;
    }
    m_nObjectSchema = nOldSchema;
    return pOb;
}

void CRuntimeClass::Store(CArchive& ar) const
{
    const WORD nLen = static_cast<WORD>(strlen(m_lpszClassName));
    ar << static_cast<WORD>(m_wSchema);
    ar << nLen;
    ar.Write(m_lpszClassName, nLen);
}

CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wSchema = 0;
    WORD nLen = 0;
    ar >> wSchema;
    ar >> nLen;
    if (pwSchemaNum)
        *pwSchemaNum = wSchema;
    char name[nMaxClassName];
    if (nLen >= nMaxClassName || ar.Read(name, nLen) != nLen)
        return nullptr;
    name[nLen] = '\0';
    return FromName(name);
}

CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb)
{
    pOb = ar.ReadObject(NULL);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb)
{
    pOb = ar.ReadObject(NULL);
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, POINT point)
{
    return ar << point.x << point.y;
}

CArchive& AFXAPI operator<<(CArchive& ar, SIZE size)
{
    return ar << size.cx << size.cy;
}

CArchive& AFXAPI operator<<(CArchive& ar, const RECT& rect)
{
    return ar << rect.left << rect.top << rect.right << rect.bottom;
}

CArchive& AFXAPI operator>>(CArchive& ar, POINT& point)
{
    return ar >> point.x >> point.y;
}

CArchive& AFXAPI operator>>(CArchive& ar, SIZE& size)
{
    return ar >> size.cx >> size.cy;
}

CArchive& AFXAPI operator>>(CArchive& ar, RECT& rect)
{
    return ar >> rect.left >> rect.top >> rect.right >> rect.bottom;
}

// Strings: a length prefix (BYTE below 0xFF, else 0xFF and a WORD below
// 0xFFFF, else 0xFFFF and a DWORD), wide strings marked by 0xFF 0xFFFE first.
namespace
{
void WriteStringLength(CArchive& ar, DWORD nLength, bool bUnicode)
{
    if (bUnicode)
    {
        ar << static_cast<BYTE>(0xFF);
        ar << static_cast<WORD>(0xFFFE);
    }
    if (nLength < 0xFF)
    {
        ar << static_cast<BYTE>(nLength);
    }
    else if (nLength < 0xFFFE)
    {
        ar << static_cast<BYTE>(0xFF);
        ar << static_cast<WORD>(nLength);
    }
    else
    {
        ar << static_cast<BYTE>(0xFF);
        ar << static_cast<WORD>(0xFFFF);
        ar << nLength;
    }
}

DWORD ReadStringLength(CArchive& ar, bool& bUnicode)
{
    bUnicode = false;
    BYTE bLen = 0;
    ar >> bLen;
    if (bLen < 0xFF)
        return bLen;
    WORD wLen = 0;
    ar >> wLen;
    if (wLen == 0xFFFE)
    {
        bUnicode = true;
        ar >> bLen;
        if (bLen < 0xFF)
            return bLen;
        ar >> wLen;
    }
    if (wLen < 0xFFFF)
        return wLen;
    DWORD dwLen = 0;
    ar >> dwLen;
    return dwLen;
}

// Read in pieces: a damaged length ends at the end of the data, not in a
// huge allocation.
template <class CHAR>
void ReadChars(CArchive& ar, std::basic_string<CHAR>& out, DWORD nLength)
{
    out.clear();
    const DWORD nChunk = 16384;
    while (out.size() < nLength)
    {
        const DWORD n = std::min<DWORD>(nChunk, nLength - static_cast<DWORD>(out.size()));
        const size_t old = out.size();
        out.resize(old + n);
        const UINT nBytes = n * sizeof(CHAR);
        if (ar.Read(&out[old], nBytes) != nBytes)
            AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    }
}
}  // namespace

CArchive& AFXAPI operator<<(CArchive& ar, const CString& str)
{
    const DWORD nLength = static_cast<DWORD>(str.GetLength());
    WriteStringLength(ar, nLength, true);
    ar.Write(str.GetString(), nLength * sizeof(wchar_t));
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CString& str)
{
    bool bUnicode = false;
    const DWORD nLength = ReadStringLength(ar, bUnicode);
    if (bUnicode)
    {
        std::wstring text;
        ReadChars(ar, text, nLength);
        str = CString(text);
    }
    else
    {
        std::string text;
        ReadChars(ar, text, nLength);
        str = CString(CStringA(text.c_str(), static_cast<int>(text.size())));
    }
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CStringA& str)
{
    const DWORD nLength = static_cast<DWORD>(str.GetLength());
    WriteStringLength(ar, nLength, false);
    ar.Write(str.GetString(), nLength);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CStringA& str)
{
    bool bUnicode = false;
    const DWORD nLength = ReadStringLength(ar, bUnicode);
    if (bUnicode)
    {
        std::wstring text;
        ReadChars(ar, text, nLength);
        str = CStringA(CString(text));
    }
    else
    {
        std::string text;
        ReadChars(ar, text, nLength);
        str = CStringA(text.c_str(), static_cast<int>(text.size()));
    }
    return ar;
}
