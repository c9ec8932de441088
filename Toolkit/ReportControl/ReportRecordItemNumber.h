// A number cell: sorted and grouped by its value, shown through a
// floating-point format.
#pragma once

#include "ReportRecordItem.h"

class CLVKReportRecordItemNumber : public CLVKReportRecordItem
{
    DECLARE_DYNCREATE(CLVKReportRecordItemNumber)

public:
    explicit CLVKReportRecordItemNumber(double dValue = 0.0, LPCWSTR lpszFormat = L"%0.f");

    CString GetCaption(CLVKReportColumn* pColumn = nullptr) override;
    int Compare(CLVKReportColumn* pColumn, CLVKReportRecordItem* pItem) override;
    BOOL IsCaptionOrdered() const override { return FALSE; }
    void OnEditChanged(LVK_REPORTRECORDITEM_ARGS* pArgs, LPCWSTR lpszText) override;
    void DoPropExchange(CLVKPropExchange* pPX) override;

    void SetValue(double dValue) { m_dValue = dValue; }
    double GetValue() const { return m_dValue; }

protected:
    double m_dValue = 0.0;
};
