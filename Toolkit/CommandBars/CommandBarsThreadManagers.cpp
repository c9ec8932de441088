// The command-bar manager's questions about tracked bars. Until the
// thread's mouse and keyboard managers exist, the manager answers from its
// own bars: a bar of its own that tracks counts as an open menu, nothing
// locks popups and no bar is hooked for keys.
#include "CommandBars/CommandBars.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/ToolBar.h"

void CLVKCommandBars::ClosePopups() const
{
    for (CLVKToolBar* pBar : m_arrToolBars)
    {
        if (pBar->GetTrackingMode() != kTrackingNone)
            pBar->EndTracking();
    }
}

BOOL AFX_CDECL CLVKCommandBars::IsTrackingPopups()
{
    return FALSE;
}

int AFX_CDECL CLVKCommandBars::GetPopupLock()
{
    return 0;
}

CLVKCommandBar* AFX_CDECL CLVKCommandBars::GetLastTrackedBar()
{
    return nullptr;
}

BOOL AFX_CDECL CLVKCommandBars::HasHookedBars()
{
    return FALSE;
}

BOOL AFX_CDECL CLVKCommandBars::OfferToHookedBars(UINT /*nMessage*/, WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return FALSE;
}

BOOL AFX_CDECL CLVKCommandBars::IsPressOutsideMenus(CLVKCommandBar* /*pBar*/, const MSG& /*msg*/)
{
    return FALSE;
}
