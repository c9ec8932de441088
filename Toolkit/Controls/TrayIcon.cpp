#include "TrayIcon.h"

#include "Foundation/PopupMenuService.h"
#include "Foundation/ModuleHandle.h"
#include "Foundation/ResourceManager.h"
#include "Foundation/SystemVersion.h"
#include "Foundation/WindowHelpers.h"

#include <algorithm>

namespace
{

const wchar_t kTrayWindowClass[] = L"LVKTrayIcon";
// Flags of an add: message, icon and tip.
const UINT kAddFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
// NOTIFYICONDATAW as Windows XP knows it (without the balloon icon).
const DWORD kNotifyIconDataSizeXP = 952;

// The shell broadcasts this when the task bar is made again (explorer restarted).
const UINT g_nTaskbarCreatedMessage = ::RegisterWindowMessageW(L"TaskbarCreated");

HICON LoadSmallIcon(UINT nResourceId)
{
    return CLVKResourceManager::GetGlobal()->LoadIconById(nResourceId, ::GetSystemMetrics(SM_CXSMICON),
                                                          ::GetSystemMetrics(SM_CYSMICON));
}

struct TrayRectSearch
{
    RECT* pRect;
};

BOOL CALLBACK FindTrayParts(HWND hWnd, LPARAM lParam)
{
    RECT* pRect = reinterpret_cast<TrayRectSearch*>(lParam)->pRect;
    wchar_t szClass[64]{};
    ::GetClassNameW(hWnd, szClass, static_cast<int>(std::size(szClass)));
    if (::lstrcmpiW(szClass, L"TrayNotifyWnd") == 0)
    {
        ::GetWindowRect(hWnd, pRect);
        return TRUE;
    }
    if (::lstrcmpW(szClass, L"TrayClockWClass") == 0)
    {
        RECT rcClock{};
        ::GetWindowRect(hWnd, &rcClock);
        // A clock well above the bottom means the task bar stands vertically.
        if (rcClock.bottom < pRect->bottom - 5)
            pRect->top = rcClock.bottom;
        else
            pRect->right = rcClock.left;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

BEGIN_MESSAGE_MAP(CLVKTrayIcon, CWnd)
    ON_WM_TIMER()
    ON_WM_SETTINGCHANGE()
    ON_REGISTERED_MESSAGE(g_nTaskbarCreatedMessage, OnTaskbarCreated)
END_MESSAGE_MAP()

CLVKTrayIcon::CLVKTrayIcon()
{
    CLVKSystemVersion* pVersion = CLVKSystemVersion::GetGlobal();
    m_nid.cbSize = pVersion->IsWinXP() ? kNotifyIconDataSizeXP : sizeof(NOTIFYICONDATAW);
    m_nid.uCallbackMessage = kTrayNotifyMessage;
    LVKRegisterWindowClass(nullptr, kTrayWindowClass, 0, nullptr, nullptr);
}

CLVKTrayIcon::~CLVKTrayIcon()
{
    RemoveIcon();
    if (GetSafeHwnd())
        DestroyWindow();
    ClearAnimationIcons();
    if (m_wndHidden.GetSafeHwnd())
        m_wndHidden.DestroyWindow();
}

BOOL CLVKTrayIcon::CreateDefault(LPCWSTR lpszTip, int /*nUnused*/, CWnd* pOwner, UINT nIconId)
{
    return Create(lpszTip, pOwner, nIconId, 0, 0, FALSE);
}

BOOL CLVKTrayIcon::Create(LPCWSTR lpszTip, CWnd* pOwner, UINT nIconId, UINT uID, UINT nDefaultMenuItem,
                          BOOL bDefaultByPos)
{
    m_nIconId = nIconId;
    m_strToolTipText = lpszTip ? lpszTip : L"";
    m_hNotifyWindow = pOwner ? pOwner->GetSafeHwnd() : nullptr;
    m_nMaxTipLength = 127;
    SetIcon(nIconId);
    SetTooltipText(m_strToolTipText);
    if (!GetSafeHwnd() && !CreateEx(0, kTrayWindowClass, m_strToolTipText, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr))
        return FALSE;
    m_nid.hWnd = GetSafeHwnd();
    m_nid.uID = uID;
    m_nDefaultMenuItem = nDefaultMenuItem;
    m_bDefaultItemByPosition = bDefaultByPos ? 1 : 0;
    m_nAddFlags = kAddFlags;
    return AddIcon();
}

void CLVKTrayIcon::StopAnimation()
{
    if (GetSafeHwnd())
        KillTimer(m_nTimerId);
    PutTip(m_strToolTipText);
    SetIcon(m_nIconId);
}

void CLVKTrayIcon::StartAnimation(UINT nMilliseconds)
{
    if (GetSafeHwnd())
        SetTimer(m_nTimerId, nMilliseconds);
}

BOOL CLVKTrayIcon::SetAnimationIcons(const UINT* pIconIds, int nCount, const CString* pTips)
{
    ClearAnimationIcons();
    for (int i = 0; i < nCount && pIconIds; ++i)
    {
        const HICON hIcon = LoadSmallIcon(LOWORD(pIconIds[i]));
        if (!hIcon)
            return FALSE;
        TRAYICONDATA frame;
        frame.hIcon = hIcon;
        if (pTips)
            frame.strTip = pTips[i];
        m_arrFrames.push_back(frame);
    }
    return TRUE;
}

BOOL CLVKTrayIcon::SetAnimationIconsAlt(const UINT* pIconIds, const CString* pTips, int nCount)
{
    return SetAnimationIcons(pIconIds, nCount, pTips);
}

void CLVKTrayIcon::RestoreIcon()
{
    if (m_bHidden || m_bRemoved)
        return;
    m_nid.uFlags = m_nAddFlags;
    m_bAddFailed = CallShellNotifyIcon(NIM_ADD, &m_nid) ? 0 : 1;
}

BOOL CLVKTrayIcon::HideWindowInTray(CWnd* pWnd)
{
    if (!m_wndHidden.GetSafeHwnd() &&
        !m_wndHidden.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, nullptr, nullptr))
        return FALSE;
    if (pWnd)
        pWnd->SetParent(&m_wndHidden);
    return TRUE;
}

void CLVKTrayIcon::ClearAnimationIcons()
{
    for (TRAYICONDATA& frame : m_arrFrames)
    {
        if (frame.hIcon)
            ::DestroyIcon(frame.hIcon);
    }
    m_arrFrames.clear();
    m_nCurrentFrame = 0;
}

BOOL CLVKTrayIcon::SetTooltipText(LPCWSTR lpszText)
{
    m_strToolTipText = lpszText ? lpszText : L"";
    if (m_strToolTipText.GetLength() > m_nMaxTipLength - 1)
        m_strToolTipText = m_strToolTipText.Left(m_nMaxTipLength - 1);
    PutTip(m_strToolTipText);
    return ModifyUnlessHidden();
}

BOOL CLVKTrayIcon::SetIcon(UINT nResourceId)
{
    m_currentIcon.SetIcon(LoadSmallIcon(nResourceId));
    return SetIconHandle(m_currentIcon);
}

void CLVKTrayIcon::SetAnimationTimer(UINT nTimerId, UINT nMilliseconds)
{
    m_nTimerId = nTimerId;
    StartAnimation(nMilliseconds);
}

LRESULT CLVKTrayIcon::OnTrayNotification(WPARAM wParam, LPARAM lParam)
{
    if (wParam != m_nid.uID || !m_hNotifyWindow)
        return 0;
    // The owner may take the event over.
    if (::SendMessageW(m_hNotifyWindow, kTrayNotifyMessage, wParam, lParam))
        return 1;
    switch (LOWORD(lParam))
    {
    case WM_CONTEXTMENU:
    case WM_RBUTTONUP:
    case NIN_SELECT:
    case NIN_KEYSELECT:
        if (!ShowContextMenu())
            return 0;
        break;
    case WM_LBUTTONDBLCLK:
        if (!SendDefaultCommand())
            return 0;
        break;
    default:
        break;
    }
    return 1;
}

BOOL CLVKTrayIcon::AddIcon()
{
    if (!m_bRemoved)
        RemoveIcon();
    m_nid.uFlags = kAddFlags;
    if (!CallShellNotifyIcon(NIM_ADD, &m_nid))
    {
        m_bAddFailed = 1;
        return FALSE;
    }
    m_bHidden = 0;
    m_bRemoved = 0;
    return TRUE;
}

BOOL CLVKTrayIcon::RemoveIcon()
{
    m_bAddFailed = 0;
    if (m_bRemoved)
        return TRUE;
    m_nid.uFlags = 0;
    if (!CallShellNotifyIcon(NIM_DELETE, &m_nid))
        return FALSE;
    m_bHidden = 1;
    m_bRemoved = 1;
    return TRUE;
}

BOOL CLVKTrayIcon::HideIcon()
{
    if (m_bHidden || m_bRemoved)
        return TRUE;
    if (!IsShell5OrLater())
        return RemoveIcon();
    m_nid.uFlags = NIF_STATE;
    m_nid.dwState = NIS_HIDDEN;
    m_nid.dwStateMask = NIS_HIDDEN;
    m_bHidden = CallShellNotifyIcon(NIM_MODIFY, &m_nid) ? 1 : 0;
    return m_bHidden;
}

BOOL CLVKTrayIcon::ShowIcon()
{
    if (m_bRemoved)
        return AddIcon();
    if (!m_bHidden)
        return TRUE;
    if (!IsShell5OrLater())
        return AddIcon();
    m_nid.uFlags = NIF_STATE;
    m_nid.dwState = 0;
    m_nid.dwStateMask = NIS_HIDDEN;
    if (!CallShellNotifyIcon(NIM_MODIFY, &m_nid))
        return FALSE;
    m_bHidden = 0;
    m_bRemoved = 0;
    return TRUE;
}

BOOL CLVKTrayIcon::SetIconHandle(HICON hIcon)
{
    if (m_nid.hIcon == hIcon)
        return TRUE;
    m_nid.uFlags = NIF_ICON;
    m_nid.hIcon = hIcon;
    return ModifyUnlessHidden();
}

void CLVKTrayIcon::MinimizeToTray(CWnd* pWnd)
{
    if (!pWnd || !pWnd->GetSafeHwnd())
        return;
    if (IsWindowAnimationOn())
    {
        RECT rcFrom{};
        RECT rcTo{};
        ::GetWindowRect(pWnd->GetSafeHwnd(), &rcFrom);
        GetTrayWindowRect(&rcTo);
        ::DrawAnimatedRects(pWnd->GetSafeHwnd(), IDANI_CAPTION, &rcFrom, &rcTo);
    }
    HideWindowInTray(pWnd);
    pWnd->ShowWindow(SW_HIDE);
}

void CLVKTrayIcon::RestoreFromTray(CWnd* pWnd)
{
    if (!pWnd || !pWnd->GetSafeHwnd())
        return;
    pWnd->SetParent(nullptr);
    if (IsWindowAnimationOn())
    {
        RECT rcFrom{};
        RECT rcTo{};
        GetTrayWindowRect(&rcFrom);
        ::GetWindowRect(pWnd->GetSafeHwnd(), &rcTo);
        ::DrawAnimatedRects(pWnd->GetSafeHwnd(), IDANI_CAPTION, &rcFrom, &rcTo);
    }
    ::SetWindowPos(pWnd->GetSafeHwnd(), nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
    if (m_wndHidden.GetSafeHwnd())
        ::SetActiveWindow(m_wndHidden.GetSafeHwnd());
    ::SetActiveWindow(pWnd->GetSafeHwnd());
    ::SetForegroundWindow(pWnd->GetSafeHwnd());
}

BOOL CLVKTrayIcon::GetTrayWindowRect(RECT* pRect)
{
    if (!pRect)
        return FALSE;
    const HWND hTray = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    if (hTray)
    {
        ::GetWindowRect(hTray, pRect);
        TrayRectSearch search{pRect};
        ::EnumChildWindows(hTray, &FindTrayParts, reinterpret_cast<LPARAM>(&search));
        return TRUE;
    }
    APPBARDATA abd{};
    abd.cbSize = sizeof(abd);
    if (::SHAppBarMessage(ABM_GETTASKBARPOS, &abd))
    {
        const RECT& rc = abd.rc;
        if (abd.uEdge == ABE_TOP || abd.uEdge == ABE_BOTTOM)
            *pRect = RECT{rc.right - 100, rc.top, rc.right - 16, rc.bottom};
        else if (abd.uEdge == ABE_LEFT || abd.uEdge == ABE_RIGHT)
            *pRect = RECT{rc.left, rc.bottom - 100, rc.right, rc.bottom - 16};
        return TRUE;
    }
    RECT rcWork{};
    if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0))
        return FALSE;
    *pRect = RECT{rcWork.right - 150, rcWork.bottom - 30, rcWork.right, rcWork.bottom};
    return TRUE;
}

BOOL CLVKTrayIcon::CallShellNotifyIcon(DWORD dwMessage, NOTIFYICONDATAW* pData)
{
    return ::Shell_NotifyIconW(dwMessage, pData);
}

bool CLVKTrayIcon::IsShell5OrLater()
{
    static const bool bShell5 = []
    {
        CLVKModuleHandle shell32;
        return shell32.Bind(L"shell32.dll") && shell32.GetPackedDllVersion() > 0x4FFFF;
    }();
    return bShell5;
}

LRESULT CLVKTrayIcon::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == m_nid.uCallbackMessage)
        return OnTrayNotification(wParam, lParam);
    return CWnd::WindowProc(message, wParam, lParam);
}

