// The report control's input: selection and focus, notifications to the parent, keyboard and mouse.
#include "ReportControl.h"
#include "ReportControlPrivate.h"

#include "ReportBatchAllocator.h"
#include "ReportBehavior.h"
#include "ReportColumn.h"
#include "ReportColumns.h"
#include "ReportGroupRow.h"
#include "ReportHeader.h"
#include "ReportInplaceButton.h"
#include "ReportPaintManager.h"
#include "ReportRecord.h"
#include "ReportRecordItem.h"
#include "ReportRecordItemEditOptions.h"
#include "ReportRecordItemPreview.h"
#include "ReportRecords.h"
#include "ReportRow.h"
#include "ReportRows.h"
#include "ReportSection.h"
#include "ReportSections.h"
#include "ReportSelectedRows.h"
#include "ReportThemes.h"
#include "Foundation/FontDC.h"
#include "Foundation/BitmapDC.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/ImageManager.h"
#include "Foundation/AlphaBitmap.h"
#include "Foundation/BitmapLoaders.h"
#include "Foundation/ImageManagerIcon.h"
#include "Foundation/ResourceManager.h"
#include "Foundation/WindowHelpers.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupHelpers.h"

#include <windowsx.h>

// Selection and focus -----------------------------------------------------------

CLVKReportRow* CLVKReportControl::GetFocusedRow() const
{
    return m_pSections->GetFocusedRow();
}

BOOL CLVKReportControl::SetFocusedRow(CLVKReportRow* pRow, BOOL bShiftKey, BOOL bControlKey)
{
    return SetFocusedRow(pRow, m_pFocusedColumn, bShiftKey, bControlKey);
}

BOOL CLVKReportControl::SetFocusedRow(CLVKReportRow* pRow, CLVKReportColumn* pColumn, BOOL bShiftKey, BOOL bControlKey)
{
    if (!pRow)
        return FALSE;
    CLVKReportSection* pSection = pRow->GetSection() ? pRow->GetSection() : m_pSectionBody;
    CLVKReportRows* pRows = pSection->GetRows();
    const int nOldFocused = pRows->GetFocusedRowIndex();
    if (pRows->GetFocusedRow() != pRow || pColumn != m_pFocusedColumn)
    {
        // The owner may change the rows while it is asked; the row is held and
        // checked again afterwards.
        pRow->InternalAddRef();
        const BOOL bAllowed = OnFocusChanging(pRow, pColumn);
        const BOOL bStillThere = pRow->GetIndex() >= 0 && pRows->GetAt(pRow->GetIndex()) == pRow;
        pRow->InternalRelease();
        if (!bAllowed || !bStillThere)
            return FALSE;
        for (int i = 0; i < 3; i++)
        {
            if (m_pSections->GetAt(i) != pSection)
                m_pSections->GetAt(i)->GetRows()->SetFocusedRowIndex(-1);
        }
        pRows->SetFocusedRowIndex(pRow->GetIndex());
        m_pFocusedColumn = pColumn;
    }
    if (pSection->m_bSelectionEnable)
    {
        if (bShiftKey && m_bMultipleSelection)
        {
            // Without an anchor the range starts at the row that had the focus.
            if (m_pSelectedRows->GetAnchor() < 0)
                m_pSelectedRows->SetAnchor(nOldFocused >= 0 ? nOldFocused : pRow->GetIndex());
            m_pSelectedRows->SelectBlock(m_pSelectedRows->GetAnchor(), pRow->GetIndex(), bControlKey);
        }
        else if (!bControlKey)
        {
            m_pSelectedRows->Select(pRow);
            m_pSelectedRows->SetAnchor(pRow->GetIndex());
        }
    }
    EnsureVisible(pRow);
    RedrawControl();
    if (m_pSelectedRows->IsChanged())
        OnSelectionChanged();
    return TRUE;
}

void CLVKReportControl::SelectAll()
{
    CLVKReportRows* pRows = GetRows();
    const int nCount = pRows->GetCount();
    if (nCount == 0 || !m_bMultipleSelection || !m_pSectionBody->m_bSelectionEnable)
        return;
    if (IsVirtualMode())
    {
        // One range through the navigator: the rows are not objects.
        m_pCurrentNavigator->MoveToRow(0, FALSE, FALSE);
        m_pCurrentNavigator->MoveToRow(nCount - 1, TRUE, FALSE);
        RedrawControl();
        return;
    }
    // Everything selected already: nothing changes and nothing is sent.
    if (m_pSelectedRows->GetCount() == nCount)
        return;
    m_pSelectedRows->SetAnchor(-1);
    m_pSelectedRows->SelectBlock(0, nCount - 1, FALSE);
    RedrawControl();
    if (m_pSelectedRows->IsChanged())
        OnSelectionChanged();
}

