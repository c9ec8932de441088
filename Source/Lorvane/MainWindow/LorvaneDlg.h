#pragma once

#include "Framework.h"
#include "DriveOperationQueue.h"
#include "LookupWnd.h"
#include "MainWindowPlacement.h"

#include <memory>

// The program's main window: a resizable dialog (template 101) run modally by
// the application object. It queues its drive commands on the engine's
// worker (CDriveOperationQueue) and handles the results.
class CLorvaneDlg : public CDialog, public CDriveOperationQueue
{
public:
    enum
    {
        IDD = 101
    };

    explicit CLorvaneDlg(CWnd* pParent = nullptr);
    ~CLorvaneDlg() override;

    // Set before the window runs when the program was restarted after a change
    // of language: the window then brings itself to the foreground.
    BOOL m_bStartedAfterLanguageChange = FALSE;

    afx_msg LRESULT OnDriveOperationDone(WPARAM wParam, LPARAM lParam);

    // Where the window opens and what is saved of it; a test may put another
    // in place before the window is created.
    std::unique_ptr<CMainWindowPlacement> m_pPlacement = std::make_unique<CMainWindowPlacement>();

protected:
    HWND GetDriveOperationWindow() const override { return m_hWnd; }
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
