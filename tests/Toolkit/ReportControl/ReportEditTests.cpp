// Editing cells in place: edit options and allowed values, the edit box's
// keys and change checks, the drop-down list, spin and combo buttons, and the
// push buttons inside cells.
#include "ReportControl/ArrayT.h"
#include "ReportControl/ReportInplaceButton.h"
#include "ReportControl/ReportInplaceEdit.h"
#include "ReportControl/ReportInplaceList.h"
#include "ReportControl/ReportRecordItemButton.h"
#include "ReportControl/ReportRecordItemControls.h"
#include "ReportControl/ReportRecordItemEditOptions.h"
#include "ReportTestSupport.h"
#include "Foundation/PropExchangeSection.h"
#include "Foundation/PropExchangeXMLNode.h"

#include <gtest/gtest.h>

#include <climits>

namespace
{
// A report with one record of two text cells, shown and focused.
struct EditFixture
{
    ReportWindow w;

    explicit EditFixture(std::initializer_list<LPCWSTR> texts = {L"first", L"second"})
    {
        w.AddColumns(2);
        w.report.SetAllowEdit(TRUE);
        w.report.FocusSubItems(TRUE);
        w.report.AddRecord(MakeRecord(texts));
        w.report.Populate();
        w.report.UpdateWindow();
        w.report.SetFocus();
    }
    CLVKReportColumn* Column(int n) { return w.report.GetColumns()->GetAt(n); }
    CLVKReportRecordItem* Item(int n) { return w.report.GetRecords()->GetAt(0)->GetItem(n); }
    void Edit(int nColumn)
    {
        LVK_REPORTRECORDITEM_ARGS args(&w.report, w.report.GetRows()->GetAt(0), Column(nColumn));
        w.report.EditItem(&args);
    }
    HWND EditBox() { return w.report.GetInplaceEditHwnd(); }
    // A key as the keyboard gives it: the key, then its character.
    void Type(UINT nKey, WCHAR ch)
    {
        SendMessageW(EditBox(), WM_KEYDOWN, nKey, 1);
        if (EditBox() && ch)
            SendMessageW(EditBox(), WM_CHAR, ch, 1);
    }
};

TEST(ReportEditOptions, ConstraintLookupsAndIndexErrors)
{
    CLVKReportRecordItemEditOptions options;
    EXPECT_TRUE(options.m_bAllowEdit);
    EXPECT_FALSE(options.m_bConstraintEdit);
    EXPECT_TRUE(options.m_bSelectTextOnEdit);
    EXPECT_EQ(static_cast<DWORD>(ES_AUTOHSCROLL), options.m_dwEditStyle);
    options.AddConstraint(L"Blue", 1);
    options.AddConstraint(L"blue", 2);
    options.AddConstraint(L"Red", 2);
    EXPECT_EQ(1, options.FindConstraint(2)->GetIndex()) << "the first with the value";
    EXPECT_EQ(nullptr, options.FindConstraint(9));
    EXPECT_EQ(1, options.FindConstraintByCaption(L"blue")->GetIndex()) << "captions compare with case";
    EXPECT_EQ(nullptr, options.FindConstraintByCaption(L"BLUE"));
    EXPECT_EQ(nullptr, options.GetConstraints()->GetAt(3)) << "past the end";

    SCODE sc = S_OK;
    try
    {
        options.FindConstraintByCaption(nullptr);
    }
    catch (COleException* e)
    {
        sc = e->m_sc;
        e->Delete();
    }
    EXPECT_EQ(E_FAIL, sc);
    bool bInvalid = false;
    try
    {
        options.GetConstraints()->GetAt(-1);
    }
    catch (CInvalidArgException* e)
    {
        bInvalid = true;
        e->Delete();
    }
    EXPECT_TRUE(bInvalid);
}

TEST(ReportInplaceButtons, SpinStepsStayInTheRangeWithoutWrapping)
{
    struct Case
    {
        const char* name;
        int nMin, nMax, nStep, nPart;
        long long nValue;
        int nExpected;
    };
    const Case cases[] = {
        {"8 up by 5 stops at 10", 0, 10, 5, 1, 8, 10},
        {"10 stays 10", 0, 10, 5, 1, 10, 10},
        {"down part subtracts", 0, 10, 5, 2, 8, 3},
        {"below the minimum is raised", 0, 10, 5, 2, 2, 0},
        {"near the int limit does not wrap", INT_MIN, INT_MAX, 100, 1, INT_MAX - 10, INT_MAX},
        {"a huge step down does not wrap", INT_MIN, INT_MAX, INT_MAX, 2, INT_MIN + 5, INT_MIN},
        {"a typed number past an int is clamped", INT_MIN, INT_MAX, 1, 1, 99999999999LL, INT_MAX},
        {"a typed negative past an int is clamped", INT_MIN, INT_MAX, 1, 2, -99999999999LL, INT_MIN},
    };
    for (const Case& c : cases)
    {
        CLVKReportInplaceButton button(LVK_REPORT_INPLACEBUTTON_SPIN);
        button.SetSpinButtonMin(c.nMin);
        button.SetSpinButtonMax(c.nMax);
        button.SetSpinButtonStep(c.nStep);
        button.SetPressedSpinPart(c.nPart);
        EXPECT_EQ(c.nExpected, button.StepValue(c.nValue)) << c.name;
    }
}

TEST(ReportInplaceEditing, EnterCommitsEscapeRestoresAndCancels)
{
    EditFixture f;
    f.Edit(0);
    ASSERT_TRUE(f.w.report.IsEditMode());
    EXPECT_EQ(1, f.w.parent.Count(REPORT_NOTIFY_BEGIN_EDIT));
    EXPECT_STREQ(L"first", WindowTextOf(f.EditBox()));
    SetWindowTextW(f.EditBox(), L"typed");
    f.Type(VK_ESCAPE, VK_ESCAPE);
    EXPECT_FALSE(f.w.report.IsEditMode());
    EXPECT_EQ(1, f.w.parent.Count(REPORT_NOTIFY_EDIT_CANCELED)) << "the starting text came back: no change";
    EXPECT_EQ(0, f.w.parent.Count(REPORT_NOTIFY_VALUE_CHANGED));
    EXPECT_STREQ(L"first", f.Item(0)->GetCaption(nullptr));

    f.Edit(1);
    SetWindowTextW(f.EditBox(), L"new");
    f.Type(VK_RETURN, VK_RETURN);
    EXPECT_FALSE(f.w.report.IsEditMode());
    EXPECT_EQ(1, f.w.parent.Count(REPORT_NOTIFY_VALUE_CHANGED));
    EXPECT_STREQ(L"new", f.Item(1)->GetCaption(nullptr));
    EXPECT_EQ(f.w.report.GetSafeHwnd(), GetFocus()) << "the focus comes back to the report";
    PumpReportMessages();
}

// The whole way by keys only: F2 on the focused cell opens the editor, typed
// characters replace the selected text, Enter commits with its notification;
// a character typed on the report opens the editor with it, Escape cancels.
TEST(ReportInplaceEditing, KeysAloneOpenTypeCommitAndCancel)
{
    EditFixture f;
    f.w.report.SetFocusedRow(f.w.report.GetRows()->GetAt(0));
    f.w.report.SetFocusedColumn(f.Column(1));
    f.w.report.SendMessage(WM_KEYDOWN, VK_F2, 1);
    ASSERT_TRUE(f.w.report.IsEditMode());
    EXPECT_STREQ(L"second", WindowTextOf(f.EditBox()));
    SendMessageW(f.EditBox(), WM_CHAR, L'o', 1);
    SendMessageW(f.EditBox(), WM_CHAR, L'k', 1);
    EXPECT_STREQ(L"ok", WindowTextOf(f.EditBox())) << "the text was selected, so typing replaced it";
    f.Type(VK_RETURN, VK_RETURN);
    EXPECT_FALSE(f.w.report.IsEditMode());
    EXPECT_EQ(1, f.w.parent.Count(REPORT_NOTIFY_VALUE_CHANGED));
    EXPECT_STREQ(L"ok", f.Item(1)->GetCaption(nullptr));
    EXPECT_STREQ(L"first", f.Item(0)->GetCaption(nullptr)) << "the other cell is untouched";

    f.w.report.SendMessage(WM_CHAR, L'z', 1);
    ASSERT_TRUE(f.w.report.IsEditMode()) << "typing on the report opens the focused cell";
    SendMessageW(f.EditBox(), WM_CHAR, L'y', 1);
    EXPECT_STREQ(L"zy", WindowTextOf(f.EditBox()));
    f.Type(VK_ESCAPE, VK_ESCAPE);
    EXPECT_FALSE(f.w.report.IsEditMode());
    EXPECT_EQ(1, f.w.parent.Count(REPORT_NOTIFY_EDIT_CANCELED));
    EXPECT_EQ(1, f.w.parent.Count(REPORT_NOTIFY_VALUE_CHANGED)) << "Escape changes nothing";
    EXPECT_STREQ(L"ok", f.Item(1)->GetCaption(nullptr));

    f.Column(1)->SetEditable(FALSE);
    f.w.report.SendMessage(WM_KEYDOWN, VK_F2, 1);
    EXPECT_FALSE(f.w.report.IsEditMode()) << "a column that does not edit opens no editor";
    PumpReportMessages();
}

TEST(ReportInplaceEditing, TheEditHidesWhenItsRectangleIsEmpty)
{
    EditFixture f;
    CLVKReportInplaceEdit* pEdit = f.w.report.GetInplaceEdit();
    LVK_REPORTRECORDITEM_ARGS args(&f.w.report, f.w.report.GetRows()->GetAt(0), f.Column(0));
    args.rcItem = RECT{20, 20, 20, 40};
    pEdit->Create(&args);
    ASSERT_NE(nullptr, pEdit->GetSafeHwnd());
    EXPECT_FALSE(pEdit->IsWindowVisible());
    EXPECT_EQ(nullptr, pEdit->pItem) << "the hidden edit gives up the cell";
    EXPECT_FALSE(f.w.report.IsEditMode());
}

// A cell that refuses digits and writes letters in upper case.
class CUpperTextItem : public CLVKReportRecordItemText
{
public:
    using CLVKReportRecordItemText::CLVKReportRecordItemText;
    BOOL OnEditChanging(LVK_REPORTRECORDITEM_ARGS*, CString& rstrNewText) override
    {
        for (int i = 0; i < rstrNewText.GetLength(); i++)
            if (iswdigit(rstrNewText[i]))
                return FALSE;
        rstrNewText.MakeUpper();
        return TRUE;
    }
};

TEST(ReportInplaceEditing, TheCellMayRefuseOrChangeTypedText)
{
    ReportWindow w;
    w.AddColumns(1);
    w.report.SetAllowEdit(TRUE);
    auto* pRecord = new CLVKReportRecord();
    pRecord->AddItem(new CUpperTextItem(L"AB"));
    w.report.AddRecord(pRecord);
    w.report.Populate();
    w.report.UpdateWindow();
    LVK_REPORTRECORDITEM_ARGS args(&w.report, w.report.GetRows()->GetAt(0), w.report.GetColumns()->GetAt(0));
    w.report.EditItem(&args);
    HWND hEdit = w.report.GetInplaceEditHwnd();
    ASSERT_TRUE(w.report.IsEditMode());
    SendMessageW(hEdit, EM_SETSEL, 2, 2);
    SendMessageW(hEdit, WM_CHAR, L'c', 1);
    EXPECT_STREQ(L"ABC", WindowTextOf(hEdit)) << "changed by the cell";
    SendMessageW(hEdit, EM_SETSEL, 3, 3);
    SendMessageW(hEdit, WM_CHAR, L'7', 1);
    EXPECT_STREQ(L"ABC", WindowTextOf(hEdit)) << "refused: the accepted text comes back";
    DWORD dwStart = 0;
    DWORD dwEnd = 0;
    SendMessageW(hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
    EXPECT_EQ(3u, dwStart) << "the caret stays where the refused character went";
    SendMessageW(hEdit, WM_CHAR, VK_RETURN, 1);
    EXPECT_STREQ(L"ABC", w.report.GetRecords()->GetAt(0)->GetItem(0)->GetCaption(nullptr));
    PumpReportMessages();
}

TEST(ReportInplaceEditing, ConstraintModeStepsByFirstLetterAndArrowKeys)
{
    EditFixture f({L"Red", L"x"});
    CLVKReportRecordItemEditOptions* pOptions = f.Column(0)->GetEditOptions();
    pOptions->m_bConstraintEdit = TRUE;
    pOptions->AddConstraint(L"Blue", 10);
    pOptions->AddConstraint(L"Black", 11);
    pOptions->AddConstraint(L"Red", 12);
    f.Edit(0);
    ASSERT_TRUE(f.w.report.IsEditMode());
    HWND hEdit = f.EditBox();
    const struct
    {
        UINT nKey;
        WCHAR ch;
        LPCWSTR expected;
    } steps[] = {
        {'B', L'b', L"Blue"}, {'B', L'b', L"Black"}, {'B', L'b', L"Blue"},   {VK_DOWN, 0, L"Black"},
        {VK_DOWN, 0, L"Red"}, {VK_DOWN, 0, L"Red"},  {VK_PRIOR, 0, L"Blue"}, {VK_UP, 0, L"Blue"},
        {VK_NEXT, 0, L"Red"}, {'Z', L'z', L"Red"},
    };
    for (const auto& step : steps)
    {
        f.Type(step.nKey, step.ch);
        EXPECT_STREQ(step.expected, WindowTextOf(hEdit)) << "after key " << step.nKey;
    }
    // Blue, Black, Blue, Black, Red, Blue, Red: each change of caption once.
    EXPECT_EQ(7, f.w.parent.Count(REPORT_NOTIFY_INPLACE_KEYDOWN));
    f.Type(VK_PRIOR, 0);
    f.Type(VK_RETURN, VK_RETURN);
    EXPECT_STREQ(L"Blue", f.Item(0)->GetCaption(nullptr)) << "the chosen constraint is committed";
    EXPECT_EQ(1, f.w.parent.Count(REPORT_NOTIFY_VALUE_CHANGED));
    PumpReportMessages();
}

TEST(ReportInplaceEditing, ButtonsStackOutwardAndTheSpinSteps)
{
    EditFixture f({L"8", L"x"});
    CLVKReportRecordItemEditOptions* pOptions = f.Column(0)->GetEditOptions();
    CLVKReportInplaceButton* pSpin = pOptions->AddSpinButton();
    pSpin->SetSpinButtonMin(0);
    pSpin->SetSpinButtonMax(10);
    pSpin->SetSpinButtonStep(5);
    CLVKReportInplaceButton* pExpand = pOptions->AddExpandButton();
    CLVKReportInplaceButton* pInside = pOptions->AddComboButton(TRUE);
    f.Edit(0);
    ASSERT_TRUE(f.w.report.IsEditMode());
    ASSERT_EQ(3, f.w.report.GetInplaceButtonCount());
    RECT rcEdit{};
    RECT rcSpin{};
    RECT rcExpand{};
    RECT rcInside{};
    GetWindowRect(f.EditBox(), &rcEdit);
    pSpin->GetWindowRect(&rcSpin);
    pExpand->GetWindowRect(&rcExpand);
    pInside->GetWindowRect(&rcInside);
    EXPECT_LT(rcEdit.right, rcInside.right) << "the inside button is right of the edit";
    EXPECT_LE(rcInside.right, rcSpin.left + 2) << "the outside buttons follow";
    EXPECT_LE(rcSpin.right, rcExpand.left + 2) << "in the order they were added";

    // The spin button's upper half steps up; the value stays within 0..10.
    RECT rcClient{};
    pSpin->GetClientRect(&rcClient);
    pSpin->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 1));
    pSpin->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 1));
    EXPECT_STREQ(L"10", WindowTextOf(f.EditBox()));
    pSpin->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 1));
    pSpin->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 1));
    EXPECT_STREQ(L"10", WindowTextOf(f.EditBox()));
    pSpin->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, rcClient.bottom - 1));
    pSpin->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, rcClient.bottom - 1));
    EXPECT_STREQ(L"5", WindowTextOf(f.EditBox()));
    EXPECT_EQ(3, f.w.parent.Count(REPORT_NOTIFY_INPLACE_BUTTON_DOWN));

    // An owner that answers 1 to the press keeps the button's own action.
    f.w.parent.m_nRefuseCode = REPORT_NOTIFY_INPLACE_BUTTON_DOWN;
    pSpin->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 1));
    pSpin->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 1));
    EXPECT_STREQ(L"5", WindowTextOf(f.EditBox()));
    f.w.parent.m_nRefuseCode = 0;

    f.Type(VK_RETURN, VK_RETURN);
    EXPECT_STREQ(L"5", f.Item(0)->GetCaption(nullptr));
    EXPECT_EQ(0, f.w.report.GetInplaceButtonCount()) << "the buttons go with the edit";
    EXPECT_EQ(nullptr, pSpin->GetSafeHwnd());
    PumpReportMessages();
}

