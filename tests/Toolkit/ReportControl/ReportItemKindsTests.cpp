// The item kinds beside text and number cells (variant, preview, icon), the
// blocks of merged cells, markup captions and the persistence of records.
#include "ReportControl/ReportPaintManager.h"
#include "ReportControl/ReportRecordItemEditOptions.h"
#include "ReportControl/ReportRecordItemIcon.h"
#include "ReportControl/ReportRecordItemPreview.h"
#include "ReportControl/ReportRecordItemVariant.h"
#include "ReportControl/ReportRecordMergeItem.h"
#include "ReportTestSupport.h"
#include "Foundation/PropExchangeSection.h"
#include "Foundation/PropExchangeXMLNode.h"
#include "Markup/MarkupHelpers.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

// Cells (column position, row) of one merge group, in the order the painters
// met them, and the blocks the search cuts them into.
TEST(ReportMergedCells, TouchingCellsFormBlocksInWalkOrder)
{
    struct Case
    {
        const char* name;
        std::vector<POINT> cells;
        std::vector<RECT> blocks;  // column from, row from, column to, row to
    };
    const Case cases[] = {
        {"an L shape is one block", {{0, 0}, {1, 0}, {1, 1}}, {{0, 0, 1, 1}}},
        {"diagonal cells are two", {{0, 0}, {1, 1}}, {{0, 0, 0, 0}, {1, 1, 1, 1}}},
        {"a cell reached only through a later one waits", {{0, 0}, {2, 0}, {1, 0}}, {{0, 0, 1, 0}, {2, 0, 2, 0}}},
        {"a column of three", {{3, 4}, {3, 5}, {3, 6}}, {{3, 4, 3, 6}}},
    };
    for (const Case& c : cases)
    {
        CLVKReportRecordMergeItem merge;
        for (const POINT& pt : c.cells)
        {
            // Column index = position + 10, as hidden columns would space them.
            const RECT rc{pt.x * 50, pt.y * 20, pt.x * 50 + 50, pt.y * 20 + 20};
            merge.AddItem(pt.x + 10, pt.y, pt.x, rc, nullptr);
        }
        CLVKReportRecordMergeItem::Range range;
        RECT rcBlock{};
        for (const RECT& expected : c.blocks)
        {
            ASSERT_TRUE(merge.GetNextMergedBlock(range, rcBlock)) << c.name;
            EXPECT_EQ(expected.left + 10, range.nColumnFrom) << c.name;
            EXPECT_EQ(expected.right + 10, range.nColumnTo) << c.name;
            EXPECT_EQ(expected.top, range.nRowFrom) << c.name;
            EXPECT_EQ(expected.bottom, range.nRowTo) << c.name;
            const RECT rcExpected{expected.left * 50, expected.top * 20, expected.right * 50 + 50,
                                  expected.bottom * 20 + 20};
            EXPECT_TRUE(EqualRect(&rcExpected, &rcBlock)) << c.name;
        }
        EXPECT_FALSE(merge.GetNextMergedBlock(range, rcBlock)) << c.name;
        EXPECT_FALSE(range.IsValid()) << c.name;
    }
}

CLVKReportRecordItemVariant* MakeVariant(const VARIANT& vt)
{
    return new CLVKReportRecordItemVariant(vt);
}

