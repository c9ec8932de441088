// The base of layout panels: owns the child elements, paints its
// background and makes the children its visual children.
#pragma once

#include "Markup/MarkupFrameworkElement.h"

class CLVKMarkupUIElementCollection;
class CLVKMarkupBrush;

class CLVKMarkupPanel : public CLVKMarkupFrameworkElement
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupPanel();

    CLVKMarkupUIElementCollection* GetChildren() const { return m_pChildren; }
    CLVKMarkupBrush* GetBackground() const;

    int GetVisualChildrenCount() const override;
    CLVKMarkupVisual* GetVisualChild(int nIndex) const override;
    void OnRender(CLVKMarkupDrawingContext* pDC) override;
    CLVKMarkupInputElement* HitTestCore(int x, int y) override;
    void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent) override;
    BOOL HasContentObject() const override;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pBackgroundProperty;

protected:
    ~CLVKMarkupPanel() override;

    CLVKMarkupUIElementCollection* m_pChildren;

public:
    // Script members.
    IDispatch* OleGetChildren();

protected:
    DECLARE_DISPATCH_MAP()
};
