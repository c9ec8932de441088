#include "ReportRecordItem.h"

#include "ReportColumn.h"
#include "ReportColumns.h"
#include "ReportControl.h"
#include "ReportGroupRow.h"
#include "ReportInplaceButton.h"
#include "ReportInplaceEdit.h"
#include "ReportInplaceList.h"
#include "ReportRecordItemControlHookWnd.h"
#include "ReportRecordItemControls.h"
#include "ReportRecordItemEditOptions.h"
#include "ReportPaintManager.h"
#include "ReportRecord.h"
#include "ReportRecords.h"
#include "ReportRow.h"
#include "ReportSection.h"
#include "Foundation/FontDC.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/PropExchangeFunctions.h"
#include "Foundation/PropExchangeSection.h"
#include "Markup/MarkupHelpers.h"

#include <climits>

IMPLEMENT_DYNCREATE(CLVKReportRecordItem, CLVKCmdTarget)

namespace
{
// The widest line of a text (lines end at a line feed; the carriage return of
// a CR-LF pair is not measured).
int WidestLine(HDC hDC, const CString& strText)
{
    int nWidest = 0;
    int nStart = 0;
    const int nLength = strText.GetLength();
    while (nStart <= nLength)
    {
        int nEnd = strText.Find(L'\n', nStart);
        if (nEnd < 0)
            nEnd = nLength;
        int nLineEnd = nEnd;
        if (nLineEnd > nStart && nEnd < nLength && strText[nLineEnd - 1] == L'\r')
            nLineEnd--;
        SIZE sz{};
        GetTextExtentPoint32W(hDC, static_cast<LPCWSTR>(strText) + nStart, nLineEnd - nStart, &sz);
        nWidest = std::max(nWidest, static_cast<int>(sz.cx));
        nStart = nEnd + 1;
    }
    return nWidest;
}

// Reads a decimal integer: sign and digits; no digits read as 0.
int ReadInt(const CString& str)
{
    return static_cast<int>(wcstol(str, nullptr, 10));
}

struct FormulaRange
{
    int nRowFrom = 0;
    int nRowTo = 0;
    int nColFrom = 0;
    int nColTo = 0;
};

// Parses "R<r>C<c>:R<r>C<c>)" behind a marker; "*" keeps the default. Returns
// FALSE when ":" or "C" is missing.
BOOL ParseFormulaRange(const CString& strFormula, int nMarkerEnd, FormulaRange& range)
{
    CString strArgs = strFormula.Mid(nMarkerEnd);
    strArgs.Replace(L" ", L"");
    const int nColon = strArgs.Find(L':');
    if (nColon < 0)
        return FALSE;
    CString strStart = strArgs.Left(nColon);
    CString strEnd = strArgs.Mid(nColon + 1);
    const int nStartC = strStart.Find(L'C');
    const int nEndC = strEnd.Find(L'C');
    if (nStartC < 0 || nEndC < 0)
        return FALSE;
    CString strStartRow = strStart.Left(nStartC);
    CString strStartCol = strStart.Mid(nStartC + 1);
    CString strEndRow = strEnd.Left(nEndC);
    CString strEndCol = strEnd.Mid(nEndC + 1);
    strStartRow.Replace(L"R", L"");
    strEndRow.Replace(L"R", L"");
    const int nParen = strEndCol.Find(L')');
    if (nParen >= 0)
        strEndCol = strEndCol.Left(nParen);
    if (strStartRow != L"*")
        range.nRowFrom = ReadInt(strStartRow);
    if (strEndRow != L"*")
        range.nRowTo = ReadInt(strEndRow);
    if (strStartCol != L"*")
        range.nColFrom = ReadInt(strStartCol);
    if (strEndCol != L"*")
        range.nColTo = ReadInt(strEndCol);
    return TRUE;
}

// Adds the numbers of items [cols) of records [rows); the ranges are clamped to
// what exists, so a hostile formula cannot index outside or loop for long.
void SumRange(CLVKReportRecords* pRecords, const FormulaRange& range, const CLVKReportRecordItem* pSelf, double& dTotal)
{
    const int nRows = pRecords->GetCount();
    const int nRowFrom = std::max(0, range.nRowFrom);
    const int nRowTo = std::min(nRows, range.nRowTo);
    for (int r = nRowFrom; r < nRowTo; r++)
    {
        CLVKReportRecord* pRecord = pRecords->GetAt(r);
        if (!pRecord)
            continue;
        const int nColFrom = std::max(0, range.nColFrom);
        const int nColTo = std::min(pRecord->GetItemCount(), range.nColTo);
        for (int c = nColFrom; c < nColTo; c++)
        {
            CLVKReportRecordItem* pItem = pRecord->GetItem(c);
            if (pItem && pItem != pSelf)
                dTotal += ReportTextToDouble(pItem->GetCaption(nullptr));
        }
    }
}
}  // namespace

CLVKReportRecordItem::CLVKReportRecordItem() = default;

CLVKReportRecordItem::~CLVKReportRecordItem()
{
    if (m_pHyperlinks)
        m_pHyperlinks->InternalRelease();
    if (m_pEditOptions)
        m_pEditOptions->InternalRelease();
    if (m_pItemControls)
        m_pItemControls->InternalRelease();
    MarkupReleaseElement(m_pMarkupUIElement);
}

void CLVKReportRecordItem::ResetMarkupUIElement()
{
    MarkupReleaseElement(m_pMarkupUIElement);
    CLVKMarkupContext* pContext = m_pRecord ? m_pRecord->GetMarkupContext() : nullptr;
    if (pContext)
        m_pMarkupUIElement = MarkupParseText(pContext, GetCaption(nullptr));
}

CLVKReportRecordItem* CLVKReportRecordItem::GetMergeMaster() const
{
    if (!m_pMergeMaster || !m_pControl || !m_pControl->IsCellMergingEnabled() || m_pControl->IsVirtualMode())
        return nullptr;
    return m_pMergeMaster;
}

CString CLVKReportRecordItem::GetCaption(CLVKReportColumn* pColumn)
{
    if (IsMergeFollower())
        return GetMergeMaster()->GetCaption(pColumn);
    return m_strCaption;
}

const CString* CLVKReportRecordItem::GetCaptionRef(CLVKReportColumn* /*pColumn*/)
{
    if (IsMergeFollower())
        return nullptr;
    return &m_strCaption;
}

CString CLVKReportRecordItem::GetTooltip() const
{
    if (IsMergeFollower())
        return GetMergeMaster()->GetTooltip();
    return m_strTooltip;
}

BOOL CLVKReportRecordItem::IsEditable() const
{
    return m_pRecord && m_pRecord->IsEditable() && m_bEditable && m_bFocusable;
}

BOOL CLVKReportRecordItem::SetEditable(BOOL bEditable)
{
    const BOOL bOld = m_bEditable;
    m_bEditable = bEditable;
    return bOld;
}

int CLVKReportRecordItem::SetIconIndex(int nIconIndex)
{
    const int nOld = m_nIconIndex;
    m_nIconIndex = nIconIndex;
    return nOld;
}

