#include "ReportThemeOffice2013.h"

#include "ReportColumn.h"
#include "ReportControl.h"
#include "ReportGroupRow.h"
#include "ReportRow.h"
#include "ReportThemeClassicSupport.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/ResourceImages.h"

namespace
{
int Sx(int n)
{
    return CLVKDpiScaling::GetGlobal()->ScaleX(n);
}
int Sy(int n)
{
    return CLVKDpiScaling::GetGlobal()->ScaleY(n);
}

COLORREF ThemeColor(LPCWSTR lpszKey, COLORREF clrDefault)
{
    return GetResourceImageColor(L"ReportControl", lpszKey, clrDefault);
}
}  // namespace

CLVKReportThemeOffice2013::CLVKReportThemeOffice2013()
{
    m_bUpperCaseCaptions = TRUE;
    CLVKReportThemeOffice2013::LoadGlyphs();
    CLVKReportThemeOffice2013::RefreshMetrics();
}

void CLVKReportThemeOffice2013::LoadGlyphs()
{
    LoadGlyphStrip(9568);
}

// Every colour from the loaded resource theme's "ReportControl" section;
// the defaults are written 0x00BBGGRR like COLORREF values.
void CLVKReportThemeOffice2013::RefreshMetrics()
{
    m_clrHyperlink = ThemeColor(L"HyperLink", 0x9A572B);
    m_clrHyperlinkHot = ThemeColor(L"HyperLinkHover", 0xE3BDA3);
    m_bHotHyperlinkUnderlined = FALSE;
    m_bDrawResizeTracker = FALSE;
    struct Entry
    {
        LPCWSTR key;
        CLVKPaintManagerColor* pColor;
        COLORREF clrDefault;
    };
    const Entry entries[] = {
        {L"BtnFace", &m_clrBtnFace, 0xE1E1E1},
        {L"BtnFacePressed", &m_clrBtnFacePressed, 0xF3F3F3},
        {L"BtnText", &m_clrBtnText, 0x444444},
        {L"ControlDark", &m_clrControlDark, 0xABABAB},
        {L"ControlLightLight", &m_clrControlLightLight, 0xFFFFFF},
        {L"Highlight", &m_clrHighlight, 0xF2E1D5},
        {L"HighlightText", &m_clrHighlightText, 0x444444},
        {L"BoldText", &m_clrBoldText, 0x9A572B},
        {L"BoldTextHighlight", &m_clrBoldTextHighlight, 0x9A572B},
        {L"GroupText", &m_clrGroupText, 0x444444},
        {L"GroupTextHilite", &m_clrGroupTextHilite, 0x444444},
        {L"GroupBack", &m_clrGroupBack, 0xF3F3F3},
        {L"GroupBackHilite", &m_clrGroupBackHilite, 0xF2E1D5},
        {L"SelectedRow", &m_clrSelectedRow, 0xE1E1E1},
        {L"SelectedRowText", &m_clrSelectedRowText, 0x444444},
        {L"ItemShade", &m_clrItemShade, 0xFFFFFF},
        {L"HotDivider", &m_clrHotDivider, 0x0000FF},
        {L"FreezeColsDivider", &m_clrFreezeColsDivider, 0x9A572B},
        {L"WindowText", &m_clrWindowText, 0x444444},
        {L"ControlBack", &m_clrControlBack, 0xFFFFFF},
        {L"Connector", &m_clrConnector, 0xABABAB},
        {L"IndentControl", &m_clrIndentControl, 0xFFFFFF},
        {L"CaptionText", &m_clrCaptionText, 0x444444},
        {L"CaptionTextPressed", &m_clrCaptionTextPressed, 0x444444},
        {L"HeaderControl", &m_clrHeaderControl, 0xFFFFFF},
        {L"GroupShadeBorder", &m_clrGroupShadeBorder, 0xABABAB},
        {L"GroupShadeBack", &m_clrGroupShadeBack, 0xFFFFFF},
        {L"GroupShadeText", &m_clrGroupShadeText, 0x444444},
        {L"GroupRowText", &m_clrGroupRowText, 0xABABAB},
        {L"GroupBoxBack", &m_clrGroupBoxBack, 0xFFFFFF},
        {L"NoGroupByText", &m_clrNoGroupByText, 0x444444},
        {L"GradientColumnSeparator", &m_clrGradientColumnSeparator, 0xABABAB},
        {L"Glyph", &m_clrGlyph, 0xABABAB},
        {L"GlyphHighlight", &m_clrGlyphHighlight, 0xABABAB},
    };
    for (const Entry& entry : entries)
        entry.pColor->SetStandardValue(ThemeColor(entry.key, entry.clrDefault));
    m_clrGlyphExpand.SetStandardValue(ThemeColor(L"GlyphExpand", m_clrControlBack));
    m_clrGlyphBorder.SetStandardValue(ThemeColor(L"GlyphBorder", m_clrConnector));
    m_clrGlyphContract.SetStandardValue(ThemeColor(L"GlyphContract", m_clrBtnText));
    m_clrDisableBitmapLightest.SetStandardValue(ThemeColor(L"DisableBitmapLightest", 0xFAFAFA));
    m_clrDisableBitmapDarkest.SetStandardValue(ThemeColor(L"DisableBitmapDarkest", 0x808080));
    m_clrGridLine.SetStandardValue(m_clrBtnFace);
    m_nGroupGridLineStyle = 4;
    LOGFONTW lf{};
    if (m_fontCaption.GetLogFont(&lf))
        SetCaptionFont(lf);
}

