#include "ResourceImage.h"

#include "AlphaBitmap.h"
#include "BitmapLoaders.h"
#include "DrawHelpers.h"
#include "GdiObjectDC.h"
#include "ImageManager.h"
#include "ResourceImages.h"

#include <cstring>

namespace
{
// Holds the owner's lock for a scope.
class CImagesLock
{
public:
    explicit CImagesLock(CLVKResourceImages* pOwner) : m_pLock(pOwner->GetLock()) { ::EnterCriticalSection(m_pLock); }
    ~CImagesLock() { ::LeaveCriticalSection(m_pLock); }
    CImagesLock(const CImagesLock&) = delete;
    CImagesLock& operator=(const CImagesLock&) = delete;

private:
    CRITICAL_SECTION* m_pLock;
};
}  // namespace

CLVKResourceImage::CLVKResourceImage(CLVKResourceImages* pOwner) : m_pOwner(pOwner)
{
}

CLVKResourceImage::~CLVKResourceImage() = default;

void CLVKResourceImage::FreePixels()
{
    m_pPixels.reset();
    m_bAlpha = FALSE;
    m_bMirrored = FALSE;
    m_bPremultiplied = FALSE;
    m_nWidth = m_nHeight = 0;
}

BOOL CLVKResourceImage::LoadImage(HMODULE hModule, LPCWSTR lpszResourceName)
{
    FreePixels();
    if (!hModule)
        return FALSE;
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = LoadBitmapResource(hModule, lpszResourceName, &bAlpha);
    if (!hBitmap)
        return FALSE;
    const BOOL bSet = SetBitmap(hBitmap, bAlpha);
    ::DeleteObject(hBitmap);
    return bSet;
}

BOOL CLVKResourceImage::SetBitmap(HBITMAP hBitmap, BOOL bAlpha)
{
    FreePixels();
    BITMAP bm{};
    if (!hBitmap || !::GetObjectW(hBitmap, sizeof(bm), &bm))
        return FALSE;
    const unsigned long long nBytes = CheckedBitmapBytes(bm.bmWidth, bm.bmHeight);
    if (!nBytes || (bAlpha && bm.bmBitsPixel != 32))
        return FALSE;
    std::unique_ptr<BYTE[]> pPixels(new BYTE[static_cast<size_t>(nBytes)]);

    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = bm.bmWidth;
    bmi.bmiHeader.biHeight = bm.bmHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    HDC hScreen = ::GetDC(nullptr);
    BOOL bRead = FALSE;
    if (bAlpha)
    {
        bRead = ::GetDIBits(hScreen, hBitmap, 0, bm.bmHeight, pPixels.get(), &bmi, DIB_RGB_COLORS) == bm.bmHeight;
    }
    else
    {
        // Plain bitmaps are drawn into a 32-bit section to get their pixels.
        BYTE* pBits = nullptr;
        HBITMAP hSection = CreateDibSection32(hScreen, bm.bmWidth, bm.bmHeight, &pBits);
        HDC hMemDC = ::CreateCompatibleDC(hScreen);
        if (hSection && hMemDC)
        {
            const CLVKGdiObjectDC section(hMemDC, hSection);
            bRead = ::DrawStateW(hMemDC, nullptr, nullptr, reinterpret_cast<LPARAM>(hBitmap), 0, 0, 0, bm.bmWidth,
                                 bm.bmHeight, DST_BITMAP);
            ::GdiFlush();
            if (bRead)
                std::memcpy(pPixels.get(), pBits, static_cast<size_t>(nBytes));
        }
        if (hMemDC)
            ::DeleteDC(hMemDC);
        if (hSection)
            ::DeleteObject(hSection);
    }
    ::ReleaseDC(nullptr, hScreen);
    if (!bRead)
        return FALSE;
    m_pPixels = std::move(pPixels);
    m_nWidth = bm.bmWidth;
    m_nHeight = bm.bmHeight;
    m_bAlpha = bAlpha;
    return TRUE;
}

void CLVKResourceImage::Premultiply()
{
    if (!m_pPixels || !m_bAlpha || m_bPremultiplied)
        return;
    BYTE* p = m_pPixels.get();
    for (int i = 0; i < m_nWidth * m_nHeight; ++i, p += 4)
    {
        p[0] = static_cast<BYTE>(p[0] * p[3] / 255);
        p[1] = static_cast<BYTE>(p[1] * p[3] / 255);
        p[2] = static_cast<BYTE>(p[2] * p[3] / 255);
    }
    m_bPremultiplied = TRUE;
}

