#include "Markup/MarkupGridLength.h"

#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupString.h"
#include "Markup/MarkupValueConverters.h"

#include <string>

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupGridLength, L"", CLVKMarkupObject::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupGridLength(); }, nullptr)

CLVKMarkupObject* CLVKMarkupGridLength::ConvertFrom(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue)
{
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    if (!pString || !pString->GetText() || !*pString->GetText())
    {
        return nullptr;
    }
    const std::wstring strText = pString->GetText();
    if (strText.size() == 4 && _wcsicmp(strText.c_str(), L"Auto") == 0)
    {
        return new CLVKMarkupGridLength(1, kAuto);
    }
    int nUnit = kPixel;
    double dValue = 0;
    if (strText.back() == L'*')
    {
        nUnit = kStar;
        if (strText.size() == 1)
        {
            return new CLVKMarkupGridLength(1, kStar);
        }
        // The star ends the number and nothing may follow it.
        if (!MarkupParseDecimal(strText.c_str(), L'*', TRUE, dValue, nullptr))
        {
            return nullptr;
        }
    }
    else if (!MarkupParseDecimal(strText.c_str(), 0, TRUE, dValue, nullptr))
    {
        return nullptr;
    }
    CLVKMarkupContext* const pContext = pBuilder ? pBuilder->GetContext() : nullptr;
    if (pContext)
    {
        dValue = pContext->ScaleX(dValue);
    }
    return new CLVKMarkupGridLength(dValue, nUnit);
}
