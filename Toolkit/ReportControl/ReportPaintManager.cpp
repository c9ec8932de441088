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

namespace
{
void FillSolid(HDC hDC, const RECT& rc, COLORREF clr)
{
    LVKReportFillSolid(hDC, rc, clr);
}

// A string resource; empty when it does not load.
CString LoadText(UINT nID)
{
    CString str;
    if (!CLVKResourceManager::GetGlobal()->LoadString(&str, nID))
        str.Empty();
    return str;
}

int SpaceHeight(CFont* pFont)
{
    CClientDC dc(nullptr);
    CLVKFontDC font(&dc, pFont);
    SIZE sz{};
    GetTextExtentPoint32W(dc.m_hDC, L" ", 1, &sz);
    return sz.cy;
}

SIZE TextExtent(HDC hDC, const CString& str)
{
    SIZE sz{};
    GetTextExtentPoint32W(hDC, str, str.GetLength(), &sz);
    return sz;
}

// Character 1 stands for a space inside hyperlinks while text is broken
// into words; GDI gets spaces.
CString Unprotect(const CString& str)
{
    CString strOut = str;
    strOut.Replace(static_cast<WCHAR>(1), L' ');
    return strOut;
}

BOOL IsWordSeparator(WCHAR ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\n';
}

// Monochrome 8 x 8 patterns, one 16-bit word a row (the low byte holds the
// row's pixels, highest bit leftmost).
const WORD kPatternSmallDots[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
const WORD kPatternLargeDotsH[8] = {0xCC, 0x33, 0xCC, 0x33, 0xCC, 0x33, 0xCC, 0x33};
const WORD kPatternLargeDotsV[8] = {0xCC, 0xCC, 0x33, 0x33, 0xCC, 0xCC, 0x33, 0x33};
const WORD kPatternDashesH[8] = {0xE0, 0xE0, 0xE0, 0xE0, 0xE0, 0xE0, 0xE0, 0xE0};
const WORD kPatternDashesV[8] = {0xF0, 0xF0, 0xF0, 0xF0, 0x0F, 0x0F, 0x0F, 0x0F};
const WORD kPatternGroupLine[8] = {0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC};

const WORD* GridPattern(int nStyle, BOOL bVertical)
{
    switch (nStyle)
    {
    case 1:
        return kPatternSmallDots;
    case 2:
        return bVertical ? kPatternLargeDotsV : kPatternLargeDotsH;
    case 3:
        return bVertical ? kPatternDashesV : kPatternDashesH;
    default:
        return nullptr;
    }
}

// A bitmap drawn through a copy in the DC's background colour, as printers
// need; on the screen the icon is drawn directly.
void DrawIconAt(CDC* pDC, CLVKImageManagerIcon* pIcon, int x, int y)
{
    pIcon->Draw(pDC, x, y);
}
}  // namespace

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

// Heights ---------------------------------------------------------------------------

int CLVKReportPaintManager::GetFixedRowHeight(CDC* /*pDC*/, CLVKReportRow* pRow)
{
    if (pRow && pRow->IsGroupRow())
        return m_nRowHeight + (m_bShadeGroupHeadings ? LVKScaleY(6) : LVKScaleY(16));
    return m_nRowHeight + (IsGridHorizontal() ? LVKScaleY(1) : 0);
}

int CLVKReportPaintManager::GetRowHeight(CDC* pDC, CLVKReportRow* pRow, int nTotalWidth)
{
    return CalcRowHeight(pDC, pRow, nTotalWidth, TRUE);
}

int CLVKReportPaintManager::GetColumnWidthInRow(CLVKReportColumn* pColumn, int /*nTotalWidth*/) const
{
    const RECT& rc = pColumn->GetRect();
    const int nWidth = rc.right - rc.left;
    return nWidth > 0 ? nWidth : pColumn->GetWidth();
}

CLVKReportRecordItem* CLVKReportPaintManager::ItemOfRowAt(CLVKReportRow* pRow, CLVKReportColumn* pColumn) const
{
    CLVKReportRecord* pRecord = pRow ? pRow->GetRecord() : nullptr;
    return pRecord ? pRecord->GetItem(pColumn) : nullptr;
}

int CLVKReportPaintManager::CalcRowHeight(CDC* pDC, CLVKReportRow* pRow, int nTotalWidth, BOOL bAllowMerge)
{
    CLVKReportControl* pControl = pRow ? pRow->GetControl() : nullptr;
    if (!pControl)
        return 0;
    if (pControl->IsIconView())
    {
        const int nPerLine = pControl->GetIconViewItemsPerLine();
        return nPerLine == 0 || pRow->GetIndex() % nPerLine == 0 ? pControl->GetIconViewRowHeight() : 0;
    }
    CLVKReportRecord* pRecord = pRow->GetRecord();
    if (pControl->IsRowSizingAllowed() && !pRow->IsGroupRow())
    {
        // All rows of a record share one height, kept by the record.
        if (pRow->GetUserRowHeight() <= 0)
            pRow->SetUserRowHeight(pControl->GetDefaultRowHeight());
        if (pRecord)
        {
            if (pRecord->GetRowHeight() > 0)
                pRow->SetUserRowHeight(pRecord->GetRowHeight());
            else
                pRecord->SetRowHeight(pRow->GetUserRowHeight());
        }
        return pRow->GetUserRowHeight();
    }
    if (m_bFixedRowHeight || pRow->IsGroupRow() || !pRow->IsItemsVisible())
        return GetFixedRowHeight(pDC, pRow);
    if (!pRecord)
        return 0;
    if (pControl->IsRowHeightCached() && pRow->m_nMeasuredHeight != -1)
        return pRow->m_nMeasuredHeight;

    CClientDC dcScreen(nullptr);
    CDC* pMeasureDC = pDC ? pDC : &dcScreen;
    int nHeight = m_nRowHeight + (IsGridHorizontal() ? LVKScaleY(1) : 0);
    BOOL bMerged = FALSE;
    CLVKReportColumns* pColumns = pControl->GetColumns();
    const BOOL bMerging = pControl->IsCellMergingEnabled() && !pControl->IsVirtualMode();
    for (int i = 0; i < pColumns->GetVisibleColumnsCount(); i++)
    {
        CLVKReportColumn* pColumn = pColumns->GetVisibleAt(i);
        CLVKReportRecordItem* pItem = pRecord->GetItem(pColumn);
        if (!pItem)
            continue;
        if (bMerging && pItem->IsMergeMember())
        {
            bMerged = TRUE;
            continue;
        }
        nHeight = std::max(nHeight,
                           CalcItemHeight(pMeasureDC, pRow, pColumn, pItem, GetColumnWidthInRow(pColumn, nTotalWidth)));
    }
    if (bMerged && bAllowMerge)
        nHeight = CalcMergedRowHeight(pMeasureDC, pRow, nHeight, nTotalWidth);
    if (pControl->IsRowHeightCached())
        pRow->m_nMeasuredHeight = nHeight;
    return nHeight;
}

int CLVKReportPaintManager::CalcItemHeight(CDC* pDC, CLVKReportRow* pRow, CLVKReportColumn* pColumn,
                                           CLVKReportRecordItem* pItem, int nWidth)
{
    CLVKReportControl* pControl = pRow->GetControl();
    LVK_REPORTRECORDITEM_DRAWARGS drawArgs;
    drawArgs.pControl = pControl;
    drawArgs.pRow = pRow;
    drawArgs.pColumn = pColumn;
    drawArgs.pItem = pItem;
    drawArgs.pDC = nullptr;
    drawArgs.nTextAlign = pColumn ? pColumn->GetAlignment() : 0;
    const LVKReportReference<LVK_REPORTRECORDITEM_METRICS> metrics(new LVK_REPORTRECORDITEM_METRICS());
    LVK_REPORTRECORDITEM_METRICS* pMetrics = metrics.get();
    pMetrics->strText = pItem->GetCaption(pColumn);
    pRow->FillItemMetrics(&drawArgs, pMetrics);
    CLVKFontDC font(pDC, pMetrics->pFont ? pMetrics->pFont : &m_fontText);

    int nTextWidth = nWidth - LVKScaleX(4);
    if (pColumn)
    {
        const int nLeft = pColumn->GetRect().left;
        nTextWidth -= pRow->AddTreeIndent(nLeft, pColumn) - nLeft;
    }
    RECT rcCaption{0, 0, nTextWidth, 0};
    LVK_REPORTRECORDITEM_ARGS args;
    args.pControl = pControl;
    args.pRow = pRow;
    args.pColumn = pColumn;
    args.pItem = pItem;
    args.rcItem = rcCaption;
    pItem->GetCaptionRect(&args, rcCaption);
    nTextWidth = rcCaption.right - rcCaption.left;

    int nIcon = pItem->GetIconIndex();
    if (nIcon < 0)
        nIcon = pMetrics->nItemIcon;
    int nIconWidth = 0;
    int nIconHeight = 0;
    if (nIcon >= 0 && pControl->GetImageManager())
    {
        if (CLVKImageManagerIcon* pIcon = pControl->GetImageManager()->FindIcon(nIcon, 0))
        {
            nIconWidth = pIcon->GetExtent().cx;
            nIconHeight = pIcon->GetExtent().cy;
        }
    }
    CString strCaption = pControl->IsVirtualMode() ? pMetrics->strText : pItem->GetCaption(pColumn);
    ProtectHyperlinkSpaces(pItem, strCaption);
    const BOOL bWordBreak = (pMetrics->nColumnAlignment & DT_WORDBREAK) != 0;
    const int nTextHeight =
        CalcTextHeight(pDC, strCaption, std::max(1, nTextWidth - nIconWidth - LVKScaleX(3)), bWordBreak);
    font.RestoreFont();
    return std::max(m_nRowHeight, LVKScaleY(5) + std::max(nIconHeight, nTextHeight)) +
           (IsGridHorizontal() ? LVKScaleY(1) : 0);
}

// Rows joined by merged cells share the height the merged cells need: the
// range of rows is found, each merged item is measured over its columns'
// widths and the missing height is spread over its rows.
int CLVKReportPaintManager::CalcMergedRowHeight(CDC* pDC, CLVKReportRow* pRow, int nHeight, int nTotalWidth)
{
    CLVKReportControl* pControl = pRow->GetControl();
    CLVKReportSection* pSection = pRow->GetSection();
    if (!pSection || pRow->GetIndex() < 0)
        return nHeight;
    CLVKReportRows* pRows = pSection->GetRows();
    CLVKReportColumns* pColumns = pControl->GetColumns();
    const int nVisible = pColumns->GetVisibleColumnsCount();
    auto sharesMaster = [&](CLVKReportRow* pA, CLVKReportRow* pB)
    {
        if (!pA || !pB)
            return FALSE;
        for (int c = 0; c < nVisible; c++)
        {
            CLVKReportColumn* pColumn = pColumns->GetVisibleAt(c);
            CLVKReportRecordItem* pItemA = ItemOfRowAt(pA, pColumn);
            CLVKReportRecordItem* pItemB = ItemOfRowAt(pB, pColumn);
            if (pItemA && pItemB && pItemA->GetMergeMaster() && pItemA->GetMergeMaster() == pItemB->GetMergeMaster())
                return TRUE;
        }
        return FALSE;
    };
    int nFirst = pRow->GetIndex();
    int nLast = nFirst;
    for (BOOL bGrew = TRUE; bGrew;)
    {
        bGrew = FALSE;
        while (nFirst > 0 && sharesMaster(pRows->GetAt(nFirst - 1), pRows->GetAt(nFirst)))
        {
            nFirst--;
            bGrew = TRUE;
        }
        while (nLast + 1 < pRows->GetCount() && sharesMaster(pRows->GetAt(nLast), pRows->GetAt(nLast + 1)))
        {
            nLast++;
            bGrew = TRUE;
        }
    }
    const int nCount = nLast - nFirst + 1;
    std::vector<int> slots(nCount, 0);
    std::vector<BOOL> counted(nCount, FALSE);
    struct MergeRange
    {
        int nRowFirst = INT_MAX;
        int nRowLast = -1;
        int nColumnFirst = INT_MAX;
        int nColumnLast = -1;
        CLVKReportRow* pRow = nullptr;
    };
    std::map<CLVKReportRecordItem*, MergeRange> ranges;
    std::vector<CLVKReportRecordItem*> order;
    for (int i = 0; i < nCount; i++)
    {
        CLVKReportRow* pRangeRow = pRows->GetAt(nFirst + i);
        if (!pRangeRow)
            continue;
        slots[i] = pRangeRow == pRow ? nHeight : CalcRowHeight(pDC, pRangeRow, nTotalWidth, FALSE);
        counted[i] = pRangeRow->IsItemsVisible();
        if (!counted[i])
            continue;
        for (int c = 0; c < nVisible; c++)
        {
            CLVKReportRecordItem* pItem = ItemOfRowAt(pRangeRow, pColumns->GetVisibleAt(c));
            CLVKReportRecordItem* pMaster = pItem ? pItem->GetMergeMaster() : nullptr;
            if (!pMaster)
                continue;
            MergeRange& range = ranges[pMaster];
            if (range.nRowLast < 0)
                order.push_back(pMaster);
            range.nRowFirst = std::min(range.nRowFirst, i);
            range.nRowLast = std::max(range.nRowLast, i);
            range.nColumnFirst = std::min(range.nColumnFirst, c);
            range.nColumnLast = std::max(range.nColumnLast, c);
            if (!range.pRow)
                range.pRow = pRangeRow;
        }
    }
    for (CLVKReportRecordItem* pMaster : order)
    {
        const MergeRange& range = ranges[pMaster];
        int nWidth = 0;
        for (int c = range.nColumnFirst; c <= range.nColumnLast; c++)
            nWidth += GetColumnWidthInRow(pColumns->GetVisibleAt(c), nTotalWidth);
        const int nNeeded =
            CalcItemHeight(pDC, range.pRow, pColumns->GetVisibleAt(range.nColumnFirst), pMaster, nWidth);
        std::vector<int> rows;
        for (int i = range.nRowFirst; i <= range.nRowLast; i++)
        {
            if (counted[i])
                rows.push_back(i);
        }
        DistributeMergedHeight(slots, rows, nNeeded);
    }
    for (int i = 0; i < nCount; i++)
    {
        if (CLVKReportRow* pRangeRow = pRows->GetAt(nFirst + i))
            pRangeRow->m_nMeasuredHeight = slots[i];
    }
    return slots[pRow->GetIndex() - nFirst];
}

void AFX_CDECL CLVKReportPaintManager::DistributeMergedHeight(std::vector<int>& slots, const std::vector<int>& rows,
                                                               int nNeeded)
{
    const int n = static_cast<int>(rows.size());
    if (n == 0)
        return;
    int nSum = 0;
    int nMax = 0;
    for (int i : rows)
    {
        nSum += slots[i];
        nMax = std::max(nMax, slots[i]);
    }
    const int nExtra = nNeeded - nSum;
    if (nExtra < 1)
        return;
    if (n == 1)
    {
        slots[rows[0]] += nExtra;
        return;
    }
    if (nExtra < n * nMax - nSum)
    {
        // The rows already as high as their share keep their height; the
        // others are raised to an even share of what is left.
        std::vector<int> rest;
        for (int i : rows)
        {
            if (slots[i] >= nNeeded / n)
                nSum -= slots[i];
            else
                rest.push_back(i);
        }
        if (rest.empty())
            return;
        const int nShare = (nSum + nExtra) / static_cast<int>(rest.size());
        for (int i : rest)
            slots[i] = std::max(slots[i], nShare);
        return;
    }
    const int nEach = nMax + (nExtra + nSum - n * nMax) / n;
    int nRemainder = (nExtra + nSum - n * nMax) % n;
    for (int i : rows)
    {
        slots[i] = nEach + (nRemainder > 0 ? 1 : 0);
        if (nRemainder > 0)
            nRemainder--;
    }
}

int CLVKReportPaintManager::GetHeaderHeight(CLVKReportControl* pControl, CDC* pDC, int nTotalWidth)
{
    if (m_bFixedRowHeight || !pControl || !pDC)
        return GetFixedHeaderHeight();
    int nHeight = GetFixedHeaderHeight();
    CLVKReportColumns* pColumns = pControl->GetColumns();
    for (int i = 0; i < pColumns->GetVisibleColumnsCount(); i++)
    {
        CLVKReportColumn* pColumn = pColumns->GetVisibleAt(i);
        if (pColumn->GetHeaderAlignment() & DT_WORDBREAK)
            nHeight = std::max(nHeight, CalcColumnHeaderHeight(pDC, pColumn, nTotalWidth));
        if (pColumn->GetIconID() != -1 && pControl->GetImageManager())
        {
            if (CLVKImageManagerIcon* pIcon = pControl->GetImageManager()->FindIcon(pColumn->GetIconID(), 0))
                nHeight = std::max(nHeight, static_cast<int>(pIcon->GetExtent().cy) + LVKScaleY(2));
        }
    }
    return nHeight;
}

int CLVKReportPaintManager::GetFooterHeight(CLVKReportControl* pControl, CDC* pDC, int /*nTotalWidth*/)
{
    if (!pControl || !pDC)
        return m_nFooterHeight;
    int nHeight = LVKScaleY(22);
    CLVKReportColumns* pColumns = pControl->GetColumns();
    for (int i = 0; i < pColumns->GetVisibleColumnsCount(); i++)
    {
        CLVKReportColumn* pColumn = pColumns->GetVisibleAt(i);
        const CString& strFooter = pColumn->GetFooterText();
        RECT rc{0, 0, std::max(0, pColumn->GetWidth() - LVKScaleX(6)), 0};
        CLVKFontDC font(pDC, pColumn->GetFont());
        UINT nFlags = DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
        if (!m_bFixedRowHeight && (pColumn->GetFooterAlignment() & DT_WORDBREAK))
            nFlags = DT_WORDBREAK | DT_VCENTER | DT_CALCRECT | DT_NOPREFIX | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS;
        DrawTextW(pDC->m_hDC, strFooter.IsEmpty() ? L" " : static_cast<LPCWSTR>(strFooter),
                  strFooter.IsEmpty() ? 1 : strFooter.GetLength(), &rc, nFlags);
        font.RestoreFont();
        nHeight = std::max(nHeight, static_cast<int>(rc.bottom - rc.top) + LVKScaleY(8));
    }
    return nHeight;
}

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
    {
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

    // Selection boxes: the check-box glyph tells how many children are selected.
    if (m_bGroupRowSelectionBoxes && !bPrinting && !pIcon)
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

// Cell captions and their hyperlinks ----------------------------------------------------

void CLVKReportPaintManager::ProtectHyperlinkSpaces(CLVKReportRecordItem* pItem, CString& strText, WCHAR chMarker)
{
    if (!pItem)
        return;
    const int nLength = strText.GetLength();
    for (int i = 0; i < pItem->GetHyperlinksCount(); i++)
    {
        CLVKReportHyperlink* pLink = pItem->GetHyperlinkAt(i);
        if (!pLink)
            continue;
        const int nStart = std::max(0, pLink->m_nHyperTextBegin);
        const int nEnd = std::min(nLength, pLink->m_nHyperTextBegin + std::max(0, pLink->m_nHyperTextLen));
        for (int j = nStart; j < nEnd; j++)
        {
            if (strText[j] == L' ')
                strText.SetAt(j, chMarker);
        }
    }
}

int CLVKReportPaintManager::MeasureTextWidth(CDC* pDC, const CString& strText)
{
    const CString strPlain = Unprotect(strText);
    HDC hAttribDC = pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC;
    int nWidth = TextExtent(hAttribDC, strPlain).cx;
    if (pDC->m_bPrinting && pDC->m_hDC != hAttribDC)
        nWidth = std::max(nWidth, static_cast<int>(TextExtent(pDC->m_hDC, strPlain).cx));
    return nWidth;
}

int CLVKReportPaintManager::CalcCaptionLineCount(CDC* pDC, RECT rc, const CString& strText)
{
    const int nWidth = rc.right - rc.left;
    if (nWidth < 1)
        return 0;
    const int nSingle = TextExtent(pDC->m_hDC, strText).cx;
    if (nSingle / nWidth > m_nMaxCaptionLines)
        return m_nMaxCaptionLines;
    RECT rcCalc{0, 0, nWidth, 0};
    DrawTextW(pDC->m_hDC, strText, strText.GetLength(), &rcCalc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    TEXTMETRICW tm{};
    GetTextMetricsW(pDC->m_hDC, &tm);
    const int nLines = tm.tmHeight > 0 ? (rcCalc.bottom - rcCalc.top + tm.tmHeight - 1) / tm.tmHeight : 1;
    return std::min(std::max(1, nLines), m_nMaxCaptionLines);
}

RECT CLVKReportPaintManager::CalcTextRect(CDC* pDC, const CString& strText, RECT rc, BOOL bWordBreak, BOOL bFit,
                                          UINT nExtraFlags)
{
    RECT rcCalc = rc;
    const CString strPlain = Unprotect(strText);
    DrawTextW(pDC->m_hDC, strPlain, strPlain.GetLength(), &rcCalc,
              DT_CALCRECT | DT_NOPREFIX | (bWordBreak ? DT_WORDBREAK : 0) | nExtraFlags);
    if (bFit)
    {
        rcCalc.right = rcCalc.left + std::min(rcCalc.right - rcCalc.left, rc.right - rc.left);
        rcCalc.bottom = rcCalc.top + std::min(rcCalc.bottom - rcCalc.top, rc.bottom - rc.top);
    }
    return rcCalc;
}

int CLVKReportPaintManager::CalcTextHeight(CDC* pDC, const CString& strText, int nWidth, BOOL bWordBreak)
{
    const CString strMeasure = Unprotect(strText) + L" ";
    const int nLine = TextExtent(pDC->m_hDC, CString(L" ")).cy;
    if (bWordBreak)
    {
        RECT rc{0, 0, nWidth, 0};
        DrawTextW(pDC->m_hDC, strMeasure, strMeasure.GetLength(), &rc,
                  DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX | DT_WORD_ELLIPSIS);
        return std::max(nLine, static_cast<int>(rc.bottom - rc.top));
    }
    int nLines = 1;
    for (int i = 0; i < strMeasure.GetLength(); i++)
        nLines += strMeasure[i] == L'\n' ? 1 : 0;
    return nLines * nLine;
}

void CLVKReportPaintManager::DrawItemCaption(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                             LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    const CString strText = pMetrics->strText;
    if (strText.IsEmpty())
        return;
    CDC* pDC = pDrawArgs->pDC;
    RECT rc = pDrawArgs->rcItem;
    rc.left += LVKScaleX(2);
    rc.top += LVKScaleY(1);
    rc.right -= LVKScaleX(2);
    SetBkMode(pDC->m_hDC, TRANSPARENT);
    if (m_bFixedRowHeight)
    {
        DrawLinkedText(pDrawArgs, pMetrics, strText, rc, DT_END_ELLIPSIS);
        return;
    }
    const BOOL bWordBreak = (pDrawArgs->nTextAlign & DT_WORDBREAK) != 0;
    if (pDrawArgs->nTextAlign & DT_VCENTER)
    {
        CString strMeasure = strText;
        ProtectHyperlinkSpaces(pDrawArgs->pItem, strMeasure);
        const int nFree = (rc.bottom - rc.top) - CalcTextHeight(pDC, strMeasure, rc.right - rc.left, bWordBreak);
        if (nFree >= LVKScaleY(4))
            rc.top += nFree / 2 - LVKScaleY(2);
    }
    DrawWrappedLinkedText(pDrawArgs, pMetrics, strText, rc, bWordBreak);
}

void CLVKReportPaintManager::DrawWrappedLinkedText(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                                   LVK_REPORTRECORDITEM_METRICS* pMetrics, const CString& strText,
                                                   RECT rcItem, BOOL bWordBreak)
{
    CDC* pDC = pDrawArgs->pDC;
    CLVKReportRecordItem* pItem = pDrawArgs->pItem;
    if (!pItem || pItem->GetHyperlinksCount() == 0)
    {
        DrawTextW(pDC->m_hDC, strText, strText.GetLength(), &rcItem,
                  static_cast<UINT>(pDrawArgs->nTextAlign & 0xFF) | DT_NOPREFIX | DT_WORD_ELLIPSIS |
                      (bWordBreak ? DT_WORDBREAK : 0));
        return;
    }
    const int nLineHeight = TextExtent(pDC->m_hDC, CString(L" ")).cy;
    CString strWork = strText + L" ";
    strWork.Replace(L'\r', L' ');
    ProtectHyperlinkSpaces(pItem, strWork);
    const int nMaxWidth = rcItem.right - rcItem.left;
    int y = rcItem.top;
    int nLineStart = -1;  // first character of the current line
    int nLineEnd = -1;    // one past its last character
    int nLineWidth = 0;
    int nWordStart = 0;
    auto drawLine = [&]()
    {
        if (nLineStart >= 0)
        {
            const RECT rcLine{rcItem.left, y, rcItem.right, y + nLineHeight};
            DrawWrappedLine(pDrawArgs, pMetrics, strWork, rcLine, nLineStart, nLineEnd, nLineWidth);
        }
        y += nLineHeight;
        nLineStart = -1;
        nLineEnd = -1;
        nLineWidth = 0;
    };
    for (int i = 0; i < strWork.GetLength(); i++)
    {
        const WCHAR ch = strWork[i];
        if (!IsWordSeparator(ch))
            continue;
        const int nWordEnd = i;
        if (nWordEnd > nWordStart)
        {
            const CString strWord = strWork.Mid(nWordStart, nWordEnd - nWordStart);
            const int nWordWidth = MeasureTextWidth(pDC, strWord);
            if (bWordBreak && nWordWidth > nMaxWidth)
            {
                if (nLineStart >= 0)
                    drawLine();
                nLineStart = nWordStart;
                nLineEnd = nWordEnd;
                nLineWidth = nWordWidth;
                drawLine();
            }
            else
            {
                const int nCandidate =
                    nLineStart >= 0 ? MeasureTextWidth(pDC, strWork.Mid(nLineStart, nWordEnd - nLineStart))
                                    : nWordWidth;
                if (bWordBreak && nLineStart >= 0 && nCandidate > nMaxWidth)
                {
                    drawLine();
                    nLineStart = nWordStart;
                    nLineEnd = nWordEnd;
                    nLineWidth = nWordWidth;
                }
                else
                {
                    if (nLineStart < 0)
                        nLineStart = nWordStart;
                    nLineEnd = nWordEnd;
                    nLineWidth = nCandidate;
                }
            }
        }
        if (ch == L'\n' && nLineStart >= 0)
            drawLine();
        nWordStart = i + 1;
        if (y >= rcItem.bottom && bWordBreak)
            return;
    }
    if (nLineStart >= 0)
        drawLine();
}

void CLVKReportPaintManager::DrawWrappedLine(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                             LVK_REPORTRECORDITEM_METRICS* pMetrics, const CString& strWork,
                                             RECT rcLine, int nFirst, int nLast, int nLineWidth)
{
    CDC* pDC = pDrawArgs->pDC;
    CLVKReportRecordItem* pItem = pDrawArgs->pItem;
    int x = rcLine.left;
    if (pDrawArgs->nTextAlign & DT_RIGHT)
        x = std::max(rcLine.left, rcLine.right - nLineWidth);
    else if (pDrawArgs->nTextAlign & DT_CENTER)
        x = std::max(rcLine.left, rcLine.left + (rcLine.right - rcLine.left - nLineWidth) / 2);
    const int nSpace = TextExtent(pDC->m_hDC, CString(L" ")).cx;
    int nWordStart = nFirst;
    for (int i = nFirst; i <= nLast; i++)
    {
        if (i < nLast && !IsWordSeparator(strWork[i]))
            continue;
        const int nWordEnd = i;
        if (nWordEnd > nWordStart)
        {
            // At most one hyperlink a word: the first of the item's links,
            // two characters or longer, that lies on the line and occurs in
            // the word.
            CLVKReportHyperlink* pLink = nullptr;
            int nLinkPos = -1;
            for (int l = 0; l < pItem->GetHyperlinksCount() && !pLink; l++)
            {
                CLVKReportHyperlink* pCandidate = pItem->GetHyperlinkAt(l);
                if (!pCandidate || pCandidate->m_nHyperTextLen < 2)
                    continue;
                const int nStart = pCandidate->m_nHyperTextBegin;
                const int nEnd = nStart + pCandidate->m_nHyperTextLen;
                if (nStart < nFirst || nEnd > nLast)
                    continue;
                if (nStart >= nWordStart && nEnd <= nWordEnd)
                {
                    pLink = pCandidate;
                    nLinkPos = nStart;
                }
            }
            RECT rc = rcLine;
            if (pLink)
            {
                const CString strBefore = Unprotect(strWork.Mid(nWordStart, nLinkPos - nWordStart));
                if (!strBefore.IsEmpty())
                    DrawTextRun(x, pDC, strBefore, rc, DT_END_ELLIPSIS);
                DrawHyperlink(x, pDrawArgs, pLink, rc, strWork, DT_END_ELLIPSIS, FALSE);
                const int nAfter = nLinkPos + pLink->m_nHyperTextLen;
                const CString strAfter = Unprotect(strWork.Mid(nAfter, nWordEnd - nAfter));
                if (!strAfter.IsEmpty())
                    DrawTextRun(x, pDC, strAfter, rc, DT_END_ELLIPSIS);
            }
            else
                DrawTextRun(x, pDC, Unprotect(strWork.Mid(nWordStart, nWordEnd - nWordStart)), rc, DT_END_ELLIPSIS);
            x += nSpace;
        }
        nWordStart = i + 1;
    }
    (void)pMetrics;
}

void CLVKReportPaintManager::DrawLinkedText(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                            LVK_REPORTRECORDITEM_METRICS* pMetrics, const CString& strText,
                                            RECT rcItem, UINT nMode)
{
    CDC* pDC = pDrawArgs->pDC;
    CLVKReportRecordItem* pItem = pDrawArgs->pItem;
    if (pDrawArgs->pControl && pDrawArgs->pControl->IsIconView())
    {
        DrawWrappedLinkedText(pDrawArgs, pMetrics, strText, rcItem, TRUE);
        return;
    }
    const UINT nAlign = static_cast<UINT>(pDrawArgs->nTextAlign) & (DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM);
    if (!pItem || pItem->GetHyperlinksCount() == 0)
    {
        RECT rc = rcItem;
        DrawTextW(pDC->m_hDC, strText, strText.GetLength(), &rc,
                  nAlign | nMode | DT_SINGLELINE | DT_NOPREFIX | (nAlign & DT_BOTTOM ? 0 : DT_VCENTER));
        return;
    }
    RECT rcText = rcItem;
    RECT rcCalc = rcItem;
    DrawTextW(pDC->m_hDC, strText, strText.GetLength(), &rcCalc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    const int nTextWidth = rcCalc.right - rcCalc.left;
    const int nTextHeight = rcCalc.bottom - rcCalc.top;
    if (nTextWidth < rcItem.right - rcItem.left)
    {
        if (nAlign & DT_RIGHT)
            rcText.left = rcItem.right - nTextWidth;
        else if (nAlign & DT_CENTER)
            rcText.left = rcItem.left + (rcItem.right - rcItem.left - nTextWidth) / 2;
    }
    if (nTextHeight < rcItem.bottom - rcItem.top)
    {
        if (nAlign & DT_BOTTOM)
            rcText.top = rcItem.bottom - nTextHeight;
        else
            rcText.top = rcItem.top + (rcItem.bottom - rcItem.top - nTextHeight) / 2;
    }
    int x = rcText.left;
    int nPos = 0;
    for (int i = 0; i < pItem->GetHyperlinksCount(); i++)
    {
        CLVKReportHyperlink* pLink = pItem->GetHyperlinkAt(i);
        if (!pLink)
            continue;
        const int nStart = std::min(std::max(pLink->m_nHyperTextBegin, nPos), strText.GetLength());
        if (nStart > nPos)
        {
            CString strPlain = strText.Mid(nPos, nStart - nPos);
            strPlain.Remove(L'\r');
            strPlain.Remove(L'\n');
            const int nLength = strPlain.GetLength();
            if (DrawTextRun(x, pDC, strPlain, rcText, nMode) != nLength)
                return;
        }
        if (DrawHyperlink(x, pDrawArgs, pLink, rcText, strText, nMode, FALSE) < 0)
            return;
        nPos = std::min(strText.GetLength(), pLink->m_nHyperTextBegin + std::max(0, pLink->m_nHyperTextLen));
    }
    if (nPos < strText.GetLength())
    {
        CString strRest = strText.Mid(nPos);
        strRest.Remove(L'\r');
        strRest.Remove(L'\n');
        DrawTextRun(x, pDC, strRest, rcText, nMode);
    }
}

int CLVKReportPaintManager::DrawTextRun(int& x, CDC* pDC, const CString& strText, RECT rc, UINT nMode)
{
    HDC hDC = pDC->m_hDC;
    RECT rcRun{x, rc.top, rc.right, rc.bottom};
    switch (nMode)
    {
    case 0:
    case 1:
    case 2:
    case DT_END_ELLIPSIS:
    {
        const UINT nFlags = (nMode == DT_END_ELLIPSIS ? DT_END_ELLIPSIS : nMode) | DT_NOPREFIX | DT_SINGLELINE;
        if (rcRun.right > rcRun.left)
            DrawTextW(hDC, strText, strText.GetLength(), &rcRun, nFlags);
        x += MeasureTextWidth(pDC, strText);
        return x < rc.right ? strText.GetLength() : -1;
    }
    case DT_WORDBREAK:
    {
        CString strLine;
        int nStart = 0;
        const int nWidth = rc.right - x;
        for (int i = 0; i <= strText.GetLength(); i++)
        {
            if (i < strText.GetLength() && !IsWordSeparator(strText[i]))
                continue;
            if (i > nStart)
            {
                const CString strWord = strText.Mid(nStart, i - nStart);
                const CString strCandidate = strLine.IsEmpty() ? strWord : strLine + L" " + strWord;
                if (!strLine.IsEmpty() && MeasureTextWidth(pDC, strCandidate) >= nWidth)
                    break;
                strLine = strCandidate;
            }
            nStart = i + 1;
        }
        DrawTextW(hDC, strLine, strLine.GetLength(), &rcRun, DT_NOPREFIX | DT_SINGLELINE);
        x += MeasureTextWidth(pDC, strLine);
        return strLine.GetLength();
    }
    default:
        return 0;
    }
}

int CLVKReportPaintManager::DrawHyperlink(int& x, LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, CLVKReportHyperlink* pLink,
                                          RECT rc, const CString& strText, UINT nMode, BOOL bTrim)
{
    const int nStart = pLink->m_nHyperTextBegin;
    if (nStart < 0 || nStart >= strText.GetLength() || pLink->m_nHyperTextLen < 1)
        return 0;
    CString strLink = Unprotect(strText.Mid(nStart, std::min(pLink->m_nHyperTextLen, strText.GetLength() - nStart)));
    if (bTrim)
        strLink.TrimRight();
    CDC* pDC = pDrawArgs->pDC;
    HDC hDC = pDC->m_hDC;
    CLVKReportControl* pControl = pDrawArgs->pControl;
    CLVKReportRow* pRow = pDrawArgs->pRow;
    const BOOL bFocusedCell = pControl && pRow && pRow->IsFocused() && pControl->IsFocusSubItems() &&
                              pDrawArgs->pColumn && pDrawArgs->pColumn == pControl->GetFocusedColumn();
    const COLORREF clrOld = GetTextColor(hDC);
    CFont fontLink;
    CLVKFontDC font(pDC, static_cast<CFont*>(nullptr));
    if (pRow && pRow->IsSelected() && pControl && pControl->HasFocus() && !bFocusedCell)
        SetTextColor(hDC, m_clrHighlightText);
    else
    {
        CLVKReportHyperlinkStyle* pStyle =
            pControl && pControl->GetHotHyperlink() == pLink ? &m_styleHyperlinkHover : &m_styleHyperlink;
        SetTextColor(hDC, pStyle->GetColor());
        if (pStyle->GetTextDecoration() == 1)
        {
            LOGFONTW lf{};
            GetObjectW(GetCurrentObject(hDC, OBJ_FONT), sizeof(lf), &lf);
            lf.lfUnderline = TRUE;
            fontLink.CreateFontIndirect(&lf);
            font.SetFont(&fontLink);
        }
    }
    TEXTMETRICW tm{};
    GetTextMetricsW(hDC, &tm);
    const int nLeft = x;
    const int nResult = DrawTextRun(x, pDC, strLink, rc, nMode);
    pLink->m_rcHyperSpot = RECT{nLeft, rc.top, x, rc.top + tm.tmHeight};
    font.RestoreFont();
    SetTextColor(hDC, clrOld);
    return nResult;
}

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
    HDC hDC = pDC->m_hDC;
    SetTextColor(hDC, bTracked ? m_clrCaptionTextPressed : m_clrCaptionText);
    UINT nFlags = DT_NOPREFIX | DT_END_ELLIPSIS;
    if (nHeaderAlignment & DT_RIGHT)
        nFlags |= DT_RIGHT;
    else if (nHeaderAlignment & DT_CENTER)
        nFlags |= DT_CENTER;
    if (nHeaderAlignment & DT_WORDBREAK)
    {
        RECT rcCalc = rcText;
        DrawTextW(hDC, strCaption, strCaption.GetLength(), &rcCalc,
                  nFlags | DT_CALCRECT | DT_WORDBREAK | DT_WORD_ELLIPSIS);
        const int nFree = (rcText.bottom - rcText.top) - (rcCalc.bottom - rcCalc.top);
        if (nFree > LVKScaleY(1))
            rcText.top += nFree / 2;
        else if (nFree < 0)
            rcText.top += LVKScaleY(3);
        DrawTextW(hDC, strCaption, strCaption.GetLength(), &rcText, nFlags | DT_WORDBREAK | DT_WORD_ELLIPSIS);
        return;
    }
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

// In-place buttons -----------------------------------------------------------------------

namespace
{
void DrawRaisedFrame(CDC* pDC, RECT rc)
{
    CRect rcFrame(rc);
    pDC->Draw3dRect(&rcFrame, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_3DDKSHADOW));
    rcFrame.DeflateRect(1, 1);
    pDC->Draw3dRect(&rcFrame, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_BTNSHADOW));
}

void DrawSunkenFrame(CDC* pDC, RECT rc)
{
    CRect rcFrame(rc);
    pDC->Draw3dRect(&rcFrame, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_WINDOW));
}

void DrawDots(CDC* pDC, const RECT& rc)
{
    const COLORREF clr = GetSysColor(COLOR_BTNTEXT);
    for (int i = 0; i < 3; i++)
    {
        const RECT rcDot{rc.left + LVKScaleX(3 + 4 * i), rc.bottom - LVKScaleY(5), rc.left + LVKScaleX(5 + 4 * i),
                         rc.bottom - LVKScaleY(3)};
        FillSolid(pDC->m_hDC, rcDot, clr);
    }
}

void DrawArrowDown(CDC* pDC, const RECT& rc)
{
    const COLORREF clr = GetSysColor(COLOR_BTNTEXT);
    const int cx = (rc.left + rc.right) / 2;
    const int cy = (rc.top + rc.bottom) / 2;
    CLVKDrawHelpers::DrawTriangle(pDC, POINT{cx - LVKScaleX(3), cy - LVKScaleY(1)},
                                  POINT{cx + LVKScaleX(3), cy - LVKScaleY(1)}, POINT{cx, cy + LVKScaleY(2)}, clr, clr);
}

void DrawArrowUp(CDC* pDC, const RECT& rc)
{
    const COLORREF clr = GetSysColor(COLOR_BTNTEXT);
    const int cx = (rc.left + rc.right) / 2;
    const int cy = (rc.top + rc.bottom) / 2;
    CLVKDrawHelpers::DrawTriangle(pDC, POINT{cx - LVKScaleX(3), cy + LVKScaleY(1)},
                                  POINT{cx + LVKScaleX(3), cy + LVKScaleY(1)}, POINT{cx, cy - LVKScaleY(2)}, clr, clr);
}
}  // namespace

void CLVKReportPaintManager::DrawInplaceButtonFrame(CDC* pDC, RECT rcButton, BOOL bPressed)
{
    FillSolid(pDC->m_hDC, rcButton, GetSysColor(COLOR_BTNFACE));
    if (bPressed)
        DrawSunkenFrame(pDC, rcButton);
    else
        DrawRaisedFrame(pDC, rcButton);
}

BOOL CLVKReportPaintManager::DrawInplaceButtonIcon(CDC* pDC, CLVKReportInplaceButton* pButton)
{
    CLVKReportControl* pControl = m_pControl;
    if (!pButton || pButton->GetIconIndex() < 0 || !pControl || !pControl->GetImageManager())
        return FALSE;
    CLVKImageManagerIcon* pIcon = pControl->GetImageManager()->FindIcon(pButton->GetIconIndex(), 0);
    if (!pIcon)
        return FALSE;
    RECT rc{};
    ::GetClientRect(pButton->m_hWnd, &rc);
    const SIZE sz = pIcon->GetExtent();
    const int x = std::max(rc.left, (rc.left + rc.right - sz.cx) / 2);
    const int y = std::max(rc.top, (rc.top + rc.bottom - sz.cy) / 2);
    const int nSaved = SaveDC(pDC->m_hDC);
    IntersectClipRect(pDC->m_hDC, rc.left, rc.top, rc.right, rc.bottom);
    DrawIconAt(pDC, pIcon, x, y);
    RestoreDC(pDC->m_hDC, nSaved);
    return TRUE;
}

void CLVKReportPaintManager::DrawInplaceButton(CDC* pDC, CLVKReportInplaceButton* pButton)
{
    RECT rc{};
    ::GetClientRect(pButton->m_hWnd, &rc);
    const UINT nID = pButton->GetID();
    const BOOL bPressed = pButton->IsPressed();
    if (m_bThemedInplaceButtons)
    {
        if (nID == LVK_REPORT_INPLACEBUTTON_COMBO && m_themeCombo.HasThemeData())
        {
            m_themeCombo.DrawThemeBackground(pDC->m_hDC, CP_DROPDOWNBUTTON, bPressed ? CBXS_PRESSED : CBXS_NORMAL,
                                             &rc, nullptr);
            return;
        }
        if (nID == LVK_REPORT_INPLACEBUTTON_EXPAND && m_themeButton.HasThemeData())
        {
            FillSolid(pDC->m_hDC, rc, GetSysColor(COLOR_BTNFACE));
            const int nState = bPressed ? PBS_PRESSED : (::GetFocus() == pButton->m_hWnd ? PBS_DEFAULTED : PBS_NORMAL);
            m_themeButton.DrawThemeBackground(pDC->m_hDC, BP_PUSHBUTTON, nState, &rc, nullptr);
            if (!DrawInplaceButtonIcon(pDC, pButton))
                DrawDots(pDC, rc);
            return;
        }
        if (nID == LVK_REPORT_INPLACEBUTTON_SPIN && m_themeSpin.HasThemeData())
        {
            RECT rcUpper = rc;
            rcUpper.bottom = (rc.top + rc.bottom) / 2;
            RECT rcLower = rc;
            rcLower.top = rcUpper.bottom;
            const int nPart = pButton->GetPressedSpinPart();
            m_themeSpin.DrawThemeBackground(pDC->m_hDC, SPNP_UP, bPressed && nPart == 1 ? UPS_PRESSED : UPS_NORMAL,
                                            &rcUpper, nullptr);
            m_themeSpin.DrawThemeBackground(pDC->m_hDC, SPNP_DOWN,
                                            bPressed && nPart == 2 ? DNS_PRESSED : DNS_NORMAL, &rcLower, nullptr);
            return;
        }
    }
    if (nID == LVK_REPORT_INPLACEBUTTON_SPIN)
    {
        RECT rcUpper = rc;
        rcUpper.bottom = (rc.top + rc.bottom) / 2;
        RECT rcLower = rc;
        rcLower.top = rcUpper.bottom;
        const int nPart = pButton->GetPressedSpinPart();
        DrawInplaceButtonFrame(pDC, rcUpper, bPressed && nPart == 1);
        DrawInplaceButtonFrame(pDC, rcLower, bPressed && nPart == 2);
        DrawArrowUp(pDC, rcUpper);
        DrawArrowDown(pDC, rcLower);
        return;
    }
    DrawInplaceButtonFrame(pDC, rc, bPressed);
    if (nID == LVK_REPORT_INPLACEBUTTON_COMBO)
        DrawArrowDown(pDC, rc);
    else if (!DrawInplaceButtonIcon(pDC, pButton))
        DrawDots(pDC, rc);
}

BOOL CLVKReportPaintManager::DrawInplaceComboButton(CDC* pDC, RECT rcButton)
{
    if (!m_bShowInplaceButtonGlyphs || (pDC && pDC->m_bPrinting && !m_bPrintInplaceButtonGlyphs))
        return FALSE;
    if (m_bThemedInplaceButtons && m_themeCombo.HasThemeData())
    {
        m_themeCombo.DrawThemeBackground(pDC->m_hDC, CP_DROPDOWNBUTTON, CBXS_NORMAL, &rcButton, nullptr);
        return TRUE;
    }
    DrawInplaceButtonFrame(pDC, rcButton, FALSE);
    DrawArrowDown(pDC, rcButton);
    return TRUE;
}

BOOL CLVKReportPaintManager::DrawInplaceExpandButton(CDC* pDC, RECT rcButton)
{
    if (!m_bShowInplaceButtonGlyphs || (pDC && pDC->m_bPrinting && !m_bPrintInplaceButtonGlyphs))
        return FALSE;
    if (m_bThemedInplaceButtons && m_themeButton.HasThemeData())
    {
        m_themeButton.DrawThemeBackground(pDC->m_hDC, BP_PUSHBUTTON, PBS_NORMAL, &rcButton, nullptr);
        DrawDots(pDC, rcButton);
        return TRUE;
    }
    DrawInplaceButtonFrame(pDC, rcButton, FALSE);
    DrawDots(pDC, rcButton);
    return TRUE;
}

BOOL CLVKReportPaintManager::DrawInplaceSpinButton(CDC* pDC, RECT rcButton)
{
    if (!m_bShowInplaceButtonGlyphs || (pDC && pDC->m_bPrinting && !m_bPrintInplaceButtonGlyphs))
        return FALSE;
    // Drawn in a cell only with the system's "SPIN" visual style.
    if (!m_bThemedInplaceButtons || !m_themeSpin.HasThemeData())
        return FALSE;
    RECT rcUpper = rcButton;
    rcUpper.bottom = (rcButton.top + rcButton.bottom) / 2;
    RECT rcLower = rcButton;
    rcLower.top = rcUpper.bottom;
    m_themeSpin.DrawThemeBackground(pDC->m_hDC, SPNP_UP, UPS_NORMAL, &rcUpper, nullptr);
    m_themeSpin.DrawThemeBackground(pDC->m_hDC, SPNP_DOWN, DNS_NORMAL, &rcLower, nullptr);
    return TRUE;
}

void CLVKReportPaintManager::DrawItemControl(LVK_REPORTRECORDITEM_DRAWARGS* pArgs,
                                             CLVKReportRecordItemControl* pControl, RECT& rcItem)
{
    CDC* pDC = pArgs->pDC;
    HDC hDC = pDC->m_hDC;
    const SIZE szControl = pControl->GetSize();
    RECT rc = rcItem;
    const BOOL bRight = (pControl->GetAlignment() & LVK_REPORT_CONTROL_RIGHT) != 0;
    if (szControl.cx < 1)
    {
        if (bRight)
            rc.left = rc.right;
        else
            rc.right = rc.left;
    }
    else if (bRight)
    {
        rc.left = std::max(rcItem.left, rcItem.right - szControl.cx);
        rcItem.right = rc.left;
    }
    else
    {
        rc.right = std::min(rcItem.right, rcItem.left + szControl.cx);
        rcItem.left = rc.right;
    }
    if (szControl.cy > 0 && szControl.cy < rc.bottom - rc.top)
    {
        rc.top += (rc.bottom - rc.top - szControl.cy) / 2;
        rc.bottom = rc.top + szControl.cy;
    }
    pControl->SetRect(rc);
    if (IsRectEmpty(&rc))
        return;
    const BOOL bEnabled = pControl->GetEnable();
    const int nState = bEnabled ? pControl->GetState() : PBS_DISABLED;
    const BOOL bThemed = (m_bThemedInplaceButtons || pControl->GetThemed()) && m_themeButton.HasThemeData();
    RECT rcContent = rc;
    if (bThemed)
        m_themeButton.DrawThemeBackground(hDC, BP_PUSHBUTTON, nState, &rc, nullptr);
    else
    {
        FillSolid(hDC, rc, GetSysColor(COLOR_BTNFACE));
        if (nState == PBS_PRESSED)
            DrawSunkenFrame(pDC, rc);
        else
            DrawRaisedFrame(pDC, rc);
    }
    if (nState == PBS_PRESSED)
    {
        rcContent.left += LVKScaleX(3);
        rcContent.top += LVKScaleY(3);
        rcContent.right -= LVKScaleX(1);
        rcContent.bottom -= LVKScaleY(1);
    }
    else
        InflateRect(&rcContent, bThemed ? -LVKScaleX(1) : -LVKScaleX(2), bThemed ? -LVKScaleY(1) : -LVKScaleY(2));
    const int nIcon = pControl->GetIconIndex(nState);
    if (nIcon >= 0 && pArgs->pControl && pArgs->pControl->GetImageManager())
    {
        if (CLVKImageManagerIcon* pIcon = pArgs->pControl->GetImageManager()->FindIcon(nIcon, 0))
        {
            const SIZE sz = pIcon->GetExtent();
            DrawIconAt(pDC, pIcon, std::max(rcContent.left, (rcContent.left + rcContent.right - sz.cx) / 2),
                       std::max(rcContent.top, (rcContent.top + rcContent.bottom - sz.cy) / 2));
        }
    }
    const CString strCaption = pControl->GetCaption();
    if (!strCaption.IsEmpty())
    {
        CFont* pFont = pControl->GetFont();
        CLVKFontDC font(pDC, pFont && pFont->GetSafeHandle() ? pFont : &m_fontText);
        const COLORREF clrOld = SetTextColor(hDC, bEnabled ? pControl->GetCaptionColor() : GetToolkitColor(35));
        SetBkMode(hDC, TRANSPARENT);
        DrawTextW(hDC, strCaption, strCaption.GetLength(), &rcContent,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_CENTER);
        SetTextColor(hDC, clrOld);
    }
}

// Item kinds ------------------------------------------------------------------------

void CLVKReportPaintManager::SetPreviewFont(const LOGFONTW& lf)
{
    m_fontPreview.DeleteObject();
    m_fontPreview.CreateFontIndirect(&lf);
}

int CLVKReportPaintManager::CountPreviewLines(HDC hDC, int nWidth, const CString& strText) const
{
    if (nWidth < 1 || strText.IsEmpty())
        return 0;
    RECT rc{0, 0, nWidth, 0};
    DrawTextW(hDC, strText, strText.GetLength(), &rc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    TEXTMETRICW tm{};
    GetTextMetricsW(hDC, &tm);
    const int nLineHeight = std::max(1, static_cast<int>(tm.tmHeight));
    const int nLines = (rc.bottom - rc.top + nLineHeight - 1) / nLineHeight;
    return std::max(1, std::min(nLines, m_nMaxPreviewLines));
}
