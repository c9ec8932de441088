// The control window: populate with filter, tree, sort and group; scrolling;
// wheel; selection and focus; notifications; in-place editing; pixels.
#include "Foundation/DpiScaling.h"
#include "Foundation/DrawHelpers.h"
#include "ReportControl/ReportHeader.h"
#include "ReportControl/ReportPaintManager.h"
#include "ReportControl/ReportSection.h"
#include "ReportTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
using Captions = std::vector<CString>;

TEST(ReportControl, NewControlDefaults)
{
    ReportWindow w;
    EXPECT_TRUE(w.report.IsHeaderVisible());
    EXPECT_FALSE(w.report.IsFooterVisible());
    EXPECT_FALSE(w.report.IsGroupByVisible());
    EXPECT_EQ(2, w.report.GetScrollMode(0));
    EXPECT_EQ(1, w.report.GetScrollMode(1));
    w.report.SetScrollMode(2, 1);
    EXPECT_EQ(1, w.report.GetScrollMode(0));
    EXPECT_EQ(0, w.report.GetScrollMode(2));
    EXPECT_EQ(0x81, w.report.SendMessage(WM_GETDLGCODE));
    w.report.FocusSubItems(TRUE);
    EXPECT_EQ(0x83, w.report.SendMessage(WM_GETDLGCODE));
    wchar_t szClass[32] = {};
    GetClassNameW(w.report.m_hWnd, szClass, 32);
    EXPECT_STREQ(L"LVKReport", szClass);
}

TEST(ReportControl, IconViewStaysOffWithoutAnIconColumn)
{
    ReportWindow w;
    w.AddColumns(2);
    EXPECT_FALSE(w.report.ShowIconView(TRUE));
    EXPECT_FALSE(w.report.IsIconView());
    EXPECT_EQ(2, w.report.GetColumns()->GetVisibleColumnsCount());
    EXPECT_TRUE(w.report.IsHeaderVisible());
}

TEST(ReportControl, EmptyPopulateLeavesNoFocusNoSelection)
{
    ReportWindow w;
    w.AddColumns(2);
    w.report.Populate();
    EXPECT_EQ(0, w.report.GetRows()->GetCount());
    EXPECT_EQ(-1, w.report.GetRows()->GetFocusedRowIndex());
    EXPECT_EQ(0, w.report.GetSelectedRows()->GetCount());
    EXPECT_EQ(0, w.report.GetTopRowIndex());
}

TEST(ReportControl, PopulateSortsGroupsFiltersAndBuildsTrees)
{
    struct Case
    {
        const char* name;
        int sortColumn;  // -1 none
        BOOL increasing;
        int groupColumn;  // -1 none
        LPCWSTR filter;
        Captions expected;
    } cases[] = {
        {"record order", -1, TRUE, -1, L"", {L"pear", L"Apple", L"fig", L"apple"}},
        // Equal captions keep the record order.
        {"sorted", 0, TRUE, -1, L"", {L"Apple", L"apple", L"fig", L"pear"}},
        {"sorted decreasing", 0, FALSE, -1, L"", {L"pear", L"fig", L"Apple", L"apple"}},
        {"filtered", 0, TRUE, -1, L"P", {L"Apple", L"apple", L"pear"}},
        {"grouped", 0, TRUE, 1, L"", {L"G:Col1: green", L"apple", L"fig", L"pear", L"G:Col1: red", L"Apple"}},
    };
    for (const Case& c : cases)
    {
        ReportWindow w;
        w.AddColumns(2);
        w.report.GetRecords()->SetCaseSensitive(FALSE);
        w.report.AddRecord(MakeRecord({L"pear", L"green"}));
        w.report.AddRecord(MakeRecord({L"Apple", L"red"}));
        w.report.AddRecord(MakeRecord({L"fig", L"green"}));
        w.report.AddRecord(MakeRecord({L"apple", L"green"}));
        CLVKReportColumns* pColumns = w.report.GetColumns();
        if (c.sortColumn >= 0)
            pColumns->SetSortColumn(pColumns->GetAt(c.sortColumn), c.increasing);
        if (c.groupColumn >= 0)
            pColumns->GetGroupsOrder()->Add(pColumns->GetAt(c.groupColumn));
        w.report.SetFilterText(c.filter);
        w.report.Populate();
        EXPECT_EQ(c.expected, w.FirstColumnCaptions()) << c.name;
        CLVKReportRow* pSelected = w.report.GetSelectedRows()->GetAt(0);
        ASSERT_NE(nullptr, pSelected) << c.name;
        EXPECT_FALSE(pSelected->IsGroupRow()) << c.name << ": populate descends into the first group";
        EXPECT_EQ(0, w.report.GetRows()->GetFocusedRowIndex()) << c.name;
    }
}