void CLVKTrayIcon::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == m_nTimerId)
    {
        ShowAnimationFrame();
        return;
    }
    CWnd::OnTimer(nIDEvent);
}

void CLVKTrayIcon::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CWnd::OnSettingChange(uFlags, lpszSection);
    // A refused add is tried again once the shell's work area moves (the
    // task bar came up).
    if (uFlags == SPI_SETWORKAREA && m_bAddFailed)
        RetryFailedAdd();
}

LRESULT CLVKTrayIcon::OnTaskbarCreated(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (m_bAddFailed)
        RetryFailedAdd();
    else
        RestoreIcon();
    return 0;
}

void CLVKTrayIcon::RetryFailedAdd()
{
    // Only an icon that was meant to be in the tray: Create ran (the add
    // flags are set) and nobody removed it since (RemoveIcon clears the
    // failure).
    if (m_nAddFlags == 0)
        return;
    m_nid.uFlags = m_nAddFlags;
    if (!CallShellNotifyIcon(NIM_ADD, &m_nid))
        return;
    m_bAddFailed = 0;
    m_bHidden = 0;
    m_bRemoved = 0;
}

void CLVKTrayIcon::ShowAnimationFrame()
{
    // Started without frames: nothing to show.
    if (m_arrFrames.empty())
        return;
    if (m_nCurrentFrame >= static_cast<int>(m_arrFrames.size()))
        m_nCurrentFrame = 0;
    const TRAYICONDATA& frame = m_arrFrames[m_nCurrentFrame];
    PutTip(frame.strTip.IsEmpty() ? m_strToolTipText : frame.strTip);
    ModifyUnlessHidden();
    if (frame.hIcon)
        SetIconHandle(frame.hIcon);
    m_nCurrentFrame = (m_nCurrentFrame + 1) % static_cast<int>(m_arrFrames.size());
}

