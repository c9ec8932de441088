// The report paint manager's measuring and drawing steps: merged row heights,
// footer heights, grid-line styles, tree lines and hyperlinks in wrapped
// captions.
#include "Foundation/DpiScaling.h"
#include "ReportControl/ReportHeader.h"
#include "ReportControl/ReportHyperlink.h"
#include "ReportControl/ReportPaintManager.h"
#include "ReportTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace
{
TEST(ReportPaintHeights, MergedCellsSpreadTheirHeightOverTheirRows)
{
    struct Case
    {
        const char* name;
        std::vector<int> slots;
        int nNeeded;
        std::vector<int> expected;
    } cases[] = {
        {"two rows share evenly", {20, 20}, 60, {30, 30}},
        {"a high row keeps its height", {20, 20, 40}, 110, {35, 35, 40}},
        {"enough height already", {20, 20}, 30, {20, 20}},
        {"one row takes it all", {20}, 50, {50}},
        {"the remainder goes to the first rows", {20, 20, 20}, 71, {24, 24, 23}},
    };
    for (const Case& c : cases)
    {
        std::vector<int> slots = c.slots;
        std::vector<int> rows;
        for (int i = 0; i < static_cast<int>(slots.size()); i++)
            rows.push_back(i);
        CLVKReportPaintManager::DistributeMergedHeight(slots, rows, c.nNeeded);
        EXPECT_EQ(c.expected, slots) << c.name;
    }
}

TEST(ReportPaintHeights, AWrappedMergedCellMakesItsRowsTaller)
{
    ReportWindow w(400, 300);
    w.report.GetReportHeader()->SetAutoColumnSizing(FALSE);
    w.report.AddColumn(new CLVKReportColumn(0, L"Text", 60, FALSE));
    w.report.AddColumn(new CLVKReportColumn(1, L"Other", 60, FALSE));
    w.report.GetColumns()->GetAt(0)->SetAlignment(DT_WORDBREAK);
    CLVKReportPaintManager* pPaint = w.report.GetPaintManager();
    pPaint->SetFixedRowHeight(FALSE);
    w.report.AddRecord(MakeRecord({L"one two three four five six seven eight", L"a"}));
    w.report.AddRecord(MakeRecord({L"", L"b"}));
    w.report.AddRecord(MakeRecord({L"short", L"c"}));
    CLVKReportRecords* pRecords = w.report.GetRecords();
    CLVKReportRecordItem* pMaster = pRecords->GetAt(0)->GetItem(0);
    pMaster->SetMergeMaster(pMaster);
    pRecords->GetAt(1)->GetItem(0)->SetMergeMaster(pMaster);
    w.report.EnableCellMerging(TRUE);
    w.report.Populate();
    w.report.UpdateWindow();

    CClientDC dc(&w.report);
    CLVKReportRows* pRows = w.report.GetRows();
    const int nPlain = pPaint->GetFixedRowHeight(&dc, nullptr);
    const int nFirst = pRows->GetAt(0)->GetHeight(&dc, 120);
    const int nSecond = pRows->GetAt(1)->GetHeight(&dc, 120);
    EXPECT_GT(nFirst + nSecond, 2 * nPlain) << "eight words wrap over more than two lines";
    EXPECT_LE(abs(nFirst - nSecond), 1) << "the merged rows share the height";
    EXPECT_EQ(nPlain, pRows->GetAt(2)->GetHeight(&dc, 120)) << "a row outside the block";
}

TEST(ReportPaintHeights, AWrappingFooterTextMakesTheFooterTaller)
{
    ReportWindow w;
    w.report.GetReportHeader()->SetAutoColumnSizing(FALSE);
    CLVKReportPaintManager* pPaint = w.report.GetPaintManager();
    CClientDC dc(&w.report);
    HGDIOBJ hOld = SelectObject(dc.m_hDC, pPaint->GetCaptionFont()->m_hObject);
    SIZE szWord{};
    GetTextExtentPoint32W(dc.m_hDC, L"wordy", 5, &szWord);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc.m_hDC, &tm);
    SelectObject(dc.m_hDC, hOld);
    // Room for one word a line.
    CLVKReportColumn* pColumn =
        w.report.AddColumn(new CLVKReportColumn(0, L"Col", szWord.cx + LVKScaleX(6) + 4, FALSE));
    pColumn->SetFooterText(L"wordy wordy wordy");
    EXPECT_EQ(pPaint->GetFixedFooterHeight(), pPaint->GetFooterHeight(nullptr, nullptr)) << "without a DC";
    pColumn->SetFooterAlignment(DT_WORDBREAK);
    const int nMargin = CLVKDpiScaling::GetGlobal()->ScaleY(8);
    EXPECT_EQ(std::max(CLVKDpiScaling::GetGlobal()->ScaleY(22), static_cast<int>(tm.tmHeight) + nMargin),
              pPaint->GetFooterHeight(&w.report, &dc))
        << "one line while rows have a fixed height";
    pPaint->SetFixedRowHeight(FALSE);
    EXPECT_EQ(3 * tm.tmHeight + nMargin, pPaint->GetFooterHeight(&w.report, &dc)) << "three lines";
}

