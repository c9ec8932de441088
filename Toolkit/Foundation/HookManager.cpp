#include "HookManager.h"

#include "SingletonPointer.h"

const UINT WM_HOOKMANAGER_SINKREMOVED = RegisterWindowMessageW(L"WM_HOOKMANAGER_SINKREMOVED");

namespace
{

LRESULT CALLBACK HookProcMsgFilter(int nCode, WPARAM wParam, LPARAM lParam)
{
    return CLVKHookManager::GetGlobal()->DispatchThreadHook(WH_MSGFILTER, nCode, wParam, lParam);
}
LRESULT CALLBACK HookProcKeyboard(int nCode, WPARAM wParam, LPARAM lParam)
{
    return CLVKHookManager::GetGlobal()->DispatchThreadHook(WH_KEYBOARD, nCode, wParam, lParam);
}
LRESULT CALLBACK HookProcGetMessage(int nCode, WPARAM wParam, LPARAM lParam)
{
    return CLVKHookManager::GetGlobal()->DispatchThreadHook(WH_GETMESSAGE, nCode, wParam, lParam);
}
LRESULT CALLBACK HookProcCallWndProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    return CLVKHookManager::GetGlobal()->DispatchThreadHook(WH_CALLWNDPROC, nCode, wParam, lParam);
}
LRESULT CALLBACK HookProcCbt(int nCode, WPARAM wParam, LPARAM lParam)
{
    return CLVKHookManager::GetGlobal()->DispatchThreadHook(WH_CBT, nCode, wParam, lParam);
}
LRESULT CALLBACK HookProcMouse(int nCode, WPARAM wParam, LPARAM lParam)
{
    return CLVKHookManager::GetGlobal()->DispatchThreadHook(WH_MOUSE, nCode, wParam, lParam);
}
LRESULT CALLBACK HookProcHardware(int nCode, WPARAM wParam, LPARAM lParam)
{
    return CLVKHookManager::GetGlobal()->DispatchThreadHook(WH_HARDWARE, nCode, wParam, lParam);
}
LRESULT CALLBACK HookProcDebug(int nCode, WPARAM wParam, LPARAM lParam)
{
    return CLVKHookManager::GetGlobal()->DispatchThreadHook(WH_DEBUG, nCode, wParam, lParam);
}
LRESULT CALLBACK HookProcShell(int nCode, WPARAM wParam, LPARAM lParam)
{
    return CLVKHookManager::GetGlobal()->DispatchThreadHook(WH_SHELL, nCode, wParam, lParam);
}
LRESULT CALLBACK HookProcForegroundIdle(int nCode, WPARAM wParam, LPARAM lParam)
{
    return CLVKHookManager::GetGlobal()->DispatchThreadHook(WH_FOREGROUNDIDLE, nCode, wParam, lParam);
}
LRESULT CALLBACK HookProcCallWndProcRet(int nCode, WPARAM wParam, LPARAM lParam)
{
    return CLVKHookManager::GetGlobal()->DispatchThreadHook(WH_CALLWNDPROCRET, nCode, wParam, lParam);
}

// By hook type + 1; journal, system message filter and low-level keyboard
// hooks have none.
const HOOKPROC kHookProcs[CLVKHookManager::kHookTypeCount] = {&HookProcMsgFilter,
                                                              nullptr,
                                                              nullptr,
                                                              &HookProcKeyboard,
                                                              &HookProcGetMessage,
                                                              &HookProcCallWndProc,
                                                              &HookProcCbt,
                                                              nullptr,
                                                              &HookProcMouse,
                                                              &HookProcHardware,
                                                              &HookProcDebug,
                                                              &HookProcShell,
                                                              &HookProcForegroundIdle,
                                                              &HookProcCallWndProcRet,
                                                              nullptr};

const int kClearedHookTypes[] = {WH_MSGFILTER, WH_KEYBOARD,       WH_GETMESSAGE,    WH_CALLWNDPROC,
                                 WH_CBT,       WH_MOUSE,          WH_HARDWARE,      WH_DEBUG,
                                 WH_SHELL,     WH_FOREGROUNDIDLE, WH_CALLWNDPROCRET};

void DetachAndDelete(CLVKHookManagerHookAble* pListener)
{
    pListener->OnHookDetached();
    if (pListener->m_bAutoDelete)
        delete pListener;
}

}  // namespace

