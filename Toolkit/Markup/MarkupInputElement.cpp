#include "Markup/MarkupInputElement.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBool.h"
#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupDelegate.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupMouseEventArgs.h"
#include "Markup/MarkupProperties.h"
#include "Markup/MarkupResourceDictionary.h"
#include "Markup/MarkupSetter.h"
#include "Markup/MarkupSetterCollection.h"
#include "Markup/MarkupString.h"
#include "Markup/MarkupStyle.h"
#include "Markup/MarkupTrigger.h"
#include "Markup/MarkupTriggerCollection.h"
#include "Markup/MarkupValueConverters.h"

#include <map>

CLVKMarkupDependencyProperty* CLVKMarkupInputElement::m_pCursorProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupInputElement::m_pIsMouseOverProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupInputElement::m_pResourcesProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupInputElement::m_pStyleProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupInputElement::m_pIsKeyboardFocusedProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupInputElement::m_pIsFocusableProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupInputElement::m_pToolTipProperty = nullptr;
CLVKMarkupRoutedEvent* CLVKMarkupInputElement::m_pMouseLeaveEvent = nullptr;
CLVKMarkupRoutedEvent* CLVKMarkupInputElement::m_pMouseEnterEvent = nullptr;
CLVKMarkupRoutedEvent* CLVKMarkupInputElement::m_pMouseLeftButtonUpEvent = nullptr;
CLVKMarkupRoutedEvent* CLVKMarkupInputElement::m_pMouseLeftButtonDownEvent = nullptr;
CLVKMarkupRoutedEvent* CLVKMarkupInputElement::m_pMouseRightButtonUpEvent = nullptr;
CLVKMarkupRoutedEvent* CLVKMarkupInputElement::m_pMouseRightButtonDownEvent = nullptr;
CLVKMarkupRoutedEvent* CLVKMarkupInputElement::m_pMouseMoveEvent = nullptr;
CLVKMarkupRoutedEvent* CLVKMarkupInputElement::m_pLostMouseCaptureEvent = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupInputElement, L"", CLVKMarkupObject::GetMarkupType(), nullptr,
                          &CLVKMarkupInputElement::RegisterProperties)

namespace
{

void OnStyleChanged(CLVKMarkupObject* pObject, const MarkupPropertyChange& change)
{
    auto* const pStyle = MarkupCast<CLVKMarkupStyle>(change.pNewValue);
    if (pStyle)
    {
        pStyle->Seal();
    }
    static_cast<CLVKMarkupInputElement*>(pObject)->SetStyleInForce(pStyle);
}

}  // namespace

void AFX_CDECL CLVKMarkupInputElement::RegisterProperties()
{
    CLVKMarkupType::EnsureRegistered(CLVKMarkupStyle::GetMarkupType());
    CLVKMarkupType* const pType = GetMarkupType();
    m_pCursorProperty =
        CLVKMarkupDependencyProperty::Register(L"Cursor", CLVKMarkupInt::GetMarkupType(), pType,
                                               new CLVKMarkupPropertyMetadata(nullptr, MarkupCursorConverter));
    m_pIsMouseOverProperty = CLVKMarkupDependencyProperty::Register(
        L"IsMouseOver", CLVKMarkupBool::GetMarkupType(), pType, new CLVKMarkupPropertyMetadata(new CLVKMarkupBool()));
    m_pResourcesProperty = CLVKMarkupStyle::m_pResourcesProperty->AddOwner(pType);
    m_pStyleProperty = CLVKMarkupDependencyProperty::Register(L"Style", CLVKMarkupStyle::GetMarkupType(), pType,
                                                              new CLVKMarkupPropertyMetadata(nullptr, OnStyleChanged));
    m_pIsKeyboardFocusedProperty = CLVKMarkupDependencyProperty::Register(
        L"IsKeyboardFocused", CLVKMarkupBool::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(new CLVKMarkupBool(), MarkupPropertyAffectsRender));
    m_pIsFocusableProperty = CLVKMarkupDependencyProperty::Register(
        L"IsFocusable", CLVKMarkupBool::GetMarkupType(), pType, new CLVKMarkupPropertyMetadata(new CLVKMarkupBool()));
    m_pToolTipProperty = CLVKMarkupDependencyProperty::Register(L"ToolTip", CLVKMarkupObject::GetMarkupType(), pType);
    m_pMouseLeaveEvent = CLVKMarkupRoutedEvent::RegisterRoutedEvent(L"MouseLeave", 0, pType);
    m_pMouseEnterEvent = CLVKMarkupRoutedEvent::RegisterRoutedEvent(L"MouseEnter", 0, pType);
    m_pMouseLeftButtonUpEvent = CLVKMarkupRoutedEvent::RegisterRoutedEvent(L"MouseLeftButtonUp", 0, pType);
    m_pMouseLeftButtonDownEvent = CLVKMarkupRoutedEvent::RegisterRoutedEvent(L"MouseLeftButtonDown", 0, pType);
    m_pMouseRightButtonUpEvent = CLVKMarkupRoutedEvent::RegisterRoutedEvent(L"MouseRightButtonUp", 0, pType);
    m_pMouseRightButtonDownEvent = CLVKMarkupRoutedEvent::RegisterRoutedEvent(L"MouseRightButtonDown", 0, pType);
    m_pMouseMoveEvent = CLVKMarkupRoutedEvent::RegisterRoutedEvent(L"MouseMove", 0, pType);
    m_pLostMouseCaptureEvent = CLVKMarkupRoutedEvent::RegisterRoutedEvent(L"LostMouseCapture", 0, pType);
}

