#include "PopupMenuService.h"

namespace
{
LVKPopupMenuTracker g_pTracker = nullptr;

// The flags the platform's menu knows; the toolkit's trackers may read more.
const UINT kPlatformMenuFlags = TPM_CENTERALIGN | TPM_RIGHTALIGN | TPM_VCENTERALIGN | TPM_BOTTOMALIGN |
                                TPM_VERTICAL | TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD |
                                TPM_HORPOSANIMATION | TPM_HORNEGANIMATION | TPM_VERPOSANIMATION |
                                TPM_VERNEGANIMATION | TPM_NOANIMATION;
}  // namespace

void AFX_CDECL LVKSetPopupMenuTracker(LVKPopupMenuTracker pTracker)
{
    g_pTracker = pTracker;
}

LVKPopupMenuTracker AFX_CDECL LVKGetPopupMenuTracker()
{
    return g_pTracker;
}

BOOL AFX_CDECL LVKTrackPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pOwner, UINT nIDToolBar,
                                 BOOL bNoNotify)
{
    if (!pMenu || !::IsMenu(pMenu->GetSafeHmenu()))
        return FALSE;
    if (g_pTracker)
        return g_pTracker(pMenu, nFlags, x, y, pOwner, nIDToolBar, bNoNotify);

    // The platform's menu needs a window to send its commands to and to own
    // its modal loop.
    const HWND hOwner = pOwner ? pOwner->GetSafeHwnd() : nullptr;
    if (!hOwner)
        return FALSE;
    if (bNoNotify)
        nFlags |= TPM_NONOTIFY;
    return ::TrackPopupMenuEx(pMenu->GetSafeHmenu(), nFlags & kPlatformMenuFlags, x, y, hOwner, nullptr);
}
