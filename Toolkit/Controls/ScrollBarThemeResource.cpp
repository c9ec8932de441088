#include "Controls/ScrollBarThemeResource.h"

#include "Controls/ResourceThemeColors.h"

void CLVKScrollBarThemeResource::DrawScrollBar(CDC* pDC, CLVKScrollBase* pScroll)
{
    // The images ("CONTROLGALLERYSCROLL...") exist only in a loaded theme.
    if (!LVKIsResourceThemeLoaded())
        return;
    CLVKScrollBarPaintManager::DrawScrollBar(pDC, pScroll);
}