void CLVKReportRecordItem::SetCheckedState(int nState)
{
    if (m_bTristateCheckbox && nState == 2)
        m_nCheckedState = 2;
    else
        m_nCheckedState = nState ? 1 : 0;
}

int CLVKReportRecordItem::GetIndex() const
{
    return m_pRecord ? m_pRecord->IndexOfItem(this) : -1;
}

CLVKReportColumn* CLVKReportRecordItem::GetColumn() const
{
    if (!m_pControl || !m_pControl->GetColumns())
        return nullptr;
    return m_pControl->GetColumns()->Find(GetIndex());
}

CLVKReportHyperlinks* CLVKReportRecordItem::GetHyperlinks()
{
    if (!m_pHyperlinks)
        m_pHyperlinks = new CLVKReportHyperlinks();
    return m_pHyperlinks;
}

CString CLVKReportRecordItem::GetColumnCaptionPrefix(CLVKReportColumn* pColumn) const
{
    if (!pColumn)
        return CString();
    return pColumn->GetCaption() + L": ";
}

int CLVKReportRecordItem::Compare(CLVKReportColumn* pColumn, CLVKReportRecordItem* pItem)
{
    if (!pItem)
        return 0;
    if (GetSortPriority() != -1 || pItem->GetSortPriority() != -1)
        return GetSortPriority() - pItem->GetSortPriority();
    CLVKReportRecords* pRecords = m_pRecord ? m_pRecord->GetRecords() : nullptr;
    const CString str1 = GetCaption(pColumn);
    const CString str2 = pItem->GetCaption(pColumn);
    if (pRecords)
        return pRecords->Compare(str1, str2);
    return wcscmp(str1, str2);
}

int CLVKReportRecordItem::CompareGroupItems(CLVKReportColumn* pColumn, CLVKReportRecordItem* pItem)
{
    if (!pItem)
        return 0;
    if (GetGroupPriority() != -1)
        return GetGroupPriority() - pItem->GetGroupPriority();
    if (!m_strGroupCaption.IsEmpty())
    {
        CLVKReportRecords* pRecords = m_pRecord ? m_pRecord->GetRecords() : nullptr;
        return pRecords ? pRecords->Compare(m_strGroupCaption, pItem->m_strGroupCaption)
                        : wcscmp(m_strGroupCaption, pItem->m_strGroupCaption);
    }
    const int nID = GetGroupCaptionID(pColumn);
    if (nID > 0)
        return nID - pItem->GetGroupCaptionID(pColumn);
    return Compare(pColumn, pItem);
}

int CLVKReportRecordItem::GetGroupCaptionID(CLVKReportColumn* /*pColumn*/)
{
    return m_nGroupPriority;
}

CString CLVKReportRecordItem::GetGroupCaption(CLVKReportColumn* pColumn)
{
    if (!m_strGroupCaption.IsEmpty())
        return m_strGroupCaption;
    const int nID = GetGroupCaptionID(pColumn);
    if (nID > 0)
    {
        CString str;
        if (str.LoadString(static_cast<UINT>(nID)))
            return str;
    }
    // A markup caption is its own label; the column's name would break it.
    if (m_pMarkupUIElement)
        return GetCaption(pColumn);
    return GetColumnCaptionPrefix(pColumn) + GetCaption(pColumn);
}

COleVariant CLVKReportRecordItem::GetGroupCaptionValue(CLVKReportColumn* pColumn)
{
    return COleVariant(static_cast<LPCTSTR>(GetGroupCaption(pColumn)));
}

int CLVKReportRecordItem::CompareGroupCaption(CLVKReportColumn* pColumn, CLVKReportGroupRow* pGroupRow)
{
    if (!pGroupRow)
        return 0;
    CLVKReportRecords* pRecords = m_pRecord ? m_pRecord->GetRecords() : nullptr;
    const CString str = GetGroupCaption(pColumn);
    const CString strGroup = pGroupRow->GetCaption();
    return pRecords ? pRecords->Compare(str, strGroup) : wcscmp(str, strGroup);
}

void CLVKReportRecordItem::DoPropExchange(CLVKPropExchange* pPX)
{
    int nTextColor = static_cast<int>(m_clrText);
    ExchangeInt(pPX, L"TextColor", nTextColor, -1);
    m_clrText = static_cast<COLORREF>(nTextColor);
    int nBackColor = static_cast<int>(m_clrBackground);
    ExchangeInt(pPX, L"BackgroundColor", nBackColor, -1);
    m_clrBackground = static_cast<COLORREF>(nBackColor);
    ExchangeBool(pPX, L"BoldText", m_bBoldText, FALSE);
    ExchangeString(pPX, L"Format", m_strFormatString, L"%s");
    ExchangeBool(pPX, L"Editable", m_bEditable, TRUE);
    ExchangeInt(pPX, L"IconIndex", m_nIconIndex, -1);
    ExchangeInt(pPX, L"SortPriority", m_nSortPriority, -1);
    ExchangeInt(pPX, L"GroupPriority", m_nGroupPriority, -1);
    ExchangeString(pPX, L"GroupCaption", m_strGroupCaption, L"");
    ExchangeBool(pPX, L"Focusable", m_bFocusable, TRUE);
    ExchangeInt(pPX, L"Checked", m_nCheckedState, 0);
    ExchangeBool(pPX, L"HasCheckbox", m_bHasCheckbox, FALSE);
    ExchangeBool(pPX, L"TristateCheckbox", m_bTristateCheckbox, FALSE);
    // The data word is kept as a size whose other half is 0: 32 bits of it.
    // Only a load sets the item's word; storing leaves a wider word (a
    // pointer in a 64-bit program) as it is.
    SIZE szData{static_cast<LONG>(m_dwData), 0};
    ExchangeSizeSwapped(pPX, L"Data", szData, 0, 0);
    if (pPX->IsLoading())
        m_dwData = static_cast<DWORD_PTR>(static_cast<ULONG>(szData.cx));
    ExchangeString(pPX, L"Tooltip", m_strTooltip, L"");
    if (pPX->GetSchema() > 16)
        ExchangeString(pPX, L"Caption", m_strCaption, L"");

    // The collections go through copies, so that a load that finds nothing
    // leaves the item's collections empty.
    {
        CLVKReportHyperlinks* pLinks = new CLVKReportHyperlinks();
        if (pPX->IsStoring() && m_pHyperlinks)
            pLinks->CopyFrom(m_pHyperlinks);
        {
            CLVKPropExchangeSection section(pPX->OpenSection(L"Hyperlinks"));
            if (section.Get())
                pLinks->DoPropExchange(section);
        }
        if (pPX->IsLoading())
        {
            if (pLinks->GetCount() > 0)
                GetHyperlinks()->CopyFrom(pLinks);
            else if (m_pHyperlinks)
                m_pHyperlinks->RemoveAll();
        }
        pLinks->InternalRelease();
    }
    if (pPX->GetSchema() >= 33 || pPX->IsLoading())
    {
        CLVKReportRecordItemControls* pControls = new CLVKReportRecordItemControls();
        if (pPX->IsStoring() && m_pItemControls)
            pControls->CopyFrom(m_pItemControls);
        if (pPX->GetSchema() >= 33)
        {
            CLVKPropExchangeSection section(pPX->OpenSection(L"ItemControls"));
            if (section.Get())
                pControls->DoPropExchange(section);
        }
        if (pPX->IsLoading())
        {
            if (pControls->GetCount() > 0)
                GetItemControls()->CopyFrom(pControls);
            else if (m_pItemControls)
                m_pItemControls->RemoveAll();
        }
        pControls->InternalRelease();
    }
    if (pPX->IsLoading())
        ResetMarkupUIElement();
}