void CLVKReportControl::OnSelectionChanged()
{
    m_nPendingEditRow = m_nPendingEditColumn = -1;
    SendNotify(REPORT_NOTIFY_SELECTION_CHANGED, nullptr);
    m_pSelectedRows->SetChanged(FALSE);
}

BOOL CLVKReportControl::OnFocusChanging(CLVKReportRow* pNewRow, CLVKReportColumn* pNewColumn)
{
    REPORT_ITEM_NOTIFY_EX nm{};
    nm.pRow = pNewRow ? pNewRow : GetFocusedRow();
    nm.pColumn = pNewColumn ? pNewColumn : m_pFocusedColumn;
    nm.pItem = nm.pRow && nm.pRow->GetRecord() ? nm.pRow->GetRecord()->GetItem(nm.pColumn) : nullptr;
    nm.nHyperlink = -1;
    nm.lExtra = 0;
    SendNotify(REPORT_NOTIFY_FOCUS_CHANGING, &nm.hdr);
    return nm.lExtra == 0;
}

BOOL CLVKReportControl::OnPreviewKeyDown(UINT& rnChar, UINT nRepCnt, UINT nFlags)
{
    REPORT_KEY_NOTIFY nm{};
    nm.nVKey = rnChar;
    nm.nRepCnt = nRepCnt;
    nm.nFlags = nFlags;
    SendNotify(REPORT_NOTIFY_PREVIEW_KEYDOWN, &nm.hdr);
    rnChar = nm.nVKey;
    return !nm.bCancel;
}

void CLVKReportControl::OnGetItemMetrics(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                         LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    REPORT_PAIR_NOTIFY nm{};
    nm.lFirst = reinterpret_cast<LPARAM>(pDrawArgs);
    nm.lSecond = reinterpret_cast<LPARAM>(pMetrics);
    SendNotify(REPORT_NOTIFY_GET_ITEM_METRICS, &nm.hdr);
}

// Notifications -------------------------------------------------------------------

LRESULT CLVKReportControl::SendNotify(int nCode, NMHDR* pNmhdr)
{
    if (!m_hWnd)
        return 0;
    NMHDR hdr{};
    if (!pNmhdr)
        pNmhdr = &hdr;
    pNmhdr->hwndFrom = m_hWnd;
    pNmhdr->idFrom = GetDlgCtrlID();
    pNmhdr->code = static_cast<UINT>(nCode);
    HWND hTarget = m_hWndOwner ? m_hWndOwner : ::GetParent(m_hWnd);
    if (!hTarget || !::IsWindow(hTarget))
        return 0;
    return ::SendMessageW(hTarget, WM_NOTIFY, pNmhdr->idFrom, reinterpret_cast<LPARAM>(pNmhdr));
}

LRESULT CLVKReportControl::SendItemNotify(CLVKReportRow* pRow, CLVKReportRecordItem* pItem, CLVKReportColumn* pColumn,
                                          int nCode, const POINT* pPoint, int nValue)
{
    if (!m_hWnd)
        return 0;
    REPORT_ITEM_NOTIFY nm{};
    nm.pRow = pRow;
    nm.pItem = pItem;
    nm.pColumn = pColumn;
    nm.nHyperlink = nValue;
    if (pPoint)
        nm.pt = *pPoint;
    return SendNotify(nCode, &nm.hdr);
}

// Keyboard navigation ---------------------------------------------------------------

void CLVKReportControl::SelectRowAfterMove(CLVKReportRow* pRow, BOOL bShiftKey, BOOL bControlKey)
{
    if (pRow)
        SetFocusedRow(pRow, bShiftKey, bControlKey);
}

void CLVKReportControl::MoveDown(BOOL bShiftKey, BOOL bControlKey)
{
    m_pCurrentNavigator->MoveDown(bShiftKey, bControlKey);
}

void CLVKReportControl::MoveUp(BOOL bShiftKey, BOOL bControlKey)
{
    m_pCurrentNavigator->MoveUp(bShiftKey, bControlKey);
}

void CLVKReportControl::MovePageDown(BOOL bShiftKey, BOOL bControlKey)
{
    m_pCurrentNavigator->MovePageDown(bShiftKey, bControlKey);
}

void CLVKReportControl::MovePageUp(BOOL bShiftKey, BOOL bControlKey)
{
    m_pCurrentNavigator->MovePageUp(bShiftKey, bControlKey);
}

void CLVKReportControl::MoveFirstRow(BOOL bShiftKey, BOOL bControlKey)
{
    m_pCurrentNavigator->MoveToFirstRow(bShiftKey, bControlKey);
}

