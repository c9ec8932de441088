// The command-bar manager's questions to the thread's mouse and keyboard
// managers, which keep the tracked bars and the bars that see keys.
#include "CommandBars/CommandBars.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/KeyboardManager.h"
#include "CommandBars/MouseManager.h"

void CLVKCommandBars::ClosePopups() const {
  if (CLVKMouseManager *pMouse = CLVKMouseManager::GetThreadManagerIfAny())
    pMouse->CloseTrackedBars();
}

BOOL AFX_CDECL CLVKCommandBars::IsTrackingPopups() {
  CLVKMouseManager *pMouse = CLVKMouseManager::GetThreadManagerIfAny();
  return pMouse && pMouse->IsTrackingOtherBar(nullptr);
}

int AFX_CDECL CLVKCommandBars::GetPopupLock() {
  CLVKMouseManager *pMouse = CLVKMouseManager::GetThreadManagerIfAny();
  return pMouse ? pMouse->m_nLock : 0;
}

CLVKCommandBar *AFX_CDECL CLVKCommandBars::GetLastTrackedBar() {
  CLVKMouseManager *pMouse = CLVKMouseManager::GetThreadManagerIfAny();
  return (pMouse && !pMouse->GetTrackedBars().empty())
             ? pMouse->GetTrackedBars().back()
             : nullptr;
}

BOOL AFX_CDECL CLVKCommandBars::HasHookedBars() {
  CLVKKeyboardManager *pKeyboard = CLVKKeyboardManager::GetThreadManagerIfAny();
  return pKeyboard && pKeyboard->GetTargetCount() > 0;
}

BOOL AFX_CDECL CLVKCommandBars::OfferToHookedBars(UINT nMessage, WPARAM wParam,
                                                  LPARAM lParam) {
  CLVKKeyboardManager *pKeyboard = CLVKKeyboardManager::GetThreadManagerIfAny();
  return pKeyboard ? pKeyboard->ProcessKeyboardHooks(nMessage, wParam, lParam)
                   : TRUE;
}

BOOL AFX_CDECL CLVKCommandBars::IsPressOutsideMenus(CLVKCommandBar *pBar,
                                                    const MSG &msg) {
  return CLVKMouseManager::GetThreadManager()->PreviewTrackingLoopMessage(pBar,
                                                                          msg);
}
