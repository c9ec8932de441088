#include "Markup/MarkupTrigger.h"

#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupSetterCollection.h"
#include "Markup/MarkupString.h"

CLVKMarkupDependencyProperty* CLVKMarkupTrigger::m_pSettersProperty = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupTrigger, L"Trigger", CLVKMarkupObject::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupTrigger(); }, &CLVKMarkupTrigger::RegisterProperties)

void AFX_CDECL CLVKMarkupTrigger::RegisterProperties()
{
    CLVKMarkupType::EnsureRegistered(CLVKMarkupSetter::GetMarkupType());
    CLVKMarkupSetter::m_pPropertyProperty->AddOwner(GetMarkupType());
    CLVKMarkupSetter::m_pValueProperty->AddOwner(GetMarkupType());
    m_pSettersProperty = CLVKMarkupDependencyProperty::Register(L"Setters", CLVKMarkupSetterCollection::GetMarkupType(),
                                                                GetMarkupType());
}

CLVKMarkupTrigger::CLVKMarkupTrigger(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pValue)
{
    CLVKMarkupType::EnsureRegistered(GetMarkupType());
    if (pProperty)
    {
        pProperty->AddRef();
        SetValue(CLVKMarkupSetter::m_pPropertyProperty, pProperty);
    }
    SetValue(CLVKMarkupSetter::m_pValueProperty, pValue);
}

CLVKMarkupDependencyProperty* CLVKMarkupTrigger::GetProperty() const
{
    return MarkupCast<CLVKMarkupDependencyProperty>(GetValue(CLVKMarkupSetter::m_pPropertyProperty));
}

CLVKMarkupSetterCollection* CLVKMarkupTrigger::GetSetters() const
{
    return MarkupCast<CLVKMarkupSetterCollection>(GetValue(m_pSettersProperty));
}

void CLVKMarkupTrigger::Resolve(CLVKMarkupBuilder* pBuilder, CLVKMarkupType* pTargetType)
{
    // The trigger's condition reads like a setter.
    static const wchar_t kBoth[] = L"Must specify both Property and Value for Setter.";
    CLVKMarkupObject* const pPropertyValue = GetValue(CLVKMarkupSetter::m_pPropertyProperty);
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
        SetValue(CLVKMarkupSetter::m_pPropertyProperty, pProperty);
    }
    CLVKMarkupObject* const pValue = GetValue(CLVKMarkupSetter::m_pValueProperty);
    if (!pValue)
    {
        MarkupThrowError(kBoth);
    }
    if (!pValue->IsKindOf(pProperty->GetValueType()))
    {
        SetValue(CLVKMarkupSetter::m_pValueProperty, pBuilder->ConvertValue(pProperty, pValue));
    }
    if (CLVKMarkupSetterCollection* const pSetters = GetSetters())
    {
        for (int i = 0; i < pSetters->GetCount(); ++i)
        {
            pSetters->GetSetter(i)->Resolve(pBuilder, pTargetType);
        }
    }
}