void CLVKReportControl::MoveLastRow(BOOL bShiftKey, BOOL bControlKey)
{
    m_pCurrentNavigator->MoveToLastRow(bShiftKey, bControlKey);
}

void CLVKReportControl::MoveToColumn(int nDirection)
{
    CLVKReportRow* pRow = GetFocusedRow();
    if (!pRow || !m_bFocusSubItems)
        return;
    const int nIndex = m_pFocusedColumn ? m_pColumns->IndexOf(m_pFocusedColumn) : -1;
    if (CLVKReportColumn* pColumn = GetNextFocusableColumn(pRow, nIndex, nDirection))
        SetFocusedColumn(pColumn);
}

// Input ---------------------------------------------------------------------------

BOOL CLVKReportControl::ApplyRowBehavior(CLVKReportBehaviorRowMouseButton* pButton, CLVKReportRow* pRow,
                                         CLVKReportColumn* pColumn, CLVKReportRecordItem* pItem, BOOL bShift,
                                         BOOL bControl)
{
    CLVKReportBehaviorRowModifier* pModifier = pButton->GetModifier(bShift, bControl);
    const BOOL bSelected = pRow->IsSelected();
    const BOOL bFocus =
        (pModifier->bFocusRow || pModifier->bFocusRowTemporarily) && !(pModifier->bKeepSelectedFocus && bSelected);
    const BOOL bSelect = pModifier->bSelectRow && !(pModifier->bKeepSelectedSelection && bSelected);
    CLVKReportColumn* pFocusColumn =
        pButton->bFocusColumn && m_bFocusSubItems && pItem && pItem->IsFocusable() ? pColumn : m_pFocusedColumn;
    if (pModifier->bFocusRowTemporarily && m_nTemporaryFocusRow < 0)
        m_nTemporaryFocusRow = GetRows()->GetFocusedRowIndex();
    const BOOL bWithModifiers = bSelect && pModifier->bSelectWithModifiers;
    if (bWithModifiers && bShift)
        return SetFocusedRow(pRow, pFocusColumn, TRUE, bControl);
    if (bWithModifiers && bControl)
    {
        if (bFocus && !SetFocusedRow(pRow, pFocusColumn, FALSE, TRUE))
            return FALSE;
        if (m_bMultipleSelection)
            m_pSelectedRows->Toggle(pRow);
        else
            m_pSelectedRows->Select(pRow);
        m_pSelectedRows->SetAnchor(pRow->GetIndex());
        RedrawControl();
        if (m_pSelectedRows->IsChanged())
            OnSelectionChanged();
        return TRUE;
    }
    if (bFocus)
        return SetFocusedRow(pRow, pFocusColumn, FALSE, !bSelect);
    if (bSelect && pRow->GetSection() && pRow->GetSection()->m_bSelectionEnable)
    {
        m_pSelectedRows->Select(pRow);
        RedrawControl();
        if (m_pSelectedRows->IsChanged())
            OnSelectionChanged();
    }
    else if (pButton->bFocusColumn && pFocusColumn != m_pFocusedColumn)
        SetFocusedColumn(pFocusColumn);
    return TRUE;
}

void CLVKReportControl::RestoreTemporaryFocus()
{
    const int nRow = m_nTemporaryFocusRow;
    m_nTemporaryFocusRow = -1;
    CLVKReportRow* pRow = nRow >= 0 ? GetRows()->GetAt(nRow) : nullptr;
    if (pRow)
        SetFocusedRow(pRow, FALSE, TRUE);
}

