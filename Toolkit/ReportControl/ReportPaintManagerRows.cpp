// The report paint manager's rows: rows, their items and group rows painted.
#include "ReportPaintManager.h"
#include "ReportPaintManagerPrivate.h"

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

// Rows, items and groups ---------------------------------------------------------------

void CLVKReportPaintManager::FillItemMetrics(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                             LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    pMetrics->pFont = &m_fontText;
    pMetrics->clrForeground = m_clrWindowText;
    pMetrics->clrBackground = static_cast<COLORREF>(-1);
    pMetrics->nColumnAlignment = pDrawArgs->nTextAlign;
    pMetrics->nItemIcon = -1;
}

void CLVKReportPaintManager::FillGroupRowMetrics(CLVKReportGroupRow* pRow, LVK_REPORTRECORDITEM_METRICS* pMetrics,
                                                 BOOL bPrinting)
{
    if (!pRow || !pMetrics || !pRow->GetControl())
        return;
    CLVKReportControl* pControl = pRow->GetControl();
    pMetrics->clrForeground = m_clrGroupRowText;
    pMetrics->clrBackground = static_cast<COLORREF>(-1);
    if (!bPrinting && pRow->IsSelected() && pControl->HasFocus())
    {
        pMetrics->clrForeground = m_clrHighlightText;
        pMetrics->clrBackground = m_clrHighlight;
    }
    else if (m_bShadeGroupHeadings)
    {
        pMetrics->clrForeground = m_clrGroupShadeText;
        pMetrics->clrBackground = m_clrGroupShadeBack;
    }
    pMetrics->pFont = m_bGroupRowTextBold ? &m_fontBoldText : &m_fontText;
}

void CLVKReportPaintManager::DrawAlternateRowBackground(CDC* pDC, CLVKReportRow* pRow, RECT rcRow)
{
    if (m_bAlternateRowColor && pRow && pRow->GetIndex() % 2 == 1)
        FillSolid(pDC->m_hDC, rcRow, m_clrAlternateRow);
}

void CLVKReportPaintManager::DrawItemBackground(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                                LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    if (pDrawArgs && pDrawArgs->pDC && pMetrics && pMetrics->clrBackground != static_cast<COLORREF>(-1))
        FillSolid(pDrawArgs->pDC->m_hDC, pDrawArgs->rcItem, pMetrics->clrBackground);
}

void CLVKReportPaintManager::FillIndent(CDC* pDC, RECT rc)
{
    FillSolid(pDC->m_hDC, rc, m_clrIndentControl);
}

void CLVKReportPaintManager::FillItemShade(CDC* pDC, RECT rc)
{
    if (m_bShadeSortColumn && pDC)
        FillSolid(pDC->m_hDC, rc, m_clrItemShade);
}

void CLVKReportPaintManager::DrawFocusedRow(CDC* pDC, RECT rcRow)
{
    if (m_pControl && m_pControl->IsIconView())
        InflateRect(&rcRow, -LVKScaleX(1), -LVKScaleY(1));
    const COLORREF clrOldText = SetTextColor(pDC->m_hDC, m_clrControlBack);
    const COLORREF clrOldBack = SetBkColor(pDC->m_hDC, m_clrWindowText);
    DrawFocusRect(pDC->m_hDC, &rcRow);
    SetTextColor(pDC->m_hDC, clrOldText);
    SetBkColor(pDC->m_hDC, clrOldBack);
}

void CLVKReportPaintManager::FillPatternBrushRect(CDC* pDC, HBRUSH& hBrush, RECT rc, const WORD* pPattern,
                                                  COLORREF clr, BOOL bRecreate)
{
    if (bRecreate && hBrush)
    {
        DeleteObject(hBrush);
        hBrush = nullptr;
    }
    if (!hBrush)
    {
        HBITMAP hBitmap = CreateBitmap(8, 8, 1, 1, pPattern);
        hBrush = CreatePatternBrush(hBitmap);
        DeleteObject(hBitmap);
    }
    // The pattern brush paints its set bits in the background colour and the
    // others in the text colour; the DC gets all three back.
    CLVKDCSaveState saved(pDC);
    HDC hDC = pDC->m_hDC;
    SelectObject(hDC, hBrush);
    SetTextColor(hDC, m_clrControlBack);
    SetBkColor(hDC, clr);
    PatBlt(hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, PATCOPY);
}

