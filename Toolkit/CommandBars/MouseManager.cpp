#include "CommandBars/MouseManager.h"

#include "CommandBars/CommandBar.h"
#include "Foundation/WindowHelpers.h"

namespace
{
CThreadLocal<CLVKMouseManager> g_mouseManager;

const int kPointInside = 1;
const int kPointSkip = -2;

BOOL IsButtonDown(UINT nMessage)
{
    switch (nMessage)
    {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        return TRUE;
    default:
        return FALSE;
    }
}

// Input-method windows: clicks in them never close menus.
BOOL IsImeWindow(HWND hWnd)
{
    return hWnd && (::GetClassLongPtrW(hWnd, GCL_STYLE) & CS_IME) != 0;
}
}  // namespace

int CLVKMouseManager::CTrackArray::Find(const CLVKCommandBar* pBar) const
{
    for (size_t i = 0; i < size(); i++)
    {
        if ((*this)[i] == pBar)
            return static_cast<int>(i);
    }
    return -1;
}

int CLVKMouseManager::CTrustedArray::Find(HWND hWnd) const
{
    for (size_t i = 0; i < size(); i++)
    {
        if ((*this)[i] == hWnd)
            return static_cast<int>(i);
    }
    return -1;
}

CLVKMouseManager* AFX_CDECL CLVKMouseManager::GetThreadManager()
{
    return g_mouseManager.GetData();
}

CLVKMouseManager* AFX_CDECL CLVKMouseManager::GetThreadManagerIfAny()
{
    return g_mouseManager.GetDataNA();
}

CLVKMouseManager::CLVKMouseManager()
{
    InstallMouseHook(TRUE);
}

CLVKMouseManager::~CLVKMouseManager()
{
    InstallMouseHook(FALSE);
}

HHOOK CLVKMouseManager::InstallMouseHook(BOOL bInstall)
{
    if (bInstall && !m_hHook)
    {
        m_hHook = ::SetWindowsHookExW(WH_MOUSE, &MouseHookProc, nullptr, ::GetCurrentThreadId());
        return m_hHook;
    }
    if (!bInstall && m_hHook)
    {
        const BOOL bRemoved = ::UnhookWindowsHookEx(m_hHook);
        m_hHook = nullptr;
        return reinterpret_cast<HHOOK>(static_cast<INT_PTR>(bRemoved));
    }
    return m_hHook;
}

void CLVKMouseManager::AddTrackedBar(CLVKCommandBar* pBar)
{
    if (m_arrTracked.empty() && m_pHotBar && m_pHotBar != pBar)
        m_pHotBar->ClearSelection();
    if (m_arrTracked.Find(pBar) < 0)
        m_arrTracked.push_back(pBar);
}

void CLVKMouseManager::RemoveTrackedBar(CLVKCommandBar* pBar)
{
    const int nIndex = m_arrTracked.Find(pBar);
    if (nIndex >= 0)
    {
        m_arrTracked.erase(m_arrTracked.begin() + nIndex);
        if (m_arrTracked.empty())
            RefreshMousePosition();
    }
    m_bIgnoreButtonUp = FALSE;
}

void CLVKMouseManager::CloseTrackedBars()
{
    while (!m_arrTracked.empty())
    {
        CLVKCommandBar* pBar = m_arrTracked.front();
        const size_t nBefore = m_arrTracked.size();
        if (pBar)
            pBar->EndTracking();
        // A bar that did not leave the list (or a null entry) must not hold
        // the loop forever.
        if (m_arrTracked.size() == nBefore && !m_arrTracked.empty() && m_arrTracked.front() == pBar)
            m_arrTracked.erase(m_arrTracked.begin());
    }
}

void CLVKMouseManager::CloseUnlockedBars()
{
    if (m_arrTracked.empty() || !m_arrTracked.front() || m_arrTracked.front()->GetInputLock() <= 0)
        return;
    // Ending tracking removes entries: walk a copy.
    const CTrackArray bars = m_arrTracked;
    for (CLVKCommandBar* pBar : bars)
    {
        if (pBar && m_arrTracked.Find(pBar) >= 0 && pBar->GetInputLock() == 0)
            pBar->EndTracking();
    }
}

void CLVKMouseManager::LockTrackedBars(BOOL bLock)
{
    for (CLVKCommandBar* pBar : m_arrTracked)
    {
        if (pBar)
            pBar->SetInputLock(pBar->GetInputLock() + (bLock ? 1 : -1));
    }
}