void CLVKReportControl::OnLButtonDown(UINT nFlags, POINT pt)
{
    SetFocus();
    EndEditing(TRUE);
    m_ptMouseDown = pt;
    if (PtInRect(&m_rcHeaderArea, pt) || PtInRect(&m_rcGroupByArea, pt))
    {
        m_pReportHeader->OnLButtonDown(pt);
        return;
    }
    if (m_nMouseMode == kMouseOverRowEdge)
    {
        // The bottom edge of a row: the pointer may be just below it.
        POINT ptRow{pt.x, pt.y - CLVKDpiScaling::GetGlobal()->ScaleY(3)};
        if (CLVKReportRow* pSized = HitTestRow(ptRow))
        {
            if (pSized->TrackRowSizing(pt))
                return;
        }
        m_nMouseMode = kMouseIdle;
    }
    CLVKReportRow* pRow = HitTestRow(pt);
    m_bMouseDownInRow = pRow != nullptr;
    if (!pRow)
    {
        if (m_bClearSelectionOnClickOutside && !(nFlags & (MK_SHIFT | MK_CONTROL)))
        {
            m_pSelectedRows->Clear();
            if (m_pSelectedRows->IsChanged())
                OnSelectionChanged();
        }
        return;
    }
    CLVKReportColumn* pColumn = nullptr;
    CLVKReportRecordItem* pItem = pRow->HitTest(pt, nullptr, &pColumn);
    if (SendItemNotify(pRow, pItem, pColumn, REPORT_NOTIFY_LBUTTON_DOWN, &pt, -1))
        return;
    // A click on the expand glyph does not move the selection.
    if (pRow->HasChildren() && PtInRect(&pRow->GetCollapseRect(), pt))
        return;
    // The modifiers held at the press decide for the release too.
    m_bMouseDownShift = (nFlags & MK_SHIFT) != 0;
    m_bMouseDownControl = (nFlags & MK_CONTROL) != 0 || m_bSelectionToggle;
    m_bMouseDownRowSelected = pRow->IsSelected();
    CLVKReportBehaviorRowMouseButton* pButton = &m_pBehavior->Row.MouseDown.Left;
    if (!ApplyRowBehavior(pButton, pRow, pColumn, pItem, m_bMouseDownShift, m_bMouseDownControl))
        return;
    if (HitTestRow(pt) != pRow)
        return;
    if (pButton->bEnsureVisible)
        EnsureVisible(pRow);
    if (pButton->bBeginDrag)
        m_bDragPending = TRUE;
    if (pButton->bClick)
        pRow->OnClick(pt);
    if (pItem && pItem->GetItemControlsCount() > 0 && HitTestRow(pt) == pRow)
    {
        LVK_REPORTRECORDITEM_CLICKARGS clickArgs;
        clickArgs.pControl = this;
        clickArgs.pRow = pRow;
        clickArgs.pColumn = pColumn;
        clickArgs.pItem = pItem;
        clickArgs.rcItem = pRow->GetItemRect(pItem);
        clickArgs.ptClient = pt;
        pItem->OnLButtonDown(&clickArgs);
    }
}

void CLVKReportControl::OnLButtonUp(UINT /*nFlags*/, POINT pt)
{
    if (m_nMouseMode == kMouseColumnPressed || PtInRect(&m_rcHeaderArea, m_ptMouseDown) ||
        PtInRect(&m_rcGroupByArea, m_ptMouseDown))
    {
        m_pReportHeader->OnLButtonUp(pt);
        return;
    }
    if (!m_bMouseDownInRow)
        return;
    m_bMouseDownInRow = FALSE;
    CLVKReportBehaviorRowMouseButton* pButton = &m_pBehavior->Row.MouseUp.Left;
    if (pButton->bEndDrag)
        m_bDragPending = FALSE;
    CLVKReportRow* pRow = HitTestRow(pt);
    if (!pRow)
        return;
    CLVKReportColumn* pColumn = nullptr;
    CLVKReportRecordItem* pItem = pRow->HitTest(pt, nullptr, &pColumn);
    // The owner may take a release that no item control took; the selection
    // then stays as it is.
    if (!(pItem && pItem->GetItemControlsCount() > 0 && pItem->HitTestItemControl(pt)) &&
        SendItemNotify(pRow, pItem, pColumn, REPORT_NOTIFY_LBUTTON_UP, &pt, -1))
        return;
    const BOOL bSameRow = HitTestRow(m_ptMouseDown) == pRow;
    const BOOL bOnGlyph = pRow->HasChildren() && PtInRect(&pRow->GetCollapseRect(), pt);
    if (bSameRow && !bOnGlyph)
    {
        if (!ApplyRowBehavior(pButton, pRow, pColumn, pItem, m_bMouseDownShift, m_bMouseDownControl))
            return;
        // With Ctrl a row that was selected when pressed is toggled on the
        // release, so that a drag could still start from it.
        if (m_bMouseDownControl && !m_bMouseDownShift && m_bMouseDownRowSelected && HitTestRow(pt) == pRow)
        {
            if (m_bMultipleSelection)
                m_pSelectedRows->Toggle(pRow);
            else
                m_pSelectedRows->Select(pRow);
            RedrawControl();
            if (m_pSelectedRows->IsChanged())
                OnSelectionChanged();
        }
        if (HitTestRow(pt) != pRow)
            return;
    }
    if (pButton->bEnsureVisible)
        EnsureVisible(pRow);
    if (pItem && pItem->GetItemControlsCount() > 0)
    {
        LVK_REPORTRECORDITEM_CLICKARGS clickArgs;
        clickArgs.pControl = this;
        clickArgs.pRow = pRow;
        clickArgs.pColumn = pColumn;
        clickArgs.pItem = pItem;
        clickArgs.rcItem = pRow->GetItemRect(pItem);
        clickArgs.ptClient = pt;
        if (pItem->OnLButtonUp(&clickArgs))
            return;
    }
    if (pButton->bClick)
    {
        pRow->OnClick(pt);
        if (pButton->bEditOnClick && pItem && HitTestRow(pt) == pRow && !IsEditMode())
        {
            LVK_REPORTRECORDITEM_ARGS args(this, pRow, pColumn);
            if (args.pItem && args.pItem->IsAllowEdit(&args))
                EditItem(&args);
        }
    }
    RestoreTemporaryFocus();
}

