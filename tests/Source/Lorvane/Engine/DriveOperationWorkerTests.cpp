// The drive-operation worker as a window uses it: batches queued with the
// window's busy-letter mask, run on one worker thread, reported with
// WM_DRIVE_OPERATION_DONE, and the orderly stop when the window goes.
#include "Framework.h"

#include "AppSettings.h"
#include "DriveKeysSnapshot.h"
#include "DriveOperationElevation.h"
#include "DriveOperationQueue.h"
#include "DriveOperationWorker.h"
#include "TestDrive.h"
#include "TestSupport.h"

#include <gmock/gmock.h>

#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace
{
constexpr DWORD NoSave = DriveFlags::NoSave;

DWORD Bit(wchar_t letter)
{
    return 1u << (letter - L'A');
}

bool IsThreadAlive(DWORD threadId)
{
    const HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, threadId);
    if (!thread)
        return false;
    const bool alive = WaitForSingleObject(thread, 0) == WAIT_TIMEOUT;
    CloseHandle(thread);
    return alive;
}

bool HasQueuedResult(HWND window)
{
    MSG msg{};
    return PeekMessageW(&msg, window, WM_DRIVE_OPERATION_DONE, WM_DRIVE_OPERATION_DONE, PM_NOREMOVE) != FALSE;
}

// How many results wait in the queue of the window (of this thread); they are
// taken out to be counted and posted back in their order.
size_t QueuedResultCount(HWND window)
{
    std::vector<LPARAM> results;
    MSG msg{};
    while (PeekMessageW(&msg, window, WM_DRIVE_OPERATION_DONE, WM_DRIVE_OPERATION_DONE, PM_REMOVE))
        results.push_back(msg.lParam);
    for (const LPARAM result : results)
        PostMessageW(window, WM_DRIVE_OPERATION_DONE, 0, result);
    return results.size();
}

// The queue of a window of this thread; the test handles the results as the
// main window does: it clears their letters from the busy mask and frees them.
class TestQueue : public CDriveOperationQueue
{
public:
    HWND m_hWindow = nullptr;

protected:
    HWND GetDriveOperationWindow() const override { return m_hWindow; }
};

class DriveOperationWorkerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_window = CreateWindowExW(0, L"STATIC", L"drive-operation worker test", WS_POPUP, 0, 0, 10, 10, nullptr,
                                   nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(nullptr, m_window);
        m_dlg.m_hWindow = m_window;
        ASSERT_NE(nullptr, m_dlg.m_pDriveOperationWorker);
    }

    void TearDown() override
    {
        m_dlg.StopDriveOperationWorker();
        if (m_window)
            DestroyWindow(m_window);
    }

    // Handles this thread's messages until `count` results have arrived;
    // each result is copied, its letters are no longer busy, and it is freed.
    bool WaitForResults(size_t count)
    {
        return WaitForResultsUntil([&] { return m_results.size() >= count; });
    }

    // The same until the results so far meet the condition.
    bool WaitForResultsUntil(const std::function<bool()>& done)
    {
        const ULONGLONG end = GetTickCount64() + kHungWaitMs;
        while (!done())
        {
            MSG msg{};
            while (!done() && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            {
                if (msg.message == WM_DRIVE_OPERATION_DONE && msg.hwnd == m_window && msg.lParam)
                {
                    const std::unique_ptr<DriveOperationResult> result(
                        reinterpret_cast<DriveOperationResult*>(msg.lParam));
                    m_results.push_back(*result);
                    m_dlg.m_dwBusyLetters &= ~result->letters;
                    continue;
                }
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            if (done())
                break;
            if (GetTickCount64() > end)
                return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
        return true;
    }

    std::unique_ptr<CDriveOperationBatch> MakeBatch(DWORD refreshMode, DWORD selectLetter)
    {
        auto batch = std::make_unique<CDriveOperationBatch>();
        batch->m_dwRefreshMode = refreshMode;
        batch->m_dwSelectLetter = selectLetter;
        return batch;
    }

    DriveKeysSnapshot m_keys;
    ScratchFolder m_folder;
    TestQueue m_dlg;
    HWND m_window = nullptr;
    std::vector<DriveOperationResult> m_results;
};

struct RefusalCase
{
    const char* name;
    // Queues something for the window while letter `busy` is busy and
    // `free` is not; returns what the queueing function answered.
    std::function<BOOL(CDriveOperationQueue&, wchar_t busy, wchar_t free, const std::wstring& folder)> queue;
};

const RefusalCase kRefusalCases[] = {
    {"BusyLetter", [](CDriveOperationQueue& dlg, wchar_t busy, wchar_t, const std::wstring& folder)
     { return dlg.QueueDriveOperation(busy, folder.c_str(), nullptr, nullptr, NoSave, 0, 0); }},
    {"BusyLetterRemoval", [](CDriveOperationQueue& dlg, wchar_t busy, wchar_t, const std::wstring&)
     { return dlg.QueueDriveOperation(busy, nullptr, nullptr, nullptr, NoSave, 0, 0); }},
    {"LowerCaseLetter",
     [](CDriveOperationQueue& dlg, wchar_t, wchar_t free, const std::wstring& folder)
     {
         return dlg.QueueDriveOperation(static_cast<wchar_t>(free + (L'a' - L'A')), folder.c_str(), nullptr, nullptr,
                                        NoSave, 0, 0);
     }},
    {"DigitLetter", [](CDriveOperationQueue& dlg, wchar_t, wchar_t, const std::wstring& folder)
     { return dlg.QueueDriveOperation(L'1', folder.c_str(), nullptr, nullptr, NoSave, 0, 0); }},
    {"LetterAfterZ", [](CDriveOperationQueue& dlg, wchar_t, wchar_t, const std::wstring& folder)
     { return dlg.QueueDriveOperation(L'[', folder.c_str(), nullptr, nullptr, NoSave, 0, 0); }},
    {"NoBatch", [](CDriveOperationQueue& dlg, wchar_t, wchar_t, const std::wstring&)
     { return dlg.QueueDriveOperationBatch(nullptr); }},
    {"BatchWithoutLetters", [](CDriveOperationQueue& dlg, wchar_t, wchar_t, const std::wstring&)
     { return dlg.QueueDriveOperationBatch(new CDriveOperationBatch); }},
    {"BatchOverlappingABusyLetter",
     [](CDriveOperationQueue& dlg, wchar_t busy, wchar_t free, const std::wstring& folder)
     {
         auto* batch = new CDriveOperationBatch;
         batch->AddItem(new CDriveOperationItem(free, folder.c_str(), nullptr, nullptr, NoSave));
         batch->AddItem(new CDriveOperationItem(busy, nullptr, nullptr, nullptr, NoSave));
         return dlg.QueueDriveOperationBatch(batch);
     }},
};

TEST_F(DriveOperationWorkerTest, RefusesBadAndBusyLettersAndLeavesTheQueueAlone)
{
    const std::vector<wchar_t> letters = UnusedDriveLetters(2);
    ASSERT_EQ(2u, letters.size());
    const wchar_t busy = letters[0];
    const wchar_t free = letters[1];
    const TestDrive busyDrive(busy, m_folder.Path());
    const TestDrive freeDrive(free, m_folder.Path());

    ASSERT_TRUE(m_dlg.QueueDriveOperation(busy, m_folder.Path().c_str(), nullptr, nullptr, NoSave, 3, busy));
    EXPECT_EQ(Bit(busy), m_dlg.m_dwBusyLetters);

    for (const RefusalCase& c : kRefusalCases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(c.queue(m_dlg, busy, free, m_folder.Path()));
        EXPECT_EQ(Bit(busy), m_dlg.m_dwBusyLetters);
    }

    ASSERT_TRUE(WaitForResults(1));
    EXPECT_EQ(Bit(busy), m_results[0].letters);
    EXPECT_EQ(1u, m_results[0].success);
    EXPECT_EQ(3u, m_results[0].refreshMode);
    EXPECT_EQ(static_cast<DWORD>(busy), m_results[0].selectLetter);
    EXPECT_TRUE(busyDrive.Defined());
    EXPECT_EQ(L"", freeDrive.Current());

    // The result frees the letter again.
    EXPECT_EQ(0u, m_dlg.m_dwBusyLetters);
    const DWORD removalMode = 4;
    EXPECT_TRUE(m_dlg.QueueDriveOperation(busy, nullptr, nullptr, nullptr, NoSave, removalMode, 0));
    ASSERT_TRUE(WaitForResultsUntil([&] { return !m_results.empty() && m_results.back().refreshMode == removalMode; }));
    EXPECT_EQ(L"", busyDrive.Current());
    // Only the one accepted batch ran and reported before the removal: the
    // worker runs batches in turn, so a refused one that had been queued
    // would have reported before the removal queued after it.
    EXPECT_EQ(2u, m_results.size());
}

// A worker whose wake returns only once the woken thread has run the batch,
// deleted it and posted its result: the worst order the scheduler can give
// the queueing thread, made certain.
class RunAtOnceWorker : public CDriveOperationWorker
{
public:
    explicit RunAtOnceWorker(HWND window) : m_hWindow(window) {}

protected:
    void Wake(CWinThread* created) override
    {
        CDriveOperationWorker::Wake(created);
        WaitUntil([&] { return HasQueuedResult(m_hWindow); });
    }

private:
    HWND m_hWindow;
};

// Notes the window's busy mask on the worker thread, when the drive operation
// asks whether the process is elevated; otherwise the real answers.
class BusyMaskProbe : public CDriveOperationElevation
{
public:
    explicit BusyMaskProbe(const volatile DWORD& busyLetters) : m_busyLetters(busyLetters) {}

    BOOL IsProcessElevated() override
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_seen.push_back(static_cast<DWORD>(m_busyLetters));
        }
        return CDriveOperationElevation::IsProcessElevated();
    }

    std::vector<DWORD> TakeSeen()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return std::exchange(m_seen, {});
    }

