#include "Controls/EditTheme.h"

#include "Controls/Edit.h"
#include "Foundation/DpiScaling.h"

void CLVKEditTheme::ReleaseBrush()
{
    if (m_hBackBrush)
        ::DeleteObject(m_hBackBrush);
    m_hBackBrush = nullptr;
}

void CLVKEditTheme::RecreateBrush()
{
    ReleaseBrush();
    m_hBackBrush = ::CreateSolidBrush(m_clrBack);
}

BOOL CLVKEditTheme::IsUxThemeReady()
{
    return m_bUseUxTheme && m_themeEdit.IsAppThemeReady();
}

void CLVKEditTheme::FillRectWithBrush(CDC* pDC, int x, int y, int cx, int cy, HBRUSH hBrush)
{
    const RECT rc = {x, y, x + cx, y + cy};
    ::FillRect(pDC->GetSafeHdc(), &rc, hBrush);
}

void CLVKEditTheme::DrawFrameWithBrush(CDC* pDC, const CRect& rc, int n, HBRUSH hBrush)
{
    FillRectWithBrush(pDC, rc.left, rc.top, rc.Width(), n, hBrush);
    FillRectWithBrush(pDC, rc.left, rc.top, n, rc.Height(), hBrush);
    FillRectWithBrush(pDC, rc.right - n, rc.top, n, rc.Height(), hBrush);
    FillRectWithBrush(pDC, rc.left, rc.bottom - n, rc.Width(), n, hBrush);
}

HBRUSH CLVKEditTheme::GetClientBrush(CDC* pDC, CLVKEdit* pEdit)
{
    if (!pEdit || !pEdit->GetSafeHwnd())
        return nullptr;
    const HWND hParent = ::GetParent(pEdit->m_hWnd);
    if (!hParent)
        return nullptr;
    const BOOL bEnabled = pEdit->IsWindowEnabled();
    const HBRUSH hBrush = reinterpret_cast<HBRUSH>(
        ::SendMessageW(hParent, bEnabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC,
                       reinterpret_cast<WPARAM>(pDC->GetSafeHdc()), reinterpret_cast<LPARAM>(pEdit->m_hWnd)));
    return hBrush ? hBrush : ::GetSysColorBrush(bEnabled ? COLOR_WINDOW : COLOR_BTNFACE);
}

void CLVKEditTheme::AdjustButtonRect(CWnd*, CRect& rc, int nPart)
{
    const int n = IsUxThemeReady() ? 1 : CLVKDpiScaling::GetGlobal()->ScaleX(2);
    rc.top += n;
    rc.bottom -= n;
    if (nPart == 4)
        rc.right -= n;
    else
        rc.left += n;
}

BOOL CLVKEditTheme::DrawButtonFrameThemed(CDC* pDC, const CRect& rcButton, int nPart, CLVKEdit* pEdit)
{
    if (m_bHoverTracking)
        return TRUE;
    const int n2 = CLVKDpiScaling::GetGlobal()->ScaleX(2);
    CRect rc = rcButton;
    if (nPart == 4)
        rc.left -= n2;
    else
        rc.right += n2;
    if (pEdit->HasOwnBorder())
    {
        if (!IsUxThemeReady())
            return FALSE;
        ::FillRect(pDC->GetSafeHdc(), &rcButton, GetClientBrush(pDC, pEdit));
        m_themeEdit.DrawThemeBackground(pDC->GetSafeHdc(), 0, 1, &rc, nullptr);
        return TRUE;
    }
    if (pEdit->GetStyle() & WS_BORDER)
        pDC->Draw3dRect(&rc, m_clrBorder.GetSecond(), m_clrBorder.GetFirst());
    return TRUE;
}

BOOL CLVKEditTheme::DrawBorderThemed(CDC* pDC, const CRect& rc, CLVKEdit* pEdit)
{
    if (!IsUxThemeReady())
        return FALSE;
    const HDC hDC = pDC->GetSafeHdc();
    const int n1 = CLVKDpiScaling::GetGlobal()->ScaleX(1);
    // The browse button that follows the edit keeps its own pixels.
    auto excludeButton = [&]()
    {
        const HWND hNext = ::GetWindow(pEdit->m_hWnd, GW_HWNDNEXT);
        if (!hNext || !::IsWindowVisible(hNext))
            return;
        CRect rcNext;
        CRect rcEdit;
        ::GetWindowRect(hNext, &rcNext);
        ::GetWindowRect(pEdit->m_hWnd, &rcEdit);
        CRect rcOverlap;
        if (rcOverlap.IntersectRect(&rcNext, &rcEdit))
        {
            rcOverlap.OffsetRect(-rcEdit.left, -rcEdit.top);
            ::ExcludeClipRect(hDC, rcOverlap.left, rcOverlap.top, rcOverlap.right, rcOverlap.bottom);
        }
    };
    excludeButton();
    CRect rcInner = rc;
    rcInner.DeflateRect(n1, n1);
    ::ExcludeClipRect(hDC, rcInner.left, rcInner.top, rcInner.right, rcInner.bottom);
    const HRESULT hr = m_themeEdit.DrawThemeBackground(hDC, 0, pEdit->IsWindowEnabled() ? 1 : 4, &rc, nullptr);
    ::SelectClipRgn(hDC, nullptr);
    if (FAILED(hr))
        return FALSE;
    excludeButton();
    DrawFrameWithBrush(pDC, rcInner, n1, GetClientBrush(pDC, pEdit));
    ::SelectClipRgn(hDC, nullptr);
    return TRUE;
}