void CLVKReportThemeOffice2013::DrawItemBackground(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                                   LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    CLVKReportPaintManager::DrawItemBackground(pDrawArgs, pMetrics);
    const RECT& rc = pDrawArgs->rcItem;
    LVKReportLine(pDrawArgs->pDC->m_hDC, rc.left, rc.top - 1, rc.right, rc.top - 1, m_clrBtnFace);
    LVKReportLine(pDrawArgs->pDC->m_hDC, rc.left, rc.top, rc.right, rc.top, m_clrBtnFace);
}

void CLVKReportThemeOffice2013::FillGroupRowMetrics(CLVKReportGroupRow* pRow, LVK_REPORTRECORDITEM_METRICS* pMetrics,
                                                    BOOL bPrinting)
{
    pMetrics->pFont = m_bGroupRowTextBold ? &m_fontBoldText : &m_fontText;
    pMetrics->clrForeground = m_clrGroupText;
    pMetrics->clrBackground = m_clrGroupBack;
    CLVKReportControl* pControl = pRow->GetControl();
    if (bPrinting || !pControl)
        return;
    if (pRow->IsFocused() && pControl->HasFocus() && pControl->IsFocusFrameShown())
    {
        pMetrics->clrBackground = m_clrGroupBackHilite;
        pMetrics->clrForeground = m_clrGroupTextHilite;
    }
    else if (pRow->IsSelected() && !m_bHideSelection)
    {
        pMetrics->clrBackground = pControl->HasFocus() ? m_clrHighlight.GetColor() : m_clrSelectedRow.GetColor();
        pMetrics->clrForeground =
            pControl->HasFocus() ? m_clrHighlightText.GetColor() : m_clrSelectedRowText.GetColor();
    }
}

void CLVKReportThemeOffice2013::DrawGroupRow(CDC* pDC, CLVKReportGroupRow* pRow, RECT rcRow,
                                             LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    HDC hDC = pDC->m_hDC;
    LVKReportFillSolid(hDC, rcRow,
                       pMetrics->clrBackground != static_cast<COLORREF>(-1) ? pMetrics->clrBackground
                                                                            : m_clrGroupBack.GetColor());
    const int nIndent = pRow->GetTreeDepth() * m_nTreeIndent;
    RECT rcGlyph{rcRow.left + nIndent + Sx(4), rcRow.top, 0, rcRow.bottom};
    const SIZE szGlyph = DrawExpandGlyph(nullptr, rcGlyph, pRow->IsExpanded());
    rcGlyph.right = rcGlyph.left + szGlyph.cx;
    DrawExpandGlyph(pDC, rcGlyph, pRow->IsExpanded());
    RECT rcCollapse{rcGlyph.left, (rcRow.top + rcRow.bottom - szGlyph.cy) / 2, rcGlyph.right, 0};
    rcCollapse.bottom = rcCollapse.top + szGlyph.cy;
    pRow->SetCollapseRect(rcCollapse);

    RECT rcText{rcGlyph.right + Sx(m_nTreeTextIndentGroupRow), rcRow.top, rcRow.right, rcRow.bottom};
    HGDIOBJ hOld = SelectObject(hDC, pMetrics->pFont ? pMetrics->pFont->m_hObject : m_fontText.m_hObject);
    SetTextColor(hDC, pMetrics->clrForeground);
    SetBkMode(hDC, TRANSPARENT);
    CString strText = pMetrics->strText;
    if (m_bUpperCaseCaptions)
        strText.MakeUpper();
    DrawTextW(hDC, strText, strText.GetLength(), &rcText,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT);
    SelectObject(hDC, hOld);
    LVKReportLine(hDC, rcRow.left + nIndent, rcRow.bottom - 1, rcRow.right, rcRow.bottom - 1, m_clrGroupShadeBorder);
}