private:
    const volatile DWORD& m_busyLetters;
    std::mutex m_mutex;
    std::vector<DWORD> m_seen;
};

TEST_F(DriveOperationWorkerTest, LettersAreBusyBeforeTheWokenThreadCanRunTheBatch)
{
    const std::vector<wchar_t> letters = UnusedDriveLetters(2);
    ASSERT_EQ(2u, letters.size());
    std::vector<std::unique_ptr<TestDrive>> drives;
    for (wchar_t letter : letters)
        drives.push_back(std::make_unique<TestDrive>(letter, m_folder.CreateFolder(std::wstring(1, letter))));

    delete m_dlg.m_pDriveOperationWorker;
    m_dlg.m_pDriveOperationWorker = new RunAtOnceWorker(m_window);
    BusyMaskProbe probe(m_dlg.m_dwBusyLetters);
    CDriveOperationElevation* const previous = CDriveOperationElevation::Install(&probe);

    // The first batch creates and resumes the thread; the second wakes a
    // thread that is already running with an empty queue.
    for (size_t i = 0; i < drives.size(); ++i)
    {
        const TestDrive& drive = *drives[i];
        SCOPED_TRACE(drive.Letter());
        ASSERT_TRUE(m_dlg.QueueDriveOperation(drive.Letter(), drive.Folder().c_str(), nullptr, nullptr, NoSave,
                                              static_cast<DWORD>(i), drive.Letter()));
        // The batch was run and deleted before the queueing call returned ...
        EXPECT_TRUE(HasQueuedResult(m_window));
        EXPECT_TRUE(drive.Defined());
        // ... and its letter was busy already while it ran, and still is.
        EXPECT_EQ(std::vector<DWORD>{Bit(drive.Letter())}, probe.TakeSeen());
        EXPECT_EQ(Bit(drive.Letter()), m_dlg.m_dwBusyLetters);

        ASSERT_TRUE(WaitForResults(i + 1));
        EXPECT_EQ(Bit(drive.Letter()), m_results[i].letters);
        EXPECT_EQ(1u, m_results[i].success);
        EXPECT_EQ(0u, m_dlg.m_dwBusyLetters);
    }
    CDriveOperationElevation::Install(previous);
}

