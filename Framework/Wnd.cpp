#include "Wnd.h"
#include "HandleMap.h"
#include "ModuleState.h"
#include "NullSafe.h"
#include "WinThread.h"
#include "WinApp.h"
#include "DataExchange.h"
#include "OleControlSite.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_PARENTNOTIFY()
END_MESSAGE_MAP()

namespace
{
CWnd* MakeTempWnd(HWND h)
{
    auto* p = new CWnd;
    p->m_hWnd = h;
    return p;
}

void ReleaseTempWnd(CWnd* p)
{
    p->m_hWnd = NULL;
    delete p;
}

// Never destroyed: static windows may be destroyed after a function-local map.
CHandleMapT<CWnd, HWND>& WndMap()
{
    static auto* map = new CHandleMapT<CWnd, HWND>(&MakeTempWnd, &ReleaseTempWnd);
    return *map;
}

// The update test that runs before a menu or accelerator command: a command
// whose update handler disables it is not carried out.
class CTestCmdUI : public CCmdUI
{
public:
    BOOL m_bEnabled = TRUE;

    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
};

// Hands a message a parent received from a child to the child's object.
BOOL ReflectToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
    if (!pWnd)
        return FALSE;
    return pWnd->OnChildNotify(message, wParam, lParam, pResult);
}

// The IME support of the platform may create its own window on the first
// window of a thread; the creation hook must not attach that one.
bool IsImeWindow(HWND hWnd)
{
    WCHAR szClass[8] = {};
    ::GetClassNameW(hWnd, szClass, _countof(szClass));
    return lstrcmpiW(szClass, L"IME") == 0;
}

bool IsIdleMessageDefault(const MSG* pMsg)
{
    // Mouse moves that did not move, paints and the caret's blink timer do
    // not end an idle period.
    static thread_local POINT ptLast{-1, -1};
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE)
    {
        if (pMsg->pt.x == ptLast.x && pMsg->pt.y == ptLast.y)
            return false;
        ptLast = pMsg->pt;
        return true;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}
}  // namespace

// ---- the window procedure and the creation hook --------------------------------------

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_QUERYAFXWNDPROC)
        return 1;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd || pWnd->m_hWnd != hWnd)
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

WNDPROC AFXAPI AfxGetAfxWndProc()
{
    return &AfxWndProc;
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    // Default() and the reflection helpers read the message being handled;
    // nested sends restore the outer one on the way back.
    const MSG oldState = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = nMsg;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;

    LRESULT lResult = 0;
    try
    {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    }
    catch (...)
    {
        // No exception may unwind through the system's dispatcher: with this
        // toolchain that ends the process. Any exception, the framework's
        // own or not, is reported and the message gets a safe answer.
        CException* e = AfxExceptionFromCurrent();
        CWinThread* pThread = AfxGetThread();
        if (pThread)
        {
            lResult = pThread->ProcessWndProcException(e, &pState->m_lastSentMsg);
        }
        else
        {
            lResult = (nMsg == WM_CREATE) ? -1 : 0;
            if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
                e->ReportError();
            e->Delete();
        }
    }

    // A window's OLE controls are closed when it is destroyed, while their
    // windows still exist.
    if (nMsg == WM_DESTROY && pWnd->m_pCtrlCont && CWnd::FromHandlePermanent(hWnd) == pWnd)
        pWnd->DestroyControlContainer();

    // A derived OnNcDestroy that did not call the base leaves the object
    // attached to a handle that no longer exists.
    if (nMsg == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd)
        pWnd->FinishNcDestroy();

    pState->m_lastSentMsg = oldState;
    return lResult;
}

LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (code == HCBT_CREATEWND && pState->m_pWndInit)
    {
        const HWND hWnd = reinterpret_cast<HWND>(wParam);
        if (!IsImeWindow(hWnd))
        {
            CWnd* pWndInit = pState->m_pWndInit;
            pState->m_pWndInit = nullptr;
            pWndInit->Attach(hWnd);
            // The system's window creation is below this hook: an exception
            // is reported here, and the window is not created.
            try
            {
                pWndInit->PreSubclassWindow();
            }
            catch (...)
            {
                CException* e = AfxExceptionFromCurrent();
                if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
                    e->ReportError();
                e->Delete();
                pWndInit->Detach();
                return 1;
            }
            WNDPROC* ppfnSuper = pWndInit->GetSuperWndProcAddr();
            const auto pfnOld = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
            if (pfnOld != &AfxWndProc)
                *ppfnSuper = pfnOld;
        }
    }
    return ::CallNextHookEx(pState->m_hHookOldCbtFilter, code, wParam, lParam);
}

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (!pState->m_hHookOldCbtFilter)
    {
        pState->m_hHookOldCbtFilter = ::SetWindowsHookExW(WH_CBT, &AfxCbtFilterHook, NULL, ::GetCurrentThreadId());
        if (!pState->m_hHookOldCbtFilter)
            AfxThrowMemoryException();
    }
    pState->m_pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate()
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hHookOldCbtFilter)
    {
        ::UnhookWindowsHookEx(pState->m_hHookOldCbtFilter);
        pState->m_hHookOldCbtFilter = NULL;
    }
    if (pState->m_pWndInit)
    {
        pState->m_pWndInit = nullptr;
        return FALSE;
    }
    return TRUE;
}

BOOL AFXAPI AfxInternalPreTranslateMessage(MSG* pMsg)
{
    if (!pMsg->hwnd)
        return FALSE;
    CWnd* pMainWnd = AfxGetMainWnd();
    const HWND hWndMain = pMainWnd->GetSafeHwnd();
    if (CWnd::WalkPreTranslateTree(hWndMain, pMsg))
        return TRUE;
    // A modeless window outside the main window (the walk never came by it)
    // still gets the main window's accelerators.
    if (hWndMain)
    {
        for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd))
        {
            if (hWnd == hWndMain)
                return FALSE;
        }
        return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread)
        return pThread->PreTranslateMessage(pMsg);
    return AfxInternalPreTranslateMessage(pMsg);
}

void AFXAPI AfxDeleteTempMaps()
{
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CMenu::DeleteTempMap();
}

size_t AFXAPI AfxGetTempMapCount()
{
    return CWnd::GetTempMapCount() + CDC::GetTempMapCount() + CGdiObject::GetTempMapCount() + CMenu::GetTempMapCount();
}

ULONG AFXAPI AfxNextTempMapSerial()
{
    return ++AfxGetThreadState()->m_nTempMapSerial;
}

ULONG AFXAPI AfxGetTempMapFloor()
{
    return AfxGetThreadState()->m_nTempMapFloor;
}

// ---- window classes and message boxes ---------------------------------------------------

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass)
{
    WNDCLASSW wndcls{};
    if (::GetClassInfoW(lpWndClass->hInstance, lpWndClass->lpszClassName, &wndcls))
        return TRUE;  // already there
    return ::RegisterClassW(lpWndClass) != 0;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // The name is made from the attributes, so equal requests share a class.
    static thread_local WCHAR szName[96];
    const HINSTANCE hInst = AfxGetInstanceHandle();
    if (!hCursor && !hbrBackground && !hIcon)
        wsprintfW(szName, L"Afx:%p:%x", static_cast<void*>(hInst), nClassStyle);
    else
        wsprintfW(szName, L"Afx:%p:%x:%p:%p:%p", static_cast<void*>(hInst), nClassStyle, static_cast<void*>(hCursor),
                  static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));

    WNDCLASSW wndcls{};
    if (::GetClassInfoW(hInst, szName, &wndcls))
        return szName;
    wndcls.style = nClassStyle;
    wndcls.lpfnWndProc = ::DefWindowProcW;
    wndcls.hInstance = hInst;
    wndcls.hIcon = hIcon;
    wndcls.hCursor = hCursor;
    wndcls.hbrBackground = hbrBackground;
    wndcls.lpszClassName = szName;
    if (!AfxRegisterClass(&wndcls))
        AfxThrowResourceException();
    return szName;
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp)
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return CWinApp::ShowMessageBox(lpszText, nType, AfxGetAppName());
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString strPrompt;
    if (!strPrompt.LoadString(nIDPrompt))
        return 0;  // no such string: no box, and no button was chosen
    if (nIDHelp == static_cast<UINT>(-1))
        nIDHelp = nIDPrompt;
    return AfxMessageBox(strPrompt, nType, nIDHelp);
}

// ---- construction and the handle maps ----------------------------------------------

CWnd::CWnd() = default;

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd)
{
}

