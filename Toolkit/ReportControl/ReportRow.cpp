#include "ReportRow.h"

#include "ReportColumn.h"
#include "ReportColumns.h"
#include "ReportControl.h"
#include "ReportPaintManager.h"
#include "ReportRecord.h"
#include "ReportRecordItem.h"
#include "ReportRecordItemPreview.h"
#include "ReportRecords.h"
#include "ReportRows.h"
#include "ReportSection.h"
#include "ReportSelectedRows.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/SplitBarTracker.h"

CLVKReportRow::CLVKReportRow() = default;

CLVKReportRow::~CLVKReportRow()
{
    if (m_pChilds)
        m_pChilds->InternalRelease();
    if (m_pRecord)
        m_pRecord->InternalRelease();
}

void CLVKReportRow::InitRow(CLVKReportControl* pControl, CLVKReportSection* pSection, CLVKReportRecord* pRecord)
{
    SetControl(pControl);
    m_pSection = pSection;
    if (pRecord)
    {
        m_pRecord = pRecord;
        m_bExpanded = pRecord->IsExpanded();
        pRecord->InternalAddRef();
    }
}

void CLVKReportRow::InitRowFrom(CLVKReportRow* pRow)
{
    SetControl(pRow->m_pControl);
    if (pRow->m_pRecord)
        pRow->m_pRecord->InternalAddRef();
    if (m_pRecord)
        m_pRecord->InternalRelease();
    m_pRecord = pRow->m_pRecord;
    m_pSection = pRow->m_pSection;
    m_rcRow = pRow->m_rcRow;
    m_rcCollapse = pRow->m_rcCollapse;
    m_bVisible = pRow->m_bVisible;
    m_bExpanded = pRow->m_bExpanded;
    m_nIndex = pRow->m_nIndex;
    m_nPreviewHeight = pRow->m_nPreviewHeight;
    m_nRowLevel = pRow->m_nRowLevel;
    m_nGroupLevel = pRow->m_nGroupLevel;
}

CLVKReportRows* CLVKReportRow::GetChilds(BOOL bCreate)
{
    if (!m_pChilds && bCreate)
        m_pChilds = new CLVKReportRows();
    return m_pChilds;
}

CLVKReportRow* CLVKReportRow::AddChild(CLVKReportRow* pRow)
{
    GetChilds(TRUE)->Add(pRow);
    pRow->m_pParentRow = this;
    return pRow;
}

BOOL CLVKReportRow::HasChildren() const
{
    return m_pChilds && m_pChilds->GetCount() > 0;
}

BOOL CLVKReportRow::IsDescendantOf(const CLVKReportRow* pRow) const
{
    for (const CLVKReportRow* p = m_pParentRow; p; p = p->m_pParentRow)
    {
        if (p == pRow)
            return TRUE;
    }
    return FALSE;
}

BOOL CLVKReportRow::IsLastTreeRow() const
{
    if (!m_pParentRows || !m_pParentRow)
        return FALSE;
    return m_nChildIndex == m_pParentRows->GetCount() - 1;
}

CLVKReportRow* CLVKReportRow::GetNextSiblingRow() const
{
    if (!m_pParentRows)
        return nullptr;
    return m_pParentRows->GetAt(m_nChildIndex + 1);
}

BOOL CLVKReportRow::IsFocused() const
{
    return m_pSection && m_pSection->GetRows()->GetFocusedRowIndex() == m_nIndex && m_nIndex != -1;
}

BOOL CLVKReportRow::IsSelected() const
{
    return m_pControl && m_pControl->GetSelectedRows()->Contains(this);
}

BOOL CLVKReportRow::IsLockExpand() const
{
    return m_bLockExpand || (m_pControl && m_pControl->IsLockExpand());
}

void CLVKReportRow::SetExpanded(BOOL bExpanded, BOOL bRecursive)
{
    if (!HasChildren())
    {
        m_bExpanded = bExpanded;
        if (m_pRecord)
            m_pRecord->SetExpanded(bExpanded);
        return;
    }
    SetExpandedEx(bExpanded, bRecursive, TRUE);
    if (m_pControl)
    {
        m_pControl->AdjustScrollBars();
        m_pControl->RedrawControl();
    }
}

