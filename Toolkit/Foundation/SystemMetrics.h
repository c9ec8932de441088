// A few system metrics the frame and ribbon painters ask for on every paint,
// read once per process.
#pragma once

#include "Framework.h"

struct LVKSystemMetrics
{
    LVKSystemMetrics();

    int m_cyBorder = 0;
    int m_cyCaption = 0;
    int m_cyFrame = 0;
    int m_cxSmIcon = 0;
    int m_cySmIcon = 0;
};

LVKSystemMetrics* AFX_CDECL GetCachedSystemMetrics();
