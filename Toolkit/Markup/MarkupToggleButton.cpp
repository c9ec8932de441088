#include "Markup/MarkupToggleButton.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBool.h"
#include "Markup/MarkupEnum.h"
#include "Markup/MarkupPropertyMetadata.h"
#include "Markup/MarkupRoutedEvent.h"
#include "Markup/MarkupString.h"

CLVKMarkupDependencyProperty* CLVKMarkupToggleButton::m_pIsCheckedProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupToggleButton::m_pIsThreeStateProperty = nullptr;
CLVKMarkupRoutedEvent* CLVKMarkupToggleButton::m_pCheckedEvent = nullptr;
CLVKMarkupRoutedEvent* CLVKMarkupToggleButton::m_pUncheckedEvent = nullptr;
CLVKMarkupRoutedEvent* CLVKMarkupToggleButton::m_pIndeterminateEvent = nullptr;

BEGIN_DISPATCH_MAP(CLVKMarkupToggleButton, CLVKMarkupButtonBase)
    DISP_PROPERTY_EX_ID(CLVKMarkupToggleButton, "IsChecked", 800, OleGetIsChecked, OleSetIsChecked, VT_I4)
    DISP_MARKUP_NUMBER("IsThreeState", 801, CLVKMarkupToggleButton::m_pIsThreeStateProperty, VT_BOOL, 0)
    DISP_MARKUP_EVENT("CheckedEvent", 802, CLVKMarkupToggleButton::m_pCheckedEvent)
    DISP_MARKUP_EVENT("IndeterminateEvent", 803, CLVKMarkupToggleButton::m_pIndeterminateEvent)
    DISP_MARKUP_EVENT("UncheckedEvent", 804, CLVKMarkupToggleButton::m_pUncheckedEvent)
END_DISPATCH_MAP()

long CLVKMarkupToggleButton::OleGetIsChecked()
{
    return GetChecked();
}

void CLVKMarkupToggleButton::OleSetIsChecked(long nChecked)
{
    if (nChecked < 0 || nChecked > 2)
    {
        AfxThrowOleException(E_INVALIDARG);
    }
    SetChecked(static_cast<int>(nChecked));
}

LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupToggleButton, L"", CLVKMarkupButtonBase::GetMarkupType(), nullptr,
                          &CLVKMarkupToggleButton::RegisterProperties)

void AFX_CDECL CLVKMarkupToggleButton::RegisterProperties()
{
    CLVKMarkupType* const pType = GetMarkupType();
    m_pIsCheckedProperty = CLVKMarkupDependencyProperty::Register(
        L"IsChecked", CLVKMarkupEnum::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(new CLVKMarkupEnum(0), &ConvertChecked, &OnCheckedChanged,
                                       MarkupPropertyAffectsRender));
    m_pIsThreeStateProperty = CLVKMarkupDependencyProperty::Register(
        L"IsThreeState", CLVKMarkupBool::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(new CLVKMarkupBool(FALSE), MarkupPropertyAffectsRender));
    m_pCheckedEvent = CLVKMarkupRoutedEvent::RegisterRoutedEvent(L"Checked", MarkupPropertyInherits, pType);
    m_pUncheckedEvent = CLVKMarkupRoutedEvent::RegisterRoutedEvent(L"Unchecked", MarkupPropertyInherits, pType);
    m_pIndeterminateEvent = CLVKMarkupRoutedEvent::RegisterRoutedEvent(L"Indeterminate", MarkupPropertyInherits, pType);
}

CLVKMarkupObject* AFX_CDECL CLVKMarkupToggleButton::ConvertChecked(CLVKMarkupBuilder* /*pBuilder*/,
                                                                   CLVKMarkupObject* pValue,
                                                                   CLVKMarkupDependencyProperty* /*pProperty*/)
{
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    if (!pString)
    {
        return nullptr;
    }
    if (_wcsicmp(pString->GetText(), L"True") == 0)
    {
        return new CLVKMarkupEnum(1);
    }
    if (_wcsicmp(pString->GetText(), L"False") == 0)
    {
        return new CLVKMarkupEnum(0);
    }
    if (pString->GetLength() == 0)
    {
        return new CLVKMarkupEnum(2);
    }
    // Anything else is left to the builder's general conversion.
    return nullptr;
}

void AFX_CDECL CLVKMarkupToggleButton::OnCheckedChanged(CLVKMarkupObject* pObject, const MarkupPropertyChange& change)
{
    auto* const pButton = MarkupCast<CLVKMarkupToggleButton>(pObject);
    if (!pButton)
    {
        return;
    }
    auto* const pNew = MarkupCast<CLVKMarkupEnum>(change.pNewValue);
    const int nValue = pNew ? pNew->GetValue() : 0;
    if (nValue == 1)
    {
        pButton->OnChecked();
    }
    else if (nValue != 0)
    {
        pButton->OnIndeterminate();
    }
    else
    {
        pButton->OnUnchecked();
    }
}

int CLVKMarkupToggleButton::GetChecked() const
{
    auto* const pValue = MarkupCast<CLVKMarkupEnum>(GetValue(m_pIsCheckedProperty));
    return pValue ? pValue->GetValue() : 0;
}

void CLVKMarkupToggleButton::SetChecked(int nChecked)
{
    SetValue(m_pIsCheckedProperty, new CLVKMarkupEnum(nChecked));
}

BOOL CLVKMarkupToggleButton::IsThreeState() const
{
    auto* const pValue = MarkupCast<CLVKMarkupBool>(GetValue(m_pIsThreeStateProperty));
    return pValue && pValue->GetValue();
}

void CLVKMarkupToggleButton::OnClick()
{
    OnToggle();
    CLVKMarkupButtonBase::OnClick();
}

void CLVKMarkupToggleButton::OnToggle()
{
    switch (GetChecked())
    {
    case 1:
        SetChecked(IsThreeState() ? 2 : 0);
        break;
    case 0:
        SetChecked(1);
        break;
    default:
        SetChecked(0);
        break;
    }
}

void CLVKMarkupToggleButton::OnChecked()
{
    RaiseOwnEvent(m_pCheckedEvent);
}

void CLVKMarkupToggleButton::OnUnchecked()
{
    RaiseOwnEvent(m_pUncheckedEvent);
}

void CLVKMarkupToggleButton::OnIndeterminate()
{
    RaiseOwnEvent(m_pIndeterminateEvent);
}
