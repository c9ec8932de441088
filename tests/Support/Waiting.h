#pragma once
// How tests wait. A test waits for the thing it expects (a window, a process's
// end, a file, a message, a thread, a state) and goes on as soon as it holds;
// the limit of such a wait only ends a test that hangs. So the limit is far
// above what the slowest machine needs: 32-bit programs run there through an
// emulator, several times slower than natively, with several test programs
// side by side on two cores, and one start of such a program alone can take
// several seconds. No test asserts how long a thing took against a fixed
// figure: a machine may always be slower.
#include <windows.h>

#include <functional>

// The limit of every wait for something that is expected to happen. The
// per-test watchdog (TestWatchdog.h) and the per-program limit of the runner
// (tests/run-under-wine.sh) lie above it.
constexpr DWORD kHungWaitMs = 120000;

// Checks the condition, and runs betweenPolls after each check that failed,
// until it holds; false when it did not hold within the time.
bool PollUntil(const std::function<bool()>& condition, DWORD timeoutMs, const std::function<void()>& betweenPolls);

// Polls the condition every few milliseconds, without handling messages (for
// threads and other processes); false when it did not hold within the time.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kHungWaitMs);

// WaitForSingleObject with the hung limit: true when the object was signalled
// (a mutex: acquired, also when abandoned).
bool WaitForObject(HANDLE object, DWORD timeoutMs = kHungWaitMs);

// A waitable timer that comes due a given time after it was made. A test that
// must show that a wait of the code under test lasted at least a while makes
// one, set shorter than that wait, just before the wait begins, and checks
// that it is due once the wait has ended: the system ends timed waits and
// signals timers in the order of their due times, so this holds on any
// machine, however slow or busy, and no elapsed time is measured.
class DueTimer
{
public:
    explicit DueTimer(DWORD ms);
    ~DueTimer();
    DueTimer(const DueTimer&) = delete;
    DueTimer& operator=(const DueTimer&) = delete;

    bool Due() const;

private:
    HANDLE m_timer = nullptr;
};
