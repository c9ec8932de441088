// CLVKScrollBarThemeOffice2013: flat bars in the "Common.ScrollBar" colours
// of the resource theme, by part state.
#pragma once

#include "Controls/ScrollBarPaintManager.h"

class CLVKScrollBarThemeOffice2013 : public CLVKScrollBarPaintManager
{
public:
    enum StateSet
    {
        setNormal,
        setPressed,
        setSelected,
        setDisabled,
        setCount
    };
    struct StateColors
    {
        COLORREF clrBack;
        COLORREF clrScrollBorder;
        COLORREF clrScrollBack;
        COLORREF clrScrollArrow;
        COLORREF clrThumbBorder;
        COLORREF clrThumbBack;
    };
    // The colours of one draw: arrows (back, glyph, border), thumb and bar.
    struct PartColors
    {
        COLORREF clrFirstBack, clrFirstGlyph, clrFirstBorder;
        COLORREF clrSecondBack, clrSecondGlyph, clrSecondBorder;
        COLORREF clrThumbBack, clrThumbBorder, clrBackground;
    };

    CLVKScrollBarThemeOffice2013();

    void RefreshMetrics() override;
    void DrawScrollBar(CDC* pDC, CLVKScrollBase* pScroll) override;
    void DrawBackgroundHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawBackgroundVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawArrowButtonsHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawArrowButtonsVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawArrowGlyphsHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawArrowGlyphsVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawThumbHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawThumbVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawSizeBox(CDC* pDC, CLVKScrollBase* pScroll) override;
    virtual void GetPartColors(const CLVKScrollBarPartRects& parts, PartColors& colors) const;

    const StateColors& GetStateColors(int nSet) const { return m_sets[nSet]; }

private:
    void DrawArrows(CDC* pDC, const CLVKScrollBarPartRects& parts);
    void DrawGlyphs(CDC* pDC, const CLVKScrollBarPartRects& parts, BOOL bVertical);
    void DrawThumb(CDC* pDC, const CLVKScrollBarPartRects& parts);

    StateColors m_sets[setCount] = {};
    PartColors m_colors = {};
};
