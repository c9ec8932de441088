#include "CommandBars/ToolkitPopupMenu.h"

#include "CommandBars/Controls.h"
#include "CommandBars/PopupBar.h"
#include "Foundation/ImageManager.h"
#include "Foundation/PopupMenuService.h"

BOOL AFX_CDECL TrackToolkitPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pOwner, UINT nIDToolBar,
                                     BOOL bNoNotify)
{
    if (!pMenu || !::IsMenu(pMenu->GetSafeHmenu()))
        return FALSE;
    CLVKPopupBar* pBar = CLVKPopupBar::CreatePopupBar(nullptr);
    if (nIDToolBar > 0)
    {
        CLVKImageManager* pImages = new CLVKImageManager;
        pImages->LoadToolBarIcons(nIDToolBar, 0);
        pBar->SetImageManager(pImages);
    }
    if (!pBar->LoadMenu(pMenu, TRUE))
    {
        pBar->InternalRelease();
        return FALSE;
    }
    if (bNoNotify)
        nFlags |= TPM_NONOTIFY;
    const int nResult = pBar->TrackPopup(nFlags, x, y, pOwner, nullptr);
    pBar->InternalRelease();
    return nResult;
}

void AFX_CDECL InstallToolkitPopupMenu()
{
    LVKSetPopupMenuTracker(&TrackToolkitPopupMenu);
}
