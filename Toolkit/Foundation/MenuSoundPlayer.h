// Plays the system's menu sounds on a thread of their own, so opening a menu
// never waits for the sound system.
#pragma once

#include "Framework.h"

class CLVKMenuSoundPlayer
{
public:
    enum Sound
    {
        soundMenuCommand = 1,
        soundMenuPopup = 2,
    };

    static CLVKMenuSoundPlayer* AFX_CDECL GetGlobal();

    CLVKMenuSoundPlayer() = default;
    virtual ~CLVKMenuSoundPlayer() { StopThread(); }

    // Asks the sound thread to play the sound and returns at once; starts the
    // thread on first use. Nothing happens while sounds are off.
    void PostSound(int nSound);
    void EnableSounds(BOOL bEnable) { m_bEnabled = bEnable; }
    void EnableSystemSounds(BOOL bEnable) { m_bSystemEnabled = bEnable; }

    // Ends the sound thread and waits for it.
    void StopThread();

    BOOL IsThreadRunning() const { return m_hThread != nullptr; }
    DWORD GetThreadId() const { return m_dwThreadId; }

private:
    BOOL StartThread();
    static DWORD WINAPI ThreadProc(LPVOID pParam);

    BOOL m_bEnabled = TRUE;
    BOOL m_bSystemEnabled = TRUE;
    HANDLE m_hThread = nullptr;
    HANDLE m_hReadyEvent = nullptr;
    DWORD m_dwThreadId = 0;
};
