#include "FrameShadow.h"

#include "GdiObjectDC.h"
#include "GdiPlusLoader.h"
#include "WindowHelpers.h"

#include <windowsx.h>
// windowsx.h makes this a macro; it names the GDI+ entry point here.
#undef DeleteBrush

#include <algorithm>
#include <type_traits>

namespace
{

const UINT_PTR kRestoreTimer = 1;

typedef BOOL(WINAPI* PFNUPDATELAYEREDWINDOW)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);

PFNUPDATELAYEREDWINDOW UpdateLayeredWindowEntry()
{
    static const auto pfn =
        reinterpret_cast<PFNUPDATELAYEREDWINDOW>(GetProcAddress(GetModuleHandleW(L"user32"), "UpdateLayeredWindow"));
    return pfn;
}

// The GDI+ flat API the painting needs, bound by name from the loaded GDI+.
struct GdiPlusPaintApi
{
    struct PointF
    {
        float x, y;
    };
    typedef int(WINAPI* PFNCREATEBITMAPFROMSCAN0)(INT, INT, INT, INT, BYTE*, void**);
    typedef int(WINAPI* PFNGETIMAGEGRAPHICSCONTEXT)(void*, void**);
    typedef int(WINAPI* PFNDELETEGRAPHICS)(void*);
    typedef int(WINAPI* PFNDISPOSEIMAGE)(void*);
    typedef int(WINAPI* PFNSETSMOOTHINGMODE)(void*, int);
    typedef int(WINAPI* PFNSETCLIPRECTI)(void*, INT, INT, INT, INT, int);
    typedef int(WINAPI* PFNCREATELINEBRUSH)(const PointF*, const PointF*, DWORD, DWORD, int, void**);
    typedef int(WINAPI* PFNCREATESOLIDFILL)(DWORD, void**);
    typedef int(WINAPI* PFNDELETEBRUSH)(void*);
    typedef int(WINAPI* PFNFILLRECTANGLEI)(void*, void*, INT, INT, INT, INT);
    typedef int(WINAPI* PFNCREATEPATH)(int, void**);
    typedef int(WINAPI* PFNDELETEPATH)(void*);
    typedef int(WINAPI* PFNADDPATHELLIPSEI)(void*, INT, INT, INT, INT);
    typedef int(WINAPI* PFNCREATEPATHGRADIENTFROMPATH)(void*, void**);
    typedef int(WINAPI* PFNSETCENTERCOLOR)(void*, DWORD);
    typedef int(WINAPI* PFNSETSURROUNDCOLORS)(void*, const DWORD*, INT*);
    typedef int(WINAPI* PFNFILLPIEI)(void*, void*, INT, INT, INT, INT, float, float);

    PFNCREATEBITMAPFROMSCAN0 CreateBitmapFromScan0 = nullptr;
    PFNGETIMAGEGRAPHICSCONTEXT GetImageGraphicsContext = nullptr;
    PFNDELETEGRAPHICS DeleteGraphics = nullptr;
    PFNDISPOSEIMAGE DisposeImage = nullptr;
    PFNSETSMOOTHINGMODE SetSmoothingMode = nullptr;
    PFNSETCLIPRECTI SetClipRectI = nullptr;
    PFNCREATELINEBRUSH CreateLineBrush = nullptr;
    PFNCREATESOLIDFILL CreateSolidFill = nullptr;
    PFNDELETEBRUSH DeleteBrush = nullptr;
    PFNFILLRECTANGLEI FillRectangleI = nullptr;
    PFNCREATEPATH CreatePath = nullptr;
    PFNDELETEPATH DeletePath = nullptr;
    PFNADDPATHELLIPSEI AddPathEllipseI = nullptr;
    PFNCREATEPATHGRADIENTFROMPATH CreatePathGradientFromPath = nullptr;
    PFNSETCENTERCOLOR SetPathGradientCenterColor = nullptr;
    PFNSETSURROUNDCOLORS SetPathGradientSurroundColorsWithCount = nullptr;
    PFNFILLPIEI FillPieI = nullptr;

