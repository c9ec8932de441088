#include "Markup/MarkupUIElement.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBool.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupEnum.h"
#include "Markup/MarkupRenderTransform.h"
#include "Markup/MarkupTransformationMatrix.h"
#include "Markup/MarkupValueConverters.h"

CLVKMarkupDependencyProperty* CLVKMarkupUIElement::m_pClipToBoundsProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupUIElement::m_pVisibilityProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupUIElement::m_pFocusableProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupUIElement::m_pIsEnabledProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupUIElement::m_pRenderTransformProperty = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupUIElement, L"", CLVKMarkupVisual::GetMarkupType(), nullptr,
                          &CLVKMarkupUIElement::RegisterProperties)

int AFX_CDECL MarkupLengthSubtract(int a, int b)
{
    if (a > kMarkupLargeLength)
    {
        return kMarkupInfiniteLength;
    }
    if (-static_cast<long long>(b) > kMarkupLargeLength)
    {
        return kMarkupInfiniteLength;
    }
    const long long d = static_cast<long long>(a) - b;
    return d < 1 ? 0 : static_cast<int>(d > kMarkupLargeLength ? kMarkupLargeLength : d);
}

void AFX_CDECL CLVKMarkupUIElement::RegisterProperties()
{
    CLVKMarkupType* const pType = GetMarkupType();
    m_pClipToBoundsProperty = CLVKMarkupDependencyProperty::Register(
        L"ClipToBounds", CLVKMarkupBool::GetMarkupType(), pType, new CLVKMarkupPropertyMetadata(new CLVKMarkupBool()));
    m_pVisibilityProperty = CLVKMarkupDependencyProperty::Register(
        L"Visibility", CLVKMarkupEnum::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(new CLVKMarkupEnum(0), MarkupVisibilityConverter, MarkupPropertyAffectsMeasure));
    m_pFocusableProperty = CLVKMarkupDependencyProperty::Register(L"Focusable", CLVKMarkupBool::GetMarkupType(), pType,
                                                                  new CLVKMarkupPropertyMetadata(new CLVKMarkupBool()));
    m_pIsEnabledProperty = CLVKMarkupDependencyProperty::Register(
        L"IsEnabled", CLVKMarkupBool::GetMarkupType(), pType, new CLVKMarkupPropertyMetadata(new CLVKMarkupBool(TRUE)));
    m_pRenderTransformProperty =
        CLVKMarkupDependencyProperty::Register(L"RenderTransform", CLVKMarkupRenderTransform::GetMarkupType(), pType);
}

int CLVKMarkupUIElement::GetVisibility() const
{
    auto* const pValue = MarkupCast<CLVKMarkupEnum>(GetValue(m_pVisibilityProperty));
    return pValue ? pValue->GetValue() : 0;
}

void CLVKMarkupUIElement::SetVisibility(int nVisibility)
{
    SetValue(m_pVisibilityProperty, new CLVKMarkupEnum(nVisibility));
}

BOOL CLVKMarkupUIElement::IsEnabled() const
{
    auto* const pValue = MarkupCast<CLVKMarkupBool>(GetValue(m_pIsEnabledProperty));
    return pValue ? pValue->GetValue() : TRUE;
}

BOOL CLVKMarkupUIElement::GetClipToBounds() const
{
    auto* const pValue = MarkupCast<CLVKMarkupBool>(GetValue(m_pClipToBoundsProperty));
    return pValue ? pValue->GetValue() : FALSE;
}

void CLVKMarkupUIElement::Measure(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight)
{
    if (IsCollapsed())
    {
        m_bMeasureForced = TRUE;
        m_bMeasureInvalid = FALSE;
        m_szLastAvailable = {nWidth, nHeight};
        m_szDesired = {0, 0};
        return;
    }
    const BOOL bForces = pDC && pDC->ForcesRemeasure();
    if (!m_bMeasureForced && !m_bMeasureInvalid && nWidth == m_szLastAvailable.cx && nHeight == m_szLastAvailable.cy &&
        !bForces)
    {
        return;
    }
    m_bMeasureInvalid = FALSE;
    m_bArrangeInvalid = TRUE;
    m_bInMeasure = TRUE;
    ++m_nMeasureCoreCount;
    m_szDesired = MeasureCore(pDC, nWidth, nHeight);
    m_bInMeasure = FALSE;
    m_szLastAvailable = {nWidth, nHeight};
    m_bMeasureForced = bForces;
}

void CLVKMarkupUIElement::Arrange(int nLeft, int nTop, int nRight, int nBottom)
{
    const RECT rc = {nLeft, nTop, nRight, nBottom};
    if (IsCollapsed())
    {
        m_bArrangePending = FALSE;
        m_rcFinal = rc;
        m_bArrangeInvalid = FALSE;
        return;
    }
    if (m_bMeasureInvalid)
    {
        CLVKMarkupDrawingContext dc(GetMarkupContext());
        Measure(&dc, nRight - nLeft, nBottom - nTop);
    }
    if (m_bArrangeInvalid || m_bArrangePending || !EqualRect(&rc, &m_rcFinal))
    {
        m_bArrangePending = FALSE;
        m_bInArrange = TRUE;
        ArrangeCore(nLeft, nTop, nRight, nBottom);
        m_bInArrange = FALSE;
        UpdateBoundingRect();
    }
    m_rcFinal = rc;
    m_bArrangeInvalid = FALSE;
}

