// One allowed value of a cell that is edited from a list: the caption shown,
// a value of the program's own and its position among the cell's values.
#pragma once

#include "ReportDefines.h"

class CLVKReportRecordItemConstraint : public CLVKCmdTarget
{
public:
    CLVKReportRecordItemConstraint() = default;

    const CString& GetCaption() const { return m_strConstraint; }
    void SetCaption(LPCWSTR lpszCaption) { m_strConstraint = lpszCaption; }
    DWORD_PTR GetData() const { return m_dwData; }
    void SetData(DWORD_PTR dwData) { m_dwData = dwData; }
    int GetIndex() const { return m_nIndex; }

private:
    CString m_strConstraint;
    DWORD_PTR m_dwData = 0;
    int m_nIndex = 0;

    friend class CLVKReportRecordItemConstraints;
};