CWnd::~CWnd()
{
    if (m_pCtrlSite)
        m_pCtrlSite->DestroyControl();
    DestroyControlContainer();
    // An object that still owns its window takes the window with it.
    if (m_hWnd && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    else if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        Detach();
}

HWND CWnd::GetSafeHwnd() const
{
    return AfxIsNullObject(this) ? NULL : m_hWnd;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    return WndMap().FromHandle(hWnd);
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd ? WndMap().LookupPermanent(hWnd) : nullptr;
}

void PASCAL CWnd::DeleteTempMap()
{
    WndMap().DeleteTemp();
}

size_t PASCAL CWnd::GetTempMapCount()
{
    return WndMap().GetTemporaryCount();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew)
        return FALSE;
    m_hWnd = hWndNew;
    WndMap().SetPermanent(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    const HWND hWnd = m_hWnd;
    if (hWnd)
        WndMap().RemoveHandle(hWnd, this);
    m_hWnd = NULL;
    return hWnd;
}

WNDPROC* CWnd::GetSuperWndProcAddr()
{
    return &m_pfnSuper;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || !::IsWindow(hWnd) || FromHandlePermanent(hWnd))
        return FALSE;  // no window, or another object already has it
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC* ppfnSuper = GetSuperWndProcAddr();
    const auto pfnOld =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (pfnOld != &AfxWndProc && !*ppfnSuper)
        *ppfnSuper = pfnOld;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    const HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), static_cast<int>(nID));
    return hWndControl ? SubclassWindow(hWndControl) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    WNDPROC* ppfnSuper = GetSuperWndProcAddr();
    if (m_hWnd && *ppfnSuper)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*ppfnSuper));
    *ppfnSuper = NULL;
    return Detach();
}

// ---- creation and destruction ------------------------------------------------------

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext*)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), NULL);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;  // one window per object

    CREATESTRUCTW cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;

    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }

    AfxHookWindowCreate(this);
    const HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                        cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();  // the window never came: the object is not kept
    return hWnd != NULL;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass)
        return TRUE;
    // The framework's default classes: children paint themselves; other
    // windows get the window colour.
    if (cs.style & WS_CHILD)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, IDC_ARROW));
    else
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(NULL, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return TRUE;
}

void CWnd::PreSubclassWindow()
{
}

void CWnd::PostNcDestroy()
{
}

BOOL CWnd::DestroyWindow()
{
    // An OLE control's window belongs to the control: closing the control
    // takes it away.
    if (m_pCtrlSite)
    {
        const HWND hWndCtrl = m_hWnd;
        m_pCtrlSite->DestroyControl();
        return hWndCtrl && !::IsWindow(hWndCtrl);
    }
    if (!m_hWnd)
        return FALSE;
    // The hosted controls are closed while their windows still exist.
    DestroyControlContainer();
    const HWND hWndOrig = m_hWnd;
    const bool bAttached = FromHandlePermanent(hWndOrig) == this;
    const BOOL bResult = ::DestroyWindow(hWndOrig);
    // "this" may be gone now (PostNcDestroy may delete it); it still being
    // in the map means it was never routed through our procedure.
    if (bAttached)
    {
        if (FromHandlePermanent(hWndOrig) == this)
            Detach();
    }
    else
    {
        m_hWnd = NULL;
    }
    return bResult;
}

void CWnd::OnNcDestroy()
{
    Default();
    FinishNcDestroy();
}

void CWnd::FinishNcDestroy()
{
    // The main window of a thread going away ends the thread's loop, unless
    // it is a modal dialog: DoModal returns to its caller instead.
    CWinThread* pThread = AfxGetThread();
    if (pThread)
    {
        if (pThread->m_pMainWnd == this)
        {
            if (!(m_nFlags & WF_INMODALDIALOG))
                ::PostQuitMessage(0);
            pThread->m_pMainWnd = nullptr;
        }
        if (pThread->m_pActiveWnd == this)
            pThread->m_pActiveWnd = nullptr;
    }

    // Give the window its original procedure back, if nobody changed it since.
    WNDPROC* ppfnSuper = GetSuperWndProcAddr();
    if (m_hWnd && *ppfnSuper && reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == &AfxWndProc)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*ppfnSuper));
    *ppfnSuper = NULL;
    Detach();
    DestroyControlContainer();

    // A modal loop of a destroyed window has nothing left to run for.
    if (m_nFlags & WF_CONTINUEMODAL)
        EndModalLoop(m_nModalResult);

    PostNcDestroy();
}

