#include "BitmapLoaders.h"

#include "AlphaBitmap.h"
#include "GdiObjectDC.h"
#include "GraphicBitmapPng.h"
#include "SystemVersion.h"

#include <olectl.h>

#include <cstring>

namespace
{
const BYTE kPngSignature[4] = {0x89, 'P', 'N', 'G'};

// The first bytes of a file, read whole; false on a short file.
bool ReadFileStart(LPCWSTR lpszPath, void* pBuffer, DWORD nBytes)
{
    HANDLE hFile = ::CreateFileW(lpszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD nRead = 0;
    const BOOL bRead = ::ReadFile(hFile, pBuffer, nBytes, &nRead, nullptr);
    ::CloseHandle(hFile);
    return bRead && nRead == nBytes;
}

// The resource's bytes and their real size, or null.
const BYTE* LockResourceBytes(HMODULE hModule, LPCWSTR lpszName, LPCWSTR lpszType, DWORD* pnSize)
{
    *pnSize = 0;
    HRSRC hResource = ::FindResourceW(hModule, lpszName, lpszType);
    if (!hResource)
        return nullptr;
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    const BYTE* pData = hData ? static_cast<const BYTE*>(::LockResource(hData)) : nullptr;
    if (pData)
        *pnSize = ::SizeofResource(hModule, hResource);
    return pData;
}

// The header of a 32-bit RT_BITMAP resource, or false.
bool ReadBitmapResourceHeader(HMODULE hModule, LPCWSTR lpszName, BITMAPINFOHEADER* pHeader, const BYTE** ppData,
                              DWORD* pnSize)
{
    *ppData = LockResourceBytes(hModule, lpszName, RT_BITMAP, pnSize);
    if (!*ppData || *pnSize < sizeof(BITMAPINFOHEADER))
        return false;
    std::memcpy(pHeader, *ppData, sizeof(BITMAPINFOHEADER));
    return true;
}

HBITMAP LoadPng(HMODULE hModule, LPCWSTR lpszName, LPCWSTR lpszPath, BOOL* pbAlpha)
{
    CLVKGraphicBitmapPng png;
    const BOOL bLoaded = lpszPath ? png.LoadFromFile(lpszPath)
                                  : png.LoadFromResource(hModule, ::FindResourceW(hModule, lpszName, L"PNG"));
    if (!bLoaded)
        return nullptr;
    if (pbAlpha)
        *pbAlpha = png.IsAlpha();
    return static_cast<HBITMAP>(png.Detach());
}

// A .bmp file whose headers and pixels are all there: the system's loader
// is given no file that claims more than it holds (a damaged one can make it
// read past the data).
enum class BitmapFileKind
{
    notBitmap,
    damaged,
    complete
};

BitmapFileKind CheckBitmapFile(LPCWSTR lpszPath)
{
    HANDLE hFile = ::CreateFileW(lpszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return BitmapFileKind::notBitmap;
    LARGE_INTEGER size{};
    BYTE headers[sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)] = {};
    DWORD nRead = 0;
    const bool bSized = ::GetFileSizeEx(hFile, &size) != FALSE;
    const bool bRead = ::ReadFile(hFile, headers, sizeof(headers), &nRead, nullptr) != FALSE;
    ::CloseHandle(hFile);
    if (!bSized || !bRead || nRead < 2 || headers[0] != 'B' || headers[1] != 'M')
        return BitmapFileKind::notBitmap;
    if (nRead < sizeof(BITMAPFILEHEADER) + 12)
        return BitmapFileKind::damaged;

    BITMAPFILEHEADER file{};
    std::memcpy(&file, headers, sizeof(file));
    DWORD nInfoSize = 0;
    std::memcpy(&nInfoSize, headers + sizeof(file), 4);
    long long cx = 0, cy = 0;
    WORD nBits = 0;
    DWORD nCompression = BI_RGB, nSizeImage = 0;
    if (nInfoSize == 12)
    {
        // The old core header: 16-bit sizes.
        WORD core[4] = {};
        std::memcpy(core, headers + sizeof(file) + 4, sizeof(core));
        cx = core[0];
        cy = core[1];
        nBits = core[3];
    }
    else
    {
        if (nInfoSize < sizeof(BITMAPINFOHEADER) || nRead < sizeof(headers))
            return BitmapFileKind::damaged;
        BITMAPINFOHEADER info{};
        std::memcpy(&info, headers + sizeof(file), sizeof(info));
        cx = info.biWidth;
        cy = info.biHeight < 0 ? -static_cast<long long>(info.biHeight) : info.biHeight;
        nBits = info.biBitCount;
        nCompression = info.biCompression;
        nSizeImage = info.biSizeImage;
    }
    const unsigned long long nFileSize = static_cast<unsigned long long>(size.QuadPart);
    if (!CheckedBitmapBytes(cx, cy) || file.bfOffBits > nFileSize)
        return BitmapFileKind::damaged;
    unsigned long long nPixels = 0;
    if (nCompression == BI_RGB || nCompression == BI_BITFIELDS)
    {
        if (nBits != 1 && nBits != 4 && nBits != 8 && nBits != 16 && nBits != 24 && nBits != 32)
            return BitmapFileKind::damaged;
        nPixels = ((static_cast<unsigned long long>(cx) * nBits + 31) / 32) * 4 * cy;
    }
    else
    {
        nPixels = nSizeImage;
    }
    return file.bfOffBits + nPixels <= nFileSize ? BitmapFileKind::complete : BitmapFileKind::damaged;
}

// Pictures the OLE loader reads (GIF, JPEG, ...) are rendered onto the
// button-face colour, so they come without alpha.
HBITMAP LoadWithOlePicture(LPCWSTR lpszPath, BOOL* pbAlpha)
{
    IPicture* pPicture = nullptr;
    if (FAILED(::OleLoadPicturePath(const_cast<LPOLESTR>(lpszPath), nullptr, 0, 0, IID_IPicture,
                                    reinterpret_cast<void**>(&pPicture))) ||
        !pPicture)
        return nullptr;
    OLE_XSIZE_HIMETRIC cxHimetric = 0;
    OLE_YSIZE_HIMETRIC cyHimetric = 0;
    pPicture->get_Width(&cxHimetric);
    pPicture->get_Height(&cyHimetric);

    HDC hMemDC = ::CreateCompatibleDC(nullptr);
    const int cx = ::MulDiv(::GetDeviceCaps(hMemDC, LOGPIXELSX), cxHimetric, 2540);
    const int cy = ::MulDiv(::GetDeviceCaps(hMemDC, LOGPIXELSY), cyHimetric, 2540);
    BYTE* pBits = nullptr;
    HBITMAP hBitmap = CreateDibSection32(hMemDC, cx, cy, &pBits);
    if (hBitmap)
    {
        {
            const CLVKGdiObjectDC bitmap(hMemDC, hBitmap);
            const RECT rc = {0, 0, cx, cy};
            ::SetBkColor(hMemDC, ::GetSysColor(COLOR_BTNFACE));
            ::ExtTextOutW(hMemDC, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
            pPicture->Render(hMemDC, 0, 0, cx, cy, 0, cyHimetric - 1, cxHimetric, -cyHimetric, nullptr);
        }
        if (pbAlpha)
            *pbAlpha = FALSE;
    }
    ::DeleteDC(hMemDC);
    pPicture->Release();
    return hBitmap;
}
}  // namespace

BOOL AFX_CDECL IsPngFile(LPCWSTR lpszPath)
{
    BYTE start[4] = {};
    return lpszPath && ReadFileStart(lpszPath, start, sizeof(start)) && std::memcmp(start, kPngSignature, 4) == 0;
}

BOOL AFX_CDECL IsPngResource(HMODULE hModule, LPCWSTR lpszName)
{
    DWORD nSize = 0;
    const BYTE* pData = LockResourceBytes(hModule, lpszName, L"PNG", &nSize);
    return pData && nSize >= 4 && std::memcmp(pData, kPngSignature, 4) == 0;
}

BOOL AFX_CDECL IsAlphaBitmapFile(LPCWSTR lpszPath)
{
    BYTE headers[sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)] = {};
    if (!lpszPath || !ReadFileStart(lpszPath, headers, sizeof(headers)))
        return FALSE;
    BITMAPINFOHEADER info{};
    std::memcpy(&info, headers + sizeof(BITMAPFILEHEADER), sizeof(info));
    return info.biBitCount == 32;
}

BOOL AFX_CDECL IsAlphaBitmapResource(HMODULE hModule, LPCWSTR lpszName)
{
    BITMAPINFOHEADER header{};
    const BYTE* pData = nullptr;
    DWORD nSize = 0;
    return ReadBitmapResourceHeader(hModule, lpszName, &header, &pData, &nSize) && header.biBitCount == 32;
}

BOOL AFX_CDECL IsAlphaIcon(HICON hIcon)
{
    if (!hIcon)
        return FALSE;
    if (CLVKSystemVersion::GetComCtlVersion() < 0x60000 && !CLVKSystemVersion::GetGlobal()->IsWinXPOrGreater())
        return FALSE;
    ICONINFO info{};
    if (!::GetIconInfo(hIcon, &info))
        return FALSE;
    BOOL bAlpha = FALSE;
    BITMAPINFO* pHeader = nullptr;
    BYTE* pBits = nullptr;
    UINT nSize = 0;
    if (info.hbmColor && GetBitmapBits32(nullptr, info.hbmColor, &pHeader, &pBits, &nSize))
    {
        for (UINT i = 3; i < nSize && !bAlpha; i += 4)
            bAlpha = pBits[i] != 0;
        std::free(pHeader);
        std::free(pBits);
    }
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    return bAlpha;
}

HBITMAP AFX_CDECL LoadBitmapFromFile(LPCWSTR lpszPath, BOOL* pbAlpha)
{
    if (!lpszPath)
        return nullptr;
    // A file that says it is a PNG is only ever read as one: a damaged PNG
    // gives nothing rather than whatever another loader makes of it.
    if (IsPngFile(lpszPath))
        return LoadPng(nullptr, nullptr, lpszPath, pbAlpha);

    const BitmapFileKind kind = CheckBitmapFile(lpszPath);
    if (kind == BitmapFileKind::damaged)
        return nullptr;
    if (kind == BitmapFileKind::complete)
    {
        const BOOL bAlpha = IsAlphaBitmapFile(lpszPath);
        HBITMAP hBitmap =
            static_cast<HBITMAP>(::LoadImageW(nullptr, lpszPath, IMAGE_BITMAP, 0, 0,
                                              LR_LOADFROMFILE | LR_DEFAULTSIZE | (bAlpha ? LR_CREATEDIBSECTION : 0)));
        if (hBitmap)
        {
            if (pbAlpha)
                *pbAlpha = bAlpha;
            return hBitmap;
        }
    }
    return LoadWithOlePicture(lpszPath, pbAlpha);
}

HBITMAP AFX_CDECL LoadBitmapResource(HMODULE hModule, LPCWSTR lpszName, BOOL* pbAlpha)
{
    if (IsPngResource(hModule, lpszName))
        return LoadPng(hModule, lpszName, nullptr, pbAlpha);
    const BOOL bAlpha = IsAlphaBitmapResource(hModule, lpszName);
    if (pbAlpha)
        *pbAlpha = bAlpha;
    if (bAlpha)
        return LoadAlphaBitmapResource(hModule, lpszName);
    return static_cast<HBITMAP>(::LoadImageW(hModule, lpszName, IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE));
}

HBITMAP AFX_CDECL LoadBitmapResourceFromModule(LPCWSTR lpszName, BOOL* pbAlpha)
{
    return LoadBitmapResource(AfxGetResourceHandle(), lpszName, pbAlpha);
}

HBITMAP AFX_CDECL LoadAlphaBitmapResource(HMODULE hModule, LPCWSTR lpszName)
{
    BITMAPINFOHEADER header{};
    const BYTE* pData = nullptr;
    DWORD nSize = 0;
    if (!ReadBitmapResourceHeader(hModule, lpszName, &header, &pData, &nSize) || header.biBitCount != 32)
        return nullptr;
    // Bottom-up rows only, of a positive width; the pixel count is checked in
    // 64-bit arithmetic against the bytes the resource really holds.
    const unsigned long long nPixelBytes = CheckedBitmapBytes(header.biWidth, header.biHeight);
    if (!nPixelBytes || header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > nSize)
        return nullptr;
    unsigned long long nOffset = header.biSize;
    if (header.biSize == sizeof(BITMAPINFOHEADER) && header.biCompression == BI_BITFIELDS)
        nOffset += 3 * sizeof(DWORD);
    if (nOffset + nPixelBytes > nSize)
        return nullptr;

    BITMAPINFO bmi{};
    bmi.bmiHeader = header;
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biCompression = BI_RGB;
    bmi.bmiHeader.biSizeImage = static_cast<DWORD>(nPixelBytes);
    bmi.bmiHeader.biClrUsed = 0;
    HDC hMemDC = ::CreateCompatibleDC(nullptr);
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(hMemDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hMemDC)
        ::DeleteDC(hMemDC);
    if (hBitmap)
        std::memcpy(pBits, pData + nOffset, static_cast<size_t>(nPixelBytes));
    return hBitmap;
}

HBITMAP AFX_CDECL LoadAlphaBitmapFromModule(UINT nID)
{
    return LoadAlphaBitmapResource(AfxGetResourceHandle(), MAKEINTRESOURCEW(nID));
}