void CLVKResourceImage::Mirror()
{
    if (!m_pPixels)
        return;
    std::unique_ptr<BYTE[]> pMirrored(new BYTE[static_cast<size_t>(m_nWidth) * m_nHeight * 4]);
    const DWORD* pSource = reinterpret_cast<const DWORD*>(m_pPixels.get());
    DWORD* pTarget = reinterpret_cast<DWORD*>(pMirrored.get());
    for (int y = 0; y < m_nHeight; ++y)
        for (int x = 0; x < m_nWidth; ++x)
            pTarget[y * m_nWidth + x] = pSource[y * m_nWidth + m_nWidth - 1 - x];
    m_pPixels = std::move(pMirrored);
    m_bMirrored = !m_bMirrored;
}

CRect CLVKResourceImage::GetPartRect(int nPart, int nCount) const
{
    // No parts, or no picture, is an empty rectangle rather than a division by zero.
    if (!m_pPixels || nCount <= 0)
        return CRect(0, 0, 0, 0);
    const int h = m_nHeight / nCount;
    return CRect(0, nPart * h, m_nWidth, (nPart + 1) * h);
}

DWORD CLVKResourceImage::GetPixel(int x, int y) const
{
    if (!m_pPixels || x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return 0;
    return reinterpret_cast<const DWORD*>(m_pPixels.get())[(m_nHeight - 1 - y) * m_nWidth + x];
}

void CLVKResourceImage::DrawPart(CDC* pDC, const CRect& rcDest, const CRect& rcSrc)
{
    if (rcDest.Width() <= 0 || rcDest.Height() <= 0 || rcSrc.Width() <= 0 || rcSrc.Height() <= 0)
        return;
    CDC* pSrcDC = m_pOwner->GetDrawingDC();
    if (m_bAlpha)
    {
        CLVKImageManager::GetGlobal()->AlphaBlendImage(pDC, rcDest, pSrcDC, rcSrc);
    }
    else if (rcDest.Size() == rcSrc.Size())
    {
        pDC->BitBlt(rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), pSrcDC, rcSrc.left, rcSrc.top, SRCCOPY);
    }
    else
    {
        pDC->StretchBlt(rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), pSrcDC, rcSrc.left, rcSrc.top,
                        rcSrc.Width(), rcSrc.Height(), SRCCOPY);
    }
}

void CLVKResourceImage::DrawWithMargins(CDC* pDC, const CRect& rcDest, const CRect& rcSource, const CRect& rcMargins)
{
    if (!pDC || !m_pPixels || !m_pOwner)
        return;
    // The source never reaches outside the picture: its rows are copied
    // from the pixel memory below.
    CRect rcSrc;
    rcSrc.IntersectRect(&rcSource, CRect(0, 0, m_nWidth, m_nHeight));
    int L = rcMargins.left, T = rcMargins.top, R = rcMargins.right, B = rcMargins.bottom;
    if (rcSrc.IsRectEmpty() || T + B > rcSrc.Height() || L < 0 || T < 0 || R < 0 || B < 0)
        return;

    CImagesLock lock(m_pOwner);
    if (rcDest.Width() == rcSrc.Width())
        L = R = 0;
    if (rcDest.Height() == rcSrc.Height())
        T = B = 0;
    pDC->SetStretchBltMode(COLORONCOLOR);
    if (rcDest.IsRectEmpty())
        return;

    const BOOL bRTL = CLVKDrawHelpers::IsLayoutRTLOfDC(pDC);
    if (m_bAlpha && m_bMirroringAllowed && bRTL != m_bMirrored)
        Mirror();

    BYTE* pShared = nullptr;
    int nSide = 0;
    HBITMAP hShared = m_pOwner->GetSharedBitmap(m_nWidth, m_nHeight, &pShared, &nSide);
    if (!hShared)
        return;
    ::GdiFlush();
    // Image row y (from the top) lands on the shared bitmap's row y - top.
    for (int y = rcSrc.top; y < rcSrc.bottom; ++y)
        std::memcpy(pShared + static_cast<size_t>(nSide - 1 - (y - rcSrc.top)) * nSide * 4,
                    m_pPixels.get() + static_cast<size_t>(m_nHeight - 1 - y) * m_nWidth * 4,
                    static_cast<size_t>(m_nWidth) * 4);
    rcSrc.OffsetRect(0, -rcSrc.top);
    CDC* pDrawingDC = m_pOwner->GetDrawingDC();
    const CLVKGdiObjectDC shared(pDrawingDC->GetSafeHdc(), hShared);

    const int cyDest = rcDest.Height(), cxDest = rcDest.Width();
    int t = T, b = B, l = L, r = R;
    if (T + B >= cyDest || rcSrc.Height() == T + B)
    {
        t = T + B ? ::MulDiv(cyDest, T, T + B) : 0;
        b = cyDest - t;
        if (b > 0 && (b % 2) != (B % 2))
            ++b;
    }
    if (L + R >= cxDest || rcSrc.Width() == L + R)
    {
        l = L + R ? cxDest * L / (L + R) : 0;
        r = cxDest - l;
    }

    if (L == 0 && T == 0 && R == 0 && B == 0)
    {
        DrawPart(pDC, rcDest, rcSrc);
    }
    else
    {
        const int xs[4] = {rcSrc.left, rcSrc.left + L, rcSrc.right - R, rcSrc.right};
        const int ys[4] = {rcSrc.top, rcSrc.top + T, rcSrc.bottom - B, rcSrc.bottom};
        const int yd[4] = {rcDest.top, rcDest.top + t, rcDest.bottom - b, rcDest.bottom};
        int xd[3][2] = {
            {rcDest.left, rcDest.left + l}, {rcDest.left + l, rcDest.right - r}, {rcDest.right - r, rcDest.right}};
        if (m_bAlpha && bRTL)
        {
            // The picture's left column goes to the right edge and back.
            xd[0][0] = rcDest.right - l;
            xd[0][1] = rcDest.right;
            xd[1][0] = rcDest.left + r;
            xd[1][1] = rcDest.right - l;
            xd[2][0] = rcDest.left;
            xd[2][1] = rcDest.left + r;
        }
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                DrawPart(pDC, CRect(xd[col][0], yd[row], xd[col][1], yd[row + 1]),
                         CRect(xs[col], ys[row], xs[col + 1], ys[row + 1]));
    }
}