void CLVKReportPaintManager::DrawGridLine(CDC* pDC, BOOL bVertical, RECT rc)
{
    const int nStyle = GetGridStyle(bVertical);
    RECT rcLine = rc;
    if (bVertical)
    {
        rcLine.left = rc.right - LVKScaleX(1);
        rcLine.right = rc.right;
    }
    else
    {
        rcLine.top = rc.bottom;
        rcLine.bottom = rc.bottom + LVKScaleY(1);
    }
    if (nStyle == 4)
    {
        FillSolid(pDC->m_hDC, rcLine, GetGridColor());
        return;
    }
    const WORD* pPattern = GridPattern(nStyle, bVertical);
    if (!pPattern)
        return;
    HBRUSH& hBrush = bVertical ? m_hBrushVertical : m_hBrushHorizontal;
    int& nBrushStyle = bVertical ? m_nBrushVerticalStyle : m_nBrushHorizontalStyle;
    const BOOL bRecreate = nBrushStyle != nStyle;
    nBrushStyle = nStyle;
    FillPatternBrushRect(pDC, hBrush, rcLine, pPattern, GetGridColor(), bRecreate);
}

int CLVKReportPaintManager::DrawFreezeColsDivider(CDC* pDC, RECT rc, CLVKReportControl* pControl,
                                                  CLVKReportRow* pRow)
{
    m_nFreezeDividerX = 0;
    const int nStyle = m_nFreezeColsDividerStyle;
    if (nStyle == 0 || !pControl)
        return 0;
    RECT rcDivider = rc;
    if ((nStyle & 8) && pControl->GetHScrollOffset() > 0 && pControl->GetScrollMode(0) != 0)
    {
        rcDivider.left = rc.right - LVKScaleX(1);
        rcDivider.right = rcDivider.left + LVKScaleX(4);
        CLVKDrawHelpers::FillGradientRect(pDC, &rcDivider, m_clrFreezeColsDivider, RGB(255, 255, 255), TRUE);
    }
    else if (nStyle & (1 | 2))
    {
        rcDivider.left = rc.right - ((nStyle & 2) ? LVKScaleX(2) : LVKScaleX(1));
        rcDivider.right = rc.right;
        FillSolid(pDC->m_hDC, rcDivider, m_clrFreezeColsDivider);
    }
    else
        return 0;
    if (!pDC->m_bPrinting && pRow && pRow->IsSelected())
        InvertRect(pDC->m_hDC, &rcDivider);
    m_nFreezeDividerX = rcDivider.left;
    return m_nFreezeDividerX;
}

void CLVKReportPaintManager::DrawColumnDividerLine(CDC* pDC, int x, CLVKReportControl* pControl, COLORREF clr)
{
    if (!pControl)
        return;
    const RECT rcBody = pControl->GetElementRect(0);
    const RECT rc{x, rcBody.top, x + LVKScaleX(1), rcBody.bottom};
    FillSolid(pDC->m_hDC, rc, clr);
}

void CLVKReportPaintManager::DrawConnectorCorner(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom)
{
    LVKReportLine(pDC->m_hDC, nLeft, nTop, nLeft, nBottom + 1, m_clrConnector);
    LVKReportLine(pDC->m_hDC, nLeft, nBottom, nRight, nBottom, m_clrConnector);
}

int CLVKReportPaintManager::GetSectionDividerHeight(int nStyle) const
{
    switch (nStyle & ~4)
    {
    case 1:
        return LVKScaleY(1);
    case 2:
        return LVKScaleY(2);
    case 8:
        return LVKScaleY(8);
    default:
        return 0;
    }
}

void CLVKReportPaintManager::DrawSectionDivider(CDC* pDC, RECT rc, int nPosition, int nStyle, COLORREF clrBack,
                                                COLORREF clrCustom)
{
    const COLORREF clr = clrCustom != static_cast<COLORREF>(-1) ? clrCustom : clrBack;
    const int nBase = nStyle & ~4;
    if (nBase == 1 || nBase == 2)
        FillSolid(pDC->m_hDC, rc, clr);
    else if (nBase == 8)
    {
        FillSolid(pDC->m_hDC, rc, m_clrHeaderControl);
        CRect rcFrame(rc);
        pDC->Draw3dRect(&rcFrame, m_clrControlLightLight, m_clrControlDark);
    }
    if ((nStyle & 4) && m_pControl)
    {
        // A shadow band that shows rows are scrolled away under the divider.
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        if (m_pControl->m_hWnd)
            ::GetScrollInfo(m_pControl->m_hWnd, SB_VERT, &si);
        const int nPos = si.nPos;
        const int nLimit = si.nMax - static_cast<int>(si.nPage) + 1;
        if (nPosition == 1 && nPos > 0)
        {
            RECT rcBand{rc.left, rc.bottom, rc.right, rc.bottom + LVKScaleY(4)};
            CLVKDrawHelpers::FillGradientRect(pDC, &rcBand, clr, RGB(255, 255, 255), FALSE);
        }
        else if (nPosition == 0 && nPos < nLimit)
        {
            RECT rcBand{rc.left, rc.top - LVKScaleY(4), rc.right, rc.top};
            CLVKDrawHelpers::FillGradientRect(pDC, &rcBand, RGB(255, 255, 255), clr, FALSE);
        }
    }
}

