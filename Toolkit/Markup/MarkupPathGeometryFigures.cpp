#include "Markup/MarkupPathGeometryFigures.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupPathGeometryFigures, L"Figures", CLVKMarkupObject::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupPathGeometryFigures(); }, nullptr)
