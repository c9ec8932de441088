// One line of data: its cells, an optional preview item and child records.
#pragma once

#include "ReportDefines.h"
#include "ReportHeapAllocator.h"

#include <vector>

class CLVKMarkupContext;
class CLVKPropExchange;
class CLVKReportRecordItemPreview;

class CLVKReportRecord : public CLVKHeapObjectT<CLVKCmdTarget, CLVKReportDataAllocator>
{
    DECLARE_DYNCREATE(CLVKReportRecord)

public:
    CLVKReportRecord();
    ~CLVKReportRecord() override;

    virtual void GetItemMetrics(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, LVK_REPORTRECORDITEM_METRICS* pMetrics);
    virtual BOOL UpdateItemValue(int nRowIndex, int nItemIndex, LPCWSTR lpszText);
    virtual void SetExpanded(BOOL bExpanded) { m_bExpanded = bExpanded; }
    virtual BOOL IsFiltered() const { return FALSE; }
    // Persistence: flags, items, the preview item and (schema above 21) the
    // children.
    virtual void DoPropExchange(CLVKPropExchange* pPX);

    // Takes over the caller's reference.
    CLVKReportRecordItem* AddItem(CLVKReportRecordItem* pItem);
    CLVKReportRecordItem* GetItem(CLVKReportColumn* pColumn) const;
    CLVKReportRecordItem* GetItem(int nIndex) const
    {
        return nIndex >= 0 && nIndex < GetItemCount() ? m_arrItems[nIndex] : nullptr;
    }
    int GetItemCount() const { return static_cast<int>(m_arrItems.size()); }
    int IndexOfItem(const CLVKReportRecordItem* pItem) const;
    void RemoveAllItems();
    CLVKReportRecords* GetChilds();
    BOOL HasChildren() const;
    CLVKReportRecord* GetParentRecord() const;
    void SetControl(CLVKReportControl* pControl);
    CLVKReportControl* GetControl() const { return m_pControl; }
    int GetIndex() const { return m_nIndex; }
    CLVKReportRecords* GetRecords() const { return m_pRecords; }
    void AddRefTree();
    void ReleaseTree();
    // The markup context of the first collection up the tree that has one.
    CLVKMarkupContext* GetMarkupContext() const;
    // Every item (and the preview item) parses its caption again.
    void ResetMarkupUIElements();

    // The text shown under the cells while the control shows previews; the
    // record takes over the caller's reference (null removes it).
    CLVKReportRecordItemPreview* GetItemPreview() const { return m_pPreviewItem; }
    void SetPreviewItem(CLVKReportRecordItemPreview* pItem);
    // A key of the caller's; FindRecordByTag reads it as a number.
    const VARIANT& GetTag() const { return m_vtBookmark; }
    void SetTag(const VARIANT& vtTag);
    double GetTagNumber() const { return m_vtBookmark.dblVal; }

    BOOL IsExpanded() const { return m_bExpanded; }
    BOOL IsEditable() const { return m_bEditable; }
    void SetEditable(BOOL b) { m_bEditable = b; }
    BOOL IsVisible() const { return m_bVisible; }
    void SetVisible(BOOL b) { m_bVisible = b; }
    BOOL IsLocked() const { return m_bLocked; }
    void SetLocked(BOOL b) { m_bLocked = b; }
    BOOL IsSelected() const { return m_bSelected; }
    void SetSelected(BOOL b) { m_bSelected = b; }
    // The height the user gave the record's rows (0 none).
    int GetRowHeight() const { return m_nRowHeight; }
    void SetRowHeight(int nHeight) { m_nRowHeight = nHeight; }

protected:
    std::vector<CLVKReportRecordItem*> m_arrItems;
    CLVKReportRecordItemPreview* m_pPreviewItem = nullptr;
    CLVKReportControl* m_pControl = nullptr;
    CLVKReportRecords* m_pRecords = nullptr;
    CLVKReportRecords* m_pChildren = nullptr;
    BOOL m_bExpanded = FALSE;
    BOOL m_bEditable = TRUE;
    BOOL m_bVisible = TRUE;
    BOOL m_bLocked = FALSE;
    BOOL m_bSelected = FALSE;
    int m_nRowHeight = 0;
    int m_nIndex = -1;
    VARIANT m_vtBookmark{};

    friend class CLVKReportRecords;
};
