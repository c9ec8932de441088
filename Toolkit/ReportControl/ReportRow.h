// One displayed line of a section: a record's cells, or (as a group row) a
// group caption. It knows its place, its expansion and draws its cells.
#pragma once

#include "ReportDefines.h"
#include "ReportHeapAllocator.h"
#include "Foundation/Accessible.h"

class CLVKReportRowBase : public CLVKCmdTarget
{
};

class CLVKReportRow : public CLVKHeapObjectT<CLVKReportRowBase, CLVKReportRowAllocator>, public CLVKAccessible
{
public:
    CLVKReportRow();
    ~CLVKReportRow() override;

    virtual void InitRow(CLVKReportControl* pControl, CLVKReportSection* pSection, CLVKReportRecord* pRecord);
    virtual void InitRowFrom(CLVKReportRow* pRow);
    virtual CLVKReportRecord* GetRecord() const { return m_pRecord; }
    virtual void Draw(CDC* pDC, const RECT& rcRow, const RECT& rcClip, int nLeftOffset, int nColumnFrom, int nColumnTo);
    virtual void DrawGridLines(CDC* pDC, CLVKReportColumn* pColumn, const RECT& rcCell);
    virtual int GetHeight(CDC* pDC, int nWidth);
    virtual int GetIndex() const { return m_nIndex; }
    virtual BOOL IsFocused() const;
    virtual BOOL IsSelected() const;
    virtual BOOL IsExpanded() const { return m_bExpanded; }
    virtual void SetExpanded(BOOL bExpanded, BOOL bRecursive = FALSE);
    virtual BOOL IsVisible() const { return m_bVisible; }
    virtual void SetVisible(BOOL bVisible) { m_bVisible = bVisible; }
    virtual BOOL IsLockExpand() const;
    virtual void LockExpand(BOOL bLock) { m_bLockExpand = bLock; }
    virtual void SetSelected(BOOL bSelected);
    // Selects the rows of the expanded subtree under this row, as one block.
    void SelectChilds();
    virtual BOOL IsGroupRow() const { return FALSE; }
    virtual CLVKReportRecordItem* HitTest(POINT pt, RECT* pRectItem = nullptr, CLVKReportColumn** ppColumn = nullptr);
    virtual void OnClick(POINT ptClicked);
    virtual void OnDblClick(POINT ptClicked);
    // A context-menu request at a client point: notification NM_RCLICK with
    // the item and column under it and the point on the screen.
    virtual void OnContextMenu(POINT pt);
    // Rows the user may size: near the bottom edge the pointer enters the
    // row-sizing mode (TRUE); a press in that mode tracks the new edge.
    virtual BOOL OnMouseMove(UINT nFlags, POINT pt);
    BOOL TrackRowSizing(POINT pt);
    virtual void SetControl(CLVKReportControl* pControl) { m_pControl = pControl; }
    virtual BOOL IsItemsVisible() const { return TRUE; }
    // A plain row whose record has a preview item, while the control shows
    // previews outside the icon view.
    virtual BOOL IsPreviewVisible() const;
    int GetPreviewHeight() const { return m_nPreviewHeight; }
    virtual void FillItemMetrics(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, LVK_REPORTRECORDITEM_METRICS* pMetrics);
    // The metrics of one cell without drawing it.
    void GetItemMetrics(CLVKReportColumn* pColumn, CLVKReportRecordItem* pItem, LVK_REPORTRECORDITEM_METRICS* pMetrics);
    virtual RECT GetItemRect(CLVKReportRecordItem* pItem);
    virtual int AddTreeIndent(int x, CLVKReportColumn* pColumn);

    CLVKReportControl* GetControl() const { return m_pControl; }
    CLVKReportSection* GetSection() const { return m_pSection; }
    void SetSection(CLVKReportSection* pSection) { m_pSection = pSection; }
    CLVKReportRow* GetParentRow() const { return m_pParentRow; }
    void SetParentRow(CLVKReportRow* pRow) { m_pParentRow = pRow; }
    CLVKReportRows* GetParentRows() const { return m_pParentRows; }
    CLVKReportRows* GetChilds(BOOL bCreate = TRUE);
    CLVKReportRow* AddChild(CLVKReportRow* pRow);
    BOOL HasChildren() const;
    BOOL IsDescendantOf(const CLVKReportRow* pRow) const;
    BOOL IsLastTreeRow() const;
    CLVKReportRow* GetNextSiblingRow() const;
    int GetTreeDepth() const { return m_nRowLevel; }
    void SetTreeDepth(int n) { m_nRowLevel = n; }
    int GetGroupLevel() const { return m_nGroupLevel; }
    void SetGroupLevel(int n) { m_nGroupLevel = n; }
    void SetIndex(int nIndex) { m_nIndex = nIndex; }
    int GetIndexInParent() const { return m_nChildIndex; }
    void SetIndexInParent(int n) { m_nChildIndex = n; }
    const RECT& GetRect() const { return m_rcRow; }
    const RECT& GetCollapseRect() const { return m_rcCollapse; }
    void SetCollapseRect(const RECT& rc) { m_rcCollapse = rc; }
    // Expands or collapses and updates the section's displayed rows.
    void SetExpandedEx(BOOL bExpanded, BOOL bRecursive, BOOL bNotify);
    void EnsureVisible();
    // The height of a row the user may size (0 until measured).
    int GetUserRowHeight() const { return m_nRowHeight; }
    void SetUserRowHeight(int nHeight) { m_nRowHeight = nHeight; }
    int m_nMeasuredHeight = -1;

    // Accessibility: child 0 is the row, child n the record's item n - 1.
    CCmdTarget* GetOwnerCmdTarget() override { return this; }
    HRESULT AccessibleGetParent(IDispatch** ppdispParent) override;
    HRESULT AccessibleGetChildCount(long* pcountChildren) override;
    HRESULT AccessibleGetChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT AccessibleGetName(VARIANT varChild, BSTR* pszName) override;
    HRESULT AccessibleGetRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT AccessibleGetState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;

protected:
    DECLARE_INTERFACE_MAP()
    // The record's preview text under the cells.
    void DrawPreview(CDC* pDC, const RECT& rcClip);
    // The record item a child id names; null for the row itself. Child ids
    // outside the row's children are refused (E_INVALIDARG).
    HRESULT ItemFromChildId(const VARIANT& varChild, CLVKReportRecordItem** ppItem);

    CLVKReportControl* m_pControl = nullptr;
    CLVKReportRecord* m_pRecord = nullptr;
    CLVKReportRow* m_pParentRow = nullptr;
    CLVKReportRows* m_pParentRows = nullptr;
    CLVKReportRows* m_pChilds = nullptr;
    CLVKReportSection* m_pSection = nullptr;
    RECT m_rcRow{};
    RECT m_rcCollapse{};
    int m_nIndex = -1;
    int m_nGroupLevel = 0;
    int m_nRowLevel = 0;
    BOOL m_bVisible = FALSE;
    BOOL m_bExpanded = TRUE;
    BOOL m_bLockExpand = FALSE;
    int m_nPreviewHeight = 0;
    int m_nRowHeight = 0;
    int m_nChildIndex = -1;

    friend class CLVKReportRows;
};
