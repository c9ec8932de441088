// The column header: automatic column sizing, resizing by the edge and best
// fit, sorting by clicks, the group-by box and the column tooltips.
#include "ReportTestSupport.h"

#include "Foundation/DpiScaling.h"
#include "ReportControl/ReportHeader.h"
#include "ReportControl/ReportPaintManager.h"

#include <gtest/gtest.h>

namespace
{

POINT HeaderPoint(CLVKReportControl& report, CLVKReportColumn* pColumn, int dx)
{
    const RECT rcHeader = report.GetElementRect(2);
    return POINT{pColumn->GetRect().left + dx, (rcHeader.top + rcHeader.bottom) / 2};
}

void Click(CLVKReportControl& report, POINT pt)
{
    report.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    report.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

TEST(ReportHeader, AutomaticSizingSharesTheWidthByBaseWidths)
{
    ReportWindow w(500, 200);
    w.report.AddColumn(new CLVKReportColumn(0, L"A", 100, TRUE));
    w.report.AddColumn(new CLVKReportColumn(1, L"B", 300, TRUE));
    w.report.AddColumn(new CLVKReportColumn(2, L"Fixed", 100, FALSE));
    w.report.Populate();
    CLVKReportColumns* pColumns = w.report.GetColumns();
    ASSERT_EQ(500, w.report.GetElementRect(0).right);
    EXPECT_EQ(100, pColumns->GetAt(0)->GetWidth());
    EXPECT_EQ(300, pColumns->GetAt(1)->GetWidth()) << "the last auto-size column takes what remains";
    EXPECT_EQ(100, pColumns->GetAt(2)->GetWidth());
    EXPECT_EQ(400, pColumns->GetAt(2)->GetRect().left);

    // The last visible column has no edge to drag and no best fit.
    CLVKReportHeader* pHeader = w.report.GetReportHeader();
    POINT ptEdge = HeaderPoint(w.report, pColumns->GetAt(2), 99);
    EXPECT_EQ(nullptr, pHeader->HitTestResize(ptEdge));
    ptEdge = HeaderPoint(w.report, pColumns->GetAt(0), 99);
    EXPECT_EQ(pColumns->GetAt(0), pHeader->HitTestResize(ptEdge));
    pHeader->BestFit(pColumns->GetAt(2));
    EXPECT_EQ(100, pColumns->GetAt(2)->GetWidth());
}

TEST(ReportHeader, DraggingAnEdgeResizesTheColumn)
{
    ReportWindow w(400, 200);
    w.report.GetReportHeader()->SetAutoColumnSizing(FALSE);
    for (int i = 0; i < 3; i++)
        w.report.AddColumn(new CLVKReportColumn(i, L"Col", 80, TRUE));
    w.report.Populate();
    w.report.UpdateWindow();
    CLVKReportColumn* pColumn = w.report.GetColumns()->GetAt(0);
    w.parent.m_codes.clear();
    const POINT pt = HeaderPoint(w.report, pColumn, 80);
    w.report.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(CLVKReportControl::kMouseOverDivider, w.report.GetMouseMode()) << "over the edge";
    w.report.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x + 30, pt.y));
    w.report.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x + 30, pt.y));
    w.report.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(110, pColumn->GetWidth());
    EXPECT_EQ(110, w.report.GetColumns()->GetAt(1)->GetRect().left) << "the next column moved";
    EXPECT_EQ(1, w.parent.Count(REPORT_NOTIFY_COLUMN_WIDTH_CHANGED));
    EXPECT_EQ(CLVKReportControl::kMouseIdle, w.report.GetMouseMode());
}