TEST_F(DriveOperationWorkerTest, OneThreadRunsEveryBatchInTurn)
{
    const std::vector<wchar_t> letters = UnusedDriveLetters(4);
    ASSERT_EQ(4u, letters.size());
    std::vector<std::unique_ptr<TestDrive>> drives;
    for (wchar_t letter : letters)
        drives.push_back(std::make_unique<TestDrive>(letter, m_folder.CreateFolder(std::wstring(1, letter))));

    CDriveOperationWorker* worker = m_dlg.m_pDriveOperationWorker;
    EXPECT_EQ(0u, worker->GetThreadId()) << "the thread comes with the first batch";
    DWORD thread = 0;
    for (size_t i = 0; i < drives.size(); ++i)
    {
        const TestDrive& drive = *drives[i];
        ASSERT_TRUE(m_dlg.QueueDriveOperation(drive.Letter(), drive.Folder().c_str(), nullptr, nullptr, NoSave,
                                              static_cast<DWORD>(i), drive.Letter()));
        if (i == 0)
            thread = worker->GetThreadId();
        EXPECT_NE(0u, thread);
        EXPECT_EQ(thread, worker->GetThreadId());
    }

    ASSERT_TRUE(WaitForResults(drives.size()));
    for (size_t i = 0; i < drives.size(); ++i)
    {
        SCOPED_TRACE(i);
        // Oldest first.
        EXPECT_EQ(Bit(drives[i]->Letter()), m_results[i].letters);
        EXPECT_EQ(1u, m_results[i].success);
        EXPECT_EQ(static_cast<DWORD>(i), m_results[i].refreshMode);
        EXPECT_TRUE(drives[i]->Defined());
    }
    EXPECT_TRUE(IsThreadAlive(thread)) << "the thread waits for further batches";
    EXPECT_EQ(0u, m_dlg.m_dwBusyLetters);

    // One batch removes them all and reports once, on the same thread.
    auto removal = MakeBatch(9, 0);
    for (wchar_t letter : letters)
        removal->AddItem(new CDriveOperationItem(letter, nullptr, nullptr, nullptr, NoSave));
    const DWORD mask = removal->m_dwLetters;
    ASSERT_TRUE(m_dlg.QueueDriveOperationBatch(removal.release()));
    EXPECT_EQ(mask, m_dlg.m_dwBusyLetters);
    ASSERT_TRUE(WaitForResults(drives.size() + 1));
    EXPECT_EQ(mask, m_results.back().letters);
    EXPECT_EQ(1u, m_results.back().success);
    EXPECT_EQ(9u, m_results.back().refreshMode);
    EXPECT_EQ(thread, worker->GetThreadId());
    for (const auto& drive : drives)
        EXPECT_EQ(L"", drive->Current());
}

TEST_F(DriveOperationWorkerTest, FailingOperationInTheMiddleFailsTheBatchButAllRun)
{
    const std::vector<wchar_t> letters = UnusedDriveLetters(3);
    ASSERT_EQ(3u, letters.size());
    const TestDrive first(letters[0], m_folder.CreateFolder(L"first"));
    const TestDrive third(letters[2], m_folder.CreateFolder(L"third"));
    const std::wstring missing = m_folder.PathOf(L"missing");

    // The failing operation shows its error box on the worker thread.
    ProcessDialogWatcher boxes(IDOK);
    boxes.Watch(GetCurrentProcessId());

    auto batch = MakeBatch(7, letters[2]);
    batch->AddItem(new CDriveOperationItem(letters[0], first.Folder().c_str(), nullptr, nullptr, NoSave));
    batch->AddItem(new CDriveOperationItem(letters[1], missing.c_str(), nullptr, nullptr, NoSave));
    batch->AddItem(new CDriveOperationItem(letters[2], third.Folder().c_str(), nullptr, nullptr, NoSave));
    const DWORD mask = Bit(letters[0]) | Bit(letters[1]) | Bit(letters[2]);
    ASSERT_EQ(mask, batch->m_dwLetters);
    ASSERT_TRUE(m_dlg.QueueDriveOperationBatch(batch.release()));

    ASSERT_TRUE(WaitForResults(1));
    EXPECT_EQ(mask, m_results[0].letters);
    EXPECT_EQ(0u, m_results[0].success);
    EXPECT_EQ(7u, m_results[0].refreshMode);
    EXPECT_EQ(static_cast<DWORD>(letters[2]), m_results[0].selectLetter);
    EXPECT_TRUE(first.Defined());
    EXPECT_EQ(L"", QueryDosDeviceTarget(DriveDevice(letters[1])));
    EXPECT_TRUE(third.Defined()) << "the operation after the failing one did not run";
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(L"Invalid path: " + missing, boxes.Dialogs()[0].text);
}

