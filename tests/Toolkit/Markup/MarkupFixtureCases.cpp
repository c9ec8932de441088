#include "MarkupFixtureCases.h"

#include "MarkupTestSupport.h"

namespace
{

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 128, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kGreen0 = RGB(0, 255, 0);
const COLORREF kJpegRed = RGB(254, 0, 0);

}  // namespace

const std::vector<MarkupFixtureCase>& MarkupPanelFixtureCases()
{
    static const std::vector<MarkupFixtureCase> cases = {
        // Vertical: red 0-29 and blue 30-49 across the whole width; the
        // horizontal stack below holds green 0-29 and red 30-79, 40 high.
        {L"stack-panel.xml",
         200,
         200,
         {{0, 0, kRed},
          {199, 29, kRed},
          {199, 30, kBlue},
          {0, 49, kBlue},
          {0, 50, kGreen},
          {29, 89, kGreen},
          {30, 50, kRed},
          {79, 89, kRed},
          {80, 50, kWhite},
          {150, 70, kWhite},
          {10, 90, kWhite}}},
        // Top strip 20 high; left strip 30 wide below it; bottom strip 40
        // high right of that; right strip 50 wide between them; the last
        // child fills (30, 20)-(150, 160).
        {L"dock-panel.xml",
         200,
         200,
         {{0, 0, kRed},
          {199, 19, kRed},
          {0, 20, kBlue},
          {29, 199, kBlue},
          {30, 160, kGreen},
          {199, 199, kGreen},
          {150, 20, kYellow},
          {199, 159, kYellow},
          {30, 20, kBlack},
          {149, 159, kBlack}}},
        // Line 1 (50 thick): red 80 x 30 centred in its 50, blue 80 x 50.
        // Line 2 at 50 (20 thick): green. Line 3 at 70: the too-long black
        // child alone. Line 4 at 80: yellow.
        {L"wrap-panel.xml",
         200,
         200,
         {{0, 9, kWhite},
          {0, 10, kRed},
          {79, 39, kRed},
          {0, 40, kWhite},
          {80, 0, kBlue},
          {159, 49, kBlue},
          {160, 10, kWhite},
          {0, 50, kGreen},
          {79, 69, kGreen},
          {80, 60, kWhite},
          {0, 70, kBlack},
          {199, 79, kBlack},
          {0, 80, kYellow},
          {39, 99, kYellow},
          {40, 90, kWhite},
          {10, 100, kWhite}}},
        // Cells of 50: seven filled row by row, the last two left empty.
        {L"uniform-grid.xml",
         150,
         150,
         {{0, 0, kRed},
          {49, 49, kRed},
          {50, 0, kGreen},
          {100, 0, kBlue},
          {149, 49, kBlue},
          {0, 50, kBlack},
          {75, 75, kYellow},
          {125, 75, kRed},
          {0, 100, kBlue},
          {49, 149, kBlue},
          {50, 100, kWhite},
          {125, 125, kWhite}}},
        // Red at (0, 0) 50 x 30; blue at Left 100, Top 20; green 10 from the
        // right and bottom edges: (140, 150)-(190, 190); black at Left 10
        // (Right ignored), Top 100.
        {L"canvas.xml",
         200,
         200,
         {{0, 0, kRed},
          {49, 29, kRed},
          {50, 10, kWhite},
          {100, 20, kBlue},
          {129, 39, kBlue},
          {99, 20, kWhite},
          {130, 30, kWhite},
          {140, 150, kGreen},
          {189, 189, kGreen},
          {190, 170, kWhite},
          {170, 190, kWhite},
          {10, 100, kBlack},
          {29, 119, kBlack},
          {9, 110, kWhite},
          {80, 110, kWhite}}},
        // Columns 0-69, 70-209, 210-249, 250-299; rows 0-79, 80-239,
        // 240-269, 270-299.
        {L"grid.xml",
         300,
         300,
         {{5, 5, kBlack},
          {9, 9, kBlack},
          {10, 10, kRed},
          {69, 79, kRed},
          {70, 0, kBlue},
          {209, 79, kBlue},
          {210, 0, kGreen},
          {249, 79, kGreen},
          {250, 0, kBlack},
          {299, 79, kBlack},
          {0, 80, kYellow},
          {209, 239, kYellow},
          {210, 100, kWhite},
          {0, 240, kBlue},
          {69, 269, kBlue},
          {70, 250, kWhite},
          {250, 270, kRed},
          {299, 299, kRed},
          {249, 280, kWhite}}},
        {L"grid-max-width.xml",
         300,
         100,
         {{0, 0, kRed},
          {74, 99, kRed},
          {75, 0, kBlue},
          {124, 99, kBlue},
          {125, 0, kGreen},
          {274, 99, kGreen},
          {275, 50, kWhite}}},
    };
    return cases;
}

