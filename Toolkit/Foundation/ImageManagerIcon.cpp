#include "ImageManagerIcon.h"

#include "AlphaBitmap.h"
#include "ColorManager.h"
#include "DrawHelpers.h"
#include "GdiObjectDC.h"
#include "ImageManager.h"
#include "ImageManagerIconSet.h"

#include <commctrl.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

IMPLEMENT_DYNCREATE(CLVKImageManagerIcon, CLVKCmdTarget)

namespace
{
struct FreeDeleter
{
    void operator()(void* p) const { std::free(p); }
};

// The largest DIB header block an archive may hold: 40 bytes and 256 colours.
constexpr DWORD kMaxDibHeader = sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD);

// Runs f(colour, isOpaque) over every pixel of an icon's colour bitmap whose
// mask pixel is black, through memory DCs, and makes a new icon of the result.
template <class F>
HICON RecolourIcon(HICON hIcon, F recolour)
{
    ICONINFO info{};
    if (!hIcon || !::GetIconInfo(hIcon, &info))
        return nullptr;
    HICON hResult = nullptr;
    if (info.hbmColor && info.hbmMask)
    {
        BITMAP bm{};
        ::GetObjectW(info.hbmColor, sizeof(bm), &bm);
        HDC hColorDC = ::CreateCompatibleDC(nullptr);
        HDC hMaskDC = ::CreateCompatibleDC(nullptr);
        {
            const CLVKGdiObjectDC color(hColorDC, info.hbmColor);
            const CLVKGdiObjectDC mask(hMaskDC, info.hbmMask);
            for (int y = 0; y < bm.bmHeight; ++y)
                for (int x = 0; x < bm.bmWidth; ++x)
                    if (::GetPixel(hMaskDC, x, y) == 0)
                        ::SetPixel(hColorDC, x, y, recolour(::GetPixel(hColorDC, x, y)));
        }
        ::DeleteDC(hColorDC);
        ::DeleteDC(hMaskDC);
        hResult = ::CreateIconIndirect(&info);
    }
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    return hResult;
}

double Luminance(int b, int g, int r)
{
    return (0.587 * g + 0.114 * b + 0.299 * r) / 255.0;
}

int MixChannel(int nDark, int nLight, double l)
{
    return static_cast<int>(nDark * (1 - l) + nLight * l) & 0xFF;
}
// Exactly the bytes asked for, or the archive's end-of-file exception.
void ReadWhole(CArchive& ar, void* pBuffer, UINT nBytes)
{
    if (ar.Read(pBuffer, nBytes) != nBytes)
        AfxThrowArchiveException(CArchiveException::endOfFile);
}
}  // namespace

CLVKImageManagerIcon::CLVKImageManagerIcon() = default;

CLVKImageManagerIcon::CLVKImageManagerIcon(UINT nID, int cx, int cy, CLVKImageManagerIconSet* pIconSet)
    : m_nID(nID), m_nWidth(cx), m_nHeight(cy), m_pIconSet(pIconSet)
{
    for (CLVKIconImage& image : m_images)
        image.SetManager(GetManager());
}

CLVKImageManagerIcon::~CLVKImageManagerIcon()
{
    ClearImages(TRUE);
}

CLVKImageManager* CLVKImageManagerIcon::GetManager() const
{
    return m_pIconSet ? m_pIconSet->GetManager() : nullptr;
}

CLVKIconImage& CLVKImageManagerIcon::GetHotImage()
{
    return m_images[slotHot].IsEmpty() ? m_images[slotNormal] : m_images[slotHot];
}

CLVKIconImage& CLVKImageManagerIcon::GetCheckedImage()
{
    return m_images[slotChecked].IsEmpty() ? GetHotImage() : m_images[slotChecked];
}

CLVKIconImage& CLVKImageManagerIcon::GetPressedImage()
{
    return m_images[slotPressed].IsEmpty() ? GetHotImage() : m_images[slotPressed];
}

CLVKIconImage& CLVKImageManagerIcon::GetDisabledImage(BOOL bCreate)
{
    if (!m_images[slotDisabled].IsEmpty())
        return m_images[slotDisabled];
    if (m_images[slotDisabledGenerated].IsEmpty() && bCreate)
        MakeDisabledImage(static_cast<COLORREF>(-1), static_cast<COLORREF>(-1));
    return m_images[slotDisabledGenerated];
}

CLVKIconImage& CLVKImageManagerIcon::GetFadedImage()
{
    if (m_images[slotFaded].IsEmpty())
        MakeFadedImage();
    return m_images[slotFaded].IsEmpty() ? m_images[slotNormal] : m_images[slotFaded];
}

