#include "AfxToolTipCtrl.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    return CWnd::CreateEx(WS_EX_TOOLWINDOW, TOOLTIPS_CLASSW, NULL, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd ? pParentWnd->GetSafeHwnd() : NULL, NULL);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = pWnd->GetSafeHwnd();
    ti.lpszText = const_cast<LPTSTR>(lpszText);
    if (lpRectTool)
    {
        ti.uId = nIDTool;
        ti.rect = *lpRectTool;
    }
    else
    {
        // Without a rectangle the whole window is the tool.
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.uId = reinterpret_cast<UINT_PTR>(ti.hwnd);
    }
    return static_cast<BOOL>(::SendMessage(m_hWnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = pWnd->GetSafeHwnd();
    ti.uId = nIDTool ? nIDTool : reinterpret_cast<UINT_PTR>(ti.hwnd);
    ::SendMessage(m_hWnd, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::RelayEvent(LPMSG lpMsg)
{
    ::SendMessage(m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg));
}

void CToolTipCtrl::Activate(BOOL bActivate)
{
    ::SendMessage(m_hWnd, TTM_ACTIVATE, bActivate, 0);
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = pWnd->GetSafeHwnd();
    ti.uId = nIDTool ? nIDTool : reinterpret_cast<UINT_PTR>(ti.hwnd);
    ti.lpszText = const_cast<LPTSTR>(lpszText);
    ::SendMessage(m_hWnd, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

BOOL CToolTipCtrl::SetTitle(UINT uIcon, LPCTSTR lpszTitle)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, TTM_SETTITLEW, uIcon, reinterpret_cast<LPARAM>(lpszTitle)));
}

int CToolTipCtrl::SetMaxTipWidth(int iWidth)
{
    return static_cast<int>(::SendMessage(m_hWnd, TTM_SETMAXTIPWIDTH, 0, iWidth));
}

void CToolTipCtrl::SetMargin(LPRECT lprc)
{
    ::SendMessage(m_hWnd, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(lprc));
}

void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime)
{
    ::SendMessage(m_hWnd, TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0));
}

void CToolTipCtrl::SetTipBkColor(COLORREF clr)
{
    ::SendMessage(m_hWnd, TTM_SETTIPBKCOLOR, clr, 0);
}

void CToolTipCtrl::SetTipTextColor(COLORREF clr)
{
    ::SendMessage(m_hWnd, TTM_SETTIPTEXTCOLOR, clr, 0);
}

int CToolTipCtrl::GetToolCount() const
{
    return static_cast<int>(::SendMessage(m_hWnd, TTM_GETTOOLCOUNT, 0, 0));
}

void CToolTipCtrl::Pop()
{
    ::SendMessage(m_hWnd, TTM_POP, 0, 0);
}
