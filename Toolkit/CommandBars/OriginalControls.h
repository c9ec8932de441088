// CLVKOriginalControls: a snapshot of a bar's controls taken before the user
// customises them; it tells whether the bar was changed and resets it.
#pragma once

#include "CommandBars/Controls.h"

class CLVKOriginalControls : public CLVKControls
{
    DECLARE_DYNCREATE(CLVKOriginalControls)

public:
    CLVKOriginalControls() { m_bOriginal = TRUE; }
};