void CLVKReportRecordItem::SetCaptionText(LPCWSTR lpszCaption)
{
    CString strCaption = lpszCaption;
    if (!m_strFormula.IsEmpty() && m_pRecord)
    {
        CLVKReportPaintManager* pPaintManager = m_pControl ? m_pControl->GetPaintManager() : nullptr;
        const COLORREF clrSum = pPaintManager ? pPaintManager->m_clrFormulaSum : RGB(255, 0, 0);
        const COLORREF clrSubSum = pPaintManager ? pPaintManager->m_clrFormulaSubSum : RGB(0, 0, 255);
        double dTotal = 0.0;
        const int nSubSum = m_strFormula.Find(L"SUMSUB(");
        if (nSubSum >= 0 && m_pRecord->HasChildren())
        {
            CLVKReportRecords* pChildren = m_pRecord->GetChilds();
            FormulaRange range;
            range.nRowTo = pChildren->GetCount();
            range.nColTo = m_pRecord->GetItemCount();
            if (ParseFormulaRange(m_strFormula, nSubSum + 7, range))
            {
                SumRange(pChildren, range, this, dTotal);
                strCaption = LVKReportFormatDouble(m_strFormatString, dTotal);
                m_clrText = clrSubSum;
            }
        }
        int nSum = m_strFormula.Find(L"SUM(");
        if (nSum >= 0 && m_pRecord->GetRecords())
        {
            CLVKReportRecords* pRecords = m_pRecord->GetRecords();
            FormulaRange range;
            range.nRowTo = pRecords->GetCount();
            range.nColTo = m_pRecord->GetItemCount();
            if (ParseFormulaRange(m_strFormula, nSum + 4, range))
            {
                SumRange(pRecords, range, this, dTotal);
                strCaption = LVKReportFormatDouble(m_strFormatString, dTotal);
                m_clrText = clrSum;
            }
        }
    }
    if (strCaption != m_strCaption)
    {
        m_strCaption = strCaption;
        ResetMarkupUIElement();
    }
}

void CLVKReportRecordItem::ParseHyperlinks(CString& strText)
{
    CLVKReportHyperlinks* pLinks = GetHyperlinks();
    pLinks->RemoveAll();
    for (;;)
    {
        const int nOpen = strText.Find(L"[url");
        if (nOpen < 0)
            break;
        const int nAfter = nOpen + 4;
        if (nAfter >= strText.GetLength() || (strText[nAfter] != L'=' && strText[nAfter] != L']'))
            break;
        const int nTagEnd = strText.Find(L']', nOpen);
        if (nTagEnd < 0)
            break;
        // The closing tag must come after the opening one, or the link text
        // would have a negative length.
        const int nClose = strText.Find(L"[/url]", nTagEnd + 1);
        if (nClose < 0)
            break;
        const CString strLink = strText.Mid(nTagEnd + 1, nClose - nTagEnd - 1);
        strText = strText.Left(nOpen) + strLink + strText.Mid(nClose + 6);
        pLinks->Add(new CLVKReportHyperlink(nOpen, strLink.GetLength()));
    }
}

int CLVKReportRecordItem::HitTestHyperlink(POINT ptClick) const
{
    int nHit = -1;
    for (int i = 0; i < GetHyperlinksCount(); i++)
    {
        if (PtInRect(&GetHyperlinkAt(i)->m_rcHyperSpot, ptClick))
            nHit = i;
    }
    return nHit;
}

void CLVKReportRecordItem::GetItemMetrics(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                          LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    if (m_clrBackground != static_cast<COLORREF>(-1))
        pMetrics->clrBackground = m_clrBackground;
    if (m_clrText != static_cast<COLORREF>(-1))
        pMetrics->clrForeground = m_clrText;
    if (m_pFontCaption)
        pMetrics->pFont = m_pFontCaption;
    else if (m_bBoldText && pDrawArgs && pDrawArgs->pControl)
        pMetrics->pFont = pDrawArgs->pControl->GetPaintManager()->GetBoldTextFont();
    if (m_nAlignment != -1)
        pMetrics->nColumnAlignment = m_nAlignment;
}

void CLVKReportRecordItem::GetCaptionRect(LVK_REPORTRECORDITEM_ARGS* pArgs, RECT& rcItem)
{
    CLVKReportControl* pControl = pArgs && pArgs->pControl ? pArgs->pControl : m_pControl;
    if (pControl && GetIconIndex() != -1)
    {
        int nAlign = m_nAlignment != -1 ? m_nAlignment : 0;
        if (m_nAlignment == -1 && pArgs && pArgs->pColumn)
            nAlign = pArgs->pColumn->GetAlignment();
        if (!(nAlign & LVK_REPORT_ICON_CENTER))
        {
            const int nIcon = pControl->GetPaintManager()->DrawItemIcon(nullptr, pControl, rcItem, GetIconIndex());
            if (nAlign & LVK_REPORT_ICON_RIGHT)
                rcItem.right -= nIcon;
            else
                rcItem.left += nIcon;
        }
    }
    if (m_bHasCheckbox)
        rcItem.left += LVKScaleX(15);
    for (int i = 0; i < GetItemControlsCount() && rcItem.right > rcItem.left; i++)
    {
        CLVKReportRecordItemControl* pItemControl = m_pItemControls->GetAt(i);
        const int nWidth = pItemControl->GetSize().cx;
        const int nTake = nWidth < 0 ? rcItem.right - rcItem.left : std::min<int>(nWidth, rcItem.right - rcItem.left);
        if (pItemControl->GetAlignment() & LVK_REPORT_CONTROL_RIGHT)
            rcItem.right -= nTake;
        else
            rcItem.left += nTake;
    }
    if (pControl && !IsEditable() && pControl->GetPaintManager()->m_bShowLockIcon && !pControl->IsIconView())
        rcItem.left += LVKScaleX(18);
}

