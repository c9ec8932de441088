// CMap, a hash map with a fixed number of buckets whose nodes come from
// blocks (CPlex), and the named maps.
#pragma once

#include "Object.h"
#include "Exceptions.h"
#include "String.h"
#include "Plex.h"

#include <new>
#include <type_traits>

// Hash of 32-bit keys: (key * 16807) mod (2^31 - 1), the key read as a signed
// 32-bit value. Wider keys fold their halves first.
inline UINT AFXAPI AfxHashLong(long key)
{
    long long r = (static_cast<long long>(key) * 16807) % 2147483647LL;
    if (r < 0)
        r += 2147483647LL;
    return static_cast<UINT>(r);
}

template <class ARG_KEY>
UINT AFXAPI HashKey(ARG_KEY key)
{
    using K = std::decay_t<ARG_KEY>;
    if constexpr (std::is_pointer_v<K>)
    {
        return AfxHashLong(static_cast<long>(reinterpret_cast<DWORD_PTR>(key)));
    }
    else if constexpr (sizeof(K) > 4)
    {
        const unsigned long long v = static_cast<unsigned long long>(key);
        return AfxHashLong(static_cast<long>(static_cast<DWORD>(v) ^ static_cast<DWORD>(v >> 32)));
    }
    else
    {
        return AfxHashLong(static_cast<long>(key));
    }
}

