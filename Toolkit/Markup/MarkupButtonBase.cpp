#include "Markup/MarkupButtonBase.h"

#include "Foundation/WinThemeWrapper.h"
#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBool.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupKeyboardNavigation.h"
#include "Markup/MarkupMouseEventArgs.h"
#include "Markup/MarkupPropertyMetadata.h"
#include "Markup/MarkupRoutedEvent.h"
#include "Markup/MarkupRoutedEventArgs.h"

CLVKMarkupDependencyProperty* CLVKMarkupButtonBase::m_pIsPressedProperty = nullptr;
CLVKMarkupRoutedEvent* CLVKMarkupButtonBase::m_pClickEvent = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupButtonBase, L"", CLVKMarkupContentControl::GetMarkupType(), nullptr,
                          &CLVKMarkupButtonBase::RegisterProperties)

void AFX_CDECL CLVKMarkupButtonBase::RegisterProperties()
{
    CLVKMarkupType* const pType = GetMarkupType();
    m_pIsPressedProperty = CLVKMarkupDependencyProperty::Register(
        L"IsPressed", CLVKMarkupBool::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(new CLVKMarkupBool(FALSE), MarkupPropertyAffectsArrange));
    m_pClickEvent = CLVKMarkupRoutedEvent::RegisterRoutedEvent(L"Click", MarkupPropertyInherits, pType);
}

BEGIN_DISPATCH_MAP(CLVKMarkupButtonBase, CLVKMarkupContentControl)
    DISP_PROPERTY_EX_ID(CLVKMarkupButtonBase, "IsPressed", 700, OleGetIsPressed, OleSetIsPressed, VT_BOOL)
    DISP_MARKUP_EVENT("ClickEvent", 701, CLVKMarkupButtonBase::m_pClickEvent)
END_DISPATCH_MAP()

BOOL CLVKMarkupButtonBase::OleGetIsPressed()
{
    return IsPressed();
}

CLVKMarkupButtonBase::CLVKMarkupButtonBase() : m_pTheme(std::make_unique<CLVKWinThemeWrapper>())
{
    SetValue(m_pFocusableProperty, new CLVKMarkupBool(TRUE));
}

CLVKMarkupButtonBase::~CLVKMarkupButtonBase() = default;

BOOL CLVKMarkupButtonBase::IsPressed() const
{
    auto* const pValue = MarkupCast<CLVKMarkupBool>(GetValue(m_pIsPressedProperty));
    return pValue && pValue->GetValue();
}

void CLVKMarkupButtonBase::SetPressed(BOOL bPressed)
{
    if (bPressed)
    {
        if (!m_bPressed)
        {
            m_bPressed = TRUE;
            SetValue(m_pIsPressedProperty, new CLVKMarkupBool(TRUE));
        }
        return;
    }
    if (!m_bPressed)
    {
        return;
    }
    m_bPressed = FALSE;
    ClearValue(m_pIsPressedProperty);
    // Released outside: the hover look the press kept goes now.
    if (!m_bMouseOver && IsMouseOver())
    {
        ClearValue(m_pIsMouseOverProperty);
        InvalidateVisual();
    }
}

void CLVKMarkupButtonBase::OnMouseEnter(CLVKMarkupMouseEventArgs* pArgs)
{
    m_bMouseOver = TRUE;
    if (m_bPressed)
    {
        // Back over the button while held: it looks pressed again.
        SetValue(m_pIsPressedProperty, new CLVKMarkupBool(TRUE));
        return;
    }
    CLVKMarkupContentControl::OnMouseEnter(pArgs);
    InvalidateVisual();
}

void CLVKMarkupButtonBase::OnMouseLeave(CLVKMarkupMouseEventArgs* pArgs)
{
    m_bMouseOver = FALSE;
    if (m_bPressed)
    {
        // Dragged out while held: it looks released.
        ClearValue(m_pIsPressedProperty);
        return;
    }
    CLVKMarkupContentControl::OnMouseLeave(pArgs);
    InvalidateVisual();
}

void CLVKMarkupButtonBase::OnMouseLeftButtonDown(CLVKMarkupMouseButtonEventArgs* pArgs)
{
    if (pArgs)
    {
        pArgs->SetHandled();
    }
    // A disabled button swallows the press without reacting.
    if (!IsEnabled())
    {
        return;
    }
    CLVKMarkupContext* const pContext = GetMarkupContext();
    if (pContext && pContext->GetKeyboardNavigation())
    {
        pContext->GetKeyboardNavigation()->Focus(this);
    }
    SetPressed(TRUE);
    if (pContext)
    {
        pContext->CaptureMouse(this);
    }
}

void CLVKMarkupButtonBase::OnMouseLeftButtonUp(CLVKMarkupMouseButtonEventArgs* pArgs)
{
    if (!m_bPressed)
    {
        return;
    }
    // Click handlers may release the tree: hold this element until done.
    AddRef();
    if (CLVKMarkupContext* const pContext = GetMarkupContext())
    {
        pContext->ReleaseMouseCapture(this);
    }
    SetPressed(FALSE);
    if (m_bMouseOver)
    {
        OnClick();
    }
    if (pArgs)
    {
        pArgs->SetHandled();
    }
    Release();
}

void CLVKMarkupButtonBase::OnLostMouseCapture(CLVKMarkupMouseEventArgs* /*pArgs*/)
{
    SetPressed(FALSE);
}

void CLVKMarkupButtonBase::OnClick()
{
    RaiseOwnEvent(m_pClickEvent);
}

void CLVKMarkupButtonBase::RaiseOwnEvent(CLVKMarkupRoutedEvent* pEvent)
{
    CLVKMarkupAutoPtr<CLVKMarkupRoutedEventArgs> pArgs(new CLVKMarkupRoutedEventArgs(pEvent, this));
    RaiseEvent(pArgs);
}

void CLVKMarkupButtonBase::OpenButtonTheme()
{
    CLVKMarkupContext* const pContext = GetMarkupContext();
    m_pTheme->OpenThemeData(pContext ? pContext->GetHostWindow() : nullptr, L"BUTTON");
}

BOOL CLVKMarkupButtonBase::IsThemed()
{
    return m_pTheme->IsAppThemeReady();
}

int CLVKMarkupButtonBase::ScaleX(int n) const
{
    CLVKMarkupContext* const pContext = GetMarkupContext();
    return pContext ? pContext->ScaleX(n) : n;
}

int CLVKMarkupButtonBase::ScaleY(int n) const
{
    CLVKMarkupContext* const pContext = GetMarkupContext();
    return pContext ? pContext->ScaleY(n) : n;
}
