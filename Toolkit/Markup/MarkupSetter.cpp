#include "Markup/MarkupSetter.h"

#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupString.h"

CLVKMarkupDependencyProperty* CLVKMarkupSetter::m_pPropertyProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupSetter::m_pValueProperty = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupSetter, L"Setter", CLVKMarkupObject::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupSetter(); }, &CLVKMarkupSetter::RegisterProperties)

void AFX_CDECL CLVKMarkupSetter::RegisterProperties()
{
    m_pPropertyProperty =
        CLVKMarkupDependencyProperty::Register(L"Property", CLVKMarkupObject::GetMarkupType(), GetMarkupType());
    m_pValueProperty =
        CLVKMarkupDependencyProperty::Register(L"Value", CLVKMarkupObject::GetMarkupType(), GetMarkupType());
}

CLVKMarkupSetter::CLVKMarkupSetter(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pValue)
{
    CLVKMarkupType::EnsureRegistered(GetMarkupType());
    if (pProperty)
    {
        pProperty->AddRef();
        SetValue(m_pPropertyProperty, pProperty);
    }
    SetValue(m_pValueProperty, pValue);
}

CLVKMarkupDependencyProperty* CLVKMarkupSetter::GetProperty() const
{
    return MarkupCast<CLVKMarkupDependencyProperty>(GetValue(m_pPropertyProperty));
}

void CLVKMarkupSetter::Resolve(CLVKMarkupBuilder* pBuilder, CLVKMarkupType* pTargetType)
{
    static const wchar_t kBoth[] = L"Must specify both Property and Value for Setter.";
    CLVKMarkupObject* const pPropertyValue = GetValue(m_pPropertyProperty);
    if (!pPropertyValue)
    {
        MarkupThrowError(kBoth);
    }
    CLVKMarkupDependencyProperty* pProperty = MarkupCast<CLVKMarkupDependencyProperty>(pPropertyValue);
    if (!pProperty)
    {
        auto* const pName = MarkupCast<CLVKMarkupString>(pPropertyValue);
        if (!pName)
        {
            MarkupThrowError(kBoth);
        }
        pProperty = CLVKMarkupDependencyProperty::FindProperty(pTargetType, pName->GetText());
        if (!pProperty)
        {
            MarkupThrowError(L"Cannot find the Style Property '%ls'", pName->GetText());
        }
        pProperty->AddRef();
        SetValue(m_pPropertyProperty, pProperty);
    }
    CLVKMarkupObject* const pValue = GetValue(m_pValueProperty);
    if (!pValue)
    {
        MarkupThrowError(kBoth);
    }
    if (!pValue->IsKindOf(pProperty->GetValueType()))
    {
        SetValue(m_pValueProperty, pBuilder->ConvertValue(pProperty, pValue));
    }
}
