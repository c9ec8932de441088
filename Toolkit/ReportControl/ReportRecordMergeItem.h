// The cells of one group of merged cells, as the painters met them, and the
// search that cuts them into rectangular blocks drawn once each.
#pragma once

#include "ReportDefines.h"

#include <list>
#include <map>

class CLVKReportRecordMergeItem
{
public:
    struct Item
    {
        int nColumnIndex = -1;    // the column's index in the columns collection
        int nRowIndex = -1;       // the row's index
        int nColumnPosition = -1; // the column's position among the visible columns
        RECT rcItem{};            // the cell in control coordinates
        CLVKReportRow* pRow = nullptr;
    };

    // Four bounds, all -1 while empty; valid only when all are 0 or more.
    struct Range
    {
        int nColumnFrom = -1;
        int nColumnTo = -1;
        int nRowFrom = -1;
        int nRowTo = -1;

        BOOL IsValid() const { return nColumnFrom >= 0 && nColumnTo >= 0 && nRowFrom >= 0 && nRowTo >= 0; }
        void Include(int nColumn, int nRow);
        // The point lies inside or shares an edge with the range (no diagonals).
        BOOL Touches(int nColumn, int nRow) const;
    };

    void AddItem(int nColumnIndex, int nRowIndex, int nColumnPosition, const RECT& rcItem, CLVKReportRow* pRow);
    // Takes one block of touching cells out of the list: its column-index and
    // row-index range and the union of its cells. FALSE when none is left.
    // pFirst receives the block's first cell (the row and column it draws with).
    BOOL GetNextMergedBlock(Range& range, RECT& rcBlock, Item* pFirst = nullptr);
    BOOL IsEmpty() const { return m_items.empty(); }
    int GetCount() const { return static_cast<int>(m_items.size()); }

private:
    std::list<Item> m_items;
};

// Each master item with the cells of its merge group met in one paint pass.
using CLVKReportRecordMergeItems = std::map<CLVKReportRecordItem*, CLVKReportRecordMergeItem>;
