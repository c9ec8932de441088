// Type records of the setter and trigger collections.
#include "Markup/MarkupSetterCollection.h"
#include "Markup/MarkupTriggerCollection.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupSetterCollection, L"", CLVKMarkupCollection::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupSetterCollection(); }, nullptr)
LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupTriggerCollection, L"", CLVKMarkupCollection::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupTriggerCollection(); }, nullptr)
