#include "Markup/MarkupDefinitionCollection.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupUIElement.h"

BEGIN_DISPATCH_MAP(CLVKMarkupDefinitionCollection, CLVKMarkupCollection)
    DISP_MARKUP_COLLECTION(CLVKMarkupDefinitionCollection)
END_DISPATCH_MAP()

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
