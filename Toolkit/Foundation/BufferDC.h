// A double buffer for painting: drawing goes to a memory bitmap in the
// window's own coordinates, and the paint rectangle is copied to the target
// DC when the object ends.
#pragma once

#include "Framework.h"

class CLVKBufferDC : public CDC
{
public:
    // Covers the window from its origin to the far corner of the paint
    // rectangle (at least 1 x 1) and clips to the paint rectangle.
    explicit CLVKBufferDC(CPaintDC& paintDC);
    // Sized to the rectangle's right and bottom edges; no clip region.
    CLVKBufferDC(HDC hDestDC, const RECT& rcPaint);
    ~CLVKBufferDC() override;

    HDC GetTargetDC() const { return m_hDestDC; }
    const RECT& GetPaintRect() const { return m_rcPaint; }
    HBITMAP GetBitmap() const { return static_cast<HBITMAP>(m_bitmap.GetSafeHandle()); }

private:
    void Init(int nWidth, int nHeight);

    HDC m_hDestDC = nullptr;
    CBitmap m_bitmap;
    RECT m_rcPaint{};
    HGDIOBJ m_hOldBitmap = nullptr;
};
