#include "ImageManager.h"

#include "AlphaBitmap.h"
#include "DrawHelpers.h"
#include "GdiObjectDC.h"
#include "SingletonPointer.h"
#include "SystemVersion.h"

#include <algorithm>
#include <cmath>

namespace
{
// The pixel memory of a 32-bit, one-plane DIB section, or null.
DWORD* SectionBits(HBITMAP hBitmap, BITMAP* pInfo)
{
    DIBSECTION section{};
    if (!hBitmap || ::GetObjectW(hBitmap, sizeof(section), &section) != sizeof(section))
        return nullptr;
    if (section.dsBm.bmBitsPixel != 32 || section.dsBm.bmPlanes != 1 || !section.dsBm.bmBits)
        return nullptr;
    *pInfo = section.dsBm;
    return static_cast<DWORD*>(section.dsBm.bmBits);
}

bool IsRTLOn9x(HDC hDC)
{
    return CLVKSystemVersion::GetGlobal()->IsWin9x() && CLVKDrawHelpers::IsLayoutRTL(hDC);
}

// SetLayout is bound at run time: it is missing on the oldest systems.
void SetLeftToRight(HDC hDC)
{
    typedef DWORD(WINAPI * PFNSETLAYOUT)(HDC, DWORD);
    static PFNSETLAYOUT pfn = reinterpret_cast<PFNSETLAYOUT>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"gdi32.dll"), "SetLayout")));
    if (pfn)
        pfn(hDC, 0);
}
}  // namespace

CLVKImageManager* AFX_CDECL CLVKImageManager::GetGlobal()
{
    return LVKGetSingleton<CLVKImageManager>();
}

BOOL CLVKImageManager::AlphaBlendImage(CDC* pDestDC, const RECT& rcDest, CDC* pSrcDC, const RECT& rcSrc)
{
    if (!pDestDC || !pSrcDC)
        return FALSE;
    const CLVKDrawHelpers::PFNALPHABLEND pfnAlphaBlend = CLVKDrawHelpers::GetGlobal()->GetAlphaBlend();
    const bool bOldSystemOffset =
        !CLVKSystemVersion::GetGlobal()->IsWin2000OrGreater() && (rcSrc.left != 0 || rcSrc.top != 0 || rcDest.top < 0);
    if (!pfnAlphaBlend || IsRTLOn9x(pDestDC->GetSafeHdc()) || bOldSystemOffset)
        return SoftwareAlphaBlend(pDestDC, rcDest.left, rcDest.top, rcDest.right - rcDest.left,
                                  rcDest.bottom - rcDest.top, pSrcDC, rcSrc.left, rcSrc.top, rcSrc.right - rcSrc.left,
                                  rcSrc.bottom - rcSrc.top);
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return pfnAlphaBlend(pDestDC->GetSafeHdc(), rcDest.left, rcDest.top, rcDest.right - rcDest.left,
                         rcDest.bottom - rcDest.top, pSrcDC->GetSafeHdc(), rcSrc.left, rcSrc.top,
                         rcSrc.right - rcSrc.left, rcSrc.bottom - rcSrc.top, blend);
}

BOOL CLVKImageManager::BlendConstantAlpha(CDC* pDestDC, const RECT& rcDest, CDC* pSrcDC, const RECT& rcSrc,
                                          BYTE nOpacity)
{
    if (!pDestDC || !pSrcDC)
        return FALSE;
    const CLVKDrawHelpers::PFNALPHABLEND pfnAlphaBlend = CLVKDrawHelpers::GetGlobal()->GetAlphaBlend();
    const bool bUsable = pfnAlphaBlend && !IsRTLOn9x(pDestDC->GetSafeHdc()) &&
                         (CLVKSystemVersion::GetGlobal()->IsWin2000OrGreater() || (rcSrc.left == 0 && rcSrc.top == 0));
    if (!bUsable)
        return SoftwareAlphaBlend(pDestDC, rcDest.left, rcDest.top, rcDest.right - rcDest.left,
                                  rcDest.bottom - rcDest.top, pSrcDC, rcSrc.left, rcSrc.top, rcSrc.right - rcSrc.left,
                                  rcSrc.bottom - rcSrc.top);
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, nOpacity, 0};
    return pfnAlphaBlend(pDestDC->GetSafeHdc(), rcDest.left, rcDest.top, rcDest.right - rcDest.left,
                         rcDest.bottom - rcDest.top, pSrcDC->GetSafeHdc(), rcSrc.left, rcSrc.top,
                         rcSrc.right - rcSrc.left, rcSrc.bottom - rcSrc.top, blend);
}

