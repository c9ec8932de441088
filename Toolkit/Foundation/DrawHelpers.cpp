#include "DrawHelpers.h"

#include "BrushDC.h"
#include "ColorManager.h"
#include "DpiScaling.h"
#include "Font.h"
#include "FontKeeper.h"
#include "GdiObjectDC.h"
#include "PaintManagerColor.h"
#include "PenDC.h"
#include "ResourceManager.h"
#include "SingletonPointer.h"
#include "SystemVersion.h"

#include <algorithm>
#include <cstdlib>

namespace
{

const COLORREF kNoColor = static_cast<COLORREF>(-1);

typedef DWORD(WINAPI* PFNGETLAYOUT)(HDC);
typedef DWORD(WINAPI* PFNSETLAYOUT)(HDC, DWORD);

// Not looked up yet, until the first call.
const FARPROC kNotLookedUp = reinterpret_cast<FARPROC>(static_cast<INT_PTR>(-1));

FARPROC LookUpGdi32(FARPROC& cache, const char* pszName)
{
    if (cache == kNotLookedUp)
    {
        const HMODULE hGdi32 = ::GetModuleHandleW(L"GDI32.DLL");
        cache = hGdi32 ? ::GetProcAddress(hGdi32, pszName) : nullptr;
    }
    return cache;
}

FARPROC g_pfnGetLayout = kNotLookedUp;
FARPROC g_pfnSetLayout = kNotLookedUp;

int CALLBACK LVKFontFaceEnumProc(const LOGFONTW* pLogFont, const TEXTMETRICW*, DWORD, LPARAM lParam)
{
    // 0 stops the enumeration: the face was found.
    return lstrcmpiW(pLogFont->lfFaceName, reinterpret_cast<LPCWSTR>(lParam)) == 0 ? 0 : 1;
}

SIZE MeasureText(HDC hDC, HFONT hFont, LPCWSTR lpszText, int nLength)
{
    SIZE size{};
    const CLVKGdiObjectDC font(hDC, hFont);
    ::GetTextExtentPoint32W(hDC, lpszText, nLength, &size);
    return size;
}

}  // namespace

CLVKDrawHelpers* AFX_CDECL CLVKDrawHelpers::GetGlobal()
{
    return LVKGetSingleton<CLVKDrawHelpers>();
}

CLVKDrawHelpers::CLVKDrawHelpers() : m_hMsImg32(::LoadLibraryW(L"msimg32.dll"))
{
    if (!m_hMsImg32)
        return;
    m_pfnAlphaBlend =
        reinterpret_cast<PFNALPHABLEND>(reinterpret_cast<void*>(::GetProcAddress(m_hMsImg32, "AlphaBlend")));
    m_pfnTransparentBlt =
        reinterpret_cast<PFNTRANSPARENTBLT>(reinterpret_cast<void*>(::GetProcAddress(m_hMsImg32, "TransparentBlt")));
    m_pfnGradientFill =
        reinterpret_cast<PFNGRADIENTFILL>(reinterpret_cast<void*>(::GetProcAddress(m_hMsImg32, "GradientFill")));
}

BOOL CLVKDrawHelpers::GradientFill(HDC hDC, PTRIVERTEX pVertices, ULONG nVertices, PVOID pMesh, ULONG nMeshes,
                                   ULONG nMode)
{
    if (!m_pfnGradientFill)
        return FALSE;
    return m_pfnGradientFill(hDC, pVertices, nVertices, pMesh, nMeshes, nMode);
}

void AFX_CDECL CLVKDrawHelpers::FillGradientRect(CDC* pDC, LPCRECT lpRect, COLORREF clrFrom, COLORREF clrTo,
                                                 BOOL bHorizontal)
{
    if (!pDC || !lpRect || ::IsRectEmpty(lpRect))
        return;
    if (IsLowColorDC(pDC->GetSafeHdc()) || clrFrom == clrTo)
    {
        pDC->FillSolidRect(lpRect, clrFrom);
        return;
    }
    // GradientFill mirrors wrongly on right-to-left DCs of the old systems.
    if (!GetGlobal()->HasGradientFill() || (IsLayoutRTLOfDC(pDC) && CLVKSystemVersion::GetGlobal()->IsWin9x()))
    {
        FillGradientBands(pDC, lpRect, clrFrom, clrTo, bHorizontal);
        return;
    }
    FillGradientWithApi(pDC, lpRect, clrFrom, clrTo, bHorizontal);
}

