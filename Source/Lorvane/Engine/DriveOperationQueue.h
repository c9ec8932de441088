#pragma once

#include "Framework.h"

class CDriveOperationBatch;
class CDriveOperationWorker;

// The side of the drive-operation worker that a window keeps: the busy-letter
// mask, the worker itself and the functions that queue batches on it and stop
// it. The main window derives from it and names the window that receives the
// results; the engine needs nothing else of that window.
class CDriveOperationQueue
{
public:
    // Creates the worker (no thread until the first batch).
    CDriveOperationQueue();
    // Stops a worker that is still there, without removing posted results.
    virtual ~CDriveOperationQueue();
    CDriveOperationQueue(const CDriveOperationQueue&) = delete;
    CDriveOperationQueue& operator=(const CDriveOperationQueue&) = delete;

    // Queue one operation (no path = remove) on the worker and mark its letter
    // busy. False when the caller must run it itself: a letter outside 'A' to
    // 'Z' or already busy, or a worker that does not take it.
    BOOL QueueDriveOperation(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags, DWORD refreshMode,
                             DWORD selectLetter);
    // The same for a batch the caller built; the batch belongs to the call in
    // every case (a refused one is deleted).
    BOOL QueueDriveOperationBatch(CDriveOperationBatch* batch);
    // Stops the worker for good; later queueing is refused. Results still
    // waiting in the window's message queue are removed and freed.
    void StopDriveOperationWorker();

    // Letters (bit = letter - 'A') with a queued batch that has not reported
    // yet. Touched on the window's thread only.
    DWORD m_dwBusyLetters = 0;
    // The worker that runs queued drive operations; null once stopped.
    CDriveOperationWorker* m_pDriveOperationWorker = nullptr;
    // How long the stop waits for the worker thread; a thread that outlives
    // the wait keeps the worker object.
    DWORD m_dwDriveOperationStopTimeout = 45000;

protected:
    // The window that receives WM_DRIVE_OPERATION_DONE.
    virtual HWND GetDriveOperationWindow() const = 0;

private:
    void StopWorker(HWND window);
};
