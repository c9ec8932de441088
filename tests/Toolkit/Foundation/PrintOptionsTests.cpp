// Print margins in U.S. and metric units, the page header and footer macros,
// their layout in a band, drawing on a memory DC, and the printing dialog with
// its abort procedure. Wine has no printers: a memory DC stands in for one.
#include "DibSurface.h"
#include "Foundation/PrintOptions.h"
#include "Foundation/PrintPageHeaderFooter.h"
#include "Foundation/PrintingDialog.h"
#include "Foundation/PrintingDialogIds.h"
#include "PrintInfo.h"

#include <gtest/gtest.h>

namespace
{

// Options read as in a locale that measures in metric units (German).
class MetricPrintOptions : public CLVKPrintOptions
{
public:
    MetricPrintOptions() { ResetMargins(); }
    LCID GetLocaleId() override { return MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT); }
};

// A header whose clock is fixed.
class FixedTimeHeader : public CLVKPrintPageHeaderFooter
{
public:
    FixedTimeHeader() : CLVKPrintPageHeaderFooter(nullptr, TRUE) {}
    static SYSTEMTIME Time()
    {
        SYSTEMTIME st{};
        st.wYear = 2024;
        st.wMonth = 3;
        st.wDay = 9;
        st.wHour = 14;
        st.wMinute = 5;
        st.wSecond = 7;
        return st;
    }

protected:
    SYSTEMTIME GetCurrentTime() const override { return Time(); }
};

CString DateText(DWORD dwFlags)
{
    SYSTEMTIME st = FixedTimeHeader::Time();
    WCHAR sz[200] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, dwFlags, &st, nullptr, sz, 200);
    return sz;
}

CString TimeText(DWORD dwFlags)
{
    SYSTEMTIME st = FixedTimeHeader::Time();
    WCHAR sz[200] = {};
    GetTimeFormatW(LOCALE_USER_DEFAULT, dwFlags, &st, nullptr, sz, 200);
    return sz;
}

}  // namespace

TEST(PrintOptions, MarginsFollowTheLocalesMeasure)
{
    CLVKPrintOptions us;
    ASSERT_TRUE(us.IsMeasureUS()) << "Wine's prefix measures in U.S. units";
    EXPECT_EQ(CRect(500, 500, 500, 500), us.m_rcMargins);
    EXPECT_EQ(CRect(1270, 1270, 1270, 1270), us.GetMarginsHimetric());

    MetricPrintOptions metric;
    EXPECT_FALSE(metric.IsMeasureUS());
    EXPECT_EQ(CRect(1000, 1000, 1000, 1000), metric.m_rcMargins);
    EXPECT_EQ(CRect(1000, 1000, 1000, 1000), metric.GetMarginsHimetric()) << "already hundredths of a millimetre";

    EXPECT_EQ(CRect(0, 0, 0, 0), us.GetMarginsLP(nullptr));
    DibSurface page(10, 10);
    const int nDpi = GetDeviceCaps(page.GetHdc(), LOGPIXELSX);
    const int nHalfInch = MulDiv(1270, nDpi, 2540);
    EXPECT_EQ(CRect(nHalfInch, nHalfInch, nHalfInch, nHalfInch), us.GetMarginsLP(page.GetDC()));

    // Copies take the margins, the texts and the flags.
    us.GetFooter()->m_strFormat = L"&p";
    us.m_bBlackWhitePrinting = TRUE;
    metric.CopyFrom(&us);
    EXPECT_EQ(CRect(500, 500, 500, 500), metric.m_rcMargins);
    EXPECT_EQ(CString(L"&p"), metric.GetFooter()->m_strFormat);
    EXPECT_TRUE(metric.m_bBlackWhitePrinting);
}

