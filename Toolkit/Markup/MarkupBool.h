// A boolean value, 0 or 1.
#pragma once

#include "Markup/MarkupType.h"

class CLVKMarkupBool : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    explicit CLVKMarkupBool(BOOL value = FALSE) : m_value(value ? TRUE : FALSE) {}

    BOOL GetValue() const { return m_value; }

    BOOL IsEqual(const CLVKMarkupObject* pOther) const override
    {
        return pOther && pOther->GetType() == GetMarkupType() &&
               static_cast<const CLVKMarkupBool*>(pOther)->m_value == m_value;
    }
    UINT GetHashKey() const override { return static_cast<UINT>(m_value); }
    CLVKMarkupObject* ConvertFrom(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue) override;

private:
    BOOL m_value;
};
