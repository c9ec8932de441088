// The GDI+ device's pictures and GDI drawing: dedicated DCs that land under
// the world transform, icons turned into bitmaps with their transparency,
// and pictures without alpha drawn with the mask colour keyed out.
#include "MarkupTestSupport.h"

#include "MarkupFixtureCases.h"
#include "Markup/MarkupDedicatedDC.h"
#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupGdiPlusDeviceContext.h"
#include "Markup/MarkupTransformationMatrix.h"

#include <gdiplus.h>

#include <algorithm>
#include <vector>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace
{

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen0 = RGB(0, 255, 0);

using MarkupGdiPlusPictures = MarkupGdiPlusTest;

// The smallest rectangle holding every pixel that is not white.
RECT InkBounds(const MarkupSurface& surface, int nWidth, int nHeight)
{
    RECT rc = {nWidth, nHeight, 0, 0};
    for (int y = 0; y < nHeight; ++y)
    {
        for (int x = 0; x < nWidth; ++x)
        {
            if (surface.Pixel(x, y) != kWhite)
            {
                rc.left = std::min<LONG>(rc.left, x);
                rc.top = std::min<LONG>(rc.top, y);
                rc.right = std::max<LONG>(rc.right, x + 1);
                rc.bottom = std::max<LONG>(rc.bottom, y + 1);
            }
        }
    }
    return rc;
}

// A 32-bit top-down DIB section of the pixels (0xAARRGGBB).
HBITMAP CreateArgbBitmap(int nWidth, int nHeight, const std::vector<DWORD>& pixels)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = -nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    const HBITMAP hBitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hBitmap)
    {
        memcpy(pBits, pixels.data(), pixels.size() * sizeof(DWORD));
    }
    return hBitmap;
}

// The ARGB pixel of a bitmap (GDI+ answers straight, not premultiplied).
ARGB PixelOf(GpBitmap* pBitmap, int x, int y)
{
    ARGB argb = 0;
    GdipBitmapGetPixel(pBitmap, x, y, &argb);
    return argb;
}

}  // namespace

TEST_F(MarkupGdiPlusPictures, DedicatedDcDrawsUnderTheWorldTransform)
{
    MarkupSurface surface(60, 60);
    CLVKMarkupDrawingContext dc(nullptr, surface.GetHdc());
    auto* const pDevice = dynamic_cast<CLVKMarkupGdiPlusDeviceContext*>(dc.GetDevice());
    ASSERT_NE(pDevice, nullptr);
    const XFORM scale2 = {2, 0, 0, 2, 0, 0};
    const CLVKMarkupTransformationMatrix matrix(scale2);
    dc.SetTransformationMatrix(&matrix);
    {
        // GDI fills the left half of (5, 5)-(15, 15) red: it lands at
        // (10, 10)-(20, 30); the right half, left alone, stays see-through.
        std::unique_ptr<CLVKMarkupDedicatedDC> pDedicated = dc.CreateDedicatedDC(RECT{5, 5, 15, 15});
        EXPECT_EQ(pDedicated->GetOffset().x, -5);
        EXPECT_EQ(pDedicated->GetOffset().y, -5);
        const HDC hDC = pDedicated->GetDC();
        ASSERT_NE(hDC, nullptr);
        const RECT rcLeft = {0, 0, 5, 10};
        const HBRUSH hRed = CreateSolidBrush(kRed);
        FillRect(hDC, &rcLeft, hRed);
        DeleteObject(hRed);
        pDedicated->Flush();
        pDedicated->Flush();
    }
    GdiFlush();
    EXPECT_EQ(surface.Pixel(12, 12), kRed);
    EXPECT_EQ(surface.Pixel(18, 28), kRed);
    EXPECT_EQ(surface.Pixel(25, 20), kWhite) << "undrawn pixels of the dedicated DC are transparent";
    EXPECT_EQ(surface.Pixel(7, 20), kWhite);
    EXPECT_EQ(surface.Pixel(15, 33), kWhite);
}

TEST_F(MarkupGdiPlusPictures, GdiDeviceDedicatedDcIsTheOutputDc)
{
    MarkupContextHolder context;
    context->EnableGdiPlus(FALSE);
    MarkupSurface surface(20, 20);
    CLVKMarkupDrawingContext dc(context.Get(), surface.GetHdc());
    std::unique_ptr<CLVKMarkupDedicatedDC> pDedicated = dc.CreateDedicatedDC(RECT{5, 5, 15, 15});
    EXPECT_EQ(pDedicated->GetDC(), surface.GetHdc());
    EXPECT_EQ(pDedicated->GetOffset().x, 0);
    EXPECT_EQ(pDedicated->GetOffset().y, 0);
}

