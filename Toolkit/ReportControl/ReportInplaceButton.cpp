#include "ReportInplaceButton.h"

#include "ReportControl.h"
#include "ReportPaintManager.h"
#include "ReportRecordItem.h"
#include "Foundation/DpiScaling.h"

#include <climits>

CLVKReportInplaceButton::CLVKReportInplaceButton(UINT nID) : m_nID(nID)
{
}

CLVKReportInplaceButton::~CLVKReportInplaceButton()
{
    if (m_hWnd)
        DestroyWindow();
}

int CLVKReportInplaceButton::GetWidth() const
{
    return m_nWidth > 0 ? m_nWidth : ::GetSystemMetrics(SM_CXVSCROLL);
}

int CLVKReportInplaceButton::StepValue(long long nValue) const
{
    const long long nStep = m_nSpinPart == 2 ? -static_cast<long long>(m_nStep) : m_nStep;
    long long nNew = nValue + nStep;
    nNew = std::max(nNew, static_cast<long long>(m_nMin));
    nNew = std::min(nNew, static_cast<long long>(m_nMax));
    nNew = std::max(nNew, static_cast<long long>(INT_MIN));
    nNew = std::min(nNew, static_cast<long long>(INT_MAX));
    return static_cast<int>(nNew);
}

void CLVKReportInplaceButton::Create(LVK_REPORTRECORDITEM_ARGS* pArgs, RECT& rcButtons)
{
    m_bPressed = FALSE;
    m_bOver = FALSE;
    m_bHot = FALSE;
    m_nSpinPart = 0;
    SetItemArgs(pArgs);
    if (!pControl)
        return;
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    RECT rcButton = rcButtons;
    if (pControl->GetPaintManager()->m_bInplaceButtonHeightLimit)
        rcButton.bottom = std::min(rcButton.bottom, rcButton.top + pDpi->ScaleY(m_nFixedHeight));
    const int nWidth = GetWidth();
    if (m_bInsideCell)
    {
        rcButton.right = rcButtons.left;
        rcButton.left = rcButtons.left - nWidth;
        rcButtons.left = rcButton.left;
    }
    else
    {
        rcButton.left = rcButtons.right;
        rcButton.right = rcButtons.right + nWidth;
        rcButtons.right = rcButton.right;
    }
    rcButton.top += pDpi->ScaleY(1);
    rcButton.bottom -= pDpi->ScaleY(2);
    rcButton.left -= pDpi->ScaleX(1);
    if (m_nID == LVK_REPORT_INPLACEBUTTON_COMBO)
        rcButton.right -= pDpi->ScaleX(1);
    if (!m_hWnd)
    {
        if (!CWnd::CreateEx(0, L"STATIC", L"", WS_CHILD | SS_NOTIFY, rcButton, pControl, 0xFFFF))
            return;
    }
    SetWindowPos(nullptr, rcButton.left, rcButton.top, rcButton.right - rcButton.left, rcButton.bottom - rcButton.top,
                 SWP_NOZORDER | SWP_SHOWWINDOW);
}

void CLVKReportInplaceButton::OnPaint()
{
    PAINTSTRUCT ps{};
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    if (pControl)
    {
        CDC dc;
        dc.Attach(hDC);
        pControl->GetPaintManager()->DrawInplaceButton(&dc, this);
        dc.Detach();
    }
    ::EndPaint(m_hWnd, &ps);
}

void CLVKReportInplaceButton::OnLButtonDown(POINT pt)
{
    if (!pControl || !pItem)
        return;
    RECT rcClient{};
    GetClientRect(&rcClient);
    m_nSpinPart = pt.y < (rcClient.top + rcClient.bottom) / 2 ? 1 : 2;
    m_bPressed = TRUE;
    m_bOver = TRUE;
    Invalidate(FALSE);
    // The combo opens its list, which takes the focus and the mouse; the other
    // buttons keep the mouse until it is released.
    if (m_nID != LVK_REPORT_INPLACEBUTTON_COMBO)
        SetCapture();
    CLVKReportRecordItem* pPressed = pItem;
    pPressed->InternalAddRef();
    pPressed->OnInplaceButtonDown(this);
    pPressed->InternalRelease();
}

LRESULT CLVKReportInplaceButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message)
    {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnLButtonDown(pt);
        return 0;
    case WM_MOUSEMOVE:
    {
        RECT rcClient{};
        GetClientRect(&rcClient);
        const BOOL bOver = ::PtInRect(&rcClient, pt);
        if (bOver != m_bOver || bOver != m_bHot)
        {
            m_bOver = bOver;
            m_bHot = bOver;
            Invalidate(FALSE);
        }
        return 0;
    }
    case WM_LBUTTONUP:
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        m_bPressed = FALSE;
        m_nSpinPart = 0;
        Invalidate(FALSE);
        return 0;
    case WM_CAPTURECHANGED:
        m_bPressed = FALSE;
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
