#include "ShadowManager.h"

#include "ColorManager.h"
#include "GdiObjectDC.h"
#include "HookManager.h"

namespace
{

RECT WindowRectOf(CWnd* pWnd)
{
    RECT rc{};
    if (pWnd && pWnd->GetSafeHwnd())
        ::GetWindowRect(pWnd->GetSafeHwnd(), &rc);
    return rc;
}

int ScreenBitsPerPixel()
{
    const HDC hDC = GetDC(nullptr);
    const int nBits = GetDeviceCaps(hDC, BITSPIXEL) * GetDeviceCaps(hDC, PLANES);
    ReleaseDC(nullptr, hDC);
    return nBits;
}

}  // namespace

DWORD AFX_CDECL LVKShadowPixelColor(COLORREF clr, double dFactor)
{
    const DWORD r = static_cast<DWORD>(GetRValue(clr) * dFactor);
    const DWORD g = static_cast<DWORD>(GetGValue(clr) * dFactor);
    const DWORD b = static_cast<DWORD>(GetBValue(clr) * dFactor);
    return (r << 16) | (g << 8) | b;
}

void AFX_CDECL CLVKShadowManager::FillShadowBits(DWORD* pBits, int cx, int cy, int nPart, BOOL bLight, COLORREF clr)
{
    if (!pBits || cx <= 0 || cy <= 0)
        return;
    const int k = bLight ? 1 : 2;
    // r: distance from the owner's edge (0 to 3); e: distance from the free
    // end of the strip. The colour is premultiplied by the pixel's alpha, as
    // UpdateLayeredWindow's per-pixel alpha requires.
    auto pixel = [&](int r, int e) -> DWORD
    {
        const int n = 4 - r;
        const int m = e + 1 < 5 ? e + 1 : 5;
        const int nAlpha = 3 * k * n * m;
        return (static_cast<DWORD>(nAlpha) << 24) | LVKShadowPixelColor(clr, nAlpha / 255.0);
    };
    for (int y = 0; y < cy; ++y)
    {
        for (int x = 0; x < cx; ++x)
        {
            DWORD dw = 0;
            switch (nPart)
            {
            case partBottom:
            {
                // Free ends at both sides; every index stays inside the strip,
                // however narrow or short it is.
                const int r = y;
                const int e = x < cx - 1 - x ? x : cx - 1 - x;
                if (r < 4)
                    dw = pixel(r, e < 4 ? e : 4);
                break;
            }
            case partRight:
            {
                const int r = x;
                if (r < 4)
                    dw = pixel(r, y < 4 ? y : 4);
                break;
            }
            default:
                if (x == 0 && y == 0)
                    dw = pixel(0, 4);
                break;
            }
            pBits[y * cx + x] = dw;
        }
    }
}

BOOL AFX_CDECL CLVKShadowManager::IsLayeredSupported()
{
    return GetProcAddress(GetModuleHandleW(L"USER32"), "UpdateLayeredWindow") != nullptr && ScreenBitsPerPixel() > 8;
}

CLVKShadowManager::CLVKShadowManager()
{
    m_pfnUpdateLayeredWindow =
        reinterpret_cast<PFNUPDATELAYEREDWINDOW>(GetProcAddress(GetModuleHandleW(L"USER32"), "UpdateLayeredWindow"));
    m_bLayered = IsLayeredSupported();
}

CLVKShadowManager::~CLVKShadowManager()
{
    while (!m_shadows.empty())
    {
        CShadowWnd* pShadow = m_shadows.front();
        if (pShadow->m_pOwner)
            CLVKHookManager::GetGlobal()->RemoveWindowListener(pShadow->m_pOwner->GetSafeHwnd(), pShadow);
        DestroyShadow(pShadow);
    }
}

