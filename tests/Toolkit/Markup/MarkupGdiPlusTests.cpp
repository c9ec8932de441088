// The GDI+ drawing device: when the drawing context chooses it, its
// smoothing modes, colours, fills, strokes, text and transforms. Interior
// pixels are exact; edges, which GDI+ may smooth, are checked within a
// tolerance.
#include "MarkupTestSupport.h"

#include "Markup/MarkupDouble.h"
#include "Markup/MarkupDoubleCollection.h"
#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupGdiPlusDeviceContext.h"
#include "Markup/MarkupGradientStop.h"
#include "Markup/MarkupGradientStops.h"
#include "Markup/MarkupLinearGradientBrush.h"
#include "Markup/MarkupColor.h"
#include "Markup/MarkupPoint.h"
#include "Markup/MarkupSolidColorBrush.h"
#include "Markup/MarkupTransformationMatrix.h"

#include <gdiplus.h>

#include <cstdlib>

namespace
{

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

using MarkupGdiPlus = MarkupGdiPlusTest;

std::string Hex(COLORREF clr)
{
    char buffer[16];
    sprintf(buffer, "%06lX", static_cast<unsigned long>(clr));
    return buffer;
}

CLVKMarkupGdiPlusDeviceContext* GdiPlusDevice(const CLVKMarkupDrawingContext& dc)
{
    return dynamic_cast<CLVKMarkupGdiPlusDeviceContext*>(dc.GetDevice());
}

CLVKMarkupLinearGradientBrush* MakeGradient(double sx, double sy, double ex, double ey,
                                            std::initializer_list<std::pair<COLORREF, double>> stops)
{
    auto* const pBrush = new CLVKMarkupLinearGradientBrush();
    pBrush->SetValue(CLVKMarkupLinearGradientBrush::m_pStartPointProperty, new CLVKMarkupPoint(sx, sy));
    pBrush->SetValue(CLVKMarkupLinearGradientBrush::m_pEndPointProperty, new CLVKMarkupPoint(ex, ey));
    for (const auto& stop : stops)
    {
        auto* const pStop = new CLVKMarkupGradientStop();
        pStop->SetValue(CLVKMarkupGradientStop::m_pColorProperty, new CLVKMarkupColor(0xFF, stop.first));
        pStop->SetValue(CLVKMarkupGradientStop::m_pOffsetProperty, new CLVKMarkupDouble(stop.second));
        pBrush->GetGradientStops()->Add(pStop);
    }
    return pBrush;
}

}  // namespace

TEST_F(MarkupGdiPlus, DrawingContextChoosesTheDevice)
{
    MarkupContextHolder context;
    MarkupSurface surface(10, 10);
    {
        CLVKMarkupDrawingContext dc(context.Get(), surface.GetHdc());
        EXPECT_NE(GdiPlusDevice(dc), nullptr) << "GDI+ started and allowed";
    }
    {
        CLVKMarkupDrawingContext dc(nullptr, surface.GetHdc());
        EXPECT_NE(GdiPlusDevice(dc), nullptr) << "no context";
    }
    context->EnableGdiPlus(FALSE);
    {
        CLVKMarkupDrawingContext dc(context.Get(), surface.GetHdc());
        EXPECT_EQ(GdiPlusDevice(dc), nullptr) << "the context turned GDI+ off";
    }
    context->EnableGdiPlus(TRUE);
    SetLayout(surface.GetHdc(), LAYOUT_RTL);
    {
        CLVKMarkupDrawingContext dc(context.Get(), surface.GetHdc());
        EXPECT_EQ(GdiPlusDevice(dc), nullptr) << "mirrored DC";
    }
    SetLayout(surface.GetHdc(), 0);
    MarkupGdiPlusStartup(FALSE);
    {
        CLVKMarkupDrawingContext dc(context.Get(), surface.GetHdc());
        EXPECT_EQ(GdiPlusDevice(dc), nullptr) << "GDI+ stopped";
    }
    MarkupGdiPlusStartup(TRUE);
}