void CLVKReportControl::SetMouseItem(CLVKReportRecordItem* pItem)
{
    if (pItem == m_pMouseItem)
        return;
    if (pItem)
        pItem->InternalAddRef();
    if (m_pMouseItem)
        m_pMouseItem->InternalRelease();
    m_pMouseItem = pItem;
}

void CLVKReportControl::OnLButtonDblClk(UINT, POINT pt)
{
    m_ptMouseDown = pt;
    StopDelayedEdit();
    if (PtInRect(&m_rcHeaderArea, pt))
    {
        m_pReportHeader->OnLButtonDblClk(pt);
        return;
    }
    CLVKReportRow* pRow = HitTestRow(pt);
    if (pRow)
        pRow->OnDblClick(pt);
    else if (!PtInRect(&m_rcHeaderArea, pt))
        SendItemNotify(nullptr, nullptr, nullptr, NM_DBLCLK, &pt);
}

void CLVKReportControl::OnRButtonDown(UINT nFlags, POINT pt)
{
    SetFocus();
    m_ptMouseDown = pt;
    POINT ptScreen = pt;
    ClientToScreen(&ptScreen);
    // The header's menu comes with WM_CONTEXTMENU.
    if (PtInRect(&m_rcHeaderArea, pt) || PtInRect(&m_rcGroupByArea, pt))
        return;
    CLVKReportRow* pRow = HitTestRow(pt);
    m_bRightDownInRow = pRow != nullptr;
    if (!pRow)
        return;
    CLVKReportColumn* pColumn = nullptr;
    CLVKReportRecordItem* pItem = pRow->HitTest(pt, nullptr, &pColumn);
    m_bMouseDownShift = (nFlags & MK_SHIFT) != 0;
    m_bMouseDownControl = (nFlags & MK_CONTROL) != 0;
    CLVKReportBehaviorRowMouseButton* pButton = &m_pBehavior->Row.MouseDown.Right;
    if (!ApplyRowBehavior(pButton, pRow, pColumn, pItem, m_bMouseDownShift, m_bMouseDownControl))
        return;
    if (pButton->bEnsureVisible && HitTestRow(pt) == pRow)
        EnsureVisible(pRow);
    if (pButton->bContextMenu)
        SendItemNotify(pRow, pItem, pColumn, NM_RCLICK, &ptScreen);
}

void CLVKReportControl::OnRButtonUp(UINT /*nFlags*/, POINT pt)
{
    if (PtInRect(&m_rcHeaderArea, pt) || PtInRect(&m_rcGroupByArea, pt))
        return;
    CLVKReportBehaviorRowMouseButton* pButton = &m_pBehavior->Row.MouseUp.Right;
    if (pButton->bEndDrag)
        m_bDragPending = FALSE;
    POINT ptScreen = pt;
    ClientToScreen(&ptScreen);
    CLVKReportRow* pRow = HitTestRow(pt);
    const BOOL bPressedInRow = m_bRightDownInRow;
    m_bRightDownInRow = FALSE;
    if (!pRow)
    {
        const RECT rcBody = GetElementRect(0);
        if (pButton->bContextMenu && PtInRect(&rcBody, pt))
            SendItemNotify(nullptr, nullptr, nullptr, NM_RCLICK, &ptScreen);
        return;
    }
    CLVKReportColumn* pColumn = nullptr;
    CLVKReportRecordItem* pItem = pRow->HitTest(pt, nullptr, &pColumn);
    if (bPressedInRow && HitTestRow(m_ptMouseDown) == pRow &&
        !ApplyRowBehavior(pButton, pRow, pColumn, pItem, m_bMouseDownShift, m_bMouseDownControl))
        return;
    if (HitTestRow(pt) != pRow)
        return;
    if (pButton->bEnsureVisible)
        EnsureVisible(pRow);
    if (pButton->bClick)
        pRow->OnClick(pt);
    if (pButton->bContextMenu)
        SendItemNotify(pRow, pItem, pColumn, NM_RCLICK, &ptScreen);
    RestoreTemporaryFocus();
}

