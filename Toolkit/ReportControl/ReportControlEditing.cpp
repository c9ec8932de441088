// The report control's editing: markup captions, previews, delayed and in-place editing.
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

// Markup, previews and delayed editing ------------------------------------------------

void CLVKReportControl::EnableMarkup(BOOL bEnable)
{
    if (!bEnable == !m_pMarkupContext)
        return;
    MarkupReleaseContext(m_pMarkupContext);
    if (bEnable)
        m_pMarkupContext = MarkupCreateContext(m_hWnd, FALSE);
    for (int i = 0; i < 3; i++)
    {
        if (CLVKReportSection* pSection = m_pSections->GetAt(i))
            pSection->GetRecords()->SetMarkupContext(m_pMarkupContext);
    }
    for (int i = 0; i < m_pColumns->GetCount(); i++)
        m_pColumns->GetAt(i)->ResetMarkupUIElement();
    for (int i = 0; i < 3; i++)
    {
        if (CLVKReportSection* pSection = m_pSections->GetAt(i))
            ResetRecordsMarkup(pSection->GetRecords());
    }
    if (m_hWnd)
        AdjustScrollBars();
}

void CLVKReportControl::EnablePreviewMode(BOOL bEnable)
{
    if (!bEnable == !m_bPreviewMode)
        return;
    m_bPreviewMode = bEnable;
    if (m_hWnd)
    {
        AdjustScrollBars();
        RedrawControl();
    }
}

void CLVKReportControl::OnDelayEditClick(CLVKReportRow* pRow, CLVKReportColumn* pColumn)
{
    if (!pRow || !pColumn)
        return;
    const int nRow = pRow->GetIndex();
    const int nColumn = pColumn->GetItemIndex();
    if (nRow != m_nPendingEditRow || nColumn != m_nPendingEditColumn)
    {
        if (m_bEditTimerRunning)
            KillTimer(kTimerDelayEdit);
        m_bEditTimerRunning = FALSE;
        KillTimer(kTimerDelayEditReset);
        m_nPendingEditRow = nRow;
        m_nPendingEditColumn = nColumn;
        return;
    }
    if (!m_bEditTimerRunning && m_hWnd)
        m_bEditTimerRunning = SetTimer(kTimerDelayEdit, GetDoubleClickTime() + 50, nullptr) != 0;
}

void CLVKReportControl::StopDelayedEdit()
{
    if (m_bEditTimerRunning && m_hWnd)
        KillTimer(kTimerDelayEdit);
    m_bEditTimerRunning = FALSE;
    m_nPendingEditRow = m_nPendingEditColumn = -1;
}

void CLVKReportControl::OnEditTimer(UINT_PTR nIDEvent)
{
    KillTimer(nIDEvent);
    if (nIDEvent == kTimerDelayEditReset)
    {
        m_nPendingEditRow = m_nPendingEditColumn = -1;
        return;
    }
    m_bEditTimerRunning = FALSE;
    if (!m_bEditOnDelayClick || m_nPendingEditRow < 0 || m_nPendingEditRow >= GetRows()->GetCount())
        return;
    LVK_REPORTRECORDITEM_ARGS args(this, GetRows()->GetAt(m_nPendingEditRow),
                                   m_pColumns->Find(m_nPendingEditColumn));
    if (!args.pItem || !args.pColumn)
        return;
    EditItem(&args);
    SetTimer(kTimerDelayEditReset, 3000, nullptr);
}

// In-place editing ------------------------------------------------------------------

LVK_REPORTRECORDITEM_ARGS::LVK_REPORTRECORDITEM_ARGS(CLVKReportControl* pControlIn, CLVKReportRow* pRowIn,
                                                     CLVKReportColumn* pColumnIn)
    : pControl(pControlIn), pRow(pRowIn), pColumn(pColumnIn)
{
    if (pRow && pRow->GetRecord())
    {
        pItem = pRow->GetRecord()->GetItem(pColumn);
        rcItem = pRow->GetItemRect(pItem);
    }
}

