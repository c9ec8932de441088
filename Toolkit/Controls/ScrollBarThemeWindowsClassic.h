// CLVKScrollBarThemeWindowsClassic: the classic look, drawn with the
// platform's frame controls and the owner's scroll-bar brush.
#pragma once

#include "Controls/ScrollBarPaintManager.h"

class CLVKScrollBarThemeWindowsClassic : public CLVKScrollBarPaintManager
{
public:
    void DrawArrowButtonsHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawArrowButtonsVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawTrackHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawTrackVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawSizeBox(CDC* pDC, CLVKScrollBase* pScroll) override;

protected:
    void DrawClassicArrows(CDC* pDC, const CLVKScrollBarPartRects& parts, BOOL bVertical);
    // The track in the owner's scroll-bar brush, a pressed page area
    // inverted, and the thumb when bWithThumb.
    void DrawClassicTrack(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts, BOOL bWithThumb);
};