void CLVKResourceImage::DrawStretched(CDC* pDC, const CRect& rcDest, const CRect& rcSrc)
{
    DrawWithMargins(pDC, rcDest, rcSrc, CRect(0, 0, 0, 0));
}

void CLVKResourceImage::DrawTransparent(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcMargins,
                                        COLORREF clrKey)
{
    if (!pDC || rcSrc.Height() < rcMargins.top + rcMargins.bottom)
        return;
    if (clrKey == static_cast<COLORREF>(-1) || m_bAlpha)
    {
        DrawWithMargins(pDC, rcDest, rcSrc, rcMargins);
        return;
    }
    const CRect rcLocal(0, 0, rcDest.Width(), rcDest.Height());
    if (rcLocal.IsRectEmpty())
        return;
    HBITMAP hBuffer = ::CreateCompatibleBitmap(pDC->GetSafeHdc(), rcLocal.Width(), rcLocal.Height());
    CDC memDC;
    memDC.Attach(::CreateCompatibleDC(pDC->GetSafeHdc()));
    if (hBuffer && memDC.m_hDC)
    {
        const CLVKGdiObjectDC buffer(memDC.m_hDC, hBuffer);
        memDC.FillSolidRect(&rcLocal, clrKey);
        DrawWithMargins(&memDC, rcLocal, rcSrc, rcMargins);
        CLVKImageManager::GetGlobal()->TransparentBlt(pDC, rcDest, &memDC, rcLocal, clrKey);
    }
    if (memDC.m_hDC)
        memDC.DeleteDC();
    if (hBuffer)
        ::DeleteObject(hBuffer);
}

void CLVKResourceImage::DrawTransparentAlpha(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcMargins,
                                             COLORREF clrKey, DWORD dwFlags)
{
    if (!pDC || rcSrc.Height() < rcMargins.top + rcMargins.bottom)
        return;
    if (!(dwFlags & 1))
    {
        DrawTransparent(pDC, rcDest, rcSrc, rcMargins, clrKey);
        return;
    }
    if (m_bAlpha)
    {
        DrawWithMargins(pDC, rcDest, rcSrc, rcMargins);
        return;
    }
    const CRect rcLocal(0, 0, rcDest.Width(), rcDest.Height());
    if (rcLocal.IsRectEmpty())
        return;
    BYTE* pBits = nullptr;
    HBITMAP hSection = CreateDibSection32(pDC->GetSafeHdc(), rcLocal.Width(), rcLocal.Height(), &pBits);
    CDC memDC;
    memDC.Attach(::CreateCompatibleDC(pDC->GetSafeHdc()));
    if (hSection && memDC.m_hDC)
    {
        const CLVKGdiObjectDC section(memDC.m_hDC, hSection);
        if (clrKey != static_cast<COLORREF>(-1))
            memDC.FillSolidRect(&rcLocal, clrKey);
        DrawWithMargins(&memDC, rcLocal, rcSrc, rcMargins);
        ::GdiFlush();
        const DWORD dwKey = (GetRValue(clrKey) << 16) | (GetGValue(clrKey) << 8) | GetBValue(clrKey);
        DWORD* pPixels = reinterpret_cast<DWORD*>(pBits);
        for (int i = 0; i < rcLocal.Width() * rcLocal.Height(); ++i)
        {
            const bool bKey = clrKey != static_cast<COLORREF>(-1) && (pPixels[i] & 0x00FFFFFF) == dwKey;
            pPixels[i] = bKey ? 0 : (pPixels[i] | 0xFF000000);
        }
        CLVKImageManager::GetGlobal()->AlphaBlendImage(pDC, rcDest, &memDC, rcLocal);
    }
    if (memDC.m_hDC)
        memDC.DeleteDC();
    if (hSection)
        ::DeleteObject(hSection);
}
