#include "Markup/MarkupVisual.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBool.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupTransformationMatrix.h"

#include <vector>

LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupVisual, L"", CLVKMarkupInputElement::GetMarkupType(), nullptr, nullptr)

CLVKMarkupVisual::~CLVKMarkupVisual()
{
    delete m_pRenderTransformMatrix;
}

BOOL CLVKMarkupVisual::GetLayoutClip(RECT& /*rcClip*/) const
{
    return FALSE;
}

void CLVKMarkupVisual::ApplyRenderTransform(TransformPair& pair, CLVKMarkupDrawingContext* /*pDC*/)
{
    pair = TransformPair();
}

void CLVKMarkupVisual::RestoreRenderTransform(CLVKMarkupDrawingContext* pDC, TransformPair& pair)
{
    if (pair.pPrevious)
    {
        pDC->SetTransformationMatrix(pair.pPrevious);
        delete pair.pPrevious;
        pair.pPrevious = nullptr;
    }
    delete pair.pNew;
    pair.pNew = nullptr;
}

void CLVKMarkupVisual::OnRenderFocusVisual(CLVKMarkupDrawingContext* pDC)
{
    pDC->DrawFocusRect(RECT{0, 0, m_szRender.cx, m_szRender.cy});
}

void CLVKMarkupVisual::HideHostedWindows(CLVKMarkupDrawingContext* pDC)
{
    for (int i = 0; i < GetVisualChildrenCount(); ++i)
    {
        if (CLVKMarkupVisual* const pChild = GetVisualChild(i))
        {
            pChild->HideHostedWindows(pDC);
        }
    }
}

void CLVKMarkupVisual::Render(CLVKMarkupDrawingContext* pDC)
{
    Render(pDC, 0);
}

void CLVKMarkupVisual::Render(CLVKMarkupDrawingContext* pDC, int nDepth)
{
    if (!pDC || nDepth > kMarkupMaxDepth)
    {
        return;
    }
    RECT rcClip = pDC->GetClipBox();
    OffsetRect(&rcClip, -m_ptOffset.x, -m_ptOffset.y);
    RECT rcMeet = {};
    if (!IntersectRect(&rcMeet, &rcClip, &m_rcBounding))
    {
        HideHostedWindows(pDC);
        return;
    }
    RECT rcLayoutClip = {};
    const BOOL bClip = GetLayoutClip(rcLayoutClip);
    HRGN hSavedClip = nullptr;
    if (bClip)
    {
        RECT rcInner = {};
        if (IsRectEmpty(&rcLayoutClip) || !IntersectRect(&rcInner, &rcLayoutClip, &rcClip) ||
            !IntersectRect(&rcMeet, &rcInner, &m_rcBounding))
        {
            HideHostedWindows(pDC);
            return;
        }
        pDC->OffsetOrigin(m_ptOffset);
        hSavedClip = pDC->SaveClip();
        pDC->IntersectClipRect(rcLayoutClip);
    }
    else
    {
        pDC->OffsetOrigin(m_ptOffset);
    }

    TransformPair pair;
    ApplyRenderTransform(pair, pDC);
    int nPreviousSmoothing = -1;
    if (pair.pNew)
    {
        nPreviousSmoothing = pDC->SetSmoothingMode(4);
    }

    OnRender(pDC);
    for (int i = 0; i < GetVisualChildrenCount(); ++i)
    {
        if (CLVKMarkupVisual* const pChild = GetVisualChild(i))
        {
            pChild->Render(pDC, nDepth + 1);
        }
    }
    auto* const pFocused = MarkupCast<CLVKMarkupBool>(GetValue(m_pIsKeyboardFocusedProperty));
    if (pFocused && pFocused->GetValue())
    {
        OnRenderFocusVisual(pDC);
    }

    if (nPreviousSmoothing >= 0)
    {
        pDC->SetSmoothingMode(nPreviousSmoothing);
    }
    RestoreRenderTransform(pDC, pair);
    if (hSavedClip)
    {
        pDC->RestoreClip(hSavedClip);
    }
    const POINT ptBack = {-m_ptOffset.x, -m_ptOffset.y};
    pDC->OffsetOrigin(ptBack);
}

