#pragma once

#include "Framework.h"

// Posted to the main window once per finished batch; lParam is a
// DriveOperationResult that the window then owns and frees. wParam is 0.
constexpr UINT WM_DRIVE_OPERATION_DONE = WM_APP + 0x6A;

// One queued drive operation.
class CDriveOperationItem
{
public:
    // A missing string becomes empty; a path makes it a create or update,
    // no path a removal.
    CDriveOperationItem(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags);

    DWORD m_letter = 0;
    BOOL m_bCreate = FALSE;
    CString m_strPath;
    CString m_strLabel;
    CString m_strIcon;
    DWORD m_dwFlags = 0;
};

// Operations run in list order by the worker, with what the main window gets
// back when they have run.
class CDriveOperationBatch
{
public:
    CDriveOperationBatch() = default;
    // Deletes every item.
    ~CDriveOperationBatch();
    CDriveOperationBatch(const CDriveOperationBatch&) = delete;
    CDriveOperationBatch& operator=(const CDriveOperationBatch&) = delete;

    // Appends an item (the batch owns it) and adds its letter to the mask.
    void AddItem(CDriveOperationItem* item);

    CList<CDriveOperationItem*, CDriveOperationItem*> m_items{10};
    DWORD m_dwLetters = 0;       // bit (letter - 'A') of every letter touched
    DWORD m_dwRefreshMode = 0;   // handed back unchanged
    DWORD m_dwSelectLetter = 0;  // handed back unchanged
};

// What a finished batch reports, posted with WM_DRIVE_OPERATION_DONE.
struct DriveOperationResult
{
    DWORD letters = 0;
    DWORD success = 0;  // 1 when every operation that ran returned 1
    DWORD refreshMode = 0;
    DWORD selectLetter = 0;
};
static_assert(sizeof(DriveOperationResult) == 16, "four 32-bit fields");

// The queue of batches and the one thread that runs them, one per main
// window. The thread is created on the first batch.
class CDriveOperationWorker
{
public:
    CDriveOperationWorker();
    // Deletes the queued batches and closes the events.
    virtual ~CDriveOperationWorker();
    CDriveOperationWorker(const CDriveOperationWorker&) = delete;
    CDriveOperationWorker& operator=(const CDriveOperationWorker&) = delete;

    // Queues the batch for results to target; starts the thread on the first
    // batch. On success the batch's letters are in busyLetters before the
    // thread is woken, and the worker owns the batch: the caller must not
    // touch it again, since the thread may already have run and deleted it.
    // On failure the caller still owns it and busyLetters is unchanged.
    bool Enqueue(CDriveOperationBatch* batch, HWND target, DWORD& busyLetters);
    // Clears the target, asks the thread to stop and waits for it up to
    // stopTimeout ms. True when the thread has ended (or never started): the
    // caller may then delete the worker. False leaves the worker to the thread.
    bool Stop(DWORD stopTimeout);

    bool IsStopping() const;
    // The worker thread's id; 0 until the first batch started it.
    DWORD GetThreadId() const { return m_dwThreadId; }
    HANDLE GetDoneEvent() const { return m_hDone; }
    // The lock that guards the queue and the target window.
    CRITICAL_SECTION& GetLock() { return m_lock; }

protected:
    // Wakes the thread for a queued batch and resumes a thread that Enqueue
    // has just created.
    virtual void Wake(CWinThread* created);

private:
    friend UINT AFX_CDECL DriveOperationWorkerProc(LPVOID parameter);

    CDriveOperationBatch* TakeNextBatch();
    HWND GetTarget();
    void DrainQueue();

    CRITICAL_SECTION m_lock{};
    HANDLE m_hWake = nullptr;  // auto-reset: a batch came or a stop is asked for
    HANDLE m_hStop = nullptr;  // manual-reset, set once
    HANDLE m_hDone = nullptr;  // manual-reset, set by the thread at its end
    HWND m_hTarget = nullptr;
    bool m_bStarted = false;
    DWORD m_dwThreadId = 0;
    CList<CDriveOperationBatch*, CDriveOperationBatch*> m_queue{10};
};

// The worker thread: runs queued batches until the stop event is set.
UINT AFX_CDECL DriveOperationWorkerProc(LPVOID parameter);
