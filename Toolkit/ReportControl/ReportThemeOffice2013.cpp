#include "ReportThemeOffice2013.h"

#include "ReportColumn.h"
#include "ReportControl.h"
#include "ReportGroupRow.h"
#include "ReportRow.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/DrawHelpers.h"

namespace
{
int Sx(int n)
{
    return CLVKDpiScaling::GetGlobal()->ScaleX(n);
}

void FillSolid(HDC hDC, const RECT& rc, COLORREF clr)
{
    const COLORREF clrOld = SetBkColor(hDC, clr);
    ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    SetBkColor(hDC, clrOld);
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

void CLVKReportThemeOffice2013::RefreshMetrics()
{
    CLVKReportPaintManager::RefreshMetrics();
    m_clrHighlight.SetStandardValue(RGB(205, 230, 247));
    m_clrHighlightText.SetStandardValue(RGB(0, 0, 0));
    m_clrSelectedRow.SetStandardValue(RGB(225, 225, 225));
    m_clrSelectedRowText.SetStandardValue(RGB(0, 0, 0));
    m_clrHeaderControl.SetStandardValue(RGB(255, 255, 255));
    m_clrCaptionText.SetStandardValue(RGB(68, 68, 68));
    m_clrGroupText.SetStandardValue(RGB(68, 68, 68));
    m_clrGroupTextHilite.SetStandardValue(RGB(0, 0, 0));
    m_clrGroupBack.SetStandardValue(RGB(255, 255, 255));
    m_clrGroupBackHilite.SetStandardValue(RGB(205, 230, 247));
    m_clrGlyph.SetStandardValue(RGB(119, 119, 119));
    m_clrGlyphHighlight.SetStandardValue(RGB(68, 68, 68));
    m_clrGlyphExpand.SetStandardValue(RGB(255, 255, 255));
    m_clrGlyphBorder.SetStandardValue(RGB(171, 171, 171));
    m_clrGlyphContract.SetStandardValue(RGB(68, 68, 68));
    m_clrBtnFacePressed.SetStandardValue(RGB(205, 230, 247));
    m_clrCaptionTextPressed.SetStandardValue(RGB(0, 0, 0));
    m_clrGradientColumnSeparator.SetStandardValue(RGB(225, 225, 225));
    m_clrGridLine.SetStandardValue(RGB(225, 225, 225));
}

void CLVKReportThemeOffice2013::DrawItemBackground(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                                   LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    CLVKReportPaintManager::DrawItemBackground(pDrawArgs, pMetrics);
}

void CLVKReportThemeOffice2013::FillGroupRowMetrics(CLVKReportGroupRow* pRow, LVK_REPORTRECORDITEM_METRICS* pMetrics,
                                                    BOOL bPrinting)
{
    pMetrics->pFont = m_bGroupRowTextBold ? &m_fontBoldText : &m_fontText;
    pMetrics->clrForeground = m_clrGroupText;
    pMetrics->clrBackground = m_clrGroupBack;
    if (!bPrinting && pRow->IsSelected())
    {
        CLVKReportControl* pControl = pRow->GetControl();
        if (pControl && pControl->HasFocus())
        {
            pMetrics->clrBackground = m_clrGroupBackHilite;
            pMetrics->clrForeground = m_clrGroupTextHilite;
        }
        else if (!m_bHideSelection)
        {
            pMetrics->clrBackground = m_clrSelectedRow;
            pMetrics->clrForeground = m_clrSelectedRowText;
        }
    }
}

void CLVKReportThemeOffice2013::DrawGroupRow(CDC* pDC, CLVKReportGroupRow* pRow, RECT rcRow,
                                             LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    HDC hDC = pDC->m_hDC;
    FillSolid(hDC, rcRow,
              pMetrics->clrBackground != static_cast<COLORREF>(-1) ? pMetrics->clrBackground
                                                                   : m_clrGroupBack.GetColor());
    const int nIndent = pRow->GetTreeDepth() * m_nTreeIndent;
    RECT rcGlyph{rcRow.left + nIndent + Sx(4), 0, 0, 0};
    const SIZE szGlyph = DrawExpandGlyph(nullptr, rcGlyph, pRow->IsExpanded());
    rcGlyph.top = (rcRow.top + rcRow.bottom - szGlyph.cy) / 2;
    rcGlyph.right = rcGlyph.left + szGlyph.cx;
    rcGlyph.bottom = rcGlyph.top + szGlyph.cy;
    DrawExpandGlyph(pDC, rcGlyph, pRow->IsExpanded());
    pRow->SetCollapseRect(rcGlyph);

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
    RECT rcLine{rcRow.left + nIndent, rcRow.bottom - 1, rcRow.right, rcRow.bottom};
    FillSolid(hDC, rcLine, m_clrGroupShadeBorder);
    if (pRow->IsFocused() && pRow->GetControl()->HasFocus() && pRow->GetControl()->IsFocusFrameShown())
    {
        RECT rcFocus = rcRow;
        rcFocus.bottom -= 1;
        DrawFocusedRow(pDC, rcFocus);
    }
}

void CLVKReportThemeOffice2013::FillHeaderControl(CDC* pDC, RECT rcHeader)
{
    FillSolid(pDC->m_hDC, rcHeader, m_clrHeaderControl);
    RECT rcLine{rcHeader.left, rcHeader.bottom - 1, rcHeader.right, rcHeader.bottom};
    FillSolid(pDC->m_hDC, rcLine, m_clrGradientColumnSeparator);
}

void CLVKReportThemeOffice2013::DrawColumn(CDC* pDC, CLVKReportColumn* pColumn, CLVKReportHeader*, RECT rcColumn,
                                           BOOL bPressed)
{
    HDC hDC = pDC->m_hDC;
    FillSolid(hDC, rcColumn, bPressed ? m_clrBtnFacePressed.GetColor() : m_clrHeaderControl.GetColor());
    RECT rcSeparator{rcColumn.right - 1, rcColumn.top + Sx(3), rcColumn.right, rcColumn.bottom - Sx(3)};
    FillSolid(hDC, rcSeparator, m_clrGradientColumnSeparator);
    RECT rcLine{rcColumn.left, rcColumn.bottom - 1, rcColumn.right, rcColumn.bottom};
    FillSolid(hDC, rcLine, m_clrGradientColumnSeparator);
    RECT rcText = rcColumn;
    rcText.left += Sx(6);
    rcText.right -= Sx(4);
    if (pColumn->IsSortedOrGrouped() && rcText.right - rcText.left > Sx(27))
    {
        rcText.right -= Sx(17);
        RECT rcArrow{rcText.right + Sx(4), rcColumn.top, rcText.right + Sx(13), rcColumn.bottom};
        DrawSortArrow(pDC, rcArrow, pColumn->IsSortedIncreasing());
    }
    const COLORREF clrCaption = m_clrCaptionText;
    if (bPressed)
        m_clrCaptionText.SetStandardValue(m_clrCaptionTextPressed);
    DrawColumnCaption(pDC, pColumn, rcText);
    m_clrCaptionText.SetStandardValue(clrCaption);
}

void CLVKReportThemeOffice2013::DrawFocusedRow(CDC* pDC, RECT rcRow)
{
    HBRUSH hBrush = CreateSolidBrush(m_clrGlyph);
    FrameRect(pDC->m_hDC, &rcRow, hBrush);
    DeleteObject(hBrush);
}

void CLVKReportThemeOffice2013::DrawSortArrow(CDC* pDC, RECT rcArrow, BOOL bAscending)
{
    const int cx = (rcArrow.left + rcArrow.right) / 2;
    const int cy = (rcArrow.top + rcArrow.bottom) / 2;
    const int d = Sx(3);
    POINT p0, p1, p2;
    if (bAscending)
    {
        p0 = POINT{cx - d, cy + d / 2};
        p1 = POINT{cx + d, cy + d / 2};
        p2 = POINT{cx, cy - d / 2 - 1};
    }
    else
    {
        p0 = POINT{cx - d, cy - d / 2};
        p1 = POINT{cx + d, cy - d / 2};
        p2 = POINT{cx, cy + d / 2 + 1};
    }
    CLVKDrawHelpers::DrawTriangle(pDC, p0, p1, p2, m_clrGlyph, m_clrGlyph);
}
