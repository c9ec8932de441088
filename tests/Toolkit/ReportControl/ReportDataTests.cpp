// Allocators, item captions, formats and formulas, hyperlink parsing,
// selection blocks and column orders: the report's data without drawing.
#include "ReportControl/ReportBatchAllocator.h"
#include "ReportControl/ReportColumnOrder.h"
#include "ReportControl/ReportHyperlink.h"
#include "ReportControl/ReportBorder.h"
#include "ReportControl/ReportHyperlinks.h"
#include "Foundation/PropExchangeSection.h"
#include "Foundation/PropExchangeXMLNode.h"
#include "ReportTestSupport.h"

#include <gtest/gtest.h>

namespace
{

class CBatchTestRow : public CLVKBatchAllocObjT<CLVKReportRow, CLVKReportRowBatchManager>
{
};

TEST(ReportAllocators, BatchBlocksFillAt1024AndTheNextRowOpensASecondBlock)
{
    ASSERT_EQ(0, CLVKReportRow_BatchData::m_nLiveCount);
    CLVKReportRow_BatchData::m_bUseBatches = TRUE;
    const LONG nRowLiveBefore = CLVKReportRowAllocator::GetLiveCount();
    std::vector<CLVKReportRow*> rows;
    for (int i = 0; i < 1024; i++)
        rows.push_back(new CBatchTestRow());
    EXPECT_EQ(1024, CLVKReportRow_BatchData::m_nLiveCount);
    EXPECT_EQ(0, CLVKReportRowBatchManager::CountBlocks(CLVKReportRow_BatchData::m_pFreeList));
    EXPECT_EQ(1, CLVKReportRowBatchManager::CountBlocks(CLVKReportRow_BatchData::m_pFullList))
        << "the 1024th row fills the block";
    EXPECT_EQ(nRowLiveBefore + 1, CLVKReportRowAllocator::GetLiveCount()) << "one allocation for 1024 rows";

    rows.push_back(new CBatchTestRow());
    EXPECT_EQ(1, CLVKReportRowBatchManager::CountBlocks(CLVKReportRow_BatchData::m_pFreeList))
        << "the 1025th row opens a second block";
    EXPECT_EQ(nRowLiveBefore + 2, CLVKReportRowAllocator::GetLiveCount());

    rows[5]->InternalRelease();
    rows[5] = nullptr;
    EXPECT_EQ(2, CLVKReportRowBatchManager::CountBlocks(CLVKReportRow_BatchData::m_pFreeList))
        << "freeing a row of the full block brings it back to the free list";
    EXPECT_EQ(0, CLVKReportRowBatchManager::CountBlocks(CLVKReportRow_BatchData::m_pFullList));

    for (auto* pRow : rows)
    {
        if (pRow)
            pRow->InternalRelease();
    }
    EXPECT_EQ(0, CLVKReportRow_BatchData::m_nLiveCount);
    CLVKReportRowBatchManager::ReleaseEmptyBlocks();
    EXPECT_EQ(nRowLiveBefore, CLVKReportRowAllocator::GetLiveCount());
    CLVKReportRow_BatchData::m_bUseBatches = FALSE;
}

TEST(ReportAllocators, RowHeapComesAndGoesWithItsRowsAndAnEmptiedBlockIsReused)
{
    ASSERT_EQ(0, CLVKReportRowAllocator::GetLiveCount());
    ASSERT_EQ(nullptr, CLVKReportRowAllocator::GetHeap());
    {
        // Switches off: the process heap, counted.
        CLVKReportRow* pRow = new CLVKReportRow();
        EXPECT_EQ(1, CLVKReportRowAllocator::GetLiveCount());
        EXPECT_EQ(nullptr, CLVKReportRowAllocator::GetHeap());
        pRow->InternalRelease();
        EXPECT_EQ(0, CLVKReportRowAllocator::GetLiveCount());
    }
    CLVKReportRowAllocator::UsePrivateHeap(TRUE);
    {
        CLVKReportRow* pFirst = new CLVKReportRow();
        const HANDLE hHeap = CLVKReportRowAllocator::GetHeap();
        EXPECT_NE(nullptr, hHeap) << "the first row creates the heap";
        CLVKReportRow* pSecond = new CLVKReportRow();
        pFirst->InternalRelease();
        EXPECT_EQ(hHeap, CLVKReportRowAllocator::GetHeap()) << "a live row keeps it";
        pSecond->InternalRelease();
        EXPECT_EQ(nullptr, CLVKReportRowAllocator::GetHeap()) << "the last row destroys it";
        CLVKReportRow* pNext = new CLVKReportRow();
        EXPECT_NE(nullptr, CLVKReportRowAllocator::GetHeap()) << "the next row creates a new one";
        pNext->InternalRelease();
        EXPECT_EQ(nullptr, CLVKReportRowAllocator::GetHeap());
    }
    CLVKReportRowAllocator::UsePrivateHeap(FALSE);

    // With batches, a block whose rows are all freed stays for the next row.
    CLVKReportRow_BatchData::m_bUseBatches = TRUE;
    CLVKReportRow* pRow = new CBatchTestRow();
    const LONG nBlocks = CLVKReportRowAllocator::GetLiveCount();
    EXPECT_EQ(1, nBlocks) << "one block holds the row";
    pRow->InternalRelease();
    EXPECT_EQ(1, CLVKReportRowBatchManager::CountBlocks(CLVKReportRow_BatchData::m_pFreeList));
    EXPECT_EQ(nBlocks, CLVKReportRowAllocator::GetLiveCount()) << "the empty block stays allocated";
    pRow = new CBatchTestRow();
    EXPECT_EQ(nBlocks, CLVKReportRowAllocator::GetLiveCount()) << "and is reused";
    pRow->InternalRelease();
    CLVKReportRowBatchManager::ReleaseEmptyBlocks();
    EXPECT_EQ(0, CLVKReportRowAllocator::GetLiveCount());
    CLVKReportRow_BatchData::m_bUseBatches = FALSE;
}

TEST(ReportAllocators, PrivateHeapLivesAsLongAsItsObjects)
{
    ASSERT_EQ(0, CLVKReportDataAllocator::GetLiveCount());
    CLVKReportDataAllocator::UsePrivateHeap(TRUE);
    CLVKReportRecord* pRecord = MakeRecord({L"a", L"b"});
    EXPECT_EQ(3, CLVKReportDataAllocator::GetLiveCount()) << "a record and two items";
    EXPECT_NE(nullptr, CLVKReportDataAllocator::GetHeap());
    pRecord->InternalRelease();
    EXPECT_EQ(0, CLVKReportDataAllocator::GetLiveCount());
    EXPECT_EQ(nullptr, CLVKReportDataAllocator::GetHeap()) << "the last free destroys the heap";
    CLVKReportDataAllocator::UsePrivateHeap(FALSE);
    EXPECT_TRUE(LVKHeapEnableLowFragmentation(GetProcessHeap()) || GetLastError() != 0);
}

TEST(ReportItems, FormatsAreUsedOnlyWithOneMatchingConversion)
{
    struct Case
    {
        LPCWSTR format;
        LPCWSTR expected;
    } cases[] = {
        {L"%s", L"abc"},   {L"[%s]", L"[abc]"}, {L"%-6s|", L"abc   |"},     {L"%d", L"abc"},  {L"%s%s", L"abc"},
        {L"%n%s", L"abc"}, {L"%*s", L"abc"},    {L"100%% %s", L"100% abc"}, {L"%ls", L"abc"}, {L"", L"abc"},
    };
    for (const Case& c : cases)
    {
        CLVKReportRecordItemText item(L"abc");
        item.SetFormatString(c.format);
        EXPECT_STREQ(c.expected, item.GetCaption(nullptr)) << "format " << CStringA(c.format).GetString();
    }
    struct NumberCase
    {
        LPCWSTR format;
        double value;
        LPCWSTR expected;
    } numbers[] = {
        {L"%d", 7.6, L"8"},        {L"%.1f", 7.6, L"7.6"},       {L"", 7.6, L"7.600000"},
        {L"%n", 1.0, L"1.000000"}, {L"%s %s", 2.0, L"2.000000"}, {L"%.2f%%", 1.5, L"1.50%"},
    };
    for (const NumberCase& c : numbers)
        EXPECT_STREQ(c.expected, LVKReportFormatDouble(c.format, c.value)) << CStringA(c.format).GetString();
}

TEST(ReportItems, FormulasSumCellsWithinTheRowsThatExist)
{
    CLVKReportRecords records;
    records.Add(MakeRecord({L"1", L""}));
    records.Add(MakeRecord({L"2,5", L""}));
    records.Add(MakeRecord({L"x", L""}));
    CLVKReportRecordItem* pSum = records.GetAt(0)->GetItem(1);
    pSum->SetFormula(L"SUM(R0C0:R*C1)");
    pSum->SetCaptionText(L"");
    EXPECT_STREQ(L"3.500000", pSum->GetCaption(nullptr));
    EXPECT_EQ(RGB(255, 0, 0), pSum->GetTextColor());

    // Hostile ranges are clamped: no negative index, no loop over billions.
    pSum->SetFormula(L"SUM(R-5C-3:R2000000000C2000000000)");
    pSum->SetCaptionText(L"");
    EXPECT_STREQ(L"3.500000", pSum->GetCaption(nullptr));
    pSum->SetFormula(L"SUM(R0 C0)");
    pSum->SetCaptionText(L"kept");
    EXPECT_STREQ(L"kept", pSum->GetCaption(nullptr)) << "no ':' leaves the given text";

    CLVKReportRecord* pParent = records.GetAt(1);
    pParent->GetChilds()->Add(MakeRecord({L"10"}));
    pParent->GetChilds()->Add(MakeRecord({L"20"}));
    pParent->GetChilds()->Add(MakeRecord({L"40"}));
    CLVKReportRecordItem* pSub = pParent->GetItem(1);
    pSub->SetFormula(L"SUMSUB(R1C0:R2C1)");
    pSub->SetFormatString(L"%d");
    pSub->SetCaptionText(L"");
    EXPECT_STREQ(L"20", pSub->GetCaption(nullptr)) << "half-open: only child 1";
}

TEST(ReportItems, HyperlinkMarkersBecomeLinks)
{
    struct Case
    {
        LPCWSTR text;
        LPCWSTR expected;
        std::vector<std::pair<int, int>> links;
    } cases[] = {
        {L"see [url=x]docs[/url] and [url]here[/url]", L"see docs and here", {{4, 4}, {13, 4}}},
        {L"a[/url][url]b[/url]", L"a[/url]b", {{7, 1}}},
        {L"[urlx]b[/url]", L"[urlx]b[/url]", {}},
        {L"[url]open", L"[url]open", {}},
        {L"plain", L"plain", {}},
    };
    for (const Case& c : cases)
    {
        CLVKReportRecordItemText item(c.text);
        EXPECT_STREQ(c.expected, item.GetValue()) << CStringA(c.text).GetString();
        ASSERT_EQ(static_cast<int>(c.links.size()), item.GetHyperlinksCount()) << CStringA(c.text).GetString();
        for (size_t i = 0; i < c.links.size(); i++)
        {
            EXPECT_EQ(c.links[i].first, item.GetHyperlinkAt(static_cast<int>(i))->m_nHyperTextBegin);
            EXPECT_EQ(c.links[i].second, item.GetHyperlinkAt(static_cast<int>(i))->m_nHyperTextLen);
            EXPECT_GE(item.GetHyperlinkAt(static_cast<int>(i))->m_nHyperTextLen, 0);
        }
    }
}

TEST(ReportItems, CompareUsesPrioritiesThenCaptions)
{
    CLVKReportRecordItemText a(L"b");
    CLVKReportRecordItemText b(L"a");
    a.SetSortPriority(3);
    EXPECT_EQ(4, a.Compare(nullptr, &b));
    a.SetSortPriority(-1);
    EXPECT_GT(a.Compare(nullptr, &b), 0);
    CLVKReportRecordItemNumber n1(10), n2(9);
    EXPECT_GT(n1.Compare(nullptr, &n2), 0) << "numbers compare by value, not text";

    CLVKReportRecords records;
    records.SetCaseSensitive(FALSE);
    EXPECT_EQ(0, records.Compare(L"Drive", L"DRIVE"));
    records.SetCaseSensitive(TRUE);
    EXPECT_LT(records.Compare(L"DRIVE", L"Drive"), 0);
}

TEST(ReportRecords, NewRecordDefaultsAndReferenceOnlyCollections)
{
    CLVKReportRecord* pRecord = new CLVKReportRecord();
    EXPECT_TRUE(pRecord->IsEditable());
    EXPECT_TRUE(pRecord->IsVisible());
    EXPECT_FALSE(pRecord->IsExpanded());
    EXPECT_EQ(-1, pRecord->GetIndex());
    pRecord->GetChilds();
    EXPECT_FALSE(pRecord->HasChildren()) << "an empty children collection is no children";

    CLVKReportRecords array(TRUE);
    array.Add(pRecord);
    EXPECT_EQ(-1, pRecord->GetIndex()) << "a reference-only list leaves the index";
    array.RemoveAll();
    EXPECT_EQ(1, pRecord->m_dwRef) << "and releases nothing";
    CLVKReportRecords owner;
    owner.Add(pRecord);
    EXPECT_EQ(0, pRecord->GetIndex());
    CLVKReportRecord other;
    EXPECT_EQ(-1, owner.Remove(&other));
}

// A group caption: the explicit one, else the string whose id is the group
// priority when it loads, else the column's name and the caption.
TEST(ReportItems, GroupCaptionsByExplicitTextStringIdOrColumnName)
{
    CLVKReportColumn column(0, L"Drive", 100);
    CString strResource;
    ASSERT_TRUE(strResource.LoadString(9556));
    struct Case
    {
        int nPriority;
        LPCWSTR explicitCaption;
        CString expected;
    } cases[] = {
        {-1, nullptr, L"Drive: X"},
        {0, nullptr, L"Drive: X"},
        {-9556, nullptr, L"Drive: X"},
        {9556, nullptr, strResource},
        {32000, nullptr, L"Drive: X"},  // no such string
        {9556, L"Mine", L"Mine"},
    };
    for (const Case& c : cases)
    {
        CLVKReportRecordItemText item(L"X");
        item.SetGroupPriority(c.nPriority);
        if (c.explicitCaption)
            item.SetGroupCaption(c.explicitCaption);
        EXPECT_STREQ(c.expected, item.GetGroupCaption(&column)) << c.nPriority;
    }
}

TEST(ReportItems, EditableOnlyInAnEditableRecordAndCheckStatesByKind)
{
    CLVKReportRecordItemText loose(L"x");
    EXPECT_FALSE(loose.IsEditable()) << "an item without a record";
    struct Case
    {
        BOOL bRecord, bItem, bFocusable, bExpected;
    } cases[] = {
        {TRUE, TRUE, TRUE, TRUE},
        {FALSE, TRUE, TRUE, FALSE},
        {TRUE, FALSE, TRUE, FALSE},
        {TRUE, TRUE, FALSE, FALSE},
    };
    for (const Case& c : cases)
    {
        CLVKReportRecord* pRecord = MakeRecord({L"x"});
        CLVKReportRecordItem* pItem = pRecord->GetItem(0);
        pRecord->SetEditable(c.bRecord);
        pItem->SetEditable(c.bItem);
        pItem->SetFocusable(c.bFocusable);
        EXPECT_EQ(c.bExpected, pItem->IsEditable()) << c.bRecord << c.bItem << c.bFocusable;
        pRecord->InternalRelease();
    }

    CLVKReportRecordItemText item(L"x");
    item.HasCheckboxEx(TRUE, FALSE);
    item.SetChecked(5);
    EXPECT_EQ(1, item.GetCheckedState());
    item.SetCheckedState(2);
    EXPECT_EQ(1, item.GetCheckedState()) << "two states: 2 is checked";
    item.HasCheckboxEx(TRUE, TRUE);
    item.SetCheckedState(2);
    EXPECT_EQ(2, item.GetCheckedState());
    EXPECT_FALSE(item.IsChecked()) << "the third state is not checked";
}

// The section takes references on a changed record's whole tree while it
// rebuilds its rows: the pair must leave every count as it was.
TEST(ReportRecords, AddRefTreeAndReleaseTreeReachEveryChildOnce)
{
    CLVKReportRecord* pRoot = MakeRecord({L"root"});
    CLVKReportRecord* pChild = MakeRecord({L"child"});
    CLVKReportRecord* pGrandChild = MakeRecord({L"grandchild"});
    pRoot->GetChilds()->Add(pChild);
    pChild->GetChilds()->Add(pGrandChild);
    pChild->GetChilds()->Add(MakeRecord({L"second grandchild"}));
    CLVKReportRecord* pSecond = pChild->GetChilds()->GetAt(1);
    pRoot->AddRefTree();
    for (CLVKReportRecord* p : {pRoot, pChild, pGrandChild, pSecond})
        EXPECT_EQ(2, p->m_dwRef);
    pRoot->ReleaseTree();
    for (CLVKReportRecord* p : {pRoot, pChild, pGrandChild, pSecond})
        EXPECT_EQ(1, p->m_dwRef);
    pRoot->InternalRelease();
}

// Hidden and filtered records get no row unless they are locked.
TEST(ReportRecords, LockedRecordsKeepTheirRowsWhenHiddenOrFilteredOut)
{
    ReportWindow w;
    w.AddColumns(1);
    const LPCWSTR names[] = {L"alpha", L"beta", L"gamma", L"delta"};
    for (LPCWSTR name : names)
        w.report.AddRecord(MakeRecord({name}));
    CLVKReportRecords* pRecords = w.report.GetRecords();
    pRecords->GetAt(0)->SetVisible(FALSE);
    pRecords->GetAt(1)->SetVisible(FALSE);
    pRecords->GetAt(1)->SetLocked(TRUE);
    w.report.SetFilterText(L"alpha");
    w.report.Populate();
    std::vector<CString> shown;
    for (int i = 0; i < w.report.GetRows()->GetCount(); i++)
        shown.push_back(w.report.GetRows()->GetAt(i)->GetRecord()->GetItem(0)->GetCaption(nullptr));
    EXPECT_EQ((std::vector<CString>{L"beta"}), shown)
        << "alpha is hidden though the filter takes it; beta is hidden and filtered out but locked";
    pRecords->GetAt(3)->SetLocked(TRUE);
    w.report.Populate();
    EXPECT_EQ(2, w.report.GetRows()->GetCount()) << "delta is filtered out but locked";
}

// The selection's blocks, checked through a populated control.
TEST(ReportSelection, BlocksMergeSplitAndFollowInsertedAndRemovedRows)
{
    ReportWindow w;
    w.AddColumns(1);
    for (int i = 0; i < 30; i++)
        w.report.AddRecord(MakeRecord({L"r"}));
    w.report.Populate();
    CLVKReportSelectedRows* pSel = w.report.GetSelectedRows();
    CLVKReportRows* pRows = w.report.GetRows();
    auto blocks = [&]()
    {
        std::vector<std::pair<int, int>> out;
        for (const auto& b : pSel->GetBlocks())
            out.push_back({b.nIndexBegin, b.nIndexEnd});
        return out;
    };
    using V = std::vector<std::pair<int, int>>;
    pSel->Clear();
    pSel->Add(pRows->GetAt(3));
    pSel->Add(pRows->GetAt(4));
    pSel->Add(pRows->GetAt(5));
    EXPECT_EQ((V{{3, 6}}), blocks());
    pSel->Add(pRows->GetAt(7));
    EXPECT_EQ((V{{3, 6}, {7, 8}}), blocks());
    pSel->Add(pRows->GetAt(6));
    EXPECT_EQ((V{{3, 8}}), blocks());
    pSel->Remove(pRows->GetAt(4));
    EXPECT_EQ((V{{3, 4}, {5, 8}}), blocks());
    std::vector<int> walked;
    for (POSITION pos = pSel->GetFirstSelectedRowPosition(); pos;)
        walked.push_back(pSel->GetNextSelectedRow(pos)->GetIndex());
    EXPECT_EQ((std::vector<int>{3, 5, 6, 7}), walked) << "the walk crosses from block to block";

    pSel->Clear();
    pSel->AddBlock(6, 11);
    pSel->OnRowsRemoved(4, 3);
    EXPECT_EQ((V{{5, 9}}), blocks());
    pSel->Clear();
    pSel->AddBlock(3, 8);
    pSel->OnRowsInserted(5, 3);
    EXPECT_EQ((V{{3, 6}, {9, 12}}), blocks());

    pSel->Clear();
    pSel->SelectBlock(10, 2, FALSE);
    EXPECT_EQ((V{{2, 11}}), blocks());
    EXPECT_EQ(10, pSel->GetAnchor());
    pSel->SelectBlock(pSel->GetAnchor(), 5, FALSE);
    EXPECT_EQ((V{{5, 11}}), blocks());

    pSel->Select(pRows->GetAt(2));
    w.parent.m_codes.clear();
    EXPECT_FALSE(pSel->Select(pRows->GetAt(2)));
    EXPECT_TRUE(w.parent.m_codes.empty()) << "selecting the only selected row again sends nothing";

    w.parent.m_nRefuseCode = REPORT_NOTIFY_SELECTION_CHANGING;
    pSel->SelectBlock(5, 6, FALSE);
    EXPECT_EQ((V{{2, 3}, {5, 7}}), blocks()) << "a refused clear keeps the old selection and adds the range";
    EXPECT_FALSE(pSel->ClearNotify()) << "the owner refuses";
    EXPECT_EQ(3, pSel->GetCount());
    w.parent.m_nRefuseCode = 0;
    EXPECT_TRUE(pSel->ClearNotify());
    EXPECT_EQ(nullptr, pSel->GetFirstSelectedRowPosition()) << "nothing to walk";
}

TEST(ReportColumns, OrdersAndOffsets)
{
    ReportWindow w;
    w.AddColumns(3);
    CLVKReportColumns* pColumns = w.report.GetColumns();
    CLVKReportColumn* a = pColumns->GetAt(0);
    CLVKReportColumn* b = pColumns->GetAt(1);
    CLVKReportColumn* c = pColumns->GetAt(2);
    EXPECT_EQ(1, pColumns->ChangeColumnOrder(2, 0));
    EXPECT_EQ(b, pColumns->GetAt(0));
    EXPECT_EQ(a, pColumns->GetAt(1));
    EXPECT_EQ(c, pColumns->GetAt(2));
    EXPECT_EQ(1, pColumns->ChangeColumnOrder(1, 1));
    EXPECT_EQ(-1, pColumns->ChangeColumnOrder(-1, 0));

    CLVKReportColumnOrder order(pColumns);
    order.Add(a);
    order.Add(b);
    EXPECT_EQ(1, order.InsertAt(1, b)) << "already there: nothing changes";
    EXPECT_EQ(a, order.GetAt(0));

    w.report.AddColumn(new CLVKReportColumn(3, L"D", 100, FALSE));
    w.report.AddColumn(new CLVKReportColumn(4, L"E", 100, FALSE));
    pColumns->GetAt(0)->SetWidth(50);
    pColumns->GetAt(1)->SetWidth(50);
    w.report.SetFreezeColumnsCount(2);
    EXPECT_EQ(200, pColumns->GetColumnOffset(2));
    EXPECT_EQ(1, pColumns->GetColumnIndexAtOffset(150, FALSE));
    pColumns->GetAt(0)->SetVisible(FALSE);
    EXPECT_EQ(1, w.report.GetFreezeColumnsCount());
}

}  // namespace

