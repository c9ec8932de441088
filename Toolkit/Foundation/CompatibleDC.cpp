#include "CompatibleDC.h"

CLVKCompatibleDC::CLVKCompatibleDC(CDC* pDC, HBITMAP hBitmap)
{
    Init(pDC, hBitmap);
}

CLVKCompatibleDC::CLVKCompatibleDC(CDC* pDC, CBitmap* pBitmap)
{
    Init(pDC, pBitmap ? static_cast<HBITMAP>(pBitmap->GetSafeHandle()) : nullptr);
}

void CLVKCompatibleDC::Init(CDC* pDC, HBITMAP hBitmap)
{
    Attach(::CreateCompatibleDC(pDC ? pDC->GetSafeHdc() : nullptr));
    if (m_hDC)
        m_hOldBitmap = ::SelectObject(m_hDC, hBitmap);
}

CLVKCompatibleDC::~CLVKCompatibleDC()
{
    if (!m_hDC)
        return;
    // The bitmap must leave the DC before its owner can delete it.
    if (m_hOldBitmap)
        ::SelectObject(m_hDC, m_hOldBitmap);
    DeleteDC();
}
