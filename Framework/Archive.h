// CArchive: buffered binary serialisation over a CFile, in the classic
// archive layout (little-endian values, counts, class records, object tags).
#pragma once

#include "Collections.h"
#include "File.h"

#include <cstring>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

class CDocument;

class CArchive
{
public:
    enum Mode
    {
        store = 0,
        load = 1,
        bNoFlushOnDelete = 2,
        bNoByteSwap = 4
    };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    ~CArchive();

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }

    // Raw bytes. Read returns fewer bytes at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Storing: writes the buffer out. Loading: gives unread bytes back to the file.
    void Flush();
    void Close();
    void Abort();  // detaches from the file without writing anything

    // Counts: a WORD below 0xFFFF, else 0xFFFF and a DWORD.
    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    // Objects and class records; an object written twice is stored once and
    // referred to by its index afterwards.
    void WriteObject(const CObject* pOb);
    CObject* ReadObject(const CRuntimeClass* pClass);
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = NULL, UINT* pSchema = NULL,
                             DWORD* pObTag = NULL);
    void SerializeClass(const CRuntimeClass* pClassRef);
    // Enters an object in the map as if it had been written or read here.
    void MapObject(const CObject* pOb);
    // The stored schema of the object being read; -1 once taken.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }
    void SetStoreParams(UINT nHashSize = 2053, UINT nBlockSize = 128);
    void SetLoadParams(UINT nGrowBy = 1024);

    // Loading: makes nAdditionalBytesNeeded more bytes than are buffered
    // available at m_lpBufCur; throws endOfFile when the file has fewer.
    void FillBuffer(UINT nAdditionalBytesNeeded);

    CArchive& operator<<(BYTE by) { return WriteValue(by); }
    CArchive& operator<<(WORD w) { return WriteValue(w); }
    CArchive& operator<<(LONG l) { return WriteValue(l); }
    CArchive& operator<<(DWORD dw) { return WriteValue(dw); }
    CArchive& operator<<(float f) { return WriteValue(f); }
    CArchive& operator<<(double d) { return WriteValue(d); }
    CArchive& operator<<(LONGLONG dwdw) { return WriteValue(dwdw); }
    CArchive& operator<<(ULONGLONG dwdw) { return WriteValue(dwdw); }
    CArchive& operator<<(int i) { return WriteValue(static_cast<LONG>(i)); }
    CArchive& operator<<(short w) { return WriteValue(w); }
    CArchive& operator<<(char ch) { return WriteValue(ch); }
    CArchive& operator<<(wchar_t ch) { return WriteValue(ch); }
    CArchive& operator<<(unsigned u) { return WriteValue(static_cast<DWORD>(u)); }
    CArchive& operator<<(bool b) { return WriteValue(static_cast<BYTE>(b ? 1 : 0)); }

    CArchive& operator>>(BYTE& by) { return ReadValue(by); }
    CArchive& operator>>(WORD& w) { return ReadValue(w); }
    CArchive& operator>>(LONG& l) { return ReadValue(l); }
    CArchive& operator>>(DWORD& dw) { return ReadValue(dw); }
    CArchive& operator>>(float& f) { return ReadValue(f); }
    CArchive& operator>>(double& d) { return ReadValue(d); }
    CArchive& operator>>(LONGLONG& dwdw) { return ReadValue(dwdw); }
    CArchive& operator>>(ULONGLONG& dwdw) { return ReadValue(dwdw); }
    CArchive& operator>>(int& i) { return ReadValue(i); }
    CArchive& operator>>(short& w) { return ReadValue(w); }
    CArchive& operator>>(char& ch) { return ReadValue(ch); }
    CArchive& operator>>(wchar_t& ch) { return ReadValue(ch); }
    CArchive& operator>>(unsigned& u) { return ReadValue(u); }
    CArchive& operator>>(bool& b);

    friend CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb);
    friend CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb);
    friend CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb);

    CDocument* m_pDocument = nullptr;
    // The buffer window; loaders may peek at m_lpBufCur after FillBuffer.
    BYTE* m_lpBufCur = nullptr;
    BYTE* m_lpBufMax = nullptr;
    BYTE* m_lpBufStart = nullptr;
    CString m_strFileName;

private:
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    template <class T>
    CArchive& WriteValue(const T& value)
    {
        Write(&value, sizeof(T));
        return *this;
    }
    template <class T>
    CArchive& ReadValue(T& value)
    {
        if (m_lpBufCur + sizeof(T) > m_lpBufMax || !IsLoading())
            ReadExact(&value, sizeof(T));
        else
        {
            memcpy(&value, m_lpBufCur, sizeof(T));
            m_lpBufCur += sizeof(T);
        }
        return *this;
    }
    // Reads nCount bytes or throws the end-of-file archive exception.
    void ReadExact(void* lpBuf, UINT nCount);
    [[noreturn]] void Throw(int cause) const;
    void CheckLoading() const;
    void CheckStoring() const;

    struct LoadEntry
    {
        const void* p = nullptr;
        bool isClass = false;
        UINT nSchema = 0;
    };

    CFile* m_pFile = nullptr;
    UINT m_nMode = 0;
    UINT m_nBufSize = 0;
    std::unique_ptr<BYTE[]> m_ownBuffer;
    UINT m_nObjectSchema = static_cast<UINT>(-1);
    DWORD m_nMapCount = 1;  // index 0 is the null object
    UINT m_nHashSize = 2053;
    UINT m_nBlockSize = 128;
    UINT m_nGrowSize = 1024;
    std::unique_ptr<CMapPtrToPtr> m_pStoreMap;  // object or class -> index
    std::vector<LoadEntry> m_loadArray;
};

CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb);
CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb);
CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb);
// Points and sizes as two LONGs; rectangles as left, top, right, bottom.
CArchive& AFXAPI operator<<(CArchive& ar, POINT point);
CArchive& AFXAPI operator<<(CArchive& ar, SIZE size);
CArchive& AFXAPI operator<<(CArchive& ar, const RECT& rect);
CArchive& AFXAPI operator>>(CArchive& ar, POINT& point);
CArchive& AFXAPI operator>>(CArchive& ar, SIZE& size);
CArchive& AFXAPI operator>>(CArchive& ar, RECT& rect);

CArchive& AFXAPI operator<<(CArchive& ar, const CString& str);
CArchive& AFXAPI operator>>(CArchive& ar, CString& str);
CArchive& AFXAPI operator<<(CArchive& ar, const CStringA& str);
CArchive& AFXAPI operator>>(CArchive& ar, CStringA& str);

namespace AfxArchiveDetail
{
template <class T, class = void>
struct CanStream : std::false_type
{
};
template <class T>
struct CanStream<T, std::void_t<decltype(std::declval<CArchive&>() << std::declval<const T&>()),
                                decltype(std::declval<CArchive&>() >> std::declval<T&>())>> : std::true_type
{
};
}  // namespace AfxArchiveDetail

// Elements move as raw bytes when they are plain data, as objects when they
// point to CObjects, else through << and >>. Other pointers have no stored
// form: serialising them throws CNotSupportedException*.
template <class TYPE>
void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    if (nCount <= 0)
        return;
    if constexpr (std::is_pointer_v<TYPE>)
    {
        using Pointee = std::remove_cv_t<std::remove_pointer_t<TYPE>>;
        if constexpr (std::is_base_of_v<CObject, Pointee>)
        {
            for (INT_PTR i = 0; i < nCount; ++i)
            {
                if (ar.IsStoring())
                {
                    ar.WriteObject(pElements[i]);
                    continue;
                }
                CObject* pOb = ar.ReadObject(NULL);
                Pointee* p = dynamic_cast<Pointee*>(pOb);
                if (pOb && !p)
                    AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
                pElements[i] = p;
            }
        }
        else
        {
            AfxThrowNotSupportedException();
        }
    }
    else if constexpr (std::is_trivially_copyable_v<TYPE> && !AfxArchiveDetail::CanStream<TYPE>::value)
    {
        const UINT nBytes = static_cast<UINT>(nCount) * static_cast<UINT>(sizeof(TYPE));
        if (ar.IsStoring())
            ar.Write(pElements, nBytes);
        else if (ar.Read(pElements, nBytes) != nBytes)
            AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    }
    else if constexpr (AfxArchiveDetail::CanStream<TYPE>::value)
    {
        for (INT_PTR i = 0; i < nCount; ++i)
        {
            if (ar.IsStoring())
                ar << pElements[i];
            else
                ar >> pElements[i];
        }
    }
    else
    {
        AfxThrowNotSupportedException();
    }
}

// Loads grow chunk by chunk, so a damaged count ends at the end of the data
// instead of reserving memory for elements that are not there.
template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteCount(static_cast<DWORD_PTR>(GetSize()));
        SerializeElements<TYPE>(ar, GetData(), GetSize());
        return;
    }
    const DWORD_PTR nCount = ar.ReadCount();
    RemoveAll();
    INT_PTR nLoaded = 0;
    while (static_cast<DWORD_PTR>(nLoaded) < nCount)
    {
        const INT_PTR nChunk = static_cast<INT_PTR>(std::min<DWORD_PTR>(nCount - nLoaded, 4096));
        SetSize(nLoaded + nChunk);
        SerializeElements<TYPE>(ar, GetData() + nLoaded, nChunk);
        nLoaded += nChunk;
    }
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
        for (CNode* p = m_pNodeHead; p; p = p->pNext)
            SerializeElements<TYPE>(ar, &p->data, 1);
        return;
    }
    RemoveAll();
    for (DWORD_PTR n = ar.ReadCount(); n > 0; --n)
    {
        TYPE value{};
        SerializeElements<TYPE>(ar, &value, 1);
        AddTail(value);
    }
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
        for (CAssoc* p = FirstFrom(0); p; p = NextAfter(p))
        {
            SerializeElements<KEY>(ar, const_cast<KEY*>(&p->key), 1);
            SerializeElements<VALUE>(ar, &p->value, 1);
        }
        return;
    }
    RemoveAll();
    for (DWORD_PTR n = ar.ReadCount(); n > 0; --n)
    {
        KEY key{};
        VALUE value{};
        SerializeElements<KEY>(ar, &key, 1);
        SerializeElements<VALUE>(ar, &value, 1);
        SetAt(key, value);
    }
}
