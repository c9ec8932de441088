#include "Markup/MarkupRun.h"

#include "Foundation/SystemVersion.h"
#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupEnum.h"
#include "Markup/MarkupFont.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupString.h"

CLVKMarkupDependencyProperty* CLVKMarkupRun::m_pTextProperty = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupRun, L"Run", CLVKMarkupInline::GetMarkupType(), []() -> CLVKMarkupObject* { return new CLVKMarkupRun(); },
    &CLVKMarkupRun::RegisterProperties)

void AFX_CDECL CLVKMarkupRun::RegisterProperties()
{
    m_pTextProperty =
        CLVKMarkupDependencyProperty::Register(L"Text", CLVKMarkupString::GetMarkupType(), GetMarkupType(),
                                               new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsMeasure));
}

CLVKMarkupRun::~CLVKMarkupRun()
{
    if (m_pFont)
    {
        m_pFont->Release();
    }
}

LPCWSTR CLVKMarkupRun::GetText() const
{
    auto* const pText = MarkupCast<CLVKMarkupString>(GetValue(m_pTextProperty));
    return pText ? pText->GetText() : L"";
}

int CLVKMarkupRun::GetTextLength() const
{
    auto* const pText = MarkupCast<CLVKMarkupString>(GetValue(m_pTextProperty));
    return pText ? pText->GetLength() : 0;
}

void CLVKMarkupRun::SetText(LPCWSTR lpszText)
{
    SetValue(m_pTextProperty, new CLVKMarkupString(lpszText));
}

void CLVKMarkupRun::SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent)
{
    if (auto* const pString = MarkupCast<CLVKMarkupString>(pContent))
    {
        pString->AddRef();
        SetValue(m_pTextProperty, pString);
        return;
    }
    CLVKMarkupInline::SetContentObject(pBuilder, pContent);
}

BOOL CLVKMarkupRun::HasContentObject() const
{
    return GetValue(m_pTextProperty) != nullptr;
}

wchar_t CLVKMarkupRun::CharAt(MarkupTextPosition nPosition) const
{
    return nPosition >= 0 && nPosition < GetTextLength() ? GetText()[nPosition] : L'\0';
}

int CLVKMarkupRun::RangeLength(MarkupTextPosition nFirst, MarkupTextPosition nLast) const
{
    const int nLength = GetTextLength();
    if (nFirst < 0 || nFirst > nLength)
    {
        return 0;
    }
    if (nLast == kMarkupTextEnd)
    {
        nLast = nLength;
    }
    return nLast > nFirst && nLast <= nLength ? nLast - nFirst : 0;
}

MarkupTextPosition CLVKMarkupRun::GetTextStart() const
{
    return GetTextLength() > 0 ? 0 : kMarkupTextEnd;
}

MarkupTextPosition CLVKMarkupRun::NextPosition(MarkupTextPosition& nPosition) const
{
    const MarkupTextPosition nBefore = nPosition;
    if (nPosition != kMarkupTextEnd)
    {
        nPosition = nPosition + 1 < GetTextLength() ? nPosition + 1 : kMarkupTextEnd;
    }
    return nBefore;
}

BOOL CLVKMarkupRun::IsWhiteSpace(MarkupTextPosition nPosition) const
{
    const wchar_t ch = CharAt(nPosition);
    return ch == L'\t' || ch == L'\n' || ch == L' ';
}

BOOL CLVKMarkupRun::IsLineFeed(MarkupTextPosition nPosition) const
{
    return CharAt(nPosition) == L'\n';
}

BOOL CLVKMarkupRun::IsCarriageReturn(MarkupTextPosition nPosition) const
{
    return CharAt(nPosition) == L'\r';
}

BOOL CLVKMarkupRun::IsBlank(MarkupTextPosition nPosition) const
{
    const wchar_t ch = CharAt(nPosition);
    return ch == L' ' || ch == L'\t';
}

SIZE CLVKMarkupRun::MeasureRange(CLVKMarkupDrawingContext* pDC, MarkupTextPosition nFirst, MarkupTextPosition nLast)
{
    const int nLength = GetTextLength();
    if (!pDC || nLength == 0 || nFirst < 0 || nFirst > nLength)
    {
        return SIZE{0, 0};
    }
    pDC->SetFont(m_pFont);
    const int nCount = RangeLength(nFirst, nLast);
    if (nCount == 0)
    {
        // An empty stretch keeps the height of the line it stands on.
        SIZE size = pDC->GetTextExtent(L" ", 1);
        size.cx = 0;
        return size;
    }
    return pDC->GetTextExtent(GetText() + nFirst, nCount);
}

