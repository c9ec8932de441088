#include "Markup/MarkupFrameworkElement.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupEnum.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupStyle.h"
#include "Markup/MarkupThickness.h"
#include "Markup/MarkupValueConverters.h"

#include <algorithm>

CLVKMarkupDependencyProperty* CLVKMarkupFrameworkElement::m_pMarginProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupFrameworkElement::m_pHorizontalAlignmentProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupFrameworkElement::m_pVerticalAlignmentProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupFrameworkElement::m_pWidthProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupFrameworkElement::m_pHeightProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupFrameworkElement::m_pMinWidthProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupFrameworkElement::m_pMinHeightProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupFrameworkElement::m_pMaxWidthProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupFrameworkElement::m_pMaxHeightProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupFrameworkElement::m_pTagProperty = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupFrameworkElement, L"FrameworkElement", CLVKMarkupUIElement::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupFrameworkElement(); },
    &CLVKMarkupFrameworkElement::RegisterProperties)

namespace
{

int IntValue(const CLVKMarkupObject* pObject, CLVKMarkupDependencyProperty* pProperty, int nUnset)
{
    auto* const pValue = MarkupCast<CLVKMarkupInt>(pObject->GetValue(pProperty));
    return pValue ? pValue->GetValue() : nUnset;
}

CLVKMarkupPropertyMetadata* LengthMetadata(int nFlags)
{
    return new CLVKMarkupPropertyMetadata(nullptr, MarkupLengthConverter, nFlags);
}

}  // namespace

void AFX_CDECL CLVKMarkupFrameworkElement::RegisterProperties()
{
    CLVKMarkupType::EnsureRegistered(CLVKMarkupStyle::GetMarkupType());
    CLVKMarkupType* const pType = GetMarkupType();
    CLVKMarkupType* const pInt = CLVKMarkupInt::GetMarkupType();
    m_pMarginProperty = CLVKMarkupDependencyProperty::Register(
        L"Margin", CLVKMarkupThickness::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(new CLVKMarkupThickness(),
                                       MarkupPropertyAffectsMeasure | MarkupPropertyScaleX | MarkupPropertyScaleY));
    m_pHorizontalAlignmentProperty = CLVKMarkupDependencyProperty::Register(
        L"HorizontalAlignment", CLVKMarkupEnum::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(nullptr, MarkupHorizontalAlignmentConverter, MarkupPropertyAffectsArrange));
    m_pVerticalAlignmentProperty = CLVKMarkupDependencyProperty::Register(
        L"VerticalAlignment", CLVKMarkupEnum::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(nullptr, MarkupVerticalAlignmentConverter, MarkupPropertyAffectsArrange));
    m_pWidthProperty = CLVKMarkupDependencyProperty::Register(
        L"Width", pInt, pType, LengthMetadata(MarkupPropertyAffectsMeasure | MarkupPropertyScaleX));
    m_pHeightProperty = CLVKMarkupDependencyProperty::Register(
        L"Height", pInt, pType, LengthMetadata(MarkupPropertyAffectsMeasure | MarkupPropertyScaleY));
    m_pMinWidthProperty = CLVKMarkupDependencyProperty::Register(
        L"MinWidth", pInt, pType, LengthMetadata(MarkupPropertyAffectsMeasure | MarkupPropertyScaleX));
    m_pMinHeightProperty = CLVKMarkupDependencyProperty::Register(
        L"MinHeight", pInt, pType, LengthMetadata(MarkupPropertyAffectsMeasure | MarkupPropertyScaleY));
    m_pMaxWidthProperty = CLVKMarkupDependencyProperty::Register(
        L"MaxWidth", pInt, pType, LengthMetadata(MarkupPropertyAffectsMeasure | MarkupPropertyScaleX));
    m_pMaxHeightProperty = CLVKMarkupDependencyProperty::Register(
        L"MaxHeight", pInt, pType, LengthMetadata(MarkupPropertyAffectsMeasure | MarkupPropertyScaleY));
    m_pTagProperty = CLVKMarkupDependencyProperty::Register(L"Tag", CLVKMarkupObject::GetMarkupType(), pType);
}

CLVKMarkupThickness* CLVKMarkupFrameworkElement::GetMargin() const
{
    return MarkupCast<CLVKMarkupThickness>(GetValue(m_pMarginProperty));
}

