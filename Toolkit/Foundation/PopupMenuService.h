// Pop-up menus for the toolkit's controls. The controls lie below the command
// bars, which draw menus the toolkit's way; the command bars install their
// tracker here, and a program without them gets the platform's menu.
#pragma once

#include "Framework.h"

// Shows the menu at the screen point (x, y) with TrackPopupMenu's flags and
// runs it modally. Commands go to the owner as WM_COMMAND; with TPM_RETURNCMD
// the chosen id is returned instead (0 for none). nIDToolBar above 0 asks for
// the icons of that tool bar beside the items (a tracker may ignore it).
// bNoNotify adds TPM_NONOTIFY. FALSE when the menu cannot be shown.
using LVKPopupMenuTracker = BOOL(AFX_CDECL*)(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pOwner,
                                             UINT nIDToolBar, BOOL bNoNotify);

// Installs the tracker every control's menu goes through; null goes back to
// the platform's menu.
void AFX_CDECL LVKSetPopupMenuTracker(LVKPopupMenuTracker pTracker);
LVKPopupMenuTracker AFX_CDECL LVKGetPopupMenuTracker();

// Shows a control's menu through the installed tracker, or through the
// platform's TrackPopupMenuEx when none is installed.
BOOL AFX_CDECL LVKTrackPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pOwner, UINT nIDToolBar = 0,
                                 BOOL bNoNotify = FALSE);