void CLVKMarkupRun::RenderRange(CLVKMarkupDrawingContext* pDC, const RECT& rc, MarkupTextPosition nFirst,
                                MarkupTextPosition nLast)
{
    const int nCount = RangeLength(nFirst, nLast);
    if (!pDC || nCount == 0)
    {
        return;
    }
    pDC->SetFont(m_pFont);
    pDC->DrawTextLine(GetText() + nFirst, nCount, rc);
}

void CLVKMarkupRun::GetLogFont(LOGFONTW& lf) const
{
    CLVKMarkupContext* const pContext = GetMarkupContext();
    if (pContext)
    {
        lf = pContext->GetDefaultFont();
    }
    else
    {
        lf = LOGFONTW{};
        lf.lfHeight = -12;
        lf.lfWeight = FW_NORMAL;
    }
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
    if (auto* const pQuality = MarkupCast<CLVKMarkupEnum>(GetValue(m_pFontQualityProperty)))
    {
        if (CLVKSystemVersion::GetGlobal()->IsClearTypeTextQualitySupported())
        {
            lf.lfQuality = static_cast<BYTE>(pQuality->GetValue());
        }
    }
    if (auto* const pCharset = MarkupCast<CLVKMarkupInt>(GetValue(m_pFontCharsetProperty)))
    {
        lf.lfCharSet = static_cast<BYTE>(pCharset->GetValue());
    }
    lf.lfEscapement = 0;
    lf.lfOrientation = 0;
    if (auto* const pFamily = MarkupCast<CLVKMarkupString>(GetValue(m_pFontFamilyProperty)))
    {
        lstrcpynW(lf.lfFaceName, pFamily->GetText(), LF_FACESIZE);
    }
    // Decorations are drawn by the text block, never by the font.
    lf.lfUnderline = FALSE;
    lf.lfStrikeOut = FALSE;
}

void CLVKMarkupRun::PrepareFont(CLVKMarkupDrawingContext* pDC)
{
    LOGFONTW lf = {};
    GetLogFont(lf);
    CLVKMarkupContext* const pContext = GetMarkupContext();
    // A change of the character set alone keeps the font (Matches ignores it).
    if ((!m_pFont || !m_pFont->Matches(lf)) && pContext)
    {
        CLVKMarkupFont* const pFont = pContext->GetFont(lf);
        if (m_pFont)
        {
            m_pFont->Release();
        }
        m_pFont = pFont;
    }
    if (!pDC || !m_pFont)
    {
        return;
    }
    pDC->SetFont(m_pFont);
    int nAscent = 0, nDescent = 0;
    if (pDC->GetTextMetrics(m_pFont, &nAscent, &nDescent))
    {
        m_metrics = POINT{nAscent, nDescent};
        m_nDescent = nDescent;
        m_bHasMetrics = TRUE;
    }
}

BEGIN_DISPATCH_MAP(CLVKMarkupRun, CLVKMarkupInline)
    DISP_PROPERTY_EX_ID(CLVKMarkupRun, "Text", 700, OleGetText, OleSetText, VT_VARIANT)
END_DISPATCH_MAP()

VARIANT CLVKMarkupRun::OleGetText()
{
    VARIANT result;
    VariantInit(&result);
    V_VT(&result) = VT_BSTR;
    V_BSTR(&result) = SysAllocString(GetText());
    return result;
}

void CLVKMarkupRun::OleSetText(const VARIANT* pText)
{
    VARIANT text;
    VariantInit(&text);
    if (pText && V_VT(pText) != VT_NULL && V_VT(pText) != VT_EMPTY &&
        FAILED(VariantChangeType(&text, const_cast<VARIANT*>(pText), 0, VT_BSTR)))
    {
        AfxThrowOleException(DISP_E_TYPEMISMATCH);
    }
    SetText(V_VT(&text) == VT_BSTR && V_BSTR(&text) ? V_BSTR(&text) : L"");
    VariantClear(&text);
}
