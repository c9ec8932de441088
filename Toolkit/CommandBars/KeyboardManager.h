// Routes the keyboard to whatever command-bar object owns it: while a menu is
// open or a bar is navigated by keyboard, the owner registers as a hook
// target and the thread keyboard hook hands every key press to the newest
// target first. Keys no target takes are swallowed, so nothing types into the
// window behind an open menu. A second hook closes the menus when the
// application loses activation.
#pragma once

#include "Framework.h"

#include <vector>

class CLVKHookManagerHookAble;

class CLVKKeyboardManager
{
public:
    // This thread's manager, made on first use and freed with the thread.
    static CLVKKeyboardManager* AFX_CDECL GetThreadManager();
    static CLVKKeyboardManager* AFX_CDECL GetThreadManagerIfAny();

    CLVKKeyboardManager() = default;
    virtual ~CLVKKeyboardManager();

    // Installs the hooks when missing and registers the target once.
    void HookKeyboard(CLVKHookManagerHookAble* pTarget);
    // Unregisters the target; the last one takes the hooks away.
    void UnhookKeyboard(CLVKHookManagerHookAble* pTarget);
    // Offers the message to the targets, newest first; TRUE swallows it
    // (also when nobody answers), FALSE when a target answered 2.
    BOOL ProcessKeyboardHooks(UINT nMessage, WPARAM wParam, LPARAM lParam);
    // What the keyboard hook does with a key going down while targets are
    // registered: TRUE swallows it. Alt alone closes every menu.
    BOOL HandleKeyDown(WPARAM wParam, LPARAM lParam);
    // A key-down taken from the queue that did not pass the keyboard hook
    // (posted keys, which some platforms do not hook) is offered as the hook
    // would have; TRUE swallows it. A key the hook or an earlier offer let
    // through is not offered again.
    BOOL OfferQueuedKey(const MSG& msg);

    int GetTargetCount() const { return static_cast<int>(m_arrTargets.size()); }
    BOOL IsHooked() const { return m_hKeyboardHook != nullptr; }

    // The hook procedures; tests call them directly.
    static LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CallWndProcHook(int nCode, WPARAM wParam, LPARAM lParam);

    CLVKKeyboardManager(const CLVKKeyboardManager&) = delete;
    CLVKKeyboardManager& operator=(const CLVKKeyboardManager&) = delete;

private:
    void RemoveHooks();

    HHOOK m_hKeyboardHook = nullptr;
    HHOOK m_hCallWndProcHook = nullptr;
    // Registration order: the newest target is the last.
    std::vector<CLVKHookManagerHookAble*> m_arrTargets;
    // The last key-down the targets let through, so that it is offered once.
    BOOL m_bPassed = FALSE;
    WPARAM m_wPassed = 0;
    LPARAM m_lPassed = 0;
};
