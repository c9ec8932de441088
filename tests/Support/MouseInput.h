#pragma once
// Real mouse input for tests that need the system's own button state and
// message points (posted mouse messages carry neither and bypass the hooks).
#include <windows.h>

// Moves the pointer to an absolute screen point through SendInput, with the
// given button flags (0 for a plain move).
void SendMouseAt(POINT ptScreen, DWORD dwFlags);
