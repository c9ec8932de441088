// CLVKControlButton: the plain push button of command bars (control type 1),
// the most common control. In a popup it executes on release, elsewhere it
// runs the click-tracking loop and executes when the press ends inside it.
#pragma once

#include "CommandBars/Control.h"

class CLVKControlButton : public CLVKControl
{
    DECLARE_DYNCREATE(CLVKControlButton)

public:
    CLVKControlButton();

    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
    void OnLButtonUp(CPoint pt) override;
    CLVKControl* Clone(BOOL bRecursive) override;
};
