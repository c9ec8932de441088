#include "ReportTip.h"

#include "Foundation/FontDC.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/WindowHelpers.h"

namespace
{
const wchar_t kTipClassName[] = L"LVKReportTip";

}  // namespace

CLVKReportTip::~CLVKReportTip()
{
    DestroyWindow();
}

BOOL CLVKReportTip::Create(CWnd* pParentWnd)
{
    if (m_hWnd)
        return TRUE;
    m_pParentWnd = pParentWnd;
    HINSTANCE hInstance = AfxGetResourceHandle() ? AfxGetResourceHandle() : GetModuleHandleW(nullptr);
    LVKRegisterWindowClass(hInstance, kTipClassName, 0);
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kTipClassName, nullptr, WS_POPUP, 0, 0, 0, 0,
                    pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, nullptr);
}

void CLVKReportTip::SetFont(CFont* pFont)
{
    LOGFONTW lf{};
    if (!pFont || !pFont->GetLogFont(&lf))
        return;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&lf);
}

CFont* CLVKReportTip::GetTextFont() const
{
    if (m_font.m_hObject)
        return const_cast<CFont*>(&m_font);
    return CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

RECT CLVKReportTip::AdjustRect(RECT rc) const
{
    if (!m_bMultiLine)
    {
        CClientDC dc(nullptr);
        CLVKFontDC font(&dc, GetTextFont());
        SIZE sz{};
        GetTextExtentPoint32W(dc.m_hDC, m_strTooltipText, m_strTooltipText.GetLength(), &sz);
        rc.right = rc.left + sz.cx + LVKScaleX(6);
    }
    if (m_pParentWnd && (m_pParentWnd->GetExStyle() & (WS_EX_RTLREADING | WS_EX_LAYOUTRTL)))
        OffsetRect(&rc, m_rcHover.right + LVKScaleX(1) - rc.right, 0);
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    if (GetMonitorInfoW(MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST), &mi))
    {
        const RECT& rcWork = mi.rcWork;
        if (rc.right > rcWork.right)
            OffsetRect(&rc, rcWork.right - rc.right, 0);
        if (rc.left < rcWork.left)
            OffsetRect(&rc, rcWork.left - rc.left, 0);
        if (m_bMultiLine && rc.bottom > rcWork.bottom)
            OffsetRect(&rc, 0, rcWork.bottom - rc.bottom);
    }
    return rc;
}

void CLVKReportTip::Activate(BOOL bShow, BOOL bMultiLine)
{
    m_bMultiLine = bMultiLine;
    if (!m_hWnd)
        return;
    if (!bShow)
    {
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOOWNERZORDER);
        return;
    }
    const RECT rc = AdjustRect(m_rcTooltip);
    InvalidateRect(nullptr, FALSE);
    SetWindowPos(nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOOWNERZORDER);
}

void CLVKReportTip::OnPaint()
{
    PAINTSTRUCT ps{};
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    RECT rc{};
    GetClientRect(&rc);
    SetBkMode(hDC, TRANSPARENT);
    // The look of the system's tooltips (the toolkit's tooltip styles are
    // not available to the tip yet).
    HBRUSH hBack = CreateSolidBrush(GetSysColor(COLOR_INFOBK));
    FillRect(hDC, &rc, hBack);
    DeleteObject(hBack);
    FrameRect(hDC, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetTextColor(hDC, GetSysColor(COLOR_INFOTEXT));
    if (m_pParentWnd && (m_pParentWnd->GetExStyle() & (WS_EX_RTLREADING | WS_EX_LAYOUTRTL)))
        SetTextAlign(hDC, TA_RTLREADING);
    RECT rcText = rc;
    if (m_bMultiLine)
    {
        rcText.left += LVKScaleX(2);
        rcText.right -= 1;
    }
    else
    {
        rcText.left += LVKScaleX(3);
        rcText.top -= LVKScaleY(2);
    }
    {
        CLVKFontDC font(CDC::FromHandle(hDC), GetTextFont());
        DrawTextW(hDC, m_strTooltipText, m_strTooltipText.GetLength(), &rcText,
                  m_bMultiLine ? (DT_NOPREFIX | DT_WORDBREAK | DT_VCENTER)
                               : (DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER));
    }
    ::EndPaint(m_hWnd, &ps);
}

LRESULT CLVKReportTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCHITTEST:
        // Clicks go to the cell below.
        return HTTRANSPARENT;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}
