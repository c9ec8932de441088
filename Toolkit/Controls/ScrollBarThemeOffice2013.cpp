#include "Controls/ScrollBarThemeOffice2013.h"

#include "Foundation/ResourceImages.h"
#include "Controls/ScrollBarArrowGlyph.h"

namespace
{

void DrawBorderedRect(CDC* pDC, const CRect& rc, COLORREF clrBorder, COLORREF clrFill)
{
    pDC->FillSolidRect(&rc, clrFill);
    pDC->Draw3dRect(&rc, clrBorder, clrBorder);
}

}  // namespace

CLVKScrollBarThemeOffice2013::CLVKScrollBarThemeOffice2013()
{
    CLVKScrollBarThemeOffice2013::RefreshMetrics();
}

void CLVKScrollBarThemeOffice2013::RefreshMetrics()
{
    CLVKScrollBarPaintManager::RefreshMetrics();
    static const LPCWSTR kStates[setCount] = {L"Normal", L"Pressed", L"Selected", L"Disabled"};
    static const StateColors kDefaults[setCount] = {
        {0xF3F3F3, 0xABABAB, 0xFFFFFF, 0x777777, 0xABABAB, 0xFFFFFF},
        {0xF3F3F3, 0x777777, 0xF0F0F0, 0x777777, 0x777777, 0xF0F0F0},
        {0xF3F3F3, 0x777777, 0xFFFFFF, 0x777777, 0xABABAB, 0xF0F0F0},
        {0xF3F3F3, 0xF3F3F3, 0xF3F3F3, 0xABABAB, 0xF3F3F3, 0xF3F3F3},
    };
    for (int i = 0; i < setCount; ++i)
    {
        const CString strState(kStates[i]);
        auto read = [&strState](LPCWSTR lpszColumn, COLORREF clrDefault)
        { return GetResourceImageColor(L"Common.ScrollBar", strState + lpszColumn, clrDefault); };
        m_sets[i].clrBack = read(L"Back", kDefaults[i].clrBack);
        m_sets[i].clrScrollBorder = read(L"ScrollBorder", kDefaults[i].clrScrollBorder);
        m_sets[i].clrScrollBack = read(L"ScrollBack", kDefaults[i].clrScrollBack);
        m_sets[i].clrScrollArrow = read(L"ScrollArrow", kDefaults[i].clrScrollArrow);
        m_sets[i].clrThumbBorder = read(L"ThumbBorder", kDefaults[i].clrThumbBorder);
        m_sets[i].clrThumbBack = read(L"ThumbBack", kDefaults[i].clrThumbBack);
    }
}

void CLVKScrollBarThemeOffice2013::GetPartColors(const CLVKScrollBarPartRects& parts, PartColors& c) const
{
    auto setOf = [&parts](int nPart)
    {
        if (!parts.bEnabled)
            return static_cast<int>(setDisabled);
        if (parts.nHotPart == nPart)
            return static_cast<int>(setSelected);
        if (parts.nPressedPart == nPart)
            return static_cast<int>(setPressed);
        return static_cast<int>(setNormal);
    };
    const StateColors& first = m_sets[setOf(LVK_HTSCROLLUP)];
    const StateColors& second = m_sets[setOf(LVK_HTSCROLLDOWN)];
    const StateColors& thumb = m_sets[setOf(LVK_HTSCROLLTHUMB)];
    c.clrFirstBack = first.clrScrollBack;
    c.clrFirstGlyph = first.clrScrollArrow;
    c.clrFirstBorder = first.clrScrollBorder;
    c.clrSecondBack = second.clrScrollBack;
    c.clrSecondGlyph = second.clrScrollArrow;
    c.clrSecondBorder = second.clrScrollBorder;
    c.clrThumbBack = thumb.clrThumbBack;
    c.clrThumbBorder = thumb.clrThumbBorder;
    c.clrBackground = thumb.clrBack;
}

void CLVKScrollBarThemeOffice2013::DrawScrollBar(CDC* pDC, CLVKScrollBase* pScroll)
{
    if (!pScroll->IsSizeBox())
    {
        CLVKScrollBarPartRects parts;
        CalcPartRects(pScroll, parts);
        GetPartColors(parts, m_colors);
    }
    CLVKScrollBarPaintManager::DrawScrollBar(pDC, pScroll);
}

void CLVKScrollBarThemeOffice2013::DrawBackgroundHorz(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    pDC->FillSolidRect(&parts.rcBar, m_colors.clrBackground);
}

void CLVKScrollBarThemeOffice2013::DrawBackgroundVert(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    pDC->FillSolidRect(&parts.rcBar, m_colors.clrBackground);
}

void CLVKScrollBarThemeOffice2013::DrawArrows(CDC* pDC, const CLVKScrollBarPartRects& parts)
{
    DrawBorderedRect(pDC, parts.rcFirstArrow, m_colors.clrFirstBorder, m_colors.clrFirstBack);
    DrawBorderedRect(pDC, parts.rcSecondArrow, m_colors.clrSecondBorder, m_colors.clrSecondBack);
}

void CLVKScrollBarThemeOffice2013::DrawArrowButtonsHorz(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    DrawArrows(pDC, parts);
}

void CLVKScrollBarThemeOffice2013::DrawArrowButtonsVert(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    DrawArrows(pDC, parts);
}

void CLVKScrollBarThemeOffice2013::DrawGlyphs(CDC* pDC, const CLVKScrollBarPartRects& parts, BOOL bVertical)
{
    CLVKScrollBarArrowGlyph::Draw(pDC, parts.rcFirstArrow,
                                  bVertical ? CLVKScrollBarArrowGlyph::directionUp
                                            : CLVKScrollBarArrowGlyph::directionLeft,
                                  parts.bEnabled, m_colors.clrFirstGlyph);
    CLVKScrollBarArrowGlyph::Draw(pDC, parts.rcSecondArrow,
                                  bVertical ? CLVKScrollBarArrowGlyph::directionDown
                                            : CLVKScrollBarArrowGlyph::directionRight,
                                  parts.bEnabled, m_colors.clrSecondGlyph);
}

void CLVKScrollBarThemeOffice2013::DrawArrowGlyphsHorz(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    DrawGlyphs(pDC, parts, FALSE);
}

void CLVKScrollBarThemeOffice2013::DrawArrowGlyphsVert(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    DrawGlyphs(pDC, parts, TRUE);
}

void CLVKScrollBarThemeOffice2013::DrawThumb(CDC* pDC, const CLVKScrollBarPartRects& parts)
{
    if (parts.bEnabled && !parts.rcThumb.IsRectEmpty())
        DrawBorderedRect(pDC, parts.rcThumb, m_colors.clrThumbBorder, m_colors.clrThumbBack);
}

void CLVKScrollBarThemeOffice2013::DrawThumbHorz(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    DrawThumb(pDC, parts);
}

void CLVKScrollBarThemeOffice2013::DrawThumbVert(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    DrawThumb(pDC, parts);
}

void CLVKScrollBarThemeOffice2013::DrawSizeBox(CDC* pDC, CLVKScrollBase* pScroll)
{
    pDC->FillSolidRect(&pScroll->GetGeometry().rcBar, m_sets[setNormal].clrBack);
}
