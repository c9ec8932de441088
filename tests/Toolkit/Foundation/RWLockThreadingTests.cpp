// The reader-writer lock and its writer gate with real threads: how read and
// write levels nest on one thread, which holders keep which other threads
// out, and readers and writers hammering one lock together.
#include "Foundation/RWCriticalSection.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>

namespace
{

// Generous: a thread that is let in is woken at once.
const DWORD kMaxWaitMs = 15000;
// Long enough for a thread that is not kept out to get in.
const DWORD kBlockedProbeMs = 200;

class CTestThread
{
public:
    explicit CTestThread(std::function<void()> fn) : m_fn(std::move(fn))
    {
        m_hThread = CreateThread(nullptr, 0, &CTestThread::Run, this, 0, nullptr);
    }
    ~CTestThread()
    {
        if (!m_hThread)
            return;
        // A thread still stuck here has already failed its test.
        if (WaitForSingleObject(m_hThread, kMaxWaitMs) == WAIT_TIMEOUT)
            TerminateThread(m_hThread, 1);
        CloseHandle(m_hThread);
    }
    bool IsStarted() const { return m_hThread != nullptr; }
    bool Wait(DWORD dwMs) const { return WaitForSingleObject(m_hThread, dwMs) == WAIT_OBJECT_0; }

private:
    static DWORD WINAPI Run(LPVOID pParam)
    {
        static_cast<CTestThread*>(pParam)->m_fn();
        return 0;
    }
    std::function<void()> m_fn;
    HANDLE m_hThread = nullptr;
};

// R/r take/release a read lock, W/w take/release a write level.
void Apply(CLVKRWCriticalSection& lock, const std::string& ops)
{
    for (const char op : ops)
    {
        switch (op)
        {
        case 'R':
            lock.LockRead();
            break;
        case 'r':
            lock.UnlockRead();
            break;
        case 'W':
            lock.LockWrite();
            break;
        case 'w':
            lock.UnlockWrite();
            break;
        default:
            FAIL() << "unknown step " << op;
        }
    }
}

// Whether another thread gets the lock in the given way within a short time.
bool OtherThreadGetsIn(CLVKRWCriticalSection& lock, char op, DWORD dwMs)
{
    std::atomic<bool> bEntered{false};
    std::atomic<bool> bLeave{false};
    CTestThread probe(
        [&]
        {
            op == 'R' ? lock.LockRead() : lock.LockWrite();
            bEntered = true;
            while (!bLeave)
                Sleep(1);
            op == 'R' ? lock.UnlockRead() : lock.UnlockWrite();
        });
    if (!probe.IsStarted())
        return false;
    const DWORD dwStart = GetTickCount();
    while (!bEntered && GetTickCount() - dwStart < dwMs)
        Sleep(5);
    const bool bResult = bEntered;
    bLeave = true;
    return bResult;
}

struct NestingCase
{
    const char* pszName;
    const char* pszOps;
    LONG nReaders;  // after the steps
    LONG nWriterDepth;
    const char* pszRelease;  // what the thread still holds, released in order
};

TEST(RWLockNesting, LevelsNestOnOneThreadAndAreAllGivenBack)
{
    const NestingCase cases[] = {
        {"read locks nest", "RRR", 3, 0, "rrr"},
        {"write levels nest", "WWW", 0, 3, "www"},
        {"a writer may read", "WR", 1, 1, "rw"},
        {"a reader may write; its read is put aside", "RW", 0, 1, "wr"},
        {"two reads are put aside and both come back", "RRWw", 2, 0, "rr"},
        {"reads put aside come back only at the outermost write level", "RWWw", 0, 1, "wr"},
        {"a read taken while writing and held past the write is counted once", "RWRw", 2, 0, "rr"},
        {"a read taken while writing and held past the write, no read before", "WRw", 1, 0, "r"},
        {"write, read, write again (nested), all released", "WRWwrw", 0, 0, ""},
        {"release of a write level by a reader changes nothing", "Rw", 1, 0, "r"},
    };
    for (const NestingCase& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        CLVKRWCriticalSection lock;
        Apply(lock, c.pszOps);
        EXPECT_EQ(c.nReaders, lock.GetReaderCount());
        EXPECT_EQ(c.nWriterDepth, lock.GetWriterDepth());
        EXPECT_EQ(c.nWriterDepth ? GetCurrentThreadId() : 0u, lock.GetWriterThread());

        Apply(lock, c.pszRelease);
        EXPECT_EQ(0, lock.GetReaderCount());
        EXPECT_EQ(0, lock.GetWriterDepth());
        EXPECT_TRUE(OtherThreadGetsIn(lock, 'W', kMaxWaitMs)) << "the lock is free for other threads";
    }
}

struct ExclusionCase
{
    const char* pszName;
    const char* pszHeld;  // taken by this thread
    char chOther;         // what another thread asks for
    bool bKeptOut;
    const char* pszRelease;
};

TEST(RWLockExclusion, WhatAHolderLetsOtherThreadsDo)
{
    const ExclusionCase cases[] = {
        {"readers share", "R", 'R', false, "r"},
        {"a reader keeps writers out", "R", 'W', true, "r"},
        {"nested reads keep writers out until the last release", "RR", 'W', true, "rr"},
        {"a writer keeps readers out", "W", 'R', true, "w"},
        {"a writer keeps writers out", "W", 'W', true, "w"},
        {"a nested writer keeps others out until the outermost release", "WWw", 'W', true, "w"},
        {"a reader turned writer keeps readers out", "RW", 'R', true, "wr"},
        {"a writer back to reading lets readers in", "RWw", 'R', false, "r"},
        {"a writer back to reading still keeps writers out", "RWw", 'W', true, "r"},
    };
    for (const ExclusionCase& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        CLVKRWCriticalSection lock;
        Apply(lock, c.pszHeld);
        std::atomic<bool> bEntered{false};
        CTestThread other(
            [&]
            {
                c.chOther == 'R' ? lock.LockRead() : lock.LockWrite();
                bEntered = true;
                c.chOther == 'R' ? lock.UnlockRead() : lock.UnlockWrite();
            });
        ASSERT_TRUE(other.IsStarted());
        EXPECT_EQ(!c.bKeptOut, other.Wait(kBlockedProbeMs * (c.bKeptOut ? 1 : 25)));
        EXPECT_EQ(!c.bKeptOut, bEntered.load());

        Apply(lock, c.pszRelease);
        EXPECT_TRUE(other.Wait(kMaxWaitMs)) << "gets in once the holder has let go";
        EXPECT_TRUE(bEntered);
        EXPECT_EQ(0, lock.GetReaderCount());
        EXPECT_EQ(0, lock.GetWriterDepth());
    }
}

TEST(RWLockExclusion, ReadersAndWritersTogetherNeverOverlap)
{
    CLVKRWCriticalSection lock;
    std::atomic<int> nReadersInside{0};
    std::atomic<int> nWritersInside{0};
    std::atomic<int> nMostReadersInside{0};
    std::atomic<int> nViolations{0};
    std::atomic<int> nWrites{0};
    const int kRounds = 25;

    auto reader = [&]
    {
        for (int i = 0; i < kRounds; i++)
        {
            lock.LockRead();
            lock.LockRead();  // nested
            const int nInside = ++nReadersInside;
            if (nWritersInside != 0)
                nViolations++;
            int nMost = nMostReadersInside;
            while (nInside > nMost && !nMostReadersInside.compare_exchange_weak(nMost, nInside))
            {
            }
            Sleep(2);
            --nReadersInside;
            lock.UnlockRead();
            lock.UnlockRead();
            Sleep(1);
        }
    };
    auto writer = [&]
    {
        for (int i = 0; i < kRounds; i++)
        {
            lock.LockWrite();
            lock.LockWrite();  // nested
            if (++nWritersInside != 1 || nReadersInside != 0)
                nViolations++;
            Sleep(1);
            if (nReadersInside != 0)
                nViolations++;
            --nWritersInside;
            nWrites++;
            lock.UnlockWrite();
            lock.UnlockWrite();
            Sleep(1);
        }
    };
    {
        CTestThread r1(reader), r2(reader), r3(reader), w1(writer), w2(writer);
        EXPECT_TRUE(r1.Wait(60000) && r2.Wait(60000) && r3.Wait(60000) && w1.Wait(60000) && w2.Wait(60000))
            << "all threads finished in bounded time";
    }
    EXPECT_EQ(0, nViolations.load()) << "a writer overlapped a reader or another writer";
    EXPECT_EQ(2 * kRounds, nWrites.load());
    EXPECT_GE(nMostReadersInside.load(), 2) << "readers were inside together";
    EXPECT_EQ(0, lock.GetReaderCount());
    EXPECT_EQ(0, lock.GetWriterDepth());
}

TEST(RWLockWriterGate, IsARecursiveLockOfItsOwnerAlone)
{
    CLVKRWCriticalSection::CWriterGate gate;
    gate.Lock();
    gate.Lock();
    gate.Lock();
    EXPECT_EQ(3, gate.GetDepth());

    std::atomic<bool> bEntered{false};
    CTestThread other(
        [&]
        {
            gate.Lock();
            bEntered = true;
            gate.Unlock();
        });
    ASSERT_TRUE(other.IsStarted());

    // An unlock from a thread that does not own the gate must not open it.
    CTestThread stranger([&] { gate.Unlock(); });
    EXPECT_TRUE(stranger.Wait(kMaxWaitMs));
    EXPECT_EQ(3, gate.GetDepth());
    EXPECT_EQ(GetCurrentThreadId(), gate.GetOwnerThread());

    gate.Unlock();
    gate.Unlock();
    EXPECT_FALSE(other.Wait(kBlockedProbeMs)) << "one level still held";
    EXPECT_FALSE(bEntered);

    gate.Unlock();
    EXPECT_TRUE(other.Wait(kMaxWaitMs));
    EXPECT_TRUE(bEntered);
    EXPECT_EQ(0, gate.GetDepth());
    EXPECT_EQ(0u, gate.GetOwnerThread());
}

// A thread that holds no read lock cannot release another thread's: that
// would let a writer in while the reader is still reading.
TEST(RWLockMisuse, UnlockReadWithoutAReadLockIsRefused)
{
    CLVKRWCriticalSection lock;
    lock.LockRead();
    CTestThread stranger([&] { lock.UnlockRead(); });
    ASSERT_TRUE(stranger.IsStarted());
    EXPECT_TRUE(stranger.Wait(kMaxWaitMs));
    EXPECT_EQ(1, lock.GetReaderCount());
    std::atomic<bool> bWriting{false};
    CTestThread writer(
        [&]
        {
            lock.LockWrite();
            bWriting = true;
            lock.UnlockWrite();
        });
    ASSERT_TRUE(writer.IsStarted());
    EXPECT_FALSE(writer.Wait(kBlockedProbeMs));
    EXPECT_FALSE(bWriting) << "a writer got in beside a live reader";

    lock.UnlockRead();
    EXPECT_TRUE(writer.Wait(kMaxWaitMs));
    EXPECT_TRUE(bWriting);
    lock.UnlockRead();  // one too many, on the reader's own thread
    EXPECT_EQ(0, lock.GetReaderCount());
    EXPECT_TRUE(OtherThreadGetsIn(lock, 'W', kMaxWaitMs));
}

TEST(RWLockScope, ReleasesOnlyWhatItTook)
{
    CLVKRWCriticalSection lock;
    volatile LONG nInside = 0;
    {
        CLVKWriteLockScope outer(&lock, nullptr, &nInside);
        EXPECT_EQ(1, nInside);
        {
            CLVKWriteLockScope inner(&lock, nullptr, &nInside);
            EXPECT_EQ(2, nInside);
            EXPECT_EQ(2, lock.GetWriterDepth());
        }
        EXPECT_EQ(1, nInside);
        EXPECT_EQ(1, lock.GetWriterDepth());
    }
    EXPECT_EQ(0, nInside) << "the counter is given back as it was taken";
    EXPECT_EQ(0, lock.GetWriterDepth());
    {
        CLVKWriteLockScope none(nullptr);
    }
    EXPECT_TRUE(OtherThreadGetsIn(lock, 'W', kMaxWaitMs));
}

// A writer waiting for a reader blocks until the reader leaves and then gets
// in at once: no polling delay (the old lock slept up to a second between looks).
TEST(RWLockWaiting, WriterGetsInAsSoonAsTheLastReaderLeaves)
{
    CLVKRWCriticalSection lock;
    lock.LockRead();
    std::atomic<DWORD> dwEnteredAt{0};
    CTestThread writer(
        [&]
        {
            lock.LockWrite();
            dwEnteredAt = GetTickCount();
            lock.UnlockWrite();
        });
    ASSERT_TRUE(writer.IsStarted());
    Sleep(1500);  // long enough for a polling writer to back off to its longest sleep
    EXPECT_EQ(0u, dwEnteredAt.load());
    const DWORD dwReleasedAt = GetTickCount();
    lock.UnlockRead();
    ASSERT_TRUE(writer.Wait(kMaxWaitMs));
    EXPECT_LT(dwEnteredAt.load() - dwReleasedAt, 250u) << "the writer was woken when the reader left";
}

}  // namespace
