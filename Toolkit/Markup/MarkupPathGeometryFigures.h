// The "Figures" of a path geometry: no properties, no content.
#pragma once

#include "Markup/MarkupType.h"

class CLVKMarkupPathGeometryFigures : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
};
