#include "Markup/MarkupItalic.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupItalic, L"Italic", CLVKMarkupSpan::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupItalic(); }, nullptr)