void CLVKReportRow::SetExpandedEx(BOOL bExpanded, BOOL bRecursive, BOOL bNotify)
{
    if (bRecursive && HasChildren())
    {
        for (int i = m_pChilds->GetCount() - 1; i >= 0; i--)
            m_pChilds->GetAt(i)->SetExpandedEx(bExpanded, TRUE, bNotify);
    }
    if (m_bExpanded == bExpanded)
        return;
    m_bExpanded = bExpanded;
    if (m_pRecord)
        m_pRecord->SetExpanded(bExpanded);
    if (!m_pSection || !m_bVisible || m_nIndex < 0)
        return;
    if (bExpanded)
        m_pSection->InsertChildRowsAt(m_nIndex + 1, this);
    else
        m_pSection->RemoveChildRows(this);
    m_pSection->RefreshIndexes(m_nIndex);
    if (bNotify && m_pControl)
        m_pControl->SendItemNotify(this, nullptr, nullptr, REPORT_NOTIFY_ROW_EXPANDED);
}

void CLVKReportRow::SetSelected(BOOL bSelected)
{
    if (!m_pControl || bSelected == IsSelected())
        return;
    CLVKReportSelectedRows* pSelected = m_pControl->GetSelectedRows();
    if (bSelected)
    {
        if (!m_pControl->IsMultipleSelection())
            pSelected->Clear();
        pSelected->Add(this);
    }
    else
        pSelected->Remove(this);
    m_pControl->RedrawControl();
}

void CLVKReportRow::SelectChilds()
{
    if (!m_pControl || !m_pControl->IsMultipleSelection() || !HasChildren() || !IsExpanded() || m_nIndex < 0)
        return;
    // The subtree's last displayed row: the last child of the last child, as
    // long as each is expanded.
    CLVKReportRow* pLast = this;
    while (pLast->HasChildren() && pLast->IsExpanded())
    {
        CLVKReportRows* pChilds = pLast->GetChilds(FALSE);
        pLast = pChilds->GetAt(pChilds->GetCount() - 1);
    }
    if (pLast->GetIndex() <= m_nIndex)
        return;
    CLVKReportSelectedRows* pSelected = m_pControl->GetSelectedRows();
    m_pControl->BeginUpdate();
    pSelected->AddBlock(m_nIndex + 1, pLast->GetIndex());
    m_pControl->EndUpdate();
    if (pSelected->IsChanged())
        m_pControl->OnSelectionChanged();
}

int CLVKReportRow::GetHeight(CDC* pDC, int nWidth)
{
    if (!m_pControl)
        return 0;
    CLVKReportPaintManager* pPaintManager = m_pControl->GetPaintManager();
    int nHeight = pPaintManager->GetRowHeight(pDC, this, nWidth);
    m_nPreviewHeight = 0;
    if (IsPreviewVisible())
    {
        m_nPreviewHeight = m_pRecord->GetItemPreview()->GetPreviewHeight(pDC, this, nWidth);
        m_nPreviewHeight = pPaintManager->GetPreviewItemHeight(pDC, this, nWidth, m_nPreviewHeight);
        nHeight += m_nPreviewHeight;
    }
    return nHeight;
}

BOOL CLVKReportRow::IsPreviewVisible() const
{
    return !IsGroupRow() && m_pRecord && m_pControl && m_pControl->IsPreviewMode() && !m_pControl->IsIconView() &&
           m_pRecord->GetItemPreview();
}

int CLVKReportRow::AddTreeIndent(int x, CLVKReportColumn* pColumn)
{
    if (!m_pControl || !pColumn || !pColumn->IsTreeColumn())
        return x;
    CLVKReportPaintManager* pPaintManager = m_pControl->GetPaintManager();
    const int nLevel = m_nRowLevel - m_nGroupLevel;
    x += std::max(0, nLevel) * pPaintManager->GetTreeIndent();
    RECT rc{};
    x += pPaintManager->DrawExpandGlyph(nullptr, this, rc).cx;
    x += CLVKDpiScaling::GetGlobal()->ScaleX(HasChildren() ? pPaintManager->m_nTreeGlyphGap
                                                             : pPaintManager->m_nTreeNoGlyphGap);
    return x;
}

RECT CLVKReportRow::GetItemRect(CLVKReportRecordItem* pItem)
{
    RECT rc{};
    if (!pItem || !m_pRecord || !m_pControl)
        return rc;
    if (m_pControl->IsIconView())
        return m_rcRow;
    if (pItem->IsPreviewItem())
    {
        if (!IsPreviewVisible())
            return rc;
        return RECT{m_rcRow.left + m_pControl->GetGroupIndent(), m_rcRow.bottom - m_nPreviewHeight, m_rcRow.right,
                    m_rcRow.bottom};
    }
    CLVKReportColumns* pColumns = m_pControl->GetColumns();
    for (int i = 0; i < pColumns->GetCount(); i++)
    {
        CLVKReportColumn* pColumn = pColumns->GetAt(i);
        if (!pColumn->IsVisible() || m_pRecord->GetItem(pColumn) != pItem)
            continue;
        rc.left = pColumn->GetRect().left;
        rc.right = pColumn->GetRect().right;
        if (rc.right <= rc.left)
            return RECT{};
        if (pColumn == pColumns->GetFirstVisibleColumn())
            rc.left += m_pControl->GetGroupIndent();
        rc.left = AddTreeIndent(rc.left, pColumn);
        rc.top = m_rcRow.top;
        rc.bottom = m_rcRow.bottom - m_nPreviewHeight;
        return rc;
    }
    return rc;
}

