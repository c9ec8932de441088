// A 64-bit floating-point value.
#pragma once

#include "Markup/MarkupType.h"

class CLVKMarkupDouble : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    explicit CLVKMarkupDouble(double value = 0.0) : m_value(value) {}

    double GetValue() const { return m_value; }

    BOOL IsEqual(const CLVKMarkupObject* pOther) const override
    {
        return pOther && pOther->GetType() == GetMarkupType() &&
               static_cast<const CLVKMarkupDouble*>(pOther)->m_value == m_value;
    }
    CLVKMarkupObject* ConvertFrom(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue) override;

private:
    double m_value;
};