TEST(MarkupGdiPlusColors, MarkupColoursBecomeArgb)
{
    struct ColorCase
    {
        DWORD markup;
        DWORD argb;
    } const cases[] = {
        {0xFF0000FF, 0xFFFF0000},  // opaque red
        {0x80FF0000, 0x800000FF},  // half-transparent blue
        {0x00563412, 0x00123456},
        {0xFF00FF00, 0xFF00FF00},
    };
    for (const ColorCase& c : cases)
    {
        EXPECT_EQ(CLVKMarkupGdiPlusDeviceContext::ToArgb(c.markup), c.argb) << std::hex << c.markup;
    }
}

TEST_F(MarkupGdiPlus, SmoothingModesSetTheirFourValues)
{
    using namespace Gdiplus;
    using namespace Gdiplus::DllExports;
    MarkupSurface surface(10, 10);
    CLVKMarkupDrawingContext dc(nullptr, surface.GetHdc());
    CLVKMarkupGdiPlusDeviceContext* const pDevice = GdiPlusDevice(dc);
    ASSERT_NE(pDevice, nullptr);
    GpGraphics* const pGraphics = pDevice->GetGraphics();

    struct ModeCase
    {
        int nMode;
        BOOL bTextSmoothing;
        int nSmoothing, nPixelOffset, nInterpolation, nTextHint;
    } const cases[] = {
        {1, FALSE, SmoothingModeNone, PixelOffsetModeNone, InterpolationModeLowQuality, 0},
        {2, TRUE, SmoothingModeHighSpeed, PixelOffsetModeHighSpeed, InterpolationModeLowQuality, 0},
        {3, FALSE, SmoothingModeHighQuality, PixelOffsetModeHighQuality, InterpolationModeHighQuality, 0},
        {3, TRUE, SmoothingModeHighQuality, PixelOffsetModeHighQuality, InterpolationModeHighQuality,
         TextRenderingHintAntiAlias},
        {4, TRUE, SmoothingModeAntiAlias, PixelOffsetModeHighQuality, InterpolationModeHighQualityBicubic,
         TextRenderingHintAntiAlias},
        {0, TRUE, SmoothingModeAntiAlias, PixelOffsetModeHighQuality, InterpolationModeHighQualityBicubic, 0},
    };
    int nPrevious = 0;
    for (const ModeCase& c : cases)
    {
        EXPECT_EQ(pDevice->SetSmoothingMode(c.nMode, c.bTextSmoothing), nPrevious) << c.nMode;
        nPrevious = c.nMode;
        EXPECT_EQ(pDevice->GetGdiPlusSmoothingMode(), c.nSmoothing) << c.nMode;
        EXPECT_EQ(pDevice->GetGdiPlusPixelOffsetMode(), c.nPixelOffset) << c.nMode;
        EXPECT_EQ(pDevice->GetGdiPlusInterpolationMode(), c.nInterpolation) << c.nMode;
        EXPECT_EQ(pDevice->GetGdiPlusTextRenderingHint(), c.nTextHint) << c.nMode;
        SmoothingMode smoothing = SmoothingModeInvalid;
        GdipGetSmoothingMode(pGraphics, &smoothing);
        EXPECT_EQ(smoothing, c.nSmoothing) << c.nMode << " on the graphics";
        TextRenderingHint hint = TextRenderingHintSystemDefault;
        GdipGetTextRenderingHint(pGraphics, &hint);
        EXPECT_EQ(hint, c.nTextHint) << c.nMode << " on the graphics";
    }
    // The same mode again applies nothing: a value changed behind the
    // device's back stays.
    GdipSetSmoothingMode(pGraphics, SmoothingModeNone);
    EXPECT_EQ(pDevice->SetSmoothingMode(0, TRUE), 0);
    SmoothingMode smoothing = SmoothingModeInvalid;
    GdipGetSmoothingMode(pGraphics, &smoothing);
    EXPECT_EQ(smoothing, SmoothingModeNone);
    // An unknown mode changes nothing and answers the current one.
    EXPECT_EQ(pDevice->SetSmoothingMode(9, TRUE), 0);
    EXPECT_EQ(pDevice->GetGdiPlusSmoothingMode(), SmoothingModeAntiAlias);
}

