// Keyboard moves across the header-record, body and footer-record rows, page
// moves, and the list of hidden columns.
#include "ReportControl/ReportColumnListBox.h"
#include "ReportControl/ReportIconNavigator.h"
#include "ReportControl/ReportNavigator.h"
#include "ReportTestSupport.h"

#include <gtest/gtest.h>

namespace
{
struct NavigatorReport
{
    ReportWindow w;

    explicit NavigatorReport(int nRows, BOOL bFooter, int cy = 300) : w(400, cy)
    {
        w.AddColumns(1);
        for (int i = 0; i < nRows; i++)
        {
            CString str;
            str.Format(L"row %02d", i);
            w.report.AddRecord(MakeRecord({str}));
        }
        if (bFooter)
        {
            w.report.GetFooterRecords()->Add(MakeRecord({L"footer 0"}));
            w.report.GetFooterRecords()->Add(MakeRecord({L"footer 1"}));
            w.report.ShowFooterRows(TRUE);
            w.report.PopulateFooterRows();
        }
        w.report.Populate();
        w.report.UpdateWindow();
    }
    CLVKReportNavigator* Nav() { return w.report.GetNavigator(); }
    CString Focused()
    {
        CLVKReportRow* pRow = w.report.GetFocusedRow();
        return pRow && pRow->GetRecord() ? pRow->GetRecord()->GetItem(0)->GetCaption(nullptr) : CString(L"none");
    }
};

TEST(ReportNavigator, DownAndUpCrossIntoTheFooterRows)
{
    for (BOOL bFooter : {TRUE, FALSE})
    {
        NavigatorReport r(5, bFooter);
        r.w.report.SendMessage(WM_KEYDOWN, VK_END);
        EXPECT_STREQ(L"row 04", r.Focused());
        r.w.report.SendMessage(WM_KEYDOWN, VK_DOWN);
        EXPECT_STREQ(bFooter ? L"footer 0" : L"row 04", r.Focused()) << bFooter;
        if (!bFooter)
            continue;
        r.w.report.SendMessage(WM_KEYDOWN, VK_DOWN);
        EXPECT_STREQ(L"footer 1", r.Focused());
        r.w.report.SendMessage(WM_KEYDOWN, VK_DOWN);
        EXPECT_STREQ(L"footer 1", r.Focused()) << "the last footer row stays";
        r.w.report.SendMessage(WM_KEYDOWN, VK_UP);
        r.w.report.SendMessage(WM_KEYDOWN, VK_UP);
        EXPECT_STREQ(L"row 04", r.Focused()) << "back into the body";
    }
}

TEST(ReportNavigator, UpFromTheFooterTakesTheLastRowOfThePage)
{
    NavigatorReport r(50, TRUE, 200);
    r.w.report.SendMessage(WM_KEYDOWN, VK_HOME);
    const int nTop = r.w.report.GetTopRowIndex();
    r.Nav()->MoveFirstRow(2);
    EXPECT_STREQ(L"footer 0", r.Focused());
    r.w.report.SendMessage(WM_KEYDOWN, VK_UP);
    const int nPage = r.w.report.GetPageScrollCount(nTop, TRUE);
    ASSERT_GT(nPage, 0);
    ASSERT_LT(nTop + nPage, 49);
    EXPECT_EQ(nTop + nPage, r.w.report.GetRows()->GetFocusedRowIndex()) << "not the last row overall";
}

TEST(ReportNavigator, PageDownStopsAtTheLastRow)
{
    NavigatorReport r(50, FALSE);
    r.Nav()->MoveToRow(45, FALSE, FALSE);
    ASSERT_EQ(45, r.w.report.GetRows()->GetFocusedRowIndex());
    ASSERT_GE(r.w.report.GetPageScrollCount(45, TRUE), 4);
    r.w.report.SendMessage(WM_KEYDOWN, VK_NEXT);
    EXPECT_EQ(49, r.w.report.GetRows()->GetFocusedRowIndex());
    r.Nav()->MoveToRow(500, FALSE, FALSE);
    EXPECT_EQ(49, r.w.report.GetRows()->GetFocusedRowIndex()) << "clamped";
    r.Nav()->MoveToRow(-3, FALSE, FALSE);
    EXPECT_EQ(0, r.w.report.GetRows()->GetFocusedRowIndex());
}

TEST(ReportNavigator, DownAndUpCrossBetweenTheHeaderRowsAndTheBody)
{
    NavigatorReport r(5, FALSE);
    r.w.report.GetHeaderRecords()->Add(MakeRecord({L"header 0"}));
    r.w.report.GetHeaderRecords()->Add(MakeRecord({L"header 1"}));
    r.w.report.ShowHeaderRows(TRUE);
    r.w.report.PopulateHeaderRows();
    r.w.report.UpdateWindow();
    r.Nav()->MoveFirstRow(1);
    EXPECT_STREQ(L"header 0", r.Focused());
    r.Nav()->MoveUp(FALSE, FALSE);
    EXPECT_STREQ(L"header 0", r.Focused()) << "nothing above the first header row";
    const std::pair<void (CLVKReportNavigator::*)(BOOL, BOOL), LPCWSTR> steps[] = {
        {&CLVKReportNavigator::MoveDown, L"header 1"}, {&CLVKReportNavigator::MoveDown, L"row 00"},
        {&CLVKReportNavigator::MoveDown, L"row 01"},   {&CLVKReportNavigator::MoveUp, L"row 00"},
        {&CLVKReportNavigator::MoveUp, L"header 1"},   {&CLVKReportNavigator::MoveUp, L"header 0"},
    };
    for (const auto& step : steps)
    {
        (r.Nav()->*step.first)(FALSE, FALSE);
        EXPECT_STREQ(step.second, r.Focused());
    }
    EXPECT_EQ(-1, r.w.report.GetRows()->GetFocusedRowIndex()) << "the body holds no focus then";
}

// The keys pass no Ctrl to page moves, but a caller's Ctrl moves the focus
// and leaves the selection as it is, as for every other move.
TEST(ReportNavigator, PageMovesKeepTheSelectionWithCtrl)
{
    NavigatorReport r(50, FALSE);
    r.Nav()->MoveToRow(0, FALSE, FALSE);
    CLVKReportRows* pRows = r.w.report.GetRows();
    ASSERT_TRUE(pRows->GetAt(0)->IsSelected());
    r.Nav()->MovePageDown(FALSE, TRUE);
    const int nDown = pRows->GetFocusedRowIndex();
    ASSERT_GT(nDown, 0);
    EXPECT_TRUE(pRows->GetAt(0)->IsSelected());
    EXPECT_FALSE(pRows->GetAt(nDown)->IsSelected());
    r.Nav()->MovePageUp(FALSE, TRUE);
    EXPECT_EQ(0, pRows->GetFocusedRowIndex());
    r.Nav()->MovePageDown(FALSE, FALSE);
    EXPECT_FALSE(pRows->GetAt(0)->IsSelected()) << "without Ctrl the selection follows the focus";
    EXPECT_TRUE(pRows->GetAt(pRows->GetFocusedRowIndex())->IsSelected());
}

TEST(ReportNavigator, SkippedGroupRowsNeitherKeepTheFocusNorStaySelected)
{
    ReportWindow w;
    w.AddColumns(2);
    for (LPCWSTR group : {L"a", L"a", L"b", L"b"})
        w.report.AddRecord(MakeRecord({L"item", group}));
    CLVKReportColumns* pColumns = w.report.GetColumns();
    pColumns->GetGroupsOrder()->Add(pColumns->GetAt(1));
    w.report.Populate();
    w.report.UpdateWindow();
    CLVKReportRows* pRows = w.report.GetRows();
    ASSERT_TRUE(pRows->GetAt(0)->IsGroupRow());
    ASSERT_TRUE(pRows->GetAt(3)->IsGroupRow());
    w.report.GetNavigator()->MoveToRow(2, FALSE, FALSE);
    w.report.SendMessage(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(4, pRows->GetFocusedRowIndex()) << "past the expanded group row into its first row";
    EXPECT_FALSE(pRows->GetAt(3)->IsSelected());
}

TEST(ReportColumnListBox, ListsHiddenColumnsOnly)
{
    ReportWindow w;
    w.AddColumns(4);
    w.report.GetColumns()->GetAt(3)->SetCaption(L"Alpha");
    CLVKReportColumnListBox list;
    EXPECT_FALSE(list.UpdateList()) << "without a control or window";
    RECT rc{0, 0, 100, 100};
    ASSERT_TRUE(list.CreateEx(0, L"LISTBOX", L"", WS_CHILD | LBS_HASSTRINGS | LBS_NOTIFY, rc, &w.parent, 7));
    list.SetReportCtrl(&w.report);
    list.m_bSortedBySelf = TRUE;
    EXPECT_TRUE(list.UpdateList());
    EXPECT_EQ(0, static_cast<int>(list.SendMessage(LB_GETCOUNT)));
    EXPECT_FALSE(list.IsWindowEnabled()) << "nothing to list";

    w.report.GetColumns()->GetAt(1)->SetVisible(FALSE);
    w.report.GetColumns()->GetAt(3)->SetVisible(FALSE);
    w.report.GetColumns()->GetAt(2)->SetShowInFieldChooser(FALSE);
    w.report.GetColumns()->GetAt(2)->SetVisible(FALSE);
    ASSERT_TRUE(list.UpdateList());
    ASSERT_EQ(2, static_cast<int>(list.SendMessage(LB_GETCOUNT)));
    EXPECT_STREQ(L"Alpha", list.GetItemText(0)) << "sorted by caption";
    EXPECT_STREQ(L"Col1", list.GetItemText(1));
    EXPECT_EQ(w.report.GetColumns()->GetAt(1), list.GetItemColumn(1));
    EXPECT_EQ(1, list.FindItemData(1));
    EXPECT_EQ(-1, list.FindItemData(2)) << "a column that may not be listed";
    EXPECT_TRUE(list.IsWindowEnabled());

    w.report.GetColumns()->GetAt(3)->SetVisible(TRUE);
    ASSERT_TRUE(list.UpdateList());
    ASSERT_EQ(1, static_cast<int>(list.SendMessage(LB_GETCOUNT)));
    EXPECT_STREQ(L"Col1", list.GetItemText(0)) << "a shown column leaves the list";
    list.DestroyWindow();
}

TEST(ReportNavigator, HidingTheFooterRowsGivesTheFocusBackToTheBody)
{
    NavigatorReport r(5, TRUE);
    r.Nav()->MoveFirstRow(2);
    ASSERT_STREQ(L"footer 0", r.Focused());
    r.w.report.ShowFooterRows(FALSE);
    EXPECT_EQ(r.w.report.GetTopRowIndex(), r.w.report.GetRows()->GetFocusedRowIndex());
    EXPECT_EQ(-1, r.w.report.GetFooterRows()->GetFocusedRowIndex());
}

}  // namespace

namespace
{
// A report whose icon view lays its rows out four to a line.
class CIconGridReport : public CLVKReportControl
{
public:
    void SetItemsPerLine(int n) { m_nIconsPerLine = n; }
};

TEST(ReportIconNavigator, MovesByLinesOfIconsAndCrossesIntoTheFooter)
{
    ReportWindowT<CIconGridReport> w;
    w.AddColumns(1);
    for (int i = 0; i < 10; i++)
        w.report.AddRecord(MakeRecord({L"icon"}));
    w.report.GetFooterRecords()->Add(MakeRecord({L"footer"}));
    w.report.ShowFooterRows(TRUE);
    w.report.PopulateFooterRows();
    w.report.Populate();
    w.report.UpdateWindow();
    w.report.SetItemsPerLine(4);
    CLVKReportIconNavigator nav(&w.report);
    CLVKReportRows* pRows = w.report.GetRows();
    auto focusAndMove = [&](int nFrom, BOOL bDown)
    {
        w.report.SetFocusedRow(pRows->GetAt(nFrom));
        if (bDown)
            nav.MoveDown(FALSE, FALSE);
        else
            nav.MoveUp(FALSE, FALSE);
        return w.report.GetRows()->GetFocusedRowIndex();
    };
    EXPECT_EQ(9, focusAndMove(5, TRUE));
    EXPECT_EQ(7, focusAndMove(7, TRUE)) << "no icon below in that column";
    EXPECT_EQ(1, focusAndMove(5, FALSE));
    EXPECT_EQ(2, focusAndMove(2, FALSE)) << "the first line has nothing above";
    EXPECT_EQ(-1, focusAndMove(9, TRUE)) << "from the last row into the footer rows";
    EXPECT_EQ(0, w.report.GetFooterRows()->GetFocusedRowIndex());

    // Left and right step one icon, only while the icon view is on.
    w.report.SetFocusedRow(pRows->GetAt(3));
    nav.MoveLeftRight(FALSE, FALSE, FALSE);
    EXPECT_EQ(3, pRows->GetFocusedRowIndex()) << "outside the icon view";
}

}  // namespace
