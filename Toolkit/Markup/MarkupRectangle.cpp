#include "Markup/MarkupRectangle.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBrush.h"
#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupThickness.h"

#include <algorithm>

CLVKMarkupDependencyProperty* CLVKMarkupRectangle::m_pRadiusXProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupRectangle::m_pRadiusYProperty = nullptr;

BEGIN_DISPATCH_MAP(CLVKMarkupRectangle, CLVKMarkupShape)
    DISP_MARKUP_NUMBER("RadiusX", 600, CLVKMarkupRectangle::m_pRadiusXProperty, VT_I4, 0)
    DISP_MARKUP_NUMBER("RadiusY", 601, CLVKMarkupRectangle::m_pRadiusYProperty, VT_I4, 0)
END_DISPATCH_MAP()

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupRectangle, L"Rectangle", CLVKMarkupShape::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupRectangle(); }, &CLVKMarkupRectangle::RegisterProperties)

void AFX_CDECL CLVKMarkupRectangle::RegisterProperties()
{
    CLVKMarkupType* const pType = GetMarkupType();
    m_pRadiusXProperty = CLVKMarkupDependencyProperty::Register(
        L"RadiusX", CLVKMarkupInt::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsRender | MarkupPropertyScaleX));
    m_pRadiusYProperty = CLVKMarkupDependencyProperty::Register(
        L"RadiusY", CLVKMarkupInt::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsRender | MarkupPropertyScaleY));
}

int CLVKMarkupRectangle::GetRadiusX() const
{
    auto* const pValue = MarkupCast<CLVKMarkupInt>(GetValue(m_pRadiusXProperty));
    return pValue ? pValue->GetValue() : 0;
}

int CLVKMarkupRectangle::GetRadiusY() const
{
    auto* const pValue = MarkupCast<CLVKMarkupInt>(GetValue(m_pRadiusYProperty));
    return pValue ? pValue->GetValue() : 0;
}

SIZE CLVKMarkupRectangle::MeasureOverride(CLVKMarkupDrawingContext* /*pDC*/, int nWidth, int nHeight)
{
    return StretchToAvailable(SIZE{0, 0}, nWidth, nHeight);
}

void CLVKMarkupRectangle::OnRender(CLVKMarkupDrawingContext* pDC)
{
    const int w = m_szRender.cx, h = m_szRender.cy;
    CLVKMarkupBrush* const pFill = GetFill();
    CLVKMarkupBrush* const pStroke = GetStroke();
    if ((!pFill && !pStroke) || w <= 0 || h <= 0)
    {
        return;
    }
    const int t = pStroke ? GetStrokeThickness() : 0;
    const int rx = std::min((w - t) / 2, GetRadiusX());
    const int ry = std::min((h - t) / 2, GetRadiusY());
    // Every corner rx across and ry down, in the device's order of values.
    const double radii[8] = {double(ry), double(rx), double(rx), double(ry),
                             double(ry), double(rx), double(rx), double(ry)};
    const double* const pRadii = rx > 0 && ry > 0 ? radii : nullptr;
    const int nOldMode = pDC->SetSmoothingMode(GetSmoothingMode());
    if (pFill)
    {
        const int nInset = t / 2;
        pDC->FillRectangle(nInset, nInset, w - nInset, h - nInset, pFill, pRadii);
    }
    if (t > 0)
    {
        CLVKMarkupAutoPtr<CLVKMarkupThickness> pThickness(new CLVKMarkupThickness(t, t, t, t));
        pDC->DrawRectangle(0, 0, w, h, pStroke, pThickness, pRadii);
    }
    pDC->SetSmoothingMode(nOldMode);
}