TEST_F(MarkupGdiPlus, FillsWithAlphaAndEllipseInsetByItsStroke)
{
    MarkupSurface surface(100, 40);
    CLVKMarkupDrawingContext dc(nullptr, surface.GetHdc());
    ASSERT_NE(GdiPlusDevice(dc), nullptr);
    CLVKMarkupAutoPtr<CLVKMarkupSolidColorBrush> pRed(new CLVKMarkupSolidColorBrush(kRed));
    CLVKMarkupAutoPtr<CLVKMarkupSolidColorBrush> pHalfBlue(new CLVKMarkupSolidColorBrush(0x80, kBlue));
    CLVKMarkupAutoPtr<CLVKMarkupSolidColorBrush> pBlue(new CLVKMarkupSolidColorBrush(kBlue));

    dc.FillRectangle(0, 0, 20, 20, pRed);
    // Alpha blends on GDI+ (GDI would paint it opaque).
    dc.FillRectangle(30, 0, 50, 20, pHalfBlue);
    // A 20 x 20 ellipse with a 4-pixel stroke: the outline is centred on the
    // circle of the inner 16 x 16 square, so it ends at the box.
    MarkupStrokeStyle stroke;
    stroke.nThickness = 4;
    stroke.pBrush = pBlue;
    dc.DrawEllipse(60, 0, 80, 20, &stroke, pRed);
    GdiFlush();

    EXPECT_EQ(surface.Pixel(0, 0), kRed);
    EXPECT_EQ(surface.Pixel(19, 19), kRed);
    EXPECT_EQ(surface.Pixel(20, 10), kWhite);
    const COLORREF clrBlend = surface.Pixel(40, 10);
    EXPECT_TRUE(ColorsNear(clrBlend, RGB(127, 127, 255), 3)) << Hex(clrBlend);
    EXPECT_EQ(surface.Pixel(70, 10), kRed);    // centre
    EXPECT_EQ(surface.Pixel(61, 10), kBlue);   // stroke at the left edge
    EXPECT_EQ(surface.Pixel(70, 1), kBlue);    // stroke at the top edge
    EXPECT_EQ(surface.Pixel(60, 0), kWhite);   // outside the circle
    EXPECT_EQ(surface.Pixel(81, 10), kWhite);  // beyond the box
}

TEST_F(MarkupGdiPlus, GradientRepeatsMirroredBeyondItsEnds)
{
    // Black to red over the first half of 100 pixels: GDI+ mirrors the ramp
    // in the second half, the GDI device holds the last colour.
    CLVKMarkupAutoPtr<CLVKMarkupLinearGradientBrush> pBrush(MakeGradient(0, 0, 0.5, 0, {{0, 0}, {kRed, 1}}));
    struct DeviceCase
    {
        const char* name;
        BOOL bGdiPlus;
        COLORREF at75;
    } const cases[] = {{"GDI+", TRUE, RGB(127, 0, 0)}, {"GDI", FALSE, kRed}};
    for (const DeviceCase& c : cases)
    {
        MarkupContextHolder context;
        context->EnableGdiPlus(c.bGdiPlus);
        MarkupSurface surface(100, 10);
        {
            CLVKMarkupDrawingContext dc(context.Get(), surface.GetHdc());
            dc.FillRectangle(0, 0, 100, 10, pBrush);
        }
        const COLORREF clrStart = surface.Pixel(0, 5), clrEnd = surface.Pixel(49, 5), clr75 = surface.Pixel(75, 5);
        EXPECT_TRUE(ColorsNear(clrStart, RGB(0, 0, 0), 8)) << c.name << " " << Hex(clrStart);
        EXPECT_TRUE(ColorsNear(clrEnd, kRed, 8)) << c.name << " " << Hex(clrEnd);
        EXPECT_TRUE(ColorsNear(clr75, c.at75, 12)) << c.name << " " << Hex(clr75);
    }
}

