// The report control: a grid window that shows records as rows under a column
// header, sorted, grouped, filtered and as a tree, with selection, focus,
// scrolling and notifications to its owner. Everything it shows is drawn by
// its paint manager.
#pragma once

#include "ReportDefines.h"
#include "ReportBehavior.h"
#include "ReportInplaceEdit.h"
#include "ReportInplaceList.h"
#include "ReportIconNavigator.h"
#include "ReportNavigator.h"
#include "ReportRecordMergeItem.h"
#include "ReportTip.h"
#include "Foundation/Accessible.h"

#include <memory>
#include <vector>

class CLVKImageManager;
class CLVKReportColumnOrder;
class CLVKReportHyperlink;
class CLVKMarkupContext;
class CLVKReportRecordItem;
class CLVKReportInplaceButton;
class CLVKReportRecordItemConstraint;

class CLVKReportControl : public CWnd, public CLVKAccessible
{
    DECLARE_DYNCREATE(CLVKReportControl)

public:
    CLVKReportControl();
    ~CLVKReportControl() override;

    static BOOL AFX_CDECL RegisterWindowClass(HINSTANCE hInstance = nullptr);
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = nullptr);

    // Data.
    CLVKReportRecords* GetRecords() const;
    CLVKReportRows* GetRows() const;
    CLVKReportRecords* GetHeaderRecords() const;
    CLVKReportRows* GetHeaderRows() const;
    CLVKReportRecords* GetFooterRecords() const;
    CLVKReportRows* GetFooterRows() const;
    CLVKReportSections* GetSections() const { return m_pSections; }
    CLVKReportSection* GetBodySection() const { return m_pSectionBody; }
    virtual CLVKReportRecord* AddRecord(CLVKReportRecord* pRecord);
    virtual void Populate();
    virtual void PopulateHeaderRows();
    virtual void PopulateFooterRows();
    virtual void ReSort();
    virtual void ResetContent(BOOL bUpdateControl = TRUE);
    virtual int InsertRow(int nIndex, CLVKReportRow* pRow);
    void ShowHeaderRows(BOOL bShow);
    void ShowFooterRows(BOOL bShow);
    BOOL IsVirtualMode() const;

    // Row factories.
    virtual CLVKReportRow* CreateRow();
    virtual CLVKReportGroupRow* CreateGroupRow();
    virtual CLVKReportRow* CreateHeaderFooterRow();

    // Columns.
    CLVKReportColumn* AddColumn(CLVKReportColumn* pColumn);
    CLVKReportColumns* GetColumns() const { return m_pColumns; }
    CLVKReportHeader* GetReportHeader() const { return m_pReportHeader; }
    virtual CLVKReportColumn* GetNextFocusableColumn(CLVKReportRow* pRow, int nColumnIndex, int nDirection);
    int GetFreezeColumnsCount() const;
    void SetFreezeColumnsCount(int nCount);
    CLVKReportColumn* GetFocusedColumn() const { return m_pFocusedColumn; }
    BOOL SetFocusedColumn(CLVKReportColumn* pColumn);

    // Appearance.
    // A report theme number (1 to 10, anything else the default theme);
    // bThemeMetrics makes the flat themes use their own row and tree metrics.
    void SetTheme(int nReportTheme, BOOL bThemeMetrics = FALSE);
    BOOL IsThemeMetrics() const { return m_bThemeMetrics; }
    void SetPaintManager(CLVKReportPaintManager* pPaintManager);
    CLVKReportPaintManager* GetPaintManager() const { return m_pPaintManager; }
    void SetGroupRowsBold(BOOL bBold);
    void ShadeGroupHeadings(BOOL bShade);
    void ShowHeader(BOOL bShow = TRUE);
    BOOL IsHeaderVisible() const { return m_bHeaderVisible; }
    void ShowFooter(BOOL bShow = TRUE);
    BOOL IsFooterVisible() const { return m_bFooterVisible; }
    void ShowGroupBy(BOOL bShow = TRUE);
    BOOL IsGroupByVisible() const { return m_bGroupByEnabled; }
    void SetScrollMode(int nOrientation, int nMode);
    int GetScrollMode(int nOrientation) const;
    void SetFullColumnScrolling(BOOL bSet);
    BOOL IsFullColumnScrolling() const;
    void SetInitialSelectionEnable(BOOL bEnable);
    void SetSelectionEnable(BOOL bEnable);
    void SetMultipleSelection(BOOL bMultiple) { m_bMultipleSelection = bMultiple; }
    BOOL IsMultipleSelection() const { return m_bMultipleSelection; }
    void SetSelectionToggle(BOOL b) { m_bSelectionToggle = b; }
    BOOL IsSelectionToggle() const { return m_bSelectionToggle; }
    int GetIconColumnIndex() const { return m_nIconColumnIndex; }
    BOOL IsHeaderRowsVisible() const;
    BOOL IsFooterRowsVisible() const;
    // Moves the focus for the navigation keys.
    // The current navigator: the icon navigator while the icon view is on.
    CLVKReportNavigator* GetNavigator() const { return m_pCurrentNavigator; }
    // The switches that say what clicks on rows do, and which notifications go out.
    CLVKReportBehavior* GetBehavior() const { return m_pBehavior.get(); }
    void FocusSubItems(BOOL bFocusSubItems) { m_bFocusSubItems = bFocusSubItems; }
    BOOL IsFocusSubItems() const { return m_bFocusSubItems; }
    void SetSkipGroupsFocus(BOOL b) { m_bSkipGroupsFocus = b; }
    BOOL IsSkipGroupsFocus() const { return m_bSkipGroupsFocus; }
    BOOL IsSelectionExcludeGroupRows() const { return m_bSelectionExcludeGroupRows; }
    BOOL IsInitialSelectionEnabled() const { return m_bInitialSelectionEnable; }
    void UnselectGroupRows();
    void SetAllowEdit(BOOL bAllow);
    BOOL IsAllowEdit() const;
    void SetAllowGroup(BOOL bAllow);
    void SetRowsCompareFunc(int(AFX_CDECL* pfn)(const CLVKReportRow**, const CLVKReportRow**))
    {
        m_pRowsCompareFunc = pfn;
    }
    int(AFX_CDECL* GetRowsCompareFunc() const)(const CLVKReportRow**, const CLVKReportRow**)
    {
        return m_pRowsCompareFunc;
    }
    virtual CString GetFilterText() { return m_strFilterText; }
    virtual void SetFilterText(LPCWSTR lpszText) { m_strFilterText = lpszText; }
    virtual DWORD GetFilterOptions() { return m_dwFilterOptions; }
    virtual void SetFilterOptions(DWORD dw) { m_dwFilterOptions = dw; }
    // TRUE hides the record (its own filter, or the filter text).
    virtual BOOL IsRecordFiltered(CLVKReportRecord* pRecord);
    virtual BOOL IsRecordFiltered(CLVKReportRecord* pRecord, LPCWSTR lpszFilterText, BOOL bSearchPreview);
    // TRUE when some word of the text is in none of the record's filterable
    // captions (nor, with bSearchPreview, in its preview).
    virtual BOOL IsFilteredByText(CLVKReportRecord* pRecord, LPCWSTR lpszFilterText, BOOL bSearchPreview);
    // 0 records alone; 1 a parent stays while a child stays; 2 also hides a
    // parent whose children are all hidden.
    void SetTreeFilterMode(int nMode) { m_nTreeFilterMode = nMode; }
    // The filter's words are separated by tabs only.
    void SetFilterTabSeparated(BOOL b) { m_bFilterTabSeparated = b; }
    // The filter looks into previews too.
    void SetFilterPreview(BOOL b) { m_bFilterPreview = b; }
    BOOL HasFocus() const;
    void SetOwnerWindow(HWND hWndOwner) { m_hWndOwner = hWndOwner; }
    int GetWheelLines() const { return m_nWheelLines; }
    void SetWheelLines(int n) { m_nWheelLines = n; }
    BOOL IsCellMergingEnabled() const { return m_bCellMerging; }
    void EnableCellMerging(BOOL b) { m_bCellMerging = b; }
    BOOL IsFocusFrameShown() const { return m_bShowFocusFrame; }
    // The icon view: rows laid out as lines of icons, each showing an icon
    // and the caption of one item. It needs an icon column (below); without
    // one the view stays off and the call answers FALSE.
    BOOL ShowIconView(BOOL bShow);
    BOOL IsIconView() const { return m_bIconView; }
    // The item index of the column shown in the icon view (-1 none). When
    // the records have no item of that index, each cell shows the caption
    // of the item at the caption index and the icon of that item, or the
    // icon-view icon when it has none.
    void SetIconColumnIndex(int nItemIndex) { m_nIconColumnIndex = nItemIndex; }
    void SetIconViewCaptionIndex(int nItemIndex) { m_nIconViewCaptionIndex = nItemIndex; }
    int GetIconViewCaptionIndex() const { return m_nIconViewCaptionIndex; }
    void SetIconViewIcon(int nIcon) { m_nIconViewIcon = nIcon; }
    int GetIconViewIcon() const { return m_nIconViewIcon; }
    // Icon cells per line of a body of the given width (at least 1).
    int GetIconViewItemsPerLine(int nWidth) const;
    // Draws the body as lines of icon cells.
    virtual void DrawIconView(CDC* pDC, RECT rcBody);
    // One icon cell: the icon centred at the top, the caption wrapped under it.
    virtual void DrawIconViewCell(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs);
    // Icon cells per line and the height of a line of them in icon view.
    int GetIconViewItemsPerLine() const { return m_nIconsPerLine; }
    int GetIconViewRowHeight() const { return m_szIconSpacing.cy; }

    // The icons of items and columns (the control owns its manager).
    CLVKImageManager* GetImageManager() const { return m_pImageManager; }
    // Takes over the caller's reference; null keeps the current manager.
    void SetImageManager(CLVKImageManager* pImageManager);

    // Rows the user sizes by dragging their bottom edge; they start at the
    // default row height.
    void AllowRowSizing(BOOL bAllow) { m_bRowSizing = bAllow; }
    BOOL IsRowSizingAllowed() const { return m_bRowSizing; }
    int GetDefaultRowHeight() const;
    void SetDefaultRowHeight(int nHeight) { m_nDefaultRowHeight = nHeight; }

    // The watermark drawn behind the rows: a copy of the bitmap (32-bit)
    // blended with the transparency (0-255). A null bitmap or an empty path
    // removes it; FALSE when the picture cannot be read or copied (the old
    // one is gone then).
    virtual BOOL SetWatermarkBitmap(HBITMAP hBitmap, BYTE nTransparency);
    virtual BOOL SetWatermarkBitmapFile(LPCWSTR lpszPath, BYTE nTransparency);
    virtual HBITMAP GetWatermarkBitmap() const { return m_hWatermark; }
    // 0x0002 centre, 0x0004 right, 0x0020 centre vertically, 0x0040 bottom,
    // 0x0100 stretch (with 0x0200 the source cut to the area, 0x0400 never
    // larger than the picture, 0x0800 keeping the aspect ratio).
    void SetWatermarkAlignment(int nFlags) { m_nWatermarkAlignment = nFlags; }
    int GetWatermarkAlignment() const { return m_nWatermarkAlignment; }
    // Draws the watermark into the area (the canvas is the client area).
    void DrawWatermark(CDC* pDC, RECT rcArea, RECT rcCanvas);

    // The column of row numbers: the item index of a column whose cells show
    // the rows' numbers, and the switch that lets ShowRowNumberColumn show
    // and hide it.
    void SetRowNumberColumnIndex(int nItemIndex) { m_nRowNumberColumnIndex = nItemIndex; }
    int GetRowNumberColumnIndex() const { return m_nRowNumberColumnIndex; }
    void EnableRowNumberColumn(BOOL bEnable) { m_bRowNumberColumn = bEnable; }
    BOOL IsRowNumberColumnEnabled() const { return m_bRowNumberColumn; }
    void ShowRowNumberColumn(BOOL bShow);

    // What the mouse is over or doing, set by the header and the rows while
    // they track it.
    enum MouseMode : int
    {
        kMouseIdle = 0,
        kMouseOverDivider = 1,    // over a column divider that can be dragged
        kMouseColumnPressed = 2,  // a column caption pressed, not released yet
        kMouseColumnDragged = 3,  // a column caption dragged
        kMouseOverRowEdge = 4     // over the bottom edge of a row that can be sized
    };
    void SetMouseMode(MouseMode nMode) { m_nMouseMode = nMode; }
    // Best fit only on request (not by a double click on an edge), and the
    // column tracker drawn on the desktop.
    void SetStrictBestFit(BOOL b) { m_bStrictBestFit = b; }
    BOOL IsStrictBestFit() const { return m_bStrictBestFit; }
    void SetDesktopTrackerMode(BOOL b) { m_bDesktopTrackerMode = b; }
    BOOL IsDesktopTrackerMode() const { return m_bDesktopTrackerMode; }
    MouseMode GetMouseMode() const { return m_nMouseMode; }
    // The cursor shown over a row's bottom edge while rows can be sized.
    HCURSOR GetRowSizingCursor();

    // The hyperlink under the mouse, drawn in the hover style.
    CLVKReportHyperlink* GetHotHyperlink() const { return m_pHotHyperlink; }
    // The group row under the mouse (with the resource theme: while the
    // mouse is over its expand button).
    CLVKReportRow* GetHotGroupRow() const { return m_pHotGroupRow; }
    // A click outside the rows clears the selection.
    void SetClearSelectionOnClickOutside(BOOL b) { m_bClearSelectionOnClickOutside = b; }
    // The row under the mouse (none outside the rows).
    CLVKReportRow* GetHotRow() const { return m_pHotRow; }
    // Captions of cells, columns and previews parsed as markup through the
    // control's own markup context (none while markup is off).
    void EnableMarkup(BOOL bEnable);
    CLVKMarkupContext* GetMarkupContext() const { return m_pMarkupContext; }
    // Previews: each record's preview text shown under its cells.
    void EnablePreviewMode(BOOL bEnable);
    BOOL IsPreviewMode() const { return m_bPreviewMode; }
    void AllowEditPreview(BOOL bAllow) { m_bAllowEditPreview = bAllow; }
    BOOL IsAllowEditPreview() const { return m_bAllowEditPreview; }
    // How clicks start editing and change check boxes.
    void EditOnClick(BOOL bEdit) { m_bEditOnClick = bEdit; }
    BOOL IsEditOnClick() const { return m_bEditOnClick; }
    void EditOnDelayClick(BOOL bEdit) { m_bEditOnDelayClick = bEdit; }
    BOOL IsEditOnDelayClick() const { return m_bEditOnDelayClick; }
    void SetToggleCheckboxOnClick(BOOL bToggle) { m_bToggleCheckboxOnClick = bToggle; }
    BOOL IsToggleCheckboxOnClick() const { return m_bToggleCheckboxOnClick; }
    // Delayed editing: a first click remembers the cell, a second click on it
    // starts the edit timer, which opens the editor unless a double click
    // came first.
    void OnDelayEditClick(CLVKReportRow* pRow, CLVKReportColumn* pColumn);

    // The widest cell of the column over the body rows and the shown record
    // rows, measured by drawing them into a memory DC.
    virtual int MeasureColumnWidth(CLVKReportColumn* pColumn);
    // The width a column's cells need over rows first .. first + count - 1
    // (all rows from first when count <= 0), group rows left out.
    int GetColumnBestFitWidth(CDC* pDC, CLVKReportRows* pRows, CLVKReportColumn* pColumn, int nFirst, int nCount);
    // The width over the body rows the column's best-fit mode chooses and the
    // visible record sections.
    int GetColumnBestFitWidthAll(CLVKReportColumn* pColumn);

    // Layout, scrolling and drawing.
    virtual void AdjustLayout();
    virtual void AdjustScrollBars();
    void UpdateVScrollBar(BOOL bLock, UINT nMask);
    void UpdateHScrollBar(BOOL bLock, UINT nMask);
    RECT GetElementRect(int nElement) const;
    RECT GetReportRectangle() const { return GetElementRect(0); }
    void SetHScrollOffset(int nOffset);
    int GetHScrollOffset() const { return m_nLeftOffset; }
    void SetVScrollOffset(int nOffset);
    int GetTopRowIndex() const;
    void SetTopRowIndex(int nIndex);
    int GetLastPageTopRow(CDC* pDC);
    int GetPageScrollCount(int nRow, BOOL bDown);
    void EnsureColumnVisible(CLVKReportColumn* pColumn);
    BOOL EnsureVisible(CLVKReportRow* pRow);
    virtual void OnDraw(CDC* pDC);
    virtual int DrawRows(CDC* pDC, RECT& rcClient, int y, CLVKReportRows* pRows, int nTopRow, int nColumnFrom,
                         int nColumnTo, int* pnHeight = nullptr);
    virtual void DrawNoItems(CDC* pDC, const RECT& rcClient);
    // Keeps a drawn row among the section's screen rows: a copy in virtual
    // mode, where one row object stands for every index in turn, else the row
    // itself with a reference.
    void KeepScreenRow(CLVKReportRows* pRows, CLVKReportRow* pRow);
    // Continues the grid below the last row with empty lines of the given
    // height, so that a short list still looks like a table.
    virtual void DrawEmptyRowsGrid(CDC* pDC, const RECT& rcArea, int nRowHeight);
    virtual BOOL HitTest(POINT pt, LVK_REPORT_HITTESTINFO* pInfo);
    CLVKReportRow* HitTestRow(POINT pt) const;
    int GetGroupIndent() const;
    int GetRowsHeight(CLVKReportRows* pRows, int nTotalWidth, int nMaxHeight = -1);
    BOOL IsRowHeightCached() const;
    void RedrawControl();
    void BeginUpdate() { m_nLockUpdateCount++; }
    void EndUpdate();
    // Merged cells met while drawing rows; drawn once each after the rows.
    void AddMergedCell(CLVKReportRecordItem* pMaster, const RECT& rcCell, CLVKReportRow* pRow,
                       CLVKReportColumn* pColumn);
    BOOL IsScrollBarVisible(int nBar) const { return nBar == SB_VERT ? m_bVScrollBarVisible : m_bHScrollBarVisible; }

    // Selection and focus.
    CLVKReportSelectedRows* GetSelectedRows() const { return m_pSelectedRows; }
    CLVKReportRow* GetFocusedRow() const;
    BOOL SetFocusedRow(CLVKReportRow* pRow, BOOL bShiftKey = FALSE, BOOL bControlKey = FALSE);
    BOOL SetFocusedRow(CLVKReportRow* pRow, CLVKReportColumn* pColumn, BOOL bShiftKey, BOOL bControlKey);
    void SelectAll();
    virtual void OnSelectionChanged();
    virtual BOOL OnFocusChanging(CLVKReportRow* pNewRow, CLVKReportColumn* pNewColumn);
    // Asks the owner for the tip text of a cell before the tip shows; the
    // owner may change the text the notification points to (empty: no tip).
    virtual void OnGetToolTipInfo(CLVKReportRow* pRow, CLVKReportRecordItem* pItem, CString& strText);
    virtual BOOL OnPreviewKeyDown(UINT& rnChar, UINT nRepCnt, UINT nFlags);
    virtual void OnGetItemMetrics(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, LVK_REPORTRECORDITEM_METRICS* pMetrics);
    // TRUE while the in-place edit box is open on a cell.
    BOOL IsEditMode() const;
    // Ends the current edit (committing it) and, with a cell, starts editing it.
    void EditItem(LVK_REPORTRECORDITEM_ARGS* pArgs);
    // Ends in-place editing; without bCommit the starting text comes back,
    // so the edit is cancelled.
    void EndEditing(BOOL bCommit = TRUE);
    CLVKReportRecordItem* GetActiveItem() const;
    HWND GetInplaceEditHwnd() const;
    CLVKReportInplaceEdit* GetInplaceEdit() const { return m_pInplaceEdit.get(); }
    CLVKReportInplaceList* GetInplaceList() const { return m_pInplaceList.get(); }
    void AddInplaceButton(CLVKReportInplaceButton* pButton);
    void RemoveInplaceButtons();
    int GetInplaceButtonCount() const { return static_cast<int>(m_arrInplaceButtons.size()); }
    CLVKReportInplaceButton* GetInplaceButton(int nIndex) const;
    // Notification -73: a constraint was chosen in an in-place editor.
    virtual void OnInplaceKeyDown(CLVKReportRow* pRow, CLVKReportRecordItem* pItem, CLVKReportColumn* pColumn,
                                  CLVKReportRecordItemConstraint* pConstraint);
    // Ends editing and evaluates the formula cells again.
    // With a record only its cells, else every record's and group row's.
    void RefreshFormulas(CLVKReportRecord* pRecord = nullptr);
    // Expanding and collapsing is locked for every row.
    void LockExpand(BOOL bLock) { m_bLockExpand = bLock; }
    BOOL IsLockExpand() const { return m_bLockExpand; }
    // The window is mirrored (right-to-left layout).
    BOOL IsRightToLeft() const;

    // Keyboard navigation.
    void MoveDown(BOOL bShiftKey, BOOL bControlKey);
    void MoveUp(BOOL bShiftKey, BOOL bControlKey);
    void MovePageDown(BOOL bShiftKey, BOOL bControlKey);
    void MovePageUp(BOOL bShiftKey, BOOL bControlKey);
    void MoveFirstRow(BOOL bShiftKey, BOOL bControlKey);
    void MoveLastRow(BOOL bShiftKey, BOOL bControlKey);
    void MoveToColumn(int nDirection);

    // Notifications to the owner.
    LRESULT SendNotify(int nCode, NMHDR* pNmhdr);
    LRESULT SendItemNotify(CLVKReportRow* pRow, CLVKReportRecordItem* pItem, CLVKReportColumn* pColumn, int nCode,
                           const POINT* pPoint = nullptr, int nValue = -1);
    POINT GetMouseDownPoint() const { return m_ptMouseDown; }
    CLVKReportTip* GetReportTip() { return &m_tip; }

    // Accessibility: child 1 is the header, child n >= 2 the body row n - 2.
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
    // The body row a child id names (null for the control and the header);
    // ids outside the children are refused (E_INVALIDARG).
    HRESULT RowFromChildId(const VARIANT& varChild, long* pnChild, CLVKReportRow** ppRow);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    void OnPaint();
    // The grey picture of a disabled control.
    void DrawDisabledLook(CDC* pDC, const RECT& rcClient);
    LRESULT OnNcHitTest(POINT ptScreen);
    void OnSize();
    void OnVScroll(UINT nSBCode, UINT nPos);
    void OnHScroll(UINT nSBCode, UINT nPos);
    void OnMouseWheel(short zDelta);
    void OnLButtonDown(UINT nFlags, POINT pt);
    void OnLButtonUp(UINT nFlags, POINT pt);
    void OnLButtonDblClk(UINT nFlags, POINT pt);
    void OnRButtonDown(UINT nFlags, POINT pt);
    void OnRButtonUp(UINT nFlags, POINT pt);
    // Focuses and selects the clicked row as the switches of the button's
    // event say; FALSE when the owner refused (the row may be gone).
    BOOL ApplyRowBehavior(CLVKReportBehaviorRowMouseButton* pButton, CLVKReportRow* pRow, CLVKReportColumn* pColumn,
                          CLVKReportRecordItem* pItem, BOOL bShift, BOOL bControl);
    void RestoreTemporaryFocus();
    void OnMouseMove(UINT nFlags, POINT pt);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnLeftRightKey(BOOL bLeft, BOOL bShift, BOOL bControl, BOOL bControlKey);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnMouseLeave();
    void OnContextMenu(POINT ptScreen);
    void SetMouseItem(CLVKReportRecordItem* pItem);
    // Shows the whole text of a truncated cell under the point in the tip.
    void UpdateCellTip(POINT pt, CLVKReportRow* pRow);
    void SelectRowAfterMove(CLVKReportRow* pRow, BOOL bShiftKey, BOOL bControlKey);

    CLVKReportSections* m_pSections = nullptr;
    CLVKReportSection* m_pSectionHeader = nullptr;
    CLVKReportSection* m_pSectionBody = nullptr;
    CLVKReportSection* m_pSectionFooter = nullptr;
    CLVKReportSection* m_pSectionActive = nullptr;
    CLVKReportColumns* m_pColumns = nullptr;
    CLVKReportHeader* m_pReportHeader = nullptr;
    CLVKReportSelectedRows* m_pSelectedRows = nullptr;
    CLVKReportPaintManager* m_pPaintManager = nullptr;

    BOOL m_bGroupByEnabled = FALSE;
    BOOL m_bHeaderVisible = TRUE;
    BOOL m_bFooterVisible = FALSE;
    int m_nScrollModeH = 2;
    int m_nScrollModeV = 1;
    int m_nLeftOffset = 0;
    int m_nScrollStepH = 7;
    int m_nScrollStepV = 7;
    int m_nWheelLines = 3;
    int m_nLockUpdateCount = 0;
    BOOL m_bRedrawPending = TRUE;
    BOOL m_bAdjustLayoutRunning = FALSE;
    BOOL m_bFocusSubItems = FALSE;
    CLVKReportColumn* m_pFocusedColumn = nullptr;
    BOOL m_bMultipleSelection = TRUE;
    BOOL m_bSelectionToggle = FALSE;
    BOOL m_bInitialSelectionEnable = TRUE;
    BOOL m_bSkipGroupsFocus = TRUE;
    BOOL m_bSelectionExcludeGroupRows = TRUE;
    BOOL m_bShowFocusFrame = TRUE;
    BOOL m_bCellMerging = FALSE;
    BOOL m_bIconView = FALSE;
    int m_nIconColumnIndex = -1;
    int m_nIconsPerLine = 0;
    SIZE m_szIcon{};
    SIZE m_szIconSpacing{};
    CLVKImageManager* m_pImageManager = nullptr;
    BOOL m_bRowSizing = FALSE;
    int m_nDefaultRowHeight = 0;
    CLVKReportHyperlink* m_pHotHyperlink = nullptr;
    CLVKReportRow* m_pHotRow = nullptr;
    CLVKReportRow* m_pHotGroupRow = nullptr;
    BOOL m_bClearSelectionOnClickOutside = FALSE;
    HBITMAP m_hWatermark = nullptr;
    SIZE m_szWatermark{};
    BYTE m_nWatermarkTransparency = 100;
    int m_nWatermarkAlignment = 0x100;
    int m_nRowNumberColumnIndex = -1;
    int m_nSavedRowNumberColumnIndex = -1;
    BOOL m_bRowNumberColumn = FALSE;
    MouseMode m_nMouseMode = kMouseIdle;
    BOOL m_bLockExpand = FALSE;
    int m_nTreeFilterMode = 0;
    BOOL m_bFilterTabSeparated = FALSE;
    BOOL m_bFilterPreview = FALSE;
    BOOL m_bStrictBestFit = FALSE;
    BOOL m_bDesktopTrackerMode = FALSE;
    HCURSOR m_hRowSizingCursor = nullptr;
    BOOL m_bThemeMetrics = FALSE;
    BOOL m_bCreatedByCreate = FALSE;
    BOOL m_bVScrollBarVisible = FALSE;
    BOOL m_bHScrollBarVisible = FALSE;
    BOOL m_bDoubleBuffering = TRUE;
    CString m_strFilterText;
    DWORD m_dwFilterOptions = 0;
    int(AFX_CDECL* m_pRowsCompareFunc)(const CLVKReportRow**, const CLVKReportRow**) = nullptr;
    HWND m_hWndOwner = nullptr;
    RECT m_rcGroupByArea{};
    RECT m_rcHeaderArea{};
    RECT m_rcFooterArea{};
    HBITMAP m_hCacheBitmap = nullptr;
    int m_nEnsureVisibleRow = -1;
    int m_nEnsureVisibleColumn = -1;
    POINT m_ptMouseDown{};
    BOOL m_bMouseDownInRow = FALSE;
    BOOL m_bTrackingMouse = FALSE;
    CLVKReportRecordItem* m_pActiveItem = nullptr;
    CLVKReportRow* m_pActiveRow = nullptr;
    CLVKReportColumn* m_pActiveColumn = nullptr;
    std::unique_ptr<CLVKReportInplaceEdit> m_pInplaceEdit;
    std::unique_ptr<CLVKReportInplaceList> m_pInplaceList;
    // The buttons of the edited cell (owned by its edit options).
    std::vector<CLVKReportInplaceButton*> m_arrInplaceButtons;
    std::unique_ptr<CLVKReportBehavior> m_pBehavior;
    std::unique_ptr<CLVKReportNavigator> m_pNavigator;
    CLVKMarkupContext* m_pMarkupContext = nullptr;
    BOOL m_bPreviewMode = FALSE;
    BOOL m_bAllowEditPreview = FALSE;
    BOOL m_bEditOnClick = TRUE;
    BOOL m_bEditOnDelayClick = FALSE;
    BOOL m_bToggleCheckboxOnClick = TRUE;
    int m_nPendingEditRow = -1;
    int m_nPendingEditColumn = -1;
    BOOL m_bEditTimerRunning = FALSE;
    void StopDelayedEdit();
    void OnEditTimer(UINT_PTR nIDEvent);
    std::unique_ptr<CLVKReportIconNavigator> m_pIconNavigator;
    CLVKReportNavigator* m_pCurrentNavigator = nullptr;
    // What the icon view changes and gives back when it is switched off.
    struct IconViewSaved
    {
        BOOL bHeaderVisible = TRUE;
        BOOL bFooterVisible = FALSE;
        BOOL bFocusSubItems = FALSE;
        BOOL bAutoColumnSizing = TRUE;
        BOOL bHeaderRowsVisible = FALSE;
        BOOL bFooterRowsVisible = FALSE;
        int nTreeIndent = 0;
        int nGroupRowIndent = 0;
        int nIconColumnWidth = 0;
    } m_iconViewSaved;
    CLVKReportColumnOrder* m_pIconViewGroupOrder = nullptr;
    CLVKReportColumnOrder* m_pIconViewColumns = nullptr;
    int m_nIconViewCaptionIndex = 0;
    int m_nIconViewIcon = -1;
    BOOL m_bMouseDownShift = FALSE;
    BOOL m_bMouseDownControl = FALSE;
    BOOL m_bMouseDownRowSelected = FALSE;
    BOOL m_bRightDownInRow = FALSE;
    BOOL m_bDragPending = FALSE;
    int m_nTemporaryFocusRow = -1;
    // The item whose control the mouse was last over.
    CLVKReportRecordItem* m_pMouseItem = nullptr;

    // Merged cells met while drawing rows, by master item.
    CLVKReportRecordMergeItems m_mergedBlocks;
    CLVKReportTip m_tip;
};