CLVKIconImage& CLVKImageManagerIcon::GetShadowImage()
{
    if (m_images[slotShadow].IsEmpty())
        MakeShadowImage();
    return m_images[slotShadow];
}

CLVKIconImage& CLVKImageManagerIcon::GetStateImage(int nState)
{
    switch (nState)
    {
    case 1:
        return GetDisabledImage(TRUE);
    case 2:
        return GetHotImage();
    case 3:
        return GetCheckedImage();
    case 4:
        return GetPressedImage();
    default:
        return m_images[slotNormal];
    }
}

BOOL CLVKImageManagerIcon::HasDisabledImage() const
{
    return !m_images[slotDisabled].IsEmpty() || !m_images[slotDisabledGenerated].IsEmpty();
}

void CLVKImageManagerIcon::ClearImages(BOOL bWithNormal)
{
    for (int i = bWithNormal ? 0 : 1; i < slotCount; ++i)
        m_images[i].Clear();
}

void CLVKImageManagerIcon::ClearGeneratedImages()
{
    m_images[slotFaded].Clear();
    m_images[slotShadow].Clear();
    m_images[slotDisabledGenerated].Clear();
}

BOOL CLVKImageManagerIcon::SetNormalImage(const CLVKIconImage& image)
{
    ClearImages(TRUE);
    m_images[slotNormal].CopyFrom(image);
    m_nWidth = image.GetImageSize().cx;
    m_nHeight = image.GetImageSize().cy;
    if (m_pIconSet)
        m_pIconSet->ClearGeneratedImages();
    return TRUE;
}

BOOL CLVKImageManagerIcon::SetHotImage(const CLVKIconImage& image)
{
    ClearGeneratedImages();
    m_images[slotHot].CopyFrom(image);
    return TRUE;
}

BOOL CLVKImageManagerIcon::SetCheckedImage(const CLVKIconImage& image)
{
    ClearGeneratedImages();
    m_images[slotChecked].CopyFrom(image);
    return TRUE;
}

BOOL CLVKImageManagerIcon::SetPressedImage(const CLVKIconImage& image)
{
    ClearGeneratedImages();
    m_images[slotPressed].CopyFrom(image);
    return TRUE;
}

BOOL CLVKImageManagerIcon::SetDisabledImage(const CLVKIconImage& image)
{
    ClearGeneratedImages();
    m_images[slotDisabled].CopyFrom(image);
    return TRUE;
}

void CLVKImageManagerIcon::MakeDisabledImage(COLORREF clrLight, COLORREF clrDark)
{
    if (!m_images[slotDisabledGenerated].IsEmpty() || m_images[slotNormal].IsEmpty())
        return;
    const bool bDuotone = clrLight != static_cast<COLORREF>(-1) && clrDark != static_cast<COLORREF>(-1);
    CLVKIconImage copy;
    copy.CopyFrom(m_images[slotNormal]);
    if (copy.IsAlphaBitmap())
    {
        BYTE* p = copy.GetBits();
        if (!p)
            return;
        const CSize size = copy.GetImageSize();
        for (int i = 0; i < size.cx * size.cy; ++i, p += 4)
        {
            const int a = p[3];
            if (a == 0)
                continue;
            const int b = p[0] * 255 / a, g = p[1] * 255 / a, r = p[2] * 255 / a;
            const double l = Luminance(b, g, r);
            if (bDuotone)
            {
                p[0] = static_cast<BYTE>(MixChannel(GetBValue(clrDark), GetBValue(clrLight), l) * a / 255);
                p[1] = static_cast<BYTE>(MixChannel(GetGValue(clrDark), GetGValue(clrLight), l) * a / 255);
                p[2] = static_cast<BYTE>(MixChannel(GetRValue(clrDark), GetRValue(clrLight), l) * a / 255);
            }
            else
            {
                const int v = (static_cast<int>(255 * std::sqrt(l)) & 0xFF) * a / 255;
                p[0] = p[1] = p[2] = static_cast<BYTE>(v);
            }
        }
    }
    else if (copy.GetIcon())
    {
        HICON hIcon = RecolourIcon(copy.GetIcon(),
                                   [&](COLORREF c)
                                   {
                                       const double l = Luminance(GetBValue(c), GetGValue(c), GetRValue(c));
                                       if (bDuotone)
                                           return RGB(MixChannel(GetRValue(clrDark), GetRValue(clrLight), l),
                                                      MixChannel(GetGValue(clrDark), GetGValue(clrLight), l),
                                                      MixChannel(GetBValue(clrDark), GetBValue(clrLight), l));
                                       const int g = static_cast<int>(255 * std::sqrt(l));
                                       return RGB(g, g, g);
                                   });
        if (!hIcon)
            return;
        copy.SetIcon(hIcon);
    }
    m_images[slotDisabledGenerated].CopyFrom(copy);
}

