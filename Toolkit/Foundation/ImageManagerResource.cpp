#include "ImageManagerResource.h"

#include "AlphaBitmap.h"
#include "GdiObjectDC.h"
#include "ImageManager.h"
#include "SystemVersion.h"

#include <algorithm>
#include <cstring>

namespace
{
class CLock
{
public:
    explicit CLock(CRITICAL_SECTION* p) : m_p(p) { ::EnterCriticalSection(m_p); }
    ~CLock() { ::LeaveCriticalSection(m_p); }
    CLock(const CLock&) = delete;
    CLock& operator=(const CLock&) = delete;

private:
    CRITICAL_SECTION* m_p;
};
}  // namespace

CLVKImageManagerResource::CLVKImageManagerResource(CLVKImageManager* pManager, int cx, int cy)
    : m_pManager(pManager), m_cx(cx), m_cy(cy)
{
    HDC hScreen = ::GetDC(nullptr);
    m_dc.Attach(::CreateCompatibleDC(hScreen));
    ::ReleaseDC(nullptr, hScreen);
    ::InitializeCriticalSection(&m_lock);
}

CLVKImageManagerResource::~CLVKImageManagerResource()
{
    RemoveAll();
    ::DeleteCriticalSection(&m_lock);
    m_dc.DeleteDC();
}

void CLVKImageManagerResource::RemoveAll()
{
    CLock lock(&m_lock);
    m_used.clear();
    m_free.clear();
    if (m_hColor)
        ::DeleteObject(m_hColor);
    if (m_hMask)
        ::DeleteObject(m_hMask);
    m_hColor = m_hMask = nullptr;
    m_pColorBits = nullptr;
    m_nAtlasWidth = 0;
}

LVK_IMAGERESOURCE_INFO* CLVKImageManagerResource::AllocateImage()
{
    if (!m_free.empty())
    {
        m_used.push_back(std::move(m_free.back()));
        m_free.pop_back();
        return m_used.back().get();
    }
    const int nNewWidth = m_nAtlasWidth + m_cx;
    BYTE* pBits = nullptr;
    HBITMAP hColor = CreateDibSection32(nullptr, nNewWidth, m_cy, &pBits);
    HBITMAP hMask = ::CreateBitmap(nNewWidth, m_cy, 1, 1, nullptr);
    if (!hColor || !hMask)
    {
        if (hColor)
            ::DeleteObject(hColor);
        if (hMask)
            ::DeleteObject(hMask);
        return nullptr;
    }
    if (m_hColor)
    {
        ::GdiFlush();
        for (int y = 0; y < m_cy; ++y)
            std::memcpy(pBits + static_cast<size_t>(y) * nNewWidth * 4,
                        m_pColorBits + static_cast<size_t>(y) * m_nAtlasWidth * 4,
                        static_cast<size_t>(m_nAtlasWidth) * 4);
        {
            const CLVKGdiObjectDC mask(m_dc.m_hDC, hMask);
            ::DrawStateW(m_dc.m_hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(m_hMask), 0, 0, 0, m_nAtlasWidth, m_cy,
                         DST_BITMAP);
        }
        ::DeleteObject(m_hColor);
        ::DeleteObject(m_hMask);
    }
    m_hColor = hColor;
    m_hMask = hMask;
    m_pColorBits = pBits;
    std::unique_ptr<LVK_IMAGERESOURCE_INFO> pCell(new LVK_IMAGERESOURCE_INFO);
    pCell->rc = {m_nAtlasWidth, 0, nNewWidth, m_cy};
    pCell->pResource = this;
    m_nAtlasWidth = nNewWidth;
    m_used.push_back(std::move(pCell));
    return m_used.back().get();
}

void CLVKImageManagerResource::CopyRowsIn(const BYTE* pSource, int nSourceWidth, const LVK_IMAGERESOURCE_INFO* pCell)
{
    ::GdiFlush();
    const int cx = std::min(nSourceWidth, m_cx);
    for (int y = 0; y < m_cy; ++y)
        std::memcpy(m_pColorBits + (static_cast<size_t>(y) * m_nAtlasWidth + pCell->rc.left) * 4,
                    pSource + static_cast<size_t>(y) * nSourceWidth * 4, static_cast<size_t>(cx) * 4);
}

