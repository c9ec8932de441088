#include "ReportPaintManager.h"

#include "ReportColumn.h"
#include "ReportColumns.h"
#include "ReportControl.h"
#include "ReportGroupRow.h"
#include "ReportHeader.h"
#include "ReportHyperlink.h"
#include "ReportInplaceButton.h"
#include "ReportRecord.h"
#include "ReportRecordItem.h"
#include "ReportRecordItemControl.h"
#include "ReportRecords.h"
#include "ReportRow.h"
#include "ReportRows.h"
#include "ReportSection.h"
#include "ReportSelectedRows.h"
#include "ReportThemeClassicSupport.h"
#include "Foundation/PenDC.h"
#include "Foundation/FontDC.h"
#include "Foundation/DCSaveState.h"
#include "Foundation/BitmapDC.h"
#include "Foundation/ColorManager.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/ImageManager.h"
#include "Foundation/ImageManagerIcon.h"
#include "Foundation/ResourceManager.h"

#include <shellapi.h>
#include <vssym32.h>

#include <map>
#include <vector>

#include "ReportPaintManagerPrivate.h"


CLVKReportPaintManager::CLVKReportPaintManager()
{
    m_strNoItems = LoadText(9557);
    m_strNoGroupBy = LoadText(9556);
    m_strNoFieldsAvailable = LoadText(9558);
    m_strSortBy = LoadText(9559);
    if (!m_strSortBy.IsEmpty())
        m_strSortBy += L" ";
    m_strIncreasing = LoadText(9564);
    m_strDecreasing = LoadText(9565);
    m_strExpand = LoadText(9566);
    m_strCollapse = LoadText(9567);
    m_nTreeIndent = LVKScaleX(20);
    // Horizontal lines solid, one pixel at the bottom; no vertical lines.
    m_gridBorder.GetBorderThickness()->Set(0, 0, 0, LVKScaleY(1));
    m_gridBorder.GetEdge(3)->SetLineStyle(4);
    LOGFONTW lf{};
    CLVKDrawHelpers::GetIconTitleLogFont(&lf);
    SetTextFont(lf);
    SetCaptionFont(lf);
    CLVKReportPaintManager::LoadGlyphs();
    CLVKReportPaintManager::RefreshMetrics();
}

CLVKReportPaintManager::~CLVKReportPaintManager()
{
    if (m_hGlyphStrip)
        DeleteObject(m_hGlyphStrip);
    ReleaseCachedBrushes();
}

void CLVKReportPaintManager::ReleaseCachedBrushes()
{
    for (HBRUSH* phBrush : {&m_hBrushVertical, &m_hBrushHorizontal, &m_hBrushTreeStructure, &m_hBrushGroupLine})
    {
        if (*phBrush)
            DeleteObject(*phBrush);
        *phBrush = nullptr;
    }
    m_nBrushVerticalStyle = -1;
    m_nBrushHorizontalStyle = -1;
}

void CLVKReportPaintManager::LoadGlyphs()
{
    LoadGlyphStrip(9550);
}