void CLVKImageManagerIcon::MakeFadedImage()
{
    if (!m_images[slotNormal].IsProcessable() || m_images[slotNormal].IsEmpty())
        return;
    CLVKIconImage copy;
    copy.CopyFrom(m_images[slotNormal]);
    if (copy.IsAlphaBitmap())
    {
        BYTE* p = copy.GetBits();
        if (!p)
            return;
        const CSize size = copy.GetImageSize();
        for (int i = 0; i < size.cx * size.cy; ++i, p += 4)
        {
            if (p[3] == 0)
                continue;
            // 30 % of premultiplied white, in integers so that 0.7 and 0.3 do
            // not lose the last unit to rounding (128 stays 128 at alpha 128).
            for (int c = 0; c < 3; ++c)
                p[c] = static_cast<BYTE>((p[c] * 7 + p[3] * 3) / 10);
        }
    }
    else if (copy.GetIcon())
    {
        HDC hScreen = ::GetDC(nullptr);
        const BOOL bLowColor = CLVKDrawHelpers::IsLowColorDC(hScreen);
        ::ReleaseDC(nullptr, hScreen);
        HICON hIcon = bLowColor ? ::CopyIcon(copy.GetIcon())
                                : RecolourIcon(copy.GetIcon(),
                                               [](COLORREF c)
                                               {
                                                   return RGB((GetRValue(c) * 7 + 255 * 3) / 10,
                                                              (GetGValue(c) * 7 + 255 * 3) / 10,
                                                              (GetBValue(c) * 7 + 255 * 3) / 10);
                                               });
        if (!hIcon)
            return;
        copy.SetIcon(hIcon);
    }
    m_images[slotFaded].CopyFrom(copy);
}

void CLVKImageManagerIcon::MakeShadowImage()
{
    if (!m_images[slotNormal].IsProcessable() || m_images[slotNormal].IsEmpty())
        return;
    CLVKIconImage copy;
    copy.CopyFrom(GetHotImage());
    const COLORREF clrBase = GetToolkitColor(31);
    const COLORREF clrShadow =
        RGB(static_cast<int>(GetRValue(clrBase) * 0.75), static_cast<int>(GetGValue(clrBase) * 0.75),
            static_cast<int>(GetBValue(clrBase) * 0.75));
    if (copy.IsAlphaBitmap())
    {
        BYTE* p = copy.GetBits();
        if (!p)
            return;
        const CSize size = copy.GetImageSize();
        for (int i = 0; i < size.cx * size.cy; ++i, p += 4)
        {
            p[0] = static_cast<BYTE>(GetBValue(clrShadow) * p[3] / 255);
            p[1] = static_cast<BYTE>(GetGValue(clrShadow) * p[3] / 255);
            p[2] = static_cast<BYTE>(GetRValue(clrShadow) * p[3] / 255);
        }
    }
    else if (copy.GetIcon())
    {
        HICON hIcon = RecolourIcon(copy.GetIcon(), [clrShadow](COLORREF) { return clrShadow; });
        if (!hIcon)
            return;
        copy.SetIcon(hIcon);
    }
    m_images[slotShadow].CopyFrom(copy);
}

void CLVKImageManagerIcon::DrawImage(CDC* pDC, int x, int y, CLVKIconImage& image, int cx, int cy, COLORREF, COLORREF,
                                     UINT)
{
    if (cx == 0)
        cx = m_nWidth;
    if (cy == 0)
        cy = m_nWidth ? cx * m_nHeight / m_nWidth : 0;
    image.Draw(pDC, x, y, cx, cy, m_bDrawThroughAlphaBuffer);
}

void CLVKImageManagerIcon::Draw(CDC* pDC, int x, int y)
{
    DrawImage(pDC, x, y, m_images[slotNormal]);
}

void CLVKImageManagerIcon::DrawScaled(CDC* pDC, int x, int y, int cx, int cy)
{
    DrawImage(pDC, x, y, m_images[slotNormal], cx, cy);
}

