#include "Markup/MarkupBold.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupBold, L"Bold", CLVKMarkupSpan::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupBold(); }, nullptr)
