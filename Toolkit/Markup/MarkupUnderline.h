// A span whose inlines are underlined.
#pragma once

#include "Markup/MarkupSpan.h"

class CLVKMarkupUnderline : public CLVKMarkupSpan
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupUnderline() { SetTextDecorations(1); }
};
