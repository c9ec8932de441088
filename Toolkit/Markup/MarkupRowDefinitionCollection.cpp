#include "Markup/MarkupRowDefinitionCollection.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupRowDefinitionCollection, L"", CLVKMarkupDefinitionCollection::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupRowDefinitionCollection(); }, nullptr)
