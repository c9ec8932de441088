// CLVKScrollBarArrowGlyph: an arrow of the toolkit's glyph font centred in a
// scroll-bar arrow button, for the themes that draw their own arrows.
#pragma once

#include "Framework.h"

class CLVKScrollBarArrowGlyph
{
public:
    enum Direction
    {
        directionLeft = 0,
        directionRight = 1,
        directionUp = 2,
        directionDown = 3
    };

    // clr -1: black when enabled, COLOR_BTNSHADOW when not. Nothing is drawn
    // in a rectangle whose smaller side is below 6 pixels at 96 DPI.
    static void Draw(CDC* pDC, const CRect& rc, int nDirection, BOOL bEnabled, COLORREF clr);
};
