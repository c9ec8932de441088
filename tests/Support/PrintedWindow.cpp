#include "PrintedWindow.h"

#include <algorithm>

PrintedWindow::PrintedWindow(HWND hWnd)
{
    RECT rc{};
    GetClientRect(hWnd, &rc);
    m_cx = rc.right;
    m_cy = rc.bottom;
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = m_cx;
    // Negative: top-down rows, so that row y starts at y * width.
    bmi.bmiHeader.biHeight = -m_cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    const HDC hDC = CreateCompatibleDC(nullptr);
    const HBITMAP hBitmap = CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    const HGDIOBJ hOld = SelectObject(hDC, hBitmap);
    SendMessageW(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hDC), PRF_CLIENT);
    GdiFlush();
    // An empty window has no bitmap: no pixels.
    if (const auto* pPixels = static_cast<const DWORD*>(pBits))
    {
        m_pixels.reserve(static_cast<size_t>(m_cx) * m_cy);
        for (size_t i = 0; i < static_cast<size_t>(m_cx) * m_cy; ++i)
            m_pixels.push_back(RGB((pPixels[i] >> 16) & 0xFF, (pPixels[i] >> 8) & 0xFF, pPixels[i] & 0xFF));
    }
    else
    {
        m_cx = m_cy = 0;
    }
    SelectObject(hDC, hOld);
    if (hBitmap)
        DeleteObject(hBitmap);
    DeleteDC(hDC);
}

COLORREF PrintedWindow::At(int x, int y) const
{
    return m_pixels[static_cast<size_t>(y) * m_cx + x];
}

int PrintedWindow::Count(COLORREF clr) const
{
    return static_cast<int>(std::count(m_pixels.begin(), m_pixels.end(), clr));
}

std::vector<COLORREF> PrintedWindow::Area(const RECT& rc) const
{
    std::vector<COLORREF> area;
    for (int y = std::max<int>(rc.top, 0); y < std::min<int>(rc.bottom, m_cy); ++y)
    {
        for (int x = std::max<int>(rc.left, 0); x < std::min<int>(rc.right, m_cx); ++x)
            area.push_back(At(x, y));
    }
    return area;
}