BOOL CLVKImageManager::SoftwareAlphaBlend(CDC* pDestDC, int x, int y, int cx, int cy, CDC* pSrcDC, int xSrc, int ySrc,
                                          int cxSrc, int cySrc)
{
    if (!pDestDC || !pSrcDC || cx <= 0 || cy <= 0)
        return FALSE;
    HDC hDest = pDestDC->GetSafeHdc();
    HDC hSrc = pSrcDC->GetSafeHdc();
    const BOOL bDestRTL = CLVKDrawHelpers::IsLayoutRTL(hDest);
    const BOOL bSrcRTL = CLVKDrawHelpers::IsLayoutRTL(hSrc);

    HBITMAP hBitmaps[3] = {};
    for (HBITMAP& hBitmap : hBitmaps)
        hBitmap = CreateDibSection32(hDest, cx, cy, nullptr);
    HDC hMemSrc = ::CreateCompatibleDC(hSrc);
    HDC hMemDest = ::CreateCompatibleDC(hSrc);
    BOOL bResult = FALSE;
    if (hBitmaps[0] && hBitmaps[1] && hBitmaps[2] && hMemSrc && hMemDest)
    {
        SetLeftToRight(hMemSrc);
        SetLeftToRight(hMemDest);
        ::SetStretchBltMode(hMemSrc, COLORONCOLOR);
        ::SetStretchBltMode(hMemDest, COLORONCOLOR);
        CLVKGdiObjectDC source(hMemSrc, hBitmaps[0]);
        const CLVKGdiObjectDC dest(hMemDest, hBitmaps[1]);
        bResult = ::StretchBlt(hMemSrc, 0, 0, cx, cy, hSrc, xSrc, ySrc, cxSrc, cySrc, SRCCOPY) &&
                  ::BitBlt(hMemDest, 0, 0, cx, cy, hDest, x, y, SRCCOPY);
        ::GdiFlush();
        if (bResult)
            bResult = BlendPremultipliedPixels(hBitmaps[0], bSrcRTL, hBitmaps[1], bDestRTL, hBitmaps[2]);
        if (bResult)
        {
            source.Select(hBitmaps[2]);
            bResult = ::BitBlt(hDest, x, y, cx, cy, hMemSrc, 0, 0, SRCCOPY | (bDestRTL ? NOMIRRORBITMAP : 0));
        }
    }
    if (hMemSrc)
        ::DeleteDC(hMemSrc);
    if (hMemDest)
        ::DeleteDC(hMemDest);
    for (HBITMAP hBitmap : hBitmaps)
        if (hBitmap)
            ::DeleteObject(hBitmap);
    return bResult;
}

BOOL AFX_CDECL BlendPremultipliedPixels(HBITMAP hSource, BOOL bSourceMirrored, HBITMAP hDest, BOOL bDestMirrored,
                                        HBITMAP hOutput)
{
    BITMAP source{}, dest{}, output{};
    const DWORD* pSource = SectionBits(hSource, &source);
    const DWORD* pDest = SectionBits(hDest, &dest);
    DWORD* pOutput = SectionBits(hOutput, &output);
    if (!pSource || !pDest || !pOutput)
        return FALSE;
    if (source.bmWidth != dest.bmWidth || source.bmWidth != output.bmWidth || source.bmHeight != dest.bmHeight ||
        source.bmHeight != output.bmHeight)
        return FALSE;
    ::GdiFlush();
    const int cx = source.bmWidth;
    for (int y = 0; y < source.bmHeight; ++y)
    {
        for (int x = 0; x < cx; ++x)
        {
            const DWORD s = pSource[y * cx + (bSourceMirrored ? cx - 1 - x : x)];
            const DWORD d = pDest[y * cx + (bDestMirrored ? cx - 1 - x : x)];
            const DWORD nInverse = 255 - (s >> 24);
            DWORD o = pOutput[y * cx + x] & 0xFF000000;
            for (int shift = 0; shift <= 16; shift += 8)
            {
                const DWORD c = ((s >> shift) & 0xFF) + ((d >> shift) & 0xFF) * nInverse / 255;
                o |= std::min<DWORD>(c, 255) << shift;
            }
            pOutput[y * cx + x] = o;
        }
    }
    return TRUE;
}