TEST_F(MarkupGdiPlusPictures, MarkBoxesScaleWithTheirElementOnBothDevices)
{
    // A check box scaled by 2: its 13-pixel mark box covers about 26 pixels
    // whichever device draws it (theme parts and frame controls are GDI).
    for (const BOOL bGdiPlus : {TRUE, FALSE})
    {
        MarkupContextHolder context;
        context->EnableGdiPlus(bGdiPlus);
        ElementHolder root(context.Parse(
            L"<CheckBox IsChecked='True' Width='20' Height='13' HorizontalAlignment='Left' VerticalAlignment='Top'>"
            L"<CheckBox.RenderTransform><RenderTransform><ScaleTransform ScaleX='2' ScaleY='2'/></RenderTransform>"
            L"</CheckBox.RenderTransform></CheckBox>"));
        ASSERT_TRUE(root);
        MarkupSurface surface(60, 60);
        surface.Render(root.Get());
        const RECT rcInk = InkBounds(surface, 60, 60);
        EXPECT_LE(rcInk.left, 1) << bGdiPlus;
        EXPECT_NEAR(rcInk.right - rcInk.left, 26, 2) << (bGdiPlus ? "GDI+" : "GDI");
        EXPECT_NEAR(rcInk.bottom - rcInk.top, 26, 2) << (bGdiPlus ? "GDI+" : "GDI");
    }
}

