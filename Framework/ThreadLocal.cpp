#include "Framework.h"

namespace
{
// What a slot holds for one thread: the value and how to free it.
struct SlotValue
{
    void* pData;
    CThreadLocalObject::PFN_DELETE pfnDelete;
};

void WINAPI FreeSlotValue(void* p)
{
    auto* pValue = static_cast<SlotValue*>(p);
    if (!pValue)
        return;
    pValue->pfnDelete(pValue->pData);
    delete pValue;
}
}  // namespace

CThreadLocalObject::CThreadLocalObject() : m_nSlot(FlsAlloc(&FreeSlotValue))
{
}

CThreadLocalObject::~CThreadLocalObject()
{
    // Frees the calling thread's value through the callback; threads still
    // running keep theirs until they end.
    if (m_nSlot != FLS_OUT_OF_INDEXES)
        FlsFree(m_nSlot);
}

void* CThreadLocalObject::GetData(PFN_CREATE pfnCreate, PFN_DELETE pfnDelete)
{
    if (m_nSlot == FLS_OUT_OF_INDEXES)
        AfxThrowMemoryException();
    if (auto* pValue = static_cast<SlotValue*>(FlsGetValue(m_nSlot)))
        return pValue->pData;
    void* const pData = pfnCreate();
    auto* pValue = new SlotValue{pData, pfnDelete};
    if (!FlsSetValue(m_nSlot, pValue))
    {
        FreeSlotValue(pValue);
        AfxThrowMemoryException();
    }
    return pData;
}

void* CThreadLocalObject::GetDataNA() const
{
    if (m_nSlot == FLS_OUT_OF_INDEXES)
        return nullptr;
    const auto* pValue = static_cast<const SlotValue*>(FlsGetValue(m_nSlot));
    return pValue ? pValue->pData : nullptr;
}

CProcessLocalObject::~CProcessLocalObject()
{
    if (m_pObject && m_pfnDelete)
        m_pfnDelete(m_pObject);
}

void* CProcessLocalObject::GetData(PFN_CREATE pfnCreate, PFN_DELETE pfnDelete)
{
    if (void* p = m_pObject)
        return p;
    // Racing threads each build one; the first to publish wins, the others
    // free theirs.
    void* const pNew = pfnCreate();
    void* const pOld = InterlockedCompareExchangePointer(const_cast<void**>(&m_pObject), pNew, nullptr);
    if (pOld)
    {
        pfnDelete(pNew);
        return pOld;
    }
    m_pfnDelete = pfnDelete;
    return pNew;
}
