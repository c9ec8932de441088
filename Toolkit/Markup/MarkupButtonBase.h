// The base of clickable markup elements: pressed and hover state from the
// relayed mouse input, capture while the left button is held, and the
// bubbling "Click" event on a release over the element.
#pragma once

#include "Markup/MarkupContentControl.h"

#include <memory>

class CLVKMarkupRoutedEvent;
class CLVKWinThemeWrapper;

class CLVKMarkupButtonBase : public CLVKMarkupContentControl
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupButtonBase();
    ~CLVKMarkupButtonBase() override;

    BOOL IsPressed() const;
    // The one place that changes the pressed state.
    void SetPressed(BOOL bPressed);

    void OnMouseLeave(CLVKMarkupMouseEventArgs* pArgs) override;
    void OnMouseEnter(CLVKMarkupMouseEventArgs* pArgs) override;
    void OnMouseLeftButtonUp(CLVKMarkupMouseButtonEventArgs* pArgs) override;
    void OnMouseLeftButtonDown(CLVKMarkupMouseButtonEventArgs* pArgs) override;
    void OnLostMouseCapture(CLVKMarkupMouseEventArgs* pArgs) override;
    // Raises "Click" with this element as its source.
    virtual void OnClick();

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pIsPressedProperty;
    static CLVKMarkupRoutedEvent* m_pClickEvent;

protected:
    // Opens the "BUTTON" theme data for the context's window.
    void OpenButtonTheme();
    // Themed drawing applies: the application is themed and the data is open.
    BOOL IsThemed();
    CLVKWinThemeWrapper& GetThemeWrapper() const { return *m_pTheme; }
    // Raises a routed event with this element as its source.
    void RaiseOwnEvent(CLVKMarkupRoutedEvent* pEvent);
    int ScaleX(int n) const;
    int ScaleY(int n) const;

    BOOL OleGetIsPressed();
    // Scripts read the pressed state; writing it changes nothing.
    void OleSetIsPressed(BOOL) {}
    DECLARE_DISPATCH_MAP()

private:
    BOOL m_bPressed = FALSE;
    BOOL m_bMouseOver = FALSE;
    std::unique_ptr<CLVKWinThemeWrapper> m_pTheme;
};
