// CLVKScrollBarThemeFlat: flat arrows and thumb with a one-pixel 3-D frame.
#pragma once

#include "Controls/ScrollBarThemeWindowsUx.h"

class CLVKScrollBarThemeFlat : public CLVKScrollBarThemeWindowsUx
{
public:
    CLVKScrollBarThemeFlat();

    void RefreshMetrics() override;
    void DrawArrowButtonsHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawArrowButtonsVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawArrowGlyphsHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawArrowGlyphsVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawTrackHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawTrackVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawThumbHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawThumbVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawSizeBox(CDC* pDC, CLVKScrollBase* pScroll) override;

protected:
    void DrawFlatArrows(CDC* pDC, const CLVKScrollBarPartRects& parts);
    void DrawFlatThumb(CDC* pDC, const CLVKScrollBarPartRects& parts);
};
