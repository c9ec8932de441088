// Path data: bounds, stretched copies and the element form of a geometry,
// which parses and draws nothing.
#include "MarkupTestSupport.h"

#include "Markup/MarkupPathData.h"
#include "Markup/MarkupPathGeometry.h"

TEST(MarkupPathGeometry, BoundsTakeWholePixelsOutwards)
{
    MarkupRegisterAllTypes();
    struct BoundsCase
    {
        const char* name;
        std::vector<MARKUP_POINTF> points;
        RECT bounds;
    } const cases[] = {
        {"fractions", {{0.5f, 0.5f}, {10.2f, 3.0f}}, {0, 0, 11, 3}},
        {"negative fractions", {{-0.5f, -2.2f}, {4.0f, 1.5f}}, {-1, -3, 4, 2}},
        {"one point", {{7.0f, 8.0f}}, {7, 8, 7, 8}},
        {"no points", {}, {0, 0, 0, 0}},
    };
    for (const BoundsCase& c : cases)
    {
        const std::vector<BYTE> types(c.points.size(), 1);
        CLVKMarkupAutoPtr<CLVKMarkupPathData> pPath(
            new CLVKMarkupPathData(c.points.data(), types.data(), static_cast<int>(c.points.size())));
        const RECT rc = pPath->GetBounds();
        EXPECT_TRUE(EqualRect(&rc, &c.bounds))
            << c.name << ": " << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
    }
}

TEST(MarkupPathGeometry, StretchedCopyMapsBoundsIntoTheSizeAndKeepsTypes)
{
    MarkupRegisterAllTypes();
    const MARKUP_POINTF points[] = {{10, 10}, {15, 15}, {20, 20}};
    const BYTE types[] = {0, 1, 0x81};
    CLVKMarkupAutoPtr<CLVKMarkupPathData> pPath(new CLVKMarkupPathData(points, types, 3));
    pPath->SetPixelOffsetMode(4);
    pPath->SetFigureFlags(2);
    CLVKMarkupAutoPtr<CLVKMarkupPathData> pStretched(pPath->CreateStretched(100, 50));
    ASSERT_EQ(pStretched->GetCount(), 3);
    EXPECT_EQ(pStretched->GetPoints()[1].x, 50.0f);
    EXPECT_EQ(pStretched->GetPoints()[1].y, 25.0f);
    EXPECT_EQ(pStretched->GetPoints()[2].x, 100.0f);
    EXPECT_EQ(pStretched->GetTypes()[2], 0x81);
    EXPECT_EQ(pStretched->GetPixelOffsetMode(), 4);
    EXPECT_EQ(pStretched->GetFigureFlags(), 2);
    const RECT rc = pStretched->GetBounds();
    const RECT expected = {0, 0, 100, 50};
    EXPECT_TRUE(EqualRect(&rc, &expected));
}

TEST(MarkupPathGeometry, ElementFormParsesAndDrawsNothing)
{
    MarkupContextHolder context;
    std::wstring error;
    ElementHolder root(context.Parse(L"<Path Stroke='Red' StrokeThickness='4' Fill='Red'><Path.Data><Data>"
                                     L"<PathGeometry><Figures/></PathGeometry></Data></Path.Data></Path>",
                                     &error));
    ASSERT_TRUE(root) << error;
    MarkupSurface surface(20, 20);
    surface.Render(root.Get());
    for (const POINT pt : {POINT{0, 0}, POINT{10, 10}, POINT{19, 19}})
    {
        EXPECT_EQ(surface.Pixel(pt.x, pt.y), RGB(255, 255, 255)) << pt.x << "," << pt.y;
    }
    // The text form beside it still draws.
    ElementHolder drawn(context.Parse(L"<Path Fill='Red' Data='M 0 0 h 10 v 10 h -10 z'/>"));
    ASSERT_TRUE(drawn);
    surface.Render(drawn.Get());
    EXPECT_EQ(surface.Pixel(5, 5), RGB(255, 0, 0));

    // Only a geometry goes into a path data, only figures into a geometry.
    EXPECT_NE(context.ErrorOf(L"<Path><Path.Data><Data><Border/></Data></Path.Data></Path>"), L"Done.");
    EXPECT_NE(context.ErrorOf(L"<Path><Path.Data><Data><PathGeometry><Border/></PathGeometry></Data></Path.Data>"
                              L"</Path>"),
              L"Done.");
    EXPECT_NE(context.ErrorOf(L"<Path><Path.Data><Data><PathGeometry><Figures><Figures/></Figures></PathGeometry>"
                              L"</Data></Path.Data></Path>"),
              L"Done.");
}