void CLVKReportControl::OnContextMenu(POINT ptScreen)
{
    if (m_nMouseMode != kMouseIdle)
        return;
    if (ptScreen.x == -1 && ptScreen.y == -1)
    {
        // From the keyboard: the focused row's menu at its bottom-left corner,
        // else the body's top-left corner.
        if (CLVKReportRow* pRow = GetFocusedRow())
        {
            const RECT& rcRow = pRow->GetRect();
            pRow->OnContextMenu(POINT{rcRow.left, rcRow.bottom});
        }
        else
        {
            const RECT rcBody = GetElementRect(0);
            POINT pt{rcBody.left, rcBody.top};
            ClientToScreen(&pt);
            SendItemNotify(nullptr, nullptr, nullptr, NM_RCLICK, &pt);
        }
        return;
    }
    POINT pt = ptScreen;
    ScreenToClient(&pt);
    if (PtInRect(&m_rcHeaderArea, pt) || PtInRect(&m_rcGroupByArea, pt))
        m_pReportHeader->OnContextMenu(pt);
}

void CLVKReportControl::OnMouseMove(UINT nFlags, POINT pt)
{
    if (m_pReportHeader->OnMouseMove(pt))
        return;
    if (!m_bTrackingMouse)
    {
        TRACKMOUSEEVENT tme{};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = m_hWnd;
        m_bTrackingMouse = TrackMouseEvent(&tme);
    }
    CLVKReportRow* pRow = HitTestRow(pt);
    m_pHotRow = pRow;
    if (m_bRowSizing && (m_nMouseMode == kMouseIdle || m_nMouseMode == kMouseOverRowEdge))
    {
        // The row above the pointer's edge may be the one that is sized.
        POINT ptRow{pt.x, pt.y - CLVKDpiScaling::GetGlobal()->ScaleY(3)};
        CLVKReportRow* pEdgeRow = HitTestRow(ptRow);
        if (!(pEdgeRow && pEdgeRow->OnMouseMove(nFlags, pt)) && m_nMouseMode == kMouseOverRowEdge)
            m_nMouseMode = kMouseIdle;
    }
    CLVKReportColumn* pColumn = nullptr;
    CLVKReportRecordItem* pItem = pRow ? pRow->HitTest(pt, nullptr, &pColumn) : nullptr;
    UpdateCellTip(pt, pRow);
    // The hyperlink under the mouse is drawn in the hover style; with the
    // resource theme a group row is hot while the mouse is over its button.
    const int nLink = pItem ? pItem->HitTestHyperlink(pt) : -1;
    CLVKReportHyperlink* pHotLink = nLink >= 0 ? pItem->GetHyperlinkAt(nLink) : nullptr;
    CLVKReportRow* pHotGroup = nullptr;
    if (pRow && pRow->IsGroupRow() &&
        (m_pPaintManager->m_nThemeKind != 4 || PtInRect(&pRow->GetCollapseRect(), pt)))
        pHotGroup = pRow;
    if (pHotLink != m_pHotHyperlink || pHotGroup != m_pHotGroupRow)
    {
        m_pHotHyperlink = pHotLink;
        m_pHotGroupRow = pHotGroup;
        RedrawControl();
    }
    // Hot tracking of the controls inside cells: the cell left gets the point
    // too, so that its hot control hears the mouse leave.
    if (pItem && pItem->GetItemControlsCount() == 0)
        pItem = nullptr;
    if (m_pMouseItem && m_pMouseItem != pItem)
        m_pMouseItem->OnMouseMove(nFlags, pt, this);
    SetMouseItem(pItem);
    if (pItem)
        pItem->OnMouseMove(nFlags, pt, this);
    SendItemNotify(pRow, pItem, pColumn, REPORT_NOTIFY_HOT_ROW_CHANGED, &pt);
}

void CLVKReportControl::OnGetToolTipInfo(CLVKReportRow* pRow, CLVKReportRecordItem* pItem, CString& strText)
{
    REPORT_ITEM_NOTIFY_EX nm{};
    nm.pRow = pRow;
    nm.pItem = pItem;
    nm.nHyperlink = -1;
    nm.lExtra = reinterpret_cast<LPARAM>(&strText);
    SendNotify(REPORT_NOTIFY_GET_TOOLTIP_INFO, &nm.hdr);
}

