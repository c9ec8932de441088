#include "Markup/MarkupColumnDefinitionCollection.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupColumnDefinitionCollection, L"", CLVKMarkupDefinitionCollection::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupColumnDefinitionCollection(); }, nullptr)
