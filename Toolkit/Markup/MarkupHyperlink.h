// A span that looks like a link (blue, underlined, red under the mouse, the
// hand cursor) and raises the bubbling "Click" event when the left button is
// pressed and released on it. It navigates nowhere itself: hosts handle
// Click (a handler named in markup, or a context-wide handler) and read the
// target from "NavigateUri".
#pragma once

#include "Markup/MarkupSpan.h"

class CLVKMarkupRoutedEvent;

class CLVKMarkupHyperlink : public CLVKMarkupSpan
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    void OnMouseLeftButtonDown(CLVKMarkupMouseButtonEventArgs* pArgs) override;
    void OnMouseLeftButtonUp(CLVKMarkupMouseButtonEventArgs* pArgs) override;
    virtual void OnClick();

    // The target text, empty when none is set.
    LPCWSTR GetNavigateUri() const;
    void SetNavigateUri(LPCWSTR lpszUri);
    BOOL IsPressed() const { return m_bPressed; }

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pNavigateUriProperty;
    static CLVKMarkupRoutedEvent* m_pClickEvent;

private:
    BOOL m_bPressed = FALSE;

    DECLARE_DISPATCH_MAP()
};
