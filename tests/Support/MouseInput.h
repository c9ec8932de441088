#pragma once
// Real mouse input for tests that need the system's own button state and
// message points (posted mouse messages carry neither and bypass the hooks).
#include <windows.h>

// Moves the pointer to an absolute screen point through SendInput, with the
// given button flags (0 for a plain move).
void SendMouseAt(POINT ptScreen, DWORD dwFlags);

// Puts the pointer at a screen point with SetCursorPos and waits (at most two
// seconds) until the system keeps reporting it there: Wine may report a moved
// pointer late, or hand back an earlier place, and code that reads the pointer
// (tracking loops, timers, TrackMouseEvent, hit tests of messages without a
// point) must see it where the test says it is.
void MoveCursorAndWait(POINT ptScreen);

// Puts the pointer at a client point of the window and waits (at most a
// second) until the system first reports it there. Tests that move the
// pointer inside a tracking loop use this short wait: the loop's own timers
// keep running meanwhile.
void SetCursorAndWait(HWND hWnd, int x, int y);