BOOL AFX_CDECL DrawAlphaBitmapSection(CDC* pDC, HBITMAP hBitmap, int x, int y, int cx, int cy, int xSrc, int ySrc,
                                      int cxSrc, int cySrc)
{
    if (!pDC || !hBitmap)
        return FALSE;
    if (cxSrc == 0 && cySrc == 0)
    {
        cxSrc = cx;
        cySrc = cy;
    }
    HDC hScreen = ::GetDC(nullptr);
    CDC memDC;
    memDC.Attach(::CreateCompatibleDC(hScreen));
    ::ReleaseDC(nullptr, hScreen);
    if (!memDC.m_hDC)
        return FALSE;
    const CLVKGdiObjectDC bitmap(memDC.m_hDC, hBitmap);
    const RECT rcDest = {x, y, x + cx, y + cy};
    const RECT rcSrc = {xSrc, ySrc, xSrc + cxSrc, ySrc + cySrc};
    return CLVKImageManager::GetGlobal()->AlphaBlendImage(pDC, rcDest, &memDC, rcSrc);
}

BOOL AFX_CDECL DrawIconWithAlpha(CDC* pDC, int x, int y, int cx, int cy, HICON hIcon)
{
    if (!pDC || !hIcon || cx == 0 || cy <= 0)
        return FALSE;
    RECT rcDest = {x + cx, y, x, y + cy};
    if (cx > 0)
        rcDest = {x, y, x + cx, y + cy};
    const int cxAbs = cx < 0 ? -cx : cx;
    BYTE* pBits = nullptr;
    HBITMAP hBuffer = CreateDibSection32(pDC->GetSafeHdc(), cxAbs, cy, &pBits);
    if (!hBuffer)
        return FALSE;
    CDC memDC;
    memDC.Attach(::CreateCompatibleDC(pDC->GetSafeHdc()));
    BOOL bResult = FALSE;
    if (memDC.m_hDC)
    {
        const CLVKGdiObjectDC buffer(memDC.m_hDC, hBuffer);
        memDC.FillSolidRect(0, 0, cxAbs, cy, RGB(255, 0, 255));
        ::DrawIconEx(memDC.m_hDC, cx < 0 ? -cx : 0, 0, hIcon, cx, cy, 0, nullptr, DI_NORMAL);
        ::GdiFlush();
        // What the icon left magenta is transparent; everything it drew is opaque.
        DWORD* pPixels = reinterpret_cast<DWORD*>(pBits);
        for (int i = 0; i < cxAbs * cy; ++i)
            pPixels[i] = (pPixels[i] & 0x00FFFFFF) == 0x00FF00FF ? 0 : (pPixels[i] | 0xFF000000);
        const RECT rcSrc = {0, 0, cxAbs, cy};
        bResult = CLVKImageManager::GetGlobal()->AlphaBlendImage(pDC, rcDest, &memDC, rcSrc);
    }
    ::DeleteObject(hBuffer);
    return bResult;
}

namespace
{
// The dark colour's channel where the luminance is black, the light one's
// where it is white (nLuma in thousandths of a level, up to 255,000).
int Mix(int nDark, int nLight, int nLuma)
{
    return (nDark * (255000 - nLuma) + nLight * nLuma) / 255000;
}

// The largest whole number whose square is at most n.
int IntegerSquareRoot(unsigned n)
{
    unsigned root = static_cast<unsigned>(std::sqrt(static_cast<double>(n)));
    while (root * root > n)
        --root;
    while ((root + 1) * (root + 1) <= n)
        ++root;
    return static_cast<int>(root);
}
}  // namespace