BOOL AFX_CDECL CLVKDrawHelpers::FillGradientWithApi(CDC* pDC, LPCRECT lpRect, COLORREF clrFrom, COLORREF clrTo,
                                                    BOOL bHorizontal)
{
    TRIVERTEX vertices[2]{};
    vertices[0].x = lpRect->left;
    vertices[0].y = lpRect->top;
    vertices[0].Red = static_cast<COLOR16>(GetRValue(clrFrom) << 8);
    vertices[0].Green = static_cast<COLOR16>(GetGValue(clrFrom) << 8);
    vertices[0].Blue = static_cast<COLOR16>(GetBValue(clrFrom) << 8);
    vertices[1].x = lpRect->right;
    vertices[1].y = lpRect->bottom;
    vertices[1].Red = static_cast<COLOR16>(GetRValue(clrTo) << 8);
    vertices[1].Green = static_cast<COLOR16>(GetGValue(clrTo) << 8);
    vertices[1].Blue = static_cast<COLOR16>(GetBValue(clrTo) << 8);
    GRADIENT_RECT mesh = {0, 1};
    return GetGlobal()->GradientFill(pDC->GetSafeHdc(), vertices, 2, &mesh, 1,
                                     bHorizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

void AFX_CDECL CLVKDrawHelpers::FillGradientBands(CDC* pDC, LPCRECT lpRect, COLORREF clrFrom, COLORREF clrTo,
                                                  BOOL bHorizontal)
{
    const int nWidth = std::max(1, static_cast<int>(lpRect->right - lpRect->left));
    const int nHeight = std::max(1, static_cast<int>(lpRect->bottom - lpRect->top));

    // Only the visible part is painted; the fraction is still measured
    // against the whole rectangle, so a clipped paint gives the same colours.
    CRect rcArea;
    pDC->GetClipBox(&rcArea);
    if (rcArea.IsRectEmpty())
        rcArea = *lpRect;
    else
        rcArea.IntersectRect(&rcArea, lpRect);

    if (bHorizontal)
    {
        for (int x = rcArea.left; x < rcArea.right; ++x)
        {
            const double dRatio = 1.0 - static_cast<double>(x - lpRect->left) / nWidth;
            pDC->FillSolidRect(x, rcArea.top, 1, rcArea.Height(), MixColors(clrFrom, clrTo, dRatio));
        }
    }
    else
    {
        for (int y = rcArea.top; y < rcArea.bottom; ++y)
        {
            const double dRatio = 1.0 - static_cast<double>(y - lpRect->top) / nHeight;
            pDC->FillSolidRect(rcArea.left, y, rcArea.Width(), 1, MixColors(clrFrom, clrTo, dRatio));
        }
    }
}

void AFX_CDECL CLVKDrawHelpers::FillGradientClipped(CDC* pDC, LPCRECT lpRect, COLORREF clrFrom, COLORREF clrTo,
                                                    BOOL bHorizontal, LPCRECT lpClipRect)
{
    if (!lpRect)
        return;
    if (!lpClipRect)
    {
        FillGradientRect(pDC, lpRect, clrFrom, clrTo, bHorizontal);
        return;
    }

    CRect rc(lpRect);
    // Along the gradient: start, end and clip edges; across it: the others.
    LONG& nStart = bHorizontal ? rc.left : rc.top;
    LONG& nEnd = bHorizontal ? rc.right : rc.bottom;
    LONG& nCrossStart = bHorizontal ? rc.top : rc.left;
    LONG& nCrossEnd = bHorizontal ? rc.bottom : rc.right;
    const LONG nClipStart = bHorizontal ? lpClipRect->left : lpClipRect->top;
    const LONG nClipEnd = bHorizontal ? lpClipRect->right : lpClipRect->bottom;
    nCrossStart = std::max(nCrossStart, bHorizontal ? lpClipRect->top : lpClipRect->left);
    nCrossEnd = std::min(nCrossEnd, bHorizontal ? lpClipRect->bottom : lpClipRect->right);

    if (nClipEnd <= nStart || nClipStart >= nEnd)
        return;

    // The colours at the clip edges are taken from the whole rectangle's
    // gradient, so the visible part looks as it would unclipped.
    const LONG nOrgStart = nStart;
    const LONG nOrgEnd = nEnd;
    const float fLength = static_cast<float>(nOrgEnd - nOrgStart);
    COLORREF clrNewFrom = clrFrom;
    COLORREF clrNewTo = clrTo;
    if (nOrgStart < nClipStart)
    {
        nStart = nClipStart;
        clrNewFrom = MixColors(clrFrom, clrTo, static_cast<float>(nOrgEnd - nClipStart) / fLength);
    }
    if (nOrgEnd > nClipEnd)
    {
        nEnd = nClipEnd;
        clrNewTo = MixColors(clrFrom, clrTo, static_cast<float>(nOrgEnd - nClipEnd) / fLength);
    }
    FillGradientRect(pDC, &rc, clrNewFrom, clrNewTo, bHorizontal);
}

void AFX_CDECL CLVKDrawHelpers::FillGradientColor(CDC* pDC, LPCRECT lpRect, const CLVKPaintManagerColorGradient& grc,
                                                  BOOL bHorizontal, LPCRECT lpClipRect)
{
    const COLORREF clrFirst = grc.GetFirst();
    const COLORREF clrSecond = grc.GetSecond();
    if (grc.GetFactor() == 0.5f)
    {
        FillGradientClipped(pDC, lpRect, clrFirst, clrSecond, bHorizontal, lpClipRect);
        return;
    }
    const COLORREF clrMiddle = MixColors(clrFirst, clrSecond, grc.GetFactor());
    CRect rcFirst(lpRect);
    CRect rcSecond(lpRect);
    if (bHorizontal)
        rcFirst.right = rcSecond.left = lpRect->right - (lpRect->right - lpRect->left) / 2;
    else
        rcFirst.bottom = rcSecond.top = lpRect->bottom - (lpRect->bottom - lpRect->top) / 2;
    FillGradientClipped(pDC, &rcFirst, clrFirst, clrMiddle, bHorizontal, lpClipRect);
    FillGradientClipped(pDC, &rcSecond, clrMiddle, clrSecond, bHorizontal, lpClipRect);
}

COLORREF AFX_CDECL CLVKDrawHelpers::MixColors(COLORREF clrFirst, COLORREF clrSecond, double dRatio)
{
    const auto mix = [dRatio](int a, int b)
    { return std::min(static_cast<int>(a * dRatio + b * (1.0 - dRatio)), 255); };
    return RGB(mix(GetRValue(clrFirst), GetRValue(clrSecond)), mix(GetGValue(clrFirst), GetGValue(clrSecond)),
               mix(GetBValue(clrFirst), GetBValue(clrSecond)));
}

DWORD AFX_CDECL CLVKDrawHelpers::RgbToHls(COLORREF clr)
{
    const int r = GetRValue(clr);
    const int g = GetGValue(clr);
    const int b = GetBValue(clr);
    const int nMax = std::max({r, g, b});
    const int nMin = std::min({r, g, b});
    const int l = (nMax + nMin + 1) / 2;
    int s = 0;
    int h = 255;
    if (nMax != nMin)
    {
        const int d = nMax - nMin;
        s = l < 127 ? (d * 256 + 256) / (nMax + nMin) : d * 256 / (512 - (nMax + nMin));
        if (r == nMax)
            h = ((g - b) * 256) / d;
        else if (g == nMax)
            h = ((b - r) * 256) / d + 512;
        else
            h = ((r - g) * 256) / d + 1024;
        h /= 6;
        if (h < 0)
            h += 256;
    }
    const DWORD dwHue = std::min(h * 239 / 255, 239);
    const DWORD dwSaturation = std::min(s * 240 / 255, 240);
    const DWORD dwLuminance = std::min(l * 240 / 255, 240);
    return dwHue | (dwSaturation << 8) | (dwLuminance << 16);
}

int AFX_CDECL CLVKDrawHelpers::HueToRgb(int m1, int m2, int h)
{
    if (h < 0)
        h += 255;
    if (h > 255)
        h -= 255;
    const int q = (m2 - m1) / 255;
    if (6 * h < 255)
        return (m1 + 6 * h * q) / 255;
    if (2 * h < 255)
        return m2 / 255;
    if (3 * h < 510)
        return (m1 + 6 * (170 - h) * q) / 255;
    return m1 / 255;
}

COLORREF AFX_CDECL CLVKDrawHelpers::HlsToRgb(DWORD dwHls)
{
    const int h = static_cast<int>(dwHls & 0xFF) * 255 / 239;
    const int s = static_cast<int>((dwHls >> 8) & 0xFF) * 255 / 240;
    const int l = static_cast<int>((dwHls >> 16) & 0xFF) * 255 / 240;
    if (s == 0)
    {
        const int nGrey = std::min(l, 255);
        return RGB(nGrey, nGrey, nGrey);
    }
    const int m2 = l <= 127 ? l * (s + 255) : (l + s - l * s / 255) * 255;
    const int m1 = l * 510 - m2;
    return RGB(std::min(HueToRgb(m1, m2, h + 85), 255), std::min(HueToRgb(m1, m2, h), 255),
               std::min(HueToRgb(m1, m2, h - 85), 255));
}

BOOL AFX_CDECL CLVKDrawHelpers::IsLowColorDC(HDC hDC)
{
    return CLVKColorManager::IsLowColor(hDC);
}

void AFX_CDECL CLVKDrawHelpers::DrawTriangle(CDC* pDC, POINT pt0, POINT pt1, POINT pt2, COLORREF clrPen,
                                             COLORREF clrFill)
{
    if (!pDC || !pDC->GetSafeHdc())
        return;
    const HDC hDC = pDC->GetSafeHdc();
    CLVKPenDC pen(hDC, clrPen);
    CLVKBrushDC brush(hDC, clrFill == kNoColor ? clrPen : clrFill);
    const POINT points[3] = {pt0, pt1, pt2};
    ::Polygon(hDC, points, 3);
}

void AFX_CDECL CLVKDrawHelpers::DrawSmallTriangle(CDC* pDC, int x, int y, BOOL bCorner, COLORREF clrPen,
                                                  COLORREF clrFill)
{
    CLVKDpiScaling* const pScaling = CLVKDpiScaling::GetGlobal();
    if (bCorner)
    {
        const int sx = pScaling->ScaleX(5, 96);
        const int sy = pScaling->ScaleY(5, 96);
        DrawTriangle(pDC, {x, y + sy}, {x + sx, y + sy}, {x + sx, y}, clrPen, clrFill);
        return;
    }
    DrawTriangle(pDC, {x, y}, {x, y + pScaling->ScaleY(8, 96)},
                 {x + pScaling->ScaleX(4, 96), y + pScaling->ScaleY(4, 96)}, clrPen, clrFill);
}

BOOL AFX_CDECL CLVKDrawHelpers::DrawLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF clr)
{
    if (!pDC || !pDC->GetSafeHdc())
        return FALSE;
    CLVKPenDC pen(pDC->GetSafeHdc(), clr);
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
    return TRUE;
}

void AFX_CDECL CLVKDrawHelpers::DrawFramedRect(CDC* pDC, LPCRECT lpRect, COLORREF clrFrame, COLORREF clrFill)
{
    if (!pDC || !lpRect)
        return;
    pDC->Draw3dRect(lpRect, clrFrame, clrFrame);
    CRect rcInside(lpRect);
    rcInside.DeflateRect(1, 1);
    pDC->FillSolidRect(&rcInside, clrFill);
}

void AFX_CDECL CLVKDrawHelpers::ExcludeCorners(CDC* pDC, LPCRECT lpRect, BOOL bTopOnly)
{
    if (!pDC || !lpRect)
        return;
    CLVKDpiScaling* const pScaling = CLVKDpiScaling::GetGlobal();
    const int cx = pScaling->ScaleX(1, 96);
    const int cy = pScaling->ScaleY(1, 96);
    pDC->ExcludeClipRect(lpRect->left, lpRect->top, lpRect->left + cx, lpRect->top + cy);
    pDC->ExcludeClipRect(lpRect->right - cx, lpRect->top, lpRect->right, lpRect->top + cy);
    if (bTopOnly)
        return;
    pDC->ExcludeClipRect(lpRect->left, lpRect->bottom - cy, lpRect->left + cx, lpRect->bottom);
    pDC->ExcludeClipRect(lpRect->right - cx, lpRect->bottom - cy, lpRect->right, lpRect->bottom);
}

BOOL AFX_CDECL CLVKDrawHelpers::GetIconTitleLogFont(LOGFONTW* pLogFont)
{
    if (!pLogFont)
        return FALSE;
    *pLogFont = LOGFONTW{};
    if (!::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(LOGFONTW), pLogFont, 0))
        return FALSE;
    if (CLVKSystemVersion::GetGlobal()->IsWinXPOrGreater())
        pLogFont->lfQuality = CLEARTYPE_QUALITY;
    pLogFont->lfCharSet = CLVKResourceManager::GetGlobal()->GetFontCharset();
    return TRUE;
}

