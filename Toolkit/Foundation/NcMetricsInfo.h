// The system's non-client metrics (caption, menu, status and message fonts
// and sizes), read when the object is made.
#pragma once

#include "Framework.h"

class CLVKNcMetricsInfo : public NONCLIENTMETRICSW
{
public:
    CLVKNcMetricsInfo()
    {
        NONCLIENTMETRICSW& metrics = *this;
        metrics = NONCLIENTMETRICSW{};
        // The size without iPaddedBorderWidth: systems before Vista refuse
        // the larger record.
        cbSize = 504;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, cbSize, &metrics, 0);
    }
};