namespace
{
// A 20 x 20 white bitmap the border draws into; answers the pixels.
std::vector<COLORREF> DrawBorder(CLVKReportBorder& border, RECT rc)
{
    HDC hScreen = GetDC(nullptr);
    HDC hDC = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, 20, 20);
    ReleaseDC(nullptr, hScreen);
    HGDIOBJ hOld = SelectObject(hDC, hBitmap);
    RECT rcAll{0, 0, 20, 20};
    FillRect(hDC, &rcAll, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    CDC dc;
    dc.Attach(hDC);
    border.Draw(&dc, rc);
    dc.Detach();
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 20; x++)
            pixels.push_back(GetPixel(hDC, x, y));
    SelectObject(hDC, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hDC);
    return pixels;
}

TEST(ReportBorders, ContentSizeAndBands)
{
    CLVKReportBorder border;
    EXPECT_EQ(nullptr, border.GetEdge(4));
    EXPECT_EQ(nullptr, border.GetEdge(-1));
    EXPECT_NE(nullptr, border.GetEdge(3));
    border.GetMargin()->Set(1, 1, 1, 1);
    border.GetBorderThickness()->Set(2, 2, 2, 2);
    border.GetPadding()->Set(3, 3, 3, 3);
    const RECT rcContent = border.GetContentRect(RECT{0, 0, 100, 50});
    EXPECT_EQ(6, rcContent.left);
    EXPECT_EQ(6, rcContent.top);
    EXPECT_EQ(94, rcContent.right);
    EXPECT_EQ(44, rcContent.bottom);
    EXPECT_EQ(12, border.GetSize().cx);
    EXPECT_EQ(12, border.GetSize().cy);
    const RECT rcSame = CLVKReportThickness::Deflate(RECT{1, 2, 3, 4}, nullptr);
    EXPECT_EQ(3, rcSame.right) << "no thickness, no change";

    const COLORREF kRed = RGB(255, 0, 0);
    const COLORREF kWhite = RGB(255, 255, 255);
    border.SetBorderColor(kRed);
    std::vector<COLORREF> pixels = DrawBorder(border, RECT{0, 0, 20, 20});
    auto at = [&](int x, int y) { return pixels[y * 20 + x]; };
    EXPECT_EQ(kWhite, at(0, 0)) << "the margin stays";
    EXPECT_EQ(kRed, at(1, 1));
    EXPECT_EQ(kRed, at(2, 10)) << "left band";
    EXPECT_EQ(kRed, at(17, 10)) << "right band";
    EXPECT_EQ(kRed, at(10, 17)) << "bottom band";
    EXPECT_EQ(kWhite, at(10, 10)) << "inside is not filled";
    EXPECT_EQ(kWhite, at(19, 19));

    pixels = DrawBorder(border, RECT{0, 20, 20, 0});
    EXPECT_EQ(std::vector<COLORREF>(400, kWhite), pixels) << "an inverted rectangle draws nothing";
    border.GetBorderThickness()->Set(0, 0, 0, 0);
    pixels = DrawBorder(border, RECT{0, 0, 20, 20});
    EXPECT_EQ(std::vector<COLORREF>(400, kWhite), pixels) << "a zero-width border draws nothing";
}

