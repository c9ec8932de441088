// Shapes drawn through the GDI device and read back exactly, their measured
// sizes, stretching and hit testing; the text forms of point lists and grid
// lengths.
#include "MarkupFixtureCases.h"
#include "MarkupTestSupport.h"

#include "Markup/MarkupGrid.h"
#include "Markup/MarkupLine.h"
#include "Markup/MarkupPanel.h"
#include "Markup/MarkupUIElementCollection.h"

namespace
{

CLVKMarkupUIElement* FirstChild(const ElementHolder& root)
{
    auto* const pPanel = MarkupCast<CLVKMarkupPanel>(root.Get());
    return pPanel ? pPanel->GetChildren()->GetElement(0) : nullptr;
}

}  // namespace

TEST(MarkupShapes, FixtureDrawsToExactPixels)
{
    ExpectMarkupFixturePixels(MarkupShapeFixtureCases(), false);
}

TEST(MarkupShapes, MeasuredSizes)
{
    struct SizeCase
    {
        const wchar_t* shape;
        int width, height;
    } const cases[] = {
        // A flat line gets half its stroke (rounded up) across it.
        {L"<Line X1='0' Y1='5' X2='100' Y2='5' Stroke='Black' StrokeThickness='3'/>", 100, 7},
        {L"<Line X1='0' Y1='5' X2='100' Y2='5'/>", 100, 5},
        {L"<Line X1='10' Y1='0' X2='10' Y2='40' Stroke='Black' StrokeThickness='4'/>", 12, 40},
        // So does a polyline whose points lie on one line.
        {L"<Polyline Points='0,0 50,0 80,0' Stroke='Black' StrokeThickness='5'/>", 80, 3},
        // Bounds measured from the origin, or their extent when larger.
        {L"<Polygon Points='10,20 30,60' Fill='Red'/>", 30, 60},
        {L"<Polygon Points='-50,-10 -20,-5' Fill='Red'/>", 30, 5},
        {L"<Path Data='M 10,10 L 40,30'/>", 40, 30},
        {L"<Path/>", 0, 0},
        // Rectangles and ellipses take their size from Width and Height.
        {L"<Rectangle Fill='Red'/>", 0, 0},
        {L"<Ellipse Width='30' Height='20' Fill='Red'/>", 30, 20},
    };
    for (const SizeCase& c : cases)
    {
        MarkupContextHolder context;
        std::wstring error;
        ElementHolder root(context.Parse(std::wstring(L"<Canvas>") + c.shape + L"</Canvas>", &error));
        ASSERT_TRUE(root) << error;
        MarkupSurface surface(200, 200);
        surface.Render(root.Get());
        const SIZE sz = FirstChild(root)->GetDesiredSize();
        EXPECT_EQ(sz.cx, c.width) << c.shape;
        EXPECT_EQ(sz.cy, c.height) << c.shape;
    }
}

TEST(MarkupShapes, StretchedLineRunsFromTheFarEdge)
{
    MarkupContextHolder context;
    ElementHolder root(context.Parse(L"<Canvas><Line Width='60' Height='40' Stretch='Fill' X1='30' Y1='7' X2='10' "
                                     L"Y2='7' Stroke='Black' StrokeThickness='2'/></Canvas>"));
    ASSERT_TRUE(root);
    MarkupSurface surface(100, 100);
    surface.Render(root.Get());
    auto* const pLine = MarkupCast<CLVKMarkupLine>(FirstChild(root));
    ASSERT_TRUE(pLine);
    POINT pt1 = {}, pt2 = {};
    pLine->GetEndPoints(pt1, pt2);
    // X1 > X2: from the right edge to 0; equal Y values meet in the middle.
    EXPECT_EQ(pt1.x, 60);
    EXPECT_EQ(pt2.x, 0);
    EXPECT_EQ(pt1.y, 20);
    EXPECT_EQ(pt2.y, 20);
    EXPECT_EQ(surface.Pixel(30, 20), RGB(0, 0, 0));
}

TEST(MarkupShapes, WhatIsDrawnWithoutStrokeOrFill)
{
    MarkupContextHolder context;
    std::wstring error;
    // Nothing without stroke and fill (a line needs a stroke); a radius
    // with a zero partner leaves square corners.
    ElementHolder root(context.Parse(
        L"<Canvas><Rectangle Width='40' Height='40'/><Ellipse Canvas.Left='50' Width='40' Height='40'/>"
        L"<Line Canvas.Top='50' X1='0' Y1='5' X2='90' Y2='5' StrokeThickness='5'/>"
        L"<Rectangle Canvas.Top='60' Width='12' Height='12' RadiusX='10' Stroke='Blue' StrokeThickness='2'/>"
        L"</Canvas>",
        &error));
    ASSERT_TRUE(root) << error;
    MarkupSurface surface(100, 100);
    surface.Render(root.Get());
    EXPECT_EQ(surface.Pixel(20, 20), RGB(255, 255, 255));
    EXPECT_EQ(surface.Pixel(70, 20), RGB(255, 255, 255));
    EXPECT_EQ(surface.Pixel(40, 55), RGB(255, 255, 255));
    EXPECT_EQ(surface.Pixel(0, 60), RGB(0, 0, 255));
    EXPECT_EQ(surface.Pixel(11, 71), RGB(0, 0, 255));
    EXPECT_EQ(surface.Pixel(6, 66), RGB(255, 255, 255));
}

