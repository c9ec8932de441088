#include "Markup/MarkupObjectProperty.h"

#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupString.h"

LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupObjectProperty, L"", CLVKMarkupObject::GetMarkupType(), nullptr, nullptr)

CLVKMarkupObjectProperty::~CLVKMarkupObjectProperty()
{
    ReplaceValue(nullptr);
}

void CLVKMarkupObjectProperty::ReplaceValue(CLVKMarkupObject* pValue)
{
    if (pValue)
    {
        pValue->AddRef();
    }
    if (m_pValue)
    {
        if (m_pValue->GetLogicalParent() == this)
        {
            m_pValue->SetLogicalParent(nullptr);
        }
        m_pValue->Release();
    }
    m_pValue = pValue;
}

void CLVKMarkupObjectProperty::SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent)
{
    if (!pContent)
    {
        return;
    }
    CLVKMarkupType* const pValueType = m_pProperty->GetValueType();
    if (pContent->IsKindOf(pValueType) || MarkupCast<CLVKMarkupString>(pContent))
    {
        ReplaceValue(pContent);
        return;
    }
    if (m_pValue)
    {
        m_pValue->SetContentObject(pBuilder, pContent);
        return;
    }
    CLVKMarkupAutoPtr<CLVKMarkupObject> pValue(pBuilder->GetContext()->CreateMarkupObject(pValueType));
    if (!pValue)
    {
        MarkupThrowError(L"Cannot add content to an object of type '%ls'", pValueType->GetClassName());
    }
    pValue->SetAssociatedProperty(m_pProperty);
    // While it is filled, the value's parent is this element, so that
    // resources written before are found.
    pValue->SetLogicalParent(this);
    pValue->SetContentObject(pBuilder, pContent);
    ReplaceValue(pValue);
}
