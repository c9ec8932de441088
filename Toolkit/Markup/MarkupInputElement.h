// The base of every markup element that takes mouse input, carries a style
// and triggers, a cursor and a tooltip, and owns routed-event handlers.
#pragma once

#include "Markup/MarkupType.h"

#include <map>
#include <vector>

class CLVKMarkupDelegate;
class CLVKMarkupRoutedEvent;
class CLVKMarkupRoutedEventArgs;
class CLVKMarkupMouseEventArgs;
class CLVKMarkupMouseButtonEventArgs;
class CLVKMarkupMouseWheelEventArgs;
class CLVKMarkupQueryCursorEventArgs;
class CLVKMarkupStyle;
class CLVKMarkupTrigger;
class CLVKMarkupTriggerCollection;

class CLVKMarkupInputElement : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    // Holds a reference on the delegate.
    void AddHandler(CLVKMarkupRoutedEvent* pEvent, CLVKMarkupDelegate* pDelegate);
    void RaiseEvent(CLVKMarkupRoutedEventArgs* pArgs);
    // Every delegate of the args' event, in the order they were added.
    void InvokeHandlers(CLVKMarkupObject* pSender, CLVKMarkupRoutedEventArgs* pArgs);

    virtual void OnMouseLeave(CLVKMarkupMouseEventArgs* pArgs);
    virtual void OnMouseEnter(CLVKMarkupMouseEventArgs* pArgs);
    virtual void OnMouseMove(CLVKMarkupMouseEventArgs* /*pArgs*/) {}
    virtual void OnQueryCursor(CLVKMarkupQueryCursorEventArgs* pArgs);
    virtual void OnMouseLeftButtonUp(CLVKMarkupMouseButtonEventArgs* /*pArgs*/) {}
    virtual void OnMouseRightButtonUp(CLVKMarkupMouseButtonEventArgs* /*pArgs*/) {}
    virtual void OnMouseLeftButtonDown(CLVKMarkupMouseButtonEventArgs* /*pArgs*/) {}
    virtual void OnMouseRightButtonDown(CLVKMarkupMouseButtonEventArgs* /*pArgs*/) {}
    virtual void OnLostMouseCapture(CLVKMarkupMouseEventArgs* /*pArgs*/) {}
    virtual void OnMouseWheel(CLVKMarkupMouseWheelEventArgs* /*pArgs*/) {}
    virtual CLVKMarkupInputElement* InputHitTest(int /*x*/, int /*y*/) { return nullptr; }
    virtual void ApplyImplicitStyle();

    // Children first, then the object itself.
    static void AFX_CDECL ApplyStylesInTree(CLVKMarkupObject* pObject, int nDepth = 0);

    // Value precedence: local, trigger, style, type style.
    CLVKMarkupObject* GetLocalValue(CLVKMarkupDependencyProperty* pProperty) const override;
    void SetPropertyObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupDependencyProperty* pProperty,
                           CLVKMarkupObject* pValue) override;

    CLVKMarkupStyle* GetStyleInForce() const { return m_pStyle; }
    void SetStyleInForce(CLVKMarkupStyle* pStyle) { m_pStyle = pStyle; }
    // Re-evaluates the triggers for a changed property (null: all of them).
    void ApplyTriggers(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pNewValue);
    BOOL CollectActiveTriggers(CLVKMarkupStyle* pStyle, CLVKMarkupDependencyProperty* pProperty,
                               CLVKMarkupObject* pValue, int nDepth = 0);
    BOOL IsMouseOver() const;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pCursorProperty;
    static CLVKMarkupDependencyProperty* m_pIsMouseOverProperty;
    static CLVKMarkupDependencyProperty* m_pResourcesProperty;
    static CLVKMarkupDependencyProperty* m_pStyleProperty;
    static CLVKMarkupDependencyProperty* m_pIsKeyboardFocusedProperty;
    static CLVKMarkupDependencyProperty* m_pIsFocusableProperty;
    static CLVKMarkupDependencyProperty* m_pToolTipProperty;
    static CLVKMarkupRoutedEvent* m_pMouseLeaveEvent;
    static CLVKMarkupRoutedEvent* m_pMouseEnterEvent;
    static CLVKMarkupRoutedEvent* m_pMouseLeftButtonUpEvent;
    static CLVKMarkupRoutedEvent* m_pMouseLeftButtonDownEvent;
    static CLVKMarkupRoutedEvent* m_pMouseRightButtonUpEvent;
    static CLVKMarkupRoutedEvent* m_pMouseRightButtonDownEvent;
    static CLVKMarkupRoutedEvent* m_pMouseMoveEvent;
    static CLVKMarkupRoutedEvent* m_pLostMouseCaptureEvent;

protected:
    ~CLVKMarkupInputElement() override;

private:
    std::map<CLVKMarkupRoutedEvent*, std::vector<CLVKMarkupDelegate*>>* m_pHandlers = nullptr;
    CLVKMarkupTriggerCollection* m_pActiveTriggers = nullptr;
    CLVKMarkupProperties* m_pTriggerValues = nullptr;
    CLVKMarkupStyle* m_pStyle = nullptr;

public:
    // Script members.
    IDispatch* OleFindName(LPCOLESTR lpszName);
    BSTR OleGetName();
    void OleSetName(LPCOLESTR lpszName);
    void OleCaptureMouse();
    void OleReleaseMouseCapture();

protected:
    DECLARE_DISPATCH_MAP()
};
