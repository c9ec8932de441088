// A minimal text block: one line of text ("Text" or the element's text)
// in the element's font and foreground. Inlines, wrapping, trimming and
// alignment come with the full text element set.
#pragma once

#include "Markup/MarkupFrameworkElement.h"

class CLVKMarkupBrush;
class CLVKMarkupFont;

class CLVKMarkupTextBlock : public CLVKMarkupFrameworkElement
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    void OnRender(CLVKMarkupDrawingContext* pDC) override;
    CLVKMarkupInputElement* HitTestCore(int /*x*/, int /*y*/) override { return this; }
    void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    BOOL AllowWhiteSpaceContent() const override { return TRUE; }

    LPCWSTR GetText() const;
    // The font of the element's font properties over the context's default,
    // with one reference for the caller.
    CLVKMarkupFont* CreateFont() const;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pTextProperty;
    static CLVKMarkupDependencyProperty* m_pForegroundProperty;
    static CLVKMarkupDependencyProperty* m_pFontSizeProperty;
    static CLVKMarkupDependencyProperty* m_pFontWeightProperty;
    static CLVKMarkupDependencyProperty* m_pFontStyleProperty;
    static CLVKMarkupDependencyProperty* m_pFontFamilyProperty;
};