const std::vector<MarkupFixtureCase>& MarkupShapeFixtureCases()
{
    static const std::vector<MarkupFixtureCase> cases = {
        {L"shapes.xml",
         200,
         200,
         {// Rectangle at (10, 10), 20 x 10: a 4-pixel blue border around the
          // red fill, which shows only inside it.
          {10, 10, kBlue},
          {13, 13, kBlue},
          {14, 14, kRed},
          {25, 15, kRed},
          {26, 15, kBlue},
          {29, 19, kBlue},
          {30, 15, kWhite},
          {9, 15, kWhite},
          // Ellipse in (50, 10)-(90, 50): filled centre, empty corners.
          {70, 30, kGreen},
          {52, 12, kWhite},
          {88, 48, kWhite},
          // Line along y = 65, 3 thick.
          {50, 65, kBlack},
          {50, 61, kWhite},
          {50, 69, kWhite},
          // Polyline across y = 80 then down x = 50.
          {30, 80, kBlue},
          {50, 90, kBlue},
          {30, 90, kWhite},
          // Triangle polygon below its diagonal, path triangle above its.
          {125, 15, kRed},
          {155, 45, kWhite},
          {145, 65, kBlue},
          {125, 85, kWhite},
          // The flat polyline stretched across 80 pixels keeps its height.
          {15, 125, kBlack},
          {85, 125, kBlack},
          {50, 129, kWhite},
          // Rounded rectangle: empty corner, filled middle and edges.
          {60, 150, kWhite},
          {80, 170, kRed},
          {61, 170, kRed},
          {80, 151, kRed}}},
    };
    return cases;
}

const std::vector<MarkupFixtureCase>& MarkupControlFixtureCases()
{
    static const std::vector<MarkupFixtureCase> cases = {
        // The button's content inside its 4-pixel inset, its background
        // between, its bevel at the edges.
        {L"buttons.xml", 100, 80, {{4, 4, kRed}, {30, 15, kRed}, {55, 25, kRed}, {3, 10, kBlue}, {57, 10, kBlue}}},
        // The content in the viewport, nothing beyond the viewer.
        {L"scroll-viewer.xml", 150, 100, {{0, 0, kRed}, {40, 30, kRed}, {120, 30, kWhite}, {40, 90, kWhite}}},
    };
    return cases;
}

const std::vector<MarkupFixtureCase>& MarkupTextImageFixtureCases()
{
    static const std::vector<MarkupFixtureCase> cases = {
        // The text block 120 x 60 is centred in the page's padded border:
        // blue from (40, 20) to (159, 79), its text in the top lines only.
        {L"text-block.xml",
         200,
         100,
         {{5, 5, kGreen0},
          {39, 50, kGreen0},
          {41, 78, kBlue},
          {158, 78, kBlue},
          {41, 75, kBlue},
          {160, 50, kGreen0},
          {100, 85, kGreen0}}},
        // The picture stretched to 80 x 20 with its transparent band from 60,
        // and the 16-pixel blue icon below it.
        {L"image.xml",
         100,
         40,
         {{0, 0, kRed},
          {58, 19, kRed},
          {62, 5, kWhite},
          {81, 5, kWhite},
          {0, 20, kBlue},
          {15, 35, kBlue},
          {16, 25, kWhite},
          {0, 37, kWhite}}},
    };
    return cases;
}

