// The drawing helpers: gradient fills (through GradientFill and by bands),
// colour mixing and HLS conversion, shapes, text fitting, layout and
// mnemonic stripping, checked on exact pixels of a 32-bit DIB section.
#include "DibSurface.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/Font.h"
#include "Foundation/PaintManagerColor.h"

#include <gtest/gtest.h>

namespace
{

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

int CALLBACK TakeFirstFace(const LOGFONTW* pLogFont, const TEXTMETRICW*, DWORD, LPARAM lParam)
{
    lstrcpynW(reinterpret_cast<LPWSTR>(lParam), pLogFont->lfFaceName, LF_FACESIZE);
    return 0;
}

DWORD PackHls(DWORD h, DWORD l, DWORD s)
{
    return h | (s << 8) | (l << 16);
}

}  // namespace

TEST(DrawHelpersColorTest, MixColorsTruncatesEachChannel)
{
    struct Case
    {
        const char* pszName;
        COLORREF a, b;
        double r;
        COLORREF expected;
    };
    const Case cases[] = {
        {"quarter of red into blue", 0x0000FF, 0xFF0000, 0.25, RGB(63, 0, 191)},
        {"all of the first", kRed, kBlue, 1.0, kRed},
        {"none of the first", kRed, kBlue, 0.0, kBlue},
        {"half of white and black", kWhite, kBlack, 0.5, RGB(127, 127, 127)},
        {"ratio above 1 is capped at 255", kWhite, kBlack, 1.5, kWhite},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, CLVKDrawHelpers::MixColors(c.a, c.b, c.r)) << c.pszName;
}

TEST(DrawHelpersColorTest, RgbToHls)
{
    struct Case
    {
        const char* pszName;
        COLORREF clr;
        DWORD h, l, s;
    };
    const Case cases[] = {
        {"pure red", 0x0000FF, 0, 120, 239},
        {"white", kWhite, 239, 240, 0},
        {"black", kBlack, 239, 0, 0},
        {"middle grey", 0x808080, 239, 120, 0},
        {"pure green", RGB(0, 255, 0), 79, 120, 239},
        {"pure blue", RGB(0, 0, 255), 159, 120, 239},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PackHls(c.h, c.l, c.s), CLVKDrawHelpers::RgbToHls(c.clr)) << c.pszName;
}

TEST(DrawHelpersColorTest, HlsToRgbTruncatesSoARoundTripIsInexact)
{
    struct Case
    {
        const char* pszName;
        DWORD h, l, s;
        COLORREF expected;
    };
    const Case cases[] = {
        {"red back from its HLS", 0, 120, 239, 0x0000FD},
        {"grey back from its HLS", 239, 120, 0, 0x7F7F7F},
        {"no saturation, full luminance", 0, 240, 0, kWhite},
        {"no saturation, no luminance", 0, 0, 0, kBlack},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, CLVKDrawHelpers::HlsToRgb(PackHls(c.h, c.l, c.s))) << c.pszName;
}

TEST(DrawHelpersGradientTest, EqualColoursGiveOneSolidFill)
{
    DibSurface surface(20, 10, kWhite);
    const CRect rc(2, 2, 18, 8);
    CLVKDrawHelpers::FillGradientRect(surface.GetDC(), &rc, RGB(40, 50, 60), RGB(40, 50, 60), TRUE);
    EXPECT_EQ(RGB(40, 50, 60), surface.Pixel(2, 2));
    EXPECT_EQ(RGB(40, 50, 60), surface.Pixel(17, 7));
    EXPECT_EQ(kWhite, surface.Pixel(1, 2));
    EXPECT_EQ(kWhite, surface.Pixel(18, 7));
}

TEST(DrawHelpersGradientTest, EmptyRectangleDrawsNothing)
{
    DibSurface surface(8, 8, kWhite);
    const CRect rc(4, 4, 4, 8);
    CLVKDrawHelpers::FillGradientRect(surface.GetDC(), &rc, kRed, kBlue, TRUE);
    CLVKDrawHelpers::FillGradientRect(surface.GetDC(), nullptr, kRed, kBlue, TRUE);
    EXPECT_EQ(kWhite, surface.Pixel(4, 4));
}