CString AFX_CDECL CLVKDrawHelpers::GetDefaultFontFaceName(BOOL bPreferTahoma)
{
    LOGFONTW logFont{};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(logFont), &logFont);

    // A localised system's own GUI face carries its script; keep it.
    if (logFont.lfCharSet > SYMBOL_CHARSET && CLVKSystemVersion::GetGlobal()->IsWin2000OrGreater() &&
        lstrcmpiW(logFont.lfFaceName, L"MS Shell Dlg") != 0)
    {
        return CString(logFont.lfFaceName);
    }
    if (FontExists(L"Arial"))
        return CString(bPreferTahoma && FontExists(L"Tahoma") ? L"Tahoma" : L"Arial");
    return CString(logFont.lfFaceName);
}

BOOL AFX_CDECL CLVKDrawHelpers::FontExists(LPCWSTR lpszFaceName)
{
    if (!lpszFaceName || !*lpszFaceName)
        return FALSE;
    const HDC hDC = ::GetDC(nullptr);
    if (!hDC)
        return FALSE;
    LOGFONTW logFont{};
    logFont.lfCharSet = DEFAULT_CHARSET;
    const int nResult = ::EnumFontFamiliesExW(hDC, &logFont, reinterpret_cast<FONTENUMPROCW>(&LVKFontFaceEnumProc),
                                              reinterpret_cast<LPARAM>(lpszFaceName), 0);
    ::ReleaseDC(nullptr, hDC);
    return nResult == 0;
}

