// One picture of the image manager: an icon handle, a 32-bit DIB section with
// alpha, or a cell of a shared atlas, with its size and ownership.
#pragma once

#include "Framework.h"

class CLVKImageManager;
class CLVKImageManagerResource;

// A cell of an atlas: its rectangle (top always 0), whether its colour
// pixels are premultiplied with alpha (else colour and mask), and the atlas.
struct LVK_IMAGERESOURCE_INFO
{
    BOOL bAlpha = FALSE;
    RECT rc{};
    CLVKImageManagerResource* pResource = nullptr;
};

class CLVKIconImage
{
public:
    CLVKIconImage() = default;
    explicit CLVKIconImage(HICON hIcon, BOOL bProcessable = TRUE, BOOL bShared = FALSE);
    explicit CLVKIconImage(HBITMAP hBitmap, BOOL bProcessable = TRUE, BOOL bShared = FALSE);
    ~CLVKIconImage();

    void Clear();
    void SetIcon(HICON hIcon, BOOL bShared = FALSE);
    void SetBitmap(HBITMAP hBitmap, BOOL bShared = FALSE);
    // A copy that owns what it holds: into the manager's atlas when it has
    // one that takes the picture, else duplicated handles.
    void CopyFrom(const CLVKIconImage& source);
    void SetManager(CLVKImageManager* pManager) { m_pManager = pManager; }
    CLVKImageManager* GetManager() const { return m_pManager; }

    // The premultiplied pixels of a bitmap picture (premultiplying it on the
    // first request); null for other pictures.
    BYTE* GetBits();
    // Takes the bitmap's pixels as already premultiplied.
    void SetKnownBits(BYTE* pBits) { m_pBits = pBits; }
    HBITMAP GetBitmap() const;
    HICON GetIcon() const { return m_hIcon; }
    const LVK_IMAGERESOURCE_INFO* GetAtlasEntry() const { return m_pAtlasEntry; }
    void SetAtlasEntry(LVK_IMAGERESOURCE_INFO* pEntry) { m_pAtlasEntry = pEntry; }

    BOOL IsEmpty() const;
    BOOL IsAlphaBitmap() const;
    BOOL IsProcessable() const { return m_nProcessable != 0; }
    CSize GetImageSize() const { return CSize(m_nWidth, m_nHeight); }
    void SetImageSize(int cx, int cy)
    {
        m_nWidth = cx;
        m_nHeight = cy;
    }
    CSize QueryImageSize() const;

    void Draw(CDC* pDC, int x, int y, int cx, int cy, BOOL bAlphaBuffer);
    HICON CreateScaledIcon(int nThreshold) const;

    // Size policy: 0 exact, 1 next larger, 2 next smaller.
    BOOL LoadFromResource(HMODULE hModule, LPCWSTR lpszName, int cx, int cy, BOOL bGroup, int nPolicy = 0);
    BOOL LoadFromModuleResource(LPCWSTR lpszName, int cx, int cy, BOOL bGroup, int nPolicy = 0);
    // One RT_ICON resource's image (or the same bytes from an .ico file),
    // checked against the bytes there really are.
    BOOL LoadFromIconBits(const BYTE* pData, DWORD nSize, int cx, int cy);

    CLVKIconImage(const CLVKIconImage&) = delete;
    CLVKIconImage& operator=(const CLVKIconImage&) = delete;

private:
    HICON m_hIcon = nullptr;
    HBITMAP m_hBitmap = nullptr;
    BYTE* m_pBits = nullptr;
    BOOL m_bOwns = FALSE;
    CLVKImageManager* m_pManager = nullptr;
    LVK_IMAGERESOURCE_INFO* m_pAtlasEntry = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nProcessable = 1;
};

// The icon's size from its mask (halved for monochrome icons); 0 x 0 for none.
CSize AFX_CDECL GetIconImageSize(HICON hIcon);
// The icon at a new width (height in proportion); CopyIcon when the width
// stays; null for a new width of 0 or an empty size.
HICON AFX_CDECL ResizeIcon(HICON hIcon, int cx, int cy, int cxNew);
// A 0 in an icon directory's one-byte width or height means 256.
inline int IconDirectorySide(BYTE n)
{
    return n ? n : 256;
}