TEST_F(MarkupGdiPlus, DashesCapsAndJoinsOnBothDevices)
{
    // A dash array of one value: dash and gap alike, in stroke widths.
    struct DeviceCase
    {
        const char* name;
        BOOL bGdiPlus;
    } const cases[] = {{"GDI+", TRUE}, {"GDI", FALSE}};
    for (const DeviceCase& c : cases)
    {
        MarkupContextHolder context;
        context->EnableGdiPlus(c.bGdiPlus);
        std::wstring error;
        ElementHolder root(context.Parse(
            L"<Canvas><Line X1='0' Y1='5' X2='48' Y2='5' Stroke='Blue' StrokeThickness='2' StrokeDashArray='2'/>"
            L"<Line Canvas.Top='20' X1='10' Y1='5' X2='40' Y2='5' Stroke='Blue' StrokeThickness='8' "
            L"StrokeStartLineCap='Square' StrokeEndLineCap='Square'/></Canvas>",
            &error));
        ASSERT_TRUE(root) << error;
        MarkupSurface surface(60, 40);
        surface.Render(root.Get());
        // Dashes of 4 pixels and gaps of 4: ink at 1 and 9, none at 5 and 13.
        for (const int x : {1, 9, 17})
        {
            EXPECT_EQ(surface.Pixel(x, 5), kBlue) << c.name << " dash at " << x;
        }
        for (const int x : {5, 13, 21})
        {
            EXPECT_EQ(surface.Pixel(x, 5), kWhite) << c.name << " gap at " << x;
        }
        // A square cap reaches half the stroke beyond each end.
        EXPECT_EQ(surface.Pixel(7, 25), kBlue) << c.name << " square start cap";
        EXPECT_EQ(surface.Pixel(43, 25), kBlue) << c.name << " square end cap";
        EXPECT_EQ(surface.Pixel(47, 25), kWhite) << c.name;
    }
}

TEST_F(MarkupGdiPlus, TextMeasuresTrailingBlankAndDrawsInk)
{
    MarkupSurface surface(100, 30);
    CLVKMarkupDrawingContext dc(nullptr, surface.GetHdc());
    CLVKMarkupGdiPlusDeviceContext* const pDevice = GdiPlusDevice(dc);
    ASSERT_NE(pDevice, nullptr);
    const SIZE plain = pDevice->MeasureString(L"HH", 2);
    const SIZE blank = pDevice->MeasureString(L"HH ", 3);
    EXPECT_GT(plain.cx, 0);
    EXPECT_GT(plain.cy, 0);
    EXPECT_GT(blank.cx, plain.cx) << "the trailing blank counts when measuring";
    EXPECT_EQ(pDevice->MeasureString(L"", 0).cx, 0);

    CLVKMarkupAutoPtr<CLVKMarkupSolidColorBrush> pBlack(new CLVKMarkupSolidColorBrush(RGB(0, 0, 0)));
    pDevice->SetTextBrush(pBlack);
    pDevice->DrawString(L"HH ", 3, RECT{10, 5, 90, 25});
    GdiFlush();
    int nInk = 0;
    for (int y = 0; y < 30; ++y)
    {
        for (int x = 0; x < 100; ++x)
        {
            if (surface.Pixel(x, y) != kWhite)
            {
                ++nInk;
                EXPECT_TRUE(x >= 10 && x < 90 && y >= 5 && y < 25) << "ink outside the text box at " << x << "," << y;
            }
        }
    }
    EXPECT_GT(nInk, 0);
}

