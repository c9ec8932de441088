// What clicks, double clicks and keys do to a cell: check boxes, editing on
// a click, delayed editing, typed characters and hyperlinks.
#include "ReportControl/ReportHyperlink.h"
#include "ReportControl/ReportInplaceEdit.h"
#include "ReportTestSupport.h"
#include "MessagePump.h"

#include <gtest/gtest.h>

namespace
{

// One record: a check-box cell and a text cell, in a report that edits.
struct InputFixture
{
    ReportWindow w;
    CLVKReportRecordItem* pCheck = nullptr;
    CLVKReportRecordItem* pText = nullptr;

    explicit InputFixture(LPCWSTR lpszText = L"text")
    {
        w.AddColumns(2, 160);
        w.report.SetAllowEdit(TRUE);
        w.report.FocusSubItems(TRUE);
        CLVKReportRecord* pRecord = MakeRecord({L"", lpszText});
        pCheck = pRecord->GetItem(0);
        pCheck->HasCheckboxEx(TRUE, FALSE);
        pText = pRecord->GetItem(1);
        w.report.AddRecord(pRecord);
        w.report.AddRecord(MakeRecord({L"", L"other"}));
        w.report.Populate();
        Draw();
        w.report.SetFocus();
    }
    void Draw()
    {
        w.report.RedrawControl();
        w.report.UpdateWindow();
    }
    POINT CheckboxCentre() const
    {
        const RECT& rc = pCheck->GetCheckboxRect();
        return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    POINT CellPoint(int nColumn, int dx = 30) const
    {
        const RECT rcRow = w.report.GetRows()->GetAt(0)->GetRect();
        return POINT{w.report.GetColumns()->GetAt(nColumn)->GetRect().left + dx, (rcRow.top + rcRow.bottom) / 2};
    }
    void Click(POINT ptDown, POINT ptUp)
    {
        w.report.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptDown.x, ptDown.y));
        w.report.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptUp.x, ptUp.y));
        Draw();
    }
    void Click(POINT pt) { Click(pt, pt); }
};

TEST(ReportItemInput, ACheckBoxTogglesOnlyForAPressThatBeganInIt)
{
    InputFixture f;
    const POINT ptBox = f.CheckboxCentre();
    const POINT ptOutside = f.CellPoint(0, 100);
    f.Click(ptOutside, ptBox);
    EXPECT_FALSE(f.pCheck->IsChecked());
    EXPECT_EQ(0, f.w.parent.Count(REPORT_NOTIFY_CHECKED));
    EXPECT_EQ(1, f.w.parent.Count(NM_CLICK)) << "the click is still reported";

    f.Click(ptBox);
    EXPECT_TRUE(f.pCheck->IsChecked());
    EXPECT_EQ(1, f.w.parent.Count(REPORT_NOTIFY_CHECKED));

    // The owner may refuse the change; the switch may keep clicks off boxes.
    f.w.parent.m_nRefuseCode = REPORT_NOTIFY_REQUEST_EDIT;
    f.Click(ptBox);
    EXPECT_TRUE(f.pCheck->IsChecked());
    f.w.parent.m_nRefuseCode = 0;
    f.w.report.SetToggleCheckboxOnClick(FALSE);
    f.Click(ptBox);
    EXPECT_TRUE(f.pCheck->IsChecked());
    f.w.report.SetToggleCheckboxOnClick(TRUE);

    // Three states step 1, 2, 0.
    f.pCheck->HasCheckboxEx(TRUE, TRUE);
    f.Click(ptBox);
    EXPECT_EQ(2, f.pCheck->GetCheckedState());
    EXPECT_FALSE(f.pCheck->IsChecked());
    f.Click(ptBox);
    EXPECT_EQ(0, f.pCheck->GetCheckedState());
    EXPECT_FALSE(f.w.report.IsEditMode()) << "a check-box cell opens no edit box";
}

TEST(ReportItemInput, SpaceTogglesTheFocusedCheckBoxWithoutAnEditor)
{
    InputFixture f;
    f.w.report.SetFocusedRow(f.w.report.GetRows()->GetAt(0));
    f.w.report.SetFocusedColumn(f.w.report.GetColumns()->GetAt(0));
    f.w.parent.m_codes.clear();
    f.w.report.SendMessage(WM_CHAR, VK_SPACE);
    EXPECT_TRUE(f.pCheck->IsChecked());
    EXPECT_EQ(1, f.w.parent.Count(REPORT_NOTIFY_CHECKED));
    EXPECT_FALSE(f.w.report.IsEditMode());
    EXPECT_EQ(0, f.w.parent.Count(REPORT_NOTIFY_BEGIN_EDIT));
}

