#include "Markup/MarkupTextBlock.h"

#include "Markup/MarkupBrush.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupEnum.h"
#include "Markup/MarkupFont.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupSolidColorBrush.h"
#include "Markup/MarkupString.h"
#include "Markup/MarkupValueConverters.h"

CLVKMarkupDependencyProperty* CLVKMarkupTextBlock::m_pTextProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextBlock::m_pForegroundProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextBlock::m_pFontSizeProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextBlock::m_pFontWeightProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextBlock::m_pFontStyleProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextBlock::m_pFontFamilyProperty = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupTextBlock, L"TextBlock", CLVKMarkupFrameworkElement::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupTextBlock(); }, &CLVKMarkupTextBlock::RegisterProperties)

void AFX_CDECL CLVKMarkupTextBlock::RegisterProperties()
{
    CLVKMarkupType* const pType = GetMarkupType();
    const int nInherits = MarkupPropertyInherits;
    m_pTextProperty =
        CLVKMarkupDependencyProperty::Register(L"Text", CLVKMarkupString::GetMarkupType(), pType,
                                               new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsMeasure));
    m_pForegroundProperty = CLVKMarkupDependencyProperty::RegisterAttached(
        L"Foreground", CLVKMarkupBrush::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(nullptr, nInherits | MarkupPropertyAffectsRender));
    m_pFontSizeProperty = CLVKMarkupDependencyProperty::RegisterAttached(
        L"FontSize", CLVKMarkupInt::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(nullptr, MarkupLengthConverter,
                                       nInherits | MarkupPropertyAffectsMeasure | MarkupPropertyScaleY));
    m_pFontWeightProperty = CLVKMarkupDependencyProperty::RegisterAttached(
        L"FontWeight", CLVKMarkupEnum::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(nullptr, MarkupFontWeightConverter, nInherits | MarkupPropertyAffectsMeasure));
    m_pFontStyleProperty = CLVKMarkupDependencyProperty::RegisterAttached(
        L"FontStyle", CLVKMarkupEnum::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(nullptr, MarkupFontStyleConverter, nInherits | MarkupPropertyAffectsMeasure));
    m_pFontFamilyProperty = CLVKMarkupDependencyProperty::RegisterAttached(
        L"FontFamily", CLVKMarkupString::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(nullptr, nInherits | MarkupPropertyAffectsMeasure));
}

LPCWSTR CLVKMarkupTextBlock::GetText() const
{
    auto* const pText = MarkupCast<CLVKMarkupString>(GetValue(m_pTextProperty));
    return pText ? pText->GetText() : L"";
}

void CLVKMarkupTextBlock::SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent)
{
    auto* const pString = MarkupCast<CLVKMarkupString>(pContent);
    if (!pString)
    {
        CLVKMarkupFrameworkElement::SetContentObject(pBuilder, pContent);
        return;
    }
    const std::wstring strText = std::wstring(GetText()) + pString->GetString();
    SetValue(m_pTextProperty, new CLVKMarkupString(strText.c_str(), static_cast<int>(strText.size())));
}

BOOL CLVKMarkupTextBlock::HasContentObject() const
{
    return *GetText() != 0;
}

CLVKMarkupFont* CLVKMarkupTextBlock::CreateFont() const
{
    CLVKMarkupContext* const pContext = GetMarkupContext();
    if (!pContext)
    {
        return nullptr;
    }
    LOGFONTW lf = pContext->GetDefaultFont();
    if (auto* const pSize = MarkupCast<CLVKMarkupInt>(GetValue(m_pFontSizeProperty)))
    {
        lf.lfHeight = -pSize->GetValue();
    }
    if (auto* const pWeight = MarkupCast<CLVKMarkupEnum>(GetValue(m_pFontWeightProperty)))
    {
        lf.lfWeight = pWeight->GetValue();
    }
    if (auto* const pStyle = MarkupCast<CLVKMarkupEnum>(GetValue(m_pFontStyleProperty)))
    {
        lf.lfItalic = pStyle->GetValue() ? TRUE : FALSE;
    }
    if (auto* const pFamily = MarkupCast<CLVKMarkupString>(GetValue(m_pFontFamilyProperty)))
    {
        lstrcpynW(lf.lfFaceName, pFamily->GetText(), LF_FACESIZE);
    }
    return pContext->GetFont(lf);
}

SIZE CLVKMarkupTextBlock::MeasureOverride(CLVKMarkupDrawingContext* pDC, int /*nWidth*/, int /*nHeight*/)
{
    CLVKMarkupAutoPtr<CLVKMarkupFont> pFont(CreateFont());
    pDC->SetFont(pFont);
    const LPCWSTR lpszText = GetText();
    SIZE size = pDC->GetTextExtent(lpszText, static_cast<int>(wcslen(lpszText)));
    if (size.cy == 0)
    {
        // An empty line keeps the font's height.
        int nAscent = 0, nDescent = 0;
        if (pDC->GetTextMetrics(pFont, &nAscent, &nDescent))
        {
            size.cy = nAscent + nDescent;
        }
    }
    return size;
}

void CLVKMarkupTextBlock::OnRender(CLVKMarkupDrawingContext* pDC)
{
    const LPCWSTR lpszText = GetText();
    const int nLength = static_cast<int>(wcslen(lpszText));
    if (!nLength)
    {
        return;
    }
    CLVKMarkupAutoPtr<CLVKMarkupFont> pFont(CreateFont());
    pDC->SetFont(pFont);
    CLVKMarkupBrush* pForeground = MarkupCast<CLVKMarkupBrush>(GetValue(m_pForegroundProperty));
    CLVKMarkupAutoPtr<CLVKMarkupBrush> pDefault;
    if (!pForeground && GetMarkupContext())
    {
        pDefault.Reset(new CLVKMarkupSolidColorBrush(GetMarkupContext()->GetDefaultTextColor()));
        pForeground = pDefault;
    }
    pDC->SetTextColor(pForeground);
    const RECT rc = {0, 0, m_szRender.cx, m_szRender.cy};
    pDC->DrawTextLine(lpszText, nLength, rc);
}
