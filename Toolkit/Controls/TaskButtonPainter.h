// What the emulated task dialog's owner-drawn buttons (command links and the
// expando button) ask of the painter that draws them.
#pragma once

#include "Framework.h"

class CLVKTaskDialogButton;

class CLVKTaskButtonPainter
{
public:
    virtual ~CLVKTaskButtonPainter() = default;
    // Colours and metrics; again on system setting and colour changes.
    virtual void RefreshMetrics(CLVKTaskDialogButton& /*button*/) {}
    // nState: the ODS_ bits of the drawing request.
    virtual void DrawButton(HDC hDC, CLVKTaskDialogButton& button, const RECT& rc, UINT nState) = 0;
};
