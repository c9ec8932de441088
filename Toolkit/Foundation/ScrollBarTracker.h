// CLVKScrollBarTracker: the mouse-tracking loop of one scroll bar. A press
// on an arrow or a page area scrolls at once and repeats while the button is
// held on that part (a first pause, then faster); a press on the thumb drags
// it, snapping back when the cursor strays too far from the bar. The loop
// ends when the button comes up, the capture goes, the window goes or the
// thread quits. Its owner (the bar) moves nothing itself: it is told the
// scroll commands through CLVKScrollBarTrackerOwner.
#pragma once

#include "Foundation/ScrollBarGeometry.h"
#include "Foundation/ScrollBarTrackerOwner.h"

class CLVKScrollBarTracker
{
public:
    static const UINT_PTR kAutoRepeatTimer = 23345;

    explicit CLVKScrollBarTracker(CLVKScrollBarTrackerOwner& owner) : m_owner(owner) {}
    // Tells a loop still running (the owner deleted inside one of its
    // commands) to touch nothing of its owner any more.
    ~CLVKScrollBarTracker();
    CLVKScrollBarTracker(const CLVKScrollBarTracker&) = delete;
    CLVKScrollBarTracker& operator=(const CLVKScrollBarTracker&) = delete;

    // Runs the loop for a press at pt (the bar's coordinates) on the bar of
    // the geometry inside hWnd, and returns once it has ended; bDirect (the
    // press with Shift) drags the thumb from a page area centred on the
    // cursor. Without a window there is no mouse to follow: the press is all.
    // FALSE when nothing started: a loop already runs, or the press is on a
    // thumb that fills the track.
    BOOL Track(HWND hWnd, CLVKScrollBarGeometry& geometry, POINT pt, BOOL bDirect,
               const CLVKScrollBarOptions& options);
    // Ends the loop as the button's release does: the final commands go out.
    void EndTracking();

    BOOL IsTracking() const { return m_bTracking; }
    // The state of the running loop; null when none runs.
    const CLVKScrollBarTrackState* GetTrackState() const { return m_bTracking ? &m_state : nullptr; }
    // The delay of the repeat timer set last (0 before any).
    int GetAutoRepeatInterval() const { return m_nAutoRepeatInterval; }

private:
    // Each one returns FALSE when the owner was deleted during a command it
    // sent; the caller then returns at once, touching no member.
    BOOL TrackBox(UINT message, POINT pt);
    BOOL TrackThumb(UINT message, POINT pt);
    BOOL MoveThumbTo(int nPixel);
    BOOL OnAutoRepeatTimer();
    BOOL End();
    BOOL Send(int nCode, int nPos);
    // The press, the loop after it and the end; FALSE when the owner went.
    BOOL Run(HWND hWnd, CLVKScrollBarGeometry& geometry, POINT pt, BOOL bDirect, BOOL bDrag, int nPart, int nCommand,
             const RECT& rcPart);
    BOOL RunLoop(HWND hWnd);
    BOOL RunSmoothScrollLoop(HWND hWnd);
    void Finish(HWND hWnd);
    void StartRepeatTimer(UINT nInterval);
    void KillRepeatTimer(HWND hWnd);

    CLVKScrollBarTrackerOwner& m_owner;
    CLVKScrollBarOptions m_options;
    CLVKScrollBarTrackState m_state;
    BOOL m_bTracking = FALSE;
    BOOL m_bEnded = FALSE;  // the release (or EndTracking) sent the final commands
    int m_nAutoRepeatInterval = 0;
    // On the running loop's stack: set when this tracker is destroyed, and
    // read only through a copy of the pointer taken before each command.
    bool* m_pbOwnerGone = nullptr;
};