TEST(DrawHelpersGradientTest, HorizontalBandsMixByColumn)
{
    DibSurface surface(12, 4, kWhite);
    const CRect rc(0, 0, 10, 4);
    CLVKDrawHelpers::FillGradientBands(surface.GetDC(), &rc, kRed, kBlue, TRUE);
    for (int x = 0; x < 10; ++x)
    {
        const COLORREF expected = CLVKDrawHelpers::MixColors(kRed, kBlue, 1.0 - x / 10.0);
        EXPECT_EQ(expected, surface.Pixel(x, 0)) << "column " << x;
        EXPECT_EQ(expected, surface.Pixel(x, 3)) << "column " << x;
    }
    EXPECT_EQ(kRed, surface.Pixel(0, 1));
    EXPECT_EQ(kWhite, surface.Pixel(10, 1));
}

TEST(DrawHelpersGradientTest, VerticalBandsMixByRow)
{
    DibSurface surface(4, 8, kWhite);
    const CRect rc(0, 0, 4, 8);
    CLVKDrawHelpers::FillGradientBands(surface.GetDC(), &rc, kBlack, kWhite, FALSE);
    for (int y = 0; y < 8; ++y)
        EXPECT_EQ(CLVKDrawHelpers::MixColors(kBlack, kWhite, 1.0 - y / 8.0), surface.Pixel(2, y)) << "row " << y;
}

TEST(DrawHelpersGradientTest, BandsOfWidthOneAreTheFirstColour)
{
    DibSurface surface(4, 4, kWhite);
    const CRect rc(1, 0, 2, 4);
    CLVKDrawHelpers::FillGradientBands(surface.GetDC(), &rc, RGB(10, 200, 30), kBlack, TRUE);
    EXPECT_EQ(RGB(10, 200, 30), surface.Pixel(1, 2));
    EXPECT_EQ(kWhite, surface.Pixel(2, 2));
}

TEST(DrawHelpersGradientTest, ClippedBandsKeepTheColoursOfTheWholeRectangle)
{
    DibSurface full(20, 2, kWhite);
    DibSurface clipped(20, 2, kWhite);
    const CRect rc(0, 0, 20, 2);
    CLVKDrawHelpers::FillGradientBands(full.GetDC(), &rc, kRed, kBlue, TRUE);
    clipped.GetDC()->IntersectClipRect(5, 0, 12, 2);
    CLVKDrawHelpers::FillGradientBands(clipped.GetDC(), &rc, kRed, kBlue, TRUE);
    for (int x = 5; x < 12; ++x)
        EXPECT_EQ(full.Pixel(x, 0), clipped.Pixel(x, 0)) << "column " << x;
    EXPECT_EQ(kWhite, clipped.Pixel(4, 0));
    EXPECT_EQ(kWhite, clipped.Pixel(12, 0));
}

TEST(DrawHelpersGradientTest, ApiFillRunsFromFirstToSecondColour)
{
    ASSERT_TRUE(CLVKDrawHelpers::GetGlobal()->HasGradientFill()) << "msimg32 binds GradientFill";
    DibSurface surface(64, 4, kWhite);
    const CRect rc(0, 0, 64, 4);
    ASSERT_TRUE(CLVKDrawHelpers::FillGradientWithApi(surface.GetDC(), &rc, kBlack, kWhite, TRUE));
    // The ends are (nearly) the two colours and the run rises monotonically.
    EXPECT_LE(GetRValue(surface.Pixel(0, 1)), 4);
    EXPECT_GE(GetRValue(surface.Pixel(63, 1)), 250);
    for (int x = 1; x < 64; ++x)
        EXPECT_GE(GetRValue(surface.Pixel(x, 1)), GetRValue(surface.Pixel(x - 1, 1))) << "column " << x;
    EXPECT_EQ(surface.Pixel(30, 0), surface.Pixel(30, 3)) << "a horizontal gradient is constant by column";
}