CLVKMarkupInputElement::~CLVKMarkupInputElement()
{
    if (m_pHandlers)
    {
        for (auto& entry : *m_pHandlers)
        {
            for (CLVKMarkupDelegate* const pDelegate : entry.second)
            {
                pDelegate->Release();
            }
        }
        delete m_pHandlers;
    }
    if (m_pActiveTriggers)
    {
        m_pActiveTriggers->Release();
    }
    delete m_pTriggerValues;
}

void CLVKMarkupInputElement::AddHandler(CLVKMarkupRoutedEvent* pEvent, CLVKMarkupDelegate* pDelegate)
{
    if (!pEvent || !pDelegate)
    {
        return;
    }
    if (!m_pHandlers)
    {
        m_pHandlers = new std::map<CLVKMarkupRoutedEvent*, std::vector<CLVKMarkupDelegate*>>();
    }
    pDelegate->AddRef();
    (*m_pHandlers)[pEvent].push_back(pDelegate);
}

void CLVKMarkupInputElement::InvokeHandlers(CLVKMarkupObject* pSender, CLVKMarkupRoutedEventArgs* pArgs)
{
    if (!m_pHandlers || !pArgs)
    {
        return;
    }
    const auto it = m_pHandlers->find(pArgs->GetRoutedEvent());
    if (it == m_pHandlers->end())
    {
        return;
    }
    // A handler may add handlers: walk a copy, each delegate kept alive.
    std::vector<CLVKMarkupDelegate*> delegates = it->second;
    for (CLVKMarkupDelegate* const pDelegate : delegates)
    {
        pDelegate->AddRef();
    }
    for (CLVKMarkupDelegate* const pDelegate : delegates)
    {
        pDelegate->Execute(pSender, pArgs);
    }
    for (CLVKMarkupDelegate* const pDelegate : delegates)
    {
        pDelegate->Release();
    }
}

void CLVKMarkupInputElement::RaiseEvent(CLVKMarkupRoutedEventArgs* pArgs)
{
    if (!pArgs || !pArgs->GetRoutedEvent())
    {
        return;
    }
    if (!pArgs->GetRoutedEvent()->IsBubbling())
    {
        InvokeHandlers(this, pArgs);
        return;
    }
    // The walk holds each element while its handlers run.
    CLVKMarkupAutoPtr<CLVKMarkupObject> hold(this);
    AddRef();
    int nDepth = 0;
    for (CLVKMarkupObject* p = this; p && nDepth < kMarkupMaxParentChain; p = p->GetLogicalParent(), ++nDepth)
    {
        if (auto* const pElement = MarkupCast<CLVKMarkupInputElement>(p))
        {
            pElement->InvokeHandlers(pElement, pArgs);
            if (pArgs->IsHandled())
            {
                return;
            }
        }
    }
    if (CLVKMarkupContext* const pContext = GetMarkupContext())
    {
        pContext->RaiseContextHandlers(this, pArgs);
    }
}

void CLVKMarkupInputElement::OnMouseEnter(CLVKMarkupMouseEventArgs* /*pArgs*/)
{
    SetValue(m_pIsMouseOverProperty, new CLVKMarkupBool(TRUE));
}

