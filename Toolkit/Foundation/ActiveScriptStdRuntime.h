// The small standard library published to every markup script as global
// members: "setTimeout", "clearTimeout" and "debugLog". Timeouts are thread
// timers of the thread that set them; their callbacks run from its message
// loop.
#pragma once

#include "CmdTarget.h"
#include "RWCriticalSection.h"

#include <map>

class CLVKActiveScriptStdRuntime : public CLVKCmdTarget
{
public:
    CLVKActiveScriptStdRuntime();
    ~CLVKActiveScriptStdRuntime() override;

    // Calls the callback once after the milliseconds; the timer id, or 0 for
    // a null callback or when no timer could be made.
    long setTimeout(IDispatch* pCallback, long nMilliseconds);
    // Cancels a timeout; an id without timeout changes nothing.
    void clearTimeout(long nTimerId);
    // Writes the text to the debugger output (nothing for a null text).
    void debugLog(LPCOLESTR lpszText);

    struct TimeoutTask
    {
        IDispatch* pCallback = nullptr;  // one reference
        long nMilliseconds = 0;
        CLVKActiveScriptStdRuntime* pRuntime = nullptr;
    };

    // The timeouts of every runtime and thread of the process, by timer id.
    class CTimeoutTable
    {
    public:
        CLVKRWCriticalSection m_lock;  // always taken as writer
        std::map<UINT_PTR, TimeoutTask> m_tasks;
    };
    static CTimeoutTable* AFX_CDECL GetTimeoutTable();

protected:
    DECLARE_DISPATCH_MAP()
};

// The timer procedure of every timeout: takes the task out of the table, kills
// the timer and calls the callback once.
void CALLBACK LVKActiveScriptTimerProc(HWND hWnd, UINT uMsg, UINT_PTR nTimerId, DWORD dwTime);
