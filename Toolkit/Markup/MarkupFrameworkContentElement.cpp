#include "Markup/MarkupFrameworkContentElement.h"

#include "Markup/MarkupFrameworkElement.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupFrameworkContentElement, L"FrameworkContentElement", CLVKMarkupInputElement::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupFrameworkContentElement(); },
    &CLVKMarkupFrameworkContentElement::RegisterProperties)

void AFX_CDECL CLVKMarkupFrameworkContentElement::RegisterProperties()
{
    CLVKMarkupType::EnsureRegistered(CLVKMarkupFrameworkElement::GetMarkupType());
    CLVKMarkupFrameworkElement::m_pTagProperty->AddOwner(GetMarkupType());
}

CLVKMarkupFrameworkElement* CLVKMarkupFrameworkContentElement::GetParentFrameworkElement() const
{
    int nDepth = 0;
    for (CLVKMarkupObject* p = GetLogicalParent(); p && nDepth < kMarkupMaxParentChain;
         p = p->GetLogicalParent(), ++nDepth)
    {
        if (auto* const pElement = MarkupCast<CLVKMarkupFrameworkElement>(p))
        {
            return pElement;
        }
    }
    return nullptr;
}

void CLVKMarkupFrameworkContentElement::OnPropertyChanged(CLVKMarkupDependencyProperty* pProperty,
                                                          CLVKMarkupObject* pOldValue, CLVKMarkupObject* pNewValue)
{
    CLVKMarkupInputElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
    ApplyTriggers(pProperty, pNewValue);
    CLVKMarkupFrameworkElement* const pParent = GetParentFrameworkElement();
    if (!pParent || !pProperty || pParent->IsBeingBuilt())
    {
        return;
    }
    const int nFlags = pProperty->GetFlags();
    if (nFlags & MarkupPropertyAffectsMeasure)
    {
        pParent->InvalidateMeasure();
    }
    if (nFlags & MarkupPropertyAffectsArrange)
    {
        pParent->InvalidateArrange();
    }
    if (nFlags & MarkupPropertyAffectsRender)
    {
        pParent->InvalidateVisual();
    }
}
