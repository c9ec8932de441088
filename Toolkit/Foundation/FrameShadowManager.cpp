#include "FrameShadowManager.h"

#include "FrameShadow.h"
#include "HookManager.h"
#include "SingletonPointer.h"

#include <wtsapi32.h>

#include <vector>

CLVKFrameShadowManager::CWtsEventListener::CWtsEventListener()
{
    OSVERSIONINFOW osvi{};
    osvi.dwOSVersionInfoSize = sizeof(osvi);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExW(&osvi);
#pragma GCC diagnostic pop
    // Session notifications exist from Windows XP on.
    if (osvi.dwMajorVersion > 5 || (osvi.dwMajorVersion == 5 && osvi.dwMinorVersion >= 1))
        m_hWtsApi = LoadLibraryW(L"wtsapi32.dll");
    if (m_hWtsApi)
    {
        m_pfnRegister = reinterpret_cast<PFNREGISTER>(GetProcAddress(m_hWtsApi, "WTSRegisterSessionNotification"));
        m_pfnUnregister =
            reinterpret_cast<PFNUNREGISTER>(GetProcAddress(m_hWtsApi, "WTSUnRegisterSessionNotification"));
    }
    CreateEx(0, AfxRegisterWndClass(0), L"CLVKFrameShadowManager::CWtsEventListener", 0, -100, -100, -50, -50, nullptr,
             nullptr);
}

CLVKFrameShadowManager::CWtsEventListener::~CWtsEventListener()
{
    Unregister();
    if (GetSafeHwnd())
        DestroyWindow();
    if (m_hWtsApi)
        FreeLibrary(m_hWtsApi);
}

BOOL CLVKFrameShadowManager::CWtsEventListener::Register()
{
    if (m_bRegistered || !m_pfnRegister || !GetSafeHwnd())
        return m_bRegistered;
    m_bRegistered = m_pfnRegister(m_hWnd, NOTIFY_FOR_THIS_SESSION);
    return m_bRegistered;
}

void CLVKFrameShadowManager::CWtsEventListener::Unregister()
{
    if (m_bRegistered && m_pfnUnregister && GetSafeHwnd())
        m_pfnUnregister(m_hWnd);
    m_bRegistered = FALSE;
}

LRESULT CLVKFrameShadowManager::CWtsEventListener::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Any session change: the state is read again rather than guessed from
    // the change's code (a console connect may follow a remote one).
    if (message == WM_WTSSESSION_CHANGE)
        CLVKFrameShadowManager::GetGlobal()->SetRemoteSession(GetSystemMetrics(SM_REMOTESESSION), TRUE);
    return CWnd::WindowProc(message, wParam, lParam);
}

int CLVKFrameShadowManager::CFrameShadowHook::HandleHookedMessage(HWND, UINT nCode, WPARAM&, LPARAM& lParam, LRESULT&)
{
    if (nCode == HC_ACTION && lParam)
        m_pManager->OnHookedMessage(reinterpret_cast<const CWPRETSTRUCT*>(lParam));
    return 0;
}

CLVKFrameShadowManager::CLVKFrameShadowManager()
{
    m_bRemoteSession = GetSystemMetrics(SM_REMOTESESSION);
    m_dwDisableMask = m_bRemoteSession ? 6 : 0;
}

CLVKFrameShadowManager::~CLVKFrameShadowManager()
{
    while (!m_shadows.empty())
        DetachShadow(m_shadows.begin()->first);
    m_pListener.reset();
}

CLVKFrameShadowManager* AFX_CDECL CLVKFrameShadowManager::GetGlobal()
{
    return LVKGetSingleton<CLVKFrameShadowManager>();
}

BOOL AFX_CDECL CLVKFrameShadowManager::IsSupported()
{
    return GetProcAddress(GetModuleHandleW(L"user32"), "UpdateLayeredWindow") != nullptr;
}

template <class F>
void CLVKFrameShadowManager::Notify(F notify)
{
    // In the order observers were added; one removed meanwhile is only
    // marked and dropped when the outermost notification ends.
    ++m_nNotifyDepth;
    for (size_t i = 0; i < m_arrObservers.size(); ++i)
    {
        if (!m_arrObservers[i].bRemoved)
            notify(m_arrObservers[i].pObserver);
    }
    if (--m_nNotifyDepth != 0)
        return;
    for (INT_PTR i = static_cast<INT_PTR>(m_arrObservers.size()) - 1; i >= 0; --i)
    {
        if (m_arrObservers[i].bRemoved)
            RemoveAt(static_cast<int>(i));
    }
}

CLVKFrameShadow* CLVKFrameShadowManager::AttachShadow(HWND hOwner, COLORREF clr, int nSize, int nInnerSize,
                                                      int nOffsetX, int nOffsetY, BYTE nTransparency)
{
    if (!IsWindow(hOwner) || !IsSupported())
        return nullptr;
    CLock lock(m_lock);
    const auto it = m_shadows.find(hOwner);
    if (it != m_shadows.end())
        return it->second;

    auto* pShadow = new CLVKFrameShadow(hOwner);
    POINT ptOffset{nOffsetX, nOffsetY};
    if (nOffsetX <= 0 && nOffsetY <= 0)
        ptOffset = m_ptOffset;
    if (!pShadow->Create(clr == static_cast<COLORREF>(-1) ? m_clrDefault : clr, nSize ? nSize : m_nSize,
                         nInnerSize ? nInnerSize : m_nInnerSize, ptOffset,
                         nTransparency ? nTransparency : m_nTransparency))
    {
        pShadow->InternalRelease();
        return nullptr;
    }
    m_shadows[hOwner] = pShadow;
    HookThread(pShadow, TRUE);
    if (m_shadows.size() == 1)
    {
        if (!m_pListener)
            m_pListener = std::make_unique<CWtsEventListener>();
        m_pListener->Register();
    }
    Notify([&](ILVKFrameShadowManagerEvents* p) { p->OnShadowAttached(this, hOwner, pShadow); });
    return pShadow;
}