TEST(DrawHelpersGradientTest, ClippedFillStartsAtTheColourOfTheClipEdge)
{
    // A rectangle of 100 columns clipped to 25..75 starts with the colour
    // that holds three quarters of "from" and ends with one quarter of it.
    DibSurface clipped(100, 2, kWhite);
    const CRect rc(0, 0, 100, 2);
    const CRect rcClip(25, 0, 75, 2);
    CLVKDrawHelpers::FillGradientClipped(clipped.GetDC(), &rc, kBlack, kWhite, TRUE, &rcClip);
    EXPECT_EQ(kWhite, clipped.Pixel(24, 0));
    EXPECT_EQ(kWhite, clipped.Pixel(75, 0));
    const COLORREF clrAtClipStart = CLVKDrawHelpers::MixColors(kBlack, kWhite, 0.75);
    // GradientFill reproduces the end colours within a step.
    EXPECT_NEAR(GetRValue(clrAtClipStart), GetRValue(clipped.Pixel(25, 0)), 2);
    EXPECT_NEAR(GetRValue(CLVKDrawHelpers::MixColors(kBlack, kWhite, 0.25)), GetRValue(clipped.Pixel(74, 0)), 5);

    // A clip entirely beside the rectangle draws nothing.
    DibSurface beside(40, 2, kWhite);
    const CRect rcLeft(0, 0, 10, 2);
    const CRect rcBeside(20, 0, 30, 2);
    CLVKDrawHelpers::FillGradientClipped(beside.GetDC(), &rcLeft, kBlack, kBlack, TRUE, &rcBeside);
    EXPECT_EQ(kWhite, beside.Pixel(5, 0));
}

TEST(DrawHelpersGradientTest, GradientColourWithFactorSplitsAtTheMiddleColour)
{
    DibSurface surface(40, 2, kWhite);
    const CRect rc(0, 0, 40, 2);
    // One colour on both sides stays one colour whatever the factor.
    const CLVKPaintManagerColorGradient grc(RGB(100, 100, 100), RGB(100, 100, 100), 0.3f);
    CLVKDrawHelpers::FillGradientColor(surface.GetDC(), &rc, grc, TRUE);
    EXPECT_EQ(RGB(100, 100, 100), surface.Pixel(0, 0));
    EXPECT_EQ(RGB(100, 100, 100), surface.Pixel(39, 1));

    DibSurface split(40, 2, kWhite);
    CLVKPaintManagerColorGradient solidHalves(kRed, kBlue, 1.0f);
    CLVKDrawHelpers::FillGradientColor(split.GetDC(), &rc, solidHalves, TRUE);
    // With factor 1 the middle colour is the first: the first half is solid.
    EXPECT_EQ(kRed, split.Pixel(0, 0));
    EXPECT_EQ(kRed, split.Pixel(19, 0));
    EXPECT_NE(kRed, split.Pixel(39, 0));
}

TEST(DrawHelpersShapeTest, FramedRectHasFrameAndFill)
{
    DibSurface surface(10, 10, kWhite);
    const CRect rc(1, 1, 9, 9);
    CLVKDrawHelpers::DrawFramedRect(surface.GetDC(), &rc, kRed, kBlue);
    EXPECT_EQ(kRed, surface.Pixel(1, 1));
    EXPECT_EQ(kRed, surface.Pixel(8, 8));
    EXPECT_EQ(kRed, surface.Pixel(8, 1));
    EXPECT_EQ(kBlue, surface.Pixel(2, 2));
    EXPECT_EQ(kBlue, surface.Pixel(7, 7));
    EXPECT_EQ(kWhite, surface.Pixel(0, 0));
    EXPECT_EQ(kWhite, surface.Pixel(9, 9));
}

TEST(DrawHelpersShapeTest, DrawLineNeedsADC)
{
    DibSurface surface(10, 10, kWhite);
    EXPECT_TRUE(CLVKDrawHelpers::DrawLine(surface.GetDC(), 0, 4, 10, 4, kRed));
    EXPECT_EQ(kRed, surface.Pixel(6, 4));
    EXPECT_EQ(kWhite, surface.Pixel(6, 5));
    EXPECT_FALSE(CLVKDrawHelpers::DrawLine(nullptr, 0, 0, 1, 1, kRed));
    CDC empty;
    EXPECT_FALSE(CLVKDrawHelpers::DrawLine(&empty, 0, 0, 1, 1, kRed));
}

