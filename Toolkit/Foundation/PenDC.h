// Selects a pen made for the scope into a DC and puts the previous pen back
// when the scope ends.
#pragma once

#include "Framework.h"

class CLVKPenDC
{
public:
    CLVKPenDC(HDC hDC, int nStyle, int nWidth, COLORREF clrColor);
    CLVKPenDC(HDC hDC, COLORREF clrColor);
    virtual ~CLVKPenDC();

    // Replaces the pen; the pen from before the scope stays the one restored.
    void CreatePen(HDC hDC, int nStyle, int nWidth, COLORREF clrColor);
    void SetColor(COLORREF clrColor);

    COLORREF GetColor() const { return m_clrColor; }
    HPEN GetPen() const { return static_cast<HPEN>(m_pen.GetSafeHandle()); }

    CLVKPenDC(const CLVKPenDC&) = delete;
    CLVKPenDC& operator=(const CLVKPenDC&) = delete;

private:
    CPen m_pen;
    HDC m_hDC = nullptr;
    HGDIOBJ m_hOldPen = nullptr;
    int m_nStyle = PS_SOLID;
    int m_nWidth = 1;
    COLORREF m_clrColor = 0;
};