CLVKMarkupInputElement* CLVKMarkupVisual::InputHitTest(int x, int y)
{
    return InputHitTest(x, y, 0);
}

CLVKMarkupInputElement* CLVKMarkupVisual::InputHitTest(int x, int y, int nDepth)
{
    if (nDepth > kMarkupMaxDepth)
    {
        return nullptr;
    }
    POINT pt = {x - m_ptOffset.x, y - m_ptOffset.y};
    if (m_pRenderTransformMatrix)
    {
        // Drawn through a transform: the point goes back through it into
        // the element's own coordinates.
        if (!m_pRenderTransformMatrix->MapToLocal(GetAbsoluteOffset(), pt))
        {
            return nullptr;
        }
    }
    if (!PtInRect(&m_rcBounding, pt))
    {
        return nullptr;
    }
    RECT rcClip = {};
    if (GetLayoutClip(rcClip) && !PtInRect(&rcClip, pt))
    {
        return nullptr;
    }
    for (int i = GetVisualChildrenCount() - 1; i >= 0; --i)
    {
        CLVKMarkupVisual* const pChild = GetVisualChild(i);
        if (!pChild)
        {
            continue;
        }
        if (CLVKMarkupInputElement* const pHit = pChild->InputHitTest(pt.x, pt.y, nDepth + 1))
        {
            return pHit;
        }
    }
    if (pt.x >= 0 && pt.y >= 0 && pt.x < m_szRender.cx && pt.y < m_szRender.cy)
    {
        return HitTestCore(pt.x, pt.y);
    }
    return nullptr;
}

void CLVKMarkupVisual::UpdateBoundingRect()
{
    UpdateBoundingRect(0);
}

void CLVKMarkupVisual::UpdateBoundingRect(int nDepth)
{
    SetRect(&m_rcBounding, 0, 0, m_szRender.cx, m_szRender.cy);
    if (nDepth > kMarkupMaxDepth)
    {
        return;
    }
    for (int i = 0; i < GetVisualChildrenCount(); ++i)
    {
        CLVKMarkupVisual* const pChild = GetVisualChild(i);
        if (!pChild)
        {
            continue;
        }
        pChild->UpdateBoundingRect(nDepth + 1);
        RECT rcChild = pChild->m_rcBounding;
        if (IsRectEmpty(&rcChild))
        {
            continue;
        }
        OffsetRect(&rcChild, pChild->m_ptOffset.x, pChild->m_ptOffset.y);
        if (IsRectEmpty(&m_rcBounding))
        {
            m_rcBounding = rcChild;
        }
        else
        {
            UnionRect(&m_rcBounding, &m_rcBounding, &rcChild);
        }
    }
}

RECT CLVKMarkupVisual::GetInvalidateRect()
{
    RECT rc = m_rcBounding;
    if (CLVKMarkupTransformationMatrix* const pMatrix = GetAbsoluteTransform())
    {
        rc = pMatrix->TransformRect(rc, GetAbsoluteOffset());
        delete pMatrix;
    }
    if (EqualRect(&rc, &m_rcInvalidate))
    {
        return rc;
    }
    if (IsRectEmpty(&m_rcInvalidate))
    {
        m_rcInvalidate = rc;
        return rc;
    }
    RECT rcUnion = {};
    UnionRect(&rcUnion, &rc, &m_rcInvalidate);
    m_rcInvalidate = rc;
    return rcUnion;
}

