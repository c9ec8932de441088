// What clicks on rows do under the behaviour schemes, and the notification
// switches.
#include "ReportControl/ReportBehavior.h"
#include "ReportTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// Every switch of a row behaviour as one string, event by event, button by
// button, modifier flags then button flags.
std::string Dump(CLVKReportBehaviorRow& row)
{
    std::string s;
    auto flag = [&](BOOL b) { s += b ? '1' : '0'; };
    for (CLVKReportBehaviorRowMouse* pMouse : {&row.MouseDown, &row.MouseUp})
    {
        for (CLVKReportBehaviorRowMouseButton* pButton : {&pMouse->Left, &pMouse->Right})
        {
            for (CLVKReportBehaviorRowModifier* pModifier : {&pButton->None, &pButton->Control, &pButton->Shift})
            {
                flag(pModifier->bFocusRow);
                flag(pModifier->bFocusRowTemporarily);
                flag(pModifier->bSelectRow);
                flag(pModifier->bSpare);
                flag(pModifier->bSelectWithModifiers);
                flag(pModifier->bKeepSelectedSelection);
                flag(pModifier->bKeepSelectedFocus);
                s += ' ';
            }
            flag(pButton->bFocusColumn);
            flag(pButton->bEnsureVisible);
            flag(pButton->bClick);
            flag(pButton->bContextMenu);
            flag(pButton->bEditOnClick);
            flag(pButton->bBeginDrag);
            flag(pButton->bEndDrag);
            flag(pButton->bSpare);
            s += '|';
        }
    }
    return s;
}

TEST(ReportBehavior, SchemesFillTheSwitches)
{
    CLVKReportBehavior behavior;
    EXPECT_EQ(LVK_REPORT_BEHAVIOR_DEFAULT, behavior.GetScheme());
    EXPECT_EQ("1010011 1010111 1010100 10000100|1010011 1010111 1010011 11000000|"
              "1010000 0000111 0000100 01100010|0000000 0000000 0000000 00010000|",
              Dump(behavior.Row));
    EXPECT_TRUE(behavior.Notifications.Populate.bSelectionChanged);
    EXPECT_TRUE(behavior.Notifications.Row.bRowExpanded);

    behavior.SetScheme(0x10001200);
    EXPECT_EQ("1010000 0000000 0000000 10100000|1010000 0000000 0000000 10010000|"
              "0000000 0000000 0000000 00000010|0000000 0000000 0000000 00000010|",
              Dump(behavior.Row));

    behavior.SetScheme(0x20001340);
    const std::string str1340 = Dump(behavior.Row);
    for (int nScheme : {0x20001341, 0x20001342})
    {
        behavior.SetScheme(nScheme);
        EXPECT_EQ(str1340, Dump(behavior.Row)) << std::hex << nScheme;
        EXPECT_EQ(nScheme, behavior.GetScheme());
    }

    behavior.SetScheme(0x12345);
    EXPECT_EQ(std::string::npos, Dump(behavior.Row).find('1')) << "an unknown code leaves every switch off";

    // Only the 0x00001100 family fills the second behaviour, and nothing
    // clears it afterwards.
    const std::string strEmptySecond = Dump(behavior.SecondRow);
    behavior.SetScheme(0x00001400);
    const std::string strSecond = Dump(behavior.SecondRow);
    EXPECT_NE(strEmptySecond, strSecond);
    EXPECT_EQ("1010000 0000000 0000000 10000101|1010000 0000000 0000000 10000101|"
              "0000000 0000000 0000000 00100010|0000000 0000000 0000000 00010010|",
              strSecond);
    behavior.SetScheme(LVK_REPORT_BEHAVIOR_DEFAULT);
    EXPECT_EQ(strSecond, Dump(behavior.SecondRow));
}

struct ClickReport
{
    ReportWindow w;

    ClickReport()
    {
        w.AddColumns(1);
        for (int i = 0; i < 6; i++)
            w.report.AddRecord(MakeRecord({L"row"}));
        w.report.Populate();
        w.report.UpdateWindow();
    }
    LPARAM At(int nRow)
    {
        const RECT rc = w.report.GetRows()->GetAt(nRow)->GetRect();
        return MAKELPARAM(rc.left + 30, (rc.top + rc.bottom) / 2);
    }
    int Focused() { return w.report.GetRows()->GetFocusedRowIndex(); }
    int Selected() { return w.report.GetSelectedRows()->GetCount(); }
    BOOL IsSelected(int nRow) { return w.report.GetRows()->GetAt(nRow)->IsSelected(); }
};