TEST(DrawHelpersShapeTest, TrianglesAndTheirPensAreRestored)
{
    DibSurface surface(20, 20, kWhite);
    const HGDIOBJ hPen = ::GetCurrentObject(surface.GetHdc(), OBJ_PEN);
    const HGDIOBJ hBrush = ::GetCurrentObject(surface.GetHdc(), OBJ_BRUSH);
    CLVKDrawHelpers::DrawTriangle(surface.GetDC(), {2, 2}, {2, 16}, {16, 9}, kRed, kBlue);
    EXPECT_EQ(kBlue, surface.Pixel(5, 9)) << "inside is the fill colour";
    EXPECT_EQ(kRed, surface.Pixel(2, 9)) << "the edge is the pen colour";
    EXPECT_EQ(kWhite, surface.Pixel(17, 9));
    EXPECT_EQ(hPen, ::GetCurrentObject(surface.GetHdc(), OBJ_PEN));
    EXPECT_EQ(hBrush, ::GetCurrentObject(surface.GetHdc(), OBJ_BRUSH));

    // A missing fill takes the pen colour.
    DibSurface solid(20, 20, kWhite);
    CLVKDrawHelpers::DrawTriangle(solid.GetDC(), {2, 2}, {2, 16}, {16, 9}, kRed);
    EXPECT_EQ(kRed, solid.Pixel(5, 9));
}

TEST(DrawHelpersShapeTest, SmallTriangleShapesAt96Dpi)
{
    // At 96 DPI s(n) = n: the corner triangle's right angle is at the bottom
    // right; the arrow points right from (x, y)..(x, y + 8) to (x + 4, y + 4).
    DibSurface corner(12, 12, kWhite);
    CLVKDrawHelpers::DrawSmallTriangle(corner.GetDC(), 2, 2, TRUE, kRed);
    EXPECT_EQ(kRed, corner.Pixel(7, 7)) << "bottom right corner";
    EXPECT_EQ(kRed, corner.Pixel(7, 2)) << "top right corner";
    EXPECT_EQ(kWhite, corner.Pixel(3, 3)) << "above the diagonal";

    DibSurface arrow(12, 12, kWhite);
    CLVKDrawHelpers::DrawSmallTriangle(arrow.GetDC(), 2, 2, FALSE, kBlue);
    EXPECT_EQ(kBlue, arrow.Pixel(2, 6));
    EXPECT_EQ(kBlue, arrow.Pixel(6, 6)) << "the point";
    EXPECT_EQ(kWhite, arrow.Pixel(6, 2));
}

TEST(DrawHelpersShapeTest, ExcludeCornersLeavesTheCornerPixels)
{
    DibSurface all(10, 10, kWhite);
    const CRect rc(0, 0, 10, 10);
    CLVKDrawHelpers::ExcludeCorners(all.GetDC(), &rc);
    all.GetDC()->FillSolidRect(&rc, kRed);
    EXPECT_EQ(kWhite, all.Pixel(0, 0));
    EXPECT_EQ(kWhite, all.Pixel(9, 0));
    EXPECT_EQ(kWhite, all.Pixel(0, 9));
    EXPECT_EQ(kWhite, all.Pixel(9, 9));
    EXPECT_EQ(kRed, all.Pixel(1, 0));

    DibSurface top(10, 10, kWhite);
    CLVKDrawHelpers::ExcludeCorners(top.GetDC(), &rc, TRUE);
    top.GetDC()->FillSolidRect(&rc, kRed);
    EXPECT_EQ(kWhite, top.Pixel(0, 0));
    EXPECT_EQ(kRed, top.Pixel(0, 9));
}

TEST(DrawHelpersTextTest, StripMnemonics)
{
    struct Case
    {
        const char* pszName;
        LPCWSTR lpszIn;
        LPCWSTR lpszOut;
    };
    const Case cases[] = {
        {"ampersand before a letter", L"&File", L"File"}, {"two ampersands keep one", L"Save && Exit", L"Save & Exit"},
        {"final ampersand goes", L"Drive&", L"Drive"},    {"no ampersand", L"Plain", L"Plain"},
        {"three ampersands", L"a&&&b", L"a&b"},
    };
    for (const Case& c : cases)
    {
        CString str(c.lpszIn);
        CLVKDrawHelpers::StripMnemonics(str);
        EXPECT_STREQ(c.lpszOut, str.GetString()) << c.pszName;

        WCHAR szBuffer[32] = {};
        lstrcpynW(szBuffer, c.lpszIn, 32);
        LVKStripMnemonicsInBuffer(szBuffer);
        EXPECT_STREQ(c.lpszOut, szBuffer) << c.pszName;
    }
    LVKStripMnemonicsInBuffer(nullptr);
    LVKStripMnemonicsInBuffer(reinterpret_cast<LPWSTR>(static_cast<INT_PTR>(-1)));
}

