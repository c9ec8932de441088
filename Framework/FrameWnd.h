// CFrameWnd: a top-level window that hosts bars around a client pane. It lays
// the bars out (at once or at the next idle time), shows the prompt of the
// command under the menu in its message bar, translates its accelerators,
// and keeps the windows that float beside it in step with it.
#pragma once

#include "AfxBase.h"
#include "FrameIds.h"
#include "Wnd.h"

class CControlBar;

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    // Work left for the next idle time (m_nIdleFlags).
    enum IdleFlags
    {
        idleMenu = 1,    // redraw the menu bar
        idleTitle = 2,   // the title changed
        idleNotify = 4,  // the pending layout notifies as well
        idleLayout = 8   // lay the bars out again
    };

    static const CRect rectDefault;  // the system chooses the position and size

    CFrameWnd();
    ~CFrameWnd() override;

    // lpszMenuName: a menu resource of the resource module, or NULL.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* pParentWnd = NULL, LPCTSTR lpszMenuName = NULL,
                        DWORD dwExStyle = 0);
    // The title (the string's text before any '\n'), the menu and the
    // accelerators come from resources numbered nIDResource, where they exist.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW, CWnd* pParentWnd = NULL);
    // Tells every framework descendant that the frame is complete
    // (WM_INITIALUPDATE), lays the bars out and shows the frame.
    void InitialUpdateFrame(BOOL bMakeVisible = TRUE);

    // Layout. bNotify serves in-place hosts, which this program has none of.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Lays out at the next idle time instead (several changes, one layout).
    void DelayRecalcLayout(BOOL bNotify = TRUE);
    // The idle-time work: the pending layout, the menu bar.
    virtual void OnIdleUpdateCmdUI();

    // Bars.
    CControlBar* GetControlBar(UINT nID);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);

    // Message text. The message bar is the child AFX_IDW_STATUS_BAR.
    virtual CWnd* GetMessageBar();
    // The prompt of a command: its string resource up to '\n'. The idle
    // prompt without a resource is "Ready".
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);

    // Accelerators. LoadAccelTable fails when the frame has a table already.
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);
    virtual HACCEL GetDefaultAccelerator();

    // Sends WM_FLOATSTATUS (FS_*) to every window of this thread owned by the frame.
    void NotifyFloatingWindows(DWORD dwFlags);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    UINT m_nIdleFlags = 0;
    HACCEL m_hAccelTable = NULL;  // the frame's own: destroyed with it when loaded by it
    UINT m_nIDTracking = 0;       // the command the menu selection points at
    UINT m_nIDLastMessage = 0;    // the prompt shown last
    CRect m_rectBorder;           // extra space kept around the client pane
    BOOL m_bAutoDelete = TRUE;    // the object deletes itself once its window is gone

protected:
    void PostNcDestroy() override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT HandleIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bInRecalcLayout = FALSE;
    BOOL m_bOwnsAccelTable = FALSE;
    CFrameWnd* m_pNextFrame = nullptr;  // this thread's frames, for idle work
    DWORD m_nThreadId = 0;

    friend void AFXAPI AfxUpdateFramesOnIdle(CWnd* pMainWnd);
};

// The thread's idle time reaches every visible frame of the thread other than
// pMainWnd (which the thread updates itself): the frame and its framework
// descendants get WM_IDLEUPDATECMDUI.
void AFXAPI AfxUpdateFramesOnIdle(CWnd* pMainWnd);
