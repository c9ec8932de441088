#include "ReportNavigator.h"

#include "ReportColumn.h"
#include "ReportColumns.h"
#include "ReportControl.h"
#include "ReportInplaceEdit.h"
#include "ReportRecord.h"
#include "ReportRecordItem.h"
#include "ReportRecordItemEditOptions.h"
#include "ReportRow.h"
#include "ReportRows.h"
#include "ReportSection.h"
#include "ReportSections.h"
#include "ReportSelectedRows.h"

CLVKReportSection* CLVKReportNavigator::GetSection(int nSection) const
{
    // The control keeps its sections as header records, body, footer records.
    switch (nSection)
    {
    case 0:
        return m_pReportControl->GetBodySection();
    case 1:
        return m_pReportControl->GetSections()->GetAt(0);
    case 2:
        return m_pReportControl->GetSections()->GetAt(2);
    default:
        return nullptr;
    }
}

BOOL CLVKReportNavigator::Ctrl(BOOL bControlKey) const
{
    return bControlKey || m_pReportControl->IsSelectionToggle();
}

BOOL CLVKReportNavigator::IsFocusable(int nSection) const
{
    CLVKReportSection* pSection = GetSection(nSection);
    return pSection && pSection->m_bVisible && pSection->m_bAllowFocus && pSection->GetRows()->GetCount() > 0;
}

BOOL CLVKReportNavigator::FocusRow(CLVKReportRow* pRow, BOOL bShiftKey, BOOL bControlKey, BOOL bEnsureVisible)
{
    if (!pRow)
        return FALSE;
    if (!m_pReportControl->SetFocusedRow(pRow, bShiftKey, Ctrl(bControlKey)))
        return FALSE;
    if (bEnsureVisible && pRow->GetSection() == m_pReportControl->GetBodySection())
        m_pReportControl->EnsureVisible(pRow);
    DeselectGroupRows();
    return TRUE;
}

void CLVKReportNavigator::DeselectGroupRows()
{
    if (m_pReportControl->IsSkipGroupsFocus() && !m_pReportControl->IsVirtualMode())
        m_pReportControl->UnselectGroupRows();
}

void CLVKReportNavigator::MoveFirstRow(int nSection)
{
    CLVKReportSection* pSection = GetSection(nSection);
    if (!pSection)
        return;
    CLVKReportRows* pRows = pSection->GetRows();
    if (nSection != 0)
    {
        if (pRows->GetCount() > 0 && pRows->GetAt(0) != m_pReportControl->GetFocusedRow())
            FocusRow(pRows->GetAt(0), FALSE, FALSE, FALSE);
        return;
    }
    CLVKReportRow* pRow = pRows->GetAt(pSection->GetTopRowIndex());
    if (pRow && pRow->IsGroupRow() && pRow->IsExpanded() && m_pReportControl->IsSkipGroupsFocus())
        pRow = pRows->GetNext(pRow, FALSE);
    FocusRow(pRow, FALSE, FALSE);
}

void CLVKReportNavigator::MoveLastRow(int nSection)
{
    CLVKReportSection* pSection = GetSection(nSection);
    if (!pSection)
        return;
    CLVKReportRows* pRows = pSection->GetRows();
    if (pRows->GetCount() == 0)
        return;
    if (nSection != 0)
    {
        CLVKReportRow* pLast = pRows->GetAt(pRows->GetCount() - 1);
        if (pLast != m_pReportControl->GetFocusedRow())
            FocusRow(pLast, FALSE, FALSE, FALSE);
        return;
    }
    // The last row of the page now shown, not the last row overall.
    const int nTop = pSection->GetTopRowIndex();
    const int nPage = m_pReportControl->GetPageScrollCount(nTop, TRUE);
    FocusRow(pRows->GetAt(std::min(pRows->GetCount() - 1, nTop + std::max(0, nPage))), FALSE, FALSE);
}

void CLVKReportNavigator::MoveToFirstRow(BOOL bShiftKey, BOOL bControlKey)
{
    CLVKReportRows* pRows = m_pReportControl->GetRows();
    CLVKReportRow* pFirst = pRows->GetAt(0);
    if (pFirst && (pFirst != m_pReportControl->GetFocusedRow() || m_pReportControl->IsVirtualMode()))
        FocusRow(pFirst, bShiftKey, bControlKey);
}

