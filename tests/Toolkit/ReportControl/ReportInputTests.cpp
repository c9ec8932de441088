// The report control's keys, context menus, clicks outside the rows and the
// text filter.
#include "ReportTestSupport.h"

#include <gtest/gtest.h>

namespace
{

// A parent with two children and a plain record, the parent collapsed.
void FillTree(ReportWindow& w)
{
    w.AddColumns(2);
    CLVKReportRecord* pParent = MakeRecord({L"parent", L"p"});
    pParent->GetChilds()->Add(MakeRecord({L"child one", L"c"}));
    pParent->GetChilds()->Add(MakeRecord({L"child two", L"c"}));
    w.report.AddRecord(pParent);
    w.report.AddRecord(MakeRecord({L"plain", L"x"}));
    w.report.GetColumns()->GetAt(0)->SetTreeColumn(TRUE);
    w.report.Populate();
}

TEST(ReportKeys, ArrowsEnterAndThePadKeysExpandAndMoveInTheTree)
{
    ReportWindow w;
    FillTree(w);
    CLVKReportRows* pRows = w.report.GetRows();
    auto key = [&](UINT nKey) { w.report.SendMessage(WM_KEYDOWN, nKey); };
    ASSERT_EQ(2, pRows->GetCount());
    CLVKReportRow* pParent = pRows->GetAt(0);
    key(VK_RIGHT);
    EXPECT_TRUE(pParent->IsExpanded()) << "Right expands a collapsed row";
    EXPECT_EQ(4, pRows->GetCount());
    key(VK_RIGHT);
    EXPECT_EQ(1, pRows->GetFocusedRowIndex()) << "Right on an expanded row goes to its first child";
    key(VK_LEFT);
    EXPECT_EQ(0, pRows->GetFocusedRowIndex()) << "Left on a child goes to its parent";
    key(VK_LEFT);
    EXPECT_FALSE(pParent->IsExpanded()) << "Left collapses";
    key(VK_RETURN);
    EXPECT_TRUE(pParent->IsExpanded()) << "Enter toggles";
    pParent->LockExpand(TRUE);
    key(VK_RETURN);
    EXPECT_TRUE(pParent->IsExpanded()) << "a locked row stays";
    key(VK_SUBTRACT);
    EXPECT_TRUE(pParent->IsExpanded());
    pParent->LockExpand(FALSE);
    key(VK_SUBTRACT);
    EXPECT_FALSE(pParent->IsExpanded()) << "the pad's minus collapses";
    {
        ScopedKeysDown ctrl({VK_CONTROL});
        key(VK_ADD);
    }
    EXPECT_TRUE(pParent->IsExpanded()) << "Ctrl and the pad's plus expand all";
    EXPECT_EQ(4, pRows->GetCount());
}

TEST(ReportKeys, SpaceTogglesWithCtrlOrTheToggleSwitch)
{
    ReportWindow w;
    w.AddColumns(1);
    for (int i = 0; i < 3; i++)
        w.report.AddRecord(MakeRecord({L"row"}));
    w.report.Populate();
    CLVKReportRow* pFirst = w.report.GetRows()->GetAt(0);
    ASSERT_TRUE(pFirst->IsSelected());
    w.report.SendMessage(WM_KEYDOWN, VK_SPACE);
    EXPECT_TRUE(pFirst->IsSelected()) << "Space alone does not toggle";
    w.parent.m_codes.clear();
    {
        ScopedKeysDown ctrl({VK_CONTROL});
        w.report.SendMessage(WM_KEYDOWN, VK_SPACE);
    }
    EXPECT_FALSE(pFirst->IsSelected());
    EXPECT_EQ(1, w.parent.Count(REPORT_NOTIFY_SELECTION_CHANGED));
    w.report.SetSelectionToggle(TRUE);
    w.report.SendMessage(WM_KEYDOWN, VK_SPACE);
    EXPECT_TRUE(pFirst->IsSelected()) << "the toggle switch acts as Ctrl";
}

TEST(ReportKeys, AnEmptyControlOnlyReportsTheKey)
{
    ReportWindow w;
    w.AddColumns(1);
    w.report.Populate();
    w.parent.m_codes.clear();
    for (UINT nKey : {VK_DOWN, VK_END, VK_SPACE, VK_RETURN, VK_F2})
        w.report.SendMessage(WM_KEYDOWN, nKey);
    EXPECT_EQ(5, w.parent.Count(NM_KEYDOWN));
    EXPECT_EQ(5u, w.parent.m_codes.size()) << "nothing but the keys";
}

TEST(ReportContextMenu, TheKeyboardMenuNamesTheFocusedRowOrTheBody)
{
    ReportWindow w;
    w.AddColumns(1);
    w.report.Populate();
    w.parent.m_codes.clear();
    w.report.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w.report.m_hWnd), MAKELPARAM(-1, -1));
    EXPECT_EQ(1, w.parent.Count(NM_RCLICK)) << "no focused row: the body's corner";
    w.report.AddRecord(MakeRecord({L"row"}));
    w.report.Populate();
    w.report.UpdateWindow();
    w.parent.m_codes.clear();
    w.report.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w.report.m_hWnd), MAKELPARAM(-1, -1));
    EXPECT_EQ(1, w.parent.Count(NM_RCLICK)) << "the focused row's menu";
    // A right click on the header reports the header's menu once (the
    // button's release brings WM_CONTEXTMENU).
    w.parent.m_codes.clear();
    const RECT rcHeader = w.report.GetElementRect(2);
    POINT pt{20, (rcHeader.top + rcHeader.bottom) / 2};
    w.report.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
    w.report.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(1, w.parent.Count(REPORT_NOTIFY_HEADER_RCLICK));
}

