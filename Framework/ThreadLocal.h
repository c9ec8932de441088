// Process-wide and per-thread data created on first use:
//     THREAD_LOCAL(CMyState, g_state)   ...   g_state->m_nDepth++;
// Per-thread data is freed when its thread ends.
#pragma once

#include "AfxBase.h"

// Optional base of the held types, kept for familiar declarations.
class CNoTrackObject
{
public:
    virtual ~CNoTrackObject() = default;
};

// One fibre-local slot; the slot's clean-up callback frees each thread's value.
class CThreadLocalObject
{
public:
    typedef void* (*PFN_CREATE)();
    typedef void (*PFN_DELETE)(void*);

    CThreadLocalObject();
    ~CThreadLocalObject();

    // The calling thread's value, created by pfnCreate when it has none yet.
    void* GetData(PFN_CREATE pfnCreate, PFN_DELETE pfnDelete);
    // The calling thread's value, or NULL.
    void* GetDataNA() const;

private:
    CThreadLocalObject(const CThreadLocalObject&) = delete;
    CThreadLocalObject& operator=(const CThreadLocalObject&) = delete;

    DWORD m_nSlot;
};

template <class TYPE>
class CThreadLocal : public CThreadLocalObject
{
public:
    TYPE* GetData() { return static_cast<TYPE*>(CThreadLocalObject::GetData(&Create, &Delete)); }
    TYPE* GetDataNA() const { return static_cast<TYPE*>(CThreadLocalObject::GetDataNA()); }
    operator TYPE*() { return GetData(); }
    TYPE* operator->() { return GetData(); }

private:
    static void* Create() { return new TYPE; }
    static void Delete(void* p) { delete static_cast<TYPE*>(p); }
};

// One value for the process, created once even when threads race for it.
class CProcessLocalObject
{
public:
    typedef void* (*PFN_CREATE)();
    typedef void (*PFN_DELETE)(void*);

    CProcessLocalObject() = default;
    ~CProcessLocalObject();

    void* GetData(PFN_CREATE pfnCreate, PFN_DELETE pfnDelete);

private:
    CProcessLocalObject(const CProcessLocalObject&) = delete;
    CProcessLocalObject& operator=(const CProcessLocalObject&) = delete;

    void* volatile m_pObject = nullptr;
    PFN_DELETE m_pfnDelete = nullptr;
};

template <class TYPE>
class CProcessLocal : public CProcessLocalObject
{
public:
    TYPE* GetData() { return static_cast<TYPE*>(CProcessLocalObject::GetData(&Create, &Delete)); }
    TYPE* GetDataNA() { return GetData(); }
    operator TYPE*() { return GetData(); }
    TYPE* operator->() { return GetData(); }

private:
    static void* Create() { return new TYPE; }
    static void Delete(void* p) { delete static_cast<TYPE*>(p); }
};

#define THREAD_LOCAL(class_name, ident_name) CThreadLocal<class_name> ident_name;
#define EXTERN_THREAD_LOCAL(class_name, ident_name) extern CThreadLocal<class_name> ident_name;
#define PROCESS_LOCAL(class_name, ident_name) CProcessLocal<class_name> ident_name;
#define EXTERN_PROCESS_LOCAL(class_name, ident_name) extern CProcessLocal<class_name> ident_name;