const std::vector<MarkupFixtureCase>& MarkupElementFixtureCases()
{
    static const std::vector<MarkupFixtureCase> cases = {
        // Left to right from x 5, 75 and 145: frame 4, 2, 4, 2 around red at
        // y 30..69; a rounded frame around green at y 20..79 whose corner
        // stays empty; two blue strips 2 wide and nothing between them.
        {L"border.xml",
         200,
         100,
         {{4, 50, kWhite},    {5, 50, kBlue},      {8, 50, kBlue},     {9, 50, kRed},      {35, 50, kRed},
          {61, 50, kBlue},    {64, 50, kBlue},     {65, 50, kWhite},   {35, 30, kBlue},    {35, 31, kBlue},
          {35, 32, kRed},     {35, 69, kBlue},     {35, 70, kWhite},   {75, 20, kWhite},   {77, 22, kWhite},
          {105, 50, kGreen},  {75, 50, kBlack},    {77, 50, kGreen},   {145, 50, kBlue},   {146, 50, kBlue},
          {147, 50, kWhite},  {165, 50, kWhite},   {182, 50, kWhite},  {183, 50, kBlue},   {184, 50, kBlue},
          {185, 50, kWhite},  {165, 30, kWhite}}},
        // The PNG uniformly at 30 x 30 centred in 60 (its band clear from
        // 38); the icon at 60 with its masked half clear; the GIF's first
        // frame at 76; the JPEG at 92, its green keyed out by GDI+ only.
        {L"pictures.xml",
         200,
         60,
         {{15, 5, kRed},
          {36, 29, kRed},
          {40, 10, kWhite},
          {60, 10, kWhite},
          {67, 10, kWhite},
          {68, 10, kRed},
          {75, 15, kRed},
          {80, 10, kRed},
          {91, 15, kRed},
          {108, 5, kJpegRed},
          {123, 15, kJpegRed},
          {124, 5, kWhite},
          {100, 20, kWhite},
          {95, 10, kWhite, fixtureGdiPlusOnly},
          {95, 10, kGreen0, fixtureGdiOnly}}},
        // A filled cubic curve, a stroked triangle with nothing inside, and a
        // half disc under an arc.
        {L"paths.xml",
         120,
         120,
         {{30, 20, kRed},
          {10, 40, kWhite},
          {80, 10, kBlue},
          {99, 30, kBlue},
          {85, 20, kWhite},
          {30, 70, kGreen},
          {30, 79, kGreen},
          {30, 85, kWhite},
          {11, 62, kWhite}}},
        // Rotated about its corner to x 30..49, y 10..49; scaled by 2 to
        // (60, 10)-(80, 30); moved by (30, 10) to (40, 70)-(60, 90).
        {L"transforms.xml",
         120,
         120,
         {{40, 20, kRed},
          {40, 45, kRed},
          {55, 20, kWhite},
          {45, 5, kWhite},
          {62, 12, kBlue},
          {78, 28, kBlue},
          {70, 35, kWhite},
          {45, 75, kGreen},
          {58, 88, kGreen},
          {35, 75, kWhite},
          {20, 70, kWhite}}},
    };
    return cases;
}

void ExpectMarkupFixturePixels(const std::vector<MarkupFixtureCase>& cases, bool bGdiPlus)
{
    for (const MarkupFixtureCase& c : cases)
    {
        const std::wstring text = ReadMarkupFixture(c.file);
        ASSERT_FALSE(text.empty()) << "cannot read fixture";
        MarkupContextHolder context;
        context->EnableGdiPlus(bGdiPlus);
        std::wstring error;
        ElementHolder root(context.Parse(text, &error));
        ASSERT_TRUE(root) << error;
        MarkupSurface surface(c.width, c.height);
        surface.Render(root.Get());
        for (const MarkupFixtureProbe& p : c.probes)
        {
            if (p.AppliesTo(bGdiPlus))
            {
                EXPECT_EQ(surface.Pixel(p.x, p.y), p.color)
                    << c.file << (bGdiPlus ? " GDI+" : " GDI") << " at " << p.x << "," << p.y;
            }
        }
    }
}
