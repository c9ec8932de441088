// A listener of the hook manager: an object that sees the messages of a window
// it does not own, or the calls of a thread-wide Windows hook, without
// subclassing or hooking anything itself.
#pragma once

#include "Framework.h"

class CLVKHookManagerHookAble
{
public:
    virtual ~CLVKHookManagerHookAble() = default;

    // Called before the window's previous procedure (or for a Windows hook:
    // with the hook code as nMessage and a null window). Answers 0 to let the
    // next listener see the message, 1 when it handled it (lResult is the
    // answer; nobody else sees the message), 2 to stop asking listeners while
    // the message still goes to the previous procedure. wParam and lParam may
    // be changed for those that follow.
    virtual int HandleHookedMessage(HWND /*hWnd*/, UINT /*nMessage*/, WPARAM& /*wParam*/, LPARAM& /*lParam*/,
                                    LRESULT& /*lResult*/)
    {
        return 0;
    }
    // Called after the previous procedure, with its result; same answers.
    virtual int HandleHookedMessageAfter(HWND /*hWnd*/, UINT /*nMessage*/, WPARAM& /*wParam*/, LPARAM& /*lParam*/,
                                         LRESULT& /*lResult*/)
    {
        return 0;
    }
    // hWnd is null for a Windows-hook sink.
    virtual void OnHookAttached(HWND /*hWnd*/) {}
    virtual void OnHookDetached() {}

    // When set, the manager owns the listener once it is attached and deletes
    // it after detaching it.
    BOOL m_bAutoDelete = FALSE;
};
