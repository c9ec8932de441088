#include "Markup/MarkupInlineCollection.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupFrameworkElement.h"
#include "Markup/MarkupInlineUIContainer.h"
#include "Markup/MarkupRun.h"
#include "Markup/MarkupString.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupInlineCollection, L"", CLVKMarkupCollection::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupInlineCollection(); }, nullptr)

CLVKMarkupInlineCollection::CLVKMarkupInlineCollection() : CLVKMarkupCollection(CLVKMarkupInline::GetMarkupType())
{
}

CLVKMarkupInline* CLVKMarkupInlineCollection::GetInline(int nIndex) const
{
    return MarkupCast<CLVKMarkupInline>(GetItemOrNull(nIndex));
}

int CLVKMarkupInlineCollection::IndexOf(const CLVKMarkupObject* pObject) const
{
    for (int i = 0; i < GetCount(); ++i)
    {
        if (m_items[i] == pObject)
        {
            return i;
        }
    }
    return -1;
}

void CLVKMarkupInlineCollection::SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent)
{
    auto fail = [&]()
    {
        MarkupThrowError(L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type '%ls'",
                         pContent ? pContent->GetType()->GetClassName() : L"", GetType()->GetClassName(),
                         CLVKMarkupInline::GetMarkupType()->GetClassName());
    };
    if (!pContent || !MarkupCast<CLVKMarkupInputElement>(GetOwner()))
    {
        fail();
    }
    CLVKMarkupContext* const pContext = GetOwner()->GetMarkupContext();
    CLVKMarkupAutoPtr<CLVKMarkupObject> pItem;
    if (auto* const pString = MarkupCast<CLVKMarkupString>(pContent))
    {
        auto* const pRun = static_cast<CLVKMarkupRun*>(
            pContext ? pContext->CreateMarkupObject(CLVKMarkupRun::GetMarkupType()) : new CLVKMarkupRun());
        pItem.Reset(pRun);
        pRun->SetText(pString->GetText());
    }
    else if (MarkupCast<CLVKMarkupInline>(pContent))
    {
        pContent->AddRef();
        pItem.Reset(pContent);
    }
    else if (auto* const pElement = MarkupCast<CLVKMarkupUIElement>(pContent))
    {
        auto* const pContainer = static_cast<CLVKMarkupInlineUIContainer*>(
            pContext ? pContext->CreateMarkupObject(CLVKMarkupInlineUIContainer::GetMarkupType())
                     : new CLVKMarkupInlineUIContainer());
        pItem.Reset(pContainer);
        pElement->AddRef();
        if (!pContainer->SetChild(pElement))
        {
            pElement->Release();
            fail();
        }
    }
    else
    {
        fail();
    }
    CLVKMarkupObject* const pAdded = pItem.Detach();
    if (!Insert(-1, pAdded))
    {
        pAdded->Release();
        MarkupThrowError(L"'%ls' object cannot be added to '%ls'. The object already has a parent",
                         pContent->GetType()->GetClassName(), GetType()->GetClassName());
    }
    (void)pBuilder;
}

void CLVKMarkupInlineCollection::OnItemAdded(CLVKMarkupObject* /*pObject*/, int nIndex)
{
    for (int i = nIndex; i < GetCount(); ++i)
    {
        if (auto* const pInline = GetInline(i))
        {
            pInline->SetIndex(i);
        }
    }
}

void CLVKMarkupInlineCollection::OnChanged()
{
    for (int i = 0; i < GetCount(); ++i)
    {
        if (auto* const pInline = GetInline(i))
        {
            pInline->SetIndex(i);
        }
    }
    // The text block that shows the inlines lays them out again.
    int nDepth = 0;
    for (CLVKMarkupObject* p = GetOwner(); p && nDepth < kMarkupMaxParentChain; p = p->GetLogicalParent(), ++nDepth)
    {
        if (auto* const pElement = MarkupCast<CLVKMarkupFrameworkElement>(p))
        {
            if (!pElement->IsBeingBuilt())
            {
                pElement->InvalidateMeasure();
            }
            return;
        }
    }
}

BEGIN_DISPATCH_MAP(CLVKMarkupInlineCollection, CLVKMarkupCollection)
    DISP_MARKUP_COLLECTION(CLVKMarkupInlineCollection)
END_DISPATCH_MAP()
