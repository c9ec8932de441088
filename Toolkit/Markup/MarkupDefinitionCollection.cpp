#include "Markup/MarkupDefinitionCollection.h"

#include "Markup/MarkupUIElement.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupDefinitionCollection, L"", CLVKMarkupCollection::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupDefinitionCollection(); }, nullptr)

void CLVKMarkupDefinitionCollection::OnChanged()
{
    if (auto* const pGrid = MarkupCast<CLVKMarkupUIElement>(GetLogicalParent()))
    {
        pGrid->InvalidateMeasure();
    }
}
