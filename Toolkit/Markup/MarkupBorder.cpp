#include "Markup/MarkupBorder.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBrush.h"
#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupPanel.h"
#include "Markup/MarkupThickness.h"

#include <algorithm>

CLVKMarkupDependencyProperty* CLVKMarkupBorder::m_pBackgroundProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupBorder::m_pPaddingProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupBorder::m_pBorderThicknessProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupBorder::m_pBorderBrushProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupBorder::m_pCornerRadiusProperty = nullptr;

// Registered with FrameworkElement as its base type, as the markup format
// knows it; the decorator is a base of the class only.
LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupBorder, L"Border", CLVKMarkupFrameworkElement::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupBorder(); }, &CLVKMarkupBorder::RegisterProperties)

void AFX_CDECL CLVKMarkupBorder::RegisterProperties()
{
    CLVKMarkupType* const pType = GetMarkupType();
    const int nScaled = MarkupPropertyScaleX | MarkupPropertyScaleY;
    m_pBackgroundProperty =
        CLVKMarkupDependencyProperty::Register(L"Background", CLVKMarkupBrush::GetMarkupType(), pType,
                                               new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsRender));
    m_pPaddingProperty = CLVKMarkupDependencyProperty::Register(
        L"Padding", CLVKMarkupThickness::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(new CLVKMarkupThickness(), MarkupPropertyAffectsMeasure | nScaled));
    m_pBorderThicknessProperty = CLVKMarkupDependencyProperty::Register(
        L"BorderThickness", CLVKMarkupThickness::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(new CLVKMarkupThickness(), MarkupPropertyAffectsMeasure | nScaled));
    m_pBorderBrushProperty =
        CLVKMarkupDependencyProperty::Register(L"BorderBrush", CLVKMarkupBrush::GetMarkupType(), pType,
                                               new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsRender));
    m_pCornerRadiusProperty = CLVKMarkupDependencyProperty::Register(
        L"CornerRadius", CLVKMarkupThickness::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(new CLVKMarkupThickness(), MarkupPropertyAffectsRender | nScaled));
}

CLVKMarkupBrush* CLVKMarkupBorder::GetBackground() const
{
    return MarkupCast<CLVKMarkupBrush>(GetValue(m_pBackgroundProperty));
}

CLVKMarkupBrush* CLVKMarkupBorder::GetBorderBrush() const
{
    return MarkupCast<CLVKMarkupBrush>(GetValue(m_pBorderBrushProperty));
}

CLVKMarkupThickness* CLVKMarkupBorder::GetBorderThickness() const
{
    return MarkupCast<CLVKMarkupThickness>(GetValue(m_pBorderThicknessProperty));
}

CLVKMarkupThickness* CLVKMarkupBorder::GetPadding() const
{
    return MarkupCast<CLVKMarkupThickness>(GetValue(m_pPaddingProperty));
}

CLVKMarkupThickness* CLVKMarkupBorder::GetCornerRadius() const
{
    return MarkupCast<CLVKMarkupThickness>(GetValue(m_pCornerRadiusProperty));
}

void CLVKMarkupBorder::SetBackground(CLVKMarkupBrush* pBrush)
{
    SetValue(m_pBackgroundProperty, pBrush);
}

void CLVKMarkupBorder::SetBorderBrush(CLVKMarkupBrush* pBrush)
{
    SetValue(m_pBorderBrushProperty, pBrush);
}

SIZE CLVKMarkupBorder::MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight)
{
    const CLVKMarkupThickness empty;
    const CLVKMarkupThickness* const pBorder = GetBorderThickness() ? GetBorderThickness() : &empty;
    const CLVKMarkupThickness* const pPadding = GetPadding() ? GetPadding() : &empty;
    const int nExtraX = pBorder->m_nLeft + pBorder->m_nRight + pPadding->m_nLeft + pPadding->m_nRight;
    const int nExtraY = pBorder->m_nTop + pBorder->m_nBottom + pPadding->m_nTop + pPadding->m_nBottom;
    if (!GetChild())
    {
        return SIZE{nExtraX, nExtraY};
    }
    GetChild()->Measure(pDC, std::max(0, MarkupLengthSubtract(nWidth, nExtraX)),
                        std::max(0, MarkupLengthSubtract(nHeight, nExtraY)));
    return SIZE{nExtraX + GetChild()->GetDesiredSize().cx, nExtraY + GetChild()->GetDesiredSize().cy};
}

