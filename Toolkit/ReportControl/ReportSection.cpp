#include "ReportSection.h"

#include "ReportColumn.h"
#include "ReportColumns.h"
#include "ReportControl.h"
#include "ReportGroupRow.h"
#include "ReportHeader.h"
#include "ReportPaintManager.h"
#include "ReportRecord.h"
#include "ReportRecordItem.h"
#include "ReportRecords.h"
#include "ReportRow.h"
#include "ReportRows.h"
#include "ReportSections.h"
#include "ReportSelectedRows.h"

CLVKReportSection::CLVKReportSection(CLVKReportControl* pControl, int nSectionType)
    : m_pControl(pControl), m_pRecords(new CLVKReportRecords()), m_pRows(new CLVKReportRows()),
      m_pTree(new CLVKReportRows()), m_nSectionType(nSectionType)
{
    m_pRecords->SetControl(pControl);
}

CLVKReportSection::~CLVKReportSection()
{
    m_pRows->InternalRelease();
    m_pTree->InternalRelease();
    m_pRecords->InternalRelease();
}

CLVKReportRecord* CLVKReportSection::AddRecord(CLVKReportRecord* pRecord)
{
    return m_pRecords->Add(pRecord);
}

void CLVKReportSection::ResetContent()
{
    m_pRows->Clear();
    m_pTree->Clear();
    m_pRecords->RemoveAll();
    m_nScrollIndexV = 0;
    m_nScrollOffsetV = 0;
}

BOOL CLVKReportSection::IsVirtualMode() const
{
    return m_pRecords->IsVirtualMode();
}

int CLVKReportSection::GetIndex() const
{
    return m_pControl->GetSections()->IndexOf(this);
}

void CLVKReportSection::BuildTree(CLVKReportRows* pRows, CLVKReportRow* pParentRow, CLVKReportRecords* pRecords)
{
    pRows->ReserveSize(pRecords->GetCount());
    for (int i = 0; i < pRecords->GetCount(); i++)
    {
        CLVKReportRecord* pRecord = pRecords->GetAt(i);
        if (!pRecord)
            continue;
        const BOOL bFiltered = m_bAllowFilter && m_pControl->IsRecordFiltered(pRecord);
        if (!(pRecord->IsLocked() || (pRecord->IsVisible() && !bFiltered)))
            continue;
        CLVKReportRow* pRow = m_nSectionType == 0 ? m_pControl->CreateRow() : m_pControl->CreateHeaderFooterRow();
        if (!pRow)
            continue;
        pRow->InitRow(m_pControl, this, pRecord);
        pRow->SetParentRow(pParentRow);
        pRows->Add(pRow);
        if (pRecord->HasChildren())
            BuildTree(pRow->GetChilds(TRUE), pRow, pRecord->GetChilds());
    }
}

void CLVKReportSection::SortRows(CLVKReportRows* pRows)
{
    if (!pRows || pRows->GetCount() == 0 || !m_bAllowSort)
        return;
    CLVKReportColumns* pColumns = m_pControl->GetColumns();
    if (pColumns->GetGroupsOrder()->GetCount() == 0 && pColumns->GetSortOrder()->GetCount() == 0)
        return;
    if (m_pControl->GetRowsCompareFunc())
        pRows->SortEx(m_pControl->GetRowsCompareFunc());
    else
        pRows->Sort();
    m_arrSortedRecordIndexes.clear();
    for (int i = 0; i < pRows->GetCount(); i++)
    {
        if (CLVKReportRecord* pRecord = pRows->GetAt(i)->GetRecord())
            m_arrSortedRecordIndexes.push_back(static_cast<UINT>(pRecord->GetIndex()));
    }
}

void CLVKReportSection::SortTree(CLVKReportRows* pRows)
{
    if (!pRows)
        return;
    SortRows(pRows);
    for (int i = 0; i < pRows->GetCount(); i++)
    {
        CLVKReportRow* pRow = pRows->GetAt(i);
        if (pRow->HasChildren() && !(pRow->GetRecord() && pRow->GetRecord()->HasChildren()))
            SortTree(pRow->GetChilds(FALSE));
    }
    pRows->RefreshChildIndexes(FALSE);
}

