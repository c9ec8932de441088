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

// Sleeps with doubling back-off, never longer than 1,024 ms at a time.
void BackOff(DWORD& dwSleep)
{
    Sleep(dwSleep);
    if (dwSleep < 1024)
        dwSleep *= 2;
}

}  // namespace

void CLVKRWCriticalSection::CWriterGate::Lock()
{
    const DWORD dwThread = GetCurrentThreadId();
    if (m_dwOwnerThread == dwThread)
    {
        InterlockedIncrement(&m_nDepth);
        return;
    }
    DWORD dwSleep = 1;
    for (;;)
    {
        while (m_nEntries != 0)
            BackOff(dwSleep);
        if (InterlockedIncrement(&m_nEntries) == 1)
            break;
        InterlockedDecrement(&m_nEntries);
    }
    InterlockedIncrement(&m_nDepth);
    m_dwOwnerThread = dwThread;
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
    if (InterlockedDecrement(&m_nDepth) == 0)
        InterlockedDecrement(&m_nEntries);
}

void CLVKRWCriticalSection::CNoReadersFlag::WaitUntilSet() const
{
    DWORD dwSleep = 1;
    while (!IsSet())
        BackOff(dwSleep);
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
    if (InterlockedIncrement(&m_nReaders) == 1)
        m_noReaders.Set(FALSE);
    m_gate.Unlock();
}

void CLVKRWCriticalSection::UnlockRead(BOOL bInternal)
{
    if (!bInternal)
        AddThreadReadCount(-1);
    if (InterlockedDecrement(&m_nReaders) == 0)
        m_noReaders.Set(TRUE);
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

        m_noReaders.WaitUntilSet();
        m_gate.Lock();
        while (m_nReaders > 0)
        {
            m_gate.Unlock();
            m_noReaders.WaitUntilSet();
            m_gate.Lock();
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
