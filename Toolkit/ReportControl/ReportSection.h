// One of the three stacked parts of the rows area (header records, body,
// footer records): its records, its tree of rows, its displayed rows, its
// scroll position and switches. Populate turns records into rows.
#pragma once

#include "ReportBorder.h"
#include "ReportDefines.h"
#include "Foundation/PaintManagerColor.h"

#include <vector>

class CLVKReportSection : public CLVKCmdTarget
{
public:
    CLVKReportSection(CLVKReportControl* pControl, int nSectionType);
    ~CLVKReportSection() override;

    virtual CLVKReportRecord* AddRecord(CLVKReportRecord* pRecord);
    virtual void ResetContent();
    virtual void Populate(BOOL bUpdate);
    virtual void ReSortRows();
    virtual void RefreshIndexes(int nIndexStart = 0);
    virtual int InsertChildRows(int nPosition, CLVKReportRow* pParentRow, BOOL bAnnounce);
    virtual int InsertChildRowsAt(int nPosition, CLVKReportRow* pParentRow)
    {
        return InsertChildRows(nPosition, pParentRow, TRUE);
    }
    virtual int RemoveChildRows(CLVKReportRow* pParentRow);
    virtual void Draw(CDC* pDC);
    virtual BOOL IsVirtualMode() const;
    virtual int InsertRow(int nIndex, CLVKReportRow* pRow);
    virtual int GetPageRowCount(CDC* pDC);
    virtual int GetTotalHeight(CDC* pDC);
    virtual BOOL EnsureVisible(CDC* pDC, CLVKReportRow* pRow);
    virtual void SortTree(CLVKReportRows* pRows);
    virtual void SortRows(CLVKReportRows* pRows);
    virtual int GetTopRowIndex() const { return m_nScrollIndexV; }
    virtual void SetTopRowIndex(int nIndex);
    virtual int GetScrollOffset() const { return m_nScrollOffsetV; }
    virtual void SetScrollOffset(int nOffset);

    void BuildTree(CLVKReportRows* pRows, CLVKReportRow* pParentRow, CLVKReportRecords* pRecords);
    void ExpandAll(BOOL bRecursive);
    void CollapseAll();
    CLVKReportRow* GetFocusedRow() const;
    int GetIndex() const;
    // Index of the displayed row at a pixel offset from the top of all rows.
    int HitTestRowIndex(CDC* pDC, int nWidth, int nY, int* pnOffset = nullptr);

    CLVKReportRecords* GetRecords() const { return m_pRecords; }
    CLVKReportRows* GetRows() const { return m_pRows; }
    CLVKReportRows* GetTree() const { return m_pTree; }
    CLVKReportControl* GetControl() const { return m_pControl; }
    int GetSectionType() const { return m_nSectionType; }
    const RECT& GetRect() const { return m_rcSection; }
    void SetRect(const RECT& rc) { m_rcSection = rc; }
    const RECT& GetDividerRect() const { return m_rcDivider; }
    void SetDividerRect(const RECT& rc) { m_rcDivider = rc; }

    int m_nHeightMode = 2;  // 0 fixed, 1 percent, 2/4/5 content (5 shrinks), 3 fill
    int m_nHeight = 0;
    int m_nDividerStyle = 0;
    int m_nDividerPosition = 1;  // 1 after the section, 0 before it
    CLVKPaintManagerColor m_clrDivider{0x0000000F};
    BOOL m_bAllowFocus = TRUE;
    BOOL m_bAllowEdit = FALSE;
    BOOL m_bAllowGroup = FALSE;
    BOOL m_bAllowSort = FALSE;
    BOOL m_bAllowFilter = FALSE;
    BOOL m_bSelectionEnable = TRUE;
    BOOL m_bVisible = FALSE;
    // The box around the section's rows.
    CLVKReportBorder* GetBorder() { return &m_border; }

private:
    // The steps of Populate.
    void PopulateVirtualRow();
    void PopulateTreeRows();
    int GroupTreeRows();
    void FocusRecordRow(CLVKReportRecord* pRecord);

    CLVKReportControl* m_pControl = nullptr;
    CLVKReportRecords* m_pRecords = nullptr;
    CLVKReportRows* m_pRows = nullptr;
    CLVKReportRows* m_pTree = nullptr;
    int m_nTreeCount = 0;
    RECT m_rcSection{};
    RECT m_rcDivider{};
    int m_nScrollIndexV = 0;
    int m_nScrollOffsetV = 0;
    int m_nSectionType = 0;
    std::vector<UINT> m_arrSortedRecordIndexes;
    CLVKReportBorder m_border;
};
