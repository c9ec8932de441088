#pragma once
// Waiting in tests that involve windows: the thread's messages are handled
// while waiting, so windows of the test's own thread keep working.
#include <windows.h>

#include <functional>

// Handles the thread's messages for the given time.
void PumpMessagesFor(DWORD ms);
// Handles messages until the condition holds; false when it did not within
// the time.
bool PumpMessagesUntil(const std::function<bool()>& condition, DWORD timeoutMs);
