#include "ReportPaintManager.h"

#include "ReportColumn.h"
#include "ReportColumns.h"
#include "ReportControl.h"
#include "ReportGroupRow.h"
#include "ReportHeader.h"
#include "ReportInplaceButton.h"
#include "ReportRecordItemControl.h"
#include "ReportRecord.h"
#include "ReportRecordItem.h"
#include "ReportRow.h"
#include "ReportRows.h"
#include "ReportSelectedRows.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/ResourceManager.h"

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

void FillSolid(HDC hDC, const RECT& rc, COLORREF clr)
{
    const COLORREF clrOld = SetBkColor(hDC, clr);
    ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    SetBkColor(hDC, clrOld);
}

void Line(HDC hDC, int x1, int y1, int x2, int y2, COLORREF clr)
{
    HPEN hPen = CreatePen(PS_SOLID, 1, clr);
    HGDIOBJ hOld = SelectObject(hDC, hPen);
    MoveToEx(hDC, x1, y1, nullptr);
    LineTo(hDC, x2, y2);
    SelectObject(hDC, hOld);
    DeleteObject(hPen);
}

CString LoadText(UINT nID, LPCWSTR lpszDefault)
{
    CString str;
    if (CLVKResourceManager::GetGlobal()->LoadString(&str, nID) && !str.IsEmpty())
        return str;
    return CString(lpszDefault);
}

int SpaceHeight(CFont* pFont)
{
    HDC hDC = GetDC(nullptr);
    HGDIOBJ hOld = SelectObject(hDC, pFont->m_hObject);
    SIZE sz{};
    GetTextExtentPoint32W(hDC, L" ", 1, &sz);
    SelectObject(hDC, hOld);
    ReleaseDC(nullptr, hDC);
    return sz.cy;
}
}  // namespace

CLVKReportPaintManager::CLVKReportPaintManager()
{
    m_strNoItems = LoadText(9557, L"There are no items to show.");
    m_strNoGroupBy = LoadText(9556, L"Drag a column header here to group by that column.");
    m_strSortBy = LoadText(9559, L"Sort by:") + L" ";
    m_strIncreasing = LoadText(9564, L"/Increasing");
    m_strDecreasing = LoadText(9565, L"/Decreasing");
    m_strExpand = LoadText(9566, L"Expand");
    m_strCollapse = LoadText(9567, L"Collapse");
    m_nTreeIndent = Sx(20);
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
    m_nRowHeight = max(Sy(m_nRowHeightDefault), SpaceHeight(&m_fontText) + Sy(4));
}

void CLVKReportPaintManager::SetCaptionFont(const LOGFONTW& lf)
{
    m_fontCaption.DeleteObject();
    m_fontCaption.CreateFontIndirect(&lf);
    m_nHeaderHeight = max(Sy(22), SpaceHeight(&m_fontCaption) + Sy(8));
    m_nFooterHeight = m_nHeaderHeight;
}

void CLVKReportPaintManager::RefreshMetrics()
{
    m_clrHighlight.SetStandardValue(GetSysColor(COLOR_HIGHLIGHT));
    m_clrHighlightText.SetStandardValue(GetSysColor(COLOR_HIGHLIGHTTEXT));
    m_clrWindowText.SetStandardValue(GetSysColor(COLOR_WINDOWTEXT));
    m_clrControlBack.SetStandardValue(GetSysColor(COLOR_WINDOW));
    m_clrBtnFace.SetStandardValue(GetSysColor(COLOR_BTNFACE));
    m_clrBtnText.SetStandardValue(GetSysColor(COLOR_BTNTEXT));
    m_clrControlDark.SetStandardValue(GetSysColor(COLOR_BTNSHADOW));
    m_clrControlLightLight.SetStandardValue(GetSysColor(COLOR_BTNHIGHLIGHT));
    m_clrHeaderControl.SetStandardValue(m_clrBtnFace);
    m_clrCaptionText.SetStandardValue(m_clrBtnText);
    m_clrGroupRowText.SetStandardValue(m_clrControlDark);
    m_clrGroupShadeBack.SetStandardValue(m_clrBtnFace);
    m_clrGroupShadeText.SetStandardValue(m_clrBtnText);
    m_clrGroupShadeBorder.SetStandardValue(m_clrControlDark);
    m_clrGroupBoxBack.SetStandardValue(m_clrControlDark);
    m_clrIndentControl.SetStandardValue(m_clrBtnFace);
    m_clrSelectedRow.SetStandardValue(m_clrBtnFace);
    m_clrSelectedRowText.SetStandardValue(m_clrBtnText);
    m_clrGridLine.SetStandardValue(m_clrControlDark);
    m_clrNoGroupByText.SetStandardValue(m_clrControlDark);
    m_clrConnector.SetStandardValue(m_clrWindowText);
    m_clrBtnFacePressed.SetStandardValue(m_clrBtnFace);
    m_clrCaptionTextPressed.SetStandardValue(m_clrBtnText);
    m_clrGradientColumnSeparator.SetStandardValue(m_clrControlDark);
    m_clrColumnShadow.SetStandardValue(m_clrControlDark);
    m_grcColumnNormal.SetStandardColors(m_clrBtnFace, m_clrBtnFace);
    m_grcColumnPressed.SetStandardColors(m_clrControlDark, m_clrControlDark);
}

