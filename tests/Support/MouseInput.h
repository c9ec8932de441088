#pragma once
// Real mouse input for tests that need the system's own button state and
// message points (posted mouse messages carry neither and bypass the hooks).
#include <windows.h>

// Moves the pointer to an absolute screen point through SendInput, with the
// given button flags (0 for a plain move).
void SendMouseAt(POINT ptScreen, DWORD dwFlags);

// Puts the pointer at a screen point with SetCursorPos and waits until the
// system keeps reporting it there: Wine may report a moved pointer late, or
// hand back an earlier place, and code that reads the pointer (tracking
// loops, timers, TrackMouseEvent, hit tests of messages without a point) must
// see it where the test says it is. A point outside the screen or the
// pointer's clip rectangle is awaited where the system puts it, at the edge.
// False when the pointer did not settle within the limit of a hung test.
bool MoveCursorAndWait(POINT ptScreen);

// Puts the pointer at a client point of the window and waits until the
// system first reports it there (no settling): tests that move the pointer
// inside a tracking loop use this, as the loop's own timers would run between
// the repeated reads of a settling wait. False when it was not reported there
// within the limit of a hung test.
bool SetCursorAndWait(HWND hWnd, int x, int y);