LVK_IMAGERESOURCE_INFO* CLVKImageManagerResource::AddImage(CLVKIconImage& image)
{
    CLock lock(&m_lock);
    if (image.IsEmpty() || image.GetImageSize() != CSize(m_cx, m_cy) || (!image.GetIcon() && !image.GetBitmap()) ||
        image.GetAtlasEntry())
        return nullptr;

    if (image.GetIcon())
    {
        LVK_IMAGERESOURCE_INFO* pCell = AllocateImage();
        if (!pCell)
            return nullptr;
        ICONINFO info{};
        bool bPlaced = false;
        if (CLVKSystemVersion::GetComCtlVersion() > 0x5FFFF && ::GetIconInfo(image.GetIcon(), &info))
        {
            BOOL bAlpha = -1;
            BYTE* pBits = nullptr;
            HBITMAP hPremultiplied = info.hbmColor ? PremultiplyBitmap(info.hbmColor, &bAlpha, &pBits) : nullptr;
            if (hPremultiplied && bAlpha == TRUE)
            {
                // A 32-bit section of GetDIBits is bottom-up, as the atlas.
                BITMAP bm{};
                ::GetObjectW(hPremultiplied, sizeof(bm), &bm);
                if (bm.bmWidth == m_cx && bm.bmHeight == m_cy)
                {
                    CopyRowsIn(pBits, bm.bmWidth, pCell);
                    pCell->bAlpha = TRUE;
                    bPlaced = true;
                }
            }
            if (hPremultiplied)
                ::DeleteObject(hPremultiplied);
            if (info.hbmColor)
                ::DeleteObject(info.hbmColor);
            if (info.hbmMask)
                ::DeleteObject(info.hbmMask);
        }
        if (!bPlaced)
        {
            CLVKGdiObjectDC atlas(m_dc.m_hDC, m_hColor);
            const RECT rc = pCell->rc;
            ::SetBkColor(m_dc.m_hDC, 0);
            ::ExtTextOutW(m_dc.m_hDC, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
            ::DrawIconEx(m_dc.m_hDC, rc.left, 0, image.GetIcon(), 0, 0, 0, nullptr, DI_NORMAL);
            atlas.Select(m_hMask);
            ::DrawIconEx(m_dc.m_hDC, rc.left, 0, image.GetIcon(), 0, 0, 0, nullptr, DI_MASK);
            pCell->bAlpha = FALSE;
        }
        return pCell;
    }

    // Bitmap: its premultiplied pixels (bottom-up 32-bit rows).
    BYTE* pBits = image.GetBits();
    HBITMAP hBitmap = image.GetBitmap();
    DIBSECTION ds{};
    if (!pBits || !hBitmap || ::GetObjectW(hBitmap, sizeof(ds), &ds) != sizeof(ds) || ds.dsBm.bmWidth != m_cx ||
        ds.dsBm.bmHeight != m_cy)
        return nullptr;
    LVK_IMAGERESOURCE_INFO* pCell = AllocateImage();
    if (!pCell)
        return nullptr;
    if (ds.dsBmih.biHeight < 0)
    {
        // Top-down rows are turned over on the way in.
        std::vector<BYTE> flipped(static_cast<size_t>(m_cx) * m_cy * 4);
        for (int y = 0; y < m_cy; ++y)
            std::memcpy(&flipped[static_cast<size_t>(m_cy - 1 - y) * m_cx * 4],
                        pBits + static_cast<size_t>(y) * m_cx * 4, static_cast<size_t>(m_cx) * 4);
        CopyRowsIn(flipped.data(), m_cx, pCell);
    }
    else
    {
        CopyRowsIn(pBits, m_cx, pCell);
    }
    pCell->bAlpha = TRUE;
    return pCell;
}

void CLVKImageManagerResource::FreeImage(LVK_IMAGERESOURCE_INFO* pCell)
{
    CLock lock(&m_lock);
    const auto it = std::find_if(m_used.begin(), m_used.end(), [pCell](const auto& p) { return p.get() == pCell; });
    if (it == m_used.end())
        return;
    m_free.push_back(std::move(*it));
    m_used.erase(it);
    if (static_cast<int>(m_free.size()) * m_cx == m_nAtlasWidth)
    {
        // Every cell is free again: the atlas starts over.
        m_used.clear();
        m_free.clear();
        if (m_hColor)
            ::DeleteObject(m_hColor);
        if (m_hMask)
            ::DeleteObject(m_hMask);
        m_hColor = m_hMask = nullptr;
        m_pColorBits = nullptr;
        m_nAtlasWidth = 0;
    }
}

void CLVKImageManagerResource::CopyImage(CLVKIconImage& target, const LVK_IMAGERESOURCE_INFO* pCell)
{
    CLock lock(&m_lock);
    target.Clear();
    if (!pCell || !m_hColor)
        return;
    BYTE* pBits = nullptr;
    HBITMAP hSection = CreateDibSection32(nullptr, m_cx, m_cy, &pBits);
    if (!hSection)
        return;
    ::GdiFlush();
    for (int y = 0; y < m_cy; ++y)
        std::memcpy(pBits + static_cast<size_t>(y) * m_cx * 4,
                    m_pColorBits + (static_cast<size_t>(y) * m_nAtlasWidth + pCell->rc.left) * 4,
                    static_cast<size_t>(m_cx) * 4);
    if (pCell->bAlpha)
    {
        target.SetBitmap(hSection);
        target.SetKnownBits(pBits);
        return;
    }
    HBITMAP hMask = ::CreateBitmap(m_cx, m_cy, 1, 1, nullptr);
    HDC hMaskDC = ::CreateCompatibleDC(m_dc.m_hDC);
    if (hMask && hMaskDC)
    {
        {
            const CLVKGdiObjectDC target(hMaskDC, hMask);
            const CLVKGdiObjectDC atlas(m_dc.m_hDC, m_hMask);
            ::BitBlt(hMaskDC, 0, 0, m_cx, m_cy, m_dc.m_hDC, pCell->rc.left, 0, SRCCOPY);
        }
        ICONINFO info{};
        info.fIcon = TRUE;
        info.hbmMask = hMask;
        info.hbmColor = hSection;
        HICON hIcon = ::CreateIconIndirect(&info);
        if (hIcon)
            target.SetIcon(hIcon);
    }
    if (hMaskDC)
        ::DeleteDC(hMaskDC);
    if (hMask)
        ::DeleteObject(hMask);
    ::DeleteObject(hSection);
}

void CLVKImageManagerResource::DrawImage(CDC* pDC, const LVK_IMAGERESOURCE_INFO* pCell, int x, int y, int cx, int cy,
                                         BOOL bAlphaBuffer)
{
    CLock lock(&m_lock);
    if (!pDC || !pCell)
        return;
    if (pCell->bAlpha)
    {
        if (!m_hColor)
            return;
        const CLVKGdiObjectDC atlas(m_dc.m_hDC, m_hColor);
        CLVKImageManager::GetGlobal()->AlphaBlendImage(pDC, CRect(x, y, x + cx, y + cy), &m_dc, pCell->rc);
        return;
    }
    pDC->SetStretchBltMode(COLORONCOLOR);
    if (bAlphaBuffer)
    {
        DrawImageAlpha(pDC, pCell, x, y, cx, cy);
        return;
    }
    if (m_pManager && m_pManager->IsDrawMirrored(pDC))
    {
        x += cx;
        cx = -cx;
    }
    const COLORREF clrOldText = pDC->SetTextColor(0);
    const COLORREF clrOldBk = pDC->SetBkColor(RGB(255, 255, 255));
    ::SetTextColor(m_dc.m_hDC, 0);
    ::SetBkColor(m_dc.m_hDC, RGB(255, 255, 255));
    if (m_hMask)
    {
        const CLVKGdiObjectDC atlas(m_dc.m_hDC, m_hMask);
        ::StretchBlt(pDC->GetSafeHdc(), x, y, cx, cy, m_dc.m_hDC, pCell->rc.left, 0, m_cx, m_cy, SRCAND);
    }
    if (m_hColor)
    {
        const CLVKGdiObjectDC atlas(m_dc.m_hDC, m_hColor);
        ::StretchBlt(pDC->GetSafeHdc(), x, y, cx, cy, m_dc.m_hDC, pCell->rc.left, 0, m_cx, m_cy, SRCINVERT);
    }
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBk);
}

