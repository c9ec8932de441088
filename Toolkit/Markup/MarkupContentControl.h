// A control that hosts one content element ("Content"): set by the element
// content of its tag or by the "Content" attribute, where a text becomes a
// text block.
#pragma once

#include "Markup/MarkupControl.h"

class CLVKMarkupContentControl : public CLVKMarkupControl
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupUIElement* GetContent() const;
    // Takes over the reference.
    void SetContent(CLVKMarkupUIElement* pContent);

    void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return GetContent() != nullptr; }
    BOOL AllowWhiteSpaceContent() const override { return FALSE; }
    int GetVisualChildrenCount() const override { return GetContent() ? 1 : 0; }
    CLVKMarkupVisual* GetVisualChild(int nIndex) const override;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pContentProperty;

protected:
    // A text block made through the context whose content is the text.
    static CLVKMarkupUIElement* AFX_CDECL CreateTextContent(CLVKMarkupContext* pContext, CLVKMarkupBuilder* pBuilder,
                                                            CLVKMarkupObject* pText);

    DECLARE_DISPATCH_MAP()

private:
    static CLVKMarkupObject* AFX_CDECL ConvertContent(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue,
                                                      CLVKMarkupDependencyProperty* pProperty);
};
