// CLVKScrollBarPaintManager: draws one scroll bar whose geometry the
// scroll-bar logic computed. The base splits the bar into part rectangles
// and calls one virtual per part; each theme fills those in.
#pragma once

#include "Controls/ScrollBase.h"

// The part rectangles of one bar, computed at each draw.
struct CLVKScrollBarPartRects
{
    BOOL bEnabled = FALSE;  // something to scroll, and the owner says enabled
    int nThumbLength = 0;   // 0 when disabled or when the thumb does not fit
    int nThumbOffset = 0;
    int nPressedPart = LVK_HTSCROLLNONE;  // only while the tracking loop runs
    int nHotPart = LVK_HTSCROLLNONE;      // only while it does not
    CRect rcBar;
    CRect rcFirstArrow;
    CRect rcSecondArrow;
    CRect rcTrack;
    CRect rcPageBefore;
    CRect rcThumb;
    CRect rcPageAfter;
};

class CLVKScrollBarPaintManager
{
public:
    CLVKScrollBarPaintManager();
    virtual ~CLVKScrollBarPaintManager() = default;

    virtual void DrawScrollBar(CDC* pDC, CLVKScrollBase* pScroll);
    virtual void RefreshMetrics();

    virtual void DrawBackgroundHorz(CDC*, CLVKScrollBase*, const CLVKScrollBarPartRects&) {}
    virtual void DrawBackgroundVert(CDC*, CLVKScrollBase*, const CLVKScrollBarPartRects&) {}
    virtual void DrawArrowButtonsHorz(CDC*, CLVKScrollBase*, const CLVKScrollBarPartRects&) {}
    virtual void DrawArrowButtonsVert(CDC*, CLVKScrollBase*, const CLVKScrollBarPartRects&) {}
    virtual void DrawArrowGlyphsHorz(CDC*, CLVKScrollBase*, const CLVKScrollBarPartRects&) {}
    virtual void DrawArrowGlyphsVert(CDC*, CLVKScrollBase*, const CLVKScrollBarPartRects&) {}
    virtual void DrawTrackHorz(CDC*, CLVKScrollBase*, const CLVKScrollBarPartRects&) {}
    virtual void DrawTrackVert(CDC*, CLVKScrollBase*, const CLVKScrollBarPartRects&) {}
    virtual void DrawThumbHorz(CDC*, CLVKScrollBase*, const CLVKScrollBarPartRects&) {}
    virtual void DrawThumbVert(CDC*, CLVKScrollBase*, const CLVKScrollBarPartRects&) {}
    virtual void DrawSizeBox(CDC*, CLVKScrollBase*) {}

    // The part rectangles and part states of a bar as its logic has it now.
    static void CalcPartRects(const CLVKScrollBase* pScroll, CLVKScrollBarPartRects& parts);

    int m_cxHScroll = 0;  // horizontal-arrow width
    int m_cyHScroll = 0;  // horizontal-bar height
    int m_cxVScroll = 0;  // vertical-bar width
    int m_cyVScroll = 0;  // vertical-arrow height
    int m_nFixedThumbLength = 0;
    COLORREF m_clrA = 0;
    COLORREF m_clrB = 0;
    COLORREF m_clrLightEdge = 0;
    COLORREF m_clrDarkEdge = 0;
    COLORREF m_clrFace = 0;

    CLVKScrollBarPaintManager(const CLVKScrollBarPaintManager&) = delete;
    CLVKScrollBarPaintManager& operator=(const CLVKScrollBarPaintManager&) = delete;
};
