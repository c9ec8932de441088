// The report paint manager's header, footer and column captions.
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

// Header, footer and columns --------------------------------------------------------------

void CLVKReportPaintManager::FillHeaderControl(CDC* pDC, RECT rcHeader)
{
    FillSolid(pDC->m_hDC, rcHeader, m_clrHeaderControl);
}

void CLVKReportPaintManager::FillFooter(CDC* pDC, RECT rc)
{
    HDC hDC = pDC->m_hDC;
    FillSolid(hDC, rc, m_clrHeaderControl);
    LVKReportLine(hDC, rc.left, rc.top, rc.right, rc.top, m_clrControlBack);
    LVKReportLine(hDC, rc.left, rc.top + LVKScaleY(1), rc.right, rc.top + LVKScaleY(1), m_clrControlDark);
    LVKReportLine(hDC, rc.left, rc.top + LVKScaleY(2), rc.right, rc.top + LVKScaleY(2),
                  BlendColor(m_clrHeaderControl, m_clrControlDark, 0.6));
    LVKReportLine(hDC, rc.left, rc.top + LVKScaleY(3), rc.right, rc.top + LVKScaleY(3),
                  BlendColor(m_clrHeaderControl, m_clrControlDark, 0.25));
    LVKReportLine(hDC, rc.left, rc.bottom - LVKScaleY(1), rc.right, rc.bottom - LVKScaleY(1), m_clrControlDark);
}

void CLVKReportPaintManager::FillGroupByControl(CDC* pDC, RECT rcGroupBy)
{
    FillSolid(pDC->m_hDC, rcGroupBy, m_clrGroupBoxBack);
}

void CLVKReportPaintManager::DrawHeaderBorder(CDC* pDC, RECT rc)
{
    CRect rcFrame(rc);
    pDC->Draw3dRect(&rcFrame, m_clrControlLightLight, m_clrControlDark);
    MoveToEx(pDC->m_hDC, rc.left, rc.bottom - 1, nullptr);
    LineTo(pDC->m_hDC, rc.right - 1, rc.bottom - 1);
    LineTo(pDC->m_hDC, rc.right - 1, rc.top - 1);
}

void CLVKReportPaintManager::DrawColumnBackground(CDC*, CLVKReportColumn*, RECT, BOOL&, BOOL&, CLVKReportHeader*)
{
}

void CLVKReportPaintManager::DrawColumnCaption(CDC* pDC, RECT rcText, const CString& strCaption, int nHeaderAlignment,
                                               BOOL /*bPlainButton*/, BOOL bTracked)
{
    const CaptionTextLayout layout{TRUE, LVKScaleY(1) + 1, 0};
    DrawCaptionText(pDC, rcText, strCaption, nHeaderAlignment,
                    bTracked ? m_clrCaptionTextPressed : m_clrCaptionText, layout);
}

void CLVKReportPaintManager::DrawCaptionText(CDC* pDC, RECT rcText, const CString& strCaption, int nHeaderAlignment,
                                             COLORREF clrText, const CaptionTextLayout& layout)
{
    HDC hDC = pDC->m_hDC;
    SetTextColor(hDC, clrText);
    UINT nFlags = DT_NOPREFIX | DT_END_ELLIPSIS;
    if (nHeaderAlignment & DT_RIGHT)
        nFlags |= DT_RIGHT;
    else if (nHeaderAlignment & DT_CENTER)
        nFlags |= DT_CENTER;
    if (nHeaderAlignment & DT_WORDBREAK)
    {
        RECT rcCalc = rcText;
        const UINT nMeasure = nFlags | DT_CALCRECT | DT_WORDBREAK | (layout.bMeasureWithWordEllipsis ? DT_WORD_ELLIPSIS : 0);
        DrawTextW(hDC, strCaption, strCaption.GetLength(), &rcCalc, nMeasure);
        const int nFree = (rcText.bottom - rcText.top) - (rcCalc.bottom - rcCalc.top);
        if (nFree >= layout.nMinCenteringSpace)
            rcText.top += nFree / 2;
        else if (nFree < 0)
            rcText.top += LVKScaleY(3);
        DrawTextW(hDC, strCaption, strCaption.GetLength(), &rcText, nFlags | DT_WORDBREAK | DT_WORD_ELLIPSIS);
        return;
    }
    rcText.left += layout.nSingleLineInset;
    DrawTextW(hDC, strCaption, strCaption.GetLength(), &rcText, nFlags | DT_SINGLELINE | DT_VCENTER);
}

