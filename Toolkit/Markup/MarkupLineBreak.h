// A run holding one line feed: the text block ends the line there.
#pragma once

#include "Markup/MarkupRun.h"

class CLVKMarkupLineBreak : public CLVKMarkupRun
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupLineBreak() { SetText(L"\n"); }
};