TEST(ReportVariantItems, CompareByTypeAndShowConstraints)
{
    ReportWindow w;
    w.AddColumns(1);
    auto* pRecord = new CLVKReportRecord();
    auto* pTwo = static_cast<CLVKReportRecordItemVariant*>(pRecord->AddItem(MakeVariant(COleVariant(2L))));
    w.report.AddRecord(pRecord);
    auto* pOther = new CLVKReportRecord();
    auto* pTen = static_cast<CLVKReportRecordItemVariant*>(pOther->AddItem(MakeVariant(COleVariant(10L))));
    w.report.AddRecord(pOther);
    EXPECT_LT(pTwo->Compare(nullptr, pTen), 0) << "numbers compare as numbers";
    CLVKReportRecordItemVariant textTwo(COleVariant(L"2"));
    CLVKReportRecordItemVariant textTen(COleVariant(L"10"));
    EXPECT_GT(textTwo.Compare(nullptr, &textTen), 0) << "the same digits as text compare as text";
    CLVKReportRecordItemText plain(L"x");
    EXPECT_EQ(0, pTwo->Compare(nullptr, &plain)) << "a variant and another kind are equal";
    pTwo->SetSortPriority(5);
    EXPECT_EQ(6, pTwo->Compare(nullptr, pTen)) << "priorities win: 5 - (-1)";
    pTwo->SetSortPriority(-1);

    EXPECT_STREQ(L"2", pTwo->GetCaption(nullptr));
    pTwo->SetFormatString(L"<%s>");
    EXPECT_STREQ(L"<2>", pTwo->GetCaption(nullptr));
    pTwo->SetFormatString(L"%s%n");
    EXPECT_STREQ(L"2", pTwo->GetCaption(nullptr)) << "a hostile format falls back to the text";
    pTwo->SetFormatString(L"%s");

    // A null value is empty as text and the constraint with data 0 in
    // constraint mode.
    VARIANT vtNull;
    VariantInit(&vtNull);
    vtNull.vt = VT_NULL;
    CLVKReportRecordItemVariant* pNull = static_cast<CLVKReportRecordItemVariant*>(pRecord->AddItem(MakeVariant(vtNull)));
    EXPECT_STREQ(L"", pNull->GetCaption(nullptr));
    CLVKReportRecordItemEditOptions* pOptions = pNull->CreateEditOptions();
    pOptions->AddConstraint(L"none", 0);
    pOptions->AddConstraint(L"ten", 10);
    pOptions->m_bConstraintEdit = TRUE;
    EXPECT_STREQ(L"none", pNull->GetCaption(nullptr));
    EXPECT_EQ(static_cast<DWORD_PTR>(-1), pNull->GetSelectedConstraint(nullptr)) << "null is no number";
    LVK_REPORTRECORDITEM_ARGS args;
    pNull->OnConstraintChanged(&args, pOptions->FindConstraint(10));
    EXPECT_EQ(VT_I4, pNull->GetValue().vt);
    EXPECT_EQ(10, pNull->GetValue().lVal);
    EXPECT_STREQ(L"ten", pNull->GetCaption(nullptr));
    EXPECT_EQ(10u, pNull->GetSelectedConstraint(nullptr));
    pOptions->m_bConstraintEdit = FALSE;
    EXPECT_EQ(static_cast<DWORD_PTR>(-1), pNull->GetSelectedConstraint(nullptr));

    // The column's list applies to cells without options of their own, also
    // after a caption was asked for without a column.
    CLVKReportColumn* pColumn = w.report.GetColumns()->GetAt(0);
    CLVKReportRecordItemEditOptions* pColumnOptions = pColumn->GetEditOptions();
    pColumnOptions->AddConstraint(L"two", 2);
    pColumnOptions->m_bConstraintEdit = TRUE;
    EXPECT_STREQ(L"2", pTwo->GetCaption(nullptr));
    EXPECT_STREQ(L"two", pTwo->GetCaption(pColumn));
}

