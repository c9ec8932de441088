#include "AlphaBitmap.h"

#include "GdiObjectDC.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace
{
struct FreeDeleter
{
    void operator()(void* p) const { std::free(p); }
};

// The 40-byte header and the three colour masks GetDIBits may write.
constexpr size_t kHeaderBytes = sizeof(BITMAPINFOHEADER) + 3 * sizeof(RGBQUAD);

BITMAPINFO MakeHeader32(int nWidth, int nHeight)
{
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    return bmi;
}

// A DIB section from a header read by GetBitmapBits32, on a memory DC
// compatible with the screen.
HBITMAP CreateSectionFromHeader(const BITMAPINFO* pHeader, BYTE** ppBits)
{
    HDC hScreen = ::GetDC(nullptr);
    HDC hMemDC = ::CreateCompatibleDC(hScreen);
    ::ReleaseDC(nullptr, hScreen);
    void* pBits = nullptr;
    HBITMAP hSection = ::CreateDIBSection(hMemDC, pHeader, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hMemDC)
        ::DeleteDC(hMemDC);
    if (ppBits)
        *ppBits = hSection ? static_cast<BYTE*>(pBits) : nullptr;
    return hSection;
}
}  // namespace

unsigned long long AFX_CDECL CheckedBitmapBytes(long long nWidth, long long nHeight)
{
    if (nWidth <= 0 || nHeight <= 0 || nWidth > kMaxBitmapSide || nHeight > kMaxBitmapSide)
        return 0;
    const unsigned long long nBytes = static_cast<unsigned long long>(nWidth) * nHeight * 4;
    return nBytes > kMaxBitmapBytes ? 0 : nBytes;
}

HBITMAP AFX_CDECL CreateDibSection32(HDC hDC, int nWidth, int nHeight, BYTE** ppBits)
{
    if (ppBits)
        *ppBits = nullptr;
    if (nWidth <= 0 || nHeight <= 0)
        return nullptr;
    BITMAPINFO bmi = MakeHeader32(nWidth, nHeight);
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hBitmap && ppBits)
        *ppBits = static_cast<BYTE*>(pBits);
    return hBitmap;
}

BOOL AFX_CDECL GetBitmapBits32(HDC hDC, HBITMAP hBitmap, BITMAPINFO** ppHeader, BYTE** ppBits, UINT* pnSize)
{
    *ppHeader = nullptr;
    *ppBits = nullptr;
    if (pnSize)
        *pnSize = 0;
    if (!hBitmap)
        return FALSE;

    HDC hUseDC = hDC ? hDC : ::GetDC(nullptr);
    std::unique_ptr<BITMAPINFO, FreeDeleter> header(static_cast<BITMAPINFO*>(std::calloc(1, kHeaderBytes)));
    BOOL bResult = FALSE;
    if (header)
    {
        header->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        if (::GetDIBits(hUseDC, hBitmap, 0, 0, nullptr, header.get(), DIB_RGB_COLORS) &&
            header->bmiHeader.biBitCount == 32)
        {
            const LONG nHeight = header->bmiHeader.biHeight;
            const unsigned long long nBytes =
                CheckedBitmapBytes(header->bmiHeader.biWidth, nHeight < 0 ? -static_cast<long long>(nHeight) : nHeight);
            std::unique_ptr<BYTE, FreeDeleter> bits(nBytes ? static_cast<BYTE*>(std::malloc(nBytes)) : nullptr);
            // Rows are read in 32-bit BI_RGB form whatever masks the bitmap uses.
            header->bmiHeader.biCompression = BI_RGB;
            header->bmiHeader.biSizeImage = static_cast<DWORD>(nBytes);
            if (bits && ::GetDIBits(hUseDC, hBitmap, 0, static_cast<UINT>(nHeight < 0 ? -nHeight : nHeight), bits.get(),
                                    header.get(), DIB_RGB_COLORS))
            {
                *ppBits = bits.release();
                *ppHeader = header.release();
                if (pnSize)
                    *pnSize = static_cast<UINT>(nBytes);
                bResult = TRUE;
            }
        }
    }
    if (!hDC)
        ::ReleaseDC(nullptr, hUseDC);
    return bResult;
}

HBITMAP AFX_CDECL DuplicateDibSection(HBITMAP hBitmap, BYTE** ppBits)
{
    if (ppBits)
        *ppBits = nullptr;
    BITMAPINFO* pHeader = nullptr;
    BYTE* pPixels = nullptr;
    UINT nSize = 0;
    if (!GetBitmapBits32(nullptr, hBitmap, &pHeader, &pPixels, &nSize))
        return nullptr;
    BYTE* pBits = nullptr;
    HBITMAP hCopy = CreateSectionFromHeader(pHeader, &pBits);
    if (hCopy)
        std::memcpy(pBits, pPixels, nSize);
    std::free(pHeader);
    std::free(pPixels);
    if (ppBits)
        *ppBits = pBits;
    return hCopy;
}