CLVKReportRecordItem* CLVKReportRow::HitTest(POINT pt, RECT* pRectItem, CLVKReportColumn** ppColumn)
{
    if (!m_pRecord || !m_pControl)
        return nullptr;
    if (m_pControl->IsIconView())
    {
        // An icon cell is the whole row.
        if (!PtInRect(&m_rcRow, pt))
            return nullptr;
        CLVKReportColumn* pColumn = m_pControl->GetColumns()->Find(m_pControl->GetIconColumnIndex());
        if (ppColumn)
            *ppColumn = pColumn;
        if (pRectItem)
            *pRectItem = m_rcRow;
        return pColumn ? m_pRecord->GetItem(pColumn) : nullptr;
    }
    if (IsPreviewVisible() && m_nPreviewHeight > 0)
    {
        CLVKReportRecordItemPreview* pPreview = m_pRecord->GetItemPreview();
        const RECT rcPreview = GetItemRect(pPreview);
        if (PtInRect(&rcPreview, pt))
        {
            if (pRectItem)
                *pRectItem = rcPreview;
            return pPreview;
        }
    }
    CLVKReportColumns* pColumns = m_pControl->GetColumns();
    for (int i = 0; i < pColumns->GetCount(); i++)
    {
        CLVKReportColumn* pColumn = pColumns->GetAt(i);
        if (!pColumn->IsVisible())
            continue;
        RECT rc = pColumn->GetRect();
        rc.top = m_rcRow.top;
        rc.bottom = m_rcRow.bottom;
        if (rc.right <= rc.left || pt.x < rc.left || pt.x >= rc.right)
            continue;
        if (ppColumn)
            *ppColumn = pColumn;
        if (pColumn == pColumns->GetFirstVisibleColumn())
            rc.left += m_pControl->GetGroupIndent();
        rc.left = AddTreeIndent(rc.left, pColumn);
        if (pt.x < rc.left)
            return nullptr;
        if (pRectItem)
            *pRectItem = rc;
        CLVKReportRecordItem* pItem = m_pRecord->GetItem(pColumn);
        if (pItem && pItem->IsMergeMember())
            return pItem->GetMergeMaster();
        return pItem;
    }
    return nullptr;
}

void CLVKReportRow::FillItemMetrics(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    if (!m_pControl || !pDrawArgs || !pMetrics)
        return;
    CLVKReportPaintManager* pPaintManager = m_pControl->GetPaintManager();
    pPaintManager->FillItemMetrics(pDrawArgs, pMetrics);
    if (m_pRecord)
        m_pRecord->GetItemMetrics(pDrawArgs, pMetrics);
    if (pDrawArgs->pItem)
        pDrawArgs->pItem->GetItemMetrics(pDrawArgs, pMetrics);
    LOGFONTW lf{};
    const BOOL bBold = pMetrics->pFont && pMetrics->pFont->GetSafeHandle() &&
                       ::GetObjectW(pMetrics->pFont->m_hObject, sizeof(lf), &lf) && lf.lfWeight == FW_BOLD;
    if (bBold && pPaintManager->m_clrBoldText.GetColor() != static_cast<COLORREF>(-1))
        pMetrics->clrForeground = pPaintManager->m_clrBoldText;
    m_pControl->OnGetItemMetrics(pDrawArgs, pMetrics);
    pDrawArgs->nTextAlign = pMetrics->nColumnAlignment;

    // A merged cell shows selected when any row of its block is selected.
    BOOL bSelected = IsSelected();
    BOOL bFocused = IsFocused();
    CLVKReportRecordItem* pMaster = pDrawArgs->pItem ? pDrawArgs->pItem->GetMergeMaster() : nullptr;
    if (pMaster && m_pSection && pDrawArgs->pColumn && m_nIndex >= 0)
    {
        CLVKReportRows* pRows = m_pSection->GetRows();
        for (int i = m_nIndex + 1; i < pRows->GetCount() && !(bSelected && bFocused); i++)
        {
            CLVKReportRow* pNext = pRows->GetAt(i);
            CLVKReportRecordItem* pNextItem =
                pNext && pNext->GetRecord() ? pNext->GetRecord()->GetItem(pDrawArgs->pColumn) : nullptr;
            if (!pNextItem || pNextItem->GetMergeMaster() != pMaster)
                break;
            bSelected = bSelected || pNext->IsSelected();
            bFocused = bFocused || pNext->IsFocused();
        }
    }
    if (!bSelected || !pDrawArgs->pDC || pDrawArgs->pDC->m_bPrinting || m_pControl->IsIconView())
        return;
    if (bFocused && pDrawArgs->pColumn && pDrawArgs->pColumn == m_pControl->GetFocusedColumn())
        return;
    if (m_pControl->HasFocus())
    {
        pMetrics->clrForeground = bBold && pPaintManager->m_clrBoldTextHighlight.GetColor() != static_cast<COLORREF>(-1)
                                      ? pPaintManager->m_clrBoldTextHighlight.GetColor()
                                      : pPaintManager->m_clrHighlightText.GetColor();
        pMetrics->clrBackground = pPaintManager->m_clrHighlight;
    }
    else if (!pPaintManager->m_bHideSelection)
    {
        pMetrics->clrForeground = pPaintManager->m_clrSelectedRowText;
        pMetrics->clrBackground = pPaintManager->m_clrSelectedRow;
    }
}