SIZE CLVKMarkupUIElement::MeasureCore(CLVKMarkupDrawingContext* /*pDC*/, int /*nWidth*/, int /*nHeight*/)
{
    return SIZE{0, 0};
}

void CLVKMarkupUIElement::ArrangeCore(int nLeft, int nTop, int nRight, int nBottom)
{
    m_szRender = {nRight - nLeft, nBottom - nTop};
}

void CLVKMarkupUIElement::InvalidateMeasure()
{
    CLVKMarkupDrawingContext dc(GetMarkupContext());
    RemeasureAndPropagate(&dc);
}

void CLVKMarkupUIElement::RemeasureAndPropagate(CLVKMarkupDrawingContext* pDC)
{
    // Iterative up the tree: each step measures one element again and goes
    // on to its parent only when the desired size changed.
    CLVKMarkupUIElement* pElement = this;
    for (int nDepth = 0; pElement && nDepth < kMarkupMaxParentChain; ++nDepth)
    {
        if (pElement->m_bInMeasure || pElement->m_bMeasureInvalid)
        {
            return;
        }
        const SIZE szBefore = pElement->m_szDesired;
        pElement->m_bMeasureForced = TRUE;
        pElement->m_bArrangeInvalid = TRUE;
        pElement->Measure(pDC, pElement->m_szLastAvailable.cx, pElement->m_szLastAvailable.cy);
        if (szBefore.cx == pElement->m_szDesired.cx && szBefore.cy == pElement->m_szDesired.cy)
        {
            pElement->Arrange(pElement->m_rcFinal);
            pElement->InvalidateVisual();
            return;
        }
        pElement->m_bMeasureForced = TRUE;
        pElement->m_bArrangeInvalid = TRUE;
        auto* const pParent = MarkupCast<CLVKMarkupUIElement>(pElement->GetVisualParent());
        if (!pParent)
        {
            if (CLVKMarkupContext* const pContext = pElement->GetMarkupContext())
            {
                pContext->InvalidateAll();
            }
            return;
        }
        pElement = pParent;
    }
}

void CLVKMarkupUIElement::InvalidateArrange()
{
    if (m_bInArrange || m_bArrangePending)
    {
        return;
    }
    m_bArrangeInvalid = TRUE;
    Arrange(m_rcFinal);
    InvalidateVisual();
}

void CLVKMarkupUIElement::InvalidateVisual()
{
    if (CLVKMarkupContext* const pContext = GetMarkupContext())
    {
        pContext->InvalidateElement(this);
    }
}

BOOL CLVKMarkupUIElement::GetLayoutClip(RECT& rcClip) const
{
    if (GetVisibility() != 0)
    {
        SetRectEmpty(&rcClip);
        return TRUE;
    }
    return FALSE;
}

void CLVKMarkupUIElement::ApplyRenderTransform(TransformPair& pair, CLVKMarkupDrawingContext* pDC)
{
    pair = TransformPair();
    auto* const pContainer = MarkupCast<CLVKMarkupRenderTransform>(GetValue(m_pRenderTransformProperty));
    CLVKMarkupTransform* const pTransform = pContainer ? pContainer->GetTransform() : nullptr;
    if (!pTransform)
    {
        return;
    }
    CLVKMarkupTransformationMatrix* const pCurrent = pDC->GetTransformationMatrix();
    if (!pCurrent)
    {
        return;
    }
    CLVKMarkupTransformationMatrix* const pNew = pTransform->TransformMatrix(pCurrent);
    if (!pNew)
    {
        delete pCurrent;
        return;
    }
    pDC->SetTransformationMatrix(pNew);
    SetRenderTransformMatrix(pNew->Clone());
    pair.pPrevious = pCurrent;
    pair.pNew = pNew;
}

BEGIN_DISPATCH_MAP(CLVKMarkupUIElement, CLVKMarkupVisual)
    DISP_MARKUP_NUMBER("ClipToBounds", 300, CLVKMarkupUIElement::m_pClipToBoundsProperty, VT_BOOL, 0)
    DISP_MARKUP_NUMBER("Visibility", 301, CLVKMarkupUIElement::m_pVisibilityProperty, VT_I4, 0)
    DISP_MARKUP_NUMBER("Focusable", 302, CLVKMarkupUIElement::m_pFocusableProperty, VT_BOOL, 0)
    DISP_MARKUP_NUMBER("IsEnabled", 303, CLVKMarkupUIElement::m_pIsEnabledProperty, VT_BOOL, 1)
    DISP_PROPERTY_EX_ID(CLVKMarkupUIElement, "RenderTransform", 304, OleGetRenderTransform, SetNotSupported,
                        VT_DISPATCH)
END_DISPATCH_MAP()

IDispatch* CLVKMarkupUIElement::OleGetRenderTransform()
{
    const auto* const pContainer = MarkupCast<CLVKMarkupRenderTransform>(GetValue(m_pRenderTransformProperty));
    return GetDispatch(pContainer ? pContainer->GetTransform() : nullptr, TRUE);
}