TEST(ReportMouse, AClickOutsideTheRowsClearsTheSelectionWhenAsked)
{
    ReportWindow w;
    w.AddColumns(1);
    w.report.AddRecord(MakeRecord({L"row"}));
    w.report.Populate();
    w.report.UpdateWindow();
    const RECT rcBody = w.report.GetElementRect(0);
    const LPARAM lParam = MAKELPARAM(20, rcBody.bottom - 5);
    w.report.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    w.report.SendMessage(WM_LBUTTONUP, 0, lParam);
    EXPECT_EQ(1, w.report.GetSelectedRows()->GetCount()) << "off by default";
    w.report.SetClearSelectionOnClickOutside(TRUE);
    w.report.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, lParam);
    w.report.SendMessage(WM_LBUTTONUP, MK_CONTROL, lParam);
    EXPECT_EQ(1, w.report.GetSelectedRows()->GetCount()) << "not with Ctrl";
    w.parent.m_codes.clear();
    w.report.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    w.report.SendMessage(WM_LBUTTONUP, 0, lParam);
    EXPECT_EQ(0, w.report.GetSelectedRows()->GetCount());
    EXPECT_EQ(1, w.parent.Count(REPORT_NOTIFY_SELECTION_CHANGING)) << "the owner is asked";
    EXPECT_EQ(1, w.parent.Count(REPORT_NOTIFY_SELECTION_CHANGED));
}

TEST(ReportFilter, EveryWordMustBeFoundInSomeCaption)
{
    ReportWindow w;
    w.AddColumns(2);
    CLVKReportRecord* pRecord = MakeRecord({L"Quarterly Report", L"Finance"});
    w.report.AddRecord(pRecord);
    struct Case
    {
        LPCWSTR text;
        BOOL bFiltered;
    } cases[] = {
        {L"", FALSE},          {L"   ", FALSE},        {L"report", FALSE}, {L"TERLY", FALSE},
        {L"port fin", FALSE},  {L"report budget", TRUE}, {L"\tfin\t", FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.bFiltered, w.report.IsRecordFiltered(pRecord, c.text, FALSE)) << "\"" << CStringA(c.text) << "\"";
    // Hidden columns count only with filter options.
    w.report.GetColumns()->GetAt(1)->SetVisible(FALSE);
    EXPECT_TRUE(w.report.IsRecordFiltered(pRecord, L"finance", FALSE));
    w.report.SetFilterOptions(1);
    EXPECT_FALSE(w.report.IsRecordFiltered(pRecord, L"finance", FALSE));
    // With tab-separated words a blank is part of the word.
    w.report.SetFilterTabSeparated(TRUE);
    EXPECT_FALSE(w.report.IsRecordFiltered(pRecord, L"quarterly report", FALSE));
    EXPECT_TRUE(w.report.IsRecordFiltered(pRecord, L"report quarterly", FALSE));
}

TEST(ReportFilter, TreeModesKeepOrHideParents)
{
    ReportWindow w;
    FillTree(w);
    CLVKReportRecord* pParent = w.report.GetRecords()->GetAt(0);
    EXPECT_TRUE(w.report.IsRecordFiltered(pParent, L"two", FALSE)) << "mode 0: the parent's own captions";
    w.report.SetTreeFilterMode(1);
    EXPECT_FALSE(w.report.IsRecordFiltered(pParent, L"two", FALSE)) << "a child stays, so does the parent";
    EXPECT_FALSE(w.report.IsRecordFiltered(pParent, L"parent", FALSE));
    w.report.SetTreeFilterMode(2);
    EXPECT_TRUE(w.report.IsRecordFiltered(pParent, L"parent", FALSE)) << "its children are all hidden";
    // Populate shows the parent and the child that matches.
    w.report.SetTreeFilterMode(1);
    w.report.SetFilterText(L"two");
    w.report.GetRecords()->GetAt(0)->SetExpanded(TRUE);
    w.report.Populate();
    std::vector<CString> expected = {L"parent", L"child two"};
    EXPECT_EQ(expected, w.FirstColumnCaptions());
}

}  // namespace
