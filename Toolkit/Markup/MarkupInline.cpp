#include "Markup/MarkupInline.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupEnum.h"
#include "Markup/MarkupInlineCollection.h"
#include "Markup/MarkupSpan.h"
#include "Markup/MarkupString.h"
#include "Markup/MarkupValueConverters.h"

CLVKMarkupDependencyProperty* CLVKMarkupInline::m_pBaselineAlignmentProperty = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupInline, L"", CLVKMarkupTextElement::GetMarkupType(), nullptr,
                          &CLVKMarkupInline::RegisterProperties)

namespace
{

CLVKMarkupObject* AFX_CDECL BaselineAlignmentConverter(CLVKMarkupBuilder*, CLVKMarkupObject* pValue,
                                                       CLVKMarkupDependencyProperty*)
{
    static const MarkupWord words[] = {{L"Top", 0},     {L"Center", 1},     {L"Bottom", 2},    {L"Baseline", 3},
                                       {L"TextTop", 4}, {L"TextBottom", 5}, {L"Subscript", 6}, {L"Superscript", 7}};
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    int nValue = 0;
    if (!pString || !MarkupFindWord(words, 8, pString->GetText(), nValue))
    {
        return nullptr;
    }
    return new CLVKMarkupEnum(nValue);
}

}  // namespace

void AFX_CDECL CLVKMarkupInline::RegisterProperties()
{
    m_pBaselineAlignmentProperty = CLVKMarkupDependencyProperty::Register(
        L"BaselineAlignment", CLVKMarkupEnum::GetMarkupType(), GetMarkupType(),
        new CLVKMarkupPropertyMetadata(nullptr, BaselineAlignmentConverter, MarkupPropertyAffectsArrange));
}

MarkupTextPosition CLVKMarkupInline::NextPosition(MarkupTextPosition& nPosition) const
{
    const MarkupTextPosition nBefore = nPosition;
    nPosition = 0;
    return nBefore;
}

int CLVKMarkupInline::GetBaselineAlignment() const
{
    auto* const pValue = MarkupCast<CLVKMarkupEnum>(GetValue(m_pBaselineAlignmentProperty));
    return pValue ? pValue->GetValue() : 3;
}

void CLVKMarkupInline::SetBaselineAlignment(int nAlignment)
{
    SetValue(m_pBaselineAlignmentProperty, new CLVKMarkupEnum(nAlignment));
}

CLVKMarkupInline* CLVKMarkupInline::GetNextInline() const
{
    const CLVKMarkupInline* pInline = this;
    for (int nDepth = 0; pInline && nDepth < kMarkupMaxParentChain; ++nDepth)
    {
        auto* const pCollection = MarkupCast<CLVKMarkupInlineCollection>(pInline->GetLogicalParent());
        if (!pCollection)
        {
            return nullptr;
        }
        // The index is kept by the collection; a search covers an inline
        // whose index went stale.
        int nIndex = pInline->m_nIndex;
        if (pCollection->GetItemOrNull(nIndex) != pInline)
        {
            nIndex = pCollection->IndexOf(pInline);
        }
        if (auto* const pNext = MarkupCast<CLVKMarkupInline>(pCollection->GetItemOrNull(nIndex + 1)))
        {
            return pNext->GetFirstInline();
        }
        // At the end of a span's collection the walk goes on after the span.
        pInline = MarkupCast<CLVKMarkupSpan>(pCollection->GetOwner());
    }
    return nullptr;
}

BEGIN_DISPATCH_MAP(CLVKMarkupInline, CLVKMarkupTextElement)
    DISP_MARKUP_NUMBER("BaselineAlignment", 600, CLVKMarkupInline::m_pBaselineAlignmentProperty, VT_I4, 3)
END_DISPATCH_MAP()
