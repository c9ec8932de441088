// The plain text cell: its caption is formatted from a text value.
#pragma once

#include "ReportRecordItem.h"

class CLVKReportRecordItemText : public CLVKReportRecordItem
{
    DECLARE_DYNCREATE(CLVKReportRecordItemText)

public:
    explicit CLVKReportRecordItemText(LPCWSTR lpszText = L"");

    CString GetCaption(CLVKReportColumn* pColumn = nullptr) override;
    const CString* GetCaptionRef(CLVKReportColumn* pColumn) override;
    void OnEditChanged(LVK_REPORTRECORDITEM_ARGS* pArgs, LPCWSTR lpszText) override;
    void DoPropExchange(CLVKPropExchange* pPX) override;

    // Stores the text; hyperlink markers in it become hyperlinks.
    void SetValue(LPCWSTR lpszText);
    const CString& GetValue() const { return m_strText; }

protected:
    CString m_strText;
};
