// The toolkit's replacement for the platform's TrackPopupMenu: shows a menu
// as a command-bar popup and runs it modally.
#pragma once

#include "Framework.h"

// Shows the menu at the screen point (x, y) with TrackPopupMenu's flags
// (TPM_RIGHTALIGN, TPM_BOTTOMALIGN, TPM_RIGHTBUTTON, TPM_NONOTIFY,
// TPM_RETURNCMD). Commands go to the owner window as WM_COMMAND; with
// TPM_RETURNCMD the chosen id is returned instead (0 for none). With a
// tool-bar resource id above 0 the items get the icons of that tool bar.
// FALSE when the menu cannot be shown.
BOOL AFX_CDECL TrackToolkitPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pOwner, UINT nIDToolBar = 0,
                                     BOOL bNoNotify = FALSE);

// Makes the toolkit's controls (edits, tray icons, ...) show their menus as
// command-bar popups. The command bars call it when they are made; calling it
// again does nothing.
void AFX_CDECL InstallToolkitPopupMenu();
