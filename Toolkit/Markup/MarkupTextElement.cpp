#include "Markup/MarkupTextElement.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBrush.h"
#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupEnum.h"
#include "Markup/MarkupFrameworkElement.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupString.h"
#include "Markup/MarkupValueConverters.h"

CLVKMarkupDependencyProperty* CLVKMarkupTextElement::m_pBackgroundProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextElement::m_pForegroundProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextElement::m_pFontSizeProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextElement::m_pFontWeightProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextElement::m_pFontFamilyProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextElement::m_pFontStyleProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextElement::m_pTextDecorationsProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextElement::m_pFontQualityProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupTextElement::m_pFontCharsetProperty = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupTextElement, L"TextElement", CLVKMarkupFrameworkContentElement::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupTextElement(); }, &CLVKMarkupTextElement::RegisterProperties)

namespace
{

// "None" and the empty text both mean no decoration.
CLVKMarkupObject* AFX_CDECL TextDecorationsConverter(CLVKMarkupBuilder*, CLVKMarkupObject* pValue,
                                                     CLVKMarkupDependencyProperty*)
{
    static const MarkupWord words[] = {{L"None", 0}, {L"", 0}, {L"Underline", 1}, {L"Strikethrough", 2}};
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    int nValue = 0;
    if (!pString || !MarkupFindWord(words, 4, pString->GetText(), nValue))
    {
        return nullptr;
    }
    return new CLVKMarkupEnum(nValue);
}

CLVKMarkupObject* AFX_CDECL FontQualityConverter(CLVKMarkupBuilder*, CLVKMarkupObject* pValue,
                                                 CLVKMarkupDependencyProperty*)
{
    static const MarkupWord words[] = {{L"Default", DEFAULT_QUALITY},
                                       {L"Draft", DRAFT_QUALITY},
                                       {L"Proof", PROOF_QUALITY},
                                       {L"NonAntialiased", NONANTIALIASED_QUALITY},
                                       {L"Antialiased", ANTIALIASED_QUALITY},
                                       {L"ClearType", CLEARTYPE_QUALITY}};
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    int nValue = 0;
    if (!pString || !MarkupFindWord(words, 6, pString->GetText(), nValue))
    {
        return nullptr;
    }
    return new CLVKMarkupEnum(nValue);
}

int EnumOf(const CLVKMarkupObject* pObject, CLVKMarkupDependencyProperty* pProperty, int nDefault)
{
    auto* const pValue = MarkupCast<CLVKMarkupEnum>(pObject->GetLocalValue(pProperty));
    return pValue ? pValue->GetValue() : nDefault;
}

}  // namespace

void AFX_CDECL CLVKMarkupTextElement::RegisterProperties()
{
    CLVKMarkupType* const pType = GetMarkupType();
    const int nInherits = MarkupPropertyInherits;
    m_pBackgroundProperty = CLVKMarkupDependencyProperty::RegisterAttached(
        L"Background", CLVKMarkupBrush::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(nullptr, nInherits | MarkupPropertyAffectsRender));
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
    m_pFontFamilyProperty = CLVKMarkupDependencyProperty::RegisterAttached(
        L"FontFamily", CLVKMarkupString::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(nullptr, nInherits | MarkupPropertyAffectsMeasure));
    m_pFontStyleProperty = CLVKMarkupDependencyProperty::RegisterAttached(
        L"FontStyle", CLVKMarkupEnum::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(nullptr, MarkupFontStyleConverter, nInherits | MarkupPropertyAffectsMeasure));
    m_pTextDecorationsProperty = CLVKMarkupDependencyProperty::RegisterAttached(
        L"TextDecorations", CLVKMarkupEnum::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(nullptr, TextDecorationsConverter, nInherits | MarkupPropertyAffectsRender));
    m_pFontQualityProperty = CLVKMarkupDependencyProperty::RegisterAttached(
        L"FontQuality", CLVKMarkupEnum::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(nullptr, FontQualityConverter, nInherits | MarkupPropertyAffectsRender));
    m_pFontCharsetProperty = CLVKMarkupDependencyProperty::RegisterAttached(
        L"FontCharset", CLVKMarkupInt::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(nullptr, nInherits | MarkupPropertyAffectsRender));
}

