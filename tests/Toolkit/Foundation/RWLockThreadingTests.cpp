// The reader-writer lock and its writer gate with real threads: how read and
// write levels nest on one thread, which holders keep which other threads
// out, and readers and writers hammering one lock together.
#include "Foundation/RWCriticalSection.h"

#include "Waiting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>

namespace
{

// How long a thread that has reached the lock is watched to show that it is
// kept out. A thread blocked on the lock's event shows no sign of waiting, so
// no event can prove that it was kept out: this is a fixed time on purpose.
// A correct lock passes however slow the machine; a slow machine can only
// make the probe miss a lock that lets the thread in late.
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
        if (!WaitForObject(m_hThread))
            TerminateThread(m_hThread, 1);
        CloseHandle(m_hThread);
    }
    bool IsStarted() const { return m_hThread != nullptr; }
    bool Wait(DWORD dwMs = kHungWaitMs) const { return WaitForObject(m_hThread, dwMs); }

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

// Whether another thread gets the lock in the given way (within the limit of
// a hung test).
bool OtherThreadGetsIn(CLVKRWCriticalSection& lock, char op)
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
    const bool bResult = WaitUntil([&] { return bEntered.load(); });
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
        EXPECT_TRUE(OtherThreadGetsIn(lock, 'W')) << "the lock is free for other threads";
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
        std::atomic<bool> bArrived{false};
        std::atomic<bool> bEntered{false};
        CTestThread other(
            [&]
            {
                bArrived = true;
                c.chOther == 'R' ? lock.LockRead() : lock.LockWrite();
                bEntered = true;
                c.chOther == 'R' ? lock.UnlockRead() : lock.UnlockWrite();
            });
        ASSERT_TRUE(other.IsStarted());
        if (c.bKeptOut)
        {
            ASSERT_TRUE(WaitUntil([&] { return bArrived.load(); }));
            EXPECT_FALSE(other.Wait(kBlockedProbeMs));
        }
        else
        {
            EXPECT_TRUE(other.Wait());
        }
        EXPECT_EQ(!c.bKeptOut, bEntered.load());

        Apply(lock, c.pszRelease);
        EXPECT_TRUE(other.Wait()) << "gets in once the holder has let go";
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
        EXPECT_TRUE(r1.Wait() && r2.Wait() && r3.Wait() && w1.Wait() && w2.Wait())
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

    std::atomic<bool> bArrived{false};
    std::atomic<bool> bEntered{false};
    CTestThread other(
        [&]
        {
            bArrived = true;
            gate.Lock();
            bEntered = true;
            gate.Unlock();
        });
    ASSERT_TRUE(other.IsStarted());
    ASSERT_TRUE(WaitUntil([&] { return bArrived.load(); }));

    // An unlock from a thread that does not own the gate must not open it.
    CTestThread stranger([&] { gate.Unlock(); });
    EXPECT_TRUE(stranger.Wait());
    EXPECT_EQ(3, gate.GetDepth());
    EXPECT_EQ(GetCurrentThreadId(), gate.GetOwnerThread());

    gate.Unlock();
    gate.Unlock();
    EXPECT_FALSE(other.Wait(kBlockedProbeMs)) << "one level still held";
    EXPECT_FALSE(bEntered);

    gate.Unlock();
    EXPECT_TRUE(other.Wait());
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
    EXPECT_TRUE(stranger.Wait());
    EXPECT_EQ(1, lock.GetReaderCount());
    std::atomic<bool> bArrived{false};
    std::atomic<bool> bWriting{false};
    CTestThread writer(
        [&]
        {
            bArrived = true;
            lock.LockWrite();
            bWriting = true;
            lock.UnlockWrite();
        });
    ASSERT_TRUE(writer.IsStarted());
    ASSERT_TRUE(WaitUntil([&] { return bArrived.load(); }));
    EXPECT_FALSE(writer.Wait(kBlockedProbeMs));
    EXPECT_FALSE(bWriting) << "a writer got in beside a live reader";

    lock.UnlockRead();
    EXPECT_TRUE(writer.Wait());
    EXPECT_TRUE(bWriting);
    lock.UnlockRead();  // one too many, on the reader's own thread
    EXPECT_EQ(0, lock.GetReaderCount());
    EXPECT_TRUE(OtherThreadGetsIn(lock, 'W'));
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
    EXPECT_TRUE(OtherThreadGetsIn(lock, 'W'));
}

// The time between two readings of the performance counter, in seconds.
double SecondsBetween(LONGLONG llFrom, LONGLONG llTo)
{
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(llTo - llFrom) / static_cast<double>(frequency.QuadPart);
}

LONGLONG Now()
{
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// The slowest of a few wake-ups of a thread that waits on an event this
// thread sets: how fast a blocked thread gets going on this machine just now.
double SlowestEventWakeUp()
{
    double dSlowest = 0;
    for (int i = 0; i < 5; i++)
    {
        const HANDLE hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        std::atomic<bool> bWaiting{false};
        std::atomic<LONGLONG> llWoken{0};
        CTestThread waiter(
            [&]
            {
                bWaiting = true;
                WaitForSingleObject(hEvent, INFINITE);
                llWoken = Now();
            });
        WaitUntil([&] { return bWaiting.load(); });
        Sleep(20);  // into its wait: a thread that is about to wait shows no sign of it
        const LONGLONG llSet = Now();
        SetEvent(hEvent);
        waiter.Wait();
        dSlowest = std::max(dSlowest, SecondsBetween(llSet, llWoken.load()));
        CloseHandle(hEvent);
    }
    return dSlowest;
}

// A writer waiting for a reader blocks until the reader leaves and then gets
// in at once: no polling delay (the old lock slept up to a second between
// looks). Its delay is held against the slowest of a few wake-ups of a thread
// blocked on an event, measured just before on the same machine. A busy
// machine can hold up one wake-up by chance, so a delay that looks too long
// is measured again, up to three times; a polling writer is late every time.
TEST(RWLockWaiting, WriterGetsInAsSoonAsTheLastReaderLeaves)
{
    const int kTries = 3;
    double dDelay = 0;
    double dReference = 0;
    for (int nTry = 0; nTry < kTries; nTry++)
    {
        dReference = SlowestEventWakeUp();
        CLVKRWCriticalSection lock;
        lock.LockRead();
        std::atomic<LONGLONG> llEnteredAt{0};
        CTestThread writer(
            [&]
            {
                lock.LockWrite();
                llEnteredAt = Now();
                lock.UnlockWrite();
            });
        ASSERT_TRUE(writer.IsStarted());
        // Not a wait for a condition: the time a polling writer would need to
        // back off to its longest sleep.
        Sleep(1500);
        EXPECT_EQ(0, llEnteredAt.load());
        const LONGLONG llReleasedAt = Now();
        lock.UnlockRead();
        ASSERT_TRUE(writer.Wait());
        dDelay = SecondsBetween(llReleasedAt, llEnteredAt.load());
        if (dDelay < 20 * dReference)
            break;
    }
    EXPECT_LT(dDelay, 20 * dReference) << "the writer was not woken when the reader left (its delay " << dDelay
                                       << " s, the slowest wake-up on an event " << dReference << " s)";
}

}  // namespace
