#include "IconImage.h"

#include "AlphaBitmap.h"
#include "DpiScaling.h"
#include "IconDirectory.h"
#include "ImageManager.h"
#include "ImageManagerResource.h"

#include <commctrl.h>

#include <cstring>

CSize AFX_CDECL GetIconImageSize(HICON hIcon)
{
    if (!hIcon)
        return CSize(0, 0);
    ICONINFO info{};
    if (!::GetIconInfo(hIcon, &info))
        return CSize(0, 0);
    BITMAP bm{};
    ::GetObjectW(info.hbmMask, sizeof(bm), &bm);
    CSize size(bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    return size;
}

HICON AFX_CDECL ResizeIcon(HICON hIcon, int cx, int cy, int cxNew)
{
    if (!hIcon || cxNew == 0 || (cx == 0 && cy == 0))
        return nullptr;
    if (cxNew == cx)
        return ::CopyIcon(hIcon);
    const int cyNew = ::MulDiv(cy, cxNew, cx);
    HIMAGELIST hList = ImageList_Create(cxNew, cyNew, ILC_COLOR32 | ILC_MASK, 1, 0);
    if (!hList)
        return nullptr;
    HICON hResult = nullptr;
    if (ImageList_ReplaceIcon(hList, -1, hIcon) >= 0)
        hResult = ImageList_GetIcon(hList, 0, 0);
    ImageList_Destroy(hList);
    return hResult;
}

CLVKIconImage::CLVKIconImage(HICON hIcon, BOOL bProcessable, BOOL bShared) : m_nProcessable(bProcessable ? 1 : 0)
{
    SetIcon(hIcon, bShared);
}

CLVKIconImage::CLVKIconImage(HBITMAP hBitmap, BOOL bProcessable, BOOL bShared) : m_nProcessable(bProcessable ? 1 : 0)
{
    SetBitmap(hBitmap, bShared);
}

CLVKIconImage::~CLVKIconImage()
{
    Clear();
}

void CLVKIconImage::Clear()
{
    if (m_bOwns)
    {
        if (m_hIcon)
            ::DestroyIcon(m_hIcon);
        if (m_hBitmap)
            ::DeleteObject(m_hBitmap);
        if (m_pAtlasEntry && m_pAtlasEntry->pResource)
            m_pAtlasEntry->pResource->FreeImage(m_pAtlasEntry);
    }
    m_hIcon = nullptr;
    m_hBitmap = nullptr;
    m_pBits = nullptr;
    m_pAtlasEntry = nullptr;
    m_bOwns = FALSE;
}

void CLVKIconImage::SetIcon(HICON hIcon, BOOL bShared)
{
    Clear();
    m_hIcon = hIcon;
    m_bOwns = !bShared;
    const CSize size = QueryImageSize();
    m_nWidth = size.cx;
    m_nHeight = size.cy;
}

void CLVKIconImage::SetBitmap(HBITMAP hBitmap, BOOL bShared)
{
    Clear();
    m_hBitmap = hBitmap;
    m_bOwns = !bShared;
    const CSize size = QueryImageSize();
    m_nWidth = size.cx;
    m_nHeight = size.cy;
}

BOOL CLVKIconImage::IsEmpty() const
{
    return (!m_hIcon && !m_hBitmap && !m_pAtlasEntry) || (m_nWidth == 0 && m_nHeight == 0);
}

BOOL CLVKIconImage::IsAlphaBitmap() const
{
    return m_hBitmap != nullptr || (m_pAtlasEntry && m_pAtlasEntry->bAlpha);
}

HBITMAP CLVKIconImage::GetBitmap() const
{
    if (m_hBitmap)
        return m_hBitmap;
    if (m_pAtlasEntry && m_pAtlasEntry->pResource)
        return m_pAtlasEntry->pResource->GetColorBitmap();
    return nullptr;
}

CSize CLVKIconImage::QueryImageSize() const
{
    if (m_pAtlasEntry && m_pAtlasEntry->pResource)
        return m_pAtlasEntry->pResource->GetExtent();
    if (m_hIcon)
        return GetIconImageSize(m_hIcon);
    if (m_hBitmap)
    {
        BITMAP bm{};
        if (::GetObjectW(m_hBitmap, sizeof(bm), &bm))
            return CSize(bm.bmWidth, bm.bmHeight);
    }
    return CSize(0, 0);
}

BYTE* CLVKIconImage::GetBits()
{
    if (m_pBits)
        return m_pBits;
    if (!m_hBitmap)
        return nullptr;
    BYTE* pBits = nullptr;
    HBITMAP hPremultiplied = PremultiplyBitmap(m_hBitmap, nullptr, &pBits);
    if (!hPremultiplied)
        return nullptr;
    if (m_bOwns)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = hPremultiplied;
    m_bOwns = TRUE;
    m_pBits = pBits;
    const CSize size = QueryImageSize();
    m_nWidth = size.cx;
    m_nHeight = size.cy;
    return m_pBits;
}

void CLVKIconImage::CopyFrom(const CLVKIconImage& source)
{
    if (&source == this)
        return;
    Clear();
    if (m_pManager && !source.IsEmpty() && m_pManager->IsUseAtlas() && source.IsProcessable())
    {
        CLVKImageManagerResource* pAtlas = m_pManager->GetImageResource(source.m_nWidth, source.m_nHeight);
        if (source.m_pAtlasEntry)
        {
            // An atlas picture is copied out first: the atlas takes only
            // icons and bitmaps.
            CLVKIconImage freeStanding;
            freeStanding.m_nWidth = source.m_nWidth;
            freeStanding.m_nHeight = source.m_nHeight;
            source.m_pAtlasEntry->pResource->CopyImage(freeStanding, source.m_pAtlasEntry);
            m_pAtlasEntry = pAtlas ? pAtlas->AddImage(freeStanding) : nullptr;
        }
        else
        {
            m_pAtlasEntry = pAtlas ? pAtlas->AddImage(const_cast<CLVKIconImage&>(source)) : nullptr;
        }
    }
    else
    {
        if (source.m_hIcon)
            m_hIcon = ::CopyIcon(source.m_hIcon);
        if (source.m_hBitmap)
        {
            BYTE* pBits = nullptr;
            m_hBitmap = DuplicateDibSection(source.m_hBitmap, &pBits);
            if (source.m_pBits)
                m_pBits = pBits;
        }
        if (source.m_pAtlasEntry && source.m_pAtlasEntry->pResource)
        {
            source.m_pAtlasEntry->pResource->CopyImage(*this, source.m_pAtlasEntry);
        }
    }
    m_nProcessable = source.m_nProcessable;
    m_nWidth = source.m_nWidth;
    m_nHeight = source.m_nHeight;
    m_bOwns = TRUE;
}

void CLVKIconImage::Draw(CDC* pDC, int x, int y, int cx, int cy, BOOL bAlphaBuffer)
{
    if (!pDC || IsEmpty())
        return;
    if (m_pAtlasEntry)
    {
        if (m_pAtlasEntry->pResource)
            m_pAtlasEntry->pResource->DrawImage(pDC, m_pAtlasEntry, x, y, cx, cy, bAlphaBuffer);
        return;
    }
    if (m_hIcon)
    {
        CLVKImageManager* pManager = m_pManager ? m_pManager : CLVKImageManager::GetGlobal();
        if (pManager->IsDrawMirrored(pDC))
        {
            x += cx;
            cx = -cx;
        }
        if (bAlphaBuffer)
            DrawIconWithAlpha(pDC, x, y, cx, cy, m_hIcon);
        else
            ::DrawIconEx(pDC->GetSafeHdc(), x, y, m_hIcon, cx, cy, 0, nullptr, DI_NORMAL);
        return;
    }
    if (!GetBits())
        return;
    int ySrc = 0, cySrc = m_nHeight;
    if (y < 0 && cy == m_nHeight)
    {
        // Rows above the DC's origin are cut rather than drawn off the DC.
        cy = y + m_nHeight;
        if (cy <= 0)
            return;
        ySrc = -y;
        cySrc = cy;
        y = 0;
    }
    DrawAlphaBitmapSection(pDC, m_hBitmap, x, y, cx, cy, 0, ySrc, m_nWidth, cySrc);
}

HICON CLVKIconImage::CreateScaledIcon(int nThreshold) const
{
    if (!m_hIcon)
        return nullptr;
    return ResizeIcon(m_hIcon, m_nWidth, m_nHeight, CLVKDpiScaling::GetGlobal()->ScaleX(m_nWidth, nThreshold));
}

namespace
{

// Whether any colour pixel of a 32-bit icon image has alpha; one whose alpha
// is all 0 (older editors write such icons) is transparent only through its
// mask, which the system's icon reads.
bool HasAnyAlpha(const BYTE* pPixels, DWORD nAvailable, const BITMAPINFOHEADER& header)
{
    const unsigned long long nBytes = CheckedBitmapBytes(header.biWidth, header.biHeight / 2);
    if (!nBytes || header.biHeight < 0 || nBytes > nAvailable)
        return true;  // the caller refuses it
    for (unsigned long long i = 3; i < nBytes; i += 4)
    {
        if (pPixels[i] != 0)
            return true;
    }
    return false;
}

}  // namespace

BOOL CLVKIconImage::LoadFromIconBits(const BYTE* pData, DWORD nSize, int cx, int cy)
{
    Clear();
    if (!pData || nSize < sizeof(BITMAPINFOHEADER))
    {
        // PNG-compressed entries and other formats go to the system as they are.
        if (!pData || nSize < 8)
            return FALSE;
    }
    BITMAPINFOHEADER header{};
    if (nSize >= sizeof(header))
        std::memcpy(&header, pData, sizeof(header));
    if (nSize >= sizeof(header) && header.biSize == sizeof(header) && header.biBitCount == 32 &&
        HasAnyAlpha(pData + sizeof(header), nSize - sizeof(header), header))
    {
        // The stored height covers the colour and the mask rows.
        const unsigned long long nBytes = CheckedBitmapBytes(header.biWidth, header.biHeight / 2);
        if (!nBytes || header.biHeight < 0 || sizeof(header) + nBytes > nSize)
            return FALSE;
        BITMAPINFO bmi{};
        bmi.bmiHeader = header;
        bmi.bmiHeader.biHeight = header.biHeight / 2;
        bmi.bmiHeader.biCompression = BI_RGB;
        bmi.bmiHeader.biSizeImage = static_cast<DWORD>(nBytes);
        void* pBits = nullptr;
        HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        if (!hBitmap)
            return FALSE;
        std::memcpy(pBits, pData + sizeof(header), static_cast<size_t>(nBytes));
        SetBitmap(hBitmap);
    }
    else
    {
        HICON hIcon = ::CreateIconFromResourceEx(const_cast<BYTE*>(pData), nSize, TRUE, 0x30000, cx, cy, 0);
        if (!hIcon)
            return FALSE;
        SetIcon(hIcon);
    }
    return !IsEmpty();
}

BOOL CLVKIconImage::LoadFromResource(HMODULE hModule, LPCWSTR lpszName, int cx, int cy, BOOL bGroup, int nPolicy)
{
    Clear();
    HRSRC hGroup = bGroup ? ::FindResourceW(hModule, lpszName, RT_GROUP_ICON) : nullptr;
    if (hGroup)
    {
        const DWORD nSize = ::SizeofResource(hModule, hGroup);
        const BYTE* pData = static_cast<const BYTE*>(::LockResource(::LoadResource(hModule, hGroup)));
        LVKGroupIconDirectory directory;
        if (!ReadGroupIconDirectory(pData, nSize, directory))
            return FALSE;
        // A count beyond the directory's real size is cut to what is there.
        const WORD nCount = static_cast<WORD>(std::min<DWORD>(directory.nClaimed, directory.nPresent));
        const LVKGroupIconEntry* pEntries = directory.pEntries;
        int nBestWidth = nPolicy == 1 ? 0x7FFFFFFF : -0x7FFFFFFF - 1;
        int nBestHeight = nBestWidth;
        int nBest = -1;
        for (int i = nCount - 1; i >= 0; --i)
        {
            const int w = IconDirectorySide(pEntries[i].bWidth);
            const int h = IconDirectorySide(pEntries[i].bHeight);
            if (nPolicy == 0)
            {
                if (w == cx && h == cy && LoadFromResource(hModule, MAKEINTRESOURCEW(pEntries[i].nID), w, h, FALSE, 0))
                    return TRUE;
            }
            else if (nPolicy == 1 ? (w >= cx && h >= cy && w < nBestWidth && h < nBestHeight)
                                  : (w <= cx && h <= cy && w > nBestWidth && h > nBestHeight))
            {
                nBestWidth = w;
                nBestHeight = h;
                nBest = i;
            }
        }
        if (nBest >= 0)
            return LoadFromResource(hModule, MAKEINTRESOURCEW(pEntries[nBest].nID), nBestWidth, nBestHeight, FALSE, 0);
        return FALSE;
    }
    HRSRC hIcon = ::FindResourceW(hModule, lpszName, RT_ICON);
    if (!hIcon)
        return FALSE;
    const DWORD nSize = ::SizeofResource(hModule, hIcon);
    const BYTE* pData = static_cast<const BYTE*>(::LockResource(::LoadResource(hModule, hIcon)));
    return LoadFromIconBits(pData, nSize, cx, cy);
}

BOOL CLVKIconImage::LoadFromModuleResource(LPCWSTR lpszName, int cx, int cy, BOOL bGroup, int nPolicy)
{
    return LoadFromResource(AfxGetResourceHandle(), lpszName, cx, cy, bGroup, nPolicy);
}