void CLVKReportRecordItem::DrawCheckBox(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, RECT& rcItem)
{
    CLVKReportPaintManager* pPaintManager = pDrawArgs->pControl->GetPaintManager();
    const BOOL bEditable = IsEditable() && (!pDrawArgs->pColumn || pDrawArgs->pColumn->IsEditable());
    int nGlyph = bEditable ? (IsChecked() ? 3 : 2) : (IsChecked() ? 5 : 4);
    if (m_bTristateCheckbox && m_nCheckedState == 2)
        nGlyph = 8;
    const SIZE sz = pPaintManager->DrawGlyph(nullptr, rcItem, nGlyph);
    RECT rcGlyph = rcItem;
    const int nAlign = pDrawArgs->nTextAlign;
    if (nAlign & LVK_REPORT_ICON_CENTER)
        rcGlyph.left = (rcItem.left + rcItem.right) / 2 - sz.cx / 2 - LVKScaleX(1);
    else if (nAlign & LVK_REPORT_ICON_RIGHT)
    {
        rcGlyph.left = rcItem.right - LVKScaleX(2) - sz.cx;
        rcItem.right = rcGlyph.left;
    }
    else
    {
        rcGlyph.left = rcItem.left + LVKScaleX(2);
        rcItem.left += sz.cx + LVKScaleX(2);
    }
    rcGlyph.right = rcGlyph.left + sz.cx;
    if (nAlign & LVK_REPORT_VALIGN_TOP)
        rcGlyph.top = rcItem.top + LVKScaleY(2);
    else if (nAlign & LVK_REPORT_VALIGN_BOTTOM)
        rcGlyph.top = rcItem.bottom - sz.cy - LVKScaleY(2);
    else
        rcGlyph.top = (rcItem.top + rcItem.bottom - sz.cy) / 2;
    rcGlyph.bottom = rcGlyph.top + sz.cy;
    pPaintManager->DrawGlyph(pDrawArgs->pDC, rcGlyph, nGlyph);
    m_rcCheckbox = rcGlyph;
}

int CLVKReportRecordItem::Draw(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs)
{
    if (!pDrawArgs || !pDrawArgs->pControl)
        return 0;
    m_pControl = pDrawArgs->pControl;
    CLVKReportPaintManager* pPaintManager = m_pControl->GetPaintManager();
    CDC* pDC = pDrawArgs->pDC;
    CLVKReportRow* pRow = pDrawArgs->pRow;

    const LVKReportReference<LVK_REPORTRECORDITEM_METRICS> metrics(new LVK_REPORTRECORDITEM_METRICS());
    LVK_REPORTRECORDITEM_METRICS* pMetrics = metrics.get();
    pMetrics->strText = GetCaption(pDrawArgs->pColumn);
    pRow->FillItemMetrics(pDrawArgs, pMetrics);

    RECT& rcItem = pDrawArgs->rcItem;
    pPaintManager->DrawItemBackground(pDrawArgs, pMetrics);

    const int nCellLeft = rcItem.left;
    if (pDrawArgs->pColumn && pDrawArgs->pColumn->IsTreeColumn())
    {
        // The tree column: indented by the row's level, with the tree lines
        // and, for a row with children, the expand glyph.
        const int nLevel = pRow->GetTreeDepth() - pRow->GetGroupLevel();
        rcItem.left += std::max(0, nLevel) * pPaintManager->GetTreeIndent();
        RECT rcGlyph = rcItem;
        const SIZE szGlyph = pPaintManager->DrawExpandGlyph(nullptr, pRow, rcGlyph);
        pPaintManager->DrawTreeStructure(pDrawArgs, pMetrics, rcItem, szGlyph);
        rcGlyph = rcItem;
        if (pRow->HasChildren())
        {
            pPaintManager->DrawExpandGlyph(pDC, pRow, rcGlyph);
            if (!pDC->m_bPrinting)
                pRow->SetCollapseRect(rcGlyph);
            rcItem.left = rcGlyph.left + szGlyph.cx + LVKScaleX(pPaintManager->m_nTreeGlyphGap);
        }
        else
            rcItem.left = rcGlyph.left + LVKScaleX(2) + szGlyph.cx + LVKScaleX(pPaintManager->m_nTreeNoGlyphGap);
    }

    CLVKFontDC font(pDC, pMetrics->pFont ? pMetrics->pFont : pPaintManager->GetTextFont());
    ::SetTextColor(pDC->m_hDC, pMetrics->clrForeground);
    SetBkColor(pDC->m_hDC, pMetrics->clrBackground != static_cast<COLORREF>(-1)
                               ? pMetrics->clrBackground
                               : pPaintManager->GetControlBackColor(m_pControl));

    if (m_bHasCheckbox)
        DrawCheckBox(pDrawArgs, rcItem);

    const int nIconIndex = pMetrics->nItemIcon != -1 ? pMetrics->nItemIcon : GetIconIndex();
    CLVKReportRecordItemEditOptions* pOptions = FindEditOptions(pDrawArgs->pColumn);
    if (!IsEditable() && pPaintManager->m_bShowLockIcon && !m_pControl->IsIconView())
    {
        // Read-only cells show a padlock before their caption.
        rcItem.left += 1;
        RECT rcLock = rcItem;
        if (pPaintManager->m_bUseShellLockIcon)
        {
            pPaintManager->DrawShellIcon(pDC, rcLock, 47);
        }
        else
        {
            const SIZE szLock = pPaintManager->DrawGlyph(nullptr, rcLock, 9);
            rcLock.top = (rcItem.top + rcItem.bottom - szLock.cy) / 2;
            rcLock.right = rcLock.left + szLock.cx;
            rcLock.bottom = rcLock.top + szLock.cy;
            pPaintManager->DrawGlyph(pDC, rcLock, 9);
        }
        rcItem.left += LVKScaleX(17);
    }
    else if (nIconIndex == -1 && pOptions && pOptions->GetButtonsCount() > 0 && IsAllowEdit(pDrawArgs) &&
             pOptions->GetButton(0)->IsInsideCellButton())
    {
        // The cell shows its first in-place button while it is not edited.
        CLVKReportInplaceButton* pButton = pOptions->GetButton(0);
        RECT rcButton = rcItem;
        rcButton.left = rcItem.right - LVKScaleX(17) - 1;
        if (pPaintManager->m_bInplaceButtonHeightLimit)
            rcButton.bottom = std::min(rcButton.bottom, rcItem.top + LVKScaleY(19));
        rcButton.top += 1;
        rcButton.bottom -= LVKScaleY(2);
        BOOL bDrawn = FALSE;
        switch (pButton->GetID())
        {
        case LVK_REPORT_INPLACEBUTTON_COMBO:
            rcButton.right -= 1;
            bDrawn = pPaintManager->DrawInplaceComboButton(pDC, rcButton);
            break;
        case LVK_REPORT_INPLACEBUTTON_EXPAND:
            bDrawn = pPaintManager->DrawInplaceExpandButton(pDC, rcButton);
            break;
        case LVK_REPORT_INPLACEBUTTON_SPIN:
            bDrawn = pPaintManager->DrawInplaceSpinButton(pDC, rcButton);
            break;
        default:
            break;
        }
        if (bDrawn)
            rcItem.right -= LVKScaleX(17);
    }
    else
    {
        pPaintManager->DrawItemBitmap(pDrawArgs, rcItem, nIconIndex);
    }
    // The indent before the caption (tree, check box, padlock, icon) counts
    // in the width the content needs, for best-fit sizing.
    const int nTaken = rcItem.left - nCellLeft;
    if (m_pItemControls && m_pItemControls->GetCount() > 0)
        DrawItemControls(pDrawArgs, rcItem);

    if (rcItem.right - rcItem.left > LVKScaleX(2))
        OnDrawCaption(pDrawArgs, pMetrics);

    int nWidth;
    if (m_pMarkupUIElement)
        nWidth = nTaken + LVKScaleX(7) +
                 MarkupMeasureElement(m_pMarkupUIElement,
                                      std::max(0, static_cast<int>(rcItem.right - rcItem.left) - LVKScaleX(4)))
                     .cx;
    else if (pMetrics->strText.IsEmpty())
        nWidth = nTaken + LVKScaleX(7);
    else
        nWidth =
            nTaken + WidestLine(pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC, pMetrics->strText) + LVKScaleX(7);
    return nWidth;
}

