// Which notifications the control sends around populating, selecting and
// expanding rows.
#pragma once

#include "ReportDefines.h"

class CLVKReportNotificationsPopulate : public CLVKCmdTarget
{
public:
    BOOL bFocusChanging = FALSE;
    BOOL bSelectionChanging = FALSE;
    // At the end of a populate that changed the selection.
    BOOL bSelectionChanged = FALSE;
};

class CLVKReportNotificationsSelectedRows : public CLVKCmdTarget
{
public:
    BOOL bSelectionChanging = FALSE;
    BOOL bSelectionChanged = FALSE;
    BOOL bRangeSelected = FALSE;
};

class CLVKReportNotificationsRow : public CLVKCmdTarget
{
public:
    // Passed as the notify argument when a section expands or collapses all rows.
    BOOL bRowExpanded = TRUE;
};

class CLVKReportNotifications : public CLVKCmdTarget
{
public:
    CLVKReportNotificationsPopulate Populate;
    CLVKReportNotificationsSelectedRows SelectedRows;
    CLVKReportNotificationsRow Row;
};
