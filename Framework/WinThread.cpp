#include "WinThread.h"
#include "FrameWnd.h"
#include "HandleMap.h"
#include "ModuleState.h"
#include "Wnd.h"
#include "WinApp.h"
#include <process.h>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinThread, CCmdTarget)
END_MESSAGE_MAP()

BOOL AFXAPI AfxIsIdleMessageDefault(const MSG* pMsg);

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread)
        ::CloseHandle(m_hThread);
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pCurrentWinThread == this)
        pState->m_pCurrentWinThread = nullptr;
}

unsigned __stdcall CWinThread::ThreadEntry(void* pParam)
{
    auto* pThread = static_cast<CWinThread*>(pParam);
    AfxGetThreadState()->m_pCurrentWinThread = pThread;

    // A worker shares the application's main window unless it has its own.
    CWinApp* pApp = AfxGetApp();
    if (pApp && !pThread->m_pMainWnd && pApp->m_pMainWnd && pApp->m_pMainWnd->m_hWnd)
        pThread->m_pMainWnd = pApp->m_pMainWnd;

    UINT nResult = 0;
    if (pThread->m_pfnThreadProc)
        nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
    else if (!pThread->InitInstance())
        nResult = static_cast<UINT>(pThread->ExitInstance());
    else
        nResult = static_cast<UINT>(pThread->Run());

    AfxDeleteTempMaps();
    AfxGetThreadState()->m_pCurrentWinThread = nullptr;
    pThread->Delete();
    return nResult;
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    // Always started suspended: a thread that ends at once deletes an
    // auto-deleting object, which must not be written after that.
    unsigned nThreadID = 0;
    const uintptr_t h =
        _beginthreadex(lpSecurityAttrs, nStackSize, &CWinThread::ThreadEntry, this, CREATE_SUSPENDED, &nThreadID);
    if (!h)
        return FALSE;
    m_hThread = reinterpret_cast<HANDLE>(h);
    m_nThreadID = nThreadID;
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        ::ResumeThread(m_hThread);
    return TRUE;
}

int CWinThread::GetThreadPriority()
{
    return ::GetThreadPriority(m_hThread);
}
BOOL CWinThread::SetThreadPriority(int nPriority)
{
    return ::SetThreadPriority(m_hThread, nPriority);
}
DWORD CWinThread::SuspendThread()
{
    return ::SuspendThread(m_hThread);
}
DWORD CWinThread::ResumeThread()
{
    return ::ResumeThread(m_hThread);
}

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostThreadMessageW(m_nThreadID, message, wParam, lParam);
}

CWnd* CWinThread::GetMainWnd()
{
    if (m_pActiveWnd)
        return m_pActiveWnd;
    return m_pMainWnd;
}

BOOL CWinThread::InitInstance()
{
    return FALSE;  // a thread class must override this to run a loop
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;)
    {
        while (bIdle && !::PeekMessageW(&m_msgCur, NULL, 0, 0, PM_NOREMOVE))
        {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do
        {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageW(&m_msgCur, NULL, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage()
{
    if (::GetMessageW(&m_msgCur, NULL, 0, 0) <= 0)
        return FALSE;  // WM_QUIT (or a broken queue)
    AfxGetThreadState()->m_msgCur = m_msgCur;
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur))
    {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageW(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (!pMsg->hwnd && DispatchThreadMessageEx(pMsg))
        return TRUE;
    return AfxInternalPreTranslateMessage(pMsg);
}

BOOL CWinThread::DispatchThreadMessageEx(MSG* pMsg)
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr)
    {
        const AFX_MSGMAP_ENTRY* lpEntry = AfxFindMessageEntry(pMap->lpEntries, pMsg->message, 0, 0);
        if (lpEntry && lpEntry->nSig == AfxSig_v_w_l)
        {
            const auto pmf = reinterpret_cast<void (CCmdTarget::*)(WPARAM, LPARAM)>(lpEntry->pfn);
            (this->*pmf)(pMsg->wParam, pMsg->lParam);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0)
    {
        // The command user interface of the visible main window (its bars
        // and their buttons) follows the state of the commands.
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd && pMainWnd->m_hWnd && ::IsWindowVisible(pMainWnd->m_hWnd))
        {
            ::SendMessageW(pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        // The thread's other frames (floating and secondary ones) as well.
        AfxUpdateFramesOnIdle(pMainWnd);
        // Temporary wrappers made while handling messages go once the queue is empty.
        AfxDeleteTempMaps();
    }
    return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE)
    {
        if (m_nMsgLast == pMsg->message && pMsg->pt.x == m_ptCursorLast.x && pMsg->pt.y == m_ptCursorLast.y)
            return FALSE;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

int CWinThread::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    // A window that fails during creation is not created; a failed paint
    // must not come back at once.
    LRESULT lResult = 0;
    if (pMsg->message == WM_CREATE)
    {
        lResult = -1;
    }
    else if (pMsg->message == WM_PAINT)
    {
        ::ValidateRect(pMsg->hwnd, NULL);
    }
    if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
        e->ReportError();
    e->Delete();
    return lResult;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pfnThreadProc)
        return nullptr;
    auto* pThread = new CWinThread(pfnThreadProc, pParam);
    // Start suspended to set the priority before any of the thread's code runs.
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs))
    {
        pThread->Delete();
        return nullptr;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        pThread->ResumeThread();
    return pThread;
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pThreadClass || !pThreadClass->IsDerivedFrom(RUNTIME_CLASS(CWinThread)))
        return nullptr;
    auto* pThread = static_cast<CWinThread*>(pThreadClass->CreateObject());
    if (!pThread)
        return nullptr;
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs))
    {
        pThread->Delete();
        return nullptr;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        pThread->ResumeThread();
    return pThread;
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete)
{
    CWinThread* pThread = AfxGetThread();
    AfxDeleteTempMaps();
    AfxGetThreadState()->m_pCurrentWinThread = nullptr;
    if (pThread && bDelete)
        pThread->Delete();
    _endthreadex(nExitCode);
    ::ExitThread(nExitCode);  // not a CRT thread: end it all the same
}

CWinThread* AFXAPI AfxGetThread()
{
    return AfxGetThreadState()->m_pCurrentWinThread;
}

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread ? pThread->GetMainWnd() : nullptr;
}
