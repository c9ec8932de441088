// The text readers of the markup format: lengths, thickness, colours,
// decimals, number lists and path data.
#include "MarkupTestSupport.h"

#include "Markup/MarkupBorder.h"
#include "Markup/MarkupBuilderException.h"
#include "Markup/MarkupDoubleCollection.h"
#include "Markup/MarkupFrameworkElement.h"
#include "Markup/MarkupPathGeometryBuilder.h"
#include "Markup/MarkupSolidColorBrush.h"
#include "Markup/MarkupThickness.h"
#include "Markup/MarkupValueConverters.h"

#include <cmath>

namespace
{

struct LengthCase
{
    const wchar_t* text;
    int dpi;
    int expected;
};

// The Width of a frame element read from markup at a DPI.
int WidthOf(const wchar_t* text, int nDpi)
{
    MarkupContextHolder context(nullptr, nDpi);
    const std::wstring markup = std::wstring(L"<FrameworkElement Width='") + text + L"'/>";
    std::wstring error;
    ElementHolder root(context.Parse(markup, &error));
    EXPECT_TRUE(root) << error;
    if (!root)
    {
        return -1;
    }
    return static_cast<CLVKMarkupFrameworkElement*>(root.Get())->GetWidth();
}

}  // namespace

TEST(MarkupConverters, LengthsWithUnitsAndDpi)
{
    const LengthCase cases[] = {
        {L"10", 96, 10},
        {L"10", 144, 15},
        {L"Auto", 96, 0x7FFFFFFF},
        {L"auto", 144, 0x7FFFFFFF},
        {L"12pt", 96, 16},
        {L"2cm", 96, 75},
        {L"1.5in", 96, 96},
        {L"5mm", 96, 18},
        {L"0in", 96, 0},
        {L"abc", 96, 0},
        {L"1in", 144, 144},
        {L"-4", 96, -4},
        // Huge lengths saturate instead of overflowing, also at high DPI.
        {L"99999999in", 96, 0x3FFFFFFF},
        {L"2000000000pt", 96, 0x3FFFFFFF},
        {L"2000000000", 144, 0x3FFFFFFF},
        {L"99999999999cm", 192, 0x3FFFFFFF},
    };
    for (const LengthCase& c : cases)
    {
        EXPECT_EQ(WidthOf(c.text, c.dpi), c.expected) << c.text << " at " << c.dpi;
    }
}

TEST(MarkupConverters, ThicknessForms)
{
    struct ThicknessCase
    {
        const wchar_t* text;
        int dpi;
        bool valid;
        int l, t, r, b;
    } const cases[] = {
        {L"5", 96, true, 5, 5, 5, 5},
        {L"5", 144, true, 8, 8, 8, 8},
        {L"1, 2, 3, 4", 96, true, 1, 2, 3, 4},
        {L"1,2,3,4", 96, true, 1, 2, 3, 4},
        {L"10pt", 96, true, 13, 13, 13, 13},
        {L"1in", 96, true, 96, 96, 96, 96},
        {L"1cm", 96, true, 37, 37, 37, 37},
        {L"5mm", 96, true, 18, 18, 18, 18},
        {L"2pt, 2pt, 2pt, 2pt", 96, true, 3, 3, 3, 3},
        // Decimal, never octal or hexadecimal.
        {L"010", 96, true, 10, 10, 10, 10},
        {L"010,0x10,08,1", 96, false, 0, 0, 0, 0},
        {L"010,020,030,040", 96, true, 10, 20, 30, 40},
        {L"2pt, 2, 2pt, 2pt", 96, false, 0, 0, 0, 0},
        {L"1,2", 96, false, 0, 0, 0, 0},
    };
    for (const auto& c : cases)
    {
        MarkupContextHolder context(nullptr, c.dpi);
        const std::wstring markup = std::wstring(L"<FrameworkElement Margin='") + c.text + L"'/>";
        std::wstring error;
        ElementHolder root(context.Parse(markup, &error));
        ASSERT_EQ(static_cast<bool>(root), c.valid) << c.text << ": " << std::string(error.begin(), error.end());
        if (!c.valid)
        {
            EXPECT_EQ(error, L"Cannot convert string in attribute 'Margin' to object of type 'CLVKMarkupThickness'");
            continue;
        }
        const CLVKMarkupThickness* const p = static_cast<CLVKMarkupFrameworkElement*>(root.Get())->GetMargin();
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->m_nLeft, c.l) << c.text;
        EXPECT_EQ(p->m_nTop, c.t) << c.text;
        EXPECT_EQ(p->m_nRight, c.r) << c.text;
        EXPECT_EQ(p->m_nBottom, c.b) << c.text;
    }
}