HBITMAP AFX_CDECL PremultiplyBitmap(HBITMAP hBitmap, BOOL* pbAlpha, BYTE** ppBits)
{
    if (ppBits)
        *ppBits = nullptr;
    BITMAPINFO* pHeader = nullptr;
    BYTE* pPixels = nullptr;
    UINT nSize = 0;
    if (!GetBitmapBits32(nullptr, hBitmap, &pHeader, &pPixels, &nSize))
        return nullptr;
    BYTE* pBits = nullptr;
    HBITMAP hCopy = CreateSectionFromHeader(pHeader, &pBits);
    if (hCopy)
    {
        for (UINT i = 0; i + 3 < nSize; i += 4)
        {
            const BYTE a = pPixels[i + 3];
            pBits[i] = static_cast<BYTE>(pPixels[i] * a / 255);
            pBits[i + 1] = static_cast<BYTE>(pPixels[i + 1] * a / 255);
            pBits[i + 2] = static_cast<BYTE>(pPixels[i + 2] * a / 255);
            pBits[i + 3] = a;
            if (a && pbAlpha)
                *pbAlpha = TRUE;
        }
    }
    std::free(pHeader);
    std::free(pPixels);
    if (ppBits)
        *ppBits = pBits;
    return hCopy;
}

HBITMAP AFX_CDECL CreateMirroredAlphaBitmap(HBITMAP hBitmap)
{
    BITMAPINFO* pHeader = nullptr;
    BYTE* pPixels = nullptr;
    UINT nSize = 0;
    if (!GetBitmapBits32(nullptr, hBitmap, &pHeader, &pPixels, &nSize))
        return nullptr;
    BYTE* pBits = nullptr;
    HBITMAP hCopy = CreateSectionFromHeader(pHeader, &pBits);
    if (hCopy)
    {
        const int nWidth = pHeader->bmiHeader.biWidth;
        const UINT nRows = nSize / (nWidth * 4);
        const DWORD* pSource = reinterpret_cast<const DWORD*>(pPixels);
        DWORD* pTarget = reinterpret_cast<DWORD*>(pBits);
        for (UINT y = 0; y < nRows; ++y)
            for (int x = 0; x < nWidth; ++x)
                pTarget[y * nWidth + x] = pSource[y * nWidth + nWidth - 1 - x];
    }
    std::free(pHeader);
    std::free(pPixels);
    return hCopy;
}

BOOL AFX_CDECL SplitAlphaStrip(HBITMAP hBitmap, int nCount, HBITMAP* pBitmaps)
{
    if (nCount <= 0 || !pBitmaps)
        return FALSE;
    BITMAPINFO* pHeader = nullptr;
    BYTE* pPixels = nullptr;
    UINT nSize = 0;
    if (!GetBitmapBits32(nullptr, hBitmap, &pHeader, &pPixels, &nSize))
        return FALSE;
    std::unique_ptr<BITMAPINFO, FreeDeleter> header(pHeader);
    std::unique_ptr<BYTE, FreeDeleter> pixels(pPixels);

    const int nStripWidth = pHeader->bmiHeader.biWidth;
    const int nCellWidth = nStripWidth / nCount;
    if (nCellWidth <= 0)
        return FALSE;
    const UINT nRows = nSize / (nStripWidth * 4);
    pHeader->bmiHeader.biWidth = nCellWidth;
    pHeader->bmiHeader.biSizeImage /= nCount;

    BYTE* cellBits[1] = {};
    for (int i = 0; i < nCount; ++i)
    {
        pBitmaps[i] = CreateSectionFromHeader(pHeader, cellBits);
        if (!pBitmaps[i])
        {
            for (int j = 0; j < i; ++j)
            {
                ::DeleteObject(pBitmaps[j]);
                pBitmaps[j] = nullptr;
            }
            return FALSE;
        }
        for (UINT y = 0; y < nRows; ++y)
            std::memcpy(cellBits[0] + static_cast<size_t>(y) * nCellWidth * 4,
                        pPixels + (static_cast<size_t>(y) * nStripWidth + static_cast<size_t>(i) * nCellWidth) * 4,
                        static_cast<size_t>(nCellWidth) * 4);
    }
    return TRUE;
}

COLORREF AFX_CDECL GetBitmapPixel(HBITMAP hBitmap, int x, int y)
{
    HDC hMemDC = ::CreateCompatibleDC(nullptr);
    if (!hMemDC)
        return CLR_INVALID;
    COLORREF clr = CLR_INVALID;
    {
        const CLVKGdiObjectDC bitmap(hMemDC, hBitmap);
        clr = ::GetPixel(hMemDC, x, y);
    }
    ::DeleteDC(hMemDC);
    return clr;
}
