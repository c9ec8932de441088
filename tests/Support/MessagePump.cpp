#include "MessagePump.h"

#include <map>

namespace
{

void DispatchOne(MSG& msg)
{
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void PumpOnce(DWORD waitMs)
{
    MsgWaitForMultipleObjectsEx(0, nullptr, waitMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchOne(msg);
}

// The marks of each thread by their timer ids (thread timers belong to the
// thread that set them).
thread_local std::map<UINT_PTR, TimerMark*> t_marks;

}  // namespace

void PumpMessagesFor(DWORD ms)
{
    const ULONGLONG end = GetTickCount64() + ms;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64())
        PumpOnce(static_cast<DWORD>(end - now < 10 ? end - now : 10));
}

bool PumpMessagesUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    return PollUntil(condition, timeoutMs, [] { PumpOnce(10); });
}

TimerMark::TimerMark(DWORD ms)
{
    m_id = SetTimer(nullptr, 0, ms, &TimerMark::OnTimer);
    if (m_id)
        t_marks[m_id] = this;
}

TimerMark::~TimerMark()
{
    if (!m_id)
        return;
    t_marks.erase(m_id);
    if (!m_fired)
        KillTimer(nullptr, m_id);
}

void CALLBACK TimerMark::OnTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    // One-shot: whoever handles the message (this pump or a modal loop of the
    // code under test) marks it fired.
    KillTimer(nullptr, id);
    const auto found = t_marks.find(id);
    if (found != t_marks.end())
        found->second->m_fired = true;
}

bool TimerMark::PumpUntilFired(DWORD timeoutMs)
{
    if (!m_id)
        return false;
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!m_fired)
    {
        const ULONGLONG now = GetTickCount64();
        if (now >= end)
            return false;
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now < 10 ? end - now : 10), QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
        MSG msg{};
        while (!m_fired && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchOne(msg);
    }
    return true;
}

bool PumpMessagesPastTimer(DWORD ms, DWORD timeoutMs)
{
    TimerMark mark(ms);
    return mark.PumpUntilFired(timeoutMs);
}
