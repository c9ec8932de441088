// Selects a solid brush made for the scope into a DC and puts the previous
// brush back when the scope ends.
#pragma once

#include "Framework.h"

class CLVKBrushDC
{
public:
    CLVKBrushDC(HDC hDC, COLORREF clrColor);
    virtual ~CLVKBrushDC();

    HBRUSH GetBrush() const { return static_cast<HBRUSH>(m_brush.GetSafeHandle()); }

    CLVKBrushDC(const CLVKBrushDC&) = delete;
    CLVKBrushDC& operator=(const CLVKBrushDC&) = delete;

private:
    CBrush m_brush;
    HDC m_hDC = nullptr;
    HGDIOBJ m_hOldBrush = nullptr;
};