TEST(ReportInplaceList, OpensUnderTheCellAppliesAndTypesAhead)
{
    EditFixture f({L"not listed", L"x"});
    CLVKReportRecordItemEditOptions* pOptions = f.Column(0)->GetEditOptions();
    CLVKReportInplaceButton* pCombo = pOptions->AddComboButton();
    pCombo->SetMaxVisibleItems(10);
    for (int i = 0; i < 25; i++)
    {
        CString strCaption;
        strCaption.Format(L"%s%02d", i % 2 ? L"red" : L"green", i);
        pOptions->AddConstraint(strCaption, static_cast<DWORD_PTR>(i));
    }
    pOptions->AddConstraint(L"rest", 99);
    f.Edit(0);
    ASSERT_TRUE(f.w.report.IsEditMode());
    pCombo->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    pCombo->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    CLVKReportInplaceList* pList = f.w.report.GetInplaceList();
    ASSERT_NE(nullptr, pList->GetSafeHwnd());
    EXPECT_TRUE(pList->IsWindowVisible());
    EXPECT_EQ(pList->GetSafeHwnd(), GetFocus());
    EXPECT_EQ(26, pList->GetCount());
    EXPECT_EQ(LB_ERR, pList->GetCurSel()) << "a caption that is not listed selects nothing";
    const int nItemHeight = static_cast<int>(pList->SendMessage(LB_GETITEMHEIGHT, 0));
    RECT rcList{};
    pList->GetWindowRect(&rcList);
    EXPECT_EQ(10 * nItemHeight + 2, rcList.bottom - rcList.top) << "ten of 25 entries are visible";
    RECT rcButton{};
    pCombo->GetWindowRect(&rcButton);
    EXPECT_EQ(rcButton.bottom, rcList.top) << "the list opens under the cell's button";
    EXPECT_EQ(rcButton.right, rcList.right);

    // Type-ahead: characters within 1.3 s extend the search, a pause starts
    // a new one.
    static DWORD s_dwTick = 100000;
    pList->m_pfnTickCount = []() { return s_dwTick; };
    pList->SendMessage(WM_CHAR, L'r');
    EXPECT_STREQ(L"red01", pList->GetText(pList->GetCurSel()));
    s_dwTick += 500;
    pList->SendMessage(WM_CHAR, L'e');
    EXPECT_STREQ(L"red03", pList->GetText(pList->GetCurSel())) << "'re' searched after the selection";
    s_dwTick += 500;
    pList->SendMessage(WM_CHAR, L's');
    EXPECT_STREQ(L"rest", pList->GetText(pList->GetCurSel()));
    s_dwTick += 2000;
    pList->SendMessage(WM_CHAR, L'g');
    EXPECT_STREQ(L"green00", pList->GetText(pList->GetCurSel())) << "after a pause 'g' alone, wrapping to the top";
    const int nKeyDowns = f.w.parent.Count(REPORT_NOTIFY_INPLACE_KEYDOWN);
    EXPECT_EQ(4, nKeyDowns) << "each new selection is reported";

    pList->SendMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_STREQ(L"green00", f.Item(0)->GetCaption(nullptr));
    EXPECT_EQ(1, f.w.parent.Count(REPORT_NOTIFY_VALUE_CHANGED));
    EXPECT_EQ(nKeyDowns + 1, f.w.parent.Count(REPORT_NOTIFY_INPLACE_KEYDOWN));
    EXPECT_EQ(nullptr, pList->GetSafeHwnd()) << "the list goes when it loses the focus";
    EXPECT_EQ(f.w.report.GetSafeHwnd(), GetFocus());
    PumpReportMessages();
    EXPECT_EQ(0, f.w.report.GetInplaceButtonCount()) << "the buttons go once the focus is back";

    // Escape cancels: the value stays.
    f.Edit(0);
    pCombo->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ASSERT_NE(nullptr, pList->GetSafeHwnd());
    EXPECT_EQ(0, pList->GetCurSel()) << "the cell's caption is listed";
    pList->SendMessage(WM_KEYDOWN, VK_DOWN);
    pList->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(nullptr, pList->GetSafeHwnd());
    EXPECT_STREQ(L"green00", f.Item(0)->GetCaption(nullptr));
    PumpReportMessages();
}

