// Type records and conversions of the small value types.
#include "Markup/MarkupBool.h"
#include "Markup/MarkupColor.h"
#include "Markup/MarkupDouble.h"
#include "Markup/MarkupEnum.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupString.h"
#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupDependencyProperty.h"
#include "Markup/MarkupValueConverters.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupBool, L"", CLVKMarkupObject::GetMarkupType(), []() -> CLVKMarkupObject* { return new CLVKMarkupBool(); },
    nullptr)
LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupInt, L"", CLVKMarkupObject::GetMarkupType(), []() -> CLVKMarkupObject* { return new CLVKMarkupInt(); },
    nullptr)
LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupEnum, L"", CLVKMarkupObject::GetMarkupType(), []() -> CLVKMarkupObject* { return new CLVKMarkupEnum(); },
    nullptr)
LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupDouble, L"", CLVKMarkupObject::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupDouble(); }, nullptr)
LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupColor, L"Color", CLVKMarkupObject::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupColor(); }, nullptr)

CLVKMarkupObject* CLVKMarkupBool::ConvertFrom(CLVKMarkupBuilder* /*pBuilder*/, CLVKMarkupObject* pValue)
{
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    if (!pString)
    {
        return nullptr;
    }
    if (_wcsicmp(pString->GetText(), L"True") == 0)
    {
        return new CLVKMarkupBool(TRUE);
    }
    if (_wcsicmp(pString->GetText(), L"False") == 0)
    {
        return new CLVKMarkupBool(FALSE);
    }
    return nullptr;
}

CLVKMarkupObject* CLVKMarkupInt::ConvertFrom(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue)
{
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    if (!pString)
    {
        return nullptr;
    }
    const int n = _wtoi(pString->GetText());
    return new CLVKMarkupInt(
        MarkupScaleByFlags(pBuilder ? pBuilder->GetContext() : nullptr, GetAssociatedProperty(), n));
}

CLVKMarkupObject* CLVKMarkupDouble::ConvertFrom(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue)
{
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    double d = 0;
    if (!pString || !MarkupParseDecimal(pString->GetText(), 0, TRUE, d, nullptr))
    {
        return nullptr;
    }
    return new CLVKMarkupDouble(
        MarkupScaleByFlags(pBuilder ? pBuilder->GetContext() : nullptr, GetAssociatedProperty(), d));
}

CLVKMarkupObject* CLVKMarkupColor::ConvertFrom(CLVKMarkupBuilder* /*pBuilder*/, CLVKMarkupObject* pValue)
{
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    DWORD nColor = 0;
    if (!pString || !MarkupParseColor(pString->GetText(), nColor))
    {
        return nullptr;
    }
    auto* const pColor = new CLVKMarkupColor();
    pColor->m_nColor = nColor;
    return pColor;
}

void CLVKMarkupColor::SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent)
{
    auto* const pString = MarkupCast<CLVKMarkupString>(pContent);
    DWORD nColor = 0;
    if (pString && MarkupParseColor(pString->GetText(), nColor))
    {
        m_nColor = nColor;
        return;
    }
    CLVKMarkupObject::SetContentObject(pBuilder, pContent);
}