    bool Bind(HMODULE hModule)
    {
        if (!hModule)
            return false;
        auto bind = [&](auto& pfn, const char* pszName)
        {
            pfn = reinterpret_cast<std::remove_reference_t<decltype(pfn)>>(
                reinterpret_cast<void*>(GetProcAddress(hModule, pszName)));
            return pfn != nullptr;
        };
        return bind(CreateBitmapFromScan0, "GdipCreateBitmapFromScan0") &&
               bind(GetImageGraphicsContext, "GdipGetImageGraphicsContext") &&
               bind(DeleteGraphics, "GdipDeleteGraphics") && bind(DisposeImage, "GdipDisposeImage") &&
               bind(SetSmoothingMode, "GdipSetSmoothingMode") && bind(SetClipRectI, "GdipSetClipRectI") &&
               bind(CreateLineBrush, "GdipCreateLineBrush") && bind(CreateSolidFill, "GdipCreateSolidFill") &&
               bind(DeleteBrush, "GdipDeleteBrush") && bind(FillRectangleI, "GdipFillRectangleI") &&
               bind(CreatePath, "GdipCreatePath") && bind(DeletePath, "GdipDeletePath") &&
               bind(AddPathEllipseI, "GdipAddPathEllipseI") &&
               bind(CreatePathGradientFromPath, "GdipCreatePathGradientFromPath") &&
               bind(SetPathGradientCenterColor, "GdipSetPathGradientCenterColor") &&
               bind(SetPathGradientSurroundColorsWithCount, "GdipSetPathGradientSurroundColorsWithCount") &&
               bind(FillPieI, "GdipFillPieI");
    }
};

const int kPixelFormat32bppPARGB = 0x000E200B;
const int kCombineModeExclude = 4;
const int kSmoothingModeNone = 3;
const int kWrapModeTile = 0;

}  // namespace

CLVKFrameShadow::CLVKFrameShadow(HWND hOwner) : m_hOwner(hOwner)
{
    ApplyManagerDefaults();
    CLVKFrameShadowManager* pManager = CLVKFrameShadowManager::GetGlobal();
    if (pManager->FindObserver(this) < 0)
        pManager->AddObserver(this);
    LVKGdiPlusLoader()->Startup(TRUE);
}

CLVKFrameShadow::~CLVKFrameShadow()
{
    CLVKFrameShadowManager::GetGlobal()->RemoveObserver(this);
    if (GetSafeHwnd())
        DestroyWindow();
    LVKGdiPlusLoader()->Startup(FALSE);
}

void CLVKFrameShadow::ApplyManagerDefaults()
{
    CLVKFrameShadowManager* pManager = CLVKFrameShadowManager::GetGlobal();
    m_nSize = pManager->GetSize();
    m_nInnerSize = pManager->GetInnerSize();
    m_ptOffset = pManager->GetOffset();
    m_clr = pManager->GetColor();
    m_nTransparency = pManager->GetTransparency();
}

BOOL CLVKFrameShadow::Create(COLORREF clr, int nSize, int nInnerSize, POINT ptOffset, BYTE nTransparency)
{
    if (!CLVKFrameShadowManager::IsSupported())
        return FALSE;
    DWORD dwExStyle = WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW;
    if (!IsResizable())
        dwExStyle |= WS_EX_TRANSPARENT;
    if (!CreateEx(dwExStyle, AfxRegisterWndClass(0), L"LVKFrameShadow", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, m_hOwner, nullptr))
        return FALSE;
    m_bCreated = TRUE;
    m_clr = clr;
    m_nSize = nSize < 0 ? 0 : nSize;
    m_nInnerSize = nInnerSize < 0 ? 0 : nInnerSize;
    m_ptOffset = ptOffset;
    m_nTransparency = nTransparency;
    if (::IsWindowVisible(m_hOwner))
        Show();
    return TRUE;
}

void CLVKFrameShadow::SetColor(COLORREF clr)
{
    if (clr == m_clr)
        return;
    m_clr = clr;
    Update(FALSE, TRUE);
}

