#include "PenDC.h"

CLVKPenDC::CLVKPenDC(HDC hDC, int nStyle, int nWidth, COLORREF clrColor)
{
    CreatePen(hDC, nStyle, nWidth, clrColor);
}

CLVKPenDC::CLVKPenDC(HDC hDC, COLORREF clrColor)
{
    CreatePen(hDC, PS_SOLID, 1, clrColor);
}

CLVKPenDC::~CLVKPenDC()
{
    if (m_hOldPen)
        ::SelectObject(m_hDC, m_hOldPen);
    m_pen.DeleteObject();
}

void CLVKPenDC::CreatePen(HDC hDC, int nStyle, int nWidth, COLORREF clrColor)
{
    // The held pen must be out of the DC before it can be deleted.
    if (m_hOldPen)
    {
        ::SelectObject(m_hDC, m_hOldPen);
        m_hOldPen = nullptr;
    }
    m_pen.DeleteObject();

    m_hDC = hDC;
    m_nStyle = nStyle;
    m_nWidth = nWidth;
    m_clrColor = clrColor;
    m_pen.CreatePen(nStyle, nWidth, clrColor);
    m_hOldPen = ::SelectObject(hDC, m_pen.GetSafeHandle());
}

void CLVKPenDC::SetColor(COLORREF clrColor)
{
    CreatePen(m_hDC, m_nStyle, m_nWidth, clrColor);
}
