// Captures a window as the screen shows it into a 32-bit RGBA PNG.
#pragma once

#include <windows.h>

// FALSE when the window could not be read or the file not written. With
// bScreen the picture is the screen over the window's rectangle, with the
// windows that stand above it (open menus, floating bars); else the window's
// own drawing.
BOOL SaveWindowShot(HWND hWnd, LPCWSTR lpszPath, BOOL bScreen = FALSE);