CLVKHookManager::CHookSink::CHookSink(CLVKHookManager* pManager, HWND hWnd) : m_hWnd(hWnd), m_pManager(pManager)
{
    m_bUnicode = IsWindowUnicode(hWnd);
    m_pfnPrevWndProc = reinterpret_cast<WNDPROC>(m_bUnicode ? GetWindowLongPtrW(hWnd, GWLP_WNDPROC)
                                                            : GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
}

CLVKHookManager::CHookSink::CHookSink(CLVKHookManager* pManager, int nHookType, HHOOK hHook, DWORD dwThreadId)
    : m_nHookType(nHookType), m_hHook(hHook), m_dwThreadId(dwThreadId), m_pManager(pManager)
{
}

CLVKHookManager::CHookSink::~CHookSink()
{
    for (INT_PTR i = GetSize() - 1; i >= 0; --i)
    {
        if (GetAt(i)->m_bAutoDelete)
            delete GetAt(i);
    }
    if (m_hHook)
        UnhookWindowsHookEx(m_hHook);
}

INT_PTR CLVKHookManager::CHookSink::Find(CLVKHookManagerHookAble* pListener) const
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        if (GetAt(i) == pListener)
            return i;
    }
    return -1;
}

int CLVKHookManager::CHookSink::Walk(BOOL bAfter, HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam,
                                     LRESULT& lResult)
{
    if (m_hHook && GetCurrentThreadId() != m_dwThreadId)
        return 0;
    if (m_hWnd && nMessage == WM_HOOKMANAGER_SINKREMOVED && wParam == reinterpret_cast<WPARAM>(m_pfnPrevWndProc))
    {
        m_pfnPrevWndProc = reinterpret_cast<WNDPROC>(lParam);
        lResult = 1;
        return 1;
    }
    if (m_bRestoring)
        return 0;
    // The walk goes over a copy: a listener may remove itself or another one
    // (and so empty and remove this sink) while it is being called. A
    // listener removed meanwhile is not called any more.
    const std::vector<CLVKHookManagerHookAble*> listeners = m_pManager->Snapshot(this);
    for (auto it = listeners.rbegin(); it != listeners.rend(); ++it)
    {
        if (!m_pManager->Contains(this, *it))
            continue;
        const int nAnswer = bAfter ? (*it)->HandleHookedMessageAfter(hWnd, nMessage, wParam, lParam, lResult)
                                   : (*it)->HandleHookedMessage(hWnd, nMessage, wParam, lParam, lResult);
        if (nAnswer == 1)
            return 1;
        if (nAnswer == 2)
            return 0;
    }
    return 0;
}

int CLVKHookManager::CHookSink::DispatchBefore(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam,
                                               LRESULT& lResult)
{
    return Walk(FALSE, hWnd, nMessage, wParam, lParam, lResult);
}

void CLVKHookManager::CHookSink::DispatchAfter(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam,
                                               LRESULT& lResult)
{
    Walk(TRUE, hWnd, nMessage, wParam, lParam, lResult);
}

void CLVKHookManager::CHookSink::RestoreWindowProc()
{
    const std::vector<CLVKHookManagerHookAble*> listeners = m_pManager->Snapshot(this);
    for (auto it = listeners.rbegin(); it != listeners.rend(); ++it)
        (*it)->OnHookDetached();
    if (!m_hWnd)
        return;
    m_bRestoring = TRUE;
    if (!m_bWindowDestroyed && IsWindow(m_hWnd))
    {
        // A subclasser installed after us that chains to our procedure takes
        // our previous procedure instead and keeps its own in the window.
        if (SendMessageW(m_hWnd, WM_HOOKMANAGER_SINKREMOVED, reinterpret_cast<WPARAM>(&HookSinkWindowProc),
                         reinterpret_cast<LPARAM>(m_pfnPrevWndProc)) != 0)
            return;
    }
    if (m_bUnicode)
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnPrevWndProc));
    else
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnPrevWndProc));
}

CLVKHookManager::~CLVKHookManager()
{
    RemoveAllSinks();
}

CLVKHookManager* AFX_CDECL CLVKHookManager::GetGlobal()
{
    return LVKGetSingleton<CLVKHookManager>();
}

std::vector<CLVKHookManagerHookAble*> CLVKHookManager::Snapshot(const CHookSink* pSink)
{
    CLock lock(m_lock);
    std::vector<CLVKHookManagerHookAble*> listeners;
    listeners.reserve(static_cast<size_t>(pSink->GetSize()));
    for (INT_PTR i = 0; i < pSink->GetSize(); ++i)
        listeners.push_back(pSink->GetAt(i));
    return listeners;
}

BOOL CLVKHookManager::Contains(const CHookSink* pSink, CLVKHookManagerHookAble* pListener)
{
    CLock lock(m_lock);
    return pSink->Find(pListener) >= 0;
}