TEST(MarkupConverters, DeflateNeverGivesANegativeSize)
{
    CLVKMarkupAutoPtr<CLVKMarkupThickness> p(new CLVKMarkupThickness(8));
    const RECT rc = CLVKMarkupThickness::DeflateRect(0, 0, 10, 10, p);
    EXPECT_EQ(rc.left, 8);
    EXPECT_EQ(rc.top, 8);
    EXPECT_EQ(rc.right, 8);
    EXPECT_EQ(rc.bottom, 8);
}

TEST(MarkupConverters, Colours)
{
    struct ColourCase
    {
        const wchar_t* text;
        bool valid;
        DWORD argb;  // 0xAABBGGRR
    } const cases[] = {
        {L"#FF000080", true, 0xFF800000},
        {L"#80FF0000", true, 0x800000FF},
        {L"#102030", true, 0xFF302010},
        {L"#123", false, 0},
        {L"#1234567", false, 0},
        {L"#12345G", false, 0},
        {L"#1 2 3 4", false, 0},
        {L"#1234567890", false, 0},
        {L"Red", true, 0xFF0000FF},
        {L"cornflowerblue", true, 0xFFED9564},
        {L"Gray", true, 0xFF808080},
        {L"Grey", false, 0},
        {L"transparent", true, 0x00FFFFFF},
        {L"1Red", false, 0},
        {L"", false, 0},
    };
    for (const auto& c : cases)
    {
        DWORD argb = 0;
        EXPECT_EQ(MarkupParseColor(c.text, argb) != FALSE, c.valid) << c.text;
        if (c.valid)
        {
            EXPECT_EQ(argb, c.argb) << c.text;
        }
    }
}

TEST(MarkupConverters, Decimals)
{
    struct DecimalCase
    {
        const wchar_t* text;
        bool valid;
        double value;
    } const cases[] = {
        {L"1.5", true, 1.5}, {L"-.5", true, -0.5}, {L"5.", true, 5.0},   {L"  7  ", true, 7.0},
        {L"+3", true, 3.0},  {L"1e3", false, 0},   {L"1.2.3", false, 0}, {L"", false, 0},
        {L"-", false, 0},    {L"12a", false, 0},   {L"1 2", false, 0},
    };
    for (const auto& c : cases)
    {
        double d = 0;
        EXPECT_EQ(MarkupParseDecimal(c.text, 0, TRUE, d, nullptr) != FALSE, c.valid) << c.text;
        if (c.valid)
        {
            EXPECT_DOUBLE_EQ(d, c.value) << c.text;
        }
    }
}

TEST(MarkupConverters, NumberListsAndTheirIndexChecks)
{
    std::vector<float> values;
    EXPECT_TRUE(CLVKMarkupDoubleCollection::ParseList(L"1,2 3, 4", values));
    EXPECT_EQ(values, (std::vector<float>{1, 2, 3, 4}));
    values.clear();
    EXPECT_FALSE(CLVKMarkupDoubleCollection::ParseList(L"1 ,2", values));
    values.clear();
    EXPECT_TRUE(CLVKMarkupDoubleCollection::ParseList(L"", values));
    EXPECT_TRUE(values.empty());

    const float numbers[] = {1, 2};
    CLVKMarkupAutoPtr<CLVKMarkupDoubleCollection> p(new CLVKMarkupDoubleCollection(numbers, 2));
    const auto throwsInvalidArgument = [&](int nIndex)
    {
        try
        {
            p->RemoveAt(nIndex);
        }
        catch (CException* e)
        {
            e->Delete();
            return true;
        }
        return false;
    };
    EXPECT_TRUE(throwsInvalidArgument(2));
    EXPECT_TRUE(throwsInvalidArgument(-1));
    EXPECT_FALSE(throwsInvalidArgument(0));
    EXPECT_EQ(p->GetCount(), 1);
}

TEST(MarkupConverters, WordsAreMatchedWholeAndWithoutCase)
{
    MarkupContextHolder context;
    for (const wchar_t* text : {L"Center", L"center", L"CENTER"})
    {
        ElementHolder root(context.Parse(std::wstring(L"<FrameworkElement HorizontalAlignment='") + text + L"'/>"));
        ASSERT_TRUE(root) << text;
        EXPECT_EQ(static_cast<CLVKMarkupFrameworkElement*>(root.Get())->GetHorizontalAlignment(), 1);
    }
    EXPECT_EQ(context.ErrorOf(L"<FrameworkElement HorizontalAlignment=' Center'/>"),
              L"Cannot convert string in attribute 'HorizontalAlignment' to object of type 'CLVKMarkupEnum'");
}

