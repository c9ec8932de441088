#include "Waiting.h"

bool PollUntil(const std::function<bool()>& condition, DWORD timeoutMs, const std::function<void()>& betweenPolls)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;)
    {
        if (condition())
            return true;
        if (GetTickCount64() >= end)
            return false;
        betweenPolls();
    }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    return PollUntil(condition, timeoutMs, [] { Sleep(10); });
}

bool WaitForObject(HANDLE object, DWORD timeoutMs)
{
    const DWORD result = WaitForSingleObject(object, timeoutMs);
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

DueTimer::DueTimer(DWORD ms) : m_timer(CreateWaitableTimerW(nullptr, TRUE, nullptr))
{
    // Negative: relative to now, in 100-nanosecond units.
    LARGE_INTEGER due{};
    due.QuadPart = -static_cast<LONGLONG>(ms) * 10000;
    if (m_timer && !SetWaitableTimer(m_timer, &due, 0, nullptr, nullptr, FALSE))
    {
        CloseHandle(m_timer);
        m_timer = nullptr;
    }
}

DueTimer::~DueTimer()
{
    if (m_timer)
        CloseHandle(m_timer);
}

bool DueTimer::Due() const
{
    return m_timer && WaitForSingleObject(m_timer, 0) == WAIT_OBJECT_0;
}