int AFX_CDECL CLVKDrawHelpers::DrawTextInFace(CDC* pDC, LPCWSTR lpszFaceName, int nPointSize, LPCWSTR lpszText,
                                              int nLength, LPRECT lpRect, UINT nFormat, COLORREF clrText,
                                              COLORREF clrBack)
{
    if (!pDC || !lpszText || !lpRect)
        return 0;
    // Every font made here is kept (with the fitted height), so that the
    // next paint of the same text creates no fonts.
    CLVKFontKeeper* const pKeeper = CLVKFontKeeper::GetGlobal();
    LOGFONTW logFont{};
    if (nPointSize != 0)
    {
        CLVKFont font;
        if (!font.CreatePointFont(nPointSize, lpszFaceName, pDC))
            return 0;
        if (font.GetLogFont(&logFont))
            pKeeper->GetFont(logFont);
        return DrawTextWithFont(pDC, font.GetFont(), lpszText, nLength, lpRect, nFormat, clrText, clrBack);
    }

    CLVKFont fontBase;
    if (!fontBase.CreatePointFont(80, lpszFaceName, pDC))
        return 0;
    if (!fontBase.GetLogFont(&logFont))
        return 0;
    pKeeper->GetFont(logFont);
    if (nLength < 0)
        nLength = lstrlenW(lpszText);
    const int nHeight = pKeeper->GetFittingHeight(pDC, lpszText, nLength, lpRect, fontBase.GetFont());
    if (nHeight == 0)
        return 0;
    logFont.lfHeight = nHeight;
    CLVKFont font;
    if (!font.CreateIndirect(&logFont))
        return 0;
    pKeeper->GetFont(logFont);
    return DrawTextWithFont(pDC, font.GetFont(), lpszText, nLength, lpRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                            clrText, clrBack);
}