void CLVKReportControl::UpdateCellTip(POINT pt, CLVKReportRow* pRow)
{
    auto hide = [this]()
    {
        m_tip.m_pItem = nullptr;
        m_tip.m_nRowIndex = -1;
        m_tip.Activate(FALSE, FALSE);
    };
    if (m_tip.m_hWnd && m_tip.IsWindowVisible() && PtInRect(&m_tip.GetHoverRect(), pt))
        return;
    RECT rcItem{};
    CLVKReportColumn* pColumn = nullptr;
    CLVKReportRecordItem* pItem = pRow ? pRow->HitTest(pt, &rcItem, &pColumn) : nullptr;
    if (!pItem || !pColumn || IsEditMode() || (pColumn->GetAlignment() & DT_WORDBREAK) || pItem->HasCheckbox())
    {
        hide();
        return;
    }
    HWND hTop = ::GetAncestor(m_hWnd, GA_ROOT);
    if (hTop && ::GetActiveWindow() != hTop)
    {
        hide();
        return;
    }
    if (m_tip.m_pItem == pItem && m_tip.m_nRowIndex == pRow->GetIndex())
        return;
    CString strText = pItem->GetCaption(pColumn);
    strText.TrimRight();
    if (strText.IsEmpty() || !pItem->GetTooltip().IsEmpty())
    {
        hide();
        return;
    }
    rcItem.top = pRow->GetRect().top;
    rcItem.bottom = pRow->GetRect().bottom;
    RECT rcCaption = rcItem;
    pItem->GetCaptionRect(nullptr, rcCaption);
    CClientDC dc(this);
    CLVKFontDC font(&dc, m_pPaintManager->GetTextFont());
    SIZE sz{};
    GetTextExtentPoint32W(dc.m_hDC, strText, strText.GetLength(), &sz);
    font.RestoreFont();
    if (sz.cx <= (rcCaption.right - rcCaption.left) - LVKScaleX(4))
    {
        hide();
        return;
    }
    OnGetToolTipInfo(pRow, pItem, strText);
    if (strText.IsEmpty())
    {
        hide();
        return;
    }
    if (!m_tip.Create(this))
        return;
    m_tip.m_pItem = pItem;
    m_tip.m_nRowIndex = pRow->GetIndex();
    m_tip.m_pReportControl = this;
    m_tip.SetFont(m_pPaintManager->GetTextFont());
    m_tip.SetTooltipText(strText);
    RECT rcTip = rcCaption;
    OffsetRect(&rcTip, -LVKScaleX(1), -LVKScaleY(1));
    if (!m_pPaintManager->IsGridHorizontal())
        rcTip.top += 1;
    m_tip.SetHoverRect(rcCaption);
    ClientToScreen(&rcTip);
    m_tip.SetTooltipRect(rcTip);
    m_tip.Activate(TRUE, m_tip.IsMultiLine());
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof(tme);
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = m_hWnd;
    TrackMouseEvent(&tme);
}

void CLVKReportControl::OnMouseLeave()
{
    m_bTrackingMouse = FALSE;
    m_pReportHeader->OnMouseLeave();
    m_pHotRow = nullptr;
    if (m_pHotHyperlink || m_pHotGroupRow)
    {
        m_pHotHyperlink = nullptr;
        m_pHotGroupRow = nullptr;
        RedrawControl();
    }
    if (m_nMouseMode == kMouseOverRowEdge)
        m_nMouseMode = kMouseIdle;
    POINT ptCursor{};
    GetCursorPos(&ptCursor);
    if (m_tip.m_hWnd && ::WindowFromPoint(ptCursor) != m_tip.m_hWnd)
    {
        m_tip.m_pItem = nullptr;
        m_tip.m_nRowIndex = -1;
        m_tip.Activate(FALSE, FALSE);
    }
    const POINT pt{-1, -1};
    SendItemNotify(nullptr, nullptr, nullptr, REPORT_NOTIFY_HOT_ROW_CHANGED, &pt);
}