SIZE CLVKMarkupBorder::ArrangeOverride(int nWidth, int nHeight)
{
    if (GetChild())
    {
        RECT rc = CLVKMarkupThickness::DeflateRect(0, 0, nWidth, nHeight, GetBorderThickness());
        rc = CLVKMarkupThickness::DeflateRect(rc.left, rc.top, rc.right, rc.bottom, GetPadding());
        GetChild()->Arrange(rc);
    }
    return SIZE{nWidth, nHeight};
}

void CLVKMarkupBorder::OnRender(CLVKMarkupDrawingContext* pDC)
{
    const int w = m_szRender.cx, h = m_szRender.cy;
    CLVKMarkupBrush* const pBackground = GetBackground();
    CLVKMarkupBrush* const pBorderBrush = GetBorderBrush();
    if (w <= 0 || h <= 0 || (!pBackground && !pBorderBrush))
    {
        return;
    }
    CLVKMarkupThickness* const pRadius = GetCornerRadius();
    const BOOL bRounded = pRadius && (pRadius->m_nLeft || pRadius->m_nTop || pRadius->m_nRight || pRadius->m_nBottom);
    // Two values per corner, in the device's order: top-left vertical and
    // horizontal, top-right horizontal and vertical, bottom-right vertical
    // and horizontal, bottom-left horizontal and vertical.
    double radii[8] = {};
    if (bRounded)
    {
        const double tl = pRadius->m_nLeft, tr = pRadius->m_nTop, br = pRadius->m_nRight, bl = pRadius->m_nBottom;
        const double values[8] = {tl, tl, tr, tr, br, br, bl, bl};
        std::copy(values, values + 8, radii);
    }
    CLVKMarkupThickness* const pThickness = GetBorderThickness();
    const BOOL bHasThickness =
        pThickness && (pThickness->m_nLeft || pThickness->m_nTop || pThickness->m_nRight || pThickness->m_nBottom);
    if (bHasThickness && pBorderBrush)
    {
        pDC->DrawRectangle(0, 0, w, h, pBorderBrush, pThickness, bRounded ? radii : nullptr);
    }
    if (pBackground)
    {
        const CLVKMarkupThickness empty;
        const CLVKMarkupThickness* const t = pThickness ? pThickness : &empty;
        const int l = t->m_nLeft, top = t->m_nTop, r = w - t->m_nRight, b = h - t->m_nBottom;
        if (l < r && top < b)
        {
            if (bRounded)
            {
                for (double& d : radii)
                {
                    d = std::max(0.0, d - t->m_nLeft * 0.5);
                }
            }
            pDC->FillRectangle(l, top, r, b, pBackground, bRounded ? radii : nullptr);
        }
    }
}

CLVKMarkupInputElement* CLVKMarkupBorder::HitTestCore(int /*x*/, int /*y*/)
{
    return GetBackground() ? this : nullptr;
}

BEGIN_DISPATCH_MAP(CLVKMarkupBorder, CLVKMarkupDecorator)
    DISP_MARKUP_OBJECT("Background", 500, CLVKMarkupBorder::m_pBackgroundProperty)
    DISP_MARKUP_OBJECT("BorderThickness", 501, CLVKMarkupBorder::m_pBorderThicknessProperty)
    DISP_MARKUP_OBJECT("Padding", 502, CLVKMarkupBorder::m_pPaddingProperty)
    DISP_MARKUP_OBJECT("BorderBrush", 503, CLVKMarkupBorder::m_pBorderBrushProperty)
    DISP_MARKUP_OBJECT("CornerRadius", 504, CLVKMarkupBorder::m_pCornerRadiusProperty)
    DISP_PROPERTY_EX_ID(CLVKMarkupBorder, "Child", 505, OleGetChild, OleSetChild, VT_DISPATCH)
END_DISPATCH_MAP()

IDispatch* CLVKMarkupBorder::OleGetChild()
{
    return GetDispatch(GetChild(), TRUE);
}

void CLVKMarkupBorder::OleSetChild(IDispatch* pChild)
{
    CLVKMarkupObject* const pObject = LVKMarkupObjectFromUnknown(pChild, FALSE);
    auto* const pElement = MarkupCast<CLVKMarkupUIElement>(pObject);
    if (pObject && !pElement)
    {
        AfxThrowOleException(DISP_E_TYPEMISMATCH);
    }
    if (pElement)
    {
        pElement->AddRef();
    }
    // A child that has a parent elsewhere (or is an ancestor) is refused.
    if (!SetChild(pElement))
    {
        pElement->Release();
        AfxThrowOleException(E_INVALIDARG);
    }
}