// A cell in constraint mode keeps the chosen constraint's data as a 32-bit
// number; the constraint is found again from it, whatever the data's sign.
TEST(ReportVariantItems, AChosenConstraintIsFoundAgainFromTheCellsNumber)
{
    struct Case
    {
        const char* name;
        DWORD_PTR dwData;
    };
    const Case cases[] = {
        {"a small number", 3},
        {"a negative number given as an int", static_cast<DWORD_PTR>(-2)},
        {"minus one, given as an int", static_cast<DWORD_PTR>(-1)},
        {"an unsigned 32-bit number with its top bit set", static_cast<DWORD_PTR>(0xFFFFFFFEu)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CLVKReportRecordItemVariant cell(COleVariant(0L));
        CLVKReportRecordItemEditOptions* pOptions = cell.CreateEditOptions();
        pOptions->AddConstraint(L"zero", 0);
        CLVKReportRecordItemConstraint* pChosen = pOptions->AddConstraint(L"chosen", c.dwData);
        pOptions->m_bConstraintEdit = TRUE;
        LVK_REPORTRECORDITEM_ARGS args;
        cell.OnConstraintChanged(&args, pChosen);
        EXPECT_EQ(VT_I4, cell.GetValue().vt);
        EXPECT_STREQ(L"chosen", cell.GetCaption(nullptr));
        // The in-place list selects the entry whose data this is.
        EXPECT_EQ(c.dwData, cell.GetSelectedConstraint(nullptr));
    }
}

TEST(ReportVariantItems, EditsKeepTheValuesTypeAndReferencesAreStoredByValue)
{
    CLVKReportRecordItemVariant number(COleVariant(7L));
    LVK_REPORTRECORDITEM_ARGS args;
    number.OnEditChanged(&args, L"42");
    EXPECT_EQ(VT_I4, number.GetValue().vt);
    EXPECT_EQ(42, number.GetValue().lVal);
    number.OnEditChanged(&args, L"not a number");
    EXPECT_EQ(42, number.GetValue().lVal) << "a text that does not convert leaves the value";

    long lValue = 99;
    VARIANT vtRef;
    VariantInit(&vtRef);
    vtRef.vt = VT_I4 | VT_BYREF;
    vtRef.plVal = &lValue;
    CLVKReportRecordItemVariant byRef(vtRef);
    lValue = 1;
    EXPECT_EQ(VT_I4, byRef.GetValue().vt);
    EXPECT_EQ(99, byRef.GetValue().lVal);

    // A date shows as the platform converts it to text.
    COleVariant vtDate(45000.5, VT_DATE);
    CLVKReportRecordItemVariant date(vtDate);
    COleVariant vtText(vtDate);
    ASSERT_EQ(S_OK, VariantChangeTypeEx(&vtText, &vtText, LOCALE_USER_DEFAULT, 0, VT_BSTR));
    EXPECT_STREQ(vtText.bstrVal, date.GetCaption(nullptr));
}

TEST(ReportVariantItems, GroupByValue)
{
    ReportWindow w;
    w.AddColumns(2);
    const long values[] = {3, 1, 3, 2, 1};
    for (long n : values)
    {
        auto* pRecord = new CLVKReportRecord();
        pRecord->AddItem(new CLVKReportRecordItemText(L"r"));
        pRecord->AddItem(MakeVariant(COleVariant(n)));
        w.report.AddRecord(pRecord);
    }
    CLVKReportColumns* pColumns = w.report.GetColumns();
    pColumns->GetGroupsOrder()->Add(pColumns->GetAt(1));
    w.report.Populate();
    std::vector<CString> groups;
    CLVKReportRows* pRows = w.report.GetRows();
    for (int i = 0; i < pRows->GetCount(); i++)
        if (pRows->GetAt(i)->IsGroupRow())
            groups.push_back(static_cast<CLVKReportGroupRow*>(pRows->GetAt(i))->GetCaption());
    const std::vector<CString> expected{L"Col1: 1", L"Col1: 2", L"Col1: 3"};
    EXPECT_EQ(expected, groups);
    auto* pGroup = static_cast<CLVKReportGroupRow*>(pRows->GetAt(0));
    EXPECT_EQ(VT_I4, pGroup->GetGroupValue().vt);
    auto* pItem = static_cast<CLVKReportRecordItemVariant*>(w.report.GetRecords()->GetAt(1)->GetItem(1));
    EXPECT_EQ(0, pItem->CompareGroupCaption(pColumns->GetAt(1), pGroup));
}

// A report whose records carry preview texts.
struct PreviewFixture
{
    ReportWindow w;
    CLVKReportRecordItemPreview* pPreview = nullptr;

    PreviewFixture()
    {
        w.AddColumns(2);
        CLVKReportRecord* pRecord = MakeRecord({L"a", L"b"});
        pPreview = new CLVKReportRecordItemPreview(L"The preview text of the first record");
        pRecord->SetPreviewItem(pPreview);
        w.report.AddRecord(pRecord);
        CLVKReportRecord* pEmpty = MakeRecord({L"c", L"d"});
        pEmpty->SetPreviewItem(new CLVKReportRecordItemPreview(L""));
        w.report.AddRecord(pEmpty);
        w.report.AddRecord(MakeRecord({L"e", L"f"}));
        w.report.Populate();
    }
    int RowHeight(int n)
    {
        w.report.RedrawControl();
        w.report.UpdateWindow();
        const RECT& rc = w.report.GetRows()->GetAt(n)->GetRect();
        return rc.bottom - rc.top;
    }
};

TEST(ReportPreviewItems, RowsGrowByTheirPreviewWhileTheControlShowsPreviews)
{
    PreviewFixture f;
    const int nPlain = f.RowHeight(0);
    EXPECT_EQ(nPlain, f.RowHeight(2));
    EXPECT_FALSE(f.w.report.GetRows()->GetAt(0)->IsPreviewVisible()) << "previews are off by default";

    f.w.report.EnablePreviewMode(TRUE);
    EXPECT_TRUE(f.w.report.GetRows()->GetAt(0)->IsPreviewVisible());
    const int nWithPreview = f.RowHeight(0);
    CLVKReportRow* pRow = f.w.report.GetRows()->GetAt(0);
    EXPECT_GT(pRow->GetPreviewHeight(), 0);
    EXPECT_EQ(nPlain + pRow->GetPreviewHeight(), nWithPreview);
    EXPECT_EQ(nPlain, f.RowHeight(1)) << "an empty preview takes no height";
    EXPECT_EQ(0, f.w.report.GetRows()->GetAt(1)->GetPreviewHeight());
    EXPECT_EQ(nPlain, f.RowHeight(2)) << "a record without a preview item";

    // The preview strip under the cells is hit as the preview item.
    const RECT rcRow = pRow->GetRect();
    const POINT ptPreview{rcRow.left + 40, rcRow.bottom - 2};
    const POINT ptCell{rcRow.left + 40, rcRow.top + 2};
    EXPECT_EQ(f.pPreview, pRow->HitTest(ptPreview));
    EXPECT_EQ(pRow->GetRecord()->GetItem(0), pRow->HitTest(ptCell));
    const RECT rcPreview = pRow->GetItemRect(f.pPreview);
    EXPECT_EQ(rcRow.bottom, rcPreview.bottom);
    EXPECT_EQ(pRow->GetPreviewHeight(), rcPreview.bottom - rcPreview.top);

    // A text longer than the line limit stops growing at the limit.
    CString strLong;
    for (int i = 0; i < 200; i++)
        strLong += L"word ";
    f.pPreview->SetPreviewText(strLong);
    const int nLimited = f.RowHeight(0);
    f.w.report.GetPaintManager()->m_nMaxPreviewLines = 6;
    EXPECT_GT(f.RowHeight(0), nLimited);
}

TEST(ReportPreviewItems, PreviewTextIsDrawnInThePreviewColour)
{
    PreviewFixture f;
    f.w.report.EnablePreviewMode(TRUE);
    f.pPreview->SetPreviewText(L"\x2588\x2588\x2588\x2588\x2588\x2588\x2588\x2588");
    f.w.report.GetPaintManager()->m_clrPreviewText.SetStandardValue(RGB(0, 160, 0));
    f.w.report.RedrawControl();
    f.w.report.UpdateWindow();
    CLVKReportRow* pRow = f.w.report.GetRows()->GetAt(1);
    f.w.report.SetFocusedRow(pRow);  // the first row unselected: plain colours
    f.w.report.RedrawControl();
    f.w.report.UpdateWindow();
    const RECT rcPreview = f.w.report.GetRows()->GetAt(0)->GetItemRect(f.pPreview);
    HDC hDC = ::GetDC(f.w.report.m_hWnd);
    int nGreen = 0;
    for (int x = rcPreview.left; x < rcPreview.right; x++)
        for (int y = rcPreview.top; y < rcPreview.bottom; y++)
            nGreen += GetPixel(hDC, x, y) == RGB(0, 160, 0) ? 1 : 0;
    ::ReleaseDC(f.w.report.m_hWnd, hDC);
    EXPECT_GT(nGreen, 20);
}

TEST(ReportPreviewItems, EditingThePreviewNeedsItsOwnSwitch)
{
    PreviewFixture f;
    f.w.report.EnablePreviewMode(TRUE);
    f.w.report.SetAllowEdit(TRUE);
    f.w.report.RedrawControl();
    f.w.report.UpdateWindow();
    CLVKReportRow* pRow = f.w.report.GetRows()->GetAt(0);
    LVK_REPORTRECORDITEM_ARGS args;
    args.pControl = &f.w.report;
    args.pRow = pRow;
    args.pItem = f.pPreview;
    args.rcItem = pRow->GetItemRect(f.pPreview);
    f.w.report.EditItem(&args);
    EXPECT_FALSE(f.w.report.IsEditMode());
    f.w.report.AllowEditPreview(TRUE);
    f.w.report.EditItem(&args);
    ASSERT_TRUE(f.w.report.IsEditMode());
    HWND hEdit = f.w.report.GetInplaceEditHwnd();
    SetWindowTextW(hEdit, L"edited preview");
    f.w.report.EditItem(nullptr);
    EXPECT_STREQ(L"edited preview", f.pPreview->GetPreviewText());
}

// The picture of the control's client area.
std::vector<COLORREF> Shot(CLVKReportControl& report)
{
    report.RedrawControl();
    report.UpdateWindow();
    RECT rc{};
    report.GetClientRect(&rc);
    HDC hDC = ::GetDC(report.m_hWnd);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < rc.bottom; y++)
        for (int x = 0; x < rc.right; x++)
            pixels.push_back(GetPixel(hDC, x, y));
    ::ReleaseDC(report.m_hWnd, hDC);
    return pixels;
}

