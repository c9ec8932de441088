// A push button inside a cell: pressed while the left button is held over
// it, and a click (notification -83) when released where it was pressed.
#pragma once

#include "ReportRecordItemControl.h"

class CLVKReportRecordItemButton : public CLVKReportRecordItemControl
{
    DECLARE_DYNCREATE(CLVKReportRecordItemButton)

public:
    explicit CLVKReportRecordItemButton(LPCWSTR lpszCaption = L"");

    void OnLButtonDown(LVK_REPORTRECORDITEM_CLICKARGS* pClickArgs) override;
    void OnLButtonUp(LVK_REPORTRECORDITEM_CLICKARGS* pClickArgs) override;
    int OnMouseEnter(UINT nFlags, POINT point) override;
    int OnMouseLeave(UINT nFlags, POINT point) override;
    int OnMouseMove(UINT nFlags, POINT point) override;
    void SetEnable(BOOL bEnable) override;

private:
    int RestingState() const { return m_bEnabled ? LVK_REPORT_BUTTON_NORMAL : LVK_REPORT_BUTTON_DISABLED; }

    int m_nPrevState = LVK_REPORT_BUTTON_NORMAL;
};