void CLVKMarkupInputElement::OnMouseLeave(CLVKMarkupMouseEventArgs* /*pArgs*/)
{
    ClearValue(m_pIsMouseOverProperty);
}

BOOL CLVKMarkupInputElement::IsMouseOver() const
{
    auto* const pValue = MarkupCast<CLVKMarkupBool>(GetValue(m_pIsMouseOverProperty));
    return pValue && pValue->GetValue();
}

void CLVKMarkupInputElement::OnQueryCursor(CLVKMarkupQueryCursorEventArgs* pArgs)
{
    auto* const pCursor = MarkupCast<CLVKMarkupInt>(GetValue(m_pCursorProperty));
    if (!pCursor || !pArgs)
    {
        return;
    }
    pArgs->SetHandled();
    pArgs->m_hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(pCursor->GetValue()));
}

CLVKMarkupObject* CLVKMarkupInputElement::GetLocalValue(CLVKMarkupDependencyProperty* pProperty) const
{
    if (CLVKMarkupObject* const pValue = GetOwnValue(pProperty))
    {
        return pValue;
    }
    if (m_pTriggerValues)
    {
        if (CLVKMarkupObject* const pValue = m_pTriggerValues->GetValue(pProperty))
        {
            return pValue;
        }
    }
    if (m_pStyle)
    {
        if (CLVKMarkupObject* const pValue = m_pStyle->GetSealedValue(pProperty))
        {
            return pValue;
        }
    }
    if (CLVKMarkupStyle* const pTypeStyle = GetType()->GetStyle())
    {
        return pTypeStyle->GetSealedValue(pProperty);
    }
    return nullptr;
}

void CLVKMarkupInputElement::SetPropertyObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupDependencyProperty* pProperty,
                                               CLVKMarkupObject* pValue)
{
    if (!pProperty || !pProperty->IsEvent())
    {
        CLVKMarkupObject::SetPropertyObject(pBuilder, pProperty, pValue);
        return;
    }
    CLVKMarkupContext* const pContext = GetMarkupContext();
    if (!pContext)
    {
        MarkupThrowError(L"Markup Context is NULL");
    }
    auto* const pName = MarkupCast<CLVKMarkupString>(pValue);
    CLVKMarkupDelegate* const pDelegate = pName ? pContext->LookupDelegate(pName->GetText()) : nullptr;
    if (!pDelegate)
    {
        MarkupThrowError(L"'%ls' delegate not found", pName ? pName->GetText() : L"");
    }
    AddHandler(static_cast<CLVKMarkupRoutedEvent*>(pProperty), pDelegate);
}

void CLVKMarkupInputElement::ApplyImplicitStyle()
{
    if (!m_pStyle)
    {
        auto* const pStyle = MarkupCast<CLVKMarkupStyle>(CLVKMarkupResourceDictionary::FindResource(this, GetType()));
        if (pStyle)
        {
            pStyle->Seal();
            m_pStyle = pStyle;
        }
    }
    if (m_pStyle || GetType()->GetStyle())
    {
        ApplyTriggers(nullptr, nullptr);
    }
}

void AFX_CDECL CLVKMarkupInputElement::ApplyStylesInTree(CLVKMarkupObject* pObject, int nDepth)
{
    if (!pObject || nDepth > kMarkupMaxDepth)
    {
        return;
    }
    const int nCount = pObject->GetLogicalChildrenCount();
    for (int i = 0; i < nCount; ++i)
    {
        ApplyStylesInTree(pObject->GetLogicalChild(i), nDepth + 1);
    }
    if (auto* const pElement = MarkupCast<CLVKMarkupInputElement>(pObject))
    {
        pElement->ApplyImplicitStyle();
    }
}

