// A span whose inlines are bold (weight 700).
#pragma once

#include "Markup/MarkupSpan.h"

class CLVKMarkupBold : public CLVKMarkupSpan
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupBold() { SetFontWeight(FW_BOLD); }
};