void CLVKImageManagerIcon::DrawSilhouette(CDC* pDC, int x, int y, CLVKIconImage& image, int cx, int cy, COLORREF clr)
{
    if (!pDC || image.IsAlphaBitmap())
        return;
    if (cx == 0)
        cx = m_nWidth;
    if (cy == 0)
        cy = m_nWidth ? cx * m_nHeight / m_nWidth : 0;
    if (cx <= 0 || cy <= 0)
        return;
    HBITMAP hBitmap = ::CreateCompatibleBitmap(pDC->GetSafeHdc(), cx, cy);
    CDC memDC;
    memDC.Attach(::CreateCompatibleDC(pDC->GetSafeHdc()));
    if (hBitmap && memDC.m_hDC)
    {
        {
            // DrawState selects the bitmap into a DC of its own, so it must be out of this one first.
            const CLVKGdiObjectDC bitmap(memDC.m_hDC, hBitmap);
            memDC.FillSolidRect(0, 0, cx, cy, RGB(255, 255, 255));
            DrawImage(&memDC, 0, 0, image, cx, cy);
        }
        HBRUSH hBrush = ::CreateSolidBrush(clr);
        ::DrawStateW(pDC->GetSafeHdc(), hBrush, nullptr, reinterpret_cast<LPARAM>(hBitmap), 0, x, y, cx, cy,
                     DST_BITMAP | DSS_MONO);
        ::DeleteObject(hBrush);
    }
    if (memDC.m_hDC)
        memDC.DeleteDC();
    if (hBitmap)
        ::DeleteObject(hBitmap);
}

void AFX_CDECL CLVKImageManagerIcon::WriteDib(CArchive& ar, HBITMAP hBitmap)
{
    HDC hScreen = ::GetDC(nullptr);
    std::unique_ptr<BITMAPINFO, FreeDeleter> header(static_cast<BITMAPINFO*>(std::calloc(1, kMaxDibHeader)));
    header->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bool bRead = hBitmap && ::GetDIBits(hScreen, hBitmap, 0, 0, nullptr, header.get(), DIB_RGB_COLORS);
    DWORD nHeader = 0, nPixels = 0;
    std::unique_ptr<BYTE, FreeDeleter> pixels;
    if (bRead)
    {
        const WORD nBits = header->bmiHeader.biBitCount;
        nHeader = sizeof(BITMAPINFOHEADER) + (nBits == 4 ? 16 : nBits == 8 ? 256 : 3) * sizeof(RGBQUAD);
        if (nBits <= 8 || header->bmiHeader.biCompression == BI_BITFIELDS)
            header->bmiHeader.biCompression = BI_RGB;
        const LONG cy = header->bmiHeader.biHeight < 0 ? -header->bmiHeader.biHeight : header->bmiHeader.biHeight;
        nPixels = header->bmiHeader.biSizeImage ? header->bmiHeader.biSizeImage
                                                : static_cast<DWORD>(header->bmiHeader.biWidth * cy * 4);
        pixels.reset(static_cast<BYTE*>(std::calloc(1, nPixels ? nPixels : 1)));
        bRead = pixels && ::GetDIBits(hScreen, hBitmap, 0, cy, pixels.get(), header.get(), DIB_RGB_COLORS);
    }
    ::ReleaseDC(nullptr, hScreen);
    if (!bRead)
    {
        ar.WriteCount(0);
        return;
    }
    ar.WriteCount(nHeader);
    ar.Write(header.get(), nHeader);
    ar.WriteCount(nPixels);
    ar.Write(pixels.get(), nPixels);
}

HBITMAP AFX_CDECL CLVKImageManagerIcon::ReadDib(CArchive& ar, BYTE** ppBits)
{
    if (ppBits)
        *ppBits = nullptr;
    const DWORD_PTR nHeader = ar.ReadCount();
    if (nHeader == 0)
        return nullptr;
    // The stored header length is bounded before anything is read for it.
    if (nHeader < sizeof(BITMAPINFOHEADER) || nHeader > kMaxDibHeader)
        AfxThrowArchiveException(CArchiveException::badIndex);
    std::unique_ptr<BITMAPINFO, FreeDeleter> header(static_cast<BITMAPINFO*>(std::calloc(1, kMaxDibHeader)));
    ReadWhole(ar, header.get(), static_cast<UINT>(nHeader));
    const DWORD_PTR nPixels = ar.ReadCount();
    if (nPixels > kMaxBitmapBytes)
        AfxThrowArchiveException(CArchiveException::badIndex);
    std::unique_ptr<BYTE, FreeDeleter> pixels(static_cast<BYTE*>(std::malloc(nPixels ? nPixels : 1)));
    if (nPixels)
        ReadWhole(ar, pixels.get(), static_cast<UINT>(nPixels));
    if (nPixels == 0)
        return nullptr;

    BITMAPINFOHEADER& h = header->bmiHeader;
    const LONG cy = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    const WORD nBits = h.biBitCount;
    if (h.biSize != sizeof(BITMAPINFOHEADER) || !CheckedBitmapBytes(h.biWidth, cy) ||
        (nBits != 1 && nBits != 4 && nBits != 8 && nBits != 16 && nBits != 24 && nBits != 32) ||
        (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS) || h.biClrUsed > 256)
        return nullptr;
    if (h.biSizeImage == 0)
        h.biSizeImage = static_cast<DWORD>(nPixels);
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, header.get(), DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (!hBitmap)
        return nullptr;
    // No more than the section really holds, whatever biSizeImage claims.
    DIBSECTION ds{};
    ::GetObjectW(hBitmap, sizeof(ds), &ds);
    const DWORD nReal = static_cast<DWORD>(ds.dsBm.bmWidthBytes) * ds.dsBm.bmHeight;
    DWORD nCopy = static_cast<DWORD>(nPixels) < h.biSizeImage ? static_cast<DWORD>(nPixels) : h.biSizeImage;
    if (nCopy > nReal)
        nCopy = nReal;
    std::memcpy(pBits, pixels.get(), nCopy);
    if (ppBits)
        *ppBits = static_cast<BYTE*>(pBits);
    return hBitmap;
}

