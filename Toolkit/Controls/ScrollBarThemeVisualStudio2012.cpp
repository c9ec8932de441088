#include "Controls/ScrollBarThemeVisualStudio2012.h"

#include "Controls/ScrollBarArrowGlyph.h"
#include "Foundation/DpiScaling.h"

CLVKScrollBarThemeVisualStudio2012::Colors
CLVKScrollBarThemeVisualStudio2012::GetColors(const CLVKScrollBase* pScroll) const
{
    static const Colors kLight = {0xECE8E8, 0xD3CBCA, 0x998986, 0xEA971C, 0xCC7A00, 0xD7D1D0, 0x888888, 0x6A6A6A};
    static const Colors kDark = {0x423E3E, 0x585555, 0x999999, 0xEA971C, 0xCC7A00, 0x686868, 0x9E9E9E, 0xEFEBEF};
    return pScroll->GetScrollBarStyle() == 9 ? kDark : kLight;
}

void CLVKScrollBarThemeVisualStudio2012::DrawScrollBar(CDC* pDC, CLVKScrollBase* pScroll)
{
    const CLVKScrollBarGeometry& g = pScroll->GetGeometry();
    if (!pScroll->IsSizeBox() && g.nAcrossEnd - g.nAcrossStart <= 0)
        return;
    CLVKScrollBarPartRects parts;
    CalcPartRects(pScroll, parts);
    const CLVKScrollBarTrackState* pState = pScroll->GetTrackState();
    m_nPressedPart = (pState && (pState->bCursorInPart || pState->bDragging)) ? parts.nPressedPart : LVK_HTSCROLLNONE;
    m_nHotPart = parts.nHotPart;
    m_bEnabled = parts.bEnabled;
    m_nThumbLength = parts.nThumbLength;
    m_nThumbOffset = parts.nThumbOffset;
    m_colors = GetColors(pScroll);
    CLVKScrollBarPaintManager::DrawScrollBar(pDC, pScroll);
}

void CLVKScrollBarThemeVisualStudio2012::DrawArrowButtonsHorz(CDC* pDC, CLVKScrollBase*,
                                                              const CLVKScrollBarPartRects& parts)
{
    pDC->FillSolidRect(&parts.rcFirstArrow, m_colors.clrBackground);
    pDC->FillSolidRect(&parts.rcSecondArrow, m_colors.clrBackground);
}

void CLVKScrollBarThemeVisualStudio2012::DrawArrowButtonsVert(CDC* pDC, CLVKScrollBase* pScroll,
                                                              const CLVKScrollBarPartRects& parts)
{
    DrawArrowButtonsHorz(pDC, pScroll, parts);
}

void CLVKScrollBarThemeVisualStudio2012::DrawGlyphs(CDC* pDC, const CLVKScrollBarPartRects& parts, BOOL bVertical)
{
    auto colorOf = [this](int nPart)
    {
        if (!m_bEnabled)
            return m_colors.clrArrowDisabled;
        if (m_nPressedPart == nPart)
            return m_colors.clrArrowPressed;
        if (m_nHotPart == nPart)
            return m_colors.clrArrowHot;
        return m_colors.clrArrowNormal;
    };
    CLVKScrollBarArrowGlyph::Draw(pDC, parts.rcFirstArrow,
                                  bVertical ? CLVKScrollBarArrowGlyph::directionUp
                                            : CLVKScrollBarArrowGlyph::directionLeft,
                                  m_bEnabled, colorOf(LVK_HTSCROLLUP));
    CLVKScrollBarArrowGlyph::Draw(pDC, parts.rcSecondArrow,
                                  bVertical ? CLVKScrollBarArrowGlyph::directionDown
                                            : CLVKScrollBarArrowGlyph::directionRight,
                                  m_bEnabled, colorOf(LVK_HTSCROLLDOWN));
}

void CLVKScrollBarThemeVisualStudio2012::DrawArrowGlyphsHorz(CDC* pDC, CLVKScrollBase*,
                                                             const CLVKScrollBarPartRects& parts)
{
    DrawGlyphs(pDC, parts, FALSE);
}

void CLVKScrollBarThemeVisualStudio2012::DrawArrowGlyphsVert(CDC* pDC, CLVKScrollBase*,
                                                             const CLVKScrollBarPartRects& parts)
{
    DrawGlyphs(pDC, parts, TRUE);
}

void CLVKScrollBarThemeVisualStudio2012::DrawTrackHorz(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    pDC->FillSolidRect(&parts.rcTrack, m_colors.clrBackground);
}

void CLVKScrollBarThemeVisualStudio2012::DrawTrackVert(CDC* pDC, CLVKScrollBase* pScroll,
                                                       const CLVKScrollBarPartRects& parts)
{
    DrawTrackHorz(pDC, pScroll, parts);
}

void CLVKScrollBarThemeVisualStudio2012::DrawThumb(CDC* pDC, const CLVKScrollBarPartRects& parts, BOOL bVertical)
{
    if (m_nThumbLength <= 0)
        return;
    CRect rc = parts.rcThumb;
    const int nInset = CLVKDpiScaling::GetGlobal()->ScaleX(5);
    if (bVertical)
        rc.DeflateRect(nInset, 0);
    else
        rc.DeflateRect(0, nInset);
    COLORREF clr = m_colors.clrThumbNormal;
    if (m_nPressedPart == LVK_HTSCROLLTHUMB)
        clr = m_colors.clrThumbPressed;
    else if (m_nHotPart == LVK_HTSCROLLTHUMB)
        clr = m_colors.clrThumbHot;
    if (!rc.IsRectEmpty())
        pDC->FillSolidRect(&rc, clr);
}

void CLVKScrollBarThemeVisualStudio2012::DrawThumbHorz(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    DrawThumb(pDC, parts, FALSE);
}

void CLVKScrollBarThemeVisualStudio2012::DrawThumbVert(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    DrawThumb(pDC, parts, TRUE);
}

void CLVKScrollBarThemeVisualStudio2012::DrawSizeBox(CDC* pDC, CLVKScrollBase* pScroll)
{
    pDC->FillSolidRect(&pScroll->GetGeometry().rcBar, GetColors(pScroll).clrBackground);
}
