// A framework element with one child element (the border's base).
#pragma once

#include "Markup/MarkupChildSlot.h"
#include "Markup/MarkupFrameworkElement.h"

class CLVKMarkupDecorator : public CLVKMarkupFrameworkElement
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupUIElement* GetChild() const { return m_child.Get(); }
    // Takes over the reference; the previous child is detached and released.
    // Refuses (and leaves with the caller) a child that already has a parent
    // or that is an ancestor of the decorator.
    BOOL SetChild(CLVKMarkupUIElement* pChild);

    int GetVisualChildrenCount() const override { return m_child.Get() ? 1 : 0; }
    CLVKMarkupVisual* GetVisualChild(int nIndex) const override { return nIndex == 0 ? m_child.Get() : nullptr; }
    void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return m_child.Get() != nullptr; }

protected:
    ~CLVKMarkupDecorator() override;

private:
    CLVKMarkupChildSlot<CLVKMarkupUIElement> m_child{this};
};
