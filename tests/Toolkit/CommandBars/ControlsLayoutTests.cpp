// Placing controls: rows that wrap, hide what does not fit, push controls to
// the row's end and share spare length; columns of popup menus.
#include "Framework.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/ControlButton.h"
#include "CommandBars/Controls.h"
#include "CommandBars/PaintManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{

// A button of a fixed size, so that the layout alone decides the places.
class CSizedButton : public CLVKControlButton
{
public:
    CSize GetSize(CDC* /*pDC*/) override { return m_sz; }
    CSize m_sz{20, 20};
};

std::string Show(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

std::string Show(const SIZE& s)
{
    return std::to_string(s.cx) + "x" + std::to_string(s.cy);
}

// One control of a layout case: width, height, and its letters: g begins a
// group, r pushed right, s stretched, n starts a new row.
struct Item
{
    int cx;
    int cy;
    const char* flags;
};

struct LayoutFixture
{
    CLVKCommandBar* pBar = new CLVKCommandBar;
    CClientDC dc{nullptr};

    ~LayoutFixture() { pBar->InternalRelease(); }

    void Add(const Item& item)
    {
        CSizedButton* pButton = new CSizedButton;
        pButton->m_sz = CSize(item.cx, item.cy);
        for (const char* p = item.flags; *p; p++)
        {
            if (*p == 'g')
                pButton->SetBeginGroup(TRUE);
            if (*p == 'r')
                pButton->SetFlags(pButton->GetFlags() | kFlagPushRight);
            if (*p == 's')
                pButton->SetFlags(pButton->GetFlags() | kFlagStretch);
            if (*p == 'n')
                pButton->SetFlags(pButton->GetFlags() | kFlagNewRow);
            if (*p == 'h')
                pButton->SetVisible(FALSE);
        }
        pBar->GetControls()->InsertControl(pButton, -1);
    }

    CLVKControl* At(int i) const { return pBar->GetControl(i); }

    // The separator as the bar's paint manager measures it.
    CSize Separator() { return pBar->GetPaintManager()->DrawCommandBarSeparator(&dc, pBar, nullptr, FALSE); }
};

struct RowCase
{
    const char* name;
    std::vector<Item> items;
    int nLength;
    DWORD dwMode;
    CRect rcMargins;
    int nMinThickness;
    const char* expectedSize;
    std::vector<CRect> expectedRects;
    std::vector<int> expectedHidden;  // indexes hidden as not fitting
    DWORD dwModeBitsAdded;
};

class RowLayout : public ::testing::TestWithParam<RowCase>
{
};

TEST_P(RowLayout, PlacesTheControls)
{
    const RowCase& c = GetParam();
    LayoutFixture fixture;
    for (const Item& item : c.items)
        fixture.Add(item);
    DWORD dwMode = c.dwMode | CLVKControls::kLayoutCommit;
    const CSize sz =
        fixture.pBar->GetControls()->CalcDynamicSize(&fixture.dc, c.nLength, dwMode, c.rcMargins, c.nMinThickness);
    EXPECT_EQ(Show(sz), c.expectedSize);
    for (size_t i = 0; i < c.expectedRects.size(); i++)
    {
        const BOOL bHidden =
            std::find(c.expectedHidden.begin(), c.expectedHidden.end(), static_cast<int>(i)) != c.expectedHidden.end();
        EXPECT_EQ((fixture.At(static_cast<int>(i))->GetHideFlags() & kHideOverflow) != 0, bHidden != 0)
            << "control " << i;
        if (!bHidden)
            EXPECT_EQ(Show(fixture.At(static_cast<int>(i))->GetRect()), Show(c.expectedRects[i])) << "control " << i;
    }
    EXPECT_EQ(dwMode & ~(c.dwMode | CLVKControls::kLayoutCommit), c.dwModeBitsAdded);
}

constexpr DWORD kHorz = CLVKControls::kLayoutHorzDock;
constexpr DWORD kVert = CLVKControls::kLayoutVertDock;
constexpr DWORD kHide = CLVKControls::kLayoutHideWrap;
constexpr DWORD kStretch = CLVKControls::kLayoutStretch;

INSTANTIATE_TEST_SUITE_P(Cases, RowLayout,
                         ::testing::Values(RowCase{"OneRowWithMargins",
                                                   {{20, 20, ""}, {30, 20, ""}, {20, 20, ""}},
                                                   200,
                                                   kHorz,
                                                   CRect(2, 3, 2, 3),
                                                   0,
                                                   "74x26",
                                                   {CRect(2, 3, 22, 23), CRect(22, 3, 52, 23), CRect(52, 3, 72, 23)},
                                                   {},
                                                   0},
                                           RowCase{"WrapsIntoASecondRowAndStretches",
                                                   {{20, 20, ""}, {20, 20, ""}, {20, 20, ""}},
                                                   50,
                                                   kHorz,
                                                   CRect(0, 0, 0, 0),
                                                   0,
                                                   "50x40",
                                                   {CRect(0, 0, 20, 20), CRect(20, 0, 40, 20), CRect(0, 20, 20, 40)},
                                                   {},
                                                   kStretch},
                                           RowCase{
                                               "HidesWhatDoesNotFitUntilANewRowControl",
                                               {{20, 20, ""}, {20, 20, ""}, {20, 20, ""}, {20, 20, "n"}, {20, 20, ""}},
                                               50,
                                               kHorz | kHide,
                                               CRect(0, 0, 0, 0),
                                               0,
                                               "50x40",
                                               {CRect(0, 0, 20, 20), CRect(20, 0, 40, 20), CRect(),
                                                CRect(0, 20, 20, 40), CRect(20, 20, 40, 40)},
                                               {2},
                                               kStretch},
                                           RowCase{"ShortControlsAreCentredAcrossTheRow",
                                                   {{20, 20, ""}, {20, 10, ""}},
                                                   200,
                                                   kHorz,
                                                   CRect(0, 0, 0, 0),
                                                   30,
                                                   "40x30",
                                                   {CRect(0, 5, 20, 25), CRect(20, 10, 40, 20)},
                                                   {},
                                                   0},
                                           RowCase{"PushedToTheEndOfAStretchedRow",
                                                   {{20, 20, ""}, {20, 20, "r"}},
                                                   100,
                                                   kHorz | kStretch,
                                                   CRect(1, 1, 1, 1),
                                                   0,
                                                   "100x22",
                                                   {CRect(1, 1, 21, 21), CRect(79, 1, 99, 21)},
                                                   {},
                                                   0},
                                           RowCase{"SpareLengthIsSharedFiveThenSix",
                                                   {{20, 20, "s"}, {20, 20, "s"}},
                                                   51,
                                                   kHorz | kStretch,
                                                   CRect(0, 0, 0, 0),
                                                   0,
                                                   "51x20",
                                                   {CRect(0, 0, 25, 20), CRect(25, 0, 51, 20)},
                                                   {},
                                                   0},
                                           RowCase{"VerticalBarsStackDownwards",
                                                   {{20, 20, ""}, {30, 20, ""}},
                                                   200,
                                                   kVert,
                                                   CRect(0, 0, 0, 0),
                                                   0,
                                                   "30x40",
                                                   {CRect(5, 0, 25, 20), CRect(0, 20, 30, 40)},
                                                   {},
                                                   0},
                                           RowCase{"HiddenControlsTakeNoPlace",
                                                   {{20, 20, ""}, {20, 20, "h"}, {20, 20, ""}},
                                                   200,
                                                   kHorz,
                                                   CRect(0, 0, 0, 0),
                                                   0,
                                                   "40x20",
                                                   {CRect(0, 0, 20, 20), CRect(), CRect(20, 0, 40, 20)},
                                                   {},
                                                   0}),
                         [](const ::testing::TestParamInfo<RowCase>& info) { return std::string(info.param.name); });

TEST(RowLayout, ARowBreaksAtItsLastGroupStart)
{
    LayoutFixture fixture;
    fixture.Add({20, 20, ""});
    fixture.Add({20, 20, ""});
    fixture.Add({20, 20, "g"});
    fixture.Add({20, 20, ""});
    const int nSeparator = fixture.Separator().cx;
    DWORD dwMode = kHorz | CLVKControls::kLayoutCommit;
    // Room for the first three and their separator, not for the fourth.
    const int nLength = 60 + nSeparator + 10;
    fixture.pBar->GetControls()->CalcDynamicSize(&fixture.dc, nLength, dwMode, CRect(0, 0, 0, 0), 0);
    EXPECT_FALSE(fixture.At(1)->GetWrap());
    EXPECT_TRUE(fixture.At(2)->GetWrap());
    EXPECT_EQ(fixture.At(2)->GetRect().left, 0);
    EXPECT_EQ(fixture.At(3)->GetRect().left, 20);
    EXPECT_EQ(fixture.At(3)->GetRect().top, fixture.At(2)->GetRect().top);
    EXPECT_GT(fixture.At(2)->GetRect().top, 0);
}

TEST(RowLayout, AnEmptyBarMeasuresTheMinimumPlusMargins)
{
    LayoutFixture fixture;
    DWORD dwMode = kHorz;
    EXPECT_EQ(Show(fixture.pBar->GetControls()->CalcDynamicSize(&fixture.dc, 300, dwMode, CRect(2, 3, 4, 5), 0)),
              "29x30");
    // A bar whose only control is hidden is empty too; the thickness is
    // raised to the minimum.
    fixture.Add({20, 20, "h"});
    dwMode = kHorz;
    EXPECT_EQ(Show(fixture.pBar->GetControls()->CalcDynamicSize(&fixture.dc, 300, dwMode, CRect(0, 0, 0, 0), 40)),
              "23x40");
}

TEST(RowLayout, AFreeLengthBalancesTheRowsItNeeds)
{
    // Five 20-px buttons at a length of 90 need two rows. Wrapped at 90 the
    // rows would hold four and one; the narrowest width that still gives two
    // rows is 60, so the rows hold three and two.
    LayoutFixture fixture;
    for (int i = 0; i < 5; i++)
        fixture.Add({20, 20, ""});
    DWORD dwMode = CLVKControls::kLayoutCommit;
    const CSize sz = fixture.pBar->GetControls()->CalcDynamicSize(&fixture.dc, 90, dwMode, CRect(0, 0, 0, 0), 0);
    EXPECT_EQ(Show(sz), "90x40");  // a row broke: stretched to the length
    EXPECT_FALSE(fixture.At(2)->GetWrap());
    EXPECT_TRUE(fixture.At(3)->GetWrap());
    EXPECT_EQ(Show(fixture.At(4)->GetRect()), Show(CRect(20, 20, 40, 40)));
}

// ---- popup columns --------------------------------------------------------------------

TEST(PopupLayout, AColumnBreakAtAGroupStartAddsTheSeparatorBetweenColumns)
{
    LayoutFixture fixture;
    fixture.Add({30, 20, ""});
    fixture.Add({50, 20, ""});
    fixture.Add({40, 20, "g"});
    const CSize szSeparator = fixture.Separator();
    const CSize sz = fixture.pBar->GetControls()->CalcPopupSize(&fixture.dc, 50, 0, CRect(1, 2, 3, 4));
    // Column one holds two controls widened to 50; column two starts after
    // it and the separator.
    EXPECT_EQ(Show(fixture.At(0)->GetRect()), Show(CRect(1, 2, 51, 22)));
    EXPECT_EQ(Show(fixture.At(1)->GetRect()), Show(CRect(1, 22, 51, 42)));
    const int x = 51 + szSeparator.cx;
    EXPECT_EQ(Show(fixture.At(2)->GetRect()), Show(CRect(x, 2, x + 40, 22)));
    EXPECT_TRUE(fixture.At(2)->GetWrap());
    EXPECT_TRUE(fixture.pBar->IsMultiColumn());
    EXPECT_EQ(Show(sz), Show(CSize(x + 40 + 3, 2 + 40 + 4)));
    EXPECT_EQ(Show(fixture.At(0)->GetRowRect()), Show(CRect(1, 2, 51, 42)));
}

TEST(PopupLayout, AGroupInsideAColumnAddsTheSeparatorHeight)
{
    LayoutFixture fixture;
    fixture.Add({30, 20, "g"});  // the first control's group start adds nothing
    fixture.Add({30, 20, "g"});
    const CSize szSeparator = fixture.Separator();
    fixture.pBar->GetControls()->CalcPopupSize(&fixture.dc, 0, 0, CRect(0, 0, 0, 0));
    EXPECT_EQ(fixture.At(0)->GetRect().top, 0);
    EXPECT_EQ(fixture.At(1)->GetRect().top, 20 + szSeparator.cy);
    EXPECT_FALSE(fixture.pBar->IsMultiColumn());
}

TEST(PopupLayout, WideItemsAreCutToAThirdOfTheWorkArea)
{
    CRect rcWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcWork, 0);
    LayoutFixture fixture;
    fixture.Add({static_cast<int>(rcWork.right), 20, ""});
    fixture.pBar->GetControls()->CalcPopupSize(&fixture.dc, 0, 0, CRect(0, 0, 0, 0));
    EXPECT_EQ(fixture.At(0)->GetRect().Width(), rcWork.right / 3);
}

TEST(PopupLayout, AFixedWidthAndAnEmptyPopup)
{
    LayoutFixture fixture;
    EXPECT_EQ(Show(fixture.pBar->GetControls()->CalcPopupSize(&fixture.dc, 0, 0, CRect(2, 2, 2, 2))), "28x26");
    fixture.Add({30, 20, ""});
    const CSize sz = fixture.pBar->GetControls()->CalcPopupSize(&fixture.dc, 0, 100, CRect(2, 2, 2, 2));
    EXPECT_EQ(fixture.At(0)->GetRect().Width(), 96);
    EXPECT_EQ(Show(sz), "100x24");
}

}  // namespace
