// A span whose inlines are italic.
#pragma once

#include "Markup/MarkupSpan.h"

class CLVKMarkupItalic : public CLVKMarkupSpan
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupItalic() { SetFontStyle(1); }
};