void CLVKReportRow::GetItemMetrics(CLVKReportColumn* pColumn, CLVKReportRecordItem* pItem,
                                   LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    LVK_REPORTRECORDITEM_DRAWARGS drawArgs;
    drawArgs.pControl = m_pControl;
    drawArgs.pRow = this;
    drawArgs.pColumn = pColumn;
    drawArgs.pItem = pItem;
    drawArgs.nTextAlign = pColumn ? pColumn->GetAlignment() : 0;
    FillItemMetrics(&drawArgs, pMetrics);
}

void CLVKReportRow::DrawGridLines(CDC* pDC, CLVKReportColumn* pColumn, const RECT& rcCell)
{
    CLVKReportPaintManager* pPaintManager = m_pControl->GetPaintManager();
    RECT rc = rcCell;
    rc.bottom -= CLVKDpiScaling::GetGlobal()->ScaleY(1);
    if (pPaintManager->IsGridLineShown(FALSE) && !(IsPreviewVisible() && m_nPreviewHeight > 0))
        pPaintManager->DrawGridLine(pDC, FALSE, rc);
    const int nSectionType = m_pSection ? m_pSection->GetSectionType() : 0;
    if (nSectionType == 0 || (pColumn && pColumn->IsDrawGridInRecordSections()))
        pPaintManager->DrawGridLine(pDC, TRUE, rc);
}

