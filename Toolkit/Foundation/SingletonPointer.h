// The holder of one lazily made process-wide object. Every process-wide
// accessor of the toolkit keeps one holder as a function-local static; the
// holder registers with the toolkit's process object when it is made, and the
// object it holds is destroyed when the toolkit shuts down, the most recently
// registered holder first. After that the holder never makes its object again.
#pragma once

#include "Application.h"

#include <new>

class CLVKSingletonPointer : public ILVKApplicationEvents
{
public:
    // Constructs the object in place in zeroed memory; FALSE on failure.
    typedef BOOL(AFX_CDECL* PFNCONSTRUCT)(void* pObject);
    // Runs the object's destruction; the holder frees the memory.
    typedef void(AFX_CDECL* PFNDESTROY)(void* pObject);
    typedef void(AFX_CDECL* PFNINIT)();

    // pApplication is the toolkit to register with; null means the process
    // object (which throws once the toolkit is shut down).
    CLVKSingletonPointer(size_t nObjectSize, PFNCONSTRUCT pfnConstruct, PFNDESTROY pfnDestroy,
                         PFNINIT pfnInit = nullptr, CLVKApplication* pApplication = nullptr);
    ~CLVKSingletonPointer() override;

    // The held object, made on first use. Never null: throws the framework
    // memory exception when it cannot be made or the holder was released.
    void* ObtainObject();

    // Destroys the object (if made) and marks the holder released for good.
    void ReleaseObject();

    BOOL IsObjectCreated() const { return m_pObject != nullptr; }
    BOOL IsDestroyed() const { return m_bDestroyed; }

    void OnBeforeShutdown(CLVKApplication* pApplication) override;
    void OnShutdown(CLVKApplication* pApplication) override;

    CLVKSingletonPointer(const CLVKSingletonPointer&) = delete;
    CLVKSingletonPointer& operator=(const CLVKSingletonPointer&) = delete;

private:
    void* volatile m_pObject = nullptr;
    CRITICAL_SECTION m_cs{};
    size_t m_nObjectSize;
    PFNCONSTRUCT m_pfnConstruct;
    PFNDESTROY m_pfnDestroy;
    volatile BOOL m_bDestroyed = FALSE;
    CLVKApplication* m_pApplication;
};

// Construct and destroy callbacks for a class with a default constructor; a
// constructor that throws counts as failure.
template <class T>
BOOL AFX_CDECL LVKConstructSingleton(void* pObject)
{
    try
    {
        new (pObject) T();
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    return FALSE;
}

template <class T>
void AFX_CDECL LVKDestroySingleton(void* pObject)
{
    static_cast<T*>(pObject)->~T();
}

// The process-wide object of class T, made on first use. The accessor's
// holder is a function-local static, made (thread-safely) on the first call.
template <class T>
T* LVKGetSingleton()
{
    static CLVKSingletonPointer holder(sizeof(T), &LVKConstructSingleton<T>, &LVKDestroySingleton<T>);
    return static_cast<T*>(holder.ObtainObject());
}