TEST_F(MarkupGdiPlus, EmptyTextReadsNothingBeforeIt)
{
    // The text pointer is the first byte after a page that cannot be read:
    // looking for a trailing blank of an empty text would fault.
    SYSTEM_INFO info = {};
    GetSystemInfo(&info);
    BYTE* const pPages =
        static_cast<BYTE*>(VirtualAlloc(nullptr, info.dwPageSize * 2, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(pPages, nullptr);
    DWORD nOld = 0;
    ASSERT_TRUE(VirtualProtect(pPages, info.dwPageSize, PAGE_NOACCESS, &nOld));
    auto* const pText = reinterpret_cast<LPCWSTR>(pPages + info.dwPageSize);
    MarkupSurface surface(20, 20);
    {
        CLVKMarkupDrawingContext dc(nullptr, surface.GetHdc());
        CLVKMarkupGdiPlusDeviceContext* const pDevice = GdiPlusDevice(dc);
        ASSERT_NE(pDevice, nullptr);
        pDevice->DrawString(pText, 0, RECT{0, 0, 20, 20});
        EXPECT_EQ(pDevice->MeasureString(pText, 0).cx, 0);
    }
    VirtualFree(pPages, 0, MEM_RELEASE);
}

TEST_F(MarkupGdiPlus, TransformsDrawAndHitThroughTheWorldTransform)
{
    MarkupContextHolder context;
    // Rotated by 90 degrees about its top-left corner (50, 10): it covers
    // x 30..50 and y 10..50.
    ElementHolder rotated(context.Parse(
        L"<Border Width='40' Height='20' HorizontalAlignment='Left' VerticalAlignment='Top' Margin='50,10,0,0' "
        L"Background='Red'><Border.RenderTransform><RenderTransform><RotateTransform Angle='90'/>"
        L"</RenderTransform></Border.RenderTransform></Border>"));
    ASSERT_TRUE(rotated);
    MarkupSurface surface(100, 100);
    surface.Render(rotated.Get());
    EXPECT_EQ(surface.Pixel(40, 30), kRed);
    EXPECT_EQ(surface.Pixel(70, 20), kWhite);
    EXPECT_EQ(rotated->InputHitTest(40, 30), rotated.Get());
    EXPECT_EQ(rotated->InputHitTest(70, 20), nullptr);

    // Scale 2 about (10, 10) (scaled back round the centre): (5, 5) goes to
    // (0, 0) and (15, 15) to (20, 20).
    ElementHolder scaled(context.Parse(
        L"<Border Width='10' Height='10' HorizontalAlignment='Left' VerticalAlignment='Top' Margin='5,5,0,0' "
        L"Background='Blue'><Border.RenderTransform><RenderTransform><ScaleTransform ScaleX='2' ScaleY='2' "
        L"CenterX='5' CenterY='5'/></RenderTransform></Border.RenderTransform></Border>"));
    ASSERT_TRUE(scaled);
    MarkupSurface scaledSurface(40, 40);
    scaledSurface.Render(scaled.Get());
    EXPECT_EQ(scaledSurface.Pixel(1, 1), kBlue);
    EXPECT_EQ(scaledSurface.Pixel(18, 18), kBlue);
    EXPECT_EQ(scaledSurface.Pixel(22, 22), kWhite);

    // Only ScaleX set: y is scaled by 0 and the element disappears.
    ElementHolder flat(
        context.Parse(L"<Border Width='10' Height='10' Background='Blue'><Border.RenderTransform><RenderTransform>"
                      L"<ScaleTransform ScaleX='2'/></RenderTransform></Border.RenderTransform></Border>"));
    ASSERT_TRUE(flat);
    MarkupSurface flatSurface(20, 20);
    flatSurface.Render(flat.Get());
    for (const POINT pt : {POINT{0, 0}, POINT{5, 5}, POINT{10, 10}})
    {
        EXPECT_EQ(flatSurface.Pixel(pt.x, pt.y), kWhite) << pt.x << "," << pt.y;
    }
}

TEST_F(MarkupGdiPlus, PicturesDrawAtTheirPlace)
{
    // The picture is drawn by GDI on the graphics object's DC, which follows
    // the origin of the element.
    MarkupContextHolder context;
    ElementHolder root(context.Parse(
        L"<Border Padding='10,5,0,0' HorizontalAlignment='Left' VerticalAlignment='Top'><Image "
        L"Source='file://MarkupFixtures\\red-alpha.png' Stretch='Fill' Width='80' Height='20'/></Border>"));
    ASSERT_TRUE(root);
    MarkupSurface surface(100, 40);
    surface.Render(root.Get());
    EXPECT_EQ(surface.Pixel(9, 10), kWhite);
    EXPECT_EQ(surface.Pixel(10, 5), kRed);
    EXPECT_EQ(surface.Pixel(68, 24), kRed);
    EXPECT_EQ(surface.Pixel(72, 10), kWhite);
}