BOOL CLVKMouseManager::IsTrackingOtherBar(CLVKCommandBar* pBar) const
{
    if (m_arrTracked.empty())
        return FALSE;
    return !pBar || pBar->GetInputLock() > 0 || m_arrTracked.Find(pBar) < 0;
}

int CLVKMouseManager::BarContains(CLVKCommandBar* pBar, CPoint ptScreen, HWND hWndAtPoint)
{
    const int nAnswer = pBar->IsPointInBar(ptScreen);
    if (nAnswer == kPointSkip)
        return kPointSkip;
    if (nAnswer == kPointInside)
        return kPointInside;
    // The window under the point lies in the bar: its parent chain (owners
    // of popups count) reaches the bar.
    const HWND hBar = pBar->GetSafeHwnd();
    for (HWND hWnd = hWndAtPoint; hWnd; hWnd = ::GetParent(hWnd))
    {
        if (hWnd == hBar)
            return kPointInside;
    }
    return 0;
}

CLVKCommandBar* CLVKMouseManager::FindTrackedBarAt(CPoint ptScreen) const
{
    const HWND hWndAtPoint = ::WindowFromPoint(ptScreen);
    for (auto it = m_arrTracked.rbegin(); it != m_arrTracked.rend(); ++it)
    {
        CLVKCommandBar* pBar = *it;
        if (!pBar || !pBar->GetSafeHwnd())
            continue;
        if (pBar->IsPointInBar(ptScreen) == kPointInside ||
            (hWndAtPoint && ::IsChild(pBar->GetSafeHwnd(), hWndAtPoint)))
            return pBar;
    }
    return nullptr;
}

BOOL CLVKMouseManager::IsInTrustedWindow(CPoint ptScreen) const
{
    for (HWND hWnd : m_arrTrusted)
    {
        RECT rc{};
        if (::IsWindow(hWnd) && ::IsWindowVisible(hWnd) && ::GetWindowRect(hWnd, &rc) && ::PtInRect(&rc, ptScreen))
            return TRUE;
    }
    return FALSE;
}

void CLVKMouseManager::OnTrackedMouseMessage(UINT nMessage, CPoint ptScreen)
{
    const HWND hWndAtPoint = ::WindowFromPoint(ptScreen);
    for (auto it = m_arrTracked.rbegin(); it != m_arrTracked.rend(); ++it)
    {
        CLVKCommandBar* pBar = *it;
        if (!pBar || !pBar->GetSafeHwnd())
            continue;
        const int nContains = BarContains(pBar, ptScreen, hWndAtPoint);
        if (nContains == kPointSkip || nContains != kPointInside)
            continue;
        // A press on an outer menu level while a nested popup runs closes
        // the levels above it.
        if (pBar->GetInputLock() > 0 && nMessage != WM_MOUSEMOVE && nMessage != WM_NCMOUSEMOVE && !m_bIgnoreButtonUp)
        {
            CloseUnlockedBars();
            m_ptLast = CPoint(0, 0);
        }
        return;
    }
    if (IsInTrustedWindow(ptScreen))
        return;
    if (IsImeWindow(hWndAtPoint))
        return;

    const CTrackArray bars = m_arrTracked;
    for (CLVKCommandBar* pBar : bars)
    {
        if (!pBar || !pBar->GetSafeHwnd() || m_arrTracked.Find(pBar) < 0)
            continue;
        switch (nMessage)
        {
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
            if (pBar->GetInputLock() <= 0)
            {
                // The bar's own mouse-move handler drops its hot control.
                CPoint pt = ptScreen;
                pBar->ScreenToClient(&pt);
                pBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
            }
            break;
        case WM_LBUTTONUP:
        case WM_NCLBUTTONUP:
            if (m_nLock > 0)
                break;
            CloseTrackedBars();
            break;
        default:
            if (IsButtonDown(nMessage))
                CloseTrackedBars();
            break;
        }
    }
}

