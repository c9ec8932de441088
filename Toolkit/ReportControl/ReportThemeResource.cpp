#include "ReportThemeResource.h"

#include "ReportControl.h"
#include "ReportRow.h"
#include "ReportThemeClassicSupport.h"
#include "ReportThemeOffice2003Luna.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/ResourceImage.h"
#include "Foundation/ResourceImages.h"

namespace
{
COLORREF ThemeColor(LPCWSTR lpszKey, COLORREF clrDefault)
{
    return GetResourceImageColor(L"ReportControl", lpszKey, clrDefault);
}

// The base colour's hue with another luminance (and saturation factor).
COLORREF FromBase(DWORD dwHls, int nLuminance, double dSaturation = 1.0)
{
    const int nHue = LOBYTE(LOWORD(dwHls));
    const int nSaturation = static_cast<int>(HIBYTE(HIWORD(dwHls)) * dSaturation);
    return CLVKDrawHelpers::HlsToRgb(static_cast<DWORD>(nHue) | (static_cast<DWORD>(nLuminance) << 8) |
                                     (static_cast<DWORD>(std::min(240, nSaturation)) << 16));
}
}  // namespace

CLVKReportThemeResource::CLVKReportThemeResource()
{
    m_nThemeKind = 4;
    CLVKReportThemeResource::RefreshMetrics();
}

void CLVKReportThemeResource::RefreshMetrics()
{
    CLVKReportPaintManager::RefreshMetrics();
    if (m_clrBase == static_cast<COLORREF>(-1))
    {
        const BOOL bLoaded = CLVKResourceImages::GetGlobal()->IsLoaded();
        auto color = [bLoaded](LPCWSTR lpszKey, COLORREF clrDefault)
        { return bLoaded ? ThemeColor(lpszKey, clrDefault) : clrDefault; };
        m_grcColumnNormal.SetStandardColors(color(L"NormalColumnLight", 0xFFFDFC),
                                            color(L"NormalColumnDark", 0xFFDDC4));
        m_grcColumnPressed.SetStandardColors(color(L"PressedColumnLight", 0xFFDDC4),
                                             color(L"PressedColumnDark", 0xFFFDFC));
        m_clrColumnShadow.SetStandardValue(color(L"ColumnShadow", 0xCF9365));
        m_clrGradientColumnSeparator.SetStandardValue(color(L"ColumnSeparator", 0xFFC69A));
        m_clrGroupBoxBack.SetStandardValue(color(L"GroupBoxBackground", 0xFFEFE3));
        m_clrNoGroupByText.SetStandardValue(color(L"GroupBoxTextColor", 0x2C4B32));
        m_clrGroupShadeBack.SetStandardValue(color(L"GroupShadeBackground", 0xFBDABE));
        m_clrGroupShadeBorder.SetStandardValue(color(L"GroupShadeBorder", 0xD99D6F));
        m_clrIndentControl.SetStandardValue(color(L"GroupShadeIndent", 0xC9EEFD));
        if (bLoaded)
        {
            m_clrHighlight.SetStandardValue(ThemeColor(L"SelectionBackground", m_clrHighlight.GetStandardColor()));
            m_nGroupGridLineStyle = GetResourceImageInt(L"ReportControl", L"GroupShadeBorderLineStyle", 4);
            m_clrHighlightText.SetStandardValue(0);
        }
    }
    else
    {
        const DWORD dwHls = CLVKDrawHelpers::RgbToHls(m_clrBase);
        m_grcColumnNormal.SetStandardColors(FromBase(dwHls, 239), FromBase(dwHls, 212));
        m_grcColumnPressed.SetStandardColors(FromBase(dwHls, 212), FromBase(dwHls, 239));
        m_clrColumnShadow.SetStandardValue(FromBase(dwHls, 145, 0.525));
        m_clrGradientColumnSeparator.SetStandardValue(FromBase(dwHls, 192));
        m_clrGroupBoxBack.SetStandardValue(FromBase(dwHls, 227));
        m_clrNoGroupByText.SetStandardValue(FromBase(dwHls, 79, 0.75));
        m_clrGroupShadeBack.SetStandardValue(FromBase(dwHls, 208, 0.88));
    }
    m_grcColumnHot.SetStandardFrom(m_grcColumnNormal);
    m_clrGroupRowText.SetStandardValue(m_clrNoGroupByText);
    m_clrConnector.SetStandardValue(m_clrGroupShadeBorder);
}

void CLVKReportThemeResource::FillFooter(CDC* pDC, RECT rc)
{
    LVKReportFillGradientFooter(this, pDC, rc, m_clrGroupBoxBack);
}

void CLVKReportThemeResource::DrawColumnBackground(CDC* pDC, CLVKReportColumn* pColumn, RECT rc, BOOL& bColumnPressed,
                                                   BOOL&, CLVKReportHeader* pHeader)
{
    LVKReportDrawGradientColumn(this, pDC, pColumn, rc, bColumnPressed, pHeader, FALSE);
}

void CLVKReportThemeResource::DrawColumnSeparator(CDC* pDC, CLVKReportColumn* pColumn, RECT rc)
{
    LVKReportDrawGradientSeparator(this, pDC, pColumn, rc);
}

void CLVKReportThemeResource::DrawColumnCaption(CDC* pDC, RECT rcText, const CString& strCaption,
                                                int nHeaderAlignment, BOOL /*bPlainButton*/, BOOL /*bTracked*/)
{
    const CaptionTextLayout layout{FALSE, LVKScaleY(1) + 1, LVKScaleX(2)};
    DrawCaptionText(pDC, rcText, strCaption, nHeaderAlignment, m_clrCaptionText, layout);
}

void CLVKReportThemeResource::DrawHeaderBorder(CDC* pDC, RECT rc)
{
    CLVKDrawHelpers::FillGradientRect(pDC, &rc, m_grcColumnNormal.GetFirst(), m_grcColumnNormal.GetSecond(), FALSE);
    HBRUSH hBrush = CreateSolidBrush(m_clrColumnShadow);
    FrameRect(pDC->m_hDC, &rc, hBrush);
    DeleteObject(hBrush);
}

// The theme image "ReportExpandButton" holds four stacked parts: expanded,
// expanded and hot, collapsed, collapsed and hot.
SIZE CLVKReportThemeResource::DrawExpandGlyph(CDC* pDC, CLVKReportRow* pRow, RECT& rcGlyph)
{
    CLVKResourceImage* pImage = CLVKResourceImages::GetGlobal()->IsLoaded()
                                    ? CLVKResourceImages::GetGlobal()->GetImage(L"ReportExpandButton")
                                    : nullptr;
    if (!pImage)
        return CLVKReportPaintManager::DrawExpandGlyph(pDC, pRow, rcGlyph);
    const BOOL bExpanded = !pRow || pRow->IsExpanded();
    const BOOL bHot = pRow && m_pControl && m_pControl->GetHotRow() == pRow;
    const int nPart = (bExpanded ? 0 : 2) + (bHot ? 1 : 0);
    const CRect rcSrc = pImage->GetPartRect(nPart, 4);
    const SIZE sz{rcSrc.Width(), rcSrc.Height()};
    if (pDC)
    {
        CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
        const int x = rcGlyph.left + pDpi->ScaleX(4);
        const int y = rcGlyph.top + (rcGlyph.bottom - rcGlyph.top - sz.cy) / 2;
        pImage->DrawStretched(pDC, CRect(x, y, x + sz.cx, y + sz.cy), rcSrc);
        rcGlyph.right = x + sz.cx;
    }
    return SIZE{sz.cx + 2, sz.cy + 2};
}