TEST(ReportHeader, ClicksSortAndShiftClicksAddSortKeys)
{
    ReportWindow w;
    w.AddColumns(2);
    w.report.AddRecord(MakeRecord({L"b", L"1"}));
    w.report.AddRecord(MakeRecord({L"a", L"2"}));
    w.report.AddRecord(MakeRecord({L"a", L"1"}));
    w.report.Populate();
    CLVKReportColumns* pColumns = w.report.GetColumns();
    CLVKReportColumnOrder* pSort = pColumns->GetSortOrder();
    Click(w.report, HeaderPoint(w.report, pColumns->GetAt(0), 20));
    ASSERT_EQ(1, pSort->GetCount());
    EXPECT_TRUE(pColumns->GetAt(0)->IsSortedIncreasing());
    EXPECT_EQ(1, w.parent.Count(REPORT_NOTIFY_SORT_ORDER_CHANGED));
    EXPECT_EQ(1, w.parent.Count(REPORT_NOTIFY_SORTED));
    EXPECT_EQ(1, w.parent.Count(NM_CLICK));
    Click(w.report, HeaderPoint(w.report, pColumns->GetAt(0), 20));
    EXPECT_FALSE(pColumns->GetAt(0)->IsSortedIncreasing()) << "a second click reverses";
    std::vector<CString> expected = {L"b", L"a", L"a"};
    EXPECT_EQ(expected, w.FirstColumnCaptions());
    {
        ScopedKeysDown shift({VK_SHIFT});
        Click(w.report, HeaderPoint(w.report, pColumns->GetAt(1), 20));
    }
    ASSERT_EQ(2, pSort->GetCount()) << "Shift adds a second key";
    EXPECT_EQ(pColumns->GetAt(1), pSort->GetAt(1));
    CLVKReportRows* pRows = w.report.GetRows();
    EXPECT_STREQ(L"1", pRows->GetAt(1)->GetRecord()->GetItem(1)->GetCaption(nullptr));
    EXPECT_STREQ(L"2", pRows->GetAt(2)->GetRecord()->GetItem(1)->GetCaption(nullptr));
    // Released over another column: no sorting.
    const int nSorted = w.parent.Count(REPORT_NOTIFY_SORTED);
    const POINT ptFrom = HeaderPoint(w.report, pColumns->GetAt(0), 20);
    const POINT ptTo = HeaderPoint(w.report, pColumns->GetAt(1), 20);
    w.report.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptFrom.x, ptFrom.y));
    w.report.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptTo.x, ptTo.y));
    EXPECT_EQ(nSorted, w.parent.Count(REPORT_NOTIFY_SORTED));
}

TEST(ReportHeader, GroupByBoxHeightAndClicksInIt)
{
    ReportWindow w;
    w.AddColumns(3);
    w.report.ShowGroupBy(TRUE);
    CLVKReportHeader* pHeader = w.report.GetReportHeader();
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    const int h = w.report.GetPaintManager()->GetFixedHeaderHeight();
    const int nStep = (h - pDpi->ScaleY(3)) / 2;
    EXPECT_EQ(pDpi->ScaleY(15) + 2 * nStep, pHeader->GetGroupByHeight()) << "empty";
    CLVKReportColumns* pColumns = w.report.GetColumns();
    pColumns->GetGroupsOrder()->Add(pColumns->GetAt(1));
    pColumns->GetGroupsOrder()->Add(pColumns->GetAt(2));
    w.report.Populate();
    EXPECT_EQ(pDpi->ScaleY(15) + 3 * nStep, pHeader->GetGroupByHeight()) << "two items";
    EXPECT_EQ(pHeader->GetGroupByHeight(), w.report.GetElementRect(1).bottom);

    // A click on an item of the box reverses its group's order.
    const RECT rcBox = w.report.GetElementRect(1);
    const POINT ptItem{rcBox.left + pDpi->ScaleX(9) + 5, rcBox.top + pDpi->ScaleY(7) + 3};
    EXPECT_EQ(0, pHeader->HitTestGroupByBox(ptItem, TRUE));
    EXPECT_TRUE(pColumns->GetAt(1)->IsSortedIncreasing());
    Click(w.report, ptItem);
    EXPECT_FALSE(pColumns->GetAt(1)->IsSortedIncreasing());
    EXPECT_EQ(2, pHeader->HitTestGroupByBox(POINT{rcBox.right - 2, rcBox.bottom - 2}, FALSE)) << "after the items";
}

TEST(ReportHeader, TooltipsNameTheSorting)
{
    ReportWindow w;
    w.AddColumns(2);
    CLVKReportColumns* pColumns = w.report.GetColumns();
    pColumns->GetAt(0)->SetCaption(L"Name");
    pColumns->SetSortColumn(pColumns->GetAt(0), TRUE);
    w.report.Populate();
    CLVKReportHeader* pHeader = w.report.GetReportHeader();
    EXPECT_STREQ(L"Sort by: Name/Increasing", pHeader->GetTooltipText(HeaderPoint(w.report, pColumns->GetAt(0), 5), nullptr));
    EXPECT_STREQ(L"Col1", pHeader->GetTooltipText(HeaderPoint(w.report, pColumns->GetAt(1), 5), nullptr));
    pColumns->GetAt(1)->SetTooltip(L"the <b>second</b> column");
    EXPECT_STREQ(L"the second column", pHeader->GetTooltipText(HeaderPoint(w.report, pColumns->GetAt(1), 5), nullptr));
}

}  // namespace