void CLVKFrameShadowManager::DetachShadow(HWND hOwner)
{
    CLock lock(m_lock);
    const auto it = m_shadows.find(hOwner);
    if (it == m_shadows.end())
        return;
    CLVKFrameShadow* pShadow = it->second;
    Notify([&](ILVKFrameShadowManagerEvents* p) { p->OnShadowDetached(this, hOwner, pShadow); });
    HookThread(pShadow, FALSE);
    m_shadows.erase(hOwner);
    if (pShadow->GetSafeHwnd() && !pShadow->IsBeingDestroyed())
        pShadow->DestroyWindow();
    pShadow->InternalRelease();
    if (m_shadows.empty() && m_pListener)
        m_pListener->Unregister();
}

CLVKFrameShadow* CLVKFrameShadowManager::Find(HWND hOwner)
{
    CLock lock(m_lock);
    const auto it = m_shadows.find(hOwner);
    return it == m_shadows.end() ? nullptr : it->second;
}

void CLVKFrameShadowManager::HookThread(CLVKFrameShadow* pShadow, BOOL bAdd)
{
    const DWORD dwThreadId = GetWindowThreadProcessId(pShadow->GetSafeHwnd(), nullptr);
    if (!dwThreadId)
        return;
    const auto it = m_threadHooks.find(dwThreadId);
    if (bAdd)
    {
        if (it != m_threadHooks.end())
        {
            ++it->second->m_nCount;
            return;
        }
        auto* pHook = new CFrameShadowHook(this);
        if (!CLVKHookManager::GetGlobal()->AddThreadListener(WH_CALLWNDPROCRET, pHook, dwThreadId))
        {
            delete pHook;
            return;
        }
        m_threadHooks[dwThreadId] = pHook;
        return;
    }
    if (it == m_threadHooks.end())
        return;
    if (--it->second->m_nCount > 0)
        return;
    CFrameShadowHook* pHook = it->second;
    m_threadHooks.erase(it);
    CLVKHookManager::GetGlobal()->RemoveListener(pHook);  // deletes it
}

void CLVKFrameShadowManager::OnHookedMessage(const CWPRETSTRUCT* pMsg)
{
    CLVKFrameShadow* pShadow = Find(pMsg->hwnd);
    if (!pShadow)
        return;
    switch (pMsg->message)
    {
    case WM_DESTROY:
        DetachShadow(pMsg->hwnd);
        break;
    case WM_SHOWWINDOW:
        if (pMsg->wParam)
            pShadow->Show();
        else
            pShadow->Hide();
        break;
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
        pShadow->Reposition();
        break;
    case WM_STYLECHANGED:
        if (static_cast<int>(pMsg->wParam) == GWL_STYLE && pMsg->lParam)
        {
            const auto* pStyle = reinterpret_cast<const STYLESTRUCT*>(pMsg->lParam);
            pShadow->OnOwnerStyleChanged(pStyle->styleOld, pStyle->styleNew);
        }
        break;
    case WM_NCPAINT:
        if (pShadow->IsWaitingForRestore())
            pShadow->StartRestoreTimer();
        break;
    default:
        break;
    }
}

void CLVKFrameShadowManager::SetSize(int nSize)
{
    CLock lock(m_lock);
    m_nSize = nSize;
    for (auto& entry : m_shadows)
        entry.second->SetSize(nSize);
}

void CLVKFrameShadowManager::SetInnerSize(int nInnerSize)
{
    CLock lock(m_lock);
    m_nInnerSize = nInnerSize;
    for (auto& entry : m_shadows)
        entry.second->SetInnerSize(nInnerSize);
}

void CLVKFrameShadowManager::SetOffset(int x, int y)
{
    CLock lock(m_lock);
    m_ptOffset = {x, y};
    for (auto& entry : m_shadows)
        entry.second->SetOffset(x, y);
}

void CLVKFrameShadowManager::SetTransparency(BYTE nTransparency)
{
    CLock lock(m_lock);
    m_nTransparency = nTransparency;
    for (auto& entry : m_shadows)
        entry.second->SetTransparency(nTransparency);
}

void CLVKFrameShadowManager::SetRemoteSession(BOOL bRemote, BOOL bUpdate)
{
    if (!bRemote == !m_bRemoteSession)
        return;
    m_bRemoteSession = bRemote;
    const DWORD dwOld = m_dwDisableMask;
    m_dwDisableMask = bRemote ? 6 : 0;
    if (dwOld != m_dwDisableMask)
        Notify([&](ILVKFrameShadowManagerEvents* p) { p->OnShadowOptionsChanged(this, dwOld, m_dwDisableMask); });
    if (bUpdate)
        UpdateAll(FALSE);
}

void CLVKFrameShadowManager::UpdateAll(BOOL bRedraw)
{
    if (m_bUpdating)
        return;
    m_bUpdating = TRUE;
    std::vector<CLVKFrameShadow*> shadows;
    {
        CLock lock(m_lock);
        for (auto& entry : m_shadows)
            shadows.push_back(entry.second);
    }
    for (CLVKFrameShadow* pShadow : shadows)
        pShadow->Update(TRUE, bRedraw);
    m_bUpdating = FALSE;
}
