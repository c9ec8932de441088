// A framework element with one child element (the border's base).
#pragma once

#include "Markup/MarkupFrameworkElement.h"

class CLVKMarkupDecorator : public CLVKMarkupFrameworkElement
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupUIElement* GetChild() const { return m_pChild; }
    // Takes over the reference; the previous child is detached and released.
    // Refuses (and leaves with the caller) a child that already has a parent
    // or that is an ancestor of the decorator.
    BOOL SetChild(CLVKMarkupUIElement* pChild);

    int GetVisualChildrenCount() const override { return m_pChild ? 1 : 0; }
    CLVKMarkupVisual* GetVisualChild(int nIndex) const override { return nIndex == 0 ? m_pChild : nullptr; }
    void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return m_pChild != nullptr; }

protected:
    ~CLVKMarkupDecorator() override;

    CLVKMarkupUIElement* m_pChild = nullptr;
};