void CLVKShadowManager::CreateShadow(CWnd* pOwner, const RECT& rcExclude, int nGroup)
{
    if (!pOwner || !pOwner->GetSafeHwnd())
        return;
    if (!(m_dwFlags & 1))
    {
        BOOL bDropShadow = FALSE;
        SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &bDropShadow, 0);
        if (!m_bLayered || !bDropShadow)
            return;
    }
    const RECT rcOwner = WindowRectOf(pOwner);
    CreateShadowPart(partBottom, rcOwner, rcExclude, pOwner, FALSE, nGroup);
    CreateShadowPart(partRight, rcOwner, rcExclude, pOwner, FALSE, nGroup);
    const HRGN hRgn = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(pOwner->GetSafeHwnd(), hRgn) == COMPLEXREGION)
        CreateShadowPart(partRegionCorner, rcOwner, rcExclude, pOwner, FALSE, nGroup);
    DeleteObject(hRgn);
}

void CLVKShadowManager::CreateControlShadow(const RECT& rcControl, CWnd* pOwner)
{
    if ((m_dwFlags & 3) != 3)
        return;
    const RECT rcEmpty{};
    CreateShadowPart(partBottom, rcControl, rcEmpty, pOwner, TRUE, 0);
    CreateShadowPart(partRight, rcControl, rcEmpty, pOwner, TRUE, 0);
}

