// A store of property values by slot index. Each value holds one reference;
// with an owner, stored values get the owner as logical parent.
#pragma once

#include "Markup/MarkupObject.h"

#include <vector>

class CLVKMarkupProperties
{
public:
    explicit CLVKMarkupProperties(CLVKMarkupObject* pOwner = nullptr) : m_pOwner(pOwner) {}
    ~CLVKMarkupProperties();
    CLVKMarkupProperties(const CLVKMarkupProperties&) = delete;
    CLVKMarkupProperties& operator=(const CLVKMarkupProperties&) = delete;

    CLVKMarkupObject* GetValue(const CLVKMarkupDependencyProperty* pProperty) const;
    // Takes over the reference on the value; the previous one is released.
    void SetValue(const CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pValue);
    // Every value of the other store, each with a reference added.
    void CopyFrom(const CLVKMarkupProperties& other);
    void RemoveAll();
    BOOL IsEmpty() const;

private:
    CLVKMarkupObject* m_pOwner;
    std::vector<CLVKMarkupObject*> m_values;
};