void CLVKReportRow::Draw(CDC* pDC, const RECT& rcRow, const RECT& rcClip, int nLeftOffset, int nColumnFrom,
                         int nColumnTo)
{
    if (!m_pControl)
        return;
    m_rcRow = rcRow;
    OffsetRect(&m_rcRow, -nLeftOffset, 0);
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    CLVKReportPaintManager* pPaintManager = m_pControl->GetPaintManager();
    CLVKReportColumns* pColumns = m_pControl->GetColumns();
    CLVKReportColumn* pFirstVisible = pColumns->GetFirstVisibleColumn();
    const int nGroupIndent = m_pControl->GetGroupIndent();
    CLVKReportColumnOrder* pSortOrder = pColumns->GetSortOrder();
    const BOOL bIconView = m_pControl->IsIconView();
    const BOOL bVirtual = m_pControl->IsVirtualMode();
    const int nPreviewHeight = IsPreviewVisible() ? m_nPreviewHeight : 0;

    // The frozen columns stay in place; the others scroll under them.
    const int nFrozen = m_pControl->GetFreezeColumnsCount();
    int nFrozenRight = 0;
    CLVKReportColumn* pLastFrozen = nullptr;
    for (int i = 0, n = 0; i < pColumns->GetCount() && n < nFrozen; i++)
    {
        CLVKReportColumn* pColumn = pColumns->GetAt(i);
        if (!pColumn->IsVisible())
            continue;
        n++;
        pLastFrozen = pColumn;
        nFrozenRight = pColumn->GetRect().right;
    }
    RECT rcFrozenCell{};
    BOOL bDividerDue = FALSE;
    CLVKReportRecordItem* pFrozenItem = nullptr;

    for (int i = nColumnFrom; i < nColumnTo && i < pColumns->GetCount(); i++)
    {
        CLVKReportColumn* pColumn = pColumns->GetAt(i);
        if (!pColumn || !pColumn->IsVisible() || !IsItemsVisible())
            continue;
        RECT rcCell{pColumn->GetRect().left, m_rcRow.top, pColumn->GetRect().right, m_rcRow.bottom - nPreviewHeight};
        if (bIconView)
            rcCell = m_rcRow;
        else if (pColumn == pFirstVisible)
            rcCell.left += nGroupIndent;
        RECT rcVisible{};
        if (!IntersectRect(&rcVisible, &rcCell, &rcClip))
            continue;
        const BOOL bFrozen = pColumn->IsFrozen() && nFrozen > 0;
        if (bFrozen)
            rcVisible.right = std::min<LONG>(rcVisible.right, nFrozenRight);
        else
            rcVisible.left = std::max<LONG>(rcVisible.left, nFrozenRight);
        if (rcVisible.right <= rcVisible.left)
            continue;

        CLVKReportRecordItem* pItem = m_pRecord ? m_pRecord->GetItem(pColumn) : nullptr;
        if (bDividerDue)
        {
            bDividerDue = FALSE;
            // No divider through one merged block.
            if (!(pItem && pFrozenItem && pItem->GetMergeMaster() &&
                  pItem->GetMergeMaster() == pFrozenItem->GetMergeMaster()))
            {
                const int nSaved = SaveDC(pDC->m_hDC);
                IntersectClipRect(pDC->m_hDC, rcFrozenCell.right - pDpi->ScaleX(10), rcFrozenCell.top,
                                  rcFrozenCell.right + pDpi->ScaleX(10), rcFrozenCell.bottom);
                pPaintManager->DrawFreezeColsDivider(pDC, rcFrozenCell, m_pControl, this);
                RestoreDC(pDC->m_hDC, nSaved);
            }
        }

        LVK_REPORTRECORDITEM_DRAWARGS drawArgs;
        drawArgs.pControl = m_pControl;
        drawArgs.pRow = this;
        drawArgs.pColumn = pColumn;
        drawArgs.pDC = pDC;
        drawArgs.rcItem = rcCell;
        drawArgs.nTextAlign = pColumn->GetAlignment();
        drawArgs.pItem = pItem;

        const int nSaved = SaveDC(pDC->m_hDC);
        IntersectClipRect(pDC->m_hDC, rcVisible.left, rcVisible.top, rcVisible.right, rcVisible.bottom);
        pPaintManager->DrawAlternateRowBackground(pDC, this, rcCell);
        if (pSortOrder->IndexOf(pColumn) >= 0)
            pPaintManager->FillItemShade(pDC, rcCell);
        if (!pItem)
        {
            if (bIconView && !bVirtual)
                m_pControl->DrawIconViewCell(&drawArgs);
            else if (!bVirtual && (pColumn->IsRowNumberColumn() ||
                                   pColumn->GetItemIndex() == m_pControl->GetRowNumberColumnIndex()))
                pPaintManager->DrawRowNumber(pDC, rcCell, this);
            RestoreDC(pDC->m_hDC, nSaved);
        }
        else if (pItem->GetMergeMaster())
        {
            // Drawn by the control once the rows are done.
            RestoreDC(pDC->m_hDC, nSaved);
            m_pControl->AddMergedCell(pItem->GetMergeMaster(), rcCell, this, pColumn);
        }
        else
        {
            if (pColumn->IsRowNumberColumn())
                pPaintManager->DrawRowNumber(pDC, rcCell, this);
            else
                pItem->Draw(&drawArgs);
            RestoreDC(pDC->m_hDC, nSaved);
            if (!bIconView)
            {
                RECT rcGrid = rcCell;
                rcGrid.left -= pDpi->ScaleX(1);
                DrawGridLines(pDC, pColumn, rcGrid);
            }
        }
        if (pColumn == pLastFrozen)
        {
            rcFrozenCell = rcCell;
            pFrozenItem = pItem;
            bDividerDue = TRUE;
        }
    }

    if (IsPreviewVisible() && m_nPreviewHeight > 0)
        DrawPreview(pDC, rcClip);

    if (nGroupIndent > 0)
    {
        RECT rcIndent{m_rcRow.left, m_rcRow.top, m_rcRow.left + nGroupIndent, m_rcRow.bottom};
        if (pFirstVisible)
        {
            rcIndent.left = pFirstVisible->GetRect().left;
            rcIndent.right = rcIndent.left + nGroupIndent;
        }
        RECT rcFill{};
        if (IntersectRect(&rcFill, &rcIndent, &rcClip))
            pPaintManager->FillIndent(pDC, rcFill);
    }

    if (!bIconView && IsFocused() && m_pControl->IsFocusFrameShown() &&
        (m_pControl->HasFocus() || !pPaintManager->m_bHideSelection))
    {
        RECT rcFocus{m_rcRow.left + nGroupIndent, m_rcRow.top, m_rcRow.right, m_rcRow.bottom};
        if (pFirstVisible)
            rcFocus.left = std::max(rcFocus.left, pFirstVisible->GetRect().left + nGroupIndent);
        if (pPaintManager->IsGridHorizontal())
            rcFocus.bottom -= pDpi->ScaleY(1);
        pPaintManager->DrawFocusedRow(pDC, rcFocus);
    }

    if (nGroupIndent > 0 && pPaintManager->IsGridHorizontal())
    {
        // The line under the indentation starts where the next row's level
        // begins, so that group levels show as steps.
        const int nBase = pFirstVisible ? pFirstVisible->GetRect().left : m_rcRow.left;
        CLVKReportRows* pRows = m_pSection ? m_pSection->GetRows() : nullptr;
        CLVKReportRow* pNext = pRows && m_nIndex >= 0 ? pRows->GetAt(m_nIndex + 1) : nullptr;
        const int nStart = pNext ? std::min(nGroupIndent, pNext->GetTreeDepth() * pPaintManager->GetTreeIndent()) : 0;
        const RECT rcLine{nBase + nStart, m_rcRow.top, nBase + nGroupIndent, m_rcRow.bottom - pDpi->ScaleY(1)};
        if (rcLine.right > rcLine.left)
            pPaintManager->DrawGridLine(pDC, FALSE, rcLine);
    }
    if (nPreviewHeight > 0 && pPaintManager->IsGridHorizontal())
    {
        const RECT rcLine{m_rcRow.left + nGroupIndent, m_rcRow.top, m_rcRow.right, m_rcRow.bottom - pDpi->ScaleY(1)};
        pPaintManager->DrawGridLine(pDC, FALSE, rcLine);
    }
    if (bDividerDue)
        pPaintManager->DrawFreezeColsDivider(pDC, rcFrozenCell, m_pControl, this);
}