// ---- message handling ----------------------------------------------------------------------

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG* pMsg = AfxGetCurrentMessage();
    return DefWindowProc(pMsg->message, pMsg->wParam, pMsg->lParam);
}

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    return AfxGetCurrentMessage();
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        if (pResult)
            *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY)
    {
        const auto* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
        if (!pNMHDR || !pNMHDR->hwndFrom || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
        if (pResult)
            *pResult = lResult;
        return TRUE;
    }

    // Every WM_CTLCOLORxxx (and its reflection) is looked up as WM_CTLCOLOR.
    UINT nLookup = message;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        nLookup = WM_CTLCOLOR;
    else if (message >= WM_REFLECT_BASE + WM_CTLCOLORMSGBOX && message <= WM_REFLECT_BASE + WM_CTLCOLORSTATIC)
        nLookup = WM_REFLECT_BASE + WM_CTLCOLOR;

    if (message < 0xC000)
    {
        // The same class asks for the same messages again and again: the
        // lookup through its chain of maps is cached.
        const AFX_MSGMAP_ENTRY* lpEntry = AfxFindMessageEntryInChain(GetMessageMap(), nLookup);
        if (!lpEntry)
            return FALSE;
        if (!DispatchWindowMessage(lpEntry, message, wParam, lParam, lResult))
            return FALSE;
        if (pResult)
            *pResult = lResult;
        return TRUE;
    }

    // Registered messages: the entry holds the address of the id.
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr)
    {
        for (const AFX_MSGMAP_ENTRY* lpEntry = pMap->lpEntries;
             (lpEntry = AfxFindMessageEntry(lpEntry, 0xC000, 0, 0)) != nullptr; ++lpEntry)
        {
            const UINT* pnID = reinterpret_cast<const UINT*>(lpEntry->nSig);
            if (*pnID == message)
            {
                const auto pmf = reinterpret_cast<LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>(lpEntry->pfn);
                lResult = (this->*pmf)(wParam, lParam);
                if (pResult)
                    *pResult = lResult;
                return TRUE;
            }
        }
    }
    return FALSE;
}

namespace
{
template <typename R, typename... A>
R CallWndHandler(CCmdTarget* pTarget, AFX_PMSG pfn, A... args)
{
    const auto pmf = reinterpret_cast<R (CCmdTarget::*)(A...)>(pfn);
    return (pTarget->*pmf)(args...);
}

CWnd* WndArg(WPARAM w)
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(w));
}
CWnd* WndArgL(LPARAM l)
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(l));
}
CDC* DCArg(WPARAM w)
{
    return CDC::FromHandle(reinterpret_cast<HDC>(w));
}
}  // namespace