TEST(ReportHyperlinks, ExchangeCopyAndRemove)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        auto* px = new CLVKPropExchangeXMLNode(TRUE, nullptr, L"Item");
        CLVKPropExchangeSection section(px);
        ASSERT_TRUE(px->LoadFromText(L"<Item CompactMode=\"1\"><Hyperlink HyperTextBegin=\"2\" HyperTextLen=\"5\"/>"
                                     L"<Hyperlink/><Hyperlink HyperTextBegin=\"9\" HyperTextLen=\"1\"/></Item>"));
        auto* pLinks = new CLVKReportHyperlinks();
        pLinks->DoPropExchange(px);
        ASSERT_EQ(3, pLinks->GetCount());
        const int expected[3][2] = {{2, 5}, {0, 0}, {9, 1}};
        for (int i = 0; i < 3; i++)
        {
            EXPECT_EQ(expected[i][0], pLinks->GetAt(i)->m_nHyperTextBegin) << i;
            EXPECT_EQ(expected[i][1], pLinks->GetAt(i)->m_nHyperTextLen) << i;
        }

        auto* pCopy = new CLVKReportHyperlinks();
        pCopy->CopyFrom(pLinks);
        pCopy->CopyFrom(pCopy);
        ASSERT_EQ(3, pCopy->GetCount()) << "copying onto itself changes nothing";
        EXPECT_EQ(pLinks->GetAt(1), pCopy->GetAt(1)) << "the links are shared";
        pLinks->RemoveAtRelease(7);
        pLinks->RemoveAtRelease(-1);
        EXPECT_EQ(3, pLinks->GetCount());
        CLVKReportHyperlink* pShared = pLinks->GetAt(0);
        pLinks->RemoveAtRelease(0);
        EXPECT_EQ(2, pLinks->GetCount());
        EXPECT_EQ(9, pLinks->GetAt(1)->m_nHyperTextBegin);
        EXPECT_EQ(2, pShared->m_nHyperTextBegin) << "the copy still holds it";
        pLinks->InternalRelease();
        pCopy->InternalRelease();
    }
    CoUninitialize();
}

