#include "DriveOperationWorker.h"

#include "DriveLetter.h"
#include "LorvaneApp.h"
#include "RecycleBinPolicy.h"
#include "Foundation/CriticalSectionLock.h"

#include <memory>
#include <objbase.h>

namespace
{
bool IsSet(HANDLE event)
{
    return ::WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
}

// Runs every item in order, skipping the rest once a stop is asked for.
// Returns 1 when every operation that ran returned 1.
DWORD RunBatch(const CDriveOperationBatch& batch, HANDLE stop)
{
    // The recycle-bin policy changes of all items are written and broadcast
    // once, when the batch ends.
    const CRecycleBinPolicyBatchScope policyBatch;
    DWORD success = 1;
    for (POSITION pos = batch.m_items.GetHeadPosition(); pos;)
    {
        const CDriveOperationItem* item = batch.m_items.GetNext(pos);
        if (IsSet(stop))
            break;
        // The item keeps strings, so the operation always gets a label and an
        // icon, empty when none was given.
        const BOOL done = theApp.PerformDriveOperation(
            static_cast<WCHAR>(item->m_letter), item->m_bCreate ? static_cast<LPCWSTR>(item->m_strPath) : nullptr,
            item->m_strLabel, item->m_strIcon, item->m_dwFlags);
        if (!done)
            success = 0;
    }
    return success;
}
}  // namespace

CDriveOperationItem::CDriveOperationItem(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags)
    : m_letter(letter), m_bCreate(path != nullptr), m_strPath(path ? path : L""), m_strLabel(label ? label : L""),
      m_strIcon(icon ? icon : L""), m_dwFlags(flags)
{
}

CDriveOperationBatch::~CDriveOperationBatch()
{
    while (!m_items.IsEmpty())
        delete m_items.RemoveHead();
    m_items.RemoveAll();
}

void CDriveOperationBatch::AddItem(CDriveOperationItem* item)
{
    m_items.AddTail(item);
    m_dwLetters |= DriveLetterBit(static_cast<WCHAR>(item->m_letter));
}

CDriveOperationWorker::CDriveOperationWorker()
{
    ::InitializeCriticalSection(&m_lock);
    m_hWake = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    m_hStop = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_hDone = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

CDriveOperationWorker::~CDriveOperationWorker()
{
    DrainQueue();
    for (HANDLE event : {m_hWake, m_hStop, m_hDone})
    {
        if (event)
            ::CloseHandle(event);
    }
    ::DeleteCriticalSection(&m_lock);
}

bool CDriveOperationWorker::IsStopping() const
{
    return IsSet(m_hStop);
}

bool CDriveOperationWorker::Enqueue(CDriveOperationBatch* batch, HWND target, DWORD& busyLetters)
{
    if (!m_hWake || !m_hStop || !m_hDone || IsStopping())
        return false;

    CWinThread* created = nullptr;
    {
        const LVKCriticalSectionLock lock(&m_lock);
        m_hTarget = target;
        m_queue.AddTail(batch);
        if (!m_bStarted)
        {
            // Suspended until the batch is in the queue and its letters are busy.
            created = AfxBeginThread(DriveOperationWorkerProc, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
            if (created)
            {
                m_bStarted = true;
                m_dwThreadId = created->m_nThreadID;
            }
            else
            {
                m_queue.RemoveTail();
            }
        }
        if (!m_bStarted)
            return false;
        // Read while the batch surely exists: a thread that is already
        // running takes it as soon as the lock is free, even before the wake.
        busyLetters |= batch->m_dwLetters;
    }

    Wake(created);
    return true;
}

void CDriveOperationWorker::Wake(CWinThread* created)
{
    ::SetEvent(m_hWake);
    if (created)
        created->ResumeThread();
}

bool CDriveOperationWorker::Stop(DWORD stopTimeout)
{
    {
        const LVKCriticalSectionLock lock(&m_lock);
        m_hTarget = nullptr;
    }
    ::SetEvent(m_hStop);
    ::SetEvent(m_hWake);

    bool started = false;
    {
        const LVKCriticalSectionLock lock(&m_lock);
        started = m_bStarted;
    }
    return !started || ::WaitForSingleObject(m_hDone, stopTimeout) == WAIT_OBJECT_0;
}

CDriveOperationBatch* CDriveOperationWorker::TakeNextBatch()
{
    const LVKCriticalSectionLock lock(&m_lock);
    return m_queue.IsEmpty() ? nullptr : m_queue.RemoveHead();
}

HWND CDriveOperationWorker::GetTarget()
{
    const LVKCriticalSectionLock lock(&m_lock);
    return m_hTarget;
}

void CDriveOperationWorker::DrainQueue()
{
    const LVKCriticalSectionLock lock(&m_lock);
    while (!m_queue.IsEmpty())
        delete m_queue.RemoveHead();
}

UINT AFX_CDECL DriveOperationWorkerProc(LPVOID parameter)
{
    CDriveOperationWorker* worker = static_cast<CDriveOperationWorker*>(parameter);
    if (!worker)
        return 0;
    const bool comReady = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED));

    const HANDLE events[] = {worker->m_hStop, worker->m_hWake};
    while (::WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1)
    {
        bool stopping = false;
        while (!stopping)
        {
            std::unique_ptr<CDriveOperationBatch> batch(worker->TakeNextBatch());
            if (!batch)
                break;

            auto* result = new DriveOperationResult;
            result->success = RunBatch(*batch, worker->m_hStop);
            result->letters = batch->m_dwLetters;
            result->refreshMode = batch->m_dwRefreshMode;
            result->selectLetter = batch->m_dwSelectLetter;
            batch.reset();

            // Once posted, the result belongs to the window.
            const HWND target = worker->GetTarget();
            if (!target || !::IsWindow(target) ||
                !::PostMessageW(target, WM_DRIVE_OPERATION_DONE, 0, reinterpret_cast<LPARAM>(result)))
                delete result;
            stopping = IsSet(worker->m_hStop);
        }
        if (stopping)
            break;
    }

    worker->DrainQueue();
    if (comReady)
        ::CoUninitialize();
    // The last touch of the worker: once done is set, the main window may
    // delete it.
    ::SetEvent(worker->m_hDone);
    return 0;
}
