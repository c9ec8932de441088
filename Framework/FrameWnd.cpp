#include "FrameWnd.h"
#include "ControlBar.h"
#include "ModuleState.h"

#include <mutex>
#include <vector>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_ACTIVATE()
    ON_WM_ENABLE()
    ON_WM_SHOWWINDOW()
    ON_WM_MENUSELECT()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, HandleIdleUpdateCmdUI)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

namespace
{

// Every frame object, linked from construction to destruction. Each belongs
// to the thread that made it; the idle walk takes only its own thread's.
std::mutex g_frameListLock;
CFrameWnd* g_pFirstFrame = nullptr;

const wchar_t kReadyText[] = L"Ready";

}  // namespace

CFrameWnd::CFrameWnd() : m_nThreadId(::GetCurrentThreadId())
{
    const std::lock_guard<std::mutex> lock(g_frameListLock);
    m_pNextFrame = g_pFirstFrame;
    g_pFirstFrame = this;
}

CFrameWnd::~CFrameWnd()
{
    {
        const std::lock_guard<std::mutex> lock(g_frameListLock);
        for (CFrameWnd** ppFrame = &g_pFirstFrame; *ppFrame; ppFrame = &(*ppFrame)->m_pNextFrame)
        {
            if (*ppFrame == this)
            {
                *ppFrame = m_pNextFrame;
                break;
            }
        }
    }
    if (m_hAccelTable && m_bOwnsAccelTable)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       LPCTSTR lpszMenuName, DWORD dwExStyle)
{
    HMENU hMenu = NULL;
    if (lpszMenuName)
    {
        hMenu = ::LoadMenuW(AfxGetResourceHandle(), lpszMenuName);
        if (!hMenu)
            return FALSE;  // the frame would lack its commands
    }
    // The system's default position covers the size as well: CreateWindowEx
    // takes CW_USEDEFAULT for the width only with it.
    const bool bDefault = rect.left == CW_USEDEFAULT;
    const int x = bDefault ? CW_USEDEFAULT : rect.left;
    const int y = bDefault ? CW_USEDEFAULT : rect.top;
    const int cx = bDefault ? CW_USEDEFAULT : rect.right - rect.left;
    const int cy = bDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy, pParentWnd->GetSafeHwnd(), hMenu))
    {
        if (hMenu)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd)
{
    CString strTitle;
    GetMessageString(nIDResource, strTitle);
    const HINSTANCE hInst = AfxGetResourceHandle();
    const LPCTSTR lpszResource = MAKEINTRESOURCEW(nIDResource);
    const LPCTSTR lpszMenuName = ::FindResourceW(hInst, lpszResource, MAKEINTRESOURCEW(4)) ? lpszResource : NULL;
    if (!Create(NULL, strTitle, dwDefaultStyle, rectDefault, pParentWnd, lpszMenuName))
        return FALSE;
    if (::FindResourceW(hInst, lpszResource, MAKEINTRESOURCEW(9)))
        LoadAccelTable(lpszResource);
    return TRUE;
}

void CFrameWnd::InitialUpdateFrame(BOOL bMakeVisible)
{
    if (!m_hWnd)
        return;
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    RecalcLayout();
    if (bMakeVisible)
    {
        ShowWindow(SW_SHOW);
        UpdateWindow();
    }
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (!m_hWnd || m_bInRecalcLayout)
        return;  // a bar that resizes itself during the layout asks again
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify)
{
    m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0);
}

void CFrameWnd::OnIdleUpdateCmdUI()
{
    if (m_nIdleFlags & idleLayout)
        RecalcLayout((m_nIdleFlags & idleNotify) != 0);
    if ((m_nIdleFlags & idleMenu) && m_hWnd && ::GetMenu(m_hWnd))
        ::DrawMenuBar(m_hWnd);
    m_nIdleFlags &= ~(idleMenu | idleTitle);
}

LRESULT CFrameWnd::HandleIdleUpdateCmdUI(WPARAM, LPARAM)
{
    OnIdleUpdateCmdUI();
    return 0;
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    if (!m_hWnd || nID == 0)
        return nullptr;
    CWnd* pWnd = CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, static_cast<int>(nID)));
    if (!pWnd || !pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)))
        return nullptr;
    return static_cast<CControlBar*>(pWnd);
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                           (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    if (bDelay)
        DelayRecalcLayout();
    else
        RecalcLayout();
}

