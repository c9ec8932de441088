// CLVKScrollBarThemeOffice2000: classic arrows under a thin 3-D frame; the
// rest as the visual-style theme.
#pragma once

#include "Controls/ScrollBarThemeWindowsUx.h"

class CLVKScrollBarThemeOffice2000 : public CLVKScrollBarThemeWindowsUx
{
public:
    void DrawArrowButtonsHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawArrowButtonsVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;

private:
    void DrawFramedArrows(CDC* pDC, const CLVKScrollBarPartRects& parts, BOOL bVertical);
};