void CLVKReportControl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const BOOL bShift = GetKeyState(VK_SHIFT) < 0;
    const BOOL bControlKey = GetKeyState(VK_CONTROL) < 0;
    // Ctrl, or every key acting as with Ctrl held.
    const BOOL bControl = bControlKey || m_bSelectionToggle;
    if (IsRightToLeft() && (nChar == VK_LEFT || nChar == VK_RIGHT))
        nChar = nChar == VK_LEFT ? VK_RIGHT : VK_LEFT;
    const BOOL bHasRows =
        GetRows()->GetCount() > 0 || GetHeaderRows()->GetCount() > 0 || GetFooterRows()->GetCount() > 0;
    CLVKReportRow* pFocused = GetFocusedRow();
    switch (bHasRows ? nChar : 0)
    {
    case VK_RETURN:
        if (pFocused && pFocused->HasChildren() && !pFocused->IsLockExpand())
            pFocused->SetExpanded(!pFocused->IsExpanded());
        break;
    case VK_ESCAPE:
        if (m_nMouseMode != kMouseIdle)
            m_pReportHeader->CancelMouseMode();
        break;
    case VK_SPACE:
        if (m_pSectionBody->m_bSelectionEnable && bControl && pFocused)
        {
            m_pSelectedRows->Toggle(pFocused);
            OnSelectionChanged();
            RedrawControl();
        }
        break;
    case VK_NEXT:
        m_pCurrentNavigator->MovePageDown(bShift, FALSE);
        break;
    case VK_PRIOR:
        m_pCurrentNavigator->MovePageUp(bShift, FALSE);
        break;
    case VK_HOME:
        m_pCurrentNavigator->MoveToFirstRow(bShift, FALSE);
        break;
    case VK_END:
        m_pCurrentNavigator->MoveToLastRow(bShift, FALSE);
        break;
    case VK_DOWN:
        m_pCurrentNavigator->MoveDown(bShift, bControl);
        break;
    case VK_UP:
        m_pCurrentNavigator->MoveUp(bShift, bControl);
        break;
    case VK_LEFT:
    case VK_RIGHT:
        OnLeftRightKey(nChar == VK_LEFT, bShift, bControl, bControlKey);
        break;
    case 'A':
        if (bControlKey && !bShift)
            SelectAll();
        break;
    case VK_ADD:
    case VK_SUBTRACT:
    {
        const BOOL bExpand = nChar == VK_ADD;
        if (bControlKey)
        {
            BeginUpdate();
            if (bExpand)
                m_pSectionBody->ExpandAll(TRUE);
            else
                m_pSectionBody->CollapseAll();
            EndUpdate();
            AdjustScrollBars();
        }
        else if (pFocused && pFocused->HasChildren() && !pFocused->IsLockExpand() &&
                 (pFocused->IsExpanded() != FALSE) != (bExpand != FALSE))
            pFocused->SetExpanded(bExpand);
        break;
    }
    case VK_F2:
        m_pCurrentNavigator->BeginEdit();
        break;
    case VK_F5:
        if (bShift || !pFocused)
            RefreshFormulas();
        else
            RefreshFormulas(pFocused->GetRecord());
        break;
    default:
        break;
    }
    NMKEY nmKey{};
    nmKey.nVKey = nChar;
    nmKey.uFlags = nFlags;
    (void)nRepCnt;
    SendNotify(NM_KEYDOWN, &nmKey.hdr);
}

void CLVKReportControl::OnLeftRightKey(BOOL bLeft, BOOL bShift, BOOL bControl, BOOL bControlKey)
{
    if (m_bIconView)
    {
        m_pCurrentNavigator->MoveLeftRight(bLeft, bShift, bControl);
        return;
    }
    CLVKReportRow* pFocused = GetFocusedRow();
    if (!pFocused)
        return;
    if (m_bFocusSubItems && m_pFocusedColumn)
    {
        // The previous or next focusable cell of the row.
        CLVKReportColumn* pColumn =
            GetNextFocusableColumn(pFocused, m_pColumns->IndexOf(m_pFocusedColumn), bLeft ? -1 : 1);
        if (pColumn)
        {
            SetFocusedColumn(pColumn);
            SetFocusedRow(pFocused, FALSE, bControl);
        }
        return;
    }
    if (bLeft)
    {
        if (pFocused->HasChildren() && pFocused->IsExpanded())
        {
            if (pFocused->IsLockExpand())
                m_pCurrentNavigator->MoveUp(bShift, bControl);
            else
                pFocused->SetExpanded(FALSE);
        }
        else if (pFocused->GetParentRow())
            SetFocusedRow(pFocused->GetParentRow(), FALSE, bControl);
        else
            m_pCurrentNavigator->MoveUp(bShift, bControl);
        return;
    }
    if (!pFocused->HasChildren())
        m_pCurrentNavigator->MoveDown(bShift, bControl);
    else if (pFocused->IsExpanded())
        SetFocusedRow(pFocused->GetChilds(FALSE)->GetAt(0), FALSE, bControl);
    else if (pFocused->IsLockExpand())
        m_pCurrentNavigator->MoveDown(bShift, bControl);
    else
        pFocused->SetExpanded(TRUE, bControlKey);
}

void CLVKReportControl::OnChar(UINT nChar, UINT, UINT)
{
    NMCHAR nmChar{};
    nmChar.ch = nChar;
    SendNotify(NM_CHAR, &nmChar.hdr);
    // Enter, Escape and control characters are not typed into cells.
    if (nChar == VK_RETURN || nChar == VK_ESCAPE || (nChar < 0x20 && nChar != VK_TAB))
        return;
    CLVKReportRow* pFocused = GetFocusedRow();
    if (!pFocused || !m_pFocusedColumn)
        return;
    LVK_REPORTRECORDITEM_ARGS args(this, pFocused, m_pFocusedColumn);
    if (args.pItem)
        args.pItem->OnChar(&args, nChar);
}
