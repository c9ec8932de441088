#include "ReportThemeOffice2013.h"

#include "ReportColumn.h"
#include "ReportControl.h"
#include "ReportGroupRow.h"
#include "ReportHeader.h"
#include "ReportRow.h"
#include "ReportThemeClassicSupport.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/ResourceImages.h"

namespace
{
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

BOOL CLVKReportThemeOffice2013::IsThemeMetrics() const
{
    return m_pControl && m_pControl->IsThemeMetrics();
}

void CLVKReportThemeOffice2013::FinishFlatMetrics()
{
    SetBorderColor(m_clrBtnFace);
    m_nGroupGridLineStyle = 4;
    ReleaseCachedBrushes();
    LOGFONTW lf{};
    if (m_fontCaption.GetSafeHandle() && m_fontCaption.GetLogFont(&lf))
        SetCaptionFont(lf);
}

// Every colour from the loaded resource theme's "ReportControl" section;
// the defaults are written 0x00BBGGRR like COLORREF values.
void CLVKReportThemeOffice2013::RefreshMetrics()
{
    m_styleHyperlink.SetColor(ThemeColor(L"HyperLink", 0x9A572B));
    m_styleHyperlink.SetTextDecoration(0);
    m_styleHyperlinkHover.SetColor(ThemeColor(L"HyperLinkHover", 0xE3BDA3));
    m_styleHyperlinkHover.SetTextDecoration(0);
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
    m_nItemTextMarginLeft = m_nItemTextMarginRight;
    FinishFlatMetrics();
}

int CLVKReportThemeOffice2013::GetFixedRowHeight(CDC* pDC, CLVKReportRow* pRow)
{
    if (!IsThemeMetrics())
        return CLVKReportPaintManager::GetFixedRowHeight(pDC, pRow);
    if (pRow && pRow->IsGroupRow())
        return m_nRowHeight + LVKScaleY(6);
    return m_nRowHeight + (m_bExtraRowPixel ? LVKScaleY(1) : 0);
}

RECT CLVKReportThemeOffice2013::GetTreeGlyphRect(RECT rcRow, int dx)
{
    if (!IsThemeMetrics())
        return CLVKReportPaintManager::GetTreeGlyphRect(rcRow, dx);
    OffsetRect(&rcRow, dx, 0);
    return rcRow;
}

RECT CLVKReportThemeOffice2013::GetTreeTextPosition(RECT rcGlyph, RECT rcRow, int nGlyphWidth, int nExtraOffset,
                                                    int nIconSpace)
{
    if (!IsThemeMetrics())
        return CLVKReportPaintManager::GetTreeTextPosition(rcGlyph, rcRow, nGlyphWidth, nExtraOffset, nIconSpace);
    return RECT{rcRow.left + m_nTreeIndent + nGlyphWidth + nExtraOffset + nIconSpace, rcRow.top, rcRow.right,
                rcRow.bottom};
}

void CLVKReportThemeOffice2013::DrawItemBackground(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                                   LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    CLVKReportPaintManager::DrawItemBackground(pDrawArgs, pMetrics);
    if (!pDrawArgs || !pDrawArgs->pDC)
        return;
    const RECT& rc = pDrawArgs->rcItem;
    LVKReportLine(pDrawArgs->pDC->m_hDC, rc.left, rc.top - 1, rc.right, rc.top - 1, m_clrBtnFace);
    LVKReportLine(pDrawArgs->pDC->m_hDC, rc.left, rc.top, rc.right, rc.top, m_clrBtnFace);
}

void CLVKReportThemeOffice2013::DrawGroupRow(CDC* pDC, CLVKReportGroupRow* pRow, RECT rcRow,
                                             LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    CLVKReportControl* pControl = pRow->GetControl();
    const BOOL bFocused = pRow->IsFocused() && pControl && pControl->HasFocus() && !pDC->m_bPrinting &&
                          pControl->IsFocusFrameShown();
    const COLORREF clrFill = bFocused ? m_clrGroupBackHilite.GetColor() : m_clrGroupBack.GetColor();
    const COLORREF clrText = bFocused ? m_clrGroupTextHilite.GetColor() : m_clrGroupText.GetColor();
    // Colours the row's metrics were given other than the defaults stay.
    if (bFocused || pMetrics->clrBackground == static_cast<COLORREF>(-1))
        pMetrics->clrBackground = clrFill;
    if (bFocused || pMetrics->clrForeground == m_clrGroupRowText.GetColor())
        pMetrics->clrForeground = clrText;
    // The line under the row takes the fill, so the row reads as one band.
    const COLORREF clrBorder = m_clrGroupShadeBorder.GetStandardColor();
    m_clrGroupShadeBorder.SetStandardValue(pMetrics->clrBackground);
    CLVKReportPaintManager::DrawGroupRow(pDC, pRow, rcRow, pMetrics);
    m_clrGroupShadeBorder.SetStandardValue(clrBorder);
}

void CLVKReportThemeOffice2013::DrawColumnCaption(CDC* pDC, RECT rcText, const CString& strCaption,
                                                  int nHeaderAlignment, BOOL /*bPlainButton*/, BOOL bTracked)
{
    const CaptionTextLayout layout{FALSE, LVKScaleY(2), LVKScaleX(2)};
    DrawCaptionText(pDC, rcText, strCaption, nHeaderAlignment,
                    bTracked ? m_clrCaptionTextPressed : m_clrCaptionText, layout);
}

void CLVKReportThemeOffice2013::DrawFocusedRow(CDC* pDC, RECT rcRow)
{
    if (m_pControl && m_pControl->IsIconView())
        InflateRect(&rcRow, -LVKScaleX(1), -LVKScaleY(1));
    HBRUSH hBrush = CreateSolidBrush(m_clrBtnFace);
    FrameRect(pDC->m_hDC, &rcRow, hBrush);
    DeleteObject(hBrush);
    LVKReportLine(pDC->m_hDC, rcRow.left, rcRow.bottom - 1, rcRow.right, rcRow.bottom - 1, m_clrBtnFace);
    const COLORREF clrOldText = SetTextColor(pDC->m_hDC, m_clrBtnFace);
    const COLORREF clrOldBack = SetBkColor(pDC->m_hDC, m_clrWindowText);
    DrawFocusRect(pDC->m_hDC, &rcRow);
    SetTextColor(pDC->m_hDC, clrOldText);
    SetBkColor(pDC->m_hDC, clrOldBack);
}

void CLVKReportThemeOffice2013::DrawSortArrow(CDC* pDC, RECT rcArrow, BOOL bDecreasing, BOOL bPressed,
                                              int /*nShadowWidth*/, BOOL /*bTracked*/)
{
    if (rcArrow.right - rcArrow.left <= LVKScaleX(10))
        return;
    const int cx = (rcArrow.left + rcArrow.right) / 2 + LVKScaleX(5);
    const int cy = (rcArrow.top + rcArrow.bottom) / 2;
    const int w = LVKScaleX(4);
    const int h = LVKScaleY(2);
    const COLORREF clr = bPressed ? m_clrGlyphHighlight.GetColor() : m_clrGlyph.GetColor();
    if (bDecreasing)
        CLVKDrawHelpers::DrawTriangle(pDC, POINT{cx - w, cy - h}, POINT{cx + w, cy - h}, POINT{cx, cy + h}, clr, clr);
    else
        CLVKDrawHelpers::DrawTriangle(pDC, POINT{cx - w, cy + h}, POINT{cx + w, cy + h}, POINT{cx, cy - h}, clr, clr);
}

// The flat expand glyph: a small filled corner for an expanded row, an
// outlined triangle pointing right for a collapsed one.
SIZE CLVKReportThemeOffice2013::DrawExpandGlyph(CDC* pDC, CLVKReportRow* pRow, RECT& rcGlyph)
{
    const SIZE sz{LVKScaleX(15), LVKScaleY(15)};
    if (!pDC)
        return sz;
    const BOOL bExpanded = !pRow || pRow->IsExpanded();
    const int x = rcGlyph.left + (sz.cx - LVKScaleX(5)) / 2;
    const int y = (rcGlyph.top + rcGlyph.bottom) / 2 - LVKScaleY(4);
    if (bExpanded)
        CLVKDrawHelpers::DrawTriangle(pDC, POINT{x, y + LVKScaleY(5)}, POINT{x + LVKScaleX(5), y + LVKScaleY(5)},
                                      POINT{x + LVKScaleX(5), y}, m_clrGlyphContract, m_clrGlyphContract);
    else
        CLVKDrawHelpers::DrawTriangle(pDC, POINT{x, y}, POINT{x, y + LVKScaleY(8)},
                                      POINT{x + LVKScaleX(4), y + LVKScaleY(4)}, m_clrGlyphBorder, m_clrGlyphExpand);
    rcGlyph.right = rcGlyph.left + sz.cx;
    return sz;
}

void CLVKReportThemeOffice2013::DrawColumnBackground(CDC* pDC, CLVKReportColumn* pColumn, RECT rc,
                                                     BOOL& bColumnPressed, BOOL& bDraggingFromHeader,
                                                     CLVKReportHeader*)
{
    if (bDraggingFromHeader)
        return;
    HDC hDC = pDC->m_hDC;
    if (bColumnPressed)
        LVKReportFillSolid(hDC, rc, m_clrBtnFacePressed);
    LVKReportLine(hDC, rc.left, rc.bottom - 1, rc.right, rc.bottom - 1, m_clrControlDark);
    if (LVKReportPreviousVisibleColumn(pColumn) && pColumn->IsDrawHeaderDivider())
        LVKReportLine(hDC, rc.left, rc.top + LVKScaleY(3), rc.left, rc.bottom - LVKScaleY(3), m_clrControlDark);
    if (m_pControl && m_pControl->IsGroupByVisible())
        LVKReportLine(hDC, rc.left, rc.top, rc.right, rc.top, m_clrControlDark);
}

void CLVKReportThemeOffice2013::DrawHeaderBorder(CDC* pDC, RECT rc)
{
    HBRUSH hBrush = CreateSolidBrush(m_clrControlDark);
    FrameRect(pDC->m_hDC, &rc, hBrush);
    DeleteObject(hBrush);
}

LRESULT CLVKReportThemeOffice2013::DrawControlBorder(CDC* pDC, RECT rcWindow, CWnd* pWnd)
{
    if (!pWnd || !pWnd->GetSafeHwnd() || !(pWnd->GetExStyle() & WS_EX_STATICEDGE))
        return CLVKReportPaintManager::DrawControlBorder(pDC, rcWindow, pWnd);
    HBRUSH hBrush = CreateSolidBrush(m_clrBtnFace);
    FrameRect(pDC->m_hDC, &rcWindow, hBrush);
    DeleteObject(hBrush);
    // The scroll bars are painted again over the frame.
    for (int nBar : {SB_HORZ, SB_VERT})
    {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        if (::GetScrollInfo(pWnd->m_hWnd, nBar, &si))
            ::SetScrollInfo(pWnd->m_hWnd, nBar, &si, TRUE);
    }
    return 0;
}
