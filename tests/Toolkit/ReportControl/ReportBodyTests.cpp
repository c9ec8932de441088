// What the report control draws behind and beside its cells and how its rows
// are sized: the watermark, the row-number column and rows sized by the user.
#include "ReportTestSupport.h"

#include "Foundation/AlphaBitmap.h"
#include "Foundation/DpiScaling.h"
#include "ReportControl/ReportHeader.h"
#include "ReportControl/ReportPaintManager.h"

#include <gtest/gtest.h>

namespace
{

// A bitmap of one colour, 32-bit or 24-bit.
HBITMAP SolidBitmap(int cx, int cy, COLORREF clr, int nBits)
{
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = static_cast<WORD>(nBits);
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HDC hDC = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hDC, hBitmap);
    HBRUSH hBrush = CreateSolidBrush(clr);
    const RECT rc{0, 0, cx, cy};
    FillRect(hDC, &rc, hBrush);
    DeleteObject(hBrush);
    SelectObject(hDC, hOld);
    DeleteDC(hDC);
    return hBitmap;
}

TEST(ReportWatermark, StretchedOverTheRowsOrCentredAtItsSize)
{
    ReportWindow w;
    w.AddColumns(2);
    w.report.GetPaintManager()->SetNoItemsText(L"");
    const COLORREF clrMark = RGB(200, 0, 0);
    for (int nBits : {32, 24})
    {
        HBITMAP hBitmap = SolidBitmap(10, 10, clrMark, nBits);
        ASSERT_TRUE(w.report.SetWatermarkBitmap(hBitmap, 255)) << nBits << " bits";
        DeleteObject(hBitmap);
        ASSERT_NE(nullptr, w.report.GetWatermarkBitmap());
        const RECT rcBody = w.report.GetElementRect(0);
        Picture pic = Capture(w.report);
        EXPECT_EQ(clrMark, pic.At(rcBody.left + 3, rcBody.top + 3)) << nBits << " bits: stretched over the body";
        EXPECT_EQ(clrMark, pic.At(rcBody.right - 3, rcBody.bottom - 3)) << nBits << " bits";
        EXPECT_NE(clrMark, pic.At(20, (w.report.GetElementRect(2).top + w.report.GetElementRect(2).bottom) / 2))
            << "the header is drawn over it";

        w.report.SetWatermarkAlignment(0x0002 | 0x0020);
        pic = Capture(w.report);
        const int cx = (rcBody.left + rcBody.right) / 2;
        const int cy = (rcBody.top + rcBody.bottom) / 2;
        EXPECT_EQ(clrMark, pic.At(cx, cy)) << nBits << " bits: centred at its own size";
        EXPECT_NE(clrMark, pic.At(cx - 8, cy)) << nBits << " bits: ten pixels wide";
        EXPECT_NE(clrMark, pic.At(rcBody.left + 3, rcBody.top + 3));
        w.report.SetWatermarkAlignment(0x100);
    }
    // Half transparent: half way between the picture and the background.
    HBITMAP hBitmap = SolidBitmap(10, 10, RGB(0, 0, 0), 32);
    w.report.SetWatermarkBitmap(hBitmap, 128);
    DeleteObject(hBitmap);
    const RECT rcBody = w.report.GetElementRect(0);
    const COLORREF clrHalf = Capture(w.report).At(rcBody.left + 3, rcBody.top + 3);
    EXPECT_NEAR(127, GetRValue(clrHalf), 3);

    EXPECT_TRUE(w.report.SetWatermarkBitmap(nullptr, 100)) << "no bitmap: no watermark";
    EXPECT_EQ(nullptr, w.report.GetWatermarkBitmap());
    EXPECT_FALSE(w.report.SetWatermarkBitmapFile(L"C:\\no\\such\\picture.png", 100));
    EXPECT_EQ(nullptr, w.report.GetWatermarkBitmap());
}

TEST(ReportRowNumbers, TheColumnShowsNumbersAndHidesWithItsSwitch)
{
    ReportWindow w;
    w.AddColumns(1);
    CLVKReportColumn* pNumbers = w.report.AddColumn(new CLVKReportColumn(9, L"#", 40, FALSE));
    for (int i = 0; i < 3; i++)
        w.report.AddRecord(MakeRecord({L"row"}));
    w.report.SetRowNumberColumnIndex(9);
    w.report.EnableRowNumberColumn(TRUE);
    w.report.Populate();
    // Text pixels of the number cell, the grid line at its bottom left out.
    const COLORREF clrBack = w.report.GetPaintManager()->GetControlBackColor(&w.report);
    auto numberPixels = [&](int nRow)
    {
        const Picture pic = Capture(w.report);
        const RECT rcRow = w.report.GetRows()->GetAt(nRow)->GetRect();
        int n = 0;
        for (int y = rcRow.top; y < rcRow.bottom - 2; y++)
            for (int x = pNumbers->GetRect().left; x < pNumbers->GetRect().right - 2; x++)
                n += pic.At(x, y) != clrBack ? 1 : 0;
        return n;
    };
    EXPECT_GT(numberPixels(2), 5) << "the number of an unselected row";
    pNumbers->SetRowNumberColumn(FALSE);
    w.report.SetRowNumberColumnIndex(8);
    EXPECT_EQ(0, numberPixels(2)) << "an empty cell of another column";
    w.report.SetRowNumberColumnIndex(9);

    w.report.ShowRowNumberColumn(FALSE);
    EXPECT_FALSE(pNumbers->IsVisible());
    EXPECT_EQ(-1, w.report.GetRowNumberColumnIndex());
    w.report.ShowRowNumberColumn(TRUE);
    EXPECT_TRUE(pNumbers->IsVisible());
    EXPECT_EQ(9, w.report.GetRowNumberColumnIndex());

    // Without the switch the column stays as it is.
    w.report.EnableRowNumberColumn(FALSE);
    w.report.ShowRowNumberColumn(FALSE);
    EXPECT_TRUE(pNumbers->IsVisible());
}