TEST(ReportBehavior, DefaultCtrlClickOnASelectedRowTogglesOnRelease)
{
    ClickReport r;
    r.w.report.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, r.At(1));
    r.w.report.SendMessage(WM_LBUTTONUP, 0, r.At(1));
    r.w.report.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, r.At(3));
    EXPECT_TRUE(r.IsSelected(3)) << "Ctrl adds an unselected row on the press";
    r.w.report.SendMessage(WM_LBUTTONUP, MK_CONTROL, r.At(3));
    EXPECT_EQ(2, r.Selected());

    r.w.report.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, r.At(1));
    EXPECT_TRUE(r.IsSelected(1)) << "the press keeps a selected row";
    EXPECT_EQ(3, r.Focused()) << "and the focus";
    r.w.report.SendMessage(WM_LBUTTONUP, MK_CONTROL, r.At(1));
    EXPECT_FALSE(r.IsSelected(1)) << "the release toggles it";
    EXPECT_EQ(1, r.Selected());

    // A plain press on a row of a multiple selection keeps it; the release
    // narrows it to that row.
    r.w.report.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, r.At(5));
    ASSERT_EQ(3, r.Selected());
    r.w.report.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, r.At(4));
    EXPECT_EQ(3, r.Selected());
    r.w.report.SendMessage(WM_LBUTTONUP, 0, r.At(4));
    EXPECT_EQ(1, r.Selected());
    EXPECT_TRUE(r.IsSelected(4));

    // An owner that answers the release itself keeps the selection as the
    // press left it.
    r.w.report.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, r.At(2));
    ASSERT_EQ(3, r.Selected());
    r.w.parent.m_nRefuseCode = REPORT_NOTIFY_LBUTTON_UP;
    r.w.parent.m_codes.clear();
    r.w.report.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, r.At(3));
    r.w.report.SendMessage(WM_LBUTTONUP, 0, r.At(3));
    EXPECT_EQ(1, r.w.parent.Count(REPORT_NOTIFY_LBUTTON_UP));
    EXPECT_EQ(3, r.Selected()) << "the release did not narrow the selection";
}

TEST(ReportBehavior, DefaultRightClickKeepsAMultipleSelectionAndOpensTheMenu)
{
    ClickReport r;
    r.w.report.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, r.At(1));
    r.w.report.SendMessage(WM_LBUTTONUP, 0, r.At(1));
    r.w.report.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, r.At(3));
    r.w.report.SendMessage(WM_LBUTTONUP, MK_SHIFT, r.At(3));
    ASSERT_EQ(3, r.Selected());
    r.w.parent.m_codes.clear();
    r.w.report.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, r.At(2));
    EXPECT_EQ(0, r.w.parent.Count(NM_RCLICK)) << "the menu opens on the release";
    r.w.report.SendMessage(WM_RBUTTONUP, 0, r.At(2));
    EXPECT_EQ(3, r.Selected());
    EXPECT_EQ(1, r.w.parent.Count(NM_RCLICK));

    r.w.report.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, r.At(5));
    r.w.report.SendMessage(WM_RBUTTONUP, 0, r.At(5));
    EXPECT_EQ(1, r.Selected()) << "a right click on an unselected row selects it alone";
    EXPECT_EQ(5, r.Focused());
}

TEST(ReportBehavior, WithAnUnknownSchemeClicksNeitherFocusNorSelect)
{
    ClickReport r;
    const int nFocused = r.Focused();
    const int nSelected = r.Selected();
    r.w.report.GetBehavior()->SetScheme(0x7);
    r.w.report.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, r.At(4));
    r.w.report.SendMessage(WM_LBUTTONUP, 0, r.At(4));
    r.w.report.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, r.At(3));
    r.w.report.SendMessage(WM_RBUTTONUP, 0, r.At(3));
    EXPECT_EQ(nFocused, r.Focused());
    EXPECT_EQ(nSelected, r.Selected());
    EXPECT_FALSE(r.IsSelected(4));
    EXPECT_EQ(0, r.w.parent.Count(NM_RCLICK));
    EXPECT_EQ(0, r.w.parent.Count(NM_CLICK));
}

TEST(ReportBehavior, PopulateReportsTheSelectionOnlyWhenItsSwitchIsOn)
{
    for (BOOL bSwitch : {TRUE, FALSE})
    {
        ReportWindow w;
        w.AddColumns(1);
        w.report.GetBehavior()->Notifications.Populate.bSelectionChanged = bSwitch;
        w.report.AddRecord(MakeRecord({L"row"}));
        w.report.Populate();
        EXPECT_EQ(bSwitch ? 1 : 0, w.parent.Count(REPORT_NOTIFY_SELECTION_CHANGED)) << bSwitch;
    }
}
}  // namespace
