// PNG decoding, bitmap loading from files and resources, the 32-bit bitmap
// routines and the blending services, on the picture fixtures of
// Images/make_image_fixtures.py (good ones and damaged ones).
#include "DibSurface.h"
#include "Foundation/AlphaBitmap.h"
#include "Foundation/BitmapLoaders.h"
#include "Foundation/GraphicBitmapPng.h"
#include "Foundation/ImageManager.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

HMODULE Self()
{
    return GetModuleHandleW(nullptr);
}

// B, G, R, A of one pixel.
struct Bgra
{
    int b, g, r, a;
};

bool operator==(const Bgra& x, const Bgra& y)
{
    return x.b == y.b && x.g == y.g && x.r == y.r && x.a == y.a;
}

std::ostream& operator<<(std::ostream& os, const Bgra& p)
{
    return os << "(B " << p.b << ", G " << p.g << ", R " << p.r << ", A " << p.a << ")";
}

// Pixel (x, y) counted from the top, whichever way the section's rows run.
Bgra SectionPixel(HBITMAP hBitmap, int x, int y)
{
    DIBSECTION ds{};
    if (GetObjectW(hBitmap, sizeof(ds), &ds) != sizeof(ds) || ds.dsBm.bmBitsPixel != 32)
        return {-1, -1, -1, -1};
    GdiFlush();
    const int row = ds.dsBmih.biHeight < 0 ? y : ds.dsBm.bmHeight - 1 - y;
    const BYTE* p = static_cast<const BYTE*>(ds.dsBm.bmBits) + (row * ds.dsBm.bmWidth + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

SIZE BitmapSize(HBITMAP hBitmap)
{
    BITMAP bm{};
    GetObjectW(hBitmap, sizeof(bm), &bm);
    return {bm.bmWidth, bm.bmHeight};
}

std::string ResourceBytes(UINT nID, LPCWSTR lpszType)
{
    HRSRC hResource = FindResourceW(Self(), MAKEINTRESOURCEW(nID), lpszType);
    if (!hResource)
        return std::string();
    const char* p = static_cast<const char*>(LockResource(LoadResource(Self(), hResource)));
    return std::string(p, SizeofResource(Self(), hResource));
}

// A 32-bit top-down section of the given pixels (width x 1... rows given).
HBITMAP MakeSection(int cx, int cy, const std::vector<DWORD>& pixels)
{
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HBITMAP h = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    memcpy(pBits, pixels.data(), pixels.size() * 4);
    return h;
}

DWORD Pack(const Bgra& p)
{
    return static_cast<DWORD>(p.b | (p.g << 8) | (p.r << 16) | (p.a << 24));
}

}  // namespace

struct PngCase
{
    const char* name;
    UINT id;
    bool loads;
    int width, height;
    BOOL alpha;
    Bgra first, second;
};

TEST(PngDecoding, EachFixtureGivesItsChannelsAndAlphaOrNothing)
{
    const PngCase cases[] = {
        {"RGBA keeps its alpha, not premultiplied", 8101, true, 2, 1, TRUE, {30, 20, 10, 40}, {70, 60, 50, 255}},
        {"palette with tRNS gains an alpha channel", 8102, true, 2, 1, TRUE, {0, 0, 200, 128}, {200, 0, 0, 255}},
        {"grey becomes opaque RGB", 8103, true, 2, 1, FALSE, {0, 0, 0, 255}, {200, 200, 200, 255}},
        {"16 bits per channel reduce to 8", 8104, true, 1, 1, FALSE, {0x9A, 0x56, 0x12, 255}, {}},
        {"bKGD composites onto the background", 8105, true, 2, 1, FALSE, {255, 255, 255, 255}, {255, 0, 0, 255}},
        {"damaged header checksum", 8106, false, 0, 0, FALSE, {}, {}},
        {"truncated image data", 8107, false, 0, 0, FALSE, {}, {}},
        {"header claiming 100000 x 100000", 8108, false, 0, 0, FALSE, {}, {}},
        {"header claiming 16000 x 16000 x 4 bytes", 8109, false, 0, 0, FALSE, {}, {}},
        {"nine bytes", 8110, false, 0, 0, FALSE, {}, {}},
    };
    for (const PngCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        CLVKGraphicBitmapPng png;
        const BOOL bLoaded = png.LoadFromResource(Self(), FindResourceW(Self(), MAKEINTRESOURCEW(c.id), L"PNG"));
        ASSERT_EQ(c.loads, bLoaded != FALSE);
        if (!c.loads)
        {
            EXPECT_EQ(nullptr, png.GetSafeHandle());
            EXPECT_FALSE(png.IsAlpha());
            continue;
        }
        HBITMAP hBitmap = static_cast<HBITMAP>(png.GetSafeHandle());
        EXPECT_EQ(c.width, BitmapSize(hBitmap).cx);
        EXPECT_EQ(c.height, BitmapSize(hBitmap).cy);
        EXPECT_EQ(c.alpha, png.IsAlpha());
        EXPECT_EQ(c.first, SectionPixel(hBitmap, 0, 0));
        if (c.width > 1)
        {
            EXPECT_EQ(c.second, SectionPixel(hBitmap, 1, 0));
        }
    }
}

TEST(PngDecoding, MissingResourceAndEmptyStreamFail)
{
    CLVKGraphicBitmapPng png;
    EXPECT_FALSE(png.LoadFromResource(Self(), nullptr));
    CMemFile empty;
    EXPECT_FALSE(png.LoadFromStream(&empty));
    EXPECT_FALSE(png.LoadFromFile(L"C:\\no such folder\\picture.png"));
}

TEST(BitmapResources, PngAndThirtyTwoBitResourcesReportAlpha)
{
    BOOL bAlpha = -1;
    HBITMAP hPng = LoadBitmapResource(Self(), MAKEINTRESOURCEW(8101), &bAlpha);
    ASSERT_NE(nullptr, hPng);
    EXPECT_EQ(TRUE, bAlpha);
    DeleteObject(hPng);

    bAlpha = -1;
    HBITMAP hDib = LoadBitmapResource(Self(), MAKEINTRESOURCEW(8201), &bAlpha);
    ASSERT_NE(nullptr, hDib);
    EXPECT_EQ(TRUE, bAlpha);
    // Rows are bottom-up and the pixels stay as stored.
    EXPECT_EQ((Bgra{1, 2, 3, 4}), SectionPixel(hDib, 0, 0));
    EXPECT_EQ((Bgra{5, 6, 7, 255}), SectionPixel(hDib, 1, 1));
    DeleteObject(hDib);

    bAlpha = -1;
    HBITMAP hPlain = LoadBitmapResource(Self(), MAKEINTRESOURCEW(8206), &bAlpha);
    ASSERT_NE(nullptr, hPlain);
    EXPECT_EQ(FALSE, bAlpha);
    EXPECT_EQ(2, BitmapSize(hPlain).cx);
    DeleteObject(hPlain);

    bAlpha = -1;
    EXPECT_EQ(nullptr, LoadBitmapResource(Self(), MAKEINTRESOURCEW(8106), &bAlpha)) << "a damaged PNG resource";
}

TEST(BitmapResources, DamagedAlphaBitmapResourcesGiveNothing)
{
    const struct
    {
        const char* name;
        UINT id;
        bool loads;
    } cases[] = {
        {"complete 2 x 2", 8201, true},
        {"one byte short of its pixels", 8202, false},
        {"top-down (negative height)", 8203, false},
        {"zero height", 8204, false},
        {"65536 x 65536 claimed, 16 bytes held", 8205, false},
        {"24-bit bitmap", 8206, false},
        {"missing resource", 8299, false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        HBITMAP h = LoadAlphaBitmapResource(Self(), MAKEINTRESOURCEW(c.id));
        EXPECT_EQ(c.loads, h != nullptr);
        if (h)
            DeleteObject(h);
    }
}

TEST(BitmapFiles, EachRouteReportsItsAlpha)
{
    ScratchFolder folder;
    const std::wstring bmp24 = folder.WriteFile(L"plain.bmp", ResourceBytes(8301, RT_RCDATA));
    const std::wstring bmp32 = folder.WriteFile(L"alpha.bmp", ResourceBytes(8302, RT_RCDATA));
    const std::wstring png = folder.WriteFile(L"picture.png", ResourceBytes(8303, RT_RCDATA));
    const std::wstring damaged = folder.WriteFile(L"damaged.png", ResourceBytes(8304, RT_RCDATA));
    // A 1 x 1 GIF, which neither the PNG decoder nor LoadImageW reads.
    const char gif[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04\x01\x00\x00\x00\x00,"
                       "\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;";
    const std::wstring gifPath = folder.WriteFile(L"picture.gif", std::string(gif, sizeof(gif) - 1));

    EXPECT_TRUE(IsPngFile(png.c_str()));
    EXPECT_FALSE(IsPngFile(bmp24.c_str()));
    EXPECT_TRUE(IsAlphaBitmapFile(bmp32.c_str()));
    EXPECT_FALSE(IsAlphaBitmapFile(bmp24.c_str()));

    BOOL bAlpha = -1;
    HBITMAP h = LoadBitmapFromFile(bmp24.c_str(), &bAlpha);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(FALSE, bAlpha);
    DeleteObject(h);

    bAlpha = -1;
    h = LoadBitmapFromFile(bmp32.c_str(), &bAlpha);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(TRUE, bAlpha);
    EXPECT_EQ((Bgra{5, 6, 7, 255}), SectionPixel(h, 1, 0)) << "loaded as a DIB section with its alpha";
    DeleteObject(h);

    bAlpha = -1;
    h = LoadBitmapFromFile(png.c_str(), &bAlpha);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(TRUE, bAlpha);
    DeleteObject(h);

    bAlpha = -1;
    EXPECT_EQ(nullptr, LoadBitmapFromFile(damaged.c_str(), &bAlpha)) << "no other loader is tried for a PNG";
    EXPECT_EQ(-1, bAlpha);

    bAlpha = -1;
    h = LoadBitmapFromFile(gifPath.c_str(), &bAlpha);
    if (h)
    {
        // The OLE picture route draws onto an opaque background: no alpha.
        EXPECT_EQ(FALSE, bAlpha);
        EXPECT_EQ(1, BitmapSize(h).cx);
        DeleteObject(h);
    }
    else
    {
        GTEST_LOG_(INFO) << "the OLE picture loader of this system did not read the GIF";
    }
}

TEST(AlphaBitmaps, PremultiplyMirrorDuplicateAndSplit)
{
    HBITMAP hSource = MakeSection(2, 1, {Pack({100, 50, 200, 128}), Pack({10, 20, 30, 0})});
    BOOL bAlpha = -1;
    HBITMAP hPremultiplied = PremultiplyBitmap(hSource, &bAlpha);
    ASSERT_NE(nullptr, hPremultiplied);
    EXPECT_EQ(TRUE, bAlpha);
    EXPECT_EQ((Bgra{50, 25, 100, 128}), SectionPixel(hPremultiplied, 0, 0));
    EXPECT_EQ((Bgra{0, 0, 0, 0}), SectionPixel(hPremultiplied, 1, 0));
    EXPECT_EQ((Bgra{100, 50, 200, 128}), SectionPixel(hSource, 0, 0)) << "the source is not changed";

    HBITMAP hMirrored = CreateMirroredAlphaBitmap(hSource);
    ASSERT_NE(nullptr, hMirrored);
    EXPECT_EQ((Bgra{10, 20, 30, 0}), SectionPixel(hMirrored, 0, 0));
    EXPECT_EQ((Bgra{100, 50, 200, 128}), SectionPixel(hMirrored, 1, 0));

    HBITMAP hCopy = DuplicateDibSection(hSource);
    ASSERT_NE(nullptr, hCopy);
    EXPECT_NE(hSource, hCopy);
    EXPECT_EQ((Bgra{10, 20, 30, 0}), SectionPixel(hCopy, 1, 0));

    // No alpha anywhere leaves the answer as the caller set it.
    HBITMAP hOpaque = MakeSection(1, 1, {Pack({1, 2, 3, 0})});
    bAlpha = -1;
    HBITMAP hNoAlpha = PremultiplyBitmap(hOpaque, &bAlpha);
    EXPECT_EQ(-1, bAlpha);

    for (HBITMAP h : {hSource, hPremultiplied, hMirrored, hCopy, hOpaque, hNoAlpha})
        DeleteObject(h);

    // A device-dependent bitmap is not 32-bit: nothing is made of it.
    HBITMAP hMono = CreateBitmap(4, 4, 1, 1, nullptr);
    EXPECT_EQ(nullptr, DuplicateDibSection(hMono));
    EXPECT_EQ(nullptr, PremultiplyBitmap(hMono, nullptr));
    EXPECT_EQ(nullptr, CreateMirroredAlphaBitmap(hMono));
    DeleteObject(hMono);
}

TEST(AlphaBitmaps, SplitStripDealsColumnsToCells)
{
    std::vector<DWORD> pixels(48 * 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 48; ++x)
            pixels[y * 48 + x] = static_cast<DWORD>(0xFF000000 | (y << 8) | x);
    HBITMAP hStrip = MakeSection(48, 16, pixels);
    HBITMAP cells[3] = {};
    ASSERT_TRUE(SplitAlphaStrip(hStrip, 3, cells));
    for (int i = 0; i < 3; ++i)
    {
        SCOPED_TRACE(i);
        ASSERT_NE(nullptr, cells[i]);
        EXPECT_EQ(16, BitmapSize(cells[i]).cx);
        EXPECT_EQ(16, BitmapSize(cells[i]).cy);
        for (int y : {0, 7, 15})
            for (int x : {0, 15})
                EXPECT_EQ((Bgra{i * 16 + x, y, 0, 255}), SectionPixel(cells[i], x, y));
        DeleteObject(cells[i]);
    }
    EXPECT_FALSE(SplitAlphaStrip(hStrip, 0, cells));
    EXPECT_FALSE(SplitAlphaStrip(hStrip, 49, cells)) << "cells narrower than a pixel";
    DeleteObject(hStrip);
}

TEST(AlphaBitmaps, CreateDibSection32IsBottomUp)
{
    BYTE* pBits = nullptr;
    HBITMAP h = CreateDibSection32(nullptr, 3, 2, &pBits);
    ASSERT_NE(nullptr, h);
    ASSERT_NE(nullptr, pBits);
    DIBSECTION ds{};
    ASSERT_EQ(static_cast<int>(sizeof(ds)), GetObjectW(h, sizeof(ds), &ds));
    EXPECT_EQ(2, ds.dsBmih.biHeight);
    EXPECT_EQ(32, ds.dsBm.bmBitsPixel);
    DeleteObject(h);
    EXPECT_EQ(nullptr, CreateDibSection32(nullptr, 0, 2, &pBits));
    EXPECT_EQ(nullptr, pBits);
}

TEST(Blending, PremultipliedRedOverWhite)
{
    // (B 0, G 0, R 128, A 128) over white: 0 + 255 x 127 / 255 = 127.
    HBITMAP hSource = MakeSection(1, 1, {Pack({0, 0, 128, 128})});
    HBITMAP hDest = MakeSection(1, 1, {Pack({255, 255, 255, 255})});
    HBITMAP hOut = MakeSection(1, 1, {0});
    ASSERT_TRUE(BlendPremultipliedPixels(hSource, FALSE, hDest, FALSE, hOut));
    EXPECT_EQ((Bgra{127, 127, 255, 0}), SectionPixel(hOut, 0, 0)) << "the output's alpha is not written";

    // The same through the system's AlphaBlend and through the software route.
    DibSurface target(2, 1, RGB(255, 255, 255));
    CDC source;
    source.Attach(CreateCompatibleDC(nullptr));
    HGDIOBJ hOld = SelectObject(source.m_hDC, hSource);
    const RECT rcSrc = {0, 0, 1, 1};
    EXPECT_TRUE(CLVKImageManager::GetGlobal()->AlphaBlendImage(target.GetDC(), {0, 0, 1, 1}, &source, rcSrc));
    EXPECT_TRUE(CLVKImageManager::GetGlobal()->SoftwareAlphaBlend(target.GetDC(), 1, 0, 1, 1, &source, 0, 0, 1, 1));
    EXPECT_EQ(RGB(255, 127, 127), target.Pixel(0, 0));
    EXPECT_EQ(RGB(255, 127, 127), target.Pixel(1, 0));
    SelectObject(source.m_hDC, hOld);
    source.DeleteDC();

    // Sizes that differ are refused.
    HBITMAP hWide = MakeSection(2, 1, {0, 0});
    EXPECT_FALSE(BlendPremultipliedPixels(hSource, FALSE, hWide, FALSE, hOut));
    for (HBITMAP h : {hSource, hDest, hOut, hWide})
        DeleteObject(h);
}

TEST(Blending, MirroredSourceIsReadRightToLeft)
{
    HBITMAP hSource = MakeSection(2, 1, {Pack({10, 10, 10, 255}), Pack({20, 20, 20, 255})});
    HBITMAP hDest = MakeSection(2, 1, {0, 0});
    HBITMAP hOut = MakeSection(2, 1, {0, 0});
    ASSERT_TRUE(BlendPremultipliedPixels(hSource, TRUE, hDest, FALSE, hOut));
    EXPECT_EQ(20, SectionPixel(hOut, 0, 0).b);
    EXPECT_EQ(10, SectionPixel(hOut, 1, 0).b);
    for (HBITMAP h : {hSource, hDest, hOut})
        DeleteObject(h);
}

TEST(Blending, GreyingAndDuotone)
{
    HBITMAP h = MakeSection(2, 1, {Pack({0, 0, 255, 77}), Pack({100, 50, 200, 255})});
    // Level 128: Y = 76, then 76 + 179 x 128 / 255 = 165.
    ASSERT_TRUE(CLVKImageManager::GrayOutBits(h, static_cast<COLORREF>(-1), static_cast<COLORREF>(-1), 128));
    EXPECT_EQ((Bgra{165, 165, 165, 77}), SectionPixel(h, 0, 0)) << "alpha is left as it was";
    DeleteObject(h);

    // Duotone: black takes the dark colour, white the light one, and grey 128
    // (128/255 of white) lies that far between them: 128/255 of 255 and
    // 127/255 of 255, the same on every processor.
    h = MakeSection(3, 1, {Pack({0, 0, 0, 255}), Pack({128, 128, 128, 255}), Pack({255, 255, 255, 255})});
    ASSERT_TRUE(CLVKImageManager::GrayOutBits(h, RGB(255, 0, 0), RGB(0, 0, 255), -1));
    EXPECT_EQ((Bgra{255, 0, 0, 255}), SectionPixel(h, 0, 0));
    EXPECT_EQ((Bgra{127, 0, 128, 255}), SectionPixel(h, 1, 0));
    EXPECT_EQ((Bgra{0, 0, 255, 255}), SectionPixel(h, 2, 0));
    DeleteObject(h);

    // Level -1: 255 x the square root of the luminance; grey 128 gives
    // 255 x sqrt(128/255) = 180.7, white stays white.
    h = MakeSection(2, 1, {Pack({128, 128, 128, 255}), Pack({255, 255, 255, 255})});
    ASSERT_TRUE(CLVKImageManager::GrayOutBits(h, static_cast<COLORREF>(-1), static_cast<COLORREF>(-1), -1));
    EXPECT_EQ((Bgra{180, 180, 180, 255}), SectionPixel(h, 0, 0));
    EXPECT_EQ((Bgra{255, 255, 255, 255}), SectionPixel(h, 1, 0));
    DeleteObject(h);

    HBITMAP hMono = CreateBitmap(2, 2, 1, 1, nullptr);
    EXPECT_FALSE(CLVKImageManager::GrayOutBits(hMono, static_cast<COLORREF>(-1), static_cast<COLORREF>(-1), 0));
    DeleteObject(hMono);

    DibSurface surface(2, 1, RGB(255, 0, 0));
    ASSERT_TRUE(CLVKImageManager::GetGlobal()->GrayOutRect(surface.GetDC(), {0, 0, 1, 1}, 128));
    EXPECT_EQ(RGB(165, 165, 165), surface.Pixel(0, 0));
    EXPECT_EQ(RGB(255, 0, 0), surface.Pixel(1, 0)) << "outside the rectangle";
}

TEST(Blending, TransparentColourIsLeftOut)
{
    DibSurface source(2, 1, RGB(255, 0, 255));
    SetPixel(source.GetHdc(), 1, 0, RGB(0, 128, 0));
    for (bool bFallback : {false, true})
    {
        SCOPED_TRACE(bFallback ? "fallback" : "system");
        DibSurface target(2, 1, RGB(0, 0, 200));
        const BOOL bDone =
            bFallback ? TransparentBltFallback(target.GetDC(), 0, 0, 2, 1, source.GetDC(), 0, 0, 2, 1, RGB(255, 0, 255))
                      : CLVKImageManager::GetGlobal()->TransparentBlt(target.GetDC(), {0, 0, 2, 1}, source.GetDC(),
                                                                      {0, 0, 2, 1}, RGB(255, 0, 255));
        EXPECT_TRUE(bDone);
        EXPECT_EQ(RGB(0, 0, 200), target.Pixel(0, 0));
        EXPECT_EQ(RGB(0, 128, 0), target.Pixel(1, 0));
    }
}

TEST(Blending, IconDrawnWithItsAlpha)
{
    // A 2 x 2 icon whose left column is opaque red and right column transparent.
    HBITMAP hColor = MakeSection(2, 2, {Pack({0, 0, 255, 255}), 0, Pack({0, 0, 255, 255}), 0});
    HBITMAP hMask = CreateBitmap(2, 2, 1, 1, nullptr);
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = hColor;
    info.hbmMask = hMask;
    HICON hIcon = CreateIconIndirect(&info);
    ASSERT_NE(nullptr, hIcon);
    EXPECT_TRUE(IsAlphaIcon(hIcon));

    DibSurface target(2, 2, RGB(0, 0, 255));
    ASSERT_TRUE(DrawIconWithAlpha(target.GetDC(), 0, 0, 2, 2, hIcon));
    EXPECT_EQ(RGB(255, 0, 0), target.Pixel(0, 0));
    EXPECT_EQ(RGB(0, 0, 255), target.Pixel(1, 1));
    DestroyIcon(hIcon);
    DeleteObject(hColor);
    DeleteObject(hMask);
}

TEST(BitmapFiles, DamagedBitmapFilesGiveNothing)
{
    const std::string good = ResourceBytes(8302, RT_RCDATA);
    ASSERT_EQ(70u, good.size());
    std::string hugeWidth = good;
    hugeWidth[18] = '\x00';
    hugeWidth[19] = '\x00';
    hugeWidth[20] = '\x01';  // width 65536
    const struct
    {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"file header only", good.substr(0, 14)},
        {"info header cut", good.substr(0, 30)},
        {"32-bit pixels cut short", good.substr(0, 60)},
        {"65536 pixels wide, 16 bytes of pixels", hugeWidth},
        {"empty file", std::string()},
    };
    ScratchFolder folder;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::wstring path = folder.WriteFile(L"damaged.bmp", c.bytes);
        BOOL bAlpha = -1;
        HBITMAP h = LoadBitmapFromFile(path.c_str(), &bAlpha);
        EXPECT_EQ(nullptr, h);
        if (h)
            DeleteObject(h);
    }
}

TEST(Blending, ConstantOpacity)
{
    HBITMAP hSource = MakeSection(1, 1, {Pack({0, 0, 255, 0})});
    CDC source;
    source.Attach(CreateCompatibleDC(nullptr));
    HGDIOBJ hOld = SelectObject(source.m_hDC, hSource);
    DibSurface target(1, 1, RGB(255, 255, 255));
    EXPECT_TRUE(
        CLVKImageManager::GetGlobal()->BlendConstantAlpha(target.GetDC(), {0, 0, 1, 1}, &source, {0, 0, 1, 1}, 128));
    const COLORREF clr = target.Pixel(0, 0);
    EXPECT_EQ(255, GetRValue(clr));
    EXPECT_NEAR(127, GetGValue(clr), 1) << "half of white shows through";
    SelectObject(source.m_hDC, hOld);
    source.DeleteDC();
    DeleteObject(hSource);
}