RECT CLVKReportPaintManager::GetTreeGlyphRect(RECT rcRow, int dx)
{
    OffsetRect(&rcRow, dx, LVKScaleY(m_nGlyphSize) / 2 - LVKScaleY(1));
    return rcRow;
}

RECT CLVKReportPaintManager::GetTreeTextPosition(RECT rcGlyph, RECT rcRow, int nGlyphWidth, int nExtraOffset,
                                                 int nIconSpace)
{
    const int nMiddle = rcRow.bottom - (rcRow.bottom - rcRow.top) / 2;
    return RECT{rcGlyph.left + nGlyphWidth + LVKScaleX(m_nTreeTextIndentGroupRow) + nExtraOffset + nIconSpace,
                nMiddle - LVKScaleY(7), rcRow.right, rcRow.bottom};
}

SIZE CLVKReportPaintManager::DrawExpandGlyph(CDC* pDC, CLVKReportRow* pRow, RECT& rcGlyph)
{
    rcGlyph.left += LVKScaleX(2);
    const BOOL bExpanded = !pRow || pRow->IsExpanded();
    const SIZE sz = DrawGlyph(pDC, rcGlyph, bExpanded ? 0 : 1);
    if (pDC)
        rcGlyph.right = rcGlyph.left + sz.cx;
    return SIZE{sz.cx + LVKScaleX(2), sz.cy + LVKScaleY(2)};
}

SIZE CLVKReportPaintManager::DrawGlyph(CDC* pDC, RECT rcGlyph, int nGlyph)
{
    if (m_hGlyphStrip)
    {
        if (nGlyph < 0 || nGlyph >= 11)
            return SIZE{0, 0};
        const int nCell = m_nGlyphCell;
        if (pDC && nCell < rcGlyph.bottom - rcGlyph.top)
        {
            const int y = rcGlyph.top + (rcGlyph.bottom - rcGlyph.top - nCell) / 2;
            CDC dcStrip;
            dcStrip.CreateCompatibleDC(pDC);
            CLVKBitmapDC strip(&dcStrip, CBitmap::FromHandle(m_hGlyphStrip));
            TransparentBlt(pDC->m_hDC, rcGlyph.left + LVKScaleX(1), y, nCell, nCell, dcStrip.m_hDC, nGlyph * nCell, 0,
                           nCell, nCell, RGB(255, 0, 255));
        }
        return SIZE{nCell + LVKScaleX(1), nCell + LVKScaleY(1)};
    }
    // Without the strip (resources not linked) the glyphs are drawn.
    if (nGlyph < 0 || nGlyph >= 11)
        return SIZE{0, 0};
    const int nSize = LVKScaleX(m_nGlyphSize);
    const SIZE sz{nSize + LVKScaleX(1), nSize + LVKScaleY(1)};
    if (!pDC || nSize >= rcGlyph.bottom - rcGlyph.top)
        return sz;
    HDC hDC = pDC->m_hDC;
    const int y = rcGlyph.top + (rcGlyph.bottom - rcGlyph.top - nSize) / 2;
    RECT rc{rcGlyph.left + LVKScaleX(1), y, rcGlyph.left + LVKScaleX(1) + nSize, y + nSize};
    InflateRect(&rc, -1, -1);
    const COLORREF clrMark = m_clrWindowText;
    const BOOL bDisabled = nGlyph == 4 || nGlyph == 5;
    FillSolid(hDC, rc, bDisabled ? m_clrBtnFace.GetColor() : m_clrControlBack.GetColor());
    HBRUSH hFrame = CreateSolidBrush(m_clrControlDark);
    FrameRect(hDC, &rc, hFrame);
    DeleteObject(hFrame);
    const int cx = (rc.left + rc.right) / 2;
    const int cy = (rc.top + rc.bottom) / 2;
    const int d = (rc.right - rc.left) / 2 - 2;
    switch (nGlyph)
    {
    case 0:
    case 1:
        LVKReportLine(hDC, cx - d, cy, cx + d + 1, cy, clrMark);
        if (nGlyph == 1)
            LVKReportLine(hDC, cx, cy - d, cx, cy + d + 1, clrMark);
        break;
    case 3:
    case 5:
        CLVKDrawHelpers::DrawLine(pDC, cx - d, cy - 1, cx - 1, cy + d - 1, clrMark);
        CLVKDrawHelpers::DrawLine(pDC, cx - 1, cy + d - 1, cx + d + 1, cy - d - 1, clrMark);
        break;
    case 8:
    {
        RECT rcFill{cx - d, cy - d, cx + d + 1, cy + d + 1};
        FillSolid(hDC, rcFill, clrMark);
        break;
    }
    default:
        break;
    }
    return sz;
}