UINT AFXAPI HashKey(LPCWSTR key);
UINT AFXAPI HashKey(LPCSTR key);
inline UINT AFXAPI HashKey(const CString& key)
{
    return HashKey(key.GetString());
}
inline UINT AFXAPI HashKey(LPWSTR key)
{
    return HashKey(static_cast<LPCWSTR>(key));
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
public:
    typedef KEY BASE_KEY;
    typedef ARG_KEY BASE_ARG_KEY;
    typedef VALUE BASE_VALUE;
    typedef ARG_VALUE BASE_ARG_VALUE;

    class CPair
    {
    public:
        const KEY key;
        VALUE value;

    protected:
        explicit CPair(ARG_KEY keyval) : key(keyval), value() {}
    };

    explicit CMap(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Sets the number of buckets; only while the map is empty. A prime near
    // 120% of the expected count keeps the chains short.
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
    const CPair* PLookup(ARG_KEY key) const { return GetAssocAt(key); }
    CPair* PLookup(ARG_KEY key) { return GetAssocAt(key); }
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    // Iteration runs bucket by bucket, newest first within a bucket.
    POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;
    const CPair* PGetFirstAssoc() const { return FirstFrom(0); }
    CPair* PGetFirstAssoc() { return FirstFrom(0); }
    const CPair* PGetNextAssoc(const CPair* pAssoc) const { return NextAfter(static_cast<const CAssoc*>(pAssoc)); }
    CPair* PGetNextAssoc(const CPair* pAssoc) { return NextAfter(static_cast<const CAssoc*>(pAssoc)); }

    void Serialize(CArchive& ar) override;  // defined in Archive.h

private:
    class CAssoc : public CPair
    {
    public:
        explicit CAssoc(ARG_KEY keyval) : CPair(keyval) {}
        CAssoc* pNext = nullptr;
        UINT nHashValue = 0;
    };

    CAssoc* GetAssocAt(ARG_KEY key, UINT* pnBucket = nullptr, UINT* pnHash = nullptr) const;
    CAssoc* NewAssoc(ARG_KEY key);
    void FreeAssoc(CAssoc* pAssoc);
    CAssoc* FirstFrom(UINT nBucket) const;
    CAssoc* NextAfter(const CAssoc* pAssoc) const;

    CAssoc** m_pHashTable = nullptr;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
    // Free nodes are linked through their storage, as raw memory.
    void* m_pFreeList = nullptr;
    CPlex* m_pBlocks = nullptr;
    INT_PTR m_nBlockSize;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT hashSize, BOOL bAllocNow)
{
    if (m_nCount != 0 || hashSize == 0)
        AfxThrowInvalidArgException();
    delete[] m_pHashTable;
    m_pHashTable = nullptr;
    if (bAllocNow)
        m_pHashTable = new CAssoc*[hashSize]();
    m_nHashTableSize = hashSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    if (m_pHashTable)
    {
        for (UINT n = 0; n < m_nHashTableSize; ++n)
        {
            for (CAssoc* p = m_pHashTable[n]; p; p = p->pNext)
                p->~CAssoc();
        }
        delete[] m_pHashTable;
        m_pHashTable = nullptr;
    }
    m_nCount = 0;
    m_pFreeList = nullptr;
    if (m_pBlocks)
        m_pBlocks->FreeDataChain();
    m_pBlocks = nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::NewAssoc(ARG_KEY key)
{
    if (!m_pFreeList)
    {
        CPlex* pBlock = CPlex::Create(m_pBlocks, static_cast<UINT_PTR>(m_nBlockSize), sizeof(CAssoc));
        BYTE* p = static_cast<BYTE*>(pBlock->data()) + (m_nBlockSize - 1) * sizeof(CAssoc);
        for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i, p -= sizeof(CAssoc))
        {
            *reinterpret_cast<void**>(p) = m_pFreeList;
            m_pFreeList = p;
        }
    }
    void* pRaw = m_pFreeList;
    void* pNextFree = *static_cast<void**>(pRaw);
    CAssoc* pAssoc = ::new (pRaw) CAssoc(key);
    m_pFreeList = pNextFree;
    ++m_nCount;
    return pAssoc;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FreeAssoc(CAssoc* pAssoc)
{
    pAssoc->~CAssoc();
    *reinterpret_cast<void**>(pAssoc) = m_pFreeList;
    m_pFreeList = pAssoc;
    if (--m_nCount == 0)
        RemoveAll();
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetAssocAt(ARG_KEY key, UINT* pnBucket, UINT* pnHash) const
{
    const UINT nHash = HashKey(key);
    const UINT nBucket = nHash % m_nHashTableSize;
    if (pnBucket)
        *pnBucket = nBucket;
    if (pnHash)
        *pnHash = nHash;
    if (!m_pHashTable)
        return nullptr;
    for (CAssoc* p = m_pHashTable[nBucket]; p; p = p->pNext)
    {
        if (p->nHashValue == nHash && CompareElements<KEY, std::decay_t<ARG_KEY>>(&p->key, &key))
            return p;
    }
    return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const
{
    const CAssoc* p = GetAssocAt(key);
    if (!p)
        return FALSE;
    rValue = p->value;
    return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    UINT nBucket = 0;
    UINT nHash = 0;
    if (CAssoc* p = GetAssocAt(key, &nBucket, &nHash))
        return p->value;
    if (!m_pHashTable)
        InitHashTable(m_nHashTableSize);
    CAssoc* p = NewAssoc(key);
    p->nHashValue = nHash;
    p->pNext = m_pHashTable[nBucket];
    m_pHashTable[nBucket] = p;
    return p->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (!m_pHashTable)
        return FALSE;
    const UINT nHash = HashKey(key);
    for (CAssoc** pp = &m_pHashTable[nHash % m_nHashTableSize]; *pp; pp = &(*pp)->pNext)
    {
        CAssoc* p = *pp;
        if (p->nHashValue == nHash && CompareElements<KEY, std::decay_t<ARG_KEY>>(&p->key, &key))
        {
            *pp = p->pNext;
            FreeAssoc(p);
            return TRUE;
        }
    }
    return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FirstFrom(UINT nBucket) const
{
    if (!m_pHashTable)
        return nullptr;
    for (; nBucket < m_nHashTableSize; ++nBucket)
    {
        if (m_pHashTable[nBucket])
            return m_pHashTable[nBucket];
    }
    return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::NextAfter(const CAssoc* pAssoc) const
{
    if (!pAssoc)
        return nullptr;
    if (pAssoc->pNext)
        return pAssoc->pNext;
    return FirstFrom(pAssoc->nHashValue % m_nHashTableSize + 1);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
{
    const CAssoc* p =
        (rNextPosition == BEFORE_START_POSITION) ? FirstFrom(0) : reinterpret_cast<const CAssoc*>(rNextPosition);
    if (!p)
        AfxThrowInvalidArgException();
    rKey = p->key;
    rValue = p->value;
    rNextPosition = reinterpret_cast<POSITION>(NextAfter(p));
}

#define AFX_NAMED_MAP(name, key, argkey, value, argvalue, declare)                                                     \
    class name : public CMap<key, argkey, value, argvalue>                                                             \
    {                                                                                                                  \
        declare(name) public : explicit name(INT_PTR nBlockSize = 10) : CMap<key, argkey, value, argvalue>(nBlockSize) \
        {                                                                                                              \
        }                                                                                                              \
    };
AFX_NAMED_MAP(CMapStringToPtr, CString, LPCTSTR, void*, void*, DECLARE_DYNAMIC)
AFX_NAMED_MAP(CMapStringToOb, CString, LPCTSTR, CObject*, CObject*, DECLARE_SERIAL)
AFX_NAMED_MAP(CMapStringToString, CString, LPCTSTR, CString, LPCTSTR, DECLARE_SERIAL)
AFX_NAMED_MAP(CMapPtrToPtr, void*, void*, void*, void*, DECLARE_DYNAMIC)
AFX_NAMED_MAP(CMapPtrToWord, void*, void*, WORD, WORD, DECLARE_DYNAMIC)
AFX_NAMED_MAP(CMapWordToPtr, WORD, WORD, void*, void*, DECLARE_DYNAMIC)
AFX_NAMED_MAP(CMapWordToOb, WORD, WORD, CObject*, CObject*, DECLARE_SERIAL)
#undef AFX_NAMED_MAP

// Type-safe view over a pointer map.
template <class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS
{
public:
    explicit CTypedPtrMap(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    BOOL Lookup(typename BASE_CLASS::BASE_ARG_KEY key, VALUE& rValue) const
    {
        typename BASE_CLASS::BASE_VALUE value{};
        if (!BASE_CLASS::Lookup(key, value))
            return FALSE;
        rValue = static_cast<VALUE>(value);
        return TRUE;
    }
    VALUE& operator[](typename BASE_CLASS::BASE_ARG_KEY key)
    {
        return reinterpret_cast<VALUE&>(BASE_CLASS::operator[](key));
    }
    void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, newValue); }
    BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }
    void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const
    {
        typename BASE_CLASS::BASE_KEY key{};
        typename BASE_CLASS::BASE_VALUE value{};
        BASE_CLASS::GetNextAssoc(rPosition, key, value);
        rKey = static_cast<KEY>(key);
        rValue = static_cast<VALUE>(value);
    }
};