void CLVKFrameShadow::SetSize(int nSize)
{
    nSize = nSize < 0 ? 0 : nSize;
    if (nSize == m_nSize)
        return;
    m_nSize = nSize;
    Update(TRUE, TRUE);
}

void CLVKFrameShadow::SetInnerSize(int nInnerSize)
{
    nInnerSize = nInnerSize < 0 ? 0 : nInnerSize;
    if (nInnerSize == m_nInnerSize)
        return;
    m_nInnerSize = nInnerSize;
    Update(TRUE, TRUE);
}

void CLVKFrameShadow::SetOffset(int x, int y)
{
    if (x == m_ptOffset.x && y == m_ptOffset.y)
        return;
    m_ptOffset = {x, y};
    Update(TRUE, TRUE);
}

void CLVKFrameShadow::SetTransparency(BYTE nTransparency)
{
    if (nTransparency == m_nTransparency)
        return;
    m_nTransparency = nTransparency;
    Update(FALSE, TRUE);
}

void CLVKFrameShadow::Show()
{
    if (m_bShown)
        return;
    m_bShown = TRUE;
    ShowWindow(SW_SHOWNOACTIVATE);
    Update(TRUE, TRUE);
}

void CLVKFrameShadow::Hide()
{
    if (GetSafeHwnd())
        ShowWindow(SW_HIDE);
    m_bShown = FALSE;
}

BOOL CLVKFrameShadow::IsResizable() const
{
    return (::GetWindowLongW(m_hOwner, GWL_STYLE) & WS_THICKFRAME) != 0;
}

