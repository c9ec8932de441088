// A recursive reader-writer lock. Waiting threads block (on a critical
// section for the writer gate, on an event for "no readers left") rather than
// polling. The toolkit's process object holds one to serialise the creation
// and release of every process-wide object.
#pragma once

#include "Framework.h"

class CLVKRWCriticalSection
{
public:
    // A recursive mutex: the owner may lock it again. Also used on its own
    // where a plain recursive lock without readers is enough.
    class CWriterGate
    {
    public:
        CWriterGate() { ::InitializeCriticalSection(&m_cs); }
        ~CWriterGate() { ::DeleteCriticalSection(&m_cs); }
        CWriterGate(const CWriterGate&) = delete;
        CWriterGate& operator=(const CWriterGate&) = delete;

        void Lock();
        // Ignored when the calling thread does not own the gate.
        void Unlock();

        DWORD GetOwnerThread() const { return m_dwOwnerThread; }
        LONG GetDepth() const { return m_nDepth; }

    private:
        CRITICAL_SECTION m_cs;
        volatile LONG m_nDepth = 0;
        volatile DWORD m_dwOwnerThread = 0;
    };

    // Set while no read lock is held: a manual-reset event that writers wait on.
    class CNoReadersFlag
    {
    public:
        CNoReadersFlag() : m_hEvent(::CreateEventW(NULL, TRUE, TRUE, NULL)) {}
        ~CNoReadersFlag()
        {
            if (m_hEvent)
                ::CloseHandle(m_hEvent);
        }
        CNoReadersFlag(const CNoReadersFlag&) = delete;
        CNoReadersFlag& operator=(const CNoReadersFlag&) = delete;

        void Set(BOOL bNoReaders);
        BOOL IsSet() const;
        // Blocks until no reader is left.
        void WaitUntilSet() const;

    private:
        HANDLE m_hEvent;
    };

    CLVKRWCriticalSection() { ::InitializeCriticalSection(&m_csReaders); }
    ~CLVKRWCriticalSection() { ::DeleteCriticalSection(&m_csReaders); }
    CLVKRWCriticalSection(const CLVKRWCriticalSection&) = delete;
    CLVKRWCriticalSection& operator=(const CLVKRWCriticalSection&) = delete;

    // bInternal is for the lock's own use when a reader upgrades to writer.
    void LockRead(BOOL bInternal = FALSE);
    // Refused when the calling thread holds no read lock of this lock: it
    // would let a writer in beside a reader that is still reading.
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
    // Changes the reader count and the "no readers" event together, so the
    // event never disagrees with the count.
    void AddReaders(LONG nDelta);

    volatile LONG m_nReaders = 0;
    volatile LONG m_nWriterDepth = 0;
    volatile DWORD m_dwWriterThread = 0;
    // The writer's own read locks put aside by its outermost write level;
    // only the writer thread touches it.
    int m_nSetAsideReads = 0;
    CWriterGate m_gate;
    CNoReadersFlag m_noReaders;
    CRITICAL_SECTION m_csReaders;
};

// Holds one write level of a lock for the life of the scope; the optional
// counter counts the scopes inside. Both are released only as they were taken.
class CLVKWriteLockScope
{
public:
    explicit CLVKWriteLockScope(CLVKRWCriticalSection* pLock, void* pOwner = nullptr, volatile LONG* pCounter = nullptr)
        : m_pLock(pLock), m_pOwner(pOwner), m_pCounter(pCounter)
    {
        if (m_pLock)
            m_pLock->LockWrite();
        if (m_pCounter)
            InterlockedIncrement(m_pCounter);
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
