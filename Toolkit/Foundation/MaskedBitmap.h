// A bitmap whose top-left pixel is its transparent colour. The bitmap is
// not owned.
#pragma once

#include "Framework.h"

class CLVKMaskedBitmap
{
public:
    explicit CLVKMaskedBitmap(HBITMAP hBitmap = nullptr) : m_hBitmap(hBitmap) {}

    // The colour of pixel (0, 0); -1 without bitmap.
    COLORREF GetMaskColor() const;
    // An icon of the bitmap with the mask colour transparent (the caller
    // destroys it); null without bitmap or for an empty one.
    HICON MakeIcon() const;

    HBITMAP GetBitmap() const { return m_hBitmap; }
    void SetBitmap(HBITMAP hBitmap) { m_hBitmap = hBitmap; }

private:
    HBITMAP m_hBitmap = nullptr;
};