CWnd* CFrameWnd::GetMessageBar()
{
    if (!m_hWnd)
        return nullptr;
    const HWND hWndBar = ::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR);
    return hWndBar ? CWnd::FromHandle(hWndBar) : nullptr;
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    rMessage.Empty();
    CString strResource;
    if (nID != 0 && strResource.LoadString(AfxGetResourceHandle(), nID))
    {
        // A prompt string holds the status text, then '\n' and the tooltip.
        const int nNewLine = strResource.Find(L'\n');
        rMessage = nNewLine >= 0 ? strResource.Left(nNewLine) : strResource;
        return;
    }
    if (nID == AFX_IDS_IDLEMESSAGE)
        rMessage = kReadyText;
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, static_cast<WPARAM>(nID), 0);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    const UINT nIDLast = m_nIDLastMessage;
    m_nFlags &= ~WF_NOPOPMSG;
    CWnd* pMessageBar = GetMessageBar();
    if (pMessageBar)
    {
        CString strMessage;
        LPCTSTR lpszText = reinterpret_cast<LPCTSTR>(lParam);
        if (!lpszText)
        {
            GetMessageString(static_cast<UINT>(wParam), strMessage);
            lpszText = strMessage;
        }
        pMessageBar->SetWindowText(lpszText);
    }
    m_nIDLastMessage = static_cast<UINT>(wParam);
    m_nIDTracking = static_cast<UINT>(wParam);
    return static_cast<LRESULT>(nIDLast);
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    // A frame that holds a text of its own (a help mode, a long operation)
    // keeps it when a bar lets go of its prompt.
    if (m_nFlags & WF_NOPOPMSG)
        return 0;
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && !hSysMenu)
    {
        // The menu closed: back to the idle prompt.
        m_nFlags &= ~WF_NOPOPMSG;
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;
    }
    else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP | MF_MENUBREAK | MF_MENUBARBREAK)))
    {
        m_nIDTracking = 0;  // nothing to run here: no prompt
    }
    else if (nFlags & MF_SYSMENU)
    {
        m_nIDTracking = 0;  // the system's commands have no prompts of ours
    }
    else
    {
        m_nIDTracking = nItemID;
    }
    if (m_nIDTracking != m_nIDLastMessage)
        SendMessage(WM_SETMESSAGESTRING, static_cast<WPARAM>(m_nIDTracking));
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
    if (m_hAccelTable || !lpszResourceName)
        return FALSE;
    m_hAccelTable = ::LoadAcceleratorsW(AfxGetResourceHandle(), lpszResourceName);
    m_bOwnsAccelTable = m_hAccelTable != NULL;
    return m_hAccelTable != NULL;
}

HACCEL CFrameWnd::GetDefaultAccelerator()
{
    return m_hAccelTable;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWnd)
    {
        const HACCEL hAccel = GetDefaultAccelerator();
        if (hAccel && ::TranslateAcceleratorW(m_hWnd, hAccel, pMsg))
            return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    if (!m_hWnd)
        return;
    // Collect first: a window may come or go while it handles the message.
    std::vector<HWND> floating;
    const DWORD nThreadId = ::GetCurrentThreadId();
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        if (hWnd == m_hWnd || ::GetWindowThreadProcessId(hWnd, NULL) != nThreadId)
            continue;
        for (HWND hWndOwner = ::GetWindow(hWnd, GW_OWNER); hWndOwner; hWndOwner = ::GetWindow(hWndOwner, GW_OWNER))
        {
            if (hWndOwner == m_hWnd)
            {
                floating.push_back(hWnd);
                break;
            }
        }
    }
    for (HWND hWnd : floating)
    {
        if (::IsWindow(hWnd))
            ::SendMessageW(hWnd, WM_FLOATSTATUS, static_cast<WPARAM>(dwFlags), 0);
    }
}

void CFrameWnd::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState != WA_INACTIVE)
    {
        NotifyFloatingWindows(FS_ACTIVATE);
        return;
    }
    // Activating one of the frame's own floating windows that follows its
    // activation is no deactivation of the frame.
    const HWND hWndOther = pWndOther->GetSafeHwnd();
    if (hWndOther && ::GetWindow(hWndOther, GW_OWNER) == m_hWnd &&
        ::SendMessageW(hWndOther, WM_FLOATSTATUS, FS_SYNCACTIVE, 0))
        return;
    NotifyFloatingWindows(FS_DEACTIVATE);
}

void CFrameWnd::OnEnable(BOOL bEnable)
{
    CWnd::OnEnable(bEnable);
    NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

void CFrameWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CWnd::OnShowWindow(bShow, nStatus);
    // Minimizing and restoring hide and show owned windows by themselves.
    if (nStatus == 0)
        NotifyFloatingWindows(bShow ? FS_SHOW : FS_HIDE);
}

void AFXAPI AfxUpdateFramesOnIdle(CWnd* pMainWnd)
{
    std::vector<HWND> frames;
    {
        const std::lock_guard<std::mutex> lock(g_frameListLock);
        const DWORD nThreadId = ::GetCurrentThreadId();
        for (CFrameWnd* pFrame = g_pFirstFrame; pFrame; pFrame = pFrame->m_pNextFrame)
        {
            if (pFrame->m_nThreadId == nThreadId && pFrame->m_hWnd && pFrame != pMainWnd)
                frames.push_back(pFrame->m_hWnd);
        }
    }
    // By handle: a frame may close while another one is updated.
    for (HWND hWnd : frames)
    {
        if (!::IsWindow(hWnd) || !::IsWindowVisible(hWnd))
            continue;
        ::SendMessageW(hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
        CWnd* pFrame = CWnd::FromHandlePermanent(hWnd);
        if (pFrame)
            pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
}
