// The ways in which the toolkit's scroll bars differ in geometry and
// tracking: the control bars (which stand in for the platform's bar and
// read a SCROLLINFO as it does) and the markup bar (which its scroll viewer
// feeds with ranges it computed itself). Each field says why each bar wants
// its value; the defaults are the control bar's.
#pragma once

#include "Framework.h"

struct CLVKScrollBarOptions
{
    static const int kSystemArrowLength = -1;

    // The length of an arrow along the bar; kSystemArrowLength takes the
    // system's scroll-arrow metric. The control bar takes its paint manager's
    // metric (themes may draw other arrows); the markup bar the system's.
    int nArrowLength = kSystemArrowLength;

    // Above 0 every thumb is this long whatever the page, and while not 0 a
    // dragged thumb follows the cursor however far it strays instead of
    // snapping back. Control-bar themes with thumbs of one size set it; the
    // markup bar never does.
    int nFixedThumbLength = 0;

    // A proportional thumb is at least half an arrow and at least this long.
    // The control bar keeps the platform's half arrow, which its themes'
    // pictures are drawn for; the markup bar scrolls documents that may be
    // very long and keeps its thumb large enough to grab (16).
    int nMinThumbLength = 0;

    // The range nMax + 1 - nMin in 32-bit unsigned arithmetic, as the
    // platform's bar reads it: a maximum below the minimum reads as the
    // largest range, the whole int span wraps round to none. The control bar
    // reads its record as the bar it replaces; the markup bar's viewer
    // computes its ranges itself, so the range is kept within [0, INT_MAX].
    BOOL bWrapRange = TRUE;

    // A page above INT_MAX (a negative page cast to UINT) is no page for the
    // control bar, as for the platform's; the markup bar lets it cover the
    // range like any page larger than the range.
    BOOL bNegativePageIsNone = TRUE;

    // The position is moved into [nMin, nMax], as the platform's bar keeps
    // it. The markup viewer's positions are always in range; the markup bar
    // keeps its thumb in the track instead (bKeepThumbInTrack).
    BOOL bClampPosition = TRUE;

    // When nothing scrolls (the page covers the range) the control bar's
    // thumb starts one pixel before the track, where its paint managers have
    // always found it; the markup bar's starts at the track.
    BOOL bFullThumbOnePixelEarly = TRUE;

    // The thumb never starts outside its travel and the travel is never
    // negative. The markup bar draws its thumb itself and must never draw it
    // over an arrow; the control bar's paint manager hides a thumb that
    // reaches past the track, so it keeps the unclamped place.
    BOOL bKeepThumbInTrack = FALSE;

    // A press on a thumb that fills the track (so cannot be dragged) still
    // records the pressed part in nHitPart. The control bar's painters then
    // show that part hot; the markup bar keeps the part it had.
    BOOL bHitPartOnUndraggablePress = TRUE;

    // A dragged thumb ends when the left button is up, read already at the
    // press. The control bar's press is a real button press; the markup bar's
    // may be relayed by its host before the key state shows the button down,
    // so it reads the button from the first move on.
    BOOL bButtonStateAtPress = TRUE;

    // The drag takes the capture again after the first SB_THUMBTRACK: the
    // control bar's owner may take it while answering (focusing a window).
    // The markup bar's capture is an element's, given by the markup context,
    // and is not taken back from an element the viewer gave it to.
    BOOL bRecaptureAfterFirstTrack = TRUE;

    // The tracking state is gone before SB_THUMBPOSITION and SB_ENDSCROLL are
    // sent. The markup viewer lays out again when told the final position,
    // and its bar computes its geometry afresh only when no drag holds it;
    // the control bar's owner may still ask the dragged position
    // (SIF_TRACKPOS) while it handles those commands.
    BOOL bStateClearedBeforeEndCommands = FALSE;

    // The timer on which the owner steps a smooth-scrolling animation while
    // and after the loop runs; 0: none, and such timer messages are handled
    // like any other. Only the control bar animates.
    UINT_PTR nSmoothScrollTimer = 0;

    // The control bars' options without a paint manager's metrics.
    static CLVKScrollBarOptions ForControlBar() { return CLVKScrollBarOptions(); }
    static CLVKScrollBarOptions ForMarkupBar()
    {
        CLVKScrollBarOptions options;
        options.nMinThumbLength = kMarkupMinThumbLength;
        options.bWrapRange = FALSE;
        options.bNegativePageIsNone = FALSE;
        options.bClampPosition = FALSE;
        options.bFullThumbOnePixelEarly = FALSE;
        options.bKeepThumbInTrack = TRUE;
        options.bHitPartOnUndraggablePress = FALSE;
        options.bButtonStateAtPress = FALSE;
        options.bRecaptureAfterFirstTrack = FALSE;
        options.bStateClearedBeforeEndCommands = TRUE;
        return options;
    }

    static const int kMarkupMinThumbLength = 16;
};
