// A memory DC compatible with another DC (or the screen) with a bitmap
// selected into it for the life of the object.
#pragma once

#include "Framework.h"

class CLVKCompatibleDC : public CDC
{
public:
    CLVKCompatibleDC(CDC* pDC, HBITMAP hBitmap);
    CLVKCompatibleDC(CDC* pDC, CBitmap* pBitmap);
    ~CLVKCompatibleDC() override;

private:
    void Init(CDC* pDC, HBITMAP hBitmap);

    HGDIOBJ m_hOldBitmap = nullptr;
};