int CLVKReportRecordItem::DrawMarkupCaption(CLVKMarkupUIElement* pElement, LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                            LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    CLVKReportPaintManager* pPaintManager = pDrawArgs->pControl->GetPaintManager();
    RECT rcText = pDrawArgs->rcItem;
    rcText.left += LVKScaleX(2);
    rcText.right -= LVKScaleX(2);
    rcText.top += LVKScaleY(1);
    if (rcText.right <= rcText.left)
        return 0;
    CFont* pFont = pMetrics->pFont ? pMetrics->pFont : pPaintManager->GetTextFont();
    MarkupSetDefaultFont(MarkupGetElementContext(pElement), static_cast<HFONT>(pFont->GetSafeHandle()),
                         pMetrics->clrForeground);
    const SIZE sz = MarkupMeasureElement(pElement, rcText.right - rcText.left, 0x7FFFFFFF);
    RECT rcElement = rcText;
    rcElement.bottom = std::max(rcText.bottom, rcText.top + sz.cy);
    MarkupRenderElement(pElement, pDrawArgs->pDC->m_hDC, &rcElement);
    return sz.cx;
}

void CLVKReportRecordItem::OnDrawCaption(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                         LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    CLVKReportControl* pControl = pDrawArgs->pControl;
    CLVKReportPaintManager* pPaintManager = pControl->GetPaintManager();
    CLVKMarkupContext* pContext = pControl->GetMarkupContext();
    if (pContext && (pControl->IsVirtualMode() || pPaintManager->m_bMarkupInCells))
    {
        // The caption as the metrics give it now (the owner may have set it).
        CLVKMarkupUIElement* pElement = MarkupParseText(pContext, pMetrics->strText);
        if (pElement)
        {
            DrawMarkupCaption(pElement, pDrawArgs, pMetrics);
            MarkupReleaseElement(pElement);
            return;
        }
    }
    if (m_pMarkupUIElement)
    {
        DrawMarkupCaption(m_pMarkupUIElement, pDrawArgs, pMetrics);
        return;
    }
    pPaintManager->DrawItemCaption(pDrawArgs, pMetrics);
}

void CLVKReportRecordItem::OnEditChanged(LVK_REPORTRECORDITEM_ARGS* pArgs, LPCWSTR lpszText)
{
    if (m_pRecord && pArgs && pArgs->pRow)
        m_pRecord->UpdateItemValue(pArgs->pRow->GetIndex(), GetIndex(), lpszText);
}

BOOL CLVKReportRecordItem::IsAllowEdit(LVK_REPORTRECORDITEM_ARGS* pArgs)
{
    if (!pArgs || !pArgs->pControl || !pArgs->pRow)
        return FALSE;
    CLVKReportSection* pSection = pArgs->pRow->GetSection();
    const BOOL bSectionAllows = pSection ? pSection->m_bAllowEdit : pArgs->pControl->IsAllowEdit();
    if (!bSectionAllows || !IsEditable())
        return FALSE;
    if (pArgs->pColumn && (!pArgs->pColumn->IsEditable() || !pArgs->pColumn->GetEditOptions()->m_bAllowEdit))
        return FALSE;
    return !m_pEditOptions || m_pEditOptions->m_bAllowEdit;
}

BOOL CLVKReportRecordItem::OnRequestEdit(LVK_REPORTRECORDITEM_ARGS* pArgs)
{
    REPORT_ITEM_NOTIFY_EX nm{};
    nm.pRow = pArgs->pRow;
    nm.pItem = this;
    nm.pColumn = pArgs->pColumn;
    nm.nHyperlink = -1;
    nm.lExtra = 0;
    pArgs->pControl->SendNotify(REPORT_NOTIFY_REQUEST_EDIT, &nm.hdr);
    return nm.lExtra == 0;
}

void CLVKReportRecordItem::OnBeginEdit(LVK_REPORTRECORDITEM_ARGS* pArgs)
{
    if (!pArgs || !pArgs->pControl || !pArgs->pRow || !IsEditable())
        return;
    if (!OnRequestEdit(pArgs))
        return;
    CLVKReportControl* pControl = pArgs->pControl;
    RECT rcEditor = pArgs->rcItem;
    GetCaptionRect(pArgs, rcEditor);

    // Room for the controls of the cell: right-aligned ones stay at the
    // cell's right edge, the others push the editor's left edge.
    int nRightControls = 0;
    if (m_pItemControls)
    {
        for (int i = 0; i < m_pItemControls->GetCount(); i++)
        {
            CLVKReportRecordItemControl* pItemControl = m_pItemControls->GetAt(i);
            const int nWidth = pItemControl->GetRect().right - pItemControl->GetRect().left;
            if (pItemControl->GetAlignment() & LVK_REPORT_CONTROL_RIGHT)
                nRightControls += nWidth;
            else
                rcEditor.left += nWidth;
        }
    }

    CLVKReportRecordItemEditOptions* pOptions = GetEditOptions(pArgs->pColumn);
    if (pOptions)
    {
        int nOutside = 0;
        for (int i = 0; i < pOptions->GetButtonsCount(); i++)
            if (!pOptions->GetButton(i)->IsInsideCellButton())
                nOutside += pOptions->GetButton(i)->GetWidth();
        RECT rcClient{};
        pControl->GetClientRect(&rcClient);
        if (rcEditor.right + nOutside > rcClient.right)
            rcEditor.right = rcClient.right - nOutside;
        int nStart = std::min(rcEditor.right, pArgs->rcItem.right - nRightControls);
        RECT rcButtons = rcEditor;
        for (int i = 0; i < pOptions->GetButtonsCount(); i++)
        {
            CLVKReportInplaceButton* pButton = pOptions->GetButton(i);
            if (pButton->IsInsideCellButton())
            {
                rcButtons.left = nStart;
                pButton->Create(pArgs, rcButtons);
                nStart = rcButtons.left;
            }
            else
            {
                pButton->Create(pArgs, rcButtons);
            }
            pControl->AddInplaceButton(pButton);
        }
        rcEditor.right = nStart;
    }

    if (IsAllowEdit(pArgs) && !m_bHasCheckbox)
    {
        LVK_REPORTRECORDITEM_ARGS argsEdit = *pArgs;
        argsEdit.pItem = this;
        argsEdit.rcItem = rcEditor;
        pControl->GetInplaceEdit()->Create(&argsEdit);
    }
    if (pOptions && pOptions->m_bExpandOnSelect && pOptions->GetButtonsCount() > 0 &&
        (pOptions->GetButton(0)->GetID() == LVK_REPORT_INPLACEBUTTON_COMBO ||
         pOptions->GetButton(0)->GetID() == LVK_REPORT_INPLACEBUTTON_EXPAND))
    {
        OnInplaceButtonDown(pOptions->GetButton(0));
        return;
    }
    pControl->SendItemNotify(pArgs->pRow, this, pArgs->pColumn, REPORT_NOTIFY_BEGIN_EDIT);
}

