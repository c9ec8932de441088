#include "LorvaneDlg.h"

#include "DriveOperationWorker.h"

#include <memory>

namespace
{
bool IsDriveLetter(WCHAR letter)
{
    return letter >= L'A' && letter <= L'Z';
}

DWORD LetterBit(WCHAR letter)
{
    return 1u << (letter - L'A');
}
}  // namespace

BOOL CLorvaneDlg::QueueDriveOperation(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags,
                                      DWORD refreshMode, DWORD selectLetter)
{
    // No upper-casing: the window always passes upper-case letters.
    if (!IsDriveLetter(letter) || (m_dwBusyLetters & LetterBit(letter)))
        return FALSE;

    auto* batch = new CDriveOperationBatch;
    batch->AddItem(new CDriveOperationItem(letter, path, label, icon, flags));
    batch->m_dwLetters = LetterBit(letter);
    batch->m_dwRefreshMode = refreshMode;
    batch->m_dwSelectLetter = selectLetter;
    return QueueDriveOperationBatch(batch);
}

BOOL CLorvaneDlg::QueueDriveOperationBatch(CDriveOperationBatch* batch)
{
    std::unique_ptr<CDriveOperationBatch> owned(batch);
    if (!owned || owned->m_dwLetters == 0 || (owned->m_dwLetters & m_dwBusyLetters))
        return FALSE;
    if (!m_pDriveOperationWorker || !m_pDriveOperationWorker->Enqueue(owned.get(), m_hWnd))
        return FALSE;

    m_dwBusyLetters |= owned.release()->m_dwLetters;
    return TRUE;
}

void CLorvaneDlg::StopDriveOperationWorker()
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
    while (::IsWindow(m_hWnd) &&
           ::PeekMessageW(&msg, m_hWnd, WM_DRIVE_OPERATION_DONE, WM_DRIVE_OPERATION_DONE, PM_REMOVE))
        delete reinterpret_cast<DriveOperationResult*>(msg.lParam);
}

LRESULT CLorvaneDlg::OnDriveOperationDone(WPARAM /*wParam*/, LPARAM lParam)
{
    const std::unique_ptr<DriveOperationResult> result(reinterpret_cast<DriveOperationResult*>(lParam));
    if (!result)
        return 0;
    m_dwBusyLetters &= ~result->letters;
    // The drive list is refreshed with result->refreshMode and selects
    // result->selectLetter once the window has its list.
    return 0;
}
