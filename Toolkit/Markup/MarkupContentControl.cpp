#include "Markup/MarkupContentControl.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupPropertyMetadata.h"
#include "Markup/MarkupString.h"
#include "Markup/MarkupTextBlock.h"

CLVKMarkupDependencyProperty* CLVKMarkupContentControl::m_pContentProperty = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupContentControl, L"", CLVKMarkupControl::GetMarkupType(), nullptr,
                          &CLVKMarkupContentControl::RegisterProperties)

void AFX_CDECL CLVKMarkupContentControl::RegisterProperties()
{
    m_pContentProperty = CLVKMarkupDependencyProperty::Register(
        L"Content", CLVKMarkupUIElement::GetMarkupType(), GetMarkupType(),
        new CLVKMarkupPropertyMetadata(nullptr, &ConvertContent, MarkupPropertyAffectsMeasure));
}

BEGIN_DISPATCH_MAP(CLVKMarkupContentControl, CLVKMarkupControl)
    DISP_MARKUP_OBJECT("Content", 600, CLVKMarkupContentControl::m_pContentProperty)
END_DISPATCH_MAP()

CLVKMarkupUIElement* CLVKMarkupContentControl::GetContent() const
{
    return MarkupCast<CLVKMarkupUIElement>(GetValue(m_pContentProperty));
}

void CLVKMarkupContentControl::SetContent(CLVKMarkupUIElement* pContent)
{
    SetValue(m_pContentProperty, pContent);
}

CLVKMarkupVisual* CLVKMarkupContentControl::GetVisualChild(int nIndex) const
{
    return nIndex == 0 ? GetContent() : nullptr;
}

CLVKMarkupUIElement* AFX_CDECL CLVKMarkupContentControl::CreateTextContent(CLVKMarkupContext* pContext,
                                                                           CLVKMarkupBuilder* pBuilder,
                                                                           CLVKMarkupObject* pText)
{
    CLVKMarkupObject* const pObject =
        pContext ? pContext->CreateMarkupObject(CLVKMarkupTextBlock::GetMarkupType()) : new CLVKMarkupTextBlock();
    auto* const pTextBlock = MarkupCast<CLVKMarkupTextBlock>(pObject);
    if (!pTextBlock)
    {
        if (pObject)
        {
            pObject->Release();
        }
        return nullptr;
    }
    try
    {
        pTextBlock->SetContentObject(pBuilder, pText);
    }
    catch (...)
    {
        pTextBlock->Release();
        throw;
    }
    return pTextBlock;
}

CLVKMarkupObject* AFX_CDECL CLVKMarkupContentControl::ConvertContent(CLVKMarkupBuilder* pBuilder,
                                                                     CLVKMarkupObject* pValue,
                                                                     CLVKMarkupDependencyProperty* /*pProperty*/)
{
    if (!MarkupCast<CLVKMarkupString>(pValue))
    {
        return nullptr;
    }
    return CreateTextContent(pBuilder ? pBuilder->GetContext() : nullptr, pBuilder, pValue);
}

void CLVKMarkupContentControl::SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent)
{
    if (GetContent())
    {
        MarkupThrowError(L"'%ls' already has a child and cannot add '%ls'. '%ls' can accept only one child.",
                         GetType()->GetClassName(), pContent ? pContent->GetType()->GetClassName() : L"",
                         GetType()->GetClassName());
    }
    if (MarkupCast<CLVKMarkupString>(pContent))
    {
        SetContent(CreateTextContent(pBuilder ? pBuilder->GetContext() : GetMarkupContext(), pBuilder, pContent));
        return;
    }
    auto* const pElement = MarkupCast<CLVKMarkupUIElement>(pContent);
    if (!pElement)
    {
        MarkupThrowError(
            L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type 'CLVKMarkupUIElement'",
            pContent ? pContent->GetType()->GetClassName() : L"", GetType()->GetClassName());
    }
    pElement->AddRef();
    SetContent(pElement);
}
