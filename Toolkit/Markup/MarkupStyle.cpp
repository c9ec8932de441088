#include "Markup/MarkupStyle.h"

#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupProperties.h"
#include "Markup/MarkupResourceDictionary.h"
#include "Markup/MarkupSetterCollection.h"
#include "Markup/MarkupTriggerCollection.h"

CLVKMarkupDependencyProperty* CLVKMarkupStyle::m_pResourcesProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupStyle::m_pTargetTypeProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupStyle::m_pBasedOnProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupStyle::m_pTriggersProperty = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupStyle, L"Style", CLVKMarkupObject::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupStyle(); }, &CLVKMarkupStyle::RegisterProperties)

void AFX_CDECL CLVKMarkupStyle::RegisterProperties()
{
    CLVKMarkupType::EnsureRegistered(CLVKMarkupSetter::GetMarkupType());
    CLVKMarkupType::EnsureRegistered(CLVKMarkupTrigger::GetMarkupType());
    CLVKMarkupType* const pType = GetMarkupType();
    m_pResourcesProperty =
        CLVKMarkupDependencyProperty::Register(L"Resources", CLVKMarkupResourceDictionary::GetMarkupType(), pType);
    m_pTargetTypeProperty =
        CLVKMarkupDependencyProperty::Register(L"TargetType", CLVKMarkupType::GetMarkupType(), pType);
    m_pBasedOnProperty = CLVKMarkupDependencyProperty::Register(L"BasedOn", pType, pType);
    m_pTriggersProperty =
        CLVKMarkupDependencyProperty::Register(L"Triggers", CLVKMarkupTriggerCollection::GetMarkupType(), pType);
}

CLVKMarkupStyle::CLVKMarkupStyle() : m_pSetters(new CLVKMarkupSetterCollection())
{
    m_pSetters->SetLogicalParent(this);
}

CLVKMarkupStyle::~CLVKMarkupStyle()
{
    m_pSetters->SetLogicalParent(nullptr);
    m_pSetters->Release();
    delete m_pSealedValues;
}

CLVKMarkupObject* CLVKMarkupStyle::GetLogicalChild(int nIndex) const
{
    return nIndex == 0 ? m_pSetters : nullptr;
}

CLVKMarkupStyle* CLVKMarkupStyle::GetBasedOn() const
{
    return MarkupCast<CLVKMarkupStyle>(GetValue(m_pBasedOnProperty));
}

CLVKMarkupTriggerCollection* CLVKMarkupStyle::GetTriggers() const
{
    return MarkupCast<CLVKMarkupTriggerCollection>(GetValue(m_pTriggersProperty));
}

CLVKMarkupType* CLVKMarkupStyle::GetTargetType() const
{
    return MarkupCast<CLVKMarkupType>(GetValue(m_pTargetTypeProperty));
}

void CLVKMarkupStyle::SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent)
{
    auto* const pSetter = MarkupCast<CLVKMarkupSetter>(pContent);
    if (!pSetter)
    {
        CLVKMarkupObject::SetContentObject(pBuilder, pContent);
        return;
    }
    pSetter->Resolve(pBuilder, GetTargetType());
    pSetter->AddRef();
    if (!m_pSetters->Add(pSetter))
    {
        pSetter->Release();
    }
}

void CLVKMarkupStyle::SetPropertyObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupDependencyProperty* pProperty,
                                        CLVKMarkupObject* pValue)
{
    if (pProperty == m_pTriggersProperty)
    {
        if (auto* const pTriggers = MarkupCast<CLVKMarkupTriggerCollection>(pValue))
        {
            for (int i = 0; i < pTriggers->GetCount(); ++i)
            {
                pTriggers->GetTrigger(i)->Resolve(pBuilder, GetTargetType());
            }
        }
    }
    CLVKMarkupObject::SetPropertyObject(pBuilder, pProperty, pValue);
}

void CLVKMarkupStyle::Seal()
{
    Seal(0);
}

void CLVKMarkupStyle::Seal(int nDepth)
{
    if (m_bSealed)
    {
        return;
    }
    if (nDepth > kMarkupMaxDepth)
    {
        return;
    }
    // Marked first: a BasedOn chain that comes back here ends instead of
    // recursing forever.
    m_bSealed = TRUE;
    if (!m_pSealedValues)
    {
        m_pSealedValues = new CLVKMarkupProperties();
    }
    SetLogicalParent(nullptr);
    if (CLVKMarkupStyle* const pBase = GetBasedOn())
    {
        pBase->Seal(nDepth + 1);
        if (pBase->m_pSealedValues)
        {
            m_pSealedValues->CopyFrom(*pBase->m_pSealedValues);
        }
    }
    for (int i = 0; i < m_pSetters->GetCount(); ++i)
    {
        CLVKMarkupSetter* const pSetter = m_pSetters->GetSetter(i);
        CLVKMarkupObject* const pValue = pSetter ? pSetter->GetSetterValue() : nullptr;
        if (pValue && pSetter->GetProperty())
        {
            pValue->AddRef();
            m_pSealedValues->SetValue(pSetter->GetProperty(), pValue);
        }
    }
}

CLVKMarkupObject* CLVKMarkupStyle::GetSealedValue(CLVKMarkupDependencyProperty* pProperty) const
{
    return m_pSealedValues ? m_pSealedValues->GetValue(pProperty) : nullptr;
}
