#include "Markup/MarkupStackPanel.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupEnum.h"
#include "Markup/MarkupUIElementCollection.h"
#include "Markup/MarkupValueConverters.h"

#include <algorithm>

CLVKMarkupDependencyProperty* CLVKMarkupStackPanel::m_pOrientationProperty = nullptr;

BEGIN_DISPATCH_MAP(CLVKMarkupStackPanel, CLVKMarkupPanel)
    DISP_MARKUP_NUMBER("Orientation", 600, CLVKMarkupStackPanel::m_pOrientationProperty, VT_I4, 1)
END_DISPATCH_MAP()

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupStackPanel, L"StackPanel", CLVKMarkupPanel::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupStackPanel(); }, &CLVKMarkupStackPanel::RegisterProperties)

void AFX_CDECL CLVKMarkupStackPanel::RegisterProperties()
{
    m_pOrientationProperty = CLVKMarkupDependencyProperty::Register(
        L"Orientation", CLVKMarkupEnum::GetMarkupType(), GetMarkupType(),
        new CLVKMarkupPropertyMetadata(nullptr, MarkupOrientationConverter, MarkupPropertyAffectsMeasure));
}

int CLVKMarkupStackPanel::GetOrientation() const
{
    auto* const pValue = MarkupCast<CLVKMarkupEnum>(GetValue(m_pOrientationProperty));
    return pValue ? pValue->GetValue() : 1;
}

SIZE CLVKMarkupStackPanel::MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight)
{
    const BOOL bVertical = GetOrientation() != 0;
    // Summed in 64 bits: many large children must not wrap around.
    long long nAlong = 0;
    int nAcross = 0;
    for (int i = 0; i < m_pChildren->GetCount(); ++i)
    {
        CLVKMarkupUIElement* const pChild = m_pChildren->GetElement(i);
        if (!pChild)
        {
            continue;
        }
        if (bVertical)
        {
            pChild->Measure(pDC, nWidth, kMarkupInfiniteLength);
            nAlong += pChild->GetDesiredSize().cy;
            nAcross = std::max(nAcross, static_cast<int>(pChild->GetDesiredSize().cx));
        }
        else
        {
            pChild->Measure(pDC, kMarkupInfiniteLength, nHeight);
            nAlong += pChild->GetDesiredSize().cx;
            nAcross = std::max(nAcross, static_cast<int>(pChild->GetDesiredSize().cy));
        }
    }
    const LONG nStack = static_cast<LONG>(std::min<long long>(nAlong, kMarkupLargeLength));
    return bVertical ? SIZE{nAcross, nStack} : SIZE{nStack, nAcross};
}

SIZE CLVKMarkupStackPanel::ArrangeOverride(int nWidth, int nHeight)
{
    const BOOL bVertical = GetOrientation() != 0;
    int nOffset = 0;
    for (int i = 0; i < m_pChildren->GetCount(); ++i)
    {
        CLVKMarkupUIElement* const pChild = m_pChildren->GetElement(i);
        if (!pChild)
        {
            continue;
        }
        const SIZE sz = pChild->GetDesiredSize();
        if (bVertical)
        {
            pChild->Arrange(0, nOffset, std::max(static_cast<int>(sz.cx), nWidth), nOffset + sz.cy);
            nOffset = std::min(nOffset + static_cast<int>(sz.cy), kMarkupLargeLength);
        }
        else
        {
            pChild->Arrange(nOffset, 0, nOffset + sz.cx, std::max(static_cast<int>(sz.cy), nHeight));
            nOffset = std::min(nOffset + static_cast<int>(sz.cx), kMarkupLargeLength);
        }
    }
    return SIZE{nWidth, nHeight};
}