CLVKMarkupBrush* CLVKMarkupTextElement::GetBackground() const
{
    return MarkupCast<CLVKMarkupBrush>(GetLocalValue(m_pBackgroundProperty));
}

CLVKMarkupBrush* CLVKMarkupTextElement::GetForeground() const
{
    return MarkupCast<CLVKMarkupBrush>(GetLocalValue(m_pForegroundProperty));
}

void CLVKMarkupTextElement::SetBackground(CLVKMarkupBrush* pBrush)
{
    SetValue(m_pBackgroundProperty, pBrush);
}

void CLVKMarkupTextElement::SetForeground(CLVKMarkupBrush* pBrush)
{
    SetValue(m_pForegroundProperty, pBrush);
}

int CLVKMarkupTextElement::GetFontWeight() const
{
    return EnumOf(this, m_pFontWeightProperty, FW_NORMAL);
}

void CLVKMarkupTextElement::SetFontWeight(int nWeight)
{
    SetValue(m_pFontWeightProperty, new CLVKMarkupEnum(nWeight));
}

int CLVKMarkupTextElement::GetFontStyle() const
{
    return EnumOf(this, m_pFontStyleProperty, 0);
}

void CLVKMarkupTextElement::SetFontStyle(int nStyle)
{
    SetValue(m_pFontStyleProperty, new CLVKMarkupEnum(nStyle));
}

int CLVKMarkupTextElement::GetTextDecorations() const
{
    return EnumOf(this, m_pTextDecorationsProperty, 0);
}

void CLVKMarkupTextElement::SetTextDecorations(int nDecorations)
{
    SetValue(m_pTextDecorationsProperty, new CLVKMarkupEnum(nDecorations));
}

LPCWSTR CLVKMarkupTextElement::GetFontFamily() const
{
    auto* const pFamily = MarkupCast<CLVKMarkupString>(GetLocalValue(m_pFontFamilyProperty));
    return pFamily ? pFamily->GetText() : L"";
}

void CLVKMarkupTextElement::SetFontFamily(LPCWSTR lpszFamily)
{
    SetValue(m_pFontFamilyProperty, new CLVKMarkupString(lpszFamily));
}

// The text element's members read its own values, not inherited ones.
BEGIN_DISPATCH_MAP(CLVKMarkupTextElement, CLVKMarkupFrameworkContentElement)
    DISP_PROPERTY_EX_ID(CLVKMarkupTextElement, "Tag", 400, OleGetTag, OleSetTag, VT_VARIANT)
    DISP_PROPERTY_EX_ID(CLVKMarkupTextElement, "TextDecorations", 503, OleGetTextDecorations, OleSetTextDecorations,
                        VT_I4)
    DISP_PROPERTY_EX_ID(CLVKMarkupTextElement, "FontSize", 504, OleGetFontSize, OleSetFontSize, VT_I4)
    DISP_PROPERTY_EX_ID(CLVKMarkupTextElement, "FontWeight", 505, OleGetFontWeight, OleSetFontWeight, VT_I4)
    DISP_PROPERTY_EX_ID(CLVKMarkupTextElement, "FontFamily", 506, OleGetFontFamily, OleSetFontFamily, VT_BSTR)
    DISP_PROPERTY_EX_ID(CLVKMarkupTextElement, "FontStyle", 507, OleGetFontStyle, OleSetFontStyle, VT_I4)
    DISP_PROPERTY_EX_ID(CLVKMarkupTextElement, "Background", 510, OleGetBackground, OleSetBackground, VT_DISPATCH)
    DISP_PROPERTY_EX_ID(CLVKMarkupTextElement, "Foreground", 511, OleGetForeground, OleSetForeground, VT_DISPATCH)
