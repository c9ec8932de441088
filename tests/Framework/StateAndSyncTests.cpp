// Module and thread state, per-thread and per-process holders, exceptions
// and the synchronisation objects.
#include "Framework.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace
{

TEST(ModuleState, HandlesFallBackToTheProgramAndFollowSetResourceHandle)
{
    EXPECT_EQ(GetModuleHandleW(NULL), AfxGetInstanceHandle());
    const HINSTANCE hOld = AfxGetModuleState()->m_hCurrentResourceHandle;
    const HINSTANCE hOther = GetModuleHandleW(L"kernel32.dll");
    AfxSetResourceHandle(hOther);
    EXPECT_EQ(hOther, AfxGetResourceHandle());
    AfxSetResourceHandle(hOld);
    EXPECT_EQ(hOld ? hOld : AfxGetInstanceHandle(), AfxGetResourceHandle());
}

TEST(ThreadState, EachThreadHasItsOwnCurrentMessage)
{
    AfxGetThreadState()->m_lastSentMsg.message = WM_PAINT;
    UINT otherThreadMessage = 1;
    std::thread([&] { otherThreadMessage = AfxGetCurrentMessage()->message; }).join();
    EXPECT_EQ(0u, otherThreadMessage);
    EXPECT_EQ(static_cast<UINT>(WM_PAINT), AfxGetCurrentMessage()->message);
}

struct CountedForTest
{
    static std::atomic<int> live;
    CountedForTest() { ++live; }
    ~CountedForTest() { --live; }
    int value = 0;
};
std::atomic<int> CountedForTest::live{0};

TEST(ThreadLocal, ValuesArePerThreadAndFreedWhenTheThreadEnds)
{
    CThreadLocal<CountedForTest> local;
    EXPECT_EQ(nullptr, local.GetDataNA());
    local->value = 1;
    const int liveBefore = CountedForTest::live;
    int seenInThread = -1;
    std::thread(
        [&]
        {
            seenInThread = local->value;
            local->value = 2;
        })
        .join();
    EXPECT_EQ(0, seenInThread);
    EXPECT_EQ(1, local->value);
    EXPECT_EQ(liveBefore, CountedForTest::live.load());
}

TEST(ProcessLocal, RacingThreadsShareOneValue)
{
    CProcessLocal<CountedForTest> shared;
    std::vector<CountedForTest*> seen(8);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < seen.size(); ++i)
        threads.emplace_back([&, i] { seen[i] = shared.GetData(); });
    for (std::thread& t : threads)
        t.join();
    for (CountedForTest* p : seen)
        EXPECT_EQ(seen[0], p);
}

// Half the address space less a little: 2 GB in a 32-bit program, far more
// than any machine has in a 64-bit one.
constexpr size_t kUnallocatable = SIZE_MAX / 2 - 15;

TEST(Exceptions, FailedAllocationThrowsTheSharedMemoryException)
{
    volatile size_t huge = kUnallocatable;
    char* p = nullptr;
    try
    {
        p = new char[huge];
        ADD_FAILURE() << "an allocation of half the address space succeeded";
    }
    catch (CMemoryException* e)
    {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
        e->Delete();  // shared: Delete leaves it alone
        try
        {
            AfxThrowMemoryException();
        }
        catch (CMemoryException* again)
        {
            EXPECT_EQ(e, again);
            again->Delete();
        }
    }
    delete[] p;
}

TEST(Exceptions, NothrowAllocationStillReturnsNull)
{
    volatile size_t huge = kUnallocatable;
    char* p = new (std::nothrow) char[huge];
    EXPECT_EQ(nullptr, p);
    delete[] p;
}

TEST(Exceptions, ThrowHelpersRaiseTheirClasses)
{
    struct Row
    {
        const char* name;
        void (*raise)();
        CRuntimeClass* expected;
    };
    const Row rows[] = {
        {"InvalidArg", [] { AfxThrowInvalidArgException(); }, RUNTIME_CLASS(CInvalidArgException)},
        {"NotSupported", [] { AfxThrowNotSupportedException(); }, RUNTIME_CLASS(CNotSupportedException)},
        {"Resource", [] { AfxThrowResourceException(); }, RUNTIME_CLASS(CResourceException)},
        {"User", [] { AfxThrowUserException(); }, RUNTIME_CLASS(CUserException)},
        {"Archive", [] { AfxThrowArchiveException(CArchiveException::badClass); }, RUNTIME_CLASS(CArchiveException)},
        {"File", [] { AfxThrowFileException(CFileException::diskFull); }, RUNTIME_CLASS(CFileException)},
        {"Ole", [] { AfxThrowOleException(E_FAIL); }, RUNTIME_CLASS(COleException)},
    };
    for (const Row& row : rows)
    {
        try
        {
            row.raise();
            ADD_FAILURE() << row.name << " did not throw";
        }
        catch (CException* e)
        {
            EXPECT_EQ(row.expected, e->GetRuntimeClass()) << row.name;
            wchar_t text[256] = {};
            EXPECT_TRUE(e->GetErrorMessage(text, _countof(text))) << row.name;
            EXPECT_NE(L'\0', text[0]) << row.name;
            e->Delete();
        }
    }
}

TEST(Exceptions, OleExceptionProcessMapsFrameworkExceptions)
{
    CMemoryException memory(FALSE);
    CInvalidArgException invalid(FALSE);
    COleException ole(E_ACCESSDENIED);
    EXPECT_EQ(E_OUTOFMEMORY, COleException::Process(&memory));
    EXPECT_EQ(E_INVALIDARG, COleException::Process(&invalid));
    EXPECT_EQ(E_ACCESSDENIED, COleException::Process(&ole));
}

TEST(Sync, SingleLockHoldsTheObjectForItsScope)
{
    CMutex mutex;
    {
        CSingleLock lock(&mutex, TRUE);
        EXPECT_TRUE(lock.IsLocked());
        DWORD otherWait = 0;
        std::thread([&] { otherWait = WaitForSingleObject(mutex, 0); }).join();
        EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), otherWait);
    }
    DWORD afterWait = 0;
    std::thread(
        [&]
        {
            afterWait = WaitForSingleObject(mutex, 0);
            if (afterWait == WAIT_OBJECT_0)
                ReleaseMutex(mutex);
        })
        .join();
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), afterWait);
}

TEST(Sync, LockTimesOutOnAnUnsignalledEvent)
{
    CEvent event(FALSE, TRUE);
    CSingleLock lock(&event);
    EXPECT_FALSE(lock.Lock(10));
    EXPECT_FALSE(lock.IsLocked());
    event.SetEvent();
    EXPECT_TRUE(lock.Lock(0));
}

TEST(Sync, SemaphoreCountsAndCriticalSectionExcludes)
{
    CSemaphore semaphore(2, 2);
    EXPECT_TRUE(semaphore.Lock(0));
    EXPECT_TRUE(semaphore.Lock(0));
    EXPECT_FALSE(semaphore.Lock(0));
    LONG previous = -1;
    EXPECT_TRUE(semaphore.Unlock(2, &previous));
    EXPECT_EQ(0, previous);

    CCriticalSection section;
    int counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
    {
        threads.emplace_back(
            [&]
            {
                for (int i = 0; i < 1000; ++i)
                {
                    CSingleLock lock(&section, TRUE);
                    ++counter;
                }
            });
    }
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(4000, counter);
}

}  // namespace
