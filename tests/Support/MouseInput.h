#pragma once
// Real mouse input for tests that need the system's own button state and
// message points (posted mouse messages carry neither and bypass the hooks).
#include <windows.h>

// Moves the pointer to an absolute screen point through SendInput, with the
// given button flags (0 for a plain move).
void SendMouseAt(POINT ptScreen, DWORD dwFlags);

// Moves the pointer to a client point of the window with SetCursorPos and
// waits (at most a second) until the system reports it there: Wine may
// report a moved cursor late, and code that reads the cursor (tracking loops,
// TrackMouseEvent, hit tests of messages without a point) must see it where
// the test's mouse messages say it is.
void SetCursorAndWait(HWND hWnd, int x, int y);