BOOL CLVKMarkupInputElement::CollectActiveTriggers(CLVKMarkupStyle* pStyle, CLVKMarkupDependencyProperty* pProperty,
                                                   CLVKMarkupObject* pValue, int nDepth)
{
    if (!pStyle || nDepth > kMarkupMaxDepth)
    {
        return FALSE;
    }
    BOOL bAdded = CollectActiveTriggers(pStyle->GetBasedOn(), pProperty, pValue, nDepth + 1);
    CLVKMarkupTriggerCollection* const pTriggers = pStyle->GetTriggers();
    if (!pTriggers)
    {
        return bAdded;
    }
    for (int i = pTriggers->GetCount() - 1; i >= 0; --i)
    {
        CLVKMarkupTrigger* const pTrigger = pTriggers->GetTrigger(i);
        if (!pTrigger)
        {
            continue;
        }
        CLVKMarkupDependencyProperty* const pTriggerProperty = pTrigger->GetProperty();
        CLVKMarkupObject* pTested = nullptr;
        if (!pProperty)
        {
            pTested = GetValue(pTriggerProperty);
        }
        else if (pTriggerProperty == pProperty)
        {
            pTested = pValue;
        }
        else
        {
            continue;
        }
        CLVKMarkupObject* const pTriggerValue = pTrigger->GetTriggerValue();
        if (pTriggerValue && pTested && pTriggerValue->IsEqual(pTested))
        {
            if (!m_pActiveTriggers)
            {
                m_pActiveTriggers = new CLVKMarkupTriggerCollection(FALSE);
            }
            pTrigger->AddRef();
            if (!m_pActiveTriggers->Add(pTrigger))
            {
                pTrigger->Release();
            }
            bAdded = TRUE;
        }
    }
    return bAdded;
}

void CLVKMarkupInputElement::ApplyTriggers(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pNewValue)
{
    // Per property, the trigger value the element had before this call
    // (with a reference, or null).
    std::map<CLVKMarkupDependencyProperty*, CLVKMarkupObject*> before;
    auto remember = [&](CLVKMarkupDependencyProperty* p)
    {
        if (before.count(p))
        {
            return;
        }
        CLVKMarkupObject* const pOld = m_pTriggerValues ? m_pTriggerValues->GetValue(p) : nullptr;
        if (pOld)
        {
            pOld->AddRef();
        }
        before[p] = pOld;
    };

    BOOL bChanged = FALSE;
    if (pProperty && m_pActiveTriggers)
    {
        for (int i = m_pActiveTriggers->GetCount() - 1; i >= 0; --i)
        {
            CLVKMarkupTrigger* const pTrigger = m_pActiveTriggers->GetTrigger(i);
            if (!pTrigger || pTrigger->GetProperty() != pProperty)
            {
                continue;
            }
            CLVKMarkupObject* const pTriggerValue = pTrigger->GetTriggerValue();
            if (pTriggerValue && pNewValue && pTriggerValue->IsEqual(pNewValue))
            {
                continue;
            }
            if (CLVKMarkupSetterCollection* const pSetters = pTrigger->GetSetters())
            {
                for (int k = 0; k < pSetters->GetCount(); ++k)
                {
                    if (CLVKMarkupSetter* const pSetter = pSetters->GetSetter(k))
                    {
                        remember(pSetter->GetProperty());
                        if (m_pTriggerValues)
                        {
                            m_pTriggerValues->SetValue(pSetter->GetProperty(), nullptr);
                        }
                    }
                }
            }
            m_pActiveTriggers->RemoveAt(i);
            bChanged = TRUE;
        }
    }

    CLVKMarkupStyle* const pStyle = m_pStyle ? m_pStyle : GetType()->GetStyle();
    if (CollectActiveTriggers(pStyle, pProperty, pNewValue))
    {
        bChanged = TRUE;
    }

    if (bChanged && m_pActiveTriggers)
    {
        if (!m_pTriggerValues)
        {
            m_pTriggerValues = new CLVKMarkupProperties();
        }
        for (int i = 0; i < m_pActiveTriggers->GetCount(); ++i)
        {
            CLVKMarkupTrigger* const pTrigger = m_pActiveTriggers->GetTrigger(i);
            CLVKMarkupSetterCollection* const pSetters = pTrigger ? pTrigger->GetSetters() : nullptr;
            for (int k = 0; pSetters && k < pSetters->GetCount(); ++k)
            {
                CLVKMarkupSetter* const pSetter = pSetters->GetSetter(k);
                if (!pSetter || !pSetter->GetProperty())
                {
                    continue;
                }
                CLVKMarkupObject* const pCurrent = m_pTriggerValues->GetValue(pSetter->GetProperty());
                CLVKMarkupObject* const pSetterValue = pSetter->GetSetterValue();
                if (pCurrent != pSetterValue)
                {
                    remember(pSetter->GetProperty());
                    if (pSetterValue)
                    {
                        pSetterValue->AddRef();
                    }
                    m_pTriggerValues->SetValue(pSetter->GetProperty(), pSetterValue);
                }
            }
        }
    }

    for (auto& entry : before)
    {
        CLVKMarkupObject* const pOld = entry.second;
        CLVKMarkupObject* const pNow = m_pTriggerValues ? m_pTriggerValues->GetValue(entry.first) : nullptr;
        const BOOL bDiffers = (!pOld != !pNow) || (pOld && pNow && !pOld->IsEqual(pNow));
        if (bDiffers)
        {
            CLVKMarkupObject* const pEffective = GetValue(entry.first);
            OnPropertyChanged(entry.first, pOld, pEffective);
            if (entry.first->GetFlags() & MarkupPropertyInherits)
            {
                NotifyInheritedChanged(entry.first, pOld, pEffective);
            }
        }
        if (pOld)
        {
            pOld->Release();
        }
    }
}