SIZE CLVKReportPaintManager::DrawShellIcon(CDC* pDC, RECT rc, int nIcon)
{
    const SIZE sz{LVKScaleX(17), LVKScaleY(17)};
    if (!pDC)
        return sz;
    HICON hSmall = nullptr;
    if (ExtractIconExW(L"SHELL32.DLL", nIcon, nullptr, &hSmall, 1) > 0 && hSmall)
    {
        DrawIconEx(pDC->m_hDC, rc.left + LVKScaleX(1), rc.top + LVKScaleY(1), hSmall, LVKScaleX(16), LVKScaleY(16), 0,
                   nullptr, DI_NORMAL);
        DestroyIcon(hSmall);
    }
    else
        DrawGlyph(pDC, rc, 9);
    return sz;
}

int CLVKReportPaintManager::DrawItemIcon(CDC* pDC, CLVKReportControl* pControl, RECT rc, int nIcon)
{
    if (!pControl || nIcon < 0 || !pControl->GetImageManager())
        return 0;
    CLVKImageManagerIcon* pIcon = pControl->GetImageManager()->FindIcon(nIcon, 0);
    if (!pIcon)
        return 0;
    const SIZE sz = pIcon->GetExtent();
    if (pDC && sz.cx < rc.right - rc.left && sz.cy < rc.bottom - rc.top)
        DrawIconAt(pDC, pIcon, rc.left + LVKScaleX(1), rc.top + (rc.bottom - rc.top - sz.cy) / 2);
    return sz.cx + LVKScaleX(1);
}

void CLVKReportPaintManager::DrawItemBitmap(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, RECT& rcItem, int nImage)
{
    CLVKReportControl* pControl = pDrawArgs ? pDrawArgs->pControl : nullptr;
    if (!pControl || nImage < 0 || !pControl->GetImageManager() || !pDrawArgs->pDC)
        return;
    CLVKImageManagerIcon* pIcon = pControl->GetImageManager()->FindIcon(nImage, 0);
    if (!pIcon)
        return;
    const SIZE sz = pIcon->GetExtent();
    if (sz.cx >= rcItem.right - rcItem.left || sz.cy >= rcItem.bottom - rcItem.top)
        return;
    const int nAlign = pDrawArgs->nTextAlign;
    int x = rcItem.left + LVKScaleX(1);
    if (nAlign & LVK_REPORT_ICON_RIGHT)
    {
        x = rcItem.right - sz.cx - LVKScaleX(1);
        rcItem.right -= sz.cx + LVKScaleX(1);
    }
    else if (nAlign & LVK_REPORT_ICON_CENTER)
        x = (rcItem.left + rcItem.right - sz.cx) / 2;
    else
        rcItem.left += sz.cx + LVKScaleX(1);
    int y = rcItem.top + (rcItem.bottom - rcItem.top - sz.cy) / 2;
    if (nAlign & LVK_REPORT_VALIGN_TOP)
        y = rcItem.top;
    else if (nAlign & LVK_REPORT_VALIGN_BOTTOM)
        y = rcItem.bottom - sz.cy - LVKScaleY(1);
    DrawIconAt(pDrawArgs->pDC, pIcon, x, y);
}

void CLVKReportPaintManager::DrawTreeStructureLine(CDC* pDC, int x, int y, int cx, int cy, COLORREF clr)
{
    const RECT rc{x, y, x + cx, y + cy};
    if (m_nTreeStructureStyle == 2)
        FillPatternRect(pDC, m_hBrushTreeStructure, rc, kPatternSmallDots, m_clrControlDark);
    else
        FillSolid(pDC->m_hDC, rc, clr);
}