TEST(ReportControl, CaseInsensitiveSortFollowsTheLocalesComparison)
{
    ReportWindow w;
    w.AddColumns(1);
    w.report.GetRecords()->SetCaseSensitive(FALSE);
    const LPCWSTR texts[] = {
        L"beta", L"Alpha", L"alpha-2", L"Zulu", L"a",     L"B",     L"ab", L"A b", L"zeta", L"\u00e9t\u00e9",
        L"ete",  L"Ete",   L"x_y",     L"x-y",  L"MIXED", L"mixed", L"10", L"9",   L"",     L"\u00c9T\u00c9"};
    for (LPCWSTR text : texts)
        w.report.AddRecord(MakeRecord({text}));
    w.report.GetColumns()->SetSortColumn(w.report.GetColumns()->GetAt(0), TRUE);
    w.report.Populate();
    const Captions sorted = w.FirstColumnCaptions();
    ASSERT_EQ(std::size(texts), sorted.size());
    for (size_t i = 1; i < sorted.size(); i++)
    {
        const int r = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, sorted[i - 1], -1, sorted[i], -1);
        EXPECT_LE(r, CSTR_EQUAL) << CStringA(sorted[i - 1]).GetString() << " before "
                                 << CStringA(sorted[i]).GetString();
    }
}

TEST(ReportControl, TreeRowsExpandCollapseAndKeepRecordOrder)
{
    ReportWindow w;
    w.AddColumns(1);
    w.report.GetColumns()->GetAt(0)->SetTreeColumn(TRUE);
    CLVKReportRecord* pParent = MakeRecord({L"parent"});
    pParent->GetChilds()->Add(MakeRecord({L"b child"}));
    pParent->GetChilds()->Add(MakeRecord({L"a child"}));
    pParent->SetExpanded(TRUE);
    w.report.AddRecord(pParent);
    w.report.AddRecord(MakeRecord({L"other"}));
    w.report.GetColumns()->SetSortColumn(w.report.GetColumns()->GetAt(0), TRUE);
    w.report.Populate();
    EXPECT_EQ((Captions{L"other", L"parent", L"b child", L"a child"}), w.FirstColumnCaptions());
    CLVKReportRow* pParentRow = w.report.GetRows()->GetAt(1);
    EXPECT_EQ(1, w.report.GetRows()->GetAt(2)->GetTreeDepth());
    w.report.GetSelectedRows()->Select(w.report.GetRows()->GetAt(3));
    pParentRow->SetExpanded(FALSE);
    EXPECT_EQ((Captions{L"other", L"parent"}), w.FirstColumnCaptions());
    EXPECT_EQ(0, w.report.GetSelectedRows()->GetCount()) << "the collapsed child leaves the selection";
    EXPECT_EQ(1, w.parent.Count(REPORT_NOTIFY_ROW_EXPANDED));
    pParentRow->SetExpanded(TRUE);
    EXPECT_EQ(4, w.report.GetRows()->GetCount());
    EXPECT_EQ(3, w.report.GetRows()->GetAt(3)->GetIndex());

    // The subtree is selected as one block, the parent itself left out.
    w.report.GetSelectedRows()->Clear();
    w.parent.m_codes.clear();
    pParentRow->SelectChilds();
    ASSERT_EQ(1u, w.report.GetSelectedRows()->GetBlocks().size());
    EXPECT_EQ(2, w.report.GetSelectedRows()->GetBlocks()[0].nIndexBegin);
    EXPECT_EQ(4, w.report.GetSelectedRows()->GetBlocks()[0].nIndexEnd);
    EXPECT_EQ(1, w.parent.Count(REPORT_NOTIFY_SELECTION_CHANGED));
    w.report.GetSelectedRows()->Clear();
    pParentRow->SetExpanded(FALSE);
    pParentRow->SelectChilds();
    EXPECT_EQ(0, w.report.GetSelectedRows()->GetCount()) << "a collapsed row selects nothing";
}