TEST(DrawHelpersTextTest, MatchRectParity)
{
    struct Case
    {
        const char* pszName;
        RECT in;
        RECT out;
    };
    const Case cases[] = {
        {"both even", {0, 0, 10, 6}, {0, 0, 10, 6}},
        {"both odd", {0, 0, 9, 7}, {0, 0, 9, 7}},
        {"odd narrower than even", {0, 0, 5, 10}, {1, 0, 4, 9}},
        {"odd wider than even", {0, 0, 11, 10}, {0, 0, 10, 10}},
        {"odd lower than even", {0, 0, 10, 5}, {0, 1, 9, 4}},
        {"odd taller than even", {0, 0, 10, 11}, {0, 0, 10, 10}},
    };
    for (const Case& c : cases)
    {
        const RECT rc = LVKMatchRectParity(c.in.left, c.in.top, c.in.right, c.in.bottom);
        EXPECT_TRUE(::EqualRect(&rc, &c.out))
            << c.pszName << ": " << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
    }
}

TEST(DrawHelpersTextTest, FittingFontHeightIsTheLargestThatFits)
{
    DibSurface surface(200, 100, kWhite);
    CLVKFont font;
    ASSERT_TRUE(font.CreatePointFont(80, L"Tahoma"));
    const CRect rc(0, 0, 120, 40);
    const int nHeight = CLVKDrawHelpers::FindFittingFontHeight(surface.GetDC(), L"Drive", 5, &rc, font.GetFont());
    ASSERT_GT(nHeight, 0);

    const auto measure = [&](int h)
    {
        LOGFONTW lf{};
        font.GetLogFont(&lf);
        lf.lfHeight = h;
        const HFONT hFont = ::CreateFontIndirectW(&lf);
        const HGDIOBJ hOld = ::SelectObject(surface.GetHdc(), hFont);
        SIZE size{};
        ::GetTextExtentPoint32W(surface.GetHdc(), L"Drive", 5, &size);
        ::SelectObject(surface.GetHdc(), hOld);
        ::DeleteObject(hFont);
        return size;
    };
    const SIZE fits = measure(nHeight);
    EXPECT_LE(fits.cx, 120);
    EXPECT_LE(fits.cy, 40);
    const SIZE bigger = measure(nHeight + 1);
    EXPECT_TRUE(bigger.cx >= 120 || bigger.cy >= 40) << "one size larger no longer fits";

    const CRect rcEmpty(0, 0, 0, 10);
    EXPECT_EQ(0, CLVKDrawHelpers::FindFittingFontHeight(surface.GetDC(), L"Drive", 5, &rcEmpty, font.GetFont()));
}

TEST(DrawHelpersTextTest, DrawTextWithFontRestoresTheDC)
{
    DibSurface surface(100, 30, kWhite);
    CDC* const pDC = surface.GetDC();
    pDC->SetTextColor(RGB(1, 2, 3));
    pDC->SetBkMode(OPAQUE);
    pDC->SetBkColor(RGB(4, 5, 6));
    const HGDIOBJ hFont = ::GetCurrentObject(surface.GetHdc(), OBJ_FONT);
    CLVKFont font;
    ASSERT_TRUE(font.CreatePointFont(90, L"Tahoma"));
    CRect rc(0, 0, 100, 30);
    EXPECT_GT(CLVKDrawHelpers::DrawTextWithFont(pDC, font.GetFont(), L"X", 1, &rc, DT_SINGLELINE, kRed, kBlue), 0);
    EXPECT_EQ(kBlue, surface.Pixel(0, 0)) << "the opaque background is drawn";
    EXPECT_EQ(RGB(1, 2, 3), pDC->GetTextColor());
    EXPECT_EQ(OPAQUE, pDC->GetBkMode());
    EXPECT_EQ(RGB(4, 5, 6), pDC->GetBkColor());
    EXPECT_EQ(hFont, ::GetCurrentObject(surface.GetHdc(), OBJ_FONT));
}

