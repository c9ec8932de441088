// A recursive reader-writer lock built on interlocked counters and sleeping
// back-off; it needs no kernel object. The toolkit's process object holds one
// to serialise the creation and release of every process-wide object.
#pragma once

#include "Framework.h"

class CLVKRWCriticalSection
{
public:
    // A recursive spin mutex: the first thread to raise the entry count to 1
    // owns it; the owner may lock it again. Also used on its own where a plain
    // recursive lock without readers is enough.
    class CWriterGate
    {
    public:
        void Lock();
        // Ignored when the calling thread does not own the gate.
        void Unlock();

        DWORD GetOwnerThread() const { return m_dwOwnerThread; }
        LONG GetDepth() const { return m_nDepth; }

    private:
        volatile LONG m_nEntries = 0;
        volatile LONG m_nDepth = 0;
        volatile DWORD m_dwOwnerThread = 0;
    };

    // 1 while no read lock is held; written by interlocked exchange only.
    class CNoReadersFlag
    {
    public:
        void Set(BOOL bNoReaders) { InterlockedExchange(&m_nValue, bNoReaders ? 1 : 0); }
        BOOL IsSet() const { return m_nValue == 1; }
        // Sleeps 1 ms, doubling up to 1,024 ms, until no reader is left.
        void WaitUntilSet() const;

    private:
        volatile LONG m_nValue = 1;
    };

    // bInternal is for the lock's own use when a reader upgrades to writer.
    void LockRead(BOOL bInternal = FALSE);
    void UnlockRead(BOOL bInternal = FALSE);

    // A thread that holds read locks may take the write lock; it gets its
    // read locks back when its outermost write level ends.
    void LockWrite();
    // Ignored when the calling thread is not the writer.
    void UnlockWrite();

    LONG GetReaderCount() const { return m_nReaders; }
    DWORD GetWriterThread() const { return m_dwWriterThread; }
    LONG GetWriterDepth() const { return m_nWriterDepth; }

private:
    int GetThreadReadCount() const;
    void AddThreadReadCount(int nDelta);

    volatile LONG m_nReaders = 0;
    volatile LONG m_nWriterDepth = 0;
    volatile DWORD m_dwWriterThread = 0;
    // The writer's own read locks put aside by its outermost write level;
    // only the writer thread touches it.
    int m_nSetAsideReads = 0;
    CWriterGate m_gate;
    CNoReadersFlag m_noReaders;
};

// Holds one write level of a lock for the life of the scope.
class CLVKWriteLockScope
{
public:
    explicit CLVKWriteLockScope(CLVKRWCriticalSection* pLock, void* pOwner = nullptr, volatile LONG* pCounter = nullptr)
        : m_pLock(pLock), m_pOwner(pOwner), m_pCounter(pCounter)
    {
        if (m_pLock)
            m_pLock->LockWrite();
    }
    ~CLVKWriteLockScope()
    {
        if (m_pCounter)
            InterlockedDecrement(m_pCounter);
        if (m_pLock)
            m_pLock->UnlockWrite();
    }
    void* GetOwner() const { return m_pOwner; }

    CLVKWriteLockScope(const CLVKWriteLockScope&) = delete;
    CLVKWriteLockScope& operator=(const CLVKWriteLockScope&) = delete;

private:
    CLVKRWCriticalSection* m_pLock;
    void* m_pOwner;
    volatile LONG* m_pCounter;
};

// Base of objects that carry their own reader-writer lock.
class CLVKSynchronized
{
public:
    CLVKRWCriticalSection* GetLock() { return &m_lock; }

protected:
    CLVKRWCriticalSection m_lock;
};
