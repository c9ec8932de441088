#pragma once

#include "Framework.h"
#include "LookupWnd.h"

class CDriveOperationWorker;
class CDriveOperationBatch;

// Posted by a second start of the program to the owner of the marker window.
constexpr UINT WM_ACTIVATE_INSTANCE = WM_APP + 0x66;

// The program's main window: a resizable dialog (template 101) run modally by
// the application object.
class CLorvaneDlg : public CDialog
{
public:
    enum
    {
        IDD = 101
    };

    explicit CLorvaneDlg(CWnd* pParent = nullptr);
    ~CLorvaneDlg() override;

    // Letters (bit = letter - 'A') with a queued batch that has not reported yet.
    DWORD m_dwBusyLetters = 0;
    // The worker that runs queued drive operations; created by the constructor.
    CDriveOperationWorker* m_pDriveOperationWorker = nullptr;
    // Set before the window runs when the program was restarted after a change
    // of language: the window then brings itself to the foreground.
    BOOL m_bStartedAfterLanguageChange = FALSE;

    // --- drive-operation worker (LorvaneDlgWorker.cpp) ---
    // Queue one operation (no path = remove) on the worker and mark its letter
    // busy. False when the caller must run it itself: a letter outside 'A' to
    // 'Z' or already busy, or a worker that does not take it.
    BOOL QueueDriveOperation(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags, DWORD refreshMode,
                             DWORD selectLetter);
    // The same for a batch the caller built; the batch belongs to the call in
    // every case (a refused one is deleted).
    BOOL QueueDriveOperationBatch(CDriveOperationBatch* batch);
    // Stops the worker for good; later queueing is refused. Results still
    // waiting in the message queue are removed and freed.
    void StopDriveOperationWorker();
    // How long the stop waits for the worker thread; a thread that outlives
    // the wait keeps the worker object.
    DWORD m_dwDriveOperationStopTimeout = 45000;
    afx_msg LRESULT OnDriveOperationDone(WPARAM wParam, LPARAM lParam);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Enter and Esc must not close the window.
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg void OnPaint();
    afx_msg LRESULT OnQueryDragIcon(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    afx_msg void OnEndSession(BOOL bEnding);
    afx_msg void OnClose();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnActivateInstance(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void PositionWindow();
    void StoreWindowRect();
    void BringToForeground();

    CLookupWnd m_wndLookup;
    HICON m_hIcon = nullptr;
    // The smallest window size: the size the template gives.
    CSize m_sizeMinimum{0, 0};
};
