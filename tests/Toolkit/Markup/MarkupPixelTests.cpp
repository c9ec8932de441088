// Pixels drawn through the GDI drawing device into a 32-bit bitmap, read
// back exactly.
#include "MarkupTestSupport.h"

#include "Markup/MarkupColor.h"
#include "Markup/MarkupDeviceContext.h"
#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupGradientStops.h"
#include "Markup/MarkupLinearGradientBrush.h"
#include "Markup/MarkupPathGeometryBuilder.h"
#include "Markup/MarkupRenderTransform.h"
#include "Markup/MarkupTransformationMatrix.h"
#include "Markup/MarkupSolidColorBrush.h"
#include "Markup/MarkupThickness.h"

namespace
{

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 128, 0);

struct Probe
{
    int x, y;
    COLORREF color;
};

void ExpectPixels(const MarkupSurface& surface, const std::vector<Probe>& probes, const wchar_t* name)
{
    for (const Probe& p : probes)
    {
        EXPECT_EQ(surface.Pixel(p.x, p.y), p.color) << name << " at " << p.x << "," << p.y;
    }
}

}  // namespace

TEST(MarkupPixels, MarkupDrawsWhereLayoutPutsIt)
{
    struct PixelCase
    {
        const wchar_t* name;
        const wchar_t* markup;
        std::vector<Probe> probes;
    } const cases[] = {
        {L"border with margin and frame",
         L"<Border Margin='10,20,30,40' Background='Red' BorderBrush='Blue' BorderThickness='2'/>",
         {{9, 25, kWhite},
          {10, 25, kBlue},
          {11, 25, kBlue},
          {12, 25, kRed},
          {67, 57, kRed},
          {69, 59, kBlue},
          {70, 59, kWhite},
          {15, 19, kWhite},
          {15, 20, kBlue},
          {15, 22, kRed},
          {15, 57, kRed},
          {15, 59, kBlue},
          {15, 60, kWhite},
          {68, 30, kBlue}}},
        {L"nested borders with padding",
         L"<Border Background='Blue' Padding='5'><Border Background='Red'/></Border>",
         {{4, 4, kBlue}, {5, 5, kRed}, {94, 94, kRed}, {95, 95, kBlue}}},
        {L"rounded border keeps its corners free",
         L"<Border Background='Red' CornerRadius='20'/>",
         {{1, 1, kWhite},
          {98, 1, kWhite},
          {1, 98, kWhite},
          {98, 98, kWhite},
          {50, 1, kRed},
          {1, 50, kRed},
          {50, 50, kRed},
          {20, 20, kRed}}},
        {L"collapsed and hidden draw nothing",
         L"<UniformGrid Columns='2'><Border Background='Red' Visibility='Hidden'/><Border Background='Blue' "
         L"Visibility='Collapsed'/><Border Background='Green'/></UniformGrid>",
         {{25, 25, kWhite}, {75, 25, kGreen}}},
        {L"clipped child",
         L"<Border Width='20' Height='20' HorizontalAlignment='Left' VerticalAlignment='Top' ClipToBounds='True'>"
         L"<Border Width='60' Height='60' HorizontalAlignment='Left' VerticalAlignment='Top' Background='Red'/>"
         L"</Border>",
         {{10, 10, kRed}, {19, 19, kRed}, {20, 10, kWhite}, {10, 20, kWhite}, {40, 40, kWhite}}},
        {L"rotated element",
         L"<Border Width='40' Height='20' HorizontalAlignment='Left' VerticalAlignment='Top' Margin='50,10,0,0' "
         L"Background='Red'><Border.RenderTransform><RenderTransform><RotateTransform Angle='90'/>"
         L"</RenderTransform></Border.RenderTransform></Border>",
         // (x, y) of the element goes to (-y, x): the 40 x 20 bar stands 20 wide and 40 high left of x = 50.
         {{40, 30, kRed}, {35, 45, kRed}, {55, 15, kWhite}, {70, 20, kWhite}, {40, 55, kWhite}}},
        {L"scaled element about its centre",
         L"<Border Width='20' Height='20' HorizontalAlignment='Left' VerticalAlignment='Top' Margin='40,40,0,0' "
         L"Background='Red'><Border.RenderTransform><RenderTransform><ScaleTransform ScaleX='2' ScaleY='2' "
         L"CenterX='10' CenterY='10'/></RenderTransform></Border.RenderTransform></Border>",
         {{32, 32, kRed}, {67, 67, kRed}, {28, 28, kWhite}, {72, 72, kWhite}, {50, 50, kRed}}},
    };
    for (const auto& c : cases)
    {
        MarkupContextHolder context;
        std::wstring error;
        ElementHolder root(context.Parse(c.markup, &error));
        ASSERT_TRUE(root) << c.name << ": " << error;
        MarkupSurface surface(100, 100);
        surface.Render(root.Get());
        ExpectPixels(surface, c.probes, c.name);
    }
}