std::shared_ptr<CLVKHookManager::CHookSink> CLVKHookManager::FindWindowSink(HWND hWnd)
{
    CLock lock(m_lock);
    const auto it = m_windowSinks.find(hWnd);
    return it == m_windowSinks.end() ? nullptr : it->second;
}

CLVKHookManager::CHookSink* CLVKHookManager::Lookup(HWND hWnd)
{
    return FindWindowSink(hWnd).get();
}

void CLVKHookManager::AddWindowListener(HWND hWnd, CLVKHookManagerHookAble* pListener)
{
    if (!pListener || !IsWindow(hWnd))
        return;
    {
        CLock lock(m_lock);
        const auto it = m_windowSinks.find(hWnd);
        if (it != m_windowSinks.end())
        {
            if (it->second->Find(pListener) >= 0)
                return;
            it->second->Add(pListener);
        }
        else
        {
            // The sink is in the map before the procedure is replaced, so the
            // first message the new procedure sees already has its sink.
            auto pSink = std::make_shared<CHookSink>(this, hWnd);
            pSink->Add(pListener);
            m_windowSinks[hWnd] = pSink;
            if (pSink->m_bUnicode)
                SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookSinkWindowProc));
            else
                SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookSinkWindowProc));
        }
    }
    pListener->OnHookAttached(hWnd);
}

BOOL CLVKHookManager::AddThreadListener(int nHookType, CLVKHookManagerHookAble* pListener, DWORD dwThreadId)
{
    const int nIndex = nHookType + 1;
    if (nIndex < 0 || nIndex >= kHookTypeCount)
        AfxThrowInvalidArgException();
    if (!pListener)
        return FALSE;
    if (dwThreadId == 0)
        dwThreadId = GetCurrentThreadId();
    {
        CLock lock(m_lock);
        auto& sinks = m_hookSinks[nIndex];
        auto it = sinks.find(dwThreadId);
        if (it == sinks.end())
        {
            if (!kHookProcs[nIndex])
                return FALSE;
            const HHOOK hHook = SetWindowsHookExW(nHookType, kHookProcs[nIndex], nullptr, dwThreadId);
            if (!hHook)
                return FALSE;
            it = sinks.emplace(dwThreadId, std::make_shared<CHookSink>(this, nHookType, hHook, dwThreadId)).first;
        }
        // Attached twice, a listener is called twice: the caller keeps one
        // listener per thread.
        it->second->Add(pListener);
    }
    pListener->OnHookAttached(nullptr);
    return TRUE;
}

void CLVKHookManager::RemoveFromSink(const std::shared_ptr<CHookSink>& pSink, CLVKHookManagerHookAble* pListener)
{
    bool bEmptied = false;
    {
        CLock lock(m_lock);
        const INT_PTR nIndex = pSink->Find(pListener);
        if (nIndex < 0)
            return;
        pSink->RemoveAt(nIndex);
        bEmptied = pSink->GetSize() == 0;
        if (bEmptied && !pSink->m_hWnd)
        {
            auto& sinks = m_hookSinks[pSink->m_nHookType + 1];
            const auto it = sinks.find(pSink->m_dwThreadId);
            if (it != sinks.end() && it->second == pSink)
                sinks.erase(it);
        }
    }
    // Listeners are told outside the lock: they may send messages to other
    // threads, whose dispatch needs the lock.
    DetachAndDelete(pListener);
    if (bEmptied && pSink->m_hWnd)
    {
        pSink->RestoreWindowProc();
        CLock lock(m_lock);
        const auto it = m_windowSinks.find(pSink->m_hWnd);
        if (it != m_windowSinks.end() && it->second == pSink)
            m_windowSinks.erase(it);
    }
}

void CLVKHookManager::RemoveListener(CLVKHookManagerHookAble* pListener)
{
    std::vector<std::shared_ptr<CHookSink>> sinks;
    {
        CLock lock(m_lock);
        for (const auto& entry : m_windowSinks)
            sinks.push_back(entry.second);
        for (const auto& map : m_hookSinks)
        {
            for (const auto& entry : map)
                sinks.push_back(entry.second);
        }
    }
    for (const auto& pSink : sinks)
        RemoveFromSink(pSink, pListener);
}

void CLVKHookManager::RemoveWindowListener(HWND hWnd, CLVKHookManagerHookAble* pListener)
{
    const auto pSink = FindWindowSink(hWnd);
    if (pSink)
        RemoveFromSink(pSink, pListener);
}

