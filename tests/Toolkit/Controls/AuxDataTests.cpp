// The shared control resources: cursors loaded one by one, so a missing one
// leaves only itself empty, the fonts derived from the menu font, and the
// controls' own resources.
#include "Framework.h"

#include "Controls/AuxData.h"
#include "Foundation/NcMetricsInfo.h"
#include "Foundation/ResourceManager.h"

#include <gtest/gtest.h>

namespace
{

// A resource manager without the drag-none cursor (9310), the first one
// loaded.
class ManagerWithoutDragNone : public CLVKResourceManager
{
public:
    HCURSOR LoadCursor(UINT nIDResource) override
    {
        return nIDResource == 9310 ? nullptr : CLVKResourceManager::LoadCursor(nIDResource);
    }
};

TEST(AuxData, EveryToolkitCursorLoadsFromTheResources)
{
    CLVKAuxData data;
    EXPECT_TRUE(data.LoadCursors());
    for (HCURSOR hCursor : {data.hcurDragCopy, data.hcurDragMove, data.hcurDragNone, data.hcurHand, data.hcurVSplitBar,
                            data.hcurHSplitBar, data.hcurMove})
        EXPECT_NE(nullptr, hCursor);
}

TEST(AuxData, AMissingCursorLeavesOnlyItselfEmpty)
{
    ASSERT_TRUE(CLVKResourceManager::ReplaceGlobalManager(new ManagerWithoutDragNone));
    CLVKAuxData data;
    const BOOL bAll = data.LoadCursors();
    CLVKResourceManager::ReplaceGlobalManager(CreatePlainResourceManager());

    EXPECT_FALSE(bAll);
    EXPECT_EQ(nullptr, data.hcurDragNone);
    EXPECT_NE(nullptr, data.hcurHand);
    EXPECT_NE(nullptr, data.hcurMove);
    EXPECT_NE(nullptr, data.hcurDragCopy);
    EXPECT_NE(nullptr, data.hcurHSplitBar);
}

LOGFONTW LogFontOf(const CLVKFont& font)
{
    LOGFONTW lf{};
    ::GetObjectW(font.GetHandle(), sizeof(lf), &lf);
    return lf;
}

TEST(AuxData, FontsDeriveFromTheMenuFont)
{
    CLVKAuxData data;
    ASSERT_TRUE(data.UpdateFonts());
    const CLVKNcMetricsInfo metrics;
    EXPECT_EQ(0, _wcsicmp(metrics.lfMenuFont.lfFaceName, LogFontOf(data.RegularFont).lfFaceName));
    EXPECT_EQ(metrics.lfMenuFont.lfHeight, LogFontOf(data.RegularFont).lfHeight);
    EXPECT_EQ(FW_BOLD, LogFontOf(data.BoldFont).lfWeight);
    EXPECT_TRUE(LogFontOf(data.UnderlineFont).lfUnderline);
    EXPECT_EQ(900, LogFontOf(data.VerticalFont).lfOrientation);
    EXPECT_EQ(2700, LogFontOf(data.VerticalFont).lfEscapement);
    EXPECT_EQ(FW_BOLD, LogFontOf(data.VerticalBoldFont).lfWeight);
    if (_wcsicmp(metrics.lfMenuFont.lfFaceName, L"Tahoma") != 0 && CLVKAuxData::FontExists(L"Arial"))
        EXPECT_EQ(0, _wcsicmp(L"Arial", LogFontOf(data.VerticalFont).lfFaceName));
    EXPECT_EQ(0, _wcsicmp(L"Marlett", LogFontOf(data.MarlettFont).lfFaceName));
    EXPECT_EQ(0, _wcsicmp(metrics.lfStatusFont.lfFaceName, LogFontOf(data.StatusFont).lfFaceName));
}

TEST(AuxData, AGivenInstalledFaceReplacesTheMenuFace)
{
    CLVKAuxData data;
    const CLVKNcMetricsInfo metrics;
    LPCWSTR lpszFace = nullptr;
    for (LPCWSTR lpszCandidate : {L"Tahoma", L"Arial", L"Courier New", L"Times New Roman", L"Symbol", L"Marlett"})
    {
        if (_wcsicmp(lpszCandidate, metrics.lfMenuFont.lfFaceName) != 0 && CLVKAuxData::FontExists(lpszCandidate))
        {
            lpszFace = lpszCandidate;
            break;
        }
    }
    if (!lpszFace)
        GTEST_SKIP() << "no second font face is installed";
    ASSERT_TRUE(data.UpdateFonts(lpszFace, nullptr));
    EXPECT_EQ(0, _wcsicmp(lpszFace, LogFontOf(data.RegularFont).lfFaceName));
    EXPECT_EQ(0, _wcsicmp(lpszFace, LogFontOf(data.SmallCaptionFont).lfFaceName));
    ASSERT_TRUE(data.UpdateFonts(L"No Such Face Anywhere", nullptr));
    EXPECT_EQ(0, _wcsicmp(metrics.lfMenuFont.lfFaceName, LogFontOf(data.RegularFont).lfFaceName))
        << "not installed: ignored";
}

TEST(AuxData, TheProcessWideRecordIsMadeOnce)
{
    CLVKAuxData& first = LVKAuxData();
    EXPECT_EQ(&first, &LVKAuxData());
    EXPECT_NE(nullptr, first.RegularFont.GetHandle());
    EXPECT_NE(-1, first.nComCtlVersion);
}

TEST(ControlResources, StringsMenuAndToolBarAreThere)
{
    CString strText;
    ASSERT_TRUE(CLVKResourceManager::GetGlobal()->LoadString(&strText, 9362));
    EXPECT_EQ(CString(L"The .exe file is invalid (non-Win32\x00AE .exe or error in .exe image)."), strText);
    ASSERT_TRUE(CLVKResourceManager::GetGlobal()->LoadString(&strText, 9345));
    EXPECT_EQ(CString(L"All Files (*.*)|*.*||"), strText);

    CMenu menu;
    ASSERT_TRUE(CLVKResourceManager::GetGlobal()->LoadMenu(&menu, 9317));
    CString strTitle;
    menu.GetMenuString(1, strTitle, MF_BYPOSITION);
    EXPECT_EQ(CString(L"RClickHexEdit"), strTitle);
    CMenu* pPopup = menu.GetSubMenu(1);
    ASSERT_NE(nullptr, pPopup);
    EXPECT_EQ(8, pPopup->GetMenuItemCount());
    EXPECT_NE(nullptr, ::FindResourceW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(9309), MAKEINTRESOURCEW(241)))
        << "the tool bar of the menu's images";
    EXPECT_NE(nullptr, CLVKResourceManager::GetGlobal()->LoadIconById(9458, 16, 16));
}

}  // namespace