TEST_F(DriveOperationWorkerTest, StopRemovesResultsStillWaitingAndRefusesFurtherBatches)
{
    const std::vector<wchar_t> letters = UnusedDriveLetters(2);
    ASSERT_EQ(2u, letters.size());
    const TestDrive first(letters[0], m_folder.Path());
    const TestDrive second(letters[1], m_folder.Path());

    ASSERT_TRUE(m_dlg.QueueDriveOperation(first.Letter(), first.Folder().c_str(), nullptr, nullptr, NoSave, 0, 0));
    ASSERT_TRUE(m_dlg.QueueDriveOperation(second.Letter(), second.Folder().c_str(), nullptr, nullptr, NoSave, 0, 0));
    // Both run and post their results, which nobody handles yet.
    ASSERT_TRUE(WaitUntil([&] { return QueuedResultCount(m_window) == 2; }));
    ASSERT_TRUE(first.Defined() && second.Defined());

    m_dlg.StopDriveOperationWorker();

    EXPECT_EQ(nullptr, m_dlg.m_pDriveOperationWorker);
    EXPECT_FALSE(HasQueuedResult(m_window)) << "results of a stopped worker are left in the queue";
    EXPECT_FALSE(m_dlg.QueueDriveOperation(first.Letter(), nullptr, nullptr, nullptr, NoSave, 0, 0));
    // A second stop (the destructor's) finds nothing to do.
    m_dlg.StopDriveOperationWorker();
}

TEST_F(DriveOperationWorkerTest, ThreadThatOutlivesTheStopKeepsItsWorkerAndRunsNothingMore)
{
    const std::vector<wchar_t> letters = UnusedDriveLetters(2);
    ASSERT_EQ(2u, letters.size());
    const TestDrive first(letters[0], m_folder.Path());
    const TestDrive second(letters[1], m_folder.Path());
    std::unique_ptr<CDriveOperationWorker> worker;
    {
        CDriveOperationWorker* running = m_dlg.m_pDriveOperationWorker;
        // Holding the worker's lock keeps its thread from taking the first
        // batch, as an operation that hangs would.
        CRITICAL_SECTION& lock = running->GetLock();
        EnterCriticalSection(&lock);
        const LONG heldWithoutWaiters = lock.LockCount;
        EXPECT_TRUE(m_dlg.QueueDriveOperation(first.Letter(), first.Folder().c_str(), nullptr, nullptr, NoSave, 0, 0));
        EXPECT_TRUE(
            m_dlg.QueueDriveOperation(second.Letter(), second.Folder().c_str(), nullptr, nullptr, NoSave, 0, 0));
        // The woken thread now waits for the lock to take the first batch; a
        // waiting thread changes the lock's count of waiters.
        ASSERT_TRUE(WaitUntil([&] { return lock.LockCount != heldWithoutWaiters; }));

        // That the stop waited its time for the thread: a timer set for most
        // of it just before is due once the stop gave up (timed waits end in
        // the order of their due times; no elapsed time is measured).
        m_dlg.m_dwDriveOperationStopTimeout = 300;
        const DueTimer mostOfTheStopTimeout(200);
        m_dlg.StopDriveOperationWorker();
        EXPECT_TRUE(mostOfTheStopTimeout.Due()) << "the stop gave up before its time";
        EXPECT_EQ(nullptr, m_dlg.m_pDriveOperationWorker);
        EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(running->GetDoneEvent(), 0));

        LeaveCriticalSection(&lock);
        // The object is still there: its thread finishes with it.
        ASSERT_TRUE(WaitForObject(running->GetDoneEvent()));
        worker.reset(running);
    }
    // The stop came before either batch ran: the first skipped its operation,
    // the second was dropped, and no result was posted.
    EXPECT_EQ(L"", first.Current());
    EXPECT_EQ(L"", second.Current());
    EXPECT_FALSE(HasQueuedResult(m_window));
}

TEST_F(DriveOperationWorkerTest, StopOfAWorkerThatNeverRanIsImmediate)
{
    // With no limit on the stop's wait, a stop that waited for a thread that
    // was never started would never end; it runs on a thread of its own, so
    // that such a stop fails the test instead of hanging it.
    m_dlg.m_dwDriveOperationStopTimeout = INFINITE;
    HANDLE stopped = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(nullptr, stopped);
    std::thread stopper(
        [&]
        {
            m_dlg.StopDriveOperationWorker();
            SetEvent(stopped);
        });
    const bool ended = WaitForObject(stopped);
    EXPECT_TRUE(ended) << "the stop waited for a thread that never ran";
    if (ended)
        stopper.join();
    else
        stopper.detach();
    CloseHandle(stopped);
    EXPECT_EQ(nullptr, m_dlg.m_pDriveOperationWorker);
}
}  // namespace