void CLVKReportNavigator::MoveToLastRow(BOOL bShiftKey, BOOL bControlKey)
{
    CLVKReportRows* pRows = m_pReportControl->GetRows();
    CLVKReportRow* pLast = pRows->GetAt(pRows->GetCount() - 1);
    if (pLast && (pLast != m_pReportControl->GetFocusedRow() || m_pReportControl->IsVirtualMode()))
        FocusRow(pLast, bShiftKey, bControlKey);
}

void CLVKReportNavigator::MoveToRow(int nIndex, BOOL bShiftKey, BOOL bControlKey)
{
    CLVKReportRows* pRows = m_pReportControl->GetRows();
    if (pRows->GetCount() == 0)
        return;
    FocusRow(pRows->GetAt(std::max(0, std::min(nIndex, pRows->GetCount() - 1))), bShiftKey, bControlKey);
}

int CLVKReportNavigator::GetPageTargetIndex(BOOL bForward)
{
    CLVKReportRows* pRows = m_pReportControl->GetRows();
    const int nFocused = std::max(0, pRows->GetFocusedRowIndex());
    const int nCount = m_pReportControl->GetPageScrollCount(nFocused, bForward);
    if (nCount == 0)
    {
        DeselectGroupRows();
        return -1;
    }
    const int nTarget = bForward ? nFocused + nCount : nFocused - nCount;
    return std::max(0, std::min(nTarget, pRows->GetCount() - 1));
}

void CLVKReportNavigator::MoveDown(BOOL bShiftKey, BOOL bControlKey)
{
    MoveVertically(TRUE, bShiftKey, bControlKey);
}

void CLVKReportNavigator::MoveUp(BOOL bShiftKey, BOOL bControlKey)
{
    MoveVertically(FALSE, bShiftKey, bControlKey);
}

void CLVKReportNavigator::MoveVertically(BOOL bDown, BOOL bShiftKey, BOOL bControlKey)
{
    // A move inside the record rows (header, footer) never skips group rows
    // and does not scroll; at the edge next to the body it continues there.
    for (CLVKReportRows* pRecordRows : {m_pReportControl->GetHeaderRows(), m_pReportControl->GetFooterRows()})
    {
        if (pRecordRows->GetFocusedRowIndex() < 0)
            continue;
        CLVKReportRow* pFocused = pRecordRows->GetFocusedRow();
        CLVKReportRow* pNext = bDown ? pRecordRows->GetNext(pFocused, FALSE) : pRecordRows->GetPrev(pFocused, FALSE);
        if (pNext && pNext != pFocused)
            FocusRow(pNext, bShiftKey, bControlKey, FALSE);
        else if (bDown && pRecordRows == m_pReportControl->GetHeaderRows())
            MoveFirstRow(0);
        else if (!bDown && pRecordRows == m_pReportControl->GetFooterRows())
            MoveLastRow(0);
        return;
    }
    CLVKReportRows* pBody = m_pReportControl->GetRows();
    const BOOL bSkipGroups = m_pReportControl->IsSkipGroupsFocus();
    CLVKReportRow* pFocused = pBody->GetFocusedRow();
    CLVKReportRow* pNext = !pFocused ? pBody->GetAt(0)
                           : bDown   ? pBody->GetNext(pFocused, bSkipGroups)
                                     : pBody->GetPrev(pFocused, bSkipGroups);
    if (pNext && pNext != pFocused)
        FocusRow(pNext, bShiftKey, bControlKey);
    else if (pFocused && bDown && IsFocusable(2))
        MoveFirstRow(2);
    else if (pFocused && !bDown && IsFocusable(1))
    {
        for (CLVKReportRow* pParent = pFocused->GetParentRow(); pParent; pParent = pParent->GetParentRow())
            m_pReportControl->EnsureVisible(pParent);
        MoveLastRow(1);
    }
}

void CLVKReportNavigator::MovePageDown(BOOL bShiftKey, BOOL bControlKey)
{
    MoveByPage(TRUE, bShiftKey, bControlKey);
}

void CLVKReportNavigator::MovePageUp(BOOL bShiftKey, BOOL bControlKey)
{
    MoveByPage(FALSE, bShiftKey, bControlKey);
}