void CLVKTrayIcon::PutTip(LPCWSTR lpszText)
{
    m_nid.uFlags = NIF_TIP;
    const int nLimit = std::min<int>(m_nMaxTipLength - 1, static_cast<int>(std::size(m_nid.szTip)) - 1);
    ::lstrcpynW(m_nid.szTip, lpszText ? lpszText : L"", nLimit + 1);
}

BOOL CLVKTrayIcon::ModifyUnlessHidden()
{
    // A hidden (or removed) icon only keeps the value for the next add.
    if (m_bHidden)
        return TRUE;
    return CallShellNotifyIcon(NIM_MODIFY, &m_nid);
}

UINT CLVKTrayIcon::GetDefaultCommandId()
{
    if (!m_bDefaultItemByPosition)
        return m_nDefaultMenuItem;
    CMenu menu;
    if (!CLVKResourceManager::GetGlobal()->LoadMenu(&menu, m_nid.uID))
        return 0;
    CMenu* pPopup = menu.GetSubMenu(0);
    return pPopup ? ::GetMenuItemID(pPopup->GetSafeHmenu(), static_cast<int>(m_nDefaultMenuItem)) : 0;
}

BOOL CLVKTrayIcon::SendDefaultCommand()
{
    ::SetForegroundWindow(m_hNotifyWindow);
    const UINT nCommand = GetDefaultCommandId();
    if (m_bDefaultItemByPosition && nCommand == 0)
        return FALSE;
    ::SendMessageW(m_hNotifyWindow, WM_COMMAND, nCommand, 0);
    return TRUE;
}