TEST(MarkupConverters, SolidBrushEqualityComparesAlpha)
{
    CLVKMarkupAutoPtr<CLVKMarkupSolidColorBrush> a(new CLVKMarkupSolidColorBrush(0x80, RGB(1, 2, 3)));
    CLVKMarkupAutoPtr<CLVKMarkupSolidColorBrush> b(new CLVKMarkupSolidColorBrush(0xFF, RGB(1, 2, 3)));
    CLVKMarkupAutoPtr<CLVKMarkupSolidColorBrush> c(new CLVKMarkupSolidColorBrush(0x80, RGB(1, 2, 3)));
    EXPECT_FALSE(a->IsEqual(b));
    EXPECT_TRUE(a->IsEqual(c));
}

namespace
{

struct PathCase
{
    const wchar_t* text;
    int errorPosition;  // -1: parses
    std::vector<BYTE> types;
    std::vector<std::pair<float, float>> points;  // checked when not empty
};

}  // namespace

TEST(MarkupConverters, PathDataAndItsErrorPositions)
{
    const PathCase cases[] = {
        {L"M 10 10 20 20 30 10", -1, {0, 1, 1}, {{10, 10}, {20, 20}, {30, 10}}},
        {L"M0,0 L10,0 L10,10 Z M5 5 l 1 1", -1, {0, 1, 0x81, 0, 1}, {{0, 0}, {10, 0}, {10, 10}, {5, 5}, {6, 6}}},
        {L"M 0 0 h 10 v 10 h -10 z", -1, {0, 1, 1, 0x81}, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}},
        {L"M 0 0 C 0 10 10 10 10 0 S 20 -10 20 0",
         -1,
         {0, 3, 3, 3, 3, 3, 3},
         {{0, 0}, {0, 10}, {10, 10}, {10, 0}, {10, -10}, {20, -10}, {20, 0}}},
        {L"M 0 0 A 0 10 0 0 1 20 0", -1, {0, 1}, {{0, 0}, {20, 0}}},
        // An arc that ends where it starts is skipped.
        {L"M 5 5 A 10 10 0 0 1 5 5 L 6 6", -1, {0, 1}, {{5, 5}, {6, 6}}},
        {L"M 1.5e2 0", -1, {0}, {{150, 0}}},
        {L"F1 M 0 0 L 1 1", -1, {0, 1}, {}},
        {L"", -1, {}, {}},
        {L"   ", -1, {}, {}},
        {L"M 1e2 0", 3, {}, {}},
        {L"M 0 0 L 10,,10", 11, {}, {}},
        {L"M ,0 0", 2, {}, {}},
        {L"X", 1, {}, {}},
        {L"F2 M 0 0", 1, {}, {}},
        {L"L 1 1", 1, {}, {}},
        // Bounded exponents: no infinite coordinates.
        {L"M 1.0e39 0", 7, {}, {}},
        {L"M 1.0e999999999 0", 7, {}, {}},
    };
    for (const PathCase& c : cases)
    {
        CLVKMarkupPathGeometryBuilder builder;
        int nPosition = -1;
        try
        {
            builder.Parse(nullptr, c.text, -1);
        }
        catch (CLVKMarkupBuilderException* e)
        {
            swscanf(e->GetMessage(), L"Unexpected token encountered at position '%d'", &nPosition);
            e->Delete();
        }
        EXPECT_EQ(nPosition, c.errorPosition) << "case of " << std::wstring(c.text).size() << " characters";
        if (c.errorPosition >= 0)
        {
            continue;
        }
        ASSERT_EQ(builder.GetPointCount(), static_cast<int>(c.types.size()));
        for (size_t i = 0; i < c.types.size(); ++i)
        {
            EXPECT_EQ(builder.GetTypes()[i], c.types[i]) << i;
        }
        for (size_t i = 0; i < c.points.size(); ++i)
        {
            EXPECT_FLOAT_EQ(builder.GetPoints()[i].x, c.points[i].first) << i;
            EXPECT_FLOAT_EQ(builder.GetPoints()[i].y, c.points[i].second) << i;
        }
    }
}

TEST(MarkupConverters, ArcsBecomeCubicCurves)
{
    CLVKMarkupPathGeometryBuilder builder;
    builder.Parse(nullptr, L"M 0 0 A 10 10 0 0 1 20 0 l 5 0", -1);
    ASSERT_EQ(builder.GetPointCount(), 8);
    EXPECT_NEAR(builder.GetPoints()[6].x, 20, 1e-3);
    EXPECT_NEAR(builder.GetPoints()[6].y, 0, 1e-3);
    // The half circle passes through (10, -10) or (10, 10).
    EXPECT_NEAR(fabs(builder.GetPoints()[3].y), 10, 1e-3);
    EXPECT_NEAR(builder.GetPoints()[7].x, 25, 1e-3);
}
