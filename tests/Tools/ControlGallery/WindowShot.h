// Captures a window as the screen shows it into a 32-bit RGBA PNG.
#pragma once

#include <windows.h>

// FALSE when the window could not be read or the file not written.
BOOL SaveWindowShot(HWND hWnd, LPCWSTR lpszPath);
