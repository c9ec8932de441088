#include "MaskedBitmap.h"

#include "CompatibleDC.h"

#include <commctrl.h>

COLORREF CLVKMaskedBitmap::GetMaskColor() const
{
    if (!m_hBitmap)
        return static_cast<COLORREF>(-1);
    CLVKCompatibleDC dc(nullptr, m_hBitmap);
    return dc.GetPixel(0, 0);
}

HICON CLVKMaskedBitmap::MakeIcon() const
{
    if (!m_hBitmap)
        return nullptr;
    BITMAP bm{};
    if (!::GetObjectW(m_hBitmap, sizeof(bm), &bm) || bm.bmWidth == 0 || bm.bmHeight == 0)
        return nullptr;
    const HIMAGELIST hList = ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 0, 1);
    if (!hList)
        return nullptr;
    const COLORREF clrMask = GetMaskColor();
    // ImageList_AddMasked changes the bitmap's masked pixels; work on a copy
    // so the caller's bitmap stays as it was.
    const HBITMAP hCopy = static_cast<HBITMAP>(::CopyImage(m_hBitmap, IMAGE_BITMAP, 0, 0, 0));
    ImageList_AddMasked(hList, hCopy ? hCopy : m_hBitmap, clrMask);
    if (hCopy)
        ::DeleteObject(hCopy);
    const HICON hIcon = ImageList_GetIcon(hList, 0, 0);
    ImageList_Destroy(hList);
    return hIcon;
}