int CLVKReportSection::InsertRow(int nIndex, CLVKReportRow* pRow)
{
    pRow->InternalAddRef();
    m_pRows->InsertAt(nIndex, pRow);
    pRow->SetSection(this);
    pRow->SetVisible(TRUE);
    int nInserted = 1;
    if (pRow->IsExpanded() && pRow->HasChildren())
        nInserted += InsertChildRows(nIndex + 1, pRow, FALSE);
    return nInserted;
}

int CLVKReportSection::InsertChildRows(int nPosition, CLVKReportRow* pParentRow, BOOL bAnnounce)
{
    CLVKReportRows* pChilds = pParentRow->GetChilds(FALSE);
    if (!pChilds)
        return 0;
    int nInserted = 0;
    for (int i = 0; i < pChilds->GetCount(); i++)
    {
        CLVKReportRow* pChild = pChilds->GetAt(i);
        pChild->SetTreeDepth(pParentRow->GetTreeDepth() + 1);
        pChild->SetGroupLevel(pParentRow->GetGroupLevel() + (pParentRow->IsGroupRow() ? 1 : 0));
        nInserted += InsertRow(nPosition + nInserted, pChild);
    }
    if (nInserted > 0 && bAnnounce)
        m_pControl->GetSelectedRows()->OnRowsInserted(nPosition - 1, nInserted);
    const int nFocused = m_pRows->GetFocusedRowIndex();
    if (bAnnounce && nFocused >= nPosition)
        m_pRows->SetFocusedRowIndex(nFocused + nInserted);
    return nInserted;
}

int CLVKReportSection::RemoveChildRows(CLVKReportRow* pParentRow)
{
    const int nParent = pParentRow->GetIndex();
    int nRemoved = 0;
    std::vector<CLVKReportRow*>& rows = m_pRows->GetArray();
    int nEnd = nParent + 1;
    while (nEnd < static_cast<int>(rows.size()) && rows[nEnd]->IsDescendantOf(pParentRow))
    {
        rows[nEnd]->SetVisible(FALSE);
        rows[nEnd]->SetIndex(-1);
        rows[nEnd]->InternalRelease();
        nEnd++;
    }
    nRemoved = nEnd - nParent - 1;
    if (nRemoved > 0)
    {
        rows.erase(rows.begin() + nParent + 1, rows.begin() + nEnd);
        m_pControl->GetSelectedRows()->OnRowsRemoved(nParent, nRemoved);
        const int nFocused = m_pRows->GetFocusedRowIndex();
        if (nFocused > nParent)
            m_pRows->SetFocusedRowIndex(std::max(nParent, nFocused - nRemoved));
    }
    return nRemoved;
}

void CLVKReportSection::RefreshIndexes(int nIndexStart)
{
    std::vector<CLVKReportRow*>& rows = m_pRows->GetArray();
    for (int i = std::max(0, nIndexStart); i < static_cast<int>(rows.size()); i++)
        rows[i]->SetIndex(i);
}

namespace
{
// Holds a reference on the focused row's record while Populate throws the rows
// away and builds them again, so that the record can be found and focused in
// the new rows.
class CReportSectionRecordHold
{
public:
    explicit CReportSectionRecordHold(CLVKReportRecord* pRecord) : m_pRecord(pRecord)
    {
        if (m_pRecord)
            m_pRecord->InternalAddRef();
    }
    ~CReportSectionRecordHold()
    {
        if (m_pRecord)
            m_pRecord->InternalRelease();
    }
    CReportSectionRecordHold(const CReportSectionRecordHold&) = delete;
    CReportSectionRecordHold& operator=(const CReportSectionRecordHold&) = delete;
    CLVKReportRecord* Get() const { return m_pRecord; }

private:
    CLVKReportRecord* m_pRecord;
};
}  // namespace

void CLVKReportSection::Populate(BOOL bUpdate)
{
    if (bUpdate)
    {
        m_pControl->EndEditing(FALSE);
        m_pControl->BeginUpdate();
    }
    {
        CLVKReportRow* pFocused = m_pRows->GetFocusedRow();
        const CReportSectionRecordHold focusedRecord(pFocused ? pFocused->GetRecord() : nullptr);

        m_pRows->Clear(TRUE);
        m_pTree->Clear(TRUE);
        if (IsVirtualMode())
            PopulateVirtualRow();
        else
            PopulateTreeRows();

        std::vector<CLVKReportRow*>& rows = m_pRows->GetArray();
        for (int i = 0; i < static_cast<int>(rows.size()); i++)
        {
            rows[i]->SetIndex(i);
            rows[i]->SetSection(this);
            rows[i]->SetVisible(TRUE);
        }
        if (focusedRecord.Get())
            FocusRecordRow(focusedRecord.Get());
    }
    if (m_nScrollIndexV >= m_pRows->GetCount())
        m_nScrollIndexV = std::max(0, m_pRows->GetCount() - 1);

    if (bUpdate)
    {
        m_pControl->AdjustLayout();
        m_pControl->AdjustScrollBars();
        m_pControl->EndUpdate();
    }
}