int AFX_CDECL CLVKDrawHelpers::EstimateFittingFontHeight(SIZE szBox, SIZE szText)
{
    if (szBox.cx <= 0 || szBox.cy <= 0)
        return 0;
    if (szText.cx >= szText.cy)
        return szText.cx ? ::MulDiv(szText.cy, szBox.cx, szText.cx) : 0;
    return szBox.cy;
}

int AFX_CDECL CLVKDrawHelpers::FindFittingFontHeight(CDC* pDC, LPCWSTR lpszText, int nLength, LPCRECT lpRect,
                                                     CFont* pFont)
{
    if (!pDC || !pDC->GetSafeHdc() || !lpRect || !pFont || !pFont->GetSafeHandle())
        return 0;
    const RECT rc = LVKMatchRectParity(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0)
        return 0;
    LOGFONTW logFont{};
    if (::GetObjectW(pFont->GetSafeHandle(), sizeof(logFont), &logFont) != sizeof(logFont))
        return 0;

    const HDC hDC = pDC->GetSafeHdc();
    int s = EstimateFittingFontHeight({w, h},
                                      MeasureText(hDC, static_cast<HFONT>(pFont->GetSafeHandle()), lpszText, nLength));
    if (s <= 0)
        return 0;
    int nDirection = 0;
    int nResult = 0;
    while (nResult == 0)
    {
        logFont.lfHeight = s;
        const HFONT hTry = ::CreateFontIndirectW(&logFont);
        if (!hTry)
            break;
        const SIZE size = MeasureText(hDC, hTry, lpszText, nLength);
        ::DeleteObject(hTry);
        const BOOL bInside = size.cx < w && size.cy < h;
        const BOOL bOutside = size.cx > w || size.cy > h;
        if (nDirection == 0)
        {
            if (bInside)
            {
                ++s;
                nDirection = 1;
            }
            else if (bOutside)
            {
                --s;
                nDirection = -1;
            }
            else
                nResult = s;
        }
        else if (nDirection > 0)
        {
            if (bInside)
                ++s;
            else
                nResult = s - 1;
        }
        else
        {
            if (bOutside)
                --s;
            else
                nResult = s;
        }
        if (s <= 0)
            break;
    }
    return nResult;
}

