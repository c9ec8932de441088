// The controls of one cell, in order; holds one reference to each.
#pragma once

#include "ArrayT.h"
#include "ReportRecordItemControl.h"

class CLVKReportRecordItemControlHookWnd;

class CLVKReportRecordItemControls : public CLVKArrayT<CLVKReportRecordItemControl*>
{
    DECLARE_DYNCREATE(CLVKReportRecordItemControls)

public:
    explicit CLVKReportRecordItemControls(CLVKReportRecordItem* pItem = nullptr);
    ~CLVKReportRecordItemControls() override;

    virtual void DoPropExchange(CLVKPropExchange* pPX);
    void RemoveAt(int nIndex, int nCount = 1) override;
    virtual void CopyFrom(CLVKReportRecordItemControls* pSrc);
    virtual void RefreshIndexes(int nStartFrom = 0);
    void RemoveAll() override;

    // Takes over the caller's reference; an index outside the collection
    // appends. Null for a null control.
    CLVKReportRecordItemControl* AddControl(CLVKReportRecordItemControl* pControl, int nIndex = -1);

    // The cell's mouse state over its controls, kept here so that cells
    // without controls carry none of it: the hot (or pressed) control,
    // whether the pointer is over it while pressed, and the window that holds
    // the capture while it is pressed.
    CLVKReportRecordItemControl* m_pHotControl = nullptr;
    BOOL m_bPressedInside = FALSE;
    CLVKReportRecordItemControlHookWnd* m_pHookWnd = nullptr;

private:
    void ForgetInOwner(CLVKReportRecordItemControl* pControl);

    CLVKReportRecordItem* m_pRecordItem = nullptr;
};
