#include "Markup/MarkupRowDefinition.h"

#include "Markup/MarkupGridLength.h"
#include "Markup/MarkupInt.h"

CLVKMarkupDependencyProperty* CLVKMarkupRowDefinition::m_pHeightProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupRowDefinition::m_pMinHeightProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupRowDefinition::m_pMaxHeightProperty = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupRowDefinition, L"RowDefinition", CLVKMarkupDefinitionBase::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupRowDefinition(); }, &CLVKMarkupRowDefinition::RegisterProperties)

void AFX_CDECL CLVKMarkupRowDefinition::RegisterProperties()
{
    CLVKMarkupType* const pType = GetMarkupType();
    m_pHeightProperty = CLVKMarkupDependencyProperty::Register(
        L"Height", CLVKMarkupGridLength::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(new CLVKMarkupGridLength(1, CLVKMarkupGridLength::kStar)));
    m_pMinHeightProperty =
        CLVKMarkupDependencyProperty::Register(L"MinHeight", CLVKMarkupInt::GetMarkupType(), pType,
                                               new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyScaleY));
    m_pMaxHeightProperty =
        CLVKMarkupDependencyProperty::Register(L"MaxHeight", CLVKMarkupInt::GetMarkupType(), pType,
                                               new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyScaleY));
}
