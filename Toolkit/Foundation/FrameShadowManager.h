// The process-wide keeper of the soft shadows around top-level windows whose
// frame the toolkit draws: it makes and tracks one shadow per window, holds
// their default look, follows the owners' messages through one Windows hook
// per thread, turns the shadows off in remote sessions and tells observers
// when shadows come and go.
#pragma once

#include "CmdTarget.h"
#include "HookManagerHookAble.h"
#include "Observable.h"
#include "RWCriticalSection.h"

#include <map>

class CLVKFrameShadow;
class CLVKFrameShadowManager;

class ILVKFrameShadowManagerEvents
{
public:
    virtual ~ILVKFrameShadowManagerEvents() = default;
    virtual void OnShadowAttached(CLVKFrameShadowManager* /*pManager*/, HWND /*hOwner*/, CLVKFrameShadow* /*pShadow*/)
    {
    }
    virtual void OnShadowDetached(CLVKFrameShadowManager* /*pManager*/, HWND /*hOwner*/, CLVKFrameShadow* /*pShadow*/)
    {
    }
    virtual void OnShadowOptionsChanged(CLVKFrameShadowManager* /*pManager*/, DWORD /*dwOldMask*/, DWORD /*dwNewMask*/)
    {
    }
};

class CLVKFrameShadowManager : public CLVKCmdTarget,
                               public CLVKObservable<CLVKFrameShadowManager, ILVKFrameShadowManagerEvents>
{
public:
    // The per-thread listener of the owners' messages (WH_CALLWNDPROCRET).
    class CFrameShadowHook : public CLVKHookManagerHookAble
    {
    public:
        explicit CFrameShadowHook(CLVKFrameShadowManager* pManager) : m_pManager(pManager) { m_bAutoDelete = TRUE; }
        int HandleHookedMessage(HWND hWnd, UINT nCode, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

        CLVKFrameShadowManager* m_pManager;
        int m_nCount = 1;
    };

    // A hidden window registered for this session's notifications.
    class CWtsEventListener : public CWnd
    {
    public:
        CWtsEventListener();
        ~CWtsEventListener() override;
        BOOL Register();
        void Unregister();
        BOOL IsRegistered() const { return m_bRegistered; }

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    private:
        typedef BOOL(WINAPI* PFNREGISTER)(HWND, DWORD);
        typedef BOOL(WINAPI* PFNUNREGISTER)(HWND);
        HMODULE m_hWtsApi = nullptr;
        PFNREGISTER m_pfnRegister = nullptr;
        PFNUNREGISTER m_pfnUnregister = nullptr;
        BOOL m_bRegistered = FALSE;
    };

    CLVKFrameShadowManager();
    ~CLVKFrameShadowManager() override;

    static CLVKFrameShadowManager* AFX_CDECL GetGlobal();
    static BOOL AFX_CDECL IsSupported();

    // The owner's shadow, made on first call; arguments at -1 or 0 take the
    // defaults. Null without layered windows or when the window fails.
    CLVKFrameShadow* AttachShadow(HWND hOwner, COLORREF clr = static_cast<COLORREF>(-1), int nSize = 0,
                                  int nInnerSize = 0, int nOffsetX = 0, int nOffsetY = 0, BYTE nTransparency = 0);
    void DetachShadow(HWND hOwner);
    CLVKFrameShadow* Find(HWND hOwner);

    void SetSize(int nSize);
    void SetInnerSize(int nInnerSize);
    void SetOffset(int x, int y);
    void SetTransparency(BYTE nTransparency);
    void SetColor(COLORREF clr) { m_clrDefault = clr; }
    void SetRemoteSession(BOOL bRemote, BOOL bUpdate);
    void UpdateAll(BOOL bRedraw);

    int GetSize() const { return m_nSize; }
    int GetInnerSize() const { return m_nInnerSize; }
    POINT GetOffset() const { return m_ptOffset; }
    COLORREF GetColor() const { return m_clrDefault; }
    BYTE GetTransparency() const { return m_nTransparency; }
    DWORD GetDisableMask() const { return m_dwDisableMask; }
    INT_PTR GetShadowCount() const { return static_cast<INT_PTR>(m_shadows.size()); }
    BOOL IsSessionListenerRegistered() const { return m_pListener && m_pListener->IsRegistered(); }

    // The owners' messages on their threads (from the hook listener).
    void OnHookedMessage(const CWPRETSTRUCT* pMsg);

private:
    void HookThread(CLVKFrameShadow* pShadow, BOOL bAdd);
    template <class F>
    void Notify(F notify);

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

    DWORD m_dwDisableMask = 0;
    BOOL m_bRemoteSession = FALSE;
    std::unique_ptr<CWtsEventListener> m_pListener;
    std::map<HWND, CLVKFrameShadow*> m_shadows;
    int m_nSize = 0;
    int m_nInnerSize = 0;
    POINT m_ptOffset{0, 0};
    COLORREF m_clrDefault = RGB(0, 0, 0);
    BYTE m_nTransparency = 0;
    CLVKRWCriticalSection::CWriterGate m_lock;
    std::map<DWORD, CFrameShadowHook*> m_threadHooks;
    BOOL m_bUpdating = FALSE;
};
