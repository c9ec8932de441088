// How the control reacts to clicks on rows, as a tree of switches filled by
// a scheme code, and which notifications it sends.
#pragma once

#include "ReportBehaviorRow.h"
#include "ReportNotifications.h"

#define LVK_REPORT_BEHAVIOR_DEFAULT 0x20000000

class CLVKReportBehavior : public CLVKCmdTarget
{
public:
    explicit CLVKReportBehavior(int nScheme = LVK_REPORT_BEHAVIOR_DEFAULT);

    // Clears every switch of the first row behaviour and applies the preset of
    // the code; an unknown code leaves them all off.
    void SetScheme(int nScheme);
    int GetScheme() const { return m_nScheme; }

    CLVKReportBehaviorRow Row;
    // Filled by one preset only; nothing in this system reads it.
    CLVKReportBehaviorRow SecondRow;
    CLVKReportNotifications Notifications;

private:
    int m_nScheme = 0;
};
