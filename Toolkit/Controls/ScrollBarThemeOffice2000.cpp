#include "Controls/ScrollBarThemeOffice2000.h"

#include "Foundation/ColorManager.h"

void CLVKScrollBarThemeOffice2000::DrawFramedArrows(CDC* pDC, const CLVKScrollBarPartRects& parts, BOOL bVertical)
{
    DrawClassicArrows(pDC, parts, bVertical);
    const COLORREF clrHighlight = GetToolkitColor(COLOR_BTNHIGHLIGHT);
    const COLORREF clrShadow = GetToolkitColor(COLOR_BTNSHADOW);
    for (int nPart : {LVK_HTSCROLLUP, LVK_HTSCROLLDOWN})
    {
        const CRect& rc = nPart == LVK_HTSCROLLUP ? parts.rcFirstArrow : parts.rcSecondArrow;
        const BOOL bPressed = parts.bEnabled && parts.nPressedPart == nPart;
        pDC->Draw3dRect(&rc, bPressed ? clrShadow : clrHighlight, bPressed ? clrHighlight : clrShadow);
    }
}

void CLVKScrollBarThemeOffice2000::DrawArrowButtonsHorz(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    DrawFramedArrows(pDC, parts, FALSE);
}

void CLVKScrollBarThemeOffice2000::DrawArrowButtonsVert(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    DrawFramedArrows(pDC, parts, TRUE);
}
