// The small foundation helpers the controls name: the icon holder, colour
// contrast and fonts made from a template with some values replaced.
#include "Foundation/ColorManager.h"
#include "Foundation/FontOverrides.h"
#include "Foundation/IconHandle.h"

#include <gtest/gtest.h>

namespace
{
HICON MakeIcon()
{
    const BYTE andMask[4 * 32] = {};
    const BYTE xorMask[4 * 32] = {};
    return CreateIcon(GetModuleHandleW(nullptr), 32, 32, 1, 1, andMask, xorMask);
}

bool IsLiveIcon(HICON hIcon)
{
    ICONINFO info{};
    if (!GetIconInfo(hIcon, &info))
        return false;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}
}  // namespace

TEST(IconHandle, DestroysWhatItHolds)
{
    HICON hFirst = MakeIcon();
    HICON hSecond = MakeIcon();
    {
        CLVKIconHandle holder;
        EXPECT_EQ(nullptr, holder.GetIcon());
        holder.SetIcon(hFirst);
        holder.SetIcon(hSecond);
        EXPECT_FALSE(IsLiveIcon(hFirst)) << "replaced icons are destroyed";
        EXPECT_TRUE(IsLiveIcon(hSecond));
        holder.SetIcon(hSecond);
        EXPECT_TRUE(IsLiveIcon(hSecond)) << "setting the same icon again keeps it";
    }
    EXPECT_FALSE(IsLiveIcon(hSecond)) << "the holder's end destroys its icon";
}

TEST(ColorContrast, AreColorsTooCloseAnswersWhetherTheyContrast)
{
    const struct
    {
        const char* name;
        COLORREF first, second;
        BOOL adjust;
        BOOL expected;
    } cases[] = {
        {"black on white", RGB(0, 0, 0), RGB(255, 255, 255), FALSE, TRUE},
        {"one colour twice", RGB(90, 90, 90), RGB(90, 90, 90), FALSE, FALSE},
        {"near greys", RGB(100, 100, 100), RGB(104, 104, 104), FALSE, FALSE},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, CLVKColorManager::AreColorsTooClose(c.first, c.second, c.adjust));
    }
    // Dark first colours need more distance when adjusted.
    const COLORREF dark = RGB(10, 10, 10);
    const double d = CLVKColorManager::ColorDistance(dark, RGB(60, 60, 60));
    EXPECT_TRUE(CLVKColorManager::AreColorsTooClose(dark, RGB(60, 60, 60), FALSE, d - 1));
    EXPECT_FALSE(CLVKColorManager::AreColorsTooClose(dark, RGB(60, 60, 60), TRUE, d - 1));
}

TEST(FontOverrides, ReplacesOnlyTheGivenValues)
{
    LOGFONTW lf{};
    lf.lfHeight = -13;
    lf.lfWeight = FW_NORMAL;
    lstrcpyW(lf.lfFaceName, L"Tahoma");
    CLVKFont font;
    ASSERT_TRUE(CreateFontWithOverrides(lf, font, FW_BOLD, 1));
    LOGFONTW made{};
    font.GetLogFont(&made);
    EXPECT_EQ(FW_BOLD, made.lfWeight);
    EXPECT_EQ(1, made.lfUnderline);
    EXPECT_EQ(-13, made.lfHeight);
    EXPECT_EQ(0, made.lfEscapement);
}