int AFX_CDECL CLVKDrawHelpers::DrawTextWithFont(CDC* pDC, CFont* pFont, LPCWSTR lpszText, int nLength, LPRECT lpRect,
                                                UINT nFormat, COLORREF clrText, COLORREF clrBack)
{
    if (!pDC || !pDC->GetSafeHdc())
        return 0;
    const HDC hDC = pDC->GetSafeHdc();
    const COLORREF clrOldText = ::GetTextColor(hDC);
    const int nOldBkMode = ::GetBkMode(hDC);
    if (clrText != kNoColor)
        ::SetTextColor(hDC, clrText);
    COLORREF clrOldBack = kNoColor;
    if (clrBack != kNoColor)
    {
        clrOldBack = ::SetBkColor(hDC, clrBack);
        ::SetBkMode(hDC, OPAQUE);
    }
    else
        ::SetBkMode(hDC, TRANSPARENT);
    const CLVKGdiObjectDC font(hDC, pFont ? pFont->GetSafeHandle() : nullptr);
    const int nResult = ::DrawTextW(hDC, lpszText, nLength, lpRect, nFormat);
    if (clrOldBack != kNoColor)
        ::SetBkColor(hDC, clrOldBack);
    ::SetBkMode(hDC, nOldBkMode);
    ::SetTextColor(hDC, clrOldText);
    return nResult;
}

