// The column header and the group-by box above it: lays the visible columns
// out across the control's width (fitting them to it with automatic sizing),
// draws captions, footers and the group-by box, sorts on a caption click and
// resizes a column by dragging its right edge or fits it on a double click.
#pragma once

#include "ReportDefines.h"

#include <vector>

class CLVKReportColumnListBox;

class CLVKReportHeader : public CLVKCmdTarget
{
public:
    CLVKReportHeader(CLVKReportControl* pControl, CLVKReportColumns* pColumns);

    virtual void Draw(CDC* pDC, RECT rcHeader, int nLeftOffset);
    virtual void DrawGroupBy(CDC* pDC, RECT rcGroupBy);
    virtual void DrawFooter(CDC* pDC, RECT rcFooter, int nLeftOffset);
    // Exclusive of nIndex; -1 when there is none.
    int GetNextVisibleColumn(int nIndex, int nDirection) const;
    // The column under x in the header area (none outside it).
    CLVKReportColumn* HitTestColumn(POINT pt) const;
    int HitTestColumnIndex(POINT pt) const;
    // The column whose right edge is under the point.
    CLVKReportColumn* HitTestResize(POINT pt) const;
    CLVKReportColumn* HitTestDivider(POINT pt) const { return HitTestResize(pt); }
    // In the group-by box: with bItemsOnly the index of the group-order item
    // under the point (the count when none), else the insertion position;
    // -1 outside the box.
    int HitTestGroupByBox(POINT pt, BOOL bItemsOnly) const;
    // Width changes 0x100, shown 0x201, hidden 0x401, sort or group order
    // changed by a click 0x3002.
    virtual void OnColumnsChanged(int nFlags, CLVKReportColumn* pColumn);
    // The list of hidden columns, set by its owner; not owned.
    void SetColumnListBox(CLVKReportColumnListBox* pListBox) { m_pColumnListBox = pListBox; }
    CLVKReportColumnListBox* GetColumnListBox() const { return m_pColumnListBox; }
    // Fits the widths of the visible columns from nFirstIndex on into nTotalWidth
    // (automatic sizing) and places every column.
    void AdjustColumnsWidth(int nTotalWidth, int nFirstIndex = 0);
    // Places the visible columns from the header's scroll origin.
    void LayoutColumns();
    int GetGroupByHeight() const;
    void SetAutoColumnSizing(BOOL bAutoColumnSizing);
    BOOL IsAutoColumnSizing() const { return m_bAutoColumnSizing; }
    // The total width of the visible columns (at least the body width).
    int GetWidth() const { return m_nHeaderWidth; }
    // Width of the columns beyond the body's right edge.
    int GetOverflow() const { return m_nOverflow; }
    void SetGroupByColumnCount(int n) { m_nGroupByColumnCount = n; }
    int GetGroupByColumnCount() const { return m_nGroupByColumnCount; }

    // Sizing.
    void ResizeColumn(CLVKReportColumn* pColumn, int nWidth);
    // Widens a column to its best-fit width (a double click on its edge).
    void BestFit(CLVKReportColumn* pColumn);
    int GetMaxAvailableWidth(CLVKReportColumn* pColumn) const;
    void SetMaxColumnWidth(int nWidth) { m_nMaxColumnWidth = nWidth; }

    // Mouse (the control passes its messages).
    void OnLButtonDown(POINT pt);
    void OnLButtonUp(POINT pt);
    void OnLButtonDblClk(POINT pt);
    BOOL OnMouseMove(POINT pt);
    void OnMouseLeave();
    void OnContextMenu(POINT pt);
    BOOL IsResizing() const { return m_pResizeColumn != nullptr; }
    // Ends a press or a resize (Esc, capture lost).
    void CancelMouseMode();
    BOOL SetCursor(POINT pt);
    // The tooltip of the column under the point: its own text, else its
    // caption with the sorting it does; markup tags removed.
    virtual CString GetTooltipText(POINT pt, RECT* pRect) const;

    // The column pressed in the header (or the group-by box), the column
    // being resized, and the column under the mouse.
    CLVKReportColumn* GetPressedColumn() const { return m_pPressedColumn; }
    CLVKReportColumn* GetTrackingColumn() const { return m_pResizeColumn; }
    BOOL IsDraggingFromHeader() const { return FALSE; }
    CLVKReportColumn* GetHotColumn() const { return m_pHotColumn; }

    BOOL m_bAllowColumnRemove = TRUE;
    BOOL m_bAllowColumnResize = TRUE;
    BOOL m_bAllowColumnReorder = TRUE;
    BOOL m_bAllowColumnSort = TRUE;
    // A click on a groupable column changes the group order.
    BOOL m_bShowItemsInGroups = FALSE;

private:
    int GetHeaderRowHeight() const;
    HCURSOR GetDividerCursor();
    void SendWidthChanged(CLVKReportColumn* pColumn, int nOld, int nNew);
    // The rectangles of the group-by box's items, in group order.
    std::vector<RECT> LayoutGroupBy(CDC* pDC, RECT rcGroupBy) const;
    void OnColumnClick(CLVKReportColumn* pColumn, BOOL bInHeader);

    CLVKReportColumnListBox* m_pColumnListBox = nullptr;
    CLVKReportControl* m_pControl = nullptr;
    CLVKReportColumns* m_pColumns = nullptr;
    BOOL m_bAutoColumnSizing = TRUE;
    int m_nHeaderWidth = 0;
    int m_nOverflow = 0;
    int m_nGroupByColumnCount = 0;
    int m_nMaxColumnWidth = 0;
    CLVKReportColumn* m_pResizeColumn = nullptr;
    CLVKReportColumn* m_pPressedColumn = nullptr;
    BOOL m_bPressedInHeader = TRUE;
    CLVKReportColumn* m_pHotColumn = nullptr;
    HCURSOR m_hDividerCursor = nullptr;
    std::vector<RECT> m_groupByRects;
};
