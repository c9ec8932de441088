// The per-thread watcher that makes open menus behave like menus: while
// command bars track, a thread mouse hook sees every mouse message first,
// closes the tracked bars on a press outside them, lets them drop their hot
// control when the pointer moves outside, and swallows the one button-up of
// the click that opened a menu. It also keeps the trusted windows (clicks in
// them never close menus) and a mouse-leave tracker for bars.
#pragma once

#include "Framework.h"

#include <vector>

class CLVKCommandBar;

class CLVKMouseManager
{
public:
    static const UINT_PTR kLeaveTimerId = 113341;
    static const UINT kLeaveTimerPeriod = 50;

    // The bars in tracking mode, oldest first.
    class CTrackArray : public std::vector<CLVKCommandBar*>
    {
    public:
        int Find(const CLVKCommandBar* pBar) const;
    };
    class CTrustedArray : public std::vector<HWND>
    {
    public:
        int Find(HWND hWnd) const;
    };

    // This thread's manager, made on first use and freed with the thread.
    static CLVKMouseManager* AFX_CDECL GetThreadManager();
    // This thread's manager when one was made, else null.
    static CLVKMouseManager* AFX_CDECL GetThreadManagerIfAny();

    // Installs the hook.
    CLVKMouseManager();
    virtual ~CLVKMouseManager();

    HHOOK InstallMouseHook(BOOL bInstall);

    void AddTrackedBar(CLVKCommandBar* pBar);
    void RemoveTrackedBar(CLVKCommandBar* pBar);
    void CloseTrackedBars();
    void CloseUnlockedBars();
    void LockTrackedBars(BOOL bLock);
    BOOL IsTrackingOtherBar(CLVKCommandBar* pBar) const;
    CLVKCommandBar* FindTrackedBarAt(CPoint ptScreen) const;
    // Asked by a bar's own tracking loop for every peeked message: TRUE ends
    // tracking and leaves the message for its target.
    BOOL PreviewTrackingLoopMessage(CLVKCommandBar* pBar, const MSG& msg);

    void AddTrustedWindow(HWND hWnd);
    void RemoveTrustedWindow(HWND hWnd);
    void TrackMouseLeave(HWND hWnd);
    void RefreshMousePosition();

    // The hook procedure; tests call it directly.
    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static void CALLBACK MouseLeaveTimerProc(HWND hWnd, UINT nMessage, UINT_PTR nIDEvent, DWORD dwTime);

    const CTrackArray& GetTrackedBars() const { return m_arrTracked; }
    const CTrustedArray& GetTrustedWindows() const { return m_arrTrusted; }
    HHOOK GetHook() const { return m_hHook; }
    HWND GetLeaveWindow() const { return m_hLeaveWindow; }
    CPoint GetLastPosition() const { return m_ptLast; }

    int m_nLock = 0;
    // The command-bar edits that have the keyboard focus: while one has it,
    // only that edit hot-tracks in its bar.
    int m_nFocusedEdits = 0;
    CLVKCommandBar* m_pHotBar = nullptr;
    BOOL m_bExpanded = FALSE;
    BOOL m_bIgnoreButtonUp = FALSE;

    CLVKMouseManager(const CLVKMouseManager&) = delete;
    CLVKMouseManager& operator=(const CLVKMouseManager&) = delete;

private:
    void OnTrackedMouseMessage(UINT nMessage, CPoint ptScreen);
    // 1 inside, 0 outside, -2 skip this bar (the bar's point test), with the
    // window under the point counting as inside when it lies in the bar.
    static int BarContains(CLVKCommandBar* pBar, CPoint ptScreen, HWND hWndAtPoint);
    BOOL IsInTrustedWindow(CPoint ptScreen) const;

    CTrackArray m_arrTracked;
    HHOOK m_hHook = nullptr;
    HWND m_hLeaveWindow = nullptr;
    CTrustedArray m_arrTrusted;
    CPoint m_ptLast{-1, -1};
};
