// The glyph font from this test program's font resource (FoundationTests.rc
// includes the toolkit's), drawn into a 32-bit DIB. The glyph cell is a
// 2048-unit square, so in a 64 x 64 rectangle one pixel is about 32 units:
// the points checked below lie well inside or well outside each outline.
#include "Foundation/DpiScaling.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/GlyphFont.h"
#include "Foundation/SystemVersion.h"

#include "DibSurface.h"
#include "GdiCreationCounter.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <algorithm>
#include <cstdlib>

namespace
{

const COLORREF kInk = RGB(255, 255, 255);
const COLORREF kPaper = RGB(0, 0, 0);

bool IsInk(COLORREF clr)
{
    return GetRValue(clr) > 160 && GetGValue(clr) > 160 && GetBValue(clr) > 160;
}

bool IsPaper(COLORREF clr)
{
    return clr == kPaper;
}

int CountInk(const DibSurface& dib)
{
    int nCount = 0;
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = 0; x < dib.Width(); ++x)
            nCount += dib.Pixel(x, y) != kPaper;
    return nCount;
}

TEST(GlyphFont, LoadsTheFontResourceIntoTheProcess)
{
    CLVKGlyphFont* pGlyphs = CLVKGlyphFont::GetGlobal();
    ASSERT_NE(nullptr, pGlyphs);
    CFont* pFont = pGlyphs->GetFont();
    ASSERT_NE(nullptr, pFont);
    EXPECT_TRUE(pGlyphs->IsMemoryFontAdded());
    EXPECT_EQ(pGlyphs, CLVKGlyphFont::GetGlobal());

    // The DC's face is the font's own only when the memory font was found;
    // otherwise the system substitutes another face.
    DibSurface dib(8, 8);
    const HGDIOBJ hOld = SelectObject(dib.GetHdc(), pFont->GetSafeHandle());
    WCHAR szFace[LF_FACESIZE] = {};
    GetTextFaceW(dib.GetHdc(), LF_FACESIZE, szFace);
    SelectObject(dib.GetHdc(), hOld);
    EXPECT_STREQ(L"Veltrine", szFace);

    LOGFONTW lf{};
    ASSERT_EQ(static_cast<int>(sizeof(lf)), GetObjectW(pFont->GetSafeHandle(), sizeof(lf), &lf));
    EXPECT_EQ(FIXED_PITCH, lf.lfPitchAndFamily);
    if (CLVKDpiScaling::GetGlobal()->IsStandardDpi() && CLVKSystemVersion::GetGlobal()->IsNT4OrGreater())
    {
        EXPECT_EQ(ANTIALIASED_QUALITY, lf.lfQuality) << "antialiased at 96 DPI";
    }
}

struct GlyphCase
{
    const char* pszName;
    WCHAR ch;
    POINT inks[3];    // inside the outline
    POINT papers[3];  // outside it
};

TEST(GlyphFont, GlyphsAppearWhereTheirOutlinesAre)
{
    const GlyphCase cases[] = {
        {"disc", 0x2F, {{32, 32}, {20, 32}, {32, 44}}, {{3, 3}, {60, 3}, {3, 60}}},
        {"minus: bar at mid height", 0x4C, {{32, 32}, {16, 32}, {48, 32}}, {{32, 12}, {32, 52}, {6, 32}}},
        {"plus", 0x4B, {{32, 32}, {32, 16}, {16, 32}}, {{16, 16}, {48, 48}, {16, 48}}},
        {"triangle pointing left", 0x30, {{40, 32}, {40, 20}, {40, 44}}, {{24, 14}, {24, 50}, {52, 32}}},
        {"triangle pointing right", 0x31, {{24, 32}, {24, 20}, {24, 44}}, {{40, 14}, {40, 50}, {12, 32}}},
        {"wide bar near the baseline", 0x27, {{32, 52}, {8, 52}, {56, 52}}, {{32, 32}, {32, 16}, {32, 62}}},
        {"diagonal cross", 0x2B, {{32, 32}, {20, 20}, {44, 44}}, {{32, 14}, {14, 32}, {50, 32}}},
    };
    for (const GlyphCase& c : cases)
    {
        DibSurface dib(64, 64, kPaper);
        const RECT rc{0, 0, 64, 64};
        CLVKGlyphFont::GetGlobal()->DrawGlyph(dib.GetDC(), c.ch, &rc, kInk);
        for (const POINT& pt : c.inks)
            EXPECT_TRUE(IsInk(dib.Pixel(pt.x, pt.y))) << c.pszName << " at " << pt.x << "," << pt.y;
        for (const POINT& pt : c.papers)
            EXPECT_TRUE(IsPaper(dib.Pixel(pt.x, pt.y))) << c.pszName << " at " << pt.x << "," << pt.y;
    }
}

TEST(GlyphFont, EmptyRectanglesAndEmptyGlyphsDrawNothing)
{
    struct Case
    {
        const char* pszName;
        WCHAR ch;
        RECT rc;
    } const cases[] = {
        {"width 0", 0x2F, {10, 10, 10, 40}},
        {"height 0", 0x2F, {10, 10, 40, 10}},
        {"upside down", 0x2F, {40, 40, 10, 10}},
        {"the empty glyph", 0x55, {0, 0, 64, 64}},
    };
    for (const Case& c : cases)
    {
        DibSurface dib(64, 64, kPaper);
        CLVKGlyphFont::GetGlobal()->DrawGlyph(dib.GetDC(), c.ch, &c.rc, kInk);
        EXPECT_EQ(0, CountInk(dib)) << c.pszName;
    }
}