void CLVKReportControl::EditItem(LVK_REPORTRECORDITEM_ARGS* pArgs)
{
    // End the current edit: the edited cell removes its buttons and list and
    // commits its edit box.
    if (m_pActiveItem)
    {
        LVK_REPORTRECORDITEM_ARGS args;
        args.pControl = this;
        args.pRow = m_pActiveRow;
        args.pColumn = m_pActiveColumn;
        args.pItem = m_pActiveItem;
        m_pActiveItem = nullptr;
        m_pActiveRow = nullptr;
        m_pActiveColumn = nullptr;
        args.pItem->OnEndEdit(&args, TRUE);
        args.pItem->InternalRelease();
        args.pRow->InternalRelease();
        RedrawControl();
    }
    else
    {
        RemoveInplaceButtons();
        if (m_pInplaceList->GetSafeHwnd())
            m_pInplaceList->DestroyWindow();
        if (m_pInplaceEdit->GetSafeHwnd() && !m_pInplaceEdit->pItem)
            m_pInplaceEdit->DestroyWindow();
    }
    if (!pArgs || !pArgs->pItem || !pArgs->pRow || !m_hWnd)
        return;
    EnsureVisible(pArgs->pRow);
    LVK_REPORTRECORDITEM_ARGS args = *pArgs;
    args.pControl = this;
    args.rcItem = pArgs->pRow->GetItemRect(pArgs->pItem);
    if (IsRectEmpty(&args.rcItem))
        return;
    m_pActiveItem = args.pItem;
    m_pActiveRow = args.pRow;
    m_pActiveColumn = args.pColumn;
    m_pActiveItem->InternalAddRef();
    m_pActiveRow->InternalAddRef();
    CLVKReportRecordItem* pItem = m_pActiveItem;
    pItem->InternalAddRef();
    pItem->OnBeginEdit(&args);
    // A refused request or a cell without an editor leaves nothing open.
    if (m_pActiveItem == pItem && !IsEditMode() && m_arrInplaceButtons.empty() && !m_pInplaceList->GetSafeHwnd())
    {
        m_pActiveItem = nullptr;
        m_pActiveRow = nullptr;
        m_pActiveColumn = nullptr;
        pItem->InternalRelease();
        args.pRow->InternalRelease();
    }
    pItem->InternalRelease();
}

void CLVKReportControl::EndEditing(BOOL bCommit)
{
    if (!bCommit && m_pInplaceEdit->GetSafeHwnd() && m_pInplaceEdit->pItem)
        m_pInplaceEdit->SetEditText(m_pInplaceEdit->GetStartingText());
    EditItem(nullptr);
}

BOOL CLVKReportControl::IsEditMode() const
{
    return m_pInplaceEdit->GetSafeHwnd() && m_pInplaceEdit->pItem && m_pInplaceEdit->IsWindowVisible();
}

CLVKReportRecordItem* CLVKReportControl::GetActiveItem() const
{
    return IsEditMode() ? m_pInplaceEdit->pItem : nullptr;
}

HWND CLVKReportControl::GetInplaceEditHwnd() const
{
    return m_pInplaceEdit->GetSafeHwnd();
}

void CLVKReportControl::AddInplaceButton(CLVKReportInplaceButton* pButton)
{
    if (pButton)
        m_arrInplaceButtons.push_back(pButton);
}

void CLVKReportControl::RemoveInplaceButtons()
{
    std::vector<CLVKReportInplaceButton*> buttons;
    buttons.swap(m_arrInplaceButtons);
    for (CLVKReportInplaceButton* pButton : buttons)
    {
        if (pButton->GetSafeHwnd())
            pButton->DestroyWindow();
        pButton->SetItemArgs(nullptr);
    }
}

CLVKReportInplaceButton* CLVKReportControl::GetInplaceButton(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetInplaceButtonCount() ? m_arrInplaceButtons[nIndex] : nullptr;
}

void CLVKReportControl::OnInplaceKeyDown(CLVKReportRow* pRow, CLVKReportRecordItem* pItem, CLVKReportColumn* pColumn,
                                         CLVKReportRecordItemConstraint* pConstraint)
{
    REPORT_ITEM_NOTIFY_EX nm{};
    nm.pRow = pRow;
    nm.pItem = pItem;
    nm.pColumn = pColumn;
    nm.nHyperlink = -1;
    nm.lExtra = reinterpret_cast<LPARAM>(pConstraint);
    SendNotify(REPORT_NOTIFY_INPLACE_KEYDOWN, &nm.hdr);
}

void CLVKReportControl::RefreshFormulas(CLVKReportRecord* pOnly)
{
    EditItem(nullptr);
    auto refresh = [](CLVKReportRecord* pRecord)
    {
        for (int j = 0; j < pRecord->GetItemCount(); j++)
        {
            CLVKReportRecordItem* pItem = pRecord->GetItem(j);
            if (pItem && !pItem->GetFormula().IsEmpty())
                pItem->SetCaptionText(pItem->GetCaption(nullptr));
        }
    };
    if (pOnly)
        refresh(pOnly);
    else
    {
        CLVKReportRecords* pRecords = GetRecords();
        for (int i = 0; i < pRecords->GetCount(); i++)
        {
            if (CLVKReportRecord* pRecord = pRecords->GetAt(i))
                refresh(pRecord);
        }
        // Group rows sum their children again.
        CLVKReportRows* pRows = GetRows();
        for (int i = 0; i < pRows->GetCount(); i++)
        {
            CLVKReportRow* pRow = pRows->GetAt(i);
            if (pRow->IsGroupRow() && !static_cast<CLVKReportGroupRow*>(pRow)->GetFormula().IsEmpty())
                static_cast<CLVKReportGroupRow*>(pRow)->SetCaption(L"x");
        }
    }
    RedrawControl();
}