void CLVKReportPaintManager::DrawColumnSeparator(CDC* pDC, CLVKReportColumn* pColumn, RECT rc)
{
    if (!pColumn || !pColumn->IsDrawHeaderDivider())
        return;
    const int nLength = rc.bottom - rc.top - LVKScaleY(9);
    if (nLength <= 0)
        return;
    LVKReportLine(pDC->m_hDC, rc.right - LVKScaleX(1), rc.top + LVKScaleY(6), rc.right - LVKScaleX(1),
                  rc.top + LVKScaleY(6) + nLength, m_clrControlLightLight);
    LVKReportLine(pDC->m_hDC, rc.right - LVKScaleX(2), rc.top + LVKScaleY(5), rc.right - LVKScaleX(2),
                  rc.top + LVKScaleY(5) + nLength, m_clrControlDark);
}

void CLVKReportPaintManager::DrawColumnFooter(CDC* pDC, CLVKReportColumn* pColumn, RECT rcColumn)
{
    DrawColumnSeparator(pDC, pColumn, rcColumn);
    const CString& strText = pColumn->GetFooterText();
    if (strText.IsEmpty() || IsRectEmpty(&rcColumn))
        return;
    HDC hDC = pDC->m_hDC;
    SetBkMode(hDC, TRANSPARENT);
    CLVKFontDC font(pDC, pColumn->GetFont());
    SetTextColor(hDC, m_clrCaptionText);
    RECT rc{rcColumn.left + LVKScaleX(3), rcColumn.top + LVKScaleY(2), rcColumn.right - LVKScaleX(3),
            rcColumn.bottom - LVKScaleY(2)};
    const int nAlign = pColumn->GetFooterAlignment();
    UINT nFlags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    const int nTextWidth = TextExtent(hDC, strText).cx;
    if (nAlign != 0 && nTextWidth + LVKScaleX(6) < rc.right - rc.left)
        nFlags |= (nAlign & DT_RIGHT) ? DT_RIGHT : ((nAlign & DT_CENTER) ? DT_CENTER : 0);
    if (!m_bFixedRowHeight && (nAlign & DT_WORDBREAK))
    {
        RECT rcCalc = rc;
        DrawTextW(hDC, strText, strText.GetLength(), &rcCalc,
                  DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS);
        const int nFree = (rc.bottom - rc.top) - (rcCalc.bottom - rcCalc.top);
        if (nFree > LVKScaleY(1))
            rc.top += nFree / 2;
        nFlags = (nFlags & (DT_RIGHT | DT_CENTER)) | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS;
    }
    DrawTextW(hDC, strText, strText.GetLength(), &rc, nFlags);
}

int CLVKReportPaintManager::DrawColumnIcon(CDC* pDC, CLVKReportColumn* pColumn, RECT rcColumn, RECT rcIcon, int nIcon)
{
    CLVKReportControl* pControl = pColumn ? pColumn->GetControl() : m_pControl;
    if (!pControl || nIcon < 0 || !pControl->GetImageManager())
        return 0;
    CLVKImageManagerIcon* pIcon = pControl->GetImageManager()->FindIcon(nIcon, 0);
    if (!pIcon)
        return 0;
    (void)rcColumn;
    const SIZE sz = pIcon->GetExtent();
    if (pDC && sz.cx < rcIcon.right - rcIcon.left && sz.cy < rcIcon.bottom - rcIcon.top)
        DrawIconAt(pDC, pIcon, rcIcon.left + LVKScaleX(1), rcIcon.top + (rcIcon.bottom - rcIcon.top - sz.cy) / 2);
    return sz.cx + LVKScaleX(1);
}

