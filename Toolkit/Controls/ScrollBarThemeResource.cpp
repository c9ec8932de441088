#include "Controls/ScrollBarThemeResource.h"

#include "Foundation/ResourceImages.h"

void CLVKScrollBarThemeResource::DrawScrollBar(CDC* pDC, CLVKScrollBase* pScroll)
{
    // Without a loaded theme, or without its arrow-glyph image, the whole bar
    // is skipped. The themes this program ships carry no scroll-bar images.
    CLVKResourceImages* const pImages = CLVKResourceImages::GetGlobal();
    if (!pImages || !pImages->IsLoaded())
        return;
    const BOOL bDark = pScroll->GetScrollBarStyle() == 6;
    if (!(bDark && pImages->GetImage(L"CONTROLGALLERYSCROLLARROWGLYPHSDARK")) &&
        !pImages->GetImage(L"CONTROLGALLERYSCROLLARROWGLYPHS"))
        return;
    CLVKScrollBarPaintManager::DrawScrollBar(pDC, pScroll);
}
