#include "Markup/MarkupRowDefinition.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupGridLength.h"
#include "Markup/MarkupInt.h"

CLVKMarkupDependencyProperty* CLVKMarkupRowDefinition::m_pHeightProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupRowDefinition::m_pMinHeightProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupRowDefinition::m_pMaxHeightProperty = nullptr;

BEGIN_DISPATCH_MAP(CLVKMarkupRowDefinition, CLVKMarkupDefinitionBase)
    DISP_PROPERTY_EX_ID(CLVKMarkupRowDefinition, "Height", 200, OleGetSize, OleSetSize, VT_I4)
    DISP_MARKUP_NUMBER("MinHeight", 201, CLVKMarkupRowDefinition::m_pMinHeightProperty, VT_I4, 0)
    DISP_MARKUP_NUMBER("MaxHeight", 202, CLVKMarkupRowDefinition::m_pMaxHeightProperty, VT_I4, 0x7FFFFFFF)
    DISP_PROPERTY_EX_ID(CLVKMarkupRowDefinition, "UnitType", 203, OleGetUnitType, OleSetUnitType, VT_I4)
END_DISPATCH_MAP()

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
