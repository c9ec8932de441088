// The stops of a linear gradient.
#pragma once

#include "Markup/MarkupCollection.h"
#include "Markup/MarkupGradientStop.h"

class CLVKMarkupGradientStops : public CLVKMarkupCollection
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupGradientStops() : CLVKMarkupCollection(CLVKMarkupGradientStop::GetMarkupType()) {}
    CLVKMarkupGradientStop* GetStop(int nIndex) const
    {
        return static_cast<CLVKMarkupGradientStop*>(GetItemOrNull(nIndex));
    }
};
