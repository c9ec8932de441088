// The push button "Button": its content inside a padded bevel, drawn with
// the "BUTTON" theme when the application is themed, else classically.
#pragma once

#include "Markup/MarkupButtonBase.h"

class CLVKMarkupBrush;
class CLVKMarkupThickness;

class CLVKMarkupButton : public CLVKMarkupButtonBase
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;
    void OnRender(CLVKMarkupDrawingContext* pDC) override;
    void OnRenderFocusVisual(CLVKMarkupDrawingContext* pDC) override;

    CLVKMarkupBrush* GetBackground() const;
    // The padding, null when unset.
    CLVKMarkupThickness* GetPadding() const;

private:
    static void DrawFrameLines(CLVKMarkupDrawingContext* pDC, const RECT& rc, COLORREF clr);
};
