// The process-wide multiplexer of window subclassing and thread Windows hooks.
// Per window it keeps one sink that replaces the window's procedure, per
// thread and hook type one sink that owns one Windows hook; each sink passes
// what it sees to its listeners, the one attached last first. Listeners never
// subclass or hook themselves, so any number of them share a window or a hook
// and removing one never breaks another subclasser's chain.
#pragma once

#include "HookManagerHookAble.h"
#include "RWCriticalSection.h"

#include <map>
#include <memory>
#include <vector>

// Registered "WM_HOOKMANAGER_SINKREMOVED": asks a subclasser further up the
// chain to take over the sink's previous procedure (wParam: the sink's window
// procedure, lParam: the procedure to chain to instead); nonzero when it did.
extern const UINT WM_HOOKMANAGER_SINKREMOVED;

LRESULT CALLBACK HookSinkWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);

class CLVKHookManager
{
public:
    class CHookSink : public CArray<CLVKHookManagerHookAble*, CLVKHookManagerHookAble*>
    {
    public:
        CHookSink(CLVKHookManager* pManager, HWND hWnd);
        CHookSink(CLVKHookManager* pManager, int nHookType, HHOOK hHook, DWORD dwThreadId);
        ~CHookSink() override;

        // Walks the listeners (last attached first) before and after the
        // previous procedure; see CLVKHookManagerHookAble for the answers.
        int DispatchBefore(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult);
        void DispatchAfter(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult);

        // Tells the listeners they are detached and gives the window its
        // previous procedure back, unless a later subclasser takes it over.
        void RestoreWindowProc();

        INT_PTR Find(CLVKHookManagerHookAble* pListener) const;

        int m_nHookType = 0;
        HHOOK m_hHook = nullptr;
        DWORD m_dwThreadId = 0;
        WNDPROC m_pfnPrevWndProc = nullptr;
        HWND m_hWnd = nullptr;
        BOOL m_bUnicode = FALSE;
        BOOL m_bWindowDestroyed = FALSE;

    private:
        int Walk(BOOL bAfter, HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult);

        CLVKHookManager* m_pManager;
        BOOL m_bRestoring = FALSE;
    };

    CLVKHookManager() = default;
    ~CLVKHookManager();

    static CLVKHookManager* AFX_CDECL GetGlobal();

    void AddWindowListener(HWND hWnd, CLVKHookManagerHookAble* pListener);
    // nHookType is a WH_ value from -1 to 13; dwThreadId 0 is the calling
    // thread. FALSE when no hook could be installed for the type.
    BOOL AddThreadListener(int nHookType, CLVKHookManagerHookAble* pListener, DWORD dwThreadId = 0);

    void RemoveListener(CLVKHookManagerHookAble* pListener);
    void RemoveWindowListener(HWND hWnd, CLVKHookManagerHookAble* pListener);
    void RemoveWindowSink(HWND hWnd, BOOL bWindowDestroyed);
    void RemoveThreadSinks(int nHookType);
    void RemoveAllSinks();

    // The window's sink, or null.
    CHookSink* Lookup(HWND hWnd);

    // The window's previous procedure for the message; 0 without a sink.
    LRESULT CallPrevWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    // The previous procedure for the message the calling thread is handling.
    LRESULT Default(WPARAM wParam, LPARAM lParam);
    LRESULT Default();

    // The common body of the Windows-hook procedures.
    LRESULT DispatchThreadHook(int nHookType, int nCode, WPARAM wParam, LPARAM lParam);

    static constexpr int kHookTypeCount = 15;  // types -1 to 13

private:
    friend LRESULT CALLBACK HookSinkWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend class CHookSink;

    std::shared_ptr<CHookSink> FindWindowSink(HWND hWnd);
    // Takes one listener out of a sink; an emptied sink leaves its map.
    void RemoveFromSink(const std::shared_ptr<CHookSink>& pSink, CLVKHookManagerHookAble* pListener);
    std::vector<CLVKHookManagerHookAble*> Snapshot(const CHookSink* pSink);
    BOOL Contains(const CHookSink* pSink, CLVKHookManagerHookAble* pListener);

    class CLock
    {
    public:
        explicit CLock(CLVKRWCriticalSection::CWriterGate& gate) : m_gate(gate) { m_gate.Lock(); }
        ~CLock() { m_gate.Unlock(); }
        CLock(const CLock&) = delete;
        CLock& operator=(const CLock&) = delete;

    private:
        CLVKRWCriticalSection::CWriterGate& m_gate;
    };

    CLVKRWCriticalSection::CWriterGate m_lock;
    std::map<HWND, std::shared_ptr<CHookSink>> m_windowSinks;
    std::map<DWORD, std::shared_ptr<CHookSink>> m_hookSinks[kHookTypeCount];
};
