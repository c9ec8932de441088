#include "Markup/MarkupHyperlink.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBool.h"
#include "Markup/MarkupButtonBase.h"
#include "Markup/MarkupEnum.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupMouseEventArgs.h"
#include "Markup/MarkupRoutedEvent.h"
#include "Markup/MarkupRoutedEventArgs.h"
#include "Markup/MarkupSetterCollection.h"
#include "Markup/MarkupSolidColorBrush.h"
#include "Markup/MarkupString.h"
#include "Markup/MarkupStyle.h"
#include "Markup/MarkupTriggerCollection.h"

CLVKMarkupDependencyProperty* CLVKMarkupHyperlink::m_pNavigateUriProperty = nullptr;
CLVKMarkupRoutedEvent* CLVKMarkupHyperlink::m_pClickEvent = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupHyperlink, L"Hyperlink", CLVKMarkupSpan::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupHyperlink(); }, &CLVKMarkupHyperlink::RegisterProperties)

namespace
{

const COLORREF kLinkColor = RGB(0, 0, 255);
const COLORREF kHotLinkColor = RGB(255, 0, 0);
const int kHandCursor = 32649;

}  // namespace

void AFX_CDECL CLVKMarkupHyperlink::RegisterProperties()
{
    CLVKMarkupType* const pType = GetMarkupType();
    CLVKMarkupType::EnsureRegistered(CLVKMarkupInputElement::GetMarkupType());
    CLVKMarkupType::EnsureRegistered(CLVKMarkupStyle::GetMarkupType());
    CLVKMarkupType::EnsureRegistered(CLVKMarkupTrigger::GetMarkupType());
    CLVKMarkupType::EnsureRegistered(CLVKMarkupTextElement::GetMarkupType());
    m_pNavigateUriProperty =
        CLVKMarkupDependencyProperty::Register(L"NavigateUri", CLVKMarkupString::GetMarkupType(), pType);
    // The button base's bubbling "Click", with the hyperlink as a further
    // owner: handlers of the enclosing elements and the context's own
    // handlers of Click hear links and buttons alike.
    CLVKMarkupType::EnsureRegistered(CLVKMarkupButtonBase::GetMarkupType());
    CLVKMarkupButtonBase::m_pClickEvent->AddOwner(pType);
    m_pClickEvent = CLVKMarkupButtonBase::m_pClickEvent;

    auto* const pStyle = new CLVKMarkupStyle();
    CLVKMarkupSetterCollection* const pSetters = pStyle->GetSetters();
    pSetters->Add(new CLVKMarkupSetter(CLVKMarkupTextElement::m_pTextDecorationsProperty, new CLVKMarkupEnum(1)));
    pSetters->Add(
        new CLVKMarkupSetter(CLVKMarkupTextElement::m_pForegroundProperty, new CLVKMarkupSolidColorBrush(kLinkColor)));
    pSetters->Add(new CLVKMarkupSetter(CLVKMarkupInputElement::m_pCursorProperty, new CLVKMarkupInt(kHandCursor)));
    auto* const pHot = new CLVKMarkupTrigger(CLVKMarkupInputElement::m_pIsMouseOverProperty, new CLVKMarkupBool(TRUE));
    auto* const pHotSetters = new CLVKMarkupSetterCollection();
    pHotSetters->Add(new CLVKMarkupSetter(CLVKMarkupTextElement::m_pForegroundProperty,
                                          new CLVKMarkupSolidColorBrush(kHotLinkColor)));
    pHot->SetValue(CLVKMarkupTrigger::m_pSettersProperty, pHotSetters);
    auto* const pTriggers = new CLVKMarkupTriggerCollection();
    pTriggers->Add(pHot);
    pStyle->SetValue(CLVKMarkupStyle::m_pTriggersProperty, pTriggers);
    pType->AddRef();
    pStyle->SetValue(CLVKMarkupStyle::m_pTargetTypeProperty, pType);
    pType->SetStyle(pStyle);
}

void CLVKMarkupHyperlink::OnMouseLeftButtonDown(CLVKMarkupMouseButtonEventArgs* pArgs)
{
    m_bPressed = TRUE;
    if (pArgs)
    {
        pArgs->SetHandled();
    }
}

void CLVKMarkupHyperlink::OnMouseLeftButtonUp(CLVKMarkupMouseButtonEventArgs* pArgs)
{
    if (!m_bPressed)
    {
        return;
    }
    m_bPressed = FALSE;
    // A handler may release the tree that holds the link.
    AddRef();
    OnClick();
    if (pArgs)
    {
        pArgs->SetHandled();
    }
    Release();
}

void CLVKMarkupHyperlink::OnClick()
{
    CLVKMarkupAutoPtr<CLVKMarkupRoutedEventArgs> pArgs(new CLVKMarkupRoutedEventArgs(m_pClickEvent, this));
    RaiseEvent(pArgs);
}

LPCWSTR CLVKMarkupHyperlink::GetNavigateUri() const
{
    auto* const pUri = MarkupCast<CLVKMarkupString>(GetValue(m_pNavigateUriProperty));
    return pUri ? pUri->GetText() : L"";
}

void CLVKMarkupHyperlink::SetNavigateUri(LPCWSTR lpszUri)
{
    SetValue(m_pNavigateUriProperty, new CLVKMarkupString(lpszUri));
}

BEGIN_DISPATCH_MAP(CLVKMarkupHyperlink, CLVKMarkupSpan)
    DISP_MARKUP_EVENT("ClickEvent", 800, CLVKMarkupHyperlink::m_pClickEvent)
END_DISPATCH_MAP()