// Virtual mode: one row stands for every record.
void CLVKReportSection::PopulateVirtualRow()
{
    CLVKReportRow* pRow = m_pControl->CreateRow();
    pRow->InitRow(m_pControl, this, m_pRecords->GetAt(0));
    pRow->SetVisible(TRUE);
    m_pRows->SetVirtualMode(pRow, m_pRecords->GetCount());
    m_nTreeCount = m_pRecords->GetCount();
}

// The records' rows as a sorted tree, under group rows when grouping is on,
// and the tree's top level as the section's rows.
void CLVKReportSection::PopulateTreeRows()
{
    BuildTree(m_pTree, nullptr, m_pRecords);
    m_nTreeCount = m_pTree->GetCount();
    SortRows(m_pTree);
    const int nGroupRows = GroupTreeRows();

    m_pRows->ReserveSize(m_pRecords->GetCount() + nGroupRows + 10);
    for (int i = 0; i < m_pTree->GetCount(); i++)
    {
        CLVKReportRow* pRow = m_pTree->GetAt(i);
        pRow->SetTreeDepth(0);
        pRow->SetGroupLevel(0);
        InsertRow(m_pRows->GetCount(), pRow);
        pRow->SetIndexInParent(i);
    }
}

// Puts the sorted rows under group rows, one level per grouping column; a
// row joins the last group row of its level while the captions match, so the
// rows must be sorted by the grouping columns first. Gives the count of group
// rows made.
int CLVKReportSection::GroupTreeRows()
{
    CLVKReportColumnOrder* pGroups = m_pControl->GetColumns()->GetGroupsOrder();
    int nGroupRows = 0;
    if (!m_bAllowGroup || pGroups->GetCount() == 0)
        return 0;
    const int nGroupColumns = pGroups->GetCount();
    CLVKReportRows* pGroupTree = new CLVKReportRows();
    pGroupTree->ReserveSize(std::max(300, m_pRecords->GetCount() / (nGroupColumns + 1)));
    CLVKReportGroupRow* pCandidate = nullptr;
    for (int i = 0; i < m_pTree->GetCount(); i++)
    {
        CLVKReportRow* pRow = m_pTree->GetAt(i);
        CLVKReportRecord* pRecord = pRow->GetRecord();
        CLVKReportRow* pParent = nullptr;
        for (int g = 0; g < nGroupColumns; g++)
        {
            CLVKReportColumn* pColumn = pGroups->GetAt(g);
            CLVKReportRecordItem* pItem = pRecord ? pRecord->GetItem(pColumn) : nullptr;
            CString strCaption;
            COleVariant vtValue;
            if (pItem)
            {
                strCaption = pItem->GetGroupCaption(pColumn);
                vtValue = pItem->GetGroupCaptionValue(pColumn);
            }
            if (pCandidate && m_pRecords->Compare(pCandidate->GetCaption(), strCaption) == 0)
            {
                pParent = pCandidate;
                pCandidate = nullptr;
                if (pParent->HasChildren())
                {
                    CLVKReportRows* pChilds = pParent->GetChilds(FALSE);
                    CLVKReportRow* pLast = pChilds->GetAt(pChilds->GetCount() - 1);
                    if (pLast->IsGroupRow())
                        pCandidate = static_cast<CLVKReportGroupRow*>(pLast);
                }
                continue;
            }
            CLVKReportGroupRow* pGroupRow = m_pControl->CreateGroupRow();
            pGroupRow->InitRow(m_pControl, this, nullptr);
            pGroupRow->SetCaptionAndValue(strCaption, vtValue);
            if (pParent)
                pParent->AddChild(pGroupRow);
            else
                pGroupTree->Add(pGroupRow);
            pParent = pGroupRow;
            pCandidate = nullptr;
            nGroupRows++;
        }
        pRow->InternalAddRef();
        pParent->AddChild(pRow);
        pCandidate = static_cast<CLVKReportGroupRow*>(pGroupTree->GetAt(pGroupTree->GetCount() - 1));
    }
    m_pTree->InternalRelease();
    m_pTree = pGroupTree;
    return nGroupRows;
}

