#include "Markup/MarkupDecorator.h"

#include "Markup/MarkupBuilder.h"

LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupDecorator, L"", CLVKMarkupFrameworkElement::GetMarkupType(), nullptr, nullptr)

CLVKMarkupDecorator::~CLVKMarkupDecorator() = default;

BOOL CLVKMarkupDecorator::SetChild(CLVKMarkupUIElement* pChild)
{
    if (!m_child.Set(pChild))
    {
        return FALSE;
    }
    if (!IsBeingBuilt())
    {
        InvalidateMeasure();
    }
    return TRUE;
}

void CLVKMarkupDecorator::SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent)
{
    auto* const pChild = MarkupCast<CLVKMarkupUIElement>(pContent);
    if (!pChild)
    {
        CLVKMarkupFrameworkElement::SetContentObject(pBuilder, pContent);
        return;
    }
    if (m_child.Get())
    {
        MarkupThrowError(L"'%ls' already has a child and cannot add '%ls'. '%ls' can accept only one child.",
                         GetType()->GetClassName(), pContent->GetType()->GetClassName(), GetType()->GetClassName());
    }
    pChild->AddRef();
    if (!SetChild(pChild))
    {
        pChild->Release();
    }
}