void CLVKReportRow::DrawPreview(CDC* pDC, const RECT& rcClip)
{
    CLVKReportRecordItemPreview* pPreview = m_pRecord->GetItemPreview();
    const RECT rcPreview = GetItemRect(pPreview);
    RECT rcVisible{};
    if (!IntersectRect(&rcVisible, &rcPreview, &rcClip))
        return;
    LVK_REPORTRECORDITEM_DRAWARGS drawArgs;
    drawArgs.pControl = m_pControl;
    drawArgs.pRow = this;
    drawArgs.pItem = pPreview;
    drawArgs.pDC = pDC;
    drawArgs.rcItem = rcPreview;
    const int nSaved = SaveDC(pDC->m_hDC);
    IntersectClipRect(pDC->m_hDC, rcVisible.left, rcVisible.top, rcVisible.right, rcVisible.bottom);
    pPreview->Draw(&drawArgs);
    RestoreDC(pDC->m_hDC, nSaved);
}

BOOL CLVKReportRow::OnMouseMove(UINT /*nFlags*/, POINT pt)
{
    if (!m_pControl || !m_pControl->IsRowSizingAllowed())
        return FALSE;
    const CLVKReportControl::MouseMode nMode = m_pControl->GetMouseMode();
    if (nMode != CLVKReportControl::kMouseIdle && nMode != CLVKReportControl::kMouseOverRowEdge)
        return FALSE;
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    const BOOL bNearEdge = pt.y > m_rcRow.bottom - pDpi->ScaleY(4) && pt.y < m_rcRow.bottom + pDpi->ScaleY(2) &&
                           pt.x >= m_rcRow.left && pt.x < m_rcRow.right && IsItemsVisible();
    if (bNearEdge)
    {
        if (nMode == CLVKReportControl::kMouseIdle)
            ::SetCursor(m_pControl->GetRowSizingCursor());
        m_pControl->SetMouseMode(CLVKReportControl::kMouseOverRowEdge);
        return TRUE;
    }
    if (nMode == CLVKReportControl::kMouseOverRowEdge)
        m_pControl->SetMouseMode(CLVKReportControl::kMouseIdle);
    return FALSE;
}

