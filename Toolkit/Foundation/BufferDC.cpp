#include "BufferDC.h"

#include <algorithm>

CLVKBufferDC::CLVKBufferDC(CPaintDC& paintDC) : m_hDestDC(paintDC.GetSafeHdc()), m_rcPaint(paintDC.m_ps.rcPaint)
{
    Init(std::max(1, static_cast<int>(m_rcPaint.right)), std::max(1, static_cast<int>(m_rcPaint.bottom)));
    if (!m_hDC)
        return;
    CRgn rgnClip;
    if (rgnClip.CreateRectRgnIndirect(&m_rcPaint))
        ::SelectClipRgn(m_hDC, static_cast<HRGN>(rgnClip.GetSafeHandle()));
}

CLVKBufferDC::CLVKBufferDC(HDC hDestDC, const RECT& rcPaint) : m_hDestDC(hDestDC), m_rcPaint(rcPaint)
{
    Init(m_rcPaint.right, m_rcPaint.bottom);
}

void CLVKBufferDC::Init(int nWidth, int nHeight)
{
    Attach(::CreateCompatibleDC(m_hDestDC));
    if (!m_hDC)
        return;
    m_bitmap.Attach(::CreateCompatibleBitmap(m_hDestDC, nWidth, nHeight));
    m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.GetSafeHandle());
}

CLVKBufferDC::~CLVKBufferDC()
{
    if (m_hDC)
    {
        // The copy must happen while the drawing is still selected.
        if (m_hDestDC)
        {
            ::BitBlt(m_hDestDC, m_rcPaint.left, m_rcPaint.top, m_rcPaint.right - m_rcPaint.left,
                     m_rcPaint.bottom - m_rcPaint.top, m_hDC, m_rcPaint.left, m_rcPaint.top, SRCCOPY);
        }
        if (m_hOldBitmap)
            ::SelectObject(m_hDC, m_hOldBitmap);
    }
    m_bitmap.DeleteObject();
    DeleteDC();
}