int CLVKMarkupFrameworkElement::GetHorizontalAlignment() const
{
    auto* const pValue = MarkupCast<CLVKMarkupEnum>(GetValue(m_pHorizontalAlignmentProperty));
    return pValue ? pValue->GetValue() : 3;
}

int CLVKMarkupFrameworkElement::GetVerticalAlignment() const
{
    auto* const pValue = MarkupCast<CLVKMarkupEnum>(GetValue(m_pVerticalAlignmentProperty));
    return pValue ? pValue->GetValue() : 3;
}

int CLVKMarkupFrameworkElement::GetWidth() const
{
    return IntValue(this, m_pWidthProperty, 0);
}

int CLVKMarkupFrameworkElement::GetHeight() const
{
    return IntValue(this, m_pHeightProperty, 0);
}

int CLVKMarkupFrameworkElement::GetMinWidth() const
{
    return IntValue(this, m_pMinWidthProperty, 0);
}

int CLVKMarkupFrameworkElement::GetMinHeight() const
{
    return IntValue(this, m_pMinHeightProperty, 0);
}

int CLVKMarkupFrameworkElement::GetMaxWidth() const
{
    return IntValue(this, m_pMaxWidthProperty, kMarkupInfiniteLength);
}

int CLVKMarkupFrameworkElement::GetMaxHeight() const
{
    return IntValue(this, m_pMaxHeightProperty, kMarkupInfiniteLength);
}

void CLVKMarkupFrameworkElement::SetWidth(int n)
{
    SetValue(m_pWidthProperty, new CLVKMarkupInt(n));
}

void CLVKMarkupFrameworkElement::SetHeight(int n)
{
    SetValue(m_pHeightProperty, new CLVKMarkupInt(n));
}

void CLVKMarkupFrameworkElement::GetMarginSizes(int& nHorizontal, int& nVertical) const
{
    nHorizontal = nVertical = 0;
    if (CLVKMarkupThickness* const pMargin = GetMargin())
    {
        nHorizontal = pMargin->m_nLeft + pMargin->m_nRight;
        nVertical = pMargin->m_nTop + pMargin->m_nBottom;
    }
}

void CLVKMarkupFrameworkElement::UpdateMinMax()
{
    const auto limits = [](int nMin, int nMax, int nExplicit, int& nResultMax, int& nResultMin)
    {
        const int nExplicitMax = nExplicit;
        const int nExplicitMin = nExplicit == kMarkupInfiniteLength ? 0 : nExplicit;
        nResultMax = std::max(nMin, std::min(nMax, nExplicitMax));
        nResultMin = std::max(nMin, std::min(nResultMax, nExplicitMin));
    };
    const int nHeight = IntValue(this, m_pHeightProperty, kMarkupInfiniteLength);
    const int nWidth = IntValue(this, m_pWidthProperty, kMarkupInfiniteLength);
    limits(GetMinHeight(), GetMaxHeight(), nHeight, m_nMaxHeight, m_nMinHeight);
    limits(GetMinWidth(), GetMaxWidth(), nWidth, m_nMaxWidth, m_nMinWidth);
}

SIZE CLVKMarkupFrameworkElement::MeasureOverride(CLVKMarkupDrawingContext* /*pDC*/, int /*nWidth*/, int /*nHeight*/)
{
    return SIZE{0, 0};
}

SIZE CLVKMarkupFrameworkElement::ArrangeOverride(int nWidth, int nHeight)
{
    return SIZE{nWidth, nHeight};
}

