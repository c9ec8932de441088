// The command-bar manager's questions to the thread's mouse and keyboard
// managers, which keep the tracked bars and the bars that see keys.
#include "CommandBars/CommandBars.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/KeyboardManager.h"
#include "CommandBars/MouseManager.h"
#include "CommandBars/PopupBar.h"

void CLVKCommandBars::ClosePopups() const
{
    if (CLVKMouseManager* pMouse = CLVKMouseManager::GetThreadManagerIfAny())
        pMouse->CloseTrackedBars();
}

CLVKMouseManager* CLVKCommandBars::GetMouseManager() const
{
    return CLVKMouseManager::GetThreadManager();
}

CLVKKeyboardManager* CLVKCommandBars::GetKeyboardManager() const
{
    return CLVKKeyboardManager::GetThreadManager();
}

BOOL AFX_CDECL CLVKCommandBars::IsTrackingPopups()
{
    CLVKMouseManager* pMouse = CLVKMouseManager::GetThreadManagerIfAny();
    return pMouse && pMouse->IsTrackingOtherBar(nullptr);
}

int AFX_CDECL CLVKCommandBars::GetPopupLock()
{
    CLVKMouseManager* pMouse = CLVKMouseManager::GetThreadManagerIfAny();
    return pMouse ? pMouse->m_nLock : 0;
}

CLVKCommandBar* AFX_CDECL CLVKCommandBars::GetLastTrackedBar()
{
    CLVKMouseManager* pMouse = CLVKMouseManager::GetThreadManagerIfAny();
    return (pMouse && !pMouse->GetTrackedBars().empty()) ? pMouse->GetTrackedBars().back() : nullptr;
}

BOOL AFX_CDECL CLVKCommandBars::HasHookedBars()
{
    CLVKKeyboardManager* pKeyboard = CLVKKeyboardManager::GetThreadManagerIfAny();
    return pKeyboard && pKeyboard->GetTargetCount() > 0;
}

BOOL AFX_CDECL CLVKCommandBars::OfferToHookedBars(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    CLVKKeyboardManager* pKeyboard = CLVKKeyboardManager::GetThreadManagerIfAny();
    return pKeyboard ? pKeyboard->ProcessKeyboardHooks(nMessage, wParam, lParam) : TRUE;
}

BOOL AFX_CDECL CLVKCommandBars::IsPressOutsideMenus(CLVKCommandBar* pBar, const MSG& msg)
{
    return CLVKMouseManager::GetThreadManager()->PreviewTrackingLoopMessage(pBar, msg);
}

int CLVKCommandBars::TrackPopupBar(CLVKCommandBar* pBar, UINT nFlags, int x, int y, CWnd* pOwner, LPCRECT lpExclude)
{
    CLVKPopupBar* pPopup = DYNAMIC_DOWNCAST(CLVKPopupBar, pBar);
    if (!pPopup)
        return 0;
    // A context menu asked for from the keyboard shows its mnemonics.
    const MSG* pMsg = AfxGetCurrentMessage();
    if (pMsg && pMsg->message == WM_CONTEXTMENU && pMsg->lParam == -1)
    {
        if (CLVKCommandBars* pCommandBars = pPopup->GetCommandBars())
            pCommandBars->ShowKeyboardCues(TRUE);
    }
    CLVKMouseManager* pMouse = CLVKMouseManager::GetThreadManager();
    const BOOL bRecursive = (nFlags & TPM_RECURSE) != 0;
    if (bRecursive)
    {
        // Nested in open menus: those stay, held by a lock while this one shows.
        pMouse->CloseUnlockedBars();
        pMouse->LockTrackedBars(TRUE);
    }
    else
    {
        ClosePopups();
        ::ReleaseCapture();
    }
    // The popup clears its hold on the result slot before it returns.
    const int nResult = pPopup->TrackPopup(nFlags, x, y, pOwner ? pOwner : pPopup->GetSite(), lpExclude);
    if (bRecursive)
        pMouse->LockTrackedBars(FALSE);
    return nResult;
}

int CLVKCommandBars::TrackPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, const TPMPARAMS* pParams)
{
    CLVKPopupBar* pPopup = CLVKPopupBar::CreatePopupBar(this);
    pPopup->SetOwnerWindow(m_pSite);
    if (!pPopup->LoadMenu(pMenu, TRUE))
    {
        pPopup->InternalRelease();
        return 0;
    }
    const int nResult = TrackPopupBar(pPopup, nFlags, x, y, m_pSite, pParams ? &pParams->rcExclude : nullptr);
    pPopup->InternalRelease();
    return nResult;
}