TEST(ReportControl, GroupRowsNestAndCompareCaptionsCaseInsensitively)
{
    ReportWindow w;
    w.AddColumns(3);
    w.report.GetRecords()->SetCaseSensitive(FALSE);
    w.report.AddRecord(MakeRecord({L"1", L"abc", L"x"}));
    w.report.AddRecord(MakeRecord({L"2", L"ABC", L"y"}));
    w.report.AddRecord(MakeRecord({L"3", L"abc", L"x"}));
    w.report.AddRecord(MakeRecord({L"4", L"zz", L"x"}));
    CLVKReportColumns* pColumns = w.report.GetColumns();
    pColumns->GetGroupsOrder()->Add(pColumns->GetAt(1));
    pColumns->GetGroupsOrder()->Add(pColumns->GetAt(2));
    pColumns->GetAt(1)->SetCaption(L"K");
    pColumns->GetAt(2)->SetCaption(L"L");
    w.report.Populate();
    EXPECT_EQ((Captions{L"G:K: abc", L"G:L: x", L"1", L"3", L"G:L: y", L"2", L"G:K: zz", L"G:L: x", L"4"}),
              w.FirstColumnCaptions());
    EXPECT_EQ(w.report.GetPaintManager()->GetTreeIndent(), w.report.GetGroupIndent());
    EXPECT_EQ(2, w.report.GetRows()->GetAt(2)->GetGroupLevel()) << "a record row under two group rows";
    EXPECT_EQ(1, w.report.GetRows()->GetAt(1)->GetGroupLevel());
}