TEST(PrintPageHeaderFooter, MacrosExpandIntoThreeParts)
{
    const struct
    {
        const char* name;
        const wchar_t* format;
        UINT maxPage;
        int lastPage;
        const wchar_t* title;
        CString left, center, right;
    } cases[] = {
        {"page count not known", L"Page &p of &P", 0xFFFF, 0, nullptr, L"Page 3 of *", L"", L""},
        {"page count known", L"Page &p of &P", 7, 0, nullptr, L"Page 3 of 7", L"", L""},
        {"a range of pages", L"&p", 7, 5, nullptr, L"3-5", L"", L""},
        {"doubled ampersand is no macro", L"&&p && &&P", 7, 0, nullptr, L"&p & &P", L"", L""},
        {"three parts with the title", L"A&b&w&b&p", 7, 0, L"Drives", L"A", L"Drives", L"3"},
        {"two parts", L"left&bcentre", 7, 0, nullptr, L"left", L"centre", L""},
        {"no title given leaves the macro", L"&w", 7, 0, nullptr, L"&w", L"", L""},
        {"escaped new line", L"one\\ntwo", 7, 0, nullptr, L"one\ntwo", L"", L""},
        {"dates and times", L"&d&b&D&b&t|&T", 7, 0, nullptr, DateText(DATE_SHORTDATE), DateText(DATE_LONGDATE),
         TimeText(0) + L"|" + TimeText(TIME_NOTIMEMARKER | TIME_FORCE24HOURFORMAT)},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        FixedTimeHeader header;
        header.m_strFormat = c.format;
        CPrintInfo info;
        info.m_nCurPage = 3;
        info.SetMaxPage(c.maxPage);
        header.FormatTexts(&info, c.title, c.lastPage);
        EXPECT_EQ(c.left, header.m_strLeft);
        EXPECT_EQ(c.center, header.m_strCenter);
        EXPECT_EQ(c.right, header.m_strRight);
    }

    FixedTimeHeader empty;
    empty.m_strLeft = L"kept";
    CPrintInfo info;
    empty.FormatTexts(&info, L"x");
    EXPECT_EQ(CString(L"kept"), empty.m_strLeft) << "an empty format changes nothing";
    empty.Clear();
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(PrintPageHeaderFooter, PartsShareTheBandWidth)
{
    DibSurface surface(10, 10);
    CDC* pDC = surface.GetDC();
    SelectObject(pDC->m_hDC, GetStockObject(DEFAULT_GUI_FONT));
    CLVKPrintPageHeaderFooter header(nullptr, TRUE);
    CSize l, c, r;

    // One part alone takes the whole width.
    const int nSingle = header.CalcWidths(pDC, 600, L"", L"  Centre only", L"", l, c, r);
    EXPECT_GT(nSingle, 0);
    EXPECT_EQ(600, c.cx);
    EXPECT_EQ(0, l.cx);
    EXPECT_EQ(0, r.cx);

    // Three parts: every one at least a ninth of the band, together the band.
    const int nHeight = header.CalcWidths(pDC, 600, L"Left text", L"Centre text", L"Right text", l, c, r);
    EXPECT_GT(nHeight, 0);
    EXPECT_EQ(600, l.cx + c.cx + r.cx);
    EXPECT_GE(l.cx, 600 / 9);
    EXPECT_GE(c.cx, 600 / 9);
    EXPECT_GE(r.cx, 600 / 9);

    EXPECT_EQ(0, header.CalcWidths(pDC, 0, L"a", L"b", L"c", l, c, r));
    EXPECT_EQ(0, header.CalcWidths(pDC, 600, L"", L"", L"", l, c, r));

    // Bands narrower than nine units once divided by zero.
    for (int nWidth = 1; nWidth < 9; ++nWidth)
    {
        SCOPED_TRACE(nWidth);
        header.CalcWidths(pDC, nWidth, L"Left", L"Centre", L"Right", l, c, r);
        EXPECT_GE(l.cx, 1);
        EXPECT_GE(c.cx, 1);
        EXPECT_GE(r.cx, 1);
    }
}

TEST(PrintPageHeaderFooter, DrawsIntoItsBandAndReportsIt)
{
    DibSurface page(400, 200, RGB(255, 255, 255));
    CLVKPrintPageHeaderFooter header(nullptr, TRUE);
    header.m_strLeft = L"Header";
    header.m_clrColor = RGB(0, 0, 0);
    CRect band(0, 0, 400, 200);
    header.Draw(page.GetDC(), band);
    EXPECT_EQ(0, band.top);
    EXPECT_GT(band.bottom, 3);
    EXPECT_LT(band.bottom, 100);
    bool bInk = false;
    for (int y = 0; y < band.bottom && !bInk; ++y)
        for (int x = 0; x < 100 && !bInk; ++x)
            bInk = page.Pixel(x, y) != RGB(255, 255, 255);
    EXPECT_TRUE(bInk) << "the left text is drawn at the band's left";

    CLVKPrintPageHeaderFooter footer(nullptr, FALSE);
    footer.m_strRight = L"Footer";
    CRect footerBand(0, 0, 400, 200);
    footer.Draw(page.GetDC(), footerBand, TRUE);
    EXPECT_EQ(200, footerBand.bottom);
    EXPECT_EQ(200 - (band.bottom - band.top), footerBand.top) << "same font, same band height";

    CLVKPrintPageHeaderFooter emptyFooter(nullptr, FALSE);
    CRect emptyBand(0, 0, 400, 200);
    emptyFooter.Draw(page.GetDC(), emptyBand, TRUE);
    EXPECT_EQ(200, emptyBand.top) << "an empty footer uses no band, not even the 3-unit gap";
}

TEST(PrintingDialog, CancelStopsTheJob)
{
    {
        CLVKPrintingDialog dialog(nullptr);
        ASSERT_NE(nullptr, dialog.GetSafeHwnd());
        WCHAR szCaption[64] = {};
        GetWindowTextW(dialog.GetSafeHwnd(), szCaption, 64);
        EXPECT_STREQ(L"Printing", szCaption);
        for (int id : {LVK_IDC_PRINTING_DOCUMENT, LVK_IDC_PRINTING_PAGE, LVK_IDC_PRINTING_PRINTER,
                       LVK_IDC_PRINTING_PORT, IDCANCEL})
            EXPECT_NE(nullptr, GetDlgItem(dialog.GetSafeHwnd(), id)) << id;

        EXPECT_TRUE(LVKPrintAbortProc(nullptr, 0)) << "the job goes on";
        SendMessageW(dialog.GetSafeHwnd(), WM_COMMAND, IDCANCEL, 0);
        EXPECT_FALSE(LVKPrintAbortProc(nullptr, 0)) << "Cancel aborts";
        EXPECT_EQ(nullptr, dialog.GetSafeHwnd()) << "and closes the dialog";
    }
    CLVKPrintingDialog next(nullptr);
    EXPECT_TRUE(LVKPrintAbortProc(nullptr, 0)) << "a new dialog clears the flag";
}
