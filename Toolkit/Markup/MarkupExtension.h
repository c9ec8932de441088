// The base of the "lvk:" elements that markup attaches to objects.
#pragma once

#include "Markup/MarkupType.h"

class CLVKMarkupExtension : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
};