void CLVKReportThemeOffice2013::FillHeaderControl(CDC* pDC, RECT rcHeader)
{
    LVKReportFillSolid(pDC->m_hDC, rcHeader, m_clrHeaderControl);
    LVKReportLine(pDC->m_hDC, rcHeader.left, rcHeader.bottom - 1, rcHeader.right, rcHeader.bottom - 1,
                  m_clrControlDark);
}

void CLVKReportThemeOffice2013::DrawColumnBackground(CDC* pDC, CLVKReportColumn* pColumn, RECT rc, BOOL bPressed)
{
    HDC hDC = pDC->m_hDC;
    LVKReportFillSolid(hDC, rc, bPressed ? m_clrBtnFacePressed.GetColor() : m_clrHeaderControl.GetColor());
    LVKReportLine(hDC, rc.left, rc.bottom - 1, rc.right, rc.bottom - 1, m_clrControlDark);
    if (pColumn && pColumn->GetVisibleIndex() > 0)
        LVKReportLine(hDC, rc.left, rc.top + Sy(3), rc.left, rc.bottom - Sy(3), m_clrControlDark);
    if (pColumn && pColumn->GetControl() && pColumn->GetControl()->IsGroupByVisible())
        LVKReportLine(hDC, rc.left, rc.top, rc.right, rc.top, m_clrControlDark);
}

void CLVKReportThemeOffice2013::DrawColumn(CDC* pDC, CLVKReportColumn* pColumn, CLVKReportHeader* pHeader,
                                           RECT rcColumn, BOOL bPressed)
{
    const COLORREF clrCaption = m_clrCaptionText.GetStandardColor();
    if (bPressed)
        m_clrCaptionText.SetStandardValue(m_clrCaptionTextPressed);
    CLVKReportPaintManager::DrawColumn(pDC, pColumn, pHeader, rcColumn, bPressed);
    m_clrCaptionText.SetStandardValue(clrCaption);
}

void CLVKReportThemeOffice2013::DrawFocusedRow(CDC* pDC, RECT rcRow)
{
    HBRUSH hBrush = CreateSolidBrush(m_clrBtnFace);
    FrameRect(pDC->m_hDC, &rcRow, hBrush);
    DeleteObject(hBrush);
    const COLORREF clrOldText = SetTextColor(pDC->m_hDC, m_clrBtnFace);
    const COLORREF clrOldBack = SetBkColor(pDC->m_hDC, m_clrWindowText);
    DrawFocusRect(pDC->m_hDC, &rcRow);
    SetTextColor(pDC->m_hDC, clrOldText);
    SetBkColor(pDC->m_hDC, clrOldBack);
}

void CLVKReportThemeOffice2013::DrawSortArrow(CDC* pDC, RECT rcArrow, BOOL bAscending)
{
    if (rcArrow.right - rcArrow.left <= Sx(10) - 1 && rcArrow.right - rcArrow.left < 4)
        return;
    const int cx = (rcArrow.left + rcArrow.right) / 2;
    const int cy = (rcArrow.top + rcArrow.bottom) / 2;
    const int w = Sx(4);
    const int h = Sy(2);
    POINT p0, p1, p2;
    if (bAscending)
    {
        p0 = POINT{cx - w, cy + h};
        p1 = POINT{cx + w, cy + h};
        p2 = POINT{cx, cy - h};
    }
    else
    {
        p0 = POINT{cx - w, cy - h};
        p1 = POINT{cx + w, cy - h};
        p2 = POINT{cx, cy + h};
    }
    CLVKDrawHelpers::DrawTriangle(pDC, p0, p1, p2, m_clrGlyph, m_clrGlyph);
}

// The flat expand glyph: a small filled corner for an expanded row, an
// outlined triangle pointing right for a collapsed one.
SIZE CLVKReportThemeOffice2013::DrawExpandGlyph(CDC* pDC, RECT rcGlyph, BOOL bExpanded)
{
    const SIZE sz{Sx(15), Sy(15)};
    if (!pDC)
        return sz;
    const int x = rcGlyph.left + sz.cx / 2 - Sx(5) / 2;
    const int y = (rcGlyph.top + rcGlyph.bottom) / 2 - Sy(4);
    if (bExpanded)
        CLVKDrawHelpers::DrawTriangle(pDC, POINT{x, y + Sy(5)}, POINT{x + Sx(5), y + Sy(5)}, POINT{x + Sx(5), y},
                                      m_clrGlyphContract, m_clrGlyphContract);
    else
        CLVKDrawHelpers::DrawTriangle(pDC, POINT{x, y}, POINT{x, y + Sy(8)}, POINT{x + Sx(4), y + Sy(4)},
                                      m_clrGlyphBorder, m_clrGlyphExpand);
    return sz;
}
