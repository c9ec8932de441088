// CWinThread: a thread with the framework's message loop, or a worker thread
// that runs one function (AfxBeginThread).
#pragma once

#include "AfxBase.h"
#include "CmdTarget.h"

typedef UINT(AFX_CDECL* AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    // Starts the thread; with CREATE_SUSPENDED it waits for ResumeThread.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);

    CWnd* m_pMainWnd = nullptr;  // its destruction ends this thread's loop
    CWnd* m_pActiveWnd = nullptr;
    BOOL m_bAutoDelete = TRUE;  // the object is deleted when the thread ends
    HANDLE m_hThread = NULL;
    DWORD m_nThreadID = 0;
    MSG m_msgCur{};  // the message the loop retrieved last
    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;

    operator HANDLE() const { return m_hThread; }
    int GetThreadPriority();
    BOOL SetThreadPriority(int nPriority);
    DWORD SuspendThread();
    DWORD ResumeThread();
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);

    virtual CWnd* GetMainWnd();
    virtual BOOL InitInstance();
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual int ExitInstance();
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
    virtual void Delete();

    // Thread messages (no window) through ON_THREAD_MESSAGE entries.
    BOOL DispatchThreadMessageEx(MSG* msg);

protected:
    DECLARE_MESSAGE_MAP()

private:
    static unsigned __stdcall ThreadEntry(void* pParam);
    POINT m_ptCursorLast{-1, -1};
    UINT m_nMsgLast = 0;
};

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
                                  UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                                  UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
// Ends the calling framework thread (from inside it).
[[noreturn]] void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);

CWinThread* AFXAPI AfxGetThread();
CWnd* AFXAPI AfxGetMainWnd();