CLVKMarkupTransformationMatrix* CLVKMarkupVisual::GetAbsoluteTransform() const
{
    if (m_pRenderTransformMatrix)
    {
        return m_pRenderTransformMatrix->Clone();
    }
    // The nearest visual above with a transform of its own gives it, moved
    // by the offset of each visual between it and this one, top first.
    std::vector<const CLVKMarkupVisual*> below = {this};
    auto* const pTransformed =
        MarkupCast<CLVKMarkupVisual>(FindMarkupAncestor(GetLogicalParent(),
                                                        [&below](CLVKMarkupObject* p)
                                                        {
                                                            auto* const pVisual = MarkupCast<CLVKMarkupVisual>(p);
                                                            if (!pVisual)
                                                            {
                                                                return false;
                                                            }
                                                            if (pVisual->m_pRenderTransformMatrix)
                                                            {
                                                                return true;
                                                            }
                                                            below.push_back(pVisual);
                                                            return false;
                                                        }));
    if (!pTransformed)
    {
        return nullptr;
    }
    CLVKMarkupTransformationMatrix* const pMatrix = pTransformed->m_pRenderTransformMatrix->Clone();
    for (auto it = below.rbegin(); it != below.rend(); ++it)
    {
        pMatrix->Translate(static_cast<float>((*it)->m_ptOffset.x), static_cast<float>((*it)->m_ptOffset.y));
    }
    return pMatrix;
}

POINT CLVKMarkupVisual::GetAbsoluteOffset() const
{
    POINT pt = m_ptOffset;
    FindMarkupAncestor(GetLogicalParent(),
                       [&pt](CLVKMarkupObject* p)
                       {
                           if (auto* const pVisual = MarkupCast<CLVKMarkupVisual>(p))
                           {
                               pt.x += pVisual->m_ptOffset.x;
                               pt.y += pVisual->m_ptOffset.y;
                           }
                           return false;
                       });
    return pt;
}

BOOL CLVKMarkupVisual::PtInRectTransformed(const RECT& rc, POINT pt) const
{
    if (CLVKMarkupTransformationMatrix* const pMatrix = GetAbsoluteTransform())
    {
        const BOOL bHit = pMatrix->HitTest(rc, GetAbsoluteOffset(), pt);
        delete pMatrix;
        return bHit;
    }
    return PtInRect(&rc, pt);
}

void CLVKMarkupVisual::SetRenderTransformMatrix(CLVKMarkupTransformationMatrix* pMatrix)
{
    if (m_pRenderTransformMatrix != pMatrix)
    {
        delete m_pRenderTransformMatrix;
        m_pRenderTransformMatrix = pMatrix;
    }
}

CLVKMarkupVisual* CLVKMarkupVisual::GetVisualParent() const
{
    return FindMarkupAncestorOfType<CLVKMarkupVisual>(GetLogicalParent());
}

BEGIN_DISPATCH_MAP(CLVKMarkupVisual, CLVKMarkupInputElement)
    DISP_PROPERTY_EX_ID(CLVKMarkupVisual, "VisualParent", 200, OleGetVisualParent, SetNotSupported, VT_DISPATCH)
    DISP_FUNCTION_ID(CLVKMarkupVisual, "GetBoundingRect", 201, OleGetBoundingRect, VT_EMPTY,
                     VTS_PI4 VTS_PI4 VTS_PI4 VTS_PI4)
    DISP_PROPERTY_EX_ID(CLVKMarkupVisual, "ActualWidth", 202, OleGetActualWidth, SetNotSupported, VT_I4)
    DISP_PROPERTY_EX_ID(CLVKMarkupVisual, "ActualHeight", 203, OleGetActualHeight, SetNotSupported, VT_I4)
END_DISPATCH_MAP()

IDispatch* CLVKMarkupVisual::OleGetVisualParent()
{
    return GetDispatch(GetVisualParent(), TRUE);
}

void CLVKMarkupVisual::OleGetBoundingRect(long* pLeft, long* pTop, long* pRight, long* pBottom)
{
    RECT rc = {};
    if (GetMarkupContext())
    {
        rc = GetMarkupContext()->GetElementRect(this);
    }
    *pLeft = rc.left;
    *pTop = rc.top;
    *pRight = rc.right;
    *pBottom = rc.bottom;
}

long CLVKMarkupVisual::OleGetActualWidth()
{
    return m_szRender.cx;
}

long CLVKMarkupVisual::OleGetActualHeight()
{
    return m_szRender.cy;
}
