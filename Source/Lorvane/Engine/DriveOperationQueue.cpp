#include "DriveOperationQueue.h"

#include "DriveLetter.h"
#include "DriveOperationWorker.h"

#include <memory>

CDriveOperationQueue::CDriveOperationQueue() : m_pDriveOperationWorker(new CDriveOperationWorker)
{
}

CDriveOperationQueue::~CDriveOperationQueue()
{
    // The window's own destructor has stopped the worker already; this only
    // covers a window that never did.
    StopWorker(nullptr);
}

BOOL CDriveOperationQueue::QueueDriveOperation(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags,
                                               DWORD refreshMode, DWORD selectLetter)
{
    // No upper-casing: the window always passes upper-case letters.
    if (!IsDriveLetter(letter) || (m_dwBusyLetters & DriveLetterBit(letter)))
        return FALSE;

    auto batch = std::make_unique<CDriveOperationBatch>();
    batch->AddItem(new CDriveOperationItem(letter, path, label, icon, flags));
    batch->m_dwRefreshMode = refreshMode;
    batch->m_dwSelectLetter = selectLetter;
    return QueueDriveOperationBatch(batch.release());
}

BOOL CDriveOperationQueue::QueueDriveOperationBatch(CDriveOperationBatch* batch)
{
    std::unique_ptr<CDriveOperationBatch> owned(batch);
    if (!owned || owned->m_dwLetters == 0 || (owned->m_dwLetters & m_dwBusyLetters))
        return FALSE;
    if (!m_pDriveOperationWorker)
        return FALSE;
    // The worker marks the letters busy before it wakes its thread; once it
    // has taken the batch, the batch may be gone at any moment.
    if (!m_pDriveOperationWorker->Enqueue(owned.get(), GetDriveOperationWindow(), m_dwBusyLetters))
        return FALSE;
    owned.release();
    return TRUE;
}

void CDriveOperationQueue::StopDriveOperationWorker()
{
    StopWorker(GetDriveOperationWindow());
}

void CDriveOperationQueue::StopWorker(HWND window)
{
    // Cleared first, so that nothing is queued on a stopping worker.
    CDriveOperationWorker* worker = m_pDriveOperationWorker;
    m_pDriveOperationWorker = nullptr;
    if (!worker)
        return;

    // A thread that does not end in time still uses the worker; it is left
    // to that thread rather than freed under it.
    if (worker->Stop(m_dwDriveOperationStopTimeout))
        delete worker;

    // Results posted before the target was cleared would otherwise leak.
    MSG msg{};
    while (window && ::IsWindow(window) &&
           ::PeekMessageW(&msg, window, WM_DRIVE_OPERATION_DONE, WM_DRIVE_OPERATION_DONE, PM_REMOVE))
        delete reinterpret_cast<DriveOperationResult*>(msg.lParam);
}
