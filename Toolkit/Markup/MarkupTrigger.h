// A condition on one property of an element ("Property", "Value") and the
// setters that apply while it holds.
#pragma once

#include "Markup/MarkupSetter.h"

class CLVKMarkupSetterCollection;

class CLVKMarkupTrigger : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupTrigger() = default;
    CLVKMarkupTrigger(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pValue);

    CLVKMarkupDependencyProperty* GetProperty() const;
    CLVKMarkupObject* GetTriggerValue() const { return GetValue(CLVKMarkupSetter::m_pValueProperty); }
    CLVKMarkupSetterCollection* GetSetters() const;
    // The trigger's own condition, then each of its setters.
    void Resolve(CLVKMarkupBuilder* pBuilder, CLVKMarkupType* pTargetType);

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pSettersProperty;
};
