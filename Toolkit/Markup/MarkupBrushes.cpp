// Brushes, points and gradient stops.

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBrush.h"
#include "Markup/MarkupColor.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupDouble.h"
#include "Markup/MarkupGradientStops.h"
#include "Markup/MarkupLinearGradientBrush.h"
#include "Markup/MarkupPoint.h"
#include "Markup/MarkupSolidColorBrush.h"
#include "Markup/MarkupString.h"
#include "Markup/MarkupValueConverters.h"

CLVKMarkupDependencyProperty* CLVKMarkupSolidColorBrush::m_pColorProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupGradientStop::m_pColorProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupGradientStop::m_pOffsetProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupLinearGradientBrush::m_pStartPointProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupLinearGradientBrush::m_pEndPointProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupLinearGradientBrush::m_pGradientStopsProperty = nullptr;

// Made only as the temporary that converts a text for a brush property.
LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupBrush, L"", CLVKMarkupObject::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupBrush(); }, nullptr)
LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupSolidColorBrush, L"SolidColorBrush", CLVKMarkupBrush::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupSolidColorBrush(); },
    &CLVKMarkupSolidColorBrush::RegisterProperties)
LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupLinearGradientBrush, L"LinearGradientBrush", CLVKMarkupBrush::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupLinearGradientBrush(); },
    &CLVKMarkupLinearGradientBrush::RegisterProperties)
LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupGradientStop, L"GradientStop", CLVKMarkupObject::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupGradientStop(); }, &CLVKMarkupGradientStop::RegisterProperties)
LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupGradientStops, L"", CLVKMarkupCollection::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupGradientStops(); }, nullptr)
LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupPoint, L"", CLVKMarkupObject::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupPoint(); }, nullptr)

CLVKMarkupObject* CLVKMarkupBrush::ConvertFrom(CLVKMarkupBuilder* /*pBuilder*/, CLVKMarkupObject* pValue)
{
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    DWORD nColor = 0;
    if (!pString || !MarkupParseColor(pString->GetText(), nColor))
    {
        return nullptr;
    }
    return new CLVKMarkupSolidColorBrush(static_cast<BYTE>(nColor >> 24), nColor & 0xFFFFFF);
}

void AFX_CDECL CLVKMarkupSolidColorBrush::RegisterProperties()
{
    m_pColorProperty =
        CLVKMarkupDependencyProperty::Register(L"Color", CLVKMarkupColor::GetMarkupType(), GetMarkupType());
}

CLVKMarkupSolidColorBrush::CLVKMarkupSolidColorBrush()
{
    CLVKMarkupType::EnsureRegistered(GetMarkupType());
}

CLVKMarkupSolidColorBrush::CLVKMarkupSolidColorBrush(BYTE nAlpha, COLORREF clr)
{
    CLVKMarkupType::EnsureRegistered(GetMarkupType());
    SetValue(m_pColorProperty, new CLVKMarkupColor(nAlpha, clr));
}

CLVKMarkupSolidColorBrush::CLVKMarkupSolidColorBrush(COLORREF clr)
{
    CLVKMarkupType::EnsureRegistered(GetMarkupType());
    SetValue(m_pColorProperty, new CLVKMarkupColor(clr));
}

DWORD CLVKMarkupSolidColorBrush::GetARGB() const
{
    auto* const pColor = MarkupCast<CLVKMarkupColor>(GetValue(m_pColorProperty));
    return pColor ? pColor->GetARGB() : 0;
}

COLORREF CLVKMarkupSolidColorBrush::GetColor() const
{
    return GetARGB() & 0xFFFFFF;
}

BOOL CLVKMarkupSolidColorBrush::IsEqual(const CLVKMarkupObject* pOther) const
{
    if (!pOther || !pOther->IsKindOf(GetMarkupType()))
    {
        return FALSE;
    }
    return static_cast<const CLVKMarkupSolidColorBrush*>(pOther)->GetARGB() == GetARGB();
}

CLVKMarkupObject* CLVKMarkupPoint::ConvertFrom(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue)
{
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    if (!pString)
    {
        return nullptr;
    }
    double x = 0, y = 0;
    int nConsumed = 0;
    if (!MarkupParseDecimal(pString->GetText(), L',', FALSE, x, &nConsumed) || !wcschr(pString->GetText(), L',') ||
        !MarkupParseDecimal(pString->GetText() + nConsumed, L',', TRUE, y, nullptr))
    {
        return nullptr;
    }
    CLVKMarkupContext* const pContext = pBuilder ? pBuilder->GetContext() : nullptr;
    CLVKMarkupDependencyProperty* const pProperty = GetAssociatedProperty();
    if (pContext && pProperty && (pProperty->GetFlags() & MarkupPropertyScaleX))
    {
        x = pContext->ScaleX(x);
    }
    if (pContext && pProperty && (pProperty->GetFlags() & MarkupPropertyScaleY))
    {
        y = pContext->ScaleY(y);
    }
    return new CLVKMarkupPoint(x, y);
}