TEST(ReportControl, ScrollArithmeticOfTenRowsWithFourVisible)
{
    ReportWindow w;
    w.AddColumns(1);
    CLVKReportPaintManager* pPaint = w.report.GetPaintManager();
    const int nRow = pPaint->GetFixedRowHeight(nullptr, nullptr);
    const int nHeader = pPaint->GetHeaderHeight(&w.report, nullptr);
    w.report.SetWindowPos(nullptr, 0, 0, 300, nHeader + 4 * nRow + nRow / 2, SWP_NOZORDER | SWP_NOMOVE);
    w.report.ModifyStyle(WS_HSCROLL, 0, SWP_FRAMECHANGED);
    RECT rcWindow{};
    w.report.GetWindowRect(&rcWindow);
    RECT rcClient{};
    w.report.GetClientRect(&rcClient);
    w.report.SetWindowPos(nullptr, 0, 0, rcWindow.right - rcWindow.left,
                          (rcWindow.bottom - rcWindow.top) - rcClient.bottom + nHeader + 4 * nRow + nRow / 2,
                          SWP_NOZORDER | SWP_NOMOVE);
    for (int i = 0; i < 10; i++)
        w.report.AddRecord(MakeRecord({L"row"}));
    w.report.Populate();
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    GetScrollInfo(w.report.m_hWnd, SB_VERT, &si);
    EXPECT_EQ(9, si.nMax);
    EXPECT_EQ(4u, si.nPage);
    w.report.SendMessage(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(6, w.report.GetTopRowIndex());
    w.report.SendMessage(WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(2, w.report.GetTopRowIndex());
    w.report.SendMessage(WM_VSCROLL, SB_TOP);

    w.report.SetWheelLines(3);
    w.report.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(3, w.report.GetTopRowIndex());
    w.report.SetWheelLines(-1);
    w.report.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(0, w.report.GetTopRowIndex()) << "one page per notch";

    // Removing rows pulls the position back so that the last page is full.
    w.report.SendMessage(WM_VSCROLL, SB_BOTTOM);
    w.report.SetFocusedRow(w.report.GetRows()->GetAt(7));
    EXPECT_EQ(6, w.report.GetTopRowIndex());
    CLVKReportRecords* pRecords = w.report.GetRecords();
    while (pRecords->GetCount() > 8)
        pRecords->RemoveAt(pRecords->GetCount() - 1);
    w.report.Populate();
    EXPECT_EQ(4, w.report.GetTopRowIndex());
}

TEST(ReportControl, FullColumnScrollingStopsAtColumnEdges)
{
    ReportWindow w(250, 200);
    w.report.GetReportHeader()->SetAutoColumnSizing(FALSE);
    w.AddColumns(5, 100);
    w.report.AddRecord(MakeRecord({L"a", L"b", L"c", L"d", L"e"}));
    w.report.SetFullColumnScrolling(TRUE);
    w.report.Populate();
    EXPECT_TRUE(w.report.IsFullColumnScrolling());
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    GetScrollInfo(w.report.m_hWnd, SB_HORZ, &si);
    EXPECT_EQ(4, si.nMax);
    RECT rcClient{};
    w.report.GetClientRect(&rcClient);
    const int nPage = rcClient.right >= 300 ? 3 : (rcClient.right >= 200 ? 2 : 1);
    EXPECT_EQ(static_cast<UINT>(nPage), si.nPage);
    w.report.SendMessage(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(100, w.report.GetHScrollOffset());
    w.report.SendMessage(WM_HSCROLL, SB_RIGHT);
    EXPECT_EQ((5 - nPage) * 100, w.report.GetHScrollOffset()) << "the last page starts at a column edge";
    w.report.SendMessage(WM_HSCROLL, SB_LINELEFT);
    EXPECT_EQ((4 - nPage) * 100, w.report.GetHScrollOffset());
    w.report.SendMessage(WM_HSCROLL, SB_LEFT);
    EXPECT_EQ(0, w.report.GetHScrollOffset());
}

// Columns of 100 pixels in a body about 250 wide, the first one frozen.
TEST(ReportControl, EnsureColumnVisibleBringsAColumnOutFromUnderTheFrozenOnes)
{
    ReportWindow w(250, 200);
    w.report.GetReportHeader()->SetAutoColumnSizing(FALSE);
    w.AddColumns(5, 100);
    w.report.AddRecord(MakeRecord({L"a", L"b", L"c", L"d", L"e"}));
    w.report.SetFreezeColumnsCount(1);
    w.report.Populate();
    CLVKReportColumns* pColumns = w.report.GetColumns();
    const int nBody = w.report.GetElementRect(0).right - w.report.GetElementRect(0).left;
    ASSERT_LT(nBody, 300);
    ASSERT_GT(nBody, 200);

    w.report.EnsureColumnVisible(pColumns->GetAt(4));
    EXPECT_EQ(500 - nBody, w.report.GetHScrollOffset()) << "the right edge comes to the body's right edge";
    EXPECT_EQ(nBody, pColumns->GetAt(4)->GetRect().right);

    w.report.SetHScrollOffset(200);
    ASSERT_EQ(0, pColumns->GetAt(2)->GetRect().left) << "column 2 lies under the frozen column";
    w.report.EnsureColumnVisible(pColumns->GetAt(2));
    EXPECT_EQ(100, w.report.GetHScrollOffset());
    EXPECT_EQ(100, pColumns->GetAt(2)->GetRect().left) << "it starts at the frozen column's right edge";
    w.report.EnsureColumnVisible(pColumns->GetAt(0));
    EXPECT_EQ(100, w.report.GetHScrollOffset()) << "the frozen column is always in view";
}

// Asked before the window has a size, the control remembers the column and
// scrolls to it at its first paint.
TEST(ReportControl, EnsureColumnVisibleWaitsForTheFirstPaint)
{
    ReportWindow w(0, 0);
    w.report.GetReportHeader()->SetAutoColumnSizing(FALSE);
    w.AddColumns(5, 100);
    w.report.AddRecord(MakeRecord({L"a", L"b", L"c", L"d", L"e"}));
    w.report.Populate();
    w.report.EnsureColumnVisible(w.report.GetColumns()->GetAt(4));
    EXPECT_EQ(0, w.report.GetHScrollOffset()) << "no body width yet";
    w.report.SetWindowPos(nullptr, 0, 0, 250, 200, SWP_NOZORDER | SWP_NOMOVE);
    w.report.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const RECT rcBody = w.report.GetElementRect(0);
    EXPECT_EQ(500 - (rcBody.right - rcBody.left), w.report.GetHScrollOffset());
}

TEST(ReportControl, DrawingReadsRightToLeftWithTheWindowsStyle)
{
    ReportWindow w;
    w.AddColumns(1);
    w.report.Populate();
    auto drawnAlign = [&]()
    {
        CClientDC dcWindow(&w.report);
        CDC dc;
        dc.CreateCompatibleDC(&dcWindow);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&dcWindow, 400, 300);
        CBitmap* pOld = dc.SelectObject(&bitmap);
        w.report.OnDraw(&dc);
        const UINT nAlign = GetTextAlign(dc.m_hDC);
        dc.SelectObject(pOld);
        return nAlign & TA_RTLREADING;
    };
    EXPECT_EQ(0u, drawnAlign());
    w.report.ModifyStyleEx(0, WS_EX_RTLREADING);
    EXPECT_EQ(static_cast<UINT>(TA_RTLREADING), drawnAlign());
}

TEST(ReportControl, HitTestNamesTheAreaAndWhatLiesUnderThePoint)
{
    ReportWindow w;
    w.report.GetReportHeader()->SetAutoColumnSizing(FALSE);
    w.AddColumns(3, 100);
    w.report.AddRecord(MakeRecord({L"a", L"b", L"g"}));
    w.report.AddRecord(MakeRecord({L"c", L"d", L"g"}));
    CLVKReportColumns* pColumns = w.report.GetColumns();
    pColumns->GetGroupsOrder()->Add(pColumns->GetAt(2));
    w.report.ShowGroupBy(TRUE);
    w.report.Populate();
    Capture(w.report);
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    const RECT rcBox = w.report.GetElementRect(1);
    const RECT rcHeader = w.report.GetElementRect(2);
    CLVKReportRow* pRow = w.report.GetRows()->GetAt(1);
    const RECT rcRow = pRow->GetRect();
    const RECT rcBody = w.report.GetElementRect(0);
    struct Case
    {
        const char* what;
        POINT pt;
        int ht;
        CLVKReportColumn* pColumn;
        CLVKReportRow* pRow;
        CLVKReportRecordItem* pItem;
    } cases[] = {
        {"header", {150, (rcHeader.top + rcHeader.bottom) / 2}, 1, pColumns->GetAt(1), nullptr, nullptr},
        {"group-by item", {rcBox.left + pDpi->ScaleX(9) + 5, rcBox.top + pDpi->ScaleY(7) + 3}, 2, pColumns->GetAt(2),
         nullptr, nullptr},
        {"empty group box", {rcBox.right - 2, rcBox.bottom - 2}, 2, nullptr, nullptr, nullptr},
        {"cell", {150, (rcRow.top + rcRow.bottom) / 2}, 3, pColumns->GetAt(1), pRow,
         pRow->GetRecord()->GetItem(1)},
        {"below the rows", {150, rcBody.bottom - 3}, 3, nullptr, nullptr, nullptr},
    };
    for (const Case& c : cases)
    {
        LVK_REPORT_HITTESTINFO info;
        info.iBlock = 7;
        ASSERT_TRUE(w.report.HitTest(c.pt, &info)) << c.what;
        EXPECT_EQ(c.ht, info.ht) << c.what;
        EXPECT_EQ(c.pColumn, info.pColumn) << c.what;
        EXPECT_EQ(c.pRow, info.pRow) << c.what;
        EXPECT_EQ(c.pItem, info.pItem) << c.what;
        EXPECT_EQ(0, info.iBlock) << c.what << ": the record starts cleared";
    }
    EXPECT_FALSE(w.report.HitTest(POINT{0, 0}, nullptr));
}

TEST(ReportControl, WheelWithoutScrollBarDoesNothing)
{
    ReportWindow w;
    w.AddColumns(1);
    w.report.AddRecord(MakeRecord({L"only"}));
    w.report.Populate();
    w.report.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(0, w.report.GetTopRowIndex());
}

TEST(ReportControl, SelectionByMouseAndKeyboard)
{
    ReportWindow w;
    w.AddColumns(1);
    for (int i = 0; i < 8; i++)
        w.report.AddRecord(MakeRecord({L"row"}));
    w.report.Populate();
    w.report.UpdateWindow();
    CLVKReportRows* pRows = w.report.GetRows();
    auto click = [&](int nRow, UINT nFlags)
    {
        const RECT rc = pRows->GetAt(nRow)->GetRect();
        const LPARAM lParam = MAKELPARAM(rc.left + 30, (rc.top + rc.bottom) / 2);
        w.report.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | nFlags, lParam);
        w.report.SendMessage(WM_LBUTTONUP, nFlags, lParam);
        w.report.UpdateWindow();
    };
    click(2, 0);
    EXPECT_EQ(2, pRows->GetFocusedRowIndex());
    EXPECT_EQ(1, w.report.GetSelectedRows()->GetCount());
    click(4, MK_CONTROL);
    EXPECT_EQ(2, w.report.GetSelectedRows()->GetCount()) << "Ctrl toggles on button up";
    click(4, MK_CONTROL);
    EXPECT_EQ(1, w.report.GetSelectedRows()->GetCount());
    click(5, MK_SHIFT);
    EXPECT_EQ(2, w.report.GetSelectedRows()->GetCount()) << "Shift extends from the focused row 4 to row 5";

    w.parent.m_codes.clear();
    w.report.SelectAll();
    EXPECT_EQ(8, w.report.GetSelectedRows()->GetCount());
    EXPECT_EQ(1, w.parent.Count(REPORT_NOTIFY_SELECTION_CHANGED));
    EXPECT_LE(w.parent.Count(REPORT_NOTIFY_SELECTION_CHANGING), 1) << "no per-row notifications on select-all";
    w.parent.m_codes.clear();
    w.report.SelectAll();
    EXPECT_TRUE(w.parent.m_codes.empty()) << "Ctrl+A with everything selected sends nothing";

    w.report.SendMessage(WM_KEYDOWN, VK_END);
    EXPECT_EQ(7, pRows->GetFocusedRowIndex());
    w.report.SendMessage(WM_KEYDOWN, VK_UP);
    EXPECT_EQ(6, pRows->GetFocusedRowIndex());

    w.parent.m_nRefuseCode = REPORT_NOTIFY_FOCUS_CHANGING;
    w.report.SendMessage(WM_KEYDOWN, VK_HOME);
    EXPECT_EQ(6, pRows->GetFocusedRowIndex()) << "the owner refused the focus";
}

// An owner that empties the report while it is asked about the focus.
class CResettingOwner : public CNotifyRecorder
{
public:
    CLVKReportControl* m_pReport = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY && m_pReport &&
            static_cast<int>(reinterpret_cast<NMHDR*>(lParam)->code) == REPORT_NOTIFY_FOCUS_CHANGING)
        {
            CLVKReportControl* pReport = m_pReport;
            m_pReport = nullptr;
            pReport->ResetContent();
            return 0;
        }
        return CNotifyRecorder::WindowProc(message, wParam, lParam);
    }
};

