// A word of an enumeration, as its number; made only by word converters.
#pragma once

#include "Markup/MarkupType.h"

class CLVKMarkupEnum : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    explicit CLVKMarkupEnum(int value = 0) : m_value(value) {}

    int GetValue() const { return m_value; }

    BOOL IsEqual(const CLVKMarkupObject* pOther) const override
    {
        return pOther && pOther->GetType() == GetMarkupType() &&
               static_cast<const CLVKMarkupEnum*>(pOther)->m_value == m_value;
    }

private:
    int m_value;
};