LRESULT CALLBACK CLVKMouseManager::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CLVKMouseManager* pManager = GetThreadManagerIfAny();
    if (nCode != HC_ACTION || !pManager)
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    const UINT nMessage = static_cast<UINT>(wParam);
    const MOUSEHOOKSTRUCT* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    if (nMessage == WM_LBUTTONDOWN || nMessage == WM_RBUTTONDOWN)
        pManager->m_bIgnoreButtonUp = FALSE;
    if ((nMessage == WM_LBUTTONUP || nMessage == WM_NCLBUTTONUP) && pManager->m_bIgnoreButtonUp)
    {
        pManager->m_bIgnoreButtonUp = FALSE;
        return 1;
    }
    if (!pManager->m_arrTracked.empty() && pInfo)
        pManager->OnTrackedMouseMessage(nMessage, CPoint(pInfo->pt));
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

BOOL CLVKMouseManager::PreviewTrackingLoopMessage(CLVKCommandBar* pBar, const MSG& msg)
{
    if (msg.message != WM_LBUTTONDOWN && msg.message != WM_RBUTTONDOWN && msg.message != WM_MBUTTONDOWN &&
        msg.message != WM_NCLBUTTONDOWN && msg.message != WM_NCRBUTTONDOWN)
        return FALSE;
    // Where the press is: the point it carries (screen coordinates for the
    // non-client presses, client ones of its window otherwise).
    POINT pt{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    if (msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN || msg.message == WM_MBUTTONDOWN)
    {
        if (!msg.hwnd || !::ClientToScreen(msg.hwnd, &pt))
            ::GetCursorPos(&pt);
    }
    CLVKCommandBar* pFound = FindTrackedBarAt(pt);
    if (pFound && (pFound->GetInputLock() == 0 || (pBar && pBar->GetInputLock() > 0)))
        return FALSE;
    if (m_arrTracked.empty())
        return TRUE;
    if (IsInTrustedWindow(pt))
        return FALSE;
    const HWND hWndAtPoint = ::WindowFromPoint(pt);
    if (!hWndAtPoint)
        return TRUE;
    return !IsImeWindow(hWndAtPoint);
}

void CLVKMouseManager::AddTrustedWindow(HWND hWnd)
{
    m_arrTrusted.push_back(hWnd);
}

void CLVKMouseManager::RemoveTrustedWindow(HWND hWnd)
{
    const int nIndex = m_arrTrusted.Find(hWnd);
    if (nIndex >= 0)
        m_arrTrusted.erase(m_arrTrusted.begin() + nIndex);
}

void CLVKMouseManager::TrackMouseLeave(HWND hWnd)
{
    if (hWnd == m_hLeaveWindow)
        return;
    if (m_hLeaveWindow && ::IsWindow(m_hLeaveWindow))
    {
        ::KillTimer(m_hLeaveWindow, kLeaveTimerId);
        ::SendMessageW(m_hLeaveWindow, WM_MOUSELEAVE, 0, 0);
    }
    m_hLeaveWindow = hWnd;
    if (hWnd)
        ::SetTimer(hWnd, kLeaveTimerId, kLeaveTimerPeriod, &MouseLeaveTimerProc);
}

void CALLBACK CLVKMouseManager::MouseLeaveTimerProc(HWND hWnd, UINT /*nMessage*/, UINT_PTR nIDEvent, DWORD /*dwTime*/)
{
    CLVKMouseManager* pManager = GetThreadManagerIfAny();
    if (!::IsWindow(hWnd))
    {
        if (pManager && pManager->m_hLeaveWindow == hWnd)
            pManager->m_hLeaveWindow = nullptr;
        return;
    }
    POINT pt{};
    ::GetCursorPos(&pt);
    RECT rc{};
    ::GetWindowRect(hWnd, &rc);
    if (::PtInRect(&rc, pt))
    {
        const BOOL bTopLevel = ::GetParent(hWnd) == nullptr;
        const BOOL bPopup = (::GetWindowLongW(hWnd, GWL_STYLE) & WS_POPUP) != 0;
        if (bTopLevel || bPopup || LVKIsTopLevelActive(hWnd))
            return;
    }
    ::KillTimer(hWnd, nIDEvent);
    if (pManager && pManager->m_hLeaveWindow == hWnd)
        pManager->m_hLeaveWindow = nullptr;
    ::PostMessageW(hWnd, WM_MOUSELEAVE, 0, 0);
}

void CLVKMouseManager::RefreshMousePosition()
{
    m_ptLast = CPoint(-1, -1);
    POINT pt{};
    if (::GetCursorPos(&pt))
        ::SetCursorPos(pt.x, pt.y);
}