BEGIN_DISPATCH_MAP(CLVKMarkupInputElement, CLVKMarkupObject)
    DISP_MARKUP_NUMBER("Cursor", 100, CLVKMarkupInputElement::m_pCursorProperty, VT_I4, 0)
    DISP_MARKUP_TEXT_VARIANT("ToolTip", 101, CLVKMarkupInputElement::m_pToolTipProperty)
    DISP_MARKUP_NUMBER_READONLY("IsMouseOver", 102, CLVKMarkupInputElement::m_pIsMouseOverProperty, VT_BOOL, 0)
    DISP_MARKUP_EVENT("MouseLeaveEvent", 104, CLVKMarkupInputElement::m_pMouseLeaveEvent)
    DISP_MARKUP_EVENT("MouseEnterEvent", 105, CLVKMarkupInputElement::m_pMouseEnterEvent)
    DISP_MARKUP_EVENT("MouseLeftButtonUpEvent", 106, CLVKMarkupInputElement::m_pMouseLeftButtonUpEvent)
    DISP_MARKUP_EVENT("MouseLeftButtonDownEvent", 107, CLVKMarkupInputElement::m_pMouseLeftButtonDownEvent)
    DISP_MARKUP_EVENT("MouseRightButtonUpEvent", 108, CLVKMarkupInputElement::m_pMouseRightButtonUpEvent)
    DISP_MARKUP_EVENT("MouseRightButtonDownEvent", 109, CLVKMarkupInputElement::m_pMouseRightButtonDownEvent)
    DISP_MARKUP_EVENT("MouseMoveEvent", 110, CLVKMarkupInputElement::m_pMouseMoveEvent)
    DISP_MARKUP_EVENT("LostMouseCaptureEvent", 111, CLVKMarkupInputElement::m_pLostMouseCaptureEvent)
    DISP_FUNCTION_ID(CLVKMarkupInputElement, "FindName", 112, OleFindName, VT_DISPATCH, VTS_BSTR)
    DISP_PROPERTY_EX_ID(CLVKMarkupInputElement, "Name", 113, OleGetName, OleSetName, VT_BSTR)
    DISP_FUNCTION_ID(CLVKMarkupInputElement, "CaptureMouse", 114, OleCaptureMouse, VT_EMPTY, VTS_NONE)
    DISP_FUNCTION_ID(CLVKMarkupInputElement, "ReleaseMouseCapture", 115, OleReleaseMouseCapture, VT_EMPTY, VTS_NONE)
END_DISPATCH_MAP()

IDispatch* CLVKMarkupInputElement::OleFindName(LPCOLESTR lpszName)
{
    return GetDispatch(lpszName ? FindName(lpszName) : nullptr, TRUE);
}

BSTR CLVKMarkupInputElement::OleGetName()
{
    const LPCWSTR lpszName = GetNameText();
    return SysAllocString(lpszName ? lpszName : L"");
}

void CLVKMarkupInputElement::OleSetName(LPCOLESTR lpszName)
{
    SetValue(m_pNameProperty, CLVKMarkupString::CreateValue(lpszName));
}

void CLVKMarkupInputElement::OleCaptureMouse()
{
    if (GetMarkupContext())
    {
        GetMarkupContext()->CaptureMouse(this);
    }
}

void CLVKMarkupInputElement::OleReleaseMouseCapture()
{
    if (GetMarkupContext())
    {
        GetMarkupContext()->ReleaseMouseCapture(this);
    }
}
