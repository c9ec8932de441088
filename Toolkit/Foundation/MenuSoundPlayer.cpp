#include "MenuSoundPlayer.h"

#include "SingletonPointer.h"

#include <mmsystem.h>

CLVKMenuSoundPlayer* AFX_CDECL CLVKMenuSoundPlayer::GetGlobal()
{
    return LVKGetSingleton<CLVKMenuSoundPlayer>();
}

void CLVKMenuSoundPlayer::PostSound(int nSound)
{
    if (!m_bEnabled || !m_bSystemEnabled)
        return;
    if (!m_hThread && !StartThread())
        return;
    PostThreadMessageW(m_dwThreadId, WM_USER, static_cast<WPARAM>(nSound), 0);
}

BOOL CLVKMenuSoundPlayer::StartThread()
{
    DWORD dwThreadId = 0;
    const HANDLE hThread = CreateThread(nullptr, 0, &ThreadProc, this, CREATE_SUSPENDED, &dwThreadId);
    if (!hThread)
        return FALSE;
    m_hReadyEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!m_hReadyEvent)
    {
        // Without the event the thread cannot say when its queue exists.
        TerminateThread(hThread, 0);
        CloseHandle(hThread);
        return FALSE;
    }
    m_hThread = hThread;
    m_dwThreadId = dwThreadId;
    SetThreadPriority(hThread, THREAD_PRIORITY_BELOW_NORMAL);
    ResumeThread(hThread);
    // A message posted before the thread has a queue would be lost.
    WaitForSingleObject(m_hReadyEvent, INFINITE);
    CloseHandle(m_hReadyEvent);
    m_hReadyEvent = nullptr;
    return TRUE;
}

DWORD WINAPI CLVKMenuSoundPlayer::ThreadProc(LPVOID pParam)
{
    auto* pThis = static_cast<CLVKMenuSoundPlayer*>(pParam);
    MSG msg{};
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    SetEvent(pThis->m_hReadyEvent);

    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
    {
        if (msg.message != WM_USER)
            continue;
        LPCWSTR lpszAlias = nullptr;
        if (msg.wParam == soundMenuCommand)
            lpszAlias = L"MenuCommand";
        else if (msg.wParam == soundMenuPopup)
            lpszAlias = L"MenuPopup";
        if (lpszAlias)
            PlaySoundW(lpszAlias, nullptr, SND_ALIAS | SND_NODEFAULT | SND_ASYNC);
    }
    PlaySoundW(nullptr, nullptr, SND_PURGE);
    return 0;
}

void CLVKMenuSoundPlayer::StopThread()
{
    if (!m_hThread)
        return;
    PostThreadMessageW(m_dwThreadId, WM_QUIT, 0, 0);
    WaitForSingleObject(m_hThread, INFINITE);
    CloseHandle(m_hThread);
    m_hThread = nullptr;
    m_dwThreadId = 0;
}
