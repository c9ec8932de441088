// The column header: lays the visible columns out across the control's width,
// draws captions and the group-by box, sorts on a caption click and resizes
// columns by dragging their dividers.
#pragma once

#include "ReportDefines.h"

class CLVKReportColumnListBox;

class CLVKReportHeader : public CLVKCmdTarget
{
public:
    CLVKReportHeader(CLVKReportControl* pControl, CLVKReportColumns* pColumns);

    void Draw(CDC* pDC, RECT rcHeader, int nLeftOffset);
    void DrawGroupBy(CDC* pDC, RECT rcGroupBy);
    void DrawFooter(CDC* pDC, RECT rcFooter, int nLeftOffset);
    // Exclusive of nIndex; -1 when there is none.
    int GetNextVisibleColumn(int nIndex, int nDirection) const;
    CLVKReportColumn* HitTestColumn(POINT pt) const;
    // The column whose right divider lies under x (within a few pixels).
    CLVKReportColumn* HitTestDivider(POINT pt) const;
    void OnColumnsChanged(int nFlags, CLVKReportColumn* pColumn);
    // The list of hidden columns, set by its owner; not owned.
    void SetColumnListBox(CLVKReportColumnListBox* pListBox) { m_pColumnListBox = pListBox; }
    CLVKReportColumnListBox* GetColumnListBox() const { return m_pColumnListBox; }
    void AdjustColumnsWidth(int nTotalWidth, int nFirstIndex = 0);
    int GetGroupByHeight() const;
    void SetAutoColumnSizing(BOOL bAutoColumnSizing);
    BOOL IsAutoColumnSizing() const { return m_bAutoColumnSizing; }
    int GetWidth() const { return m_nHeaderWidth; }
    void SetGroupByColumnCount(int n) { m_nGroupByColumnCount = n; }
    int GetGroupByColumnCount() const { return m_nGroupByColumnCount; }

    // Mouse: sorting on a click, resizing on a divider drag.
    // Widens the column to its best-fit width (a double click on its divider).
    void BestFit(CLVKReportColumn* pColumn);
    void OnLButtonDown(POINT pt);
    void OnLButtonUp(POINT pt);
    BOOL OnMouseMove(POINT pt);
    BOOL IsResizing() const { return m_pResizeColumn != nullptr; }
    void CancelMouseMode();
    BOOL SetCursor(POINT pt);
    // The column pressed in the header (or the group-by box), the column
    // being dragged or resized, and the column under the mouse.
    CLVKReportColumn* GetPressedColumn() const { return m_pPressedColumn; }
    CLVKReportColumn* GetTrackingColumn() const { return m_pResizeColumn; }
    BOOL IsDraggingFromHeader() const { return FALSE; }
    CLVKReportColumn* GetHotColumn() const { return m_pHotColumn; }

private:
    CLVKReportColumnListBox* m_pColumnListBox = nullptr;
    CLVKReportControl* m_pControl = nullptr;
    CLVKReportColumns* m_pColumns = nullptr;
    BOOL m_bAutoColumnSizing = TRUE;
    int m_nHeaderWidth = 0;
    int m_nGroupByColumnCount = 0;
    int m_nAvailableWidth = 0;
    CLVKReportColumn* m_pResizeColumn = nullptr;
    CLVKReportColumn* m_pPressedColumn = nullptr;
    CLVKReportColumn* m_pHotColumn = nullptr;
    int m_nResizeStartX = 0;
    int m_nResizeStartWidth = 0;
    HCURSOR m_hResizeCursor = nullptr;
};
