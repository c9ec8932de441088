#include "Markup/MarkupDecorator.h"

#include "Markup/MarkupBuilder.h"

LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupDecorator, L"", CLVKMarkupFrameworkElement::GetMarkupType(), nullptr, nullptr)

CLVKMarkupDecorator::~CLVKMarkupDecorator()
{
    if (m_pChild)
    {
        m_pChild->SetLogicalParent(nullptr);
        m_pChild->Release();
    }
}

BOOL CLVKMarkupDecorator::SetChild(CLVKMarkupUIElement* pChild)
{
    if (pChild)
    {
        if (pChild->GetLogicalParent())
        {
            return FALSE;
        }
        for (const CLVKMarkupObject* p = this; p; p = p->GetLogicalParent())
        {
            if (p == pChild)
            {
                return FALSE;
            }
        }
    }
    if (m_pChild)
    {
        m_pChild->SetLogicalParent(nullptr);
        m_pChild->Release();
    }
    m_pChild = pChild;
    if (m_pChild)
    {
        m_pChild->SetLogicalParent(this);
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
    if (m_pChild)
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