TEST(ReportItemControls, InsertingRenumbersAndIconsFallBackToStateZero)
{
    CLVKReportRecordItemControls controls;
    EXPECT_EQ(nullptr, controls.AddControl(nullptr));
    CLVKReportRecordItemControl* pFirst = controls.AddControl(new CLVKReportRecordItemButton(L"a"));
    CLVKReportRecordItemControl* pSecond = controls.AddControl(new CLVKReportRecordItemButton(L"b"), 7);
    CLVKReportRecordItemControl* pThird = controls.AddControl(new CLVKReportRecordItemButton(L"c"));
    CLVKReportRecordItemControl* pNew = controls.AddControl(new CLVKReportRecordItemButton(L"new"), 0);
    EXPECT_EQ(0, pNew->GetIndex());
    EXPECT_EQ(1, pFirst->GetIndex());
    EXPECT_EQ(2, pSecond->GetIndex());
    EXPECT_EQ(3, pThird->GetIndex());
    controls.RemoveAt(1);
    controls.RemoveAt(9);
    EXPECT_EQ(3, controls.GetCount());
    EXPECT_EQ(1, pSecond->GetIndex());

    pNew->SetIconIndex(0, 5);
    pNew->SetIconIndex(3, 8);
    EXPECT_EQ(8, pNew->GetIconIndex(3));
    EXPECT_EQ(5, pNew->GetIconIndex(1));
    EXPECT_EQ(5, pNew->GetIconIndex(4));
    EXPECT_EQ(-1, pThird->GetIconIndex(3));
}

