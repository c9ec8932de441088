// The row definitions of a grid; only row definitions may join.
#pragma once

#include "Markup/MarkupDefinitionCollection.h"
#include "Markup/MarkupRowDefinition.h"

class CLVKMarkupRowDefinitionCollection : public CLVKMarkupDefinitionCollection
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupRowDefinitionCollection() : CLVKMarkupDefinitionCollection(CLVKMarkupRowDefinition::GetMarkupType()) {}
};
