#include "BitmapDC.h"

CLVKBitmapDC::CLVKBitmapDC(CDC* pDC, CBitmap* pBitmap)
{
    // The borrowed handle stays out of the framework's handle map: the map
    // entry belongs to the DC object that owns the handle.
    m_hDC = pDC ? pDC->GetSafeHdc() : nullptr;
    m_bBorrowed = TRUE;
    SelectBitmap(pBitmap ? static_cast<HBITMAP>(pBitmap->GetSafeHandle()) : nullptr);
}

CLVKBitmapDC::~CLVKBitmapDC()
{
    RestoreBitmap();
    if (m_bBorrowed)
        m_hDC = nullptr;
}

void CLVKBitmapDC::SelectBitmap(HBITMAP hBitmap)
{
    RestoreBitmap();
    if (m_hDC)
        m_hOldBitmap = ::SelectObject(m_hDC, hBitmap);
}

void CLVKBitmapDC::RestoreBitmap()
{
    if (m_hOldBitmap && m_hDC)
        ::SelectObject(m_hDC, m_hOldBitmap);
    m_hOldBitmap = nullptr;
}