TEST(ReportControl, FocusIsRefusedWhenTheOwnerRemovesTheRow)
{
    CResettingOwner owner;
    owner.CreateEx(0, NULL, L"Owner", WS_POPUP, 0, 0, 10, 10, NULL, NULL);
    ReportWindow w;
    w.AddColumns(1);
    for (int i = 0; i < 3; i++)
        w.report.AddRecord(MakeRecord({L"row"}));
    w.report.Populate();
    w.report.SetOwnerWindow(owner.m_hWnd);
    owner.m_pReport = &w.report;
    CLVKReportRow* pRow = w.report.GetRows()->GetAt(2);
    pRow->InternalAddRef();
    EXPECT_FALSE(w.report.SetFocusedRow(pRow));
    EXPECT_EQ(0, w.report.GetRows()->GetCount());
    EXPECT_EQ(nullptr, w.report.GetFocusedRow());
    pRow->InternalRelease();
    owner.DestroyWindow();
}

TEST(ReportControl, HeaderAndGroupRowHeights)
{
    ReportWindow w;
    CLVKReportPaintManager* pPaint = w.report.GetPaintManager();
    TEXTMETRICW tm{};
    HDC hDC = GetDC(nullptr);
    HGDIOBJ hOld = SelectObject(hDC, pPaint->GetCaptionFont()->m_hObject);
    SIZE sz{};
    GetTextExtentPoint32W(hDC, L" ", 1, &sz);
    SelectObject(hDC, hOld);
    ReleaseDC(nullptr, hDC);
    (void)tm;
    EXPECT_EQ(std::max(22, static_cast<int>(sz.cy) + 8), pPaint->GetHeaderHeight(&w.report, nullptr));
    EXPECT_GE(pPaint->GetRowHeightDefault(), 18);
    w.AddColumns(2);
    w.report.AddRecord(MakeRecord({L"a", L"x"}));
    w.report.GetColumns()->GetGroupsOrder()->Add(w.report.GetColumns()->GetAt(1));
    w.report.Populate();
    CLVKReportRow* pGroup = w.report.GetRows()->GetAt(0);
    ASSERT_TRUE(pGroup->IsGroupRow());
    EXPECT_EQ(pPaint->GetRowHeightDefault() + 16, pPaint->GetRowHeight(nullptr, pGroup, 0))
        << "a group row is 16 pixels higher than a plain row";
    w.report.ShadeGroupHeadings(TRUE);
    EXPECT_EQ(pPaint->GetRowHeightDefault() + 6, pPaint->GetRowHeight(nullptr, pGroup, 0))
        << "shaded group rows are 6 pixels higher";
    w.report.ShowHeader(FALSE);
    EXPECT_EQ(0, w.report.GetElementRect(2).bottom - w.report.GetElementRect(2).top);
}

