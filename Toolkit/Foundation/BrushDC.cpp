#include "BrushDC.h"

CLVKBrushDC::CLVKBrushDC(HDC hDC, COLORREF clrColor) : m_hDC(hDC)
{
    m_brush.CreateSolidBrush(clrColor);
    m_hOldBrush = ::SelectObject(m_hDC, m_brush.GetSafeHandle());
}

CLVKBrushDC::~CLVKBrushDC()
{
    // Out of the DC first, so that the brush object can delete it.
    if (m_hOldBrush)
        ::SelectObject(m_hDC, m_hOldBrush);
}
