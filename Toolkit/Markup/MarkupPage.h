// A plain root that holds one element and gives it all the room it has.
// The page itself is never hit.
#pragma once

#include "Markup/MarkupChildSlot.h"
#include "Markup/MarkupFrameworkElement.h"

class CLVKMarkupPage : public CLVKMarkupFrameworkElement
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupUIElement* GetChild() const { return m_child.Get(); }
    // Takes over the reference; the previous child is detached and released.
    // Refuses (and leaves with the caller) a child that already has a parent
    // or that is an ancestor of the page.
    BOOL SetChild(CLVKMarkupUIElement* pChild);

    int GetVisualChildrenCount() const override { return m_child.Get() ? 1 : 0; }
    CLVKMarkupVisual* GetVisualChild(int nIndex) const override { return nIndex == 0 ? m_child.Get() : nullptr; }
    void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return m_child.Get() != nullptr; }
    SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;
    CLVKMarkupInputElement* HitTestCore(int /*x*/, int /*y*/) override { return nullptr; }

protected:
    ~CLVKMarkupPage() override;

private:
    CLVKMarkupChildSlot<CLVKMarkupUIElement> m_child{this};

public:
    // Script members.
    IDispatch* OleGetContent();
    void OleSetContent(IDispatch* pContent);

    DECLARE_DISPATCH_MAP()
};
