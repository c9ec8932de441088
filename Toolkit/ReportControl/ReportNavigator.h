// Turns navigation keys into moves of the report control's focused row and
// column, across the header-record, body and footer-record rows.
#pragma once

#include "ReportDefines.h"

class CLVKReportNavigator : public CLVKCmdTarget
{
public:
    explicit CLVKReportNavigator(CLVKReportControl* pControl) : m_pReportControl(pControl) {}

    virtual void BeginEdit();
    virtual void MoveDown(BOOL bShiftKey, BOOL bControlKey);
    virtual void MoveNext(BOOL /*bShiftKey*/, BOOL /*bControlKey*/) {}
    virtual void MoveUp(BOOL bShiftKey, BOOL bControlKey);
    virtual void MovePrevious(BOOL /*bShiftKey*/, BOOL /*bControlKey*/) {}
    virtual void MovePageDown(BOOL bShiftKey, BOOL bControlKey);
    virtual void MovePageUp(BOOL bShiftKey, BOOL bControlKey);
    virtual void MoveLeftRight(BOOL bBack, BOOL bShiftKey, BOOL bControlKey);

    // Section 0 body, 1 header records, 2 footer records.
    void MoveFirstRow(int nSection);
    void MoveLastRow(int nSection);
    void MoveToFirstRow(BOOL bShiftKey, BOOL bControlKey);
    void MoveToLastRow(BOOL bShiftKey, BOOL bControlKey);
    void MoveToRow(int nIndex, BOOL bShiftKey, BOOL bControlKey);
    // The body row a page move lands on; -1 when nothing fits a page.
    int GetPageTargetIndex(BOOL bForward);
    void OnHeaderHidden(BOOL bShown);
    void OnFooterHidden(BOOL bShown);

protected:
    // The record section (1 header, 2 footer) is shown and its rows may take the focus.
    BOOL IsFocusable(int nSection) const;
    BOOL FocusRow(CLVKReportRow* pRow, BOOL bShiftKey, BOOL bControlKey, BOOL bEnsureVisible = TRUE);
    // Group rows keep neither the focus nor the selection when they are skipped.
    void DeselectGroupRows();
    BOOL Ctrl(BOOL bControlKey) const;
    CLVKReportSection* GetSection(int nSection) const;
    // Down or up by one row, across the header-record, body and footer-record
    // rows.
    void MoveVertically(BOOL bDown, BOOL bShiftKey, BOOL bControlKey);
    // Down or up by a page of body rows.
    void MoveByPage(BOOL bDown, BOOL bShiftKey, BOOL bControlKey);

    CLVKReportControl* m_pReportControl = nullptr;
};