TEST(ReportControl, FocusSubItemsFocusesColumnZeroOfAOneColumnReport)
{
    ReportWindow w;
    w.AddColumns(1);
    w.report.FocusSubItems(TRUE);
    w.report.AddRecord(MakeRecord({L"only"}));
    w.report.Populate();
    EXPECT_EQ(w.report.GetColumns()->GetAt(0), w.report.GetFocusedColumn());
}

// A control may end while its window is still open (an object deleted before
// its window was destroyed). Its columns go as it ends; that the focused
// cell's column goes with them is no change the owner hears of, as the owner
// would then read a control that is half gone.
TEST(ReportControl, AControlEndingWithAFocusedCellReportsNothingToItsOwner)
{
    CNotifyRecorder parent;
    parent.CreateEx(0, NULL, L"ReportTests", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL);
    auto pReport = std::make_unique<CLVKReportControl>();
    RECT rc{0, 0, 250, 150};
    ASSERT_TRUE(pReport->Create(WS_CHILD | WS_VISIBLE, rc, &parent, 100));
    for (int i = 0; i < 2; i++)
        pReport->AddColumn(new CLVKReportColumn(i, L"Col", 100, FALSE));
    pReport->FocusSubItems(TRUE);
    pReport->AddRecord(MakeRecord({L"a", L"b"}));
    pReport->Populate();
    ASSERT_TRUE(pReport->SetFocusedColumn(pReport->GetColumns()->GetAt(1)));
    ASSERT_NE(nullptr, pReport->GetFocusedColumn());
    const HWND hWnd = pReport->m_hWnd;
    parent.m_codes.clear();

    pReport.reset();
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_TRUE(parent.m_codes.empty()) << parent.m_codes.size() << " notifications, the first of code "
                                        << parent.m_codes[0];
    parent.DestroyWindow();
}