void AFX_CDECL CLVKMarkupGradientStop::RegisterProperties()
{
    m_pColorProperty =
        CLVKMarkupDependencyProperty::Register(L"Color", CLVKMarkupColor::GetMarkupType(), GetMarkupType());
    m_pOffsetProperty =
        CLVKMarkupDependencyProperty::Register(L"Offset", CLVKMarkupDouble::GetMarkupType(), GetMarkupType());
}

DWORD CLVKMarkupGradientStop::GetColor() const
{
    auto* const pColor = MarkupCast<CLVKMarkupColor>(GetValue(m_pColorProperty));
    return pColor ? pColor->GetARGB() : 0;
}

double CLVKMarkupGradientStop::GetOffset() const
{
    auto* const pOffset = MarkupCast<CLVKMarkupDouble>(GetValue(m_pOffsetProperty));
    return pOffset ? pOffset->GetValue() : 0.0;
}

void AFX_CDECL CLVKMarkupLinearGradientBrush::RegisterProperties()
{
    CLVKMarkupType::EnsureRegistered(CLVKMarkupGradientStop::GetMarkupType());
    CLVKMarkupType* const pType = GetMarkupType();
    m_pStartPointProperty =
        CLVKMarkupDependencyProperty::Register(L"StartPoint", CLVKMarkupPoint::GetMarkupType(), pType);
    m_pEndPointProperty = CLVKMarkupDependencyProperty::Register(L"EndPoint", CLVKMarkupPoint::GetMarkupType(), pType);
    m_pGradientStopsProperty =
        CLVKMarkupDependencyProperty::Register(L"GradientStops", CLVKMarkupGradientStops::GetMarkupType(), pType);
}

CLVKMarkupLinearGradientBrush::CLVKMarkupLinearGradientBrush()
{
    CLVKMarkupType::EnsureRegistered(GetMarkupType());
    SetValue(m_pGradientStopsProperty, new CLVKMarkupGradientStops());
}

CLVKMarkupGradientStops* CLVKMarkupLinearGradientBrush::GetGradientStops() const
{
    return MarkupCast<CLVKMarkupGradientStops>(GetValue(m_pGradientStopsProperty));
}

CLVKMarkupPoint* CLVKMarkupLinearGradientBrush::GetStartPoint() const
{
    return MarkupCast<CLVKMarkupPoint>(GetValue(m_pStartPointProperty));
}

CLVKMarkupPoint* CLVKMarkupLinearGradientBrush::GetEndPoint() const
{
    return MarkupCast<CLVKMarkupPoint>(GetValue(m_pEndPointProperty));
}

COLORREF CLVKMarkupLinearGradientBrush::GetColor() const
{
    CLVKMarkupGradientStops* const pStops = GetGradientStops();
    CLVKMarkupGradientStop* const pFirst = pStops ? pStops->GetStop(0) : nullptr;
    return pFirst ? pFirst->GetColor() & 0xFFFFFF : 0;
}

void CLVKMarkupLinearGradientBrush::SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent)
{
    if (CLVKMarkupGradientStops* const pStops = GetGradientStops())
    {
        pStops->SetContentObject(pBuilder, pContent);
        return;
    }
    CLVKMarkupBrush::SetContentObject(pBuilder, pContent);
}

BOOL CLVKMarkupLinearGradientBrush::HasContentObject() const
{
    CLVKMarkupGradientStops* const pStops = GetGradientStops();
    return pStops && pStops->HasContentObject();
}

BEGIN_DISPATCH_MAP(CLVKMarkupSolidColorBrush, CLVKMarkupBrush)
    // A VARIANT, so that colours above 0x7FFFFFFF arrive (MarkupDispArgColor);
    // reading gives an I4.
    DISP_PROPERTY_EX_ID(CLVKMarkupSolidColorBrush, "Color", 100, OleGetColor, OleSetColor, VT_VARIANT)
END_DISPATCH_MAP()

long CLVKMarkupSolidColorBrush::OleGetColor()
{
    auto* const pColor = MarkupCast<CLVKMarkupColor>(GetValue(m_pColorProperty));
    return static_cast<long>(pColor ? pColor->GetARGB() : 0xFF000000u);
}

void CLVKMarkupSolidColorBrush::OleSetColor(const VARIANT& color)
{
    const DWORD dwColor = MarkupDispArgColor(color);
    const BYTE nAlpha = dwColor < 0x1000000u ? 0xFF : static_cast<BYTE>(dwColor >> 24);
    SetValue(m_pColorProperty, new CLVKMarkupColor(nAlpha, dwColor & 0xFFFFFFu));
}
