// The controls of one cell, in order; holds one reference to each.
#pragma once

#include "ArrayT.h"
#include "ReportRecordItemControl.h"

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

private:
    void ForgetInOwner(CLVKReportRecordItemControl* pControl);

    CLVKReportRecordItem* m_pRecordItem = nullptr;
};
