// A list box bound to a report control that lists the columns the user has
// hidden and may show again. Its owner creates the window.
#pragma once

#include "ReportDefines.h"

class CLVKReportColumnListBox : public CWnd
{
public:
    CLVKReportColumnListBox() = default;

    void SetReportCtrl(CLVKReportControl* pControl) { m_pReportControl = pControl; }
    CLVKReportControl* GetReportCtrl() const { return m_pReportControl; }
    // Brings the entries in line with the hidden columns; FALSE without a
    // bound control or window.
    BOOL UpdateList();
    // The entry of the column with this item index, searched from the last; -1 when none.
    int FindItemData(int nItemIndex) const;
    CLVKReportColumn* GetItemColumn(int nEntry) const;
    CString GetItemText(int nEntry) const;

    // Entries in caption order (case-insensitive) instead of column order.
    BOOL m_bSortedBySelf = FALSE;

private:
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetItemData(int nEntry) const { return static_cast<int>(SendMessage(LB_GETITEMDATA, nEntry)); }

    CLVKReportControl* m_pReportControl = nullptr;
};
