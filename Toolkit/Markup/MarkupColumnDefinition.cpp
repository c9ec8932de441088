#include "Markup/MarkupColumnDefinition.h"

#include "Markup/MarkupGridLength.h"
#include "Markup/MarkupInt.h"

CLVKMarkupDependencyProperty* CLVKMarkupColumnDefinition::m_pWidthProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupColumnDefinition::m_pMinWidthProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupColumnDefinition::m_pMaxWidthProperty = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupColumnDefinition, L"ColumnDefinition", CLVKMarkupDefinitionBase::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupColumnDefinition(); },
    &CLVKMarkupColumnDefinition::RegisterProperties)

void AFX_CDECL CLVKMarkupColumnDefinition::RegisterProperties()
{
    CLVKMarkupType* const pType = GetMarkupType();
    m_pWidthProperty = CLVKMarkupDependencyProperty::Register(
        L"Width", CLVKMarkupGridLength::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(new CLVKMarkupGridLength(1, CLVKMarkupGridLength::kStar)));
    m_pMinWidthProperty =
        CLVKMarkupDependencyProperty::Register(L"MinWidth", CLVKMarkupInt::GetMarkupType(), pType,
                                               new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyScaleX));
    m_pMaxWidthProperty =
        CLVKMarkupDependencyProperty::Register(L"MaxWidth", CLVKMarkupInt::GetMarkupType(), pType,
                                               new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyScaleX));
}