void CLVKReportRecordItem::OnEndEdit(LVK_REPORTRECORDITEM_ARGS* pArgs, BOOL bApply)
{
    if (pArgs && pArgs->pControl)
        RemoveInplaceControls(pArgs->pControl, bApply);
}

void CLVKReportRecordItem::RemoveInplaceControls(CLVKReportControl* pControl, BOOL bApply)
{
    if (!pControl)
        return;
    pControl->RemoveInplaceButtons();
    CLVKReportInplaceList* pList = pControl->GetInplaceList();
    if (pList->GetSafeHwnd())
        pList->DestroyWindow();
    CLVKReportInplaceEdit* pEdit = pControl->GetInplaceEdit();
    if (!pEdit->GetSafeHwnd())
        return;
    if (bApply && pEdit->pItem == this)
    {
        LVK_REPORTRECORDITEM_ARGS args = pEdit->GetItemArgs();
        OnInplaceEditDone(&args);
    }
    pEdit->SetItemArgs(nullptr);
    // Hand the focus back before the window goes, or it would be lost.
    if (::GetFocus() == pEdit->m_hWnd)
        pControl->SetFocus();
    pEdit->DestroyWindow();
}

void CLVKReportRecordItem::OnInplaceEditDone(LVK_REPORTRECORDITEM_ARGS* pArgs)
{
    if (!pArgs || !pArgs->pControl)
        return;
    CLVKReportControl* pControl = pArgs->pControl;
    CLVKReportInplaceEdit* pEdit = pControl->GetInplaceEdit();
    if (!pEdit->GetSafeHwnd() || pEdit->pItem != this)
        return;
    // The edit gives up the item first: hiding it below moves the focus,
    // which would come back here.
    InternalAddRef();
    LVK_REPORTRECORDITEM_ARGS args = pEdit->GetItemArgs();
    pEdit->SetItemArgs(nullptr);
    CLVKReportRecordItemEditOptions* pOptions = GetEditOptions(args.pColumn);
    CLVKReportRecordItemConstraint* pConstraint = pEdit->GetSelectedConstraint();
    BOOL bChanged = FALSE;
    BOOL bDecided = FALSE;
    if (pOptions && pOptions->m_bConstraintEdit)
    {
        bDecided = TRUE;
        if (pConstraint)
        {
            OnConstraintChanged(&args, pConstraint);
            bChanged = TRUE;
        }
    }
    if (!bDecided)
    {
        const CString strText = pEdit->GetEditText();
        if (pControl->IsVirtualMode() || strText != GetCaption(args.pColumn))
        {
            OnEditChanged(&args, strText);
            bChanged = TRUE;
        }
    }
    if (bChanged)
    {
        pControl->RedrawControl();
        pControl->SendItemNotify(args.pRow, this, args.pColumn, REPORT_NOTIFY_VALUE_CHANGED);
    }
    else
    {
        OnEditCanceled(&args);
        pControl->SendItemNotify(args.pRow, this, args.pColumn, REPORT_NOTIFY_EDIT_CANCELED);
    }
    pEdit->SetEditText(L"");
    InternalRelease();
}

BOOL CLVKReportRecordItem::OnEditChanging(LVK_REPORTRECORDITEM_ARGS* /*pArgs*/, CString& /*rstrNewText*/)
{
    return TRUE;
}

void CLVKReportRecordItem::OnEditCanceled(LVK_REPORTRECORDITEM_ARGS* /*pArgs*/)
{
}

void CLVKReportRecordItem::OnConstraintChanged(LVK_REPORTRECORDITEM_ARGS* pArgs,
                                               CLVKReportRecordItemConstraint* pConstraint)
{
    if (pConstraint)
        OnEditChanged(pArgs, pConstraint->GetCaption());
}

void CLVKReportRecordItem::OnInplaceButtonDown(CLVKReportInplaceButton* pButton)
{
    if (!pButton || !pButton->pControl)
        return;
    CLVKReportControl* pControl = pButton->pControl;
    REPORT_ITEM_NOTIFY_EX nm{};
    nm.pRow = pButton->pRow;
    nm.pItem = this;
    nm.pColumn = pButton->pColumn;
    nm.nHyperlink = -1;
    nm.lExtra = reinterpret_cast<LPARAM>(pButton);
    if (pControl->SendNotify(REPORT_NOTIFY_INPLACE_BUTTON_DOWN, &nm.hdr) == 1)
        return;
    CLVKReportRecordItemEditOptions* pOptions = GetEditOptions(pButton->pColumn);
    if (pButton->GetID() == LVK_REPORT_INPLACEBUTTON_COMBO)
    {
        if (!pOptions || pOptions->GetConstraints()->GetCount() == 0)
            return;
        RECT rcButton{};
        pButton->GetWindowRect(&rcButton);
        ::MapWindowPoints(nullptr, pControl->m_hWnd, reinterpret_cast<POINT*>(&rcButton), 2);
        LVK_REPORTRECORDITEM_ARGS args = pButton->GetItemArgs();
        args.pItem = this;
        args.rcItem.right = rcButton.right;
        args.rcItem.bottom = rcButton.bottom;
        CLVKReportInplaceList* pList = pControl->GetInplaceList();
        pList->m_nMaxVisibleItems = pButton->GetMaxVisibleItems();
        pList->Create(&args, pOptions->GetConstraints());
        return;
    }
    if (pButton->GetID() == LVK_REPORT_INPLACEBUTTON_SPIN)
    {
        CLVKReportInplaceEdit* pEdit = pControl->GetInplaceEdit();
        if (!pEdit->GetSafeHwnd() || pEdit->pItem != this)
            return;
        // Read in 64 bits, so that a long number typed into the edit neither
        // wraps nor steps outside the range.
        const long long nValue = _wcstoi64(pEdit->GetEditText(), nullptr, 10);
        const int nNew = pButton->StepValue(nValue);
        if (nNew == nValue)
            return;
        CString strNew;
        strNew.Format(L"%d", nNew);
        LVK_REPORTRECORDITEM_ARGS args = pEdit->GetItemArgs();
        if (OnEditChanging(&args, strNew))
        {
            pEdit->SetEditText(strNew);
            pControl->RedrawControl();
        }
    }
}

