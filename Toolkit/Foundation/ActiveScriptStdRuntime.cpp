#include "ActiveScriptStdRuntime.h"

#include "SingletonPointer.h"

#include <vector>

BEGIN_DISPATCH_MAP(CLVKActiveScriptStdRuntime, CLVKCmdTarget)
    DISP_FUNCTION(CLVKActiveScriptStdRuntime, "setTimeout", setTimeout, VT_I4, VTS_DISPATCH VTS_I4)
    DISP_FUNCTION(CLVKActiveScriptStdRuntime, "clearTimeout", clearTimeout, VT_EMPTY, VTS_I4)
    DISP_FUNCTION(CLVKActiveScriptStdRuntime, "debugLog", debugLog, VT_EMPTY, VTS_BSTR)
END_DISPATCH_MAP()

CLVKActiveScriptStdRuntime::CLVKActiveScriptStdRuntime()
{
    EnableAutomation();
}

CLVKActiveScriptStdRuntime::~CLVKActiveScriptStdRuntime()
{
    std::vector<std::pair<UINT_PTR, IDispatch*>> cancelled;
    {
        CTimeoutTable* pTable = GetTimeoutTable();
        CLVKWriteLockScope lock(&pTable->m_lock);
        for (auto it = pTable->m_tasks.begin(); it != pTable->m_tasks.end();)
        {
            if (it->second.pRuntime != this)
            {
                ++it;
                continue;
            }
            KillTimer(nullptr, it->first);
            cancelled.emplace_back(it->first, it->second.pCallback);
            it = pTable->m_tasks.erase(it);
        }
    }
    // Callbacks are script objects: released outside the lock, since their
    // release may run script code that sets or clears timeouts.
    for (auto& task : cancelled)
        task.second->Release();
}

CLVKActiveScriptStdRuntime::CTimeoutTable* AFX_CDECL CLVKActiveScriptStdRuntime::GetTimeoutTable()
{
    return LVKGetSingleton<CTimeoutTable>();
}

long CLVKActiveScriptStdRuntime::setTimeout(IDispatch* pCallback, long nMilliseconds)
{
    if (!pCallback)
        return 0;
    const UINT_PTR nTimerId =
        SetTimer(nullptr, 0, static_cast<UINT>(nMilliseconds < 0 ? 0 : nMilliseconds), &LVKActiveScriptTimerProc);
    if (nTimerId == 0)
        return 0;

    TimeoutTask task;
    task.pCallback = pCallback;
    task.pCallback->AddRef();
    task.nMilliseconds = nMilliseconds;
    task.pRuntime = this;
    IDispatch* pReplaced = nullptr;
    {
        CLVKActiveScriptStdRuntime::CTimeoutTable* pTable = CLVKActiveScriptStdRuntime::GetTimeoutTable();
        CLVKWriteLockScope lock(&pTable->m_lock);
        auto it = pTable->m_tasks.find(nTimerId);
        if (it != pTable->m_tasks.end())
        {
            pReplaced = it->second.pCallback;
            pTable->m_tasks.erase(it);
        }
        pTable->m_tasks[nTimerId] = task;
    }
    if (pReplaced)
        pReplaced->Release();
    return static_cast<long>(nTimerId);
}

void CLVKActiveScriptStdRuntime::clearTimeout(long nTimerId)
{
    IDispatch* pCallback = nullptr;
    {
        CTimeoutTable* pTable = GetTimeoutTable();
        CLVKWriteLockScope lock(&pTable->m_lock);
        auto it = pTable->m_tasks.find(static_cast<UINT_PTR>(nTimerId));
        if (it == pTable->m_tasks.end())
            return;
        pCallback = it->second.pCallback;
        pTable->m_tasks.erase(it);
    }
    KillTimer(nullptr, static_cast<UINT_PTR>(nTimerId));
    pCallback->Release();
}

void CLVKActiveScriptStdRuntime::debugLog(LPCOLESTR lpszText)
{
    if (lpszText)
        OutputDebugStringW(lpszText);
}

void CALLBACK LVKActiveScriptTimerProc(HWND, UINT, UINT_PTR nTimerId, DWORD)
{
    IDispatch* pCallback = nullptr;
    {
        CLVKActiveScriptStdRuntime::CTimeoutTable* pTable = CLVKActiveScriptStdRuntime::GetTimeoutTable();
        CLVKWriteLockScope lock(&pTable->m_lock);
        auto it = pTable->m_tasks.find(nTimerId);
        if (it != pTable->m_tasks.end())
        {
            pCallback = it->second.pCallback;
            pTable->m_tasks.erase(it);
        }
    }
    // A timeout fires once; a timer whose task is already gone is killed as
    // well, or it would go on firing for nothing.
    KillTimer(nullptr, nTimerId);
    if (!pCallback)
        return;
    DISPPARAMS noArgs{};
    pCallback->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &noArgs, nullptr, nullptr, nullptr);
    pCallback->Release();
}