TEST(ReportItemInput, TabOpensTheEditorButIsNotTyped)
{
    InputFixture f;
    LVK_REPORTRECORDITEM_ARGS args(&f.w.report, f.w.report.GetRows()->GetAt(0), f.w.report.GetColumns()->GetAt(1));
    EXPECT_TRUE(f.pText->OnChar(&args, VK_TAB));
    ASSERT_TRUE(f.w.report.IsEditMode());
    EXPECT_STREQ(L"text", WindowTextOf(f.w.report.GetInplaceEditHwnd()));
    EXPECT_TRUE(f.pText->OnChar(&args, L'z'));
    EXPECT_STREQ(L"z", WindowTextOf(f.w.report.GetInplaceEditHwnd())) << "the selected text is typed over";
    f.w.report.EndEditing(FALSE);
    EXPECT_STREQ(L"text", f.pText->GetCaption(nullptr));
}

TEST(ReportItemInput, ClicksOpenTheEditorAsTheSwitchesSay)
{
    InputFixture f;
    f.w.report.EditOnClick(FALSE);
    f.Click(f.CellPoint(1));
    EXPECT_FALSE(f.w.report.IsEditMode());
    const POINT pt = f.CellPoint(1);
    f.w.report.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(f.w.report.IsEditMode()) << "a double click edits while single clicks do not";
    EXPECT_EQ(1, f.w.parent.Count(NM_DBLCLK));
    f.w.report.EndEditing(FALSE);

    f.w.report.EditOnClick(TRUE);
    f.Click(f.CellPoint(1));
    ASSERT_TRUE(f.w.report.IsEditMode());
    EXPECT_EQ(2, f.w.parent.Count(REPORT_NOTIFY_BEGIN_EDIT)) << "after the double click, the click";
    f.w.report.EndEditing(FALSE);
    f.w.parent.m_nRefuseCode = REPORT_NOTIFY_REQUEST_EDIT;
    f.Click(f.CellPoint(1));
    EXPECT_FALSE(f.w.report.IsEditMode()) << "the owner refused";
}

// A thread timer of the test: its message, handled in the thread's queue,
// shows that its time has passed.
TEST(ReportItemInput, DelayedEditingOpensTheCellClickedTwice)
{
    InputFixture f;
    f.w.report.EditOnDelayClick(TRUE);
    f.Click(f.CellPoint(1));
    EXPECT_FALSE(f.w.report.IsEditMode()) << "the first click only remembers the cell";
    f.Click(f.CellPoint(1));
    EXPECT_FALSE(f.w.report.IsEditMode()) << "the second click starts the timer";
    // The limit only ends a hung test; the editor opens after the double-click
    // time.
    EXPECT_TRUE(PumpMessagesUntil([&] { return f.w.report.IsEditMode() != FALSE; }));
    f.w.report.EndEditing(FALSE);

    // A double click between the clicks forgets the pending cell, so that
    // the click after it is a first click again and starts no timer.
    f.Click(f.CellPoint(1));
    const POINT pt = f.CellPoint(1);
    f.w.report.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    f.w.report.EndEditing(FALSE);
    f.Click(f.CellPoint(1));
    // A mark set now for twice the double-click time comes after the
    // control's delay would have: once it fired, a delayed edit would have
    // run too.
    ASSERT_TRUE(PumpMessagesPastTimer(2 * GetDoubleClickTime()));
    PumpReportMessages();
    EXPECT_FALSE(f.w.report.IsEditMode());
}

TEST(ReportItemInput, AHyperlinkClickReportsTheLinkUnderTheRelease)
{
    InputFixture f(L"[url]one[/url] and [url]two[/url]");
    f.w.report.SetAllowEdit(FALSE);
    f.Draw();
    ASSERT_EQ(2, f.pText->GetHyperlinksCount());
    auto centre = [](const RECT& rc) { return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}; };
    const POINT ptOne = centre(f.pText->GetHyperlinkAt(0)->m_rcHyperSpot);
    const POINT ptTwo = centre(f.pText->GetHyperlinkAt(1)->m_rcHyperSpot);
    ASSERT_NE(ptOne.x, ptTwo.x);

    struct Probe : CNotifyRecorder
    {
        int nLink = -2;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code ==
                                            static_cast<UINT>(REPORT_NOTIFY_HYPERLINK))
                nLink = reinterpret_cast<REPORT_ITEM_NOTIFY*>(lParam)->nHyperlink;
            return CNotifyRecorder::WindowProc(message, wParam, lParam);
        }
    };
    Probe probe;
    probe.CreateEx(0, NULL, L"Probe", WS_POPUP, 0, 0, 0, 0, NULL, NULL);
    f.w.report.SetOwnerWindow(probe.m_hWnd);
    f.Click(ptOne, ptTwo);
    EXPECT_EQ(1, probe.nLink) << "pressed on the first link, released on the second";
    EXPECT_EQ(1, probe.Count(NM_CLICK));
    probe.nLink = -2;
    f.Click(f.CellPoint(1, 150), ptTwo);
    EXPECT_EQ(-2, probe.nLink) << "a press beside the links";
    f.w.report.SetOwnerWindow(nullptr);
    probe.DestroyWindow();
}

}  // namespace