TEST(MarkupShapes, HitTests)
{
    MarkupContextHolder context;
    std::wstring error;
    ElementHolder root(context.Parse(
        L"<Canvas><Ellipse Canvas.Left='10' Canvas.Top='10' Width='40' Height='40' Fill='Red'/>"
        // One pixel wide: a zero half-axis must not be divided by.
        L"<Ellipse Canvas.Left='70' Canvas.Top='10' Width='1' Height='20' Fill='Red'/>"
        L"<Ellipse Canvas.Left='80' Canvas.Top='10' Width='20' Height='1' Fill='Red'/>"
        L"<Line Canvas.Top='60' X1='0' Y1='0' X2='40' Y2='40' Stroke='Black' StrokeThickness='4'/>"
        L"<Line Canvas.Left='60' Canvas.Top='60' X1='0' Y1='0' X2='0' Y2='30' Stroke='Black' StrokeThickness='4'/>"
        L"</Canvas>",
        &error));
    ASSERT_TRUE(root) << error;
    MarkupSurface surface(120, 120);
    surface.Render(root.Get());
    auto* const pPanel = MarkupCast<CLVKMarkupPanel>(root.Get());
    CLVKMarkupUIElement* const pEllipse = pPanel->GetChildren()->GetElement(0);
    CLVKMarkupUIElement* const pThin = pPanel->GetChildren()->GetElement(1);
    CLVKMarkupUIElement* const pFlat = pPanel->GetChildren()->GetElement(2);
    CLVKMarkupUIElement* const pDiagonal = pPanel->GetChildren()->GetElement(3);
    CLVKMarkupUIElement* const pVertical = pPanel->GetChildren()->GetElement(4);
    EXPECT_EQ(root->InputHitTest(30, 30), pEllipse);
    EXPECT_EQ(root->InputHitTest(12, 12), nullptr);  // a corner outside the ellipse
    EXPECT_EQ(root->InputHitTest(70, 20), pThin);
    EXPECT_EQ(root->InputHitTest(90, 10), pFlat);
    EXPECT_EQ(root->InputHitTest(20, 80), pDiagonal);  // on the line
    EXPECT_EQ(root->InputHitTest(21, 81), pDiagonal);  // within half the stroke
    EXPECT_EQ(root->InputHitTest(30, 70), nullptr);    // beside it
    EXPECT_EQ(root->InputHitTest(61, 75), pVertical);
    EXPECT_EQ(root->InputHitTest(63, 75), nullptr);
}

TEST(MarkupShapes, TextFormsOfPointsAndGridLengths)
{
    MarkupContextHolder context;
    struct TextCase
    {
        const wchar_t* markup;
        bool builds;
    } const cases[] = {
        {L"<Polyline Points='0,0 10,5  20,-5'/>", true},
        {L"<Polyline Points=''/>", true},
        {L"<Polyline Points='1,2 3'/>", false},
        {L"<Polyline Points='1;2'/>", false},
        {L"<Polyline Points='1.5,2'/>", false},
        {L"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width='auto'/><ColumnDefinition Width='*'/>"
         L"<ColumnDefinition Width='2.5*'/><ColumnDefinition Width=' 40 '/></Grid.ColumnDefinitions></Grid>",
         true},
        {L"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width='40px'/></Grid.ColumnDefinitions></Grid>", false},
        {L"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width='*2'/></Grid.ColumnDefinitions></Grid>", false},
        {L"<Grid><Grid.RowDefinitions><RowDefinition Height=''/></Grid.RowDefinitions></Grid>", false},
    };
    for (const TextCase& c : cases)
    {
        const std::wstring error = context.ErrorOf(c.markup);
        EXPECT_EQ(error == L"Done.", c.builds) << c.markup << ": " << error;
    }
    // The definition collections accept nothing else.
    EXPECT_NE(context.ErrorOf(L"<Grid><Grid.ColumnDefinitions>text</Grid.ColumnDefinitions></Grid>")
                  .find(L"CLVKMarkupColumnDefinitionCollection class expected"),
              std::wstring::npos);
    EXPECT_NE(context.ErrorOf(L"<Grid><Grid.RowDefinitions><ColumnDefinition/></Grid.RowDefinitions></Grid>"),
              L"Done.");
}