SIZE CLVKMarkupFrameworkElement::MeasureCore(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight)
{
    int mh = 0, mv = 0;
    GetMarginSizes(mh, mv);
    const int aw = MarkupLengthSubtract(nWidth, mh);
    const int ah = MarkupLengthSubtract(nHeight, mv);
    UpdateMinMax();
    const int cw = std::max(m_nMinWidth, std::min(aw, m_nMaxWidth));
    const int ch = std::max(m_nMinHeight, std::min(ah, m_nMaxHeight));
    const SIZE content = MeasureOverride(pDC, cw, ch);
    const int uw = std::max(m_nMinWidth, static_cast<int>(content.cx));
    const int uh = std::max(m_nMinHeight, static_cast<int>(content.cy));
    const long long dw = static_cast<long long>(std::min(m_nMaxWidth, uw)) + mh;
    const long long dh = static_cast<long long>(std::min(m_nMaxHeight, uh)) + mv;
    m_bNeedsClip = FALSE;
    m_bUnclippedValid = FALSE;
    if (nWidth < dw || nHeight < dh || uw > m_nMaxWidth || uh > m_nMaxHeight || dw < 0 || dh < 0)
    {
        m_bNeedsClip = TRUE;
        m_bUnclippedValid = TRUE;
        m_szUnclipped = {uw, uh};
    }
    const long long rw = std::max(0LL, std::min(static_cast<long long>(nWidth), dw));
    const long long rh = std::max(0LL, std::min(static_cast<long long>(nHeight), dh));
    return SIZE{static_cast<LONG>(rw), static_cast<LONG>(rh)};
}

POINT CLVKMarkupFrameworkElement::ComputeAlignmentOffset(int nClientWidth, int nClientHeight, int nInkWidth,
                                                         int nInkHeight) const
{
    int nHorizontal = GetHorizontalAlignment();
    int nVertical = GetVerticalAlignment();
    if (nHorizontal == 3 && nInkWidth > nClientWidth)
    {
        nHorizontal = 0;
    }
    if (nVertical == 3 && nInkHeight > nClientHeight)
    {
        nVertical = 0;
    }
    POINT pt = {0, 0};
    if (nHorizontal == 1 || nHorizontal == 3)
    {
        pt.x = (nClientWidth - nInkWidth) / 2;
    }
    else if (nHorizontal == 2)
    {
        pt.x = nClientWidth - nInkWidth;
    }
    if (nVertical == 1 || nVertical == 3)
    {
        pt.y = (nClientHeight - nInkHeight) / 2;
    }
    else if (nVertical == 2)
    {
        pt.y = nClientHeight - nInkHeight;
    }
    return pt;
}

void CLVKMarkupFrameworkElement::ArrangeCore(int nLeft, int nTop, int nRight, int nBottom)
{
    int mh = 0, mv = 0;
    GetMarginSizes(mh, mv);
    int aw = std::max(0, (nRight - nLeft) - mh);
    int ah = std::max(0, (nBottom - nTop) - mv);
    const int uw = m_bUnclippedValid ? m_szUnclipped.cx : m_szDesired.cx - mh;
    const int uh = m_bUnclippedValid ? m_szUnclipped.cy : m_szDesired.cy - mv;
    if (aw < uw)
    {
        m_bNeedsClip = TRUE;
        aw = uw;
    }
    if (ah < uh)
    {
        m_bNeedsClip = TRUE;
        ah = uh;
    }
    if (GetHorizontalAlignment() != 3)
    {
        aw = uw;
    }
    if (GetVerticalAlignment() != 3)
    {
        ah = uh;
    }
    if (aw > std::max(m_nMaxWidth, uw))
    {
        m_bNeedsClip = TRUE;
        aw = std::max(m_nMaxWidth, uw);
    }
    if (ah > std::max(m_nMaxHeight, uh))
    {
        m_bNeedsClip = TRUE;
        ah = std::max(m_nMaxHeight, uh);
    }
    m_szRender = ArrangeOverride(aw, ah);
    const int nInkWidth = std::min(static_cast<int>(m_szRender.cx), m_nMaxWidth);
    const int nInkHeight = std::min(static_cast<int>(m_szRender.cy), m_nMaxHeight);
    if (nInkWidth < m_szRender.cx || nInkHeight < m_szRender.cy)
    {
        m_bNeedsClip = TRUE;
    }
    const int nClientWidth = std::max(0, (nRight - nLeft) - mh);
    const int nClientHeight = std::max(0, (nBottom - nTop) - mv);
    if (nClientWidth < nInkWidth || nClientHeight < nInkHeight)
    {
        m_bNeedsClip = TRUE;
    }
    const POINT ptAlign = ComputeAlignmentOffset(nClientWidth, nClientHeight, nInkWidth, nInkHeight);
    CLVKMarkupThickness* const pMargin = GetMargin();
    m_ptOffset.x = nLeft + (pMargin ? pMargin->m_nLeft : 0) + ptAlign.x;
    m_ptOffset.y = nTop + (pMargin ? pMargin->m_nTop : 0) + ptAlign.y;
}

