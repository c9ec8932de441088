#include "CommandBars/CommandBarsContextMenus.h"

#include "CommandBars/PopupBar.h"

void CLVKCommandBarsContextMenus::Add(CLVKPopupBar* pPopupBar)
{
    if (!pPopupBar)
        return;
    pPopupBar->SetContextMenu(TRUE);
    CLVKCommandBarList::Add(pPopupBar);
}
