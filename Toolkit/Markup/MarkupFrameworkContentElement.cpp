#include "Markup/MarkupFrameworkContentElement.h"

LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupFrameworkContentElement, L"FrameworkContentElement",
                          CLVKMarkupInputElement::GetMarkupType(), nullptr, nullptr)