void CLVKFrameShadow::Update(BOOL bReposition, BOOL bRedraw)
{
    if (!m_bCreated || !m_bShown || m_bUpdating || m_bWaitingForRestore || !::IsWindowVisible(m_hOwner))
        return;
    m_bUpdating = TRUE;
    m_bWaitingForRestore = ::IsIconic(m_hOwner);
    const LONG lStyle = ::GetWindowLongW(m_hOwner, GWL_STYLE);
    if ((lStyle & WS_MAXIMIZE) || m_bWaitingForRestore)
    {
        ShowWindow(SW_HIDE);
        m_bUpdating = FALSE;
        return;
    }
    RECT rcOwner{};
    ::GetWindowRect(m_hOwner, &rcOwner);
    const int cx = (rcOwner.right - rcOwner.left) + 2 * m_nSize;
    const int cy = (rcOwner.bottom - rcOwner.top) + 2 * m_nSize;
    RECT rcClient{};
    GetClientRect(&rcClient);
    const bool bSizeChanged = rcClient.right != cx || rcClient.bottom != cy;
    if (bReposition)
    {
        UINT nFlags = SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS;
        if (!bSizeChanged)
            nFlags |= SWP_NOSIZE;
        if (!IsWindowVisible())
            nFlags |= SWP_SHOWWINDOW;
        HDWP hDwp = BeginDeferWindowPos(2);
        if (hDwp)
            hDwp = DeferWindowPos(hDwp, m_hWnd, nullptr, rcOwner.left - m_nSize + m_ptOffset.x,
                                  rcOwner.top - m_nSize + m_ptOffset.y, cx, cy, nFlags);
        if (hDwp)
            hDwp = DeferWindowPos(hDwp, m_hOwner, m_hWnd, 0, 0, 0, 0,
                                  SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        if (hDwp)
            EndDeferWindowPos(hDwp);
    }
    if (bRedraw || bSizeChanged)
    {
        GetClientRect(&rcClient);
        m_geometry = BuildGeometry(rcClient.right, rcClient.bottom, m_nSize, m_nInnerSize);
        m_bGeometryBuilt = TRUE;
        Invalidate(FALSE);
        UpdateWindow();
    }
    m_bUpdating = FALSE;
}

CLVKFrameShadow::Geometry AFX_CDECL CLVKFrameShadow::BuildGeometry(int cx, int cy, int nSize, int nInnerSize)
{
    Geometry g;
    g.nWidth = cx;
    g.nHeight = cy;
    const int nHalfW = (cx - 2 * nSize) / 2;
    const int nHalfH = (cy - 2 * nSize) / 2;
    g.nCornerX = nSize + (nInnerSize < nHalfW ? nInnerSize : nHalfW);
    g.nCornerY = nSize + (nInnerSize < nHalfH ? nInnerSize : nHalfH);
    const int X = g.nCornerX;
    const int Y = g.nCornerY;
    g.rcLeft = {0, Y, X, cy - Y};
    g.rcTop = {X, 0, cx - X, Y};
    g.rcRight = {cx - X, Y, cx, cy - Y};
    g.rcBottom = {X, cy - Y, cx - X, cy};
    g.rcCentre = {X, Y, cx - X, cy - Y};
    return g;
}

RECT CLVKFrameShadow::GetOwnerFrameRect() const
{
    // DwmGetWindowAttribute's extended frame bounds are not used: the toolkit
    // draws these owners' frames itself, so their window rectangle is the frame.
    RECT rc{};
    ::GetWindowRect(m_hOwner, &rc);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

HBITMAP CLVKFrameShadow::RenderBitmap()
{
    RECT rcClient{};
    GetClientRect(&rcClient);
    const int cx = rcClient.right;
    const int cy = rcClient.bottom;
    if (cx <= 0 || cy <= 0)
        return nullptr;
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pvBits = nullptr;
    const HBITMAP hBitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pvBits, nullptr, 0);
    if (!hBitmap || !pvBits)
        return hBitmap;
    // Every pixel not painted stays fully transparent.
    memset(pvBits, 0, static_cast<size_t>(cx) * cy * 4);
    if (CLVKFrameShadowManager::GetGlobal()->GetDisableMask())
        return hBitmap;
    if (!m_bGeometryBuilt || m_geometry.nWidth != cx || m_geometry.nHeight != cy)
    {
        m_geometry = BuildGeometry(cx, cy, m_nSize, m_nInnerSize);
        m_bGeometryBuilt = TRUE;
    }
    GdiPlusPaintApi api;
    if (!api.Bind(LVKGdiPlusLoader()->GetModule()))
        return hBitmap;
    void* pImage = nullptr;
    void* pGraphics = nullptr;
    if (api.CreateBitmapFromScan0(cx, cy, cx * 4, kPixelFormat32bppPARGB, static_cast<BYTE*>(pvBits), &pImage) != 0)
        return hBitmap;
    if (api.GetImageGraphicsContext(pImage, &pGraphics) == 0)
    {
        const Geometry& g = m_geometry;
        const DWORD c1 = 0xFF000000 | (GetRValue(m_clr) << 16) | (GetGValue(m_clr) << 8) | GetBValue(m_clr);
        const DWORD c2 = c1 & 0x00FFFFFF;
        const float X = static_cast<float>(g.nCornerX);
        const float Y = static_cast<float>(g.nCornerY);
        const float W = static_cast<float>(cx);
        const float H = static_cast<float>(cy);
        api.SetSmoothingMode(pGraphics, kSmoothingModeNone);
        const RECT rcOwner = GetOwnerFrameRect();
        api.SetClipRectI(pGraphics, rcOwner.left, rcOwner.top, rcOwner.right - rcOwner.left,
                         rcOwner.bottom - rcOwner.top, kCombineModeExclude);

        struct Edge
        {
            RECT rc;
            GdiPlusPaintApi::PointF from, to;
        };
        const Edge edges[] = {
            {g.rcLeft, {X + 0.1f, 0}, {-0.1f, 0}},
            {g.rcTop, {0, Y + 0.1f}, {0, -0.1f}},
            {g.rcRight, {W - X - 0.1f, 0}, {W + 0.1f, 0}},
            {g.rcBottom, {0, H - Y - 0.1f}, {0, H + 0.1f}},
        };
        for (const Edge& edge : edges)
        {
            void* pBrush = nullptr;
            if (api.CreateLineBrush(&edge.from, &edge.to, c1, c2, kWrapModeTile, &pBrush) != 0)
                continue;
            api.FillRectangleI(pGraphics, pBrush, edge.rc.left, edge.rc.top, edge.rc.right - edge.rc.left,
                               edge.rc.bottom - edge.rc.top);
            api.DeleteBrush(pBrush);
        }
        // The centre blend has both factors 0: the colour throughout.
        void* pCentre = nullptr;
        if (api.CreateSolidFill(c1, &pCentre) == 0)
        {
            api.FillRectangleI(pGraphics, pCentre, g.rcCentre.left, g.rcCentre.top, g.rcCentre.right - g.rcCentre.left,
                               g.rcCentre.bottom - g.rcCentre.top);
            api.DeleteBrush(pCentre);
        }
        struct Corner
        {
            int x, y;
            float start;
        };
        const Corner corners[] = {{g.nCornerX, g.nCornerY, 270.0f},
                                  {cx - g.nCornerX, g.nCornerY, 0.0f},
                                  {cx - g.nCornerX, cy - g.nCornerY, 90.0f},
                                  {g.nCornerX, cy - g.nCornerY, 180.0f}};
        for (const Corner& corner : corners)
        {
            void* pPath = nullptr;
            if (api.CreatePath(0, &pPath) != 0)
                continue;
            const int nBoxX = corner.x - g.nCornerX;
            const int nBoxY = corner.y - g.nCornerY;
            api.AddPathEllipseI(pPath, nBoxX, nBoxY, 2 * g.nCornerX, 2 * g.nCornerY);
            void* pBrush = nullptr;
            if (api.CreatePathGradientFromPath(pPath, &pBrush) == 0)
            {
                INT nCount = 1;
                api.SetPathGradientCenterColor(pBrush, c1);
                api.SetPathGradientSurroundColorsWithCount(pBrush, &c2, &nCount);
                api.FillPieI(pGraphics, pBrush, nBoxX, nBoxY, 2 * g.nCornerX, 2 * g.nCornerY, corner.start, -90.0f);
                api.DeleteBrush(pBrush);
            }
            api.DeletePath(pPath);
        }
        api.DeleteGraphics(pGraphics);
    }
    api.DisposeImage(pImage);
    return hBitmap;
}

void CLVKFrameShadow::Paint()
{
    PAINTSTRUCT ps{};
    const HDC hPaintDC = ::BeginPaint(m_hWnd, &ps);
    const HBITMAP hBitmap = RenderBitmap();
    const PFNUPDATELAYEREDWINDOW pfnUpdate = UpdateLayeredWindowEntry();
    if (hBitmap && pfnUpdate)
    {
        const HDC hMemDC = CreateCompatibleDC(hPaintDC);
        {
            const CLVKGdiObjectDC bitmap(hMemDC, hBitmap);
            RECT rcWindow{};
            GetWindowRect(&rcWindow);
            POINT ptPos{rcWindow.left, rcWindow.top};
            SIZE size{rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top};
            POINT ptSrc{0, 0};
            const BYTE nAlpha = CLVKFrameShadowManager::GetGlobal()->GetDisableMask() ? 0 : m_nTransparency;
            BLENDFUNCTION blend{AC_SRC_OVER, 0, nAlpha, AC_SRC_ALPHA};
            pfnUpdate(m_hWnd, hPaintDC, &ptPos, &size, hMemDC, &ptSrc, 0, &blend, ULW_ALPHA);
        }
        DeleteDC(hMemDC);
    }
    if (hBitmap)
        DeleteObject(hBitmap);
    ::EndPaint(m_hWnd, &ps);
}

void CLVKFrameShadow::OnOwnerStyleChanged(DWORD dwOldStyle, DWORD dwNewStyle)
{
    if (!GetSafeHwnd() || ((dwOldStyle ^ dwNewStyle) & WS_THICKFRAME) == 0)
        return;
    const LONG lExStyle = ::GetWindowLongW(m_hWnd, GWL_EXSTYLE);
    ::SetWindowLongW(m_hWnd, GWL_EXSTYLE,
                     (dwNewStyle & WS_THICKFRAME) ? (lExStyle & ~WS_EX_TRANSPARENT) : (lExStyle | WS_EX_TRANSPARENT));
}

void CLVKFrameShadow::StartRestoreTimer()
{
    if (GetSafeHwnd())
        SetTimer(kRestoreTimer, 250, nullptr);
}

void CLVKFrameShadow::OnShadowOptionsChanged(CLVKFrameShadowManager*, DWORD dwOldMask, DWORD dwNewMask)
{
    if (((dwOldMask ^ dwNewMask) & 4) && m_bCreated)
    {
        const int nResizable = IsResizable() ? 1 : 0;
        if (nResizable != m_nResizable)
        {
            m_nResizable = nResizable;
            const LONG lExStyle = ::GetWindowLongW(m_hWnd, GWL_EXSTYLE);
            ::SetWindowLongW(m_hWnd, GWL_EXSTYLE,
                             nResizable ? (lExStyle & ~WS_EX_TRANSPARENT) : (lExStyle | WS_EX_TRANSPARENT));
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
    }
    if (((dwOldMask ^ dwNewMask) & 2) && GetSafeHwnd())
    {
        Invalidate(FALSE);
        UpdateWindow();
    }
}

int CLVKFrameShadow::HitTestBorder(POINT pt) const
{
    RECT rcShadow{};
    ::GetWindowRect(m_hWnd, &rcShadow);
    RECT rcOwner{};
    ::GetWindowRect(m_hOwner, &rcOwner);
    if (!PtInRect(&rcShadow, pt) || PtInRect(&rcOwner, pt))
        return 0;
    const int nColumn = pt.x < rcOwner.left ? 0 : (pt.x < rcOwner.right ? 1 : 2);
    if (pt.y < rcOwner.top)
        return nColumn == 0 ? 8 : (nColumn == 1 ? 1 : 2);
    if (pt.y >= rcOwner.bottom)
        return nColumn == 0 ? 6 : (nColumn == 1 ? 5 : 4);
    return nColumn == 0 ? 7 : 3;
}

void CLVKFrameShadow::OnLButtonDown()
{
    if (!IsResizable() || !::IsWindowEnabled(m_hOwner))
        return;
    POINT pt{};
    GetCursorPos(&pt);
    const int nZone = HitTestBorder(pt);
    if (nZone == 0)
    {
        ::SetFocus(m_hOwner);
        return;
    }
    MINMAXINFO mmi{};
    ::SendMessageW(m_hOwner, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    m_ptMinTrack.x = mmi.ptMinTrackSize.x ? mmi.ptMinTrackSize.x : GetSystemMetrics(SM_CXMIN);
    m_ptMinTrack.y = mmi.ptMinTrackSize.y ? mmi.ptMinTrackSize.y : GetSystemMetrics(SM_CYMIN);
    RECT rcOwner{};
    ::GetWindowRect(m_hOwner, &rcOwner);
    const bool bLeft = nZone == 6 || nZone == 7 || nZone == 8;
    const bool bRight = nZone == 2 || nZone == 3 || nZone == 4;
    const bool bTop = nZone == 8 || nZone == 1 || nZone == 2;
    const bool bBottom = nZone == 4 || nZone == 5 || nZone == 6;
    m_ptGrabOffset.x = bLeft ? pt.x - rcOwner.left : (bRight ? pt.x - rcOwner.right : 0);
    m_ptGrabOffset.y = bTop ? pt.y - rcOwner.top : (bBottom ? pt.y - rcOwner.bottom : 0);

    ::SetFocus(m_hOwner);
    ::SetCapture(m_hOwner);
    bool bLostCapture = false;
    bool bQuit = false;
    WPARAM nQuitCode = 0;
    for (;;)
    {
        if (::GetCapture() != m_hOwner)
        {
            bLostCapture = true;
            break;
        }
        LVKFlushPaintMessages(nullptr);
        MSG msg{};
        const BOOL bGot = ::GetMessageW(&msg, nullptr, 0, 0);
        if (bGot == 0)
        {
            // WM_QUIT belongs to the thread's own loop: it is posted again.
            bQuit = true;
            nQuitCode = msg.wParam;
            break;
        }
        if (bGot == -1)
            break;
        if (msg.message == WM_KILLFOCUS || msg.message == WM_LBUTTONUP ||
            (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        if (msg.message == WM_MOUSEMOVE)
        {
            // The move's own point, in the order the moves came.
            POINT ptMove{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
            ::ClientToScreen(msg.hwnd, &ptMove);
            ResizeStep(nZone, ptMove);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::ReleaseCapture();
    if (!bLostCapture)
        ::SetFocus(m_hOwner);
    ::UpdateWindow(m_hOwner);
    if (bQuit)
        ::PostQuitMessage(static_cast<int>(nQuitCode));
}

void CLVKFrameShadow::ResizeStep(int nZone, POINT pt)
{
    RECT rc{};
    ::GetWindowRect(m_hOwner, &rc);
    const bool bLeft = nZone == 6 || nZone == 7 || nZone == 8;
    const bool bRight = nZone == 2 || nZone == 3 || nZone == 4;
    const bool bTop = nZone == 8 || nZone == 1 || nZone == 2;
    const bool bBottom = nZone == 4 || nZone == 5 || nZone == 6;
    if (bLeft)
        rc.left = std::min<LONG>(pt.x - m_ptGrabOffset.x, rc.right - m_ptMinTrack.x);
    if (bRight)
        rc.right = std::max<LONG>(pt.x - m_ptGrabOffset.x, rc.left + m_ptMinTrack.x);
    if (bTop)
        rc.top = std::min<LONG>(pt.y - m_ptGrabOffset.y, rc.bottom - m_ptMinTrack.y);
    if (bBottom)
        rc.bottom = std::max<LONG>(pt.y - m_ptGrabOffset.y, rc.top + m_ptMinTrack.y);
    ::SetWindowPos(m_hOwner, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                   SWP_NOZORDER | SWP_DEFERERASE);
    ::UpdateWindow(m_hOwner);
    Update(TRUE, TRUE);
}

LRESULT CLVKFrameShadow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_LBUTTONDOWN:
        OnLButtonDown();
        return 0;
    case WM_SETCURSOR:
    {
        const LRESULT lDefault = CWnd::WindowProc(message, wParam, lParam);
        if (lDefault)
            return lDefault;
        LPCWSTR lpszCursor = IDC_ARROW;
        if (IsResizable())
        {
            POINT pt{};
            GetCursorPos(&pt);
            switch (HitTestBorder(pt))
            {
            case 1:
            case 5:
                lpszCursor = IDC_SIZENS;
                break;
            case 2:
            case 6:
                lpszCursor = IDC_SIZENESW;
                break;
            case 3:
            case 7:
                lpszCursor = IDC_SIZEWE;
                break;
            case 4:
            case 8:
                lpszCursor = IDC_SIZENWSE;
                break;
            default:
                break;
            }
        }
        ::SetCursor(LoadCursorW(nullptr, lpszCursor));
        return TRUE;
    }
    case WM_MOUSEACTIVATE:
        return (HIWORD(lParam) == WM_LBUTTONDOWN && IsResizable()) ? MA_ACTIVATE : MA_NOACTIVATE;
    case WM_TIMER:
        if (wParam == kRestoreTimer)
        {
            KillTimer(kRestoreTimer);
            m_bWaitingForRestore = FALSE;
            Reposition();
            return 0;
        }
        break;
    case WM_DESTROY:
        // Destroyed with its owner: leave the manager's map, kept alive until
        // the framework is done with the window.
        if (!m_bHeldForDestroy)
        {
            m_bHeldForDestroy = TRUE;
            InternalAddRef();
        }
        CLVKFrameShadowManager::GetGlobal()->DetachShadow(m_hOwner);
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CLVKFrameShadow::PostNcDestroy()
{
    if (m_bHeldForDestroy)
    {
        m_bHeldForDestroy = FALSE;
        InternalRelease();
    }
}