TEST_F(MarkupGdiPlusPictures, IconsBecomeBitmapsWithTheirTransparency)
{
    GpBitmap* pBitmap = nullptr;
    EXPECT_EQ(CLVKMarkupGdiPlusDeviceContext::IconHandleToGdiPlusBitmap(nullptr, &pBitmap),
              CLVKMarkupGdiPlusDeviceContext::iconNoInformation);
    EXPECT_EQ(pBitmap, nullptr);

    // Monochrome 16 x 16: the AND mask makes the left half transparent, the
    // XOR picture is white above and black below. Only the mask's own 32
    // rows are read.
    BYTE andBits[16 * 2], xorBits[16 * 2];
    for (int y = 0; y < 16; ++y)
    {
        andBits[y * 2] = 0xFF;
        andBits[y * 2 + 1] = 0x00;
        xorBits[y * 2] = xorBits[y * 2 + 1] = y < 8 ? 0xFF : 0x00;
    }
    const HICON hMono = CreateIcon(GetModuleHandleW(nullptr), 16, 16, 1, 1, andBits, xorBits);
    ASSERT_NE(hMono, nullptr);
    ASSERT_EQ(CLVKMarkupGdiPlusDeviceContext::IconHandleToGdiPlusBitmap(hMono, &pBitmap),
              CLVKMarkupGdiPlusDeviceContext::iconConverted);
    ASSERT_NE(pBitmap, nullptr);
    UINT nWidth = 0, nHeight = 0;
    GdipGetImageWidth(pBitmap, &nWidth);
    GdipGetImageHeight(pBitmap, &nHeight);
    EXPECT_EQ(nWidth, 16u);
    EXPECT_EQ(nHeight, 16u) << "a monochrome icon is half as high as its mask";
    EXPECT_EQ(PixelOf(pBitmap, 2, 2) >> 24, 0u);
    EXPECT_EQ(PixelOf(pBitmap, 2, 12) >> 24, 0u);
    EXPECT_EQ(PixelOf(pBitmap, 12, 2), 0xFFFFFFFFu);
    EXPECT_EQ(PixelOf(pBitmap, 12, 12), 0xFF000000u);
    GdipDisposeImage(pBitmap);
    DestroyIcon(hMono);

    // 32 bits with alpha: the mask is not looked at, half alpha stays half.
    std::vector<DWORD> pixels(8 * 8, 0xFF0000FF);
    std::fill(pixels.begin() + 32, pixels.end(), 0x80FF0000);
    ICONINFO info = {};
    info.fIcon = TRUE;
    info.hbmColor = CreateArgbBitmap(8, 8, pixels);
    info.hbmMask = CreateBitmap(8, 8, 1, 1, nullptr);
    const HICON hAlpha = CreateIconIndirect(&info);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    ASSERT_NE(hAlpha, nullptr);
    ASSERT_EQ(CLVKMarkupGdiPlusDeviceContext::IconHandleToGdiPlusBitmap(hAlpha, &pBitmap),
              CLVKMarkupGdiPlusDeviceContext::iconConverted);
    EXPECT_EQ(PixelOf(pBitmap, 3, 1), 0xFF0000FFu);
    const ARGB half = PixelOf(pBitmap, 3, 6);
    EXPECT_NEAR(static_cast<int>(half >> 24), 0x80, 1);
    EXPECT_NEAR(static_cast<int>((half >> 16) & 0xFF), 0xFF, 2) << "straight alpha taken as such";
    GdipDisposeImage(pBitmap);
    DestroyIcon(hAlpha);

    // 32 bits whose alpha is all zero: the mask decides (left half clear).
    const HICON hZero = static_cast<HICON>(LoadImageW(nullptr, MarkupFixturePath(L"zero-alpha.ico").c_str(),
                                                      IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
    ASSERT_NE(hZero, nullptr);
    ASSERT_EQ(CLVKMarkupGdiPlusDeviceContext::IconHandleToGdiPlusBitmap(hZero, &pBitmap),
              CLVKMarkupGdiPlusDeviceContext::iconConverted);
    EXPECT_EQ(PixelOf(pBitmap, 3, 8) >> 24, 0u);
    EXPECT_EQ(PixelOf(pBitmap, 12, 8), 0xFFFF0000u);
    GdipDisposeImage(pBitmap);
    DestroyIcon(hZero);
}

TEST_F(MarkupGdiPlusPictures, IconsAndPicturesDrawThroughTheDevice)
{
    // The zero-alpha icon through its mask; the JPEG without alpha has its
    // pure green keyed out; the PNG with alpha keeps its green.
    MarkupContextHolder context;
    std::wstring error;
    ElementHolder root(context.Parse(
        L"<StackPanel HorizontalAlignment='Left' VerticalAlignment='Top'>"
        L"<Image Source='file://MarkupFixtures\\zero-alpha.ico' Width='16' Height='16' HorizontalAlignment='Left'/>"
        L"<Image Source='file://MarkupFixtures\\green-red.jpg' HorizontalAlignment='Left'/>"
        L"<Image Source='file://MarkupFixtures\\green-alpha.png' HorizontalAlignment='Left'/>"
        L"</StackPanel>",
        &error));
    ASSERT_TRUE(root) << error;
    MarkupSurface surface(40, 50);
    surface.Render(root.Get());
    EXPECT_EQ(surface.Pixel(3, 8), kWhite) << "masked half of the icon";
    EXPECT_EQ(surface.Pixel(12, 8), kRed);
    EXPECT_EQ(surface.Pixel(5, 24), kWhite) << "green of the JPEG keyed out";
    EXPECT_TRUE(ColorsNear(surface.Pixel(25, 24), kRed, 2)) << std::hex << surface.Pixel(25, 24);
    EXPECT_EQ(surface.Pixel(5, 36), kGreen0) << "green of a picture with alpha";
    EXPECT_EQ(surface.Pixel(15, 36), kWhite);

    // Another mask colour for the context: the JPEG's green stays.
    context->SetMaskColor(RGB(255, 0, 255));
    ElementHolder jpeg(context.Parse(L"<Image Source='file://MarkupFixtures\\green-red.jpg'/>"));
    ASSERT_TRUE(jpeg);
    MarkupSurface jpegSurface(32, 16);
    jpegSurface.Render(jpeg.Get());
    EXPECT_TRUE(ColorsNear(jpegSurface.Pixel(5, 8), kGreen0, 2)) << std::hex << jpegSurface.Pixel(5, 8);
}

TEST_F(MarkupGdiPlusPictures, PicturesTurnWithTheirElement)
{
    // A 40 x 20 stretch of the red PNG rotated by 90 degrees about its top
    // left corner at (50, 10): it covers x 30..50 and y 10..50.
    MarkupContextHolder context;
    ElementHolder root(context.Parse(
        L"<Image Source='file://MarkupFixtures\\red-alpha.png' Stretch='Fill' Width='40' Height='20' "
        L"HorizontalAlignment='Left' VerticalAlignment='Top' Margin='50,10,0,0'><Image.RenderTransform>"
        L"<RenderTransform><RotateTransform Angle='90'/></RenderTransform></Image.RenderTransform></Image>"));
    ASSERT_TRUE(root);
    MarkupSurface surface(100, 100);
    surface.Render(root.Get());
    EXPECT_EQ(surface.Pixel(40, 20), kRed);
    EXPECT_EQ(surface.Pixel(60, 20), kWhite);
    // The transparent band (the last quarter of the width) is now at the
    // bottom.
    EXPECT_EQ(surface.Pixel(40, 47), kWhite);
}

TEST_F(MarkupGdiPlusPictures, IconResourcesLoadOnBothDevices)
{
    // GDI+ cannot read an icon resource as a picture: it falls back to the
    // image manager, as the GDI device does from the start.
    for (const BOOL bGdiPlus : {TRUE, FALSE})
    {
        for (const wchar_t* source : {L"res://MARKUPICON", L"res://#701"})
        {
            MarkupContextHolder context;
            context->EnableGdiPlus(bGdiPlus);
            ElementHolder root(context.Parse(std::wstring(L"<Image Source='") + source +
                                             L"' Width='16' Height='16' HorizontalAlignment='Left' "
                                             L"VerticalAlignment='Top'/>"));
            ASSERT_TRUE(root) << source;
            MarkupSurface surface(20, 20);
            surface.Render(root.Get());
            EXPECT_EQ(surface.Pixel(1, 1), RGB(0, 0, 255)) << source << (bGdiPlus ? " GDI+" : " GDI");
            EXPECT_EQ(surface.Pixel(14, 14), RGB(0, 0, 255)) << source << (bGdiPlus ? " GDI+" : " GDI");
            EXPECT_EQ(surface.Pixel(17, 17), kWhite) << source;
        }
    }
}

TEST_F(MarkupGdiPlusPictures, ElementFixturesDrawOnBothDevices)
{
    ExpectMarkupFixturePixels(MarkupElementFixtureCases(), false);
    ExpectMarkupFixturePixels(MarkupElementFixtureCases(), true);
}
