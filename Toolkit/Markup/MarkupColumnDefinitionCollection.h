// The column definitions of a grid; only column definitions may join.
#pragma once

#include "Markup/MarkupDefinitionCollection.h"
#include "Markup/MarkupColumnDefinition.h"

class CLVKMarkupColumnDefinitionCollection : public CLVKMarkupDefinitionCollection
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupColumnDefinitionCollection() : CLVKMarkupDefinitionCollection(CLVKMarkupColumnDefinition::GetMarkupType())
    {
    }
};
