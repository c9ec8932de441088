#include "WindowHelpers.h"

namespace
{

HHOOK g_hPopupMouseHook = nullptr;
HWND g_hPopupWatchedWnd = nullptr;

BOOL IsButtonDown(WPARAM nMessage)
{
    switch (nMessage)
    {
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CALLBACK PopupMouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && g_hPopupWatchedWnd && IsButtonDown(wParam))
    {
        const MOUSEHOOKSTRUCT* const pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        RECT rcWatched{};
        ::GetWindowRect(g_hPopupWatchedWnd, &rcWatched);
        if (!::PtInRect(&rcWatched, pInfo->pt))
        {
            HWND hFocus = ::GetWindow(g_hPopupWatchedWnd, GW_OWNER);
            if (!hFocus)
                hFocus = ::GetParent(g_hPopupWatchedWnd);
            ::SetFocus(hFocus);
            return 1;
        }
    }
    return ::CallNextHookEx(g_hPopupMouseHook, nCode, wParam, lParam);
}

BOOL IsChildWindow(HWND hWnd)
{
    return (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) != 0;
}

CString WindowText(HWND hWnd)
{
    CString str;
    if (hWnd)
        LVKGetWindowTextDirect(hWnd, str);
    return str;
}

}  // namespace

void AFX_CDECL LVKGetWindowTextDirect(HWND hWnd, CString& strText)
{
    strText.Empty();
    if (!hWnd)
        return;
    const int nLength = static_cast<int>(::DefWindowProcW(hWnd, WM_GETTEXTLENGTH, 0, 0));
    if (nLength <= 0)
        return;
    LPWSTR pszBuffer = strText.GetBuffer(nLength + 1);
    ::DefWindowProcW(hWnd, WM_GETTEXT, nLength + 1, reinterpret_cast<LPARAM>(pszBuffer));
    pszBuffer[nLength] = 0;
    strText.ReleaseBuffer();
}

CString AFX_CDECL LVKGetOwnerFrameTitle(HWND hWnd)
{
    if (!hWnd)
        return CString();
    CString strTitle = WindowText(hWnd);
    if (!strTitle.IsEmpty() && !IsChildWindow(hWnd))
        return strTitle;

    // The nearest ancestor that is itself a frame (not a child window).
    HWND hFrame = ::GetParent(hWnd);
    while (hFrame && IsChildWindow(hFrame))
        hFrame = ::GetParent(hFrame);
    if (hFrame)
        strTitle = WindowText(hFrame);
    if (strTitle.IsEmpty())
        strTitle = WindowText(::GetAncestor(hWnd, GA_ROOT));
    return strTitle;
}

BOOL AFX_CDECL LVKIsTopLevelActive(HWND hWnd)
{
    if (!hWnd)
        return FALSE;
    HWND hTop = hWnd;
    for (HWND hNext = hTop; hNext; hNext = ::GetParent(hNext))
        hTop = hNext;
    return ::GetForegroundWindow() == ::GetLastActivePopup(hTop);
}

BOOL AFX_CDECL LVKRegisterWindowClass(HINSTANCE hInstance, LPCWSTR lpszClassName, UINT nClassStyle, HICON hIcon,
                                      HBRUSH hbrBackground)
{
    WNDCLASSW wc{};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = hInstance ? hInstance : AfxGetInstanceHandle();
    if (!wc.hInstance)
        wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hIcon = hIcon;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = lpszClassName;
    return AfxRegisterClass(&wc);
}

void AFX_CDECL LVKSetPopupMouseHook(HWND hWnd)
{
    if (hWnd)
    {
        g_hPopupWatchedWnd = hWnd;
        if (!g_hPopupMouseHook)
            g_hPopupMouseHook = ::SetWindowsHookExW(WH_MOUSE, &PopupMouseHookProc, nullptr, ::GetCurrentThreadId());
        return;
    }
    if (g_hPopupMouseHook)
        ::UnhookWindowsHookEx(g_hPopupMouseHook);
    g_hPopupMouseHook = nullptr;
    g_hPopupWatchedWnd = nullptr;
}

HHOOK AFX_CDECL LVKGetPopupMouseHook()
{
    return g_hPopupMouseHook;
}

BOOL AFX_CDECL LVKFlushPaintMessages(HWND hWnd)
{
    static const UINT kPaintMessages[] = {WM_PAINT, WM_ERASEBKGND, WM_SYNCPAINT, WM_NCPAINT};
    for (;;)
    {
        MSG msg{};
        BOOL bFound = FALSE;
        for (const UINT nMessage : kPaintMessages)
        {
            if (::PeekMessageW(&msg, hWnd, nMessage, nMessage, PM_NOREMOVE))
            {
                bFound = TRUE;
                break;
            }
        }
        if (!bFound)
            return TRUE;
        if (msg.message == WM_QUIT)
            return FALSE;
        if (!::PeekMessageW(&msg, hWnd, msg.message, msg.message, PM_REMOVE))
            continue;
        if (msg.message == WM_QUIT)
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return FALSE;
        }
        ::DispatchMessageW(&msg);
        // A window that does not validate itself would post the same paint
        // again and again.
        if (msg.hwnd)
            ::ValidateRect(msg.hwnd, nullptr);
    }
}

void AFX_CDECL LVKMirrorArrowKey(HWND hWnd, UINT& nKey)
{
    if (!hWnd || !::IsWindow(hWnd) || !(::GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL))
        return;
    if (nKey == VK_LEFT)
        nKey = VK_RIGHT;
    else if (nKey == VK_RIGHT)
        nKey = VK_LEFT;
}

int AFX_CDECL LVKScreenToWindowPoint(HWND hWnd, POINT& pt)
{
    RECT rcWindow{};
    ::GetWindowRect(hWnd, &rcWindow);
    pt.y -= rcWindow.top;
    if (::GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)
    {
        pt.x = rcWindow.right - pt.x;
        return pt.x;
    }
    pt.x -= rcWindow.left;
    return 0;
}
