// The base of elements that live inside a framework element's content
// without a visual of their own (text runs, grid definitions): their
// property changes ask the nearest framework element to lay out or repaint.
#pragma once

#include "Markup/MarkupInputElement.h"

class CLVKMarkupFrameworkElement;

class CLVKMarkupFrameworkContentElement : public CLVKMarkupInputElement
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    void OnPropertyChanged(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pOldValue,
                           CLVKMarkupObject* pNewValue) override;
    CLVKMarkupInputElement* InputHitTest(int /*x*/, int /*y*/) override { return nullptr; }
    // The nearest logical ancestor that is a framework element, or null.
    CLVKMarkupFrameworkElement* GetParentFrameworkElement() const;

    static void AFX_CDECL RegisterProperties();
};