END_DISPATCH_MAP()

VARIANT CLVKMarkupTextElement::OleGetTag()
{
    VARIANT result;
    VariantInit(&result);
    CLVKMarkupObject* const pTag = GetLocalValue(CLVKMarkupFrameworkElement::m_pTagProperty);
    if (!pTag)
    {
        V_VT(&result) = VT_NULL;
    }
    else if (auto* const pText = MarkupCast<CLVKMarkupString>(pTag))
    {
        V_VT(&result) = VT_BSTR;
        V_BSTR(&result) = SysAllocString(pText->GetText());
    }
    else
    {
        V_VT(&result) = VT_DISPATCH;
        V_DISPATCH(&result) = GetDispatch(pTag, TRUE);
    }
    return result;
}

void CLVKMarkupTextElement::OleSetTag(const VARIANT* pTag)
{
    // Only a text is taken; every other kind of value is ignored.
    if (pTag && V_VT(pTag) == VT_BSTR)
    {
        SetValue(CLVKMarkupFrameworkElement::m_pTagProperty, new CLVKMarkupString(V_BSTR(pTag) ? V_BSTR(pTag) : L""));
    }
}

long CLVKMarkupTextElement::OleGetTextDecorations()
{
    return GetTextDecorations();
}

void CLVKMarkupTextElement::OleSetTextDecorations(long n)
{
    SetTextDecorations(n);
}

long CLVKMarkupTextElement::OleGetFontSize()
{
    auto* const pSize = MarkupCast<CLVKMarkupInt>(GetLocalValue(m_pFontSizeProperty));
    return pSize ? pSize->GetValue() : -12;
}

void CLVKMarkupTextElement::OleSetFontSize(long n)
{
    SetValue(m_pFontSizeProperty, new CLVKMarkupInt(n));
}

long CLVKMarkupTextElement::OleGetFontWeight()
{
    return GetFontWeight();
}

void CLVKMarkupTextElement::OleSetFontWeight(long n)
{
    SetFontWeight(n);
}

CString CLVKMarkupTextElement::OleGetFontFamily()
{
    return GetFontFamily();
}

void CLVKMarkupTextElement::OleSetFontFamily(LPCWSTR lpszFamily)
{
    SetFontFamily(lpszFamily ? lpszFamily : L"");
}

long CLVKMarkupTextElement::OleGetFontStyle()
{
    return GetFontStyle();
}

void CLVKMarkupTextElement::OleSetFontStyle(long n)
{
    SetFontStyle(n);
}

IDispatch* CLVKMarkupTextElement::OleGetBackground()
{
    return GetDispatch(GetBackground(), TRUE);
}

void CLVKMarkupTextElement::OleSetBackground(IDispatch* pBrush)
{
    CLVKMarkupObject* const pObject = pBrush ? LVKMarkupObjectFromUnknown(pBrush, TRUE) : nullptr;
    if (pObject && !MarkupCast<CLVKMarkupBrush>(pObject))
    {
        pObject->Release();
        AfxThrowOleException(DISP_E_TYPEMISMATCH);
    }
    SetBackground(static_cast<CLVKMarkupBrush*>(pObject));
}

IDispatch* CLVKMarkupTextElement::OleGetForeground()
{
    return GetDispatch(GetForeground(), TRUE);
}

void CLVKMarkupTextElement::OleSetForeground(IDispatch* pBrush)
{
    CLVKMarkupObject* const pObject = pBrush ? LVKMarkupObjectFromUnknown(pBrush, TRUE) : nullptr;
    if (pObject && !MarkupCast<CLVKMarkupBrush>(pObject))
    {
        pObject->Release();
        AfxThrowOleException(DISP_E_TYPEMISMATCH);
    }
    SetForeground(static_cast<CLVKMarkupBrush*>(pObject));
}
