// The child elements of a panel; every change makes the owner re-measure.
#pragma once

#include "Markup/MarkupCollection.h"
#include "Markup/MarkupUIElement.h"

class CLVKMarkupUIElementCollection : public CLVKMarkupCollection
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupUIElementCollection() : CLVKMarkupCollection(CLVKMarkupUIElement::GetMarkupType()) {}
    CLVKMarkupUIElement* GetElement(int nIndex) const
    {
        return static_cast<CLVKMarkupUIElement*>(GetItemOrNull(nIndex));
    }

protected:
    void OnChanged() override;

    DECLARE_DISPATCH_MAP()
};
