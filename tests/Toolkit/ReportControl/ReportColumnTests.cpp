// The column object: proportional widths, alignments, hiding and showing
// (also as a plus-minus block) and its persistence.
#include "ReportControl/ReportPaintManager.h"
#include "ReportTestSupport.h"
#include "Foundation/PropExchangeSection.h"
#include "Foundation/PropExchangeXMLNode.h"

#include <gtest/gtest.h>

namespace
{

TEST(ReportColumns, ProportionalWidthsAndFixedMinimum)
{
    ReportWindow w;
    auto* pFirst = w.report.AddColumn(new CLVKReportColumn(0, L"A", 100, TRUE));
    auto* pSecond = w.report.AddColumn(new CLVKReportColumn(1, L"B", 300, TRUE));
    auto* pFixed = w.report.AddColumn(new CLVKReportColumn(2, L"C", 100, FALSE));
    EXPECT_EQ(100, pFirst->CalcAutoWidth(500));
    EXPECT_EQ(300, pSecond->CalcAutoWidth(500)) << "the last auto-size column takes the rest";
    EXPECT_EQ(100, pFixed->CalcAutoWidth(500));
    EXPECT_EQ(200, pFirst->CalcAutoWidth(900)) << "100 of 400 weights share 800";
    pFixed->SetVisible(FALSE);
    EXPECT_EQ(0, pFixed->CalcAutoWidth(500)) << "a hidden column takes nothing";

    // A fixed first column cannot shrink below its width.
    ReportWindow v;
    auto* pOnly = v.report.AddColumn(new CLVKReportColumn(0, L"A", 80, FALSE));
    EXPECT_EQ(pOnly->GetWidth(), pOnly->GetMinWidth());
}

TEST(ReportColumns, AlignmentsFollowTheSwitches)
{
    ReportWindow w;
    w.AddColumns(1);
    CLVKReportColumn* pColumn = w.report.GetColumns()->GetAt(0);
    CLVKReportPaintManager* pPaintManager = w.report.GetPaintManager();
    const struct
    {
        int nCell;
        BOOL bMirrored;
        BOOL bFollow;
        int nAlignment;
        int nHeader;
    } cases[] = {
        {DT_RIGHT, FALSE, FALSE, DT_RIGHT, DT_LEFT},    {DT_RIGHT, FALSE, TRUE, DT_RIGHT, DT_RIGHT},
        {DT_LEFT, TRUE, FALSE, DT_RIGHT, DT_RIGHT},     {DT_RIGHT, TRUE, FALSE, DT_LEFT, DT_RIGHT},
        {DT_CENTER, TRUE, TRUE, DT_CENTER | DT_RIGHT, DT_CENTER | DT_RIGHT},
    };
    for (const auto& c : cases)
    {
        pColumn->SetAlignment(c.nCell);
        pPaintManager->m_bMirrored = c.bMirrored;
        pPaintManager->m_bUseColumnTextAlignment = c.bFollow;
        EXPECT_EQ(c.nAlignment, pColumn->GetAlignment()) << c.nCell << c.bMirrored << c.bFollow;
        EXPECT_EQ(c.nHeader, pColumn->GetHeaderAlignment()) << c.nCell << c.bMirrored << c.bFollow;
        EXPECT_EQ(c.nHeader, pColumn->GetFooterAlignment()) << c.nCell << c.bMirrored << c.bFollow;
    }
    pColumn->SetHeaderAlignment(DT_CENTER);
    EXPECT_EQ(DT_CENTER, pColumn->GetHeaderAlignment()) << "an own header alignment is kept";
    pPaintManager->m_bMirrored = FALSE;
}

std::vector<BOOL> Visibility(CLVKReportColumns* pColumns)
{
    std::vector<BOOL> out;
    for (int i = 0; i < pColumns->GetCount(); i++)
        out.push_back(pColumns->GetAt(i)->IsVisible());
    return out;
}

TEST(ReportColumns, HiddenColumnsRememberTheirPlaceAndBlocksComeBack)
{
    ReportWindow w;
    w.AddColumns(6, 50);
    CLVKReportColumns* pColumns = w.report.GetColumns();
    CLVKReportColumn* pThird = pColumns->GetAt(2);
    pThird->SetVisible(FALSE);
    EXPECT_EQ(2, pThird->GetOldVisibleIndex());
    pColumns->GetAt(0)->SetVisible(FALSE);
    pThird->SetVisible(TRUE);
    EXPECT_EQ(2, pThird->GetOldVisibleIndex()) << "kept until the next hide";
    pColumns->GetAt(0)->SetVisible(TRUE);

    // Block of two after visible index 1.
    CLVKReportColumn* pPlus = pColumns->GetAt(1);
    pPlus->SetPlusMinus(TRUE);
    pPlus->SetNextVisualBlock(2);
    pPlus->SetBlockHidden(TRUE);
    EXPECT_TRUE(pPlus->IsBlockHidden());
    EXPECT_EQ((std::vector<BOOL>{TRUE, TRUE, FALSE, FALSE, TRUE, TRUE}), Visibility(pColumns));
    pPlus->SetBlockHidden(FALSE);
    EXPECT_EQ((std::vector<BOOL>(6, TRUE)), Visibility(pColumns));

    // Blocks before the column, of one to three columns.
    for (int nBlock = 1; nBlock <= 3; nBlock++)
    {
        CLVKReportColumn* pLast = pColumns->GetAt(4);
        pLast->SetNextVisualBlock(-nBlock);
        pLast->SetBlockHidden(TRUE);
        int nHidden = 0;
        for (BOOL b : Visibility(pColumns))
            nHidden += b ? 0 : 1;
        EXPECT_EQ(nBlock, nHidden) << nBlock;
        EXPECT_FALSE(pColumns->GetAt(4 - nBlock)->IsVisible()) << nBlock;
        pLast->SetBlockHidden(FALSE);
        EXPECT_EQ((std::vector<BOOL>(6, TRUE)), Visibility(pColumns)) << nBlock;
    }
}

TEST(ReportColumns, StateRoundTripsAndOlderSchemasLeaveNewerKeys)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        CLVKReportColumn column(0, L"A", 120);
        column.SetAlignment(DT_RIGHT);
        column.SetHeaderAlignment(DT_CENTER);
        column.SetFooterAlignment(DT_RIGHT);
        column.SetSortIncreasing(FALSE);
        column.SetPlusMinus(TRUE);
        column.SetNextVisualBlock(-2);
        CString strXml;
        {
            auto* px = new CLVKPropExchangeXMLNode(FALSE, nullptr, L"Column");
            CLVKPropExchangeSection section(px);
            column.DoPropExchange(px);
            ASSERT_TRUE(px->GetDocumentXml(strXml));
        }
        auto load = [&](CLVKReportColumn& target, UINT nSchema)
        {
            auto* px = new CLVKPropExchangeXMLNode(TRUE, nullptr, L"Column");
            CLVKPropExchangeSection section(px);
            ASSERT_TRUE(px->LoadFromText(strXml));
            px->SetSchema(nSchema);
            target.DoPropExchange(px);
        };
        CLVKReportColumn loaded(0, L"A", 10);
        load(loaded, CLVKPropExchange::kCurrentSchema);
        EXPECT_EQ(120, loaded.GetWidth());
        EXPECT_EQ(DT_RIGHT, loaded.GetAlignment());
        EXPECT_EQ(DT_CENTER, loaded.GetHeaderAlignment());
        EXPECT_EQ(DT_RIGHT, loaded.GetFooterAlignment());
        EXPECT_FALSE(loaded.IsSortedIncreasing());
        EXPECT_TRUE(loaded.IsPlusMinus());
        EXPECT_EQ(-2, loaded.GetNextVisualBlock());

        CLVKReportColumn older(0, L"A", 10);
        older.SetHeaderAlignment(DT_RIGHT);
        load(older, 21);
        EXPECT_EQ(120, older.GetWidth());
        EXPECT_EQ(DT_RIGHT, older.GetHeaderAlignment()) << "schema 21 has no header alignment";
        EXPECT_FALSE(older.IsPlusMinus());
        EXPECT_EQ(0, older.GetNextVisualBlock());
    }
    CoUninitialize();
}

}  // namespace
