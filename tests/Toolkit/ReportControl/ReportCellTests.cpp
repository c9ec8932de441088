// Merged cells and the item tip over truncated cells.
#include "ReportControl/ReportHeader.h"
#include "ReportControl/ReportPaintManager.h"
#include "ReportControl/ReportTip.h"
#include "ReportTestSupport.h"

#include <gtest/gtest.h>

namespace
{

TEST(ReportMergedCells, FollowersShowTheMastersCaptionOnlyWhileMergingIsOn)
{
    ReportWindow w;
    w.AddColumns(2);
    CLVKReportRecord* pFirst = MakeRecord({L"a", L"shared text"});
    CLVKReportRecord* pSecond = MakeRecord({L"b", L"own text"});
    w.report.AddRecord(pFirst);
    w.report.AddRecord(pSecond);
    CLVKReportRecordItem* pMaster = pFirst->GetItem(1);
    pMaster->SetMergeMaster(pMaster);
    pSecond->GetItem(1)->SetMergeMaster(pMaster);
    w.report.Populate();
    EXPECT_STREQ(L"own text", pSecond->GetItem(1)->GetCaption(nullptr)) << "merging is off by default";

    w.report.EnableCellMerging(TRUE);
    EXPECT_STREQ(L"shared text", pSecond->GetItem(1)->GetCaption(nullptr));
    EXPECT_TRUE(pSecond->GetItem(1)->IsMergeFollower());
    EXPECT_FALSE(pMaster->IsMergeFollower());
    w.report.RedrawControl();
    w.report.UpdateWindow();
    CLVKReportRow* pRow = w.report.GetRows()->GetAt(1);
    const RECT rcRow = pRow->GetRect();
    const RECT rcColumn = w.report.GetColumns()->GetAt(1)->GetRect();
    CLVKReportColumn* pColumn = nullptr;
    const POINT pt{(rcColumn.left + rcColumn.right) / 2, (rcRow.top + rcRow.bottom) / 2};
    EXPECT_EQ(pMaster, pRow->HitTest(pt, nullptr, &pColumn)) << "a merged block is hit as its master";
    EXPECT_EQ(w.report.GetColumns()->GetAt(1), pColumn);
}

// A merged block in a scrolled column slides under the frozen column: it is
// cut at the frozen edge, while a block in the frozen column is drawn whole.
TEST(ReportMergedCells, AScrolledBlockIsCutAtTheFrozenEdge)
{
    ReportWindow w(300, 200);
    w.report.GetReportHeader()->SetAutoColumnSizing(FALSE);
    w.AddColumns(4, 100);
    CLVKReportRecord* pFirst = MakeRecord({L"", L"", L"", L""});
    CLVKReportRecord* pSecond = MakeRecord({L"", L"", L"", L""});
    w.report.AddRecord(pFirst);
    w.report.AddRecord(pSecond);
    const COLORREF clrScrolled = RGB(250, 0, 0);
    const COLORREF clrFrozen = RGB(0, 0, 250);
    for (int nColumn : {0, 1})
    {
        CLVKReportRecordItem* pMaster = pFirst->GetItem(nColumn);
        pMaster->SetMergeMaster(pMaster);
        pMaster->SetBackgroundColor(nColumn == 0 ? clrFrozen : clrScrolled);
        pSecond->GetItem(nColumn)->SetMergeMaster(pMaster);
    }
    w.report.EnableCellMerging(TRUE);
    w.report.SetFreezeColumnsCount(1);
    w.report.GetPaintManager()->m_nFreezeColsDividerStyle = 0;
    w.report.SetInitialSelectionEnable(FALSE);
    w.report.Populate();
    w.report.SetHScrollOffset(60);
    const Picture pic = Capture(w.report);
    const RECT rcRow = w.report.GetRows()->GetAt(1)->GetRect();
    const int y = rcRow.top + 3;
    EXPECT_EQ(clrScrolled, pic.At(w.report.GetColumns()->GetAt(1)->GetRect().right - 5, y));
    EXPECT_EQ(clrFrozen, pic.At(50, y)) << "the frozen block stays on top";
    for (int x = 2; x < 97; x++)
        ASSERT_NE(clrScrolled, pic.At(x, y)) << "x " << x;
}

TEST(ReportTip, MovesIntoTheWorkAreaAndKnowsMultiLineText)
{
    ReportWindow w;
    CLVKReportTip tip;
    ASSERT_TRUE(tip.Create(&w.report));
    const HWND hFirst = tip.m_hWnd;
    EXPECT_TRUE(tip.Create(&w.report));
    EXPECT_EQ(hFirst, tip.m_hWnd) << "a second Create makes no second window";

    tip.SetTooltipText(L"one line of text");
    EXPECT_FALSE(tip.IsMultiLine());
    tip.SetTooltipText(L"two\nlines");
    EXPECT_TRUE(tip.IsMultiLine());

    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    const POINT ptOrigin{0, 0};
    GetMonitorInfoW(MonitorFromPoint(ptOrigin, MONITOR_DEFAULTTOPRIMARY), &mi);
    tip.SetTooltipText(L"a single line that sits at the right edge");
    tip.Activate(FALSE, FALSE);
    const RECT rcRight{mi.rcWork.right - 20, 100, mi.rcWork.right + 200, 120};
    const RECT rcAdjusted = tip.AdjustRect(rcRight);
    EXPECT_EQ(mi.rcWork.right, rcAdjusted.right);
    EXPECT_LT(rcAdjusted.left, rcRight.left);
    tip.SetTooltipText(L"two\nlines");
    tip.Activate(FALSE, TRUE);
    const RECT rcLow{100, mi.rcWork.bottom - 10, 300, mi.rcWork.bottom + 30};
    EXPECT_EQ(mi.rcWork.bottom, tip.AdjustRect(rcLow).bottom) << "a multi-line tip moves up";
}

TEST(ReportTip, ShowsOverATruncatedCellOnly)
{
    ReportWindow w;
    w.report.AddColumn(new CLVKReportColumn(0, L"Narrow", 40, FALSE));
    w.report.AddColumn(new CLVKReportColumn(1, L"Wide", 300, FALSE));
    w.report.AddRecord(MakeRecord({L"a caption far too long for its column", L"short"}));
    w.report.Populate();
    w.parent.SetForegroundWindow();
    w.report.UpdateWindow();
    const RECT rcRow = w.report.GetRows()->GetAt(0)->GetRect();
    const int y = (rcRow.top + rcRow.bottom) / 2;
    w.report.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(350, y));
    CLVKReportTip* pTip = w.report.GetReportTip();
    EXPECT_TRUE(!pTip->m_hWnd || !pTip->IsWindowVisible()) << "the text fits";
    if (GetActiveWindow() != w.parent.m_hWnd)
        GTEST_SKIP() << "the test window is not active; the tip needs an active top-level window";
    w.report.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, y));
    ASSERT_NE(nullptr, pTip->m_hWnd);
    EXPECT_TRUE(pTip->IsWindowVisible());
    EXPECT_STREQ(L"a caption far too long for its column", pTip->GetTooltipText());
    EXPECT_EQ(1, w.parent.Count(REPORT_NOTIFY_GET_TOOLTIP_INFO)) << "asked once, for the truncated cell only";
    w.report.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(350, y));
    EXPECT_FALSE(pTip->IsWindowVisible());
}

