#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBool.h"
#include "Markup/MarkupDependencyProperty.h"
#include "Markup/MarkupDouble.h"
#include "Markup/MarkupEnum.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupString.h"
#include "Markup/MarkupType.h"

#include <cmath>

HRESULT AFX_CDECL MarkupDispGetObjectValue(CLVKMarkupObject* pObject, CLVKMarkupDependencyProperty* pProperty,
                                           VARIANT* pResult)
{
    V_VT(pResult) = VT_DISPATCH;
    V_DISPATCH(pResult) = CLVKMarkupObject::GetDispatch(pObject->GetValue(pProperty), TRUE);
    return S_OK;
}

void AFX_CDECL MarkupDispSetObjectValue(CLVKMarkupObject* pObject, CLVKMarkupDependencyProperty* pProperty,
                                        IDispatch* pValue)
{
    if (!pProperty)
    {
        AfxThrowOleException(E_UNEXPECTED);
    }
    CLVKMarkupObject* const pMarkup = LVKMarkupObjectFromUnknown(pValue, FALSE);
    if (pMarkup && !pMarkup->IsKindOf(pProperty->GetValueType()))
    {
        AfxThrowOleException(DISP_E_TYPEMISMATCH);
    }
    if (pMarkup)
    {
        pMarkup->AddRef();  // the store's reference
    }
    pObject->SetValue(pProperty, pMarkup);
}

int AFX_CDECL MarkupGetIntValue(const CLVKMarkupObject* pObject, CLVKMarkupDependencyProperty* pProperty, int nFallback)
{
    CLVKMarkupObject* const pValue = pObject ? pObject->GetValue(pProperty) : nullptr;
    if (const CLVKMarkupInt* const pInt = MarkupCast<CLVKMarkupInt>(pValue))
    {
        return pInt->GetValue();
    }
    if (const CLVKMarkupEnum* const pEnum = MarkupCast<CLVKMarkupEnum>(pValue))
    {
        return pEnum->GetValue();
    }
    if (const CLVKMarkupBool* const pBool = MarkupCast<CLVKMarkupBool>(pValue))
    {
        return pBool->GetValue();
    }
    if (const CLVKMarkupDouble* const pDouble = MarkupCast<CLVKMarkupDouble>(pValue))
    {
        const double d = pDouble->GetValue();
        // Out of the integer range (or not a number) saturates.
        if (!(d > -2147483648.0))
        {
            return d == d ? INT_MIN : 0;
        }
        return d < 2147483647.0 ? static_cast<int>(d) : INT_MAX;
    }
    return nFallback;
}

void AFX_CDECL MarkupSetNumberValue(CLVKMarkupObject* pObject, CLVKMarkupDependencyProperty* pProperty, double dValue)
{
    if (!pProperty)
    {
        AfxThrowOleException(E_UNEXPECTED);
    }
    const CLVKMarkupType* const pType = pProperty->GetValueType();
    if (!std::isfinite(dValue))
    {
        AfxThrowOleException(E_INVALIDARG);
    }
    const int n = dValue <= -2147483648.0 ? INT_MIN : dValue >= 2147483647.0 ? INT_MAX : static_cast<int>(dValue);
    CLVKMarkupObject* pValue = nullptr;
    if (pType == CLVKMarkupDouble::GetMarkupType())
    {
        pValue = new CLVKMarkupDouble(dValue);
    }
    else if (pType == CLVKMarkupEnum::GetMarkupType())
    {
        pValue = new CLVKMarkupEnum(n);
    }
    else if (pType == CLVKMarkupBool::GetMarkupType())
    {
        pValue = new CLVKMarkupBool(n != 0);
    }
    else if (pType->IsDerivedFrom(CLVKMarkupInt::GetMarkupType()) ||
             CLVKMarkupInt::GetMarkupType()->IsDerivedFrom(pType))
    {
        pValue = new CLVKMarkupInt(n);
    }
    else
    {
        AfxThrowOleException(DISP_E_TYPEMISMATCH);
    }
    pObject->SetValue(pProperty, pValue);
}

HRESULT AFX_CDECL MarkupDispGetVariantValue(CLVKMarkupObject* pObject, CLVKMarkupDependencyProperty* pProperty,
                                            VARIANT* pResult)
{
    CLVKMarkupObject* const pValue = pObject->GetValue(pProperty);
    if (!pValue)
    {
        V_VT(pResult) = VT_NULL;
        return S_OK;
    }
    if (const CLVKMarkupString* const pString = MarkupCast<CLVKMarkupString>(pValue))
    {
        return AfxDispSetStringResult(pResult, pString->GetText());
    }
    V_VT(pResult) = VT_DISPATCH;
    V_DISPATCH(pResult) = CLVKMarkupObject::GetDispatch(pValue, TRUE);
    return S_OK;
}

void AFX_CDECL MarkupDispSetTextValue(CLVKMarkupObject* pObject, CLVKMarkupDependencyProperty* pProperty,
                                      const VARIANT* pValue)
{
    if (pValue && V_VT(pValue) == (VT_BYREF | VT_VARIANT))
    {
        pValue = V_VARIANTREF(pValue);
    }
    if (!pValue || V_VT(pValue) != VT_BSTR)
    {
        return;
    }
    pObject->SetValue(pProperty, CLVKMarkupString::CreateValue(V_BSTR(pValue)));
}

DWORD AFX_CDECL MarkupDispArgColor(const VARIANT& value)
{
    const VARIANT* pValue = V_VT(&value) == (VT_BYREF | VT_VARIANT) ? V_VARIANTREF(&value) : &value;
    const double d = AfxDispArgDouble(pValue);
    if (!(d >= -2147483648.0 && d < 4294967296.0))
    {
        AfxThrowOleException(DISP_E_OVERFLOW);
    }
    return d < 0 ? static_cast<DWORD>(static_cast<long>(d)) : static_cast<DWORD>(d);
}