BOOL CLVKReportRow::TrackRowSizing(POINT pt)
{
    if (!m_pControl || !m_pControl->IsRowSizingAllowed() ||
        m_pControl->GetMouseMode() != CLVKReportControl::kMouseOverRowEdge)
        return FALSE;
    m_pControl->SetMouseMode(CLVKReportControl::kMouseIdle);
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    // A line across the row from 2 pixels to 1 pixel above the pointer, kept
    // between the row's smallest height and the bottom of the window.
    RECT rcClient{};
    m_pControl->GetClientRect(&rcClient);
    RECT rcBounds{m_rcRow.left, m_rcRow.top + m_pControl->GetDefaultRowHeight(), m_rcRow.right, rcClient.bottom};
    RECT rcTracker{m_rcRow.left, pt.y - pDpi->ScaleY(2), m_rcRow.right, pt.y - pDpi->ScaleY(1)};
    ::MapWindowPoints(m_pControl->m_hWnd, nullptr, reinterpret_cast<POINT*>(&rcBounds), 2);
    ::MapWindowPoints(m_pControl->m_hWnd, nullptr, reinterpret_cast<POINT*>(&rcTracker), 2);
    POINT ptStart = pt;
    ::ClientToScreen(m_pControl->m_hWnd, &ptStart);
    CLVKSplitBarTracker tracker(FALSE, FALSE);
    if (tracker.Track(m_pControl->m_hWnd, rcBounds, rcTracker, ptStart, FALSE))
    {
        ::MapWindowPoints(nullptr, m_pControl->m_hWnd, reinterpret_cast<POINT*>(&rcTracker), 2);
        m_nRowHeight = std::max(1, static_cast<int>(rcTracker.bottom - m_rcRow.top));
        if (m_pRecord)
            m_pRecord->SetRowHeight(m_nRowHeight);
        m_pControl->AdjustScrollBars();
        m_pControl->RedrawControl();
    }
    if (::GetCapture() == m_pControl->m_hWnd)
        ::ReleaseCapture();
    return TRUE;
}

void CLVKReportRow::OnClick(POINT ptClicked)
{
    if (!m_pControl)
        return;
    if (HasChildren() && PtInRect(&m_rcCollapse, ptClicked) && PtInRect(&m_rcCollapse, m_pControl->GetMouseDownPoint()))
    {
        if (!IsLockExpand())
            SetExpanded(!m_bExpanded);
        return;
    }
    LVK_REPORTRECORDITEM_CLICKARGS clickArgs;
    clickArgs.pControl = m_pControl;
    clickArgs.pRow = this;
    clickArgs.ptClient = ptClicked;
    clickArgs.pItem = HitTest(ptClicked, &clickArgs.rcItem, &clickArgs.pColumn);
    if (clickArgs.pItem)
        clickArgs.pItem->OnClick(&clickArgs);
}

void CLVKReportRow::OnDblClick(POINT ptClicked)
{
    if (!m_pControl)
        return;
    LVK_REPORTRECORDITEM_CLICKARGS clickArgs;
    clickArgs.pControl = m_pControl;
    clickArgs.pRow = this;
    clickArgs.ptClient = ptClicked;
    clickArgs.pItem = HitTest(ptClicked, &clickArgs.rcItem, &clickArgs.pColumn);
    if (clickArgs.pItem)
        clickArgs.pItem->OnDblClick(&clickArgs);
    else
        m_pControl->SendItemNotify(this, nullptr, clickArgs.pColumn, NM_DBLCLK, &ptClicked);
}

void CLVKReportRow::OnContextMenu(POINT pt)
{
    if (!m_pControl)
        return;
    CLVKReportColumn* pColumn = nullptr;
    CLVKReportRecordItem* pItem = HitTest(pt, nullptr, &pColumn);
    POINT ptScreen = pt;
    ::ClientToScreen(m_pControl->m_hWnd, &ptScreen);
    m_pControl->SendItemNotify(this, pItem, pColumn, NM_RCLICK, &ptScreen);
}

void CLVKReportRow::EnsureVisible()
{
    if (m_pControl)
        m_pControl->EnsureVisible(this);
}

// Accessibility ----------------------------------------------------------------------

BEGIN_INTERFACE_MAP(CLVKReportRow, CLVKReportRowBase)
    INTERFACE_PART(CLVKReportRow, IID_IAccessible, Accessible)
END_INTERFACE_MAP()

HRESULT CLVKReportRow::ItemFromChildId(const VARIANT& varChild, CLVKReportRecordItem** ppItem)
{
    *ppItem = nullptr;
    const long nChild = ChildIdFromVariant(varChild);
    if (nChild == CHILDID_SELF)
        return S_OK;
    const long nItems = m_pRecord ? m_pRecord->GetItemCount() : 0;
    if (nChild < 0 || nChild > nItems)
        return E_INVALIDARG;
    *ppItem = m_pRecord->GetItem(static_cast<int>(nChild - 1));
    return *ppItem ? S_OK : E_INVALIDARG;
}

