// Stands for a property element (Type.Property) while the builder reads it.
#pragma once

#include "Markup/MarkupDependencyProperty.h"

class CLVKMarkupObjectProperty : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    explicit CLVKMarkupObjectProperty(CLVKMarkupDependencyProperty* pProperty) : m_pProperty(pProperty) {}

    CLVKMarkupDependencyProperty* GetProperty() const { return m_pProperty; }
    CLVKMarkupObject* GetPropertyValue() const { return m_pValue; }

    void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return m_pValue != nullptr; }

protected:
    ~CLVKMarkupObjectProperty() override;

private:
    void ReplaceValue(CLVKMarkupObject* pValue);

    CLVKMarkupObject* m_pValue = nullptr;
    CLVKMarkupDependencyProperty* m_pProperty;
};
