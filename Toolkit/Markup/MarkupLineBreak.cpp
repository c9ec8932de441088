#include "Markup/MarkupLineBreak.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupLineBreak, L"LineBreak", CLVKMarkupRun::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupLineBreak(); }, nullptr)
