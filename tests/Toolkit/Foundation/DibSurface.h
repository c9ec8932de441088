// A 32-bit top-down DIB section selected into a memory DC, whose pixels the
// tests read back exactly.
#pragma once

#include "Framework.h"

class DibSurface
{
public:
    DibSurface(int nWidth, int nHeight, COLORREF clrFill = RGB(0, 0, 0)) : m_nWidth(nWidth), m_nHeight(nHeight)
    {
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = nWidth;
        bmi.bmiHeader.biHeight = -nHeight;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* pBits = nullptr;
        m_hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        m_pBits = static_cast<DWORD*>(pBits);
        m_dc.Attach(::CreateCompatibleDC(nullptr));
        m_hOldBitmap = ::SelectObject(m_dc.m_hDC, m_hBitmap);
        Fill(clrFill);
    }
    ~DibSurface()
    {
        ::SelectObject(m_dc.m_hDC, m_hOldBitmap);
        m_dc.DeleteDC();
        ::DeleteObject(m_hBitmap);
    }

    void Fill(COLORREF clr)
    {
        ::GdiFlush();
        for (int i = 0; i < m_nWidth * m_nHeight; ++i)
            m_pBits[i] = ToPixel(clr);
    }

    // The pixel as a COLORREF (alpha dropped).
    COLORREF Pixel(int x, int y) const
    {
        ::GdiFlush();
        const DWORD dw = m_pBits[y * m_nWidth + x];
        return RGB((dw >> 16) & 0xFF, (dw >> 8) & 0xFF, dw & 0xFF);
    }

    static DWORD ToPixel(COLORREF clr) { return (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr); }

    CDC* GetDC() { return &m_dc; }
    HDC GetHdc() const { return m_dc.m_hDC; }
    HBITMAP GetBitmap() const { return m_hBitmap; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

private:
    int m_nWidth;
    int m_nHeight;
    HBITMAP m_hBitmap = nullptr;
    DWORD* m_pBits = nullptr;
    CDC m_dc;
    HGDIOBJ m_hOldBitmap = nullptr;
};
