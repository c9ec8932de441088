#include "Markup/MarkupWrapPanel.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupEnum.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupUIElementCollection.h"
#include "Markup/MarkupValueConverters.h"

#include <algorithm>

CLVKMarkupDependencyProperty* CLVKMarkupWrapPanel::m_pOrientationProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupWrapPanel::m_pItemWidthProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupWrapPanel::m_pItemHeightProperty = nullptr;

BEGIN_DISPATCH_MAP(CLVKMarkupWrapPanel, CLVKMarkupPanel)
    DISP_MARKUP_NUMBER("Orientation", 600, CLVKMarkupWrapPanel::m_pOrientationProperty, VT_I4, 0)
END_DISPATCH_MAP()

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupWrapPanel, L"WrapPanel", CLVKMarkupPanel::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupWrapPanel(); }, &CLVKMarkupWrapPanel::RegisterProperties)

namespace
{

// An item size when set and positive, else 0 (use the desired size).
int ItemSize(const CLVKMarkupObject* pObject, CLVKMarkupDependencyProperty* pProperty)
{
    auto* const pValue = MarkupCast<CLVKMarkupInt>(pObject->GetValue(pProperty));
    return pValue && pValue->GetValue() > 0 ? std::min(pValue->GetValue(), kMarkupLargeLength) : 0;
}

}  // namespace

void AFX_CDECL CLVKMarkupWrapPanel::RegisterProperties()
{
    CLVKMarkupType* const pType = GetMarkupType();
    m_pOrientationProperty = CLVKMarkupDependencyProperty::Register(
        L"Orientation", CLVKMarkupEnum::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(nullptr, MarkupOrientationConverter, MarkupPropertyAffectsMeasure));
    m_pItemWidthProperty = CLVKMarkupDependencyProperty::Register(
        L"ItemWidth", CLVKMarkupInt::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsMeasure | MarkupPropertyScaleX));
    m_pItemHeightProperty = CLVKMarkupDependencyProperty::Register(
        L"ItemHeight", CLVKMarkupInt::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsMeasure | MarkupPropertyScaleY));
}

int CLVKMarkupWrapPanel::GetOrientation() const
{
    auto* const pValue = MarkupCast<CLVKMarkupEnum>(GetValue(m_pOrientationProperty));
    return pValue ? pValue->GetValue() : 0;
}

void CLVKMarkupWrapPanel::GetChildSizes(CLVKMarkupUIElement* pChild, BOOL bHorizontal, int& nMain, int& nCross) const
{
    const SIZE sz = pChild->GetDesiredSize();
    const int nWidth = m_nItemWidth ? m_nItemWidth : static_cast<int>(sz.cx);
    const int nHeight = m_nItemHeight ? m_nItemHeight : static_cast<int>(sz.cy);
    nMain = bHorizontal ? nWidth : nHeight;
    nCross = bHorizontal ? nHeight : nWidth;
}

SIZE CLVKMarkupWrapPanel::MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight)
{
    const BOOL bHorizontal = GetOrientation() == 0;
    m_nItemWidth = ItemSize(this, m_pItemWidthProperty);
    m_nItemHeight = ItemSize(this, m_pItemHeightProperty);
    const long long nLimit = bHorizontal ? nWidth : nHeight;
    // Line length, line thickness, finished lines' thickness, longest line;
    // 64 bits so that long lines of large children cannot wrap around.
    long long nLine = 0, nThickness = 0, nDone = 0, nLongest = 0;
    for (int i = 0; i < m_pChildren->GetCount(); ++i)
    {
        CLVKMarkupUIElement* const pChild = m_pChildren->GetElement(i);
        if (!pChild)
        {
            continue;
        }
        pChild->Measure(pDC, m_nItemWidth ? m_nItemWidth : nWidth, m_nItemHeight ? m_nItemHeight : nHeight);
        int nMain = 0, nCross = 0;
        GetChildSizes(pChild, bHorizontal, nMain, nCross);
        if (nLine + nMain > nLimit)
        {
            nDone += nThickness;
            nLongest = std::max(nLongest, nLine);
            nLine = nMain;
            nThickness = nCross;
        }
        else
        {
            nLine += nMain;
            nThickness = std::max<long long>(nThickness, nCross);
        }
    }
    nLongest = std::max(nLongest, nLine);
    nDone += nThickness;
    const LONG nMainSize = static_cast<LONG>(std::min<long long>(nLongest, kMarkupLargeLength));
    const LONG nCrossSize = static_cast<LONG>(std::min<long long>(nDone, kMarkupLargeLength));
    return bHorizontal ? SIZE{nMainSize, nCrossSize} : SIZE{nCrossSize, nMainSize};
}

void CLVKMarkupWrapPanel::ArrangeLine(int nFirst, int nEnd, BOOL bHorizontal, int nCrossOffset, int nThickness) const
{
    int nMainOffset = 0;
    for (int i = nFirst; i < nEnd; ++i)
    {
        CLVKMarkupUIElement* const pChild = m_pChildren->GetElement(i);
        if (!pChild)
        {
            continue;
        }
        int nMain = 0, nCross = 0;
        GetChildSizes(pChild, bHorizontal, nMain, nCross);
        if (bHorizontal)
        {
            pChild->Arrange(nMainOffset, nCrossOffset, nMainOffset + nMain, nCrossOffset + nThickness);
        }
        else
        {
            pChild->Arrange(nCrossOffset, nMainOffset, nCrossOffset + nThickness, nMainOffset + nMain);
        }
        nMainOffset = std::min(nMainOffset + nMain, kMarkupLargeLength);
    }
}

SIZE CLVKMarkupWrapPanel::ArrangeOverride(int nWidth, int nHeight)
{
    const BOOL bHorizontal = GetOrientation() == 0;
    const long long nLimit = bHorizontal ? nWidth : nHeight;
    long long nLine = 0;
    int nThickness = 0, nCrossOffset = 0, nFirst = 0;
    for (int i = 0; i < m_pChildren->GetCount(); ++i)
    {
        CLVKMarkupUIElement* const pChild = m_pChildren->GetElement(i);
        if (!pChild)
        {
            continue;
        }
        int nMain = 0, nCross = 0;
        GetChildSizes(pChild, bHorizontal, nMain, nCross);
        if (nLine + nMain > nLimit)
        {
            ArrangeLine(nFirst, i, bHorizontal, nCrossOffset, nThickness);
            nCrossOffset = std::min(nCrossOffset + nThickness, kMarkupLargeLength);
            nFirst = i;
            nLine = nMain;
            nThickness = nCross;
        }
        else
        {
            nLine += nMain;
            nThickness = std::max(nThickness, nCross);
        }
    }
    ArrangeLine(nFirst, m_pChildren->GetCount(), bHorizontal, nCrossOffset, nThickness);
    return SIZE{nWidth, nHeight};
}