// Draws a horizontal grid line of each style into a small bitmap and reads
// which pixels of the line took the grid colour.
TEST(ReportPaintGrid, StylesDrawTheirPatterns)
{
    CLVKReportPaintManager* pPaint = new CLVKReportPaintManager();
    pPaint->SetBorderColor(RGB(255, 0, 0));
    pPaint->m_clrControlBack.SetCustomValue(RGB(255, 255, 255));
    struct Case
    {
        int nStyle;
        const char* pattern;  // 16 pixels of the line: x grid colour, . background
    } cases[] = {
        {4, "xxxxxxxxxxxxxxxx"}, {1, "x.x.x.x.x.x.x.x."}, {2, "xx..xx..xx..xx.."},
        {3, "xxx.....xxx....."},  {5, "................"}, {0, "................"},
    };
    HDC hScreen = GetDC(nullptr);
    for (const Case& c : cases)
    {
        CDC dc;
        dc.Attach(CreateCompatibleDC(hScreen));
        HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, 16, 4);
        HGDIOBJ hOld = SelectObject(dc.m_hDC, hBitmap);
        const RECT rcAll{0, 0, 16, 4};
        FillRect(dc.m_hDC, &rcAll, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        pPaint->SetGridStyle(FALSE, c.nStyle);
        pPaint->DrawGridLine(&dc, FALSE, RECT{0, 0, 16, 2});
        std::string line;
        for (int x = 0; x < 16; x++)
            line += GetPixel(dc.m_hDC, x, 2) == RGB(255, 0, 0) ? 'x' : '.';
        EXPECT_EQ(c.pattern, line) << "style " << c.nStyle;
        EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc.m_hDC, 3, 1)) << "the cell above the line is untouched";
        SelectObject(dc.m_hDC, hOld);
        DeleteObject(hBitmap);
        DeleteDC(dc.Detach());
    }
    ReleaseDC(nullptr, hScreen);
    EXPECT_FALSE(pPaint->IsGridLineShown(FALSE)) << "style 0 hides the lines";
    pPaint->InternalRelease();
}

// Three children under an expanded parent: the lines at the children's level
// run on while a sibling follows and stop at the connector of the last one.
TEST(ReportPaintTree, LinesStopAtTheLastChild)
{
    ReportWindow w;
    w.AddColumns(2, 150);
    CLVKReportRecord* pParent = MakeRecord({L"parent", L"p"});
    for (LPCWSTR lpsz : {L"one", L"two", L"three"})
        pParent->GetChilds()->Add(MakeRecord({lpsz, L"c"}));
    pParent->SetExpanded(TRUE);
    w.report.AddRecord(pParent);
    w.report.GetColumns()->GetAt(0)->SetTreeColumn(TRUE);
    w.report.Populate();
    CLVKReportPaintManager* pPaint = w.report.GetPaintManager();
    const COLORREF clrLine = pPaint->m_clrWindowText;
    CLVKReportRows* pRows = w.report.GetRows();
    ASSERT_EQ(4, pRows->GetCount());
    Picture pic = Capture(w.report);
    const int x = w.report.GetColumns()->GetAt(0)->GetRect().left + pPaint->GetTreeIndent();
    const RECT rcMiddle = pRows->GetAt(2)->GetRect();
    const RECT rcLast = pRows->GetAt(3)->GetRect();
    EXPECT_EQ(clrLine, pic.At(x, rcMiddle.bottom - 3)) << "the line runs on past a child with a sibling";
    EXPECT_EQ(clrLine, pic.At(x + 2, (rcLast.top + rcLast.bottom) / 2)) << "the connector of the last child";
    EXPECT_NE(clrLine, pic.At(x, rcLast.bottom - 3)) << "the line stops at the last child";
    EXPECT_NE(clrLine, pic.At(x - pPaint->GetTreeIndent(), rcLast.bottom - 3)) << "root rows have no lines";

    pPaint->m_nTreeStructureStyle = 0;
    pic = Capture(w.report);
    EXPECT_NE(clrLine, pic.At(x, rcMiddle.bottom - 3)) << "style 0 draws no lines";
}

// A two-word hyperlink in a word-wrapped cell moves to the next line whole.
TEST(ReportPaintCaptions, AHyperlinkWrapsAsOneUnit)
{
    ReportWindow w;
    w.report.GetReportHeader()->SetAutoColumnSizing(FALSE);
    CLVKReportPaintManager* pPaint = w.report.GetPaintManager();
    CClientDC dc(&w.report);
    HGDIOBJ hOld = SelectObject(dc.m_hDC, pPaint->GetTextFont()->m_hObject);
    SIZE szLead{};
    GetTextExtentPoint32W(dc.m_hDC, L"lead text and", 13, &szLead);
    SIZE szLink{};
    GetTextExtentPoint32W(dc.m_hDC, L"open here", 9, &szLink);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc.m_hDC, &tm);
    SelectObject(dc.m_hDC, hOld);
    // The lead fits the first line; the link does not fit behind it.
    const int nWidth = std::max(szLead.cx, szLink.cx) + szLink.cx / 2 + LVKScaleX(4);
    CLVKReportColumn* pColumn = w.report.AddColumn(new CLVKReportColumn(0, L"Text", nWidth, FALSE));
    pColumn->SetAlignment(DT_WORDBREAK);
    pPaint->SetFixedRowHeight(FALSE);
    w.report.AddRecord(MakeRecord({L"lead text and [url]open here[/url]"}));
    w.report.Populate();
    Capture(w.report);
    CLVKReportRecordItem* pItem = w.report.GetRecords()->GetAt(0)->GetItem(0);
    ASSERT_EQ(1, pItem->GetHyperlinksCount());
    const RECT rcLink = pItem->GetHyperlinkAt(0)->m_rcHyperSpot;
    const RECT rcRow = w.report.GetRows()->GetAt(0)->GetRect();
    EXPECT_GE(rcLink.top, rcRow.top + tm.tmHeight - 1) << "the link is on the second line";
    EXPECT_NEAR(szLink.cx, rcLink.right - rcLink.left, 2) << "both words of the link together";
}

}  // namespace