TEST(ReportIconItems, OutsideTheIconViewAnIconCellDrawsAsAPlainCell)
{
    CLVKReportRecordItemIcon icon;
    EXPECT_EQ(0x01200011, icon.GetAlignment()) << "centred text and icon, icon at the top";
    std::vector<COLORREF> shots[2];
    for (int n = 0; n < 2; n++)
    {
        ReportWindow w(300, 120);
        w.AddColumns(1, 200);
        auto* pRecord = new CLVKReportRecord();
        CLVKReportRecordItem* pItem = n == 0 ? static_cast<CLVKReportRecordItem*>(new CLVKReportRecordItemIcon())
                                             : new CLVKReportRecordItem();
        pItem->SetCaptionText(L"Caption");
        pItem->SetAlignment(0x01200011);
        pRecord->AddItem(pItem);
        w.report.AddRecord(pRecord);
        w.report.Populate();
        shots[n] = Shot(w.report);
        LVK_REPORTRECORDITEM_ARGS args(&w.report, w.report.GetRows()->GetAt(0), w.report.GetColumns()->GetAt(0));
        RECT rcCaption = args.rcItem;
        pItem->GetCaptionRect(&args, rcCaption);
        EXPECT_TRUE(EqualRect(&rcCaption, &args.rcItem)) << "no icon, no check box: the caption takes the cell";
    }
    EXPECT_EQ(shots[0], shots[1]);
}

