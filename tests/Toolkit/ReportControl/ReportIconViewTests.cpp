// The report control's icon view: switching it on and off, its lines of icon
// cells, its scrolling and its navigation.
#include "ReportTestSupport.h"

#include "Foundation/DpiScaling.h"
#include "ReportControl/ReportHeader.h"
#include "ReportControl/ReportPaintManager.h"
#include "ReportControl/ReportSection.h"

#include <gtest/gtest.h>

namespace
{

// A report whose body is four icon cells wide, with ten records of two items
// and a third, hidden column that the icon view shows.
struct IconViewReport : ReportWindow
{
    IconViewReport() : ReportWindow(400, 300)
    {
        AddColumns(2);
        report.AddColumn(new CLVKReportColumn(5, L"Icon", 40, TRUE, -1, TRUE, FALSE));
        for (int i = 0; i < 10; i++)
        {
            CString strName;
            strName.Format(L"file %d", i);
            report.AddRecord(MakeRecord({strName, L"x"}));
        }
        report.Populate();
        report.SetIconColumnIndex(5);
        const int nCell = GetSystemMetrics(SM_CXICONSPACING) + CLVKDpiScaling::GetGlobal()->ScaleX(5);
        RECT rcWindow{};
        report.GetWindowRect(&rcWindow);
        RECT rcClient{};
        report.GetClientRect(&rcClient);
        const int nFrame = (rcWindow.right - rcWindow.left) - rcClient.right;
        // Four cells and a half: the vertical bar takes its room too.
        report.SetWindowPos(nullptr, 0, 0, 4 * nCell + nCell / 2 + nFrame + GetSystemMetrics(SM_CXVSCROLL), 300,
                            SWP_NOZORDER | SWP_NOMOVE);
    }
};

TEST(ReportIconView, SwitchingHidesTheColumnsAndGivesThemBack)
{
    IconViewReport w;
    CLVKReportColumns* pColumns = w.report.GetColumns();
    pColumns->GetGroupsOrder()->Add(pColumns->GetAt(1));
    w.report.ShowFooter(TRUE);
    w.report.Populate();
    ASSERT_TRUE(w.report.ShowIconView(TRUE));
    EXPECT_TRUE(w.report.IsIconView());
    EXPECT_EQ(1, pColumns->GetVisibleColumnsCount()) << "only the icon column";
    EXPECT_TRUE(pColumns->Find(5)->IsVisible());
    EXPECT_EQ(0, pColumns->GetGroupsOrder()->GetCount()) << "no groups in the icon view";
    EXPECT_FALSE(w.report.IsHeaderVisible());
    EXPECT_FALSE(w.report.IsFooterVisible());
    EXPECT_EQ(4, w.report.GetIconViewItemsPerLine());
    EXPECT_EQ(0, w.report.GetPaintManager()->GetTreeIndent());
    EXPECT_EQ(10, w.report.GetRows()->GetCount()) << "plain rows, no group rows";
    EXPECT_TRUE(w.report.ShowIconView(TRUE)) << "already on";

    EXPECT_FALSE(w.report.ShowIconView(FALSE));
    EXPECT_FALSE(w.report.IsIconView());
    EXPECT_EQ(2, pColumns->GetVisibleColumnsCount());
    EXPECT_FALSE(pColumns->Find(5)->IsVisible());
    EXPECT_EQ(1, pColumns->GetGroupsOrder()->GetCount()) << "the group order comes back";
    EXPECT_TRUE(w.report.IsHeaderVisible());
    EXPECT_TRUE(w.report.IsFooterVisible());
    EXPECT_EQ(CLVKDpiScaling::GetGlobal()->ScaleX(20), w.report.GetPaintManager()->GetTreeIndent());
}

TEST(ReportIconView, TopRowsStartLinesOfIcons)
{
    IconViewReport w;
    ASSERT_TRUE(w.report.ShowIconView(TRUE));
    ASSERT_EQ(4, w.report.GetIconViewItemsPerLine());
    w.report.SetTopRowIndex(6);
    EXPECT_EQ(4, w.report.GetTopRowIndex()) << "rounded down to its line";
    // A top row set past the rounding draws from the next whole line.
    w.report.GetBodySection()->SetTopRowIndex(5);
    Capture(w.report);
    std::vector<CLVKReportRow*>& screen = w.report.GetRows()->GetScreenRows();
    ASSERT_FALSE(screen.empty());
    EXPECT_EQ(8, screen.front()->GetIndex());
    // Cells of one line share a top and stand side by side.
    w.report.SetTopRowIndex(0);
    Capture(w.report);
    ASSERT_GE(screen.size(), 5u);
    EXPECT_EQ(screen[0]->GetRect().top, screen[3]->GetRect().top);
    EXPECT_LT(screen[0]->GetRect().right, screen[1]->GetRect().right);
    EXPECT_GT(screen[4]->GetRect().top, screen[0]->GetRect().top) << "row 4 starts the second line";
    EXPECT_EQ(screen[0]->GetRect().left, screen[4]->GetRect().left);
}

TEST(ReportIconView, ArrowsMoveByLinesAndByIcons)
{
    IconViewReport w;
    ASSERT_TRUE(w.report.ShowIconView(TRUE));
    Capture(w.report);
    CLVKReportRows* pRows = w.report.GetRows();
    struct Step
    {
        int nFrom;
        UINT nKey;
        int nTo;
    } steps[] = {
        {5, VK_DOWN, 9}, {7, VK_DOWN, 7}, {9, VK_UP, 5}, {1, VK_UP, 1}, {5, VK_RIGHT, 6}, {4, VK_LEFT, 3},
    };
    for (const Step& step : steps)
    {
        w.report.SetFocusedRow(pRows->GetAt(step.nFrom));
        w.report.SendMessage(WM_KEYDOWN, step.nKey);
        EXPECT_EQ(step.nTo, pRows->GetFocusedRowIndex()) << "from " << step.nFrom << " key " << step.nKey;
    }
    // A click on an icon cell focuses its row.
    Capture(w.report);
    const RECT rc = pRows->GetAt(6)->GetRect();
    const LPARAM lParam = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    w.report.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    w.report.SendMessage(WM_LBUTTONUP, 0, lParam);
    EXPECT_EQ(6, pRows->GetFocusedRowIndex());
}

}  // namespace
