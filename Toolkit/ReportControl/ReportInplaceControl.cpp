#include "ReportInplaceControl.h"

#include "ReportColumn.h"
#include "ReportRecordItem.h"
#include "ReportRow.h"

CLVKReportInplaceControl::~CLVKReportInplaceControl()
{
    SetItemArgs(nullptr);
}

void CLVKReportInplaceControl::SetItemArgs(const LVK_REPORTRECORDITEM_ARGS* pArgs)
{
    // Take the new references before giving up the old ones: the new context
    // may name the same objects.
    if (pArgs)
    {
        if (pArgs->pRow)
            pArgs->pRow->InternalAddRef();
        if (pArgs->pColumn)
            pArgs->pColumn->InternalAddRef();
        if (pArgs->pItem)
            pArgs->pItem->InternalAddRef();
    }
    CLVKReportRow* pOldRow = pRow;
    CLVKReportColumn* pOldColumn = pColumn;
    CLVKReportRecordItem* pOldItem = pItem;
    pControl = pArgs ? pArgs->pControl : nullptr;
    pRow = pArgs ? pArgs->pRow : nullptr;
    pColumn = pArgs ? pArgs->pColumn : nullptr;
    pItem = pArgs ? pArgs->pItem : nullptr;
    rcItem = pArgs ? pArgs->rcItem : RECT{};
    if (pOldItem)
        pOldItem->InternalRelease();
    if (pOldColumn)
        pOldColumn->InternalRelease();
    if (pOldRow)
        pOldRow->InternalRelease();
}

LVK_REPORTRECORDITEM_ARGS CLVKReportInplaceControl::GetItemArgs() const
{
    LVK_REPORTRECORDITEM_ARGS args;
    args.pControl = pControl;
    args.pRow = pRow;
    args.pColumn = pColumn;
    args.pItem = pItem;
    args.rcItem = rcItem;
    return args;
}
