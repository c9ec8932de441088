// The base of markup objects that take part in the tree and in input but
// have no layout of their own (grid definitions and the like).
#pragma once

#include "Markup/MarkupInputElement.h"

class CLVKMarkupFrameworkContentElement : public CLVKMarkupInputElement
{
    LVK_DECLARE_MARKUP_TYPE()
};