void CLVKImageManagerResource::DrawImageAlpha(CDC* pDC, const LVK_IMAGERESOURCE_INFO* pCell, int x, int y, int cx,
                                              int cy)
{
    if (cx <= 0 || cy <= 0 || !m_hMask || !m_hColor)
        return;
    BYTE* pBits = nullptr;
    HBITMAP hSection = CreateDibSection32(m_dc.m_hDC, cx, cy, &pBits);
    CDC memDC;
    memDC.Attach(::CreateCompatibleDC(m_dc.m_hDC));
    if (hSection && memDC.m_hDC)
    {
        const CLVKGdiObjectDC section(memDC.m_hDC, hSection);
        ::SetBkColor(memDC.m_hDC, RGB(255, 255, 255));
        ::SetTextColor(memDC.m_hDC, 0);
        ::SetStretchBltMode(memDC.m_hDC, COLORONCOLOR);
        {
            CLVKGdiObjectDC atlas(m_dc.m_hDC, m_hMask);
            ::StretchBlt(memDC.m_hDC, 0, 0, cx, cy, m_dc.m_hDC, pCell->rc.left, 0, m_cx, m_cy, SRCCOPY);
            ::GdiFlush();
            DWORD* pPixels = reinterpret_cast<DWORD*>(pBits);
            for (int i = 0; i < cx * cy; ++i)
                pPixels[i] = (pPixels[i] & 0x00FFFFFF) == 0 ? 0xFF000000 : 0;
            atlas.Select(m_hColor);
            ::StretchBlt(memDC.m_hDC, 0, 0, cx, cy, m_dc.m_hDC, pCell->rc.left, 0, m_cx, m_cy, SRCINVERT);
        }
        CLVKImageManager::GetGlobal()->AlphaBlendImage(pDC, CRect(x, y, x + cx, y + cy), &memDC, CRect(0, 0, cx, cy));
    }
    if (memDC.m_hDC)
        memDC.DeleteDC();
    if (hSection)
        ::DeleteObject(hSection);
}
