// CArray and the named arrays (CPtrArray, CStringArray, ...).
#pragma once

#include "Object.h"
#include "Exceptions.h"
#include "String.h"

#include <algorithm>
#include <utility>
#include <vector>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    // nGrowBy: elements added at each reallocation; -1 keeps the current step.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_data[Checked(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_data[Checked(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[Checked(nIndex)] = newElement; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_data[Checked(nIndex)]; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_data[Checked(nIndex)]; }
    const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }
    TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement);
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

    void Serialize(CArchive& ar) override;  // defined in Archive.h

private:
    size_t Checked(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= GetSize())
            AfxThrowInvalidArgException();
        return static_cast<size_t>(nIndex);
    }
    void Reserve(size_t nSize);

    std::vector<TYPE> m_data;
    INT_PTR m_nGrowBy = 0;  // 0: the growth step follows the size
};

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reserve(size_t nSize)
{
    if (nSize <= m_data.capacity())
        return;
    size_t step = static_cast<size_t>(m_nGrowBy);
    if (step == 0)
        step = std::min<size_t>(1024, std::max<size_t>(4, m_data.size() / 8));
    m_data.reserve(std::max(nSize, m_data.capacity() + step));
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    if (nNewSize < 0)
        AfxThrowInvalidArgException();
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;
    Reserve(static_cast<size_t>(nNewSize));
    m_data.resize(static_cast<size_t>(nNewSize));
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
{
    if (nIndex < 0)
        AfxThrowInvalidArgException();
    // Copied first: the argument may refer into this array.
    TYPE copy(newElement);
    if (nIndex >= GetSize())
        SetSize(nIndex + 1);
    m_data[static_cast<size_t>(nIndex)] = std::move(copy);
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE newElement)
{
    TYPE copy(newElement);
    Reserve(m_data.size() + 1);
    m_data.push_back(std::move(copy));
    return GetSize() - 1;
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    const INT_PTR nOldSize = GetSize();
    if (&src == this)
    {
        const std::vector<TYPE> copy(m_data);
        m_data.insert(m_data.end(), copy.begin(), copy.end());
    }
    else
    {
        Reserve(m_data.size() + src.m_data.size());
        m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
    }
    return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (&src != this)
        m_data = src.m_data;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount)
{
    if (nIndex < 0 || nCount <= 0)
        AfxThrowInvalidArgException();
    TYPE copy(newElement);
    if (nIndex > GetSize())
        SetSize(nIndex);
    Reserve(m_data.size() + static_cast<size_t>(nCount));
    m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), copy);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
{
    if (!pNewArray || nStartIndex < 0)
        AfxThrowInvalidArgException();
    const std::vector<TYPE> copy(pNewArray->m_data);
    if (copy.empty())
        return;
    if (nStartIndex > GetSize())
        SetSize(nStartIndex);
    Reserve(m_data.size() + copy.size());
    m_data.insert(m_data.begin() + nStartIndex, copy.begin(), copy.end());
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0 || nIndex + nCount > GetSize())
        AfxThrowInvalidArgException();
    m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
}

// The named arrays; those of plain pointers are not serialisable.
#define AFX_NAMED_ARRAY(name, type, arg, declare) \
    class name : public CArray<type, arg>         \
    {                                             \
        declare(name)                             \
    };
AFX_NAMED_ARRAY(CPtrArray, void*, void*, DECLARE_DYNAMIC)
AFX_NAMED_ARRAY(CObArray, CObject*, CObject*, DECLARE_SERIAL)
AFX_NAMED_ARRAY(CDWordArray, DWORD, DWORD, DECLARE_SERIAL)
AFX_NAMED_ARRAY(CUIntArray, UINT, UINT, DECLARE_DYNAMIC)
AFX_NAMED_ARRAY(CWordArray, WORD, WORD, DECLARE_SERIAL)
AFX_NAMED_ARRAY(CByteArray, BYTE, BYTE, DECLARE_SERIAL)
AFX_NAMED_ARRAY(CStringArray, CString, const CString&, DECLARE_SERIAL)
#undef AFX_NAMED_ARRAY

// Type-safe views over the pointer collections.
template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS
{
public:
    TYPE GetAt(INT_PTR nIndex) const { return static_cast<TYPE>(BASE_CLASS::GetAt(nIndex)); }
    TYPE& ElementAt(INT_PTR nIndex) { return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(nIndex)); }
    void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
    void SetAtGrow(INT_PTR nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
    INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
    INT_PTR Append(const CTypedPtrArray& src) { return BASE_CLASS::Append(src); }
    void Copy(const CTypedPtrArray& src) { BASE_CLASS::Copy(src); }
    void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1)
    {
        BASE_CLASS::InsertAt(nIndex, newElement, nCount);
    }
    TYPE operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
};