void CLVKReportPaintManager::DrawTreeStructure(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                               LVK_REPORTRECORDITEM_METRICS* pMetrics, RECT rcItem, SIZE szGlyph)
{
    if (m_nTreeStructureStyle == 0 || !pDrawArgs || !pDrawArgs->pRow || !pDrawArgs->pControl || !pDrawArgs->pDC)
        return;
    CLVKReportRow* pRow = pDrawArgs->pRow;
    CDC* pDC = pDrawArgs->pDC;
    const BOOL bVirtual = pDrawArgs->pControl->IsVirtualMode();
    const DWORD dwMask = pMetrics ? pMetrics->dwTreeLines : 0;
    auto isRootLike = [](CLVKReportRow* p) { return !p->GetParentRow() || p->GetParentRow()->IsGroupRow(); };
    if (!bVirtual)
    {
        if (pRow->IsGroupRow())
            return;
        if (!m_bTreeLinesForRootRows && isRootLike(pRow))
            return;
    }
    else if (dwMask == 0)
        return;
    const int nHeight = rcItem.bottom - rcItem.top;
    int nConnector = nHeight / 2;
    if (pDrawArgs->nTextAlign & LVK_REPORT_VALIGN_TOP)
        nConnector = szGlyph.cy / 2;
    else if (pDrawArgs->nTextAlign & LVK_REPORT_VALIGN_BOTTOM)
        nConnector = nHeight - szGlyph.cy / 2 - LVKScaleY(2);
    const COLORREF clr = pMetrics ? pMetrics->clrForeground : m_clrConnector.GetColor();
    if (m_bTreeLinesForRootRows || bVirtual)
        rcItem.left += (szGlyph.cy + LVKScaleX(1)) / 2 + LVKScaleX(2);
    const int nHalfGlyph = szGlyph.cx / 2 + LVKScaleX(1);
    const int nLeafLength = m_nLeafConnectorLength < 1 ? nHalfGlyph : LVKScaleX(m_nLeafConnectorLength);
    int x = rcItem.left;
    if (!bVirtual)
    {
        const BOOL bLastChild = pRow->GetNextSiblingRow() == nullptr;
        DrawTreeStructureLine(pDC, x, rcItem.top - LVKScaleY(1), LVKScaleX(1),
                              bLastChild ? nConnector + LVKScaleY(1) : nHeight + LVKScaleY(1), clr);
        DrawTreeStructureLine(pDC, x, rcItem.top + nConnector, pRow->HasChildren() ? nHalfGlyph : nLeafLength,
                              LVKScaleY(1), clr);
        for (CLVKReportRow* pAncestor = pRow->GetParentRow(); pAncestor && !pAncestor->IsGroupRow();
             pAncestor = pAncestor->GetParentRow())
        {
            if (!m_bTreeLinesForRootRows && isRootLike(pAncestor))
                break;
            x -= m_nTreeIndent;
            if (pAncestor->GetNextSiblingRow())
                DrawTreeStructureLine(pDC, x, rcItem.top - LVKScaleY(1), LVKScaleX(1), nHeight + LVKScaleY(1), clr);
        }
        return;
    }
    // Virtual mode: the rows know only the mask of the levels with lines.
    const BOOL bLastChild = (pMetrics->dwFlags & 0x2) != 0;
    for (int nBit = 0; nBit < 32; nBit++)
    {
        if (nBit > 0)
            x -= m_nTreeIndent;
        if (!(dwMask & (1u << nBit)))
            continue;
        if (nBit == 0)
        {
            DrawTreeStructureLine(pDC, x, rcItem.top - LVKScaleY(1), LVKScaleX(1), nConnector + LVKScaleY(1), clr);
            DrawTreeStructureLine(pDC, x, rcItem.top + nConnector, nHalfGlyph, LVKScaleY(1), clr);
            if (!bLastChild)
                DrawTreeStructureLine(pDC, x, rcItem.top - LVKScaleY(1), LVKScaleX(1), nHeight + LVKScaleY(1), clr);
        }
        else
            DrawTreeStructureLine(pDC, x, rcItem.top - LVKScaleY(1), LVKScaleX(1), nHeight + LVKScaleY(1), clr);
    }
}

