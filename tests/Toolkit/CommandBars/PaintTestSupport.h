// Test helpers of the command-bar painting tests: a 32-bit bitmap whose
// pixels can be read back, and a default theme with distinct colours.
#pragma once

#include "Framework.h"

#include "CommandBars/CommandBarsOffice2000Theme.h"
#include "Foundation/DpiScaling.h"

#include <memory>

namespace
{

const COLORREF kBack = RGB(1, 2, 3);

// A 32-bit top-down bitmap in a memory DC, filled with kBack.
class CPixelCanvas
{
public:
    CPixelCanvas(int cx, int cy) : m_cx(cx), m_cy(cy)
    {
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* pBits = nullptr;
        m_hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        m_pBits = static_cast<DWORD*>(pBits);
        m_dc.Attach(::CreateCompatibleDC(nullptr));
        m_hOld = ::SelectObject(m_dc.GetSafeHdc(), m_hBitmap);
        m_dc.FillSolidRect(0, 0, cx, cy, kBack);
    }
    ~CPixelCanvas()
    {
        ::SelectObject(m_dc.GetSafeHdc(), m_hOld);
        m_dc.DeleteDC();
        ::DeleteObject(m_hBitmap);
    }
    CDC* DC() { return &m_dc; }
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        const DWORD v = m_pBits[y * m_cx + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    int CountNot(COLORREF clr, const RECT& rc) const
    {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; y++)
        {
            for (int x = rc.left; x < rc.right; x++)
                n += At(x, y) != clr ? 1 : 0;
        }
        return n;
    }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }

private:
    int m_cx;
    int m_cy;
    HBITMAP m_hBitmap = nullptr;
    DWORD* m_pBits = nullptr;
    CDC m_dc;
    HGDIOBJ m_hOld = nullptr;
};

// A default theme whose colours are distinct, so pixels tell which entry
// was used whatever the system colours are.
[[maybe_unused]] std::unique_ptr<CLVKCommandBarsOffice2000Theme> MakeTheme()
{
    auto pTheme = std::make_unique<CLVKCommandBarsOffice2000Theme>();
    pTheme->RefreshMetrics();
    for (int i = 0; i < CLVKPaintManager::kColorCount; i++)
        pTheme->GetColorEntry(i).SetCustomValue(RGB(10 + i, 100 + i, 200 - i));
    return pTheme;
}

[[maybe_unused]] COLORREF Entry(int i)
{
    return RGB(10 + i, 100 + i, 200 - i);
}

[[maybe_unused]] int ScaleX(int n)
{
    return CLVKDpiScaling::GetGlobal()->ScaleX(n);
}

[[maybe_unused]] int ScaleY(int n)
{
    return CLVKDpiScaling::GetGlobal()->ScaleY(n);
}

}  // namespace
