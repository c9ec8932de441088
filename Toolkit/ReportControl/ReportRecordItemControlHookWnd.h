// An invisible child of the report control that holds the mouse capture while
// a control inside a cell is pressed, and hands the mouse back to the cell.
#pragma once

#include "ReportDefines.h"

class CLVKReportRecordItemControlHookWnd : public CWnd
{
public:
    explicit CLVKReportRecordItemControlHookWnd(LVK_REPORTRECORDITEM_CLICKARGS* pClickArgs);
    ~CLVKReportRecordItemControlHookWnd() override;

    BOOL Create(const RECT& rect);
    LVK_REPORTRECORDITEM_CLICKARGS& GetClickArgs() { return m_clickArgs; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The window's end ends the object: the cell only destroys the window.
    void PostNcDestroy() override { delete this; }

private:
    LVK_REPORTRECORDITEM_CLICKARGS m_clickArgs;
};
