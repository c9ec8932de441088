// A 32-bit signed integer value: lengths in device pixels, cursors, counts.
#pragma once

#include "Markup/MarkupType.h"

class CLVKMarkupInt : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    explicit CLVKMarkupInt(int value = 0) : m_value(value) {}

    int GetValue() const { return m_value; }

    BOOL IsEqual(const CLVKMarkupObject* pOther) const override
    {
        return pOther && pOther->GetType() == GetMarkupType() &&
               static_cast<const CLVKMarkupInt*>(pOther)->m_value == m_value;
    }
    CLVKMarkupObject* ConvertFrom(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue) override;

private:
    int m_value;
};
