// One property value of a style or trigger: "Property" and "Value".
#pragma once

#include "Markup/MarkupDependencyProperty.h"

class CLVKMarkupSetter : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupSetter() = default;
    // Takes over the reference on the value.
    CLVKMarkupSetter(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pValue);

    // Null until the style resolved the name.
    CLVKMarkupDependencyProperty* GetProperty() const;
    CLVKMarkupObject* GetSetterValue() const { return GetValue(m_pValueProperty); }
    // Turns a property name into the property of the target type and the
    // value text into the property's type; raises the setter errors.
    void Resolve(CLVKMarkupBuilder* pBuilder, CLVKMarkupType* pTargetType);

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pPropertyProperty;
    static CLVKMarkupDependencyProperty* m_pValueProperty;
};