CLVKReportRecordItemEditOptions* CLVKReportRecordItem::GetEditOptions(CLVKReportColumn* pColumn)
{
    if (m_pEditOptions)
        return m_pEditOptions;
    // A cell outside the columns (the preview) keeps options of its own.
    return pColumn ? pColumn->GetEditOptions() : CreateEditOptions();
}

CLVKReportRecordItemEditOptions* CLVKReportRecordItem::FindEditOptions(CLVKReportColumn* pColumn) const
{
    if (m_pEditOptions)
        return m_pEditOptions;
    return pColumn ? pColumn->GetEditOptions() : nullptr;
}

CLVKReportRecordItemEditOptions* CLVKReportRecordItem::CreateEditOptions()
{
    if (!m_pEditOptions)
        m_pEditOptions = new CLVKReportRecordItemEditOptions();
    return m_pEditOptions;
}

BOOL CLVKReportRecordItem::CanToggleCheckbox(LVK_REPORTRECORDITEM_ARGS* pArgs)
{
    if (!m_bHasCheckbox || !IsEditable())
        return FALSE;
    if (pArgs->pColumn && !pArgs->pColumn->IsEditable())
        return FALSE;
    return OnRequestEdit(pArgs);
}

void CLVKReportRecordItem::ToggleCheckbox()
{
    if (m_bTristateCheckbox)
        m_nCheckedState = (m_nCheckedState + 1) % 3;
    else
        m_nCheckedState = IsChecked() ? 0 : 1;
}

void CLVKReportRecordItem::OnClick(LVK_REPORTRECORDITEM_CLICKARGS* pClickArgs)
{
    if (!pClickArgs || !pClickArgs->pControl)
        return;
    CLVKReportControl* pControl = pClickArgs->pControl;
    // The arguments' objects stay alive through whatever the owner does.
    InternalAddRef();
    if (pClickArgs->pRow)
        pClickArgs->pRow->InternalAddRef();
    if (pClickArgs->pColumn)
        pClickArgs->pColumn->InternalAddRef();

    const POINT ptDown = pControl->GetMouseDownPoint();
    RECT rcCheckbox = m_rcCheckbox;
    if (pControl->IsVirtualMode())
    {
        rcCheckbox.top = pClickArgs->rcItem.top;
        rcCheckbox.bottom = pClickArgs->rcItem.bottom;
    }
    const BOOL bOnCheckbox = m_bHasCheckbox && PtInRect(&rcCheckbox, pClickArgs->ptClient);
    if (bOnCheckbox && CanToggleCheckbox(pClickArgs))
    {
        // A press that began outside the box changes nothing.
        if (PtInRect(&rcCheckbox, ptDown) && pControl->IsToggleCheckboxOnClick())
        {
            ToggleCheckbox();
            pControl->RedrawControl();
            pControl->SendItemNotify(pClickArgs->pRow, this, pClickArgs->pColumn, REPORT_NOTIFY_CHECKED,
                                     &pClickArgs->ptClient);
        }
    }
    else if (IsAllowEdit(pClickArgs))
    {
        if (pControl->IsEditOnDelayClick())
        {
            pControl->OnDelayEditClick(pClickArgs->pRow, pClickArgs->pColumn);
        }
        else if (pControl->IsEditOnClick())
        {
            pControl->EditItem(pClickArgs);
            CLVKReportInplaceEdit* pEdit = pControl->GetInplaceEdit();
            POINT ptScreen = pClickArgs->ptClient;
            ::ClientToScreen(pControl->m_hWnd, &ptScreen);
            if (pEdit->GetSafeHwnd() && pEdit->pItem == this && ::WindowFromPoint(ptScreen) == pEdit->m_hWnd)
            {
                CLVKReportRecordItemEditOptions* pOptions = GetEditOptions(pClickArgs->pColumn);
                if (pOptions && pOptions->m_bSelectTextOnEdit)
                {
                    pEdit->SetSel(0, -1);
                    pEdit->SendMessage(EM_SCROLLCARET);
                }
                else
                {
                    SendMouseClick();
                }
            }
        }
    }

    pControl->SendItemNotify(pClickArgs->pRow, this, pClickArgs->pColumn, NM_CLICK, &pClickArgs->ptClient);
    const int nLink = HitTestHyperlink(pClickArgs->ptClient);
    if (nLink >= 0 && HitTestHyperlink(ptDown) >= 0)
    {
        pControl->SendItemNotify(pClickArgs->pRow, this, pClickArgs->pColumn, REPORT_NOTIFY_HYPERLINK,
                                 &pClickArgs->ptClient, nLink);
    }

    if (pClickArgs->pColumn)
        pClickArgs->pColumn->InternalRelease();
    if (pClickArgs->pRow)
        pClickArgs->pRow->InternalRelease();
    InternalRelease();
}

void CLVKReportRecordItem::OnDblClick(LVK_REPORTRECORDITEM_CLICKARGS* pClickArgs)
{
    if (!pClickArgs || !pClickArgs->pControl)
        return;
    CLVKReportControl* pControl = pClickArgs->pControl;
    if (m_pItemControls && m_pItemControls->m_pHookWnd)
        return;
    if (IsAllowEdit(pClickArgs) && !pControl->IsEditOnClick() && pControl->GetActiveItem() != this)
        pControl->EditItem(pClickArgs);
    pControl->SendItemNotify(pClickArgs->pRow, this, pClickArgs->pColumn, NM_DBLCLK, &pClickArgs->ptClient);
}

BOOL CLVKReportRecordItem::OnChar(LVK_REPORTRECORDITEM_ARGS* pArgs, UINT nChar)
{
    if (!pArgs || !pArgs->pControl)
        return FALSE;
    CLVKReportControl* pControl = pArgs->pControl;
    if (nChar == VK_SPACE && CanToggleCheckbox(pArgs))
    {
        if (pControl->IsToggleCheckboxOnClick())
            ToggleCheckbox();
        pControl->RedrawControl();
        pControl->SendItemNotify(pArgs->pRow, this, pArgs->pColumn, REPORT_NOTIFY_CHECKED);
        return TRUE;
    }
    if (!IsAllowEdit(pArgs))
        return FALSE;
    BOOL bFresh = FALSE;
    if (pControl->GetActiveItem() != this)
    {
        pControl->EditItem(pArgs);
        bFresh = TRUE;
    }
    CLVKReportInplaceEdit* pEdit = pControl->GetInplaceEdit();
    if (pEdit->GetSafeHwnd() && pEdit->pItem == this)
    {
        if (bFresh)
        {
            pEdit->SetFocus();
            pEdit->SetSel(0, -1);
            pEdit->SendMessage(EM_SCROLLCARET);
        }
        if (nChar != VK_TAB)
            pEdit->SendMessage(WM_CHAR, nChar);
    }
    return TRUE;
}

