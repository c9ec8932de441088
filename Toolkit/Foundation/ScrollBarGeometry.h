// The computed parts of one scroll bar and the state of one tracking loop,
// shared by every scroll bar of the toolkit (the control bars, the markup
// bar), their painters and every owner that draws a scroll bar of its own.
#pragma once

#include "Foundation/ScrollBarOptions.h"

// Hit-part codes of a scroll bar.
#define LVK_HTSCROLLNONE 0
#define LVK_HTSCROLLUP 60
#define LVK_HTSCROLLDOWN 61
#define LVK_HTSCROLLUPPAGE 62
#define LVK_HTSCROLLDOWNPAGE 63
#define LVK_HTSCROLLTHUMB 64
#define LVK_HTSCROLLPOPUP 65

// "Along" is the bar's axis (y of a vertical bar, x of a horizontal one),
// "across" the other one.
struct CLVKScrollBarGeometry
{
    int nMin = 0;
    int nMax = 0;
    int nPage = 0;  // never negative
    int nPos = 0;   // within [nMin, nMax] when the options keep it there
    int nBarStart = 0;
    int nBarEnd = 0;
    int nAcrossStart = 0;
    int nAcrossEnd = 0;
    int nThumbLength = 0;
    int nFirstArrowEnd = 0;
    int nSecondArrowStart = 0;
    int nDragStartThumb = 0;  // the thumb start when the current drag began
    int nThumbEnd = 0;
    int nThumbStart = 0;
    int nPopupLimit = 0;  // 0: none; beyond it points hit the popup part
    int nThumbTravel = 0;
    int nTrackStart = 0;  // where the thumb stands at the minimum position
    RECT rcBar{};
    int nHitPart = LVK_HTSCROLLNONE;
    BOOL bVertical = TRUE;
};

struct CLVKScrollBarTrackState
{
    BOOL bCursorInPart = FALSE;
    RECT rcPart{};
    int nCommand = -1;  // SB_LINEUP .. SB_THUMBPOSITION for auto-repeat, -1 until chosen
    UINT_PTR nTimerId = 0;
    int nDragOffset = 0;
    int nThumbPixel = 0;
    int nDragPos = 0;      // the position last sent with SB_THUMBTRACK
    int nComputedPos = 0;  // the position last computed from the thumb pixel
    HWND hWndCapture = nullptr;
    BOOL bDragging = FALSE;
    CLVKScrollBarGeometry* pGeometry = nullptr;
    RECT rcDrag{};  // while the cursor is inside, the thumb follows it
};

// Computes arrows, track and thumb of a bar filling the rectangle for the
// range, page and position of the record. Keeps bVertical, nHitPart and
// nDragStartThumb as they are.
void AFX_CDECL CLVKScrollBarCalcGeometry(CLVKScrollBarGeometry& geometry, const RECT& rcBar, const SCROLLINFO& info,
                                         const CLVKScrollBarOptions& options);
// The part (LVK_HTSCROLL...) under a point in the bar's coordinates;
// LVK_HTSCROLLNONE outside the bar.
int AFX_CDECL CLVKScrollBarHitTest(const CLVKScrollBarGeometry& geometry, POINT pt);
// The rectangle that spans the bar across its axis from nFrom to nTo along it.
RECT AFX_CDECL CLVKScrollBarPartRect(const CLVKScrollBarGeometry& geometry, int nFrom, int nTo);
// The position for a thumb start pixel.
int AFX_CDECL CLVKScrollBarPosFromThumb(const CLVKScrollBarGeometry& geometry, int nPixel);
// The rectangle inside which a dragged thumb follows the cursor.
RECT AFX_CDECL CLVKScrollBarTrackRect(const CLVKScrollBarTrackState& state);