TEST(ReportMarkupCells, CaptionsAreParsedOnlyWhileMarkupIsOn)
{
    ReportWindow w;
    w.AddColumns(2);
    CLVKReportRecord* pRecord = MakeRecord({L"<TextBlock>Marked</TextBlock>", L"plain text"});
    CLVKReportRecord* pChild = MakeRecord({L"<TextBlock>Child</TextBlock>", L"x"});
    pRecord->GetChilds()->Add(pChild);
    w.report.AddRecord(pRecord);
    EXPECT_EQ(nullptr, w.report.GetMarkupContext());
    EXPECT_EQ(nullptr, pRecord->GetItem(0)->GetMarkupUIElement());

    w.report.EnableMarkup(TRUE);
    CLVKMarkupContext* pContext = w.report.GetMarkupContext();
    ASSERT_NE(nullptr, pContext);
    w.report.EnableMarkup(TRUE);
    EXPECT_EQ(pContext, w.report.GetMarkupContext()) << "a second switch makes no second context";
    EXPECT_NE(nullptr, pRecord->GetItem(0)->GetMarkupUIElement());
    EXPECT_EQ(nullptr, pRecord->GetItem(1)->GetMarkupUIElement()) << "plain text is no markup";
    EXPECT_EQ(pContext, pChild->GetMarkupContext()) << "children find the context through their parent";
    EXPECT_NE(nullptr, pChild->GetItem(0)->GetMarkupUIElement());

    // Items added later, and captions changed later, are parsed too.
    CLVKReportRecordItem* pLate = pRecord->AddItem(new CLVKReportRecordItemText(L"<TextBlock>Late</TextBlock>"));
    EXPECT_NE(nullptr, pLate->GetMarkupUIElement());
    static_cast<CLVKReportRecordItemText*>(pRecord->GetItem(1))->SetValue(L"<TextBlock>Now</TextBlock>");
    EXPECT_NE(nullptr, pRecord->GetItem(1)->GetMarkupUIElement());

    // A markup caption groups without the column's name in front.
    CLVKReportColumn* pColumn = w.report.GetColumns()->GetAt(0);
    EXPECT_STREQ(L"<TextBlock>Marked</TextBlock>", pRecord->GetItem(0)->GetGroupCaption(pColumn));
    EXPECT_STREQ(L"Col0: x", pChild->GetItem(1)->GetGroupCaption(pColumn));

    w.report.EnableMarkup(FALSE);
    EXPECT_EQ(nullptr, w.report.GetMarkupContext());
    EXPECT_EQ(nullptr, pRecord->GetItem(0)->GetMarkupUIElement());
    EXPECT_EQ(nullptr, pChild->GetItem(0)->GetMarkupUIElement());
}

