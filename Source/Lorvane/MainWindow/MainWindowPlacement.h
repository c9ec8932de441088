#pragma once

#include "Framework.h"

// Where the main window opens and which rectangle is saved of it when it
// closes, both in screen coordinates, so that a saved window comes back where
// it was. The platform's monitor and placement queries are virtual: a test
// gives work areas that do not start at (0, 0), which its display lacks.
class CMainWindowPlacement
{
public:
    virtual ~CMainWindowPlacement() = default;

    // The window rectangle at start-up. saved is the saved rectangle (all 0:
    // none; no size: the saved position with the default size); current is
    // the window's size now, extraHeight what a window without a saved size
    // gets on top of it, minimum the smallest size the window may have.
    CRect GetStartRect(const CRect& saved, CSize current, int extraHeight, CSize minimum);

    // The window's normal (restored) rectangle in screen coordinates, also
    // while it is minimised or maximised; false when it cannot be read.
    bool GetSavedRect(HWND window, CRect& saved);

protected:
    // The work area of the primary monitor; false when it cannot be read.
    virtual bool GetPrimaryWorkArea(CRect& work);
    // The whole screen of the primary monitor.
    virtual CRect GetPrimaryScreen();
    // The monitor nearest to the rectangle and its work area; false when the
    // query fails.
    virtual bool GetNearestMonitor(const CRect& rect, CRect& monitor, CRect& work);
    // The window's normal position as the platform keeps it: in workspace
    // coordinates, which are relative to the work area of the window's
    // monitor for a window without WS_EX_TOOLWINDOW.
    virtual bool GetNormalPosition(HWND window, CRect& normal);
};
