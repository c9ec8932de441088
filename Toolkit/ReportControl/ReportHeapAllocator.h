// Process-wide allocators for the report control's rows, records and items.
// Each can take its objects from a private Win32 heap that exists only while
// objects of that allocator live, so that a control with 100,000 records gives
// all their memory back in one HeapDestroy. With the switch off (the default)
// the ordinary heap is used and only the live count runs.
#pragma once

#include "Framework.h"

#include <new>

// Asks Windows to make the heap a low-fragmentation heap.
BOOL AFX_CDECL LVKHeapEnableLowFragmentation(HANDLE hHeap);
// HeapSetInformation looked up at run time; success when the system lacks it.
BOOL AFX_CDECL LVKHeapSetInformation(HANDLE hHeap, int nInfoClass, PVOID pInfo, SIZE_T nLength);

// TData holds the process-wide state: m_bUsePrivateHeap, m_hHeap, m_nLiveCount.
template <class TData>
class CLVKHeapAllocatorT
{
public:
    static void* AllocObject(size_t nSize) { return Alloc(nSize); }
    static void FreeObject(void* p) { Free(p); }
    // The blocks of the batch allocators; counted like objects.
    static void* AllocBlock(size_t nSize) { return Alloc(nSize); }
    static void FreeBlock(void* p, size_t /*nSize*/) { Free(p); }

    static LONG GetLiveCount() { return TData::m_nLiveCount; }
    static HANDLE GetHeap() { return TData::m_hHeap; }
    static BOOL IsPrivateHeapUsed() { return TData::m_bUsePrivateHeap; }
    // Only while no object of this allocator lives.
    static void UsePrivateHeap(BOOL bUse) { TData::m_bUsePrivateHeap = bUse; }

private:
    static void* Alloc(size_t nSize)
    {
        InterlockedIncrement(&TData::m_nLiveCount);
        if (!TData::m_bUsePrivateHeap)
        {
            void* p = ::operator new[](nSize, std::nothrow);
            if (!p)
                InterlockedDecrement(&TData::m_nLiveCount);
            return p;
        }
        if (!TData::m_hHeap)
        {
            TData::m_hHeap = HeapCreate(0, 0, 0);
            if (TData::m_hHeap)
                LVKHeapEnableLowFragmentation(TData::m_hHeap);
        }
        void* p = TData::m_hHeap ? HeapAlloc(TData::m_hHeap, 0, nSize) : nullptr;
        if (!p)
            InterlockedDecrement(&TData::m_nLiveCount);
        return p;
    }

    static void Free(void* p)
    {
        if (!p)
            return;
        if (!TData::m_bUsePrivateHeap)
        {
            InterlockedDecrement(&TData::m_nLiveCount);
            ::operator delete[](p);
            return;
        }
        LONG nLive = 0;
        if (TData::m_nLiveCount != 0)
            nLive = InterlockedDecrement(&TData::m_nLiveCount);
        HeapFree(TData::m_hHeap, 0, p);
        if (nLive == 0)
        {
            HeapDestroy(TData::m_hHeap);
            TData::m_hHeap = nullptr;
        }
    }
};

// A class whose objects come from TAllocator.
template <class TBase, class TAllocator>
class CLVKHeapObjectT : public TBase
{
public:
    using TBase::TBase;

    static void* operator new(size_t nSize)
    {
        void* p = TAllocator::AllocObject(nSize);
        if (!p)
            AfxThrowMemoryException();
        return p;
    }
    static void* operator new(size_t nSize, const std::nothrow_t&) noexcept { return TAllocator::AllocObject(nSize); }
    static void operator delete(void* p) { TAllocator::FreeObject(p); }
    static void operator delete(void* p, const std::nothrow_t&) noexcept { TAllocator::FreeObject(p); }
};

struct CLVKReportRowAllocatorData
{
    static BOOL m_bUsePrivateHeap;
    static HANDLE m_hHeap;
    static volatile LONG m_nLiveCount;
};

struct CLVKReportDataAllocatorData
{
    static BOOL m_bUsePrivateHeap;
    static HANDLE m_hHeap;
    static volatile LONG m_nLiveCount;
};

struct CLVKReportAllocatorDefaultData
{
    static BOOL m_bUsePrivateHeap;
    static HANDLE m_hHeap;
    static volatile LONG m_nLiveCount;
};

using CLVKReportRowAllocator = CLVKHeapAllocatorT<CLVKReportRowAllocatorData>;
using CLVKReportDataAllocator = CLVKHeapAllocatorT<CLVKReportDataAllocatorData>;
using CLVKReportAllocatorDefault = CLVKHeapAllocatorT<CLVKReportAllocatorDefaultData>;