TEST(MarkupPixels, RotatedElementIsHitWhereItIsDrawn)
{
    MarkupContextHolder context;
    ElementHolder root(context.Parse(
        L"<Border Width='40' Height='20' HorizontalAlignment='Left' VerticalAlignment='Top' Margin='50,10,0,0' "
        L"Background='Red'><Border.RenderTransform><RenderTransform><RotateTransform Angle='90'/>"
        L"</RenderTransform></Border.RenderTransform></Border>"));
    ASSERT_TRUE(root);
    MarkupSurface surface(100, 100);
    surface.Render(root.Get());
    EXPECT_EQ(root->InputHitTest(40, 30), root.Get());
    EXPECT_EQ(root->InputHitTest(70, 20), nullptr);
}

TEST(MarkupPixels, DeviceFillsStrokesAndGradients)
{
    MarkupRegisterAllTypes();
    MarkupSurface surface(100, 100);
    CLVKMarkupDrawingContext dc(nullptr, surface.GetHdc());
    CLVKMarkupAutoPtr<CLVKMarkupSolidColorBrush> pRed(new CLVKMarkupSolidColorBrush(kRed));
    CLVKMarkupAutoPtr<CLVKMarkupSolidColorBrush> pBlue(new CLVKMarkupSolidColorBrush(0x80, kBlue));

    // A half-transparent solid brush fills opaquely on GDI.
    dc.FillRectangle(0, 0, 10, 10, pBlue);
    // A frame of (2, 0, 2, 0) paints two vertical strips only.
    CLVKMarkupAutoPtr<CLVKMarkupThickness> pStrips(new CLVKMarkupThickness(2, 0, 2, 0));
    dc.DrawRectangle(20, 0, 40, 10, pRed, pStrips);
    // A filled path square.
    CLVKMarkupPathGeometryBuilder builder;
    builder.Parse(nullptr, L"M 50 0 h 10 v 10 h -10 z", -1);
    CLVKMarkupAutoPtr<CLVKMarkupPathData> pSquare(builder.CreatePathData());
    dc.DrawPath(pSquare, nullptr, pRed);
    // A stroked line.
    MarkupStrokeStyle stroke;
    stroke.nThickness = 1;
    stroke.pBrush = pBlue;
    dc.DrawLine(70, 5, 90, 5, &stroke);
    // A path whose last curve lacks its followers draws what is complete.
    const MARKUP_POINTF points[] = {{0, 20}, {10, 20}, {10, 30}};
    const BYTE types[] = {0, 1, 3};
    CLVKMarkupAutoPtr<CLVKMarkupPathData> pBroken(new CLVKMarkupPathData(points, types, 3));
    dc.DrawPath(pBroken, &stroke, nullptr);
    GdiFlush();

    EXPECT_EQ(surface.Pixel(5, 5), kBlue);
    EXPECT_EQ(surface.Pixel(20, 5), kRed);
    EXPECT_EQ(surface.Pixel(21, 5), kRed);
    EXPECT_EQ(surface.Pixel(22, 5), kWhite);
    EXPECT_EQ(surface.Pixel(30, 0), kWhite);
    EXPECT_EQ(surface.Pixel(37, 5), kWhite);
    EXPECT_EQ(surface.Pixel(38, 5), kRed);
    EXPECT_EQ(surface.Pixel(39, 9), kRed);
    EXPECT_EQ(surface.Pixel(55, 5), kRed);
    EXPECT_EQ(surface.Pixel(49, 5), kWhite);
    EXPECT_EQ(surface.Pixel(61, 5), kWhite);
    EXPECT_EQ(surface.Pixel(80, 5), kBlue);
    EXPECT_EQ(surface.Pixel(80, 6), kWhite);
    EXPECT_EQ(surface.Pixel(5, 20), kBlue);
}

TEST(MarkupPixels, LinearGradients)
{
    MarkupContextHolder context;
    std::wstring error;
    ElementHolder root(
        context.Parse(L"<UniformGrid Columns='3'>"
                      L"<Border><Border.Background><LinearGradientBrush StartPoint='0,0' EndPoint='1,0'>"
                      L"<GradientStop Color='#000000' Offset='0'/><GradientStop Color='#FF0000' Offset='1'/>"
                      L"</LinearGradientBrush></Border.Background></Border>"
                      L"<Border><Border.Background><LinearGradientBrush StartPoint='0,0' EndPoint='0,1'>"
                      L"<GradientStop Color='#0000FF' Offset='0.5'/><GradientStop Color='#00FF00' Offset='0.5'/>"
                      L"</LinearGradientBrush></Border.Background></Border>"
                      L"<Border><Border.Background><LinearGradientBrush StartPoint='0.5,0.5' EndPoint='0.5,0.5'>"
                      L"<GradientStop Color='Red' Offset='0'/><GradientStop Color='Blue' Offset='1'/>"
                      L"</LinearGradientBrush></Border.Background></Border>"
                      L"</UniformGrid>",
                      &error));
    ASSERT_TRUE(root) << error;
    MarkupSurface surface(300, 100);
    surface.Render(root.Get());
    // Horizontal: red grows from left to right.
    EXPECT_EQ(surface.Pixel(0, 50), RGB(0, 0, 0));
    EXPECT_EQ(surface.Pixel(50, 10), RGB(127, 0, 0));
    EXPECT_EQ(surface.Pixel(50, 90), RGB(127, 0, 0));
    EXPECT_EQ(surface.Pixel(99, 50), RGB(252, 0, 0));
    // Stops sharing one offset: the first colour up to it, the last beyond.
    EXPECT_EQ(surface.Pixel(150, 10), RGB(0, 0, 255));
    EXPECT_EQ(surface.Pixel(150, 90), RGB(0, 255, 0));
    // Start equal to end draws nothing.
    EXPECT_EQ(surface.Pixel(250, 50), kWhite);
}