void CLVKReportNavigator::MoveByPage(BOOL bDown, BOOL bShiftKey, BOOL bControlKey)
{
    const int nTarget = GetPageTargetIndex(bDown);
    if (nTarget < 0)
        return;
    CLVKReportRows* pRows = m_pReportControl->GetRows();
    CLVKReportRow* pRow = pRows->GetAt(nTarget);
    if (pRow && pRow->IsGroupRow() && m_pReportControl->IsSkipGroupsFocus())
    {
        // A skipped group row gives way to the nearest row back towards the
        // focus that is not an expanded group row.
        const int nStep = bDown ? -1 : 1;
        int n = nTarget;
        while ((bDown ? n > 0 : n < pRows->GetCount() - 1) && pRows->GetAt(n)->IsGroupRow() &&
               pRows->GetAt(n)->IsExpanded())
            n += nStep;
        pRow = pRows->GetAt(n);
    }
    FocusRow(pRow, bShiftKey, bControlKey);
}

void CLVKReportNavigator::MoveLeftRight(BOOL bBack, BOOL bShiftKey, BOOL bControlKey)
{
    CLVKReportControl* pControl = m_pReportControl;
    CLVKReportRow* pFocused = pControl->GetFocusedRow();
    if (!pFocused)
        return;
    pControl->BeginUpdate();
    CLVKReportColumns* pColumns = pControl->GetColumns();
    const int nIndex = pColumns->IndexOf(pControl->GetFocusedColumn());
    CLVKReportColumn* pNext = pControl->GetNextFocusableColumn(pFocused, nIndex, bBack ? -1 : 1);
    if (pNext)
        pControl->SetFocusedColumn(pNext);
    else
    {
        CLVKReportRows* pRows = pFocused->GetSection() ? pFocused->GetSection()->GetRows() : pControl->GetRows();
        CLVKReportRow* pRow = bBack ? pRows->GetPrev(pFocused, FALSE) : pRows->GetNext(pFocused, FALSE);
        if (pRow && pRow != pFocused)
        {
            CLVKReportColumn* pColumn = bBack ? pControl->GetNextFocusableColumn(pRow, pColumns->GetCount(), -1)
                                              : pControl->GetNextFocusableColumn(pRow, -1, 1);
            if (pControl->SetFocusedRow(pRow, pColumn ? pColumn : pControl->GetFocusedColumn(), bShiftKey,
                                        Ctrl(bControlKey)))
            {
                if (pRow->IsGroupRow() && pControl->IsSkipGroupsFocus())
                    pControl->GetSelectedRows()->Remove(pRow);
            }
        }
    }
    pControl->EndUpdate();
}

void CLVKReportNavigator::BeginEdit()
{
    CLVKReportControl* pControl = m_pReportControl;
    CLVKReportRow* pFocused = pControl->GetFocusedRow();
    if (!pFocused)
        return;
    if (!pControl->IsVirtualMode())
    {
        pControl->AdjustScrollBars();
        pControl->RedrawControl();
        pControl->UpdateWindow();
    }
    CLVKReportColumn* pColumn = pControl->GetFocusedColumn();
    if (!pColumn || !pFocused->GetRecord())
        return;
    LVK_REPORTRECORDITEM_ARGS args(pControl, pFocused, pColumn);
    if (!args.pItem || !args.pItem->IsAllowEdit(&args))
        return;
    if (!pControl->IsVirtualMode())
        pControl->EnsureVisible(pFocused);
    pControl->EditItem(&args);
    CLVKReportInplaceEdit* pEdit = pControl->GetInplaceEdit();
    if (pEdit->GetSafeHwnd() && pEdit->pItem == args.pItem)
    {
        CLVKReportRecordItemEditOptions* pOptions = args.pItem->GetEditOptions(pColumn);
        if (pOptions && pOptions->m_bSelectTextOnEdit)
            pEdit->SetSel(0, -1);
        else
            pEdit->SetSel(pEdit->GetWindowTextLength(), pEdit->GetWindowTextLength());
        pEdit->SendMessage(EM_SCROLLCARET);
    }
}

void CLVKReportNavigator::OnHeaderHidden(BOOL bShown)
{
    if (bShown)
    {
        if (IsFocusable(1))
            MoveFirstRow(1);
        return;
    }
    CLVKReportSection* pHeader = GetSection(1);
    if (pHeader && pHeader->m_bAllowFocus && m_pReportControl->GetFooterRows()->GetFocusedRowIndex() < 0)
        MoveFirstRow(0);
}

void CLVKReportNavigator::OnFooterHidden(BOOL bShown)
{
    if (bShown)
    {
        if (IsFocusable(2))
            MoveFirstRow(2);
        return;
    }
    CLVKReportSection* pFooter = GetSection(2);
    if (pFooter && pFooter->m_bAllowFocus && m_pReportControl->GetHeaderRows()->GetFocusedRowIndex() < 0)
        MoveFirstRow(0);
}