TEST(DrawHelpersTextTest, DrawTextInFaceFitsAndCentresWithSizeZero)
{
    DibSurface surface(80, 40, kWhite);
    CRect rc(0, 0, 80, 40);
    EXPECT_GT(CLVKDrawHelpers::DrawTextInFace(surface.GetDC(), L"Tahoma", 0, L"Ab", -1, &rc, DT_LEFT, kBlack,
                                              static_cast<COLORREF>(-1)),
              0);
    BOOL bInk = FALSE;
    for (int x = 0; x < 80 && !bInk; ++x)
        bInk = surface.Pixel(x, 20) != kWhite;
    EXPECT_TRUE(bInk) << "text is drawn across the middle row";
    EXPECT_EQ(kWhite, surface.Pixel(0, 0));
}

TEST(DrawHelpersFontTest, FacesAndIconTitleFont)
{
    // The installed families differ between machines: take one from the
    // system and ask for it in lower case.
    WCHAR szInstalled[LF_FACESIZE] = {};
    const HDC hScreen = ::GetDC(nullptr);
    LOGFONTW lfAll{};
    lfAll.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExW(hScreen, &lfAll, &TakeFirstFace, reinterpret_cast<LPARAM>(szInstalled), 0);
    ::ReleaseDC(nullptr, hScreen);
    ASSERT_NE(0, szInstalled[0]);
    CharLowerW(szInstalled);
    EXPECT_TRUE(CLVKDrawHelpers::FontExists(szInstalled)) << "case is ignored";
    EXPECT_FALSE(CLVKDrawHelpers::FontExists(L"No Such Face 4711"));

    LOGFONTW lf{};
    ASSERT_TRUE(CLVKDrawHelpers::GetIconTitleLogFont(&lf));
    EXPECT_NE(0, lf.lfFaceName[0]);
    EXPECT_EQ(CLEARTYPE_QUALITY, lf.lfQuality);

    const CString strFace = CLVKDrawHelpers::GetDefaultFontFaceName(TRUE);
    EXPECT_FALSE(strFace.IsEmpty());
    LOGFONTW lfGui{};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lfGui), &lfGui);
    if (lfGui.lfCharSet <= SYMBOL_CHARSET)
    {
        // A western system: Tahoma beside Arial, Arial alone, else the GUI face.
        const BOOL bArial = CLVKDrawHelpers::FontExists(L"Arial");
        const BOOL bTahoma = CLVKDrawHelpers::FontExists(L"Tahoma");
        const CString strExpected = bArial ? (bTahoma ? L"Tahoma" : L"Arial") : lfGui.lfFaceName;
        EXPECT_STREQ(strExpected.GetString(), strFace.GetString());
        EXPECT_STREQ(bArial ? L"Arial" : lfGui.lfFaceName, CLVKDrawHelpers::GetDefaultFontFaceName(FALSE).GetString());
    }
}

TEST(DrawHelpersLayoutTest, RightToLeftLayoutOfADC)
{
    DibSurface surface(4, 4);
    EXPECT_FALSE(CLVKDrawHelpers::IsLayoutRTL(surface.GetHdc()));
    CLVKDrawHelpers::SetLayout(surface.GetHdc(), TRUE);
    EXPECT_EQ(static_cast<DWORD>(LAYOUT_RTL), CLVKDrawHelpers::GetLayout(surface.GetHdc()));
    EXPECT_TRUE(CLVKDrawHelpers::IsLayoutRTLOfDC(surface.GetDC()));
    CLVKDrawHelpers::SetLayoutOfDC(surface.GetDC(), FALSE);
    EXPECT_FALSE(CLVKDrawHelpers::IsLayoutRTL(surface.GetHdc()));
    EXPECT_EQ(0u, CLVKDrawHelpers::GetLayoutOfDC(nullptr));
    EXPECT_FALSE(CLVKDrawHelpers::IsLayoutRTLOfDC(nullptr));
}