TEST(ReportRowSizing, DraggingABottomEdgeSizesTheRowsOfItsRecord)
{
    ReportWindow w;
    w.AddColumns(2);
    w.report.AllowRowSizing(TRUE);
    for (int i = 0; i < 3; i++)
        w.report.AddRecord(MakeRecord({L"row", L"x"}));
    w.report.Populate();
    Capture(w.report);
    CLVKReportRows* pRows = w.report.GetRows();
    const int nDefault = w.report.GetDefaultRowHeight();
    const RECT rcRow = pRows->GetAt(0)->GetRect();
    EXPECT_EQ(nDefault, rcRow.bottom - rcRow.top) << "rows start at the default height";

    // Near the bottom edge the row-sizing mode starts; a press there tracks
    // the edge, here 12 pixels down.
    // The pointer just below the edge; the tracked line ends one pixel above it.
    const int x = 40;
    const int y = rcRow.bottom + 1;
    w.report.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    EXPECT_EQ(CLVKReportControl::kMouseOverRowEdge, w.report.GetMouseMode());
    w.report.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y + 12));
    w.report.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y + 12));
    w.report.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    EXPECT_EQ(CLVKReportControl::kMouseIdle, w.report.GetMouseMode());
    CClientDC dc(&w.report);
    EXPECT_EQ(nDefault + 12, pRows->GetAt(0)->GetHeight(&dc, 200));
    EXPECT_EQ(nDefault + 12, w.report.GetRecords()->GetAt(0)->GetRowHeight()) << "the record keeps the height";
    EXPECT_EQ(nDefault, pRows->GetAt(1)->GetHeight(&dc, 200));

    // Away from the edges the mode ends.
    w.report.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, rcRow.top + 3));
    EXPECT_EQ(CLVKReportControl::kMouseIdle, w.report.GetMouseMode());
    // The height outlives a new populate.
    w.report.Populate();
    EXPECT_EQ(nDefault + 12, pRows->GetAt(0)->GetHeight(&dc, 200));
}


// Below the last row the grid goes on in empty lines of the row height while
// its switch is on; a frozen column keeps its line in place when the others
// scroll.
TEST(ReportEmptyAreaGrid, LinesGoOnBelowTheRowsAndFollowTheScrolledColumns)
{
    ReportWindow w(300, 200);
    w.report.GetReportHeader()->SetAutoColumnSizing(FALSE);
    w.AddColumns(3);
    for (int i = 0; i < 2; i++)
        w.report.AddRecord(MakeRecord({L"", L"", L""}));
    CLVKReportPaintManager* pPaint = w.report.GetPaintManager();
    const COLORREF clrGrid = RGB(255, 0, 0);
    pPaint->SetBorderColor(clrGrid);
    pPaint->SetGridStyle(TRUE, 4);
    pPaint->SetGridStyle(FALSE, 4);
    w.report.Populate();
    Picture pic = Capture(w.report);
    const int nRow = pPaint->GetFixedRowHeight(nullptr, nullptr);
    const int nRowsBottom = w.report.GetRows()->GetAt(1)->GetRect().bottom;
    const int yInside = nRowsBottom + nRow / 2;
    const int yLine = nRowsBottom + 2 * nRow - 1;
    ASSERT_LT(yLine, w.report.GetElementRect(0).bottom);

    EXPECT_EQ(clrGrid, pic.At(99, nRowsBottom - nRow / 2)) << "the rows draw their own lines";
    EXPECT_NE(clrGrid, pic.At(99, yInside)) << "no lines below the rows while the switch is off";

    pPaint->m_bEmptyAreaGrid = TRUE;
    pic = Capture(w.report);
    EXPECT_EQ(clrGrid, pic.At(99, yInside));
    EXPECT_EQ(clrGrid, pic.At(199, yInside));
    EXPECT_EQ(clrGrid, pic.At(50, yLine)) << "an empty line ends with a horizontal line";
    EXPECT_NE(clrGrid, pic.At(50, yLine - 2));
    EXPECT_NE(clrGrid, pic.At(150, yInside));

    // One frozen column: its line stays, the next column's line moves left by
    // the scroll offset, and no scrolled line shows inside the frozen column.
    w.report.SetFreezeColumnsCount(1);
    pPaint->m_nFreezeColsDividerStyle = 0;
    w.report.SetHScrollOffset(30);
    w.report.AdjustLayout();
    pic = Capture(w.report);
    EXPECT_EQ(clrGrid, pic.At(99, yInside)) << "the frozen column's line";
    EXPECT_EQ(clrGrid, pic.At(169, yInside)) << "the scrolled column's line";
    EXPECT_NE(clrGrid, pic.At(199, yInside));
    for (int x = 1; x < 98; x++)
        ASSERT_NE(clrGrid, pic.At(x, yInside)) << "x " << x;
}

}  // namespace
