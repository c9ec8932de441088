// The preview text of a record: drawn under the record's cells across the
// whole row while the control shows previews, word-wrapped or as markup.
#pragma once

#include "ReportRecordItem.h"

class CLVKReportRecordItemPreview : public CLVKReportRecordItem
{
    DECLARE_DYNCREATE(CLVKReportRecordItemPreview)

public:
    explicit CLVKReportRecordItemPreview(LPCWSTR lpszPreviewText = L"");

    // Stores the text and parses it as markup when the control has a context.
    virtual void SetPreviewText(LPCWSTR lpszText);
    virtual CString GetPreviewText() { return m_strPreviewText; }
    // The height the text needs under a row of the given width; 0 for no text.
    virtual int GetPreviewHeight(CDC* pDC, CLVKReportRow* pRow, int nWidth);

    CString GetCaption(CLVKReportColumn* pColumn = nullptr) override;
    const CString* GetCaptionRef(CLVKReportColumn* /*pColumn*/) override { return &m_strPreviewText; }
    void SetCaptionText(LPCWSTR lpszCaption) override { SetPreviewText(lpszCaption); }
    BOOL IsPreviewItem() const override { return TRUE; }
    void GetCaptionRect(LVK_REPORTRECORDITEM_ARGS* pArgs, RECT& rcItem) override;
    void GetItemMetrics(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, LVK_REPORTRECORDITEM_METRICS* pMetrics) override;
    void OnDrawCaption(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, LVK_REPORTRECORDITEM_METRICS* pMetrics) override;
    void OnBeginEdit(LVK_REPORTRECORDITEM_ARGS* pArgs) override;
    void OnEditChanged(LVK_REPORTRECORDITEM_ARGS* pArgs, LPCWSTR lpszText) override;
    void DoPropExchange(CLVKPropExchange* pPX) override;

protected:
    CString m_strPreviewText;
};