// An owner that rewrites the tip text, or clears it to have no tip.
class CTipOwner : public CNotifyRecorder
{
public:
    CString m_strText;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY &&
            static_cast<int>(reinterpret_cast<NMHDR*>(lParam)->code) == REPORT_NOTIFY_GET_TOOLTIP_INFO)
            *reinterpret_cast<CString*>(reinterpret_cast<REPORT_ITEM_NOTIFY_EX*>(lParam)->lExtra) = m_strText;
        return CNotifyRecorder::WindowProc(message, wParam, lParam);
    }
};

TEST(ReportTip, TheOwnerMayRewriteOrRefuseTheText)
{
    CTipOwner owner;
    owner.CreateEx(0, NULL, L"Owner", WS_POPUP, 0, 0, 10, 10, NULL, NULL);
    ReportWindow w;
    w.report.SetOwnerWindow(owner.m_hWnd);
    w.report.AddColumn(new CLVKReportColumn(0, L"Narrow", 40, FALSE));
    w.report.AddColumn(new CLVKReportColumn(1, L"Wide", 300, FALSE));
    w.report.AddRecord(MakeRecord({L"a caption far too long for its column", L"short"}));
    w.report.AddRecord(MakeRecord({L"another caption too long for it", L"short"}));
    w.report.Populate();
    w.parent.SetForegroundWindow();
    w.report.UpdateWindow();
    if (GetActiveWindow() != w.parent.m_hWnd)
        GTEST_SKIP() << "the test window is not active; the tip needs an active top-level window";
    auto rowY = [&](int nRow)
    {
        const RECT rc = w.report.GetRows()->GetAt(nRow)->GetRect();
        return (rc.top + rc.bottom) / 2;
    };
    CLVKReportTip* pTip = w.report.GetReportTip();
    owner.m_strText = L"from the owner";
    w.report.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, rowY(0)));
    ASSERT_NE(nullptr, pTip->m_hWnd);
    EXPECT_TRUE(pTip->IsWindowVisible());
    EXPECT_STREQ(L"from the owner", pTip->GetTooltipText());
    owner.m_strText.Empty();
    w.report.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, rowY(1)));
    EXPECT_FALSE(pTip->IsWindowVisible()) << "an emptied text shows no tip";
    owner.DestroyWindow();
}

}  // namespace