TEST(MarkupPixels, ClippedGradientComputesOnlyTheVisiblePart)
{
    MarkupRegisterAllTypes();
    MarkupSurface surface(100, 100);
    HRGN hClip = CreateRectRgn(10, 10, 20, 20);
    SelectClipRgn(surface.GetHdc(), hClip);
    DeleteObject(hClip);
    CLVKMarkupDrawingContext dc(nullptr, surface.GetHdc());
    CLVKMarkupAutoPtr<CLVKMarkupLinearGradientBrush> pBrush(new CLVKMarkupLinearGradientBrush());
    for (const DWORD color : {0xFF0000FFu, 0xFF0000FFu})
    {
        auto* const pStop = new CLVKMarkupGradientStop();
        pStop->SetValue(CLVKMarkupGradientStop::m_pColorProperty, new CLVKMarkupColor(0xFF, color & 0xFFFFFF));
        pBrush->GetGradientStops()->Add(pStop);
    }
    // A huge rectangle: only the 10 x 10 visible part gets a bitmap.
    dc.FillRectangle(-100000, -100000, 100000, 100000, pBrush);
    GdiFlush();
    EXPECT_EQ(surface.Pixel(15, 15), kRed);
    EXPECT_EQ(surface.Pixel(25, 25), kWhite);
}

TEST(MarkupPixels, DrawTextWithCalcRectDrawsNothing)
{
    MarkupContextHolder context;
    MarkupSurface surface(100, 100);
    RECT rc = {10, 10, 90, 90};
    MarkupDrawText(context.Get(), surface.GetHdc(), L"<Border Width='30' Height='20' Background='Red'/>", &rc,
                   DT_CALCRECT);
    EXPECT_EQ(rc.right - rc.left, 30);
    EXPECT_EQ(rc.bottom - rc.top, 20);
    EXPECT_EQ(surface.Pixel(15, 15), kWhite);
    RECT rcDraw = {10, 10, 90, 90};
    MarkupDrawText(context.Get(), surface.GetHdc(), L"<Border Width='30' Height='20' Background='Red'/>", &rcDraw,
                   DT_CENTER | DT_VCENTER);
    EXPECT_EQ(surface.Pixel(50, 50), kRed);
    EXPECT_EQ(surface.Pixel(30, 50), kWhite);
}

TEST(MarkupTransforms, MatricesOfTheTransforms)
{
    // Scale 2 about (10, 10) keeps (10, 10) and maps (0, 0) to (-10, -10).
    CLVKMarkupTransformationMatrix scale;
    scale.Translate(10, 10);
    scale.Scale(2, 2);
    scale.Translate(-10, -10);
    EXPECT_EQ(scale.TransformPoint(10, 10).x, 10);
    EXPECT_EQ(scale.TransformPoint(0, 0).x, -10);
    EXPECT_EQ(scale.TransformPoint(20, 20).y, 30);
    // A rotation of 90 degrees about (5, 5) keeps (5, 5).
    CLVKMarkupTransformationMatrix rotate;
    rotate.Translate(5, 5);
    rotate.Rotate(90);
    rotate.Translate(-5, -5);
    EXPECT_EQ(rotate.TransformPoint(5, 5).x, 5);
    EXPECT_EQ(rotate.TransformPoint(5, 5).y, 5);
    EXPECT_EQ(rotate.TransformPoint(10, 5).y, 10);
}

TEST(MarkupTransforms, SkewUsesTheTangentOfItsAngle)
{
    MarkupContextHolder context;
    struct SkewCase
    {
        const wchar_t* angle;
        int x;  // where the element's point (0, 100) goes
    } const cases[] = {{L"45", 100}, {L"30", 58}, {L"0", 0}};
    for (const auto& c : cases)
    {
        ElementHolder root(context.Parse(std::wstring(L"<Border Background='Red' Width='10' Height='10' "
                                                      L"HorizontalAlignment='Left' VerticalAlignment='Top'>"
                                                      L"<Border.RenderTransform><RenderTransform><SkewTransform "
                                                      L"AngleX='") +
                                         c.angle + L"'/></RenderTransform></Border.RenderTransform></Border>"));
        ASSERT_TRUE(root);
        MarkupSurface surface(20, 20);
        surface.Render(root.Get());
        CLVKMarkupTransformationMatrix* const pMatrix = root->GetAbsoluteTransform();
        ASSERT_NE(pMatrix, nullptr) << c.angle;
        EXPECT_EQ(pMatrix->TransformPoint(0, 100).x, c.x) << c.angle;
        delete pMatrix;
    }
}
