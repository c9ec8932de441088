#include "Markup/MarkupUnderline.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupUnderline, L"Underline", CLVKMarkupSpan::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupUnderline(); }, nullptr)