void AFX_CDECL CLVKDrawHelpers::StripMnemonics(CString& str)
{
    if (str.Find(L'&') < 0)
        return;
    LPWSTR pszBuffer = str.GetBuffer();
    LVKStripMnemonicsInBuffer(pszBuffer);
    str.ReleaseBuffer();
}

DWORD AFX_CDECL CLVKDrawHelpers::GetLayout(HDC hDC)
{
    const auto pfn = reinterpret_cast<PFNGETLAYOUT>(reinterpret_cast<void*>(LookUpGdi32(g_pfnGetLayout, "GetLayout")));
    return pfn ? pfn(hDC) : 0;
}

DWORD AFX_CDECL CLVKDrawHelpers::GetLayoutOfDC(CDC* pDC)
{
    return pDC ? GetLayout(pDC->GetSafeHdc()) : 0;
}

BOOL AFX_CDECL CLVKDrawHelpers::IsLayoutRTL(HDC hDC)
{
    return GetLayout(hDC) == LAYOUT_RTL;
}

BOOL AFX_CDECL CLVKDrawHelpers::IsLayoutRTLOfDC(CDC* pDC)
{
    return pDC ? IsLayoutRTL(pDC->GetSafeHdc()) : FALSE;
}

void AFX_CDECL CLVKDrawHelpers::SetLayout(HDC hDC, BOOL bRTL)
{
    const auto pfn = reinterpret_cast<PFNSETLAYOUT>(reinterpret_cast<void*>(LookUpGdi32(g_pfnSetLayout, "SetLayout")));
    if (pfn)
        pfn(hDC, bRTL ? LAYOUT_RTL : 0);
}

void AFX_CDECL CLVKDrawHelpers::SetLayoutOfDC(CDC* pDC, BOOL bRTL)
{
    if (pDC)
        SetLayout(pDC->GetSafeHdc(), bRTL);
}

void AFX_CDECL LVKStripMnemonicsInBuffer(LPWSTR lpszText)
{
    if (!lpszText || lpszText == reinterpret_cast<LPWSTR>(static_cast<INT_PTR>(-1)))
        return;
    LPWSTR pszTo = lpszText;
    for (LPCWSTR pszFrom = lpszText; *pszFrom; ++pszFrom)
    {
        if (*pszFrom == L'&')
        {
            ++pszFrom;
            if (!*pszFrom)
                break;
        }
        *pszTo++ = *pszFrom;
    }
    *pszTo = 0;
}

RECT AFX_CDECL LVKMatchRectParity(int nLeft, int nTop, int nRight, int nBottom)
{
    const int w = nRight - nLeft;
    const int h = nBottom - nTop;
    const BOOL bOddW = (w & 1) != 0;
    const BOOL bOddH = (h & 1) != 0;
    if (bOddW == bOddH)
        return {nLeft, nTop, nRight, nBottom};
    if (bOddW)
        return w < h ? RECT{nLeft + 1, nTop, nRight - 1, nBottom - 1} : RECT{nLeft, nTop, nRight - 1, nBottom};
    return h < w ? RECT{nLeft, nTop + 1, nRight - 1, nBottom - 1} : RECT{nLeft, nTop, nRight, nBottom - 1};
}
