#include "WindowShot.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace
{

BOOL WritePng(LPCWSTR lpszPath, int nWidth, int nHeight, const std::vector<BYTE>& rgba)
{
    FILE* pFile = _wfopen(lpszPath, L"wb");
    if (!pFile)
        return FALSE;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    BOOL bOk = FALSE;
    if (png && info && !setjmp(png_jmpbuf(png)))
    {
        png_init_io(png, pFile);
        png_set_IHDR(png, info, nWidth, nHeight, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < nHeight; ++y)
            png_write_row(png, const_cast<png_bytep>(&rgba[static_cast<size_t>(y) * nWidth * 4]));
        png_write_end(png, nullptr);
        bOk = TRUE;
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    if (fclose(pFile) != 0)
        bOk = FALSE;
    if (!bOk)
        _wremove(lpszPath);
    return bOk;
}

BOOL IsOwnedBy(HWND hWnd, HWND hOwner)
{
    for (HWND h = ::GetWindow(hWnd, GW_OWNER); h; h = ::GetWindow(h, GW_OWNER))
    {
        if (h == hOwner)
            return TRUE;
    }
    return FALSE;
}

// Draws the visible windows of the thread that stand above hWnd, and those
// it owns (which Windows always keeps above it), from the lowest up, each
// from its own drawing, where they cover rcWindow. Wine reads the screen
// without them, so the picture is put together from the windows themselves.
void DrawWindowsAbove(HWND hWnd, const RECT& rcWindow, HDC hMemDC)
{
    std::vector<HWND> above;
    const DWORD dwThread = ::GetCurrentThreadId();
    BOOL bBelow = FALSE;
    for (HWND hTop = ::GetTopWindow(nullptr); hTop; hTop = ::GetWindow(hTop, GW_HWNDNEXT))
    {
        if (hTop == hWnd)
        {
            bBelow = TRUE;
            continue;
        }
        if (::GetWindowThreadProcessId(hTop, nullptr) == dwThread && ::IsWindowVisible(hTop) &&
            (!bBelow || IsOwnedBy(hTop, hWnd)))
            above.push_back(hTop);
    }
    for (auto it = above.rbegin(); it != above.rend(); ++it)
    {
        RECT rc{};
        RECT rcCommon{};
        if (!::GetWindowRect(*it, &rc) || !::IntersectRect(&rcCommon, &rc, &rcWindow))
            continue;
        const HDC hDC = ::GetWindowDC(*it);
        ::BitBlt(hMemDC, rc.left - rcWindow.left, rc.top - rcWindow.top, rc.right - rc.left, rc.bottom - rc.top, hDC,
                 0, 0, SRCCOPY);
        ::ReleaseDC(*it, hDC);
    }
}

}  // namespace

BOOL SaveWindowShot(HWND hWnd, LPCWSTR lpszPath, BOOL bScreen)
{
    RECT rc{};
    if (!::GetWindowRect(hWnd, &rc))
        return FALSE;
    const int nWidth = rc.right - rc.left;
    const int nHeight = rc.bottom - rc.top;
    if (nWidth <= 0 || nHeight <= 0)
        return FALSE;

    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = -nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    const HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (!hBitmap)
        return FALSE;
    const HDC hMemDC = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
    const HDC hWindowDC = ::GetWindowDC(hWnd);
    BOOL bCopied = ::BitBlt(hMemDC, 0, 0, nWidth, nHeight, hWindowDC, 0, 0, SRCCOPY | CAPTUREBLT);
    ::ReleaseDC(hWnd, hWindowDC);
    if (bScreen && bCopied)
        DrawWindowsAbove(hWnd, rc, hMemDC);
    ::GdiFlush();

    std::vector<BYTE> rgba(static_cast<size_t>(nWidth) * nHeight * 4);
    const BYTE* pSource = static_cast<const BYTE*>(pBits);
    for (size_t i = 0; i < rgba.size(); i += 4)
    {
        rgba[i] = pSource[i + 2];
        rgba[i + 1] = pSource[i + 1];
        rgba[i + 2] = pSource[i];
        rgba[i + 3] = 0xFF;
    }
    ::SelectObject(hMemDC, hOld);
    ::DeleteDC(hMemDC);
    ::DeleteObject(hBitmap);
    return bCopied && WritePng(lpszPath, nWidth, nHeight, rgba);
}