// Counts the pixels of a colour in a cell of row 0.
int CountInCell(CLVKReportControl& report, int nColumn, COLORREF clr)
{
    report.RedrawControl();
    report.UpdateWindow();
    CLVKReportRow* pRow = report.GetRows()->GetAt(0);
    const RECT rcColumn = report.GetColumns()->GetAt(nColumn)->GetRect();
    const RECT& rcRow = pRow->GetRect();
    HDC hDC = ::GetDC(report.m_hWnd);
    int n = 0;
    for (int x = rcColumn.left; x < rcColumn.right; x++)
        for (int y = rcRow.top; y < rcRow.bottom; y++)
            n += GetPixel(hDC, x, y) == clr ? 1 : 0;
    ::ReleaseDC(report.m_hWnd, hDC);
    return n;
}

TEST(ReportMarkupCells, AMarkupCaptionIsRenderedByTheMarkupEngine)
{
    ReportWindow w;
    w.AddColumns(2, 150);
    const COLORREF clrMarkup = RGB(200, 0, 0);
    w.report.AddRecord(MakeRecord({L"<Border Background='#C80000' Width='30' Height='8'/>", L"other"}));
    CLVKReportRecord* pSecond = MakeRecord({L"second", L"x"});
    w.report.AddRecord(pSecond);
    w.report.Populate();
    w.report.SetFocusedRow(w.report.GetRows()->GetAt(1));
    EXPECT_EQ(0, CountInCell(w.report, 0, clrMarkup)) << "without markup the caption is text";
    w.report.EnableMarkup(TRUE);
    EXPECT_EQ(30 * 8, CountInCell(w.report, 0, clrMarkup));
    EXPECT_EQ(0, CountInCell(w.report, 1, clrMarkup));

    // With markup in cells the text the metrics give is parsed at each draw.
    w.report.GetPaintManager()->m_bMarkupInCells = TRUE;
    EXPECT_EQ(30 * 8, CountInCell(w.report, 0, clrMarkup));
}

// Stores a records collection into XML and loads it into a new one.
CString Store(CLVKReportRecords* pRecords, UINT nSchema)
{
    auto* px = new CLVKPropExchangeXMLNode(FALSE, nullptr, L"Records");
    CLVKPropExchangeSection section(px);
    px->SetSchema(nSchema);
    pRecords->ExchangeRecords(px);
    CString strXml;
    px->GetDocumentXml(strXml);
    return strXml;
}

void Load(CLVKReportRecords* pRecords, const CString& strXml, UINT nSchema)
{
    auto* px = new CLVKPropExchangeXMLNode(TRUE, nullptr, L"Records");
    CLVKPropExchangeSection section(px);
    ASSERT_TRUE(px->LoadFromText(strXml));
    px->SetSchema(nSchema);
    pRecords->ExchangeRecords(px);
}

