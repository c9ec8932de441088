#include "ReportIconNavigator.h"

#include "ReportColumns.h"
#include "ReportControl.h"
#include "ReportRecord.h"
#include "ReportRecordItem.h"
#include "ReportRow.h"
#include "ReportRows.h"

int CLVKReportIconNavigator::GetIconsPerLine() const
{
    return std::max(1, m_pReportControl->GetIconViewItemsPerLine());
}

void CLVKReportIconNavigator::BeginEdit()
{
    CLVKReportRow* pRow = m_pReportControl->GetFocusedRow();
    CLVKReportColumn* pColumn = m_pReportControl->GetColumns()->Find(m_pReportControl->GetIconColumnIndex());
    if (!pRow || !pColumn || !pRow->GetRecord())
        return;
    LVK_REPORTRECORDITEM_ARGS args(m_pReportControl, pRow, pColumn);
    if (args.pItem && args.pItem->IsAllowEdit(&args))
        m_pReportControl->EditItem(&args);
}

void CLVKReportIconNavigator::MoveDown(BOOL bShiftKey, BOOL bControlKey)
{
    MoveByLine(TRUE, bShiftKey, bControlKey);
}

void CLVKReportIconNavigator::MoveUp(BOOL bShiftKey, BOOL bControlKey)
{
    MoveByLine(FALSE, bShiftKey, bControlKey);
}

void CLVKReportIconNavigator::MoveByLine(BOOL bDown, BOOL bShiftKey, BOOL bControlKey)
{
    CLVKReportRows* pRows = m_pReportControl->GetRows();
    CLVKReportRow* pFocused = m_pReportControl->GetFocusedRow();
    if (!pFocused || pFocused->GetSection() != m_pReportControl->GetBodySection())
    {
        if (bDown)
            CLVKReportNavigator::MoveDown(bShiftKey, bControlKey);
        else
            CLVKReportNavigator::MoveUp(bShiftKey, bControlKey);
        return;
    }
    const int nPerLine = GetIconsPerLine();
    const int nColumn = pFocused->GetIndex() % nPerLine;
    // At the end of the body the move crosses into the footer (down) or the
    // header (up) records when they take the focus.
    if (pFocused->GetIndex() == (bDown ? pRows->GetCount() - 1 : 0))
    {
        if (IsFocusable(bDown ? 2 : 1))
        {
            if (bDown)
                MoveFirstRow(2);
            else
                MoveLastRow(1);
        }
        return;
    }
    // Walk to the nearest row in the same column of icons.
    CLVKReportRow* pRow = pFocused;
    for (;;)
    {
        CLVKReportRow* pNext = bDown ? pRows->GetNext(pRow, FALSE) : pRows->GetPrev(pRow, FALSE);
        if (!pNext || pNext == pRow)
            return;
        pRow = pNext;
        if (pRow->GetIndex() % nPerLine == nColumn)
            break;
    }
    FocusRow(pRow, bShiftKey, bControlKey);
}

void CLVKReportIconNavigator::MoveNext(BOOL bShiftKey, BOOL bControlKey)
{
    if (!m_pReportControl->IsIconView())
        return;
    CLVKReportRows* pRows = m_pReportControl->GetRows();
    CLVKReportRow* pFocused = m_pReportControl->GetFocusedRow();
    if (!pFocused || pFocused->GetSection() != m_pReportControl->GetBodySection() ||
        pFocused->GetIndex() >= pRows->GetCount() - 1)
    {
        MoveDown(bShiftKey, bControlKey);
        return;
    }
    FocusRow(pRows->GetAt(pFocused->GetIndex() + 1), bShiftKey, bControlKey);
}

void CLVKReportIconNavigator::MovePrevious(BOOL bShiftKey, BOOL bControlKey)
{
    if (!m_pReportControl->IsIconView())
        return;
    CLVKReportRows* pRows = m_pReportControl->GetRows();
    CLVKReportRow* pFocused = m_pReportControl->GetFocusedRow();
    if (!pFocused || pFocused->GetSection() != m_pReportControl->GetBodySection() || pFocused->GetIndex() <= 0)
    {
        MoveUp(bShiftKey, bControlKey);
        return;
    }
    FocusRow(pRows->GetAt(pFocused->GetIndex() - 1), bShiftKey, bControlKey);
}

void CLVKReportIconNavigator::MoveLeftRight(BOOL bBack, BOOL bShiftKey, BOOL bControlKey)
{
    if (bBack)
        MovePrevious(bShiftKey, bControlKey);
    else
        MoveNext(bShiftKey, bControlKey);
}

void CLVKReportIconNavigator::MovePageDown(BOOL bShiftKey, BOOL bControlKey)
{
    CLVKReportRows* pRows = m_pReportControl->GetRows();
    const int nFocused = pRows->GetFocusedRowIndex();
    if (nFocused < 0 || pRows->GetCount() == 0)
        return;
    const int nPerLine = GetIconsPerLine();
    const int nLineStart = nFocused - nFocused % nPerLine;
    int nTarget = std::min(pRows->GetCount() - 1, nFocused + m_pReportControl->GetPageScrollCount(nLineStart, TRUE));
    while (nTarget > nFocused && nTarget % nPerLine != nFocused % nPerLine)
        nTarget--;
    if (nTarget <= nFocused)
        MoveToLastRow(bShiftKey, bControlKey);
    else
        FocusRow(pRows->GetAt(nTarget), bShiftKey, bControlKey);
}

void CLVKReportIconNavigator::MovePageUp(BOOL bShiftKey, BOOL bControlKey)
{
    CLVKReportRows* pRows = m_pReportControl->GetRows();
    const int nFocused = pRows->GetFocusedRowIndex();
    if (nFocused < 0 || pRows->GetCount() == 0)
        return;
    const int nPerLine = GetIconsPerLine();
    const int nLineStart = nFocused - nFocused % nPerLine;
    const int nCount = m_pReportControl->GetPageScrollCount(nLineStart, FALSE);
    int nTarget = std::max(0, nFocused - nCount);
    while (nTarget < nFocused && nTarget % nPerLine != nFocused % nPerLine)
        nTarget++;
    if (nCount == 0 || nTarget >= nFocused)
        MoveToFirstRow(bShiftKey, bControlKey);
    else
        FocusRow(pRows->GetAt(nTarget), bShiftKey, bControlKey);
}