BOOL CWnd::DispatchWindowMessage(const AFX_MSGMAP_ENTRY* lpEntry, UINT message, WPARAM wParam, LPARAM lParam,
                                 LRESULT& lResult)
{
    const AFX_PMSG pfn = lpEntry->pfn;
    const CPoint point(lParam);
    lResult = 0;
    switch (lpEntry->nSig)
    {
    case AfxSig_l_w_l:
        lResult = CallWndHandler<LRESULT, WPARAM, LPARAM>(this, pfn, wParam, lParam);
        break;
    case AfxSig_l_v:
        lResult = CallWndHandler<LRESULT>(this, pfn);
        break;
    case AfxSig_v_v:
        CallWndHandler<void>(this, pfn);
        break;
    case AfxSig_b_v:
        lResult = CallWndHandler<BOOL>(this, pfn);
        break;
    case AfxSig_u_v:
        lResult = CallWndHandler<UINT>(this, pfn);
        break;
    case AfxSig_i_CREATE:
        lResult = CallWndHandler<int, LPCREATESTRUCT>(this, pfn, reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig_b_CREATE:
        lResult = CallWndHandler<BOOL, LPCREATESTRUCT>(this, pfn, reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig_b_D:
        lResult = CallWndHandler<BOOL, CDC*>(this, pfn, DCArg(wParam));
        break;
    case AfxSig_v_u_i_i:
        CallWndHandler<void, UINT, int, int>(this, pfn, static_cast<UINT>(wParam), point.x, point.y);
        break;
    case AfxSig_v_i_i:
        CallWndHandler<void, int, int>(this, pfn, point.x, point.y);
        break;
    case AfxSig_v_u_p:
        CallWndHandler<void, UINT, CPoint>(this, pfn, static_cast<UINT>(wParam), point);
        break;
    case AfxSig_b_u_s_p:
        lResult = CallWndHandler<BOOL, UINT, short, CPoint>(this, pfn, LOWORD(wParam),
                                                            static_cast<short>(HIWORD(wParam)), point);
        break;
    case AfxSig_v_u_s_p:
        CallWndHandler<void, UINT, short, CPoint>(this, pfn, LOWORD(wParam), static_cast<short>(HIWORD(wParam)), point);
        break;
    case AfxSig_v_u_u_u:
        CallWndHandler<void, UINT, UINT, UINT>(this, pfn, static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_v_up:
        CallWndHandler<void, UINT_PTR>(this, pfn, static_cast<UINT_PTR>(wParam));
        break;
    case AfxSig_v_W:
        // WM_CAPTURECHANGED names the new window in lParam, the focus messages in wParam.
        CallWndHandler<void, CWnd*>(this, pfn, message == WM_CAPTURECHANGED ? WndArgL(lParam) : WndArg(wParam));
        break;
    case AfxSig_v_W_p:
        CallWndHandler<void, CWnd*, CPoint>(this, pfn, WndArg(wParam), point);
        break;
    case AfxSig_b_W_u_u:
        lResult = CallWndHandler<BOOL, CWnd*, UINT, UINT>(this, pfn, WndArg(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_i_W_u_u:
        lResult = CallWndHandler<int, CWnd*, UINT, UINT>(this, pfn, WndArg(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_hbr_D_W_u:
        lResult = reinterpret_cast<LRESULT>(CallWndHandler<HBRUSH, CDC*, CWnd*, UINT>(
            this, pfn, DCArg(wParam), WndArgL(lParam), message - WM_CTLCOLORMSGBOX));
        break;
    case AfxSig_hbr_D_u:
    {
        // Reflected: a NULL brush leaves the colours to the parent.
        const HBRUSH hbr =
            CallWndHandler<HBRUSH, CDC*, UINT>(this, pfn, DCArg(wParam), message - WM_REFLECT_BASE - WM_CTLCOLORMSGBOX);
        if (!hbr)
            return FALSE;
        lResult = reinterpret_cast<LRESULT>(hbr);
        break;
    }
    case AfxSig_v_MINMAX:
        CallWndHandler<void, MINMAXINFO*>(this, pfn, reinterpret_cast<MINMAXINFO*>(lParam));
        break;
    case AfxSig_v_i_DRAW:
        CallWndHandler<void, int, LPDRAWITEMSTRUCT>(this, pfn, static_cast<int>(wParam),
                                                    reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_v_i_MEASURE:
        CallWndHandler<void, int, LPMEASUREITEMSTRUCT>(this, pfn, static_cast<int>(wParam),
                                                       reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_v_DRAW:
        CallWndHandler<void, LPDRAWITEMSTRUCT>(this, pfn, reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_v_MEASURE:
        CallWndHandler<void, LPMEASUREITEMSTRUCT>(this, pfn, reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_v_u_l:
        CallWndHandler<void, UINT, LPARAM>(this, pfn, static_cast<UINT>(wParam), lParam);
        break;
    case AfxSig_v_u_W_b:
        CallWndHandler<void, UINT, CWnd*, BOOL>(this, pfn, LOWORD(wParam), WndArgL(lParam), HIWORD(wParam) != 0);
        break;
    case AfxSig_v_b_dw:
        CallWndHandler<void, BOOL, DWORD>(this, pfn, static_cast<BOOL>(wParam), static_cast<DWORD>(lParam));
        break;
    case AfxSig_v_b_u:
        CallWndHandler<void, BOOL, UINT>(this, pfn, static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        break;
    case AfxSig_v_POS:
        CallWndHandler<void, WINDOWPOS*>(this, pfn, reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case AfxSig_v_u_str:
        CallWndHandler<void, UINT, LPCTSTR>(this, pfn, static_cast<UINT>(wParam), reinterpret_cast<LPCTSTR>(lParam));
        break;
    case AfxSig_l_p:
        lResult = CallWndHandler<LRESULT, CPoint>(this, pfn, point);
        break;
    case AfxSig_v_b_NCCALC:
        CallWndHandler<void, BOOL, NCCALCSIZE_PARAMS*>(this, pfn, static_cast<BOOL>(wParam),
                                                       reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        break;
    case AfxSig_b_b:
        lResult = CallWndHandler<BOOL, BOOL>(this, pfn, static_cast<BOOL>(wParam));
        break;
    case AfxSig_v_b:
        CallWndHandler<void, BOOL>(this, pfn, static_cast<BOOL>(wParam));
        break;
    case AfxSig_v_u_u_SB:
        CallWndHandler<void, UINT, UINT, CScrollBar*>(this, pfn, LOWORD(wParam), HIWORD(wParam),
                                                      static_cast<CScrollBar*>(WndArgL(lParam)));
        break;
    case AfxSig_v_u_u:
        CallWndHandler<void, UINT, UINT>(this, pfn, LOWORD(wParam), HIWORD(wParam));
        break;
    case AfxSig_v_DROP:
        CallWndHandler<void, HDROP>(this, pfn, reinterpret_cast<HDROP>(wParam));
        break;
    case AfxSig_v_M_u_b:
        CallWndHandler<void, CMenu*, UINT, BOOL>(this, pfn, CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)),
                                                 LOWORD(lParam), HIWORD(lParam) != 0);
        break;
    case AfxSig_v_M:
        CallWndHandler<void, CMenu*>(this, pfn, CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)));
        break;
    case AfxSig_v_u_u_hm:
        CallWndHandler<void, UINT, UINT, HMENU>(this, pfn, LOWORD(wParam), HIWORD(wParam),
                                                reinterpret_cast<HMENU>(lParam));
        break;
    case AfxSig_l_u_u_M:
        lResult = CallWndHandler<LRESULT, UINT, UINT, CMenu*>(this, pfn, LOWORD(wParam), HIWORD(wParam),
                                                              CMenu::FromHandle(reinterpret_cast<HMENU>(lParam)));
        break;
    case AfxSig_b_W_COPY:
        lResult = CallWndHandler<BOOL, CWnd*, COPYDATASTRUCT*>(this, pfn, WndArg(wParam),
                                                               reinterpret_cast<COPYDATASTRUCT*>(lParam));
        break;
    case AfxSig_b_HELP:
        lResult = CallWndHandler<BOOL, HELPINFO*>(this, pfn, reinterpret_cast<HELPINFO*>(lParam));
        break;
    case AfxSig_v_i_STYLE:
        CallWndHandler<void, int, LPSTYLESTRUCT>(this, pfn, static_cast<int>(wParam),
                                                 reinterpret_cast<LPSTYLESTRUCT>(lParam));
        break;
    case AfxSig_b_u_dw:
        lResult =
            CallWndHandler<BOOL, UINT, DWORD_PTR>(this, pfn, static_cast<UINT>(wParam), static_cast<DWORD_PTR>(lParam));
        break;
    case AfxSig_l_D_u:
        lResult = CallWndHandler<LRESULT, CDC*, UINT>(this, pfn, DCArg(wParam), static_cast<UINT>(lParam));
        break;
    default:
        return FALSE;  // a command signature, or a table error
    }
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);

    if (!hWndCtrl)
    {
        // A menu item or an accelerator.
        if (nID == 0)
            return FALSE;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;  // disabled: eaten, not carried out
        nCode = CN_COMMAND;
    }
    else
    {
        // A control's notification: the control's own object goes first.
        if (ReflectToChild(hWndCtrl, WM_COMMAND, wParam, lParam, nullptr))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    const HWND hWndCtrl = pNMHDR->hwndFrom;
    // The control's own id, as the child window states it.
    const UINT nID = ::IsWindow(hWndCtrl) ? static_cast<UINT>(static_cast<WORD>(::GetDlgCtrlID(hWndCtrl)))
                                          : static_cast<UINT>(pNMHDR->idFrom);
    if (ReflectToChild(hWndCtrl, WM_NOTIFY, pNMHDR->idFrom, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify{};
    notify.pResult = pResult;
    notify.pNMHDR = pNMHDR;
    return OnCmdMsg(nID, static_cast<int>(MAKELONG(pNMHDR->code, WM_NOTIFY)), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lDummy = 0;
    if (!pResult)
        pResult = &lDummy;
    switch (message)
    {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND:
    {
        const int nCode = HIWORD(wParam);
        if (!OnCmdMsg(0, static_cast<int>(MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND)), nullptr, nullptr))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    case WM_NOTIFY:
    {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        AFX_NOTIFY notify{};
        notify.pResult = pResult;
        notify.pNMHDR = pNMHDR;
        return OnCmdMsg(0, static_cast<int>(MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY)), &notify, nullptr);
    }
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
            return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
        return FALSE;
    }
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    const MSG* pMsg = AfxGetCurrentMessage();
    return ReflectToChild(hWndChild, pMsg->message, pMsg->wParam, pMsg->lParam, pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG* pMsg = AfxGetCurrentMessage();
    return OnChildNotify(pMsg->message, pMsg->wParam, pMsg->lParam, pResult);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

void CWnd::DoDataExchange(CDataExchange*)
{
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try
    {
        DoDataExchange(&dx);
    }
    catch (CUserException* e)
    {
        // A validation failure: the user was told and the focus moved.
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT)
{
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, GetExStyle() & ~WS_EX_CLIENTEDGE);
}

// ---- modal loops ------------------------------------------------------------------------

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (!(m_nFlags & WF_CONTINUEMODAL))
        return;
    m_nFlags &= ~WF_CONTINUEMODAL;
    // Wake the loop in case it waits for a message.
    if (m_hWnd)
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
    else
        ::PostThreadMessageW(::GetCurrentThreadId(), WM_NULL, 0, 0);
}

int CWnd::RunModalLoop(DWORD dwFlags)
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    const HWND hWndParent = ::GetParent(m_hWnd);
    m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
    CWinThread* pThread = AfxGetThread();
    MSG msg{};
    // The idle work below frees only the temporary wrappers made inside this
    // loop: the handler that started the loop may still hold older ones.
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    const ULONG nOuterFloor = pState->m_nTempMapFloor;
    pState->m_nTempMapFloor = pState->m_nTempMapSerial + 1;

    for (;;)
    {
        // Idle: show the window once the queue first runs empty.
        while (bIdle && !::PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE))
        {
            if (bShowIdle)
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent && lIdleCount == 0)
                ::SendMessageW(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
            // The whole program may run inside this loop: it does the
            // thread's idle work (temporary wrappers, command-UI updates) as
            // the thread's own loop would.
            BOOL bMoreIdle = FALSE;
            if (!(dwFlags & MLF_NOKICKIDLE) && m_hWnd &&
                ::SendMessageW(m_hWnd, WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount))
                bMoreIdle = TRUE;
            if (lIdleCount == 0 && m_hWnd && (!pThread || pThread->m_pMainWnd != this))
            {
                ::SendMessageW(m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
                SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
            }
            if (pThread)
            {
                if (pThread->OnIdle(lIdleCount))
                    bMoreIdle = TRUE;
            }
            else if (lIdleCount == 0)
            {
                AfxDeleteTempMaps();
            }
            ++lIdleCount;
            if (!bMoreIdle)
                bIdle = FALSE;
            if (!ContinueModal())
                goto ExitModal;
        }

        do
        {
            if (!ContinueModal())
                goto ExitModal;
            if (::GetMessageW(&msg, NULL, 0, 0) <= 0)
            {
                // WM_QUIT ends this loop and, posted again with its code,
                // every loop around it.
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                m_nModalResult = -1;
                goto ExitModal;
            }
            if (!AfxPreTranslateMessage(&msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            if (bShowIdle && (msg.message == 0x0118 || msg.message == WM_SYSKEYDOWN))
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!ContinueModal())
                goto ExitModal;
            const bool bIdleMsg = pThread ? pThread->IsIdleMessage(&msg) != FALSE : IsIdleMessageDefault(&msg);
            if (bIdleMsg)
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE));
    }

ExitModal:
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    pState->m_nTempMapFloor = nOuterFloor;
    return m_nModalResult;
}

BOOL AFXAPI AfxIsIdleMessageDefault(const MSG* pMsg)
{
    return IsIdleMessageDefault(pMsg) ? TRUE : FALSE;
}