// Focuses the row of the record that had the focus before the rows were
// rebuilt, and selects it (or the first row under it) when the control
// selects on its own.
void CLVKReportSection::FocusRecordRow(CLVKReportRecord* pRecord)
{
    std::vector<CLVKReportRow*>& rows = m_pRows->GetArray();
    for (int i = 0; i < static_cast<int>(rows.size()); i++)
    {
        if (rows[i]->GetRecord() != pRecord)
            continue;
        m_pRows->SetFocusedRowIndex(i);
        if (m_bSelectionEnable && m_pControl->IsInitialSelectionEnabled())
        {
            CLVKReportRow* pRow = rows[i];
            while (m_pControl->IsSkipGroupsFocus() && pRow->IsGroupRow() && pRow->HasChildren())
                pRow = pRow->GetChilds(FALSE)->GetAt(0);
            m_pControl->GetSelectedRows()->Select(pRow);
        }
        break;
    }
}

void CLVKReportSection::ReSortRows()
{
    if (IsVirtualMode())
    {
        Populate(TRUE);
        return;
    }
    const BOOL bFollow = m_pControl->GetSelectedRows()->GetCount() > 0 || m_pControl->IsInitialSelectionEnabled();
    CLVKReportRow* pFocused = m_pRows->GetFocusedRow();
    CLVKReportRecord* pFocusedRecord = pFocused ? pFocused->GetRecord() : nullptr;
    SortTree(m_pTree);
    m_pRows->Clear(FALSE);
    for (int i = 0; i < m_pTree->GetCount(); i++)
    {
        CLVKReportRow* pRow = m_pTree->GetAt(i);
        InsertRow(m_pRows->GetCount(), pRow);
        pRow->SetIndexInParent(i);
    }
    m_pRows->SetFocusedRowIndex(-1);
    std::vector<CLVKReportRow*>& rows = m_pRows->GetArray();
    CLVKReportSelectedRows* pSelected = m_pControl->GetSelectedRows();
    for (int i = 0; i < static_cast<int>(rows.size()); i++)
    {
        rows[i]->SetIndex(i);
        rows[i]->SetVisible(TRUE);
    }
    for (int i = 0; i < static_cast<int>(rows.size()); i++)
    {
        if (pFocusedRecord && rows[i]->GetRecord() == pFocusedRecord)
        {
            m_pRows->SetFocusedRowIndex(i);
            if (m_bSelectionEnable && bFollow)
                pSelected->Select(rows[i]);
            break;
        }
    }
}

void CLVKReportSection::ExpandAll(BOOL bRecursive)
{
    const BOOL bNotify = m_pControl && m_pControl->GetBehavior()->Notifications.Row.bRowExpanded;
    std::vector<CLVKReportRow*>& rows = m_pRows->GetArray();
    for (int i = static_cast<int>(rows.size()) - 1; i >= 0; i--)
    {
        if (i < static_cast<int>(rows.size()))
            rows[i]->SetExpandedEx(TRUE, bRecursive, bNotify);
    }
    RefreshIndexes(0);
}

void CLVKReportSection::CollapseAll()
{
    const BOOL bNotify = m_pControl && m_pControl->GetBehavior()->Notifications.Row.bRowExpanded;
    std::vector<CLVKReportRow*>& rows = m_pRows->GetArray();
    for (int i = static_cast<int>(rows.size()) - 1; i >= 0; i--)
    {
        if (i < static_cast<int>(rows.size()))
            rows[i]->SetExpandedEx(FALSE, FALSE, bNotify);
    }
    RefreshIndexes(0);
}

CLVKReportRow* CLVKReportSection::GetFocusedRow() const
{
    return m_pRows->GetFocusedRow();
}

int CLVKReportSection::GetTotalHeight(CDC* pDC)
{
    m_pRows->ResetRowHeights();
    const int nWidth = m_pControl->GetReportHeader()->GetWidth();
    int nHeight = 0;
    for (int i = 0; i < m_pRows->GetCount(); i++)
        nHeight += m_pRows->GetAt(i)->GetHeight(pDC, nWidth);
    return nHeight;
}

