// What the report control's source files share privately: the window
// class name, its private message and timers, and the row classes it
// allocates in batches.
#pragma once

#include "ReportBatchAllocator.h"
#include "ReportGroupRow.h"
#include "ReportRecord.h"
#include "ReportRecords.h"
#include "ReportRow.h"

namespace
{
const wchar_t kReportClassName[] = L"LVKReport";
// Posted when the control gets the focus back while a cell still shows its
// in-place buttons.
const UINT kMsgEndStaleEditing = WM_USER + 0x2A1;
// Delayed editing: the timer that opens the cell clicked twice, and the one
// that forgets it again.
const UINT_PTR kTimerDelayEdit = 20;
const UINT_PTR kTimerDelayEditReset = 10;

// Drops the parsed captions of every item of the records and their children,
// so that they are parsed again (as markup or plain text) with the context
// the records now find.
inline void ResetRecordsMarkup(CLVKReportRecords* pRecords)
{
    if (!pRecords || pRecords->IsVirtualMode())
        return;
    for (int i = 0; i < pRecords->GetCount(); i++)
    {
        CLVKReportRecord* pRecord = pRecords->GetAt(i);
        if (!pRecord)
            continue;
        pRecord->ResetMarkupUIElements();
        if (pRecord->HasChildren())
            ResetRecordsMarkup(pRecord->GetChilds());
    }
}

class CLVKReportRow_Batch : public CLVKBatchAllocObjT<CLVKReportRow, CLVKReportRowBatchManager>
{
};

class CLVKReportGroupRow_Batch : public CLVKBatchAllocObjT<CLVKReportGroupRow, CLVKReportGroupRowBatchManager>
{
};

class CLVKReportHeaderFooterRow : public CLVKHeapObjectT<CLVKReportRow, CLVKReportAllocatorDefault>
{
};
}  // namespace