TEST(ReportControl, InPlaceEditingCommitsWithEnterAndCancelsWithEscape)
{
    ReportWindow w;
    w.AddColumns(2);
    w.report.SetAllowEdit(TRUE);
    w.report.FocusSubItems(TRUE);
    w.report.AddRecord(MakeRecord({L"first", L"second"}));
    w.report.Populate();
    w.report.UpdateWindow();
    w.report.SetFocus();
    w.report.SendMessage(WM_KEYDOWN, VK_F2);
    ASSERT_TRUE(w.report.IsEditMode());
    HWND hEdit = w.report.GetInplaceEditHwnd();
    ASSERT_NE(nullptr, hEdit);
    EXPECT_EQ(1, w.parent.Count(REPORT_NOTIFY_BEGIN_EDIT));
    SetWindowTextW(hEdit, L"changed");
    SendMessageW(hEdit, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(hEdit, WM_CHAR, VK_RETURN, 0);
    EXPECT_FALSE(w.report.IsEditMode());
    EXPECT_EQ(1, w.parent.Count(REPORT_NOTIFY_VALUE_CHANGED));
    EXPECT_STREQ(L"changed", w.report.GetRecords()->GetAt(0)->GetItem(0)->GetCaption(nullptr));

    w.report.SendMessage(WM_CHAR, L'q');
    ASSERT_TRUE(w.report.IsEditMode()) << "typing starts editing";
    EXPECT_STREQ(L"q", WindowTextOf(w.report.GetInplaceEditHwnd())) << "the typed character replaces the text";
    SendMessageW(w.report.GetInplaceEditHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageW(w.report.GetInplaceEditHwnd(), WM_CHAR, VK_ESCAPE, 0);
    EXPECT_FALSE(w.report.IsEditMode());
    EXPECT_EQ(1, w.parent.Count(REPORT_NOTIFY_EDIT_CANCELED));
    EXPECT_STREQ(L"changed", w.report.GetRecords()->GetAt(0)->GetItem(0)->GetCaption(nullptr));
    PumpReportMessages();
}

TEST(ReportPixels, HeaderRowsGroupRowAndNoItemsText)
{
    ReportWindow w;
    w.AddColumns(2);
    CLVKReportPaintManager* pPaint = w.report.GetPaintManager();
    const Picture empty = Capture(w.report);
    const int nHeader = pPaint->GetHeaderHeight(&w.report, nullptr);
    EXPECT_EQ(pPaint->m_clrHeaderControl.GetColor(), empty.At(50, nHeader / 2 + 3)) << "header background";
    const COLORREF clrHalf = CLVKDrawHelpers::MixColors(pPaint->m_clrWindowText, pPaint->m_clrControlBack, 0.5);
    EXPECT_GT(empty.Count(clrHalf), 20) << "the no-items text in the half-way colour";

    w.report.AddRecord(MakeRecord({L"a", L"green"}));
    w.report.AddRecord(MakeRecord({L"b", L"green"}));
    w.report.GetColumns()->GetGroupsOrder()->Add(w.report.GetColumns()->GetAt(1));
    w.report.Populate();
    const Picture grouped = Capture(w.report);
    const int nGroupBottom = nHeader + pPaint->GetRowHeight(nullptr, w.report.GetRows()->GetAt(0), 0);
    EXPECT_EQ(pPaint->m_clrGroupRowText.GetColor(), grouped.At(150, nGroupBottom - 1))
        << "the line under the group row";
    // Row 1 is selected but the control has no focus: the unfocused selection colour.
    const RECT rcRow = w.report.GetRows()->GetAt(1)->GetRect();
    EXPECT_EQ(pPaint->m_clrSelectedRow.GetColor(), grouped.At(150, (rcRow.top + rcRow.bottom) / 2));
    const RECT rcRow2 = w.report.GetRows()->GetAt(2)->GetRect();
    EXPECT_EQ(pPaint->m_clrControlBack.GetColor(), grouped.At(150, rcRow2.top + 2));
}

TEST(ReportColumns, BestFitTakesTheWidestCellAndTheCaption)
{
    ReportWindow w;
    // Resizable columns (the fourth argument), sized by hand.
    w.report.GetReportHeader()->SetAutoColumnSizing(FALSE);
    w.report.AddColumn(new CLVKReportColumn(0, L"Name", 60, TRUE));
    w.report.AddColumn(new CLVKReportColumn(1, L"Kind", 60, TRUE));
    w.report.AddRecord(MakeRecord({L"a", L"x"}));
    w.report.AddRecord(MakeRecord({L"a much longer caption than the column", L"x"}));
    w.report.Populate();
    w.report.UpdateWindow();
    CLVKReportColumn* pColumn = w.report.GetColumns()->GetAt(0);
    const int nCells = w.report.MeasureColumnWidth(pColumn);
    EXPECT_GT(nCells, 150) << "the long caption";
    EXPECT_EQ(nCells, pColumn->GetBestFitWidth());
    pColumn->SetBestFitFloor(nCells + 40);
    EXPECT_EQ(nCells + 40, pColumn->GetBestFitWidth()) << "the floor";
    pColumn->SetBestFitFloor(0);

    // A double click on the column's divider widens it.
    w.parent.m_codes.clear();
    const RECT rc = pColumn->GetRect();
    const RECT rcHeader = w.report.GetElementRect(2);
    w.report.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(rc.right - 1, (rcHeader.top + rcHeader.bottom) / 2));
    EXPECT_EQ(nCells, pColumn->GetWidth());
    EXPECT_EQ(1, w.parent.Count(REPORT_NOTIFY_COLUMN_WIDTH_CHANGED));
    w.report.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON,
                         MAKELPARAM(pColumn->GetRect().right - 1, (rcHeader.top + rcHeader.bottom) / 2));
    EXPECT_EQ(1, w.parent.Count(REPORT_NOTIFY_COLUMN_WIDTH_CHANGED)) << "already wide enough: no change";
}


