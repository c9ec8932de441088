// An inline that puts one UI element (an image, a button) into the flow of
// text. Its positions are 0 (before the element) and 1 (after it), both
// places where a line may break. The text block arranges the element where
// its stretch lands and draws it as one of its visual children.
#pragma once

#include "Markup/MarkupChildSlot.h"
#include "Markup/MarkupInline.h"

class CLVKMarkupUIElement;

class CLVKMarkupInlineUIContainer : public CLVKMarkupInline
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupUIElement* GetChild() const { return m_child.Get(); }
    // Takes over the reference; the old child is released and loses its
    // parent. Refuses (and leaves with the caller) an element that already
    // has a parent or that is the container or one of its ancestors.
    BOOL SetChild(CLVKMarkupUIElement* pChild);

    MarkupTextPosition GetTextStart() const override { return m_child.Get() ? 0 : kMarkupTextEnd; }
    MarkupTextPosition NextPosition(MarkupTextPosition& nPosition) const override;
    BOOL IsWhiteSpace(MarkupTextPosition nPosition) const override { return nPosition == 0 || nPosition == 1; }
    void ArrangeRange(const RECT& rc, MarkupTextPosition nFirst, MarkupTextPosition nLast) override;
    SIZE MeasureRange(CLVKMarkupDrawingContext* pDC, MarkupTextPosition nFirst, MarkupTextPosition nLast) override;
    CLVKMarkupInputElement* InputHitTest(int x, int y) override;

    int GetLogicalChildrenCount() const override { return m_child.Get() ? 1 : 0; }
    CLVKMarkupObject* GetLogicalChild(int nIndex) const override;
    void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return m_child.Get() != nullptr; }

protected:
    ~CLVKMarkupInlineUIContainer() override;

private:
    CLVKMarkupChildSlot<CLVKMarkupUIElement> m_child{this};

public:
    // Script members.
    IDispatch* OleGetChild();
    void OleSetChild(IDispatch* pChild);

    DECLARE_DISPATCH_MAP()
};
