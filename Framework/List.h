// CList, a doubly linked list whose nodes come from blocks (CPlex) and are
// reused until the list is emptied, and the named lists.
#pragma once

#include "Object.h"
#include "Exceptions.h"
#include "String.h"
#include "Plex.h"

#include <new>
#include <type_traits>
#include <utility>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject
{
public:
    explicit CList(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return Checked(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return Checked(m_pNodeHead)->data; }
    TYPE& GetTail() { return Checked(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return Checked(m_pNodeTail)->data; }
    TYPE RemoveHead();
    TYPE RemoveTail();
    POSITION AddHead(ARG_TYPE newElement);
    POSITION AddTail(ARG_TYPE newElement);
    void AddHead(CList* pNewList);
    void AddTail(CList* pNewList);
    void RemoveAll();

    POSITION GetHeadPosition() const { return Pos(m_pNodeHead); }
    POSITION GetTailPosition() const { return Pos(m_pNodeTail); }
    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* p = Node(rPosition);
        rPosition = Pos(p->pNext);
        return p->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        CNode* p = Node(rPosition);
        rPosition = Pos(p->pNext);
        return p->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* p = Node(rPosition);
        rPosition = Pos(p->pPrev);
        return p->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        CNode* p = Node(rPosition);
        rPosition = Pos(p->pPrev);
        return p->data;
    }
    TYPE& GetAt(POSITION position) { return Node(position)->data; }
    const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { Node(pos)->data = newElement; }
    void RemoveAt(POSITION position);
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const;
    POSITION FindIndex(INT_PTR nIndex) const;

    void Serialize(CArchive& ar) override;  // defined in Archive.h

private:
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

    static POSITION Pos(CNode* p) { return reinterpret_cast<POSITION>(p); }
    static CNode* Node(POSITION pos)
    {
        if (!pos || pos == BEFORE_START_POSITION)
            AfxThrowInvalidArgException();
        return reinterpret_cast<CNode*>(pos);
    }
    static CNode* Checked(CNode* p)
    {
        if (!p)
            AfxThrowInvalidArgException();
        return p;
    }
    CNode* NewNode(CNode* pPrev, CNode* pNext, ARG_TYPE value);
    void FreeNode(CNode* pNode);

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
    CNode* m_pNodeFree = nullptr;
    CPlex* m_pBlocks = nullptr;
    INT_PTR m_nBlockSize;
};

template <class TYPE, class ARG_TYPE>
typename CList<TYPE, ARG_TYPE>::CNode* CList<TYPE, ARG_TYPE>::NewNode(CNode* pPrev, CNode* pNext, ARG_TYPE value)
{
    if (!m_pNodeFree)
    {
        CPlex* pBlock = CPlex::Create(m_pBlocks, static_cast<UINT_PTR>(m_nBlockSize), sizeof(CNode));
        // Chained in reverse so that nodes come out in address order.
        CNode* pNode = static_cast<CNode*>(pBlock->data()) + (m_nBlockSize - 1);
        for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i, --pNode)
        {
            pNode->pNext = m_pNodeFree;
            m_pNodeFree = pNode;
        }
    }
    CNode* pNode = m_pNodeFree;
    CNode* pNextFree = pNode->pNext;
    ::new (static_cast<void*>(&pNode->data)) TYPE(value);
    m_pNodeFree = pNextFree;
    pNode->pPrev = pPrev;
    pNode->pNext = pNext;
    ++m_nCount;
    return pNode;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::FreeNode(CNode* pNode)
{
    pNode->data.~TYPE();
    pNode->pNext = m_pNodeFree;
    m_pNodeFree = pNode;
    if (--m_nCount == 0)
        RemoveAll();
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll()
{
    for (CNode* p = m_pNodeHead; p; p = p->pNext)
        p->data.~TYPE();
    m_nCount = 0;
    m_pNodeHead = m_pNodeTail = m_pNodeFree = nullptr;
    if (m_pBlocks)
        m_pBlocks->FreeDataChain();
    m_pBlocks = nullptr;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::AddHead(ARG_TYPE newElement)
{
    CNode* pNode = NewNode(nullptr, m_pNodeHead, newElement);
    if (m_pNodeHead)
        m_pNodeHead->pPrev = pNode;
    else
        m_pNodeTail = pNode;
    m_pNodeHead = pNode;
    return Pos(pNode);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::AddTail(ARG_TYPE newElement)
{
    CNode* pNode = NewNode(m_pNodeTail, nullptr, newElement);
    if (m_pNodeTail)
        m_pNodeTail->pNext = pNode;
    else
        m_pNodeHead = pNode;
    m_pNodeTail = pNode;
    return Pos(pNode);
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddHead(CList* pNewList)
{
    if (!pNewList)
        AfxThrowInvalidArgException();
    // Walking backwards keeps the other list's order, even when it is this list.
    const INT_PTR n = pNewList->GetCount();
    POSITION pos = pNewList->GetTailPosition();
    for (INT_PTR i = 0; i < n; ++i)
        AddHead(pNewList->GetPrev(pos));
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddTail(CList* pNewList)
{
    if (!pNewList)
        AfxThrowInvalidArgException();
    const INT_PTR n = pNewList->GetCount();
    POSITION pos = pNewList->GetHeadPosition();
    for (INT_PTR i = 0; i < n; ++i)
        AddTail(pNewList->GetNext(pos));
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveHead()
{
    CNode* pOld = Checked(m_pNodeHead);
    TYPE value(std::move(pOld->data));
    m_pNodeHead = pOld->pNext;
    if (m_pNodeHead)
        m_pNodeHead->pPrev = nullptr;
    else
        m_pNodeTail = nullptr;
    FreeNode(pOld);
    return value;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveTail()
{
    CNode* pOld = Checked(m_pNodeTail);
    TYPE value(std::move(pOld->data));
    m_pNodeTail = pOld->pPrev;
    if (m_pNodeTail)
        m_pNodeTail->pNext = nullptr;
    else
        m_pNodeHead = nullptr;
    FreeNode(pOld);
    return value;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position)
{
    CNode* pOld = Node(position);
    if (pOld == m_pNodeHead)
        m_pNodeHead = pOld->pNext;
    else
        pOld->pPrev->pNext = pOld->pNext;
    if (pOld == m_pNodeTail)
        m_pNodeTail = pOld->pPrev;
    else
        pOld->pNext->pPrev = pOld->pPrev;
    FreeNode(pOld);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement)
{
    if (!position)
        return AddHead(newElement);
    CNode* pOld = Node(position);
    CNode* pNode = NewNode(pOld->pPrev, pOld, newElement);
    if (pOld->pPrev)
        pOld->pPrev->pNext = pNode;
    else
        m_pNodeHead = pNode;
    pOld->pPrev = pNode;
    return Pos(pNode);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement)
{
    if (!position)
        return AddTail(newElement);
    CNode* pOld = Node(position);
    CNode* pNode = NewNode(pOld, pOld->pNext, newElement);
    if (pOld->pNext)
        pOld->pNext->pPrev = pNode;
    else
        m_pNodeTail = pNode;
    pOld->pNext = pNode;
    return Pos(pNode);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const
{
    CNode* p = startAfter ? Node(startAfter)->pNext : m_pNodeHead;
    for (; p; p = p->pNext)
    {
        if (CompareElements<TYPE, std::decay_t<ARG_TYPE>>(&p->data, &searchValue))
            return Pos(p);
    }
    return NULL;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return NULL;
    CNode* p = m_pNodeHead;
    while (nIndex--)
        p = p->pNext;
    return Pos(p);
}

#define AFX_NAMED_LIST(name, type, arg, declare)                                                        \
    class name : public CList<type, arg>                                                                \
    {                                                                                                   \
        declare(name) public : explicit name(INT_PTR nBlockSize = 10) : CList<type, arg>(nBlockSize) {} \
    };
AFX_NAMED_LIST(CPtrList, void*, void*, DECLARE_DYNAMIC)
AFX_NAMED_LIST(CObList, CObject*, CObject*, DECLARE_SERIAL)
AFX_NAMED_LIST(CStringList, CString, const CString&, DECLARE_SERIAL)
#undef AFX_NAMED_LIST

// Type-safe view over a pointer list.
template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS
{
public:
    explicit CTypedPtrList(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    TYPE& GetHead() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetHead()); }
    TYPE GetHead() const { return static_cast<TYPE>(BASE_CLASS::GetHead()); }
    TYPE& GetTail() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetTail()); }
    TYPE GetTail() const { return static_cast<TYPE>(BASE_CLASS::GetTail()); }
    TYPE RemoveHead() { return static_cast<TYPE>(BASE_CLASS::RemoveHead()); }
    TYPE RemoveTail() { return static_cast<TYPE>(BASE_CLASS::RemoveTail()); }
    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
    TYPE& GetNext(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetNext(rPosition)); }
    TYPE GetNext(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetNext(rPosition)); }
    TYPE& GetPrev(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetPrev(rPosition)); }
    TYPE GetPrev(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetPrev(rPosition)); }
    TYPE& GetAt(POSITION position) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetAt(position)); }
    TYPE GetAt(POSITION position) const { return static_cast<TYPE>(BASE_CLASS::GetAt(position)); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
    POSITION InsertBefore(POSITION position, TYPE newElement) { return BASE_CLASS::InsertBefore(position, newElement); }
    POSITION InsertAfter(POSITION position, TYPE newElement) { return BASE_CLASS::InsertAfter(position, newElement); }
};
