// The scroll-bar geometry shared by the control bars and the markup bar:
// the parts of bars of each kind for small, empty, reversed and huge ranges,
// the minimum and fixed thumbs, hit tests and positions from thumb pixels.
#include "Foundation/ScrollBarGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace
{

const int kArrow = 17;

enum class BarKind
{
    Control,
    Markup
};

CLVKScrollBarOptions OptionsFor(BarKind kind, int nFixedThumb = 0)
{
    CLVKScrollBarOptions options =
        kind == BarKind::Control ? CLVKScrollBarOptions::ForControlBar() : CLVKScrollBarOptions::ForMarkupBar();
    options.nArrowLength = kArrow;
    options.nFixedThumbLength = nFixedThumb;
    return options;
}

SCROLLINFO Info(int nMin, int nMax, UINT nPage, int nPos)
{
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    si.nMin = nMin;
    si.nMax = nMax;
    si.nPage = nPage;
    si.nPos = nPos;
    return si;
}

CLVKScrollBarGeometry VerticalBar(int nLength, const SCROLLINFO& info, const CLVKScrollBarOptions& options)
{
    CLVKScrollBarGeometry g;
    CLVKScrollBarCalcGeometry(g, RECT{0, 0, kArrow, nLength}, info, options);
    return g;
}

struct GeometryCase
{
    const char* name;
    BarKind kind;
    int nLength;
    int nMin, nMax;
    UINT nPage;
    int nPos;
    int nFixedThumb;
    int nFirstArrowEnd, nSecondArrowStart, nThumbLength, nThumbTravel, nThumbStart, nGeometryPos;
};

class ScrollBarGeometryCases : public ::testing::TestWithParam<GeometryCase>
{
};

TEST_P(ScrollBarGeometryCases, PartsOfAVerticalBar)
{
    const GeometryCase& c = GetParam();
    const CLVKScrollBarGeometry g =
        VerticalBar(c.nLength, Info(c.nMin, c.nMax, c.nPage, c.nPos), OptionsFor(c.kind, c.nFixedThumb));
    EXPECT_EQ(c.nFirstArrowEnd, g.nFirstArrowEnd);
    EXPECT_EQ(c.nSecondArrowStart, g.nSecondArrowStart);
    EXPECT_EQ(c.nThumbLength, g.nThumbLength);
    EXPECT_EQ(c.nThumbTravel, g.nThumbTravel);
    EXPECT_EQ(c.nThumbStart, g.nThumbStart);
    EXPECT_EQ(c.nGeometryPos, g.nPos);
    EXPECT_EQ(g.nThumbStart + g.nThumbLength, g.nThumbEnd);
    EXPECT_EQ(g.nFirstArrowEnd, g.nTrackStart);
    EXPECT_GE(g.nPage, 0);
}

// 200 pixels with arrows of 17 leave a track of 166.
INSTANTIATE_TEST_SUITE_P(
    Table, ScrollBarGeometryCases,
    ::testing::Values(
        // 0..100, page 10: thumb MulDiv(166, 10, 101) = 16, travel 150, position 45 at
        // 17 + MulDiv(45, 150, 91) = 91. Both bars agree on an ordinary range.
        GeometryCase{"ControlProportional", BarKind::Control, 200, 0, 100, 10, 45, 0, 17, 183, 16, 150, 91, 45},
        GeometryCase{"MarkupProportional", BarKind::Markup, 200, 0, 100, 10, 45, 0, 17, 183, 16, 150, 91, 45},
        // A tiny page: the control bar's thumb is half an arrow, the markup bar's 16.
        GeometryCase{"ControlMinimumThumbIsHalfAnArrow", BarKind::Control, 200, 0, 10000, 1, 0, 0, 17, 183, 8, 158,
                     17, 0},
        GeometryCase{"MarkupMinimumThumbIsSixteen", BarKind::Markup, 200, 0, 10000, 1, 0, 0, 17, 183, 16, 150, 17, 0},
        GeometryCase{"MarkupLastPositionEndsAtTheTrack", BarKind::Markup, 200, 0, 9999, 10, 9990, 0, 17, 183, 16, 150,
                     167, 9990},
        // A fixed thumb length wins over the page, but never exceeds the track.
        GeometryCase{"ControlFixedThumb", BarKind::Control, 200, 0, 100, 10, 0, 30, 17, 183, 30, 136, 17, 0},
        GeometryCase{"ControlFixedThumbLongerThanTheTrack", BarKind::Control, 60, 0, 100, 10, 0, 40, 17, 43, 26, 0, 17,
                     0},
        // No page: the thumb is an arrow long.
        GeometryCase{"ControlPageZeroTakesTheArrow", BarKind::Control, 200, 0, 100, 0, 0, 0, 17, 183, 17, 149, 17, 0},
        // The page covers the range (nothing to scroll): the thumb fills the track;
        // the control bar's stands one pixel early.
        GeometryCase{"ControlPageCoversTheRange", BarKind::Control, 200, 0, 100, 101, 0, 0, 17, 183, 166, 0, 16, 0},
        GeometryCase{"MarkupPageCoversTheRange", BarKind::Markup, 200, 0, 99, 500, 0, 0, 17, 183, 166, 0, 17, 0},
        // A page above INT_MAX is none for the control bar, the whole range for the markup bar.
        GeometryCase{"ControlNegativePageIsNone", BarKind::Control, 200, 0, 100, 0x80000000u, 0, 0, 17, 183, 17, 149,
                     17, 0},
        GeometryCase{"MarkupNegativePageCoversTheRange", BarKind::Markup, 200, 0, 100, 0x80000000u, 0, 0, 17, 183, 166,
                     0, 17, 0},
        // A position past the maximum: the control bar lowers it to the maximum
        // (17 + MulDiv(100, 150, 91) = 182, past the travel, which its paint
        // manager hides); the markup bar keeps the thumb at the travel's end.
        GeometryCase{"ControlPositionAboveTheMaximumIsLowered", BarKind::Control, 200, 0, 100, 10, 500, 0, 17, 183, 16,
                     150, 182, 100},
        GeometryCase{"MarkupPositionAboveTheMaximumStaysInTheTrack", BarKind::Markup, 200, 0, 100, 10, 500, 0, 17, 183,
                     16, 150, 167, 500},
        // A maximum below the minimum: the control bar reads the largest range
        // (a thin thumb, the position raised to the minimum), the markup bar none.
        GeometryCase{"ControlReversedRangeIsTheLargest", BarKind::Control, 200, 10, 5, 5, 7, 0, 17, 183, 8, 158, 17,
                     10},
        GeometryCase{"MarkupReversedRangeIsEmpty", BarKind::Markup, 200, 10, 5, 5, 7, 0, 17, 183, 17, 149, 17, 7},
        // The whole int span wraps to no range for the control bar: no page,
        // nothing to scroll.
        GeometryCase{"ControlWholeIntSpanWrapsToNothing", BarKind::Control, 200, INT_MIN, INT_MAX, 10, 0, 0, 17, 183,
                     17, 149, 16, 0},
        // Shorter than two arrows: the arrows share the length, no track.
        GeometryCase{"ControlShorterThanTwoArrows", BarKind::Control, 20, 0, 100, 10, 0, 0, 10, 10, 0, 0, 10, 0},
        GeometryCase{"MarkupShorterThanTwoArrows", BarKind::Markup, 20, 0, 100, 10, 0, 0, 10, 10, 0, 0, 10, 0},
        GeometryCase{"EmptyBar", BarKind::Markup, 0, 0, 100, 10, 0, 0, 0, 0, 0, 0, 0, 0}),
    [](const ::testing::TestParamInfo<GeometryCase>& info) { return std::string(info.param.name); });

TEST(ScrollBarGeometry, HalfAnArrowAboveSixteenIsTheMarkupMinimum)
{
    CLVKScrollBarOptions options = OptionsFor(BarKind::Markup);
    options.nArrowLength = 40;
    const CLVKScrollBarGeometry g = VerticalBar(400, Info(0, 10000, 1, 0), options);
    EXPECT_EQ(20, g.nThumbLength);
}

TEST(ScrollBarGeometry, HorizontalBarRunsAlongXAndHitTestsEachPart)
{
    // 200 pixels from x = 10: arrows end at 27 and start at 193, thumb 101..117.
    CLVKScrollBarGeometry g;
    g.bVertical = FALSE;
    CLVKScrollBarCalcGeometry(g, RECT{10, 5, 210, 22}, Info(0, 100, 10, 45), OptionsFor(BarKind::Control));
    EXPECT_EQ(27, g.nFirstArrowEnd);
    EXPECT_EQ(193, g.nSecondArrowStart);
    EXPECT_EQ(101, g.nThumbStart);
    const RECT rcThumb = CLVKScrollBarPartRect(g, g.nThumbStart, g.nThumbEnd);
    const RECT rcExpected = {101, 5, 117, 22};
    EXPECT_TRUE(::EqualRect(&rcThumb, &rcExpected)) << "the thumb spans the bar across";

    const struct
    {
        POINT pt;
        int nPart;
    } cases[] = {{{10, 10}, LVK_HTSCROLLUP},        {{26, 21}, LVK_HTSCROLLUP},        {{27, 5}, LVK_HTSCROLLUPPAGE},
                 {{100, 10}, LVK_HTSCROLLUPPAGE},   {{101, 10}, LVK_HTSCROLLTHUMB},    {{116, 10}, LVK_HTSCROLLTHUMB},
                 {{117, 10}, LVK_HTSCROLLDOWNPAGE}, {{192, 10}, LVK_HTSCROLLDOWNPAGE}, {{193, 10}, LVK_HTSCROLLDOWN},
                 {{209, 10}, LVK_HTSCROLLDOWN},     {{210, 10}, LVK_HTSCROLLNONE},     {{9, 10}, LVK_HTSCROLLNONE},
                 {{105, 4}, LVK_HTSCROLLNONE},      {{105, 22}, LVK_HTSCROLLNONE}};
    for (const auto& c : cases)
        EXPECT_EQ(c.nPart, CLVKScrollBarHitTest(g, c.pt)) << "x = " << c.pt.x << ", y = " << c.pt.y;

    // A popup limit takes the points beyond it, before the second arrow.
    g.nPopupLimit = 150;
    EXPECT_EQ(LVK_HTSCROLLDOWNPAGE, CLVKScrollBarHitTest(g, POINT{150, 10}));
    EXPECT_EQ(LVK_HTSCROLLPOPUP, CLVKScrollBarHitTest(g, POINT{151, 10}));
    EXPECT_EQ(LVK_HTSCROLLPOPUP, CLVKScrollBarHitTest(g, POINT{200, 10}));
    EXPECT_EQ(LVK_HTSCROLLUP, CLVKScrollBarHitTest(g, POINT{12, 10}));
}

TEST(ScrollBarGeometry, PositionFromThumbPixel)
{
    const CLVKScrollBarGeometry g = VerticalBar(200, Info(0, 100, 10, 0), OptionsFor(BarKind::Control));
    const struct
    {
        int nPixel;
        int nPos;
    } cases[] = {{0, 0}, {17, 0}, {17 + 75, ::MulDiv(91, 75, 150)}, {17 + 150, 91}, {1000, 91}};
    for (const auto& c : cases)
        EXPECT_EQ(c.nPos, CLVKScrollBarPosFromThumb(g, c.nPixel)) << "pixel " << c.nPixel;
}

TEST(ScrollBarGeometry, RangeWiderThanAnIntStillPlacesTheThumbInsideTheBar)
{
    // INT_MIN .. INT_MAX - 1: the span from the minimum to a position no
    // longer fits an int. It once wrapped to a negative span and put the
    // thumb above the bar, and every dragged pixel gave the minimum.
    const CLVKScrollBarGeometry g = VerticalBar(200, Info(INT_MIN, INT_MAX - 1, 0, 0), OptionsFor(BarKind::Control));
    EXPECT_GE(g.nThumbStart, g.nTrackStart);
    EXPECT_LE(g.nThumbStart, g.nTrackStart + g.nThumbTravel);

    const int nMiddle = CLVKScrollBarPosFromThumb(g, g.nTrackStart + g.nThumbTravel / 2);
    EXPECT_GT(nMiddle, INT_MIN / 2);
    EXPECT_LT(nMiddle, INT_MAX / 2);
    EXPECT_EQ(INT_MIN, CLVKScrollBarPosFromThumb(g, g.nTrackStart));
    EXPECT_EQ(INT_MAX - 1, CLVKScrollBarPosFromThumb(g, g.nTrackStart + g.nThumbTravel));
}

TEST(ScrollBarGeometry, DraggedThumbFollowsWithinEightBarWidthsBeside)
{
    CLVKScrollBarGeometry g = VerticalBar(200, Info(0, 100, 10, 0), OptionsFor(BarKind::Control));
    CLVKScrollBarTrackState state;
    state.pGeometry = &g;
    const RECT rc = CLVKScrollBarTrackRect(state);
    EXPECT_EQ(-8 * kArrow, rc.left);
    EXPECT_EQ(9 * kArrow, rc.right);
    EXPECT_EQ(-2 * ::GetSystemMetrics(SM_CYVTHUMB), rc.top);
    EXPECT_EQ(200 + 2 * ::GetSystemMetrics(SM_CYVTHUMB), rc.bottom);
}

}  // namespace