void CLVKHookManager::RemoveWindowSink(HWND hWnd, BOOL bWindowDestroyed)
{
    std::shared_ptr<CHookSink> pSink;
    {
        CLock lock(m_lock);
        const auto it = m_windowSinks.find(hWnd);
        if (it == m_windowSinks.end())
            return;
        pSink = it->second;
        pSink->m_bWindowDestroyed = bWindowDestroyed;
    }
    pSink->RestoreWindowProc();
    CLock lock(m_lock);
    const auto it = m_windowSinks.find(hWnd);
    if (it != m_windowSinks.end() && it->second == pSink)
        m_windowSinks.erase(it);
    // The sink (and its auto-delete listeners) goes when the last holder,
    // possibly a window procedure still walking it, lets go.
}

void CLVKHookManager::RemoveThreadSinks(int nHookType)
{
    const int nIndex = nHookType + 1;
    if (nIndex < 0 || nIndex >= kHookTypeCount)
        return;
    std::map<DWORD, std::shared_ptr<CHookSink>> sinks;
    {
        CLock lock(m_lock);
        sinks.swap(m_hookSinks[nIndex]);
    }
    for (auto& entry : sinks)
    {
        const std::shared_ptr<CHookSink>& pSink = entry.second;
        for (;;)
        {
            CLVKHookManagerHookAble* pListener = nullptr;
            {
                CLock lock(m_lock);
                if (pSink->GetSize() == 0)
                    break;
                pListener = pSink->GetAt(pSink->GetSize() - 1);
                pSink->RemoveAt(pSink->GetSize() - 1);
            }
            DetachAndDelete(pListener);
        }
    }
}

void CLVKHookManager::RemoveAllSinks()
{
    std::map<HWND, std::shared_ptr<CHookSink>> windowSinks;
    {
        CLock lock(m_lock);
        windowSinks.swap(m_windowSinks);
    }
    for (auto& entry : windowSinks)
        entry.second->RestoreWindowProc();
    windowSinks.clear();
    for (const int nType : kClearedHookTypes)
        RemoveThreadSinks(nType);
}

LRESULT CLVKHookManager::CallPrevWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    const auto pSink = FindWindowSink(hWnd);
    if (!pSink)
        return 0;
    return CallWindowProcW(pSink->m_pfnPrevWndProc, hWnd, nMessage, wParam, lParam);
}

LRESULT CLVKHookManager::Default(WPARAM wParam, LPARAM lParam)
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return CallPrevWindowProc(msg.hwnd, msg.message, wParam, lParam);
}

LRESULT CLVKHookManager::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return CallPrevWindowProc(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

LRESULT CLVKHookManager::DispatchThreadHook(int nHookType, int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode < 0)
        return CallNextHookEx(nullptr, nCode, wParam, lParam);
    std::shared_ptr<CHookSink> pSink;
    {
        CLock lock(m_lock);
        const int nIndex = nHookType + 1;
        if (nIndex >= 0 && nIndex < kHookTypeCount)
        {
            const auto it = m_hookSinks[nIndex].find(GetCurrentThreadId());
            if (it != m_hookSinks[nIndex].end())
                pSink = it->second;
        }
    }
    // Listeners run without the lock held, and the rest of the chain still
    // sees the call unless a listener answered it.
    LRESULT lResult = 0;
    if (pSink && pSink->DispatchBefore(nullptr, static_cast<UINT>(nCode), wParam, lParam, lResult) == 1)
        return lResult;
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

LRESULT CALLBACK HookSinkWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    const MSG saved = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = nMessage;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;

    CLVKHookManager* pManager = CLVKHookManager::GetGlobal();
    LRESULT lResult = 0;
    // The holder keeps the sink alive while its listeners run, even when one
    // of them removes it.
    const std::shared_ptr<CLVKHookManager::CHookSink> pSink = pManager->FindWindowSink(hWnd);
    if (pSink && nMessage == WM_NCDESTROY)
    {
        pManager->RemoveWindowSink(hWnd, TRUE);
        lResult = CallWindowProcW(pSink->m_pfnPrevWndProc, hWnd, nMessage, wParam, lParam);
    }
    else if (pSink)
    {
        if (pSink->DispatchBefore(hWnd, nMessage, wParam, lParam, lResult) == 0)
        {
            lResult = CallWindowProcW(pSink->m_pfnPrevWndProc, hWnd, nMessage, wParam, lParam);
            if (pManager->FindWindowSink(hWnd) == pSink)
                pSink->DispatchAfter(hWnd, nMessage, wParam, lParam, lResult);
        }
    }
    pState->m_lastSentMsg = saved;
    return lResult;
}
