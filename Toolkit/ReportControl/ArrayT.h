// A typed array of object pointers with the accessors automation callers use:
// those check the index and fail with DISP_E_BADINDEX, the others with the
// framework's invalid-argument error. It holds no references of its own.
#pragma once

#include "ReportDefines.h"

#include <algorithm>
#include <vector>

template <class TObject>
class CLVKArrayT : public CLVKCmdTarget
{
public:
    CLVKArrayT() = default;

    virtual int GetCount() const { return static_cast<int>(m_arr.size()); }
    virtual void SetSize(int nNewSize, int /*nGrowBy*/ = -1)
    {
        if (nNewSize < 0)
            AfxThrowInvalidArgException();
        m_arr.resize(static_cast<size_t>(nNewSize), nullptr);
    }
    virtual TObject GetAt(int nIndex) const
    {
        CheckIndex(nIndex);
        return m_arr[nIndex];
    }
    virtual void SetAt(int nIndex, TObject pObject)
    {
        CheckIndex(nIndex);
        m_arr[nIndex] = pObject;
    }
    virtual TObject& ElementAt(int nIndex)
    {
        CheckIndex(nIndex);
        return m_arr[nIndex];
    }
    virtual const TObject* GetData() const { return m_arr.data(); }
    virtual TObject* GetData() { return m_arr.data(); }
    virtual void SetAtGrow(int nIndex, TObject pObject)
    {
        if (nIndex < 0)
            AfxThrowInvalidArgException();
        if (nIndex >= GetCount())
            m_arr.resize(static_cast<size_t>(nIndex) + 1, nullptr);
        m_arr[nIndex] = pObject;
    }
    virtual int Add(TObject pObject)
    {
        m_arr.push_back(pObject);
        return GetCount() - 1;
    }
    virtual int Append(const CLVKArrayT& src)
    {
        const int nOldSize = GetCount();
        if (&src == this)
        {
            const std::vector<TObject> copy = m_arr;
            m_arr.insert(m_arr.end(), copy.begin(), copy.end());
        }
        else
            m_arr.insert(m_arr.end(), src.m_arr.begin(), src.m_arr.end());
        return nOldSize;
    }
    virtual void Copy(const CLVKArrayT& src)
    {
        if (&src != this)
            m_arr = src.m_arr;
    }
    virtual void InsertArrayAt(int nStartIndex, const CLVKArrayT* pNewArray)
    {
        if (!pNewArray || nStartIndex < 0)
            AfxThrowInvalidArgException();
        const std::vector<TObject> copy = pNewArray->m_arr;
        if (nStartIndex > GetCount())
            m_arr.resize(static_cast<size_t>(nStartIndex), nullptr);
        m_arr.insert(m_arr.begin() + nStartIndex, copy.begin(), copy.end());
    }
    virtual void InsertAt(int nIndex, TObject pObject, int nCount = 1)
    {
        if (nIndex < 0 || nCount <= 0)
            AfxThrowInvalidArgException();
        if (nIndex > GetCount())
            m_arr.resize(static_cast<size_t>(nIndex), nullptr);
        m_arr.insert(m_arr.begin() + nIndex, static_cast<size_t>(nCount), pObject);
    }
    virtual void RemoveAt(int nIndex, int nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nIndex + nCount > GetCount())
            AfxThrowInvalidArgException();
        m_arr.erase(m_arr.begin() + nIndex, m_arr.begin() + nIndex + nCount);
    }
    virtual void RemoveAll() { m_arr.clear(); }
    virtual int Find(const TObject pObject) const
    {
        const auto it = std::find(m_arr.begin(), m_arr.end(), pObject);
        return it == m_arr.end() ? -1 : static_cast<int>(it - m_arr.begin());
    }
    virtual int AddUnique(const TObject pObject)
    {
        const int nIndex = Find(pObject);
        return nIndex >= 0 ? nIndex : Add(pObject);
    }
    // Removes every occurrence; TRUE when one was there.
    virtual BOOL RemoveElement(const TObject pObject)
    {
        const size_t nBefore = m_arr.size();
        m_arr.erase(std::remove(m_arr.begin(), m_arr.end(), pObject), m_arr.end());
        return m_arr.size() != nBefore;
    }

    // Automation accessors.
    virtual TObject GetItem(long nIndex) const
    {
        CheckItemIndex(nIndex);
        return m_arr[nIndex];
    }
    virtual void SetItem(long nIndex, TObject pObject)
    {
        CheckItemIndex(nIndex);
        m_arr[nIndex] = pObject;
    }
    virtual void AddItem(TObject pObject) { Add(pObject); }
    virtual void RemoveItem(long nIndex)
    {
        CheckItemIndex(nIndex);
        RemoveAt(static_cast<int>(nIndex));
    }
    virtual void RemoveAllItems() { RemoveAll(); }

protected:
    void CheckIndex(int nIndex) const
    {
        if (nIndex < 0 || nIndex >= GetCount())
            AfxThrowInvalidArgException();
    }
    void CheckItemIndex(long nIndex) const
    {
        if (nIndex < 0 || nIndex >= GetCount())
            AfxThrowOleException(DISP_E_BADINDEX);
    }

    std::vector<TObject> m_arr;
};
