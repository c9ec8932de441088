#include "TaskDialogProgressCtrl.h"

#include "Foundation/BufferDC.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/SystemVersion.h"

#include <commctrl.h>

#include <algorithm>

BOOL CLVKTaskDialogProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, PROGRESS_CLASSW, L"", dwStyle, rect, pParentWnd, nID);
}

bool CLVKTaskDialogProgressCtrl::PlatformAnimatesMarquee() const
{
    return CLVKSystemVersion::GetComCtlVersion() >= 0x60000;
}

LRESULT CLVKTaskDialogProgressCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case PBM_SETSTATE:
        m_nState = static_cast<int>(wParam);
        CWnd::WindowProc(message, wParam, lParam);
        return 1;
    case PBM_SETMARQUEE:
        m_bMarqueeRunning = FALSE;
        m_nMarqueePos = 0;
        m_nMarqueeInterval = 0;
        if (PlatformAnimatesMarquee() || !(GetStyle() & PBS_MARQUEE))
            return CWnd::WindowProc(message, wParam, lParam);
        KillTimer(kMarqueeTimerId);
        m_bMarqueeRunning = wParam != 0 && static_cast<int>(lParam) > 0;
        if (m_bMarqueeRunning)
        {
            m_nMarqueeInterval = static_cast<int>(lParam);
            SetTimer(kMarqueeTimerId, static_cast<UINT>(lParam));
        }
        ::InvalidateRect(GetSafeHwnd(), nullptr, FALSE);
        return 1;
    case WM_TIMER:
        if (wParam == kMarqueeTimerId && m_bMarqueeRunning)
        {
            StepMarquee();
            return 0;
        }
        break;
    case WM_PAINT:
        if (!PlatformAnimatesMarquee() && (GetStyle() & PBS_MARQUEE) && m_bMarqueeRunning)
        {
            PaintMarquee();
            return 0;
        }
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CLVKTaskDialogProgressCtrl::StepMarquee()
{
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    RECT rc{};
    ::GetClientRect(GetSafeHwnd(), &rc);
    const int nStep = m_nMarqueeInterval < 51 ? pDpi->ScaleX(2) : pDpi->ScaleX(1);
    const int nGap = CLVKSystemVersion::GetGlobal()->IsVistaOrGreater() ? pDpi->ScaleX(0) : pDpi->ScaleX(2);
    const int nBlock = (rc.bottom - pDpi->ScaleX(2)) * 2 / 3 + nGap;
    m_nMarqueePos += nStep * nBlock;
    if (m_nMarqueePos > rc.right)
        m_nMarqueePos = 0;
    ::InvalidateRect(GetSafeHwnd(), nullptr, FALSE);
}

void CLVKTaskDialogProgressCtrl::PaintMarquee()
{
    PAINTSTRUCT ps{};
    const HDC hPaintDC = ::BeginPaint(GetSafeHwnd(), &ps);
    RECT rc{};
    ::GetClientRect(GetSafeHwnd(), &rc);
    {
        // At least one pixel each way, so that an empty window still gets a bitmap.
        CLVKBufferDC buffer(hPaintDC, RECT{0, 0, std::max<int>(rc.right, 1), std::max<int>(rc.bottom, 1)});
        const HDC hDC = buffer.GetSafeHdc();
        ::FillRect(hDC, &rc, ::GetSysColorBrush(COLOR_3DFACE));
        if (m_nState != PBST_ERROR && m_nState != PBST_PAUSED)
        {
            CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
            RECT rcInner = rc;
            ::InflateRect(&rcInner, -1, -1);
            const int nGap = CLVKSystemVersion::GetGlobal()->IsVistaOrGreater() ? pDpi->ScaleX(0) : pDpi->ScaleX(2);
            const int nBlockWidth = (rcInner.bottom - rcInner.top) * 2 / 3;
            int x = m_nMarqueePos + pDpi->ScaleX(1);
            for (int i = 0; i < 5 && nBlockWidth > 0; ++i)
            {
                if (x >= rcInner.right)
                    x = 1;
                RECT rcBlock{x, rcInner.top, std::min<int>(x + nBlockWidth, rcInner.right), rcInner.bottom};
                ::FillRect(hDC, &rcBlock, ::GetSysColorBrush(COLOR_HIGHLIGHT));
                x = rcBlock.right + nGap;
            }
        }
    }
    ::EndPaint(GetSafeHwnd(), &ps);
}
