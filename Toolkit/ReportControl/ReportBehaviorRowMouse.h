// The two buttons at one moment of a click (down or up).
#pragma once

#include "ReportBehaviorRowMouseButton.h"

class CLVKReportBehaviorRowMouse : public CLVKCmdTarget
{
public:
    explicit CLVKReportBehaviorRowMouse(int nEvent) : Left(1, nEvent), Right(3, nEvent) {}

    CLVKReportBehaviorRowMouseButton Left;
    CLVKReportBehaviorRowMouseButton Right;
};