BOOL AFX_CDECL CLVKImageManager::GrayOutBits(HBITMAP hBitmap, COLORREF clrLight, COLORREF clrDark, int nLevel)
{
    BITMAP info{};
    DWORD* pPixels = SectionBits(hBitmap, &info);
    if (!pPixels)
        return FALSE;
    ::GdiFlush();
    const bool bDuotone = clrLight != static_cast<COLORREF>(-1) && clrDark != static_cast<COLORREF>(-1);
    const int nCount = info.bmWidth * info.bmHeight;
    for (int i = 0; i < nCount; ++i)
    {
        const DWORD p = pPixels[i];
        const int b = p & 0xFF, g = (p >> 8) & 0xFF, r = (p >> 16) & 0xFF;
        // Luminance in thousandths of a level, 0 to 255,000. Integer arithmetic,
        // so that every processor and floating-point unit gives the same pixels.
        const int nLuma = 114 * b + 587 * g + 299 * r;
        int nb, ng, nr;
        if (bDuotone)
        {
            nb = Mix(GetBValue(clrDark), GetBValue(clrLight), nLuma);
            ng = Mix(GetGValue(clrDark), GetGValue(clrLight), nLuma);
            nr = Mix(GetRValue(clrDark), GetRValue(clrLight), nLuma);
        }
        else if (nLevel == -1)
        {
            // 255 x the square root of the luminance as a fraction of white.
            nb = ng = nr = IntegerSquareRoot(static_cast<unsigned>(nLuma) * 255 / 1000);
        }
        else
        {
            int yv = nLuma / 1000;
            yv = yv + (255 - yv) * nLevel / 255;
            nb = ng = nr = std::min(yv, 255);
        }
        pPixels[i] = (p & 0xFF000000) | ((nr & 0xFF) << 16) | ((ng & 0xFF) << 8) | (nb & 0xFF);
    }
    return TRUE;
}

namespace
{
BOOL RecolourArea(CDC* pDC, const RECT& rc, COLORREF clrLight, COLORREF clrDark, int nLevel)
{
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    if (!pDC || cx <= 0 || cy <= 0)
        return FALSE;
    HBITMAP hCopy = CreateDibSection32(pDC->GetSafeHdc(), cx, cy, nullptr);
    HDC hMemDC = ::CreateCompatibleDC(pDC->GetSafeHdc());
    BOOL bResult = FALSE;
    if (hCopy && hMemDC)
    {
        const CLVKGdiObjectDC copy(hMemDC, hCopy);
        ::BitBlt(hMemDC, 0, 0, cx, cy, pDC->GetSafeHdc(), rc.left, rc.top, SRCCOPY);
        bResult = CLVKImageManager::GrayOutBits(hCopy, clrLight, clrDark, nLevel);
        if (bResult)
            ::BitBlt(pDC->GetSafeHdc(), rc.left, rc.top, cx, cy, hMemDC, 0, 0, SRCCOPY);
    }
    if (hMemDC)
        ::DeleteDC(hMemDC);
    if (hCopy)
        ::DeleteObject(hCopy);
    return bResult;
}
}  // namespace

BOOL CLVKImageManager::GrayOutRect(CDC* pDC, const RECT& rc, int nLevel)
{
    return RecolourArea(pDC, rc, static_cast<COLORREF>(-1), static_cast<COLORREF>(-1), nLevel);
}

BOOL CLVKImageManager::DuotoneRect(CDC* pDC, const RECT& rc, COLORREF clrLight, COLORREF clrDark)
{
    return RecolourArea(pDC, rc, clrLight, clrDark, -1);
}