void CLVKReportPaintManager::DrawRowNumber(CDC* pDC, RECT rcNumber, CLVKReportRow* pRow)
{
    if (!pDC || !pRow)
        return;
    int nNumber = 0;
    if (m_bRowNumbersCountRecords)
    {
        if (!pRow->GetRecord())
            return;
        nNumber = pRow->GetRecord()->GetIndex();
    }
    else
        nNumber = pRow->GetIndex();
    if (m_nRowNumberOffset > 0)
        nNumber += m_nRowNumberOffset;
    CString strNumber;
    strNumber.Format(L" %d ", nNumber);
    HDC hDC = pDC->m_hDC;
    COLORREF clrText = GetSysColor(COLOR_HIGHLIGHT);
    if (pRow->IsSelected())
    {
        CLVKReportControl* pControl = pRow->GetControl();
        FillSolid(hDC, rcNumber, pControl && pControl->HasFocus() ? GetSysColor(COLOR_HIGHLIGHT)
                                                                  : GetSysColor(COLOR_BTNFACE));
        clrText = RGB(255, 255, 255);
    }
    const COLORREF clrOld = SetTextColor(hDC, clrText);
    const int nOldMode = SetBkMode(hDC, TRANSPARENT);
    CLVKFontDC font(pDC, &m_fontText);
    RECT rc = rcNumber;
    rc.top += LVKScaleY(1);
    DrawTextW(hDC, strNumber, strNumber.GetLength(), &rc, DT_RIGHT | DT_SINGLELINE);
    font.RestoreFont();
    SetBkMode(hDC, nOldMode);
    SetTextColor(hDC, clrOld);
}

void CLVKReportPaintManager::DrawNoItems(CDC* pDC, RECT rc, LPCWSTR lpszText)
{
    if (!lpszText || !*lpszText)
        return;
    HDC hDC = pDC->m_hDC;
    const COLORREF clr = CLVKDrawHelpers::MixColors(m_clrWindowText, m_clrControlBack, 0.5);
    SetTextColor(hDC, clr);
    SetBkMode(hDC, TRANSPARENT);
    CLVKFontDC font(pDC, &m_fontText);
    rc.left += LVKScaleX(5);
    rc.right -= LVKScaleX(5);
    rc.top += LVKScaleY(5);
    rc.bottom -= LVKScaleY(5);
    DrawTextW(hDC, lpszText, -1, &rc,
              DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL | DT_END_ELLIPSIS |
                  DT_WORD_ELLIPSIS);
}

