// What the scroll-bar tracking loop needs of the bar it runs for. Each bar
// (the control bars' logic, the markup bar) implements it; the defaults fit
// a bar that is a window of its own or fills a part of one.
#pragma once

#include "Framework.h"

class CLVKScrollBarTrackerOwner
{
public:
    virtual ~CLVKScrollBarTrackerOwner() = default;

    // A scroll command (SB_LINEUP .. SB_ENDSCROLL) for whoever moves the
    // position: the bar never moves its own. While answering, the owner may
    // destroy the bar's window, or the bar itself.
    virtual void OnTrackerScroll(int nCode, int nPos) = 0;
    // The pressed part or the thumb's place changed.
    virtual void OnTrackerRedraw() = 0;
    // The part (LVK_HTSCROLL...) under a point in the bar's coordinates; asked
    // when the loop ends, so that the part under the cursor shows hot.
    virtual int TrackerHitTest(POINT ptBar) const = 0;

    // The mouse capture of the loop. A bar inside someone else's window
    // captures as that one wants.
    virtual void OnTrackerCapture(HWND hWnd) { ::SetCapture(hWnd); }
    virtual BOOL TrackerHasCapture(HWND hWnd) const { return ::GetCapture() == hWnd; }
    virtual void OnTrackerReleaseCapture(HWND hWnd)
    {
        if (::GetCapture() == hWnd)
            ::ReleaseCapture();
    }
    // A screen point in the bar's coordinates: the window's client
    // coordinates unless the bar fills only a part of it.
    virtual POINT TrackerScreenToBar(HWND hWnd, POINT pt) const
    {
        ::ScreenToClient(hWnd, &pt);
        return pt;
    }
    // Where the cursor is now, in screen coordinates (the auto-repeat step
    // and the end of tracking ask); a test hands in a position of its own.
    virtual POINT GetCursorScreenPos() const
    {
        POINT pt{};
        ::GetCursorPos(&pt);
        return pt;
    }

    // A tick of the smooth-scrolling timer (CLVKScrollBarOptions::
    // nSmoothScrollTimer), and whether an animation still runs after the
    // button came up.
    virtual void OnTrackerSmoothScrollTimer() {}
    virtual BOOL IsTrackerSmoothScrolling() const { return FALSE; }
};