CLVKShadowManager::CShadowWnd* CLVKShadowManager::CreateShadowPart(int nPart, const RECT& rcOwner,
                                                                   const RECT& rcExclude, CWnd* pOwner,
                                                                   BOOL bControlShadow, int nGroup)
{
    auto* pShadow = new CShadowWnd(this, nPart, pOwner, nGroup, bControlShadow);
    if (!pShadow->Create(rcOwner))
    {
        delete pShadow;
        return nullptr;
    }
    pShadow->FitToNeighbours();
    m_shadows.push_back(pShadow);
    if (m_dwFlags & 2)
        pShadow->ExcludeRect(rcExclude);
    for (CShadowWnd* pOther : m_shadows)
    {
        if (!pOther->m_pOwner || pOther->m_nGroup != nGroup)
            continue;
        if (nPart == partRegionCorner && pOther->m_pOwner == pOwner)
            continue;
        pShadow->ExcludeRect(WindowRectOf(pOther->m_pOwner));
    }
    const bool bTopMost = (::GetWindowLongW(pOwner->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    ::SetWindowPos(pShadow->GetSafeHwnd(), bTopMost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_SHOWWINDOW);
    CLVKHookManager::GetGlobal()->AddWindowListener(pOwner->GetSafeHwnd(), pShadow);
    return pShadow;
}

void CLVKShadowManager::RemoveOwnerShadows(CWnd* pOwner)
{
    for (auto it = m_shadows.begin(); it != m_shadows.end();)
    {
        CShadowWnd* pShadow = *it++;
        if (pShadow->m_pOwner != pOwner)
            continue;
        CLVKHookManager::GetGlobal()->RemoveWindowListener(pOwner->GetSafeHwnd(), pShadow);
        DestroyShadow(pShadow);
    }
}

void CLVKShadowManager::OnOwnerResized(CWnd* pOwner, int dx, int dy)
{
    const bool bRTL = (::GetWindowLongW(pOwner->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    for (CShadowWnd* pShadow : m_shadows)
    {
        if (pShadow->m_pOwner != pOwner || !pShadow->GetSafeHwnd() || pShadow->m_bControlShadow)
            continue;
        ::SetWindowRgn(pShadow->GetSafeHwnd(), nullptr, FALSE);
        pShadow->m_bRegionSet = FALSE;
        RECT rc = WindowRectOf(pShadow);
        switch (pShadow->m_nPart)
        {
        case partBottom:
            OffsetRect(&rc, 0, dy);
            if (bRTL)
                rc.left -= dx;
            else
                rc.right += dx;
            break;
        case partRight:
            if (!bRTL)
                OffsetRect(&rc, dx, 0);
            rc.bottom += dy;
            break;
        default:
            OffsetRect(&rc, bRTL ? 0 : dx, dy);
            break;
        }
        ::SetWindowPos(pShadow->GetSafeHwnd(), nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
}

void CLVKShadowManager::DestroyShadow(CShadowWnd* pShadow)
{
    if (pShadow->GetSafeHwnd())
        pShadow->ShowWindow(SW_HIDE);
    pShadow->m_pOwner = nullptr;
    m_shadows.remove(pShadow);
    if (pShadow->GetSafeHwnd())
        pShadow->DestroyWindow();
    delete pShadow;
}

CLVKShadowManager::CShadowWnd::CShadowWnd(CLVKShadowManager* pManager, int nPart, CWnd* pOwner, int nGroup,
                                          BOOL bControlShadow)
    : m_nPart(nPart), m_pOwner(pOwner), m_nGroup(nGroup), m_bControlShadow(bControlShadow), m_pManager(pManager)
{
    m_pManager->ExternalAddRef();
}

CLVKShadowManager::CShadowWnd::~CShadowWnd()
{
    if (GetSafeHwnd())
        DestroyWindow();
    m_pManager->ExternalRelease();
}

BOOL CLVKShadowManager::CShadowWnd::Create(const RECT& rcOwner)
{
    if (!GetSafeHwnd())
    {
        const LPCTSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS | CS_OWNDC, LoadCursorW(nullptr, IDC_ARROW));
        DWORD dwExStyle = WS_EX_TOOLWINDOW;
        if (m_pManager->IsLayered())
            dwExStyle |= WS_EX_LAYERED;
        const HWND hParent = m_pOwner ? ::GetParent(m_pOwner->GetSafeHwnd()) : nullptr;
        if (!CreateEx(dwExStyle, lpszClass, nullptr, WS_POPUP, 0, 0, 0, 0, hParent, nullptr))
            return FALSE;
    }
    ::SetWindowRgn(m_hWnd, nullptr, FALSE);
    m_bRegionSet = FALSE;
    const int t = m_pManager->GetThickness();
    RECT rc{};
    switch (m_nPart)
    {
    case partBottom:
        rc = {rcOwner.left + t, rcOwner.bottom, rcOwner.right + t, rcOwner.bottom + t};
        break;
    case partRight:
        rc = {rcOwner.right, rcOwner.top + t, rcOwner.right + t, rcOwner.bottom};
        break;
    default:
        rc = {rcOwner.right - 1, rcOwner.bottom - 1, rcOwner.right, rcOwner.bottom};
        break;
    }
    ::SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    return TRUE;
}

void CLVKShadowManager::CShadowWnd::FitToNeighbours()
{
    RECT rcThis = WindowRectOf(this);
    for (CShadowWnd* pOther : m_pManager->m_shadows)
    {
        if (pOther == this || !pOther->GetSafeHwnd())
            continue;
        const RECT rcOther = WindowRectOf(pOther);
        if (m_nPart == partBottom && pOther->m_nPart == partRight)
        {
            if (rcOther.right == rcThis.left + 1 && rcOther.top < rcThis.top && rcOther.bottom > rcThis.bottom)
                rcThis.left -= 2 * (rcOther.right - rcOther.left) + 1;
        }
        else if (m_nPart == partRight && pOther->m_nPart != partRight)
        {
            if (rcOther.bottom == rcThis.top + 1 && rcThis.right > rcOther.left && rcThis.right < rcOther.right)
                rcThis.top -= 2 * (rcOther.bottom - rcOther.top);
        }
    }
    ::SetWindowPos(m_hWnd, nullptr, rcThis.left, rcThis.top, rcThis.right - rcThis.left, rcThis.bottom - rcThis.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void CLVKShadowManager::CShadowWnd::ExcludeRect(const RECT& rcScreen)
{
    const RECT rcWindow = WindowRectOf(this);
    RECT rcOverlap{};
    if (!IntersectRect(&rcOverlap, &rcWindow, &rcScreen))
        return;
    RECT rcClient{};
    ::GetClientRect(m_hWnd, &rcClient);
    // A region already set keeps its earlier cuts.
    const HRGN hRgn = CreateRectRgnIndirect(&rcClient);
    if (m_bRegionSet)
        ::GetWindowRgn(m_hWnd, hRgn);
    OffsetRect(&rcOverlap, -rcWindow.left, -rcWindow.top);
    const HRGN hCut = CreateRectRgnIndirect(&rcOverlap);
    CombineRgn(hRgn, hRgn, hCut, RGN_DIFF);
    DeleteObject(hCut);
    if (::SetWindowRgn(m_hWnd, hRgn, FALSE))
        m_bRegionSet = TRUE;
    else
        DeleteObject(hRgn);
}

int CLVKShadowManager::CShadowWnd::HandleHookedMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT&)
{
    if (nMessage == WM_SHOWWINDOW && GetSafeHwnd())
        ::ShowWindow(m_hWnd, wParam ? SW_SHOWNA : SW_HIDE);
    else if (nMessage == WM_DESTROY)
    {
        CLVKHookManager::GetGlobal()->RemoveWindowListener(hWnd, this);
        m_pManager->DestroyShadow(this);
    }
    return 0;
}

LRESULT CLVKShadowManager::CShadowWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_PAINT:
        OnPaint();
        return 0;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CLVKShadowManager::CShadowWnd::OnSize(int cx, int cy)
{
    if (cx <= 0 || cy <= 0 || !m_pManager->IsLayered() || !m_pManager->m_pfnUpdateLayeredWindow || !m_pOwner)
        return;
    const HDC hWindowDC = ::GetDC(m_hWnd);
    const HDC hMemDC = CreateCompatibleDC(hWindowDC);
    ::ReleaseDC(m_hWnd, hWindowDC);
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;  // bottom-up
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pvBits = nullptr;
    const HBITMAP hBitmap = CreateDIBSection(hMemDC, &bmi, DIB_RGB_COLORS, &pvBits, nullptr, 0);
    if (hBitmap && pvBits)
    {
        // Filled top row first, then stored bottom-up.
        std::unique_ptr<DWORD[]> pTopDown(new DWORD[static_cast<size_t>(cx) * cy]);
        FillShadowBits(pTopDown.get(), cx, cy, m_nPart, (m_pManager->GetFlags() & 1) != 0, m_pManager->GetColor());
        auto* pDest = static_cast<DWORD*>(pvBits);
        for (int y = 0; y < cy; ++y)
            memcpy(pDest + static_cast<size_t>(cy - 1 - y) * cx, pTopDown.get() + static_cast<size_t>(y) * cx,
                   sizeof(DWORD) * cx);
        const CLVKGdiObjectDC bitmap(hMemDC, hBitmap);
        SIZE size{cx, cy};
        POINT ptSrc{0, 0};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        m_pManager->m_pfnUpdateLayeredWindow(m_hWnd, nullptr, nullptr, &size, hMemDC, &ptSrc, 0, &blend, ULW_ALPHA);
    }
    if (hBitmap)
        DeleteObject(hBitmap);
    DeleteDC(hMemDC);
}

void CLVKShadowManager::CShadowWnd::OnPaint()
{
    PAINTSTRUCT ps{};
    const HDC hDC = ::BeginPaint(m_hWnd, &ps);
    RECT rc{};
    ::GetClientRect(m_hWnd, &rc);
    const COLORREF clr = m_pManager->IsLayered() ? RGB(0, 0, 0) : GetToolkitColor(16);
    const HBRUSH hBrush = CreateSolidBrush(clr);
    FillRect(hDC, &rc, hBrush);
    DeleteObject(hBrush);
    ::EndPaint(m_hWnd, &ps);
}