HRESULT CLVKReportRow::AccessibleGetParent(IDispatch** ppdispParent)
{
    if (!ppdispParent)
        return E_POINTER;
    *ppdispParent = nullptr;
    if (!m_pControl)
        return E_FAIL;
    *ppdispParent = &m_pControl->m_xAccessible;
    (*ppdispParent)->AddRef();
    return S_OK;
}

HRESULT CLVKReportRow::AccessibleGetChildCount(long* pcountChildren)
{
    if (!pcountChildren)
        return E_POINTER;
    *pcountChildren = m_pRecord ? m_pRecord->GetItemCount() : 0;
    return S_OK;
}

HRESULT CLVKReportRow::AccessibleGetChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (!ppdispChild)
        return E_POINTER;
    *ppdispChild = nullptr;
    CLVKReportRecordItem* pItem = nullptr;
    const HRESULT hr = ItemFromChildId(varChild, &pItem);
    if (FAILED(hr))
        return hr;
    // Cells are simple elements without objects of their own.
    return S_FALSE;
}

HRESULT CLVKReportRow::AccessibleGetName(VARIANT varChild, BSTR* pszName)
{
    if (!pszName)
        return E_POINTER;
    *pszName = nullptr;
    CLVKReportRecordItem* pItem = nullptr;
    const HRESULT hr = ItemFromChildId(varChild, &pItem);
    if (FAILED(hr))
        return hr;
    if (!pItem)
    {
        *pszName = SysAllocString(L"Report Row");
        return S_OK;
    }
    CLVKReportColumn* pColumn = m_pControl ? m_pControl->GetColumns()->Find(pItem->GetIndex()) : nullptr;
    *pszName = SysAllocString(pItem->GetCaption(pColumn));
    return S_OK;
}

HRESULT CLVKReportRow::AccessibleGetRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (!pvarRole)
        return E_POINTER;
    VariantInit(pvarRole);
    CLVKReportRecordItem* pItem = nullptr;
    const HRESULT hr = ItemFromChildId(varChild, &pItem);
    if (FAILED(hr))
        return hr;
    V_VT(pvarRole) = VT_I4;
    V_I4(pvarRole) = pItem ? ROLE_SYSTEM_CELL : ROLE_SYSTEM_ROW;
    return S_OK;
}

HRESULT CLVKReportRow::AccessibleGetState(VARIANT varChild, VARIANT* pvarState)
{
    if (!pvarState)
        return E_POINTER;
    VariantInit(pvarState);
    CLVKReportRecordItem* pItem = nullptr;
    const HRESULT hr = ItemFromChildId(varChild, &pItem);
    if (FAILED(hr))
        return hr;
    V_VT(pvarState) = VT_I4;
    V_I4(pvarState) = 0;
    if (!pItem)
    {
        if (IsSelected())
            V_I4(pvarState) |= STATE_SYSTEM_SELECTED;
        return S_OK;
    }
    CLVKReportColumn* pColumn = m_pControl ? m_pControl->GetColumns()->Find(pItem->GetIndex()) : nullptr;
    if (pColumn && !pColumn->IsVisible())
        V_I4(pvarState) |= STATE_SYSTEM_INVISIBLE;
    return S_OK;
}

HRESULT CLVKReportRow::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild)
{
    if (!pxLeft || !pyTop || !pcxWidth || !pcyHeight)
        return E_POINTER;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    CLVKReportRecordItem* pItem = nullptr;
    const HRESULT hr = ItemFromChildId(varChild, &pItem);
    if (FAILED(hr))
        return hr;
    if (!m_pControl || !m_pControl->m_hWnd)
        return E_FAIL;
    RECT rc = pItem ? GetItemRect(pItem) : m_rcRow;
    ::MapWindowPoints(m_pControl->m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.right - rc.left;
    *pcyHeight = rc.bottom - rc.top;
    return S_OK;
}

HRESULT CLVKReportRow::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (!pvarChild)
        return E_POINTER;
    VariantInit(pvarChild);
    if (!m_pControl || !m_pControl->m_hWnd)
        return E_FAIL;
    POINT pt{xLeft, yTop};
    ::ScreenToClient(m_pControl->m_hWnd, &pt);
    if (!::PtInRect(&m_rcRow, pt))
        return S_FALSE;
    CLVKReportRecordItem* pItem = HitTest(pt);
    V_VT(pvarChild) = VT_I4;
    V_I4(pvarChild) = pItem ? pItem->GetIndex() + 1 : CHILDID_SELF;
    return S_OK;
}
