#include "TaskDialogButton.h"

BOOL CLVKTaskDialogButton::Create(LPCWSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, L"BUTTON", lpszCaption, dwStyle | BS_OWNERDRAW, rect, pParentWnd, nID);
}

void CLVKTaskDialogButton::SetPainter(std::unique_ptr<CLVKTaskButtonPainter> pPainter)
{
    m_pPainter = std::move(pPainter);
    if (m_pPainter)
        m_pPainter->RefreshMetrics(*this);
}

void CLVKTaskDialogButton::SetImage(HBITMAP hNormal, HBITMAP hHot, SIZE size)
{
    m_hImage = hNormal;
    m_hHotImage = hHot;
    m_imageSize = size;
}

void CLVKTaskDialogButton::SetChecked(BOOL bChecked)
{
    if (m_bChecked == bChecked)
        return;
    m_bChecked = bChecked;
    if (GetSafeHwnd())
        ::InvalidateRect(GetSafeHwnd(), nullptr, FALSE);
}

BOOL CLVKTaskDialogButton::IsDefault() const
{
    const HWND hParent = ::GetParent(GetSafeHwnd());
    if (!hParent)
        return FALSE;
    const LRESULT nDefId = ::SendMessageW(hParent, DM_GETDEFID, 0, 0);
    return HIWORD(nDefId) == DC_HASDEFID && LOWORD(nDefId) == ::GetDlgCtrlID(GetSafeHwnd()) &&
           ::GetDlgCtrlID(GetSafeHwnd()) != 0;
}

CString CLVKTaskDialogButton::GetCaption() const
{
    const int nLength = ::GetWindowTextLengthW(GetSafeHwnd());
    CString strText;
    if (nLength > 0)
    {
        std::wstring buffer(static_cast<size_t>(nLength) + 1, L'\0');
        ::GetWindowTextW(GetSafeHwnd(), &buffer[0], nLength + 1);
        strText = buffer.c_str();
    }
    return strText;
}

void CLVKTaskDialogButton::DrawItem(const DRAWITEMSTRUCT& dis)
{
    if (m_pPainter)
        m_pPainter->DrawButton(dis.hDC, *this, dis.rcItem, dis.itemState);
}

LRESULT CLVKTaskDialogButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_MOUSEMOVE:
        if (!m_bHot)
        {
            m_bHot = TRUE;
            TRACKMOUSEEVENT tme{};
            tme.cbSize = sizeof(tme);
            tme.dwFlags = TME_LEAVE;
            tme.hwndTrack = GetSafeHwnd();
            ::TrackMouseEvent(&tme);
            ::InvalidateRect(GetSafeHwnd(), nullptr, FALSE);
        }
        break;
    case WM_MOUSELEAVE:
        m_bHot = FALSE;
        ::InvalidateRect(GetSafeHwnd(), nullptr, FALSE);
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        if (m_pPainter)
            m_pPainter->RefreshMetrics(*this);
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
