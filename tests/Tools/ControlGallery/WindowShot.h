// Captures a window as the screen shows it into a 32-bit RGBA PNG.
#pragma once

#include <windows.h>

// FALSE when the window could not be read or the file not written. With
// bScreen the picture also shows the windows of the thread that stand above
// the window (open menus, floating bars), as the screen shows them.
BOOL SaveWindowShot(HWND hWnd, LPCWSTR lpszPath, BOOL bScreen = FALSE);
