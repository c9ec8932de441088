// An atlas of the image manager: every picture of one size in one wide strip
// of cells, a 32-bit colour bitmap and a monochrome mask side by side, so a
// program with many command icons holds two GDI bitmaps per size.
#pragma once

#include "IconImage.h"

#include <memory>
#include <vector>

class CLVKImageManagerResource
{
public:
    CLVKImageManagerResource(CLVKImageManager* pManager, int cx, int cy);
    ~CLVKImageManagerResource();

    CSize GetExtent() const { return CSize(m_cx, m_cy); }
    int GetAtlasWidth() const { return m_nAtlasWidth; }
    HBITMAP GetColorBitmap() const { return m_hColor; }
    HBITMAP GetMaskBitmap() const { return m_hMask; }
    INT_PTR GetUsedCount() const { return static_cast<INT_PTR>(m_used.size()); }
    INT_PTR GetFreeCount() const { return static_cast<INT_PTR>(m_free.size()); }

    // The picture's cell, or null (empty picture, other size, no icon or
    // bitmap, or pixels that cannot be read).
    LVK_IMAGERESOURCE_INFO* AddImage(CLVKIconImage& image);
    LVK_IMAGERESOURCE_INFO* AllocateImage();
    void FreeImage(LVK_IMAGERESOURCE_INFO* pCell);
    // The cell as a free-standing icon or bitmap owned by the target.
    void CopyImage(CLVKIconImage& target, const LVK_IMAGERESOURCE_INFO* pCell);
    void DrawImage(CDC* pDC, const LVK_IMAGERESOURCE_INFO* pCell, int x, int y, int cx, int cy, BOOL bAlphaBuffer);
    void DrawImageAlpha(CDC* pDC, const LVK_IMAGERESOURCE_INFO* pCell, int x, int y, int cx, int cy);
    void RemoveAll();

    CLVKImageManagerResource(const CLVKImageManagerResource&) = delete;
    CLVKImageManagerResource& operator=(const CLVKImageManagerResource&) = delete;

private:
    void CopyRowsIn(const BYTE* pSource, int nSourceWidth, const LVK_IMAGERESOURCE_INFO* pCell);

    HBITMAP m_hColor = nullptr;
    HBITMAP m_hMask = nullptr;
    CDC m_dc;
    BYTE* m_pColorBits = nullptr;
    CLVKImageManager* m_pManager;
    int m_cx;
    int m_cy;
    int m_nAtlasWidth = 0;
    std::vector<std::unique_ptr<LVK_IMAGERESOURCE_INFO>> m_used;
    std::vector<std::unique_ptr<LVK_IMAGERESOURCE_INFO>> m_free;
    CRITICAL_SECTION m_lock{};
};
