// CLVKScrollBarThemeVisualStudio2012: a flat bar with glyph arrows and a
// slim thumb; scroll-bar style 9 is the dark variant, every other the light.
#pragma once

#include "Controls/ScrollBarPaintManager.h"

class CLVKScrollBarThemeVisualStudio2012 : public CLVKScrollBarPaintManager
{
public:
    struct Colors
    {
        COLORREF clrBackground;
        COLORREF clrArrowDisabled;
        COLORREF clrArrowNormal;
        COLORREF clrArrowHot;
        COLORREF clrArrowPressed;
        COLORREF clrThumbNormal;
        COLORREF clrThumbHot;
        COLORREF clrThumbPressed;
    };

    void DrawScrollBar(CDC* pDC, CLVKScrollBase* pScroll) override;
    void DrawArrowButtonsHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawArrowButtonsVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawArrowGlyphsHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawArrowGlyphsVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawTrackHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawTrackVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawThumbHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawThumbVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawSizeBox(CDC* pDC, CLVKScrollBase* pScroll) override;

    // The colours of the bar being drawn.
    virtual Colors GetColors(const CLVKScrollBase* pScroll) const;

protected:
    void DrawGlyphs(CDC* pDC, const CLVKScrollBarPartRects& parts, BOOL bVertical);
    void DrawThumb(CDC* pDC, const CLVKScrollBarPartRects& parts, BOOL bVertical);

    // Per-draw state: one paint manager draws one bar at a time.
    int m_nPressedPart = LVK_HTSCROLLNONE;
    int m_nHotPart = LVK_HTSCROLLNONE;
    BOOL m_bEnabled = FALSE;
    int m_nThumbLength = 0;
    int m_nThumbOffset = 0;
    Colors m_colors = {};
};