BOOL CLVKImageManager::TransparentBlt(CDC* pDestDC, const RECT& rcDest, CDC* pSrcDC, const RECT& rcSrc,
                                      COLORREF clrTransparent)
{
    if (!pDestDC || !pSrcDC)
        return FALSE;
    const CLVKDrawHelpers::PFNTRANSPARENTBLT pfn = CLVKDrawHelpers::GetGlobal()->GetTransparentBlt();
    if (pfn && CLVKSystemVersion::GetGlobal()->IsWin2000OrGreater())
        return pfn(pDestDC->GetSafeHdc(), rcDest.left, rcDest.top, rcDest.right - rcDest.left,
                   rcDest.bottom - rcDest.top, pSrcDC->GetSafeHdc(), rcSrc.left, rcSrc.top, rcSrc.right - rcSrc.left,
                   rcSrc.bottom - rcSrc.top, clrTransparent);
    return TransparentBltFallback(pDestDC, rcDest.left, rcDest.top, rcDest.right - rcDest.left,
                                  rcDest.bottom - rcDest.top, pSrcDC, rcSrc.left, rcSrc.top, rcSrc.right - rcSrc.left,
                                  rcSrc.bottom - rcSrc.top, clrTransparent);
}

BOOL AFX_CDECL TransparentBltFallback(CDC* pDestDC, int x, int y, int cx, int cy, CDC* pSrcDC, int xSrc, int ySrc,
                                      int cxSrc, int cySrc, COLORREF clrTransparent)
{
    if (!pDestDC || !pSrcDC || cxSrc <= 0 || cySrc <= 0)
        return FALSE;
    HDC hDest = pDestDC->GetSafeHdc();
    HDC hSrc = pSrcDC->GetSafeHdc();
    const COLORREF clrOldBk = ::SetBkColor(hDest, RGB(255, 255, 255));
    const COLORREF clrOldText = ::SetTextColor(hDest, RGB(0, 0, 0));

    HBITMAP hColor = ::CreateCompatibleBitmap(hDest, cxSrc, cySrc);
    HBITMAP hMask = ::CreateBitmap(cxSrc, cySrc, 1, 1, nullptr);
    HDC hColorDC = ::CreateCompatibleDC(hDest);
    HDC hMaskDC = ::CreateCompatibleDC(hDest);
    BOOL bResult = FALSE;
    if (hColor && hMask && hColorDC && hMaskDC)
    {
        const CLVKGdiObjectDC color(hColorDC, hColor);
        const CLVKGdiObjectDC mask(hMaskDC, hMask);
        ::BitBlt(hColorDC, 0, 0, cxSrc, cySrc, hSrc, xSrc, ySrc, SRCCOPY);
        // Pixels of the transparent colour become 1 (white) in the mask.
        ::SetBkColor(hColorDC, clrTransparent);
        ::BitBlt(hMaskDC, 0, 0, cxSrc, cySrc, hColorDC, 0, 0, SRCCOPY);
        if (clrTransparent != RGB(0, 0, 0))
        {
            ::SetBkColor(hColorDC, RGB(0, 0, 0));
            ::SetTextColor(hColorDC, RGB(255, 255, 255));
            ::BitBlt(hColorDC, 0, 0, cxSrc, cySrc, hMaskDC, 0, 0, SRCAND);
        }
        if (cx == cxSrc && cy == cySrc)
        {
            ::BitBlt(hDest, x, y, cx, cy, hMaskDC, 0, 0, SRCAND);
            bResult = ::BitBlt(hDest, x, y, cx, cy, hColorDC, 0, 0, SRCPAINT);
        }
        else
        {
            ::StretchBlt(hDest, x, y, cx, cy, hMaskDC, 0, 0, cxSrc, cySrc, SRCAND);
            bResult = ::StretchBlt(hDest, x, y, cx, cy, hColorDC, 0, 0, cxSrc, cySrc, SRCPAINT);
        }
    }
    if (hColorDC)
        ::DeleteDC(hColorDC);
    if (hMaskDC)
        ::DeleteDC(hMaskDC);
    if (hColor)
        ::DeleteObject(hColor);
    if (hMask)
        ::DeleteObject(hMask);
    ::SetBkColor(hDest, clrOldBk);
    ::SetTextColor(hDest, clrOldText);
    return bResult;
}
