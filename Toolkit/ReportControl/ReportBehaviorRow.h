// The row switches of a button press and of its release.
#pragma once

#include "ReportBehaviorRowMouse.h"

class CLVKReportBehaviorRow : public CLVKCmdTarget
{
public:
    CLVKReportBehaviorRow() : MouseDown(0), MouseUp(1) {}

    CLVKReportBehaviorRowMouse MouseDown;
    CLVKReportBehaviorRowMouse MouseUp;
};
