// "CheckBox": a 13-pixel mark box at the left, vertically centred, and the
// content beside it.
#pragma once

#include "Markup/MarkupToggleButton.h"

class CLVKMarkupCheckBox : public CLVKMarkupToggleButton
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;
    void OnRender(CLVKMarkupDrawingContext* pDC) override;
    void OnRenderFocusVisual(CLVKMarkupDrawingContext* pDC) override;

    // The mark box in render coordinates.
    RECT GetMarkRect() const;

protected:
    // The theme state offset of the mark: 4 disabled, 3 pressed, 2 hot, 1.
    int GetBaseState() const;
    virtual void DrawMark(HDC hDC, const RECT& rcMark);
    // The radio mark is round: the pixels under its box are copied first.
    virtual BOOL DrawsOverBackground() const { return FALSE; }
};
