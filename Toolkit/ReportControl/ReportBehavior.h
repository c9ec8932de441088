// How the control reacts to clicks on rows, as a tree of switches filled by
// a scheme code, and which notifications it sends.
#pragma once

#include "ReportBehaviorRow.h"
#include "ReportNotifications.h"

// The scheme codes SetScheme knows; codes of one group fill the same switches.
// The default: a press focuses and selects, Ctrl and Shift extend the selection.
#define LVK_REPORT_BEHAVIOR_DEFAULT 0x20000000
// A press of the left button focuses and selects, Ctrl keeps the selection,
// Shift does nothing; these also fill the second row behaviour.
#define LVK_REPORT_BEHAVIOR_1100 0x00001100
#define LVK_REPORT_BEHAVIOR_1200 0x00001200
#define LVK_REPORT_BEHAVIOR_1400 0x00001400
// Either button focuses and selects at the press, which also clicks or opens
// the context menu; the modifiers do nothing.
#define LVK_REPORT_BEHAVIOR_PRESS_1100 0x10001100
#define LVK_REPORT_BEHAVIOR_PRESS_1200 0x10001200
#define LVK_REPORT_BEHAVIOR_PRESS_1400 0x10001400
// Like the default, but Ctrl with a left press selects without moving the
// focus, and a right release focuses and selects too.
#define LVK_REPORT_BEHAVIOR_1340 0x20001340
#define LVK_REPORT_BEHAVIOR_1341 0x20001341
#define LVK_REPORT_BEHAVIOR_1342 0x20001342
// Only the left button selects, without modifiers; a right release clicks.
#define LVK_REPORT_BEHAVIOR_1501 0x20001501
// Like 1340, but Ctrl with a left press only keeps the selection, and the
// right button focuses and selects under every modifier, pressed or released.
#define LVK_REPORT_BEHAVIOR_1502 0x20001502

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
