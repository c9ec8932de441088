// The report themes: the theme numbers, the VS2015 theme's colours from a
// resource theme or its defaults, and pixels of rows, header and group rows
// in the default and VS2015 light and dark looks.
#include "Foundation/DpiScaling.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/ResourceImages.h"
#include "ReportControl/ReportPaintManager.h"
#include "ReportControl/ReportThemeOffice2013.h"
#include "ReportControl/ReportThemeVisualStudio2015.h"
#include "ReportControl/ReportThemes.h"
#include "ReportTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

namespace
{

void FillGrouped(ReportWindow& w)
{
    w.AddColumns(2);
    w.report.AddRecord(MakeRecord({L"alpha", L"green"}));
    w.report.AddRecord(MakeRecord({L"beta", L"green"}));
    w.report.AddRecord(MakeRecord({L"gamma", L"green"}));
    w.report.GetColumns()->GetGroupsOrder()->Add(w.report.GetColumns()->GetAt(1));
    w.report.Populate();
}

TEST(ReportThemes, EveryThemeNumberMakesItsClass)
{
    struct Case
    {
        int nTheme;
        const char* className;
    } cases[] = {
        {1, "CLVKReportThemeOfficeXP"},
        {2, "CLVKReportThemeOffice2003"},
        {3, "CLVKReportThemeOffice2003Luna"},
        {4, "CLVKReportThemeOffice2013"},
        {5, "CLVKReportThemeVisualStudio2012Light"},
        {6, "CLVKReportThemeVisualStudio2012Dark"},
        {7, "CLVKReportThemeVisualStudio2012Blue"},
        {8, "CLVKReportThemeVisualStudio2015"},
        {9, "CLVKReportThemeExplorer"},
        {10, "CLVKReportThemeResource"},
        {0, "CLVKReportThemeDefault"},
        {11, "CLVKReportThemeDefault"},
    };
    for (const Case& c : cases)
    {
        CLVKReportPaintManager* pPaint = LVKCreateReportTheme(c.nTheme);
        const std::string name = typeid(*pPaint).name();
        EXPECT_NE(std::string::npos, name.find(c.className)) << c.nTheme << " made " << name;
        ReportWindow w;
        w.report.SetPaintManager(pPaint);
        FillGrouped(w);
        w.report.UpdateWindow();
        EXPECT_EQ(pPaint, w.report.GetPaintManager());
    }
}

TEST(ReportThemes, ThemeNumbersMakeTheirPaintManagers)
{
    CLVKReportPaintManager* pVS2015 = LVKCreateReportTheme(kReportThemeVisualStudio2015);
    EXPECT_NE(nullptr, dynamic_cast<CLVKReportThemeVisualStudio2015*>(pVS2015));
    pVS2015->InternalRelease();
    CLVKReportPaintManager* pOffice = LVKCreateReportTheme(kReportThemeOffice2013);
    EXPECT_NE(nullptr, dynamic_cast<CLVKReportThemeOffice2013*>(pOffice));
    EXPECT_TRUE(pOffice->m_bUpperCaseCaptions);
    pOffice->InternalRelease();
    CLVKReportPaintManager* pOther = LVKCreateReportTheme(42);
    EXPECT_EQ(nullptr, dynamic_cast<CLVKReportThemeOffice2013*>(pOther)) << "unknown numbers: the default";
    pOther->InternalRelease();
}

TEST(ReportThemes, GlyphStripsComeFromTheResources)
{
    CLVKReportPaintManager* pPaint = LVKCreateReportTheme(1);
    EXPECT_TRUE(pPaint->HasGlyphStrip());
    RECT rc{};
    const SIZE sz = pPaint->DrawGlyph(nullptr, rc, 0);
    EXPECT_EQ(CLVKDpiScaling::SelectByDpi(12, 15, 18, 24) + CLVKDpiScaling::GetGlobal()->ScaleX(1), sz.cx)
        << "the strip's cell and one pixel";
    pPaint->InternalRelease();
    CLVKReportPaintManager* pFlat = LVKCreateReportTheme(kReportThemeVisualStudio2015);
    EXPECT_TRUE(pFlat->HasGlyphStrip());
    pFlat->InternalRelease();
}

TEST(ReportThemes, VisualStudio2015DefaultsWithoutAResourceTheme)
{
    ScopedResourceTheme noTheme(nullptr);
    auto* pTheme = new CLVKReportThemeVisualStudio2015();
    pTheme->RefreshMetrics();
    EXPECT_EQ(RGB(77, 96, 130), pTheme->m_clrHeaderControl.GetColor());
    EXPECT_EQ(RGB(255, 255, 255), pTheme->m_clrCaptionText.GetColor());
    EXPECT_EQ(RGB(255, 255, 255), pTheme->GetGridColor()) << "grid lines take BtnFace";
    EXPECT_EQ(0, pTheme->GetHyperlinkHoverStyle()->GetTextDecoration()) << "the hot link is not underlined";
    pTheme->InternalRelease();
}

TEST(ReportThemes, VisualStudio2015TakesTheResourceThemesColours)
{
    ScopedResourceTheme dark(L"VISUALSTUDIO2015DARKW10_INI");
    ASSERT_TRUE(dark.IsLoaded());
    auto* pTheme = new CLVKReportThemeVisualStudio2015();
    pTheme->RefreshMetrics();
    EXPECT_EQ(RGB(37, 37, 38), pTheme->m_clrControlBack.GetColor());
    EXPECT_EQ(RGB(45, 45, 48), pTheme->m_clrHeaderControl.GetColor());
    EXPECT_EQ(RGB(241, 241, 241), pTheme->m_clrCaptionText.GetColor());
    EXPECT_EQ(RGB(63, 63, 70), pTheme->m_clrSelectedRow.GetColor());
    EXPECT_EQ(RGB(241, 241, 241), pTheme->m_clrSelectedRowText.GetColor());
    EXPECT_EQ(RGB(51, 153, 255), pTheme->GetHyperlinkStyle()->GetColor());
    EXPECT_EQ(RGB(153, 153, 153), pTheme->m_clrGlyphBorder.GetColor());
    pTheme->InternalRelease();

    ScopedResourceTheme light(L"VISUALSTUDIO2015LIGHTW10_INI");
    ASSERT_TRUE(light.IsLoaded());
    pTheme = new CLVKReportThemeVisualStudio2015();
    pTheme->RefreshMetrics();
    EXPECT_EQ(RGB(239, 239, 242), pTheme->m_clrHeaderControl.GetColor());
    EXPECT_EQ(RGB(30, 30, 30), pTheme->m_clrCaptionText.GetColor());
    EXPECT_EQ(RGB(246, 246, 246), pTheme->GetGridColor()) << "grid lines take BtnFace";
    pTheme->InternalRelease();
}

TEST(ReportPixels, VisualStudio2015LightAndDark)
{
    struct Case
    {
        const char* name;
        LPCWSTR theme;
        COLORREF back;
        COLORREF header;
        COLORREF selected;
        COLORREF group;
    } cases[] = {
        {"defaults", nullptr, RGB(255, 255, 255), RGB(77, 96, 130), RGB(239, 239, 242), RGB(239, 239, 242)},
        {"light", L"VISUALSTUDIO2015LIGHTW10_INI", RGB(255, 255, 255), RGB(239, 239, 242), RGB(204, 206, 219),
         RGB(246, 246, 246)},
        {"dark", L"VISUALSTUDIO2015DARKW10_INI", RGB(37, 37, 38), RGB(45, 45, 48), RGB(63, 63, 70), RGB(45, 45, 48)},
    };
    for (const Case& c : cases)
    {
        ScopedResourceTheme theme(c.theme);
        ReportWindow w;
        w.report.SetTheme(kReportThemeVisualStudio2015);
        FillGrouped(w);
        CLVKReportPaintManager* pPaint = w.report.GetPaintManager();
        const Picture pic = Capture(w.report);
        const int nHeader = pPaint->GetHeaderHeight(&w.report, nullptr);
        EXPECT_EQ(c.header, pic.At(60, nHeader / 2 - 4)) << c.name << ": header";
        CLVKReportRows* pRows = w.report.GetRows();
        const RECT rcGroup = pRows->GetAt(0)->GetRect();
        EXPECT_EQ(c.group, pic.At(150, rcGroup.top + 2)) << c.name << ": group row";
        const RECT rcSelected = pRows->GetAt(1)->GetRect();
        EXPECT_EQ(c.selected, pic.At(150, (rcSelected.top + rcSelected.bottom) / 2))
            << c.name << ": selected row of an unfocused control";
        const RECT rcPlain = pRows->GetAt(2)->GetRect();
        EXPECT_EQ(c.back, pic.At(150, rcPlain.top + 2)) << c.name << ": plain row";
        EXPECT_EQ(c.back, pic.At(150, pic.Height() - 3)) << c.name << ": empty area";
        EXPECT_GT(pic.Count(pPaint->m_clrWindowText), 10) << c.name << ": cell text";
    }
}

}  // namespace