TEST(ReportPersistence, RecordsItemsPreviewsAndChildrenRoundTrip)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        CLVKReportRecords records;
        CLVKReportRecord* pRecord = MakeRecord({L"see [url=x]docs[/url]"});
        pRecord->SetLocked(TRUE);
        CLVKReportRecordItem* pText = pRecord->GetItem(0);
        pText->SetBold(TRUE);
        pText->SetTextColor(RGB(1, 2, 3));
        pText->HasCheckboxEx(TRUE, TRUE);
        pText->SetCheckedState(2);
        pText->SetItemData(77);
        pText->SetTooltip(L"tip");
        pRecord->AddItem(new CLVKReportRecordItemNumber(12.5, L"%.1f"));
        pRecord->AddItem(new CLVKReportRecordItemVariant(COleVariant(31L)));
        pRecord->SetPreviewItem(new CLVKReportRecordItemPreview(L"preview"));
        pRecord->GetChilds()->Add(MakeRecord({L"child"}));
        records.Add(pRecord);
        records.Add(MakeRecord({L"second"}));

        CLVKReportRecords loaded;
        Load(&loaded, Store(&records, CLVKPropExchange::kCurrentSchema), CLVKPropExchange::kCurrentSchema);
        ASSERT_EQ(2, loaded.GetCount());
        CLVKReportRecord* pFirst = loaded.GetAt(0);
        EXPECT_TRUE(pFirst->IsLocked());
        ASSERT_EQ(3, pFirst->GetItemCount());
        CLVKReportRecordItem* pItem = pFirst->GetItem(0);
        EXPECT_TRUE(pItem->IsKindOf(RUNTIME_CLASS(CLVKReportRecordItemText)));
        EXPECT_STREQ(L"see docs", pItem->GetCaption(nullptr)) << "the value is stored without link markers";
        ASSERT_EQ(1, pItem->GetHyperlinksCount());
        EXPECT_EQ(4, pItem->GetHyperlinkAt(0)->m_nHyperTextBegin);
        EXPECT_TRUE(pItem->IsBold());
        EXPECT_EQ(RGB(1, 2, 3), pItem->GetTextColor());
        EXPECT_EQ(2, pItem->GetCheckedState());
        EXPECT_EQ(77u, pItem->GetItemData());
        EXPECT_STREQ(L"tip", pItem->GetTooltip());
        EXPECT_STREQ(L"12.5", pFirst->GetItem(1)->GetCaption(nullptr));
        auto* pVariant = dynamic_cast<CLVKReportRecordItemVariant*>(pFirst->GetItem(2));
        ASSERT_NE(nullptr, pVariant);
        EXPECT_STREQ(L"31", pVariant->GetCaption(nullptr));
        ASSERT_NE(nullptr, pFirst->GetItemPreview());
        EXPECT_STREQ(L"preview", pFirst->GetItemPreview()->GetPreviewText());
        EXPECT_EQ(pFirst, pFirst->GetItemPreview()->GetRecord());
        ASSERT_TRUE(pFirst->HasChildren());
        EXPECT_STREQ(L"child", pFirst->GetChilds()->GetAt(0)->GetItem(0)->GetCaption(nullptr));
        EXPECT_EQ(pFirst, pFirst->GetChilds()->GetAt(0)->GetParentRecord());
        EXPECT_EQ(nullptr, loaded.GetAt(1)->GetItemPreview());

        // Schema 21 stores no children, and loading it keeps the children
        // a record already has.
        const CString strOld = Store(&records, 21);
        EXPECT_EQ(-1, strOld.Find(L"Children"));
        CLVKReportRecord* pKeeper = MakeRecord({L"keeper"});
        pKeeper->GetChilds()->Add(MakeRecord({L"kept"}));
        CLVKReportRecords single;
        single.Add(MakeRecord({L"one"}));
        {
            auto* px = new CLVKPropExchangeXMLNode(FALSE, nullptr, L"Record");
            CLVKPropExchangeSection section(px);
            px->SetSchema(21);
            single.GetAt(0)->DoPropExchange(px);
            CString strXml;
            px->GetDocumentXml(strXml);
            auto* pxLoad = new CLVKPropExchangeXMLNode(TRUE, nullptr, L"Record");
            CLVKPropExchangeSection sectionLoad(pxLoad);
            ASSERT_TRUE(pxLoad->LoadFromText(strXml));
            pxLoad->SetSchema(21);
            pKeeper->DoPropExchange(pxLoad);
        }
        EXPECT_STREQ(L"one", pKeeper->GetItem(0)->GetCaption(nullptr));
        EXPECT_TRUE(pKeeper->HasChildren());
        pKeeper->InternalRelease();

        // A stored item class that is no item is refused.
        CString strBad = Store(&records, CLVKPropExchange::kCurrentSchema);
        strBad.Replace(L"\"CLVKReportRecordItemNumber\"", L"\"CLVKReportColumns\"");
        bool bBadClass = false;
        try
        {
            CLVKReportRecords refused;
            Load(&refused, strBad, CLVKPropExchange::kCurrentSchema);
        }
        catch (CArchiveException* e)
        {
            bBadClass = e->m_cause == CArchiveException::badClass;
            e->Delete();
        }
        EXPECT_TRUE(bBadClass);
    }
    CoUninitialize();
}

