#include "RWCriticalSection.h"

#include <map>

namespace
{

// Per thread, while it holds counted read locks: lock -> that thread's count.
typedef std::map<const CLVKRWCriticalSection*, int> ReadCountMap;

DWORD ReadCountSlot()
{
    // Allocated once and never freed: threads may hold counts until the end.
    static const DWORD dwSlot = TlsAlloc();
    return dwSlot;
}

ReadCountMap* ThreadReadCounts(BOOL bCreate)
{
    const DWORD dwSlot = ReadCountSlot();
    if (dwSlot == TLS_OUT_OF_INDEXES)
        return nullptr;
    auto* pMap = static_cast<ReadCountMap*>(TlsGetValue(dwSlot));
    if (!pMap && bCreate)
    {
        pMap = new ReadCountMap;
        TlsSetValue(dwSlot, pMap);
    }
    return pMap;
}

}  // namespace

void CLVKRWCriticalSection::CWriterGate::Lock()
{
    ::EnterCriticalSection(&m_cs);
    if (InterlockedIncrement(&m_nDepth) == 1)
        m_dwOwnerThread = GetCurrentThreadId();
}

void CLVKRWCriticalSection::CWriterGate::Unlock()
{
    // Another thread's unlock would open the gate under its owner's feet.
    if (m_dwOwnerThread != GetCurrentThreadId() || m_nDepth <= 0)
        return;
    // The owner is cleared before the gate opens, so the next owner's id is
    // never overwritten.
    if (m_nDepth == 1)
        m_dwOwnerThread = 0;
    InterlockedDecrement(&m_nDepth);
    ::LeaveCriticalSection(&m_cs);
}

void CLVKRWCriticalSection::CNoReadersFlag::Set(BOOL bNoReaders)
{
    if (bNoReaders)
        ::SetEvent(m_hEvent);
    else
        ::ResetEvent(m_hEvent);
}

BOOL CLVKRWCriticalSection::CNoReadersFlag::IsSet() const
{
    return ::WaitForSingleObject(m_hEvent, 0) == WAIT_OBJECT_0;
}

void CLVKRWCriticalSection::CNoReadersFlag::WaitUntilSet() const
{
    ::WaitForSingleObject(m_hEvent, INFINITE);
}

void CLVKRWCriticalSection::AddReaders(LONG nDelta)
{
    ::EnterCriticalSection(&m_csReaders);
    const LONG nBefore = m_nReaders;
    const LONG nAfter = nBefore + nDelta;
    InterlockedExchange(&m_nReaders, nAfter);
    if (nAfter == 0)
        m_noReaders.Set(TRUE);
    else if (nBefore == 0)
        m_noReaders.Set(FALSE);
    ::LeaveCriticalSection(&m_csReaders);
}

int CLVKRWCriticalSection::GetThreadReadCount() const
{
    const ReadCountMap* pMap = ThreadReadCounts(FALSE);
    if (!pMap)
        return 0;
    const auto it = pMap->find(this);
    return it == pMap->end() ? 0 : it->second;
}

void CLVKRWCriticalSection::AddThreadReadCount(int nDelta)
{
    ReadCountMap* pMap = ThreadReadCounts(nDelta > 0);
    if (!pMap)
        return;
    int& nCount = (*pMap)[this];
    nCount += nDelta;
    if (nCount > 0)
        return;
    pMap->erase(this);
    if (pMap->empty())
    {
        delete pMap;
        TlsSetValue(ReadCountSlot(), nullptr);
    }
}

void CLVKRWCriticalSection::LockRead(BOOL bInternal)
{
    // A writer keeps the gate for as long as it writes, so new readers wait here.
    m_gate.Lock();
    if (!bInternal)
        AddThreadReadCount(1);
    AddReaders(1);
    m_gate.Unlock();
}

void CLVKRWCriticalSection::UnlockRead(BOOL bInternal)
{
    if (!bInternal)
    {
        if (GetThreadReadCount() <= 0)
            return;
        AddThreadReadCount(-1);
    }
    AddReaders(-1);
}

void CLVKRWCriticalSection::LockWrite()
{
    const DWORD dwThread = GetCurrentThreadId();
    if (m_dwWriterThread != dwThread)
    {
        // Give up this thread's own read locks (keeping their count), or the
        // wait for no readers below would wait for ourselves.
        const int nOwnReads = GetThreadReadCount();
        for (int i = 0; i < nOwnReads; i++)
            UnlockRead(TRUE);

        // Readers that are inside finish first; the gate is not held while
        // waiting, so a reader may still take its nested read locks.
        for (;;)
        {
            m_noReaders.WaitUntilSet();
            m_gate.Lock();
            if (m_nReaders == 0)
                break;
            m_gate.Unlock();
        }
    }
    else
    {
        m_gate.Lock();
    }
    if (InterlockedIncrement(&m_nWriterDepth) == 1)
    {
        m_dwWriterThread = dwThread;
        m_nSetAsideReads = GetThreadReadCount();
    }
    // The gate stays locked while the write level is held.
}

void CLVKRWCriticalSection::UnlockWrite()
{
    if (m_dwWriterThread != GetCurrentThreadId())
        return;
    if (m_nWriterDepth == 1)
    {
        // Only the reads put aside are taken back: reads taken while writing
        // are still counted among the readers. The gate is still ours, so
        // this cannot block.
        const int nSetAside = m_nSetAsideReads;
        m_nSetAsideReads = 0;
        for (int i = 0; i < nSetAside; i++)
            LockRead(TRUE);
        m_dwWriterThread = 0;
    }
    InterlockedDecrement(&m_nWriterDepth);
    m_gate.Unlock();
}
