// Maps from Win32 handles to the framework objects that wrap them. The
// permanent part holds objects that own or were attached to a handle and is
// shared by all threads; the temporary part holds wrappers made on demand by
// FromHandle, one set per thread, deleted when the thread is idle.
#pragma once

#include "AfxBase.h"
#include <unordered_map>
#include <vector>

// Every temporary wrapper of a thread gets the next number of that thread, so
// a modal loop can free only the wrappers made since it started: the ones
// made before may still be held by the handlers that started the loop.
ULONG AFXAPI AfxNextTempMapSerial();
// The first serial that AfxDeleteTempMaps frees on this thread.
ULONG AFXAPI AfxGetTempMapFloor();

template <class T, class H>
class CHandleMapT
{
public:
    // Makes a temporary wrapper (detached before deletion, so the handle
    // itself is never destroyed by it).
    typedef T* (*PFN_MAKE)(H h);
    typedef void (*PFN_RELEASE)(T* p);

    CHandleMapT(PFN_MAKE pfnMake, PFN_RELEASE pfnRelease) noexcept
        : m_pfnMake(pfnMake), m_pfnRelease(pfnRelease), m_flsIndex(::FlsAlloc(&FreeTempMap))
    {
        ::InitializeCriticalSection(&m_cs);
    }
    ~CHandleMapT() { ::DeleteCriticalSection(&m_cs); }

    T* LookupPermanent(H h)
    {
        Lock lock(m_cs);
        const auto it = m_permanent.find(h);
        return it == m_permanent.end() ? nullptr : it->second;
    }

    T* LookupTemporary(H h)
    {
        auto& temp = Temporary();
        const auto it = temp.find(h);
        return it == temp.end() ? nullptr : it->second.p;
    }

    // The number of temporary wrappers of the calling thread.
    size_t GetTemporaryCount() { return Temporary().size(); }

    void SetPermanent(H h, T* p)
    {
        Lock lock(m_cs);
        m_permanent[h] = p;
    }

    // Removes the entry only while it still belongs to p.
    void RemoveHandle(H h, T* p)
    {
        {
            Lock lock(m_cs);
            const auto it = m_permanent.find(h);
            if (it != m_permanent.end() && it->second == p)
                m_permanent.erase(it);
        }
        auto& temp = Temporary();
        const auto it = temp.find(h);
        if (it != temp.end() && it->second.p == p)
            temp.erase(it);
    }

    T* FromHandle(H h)
    {
        if (!h)
            return nullptr;
        if (T* p = LookupPermanent(h))
            return p;
        auto& temp = Temporary();
        const auto it = temp.find(h);
        if (it != temp.end())
            return it->second.p;
        T* p = m_pfnMake(h);
        temp[h] = TempEntry{p, AfxNextTempMapSerial()};
        return p;
    }

    // Frees the calling thread's wrappers numbered from the floor on.
    void DeleteTemp()
    {
        const ULONG nFloor = AfxGetTempMapFloor();
        auto& temp = Temporary();
        std::vector<T*> released;
        for (auto it = temp.begin(); it != temp.end();)
        {
            if (it->second.nSerial >= nFloor)
            {
                released.push_back(it->second.p);
                it = temp.erase(it);
            }
            else
            {
                ++it;
            }
        }
        // Released after the map is consistent: a release may look up handles.
        for (T* p : released)
            m_pfnRelease(p);
    }

private:
    class Lock
    {
    public:
        explicit Lock(CRITICAL_SECTION& cs) : m_cs(cs) { ::EnterCriticalSection(&m_cs); }
        ~Lock() { ::LeaveCriticalSection(&m_cs); }

    private:
        CRITICAL_SECTION& m_cs;
    };

    // The temporary map of the calling thread; its wrappers go when the
    // thread ends. Fibre-local storage gives the clean-up at thread exit
    // (thread_local objects with destructors are not reliable here).
    struct TempEntry
    {
        T* p = nullptr;
        ULONG nSerial = 0;
    };
    struct TempMap
    {
        std::unordered_map<H, TempEntry> map;
        PFN_RELEASE pfnRelease = nullptr;
    };

    static void WINAPI FreeTempMap(void* p)
    {
        auto* pTemp = static_cast<TempMap*>(p);
        if (!pTemp)
            return;
        for (auto& item : pTemp->map)
            pTemp->pfnRelease(item.second.p);
        delete pTemp;
    }

    std::unordered_map<H, TempEntry>& Temporary()
    {
        auto* pTemp = static_cast<TempMap*>(::FlsGetValue(m_flsIndex));
        if (!pTemp)
        {
            pTemp = new TempMap;
            pTemp->pfnRelease = m_pfnRelease;
            ::FlsSetValue(m_flsIndex, pTemp);
        }
        return pTemp->map;
    }

    PFN_MAKE m_pfnMake;
    PFN_RELEASE m_pfnRelease;
    DWORD m_flsIndex;
    CRITICAL_SECTION m_cs;
    std::unordered_map<H, T*> m_permanent;
};

// Deletes the temporary wrappers of the calling thread (windows, device
// contexts, GDI objects, menus). Called when the thread's loop is idle; inside
// a modal loop only the wrappers made since that loop started go.
void AFXAPI AfxDeleteTempMaps();
// The number of temporary wrappers the calling thread holds now.
size_t AFXAPI AfxGetTempMapCount();
