#include "Controls/ScrollBarThemeFlat.h"

#include "Controls/ScrollBarArrowGlyph.h"
#include "Foundation/ColorManager.h"

CLVKScrollBarThemeFlat::CLVKScrollBarThemeFlat()
{
    CLVKScrollBarThemeFlat::RefreshMetrics();
}

void CLVKScrollBarThemeFlat::RefreshMetrics()
{
    CLVKScrollBarThemeWindowsUx::RefreshMetrics();
    m_clrLightEdge = GetToolkitColor(COLOR_BTNHIGHLIGHT);
    m_clrDarkEdge = GetToolkitColor(COLOR_BTNSHADOW);
}

void CLVKScrollBarThemeFlat::DrawFlatArrows(CDC* pDC, const CLVKScrollBarPartRects& parts)
{
    for (int nPart : {LVK_HTSCROLLUP, LVK_HTSCROLLDOWN})
    {
        const CRect& rc = nPart == LVK_HTSCROLLUP ? parts.rcFirstArrow : parts.rcSecondArrow;
        const BOOL bPressed = parts.bEnabled && parts.nPressedPart == nPart;
        pDC->FillSolidRect(&rc, m_clrFace);
        pDC->Draw3dRect(&rc, bPressed ? m_clrDarkEdge : m_clrLightEdge, bPressed ? m_clrLightEdge : m_clrDarkEdge);
    }
}

void CLVKScrollBarThemeFlat::DrawFlatThumb(CDC* pDC, const CLVKScrollBarPartRects& parts)
{
    if (parts.rcTrack.IsRectEmpty() || parts.rcThumb.IsRectEmpty())
        return;
    pDC->FillSolidRect(&parts.rcThumb, m_clrFace);
    pDC->Draw3dRect(&parts.rcThumb, m_clrLightEdge, m_clrDarkEdge);
}

void CLVKScrollBarThemeFlat::DrawArrowButtonsHorz(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    DrawFlatArrows(pDC, parts);
}

void CLVKScrollBarThemeFlat::DrawArrowButtonsVert(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    DrawFlatArrows(pDC, parts);
}

void CLVKScrollBarThemeFlat::DrawArrowGlyphsHorz(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    CLVKScrollBarArrowGlyph::Draw(pDC, parts.rcFirstArrow, CLVKScrollBarArrowGlyph::directionLeft, parts.bEnabled,
                                  static_cast<COLORREF>(-1));
    CLVKScrollBarArrowGlyph::Draw(pDC, parts.rcSecondArrow, CLVKScrollBarArrowGlyph::directionRight, parts.bEnabled,
                                  static_cast<COLORREF>(-1));
}

void CLVKScrollBarThemeFlat::DrawArrowGlyphsVert(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    CLVKScrollBarArrowGlyph::Draw(pDC, parts.rcFirstArrow, CLVKScrollBarArrowGlyph::directionUp, parts.bEnabled,
                                  static_cast<COLORREF>(-1));
    CLVKScrollBarArrowGlyph::Draw(pDC, parts.rcSecondArrow, CLVKScrollBarArrowGlyph::directionDown, parts.bEnabled,
                                  static_cast<COLORREF>(-1));
}

void CLVKScrollBarThemeFlat::DrawTrackHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts)
{
    DrawClassicTrack(pDC, pScroll, parts, FALSE);
}

void CLVKScrollBarThemeFlat::DrawTrackVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts)
{
    DrawClassicTrack(pDC, pScroll, parts, FALSE);
}

void CLVKScrollBarThemeFlat::DrawThumbHorz(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    DrawFlatThumb(pDC, parts);
}

void CLVKScrollBarThemeFlat::DrawThumbVert(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    DrawFlatThumb(pDC, parts);
}

void CLVKScrollBarThemeFlat::DrawSizeBox(CDC* pDC, CLVKScrollBase* pScroll)
{
    pDC->FillSolidRect(&pScroll->GetGeometry().rcBar, GetToolkitColor(COLOR_BTNFACE));
}