// The file keeps 32 bits of an item's data word; a wider word (a pointer in
// a 64-bit program) stays whole in the item that is stored.
TEST(ReportPersistence, StoringLeavesTheItemsDataWordWhole)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        CLVKReportRecords records;
        records.Add(MakeRecord({L"a"}));
        CLVKReportRecordItem* pItem = records.GetAt(0)->GetItem(0);
        // All bits set but two, in a word of either width.
        const DWORD_PTR dwData = static_cast<DWORD_PTR>(-5);
        pItem->SetItemData(dwData);
        const CString strXml = Store(&records, CLVKPropExchange::kCurrentSchema);
        EXPECT_EQ(dwData, pItem->GetItemData());

        CLVKReportRecords loaded;
        Load(&loaded, strXml, CLVKPropExchange::kCurrentSchema);
        ASSERT_EQ(1, loaded.GetCount());
        EXPECT_EQ(static_cast<DWORD>(dwData), static_cast<DWORD>(loaded.GetAt(0)->GetItem(0)->GetItemData()));
    }
    CoUninitialize();
}

TEST(ReportRecords, TagsMovesAndDroppedRecords)
{
    CLVKReportRecords records;
    std::vector<CLVKReportRecord*> r;
    for (LPCWSTR text : {L"a", L"b", L"c", L"d", L"e"})
        r.push_back(records.Add(MakeRecord({text})));
    CLVKReportRecord* pChild = r[1]->GetChilds()->Add(MakeRecord({L"b1"}));
    pChild->SetTag(COleVariant(7.0));
    r[3]->SetTag(COleVariant(7.0, VT_R8));
    EXPECT_EQ(r[3], records.FindRecordByTag(7.0)) << "children are skipped unless asked";
    EXPECT_EQ(pChild, records.FindRecordByTag(7.0, TRUE)) << "depth first after b";
    EXPECT_EQ(nullptr, records.FindRecordByTag(8.0, TRUE));

    auto captions = [&]()
    {
        CString str;
        for (int i = 0; i < records.GetCount(); i++)
        {
            str += records.GetAt(i)->GetItem(0)->GetCaption(nullptr);
            if (records.GetAt(i)->GetIndex() != i)
                str += L"!";
        }
        return str;
    };
    // Dropping d and b before c: both come out and go back in drop order.
    CLVKReportRecords dropped(TRUE);
    dropped.Add(r[3]);
    dropped.Add(r[1]);
    records.MoveRecordsTo(2, &dropped);
    EXPECT_STREQ(L"adbce", captions());
    records.MoveRecordsTo(99, &dropped);
    EXPECT_STREQ(L"acedb", captions()) << "a position past the end is the end";

    // A reference-only list loses the excepted record and its ancestors;
    // with a move, the others change hands.
    CLVKReportRecords target;
    CLVKReportRecords list(TRUE);
    list.Add(r[0]);
    list.Add(r[1]);
    list.Add(r[2]);
    list.MoveRecords(pChild, &target, TRUE);
    EXPECT_EQ(2, list.GetCount()) << "b, the parent of the excepted child, leaves the list";
    EXPECT_EQ(2, target.GetCount());
    EXPECT_EQ(&target, r[0]->GetRecords());
    EXPECT_STREQ(L"edb", captions());
    EXPECT_EQ(2, r[1]->GetIndex());
}

}  // namespace
