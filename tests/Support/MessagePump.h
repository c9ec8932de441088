#pragma once
// Waiting in tests that involve windows: the thread's messages are handled
// while waiting, so windows of the test's own thread keep working.
#include "Waiting.h"

#include <windows.h>

#include <functional>

// Handles the thread's messages for the given time. Only for a test that must
// let a time go by on purpose (and says why); a test that waits for
// something uses PumpMessagesUntil, and one that must show that something
// does not happen uses a TimerMark.
void PumpMessagesFor(DWORD ms);
// Handles messages until the condition holds; false when it did not within
// the time.
bool PumpMessagesUntil(const std::function<bool()>& condition, DWORD timeoutMs = kHungWaitMs);

// A one-shot timer of the calling thread that marks a point in the thread's
// time line, for a test that must show that something does NOT happen (a
// timer that was cleared never fires, a tip that must not show, a message
// that must not come). The system hands out due timers of a thread in the
// order of their due times, and a timer's message only once no posted message
// waits. So once a mark set for N ms has fired, every timer of the thread that
// was due earlier (one set before it with at most N ms, say) has fired and
// been handled, and so has every message posted to the thread before it, on
// any machine, however late it runs; no fixed sleep stands in for that.
class TimerMark
{
public:
    explicit TimerMark(DWORD ms);
    ~TimerMark();
    TimerMark(const TimerMark&) = delete;
    TimerMark& operator=(const TimerMark&) = delete;

    bool Fired() const { return m_fired; }
    // Handles the thread's messages one at a time until the mark has fired,
    // and returns right after it, before any later message; false when it did
    // not fire within the time.
    bool PumpUntilFired(DWORD timeoutMs = kHungWaitMs);

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);

    UINT_PTR m_id = 0;
    bool m_fired = false;
};

// Sets a TimerMark of the given time and handles messages until it fired.
bool PumpMessagesPastTimer(DWORD ms, DWORD timeoutMs = kHungWaitMs);