void CLVKReportPaintManager::DrawSortArrow(CDC* pDC, RECT rc, BOOL bDecreasing, BOOL /*bPressed*/, int /*nShadowWidth*/,
                                           BOOL /*bTracked*/)
{
    if (rc.right - rc.left <= LVKScaleX(10))
        return;
    const int cx = (rc.left + rc.right) / 2;
    const int cy = (rc.top + rc.bottom) / 2;
    const int dx = LVKScaleX(4);
    const int dy = LVKScaleY(3);
    HDC hDC = pDC->m_hDC;
    CLVKPenDC pen(hDC, m_clrControlLightLight);
    if (!bDecreasing)
    {
        // Points up: the light right-hand slope (doubled), the dark left-hand
        // slope and flat edge.
        const POINT ptTop{cx, cy - dy};
        const POINT ptLeft{cx - dx, cy + dy};
        const POINT ptRight{cx + dx, cy + dy};
        for (int i = 0; i < 2; i++)
        {
            MoveToEx(hDC, ptTop.x + i, ptTop.y, nullptr);
            LineTo(hDC, ptRight.x + i, ptRight.y);
        }
        pen.SetColor(m_clrControlDark);
        MoveToEx(hDC, ptTop.x, ptTop.y, nullptr);
        LineTo(hDC, ptLeft.x, ptLeft.y);
        LineTo(hDC, ptRight.x, ptRight.y);
    }
    else
    {
        const POINT ptBottom{cx, cy + dy};
        const POINT ptLeft{cx - dx, cy - dy};
        const POINT ptRight{cx + dx, cy - dy};
        for (int i = 0; i < 2; i++)
        {
            MoveToEx(hDC, ptRight.x + i, ptRight.y, nullptr);
            LineTo(hDC, ptBottom.x + i, ptBottom.y);
        }
        pen.SetColor(m_clrControlDark);
        MoveToEx(hDC, ptRight.x, ptRight.y, nullptr);
        LineTo(hDC, ptLeft.x, ptLeft.y);
        LineTo(hDC, ptBottom.x, ptBottom.y);
    }
}

void CLVKReportPaintManager::DrawResizeTracker(CDC* pDC, RECT rc, BOOL bTracked, BOOL /*bPressed*/, int nShadowWidth)
{
    if (!bTracked || !m_bDrawResizeTracker)
        return;
    rc.bottom += nShadowWidth;
    InvertRect(pDC->m_hDC, &rc);
}

