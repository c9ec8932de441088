// Conversion of 96-DPI lengths to screen pixels and back. Wine's screen is
// 96 DPI for the whole session, so other screens are played by an instance
// whose device reports the DPI the test chooses; the real screen is checked
// for what it is.
#include "Foundation/DpiScaling.h"

#include <gtest/gtest.h>

namespace
{

// Reads its DPI from the test instead of the device.
class PlayedScreenScaling : public CLVKDpiScaling
{
public:
    PlayedScreenScaling(int nDpiX, int nDpiY) : m_nDpiX(nDpiX), m_nDpiY(nDpiY) {}
    ~PlayedScreenScaling() override { ReleaseDC(); }

    int m_nQueries = 0;

protected:
    int QueryDeviceDpi(HDC, int nIndex) override
    {
        m_nQueries++;
        return nIndex == LOGPIXELSX ? m_nDpiX : m_nDpiY;
    }

private:
    int m_nDpiX;
    int m_nDpiY;
};

struct ScaleCase
{
    const char* pszCase;
    int nDpi;
    int n;
    int nThreshold;
    int nScaled;
};

const ScaleCase kScaleCases[] = {
    {"96 DPI leaves lengths alone", 96, 5, 96, 5},
    {"144 DPI, 7.5 rounds away from zero", 144, 5, 96, 8},
    {"144 DPI, negative 7.5 rounds away from zero", 144, -5, 96, -8},
    {"144 DPI, 4.5 rounds to 5", 144, 3, 96, 5},
    {"144 DPI at threshold 144 is not scaled", 144, 5, 144, 5},
    {"120 DPI at threshold 120 is not scaled", 120, 10, 120, 10},
    {"120 DPI, above the table", 120, 300, 96, 375},
    {"120 DPI, below the table", 120, -300, 96, -375},
    {"120 DPI, last table entry", 120, 256, 96, 320},
    {"120 DPI, first value past the table", 120, 257, 96, 321},
    {"120 DPI, last negative table entry", 120, -256, 96, -320},
    {"120 DPI, zero", 120, 0, 96, 0},
    {"192 DPI doubles", 192, 7, 96, 14},
};

TEST(DpiScaling, ScaleRoundsToNearestAboveTheThreshold)
{
    for (const ScaleCase& row : kScaleCases)
    {
        PlayedScreenScaling scaling(row.nDpi, row.nDpi);
        EXPECT_EQ(row.nScaled, scaling.ScaleX(row.n, row.nThreshold)) << row.pszCase;
        EXPECT_EQ(row.nScaled, scaling.ScaleY(row.n, row.nThreshold)) << row.pszCase;
    }
}

struct UnscaleCase
{
    const char* pszCase;
    int nDpi;
    int n;
    int nUnscaled;
};

const UnscaleCase kUnscaleCases[] = {
    {"144 DPI, 5.33 truncates", 144, 8, 5},          {"144 DPI, 4.67 truncates", 144, 7, 4},
    {"144 DPI, 3.33 truncates", 144, 5, 3},          {"144 DPI, negative 4.67 truncates towards zero", 144, -7, -4},
    {"120 DPI, large lengths", 120, 375000, 300000}, {"96 DPI leaves lengths alone", 96, 7, 7},
};

TEST(DpiScaling, UnscaleTruncatesTowardsZero)
{
    for (const UnscaleCase& row : kUnscaleCases)
    {
        PlayedScreenScaling scaling(row.nDpi, row.nDpi);
        EXPECT_EQ(row.nUnscaled, scaling.UnscaleX(row.n, 96)) << row.pszCase;
        EXPECT_EQ(row.nUnscaled, scaling.UnscaleY(row.n, 96)) << row.pszCase;
    }
}

TEST(DpiScaling, EveryLengthMatchesMulDivInAndOutsideTheTable)
{
    for (const int nDpi : {97, 120, 125, 144, 168, 192, 288})
    {
        PlayedScreenScaling scaling(nDpi, nDpi);
        for (int n = -600; n <= 600; n++)
            ASSERT_EQ(MulDiv(n, nDpi, 96), scaling.ScaleX(n, 96)) << "n " << n << " at " << nDpi;
    }
}

TEST(DpiScaling, HorizontalAndVerticalUseTheirOwnDpi)
{
    PlayedScreenScaling scaling(120, 144);
    const SIZE size = scaling.ScaleSize(SIZE{10, 10});
    EXPECT_EQ(13, size.cx);
    EXPECT_EQ(15, size.cy);

    const POINT pt = scaling.ScalePoint(POINT{-10, 10});
    EXPECT_EQ(-13, pt.x);
    EXPECT_EQ(15, pt.y);

    const RECT rc = scaling.ScaleRect(RECT{4, 4, 20, 20});
    EXPECT_EQ(5, rc.left);
    EXPECT_EQ(6, rc.top);
    EXPECT_EQ(25, rc.right);
    EXPECT_EQ(30, rc.bottom);

    RECT rcBack = rc;
    scaling.UnscaleRectInPlace(rcBack);
    EXPECT_EQ(4, rcBack.left);
    EXPECT_EQ(4, rcBack.top);
    EXPECT_EQ(20, rcBack.right);
    EXPECT_EQ(20, rcBack.bottom);

    EXPECT_FALSE(scaling.IsStandardDpiX());
    EXPECT_FALSE(scaling.IsStandardDpiY());
    EXPECT_DOUBLE_EQ(12.5, scaling.ScaleXDouble(10.0));
    EXPECT_FLOAT_EQ(15.0f, scaling.ScaleYFloat(10.0f));
    EXPECT_DOUBLE_EQ(10.0, scaling.ScaleXDouble(10.0, 120)) << "threshold not passed";
}

TEST(DpiScaling, StandardDpiMeansNoScalingInEitherDirection)
{
    struct Row
    {
        int nDpiX, nDpiY;
        bool bStandard;
    } const rows[] = {{96, 96, true}, {72, 72, true}, {96, 120, false}, {120, 96, false}};
    for (const Row& row : rows)
    {
        PlayedScreenScaling scaling(row.nDpiX, row.nDpiY);
        EXPECT_EQ(row.bStandard, scaling.IsStandardDpi() != FALSE) << row.nDpiX << " x " << row.nDpiY;
    }
}

TEST(DpiScaling, DeviceWithoutDpiLeavesEverythingAlone)
{
    PlayedScreenScaling scaling(0, 0);
    EXPECT_EQ(0, scaling.GetDpiX());
    EXPECT_EQ(0, scaling.GetDpiY());
    EXPECT_EQ(300, scaling.ScaleX(300));
    EXPECT_EQ(-7, scaling.ScaleY(-7));
    EXPECT_EQ(7, scaling.UnscaleX(7));
    EXPECT_EQ(7, scaling.UnscaleX(7, -1)) << "no division by a missing DPI";
    EXPECT_EQ(4, scaling.SelectForDpi(1, 2, 3, 4));
}

TEST(DpiScaling, DeviceIsMeasuredOnce)
{
    PlayedScreenScaling scaling(144, 144);
    EXPECT_EQ(0, scaling.m_nQueries) << "construction does not measure";
    for (int i = 0; i < 5; i++)
    {
        scaling.ScaleX(i);
        scaling.UnscaleY(i);
        scaling.GetDpiX();
    }
    EXPECT_EQ(2, scaling.m_nQueries);
}

TEST(DpiScaling, FourVariantsAreChosenByDpiBand)
{
    struct Row
    {
        int nDpi;
        int nChosen;
    } const rows[] = {{72, 4}, {95, 4}, {96, 1}, {119, 1}, {120, 2}, {143, 2}, {144, 3}, {191, 3}, {192, 4}, {288, 4}};
    for (const Row& row : rows)
    {
        PlayedScreenScaling scaling(row.nDpi, 96);
        EXPECT_EQ(row.nChosen, scaling.SelectForDpi(1, 2, 3, 4)) << row.nDpi << " DPI";
    }
}

TEST(DpiScaling, ProcessWideInstanceMeasuresTheScreen)
{
    const HDC hScreen = GetDC(nullptr);
    const int nScreenDpiX = GetDeviceCaps(hScreen, LOGPIXELSX);
    const int nScreenDpiY = GetDeviceCaps(hScreen, LOGPIXELSY);
    ReleaseDC(nullptr, hScreen);

    CLVKDpiScaling* pScaling = CLVKDpiScaling::GetGlobal();
    EXPECT_EQ(pScaling, CLVKDpiScaling::GetGlobal());
    EXPECT_EQ(nScreenDpiX, pScaling->GetDpiX());
    EXPECT_EQ(nScreenDpiY, pScaling->GetDpiY());
    EXPECT_EQ(MulDiv(440, nScreenDpiX, 96), pScaling->ScaleX(440, nScreenDpiX - 1));
    EXPECT_EQ(pScaling->SelectForDpi(1, 2, 3, 4), CLVKDpiScaling::SelectByDpi(1, 2, 3, 4));
}

TEST(DpiScaling, MonitorScaleFactorsOfAnUnvirtualisedWindowAreOne)
{
    const HWND hWnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, hWnd);
    double dScaleX = 0;
    double dScaleY = 0;
    EXPECT_TRUE(CLVKDpiScaling::GetMonitorScaleFactors(hWnd, dScaleX, dScaleY));
    EXPECT_DOUBLE_EQ(1.0, dScaleX);
    EXPECT_DOUBLE_EQ(1.0, dScaleY);
    EXPECT_FALSE(CLVKDpiScaling::IsPerMonitorDpiAware());
    DestroyWindow(hWnd);

    EXPECT_FALSE(CLVKDpiScaling::GetMonitorScaleFactors(nullptr, dScaleX, dScaleY)) << "no window, no monitor";
}

}  // namespace