void CLVKReportPaintManager::DrawGroupRow(CDC* pDC, CLVKReportGroupRow* pRow, RECT rcRow,
                                          LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    HDC hDC = pDC->m_hDC;
    CLVKReportControl* pControl = pRow->GetControl();
    const BOOL bPrinting = pDC->m_bPrinting;
    CString strCaption = pMetrics->strText;
    if (m_bUpperCaseCaptions)
        strCaption.MakeUpper();

    LVK_REPORTRECORDITEM_DRAWARGS drawArgs;
    drawArgs.pControl = pControl;
    drawArgs.pRow = pRow;
    drawArgs.pDC = pDC;
    drawArgs.rcItem = rcRow;
    DrawItemBackground(&drawArgs, pMetrics);
    SetTextColor(hDC, pMetrics->clrForeground);
    CLVKFontDC font(pDC, pMetrics->pFont ? pMetrics->pFont : &m_fontText);
    SetBkMode(hDC, TRANSPARENT);

    // The indent of the row's level.
    const int nIndent = pRow->GetTreeDepth() * m_nTreeIndent;
    RECT rcRight = rcRow;
    rcRight.left += nIndent;

    // The line under the row.
    int nBottom = rcRow.bottom;
    if (m_nGroupGridLineStyle == 4)
    {
        const RECT rcLine{rcRight.left, rcRow.bottom - LVKScaleY(m_nGroupGridLineHeight), rcRow.right, rcRow.bottom};
        FillSolid(hDC, rcLine, m_clrGroupShadeBorder);
        nBottom -= LVKScaleY(1);
    }
    else
    {
        const RECT rcLine{rcRight.left, rcRow.bottom - LVKScaleY(1), rcRow.right, rcRow.bottom};
        FillPatternRect(pDC, m_hBrushGroupLine, rcLine, kPatternGroupLine, m_clrGroupShadeBorder);
    }

    if (pRow->IsFocused() && pControl && pControl->HasFocus() && !bPrinting && pControl->IsFocusFrameShown())
    {
        RECT rcFocus = rcRight;
        rcFocus.bottom = nBottom;
        DrawFocusedRow(pDC, rcFocus);
    }
    if (nIndent > 0)
    {
        const RECT rcIndent{rcRow.left, rcRow.top, rcRow.left + nIndent, rcRow.bottom};
        FillIndent(pDC, rcIndent);
    }

    // Room for the group row's icon.
    int nIconWidth = 0;
    int nIconHeight = 0;
    int nGlyphShift = 0;
    int nTextShift = 0;
    int nAlign = pMetrics->nGroupRowIconAlignment;
    if (!(nAlign & 0xF))
        nAlign |= 1;
    CLVKImageManagerIcon* pIcon = nullptr;
    if (pMetrics->nGroupRowIcon >= 0 && pControl && pControl->GetImageManager())
        pIcon = pControl->GetImageManager()->FindIcon(pMetrics->nGroupRowIcon, 0);
    if (pIcon)
    {
        nIconWidth = pIcon->GetExtent().cx;
        nIconHeight = pIcon->GetExtent().cy;
        if (nAlign & 1)
            nGlyphShift = nIconWidth + LVKScaleX(5);
        else if (nAlign & 2)
            nTextShift = nIconWidth + LVKScaleX(10);
    }

    // The expand glyph.
    RECT rcGlyph = GetTreeGlyphRect(rcRight, nGlyphShift);
    SIZE szGlyph{0, 0};
    if (!(bPrinting && !m_bPrintInplaceButtonGlyphs) && !pRow->IsLockExpand())
    {
        szGlyph = DrawExpandGlyph(pDC, pRow, rcGlyph);
        if (!bPrinting)
            pRow->SetCollapseRect(rcGlyph);
    }
    int nExtraOffset = 0;
    const int nGlyphId = pRow->IsExpanded() ? 0 : 1;
    if (m_nGroupRowTextOffset != -1 && !pIcon && DrawGlyph(nullptr, RECT{}, nGlyphId).cx == 0)
        nExtraOffset = m_nGroupRowTextOffset;
    RECT rcText = GetTreeTextPosition(rcGlyph, rcRight, szGlyph.cx, nExtraOffset, nTextShift);
    rcText.bottom = nBottom;
    if (pIcon && (nAlign & (4 | 8)))
        rcText.right -= nIconWidth;
    if (m_bGroupRowSelectionBoxes && !bPrinting && !pIcon)
        rcText.left += LVKScaleX(10) + nIconWidth;

    // The caption, with the sums of a formula drawn inside their columns.
    CString strLead = strCaption;
    const BOOL bFormula = !pRow->GetFormula().IsEmpty() && strCaption.Find(L'[') >= 0;
    if (bFormula)
        strLead = strCaption.Left(strCaption.Find(L'['));
    RECT rcLead = rcText;
    DrawTextW(hDC, strLead, strLead.GetLength(), &rcLead, DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
    if (bFormula && pControl)
        DrawGroupRowFormulaValues(hDC, pControl, strCaption, rcRow, rcText);

    // Selection boxes: the check-box glyph tells how many children are selected.
    if (m_bGroupRowSelectionBoxes && !bPrinting && !pIcon)
        DrawGroupRowSelectionBox(pDC, pRow);

    // The icon.
    if (pIcon)
    {
        int x = rcRight.left;
        if (nAlign & 2)
            x = rcGlyph.right + LVKScaleX(5);
        else if (nAlign & 4)
        {
            RECT rcExtent = rcText;
            DrawTextW(hDC, strLead, strLead.GetLength(), &rcExtent, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
            x = rcExtent.right + LVKScaleX(5);
            if (x + nIconWidth > rcRow.right)
                x = rcRow.right - nIconWidth - LVKScaleX(1);
        }
        else if (nAlign & 8)
            x = rcRow.right - nIconWidth - LVKScaleX(1);
        int y = rcRow.top + (nBottom - rcRow.top - nIconHeight) / 2;
        if (nAlign & 0x100)
            y = rcRow.top;
        else if (nAlign & 0x800)
            y = nBottom - nIconHeight - LVKScaleY(1);
        const COLORREF clrOldBack = SetBkColor(
            hDC, pMetrics->clrBackground != static_cast<COLORREF>(-1) ? pMetrics->clrBackground : RGB(255, 255, 255));
        DrawItemIcon(pDC, pControl,
                     RECT{x - LVKScaleX(1), y, x + nIconWidth + LVKScaleX(1), y + nIconHeight + LVKScaleY(1)},
                     pMetrics->nGroupRowIcon);
        SetBkColor(hDC, clrOldBack);
    }
}

// Draws the sums of a group caption's formula ("Lead [2] 10 [3] 4") each in
// the visible column of its item index, after the lead text that is already
// drawn in rcText; a sum never starts before the end of the text to its left.
void CLVKReportPaintManager::DrawGroupRowFormulaValues(HDC hDC, CLVKReportControl* pControl, const CString& strCaption,
                                                       const RECT& rcRow, const RECT& rcText)
{
    const CString strLead = strCaption.Left(strCaption.Find(L'['));
    RECT rcMeasure = rcText;
    DrawTextW(hDC, strLead, strLead.GetLength(), &rcMeasure, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    int nPreviousEnd = rcMeasure.right;
    CLVKReportColumns* pColumns = pControl->GetColumns();
    int nPos = strCaption.Find(L'[');
    while (nPos >= 0)
    {
        const int nClose = strCaption.Find(L']', nPos);
        if (nClose < 0)
            break;
        const int nNext = strCaption.Find(L'[', nClose);
        const int nItemIndex = _wtoi(strCaption.Mid(nPos + 1, nClose - nPos - 1));
        CString strValue = nNext >= 0 ? strCaption.Mid(nClose + 1, nNext - nClose - 1) : strCaption.Mid(nClose + 1);
        strValue.Trim();
        nPos = nNext;
        int x = rcRow.left;
        CLVKReportColumn* pTarget = nullptr;
        int nWidth = 0;
        for (int i = 0; i < pColumns->GetVisibleColumnsCount(); i++)
        {
            CLVKReportColumn* pColumn = pColumns->GetVisibleAt(i);
            nWidth = m_bPrintScreenColumnWidths ? pColumn->GetWidth() : GetColumnWidthInRow(pColumn, 0);
            if (pColumn->GetItemIndex() == nItemIndex)
            {
                pTarget = pColumn;
                break;
            }
            x += nWidth;
        }
        if (!pTarget || x >= rcRow.right)
            continue;
        RECT rcValue{std::max(x + LVKScaleX(1), nPreviousEnd + LVKScaleX(10)), rcText.top,
                     x + nWidth - LVKScaleX(1), rcText.bottom};
        const UINT nValueAlign = (pTarget->GetAlignment() & DT_RIGHT) ? DT_RIGHT : 0;
        DrawTextW(hDC, strValue, strValue.GetLength(), &rcValue,
                  nValueAlign | DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
        RECT rcValueExtent = rcValue;
        DrawTextW(hDC, strValue, strValue.GetLength(), &rcValueExtent, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
        nPreviousEnd = nValueAlign ? rcValue.right : rcValueExtent.right;
    }
}

// The group row's selection box: partly, wholly or not selected by its
// children's selection, or the mark left by a selected descendant. A
// selection also marks every group row above.
void CLVKReportPaintManager::DrawGroupRowSelectionBox(CDC* pDC, CLVKReportGroupRow* pRow)
{
    int nSelected = 0;
    int nWithRecords = 0;
    if (CLVKReportRows* pChilds = pRow->GetChilds(FALSE))
    {
        for (int i = 0; i < pChilds->GetCount(); i++)
        {
            CLVKReportRow* pChild = pChilds->GetAt(i);
            if (!pChild->GetRecord())
                continue;
            nWithRecords++;
            const BOOL bSelected =
                pChild->IsSelected() || (!pRow->IsExpanded() && pChild->GetRecord()->IsSelected());
            nSelected += bSelected ? 1 : 0;
        }
    }
    int nBox = -1;
    if (nSelected > 0 && nSelected < nWithRecords)
        nBox = 5;
    else if (nSelected > 0)
        nBox = 3;
    else if (nWithRecords > 0)
        nBox = 2;
    if (nSelected > 0)
    {
        for (CLVKReportRow* p = pRow->GetParentRow(); p; p = p->GetParentRow())
        {
            if (p->IsGroupRow())
                static_cast<CLVKReportGroupRow*>(p)->SetSelectionMark(TRUE);
        }
    }
    if (nBox < 0 && pRow->GetSelectionMark())
    {
        nBox = 4;
        pRow->SetSelectionMark(FALSE);
    }
    if (nBox >= 0)
    {
        const RECT& rcCollapse = pRow->GetCollapseRect();
        RECT rcBox{rcCollapse.right + LVKScaleX(2), rcCollapse.top, rcCollapse.right + LVKScaleX(2) + LVKScaleX(20),
                   rcCollapse.bottom};
        DrawGlyph(pDC, rcBox, nBox);
    }
}
