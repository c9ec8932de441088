// An out-of-context accessibility event hook on the current process. The entry
// points are bound at run time; without them nothing is hooked.
#pragma once

#include "Framework.h"

class CLVKWinEventHook
{
public:
    CLVKWinEventHook();
    virtual ~CLVKWinEventHook() { Unhook(); }

    // Does nothing while a hook is set.
    void SetHook(DWORD eventMin, DWORD eventMax, WINEVENTPROC pfnCallback);
    void Unhook();
    BOOL IsHooked() const { return m_hHook != nullptr; }

    CLVKWinEventHook(const CLVKWinEventHook&) = delete;
    CLVKWinEventHook& operator=(const CLVKWinEventHook&) = delete;

private:
    HWINEVENTHOOK m_hHook = nullptr;
    HWINEVENTHOOK(WINAPI* m_pfnSetWinEventHook)(DWORD, DWORD, HMODULE, WINEVENTPROC, DWORD, DWORD, DWORD) = nullptr;
    BOOL(WINAPI* m_pfnUnhookWinEvent)(HWINEVENTHOOK) = nullptr;
};
