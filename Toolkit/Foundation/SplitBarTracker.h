// Tracks the drag of a split bar with the mouse: draws the bar inverted (or
// as a translucent layered window on the desktop) and moves it within the
// bounds until the button is released or Esc cancels.
#pragma once

#include "Framework.h"

class CLVKSplitBarTracker
{
public:
    CLVKSplitBarTracker(BOOL bInvert = FALSE, BOOL bOnDesktop = TRUE);
    virtual ~CLVKSplitBarTracker();

    // rcTracker (screen coordinates) holds the final place when TRUE is
    // returned; FALSE when cancelled.
    BOOL Track(HWND hWnd, const RECT& rcBounds, RECT& rcTracker, POINT ptStart, BOOL bHorizontal);
    void DrawTrackerRect(const RECT& rc);

    // Drawn and erased with the tracker when not empty.
    CRect m_rcExtra;

    CLVKSplitBarTracker(const CLVKSplitBarTracker&) = delete;
    CLVKSplitBarTracker& operator=(const CLVKSplitBarTracker&) = delete;

private:
    typedef BOOL(WINAPI* PFNSETLAYEREDWINDOWATTRIBUTES)(HWND, COLORREF, BYTE, DWORD);

    BOOL CreateLayeredWindow();
    void EndSurface();

    HDC m_hDC = nullptr;
    BOOL m_bInvert;
    HWND m_hSurface = nullptr;
    BOOL m_bOnDesktop;
    BOOL m_bLocked = FALSE;
    HWND m_hLayeredWnd = nullptr;
    HBRUSH m_hHalftoneBrush = nullptr;
    PFNSETLAYEREDWINDOWATTRIBUTES m_pfnSetLayeredWindowAttributes = nullptr;
};
