#include "Markup/MarkupColumnDefinition.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupGridLength.h"
#include "Markup/MarkupInt.h"

CLVKMarkupDependencyProperty* CLVKMarkupColumnDefinition::m_pWidthProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupColumnDefinition::m_pMinWidthProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupColumnDefinition::m_pMaxWidthProperty = nullptr;

BEGIN_DISPATCH_MAP(CLVKMarkupColumnDefinition, CLVKMarkupDefinitionBase)
    DISP_PROPERTY_EX_ID(CLVKMarkupColumnDefinition, "Width", 200, OleGetSize, OleSetSize, VT_I4)
    DISP_MARKUP_NUMBER("MinWidth", 201, CLVKMarkupColumnDefinition::m_pMinWidthProperty, VT_I4, 0)
    DISP_MARKUP_NUMBER("MaxWidth", 202, CLVKMarkupColumnDefinition::m_pMaxWidthProperty, VT_I4, 0x7FFFFFFF)
    DISP_PROPERTY_EX_ID(CLVKMarkupColumnDefinition, "UnitType", 203, OleGetUnitType, OleSetUnitType, VT_I4)
END_DISPATCH_MAP()

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