TEST(GlyphFont, FitsTheShorterSideAndCentres)
{
    // A 120 x 40 rectangle: the square glyph cell is at most 40 pixels, in the middle.
    DibSurface dib(120, 40, kPaper);
    const RECT rc{0, 0, 120, 40};
    CLVKGlyphFont::GetGlobal()->DrawGlyph(dib.GetDC(), 0x2F, &rc, kInk);
    EXPECT_TRUE(IsInk(dib.Pixel(60, 20)));
    int nLeft = 120, nRight = -1;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x)
            if (dib.Pixel(x, y) != kPaper)
            {
                nLeft = std::min(nLeft, x);
                nRight = std::max(nRight, x);
            }
    EXPECT_GE(nLeft, 40);
    EXPECT_LE(nRight, 80);
    EXPECT_LE(std::abs((nLeft + nRight) - 120), 3) << nLeft << ".." << nRight << " is not centred";
}

TEST(GlyphFont, BackgroundColourFillsTheTextCell)
{
    DibSurface dib(64, 64, kPaper);
    const RECT rc{0, 0, 64, 64};
    CLVKGlyphFont::GetGlobal()->DrawGlyph(dib.GetDC(), 0x4C, &rc, kInk, RGB(0, 0, 255));
    EXPECT_EQ(RGB(0, 0, 255), dib.Pixel(32, 8)) << "above the bar, inside the cell";
    EXPECT_TRUE(IsInk(dib.Pixel(32, 32)));
}

TEST(GlyphFont, OutlineStrokesTheEdgeWithTheCallersPen)
{
    DibSurface dib(64, 64, kPaper);
    const RECT rc{0, 0, 64, 64};
    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    CLVKGlyphFont::GetGlobal()->DrawGlyph(dib.GetDC(), 0x2F, &rc, kInk, static_cast<COLORREF>(-1), TRUE, &pen);

    EXPECT_EQ(OBJ_PEN, static_cast<int>(GetObjectType(pen.GetSafeHandle()))) << "the caller's pen survives";
    EXPECT_TRUE(IsPaper(dib.Pixel(32, 32))) << "an outline leaves the inside empty";
    int nRed = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            nRed += dib.Pixel(x, y) == RGB(255, 0, 0);
    EXPECT_GT(nRed, 40) << "the disc's edge is stroked in the pen's colour";
    // The DC has its own pen back.
    EXPECT_NE(pen.GetSafeHandle(), GetCurrentObject(dib.GetHdc(), OBJ_PEN));
}

TEST(GlyphFont, OutlineWithoutAPenUsesTheTextColour)
{
    DibSurface dib(64, 64, kPaper);
    const RECT rc{0, 0, 64, 64};
    SetTextColor(dib.GetHdc(), RGB(0, 255, 0));
    CLVKGlyphFont::GetGlobal()->DrawGlyph(dib.GetDC(), 0x2F, &rc, static_cast<COLORREF>(-1), static_cast<COLORREF>(-1),
                                          TRUE);
    int nGreen = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            nGreen += dib.Pixel(x, y) == RGB(0, 255, 0);
    EXPECT_GT(nGreen, 40);
    EXPECT_TRUE(IsPaper(dib.Pixel(32, 32)));
}

// Glyphs and fitted texts are drawn under every paint: the second paint of
// the same things must create no GDI object (the first makes and keeps them).
TEST(GlyphFont, ASecondPaintCreatesNoGdiObjects)
{
    DibSurface dib(96, 64, kPaper);
    auto paint = [&]
    {
        const RECT rcSmall{2, 2, 14, 14};
        const RECT rcLarge{20, 3, 60, 43};
        CLVKGlyphFont::GetGlobal()->DrawGlyph(dib.GetDC(), 0x30, &rcSmall, kInk);
        CLVKGlyphFont::GetGlobal()->DrawGlyph(dib.GetDC(), 0x31, &rcLarge, kInk, RGB(0, 0, 255));
        CLVKGlyphFont::GetGlobal()->DrawGlyph(dib.GetDC(), 0x2F, &rcLarge, kInk, static_cast<COLORREF>(-1), TRUE);
        RECT rcText{0, 44, 96, 64};
        CLVKDrawHelpers::DrawTextInFace(dib.GetDC(), L"Tahoma", 0, L"Drive", -1, &rcText, DT_LEFT, kInk,
                                        static_cast<COLORREF>(-1));
        RECT rcPoint{0, 0, 96, 20};
        CLVKDrawHelpers::DrawTextInFace(dib.GetDC(), L"Tahoma", 90, L"Ab", -1, &rcPoint, DT_LEFT, kInk,
                                        static_cast<COLORREF>(-1));
    };
    GdiCreationCounter counter;
    ASSERT_GT(counter.PatchedSlots(), 0u) << "nothing could be counted";
    paint();
    const LONG nFirst = counter.Count();
    paint();
    const LONG nSecond = counter.Count() - nFirst;
    std::printf("[ FIGURE   ] GDI objects created: first paint %ld, second paint %ld\n", static_cast<long>(nFirst),
                static_cast<long>(nSecond));
    EXPECT_GT(nFirst, 0) << "the counter saw the first paint's fonts";
    EXPECT_EQ(0, nSecond);
}

}  // namespace