TEST(ReportSearch, FindRecordItemByFlags)
{
    ReportWindow w;
    w.AddColumns(2);
    for (LPCWSTR text : {L"cab", L"abc", L"AB", L"ab", L""})
        w.report.AddRecord(MakeRecord({L"x", text}));
    w.report.Populate();
    CLVKReportRows* pRows = w.report.GetRows();
    auto find = [&](int nFlags, int nFromRow = 0)
    {
        CLVKReportRecordItem* pItem =
            pRows->FindRecordItem(0, 99, 0, 99, nFromRow, nFlags & LVK_REPORT_FIND_BACKWARD ? 99 : 0, L"ab", nFlags);
        return pItem ? pItem->GetCaption(nullptr) : CString(L"none");
    };
    struct Case
    {
        const char* name;
        int nFlags;
        int nFromRow;
        LPCWSTR expected;
    } cases[] = {
        {"anywhere", 0, 0, L"cab"},
        {"at the start", LVK_REPORT_FIND_START, 0, L"abc"},
        {"whole caption, any case", LVK_REPORT_FIND_WHOLE, 0, L"AB"},
        {"whole caption, case counts", LVK_REPORT_FIND_WHOLE | LVK_REPORT_FIND_MATCHCASE, 0, L"ab"},
        {"backward from the end", LVK_REPORT_FIND_BACKWARD, 99, L"ab"},
        {"backward, whole, case counts", LVK_REPORT_FIND_BACKWARD | LVK_REPORT_FIND_WHOLE | LVK_REPORT_FIND_MATCHCASE,
         2, L"none"},
        {"from the third row", LVK_REPORT_FIND_START, 2, L"AB"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, find(c.nFlags, c.nFromRow)) << c.name;

    // The same search over the records, and nothing in an empty collection.
    CLVKReportRecordItem* pItem = w.report.GetRecords()->FindRecordItem(0, 99, 1, 1, 0, 0, L"b", LVK_REPORT_FIND_START);
    EXPECT_EQ(nullptr, pItem);
    pItem = w.report.GetRecords()->FindRecordItem(0, 99, 1, 1, 3, 0, L"A", 0);
    ASSERT_NE(nullptr, pItem);
    EXPECT_STREQ(L"ab", pItem->GetCaption(nullptr)) << "from the fourth record on";
    CLVKReportRecords empty;
    EXPECT_EQ(nullptr, empty.FindRecordItem(0, 9, 0, 9, 0, 0, L"a", 0));
}

TEST(ReportSearch, NestedRecordsLeaveOnlyTheirAncestors)
{
    auto* pParent = MakeRecord({L"parent"});
    CLVKReportRecord* pChild1 = pParent->GetChilds()->Add(MakeRecord({L"child 1"}));
    CLVKReportRecord* pChild2 = pParent->GetChilds()->Add(MakeRecord({L"child 2"}));
    CLVKReportRecord* pGrandChild = pChild2->GetChilds()->Add(MakeRecord({L"grandchild"}));
    auto* pOther = MakeRecord({L"other"});
    const std::vector<std::vector<CLVKReportRecord*>> orders = {
        {pParent, pChild1, pChild2}, {pChild2, pChild1, pParent}, {pChild1, pParent, pGrandChild, pChild2}};
    for (const auto& order : orders)
    {
        CLVKReportRecords list(TRUE);
        for (CLVKReportRecord* pRecord : order)
            list.Add(pRecord);
        list.RemoveNestedRecords();
        ASSERT_EQ(1, list.GetCount());
        EXPECT_EQ(pParent, list.GetAt(0));
    }
    CLVKReportRecords same(TRUE);
    same.Add(pChild1);
    same.Add(pChild2);
    same.RemoveNestedRecords();
    EXPECT_EQ(2, same.GetCount()) << "records at one depth stay";
    CLVKReportRecords mixed(TRUE);
    mixed.Add(pGrandChild);
    mixed.Add(pOther);
    mixed.RemoveNestedRecords();
    EXPECT_EQ(2, mixed.GetCount()) << "a deeper record whose ancestors are not listed stays";
    pParent->InternalRelease();
    pOther->InternalRelease();
}

}  // namespace