TEST(ReportItemControls, PropertiesRoundTripAndUnknownClassesAreRefused)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CString strXml;
    {
        CLVKReportRecordItemControls controls;
        auto* pButton = new CLVKReportRecordItemButton(L"Go");
        pButton->SetAlignment(LVK_REPORT_CONTROL_RIGHT);
        pButton->SetSize(SIZE{40, 16});
        pButton->SetIconIndex(0, 2);
        pButton->SetIconIndex(3, 4);
        pButton->SetEnable(FALSE);
        controls.AddControl(pButton);
        controls.AddControl(new CLVKReportRecordItemControl(L"plain"));
        auto* px = new CLVKPropExchangeXMLNode(FALSE, nullptr, L"Cell");
        CLVKPropExchangeSection section(px);
        controls.DoPropExchange(px);
        ASSERT_TRUE(px->GetDocumentXml(strXml));
    }
    CLVKReportRecordItemControls loaded;
    {
        auto* px = new CLVKPropExchangeXMLNode(TRUE, nullptr, L"Cell");
        CLVKPropExchangeSection section(px);
        ASSERT_TRUE(px->LoadFromText(strXml));
        loaded.DoPropExchange(px);
    }
    ASSERT_EQ(2, loaded.GetCount());
    CLVKReportRecordItemControl* pButton = loaded.GetAt(0);
    EXPECT_TRUE(pButton->IsKindOf(RUNTIME_CLASS(CLVKReportRecordItemButton)));
    EXPECT_STREQ(L"Go", pButton->GetCaption());
    EXPECT_EQ(LVK_REPORT_CONTROL_RIGHT, pButton->GetAlignment());
    EXPECT_EQ(40, pButton->GetSize().cx);
    EXPECT_FALSE(pButton->GetEnable());
    EXPECT_EQ(4, pButton->GetIconIndex(3));
    EXPECT_EQ(2, pButton->GetIconIndex(1));
    EXPECT_FALSE(loaded.GetAt(1)->IsKindOf(RUNTIME_CLASS(CLVKReportRecordItemButton)));
    EXPECT_EQ(1, loaded.GetAt(1)->GetIndex());

    // A stored class that is not a cell control is never built.
    strXml.Replace(L"CLVKReportRecordItemButton", L"CLVKReportColumns");
    bool bBadClass = false;
    {
        auto* px = new CLVKPropExchangeXMLNode(TRUE, nullptr, L"Cell");
        CLVKPropExchangeSection section(px);
        ASSERT_TRUE(px->LoadFromText(strXml));
        try
        {
            loaded.DoPropExchange(px);
        }
        catch (CArchiveException* e)
        {
            bBadClass = e->m_cause == CArchiveException::badClass;
            e->Delete();
        }
    }
    EXPECT_TRUE(bBadClass);
    CoUninitialize();
}