void CLVKReportPaintManager::LoadGlyphStrip(UINT nFirstId)
{
    if (m_hGlyphStrip)
    {
        DeleteObject(m_hGlyphStrip);
        m_hGlyphStrip = nullptr;
    }
    const UINT nId = nFirstId + CLVKDpiScaling::SelectByDpi(0, 1, 2, 3);
    HINSTANCE hInstances[2] = {AfxGetResourceHandle(), GetModuleHandleW(nullptr)};
    for (HINSTANCE hInstance : hInstances)
    {
        if (!hInstance)
            continue;
        m_hGlyphStrip =
            static_cast<HBITMAP>(LoadImageW(hInstance, MAKEINTRESOURCEW(nId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        if (m_hGlyphStrip)
            break;
    }
    m_nGlyphCell = 0;
    if (m_hGlyphStrip)
    {
        BITMAP bm{};
        GetObjectW(m_hGlyphStrip, sizeof(bm), &bm);
        m_nGlyphCell = bm.bmHeight;
    }
}

void CLVKReportPaintManager::SetTextFont(const LOGFONTW& lf)
{
    m_fontText.DeleteObject();
    m_fontBoldText.DeleteObject();
    m_fontText.CreateFontIndirect(&lf);
    LOGFONTW lfBold = lf;
    lfBold.lfWeight = FW_BOLD;
    m_fontBoldText.CreateFontIndirect(&lfBold);
    m_nRowHeight = std::max(LVKScaleY(m_nMinRowHeight), SpaceHeight(&m_fontText) + LVKScaleY(4));
}

void CLVKReportPaintManager::SetCaptionFont(const LOGFONTW& lf)
{
    m_fontCaption.DeleteObject();
    m_fontCaption.CreateFontIndirect(&lf);
    m_nHeaderHeight = std::max(LVKScaleY(22), SpaceHeight(&m_fontCaption) + LVKScaleY(8));
    m_nFooterHeight = m_nHeaderHeight;
}

void CLVKReportPaintManager::RefreshMetrics()
{
    m_styleHyperlink.SetColor(RGB(0, 0, 255));
    m_styleHyperlink.SetTextDecoration(0);
    m_styleHyperlinkHover.SetColor(RGB(0, 0, 255));
    m_styleHyperlinkHover.SetTextDecoration(1);

    RecomputeToolkitColors(FALSE);
    m_clrBtnFace.SetStandardValue(GetToolkitColor(COLOR_BTNFACE));
    m_clrBtnText.SetStandardValue(GetToolkitColor(COLOR_BTNTEXT));
    m_clrControlDark.SetStandardValue(GetToolkitColor(COLOR_BTNSHADOW));
    m_clrHighlight.SetStandardValue(GetToolkitColor(COLOR_HIGHLIGHT));
    m_clrHighlightText.SetStandardValue(GetToolkitColor(COLOR_HIGHLIGHTTEXT));
    m_clrWindowText.SetStandardValue(GetToolkitColor(COLOR_WINDOWTEXT));
    m_clrControlLightLight.SetStandardValue(GetToolkitColor(COLOR_BTNHIGHLIGHT));
    m_clrControlBack.SetStandardValue(GetToolkitColor(COLOR_WINDOW));

    m_clrConnector.SetStandardValue(m_clrWindowText);
    m_clrBtnFacePressed.SetStandardValue(m_clrBtnFace);
    m_clrIndentControl.SetStandardValue(m_clrBtnFace);
    m_clrCaptionText.SetStandardValue(m_clrBtnText);
    m_clrCaptionTextPressed.SetStandardValue(m_clrBtnText);
    SetBorderColor(m_clrControlDark);
    m_clrHeaderControl.SetStandardValue(m_clrBtnFace);
    m_clrGroupShadeBorder.SetStandardValue(m_clrControlDark);
    m_clrGroupShadeBack.SetStandardValue(m_clrBtnFace);
    m_clrGroupShadeText.SetStandardValue(m_clrBtnText);
    m_clrGroupRowText.SetStandardValue(m_clrControlDark);
    m_clrGroupBoxBack.SetStandardValue(m_clrControlDark);
    m_clrSelectedRow.SetStandardValue(m_clrBtnFace);
    m_clrSelectedRowText.SetStandardValue(m_clrBtnText);
    m_clrItemShade.SetStandardValue(RGB(245, 245, 245));
    m_clrHotDivider.SetStandardValue(RGB(255, 0, 0));
    m_clrNoGroupByText.SetStandardValue(m_clrControlDark);
    m_clrGradientColumnSeparator.SetStandardValue(m_clrControlDark);
    m_clrColumnShadow.SetStandardValue(m_clrControlDark);
    m_grcColumnNormal.SetStandardColors(m_clrBtnFace, m_clrBtnFace);
    m_grcColumnHot.SetStandardColors(m_clrBtnFace, m_clrBtnFace);
    m_grcColumnPressed.SetStandardColors(m_clrControlDark, m_clrControlDark);

    m_themeHeader.OpenThemeData(nullptr, L"HEADER");
    m_themeButton.OpenThemeData(nullptr, L"BUTTON");
    m_themeCombo.OpenThemeData(nullptr, L"COMBOBOX");
    m_themeSpin.OpenThemeData(nullptr, L"SPIN");

    m_nGroupGridLineStyle = 4;
    ReleaseCachedBrushes();

    m_clrFreezeColsDivider.SetStandardValue(RGB(0, 0, 222));
    m_clrDisableBitmapLightest.SetStandardValue(RGB(250, 250, 250));
    m_clrDisableBitmapDarkest.SetStandardValue(RGB(128, 128, 128));

    LOGFONTW lf{};
    if (m_fontCaption.GetSafeHandle() && m_fontCaption.GetLogFont(&lf))
        SetCaptionFont(lf);
}

// Grid ----------------------------------------------------------------------------

COLORREF CLVKReportPaintManager::SetBorderColor(COLORREF clr)
{
    const COLORREF clrOld = m_gridBorder.GetBorderColor();
    m_gridBorder.SetBorderColor(clr);
    return clrOld;
}

void CLVKReportPaintManager::SetGridStyle(BOOL bVertical, int nStyle)
{
    CLVKReportThickness* pThickness = m_gridBorder.GetBorderThickness();
    if (bVertical)
    {
        pThickness->SetRight(nStyle != 0 ? LVKScaleX(1) : 0);
        m_gridBorder.GetEdge(2)->SetLineStyle(nStyle);
    }
    else
    {
        pThickness->SetBottom(nStyle != 0 ? LVKScaleY(1) : 0);
        m_gridBorder.GetEdge(3)->SetLineStyle(nStyle);
    }
}

int CLVKReportPaintManager::GetGridStyle(BOOL bVertical) const
{
    CLVKReportBorder& border = const_cast<CLVKReportBorder&>(m_gridBorder);
    return border.GetEdge(bVertical ? 2 : 3)->GetLineStyle();
}

COLORREF AFX_CDECL CLVKReportPaintManager::BlendColor(COLORREF clrA, COLORREF clrB, double dFactor)
{
    auto mix = [dFactor](int a, int b) { return static_cast<int>(a - (a - b) * dFactor); };
    return RGB(mix(GetRValue(clrA), GetRValue(clrB)), mix(GetGValue(clrA), GetGValue(clrB)),
               mix(GetBValue(clrA), GetBValue(clrB)));
}
