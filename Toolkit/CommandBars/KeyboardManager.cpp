#include "CommandBars/KeyboardManager.h"

#include "CommandBars/MouseManager.h"
#include "Foundation/HookManagerHookAble.h"

#include <algorithm>

namespace
{
CThreadLocal<CLVKKeyboardManager> g_keyboardManager;

const LPARAM kKeyUpBit = 0x80000000;
const LPARAM kRepeatBit = 0x40000000;
const LPARAM kAltContextBit = 0x20000000;
}  // namespace

CLVKKeyboardManager* AFX_CDECL CLVKKeyboardManager::GetThreadManager()
{
    return g_keyboardManager.GetData();
}

CLVKKeyboardManager* AFX_CDECL CLVKKeyboardManager::GetThreadManagerIfAny()
{
    return g_keyboardManager.GetDataNA();
}

CLVKKeyboardManager::~CLVKKeyboardManager()
{
    RemoveHooks();
}

void CLVKKeyboardManager::RemoveHooks()
{
    if (m_hCallWndProcHook)
        ::UnhookWindowsHookEx(m_hCallWndProcHook);
    m_hCallWndProcHook = nullptr;
    if (m_hKeyboardHook)
        ::UnhookWindowsHookEx(m_hKeyboardHook);
    m_hKeyboardHook = nullptr;
}

void CLVKKeyboardManager::HookKeyboard(CLVKHookManagerHookAble* pTarget)
{
    const HINSTANCE hInstance = ::GetModuleHandleW(nullptr);
    if (!m_hKeyboardHook)
        m_hKeyboardHook = ::SetWindowsHookExW(WH_KEYBOARD, &KeyboardHookProc, hInstance, ::GetCurrentThreadId());
    if (!m_hCallWndProcHook)
        m_hCallWndProcHook = ::SetWindowsHookExW(WH_CALLWNDPROC, &CallWndProcHook, hInstance, ::GetCurrentThreadId());
    if (pTarget && std::find(m_arrTargets.begin(), m_arrTargets.end(), pTarget) == m_arrTargets.end())
        m_arrTargets.push_back(pTarget);
}

void CLVKKeyboardManager::UnhookKeyboard(CLVKHookManagerHookAble* pTarget)
{
    const auto it = std::find(m_arrTargets.begin(), m_arrTargets.end(), pTarget);
    if (it != m_arrTargets.end())
        m_arrTargets.erase(it);
    if (m_arrTargets.empty())
    {
        RemoveHooks();
        m_bPassed = FALSE;
    }
}

BOOL CLVKKeyboardManager::ProcessKeyboardHooks(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    // A target may unregister itself (or others) while it is asked: walk a
    // copy and skip those that left.
    const std::vector<CLVKHookManagerHookAble*> targets = m_arrTargets;
    for (auto it = targets.rbegin(); it != targets.rend(); ++it)
    {
        if (std::find(m_arrTargets.begin(), m_arrTargets.end(), *it) == m_arrTargets.end())
            continue;
        WPARAM wParamCopy = wParam;
        LPARAM lParamCopy = lParam;
        LRESULT lResult = 0;
        const int nAnswer = (*it)->HandleHookedMessage(nullptr, nMessage, wParamCopy, lParamCopy, lResult);
        if (nAnswer != 0)
            return nAnswer != 2;
    }
    return TRUE;
}

BOOL CLVKKeyboardManager::HandleKeyDown(WPARAM wParam, LPARAM lParam)
{
    CLVKMouseManager* pMouse = CLVKMouseManager::GetThreadManagerIfAny();
    const int nLock = pMouse ? pMouse->m_nLock : 0;
    if (wParam == VK_MENU && (lParam & kAltContextBit) && nLock == 0)
    {
        if (lParam & kRepeatBit)
            return FALSE;
        // Alt alone closes every open menu and goes no further.
        if (pMouse)
            pMouse->CloseTrackedBars();
        return TRUE;
    }
    if (ProcessKeyboardHooks(WM_KEYDOWN, wParam, lParam))
        return TRUE;
    m_bPassed = TRUE;
    m_wPassed = wParam;
    m_lPassed = lParam;
    return FALSE;
}

BOOL CLVKKeyboardManager::OfferQueuedKey(const MSG& msg)
{
    if ((msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) || m_arrTargets.empty())
        return FALSE;
    if (m_bPassed && m_wPassed == msg.wParam && m_lPassed == msg.lParam)
    {
        m_bPassed = FALSE;
        return FALSE;
    }
    return HandleKeyDown(msg.wParam, msg.lParam);
}

LRESULT CALLBACK CLVKKeyboardManager::KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode != HC_ACTION)
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    CLVKKeyboardManager* pManager = GetThreadManagerIfAny();
    if (pManager && !pManager->m_arrTargets.empty() && !(lParam & kKeyUpBit) &&
        pManager->HandleKeyDown(wParam, lParam))
        return 1;
    return ::CallNextHookEx(nullptr, 0, wParam, lParam);
}

LRESULT CALLBACK CLVKKeyboardManager::CallWndProcHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* pMessage = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && pMessage && pMessage->message == WM_ACTIVATEAPP && !pMessage->wParam)
    {
        if (CLVKMouseManager* pMouse = CLVKMouseManager::GetThreadManagerIfAny())
            pMouse->CloseTrackedBars();
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}
