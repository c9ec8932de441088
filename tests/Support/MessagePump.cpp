#include "MessagePump.h"

namespace
{

void PumpOnce(DWORD waitMs)
{
    MsgWaitForMultipleObjectsEx(0, nullptr, waitMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

void PumpMessagesFor(DWORD ms)
{
    const ULONGLONG end = GetTickCount64() + ms;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64())
        PumpOnce(static_cast<DWORD>(end - now < 10 ? end - now : 10));
}

bool PumpMessagesUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;)
    {
        if (condition())
            return true;
        if (GetTickCount64() >= end)
            return false;
        PumpOnce(10);
    }
}