// Forty rows of which about ten show; the long caption is in row 30.
TEST(ReportColumns, BestFitMeasuresThePageOrAllRowsByTheColumnsMode)
{
    ReportWindow w(300, 250);
    w.AddColumns(1);
    for (int i = 0; i < 40; i++)
        w.report.AddRecord(MakeRecord({i == 30 ? L"a much longer caption than the others have" : L"short"}));
    w.report.Populate();
    w.report.UpdateWindow();
    CLVKReportColumn* pColumn = w.report.GetColumns()->GetAt(0);
    ASSERT_EQ(0, pColumn->GetBestFitMode());
    const int nPage = w.report.GetColumnBestFitWidthAll(pColumn);
    pColumn->SetBestFitMode(1);
    const int nAll = w.report.GetColumnBestFitWidthAll(pColumn);
    EXPECT_GT(nPage, 0);
    EXPECT_GT(nAll, nPage + 50) << "all rows include row 30";
    pColumn->SetBestFitMode(2);
    EXPECT_EQ(0, w.report.GetColumnBestFitWidthAll(pColumn)) << "an unknown mode measures nothing";

    pColumn->SetBestFitMode(0);
    w.report.SetTopRowIndex(28);
    EXPECT_EQ(nAll, w.report.GetColumnBestFitWidthAll(pColumn)) << "row 30 is on the page now";

    // A range of rows, and group rows left out.
    CClientDC dc(&w.report);
    CLVKReportRows* pRows = w.report.GetRows();
    EXPECT_EQ(nPage, w.report.GetColumnBestFitWidth(&dc, pRows, pColumn, 0, 30));
    EXPECT_EQ(nAll, w.report.GetColumnBestFitWidth(&dc, pRows, pColumn, 30, 1));
    EXPECT_EQ(nAll, w.report.GetColumnBestFitWidth(&dc, pRows, pColumn, -5, 0)) << "all rows";
    EXPECT_EQ(0, w.report.GetColumnBestFitWidth(nullptr, pRows, pColumn, 0, 0));
}

}  // namespace