BOOL CLVKTrayIcon::ShowContextMenu()
{
    CMenu menu;
    if (!CLVKResourceManager::GetGlobal()->LoadMenu(&menu, m_nid.uID))
        return FALSE;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (!pPopup)
        return FALSE;
    ::SetMenuDefaultItem(pPopup->GetSafeHmenu(), m_nDefaultMenuItem, m_bDefaultItemByPosition);
    // The owner must be in the foreground, or the menu does not close when
    // the user clicks elsewhere.
    ::SetForegroundWindow(m_hNotifyWindow);
    POINT pt{};
    ::GetCursorPos(&pt);
    LVKTrackPopupMenu(pPopup, TPM_LEFTBUTTON, pt.x, pt.y, CWnd::FromHandle(m_hNotifyWindow));
    // Makes the task switch that the menu needs happen now.
    ::PostMessageW(m_hNotifyWindow, WM_NULL, 0, 0);
    menu.DestroyMenu();
    CallShellNotifyIcon(NIM_SETFOCUS, &m_nid);
    return TRUE;
}

bool CLVKTrayIcon::IsWindowAnimationOn()
{
    ANIMATIONINFO info{};
    info.cbSize = sizeof(info);
    return ::SystemParametersInfoW(SPI_GETANIMATION, sizeof(info), &info, 0) && info.iMinAnimate != 0;
}