int CLVKReportPaintManager::GetGroupRowHeight() const
{
    return m_nRowHeight + Sy(6);
}

int CLVKReportPaintManager::GetRowHeight(CDC* pDC, CLVKReportRow* pRow, int nTotalWidth)
{
    (void)pDC;
    (void)nTotalWidth;
    if (pRow && pRow->IsGroupRow())
        return GetGroupRowHeight() + (m_bShadeGroupHeadings ? 0 : 0);
    if (m_bFixedRowHeight || !pRow)
        return m_nRowHeight + (IsGridHorizontal() ? 1 : 0);
    if (m_bRowHeightCached && pRow->m_nMeasuredHeight > 0)
        return pRow->m_nMeasuredHeight;
    // Word-wrapped rows: the tallest caption of the row's word-wrapped cells.
    int nHeight = m_nRowHeight;
    CLVKReportControl* pControl = pRow->GetControl();
    CLVKReportRecord* pRecord = pRow->GetRecord();
    if (pRecord && pControl && pDC)
    {
        CLVKReportColumns* pColumns = pControl->GetColumns();
        HGDIOBJ hOld = SelectObject(pDC->m_hDC, m_fontText.m_hObject);
        for (int i = 0; i < pColumns->GetCount(); i++)
        {
            CLVKReportColumn* pColumn = pColumns->GetAt(i);
            if (!pColumn->IsVisible() || !(pColumn->GetAlignment() & DT_WORDBREAK))
                continue;
            CLVKReportRecordItem* pItem = pRecord->GetItem(pColumn);
            if (!pItem)
                continue;
            const CString strCaption = pItem->GetCaption(pColumn);
            RECT rc{0, 0, max(1, pColumn->GetWidth() - Sx(4)), 0};
            DrawTextW(pDC->m_hDC, strCaption, strCaption.GetLength(), &rc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            nHeight = max(nHeight, static_cast<int>(rc.bottom) + Sy(4));
        }
        SelectObject(pDC->m_hDC, hOld);
    }
    nHeight += IsGridHorizontal() ? 1 : 0;
    if (m_bRowHeightCached)
        pRow->m_nMeasuredHeight = nHeight;
    return nHeight;
}

int CLVKReportPaintManager::GetHeaderHeight(CLVKReportControl*, CDC*)
{
    return m_nHeaderHeight;
}

int CLVKReportPaintManager::GetFooterHeight(CLVKReportControl*, CDC*)
{
    return m_nFooterHeight;
}

void CLVKReportPaintManager::FillItemMetrics(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                             LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    pMetrics->pFont = &m_fontText;
    pMetrics->clrForeground = m_clrWindowText;
    pMetrics->clrBackground = static_cast<COLORREF>(-1);
    pMetrics->nColumnAlignment = pDrawArgs->nTextAlign;
}

void CLVKReportPaintManager::FillGroupRowMetrics(CLVKReportGroupRow* pRow, LVK_REPORTRECORDITEM_METRICS* pMetrics,
                                                 BOOL bPrinting)
{
    pMetrics->pFont = m_bGroupRowTextBold ? &m_fontBoldText : &m_fontText;
    pMetrics->clrForeground = m_bShadeGroupHeadings ? m_clrGroupShadeText : m_clrGroupRowText;
    pMetrics->clrBackground = m_bShadeGroupHeadings ? m_clrGroupShadeBack.GetColor() : static_cast<COLORREF>(-1);
    if (!bPrinting && pRow->IsSelected())
    {
        CLVKReportControl* pControl = pRow->GetControl();
        if (pControl && pControl->HasFocus())
        {
            pMetrics->clrBackground = m_clrHighlight;
            pMetrics->clrForeground = m_clrHighlightText;
        }
        else if (!m_bHideSelection)
        {
            pMetrics->clrBackground = m_clrSelectedRow;
            pMetrics->clrForeground = m_clrSelectedRowText;
        }
    }
}

void CLVKReportPaintManager::DrawItemBackground(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, LVK_REPORTRECORDITEM_METRICS*)
{
    CLVKReportRow* pRow = pDrawArgs->pRow;
    if (!pRow || !pRow->IsSelected() || pDrawArgs->pDC->m_bPrinting)
        return;
    const BOOL bFocused = pDrawArgs->pControl->HasFocus();
    if (!bFocused && m_bHideSelection)
        return;
    FillSolid(pDrawArgs->pDC->m_hDC, pDrawArgs->rcItem, bFocused ? m_clrHighlight : m_clrSelectedRow);
}

void CLVKReportPaintManager::DrawItemCaption(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                             LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    HDC hDC = pDrawArgs->pDC->m_hDC;
    RECT rcText = pDrawArgs->rcItem;
    rcText.left += Sx(2);
    rcText.right -= Sx(2);
    CString strText = pMetrics->strText;
    if (strText.IsEmpty())
        return;
    const int nAlign = pMetrics->nColumnAlignment & (DT_LEFT | DT_CENTER | DT_RIGHT);
    UINT nFormat = DT_NOPREFIX | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | nAlign;
    if (!m_bFixedRowHeight && (pMetrics->nColumnAlignment & DT_WORDBREAK))
        nFormat = DT_NOPREFIX | DT_WORDBREAK | DT_END_ELLIPSIS | nAlign;
    SetBkMode(hDC, TRANSPARENT);
    CLVKReportRecordItem* pItem = pDrawArgs->pItem;
    const int nLinks = pItem ? pItem->GetHyperlinksCount() : 0;
    if (nLinks == 0 || nAlign != DT_LEFT)
    {
        DrawTextW(hDC, strText, strText.GetLength(), &rcText, nFormat);
        return;
    }
    // Captions with hyperlinks are drawn piece by piece, left aligned, so that
    // each link's hit rectangle is known.
    TEXTMETRICW tm{};
    GetTextMetricsW(hDC, &tm);
    const int y = (rcText.top + rcText.bottom - tm.tmHeight) / 2;
    int x = rcText.left;
    int nPos = 0;
    const COLORREF clrText = GetTextColor(hDC);
    HFONT hFont = static_cast<HFONT>(GetCurrentObject(hDC, OBJ_FONT));
    LOGFONTW lf{};
    GetObjectW(hFont, sizeof(lf), &lf);
    for (int i = 0; i <= nLinks && x < rcText.right; i++)
    {
        CLVKReportHyperlink* pLink = i < nLinks ? pItem->GetHyperlinkAt(i) : nullptr;
        const int nLinkStart =
            pLink ? min(max(pLink->m_nHyperTextBegin, nPos), strText.GetLength()) : strText.GetLength();
        if (nLinkStart > nPos)
        {
            SIZE sz{};
            GetTextExtentPoint32W(hDC, static_cast<LPCWSTR>(strText) + nPos, nLinkStart - nPos, &sz);
            RECT rc{x, rcText.top, min<LONG>(x + sz.cx, rcText.right), rcText.bottom};
            ExtTextOutW(hDC, x, y, ETO_CLIPPED, &rc, static_cast<LPCWSTR>(strText) + nPos, nLinkStart - nPos, nullptr);
            x += sz.cx;
        }
        if (!pLink)
            break;
        const int nLinkEnd = min(strText.GetLength(), nLinkStart + max(0, pLink->m_nHyperTextLen));
        SIZE sz{};
        GetTextExtentPoint32W(hDC, static_cast<LPCWSTR>(strText) + nLinkStart, nLinkEnd - nLinkStart, &sz);
        RECT rc{x, rcText.top, min<LONG>(x + sz.cx, rcText.right), rcText.bottom};
        CFont fontLink;
        LOGFONTW lfLink = lf;
        lfLink.lfUnderline = TRUE;
        fontLink.CreateFontIndirect(&lfLink);
        HGDIOBJ hOld = SelectObject(hDC, fontLink.m_hObject);
        SetTextColor(hDC, pDrawArgs->pRow && pDrawArgs->pRow->IsSelected() ? clrText : m_clrHyperlink);
        ExtTextOutW(hDC, x, y, ETO_CLIPPED, &rc, static_cast<LPCWSTR>(strText) + nLinkStart, nLinkEnd - nLinkStart,
                    nullptr);
        SelectObject(hDC, hOld);
        SetTextColor(hDC, clrText);
        pLink->m_rcHyperSpot = RECT{x, y, x + sz.cx, y + tm.tmHeight};
        x += sz.cx;
        nPos = nLinkEnd;
    }
}

void CLVKReportPaintManager::DrawGroupRow(CDC* pDC, CLVKReportGroupRow* pRow, RECT rcRow,
                                          LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    HDC hDC = pDC->m_hDC;
    if (pMetrics->clrBackground != static_cast<COLORREF>(-1))
        FillSolid(hDC, rcRow, pMetrics->clrBackground);
    const int nIndent = pRow->GetTreeDepth() * m_nTreeIndent;
    RECT rcGlyph{rcRow.left + nIndent + Sx(4), 0, 0, 0};
    const SIZE szGlyph = DrawExpandGlyph(nullptr, rcGlyph, pRow->IsExpanded());
    rcGlyph.top = (rcRow.top + rcRow.bottom - szGlyph.cy) / 2;
    rcGlyph.right = rcGlyph.left + szGlyph.cx;
    rcGlyph.bottom = rcGlyph.top + szGlyph.cy;
    DrawExpandGlyph(pDC, rcGlyph, pRow->IsExpanded());
    pRow->SetCollapseRect(rcGlyph);

    RECT rcText{rcGlyph.right + Sx(m_nTreeTextIndentGroupRow), rcRow.top, rcRow.right, rcRow.bottom - Sy(2)};
    HGDIOBJ hOld = SelectObject(hDC, pMetrics->pFont ? pMetrics->pFont->m_hObject : m_fontText.m_hObject);
    SetTextColor(hDC, pMetrics->clrForeground);
    SetBkMode(hDC, TRANSPARENT);
    CString strText = pMetrics->strText;
    if (m_bUpperCaseCaptions)
        strText.MakeUpper();
    DrawTextW(hDC, strText, strText.GetLength(), &rcText,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT);
    SelectObject(hDC, hOld);

    RECT rcLine{rcRow.left + nIndent, rcRow.bottom - Sy(m_nGroupGridLineHeight), rcRow.right, rcRow.bottom};
    FillSolid(hDC, rcLine, m_bShadeGroupHeadings ? m_clrGroupShadeBorder : m_clrGroupRowText);
    if (pRow->IsFocused() && pRow->GetControl()->HasFocus() && pRow->GetControl()->IsFocusFrameShown())
    {
        RECT rcFocus = rcRow;
        rcFocus.bottom -= Sy(m_nGroupGridLineHeight);
        DrawFocusedRow(pDC, rcFocus);
    }
}

void CLVKReportPaintManager::DrawFocusedRow(CDC* pDC, RECT rcRow)
{
    const COLORREF clrOldText = SetTextColor(pDC->m_hDC, m_clrControlBack);
    const COLORREF clrOldBack = SetBkColor(pDC->m_hDC, m_clrWindowText);
    DrawFocusRect(pDC->m_hDC, &rcRow);
    SetTextColor(pDC->m_hDC, clrOldText);
    SetBkColor(pDC->m_hDC, clrOldBack);
}

void CLVKReportPaintManager::DrawGridLine(CDC* pDC, CLVKReportColumn*, RECT rcCell, BOOL bHorizontal)
{
    const int nStyle = bHorizontal ? m_nHorizontalGridStyle : m_nVerticalGridStyle;
    if (nStyle == 0)
        return;
    RECT rc = rcCell;
    if (bHorizontal)
        rc.top = rc.bottom - 1;
    else
        rc.left = rc.right - 1;
    if (nStyle == 4)
    {
        FillSolid(pDC->m_hDC, rc, m_clrGridLine);
        return;
    }
    const int nStep = nStyle == 1 ? 2 : (nStyle == 2 ? 4 : 6);
    if (bHorizontal)
    {
        for (int x = rc.left; x < rc.right; x += nStep)
            SetPixel(pDC->m_hDC, x, rc.top, m_clrGridLine);
    }
    else
    {
        for (int y = rc.top; y < rc.bottom; y += nStep)
            SetPixel(pDC->m_hDC, rc.left, y, m_clrGridLine);
    }
}

void CLVKReportPaintManager::FillIndent(CDC* pDC, RECT rc)
{
    FillSolid(pDC->m_hDC, rc, m_clrIndentControl);
}

void CLVKReportPaintManager::FillItemShade(CDC* pDC, RECT rc)
{
    if (m_bShadeSortColumn)
        FillSolid(pDC->m_hDC, rc, m_clrItemShade);
}

SIZE CLVKReportPaintManager::DrawExpandGlyph(CDC* pDC, RECT rcGlyph, BOOL bExpanded)
{
    return DrawGlyph(pDC, rcGlyph, bExpanded ? 0 : 1);
}

SIZE CLVKReportPaintManager::DrawGlyph(CDC* pDC, RECT rcGlyph, int nGlyph)
{
    if (m_hGlyphStrip && nGlyph >= 0 && nGlyph < 11)
    {
        const SIZE szCell{m_nGlyphCell, m_nGlyphCell};
        if (!pDC)
            return szCell;
        HDC hMemDC = CreateCompatibleDC(pDC->m_hDC);
        HGDIOBJ hOld = SelectObject(hMemDC, m_hGlyphStrip);
        TransparentBlt(pDC->m_hDC, rcGlyph.left, rcGlyph.top, m_nGlyphCell, m_nGlyphCell, hMemDC, nGlyph * m_nGlyphCell,
                       0, m_nGlyphCell, m_nGlyphCell, RGB(255, 0, 255));
        SelectObject(hMemDC, hOld);
        DeleteDC(hMemDC);
        return szCell;
    }
    // Without the strip (resources not linked) the glyphs are drawn.
    const int nSize = Sx(m_nGlyphSize);
    const SIZE sz{nSize, nSize};
    if (!pDC)
        return sz;
    HDC hDC = pDC->m_hDC;
    RECT rc{rcGlyph.left, rcGlyph.top, rcGlyph.left + nSize, rcGlyph.top + nSize};
    InflateRect(&rc, -1, -1);
    const COLORREF clrFrame = m_clrControlDark;
    const COLORREF clrMark = m_clrWindowText;
    const BOOL bDisabled = nGlyph == 4 || nGlyph == 5;
    FillSolid(hDC, rc, bDisabled ? m_clrBtnFace.GetColor() : m_clrControlBack.GetColor());
    HBRUSH hFrame = CreateSolidBrush(clrFrame);
    FrameRect(hDC, &rc, hFrame);
    DeleteObject(hFrame);
    const int cx = (rc.left + rc.right) / 2;
    const int cy = (rc.top + rc.bottom) / 2;
    const int d = (rc.right - rc.left) / 2 - 2;
    switch (nGlyph)
    {
    case 0:
    case 1:
        Line(hDC, cx - d, cy, cx + d + 1, cy, clrMark);
        if (nGlyph == 1)
            Line(hDC, cx, cy - d, cx, cy + d + 1, clrMark);
        break;
    case 3:
    case 5:
        for (int i = 0; i < 2; i++)
        {
            Line(hDC, cx - d, cy - 1 + i, cx - 1, cy + d - 1 + i, clrMark);
            Line(hDC, cx - 1, cy + d - 1 + i, cx + d + 1, cy - d - 1 + i, clrMark);
        }
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

void CLVKReportPaintManager::DrawNoItems(CDC* pDC, RECT rc, LPCWSTR lpszText)
{
    if (!lpszText || !*lpszText)
        return;
    HDC hDC = pDC->m_hDC;
    const COLORREF clr = CLVKDrawHelpers::MixColors(m_clrWindowText, m_clrControlBack, 0.5);
    SetTextColor(hDC, clr);
    SetBkMode(hDC, TRANSPARENT);
    HGDIOBJ hOld = SelectObject(hDC, m_fontText.m_hObject);
    InflateRect(&rc, -Sx(5), -Sy(5));
    DrawTextW(hDC, lpszText, -1, &rc, 0x4A815);
    SelectObject(hDC, hOld);
}

void CLVKReportPaintManager::FillHeaderControl(CDC* pDC, RECT rcHeader)
{
    FillSolid(pDC->m_hDC, rcHeader, m_clrHeaderControl);
}

void CLVKReportPaintManager::DrawColumn(CDC* pDC, CLVKReportColumn* pColumn, CLVKReportHeader*, RECT rcColumn,
                                        BOOL bPressed)
{
    DrawColumnBackground(pDC, pColumn, rcColumn, bPressed);
    RECT rcText = rcColumn;
    rcText.left += Sx(6);
    rcText.right -= Sx(4);
    if (pColumn->IsSortedOrGrouped() && rcText.right - rcText.left > Sx(27))
    {
        rcText.right -= Sx(17);
        RECT rcArrow{rcText.right + Sx(4), rcColumn.top, rcText.right + Sx(13), rcColumn.bottom};
        DrawSortArrow(pDC, rcArrow, pColumn->IsSortedIncreasing());
    }
    DrawColumnCaption(pDC, pColumn, rcText);
}

void CLVKReportPaintManager::DrawColumnBackground(CDC* pDC, CLVKReportColumn*, RECT rcColumn, BOOL bPressed)
{
    HDC hDC = pDC->m_hDC;
    FillSolid(hDC, rcColumn, bPressed ? m_clrControlDark.GetColor() : m_clrHeaderControl.GetColor());
    // 3D edges: light at the top left, dark at the bottom right.
    Line(hDC, rcColumn.left, rcColumn.top, rcColumn.right, rcColumn.top, m_clrControlLightLight);
    Line(hDC, rcColumn.left, rcColumn.top, rcColumn.left, rcColumn.bottom, m_clrControlLightLight);
    Line(hDC, rcColumn.right - 1, rcColumn.top, rcColumn.right - 1, rcColumn.bottom, m_clrControlDark);
    Line(hDC, rcColumn.left, rcColumn.bottom - 1, rcColumn.right, rcColumn.bottom - 1, m_clrControlDark);
}

void CLVKReportPaintManager::DrawColumnCaption(CDC* pDC, CLVKReportColumn* pColumn, RECT rcText)
{
    HDC hDC = pDC->m_hDC;
    HGDIOBJ hOld = SelectObject(hDC, m_fontCaption.m_hObject);
    SetTextColor(hDC, m_clrCaptionText);
    SetBkMode(hDC, TRANSPARENT);
    CString strCaption = pColumn->GetCaption();
    if (m_bUpperCaseCaptions)
        strCaption.MakeUpper();
    const int nAlign = pColumn->GetHeaderAlignment() & (DT_CENTER | DT_RIGHT);
    DrawTextW(hDC, strCaption, strCaption.GetLength(), &rcText,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | nAlign);
    SelectObject(hDC, hOld);
}

void CLVKReportPaintManager::DrawSortArrow(CDC* pDC, RECT rcArrow, BOOL bAscending)
{
    const int cx = (rcArrow.left + rcArrow.right) / 2;
    const int cy = (rcArrow.top + rcArrow.bottom) / 2;
    const int d = Sx(4);
    POINT pts[3];
    if (bAscending)
    {
        pts[0] = POINT{cx - d, cy + d / 2};
        pts[1] = POINT{cx + d, cy + d / 2};
        pts[2] = POINT{cx, cy - d / 2 - 1};
    }
    else
    {
        pts[0] = POINT{cx - d, cy - d / 2};
        pts[1] = POINT{cx + d, cy - d / 2};
        pts[2] = POINT{cx, cy + d / 2 + 1};
    }
    CLVKDrawHelpers::DrawTriangle(pDC, pts[0], pts[1], pts[2], m_clrControlDark, m_clrControlDark);
}

void CLVKReportPaintManager::DrawColumnFooter(CDC* pDC, CLVKReportColumn* pColumn, RECT rcColumn)
{
    HDC hDC = pDC->m_hDC;
    Line(hDC, rcColumn.right - 1, rcColumn.top + Sy(3), rcColumn.right - 1, rcColumn.bottom - Sy(3), m_clrControlDark);
    RECT rcText = rcColumn;
    rcText.left += Sx(6);
    rcText.right -= Sx(4);
    HGDIOBJ hOld = SelectObject(hDC, m_fontCaption.m_hObject);
    SetTextColor(hDC, m_clrCaptionText);
    SetBkMode(hDC, TRANSPARENT);
    const CString& str = pColumn->GetFooterText();
    DrawTextW(hDC, str, str.GetLength(), &rcText,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | (pColumn->GetAlignment() & 3));
    SelectObject(hDC, hOld);
}

void CLVKReportPaintManager::FillGroupByControl(CDC* pDC, RECT rcGroupBy)
{
    FillSolid(pDC->m_hDC, rcGroupBy, m_clrGroupBoxBack);
}

void CLVKReportPaintManager::DrawNoGroupByText(CDC* pDC, RECT rcGroupBy)
{
    HDC hDC = pDC->m_hDC;
    HGDIOBJ hOld = SelectObject(hDC, m_fontCaption.m_hObject);
    SetTextColor(hDC, m_clrNoGroupByText.GetColor() == m_clrGroupBoxBack.GetColor() ? m_clrBtnFace.GetColor()
                                                                                    : m_clrNoGroupByText.GetColor());
    SetBkMode(hDC, TRANSPARENT);
    RECT rc = rcGroupBy;
    rc.left += Sx(9);
    DrawTextW(hDC, m_strNoGroupBy, m_strNoGroupBy.GetLength(), &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(hDC, hOld);
}

// In-place buttons -------------------------------------------------------------

namespace
{
void DrawButtonGlyph(CDC* pDC, const RECT& rc, UINT nID, BOOL bUpper)
{
    const COLORREF clr = GetSysColor(COLOR_BTNTEXT);
    const int cx = (rc.left + rc.right) / 2;
    const int cy = (rc.top + rc.bottom) / 2;
    const int d = Sx(3);
    if (nID == LVK_REPORT_INPLACEBUTTON_EXPAND)
    {
        for (int i = 0; i < 3; i++)
        {
            const RECT rcDot{rc.left + Sx(3 + 4 * i), rc.bottom - Sy(5), rc.left + Sx(5 + 4 * i), rc.bottom - Sy(3)};
            FillSolid(pDC->m_hDC, rcDot, clr);
        }
        return;
    }
    if (nID == LVK_REPORT_INPLACEBUTTON_SPIN && bUpper)
        CLVKDrawHelpers::DrawTriangle(pDC, POINT{cx - d, cy + 1}, POINT{cx + d, cy + 1}, POINT{cx, cy - d + 1}, clr,
                                      clr);
    else
        CLVKDrawHelpers::DrawTriangle(pDC, POINT{cx - d, cy - 1}, POINT{cx + d, cy - 1}, POINT{cx, cy + d - 1}, clr,
                                      clr);
}
}  // namespace

void CLVKReportPaintManager::DrawInplaceButtonFrame(CDC* pDC, RECT rcButton, BOOL bPressed)
{
    FillSolid(pDC->m_hDC, rcButton, GetSysColor(COLOR_BTNFACE));
    DrawEdge(pDC->m_hDC, &rcButton, bPressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
}

void CLVKReportPaintManager::DrawInplaceButton(CDC* pDC, CLVKReportInplaceButton* pButton)
{
    RECT rc{};
    ::GetClientRect(pButton->m_hWnd, &rc);
    if (pButton->GetID() == LVK_REPORT_INPLACEBUTTON_SPIN)
    {
        RECT rcUpper = rc;
        rcUpper.bottom = (rc.top + rc.bottom) / 2;
        RECT rcLower = rc;
        rcLower.top = rcUpper.bottom;
        DrawInplaceButtonFrame(pDC, rcUpper, pButton->IsPressed() && pButton->GetPressedSpinPart() == 1);
        DrawInplaceButtonFrame(pDC, rcLower, pButton->IsPressed() && pButton->GetPressedSpinPart() == 2);
        DrawButtonGlyph(pDC, rcUpper, pButton->GetID(), TRUE);
        DrawButtonGlyph(pDC, rcLower, pButton->GetID(), FALSE);
        return;
    }
    DrawInplaceButtonFrame(pDC, rc, pButton->IsPressed());
    DrawButtonGlyph(pDC, rc, pButton->GetID(), FALSE);
}

BOOL CLVKReportPaintManager::DrawInplaceComboButton(CDC* pDC, RECT rcButton)
{
    if (!m_bShowInplaceButtonGlyphs || (pDC && pDC->m_bPrinting))
        return FALSE;
    DrawInplaceButtonFrame(pDC, rcButton, FALSE);
    DrawButtonGlyph(pDC, rcButton, LVK_REPORT_INPLACEBUTTON_COMBO, FALSE);
    return TRUE;
}

BOOL CLVKReportPaintManager::DrawInplaceExpandButton(CDC* pDC, RECT rcButton)
{
    if (!m_bShowInplaceButtonGlyphs || (pDC && pDC->m_bPrinting))
        return FALSE;
    DrawInplaceButtonFrame(pDC, rcButton, FALSE);
    DrawButtonGlyph(pDC, rcButton, LVK_REPORT_INPLACEBUTTON_EXPAND, FALSE);
    return TRUE;
}

BOOL CLVKReportPaintManager::DrawInplaceSpinButton(CDC* /*pDC*/, RECT /*rcButton*/)
{
    // A spin button is drawn in a cell only with the system's "SPIN" visual
    // style, which the classic painter does not use.
    return FALSE;
}

void CLVKReportPaintManager::DrawItemControl(LVK_REPORTRECORDITEM_DRAWARGS* pArgs,
                                             CLVKReportRecordItemControl* pControl, RECT& rcItem)
{
    HDC hDC = pArgs->pDC->m_hDC;
    const int nState = pControl->GetState();
    const BOOL bEnabled = pControl->GetEnable();
    UINT uState = DFCS_BUTTONPUSH;
    if (nState == LVK_REPORT_BUTTON_PRESSED)
        uState |= DFCS_PUSHED;
    if (!bEnabled)
        uState |= DFCS_INACTIVE;
    RECT rc = rcItem;
    DrawFrameControl(hDC, &rc, DFC_BUTTON, uState);
    if (nState == LVK_REPORT_BUTTON_PRESSED)
        OffsetRect(&rc, 1, 1);
    CFont* pFont = pControl->GetFont();
    HGDIOBJ hOld = SelectObject(hDC, pFont && pFont->GetSafeHandle() ? pFont->m_hObject : m_fontText.m_hObject);
    SetBkMode(hDC, TRANSPARENT);
    SetTextColor(hDC, bEnabled ? pControl->GetCaptionColor() : GetSysColor(COLOR_GRAYTEXT));
    const CString strCaption = pControl->GetCaption();
    DrawTextW(hDC, strCaption, strCaption.GetLength(), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    SelectObject(hDC, hOld);
}

CLVKReportHyperlinkStyle* CLVKReportPaintManager::GetHyperlinkStyle()
{
    m_styleHyperlink.SetColor(m_clrHyperlink);
    m_styleHyperlink.SetTextDecoration(0);
    return &m_styleHyperlink;
}

CLVKReportHyperlinkStyle* CLVKReportPaintManager::GetHyperlinkHoverStyle()
{
    m_styleHyperlinkHover.SetColor(m_clrHyperlinkHot);
    m_styleHyperlinkHover.SetTextDecoration(0);
    return &m_styleHyperlinkHover;
}
