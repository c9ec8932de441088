#include "SplitBarTracker.h"

#include "GdiObjectDC.h"
#include "SystemVersion.h"
#include "WindowHelpers.h"

#include <algorithm>

namespace
{

const wchar_t kLayeredClassName[] = L"LVKSplitBarTrackerLayered";

HBRUSH CreateHalftoneBrush()
{
    static const WORD kPattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    const HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, kPattern);
    if (!hBitmap)
        return nullptr;
    const HBRUSH hBrush = ::CreatePatternBrush(hBitmap);
    ::DeleteObject(hBitmap);
    return hBrush;
}

}  // namespace

CLVKSplitBarTracker::CLVKSplitBarTracker(BOOL bInvert, BOOL bOnDesktop)
    : m_rcExtra(0, 0, 0, 0), m_bInvert(bInvert), m_bOnDesktop(bOnDesktop)
{
    if (const HMODULE hUser32 = ::GetModuleHandleW(L"USER32"))
    {
        m_pfnSetLayeredWindowAttributes = reinterpret_cast<PFNSETLAYEREDWINDOWATTRIBUTES>(
            reinterpret_cast<void*>(::GetProcAddress(hUser32, "SetLayeredWindowAttributes")));
    }
}

CLVKSplitBarTracker::~CLVKSplitBarTracker()
{
    EndSurface();
    if (m_hHalftoneBrush)
        ::DeleteObject(m_hHalftoneBrush);
}

BOOL CLVKSplitBarTracker::CreateLayeredWindow()
{
    LVKRegisterWindowClass(nullptr, kLayeredClassName, 0, nullptr, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    HINSTANCE hInstance = AfxGetInstanceHandle();
    if (!hInstance)
        hInstance = ::GetModuleHandleW(nullptr);
    m_hLayeredWnd = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kLayeredClassName, L"",
                                      WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, hInstance, nullptr);
    if (!m_hLayeredWnd)
        return FALSE;
    m_pfnSetLayeredWindowAttributes(m_hLayeredWnd, 0, 100, LWA_ALPHA);
    return TRUE;
}

void CLVKSplitBarTracker::EndSurface()
{
    if (m_hLayeredWnd)
    {
        ::DestroyWindow(m_hLayeredWnd);
        m_hLayeredWnd = nullptr;
    }
    if (m_hDC)
    {
        if (m_bLocked)
            ::LockWindowUpdate(nullptr);
        ::ReleaseDC(m_hSurface, m_hDC);
        m_hDC = nullptr;
    }
    m_bLocked = FALSE;
}

BOOL CLVKSplitBarTracker::Track(HWND hWnd, const RECT& rcBounds, RECT& rcTracker, POINT ptStart, BOOL bHorizontal)
{
    ::SetCapture(hWnd);

    BOOL bLayered = FALSE;
    if (m_rcExtra.IsRectEmpty() && m_bOnDesktop && CLVKSystemVersion::GetGlobal()->IsVistaOrGreater() &&
        m_pfnSetLayeredWindowAttributes)
    {
        const HDC hScreenDC = ::GetDC(nullptr);
        const int nBits = hScreenDC ? ::GetDeviceCaps(hScreenDC, BITSPIXEL) : 0;
        if (hScreenDC)
            ::ReleaseDC(nullptr, hScreenDC);
        bLayered = nBits > 8 && CreateLayeredWindow();
    }
    if (!bLayered)
    {
        m_hSurface = m_bOnDesktop ? ::GetDesktopWindow() : hWnd;
        m_bLocked = ::LockWindowUpdate(m_hSurface);
        m_hDC = ::GetDCEx(m_hSurface, nullptr, DCX_WINDOW | DCX_CACHE | (m_bLocked ? DCX_LOCKWINDOWUPDATE : 0));
    }
    else
        m_hSurface = ::GetDesktopWindow();

    const int nOffset = bHorizontal ? rcTracker.left - ptStart.x : rcTracker.top - ptStart.y;

    DrawTrackerRect(rcTracker);
    if (!m_rcExtra.IsRectEmpty())
        DrawTrackerRect(m_rcExtra);

    BOOL bAccepted = FALSE;
    BOOL bDone = FALSE;
    while (!bDone && ::GetCapture() == hWnd)
    {
        MSG msg{};
        if (!::GetMessageW(&msg, nullptr, 0, 0))
        {
            // Leave the quit for the main loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message)
        {
        case WM_MOUSEMOVE:
        {
            POINT pt = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
            ::ClientToScreen(msg.hwnd, &pt);
            RECT rcNew = rcTracker;
            if (bHorizontal)
            {
                const LONG nLeft = std::min(std::max(nOffset + pt.x, rcBounds.left), rcBounds.right);
                ::OffsetRect(&rcNew, nLeft - rcNew.left, 0);
            }
            else
            {
                const LONG nTop = std::min(std::max(nOffset + pt.y, rcBounds.top), rcBounds.bottom);
                ::OffsetRect(&rcNew, 0, nTop - rcNew.top);
            }
            if (!::EqualRect(&rcNew, &rcTracker))
            {
                DrawTrackerRect(rcTracker);
                rcTracker = rcNew;
                DrawTrackerRect(rcTracker);
            }
            break;
        }
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                bDone = TRUE;
            break;
        case WM_LBUTTONUP:
            bAccepted = TRUE;
            bDone = TRUE;
            break;
        default:
            ::DispatchMessageW(&msg);
            break;
        }
    }

    if (!m_rcExtra.IsRectEmpty())
        DrawTrackerRect(m_rcExtra);
    DrawTrackerRect(rcTracker);
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    EndSurface();
    return bAccepted;
}

void CLVKSplitBarTracker::DrawTrackerRect(const RECT& rc)
{
    RECT rcDraw = rc;
    if (!m_bOnDesktop && m_hSurface)
    {
        ::ScreenToClient(m_hSurface, reinterpret_cast<POINT*>(&rcDraw.left));
        ::ScreenToClient(m_hSurface, reinterpret_cast<POINT*>(&rcDraw.right));
        if (::GetWindowLongW(m_hSurface, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)
            std::swap(rcDraw.left, rcDraw.right);
    }
    if (m_hLayeredWnd)
    {
        ::SetWindowPos(m_hLayeredWnd, nullptr, rcDraw.left, rcDraw.top, rcDraw.right - rcDraw.left,
                       rcDraw.bottom - rcDraw.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
        return;
    }
    if (!m_hDC)
        return;
    if (m_bInvert)
    {
        ::InvertRect(m_hDC, &rcDraw);
        return;
    }
    if (!m_hHalftoneBrush)
        m_hHalftoneBrush = CreateHalftoneBrush();
    const CLVKGdiObjectDC brush(m_hDC, m_hHalftoneBrush);
    ::PatBlt(m_hDC, rcDraw.left, rcDraw.top, rcDraw.right - rcDraw.left, rcDraw.bottom - rcDraw.top, PATINVERT);
}
