#include "WinEventHook.h"

CLVKWinEventHook::CLVKWinEventHook()
{
    if (const HMODULE hUser32 = GetModuleHandleW(L"USER32"))
    {
        m_pfnSetWinEventHook = reinterpret_cast<decltype(m_pfnSetWinEventHook)>(
            reinterpret_cast<void*>(GetProcAddress(hUser32, "SetWinEventHook")));
        m_pfnUnhookWinEvent = reinterpret_cast<decltype(m_pfnUnhookWinEvent)>(
            reinterpret_cast<void*>(GetProcAddress(hUser32, "UnhookWinEvent")));
    }
}

void CLVKWinEventHook::SetHook(DWORD eventMin, DWORD eventMax, WINEVENTPROC pfnCallback)
{
    if (m_hHook || !m_pfnSetWinEventHook)
        return;
    m_hHook =
        m_pfnSetWinEventHook(eventMin, eventMax, nullptr, pfnCallback, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
}

void CLVKWinEventHook::Unhook()
{
    if (!m_hHook)
        return;
    if (m_pfnUnhookWinEvent)
        m_pfnUnhookWinEvent(m_hHook);
    m_hHook = nullptr;
}