void CLVKReportPaintManager::DrawColumn(CDC* pDC, CLVKReportColumn* pColumn, CLVKReportHeader* pHeader, RECT rcColumn,
                                        BOOL bDrawExternal, int nShadowWidth)
{
    if (!pColumn)
        return;
    HDC hDC = pDC->m_hDC;
    CLVKReportControl* pControl = pColumn->GetControl();
    const BOOL bTracked = pHeader && !bDrawExternal && pHeader->GetTrackingColumn() == pColumn;
    BOOL bPlainButton = bDrawExternal;
    BOOL bColumnPressed = pHeader && pHeader->GetPressedColumn() == pColumn;
    BOOL bDraggingFromHeader = FALSE;
    if (bDrawExternal && pHeader && pHeader->GetTrackingColumn() == pColumn && rcColumn.left == 0 &&
        rcColumn.top == 0)
    {
        bPlainButton = FALSE;
        bColumnPressed = TRUE;
    }
    if (bPlainButton)
        DrawHeaderBorder(pDC, rcColumn);
    else
        DrawColumnBackground(pDC, pColumn, rcColumn, bColumnPressed, bDraggingFromHeader, pHeader);
    SetBkColor(hDC, m_clrHeaderControl);

    RECT rc = rcColumn;
    rc.bottom -= nShadowWidth + LVKScaleY(1);
    if (!bDrawExternal && pControl && pColumn == pControl->GetColumns()->GetFirstVisibleColumn())
        rc.left += pControl->GetGroupIndent();

    BOOL bArrow = pColumn->IsSortedOrGrouped() && pColumn->IsSortable() && m_nSortArrowMode != 2 &&
                  !(pDC->m_bPrinting && !m_bPrintSortArrows);
    CLVKFontDC font(pDC, pColumn->GetFont());
    CString strCaption = pColumn->GetCaption();
    if (!bDrawExternal && m_bUpperCaseCaptions)
        strCaption.MakeUpper();
    const int nCaptionWidth = TextExtent(hDC, strCaption).cx;

    int nAlign = pColumn->GetHeaderAlignment();
    int nIcon = pColumn->GetIconID();
    if ((nAlign & LVK_REPORT_ICON_CENTER) && !strCaption.IsEmpty())
        nAlign = (nAlign & ~LVK_REPORT_ICON_CENTER) | LVK_REPORT_ICON_RIGHT;
    const int nIconSpace = nIcon >= 0 ? DrawItemIcon(nullptr, pControl, rc, nIcon) + LVKScaleX(2) : 0;
    const int nGap = bDrawExternal ? LVKScaleX(17) : LVKScaleX(10);
    const int nArrowWidth = LVKScaleX(16);
    if (bArrow && m_nSortArrowMode == 0 &&
        rc.right - rc.left < LVKScaleX(2) + LVKScaleX(6) + nGap + nCaptionWidth + nArrowWidth)
        bArrow = FALSE;

    if (!bPlainButton)
    {
        // The expand glyph of a column that hides a block of its neighbours.
        if (pColumn->IsPlusMinus() && !pDC->m_bPrinting && pColumn->GetNextVisualBlock() != 0)
        {
            const BOOL bExpanded = !pColumn->IsBlockHidden();
            const int nGlyph = m_bPlusMinusColumnGlyphs ? (bExpanded ? 1 : 0) : (bExpanded ? 7 : 6);
            const int nGlyphWidth = DrawGlyph(nullptr, rc, nGlyph).cx;
            if (nGlyphWidth > 0)
            {
                RECT rcGlyph{rc.right - nGlyphWidth - LVKScaleX(2), rc.top, rc.right, rc.bottom};
                DrawGlyph(pDC, rcGlyph, nGlyph);
                rc.right = rcGlyph.left;
            }
        }
        if (m_bDropNarrowColumnIcons && nIcon >= 0 && !strCaption.IsEmpty() &&
            rcColumn.right - rcColumn.left <= 2 * nIconSpace)
            nIcon = -1;
        const BOOL bRightOrCentre = (nAlign & (DT_RIGHT | DT_CENTER)) != 0;
        if (bRightOrCentre && !m_bSortArrowAtRightEdge)
        {
            int nTotal = LVKScaleX(6) + nCaptionWidth + (nIcon >= 0 ? nIconSpace : 0) +
                         (bArrow ? LVKScaleX(2) + nGap + nArrowWidth : 0);
            if (nTotal < rc.right - rc.left)
            {
                if (nAlign & DT_RIGHT)
                    rc.left = rc.right - nTotal;
                else
                {
                    rc.left += (rc.right - rc.left - nTotal) / 2;
                    rc.right = rc.left + nTotal;
                }
            }
        }
        if (nIcon >= 0)
        {
            if (nAlign & LVK_REPORT_ICON_CENTER)
            {
                const int x = (rc.left + rc.right - nIconSpace) / 2;
                DrawColumnIcon(pDC, pColumn, rcColumn, RECT{x, rc.top, x + nIconSpace, rc.bottom}, nIcon);
                rc.left = x + nIconSpace + LVKScaleX(2);
            }
            else if (nAlign & LVK_REPORT_ICON_RIGHT)
            {
                DrawColumnIcon(pDC, pColumn, rcColumn, RECT{rc.right - nIconSpace, rc.top, rc.right, rc.bottom},
                               nIcon);
                rc.right -= nIconSpace;
            }
            else
                rc.left += DrawColumnIcon(pDC, pColumn, rcColumn, rc, nIcon) + LVKScaleX(2);
        }
    }

    SetBkMode(hDC, TRANSPARENT);
    RECT rcText{rc.left + LVKScaleX(2), rc.top, rc.right - LVKScaleX(2), rc.bottom};
    int xArrow = rcText.right - nArrowWidth;
    const BOOL bShowCaption = pColumn->IsShowCaption();
    if (!strCaption.IsEmpty() && !IsRectEmpty(&rcText) && bShowCaption)
    {
        if (bArrow)
        {
            xArrow = rcText.left + nGap + nCaptionWidth;
            if (m_nSortArrowMode == 1 && xArrow + nArrowWidth > rcText.right &&
                rcText.right - rcText.left >= nArrowWidth)
                xArrow = rcText.right - nArrowWidth;
            if (m_bSortArrowAtRightEdge)
                xArrow = rcText.right - nArrowWidth;
            rcText.right = std::min<LONG>(rcText.right, std::max<LONG>(rcText.left, xArrow - LVKScaleX(2)));
            if (m_nSortArrowMode == 1)
                rcText.right = std::min(rcText.right, rc.right - LVKScaleX(2) - nGap - nArrowWidth - LVKScaleX(2));
        }
        DrawColumnCaption(pDC, rcText, strCaption, nAlign, bPlainButton, bTracked);
    }
    else if (bArrow)
        xArrow = rc.left + LVKScaleX(2);
    if (bArrow)
    {
        const RECT rcArrow{xArrow, rc.top, xArrow + nArrowWidth, rc.bottom};
        if (rc.right - LVKScaleX(2) - xArrow >= nArrowWidth && rcArrow.right <= rcColumn.right)
            DrawSortArrow(pDC, rcArrow, !pColumn->IsSortedIncreasing(), bColumnPressed, nShadowWidth, bTracked);
    }
    font.RestoreFont();
    DrawResizeTracker(pDC, rcColumn, bTracked, bColumnPressed, nShadowWidth);
}