BOOL CLVKMarkupFrameworkElement::GetLayoutClip(RECT& rcClip) const
{
    if (CLVKMarkupUIElement::GetLayoutClip(rcClip))
    {
        return TRUE;
    }
    const BOOL bClipToBounds = GetClipToBounds();
    if (!bClipToBounds && !m_bNeedsClip)
    {
        return FALSE;
    }
    const int nMaxW = m_nMaxWidth >= kMarkupLargeLength ? m_szRender.cx : m_nMaxWidth;
    const int nMaxH = m_nMaxHeight >= kMarkupLargeLength ? m_szRender.cy : m_nMaxHeight;
    const RECT rcMax = {0, 0, nMaxW, nMaxH};
    const BOOL bClipToMax = bClipToBounds || nMaxW < m_szRender.cx || nMaxH < m_szRender.cy;
    const int nInkWidth = std::min(static_cast<int>(m_szRender.cx), m_nMaxWidth);
    const int nInkHeight = std::min(static_cast<int>(m_szRender.cy), m_nMaxHeight);
    int mh = 0, mv = 0;
    GetMarginSizes(mh, mv);
    const int nClientWidth = std::max(0, static_cast<int>(m_rcFinal.right - m_rcFinal.left) - mh);
    const int nClientHeight = std::max(0, static_cast<int>(m_rcFinal.bottom - m_rcFinal.top) - mv);
    if (!bClipToBounds && nInkWidth <= nClientWidth && nInkHeight <= nClientHeight)
    {
        if (bClipToMax)
        {
            rcClip = rcMax;
            return TRUE;
        }
        return FALSE;
    }
    const POINT pt = ComputeAlignmentOffset(nClientWidth, nClientHeight, nInkWidth, nInkHeight);
    SetRect(&rcClip, -pt.x, -pt.y, -pt.x + nClientWidth, -pt.y + nClientHeight);
    if (bClipToMax)
    {
        IntersectRect(&rcClip, &rcClip, &rcMax);
    }
    return TRUE;
}

void CLVKMarkupFrameworkElement::OnPropertyChanged(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pOldValue,
                                                   CLVKMarkupObject* pNewValue)
{
    CLVKMarkupUIElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
    ApplyTriggers(pProperty, pNewValue);
    if (!IsBeingBuilt() && pProperty &&
        (pProperty->GetFlags() &
         (MarkupPropertyAffectsArrange | MarkupPropertyAffectsMeasure | MarkupPropertyAffectsRender)))
    {
        InvalidateMeasure();
    }
}

BEGIN_DISPATCH_MAP(CLVKMarkupFrameworkElement, CLVKMarkupUIElement)
    DISP_MARKUP_NUMBER("MinWidth", 400, CLVKMarkupFrameworkElement::m_pMinWidthProperty, VT_I4, 0)
    DISP_MARKUP_NUMBER("Width", 401, CLVKMarkupFrameworkElement::m_pWidthProperty, VT_I4, 0)
    DISP_MARKUP_NUMBER("MaxWidth", 402, CLVKMarkupFrameworkElement::m_pMaxWidthProperty, VT_I4, 0)
    DISP_MARKUP_NUMBER("MinHeight", 403, CLVKMarkupFrameworkElement::m_pMinHeightProperty, VT_I4, 0)
    DISP_MARKUP_NUMBER("Height", 404, CLVKMarkupFrameworkElement::m_pHeightProperty, VT_I4, 0)
    DISP_MARKUP_NUMBER("MaxHeight", 405, CLVKMarkupFrameworkElement::m_pMaxHeightProperty, VT_I4, 0)
    DISP_MARKUP_OBJECT("Margin", 406, CLVKMarkupFrameworkElement::m_pMarginProperty)
    DISP_MARKUP_NUMBER("HorizontalAlignment", 407, CLVKMarkupFrameworkElement::m_pHorizontalAlignmentProperty, VT_I4, 0)
    DISP_MARKUP_NUMBER("VerticalAlignment", 408, CLVKMarkupFrameworkElement::m_pVerticalAlignmentProperty, VT_I4, 0)
    DISP_MARKUP_TEXT_VARIANT("Tag", 409, CLVKMarkupFrameworkElement::m_pTagProperty)
END_DISPATCH_MAP()