// A report whose first cell carries a push button at its left edge.
struct ButtonFixture
{
    ReportWindow w;
    CLVKReportRecordItemButton* pButton = nullptr;
    CLVKReportRecordItem* pItem = nullptr;

    explicit ButtonFixture(BOOL bEnabled = TRUE)
    {
        w.AddColumns(2, 150);
        CLVKReportRecord* pRecord = MakeRecord({L"cell", L"other"});
        pItem = pRecord->GetItem(0);
        pButton = new CLVKReportRecordItemButton(L"Go");
        pButton->SetSize(SIZE{40, 0});
        pButton->SetEnable(bEnabled);
        pItem->AddItemControl(pButton);
        w.report.AddRecord(pRecord);
        w.report.Populate();
        w.report.UpdateWindow();
    }
    POINT Inside() const
    {
        const RECT& rc = pButton->GetRect();
        return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    // Mouse messages arrive where the capture is.
    void Mouse(UINT message, POINT pt, WPARAM wParam)
    {
        HWND hTarget = GetCapture() ? GetCapture() : w.report.GetSafeHwnd();
        MapWindowPoints(w.report.GetSafeHwnd(), hTarget, &pt, 1);
        SendMessageW(hTarget, message, wParam, MAKELPARAM(pt.x, pt.y));
    }
};

TEST(ReportItemControls, AButtonClicksOnlyWhenReleasedWhereItWasPressed)
{
    ButtonFixture f;
    ASSERT_FALSE(IsRectEmpty(&f.pButton->GetRect())) << "the cell placed its button while drawing";
    const POINT ptIn = f.Inside();
    const POINT ptOut{f.pButton->GetRect().right + 60, ptIn.y};

    f.Mouse(WM_LBUTTONDOWN, ptIn, MK_LBUTTON);
    EXPECT_EQ(LVK_REPORT_BUTTON_PRESSED, f.pButton->GetState());
    EXPECT_NE(nullptr, GetCapture()) << "the pressed control holds the mouse";
    f.Mouse(WM_MOUSEMOVE, ptOut, MK_LBUTTON);
    EXPECT_EQ(LVK_REPORT_BUTTON_NORMAL, f.pButton->GetState()) << "released look outside";
    f.Mouse(WM_MOUSEMOVE, ptIn, MK_LBUTTON);
    EXPECT_EQ(LVK_REPORT_BUTTON_PRESSED, f.pButton->GetState()) << "pressed again when back";
    f.Mouse(WM_LBUTTONUP, ptIn, 0);
    EXPECT_EQ(LVK_REPORT_BUTTON_NORMAL, f.pButton->GetState());
    EXPECT_EQ(1, f.w.parent.Count(REPORT_NOTIFY_ITEM_BUTTON_CLICK));
    EXPECT_EQ(nullptr, GetCapture());

    f.Mouse(WM_LBUTTONDOWN, ptIn, MK_LBUTTON);
    f.Mouse(WM_MOUSEMOVE, ptOut, MK_LBUTTON);
    f.Mouse(WM_LBUTTONUP, ptOut, 0);
    EXPECT_EQ(LVK_REPORT_BUTTON_NORMAL, f.pButton->GetState());
    EXPECT_EQ(1, f.w.parent.Count(REPORT_NOTIFY_ITEM_BUTTON_CLICK)) << "released outside: no click";
    EXPECT_EQ(nullptr, GetCapture());
    PumpReportMessages();
}

TEST(ReportItemControls, ADisabledButtonNeverShowsPressed)
{
    ButtonFixture f(FALSE);
    EXPECT_EQ(LVK_REPORT_BUTTON_DISABLED, f.pButton->GetState());
    f.Mouse(WM_LBUTTONDOWN, f.Inside(), MK_LBUTTON);
    EXPECT_EQ(LVK_REPORT_BUTTON_DISABLED, f.pButton->GetState());
    f.Mouse(WM_LBUTTONUP, f.Inside(), 0);
    EXPECT_EQ(LVK_REPORT_BUTTON_DISABLED, f.pButton->GetState());
    EXPECT_EQ(0, f.w.parent.Count(REPORT_NOTIFY_ITEM_BUTTON_CLICK));
    EXPECT_EQ(nullptr, GetCapture());
    PumpReportMessages();
}

TEST(ReportArrays, AutomationAccessorsAndIndexErrors)
{
    CLVKArrayT<CLVKReportRecordItemControl*> arr;
    CLVKReportRecordItemControl a;
    CLVKReportRecordItemControl b;
    arr.Add(&a);
    arr.Add(&b);
    arr.Add(&a);
    EXPECT_EQ(1, arr.AddUnique(&b));
    EXPECT_EQ(3, arr.GetCount());
    auto badIndex = [&](auto fn)
    {
        SCODE sc = S_OK;
        try
        {
            fn();
        }
        catch (COleException* e)
        {
            sc = e->m_sc;
            e->Delete();
        }
        return sc;
    };
    EXPECT_EQ(DISP_E_BADINDEX, badIndex([&] { arr.GetItem(-1); }));
    EXPECT_EQ(DISP_E_BADINDEX, badIndex([&] { arr.GetItem(3); }));
    EXPECT_EQ(DISP_E_BADINDEX, badIndex([&] { arr.RemoveItem(3); }));
    bool bInvalid = false;
    try
    {
        arr.GetAt(3);
    }
    catch (CInvalidArgException* e)
    {
        bInvalid = true;
        e->Delete();
    }
    EXPECT_TRUE(bInvalid);
    EXPECT_TRUE(arr.RemoveElement(&a)) << "both copies go";
    EXPECT_EQ(1, arr.GetCount());
    EXPECT_EQ(&b, arr.GetItem(0));
    EXPECT_FALSE(arr.RemoveElement(&a));
}
}  // namespace
