// CLVKScrollBarThemeResource: the scroll bar drawn from the pictures of the
// loaded resource theme, in their light form or, for the dark scroll-bar
// style, their dark form. Without a loaded theme it draws nothing; a part
// whose picture is missing is left out, and without the arrow glyphs or the
// track picture the whole bar is.
#pragma once

#include "Controls/ScrollBarPaintManager.h"

class CLVKResourceImage;

class CLVKScrollBarThemeResource : public CLVKScrollBarPaintManager
{
public:
    void DrawScrollBar(CDC* pDC, CLVKScrollBase* pScroll) override;

    void DrawBackgroundHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawBackgroundVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawArrowButtonsHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawArrowButtonsVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawArrowGlyphsHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawArrowGlyphsVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawTrackHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawTrackVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawThumbHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawThumbVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawSizeBox(CDC* pDC, CLVKScrollBase* pScroll) override;

    // The row of the arrow-button picture for a part: 3 pressed, 2 hot,
    // 1 another part of the bar hot or pressed, 0 otherwise or disabled.
    int GetPartState(int nPart) const;

private:
    // The picture of the light or dark name; the dark one falls back to the
    // light one when bFallBack.
    CLVKResourceImage* Picture(LPCWSTR lpszLight, LPCWSTR lpszDark, BOOL bFallBack) const;
    // The background, whose second row is a pressed page area.
    CLVKResourceImage* TrackPicture(BOOL bVertical) const;
    void DrawBackground(CDC* pDC, BOOL bVertical);
    void DrawArrowButtons(CDC* pDC, BOOL bVertical);
    void DrawArrowGlyphs(CDC* pDC, BOOL bVertical);
    void DrawTrack(CDC* pDC, BOOL bVertical, const CLVKScrollBarPartRects& parts);
    void DrawThumb(CDC* pDC, BOOL bVertical, const CLVKScrollBarPartRects& parts);

    // The state of the bar being drawn, stored at each draw.
    BOOL m_bDark = FALSE;
    BOOL m_bEnabled = FALSE;
    int m_nPressedPart = LVK_HTSCROLLNONE;
    int m_nHotPart = LVK_HTSCROLLNONE;
    int m_nThumbLength = 0;
    int m_nThumbOffset = 0;
    CRect m_rcBar;         // the bar as the logic has it
    CRect m_rcInner;       // inset by 1 pixel across the axis
    CRect m_rcFirstArrow;  // from the inset bar
    CRect m_rcSecondArrow;
};