void CLVKImageManagerIcon::SerializeImage(CArchive& ar, int nSlot, int nVersion)
{
    if (ar.IsStoring())
    {
        CLVKIconImage copy;
        copy.CopyFrom(m_images[nSlot]);
        if (copy.IsEmpty())
        {
            ar.WriteCount(0);
            ar.WriteCount(0);
        }
        else if (copy.IsAlphaBitmap())
        {
            copy.GetBits();
            WriteDib(ar, copy.GetBitmap());
            ar.WriteCount(0);
        }
        else
        {
            ICONINFO info{};
            if (copy.GetIcon() && ::GetIconInfo(copy.GetIcon(), &info))
            {
                WriteDib(ar, info.hbmColor);
                WriteDib(ar, info.hbmMask);
                if (info.hbmColor)
                    ::DeleteObject(info.hbmColor);
                if (info.hbmMask)
                    ::DeleteObject(info.hbmMask);
            }
            else
            {
                ar.WriteCount(0);
                ar.WriteCount(0);
            }
        }
        return;
    }

    BYTE* pColorBits = nullptr;
    HBITMAP hColor = ReadDib(ar, &pColorBits);
    HBITMAP hMask = nullptr;
    try
    {
        hMask = ReadDib(ar);
    }
    catch (...)
    {
        if (hColor)
            ::DeleteObject(hColor);
        throw;
    }
    CLVKIconImage image;
    if (hColor && hMask)
    {
        BITMAP bm{};
        ::GetObjectW(hColor, sizeof(bm), &bm);
        // 32-bit, so an icon with alpha keeps it when it is read back.
        HIMAGELIST hList = ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR32 | ILC_MASK, 1, 0);
        if (hList)
        {
            if (ImageList_Add(hList, hColor, hMask) >= 0)
            {
                HICON hIcon = ImageList_GetIcon(hList, 0, 0);
                if (hIcon)
                    image.SetIcon(hIcon);
            }
            ImageList_Destroy(hList);
        }
        ::DeleteObject(hColor);
        ::DeleteObject(hMask);
    }
    else if (hColor)
    {
        image.SetBitmap(hColor);
        if (nVersion > 24)
            image.SetKnownBits(pColorBits);
    }
    else if (hMask)
    {
        ::DeleteObject(hMask);
    }
    m_images[nSlot].CopyFrom(image);
}

void CLVKImageManagerIcon::Serialize(CArchive& ar)
{
    int nVersion = kArchiveVersion;
    if (ar.IsStoring())
    {
        ar << static_cast<LONG>(m_nHeight);
        ar << static_cast<LONG>(nVersion);
    }
    else
    {
        LONG nHeight = 0, nStored = 0;
        ar >> nHeight;
        ar >> nStored;
        m_nHeight = nHeight;
        nVersion = nStored;
    }
    SerializeImage(ar, slotNormal, nVersion);
    SerializeImage(ar, slotDisabled, nVersion);
    SerializeImage(ar, slotHot, nVersion);
    if (nVersion > 7)
        SerializeImage(ar, slotChecked, nVersion);
    if (nVersion > 16)
        SerializeImage(ar, slotPressed, nVersion);
    if (ar.IsLoading() && !m_images[slotNormal].IsEmpty())
        m_nWidth = m_images[slotNormal].GetImageSize().cx;
}
