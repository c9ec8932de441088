// A point of doubles ("StartPoint", "EndPoint").
#pragma once

#include "Markup/MarkupType.h"

class CLVKMarkupPoint : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupPoint() = default;
    CLVKMarkupPoint(double x, double y) : m_x(x), m_y(y) {}

    CLVKMarkupObject* ConvertFrom(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue) override;

    double m_x = 0;
    double m_y = 0;
};
