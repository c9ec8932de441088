#include "SingletonPointer.h"

CLVKSingletonPointer::CLVKSingletonPointer(size_t nObjectSize, PFNCONSTRUCT pfnConstruct, PFNDESTROY pfnDestroy,
                                           PFNINIT pfnInit, CLVKApplication* pApplication)
    : m_nObjectSize(nObjectSize), m_pfnConstruct(pfnConstruct), m_pfnDestroy(pfnDestroy),
      m_pApplication(pApplication ? pApplication : CLVKApplication::Instance())
{
    if (pfnInit)
        pfnInit();
    InitializeCriticalSection(&m_cs);

    CLVKWriteLockScope lock(m_pApplication->GetLock(), m_pApplication);
    m_pApplication->AddObserver(this);
}

CLVKSingletonPointer::~CLVKSingletonPointer()
{
    ReleaseObject();
    DeleteCriticalSection(&m_cs);
}

void* CLVKSingletonPointer::ObtainObject()
{
    if (m_bDestroyed)
        AfxThrowMemoryException();
    if (void* pObject = m_pObject)
        return pObject;

    EnterCriticalSection(&m_cs);
    if (!m_pObject && !m_bDestroyed)
    {
        // The application's lock is recursive, so a construct callback may
        // itself use another accessor on this thread.
        CLVKWriteLockScope lock(m_pApplication->GetLock(), m_pApplication);
        void* pMemory = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, m_nObjectSize);
        if (pMemory)
        {
            if (m_pfnConstruct(pMemory))
                m_pObject = pMemory;
            else
                HeapFree(GetProcessHeap(), 0, pMemory);
        }
    }
    void* const pObject = m_pObject;
    LeaveCriticalSection(&m_cs);

    if (!pObject)
        AfxThrowMemoryException();
    return pObject;
}

void CLVKSingletonPointer::ReleaseObject()
{
    if (m_bDestroyed)
        return;
    {
        CLVKWriteLockScope lock(m_pApplication->GetLock(), m_pApplication);
        m_pApplication->RemoveObserver(this);
    }

    EnterCriticalSection(&m_cs);
    void* const pObject = m_pObject;
    m_pObject = nullptr;
    // Marked before the object's destruction runs, so a destructor that
    // reaches its own accessor gets an exception instead of a new object.
    m_bDestroyed = TRUE;
    LeaveCriticalSection(&m_cs);

    if (pObject)
    {
        m_pfnDestroy(pObject);
        HeapFree(GetProcessHeap(), 0, pObject);
    }
}

void CLVKSingletonPointer::OnBeforeShutdown(CLVKApplication* /*pApplication*/)
{
}

void CLVKSingletonPointer::OnShutdown(CLVKApplication* /*pApplication*/)
{
    ReleaseObject();
}
