// What every in-place editor window knows of the cell it edits: the control,
// row, column and item (the row, column and item held with one reference
// each while editing) and the cell rectangle.
#pragma once

#include "ReportDefines.h"

class CLVKReportInplaceControl : public LVK_REPORTRECORDITEM_ARGS
{
public:
    CLVKReportInplaceControl() = default;
    ~CLVKReportInplaceControl() override;
    CLVKReportInplaceControl(const CLVKReportInplaceControl&) = delete;
    CLVKReportInplaceControl& operator=(const CLVKReportInplaceControl&) = delete;

    // Copies a new editing context (taking references) or, with null,
    // releases the current one.
    void SetItemArgs(const LVK_REPORTRECORDITEM_ARGS* pArgs);
    // A copy of the context for calls that may clear it.
    LVK_REPORTRECORDITEM_ARGS GetItemArgs() const;
};
