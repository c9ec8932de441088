// A DC that selects a bitmap for the life of the object.
//
// Built over another DC, it borrows that DC's handle and leaves it to its
// owner: the handle is never deleted here, so it is deleted exactly once.
// Built empty, it owns the DC its owner attaches and deletes it at the end.
#pragma once

#include "Framework.h"

class CLVKBitmapDC : public CDC
{
public:
    CLVKBitmapDC() = default;
    CLVKBitmapDC(CDC* pDC, CBitmap* pBitmap);
    ~CLVKBitmapDC() override;

    // Restores the previous bitmap first, so the one remembered is always
    // the bitmap from before the first selection.
    void SelectBitmap(HBITMAP hBitmap);
    void RestoreBitmap();

    BOOL IsBorrowed() const { return m_bBorrowed; }

private:
    HGDIOBJ m_hOldBitmap = nullptr;
    BOOL m_bBorrowed = FALSE;
};
