#pragma once
// A window's client area printed through WM_PRINTCLIENT into a 32-bit DIB,
// with its pixels kept for the test to read: what the window paints, without
// the screen (which Wine's virtual desktop may cover or leave stale).
#include <windows.h>

#include <vector>

class PrintedWindow
{
public:
    explicit PrintedWindow(HWND hWnd);

    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    // The pixel as a COLORREF (alpha dropped).
    COLORREF At(int x, int y) const;
    // How many pixels have the colour.
    int Count(COLORREF clr) const;
    bool Has(COLORREF clr) const { return Count(clr) > 0; }
    // The pixels of the rectangle, row by row, cut to the picture.
    std::vector<COLORREF> Area(const RECT& rc) const;

private:
    int m_cx = 0;
    int m_cy = 0;
    std::vector<COLORREF> m_pixels;
};