void AFX_CDECL CLVKReportRecordItem::SendMouseClick()
{
    const BOOL bSwapped = GetSystemMetrics(SM_SWAPBUTTON);
    INPUT inputs[2]{};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = bSwapped ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = bSwapped ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

// Item controls -----------------------------------------------------------------

CLVKReportRecordItemControls* CLVKReportRecordItem::GetItemControls()
{
    if (!m_pItemControls)
        m_pItemControls = new CLVKReportRecordItemControls(this);
    return m_pItemControls;
}

CLVKReportRecordItemControl* CLVKReportRecordItem::AddItemControl(CLVKReportRecordItemControl* pControl, int nIndex)
{
    return GetItemControls()->AddControl(pControl, nIndex);
}

CLVKReportRecordItemControl* CLVKReportRecordItem::GetFocusedItemControl() const
{
    return m_pItemControls ? m_pItemControls->m_pHotControl : nullptr;
}

void CLVKReportRecordItem::SetFocusedItemControl(CLVKReportRecordItemControl* pControl)
{
    if (m_pItemControls)
        m_pItemControls->m_pHotControl = pControl;
}

int CLVKReportRecordItem::GetItemControlsCount() const
{
    return m_pItemControls ? m_pItemControls->GetCount() : 0;
}

CLVKReportRecordItemControl* CLVKReportRecordItem::HitTestItemControl(POINT pt) const
{
    for (int i = 0; i < GetItemControlsCount(); i++)
    {
        CLVKReportRecordItemControl* pControl = m_pItemControls->GetAt(i);
        if (::PtInRect(&pControl->GetRect(), pt))
            return pControl;
    }
    return nullptr;
}

void CLVKReportRecordItem::DrawItemControls(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, RECT& rcItem)
{
    CLVKReportPaintManager* pPaintManager = pDrawArgs->pControl->GetPaintManager();
    for (int i = 0; i < m_pItemControls->GetCount(); i++)
    {
        CLVKReportRecordItemControl* pControl = m_pItemControls->GetAt(i);
        SIZE sz = pControl->GetSize();
        if (sz.cx <= 0)
        {
            SIZE szText{};
            GetTextExtentPoint32W(pDrawArgs->pDC->m_hDC, pControl->GetCaption(), pControl->GetCaption().GetLength(),
                                  &szText);
            sz.cx = szText.cx + LVKScaleX(12);
        }
        const int nHeight = rcItem.bottom - rcItem.top - 2;
        if (sz.cy <= 0 || sz.cy > nHeight)
            sz.cy = nHeight;
        sz.cx = std::min<LONG>(sz.cx, static_cast<int>(rcItem.right - rcItem.left));
        RECT rcControl{};
        rcControl.top = rcItem.top + (rcItem.bottom - rcItem.top - sz.cy) / 2;
        rcControl.bottom = rcControl.top + sz.cy;
        if (pControl->GetAlignment() & LVK_REPORT_CONTROL_RIGHT)
        {
            rcControl.right = rcItem.right;
            rcControl.left = rcItem.right - sz.cx;
            rcItem.right = rcControl.left;
        }
        else
        {
            rcControl.left = rcItem.left;
            rcControl.right = rcItem.left + sz.cx;
            rcItem.left = rcControl.right;
        }
        pControl->SetRect(rcControl);
        if (sz.cx > 0)
            pPaintManager->DrawItemControl(pDrawArgs, pControl, rcControl);
    }
}

BOOL CLVKReportRecordItem::OnLButtonDown(LVK_REPORTRECORDITEM_CLICKARGS* pClickArgs)
{
    if (!pClickArgs || !pClickArgs->pControl)
        return FALSE;
    CLVKReportRecordItemControl* pPressed = HitTestItemControl(pClickArgs->ptClient);
    if (!pPressed)
        return FALSE;
    m_pItemControls->m_pHotControl = pPressed;
    m_pItemControls->m_bPressedInside = TRUE;
    pPressed->OnLButtonDown(pClickArgs);
    if (!m_pItemControls->m_pHookWnd)
    {
        auto* pHook = new CLVKReportRecordItemControlHookWnd(pClickArgs);
        pHook->GetClickArgs().pItem = this;
        if (pHook->Create(pPressed->GetRect()))
            m_pItemControls->m_pHookWnd = pHook;
        else
            delete pHook;
    }
    pClickArgs->pControl->RedrawControl();
    return TRUE;
}

BOOL CLVKReportRecordItem::OnLButtonUp(LVK_REPORTRECORDITEM_CLICKARGS* pClickArgs)
{
    if (!pClickArgs || !pClickArgs->pControl || !m_pItemControls)
        return FALSE;
    if (m_pItemControls->m_pHookWnd)
    {
        CLVKReportRecordItemControlHookWnd* pHook = m_pItemControls->m_pHookWnd;
        m_pItemControls->m_pHookWnd = nullptr;
        if (::GetCapture() == pHook->m_hWnd)
            ::ReleaseCapture();
        InternalAddRef();
        if (m_pItemControls->m_pHotControl)
            m_pItemControls->m_pHotControl->OnLButtonUp(pClickArgs);
        pClickArgs->pControl->RedrawControl();
        pHook->DestroyWindow();
        InternalRelease();
        return TRUE;
    }
    CLVKReportRecordItemControl* pControl = HitTestItemControl(pClickArgs->ptClient);
    if (!pControl)
        return FALSE;
    pControl->OnLButtonUp(pClickArgs);
    pClickArgs->pControl->RedrawControl();
    return TRUE;
}

void CLVKReportRecordItem::OnMouseMove(UINT nFlags, POINT point, CLVKReportControl* pControl)
{
    if (!pControl)
        return;
    if (HitTestHyperlink(point) >= 0)
    {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return;
    }
    if (!m_pItemControls)
        return;
    if (m_pItemControls->m_pHookWnd && m_pItemControls->m_pHotControl && (nFlags & MK_LBUTTON))
    {
        // Pressed: leaving the control shows it released, coming back
        // shows it pressed again.
        const BOOL bInside = ::PtInRect(&m_pItemControls->m_pHotControl->GetRect(), point);
        if (bInside != m_pItemControls->m_bPressedInside)
        {
            if (bInside)
                m_pItemControls->m_pHotControl->OnMouseEnter(nFlags, point);
            else
                m_pItemControls->m_pHotControl->OnMouseLeave(nFlags, point);
            m_pItemControls->m_bPressedInside = bInside;
            pControl->RedrawControl();
        }
        return;
    }
    CLVKReportRecordItemControl* pHot = HitTestItemControl(point);
    const BOOL bChanged = pHot != m_pItemControls->m_pHotControl;
    if (bChanged)
    {
        if (m_pItemControls->m_pHotControl)
            m_pItemControls->m_pHotControl->OnMouseLeave(nFlags, point);
        if (pHot)
            pHot->OnMouseEnter(nFlags, point);
    }
    if (pHot)
        pHot->OnMouseMove(nFlags, point);
    m_pItemControls->m_pHotControl = pHot;
    if (bChanged && !pControl->IsEditMode())
        pControl->RedrawControl();
}