int CLVKReportSection::GetPageRowCount(CDC* pDC)
{
    const int nWidth = m_pControl->GetReportHeader()->GetWidth();
    const int nAvailable = m_rcSection.bottom - m_rcSection.top;
    int nHeight = 0;
    int nRows = 0;
    for (int i = std::max(0, m_nScrollIndexV); i < m_pRows->GetCount(); i++)
    {
        nHeight += m_pRows->GetAt(i)->GetHeight(pDC, nWidth);
        if (nHeight > nAvailable)
            break;
        nRows++;
    }
    return nRows;
}

int CLVKReportSection::HitTestRowIndex(CDC* pDC, int nWidth, int nY, int* pnOffset)
{
    int nTop = 0;
    for (int i = 0; i < m_pRows->GetCount(); i++)
    {
        const int nHeight = m_pRows->GetAt(i)->GetHeight(pDC, nWidth);
        if (nY < nTop + nHeight)
        {
            if (pnOffset)
                *pnOffset = nY - nTop;
            return i;
        }
        nTop += nHeight;
    }
    return -1;
}

void CLVKReportSection::SetTopRowIndex(int nIndex)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex == m_nScrollIndexV)
        return;
    m_nScrollIndexV = nIndex;
}

void CLVKReportSection::SetScrollOffset(int nOffset)
{
    m_nScrollOffsetV = std::max(0, nOffset);
    CClientDC dc(m_pControl);
    const int nRow = HitTestRowIndex(&dc, m_pControl->GetReportHeader()->GetWidth(), m_nScrollOffsetV);
    m_nScrollIndexV = std::max(0, nRow);
}

BOOL CLVKReportSection::EnsureVisible(CDC* pDC, CLVKReportRow* pRow)
{
    if (!pRow || pRow->GetSection() != this)
        return FALSE;
    const int nIndex = pRow->GetIndex();
    if (nIndex < 0)
        return FALSE;
    if (nIndex < m_nScrollIndexV)
    {
        m_nScrollIndexV = nIndex;
        if (m_pControl->IsIconView() && m_pControl->GetIconViewItemsPerLine() > 0)
            m_nScrollIndexV -= m_nScrollIndexV % m_pControl->GetIconViewItemsPerLine();
        return TRUE;
    }
    const int nWidth = m_pControl->GetReportHeader()->GetWidth();
    const int nAvailable = m_rcSection.bottom - m_rcSection.top;
    int nHeight = 0;
    for (int i = m_nScrollIndexV; i <= nIndex; i++)
        nHeight += m_pRows->GetAt(i)->GetHeight(pDC, nWidth);
    if (nHeight <= nAvailable)
        return FALSE;
    // Scroll down until the row's bottom is inside the section.
    int nTop = nIndex;
    nHeight = 0;
    while (nTop >= 0)
    {
        nHeight += m_pRows->GetAt(nTop)->GetHeight(pDC, nWidth);
        if (nHeight > nAvailable)
            break;
        nTop--;
    }
    m_nScrollIndexV = std::min(nIndex, nTop + 1);
    // In the icon view the top is the start of a line of icons.
    const int nPerLine = m_pControl->IsIconView() ? std::max(1, m_pControl->GetIconViewItemsPerLine()) : 1;
    if (nPerLine > 1)
    {
        if (m_nScrollIndexV != nIndex)
            m_nScrollIndexV += nPerLine;
        m_nScrollIndexV -= m_nScrollIndexV % nPerLine;
    }
    return TRUE;
}

void CLVKReportSection::Draw(CDC* pDC)
{
    if (!m_bVisible)
        return;
    RECT rc = m_rcSection;
    int nTop = m_nScrollIndexV;
    if (m_nSectionType != 0)
        nTop = 0;
    CLVKReportPaintManager* pPaintManager = m_pControl->GetPaintManager();
    m_border.SetBorderColor(pPaintManager->GetGridColor());
    m_border.Draw(pDC, rc);
    rc = m_border.GetContentRect(rc);
    m_pControl->DrawRows(pDC, rc, rc.top, m_pRows, nTop, 0, m_pControl->GetColumns()->GetCount());
    if (m_nDividerStyle != 0)
        pPaintManager->DrawSectionDivider(pDC, m_rcDivider, m_nDividerPosition, m_nDividerStyle,
                                          pPaintManager->m_clrBtnFace, m_clrDivider.GetCustomColor());
}