int CLVKReportPaintManager::CalcColumnHeaderHeight(CDC* pDC, CLVKReportColumn* pColumn, int nTotalWidth)
{
    CString strCaption = pColumn->GetCaption();
    if (strCaption.IsEmpty() || !pColumn->IsShowCaption())
        return LVKScaleY(8);
    if (m_bUpperCaseCaptions)
        strCaption.MakeUpper();
    HDC hDC = pDC->m_hDC;
    CLVKFontDC font(pDC, &m_fontCaption);
    const int nCaptionWidth = TextExtent(hDC, strCaption).cx;
    RECT rc{0, 0, pColumn->GetWidth(), 0};
    (void)nTotalWidth;
    CLVKReportControl* pControl = pColumn->GetControl();
    if (pControl && pColumn == pControl->GetColumns()->GetFirstVisibleColumn())
        rc.left += pControl->GetGroupIndent();
    const BOOL bSorted = pColumn->IsSortedOrGrouped() && pColumn->IsSortable();
    if (bSorted && (m_nSortArrowMode == 1 ||
                    (m_nSortArrowMode == 0 && rc.right - rc.left >= LVKScaleX(6) + nCaptionWidth + LVKScaleX(28))))
        rc.right -= LVKScaleX(28);
    if (pColumn->IsPlusMinus() && pColumn->GetNextVisualBlock() != 0)
        rc.right -= DrawGlyph(nullptr, rc, 6).cx + LVKScaleX(2);
    if (pColumn->GetIconID() >= 0)
        rc.left += DrawItemIcon(nullptr, pControl, RECT{0, 0, 10000, 10000}, pColumn->GetIconID()) + LVKScaleX(2);
    rc.left += LVKScaleX(3);
    rc.right -= LVKScaleX(3);
    int nHeight = 0;
    if (rc.right > rc.left)
    {
        const UINT nFlags = (pColumn->GetHeaderAlignment() & DT_WORDBREAK)
                                ? DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS
                                : DT_SINGLELINE | DT_VCENTER | DT_CALCRECT | DT_NOPREFIX | DT_END_ELLIPSIS;
        DrawTextW(hDC, strCaption, strCaption.GetLength(), &rc, nFlags);
        nHeight = rc.bottom - rc.top;
    }
    return nHeight + LVKScaleY(8);
}

void CLVKReportPaintManager::DrawNoGroupByText(CDC* pDC, RECT rcGroupBy)
{
    if (!m_pControl)
        return;
    HDC hDC = pDC->m_hDC;
    CLVKFontDC font(pDC, &m_fontCaption);
    const int nTextWidth = TextExtent(hDC, m_strNoGroupBy).cx;
    RECT rcBox = rcGroupBy;
    rcBox.right = rcBox.left + std::max(LVKScaleX(55), nTextWidth + LVKScaleX(8));
    SetTextColor(hDC, m_clrNoGroupByText);
    SetBkMode(hDC, TRANSPARENT);
    FillHeaderControl(pDC, rcBox);
    DrawTextW(hDC, m_strNoGroupBy, m_strNoGroupBy.GetLength(), &rcBox,
              DT_CENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
}

LRESULT CLVKReportPaintManager::DrawControlBorder(CDC* /*pDC*/, RECT /*rcWindow*/, CWnd* pWnd)
{
    if (!pWnd || !pWnd->GetSafeHwnd())
        return 0;
    return pWnd->DefWindowProc(WM_NCPAINT, 1, 0);
}
