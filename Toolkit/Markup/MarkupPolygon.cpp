#include "Markup/MarkupPolygon.h"

#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupPointCollection.h"

#include <algorithm>
#include <vector>

CLVKMarkupDependencyProperty* CLVKMarkupPolygon::m_pPointsProperty = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupPolygon, L"Polygon", CLVKMarkupShape::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupPolygon(); }, &CLVKMarkupPolygon::RegisterProperties)

void AFX_CDECL CLVKMarkupPolygon::RegisterProperties()
{
    m_pPointsProperty =
        CLVKMarkupDependencyProperty::Register(L"Points", CLVKMarkupPointCollection::GetMarkupType(), GetMarkupType(),
                                               new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsMeasure));
}

CLVKMarkupPointCollection* CLVKMarkupPolygon::GetPoints() const
{
    return MarkupCast<CLVKMarkupPointCollection>(GetValue(m_pPointsProperty));
}

SIZE CLVKMarkupPolygon::MeasureOverride(CLVKMarkupDrawingContext* /*pDC*/, int nWidth, int nHeight)
{
    CLVKMarkupPointCollection* const pPoints = GetPoints();
    if (!pPoints || pPoints->GetCount() == 0)
    {
        return SIZE{0, 0};
    }
    const RECT& rc = pPoints->GetBounds();
    const SIZE sz = {std::max(rc.right, rc.right - rc.left), std::max(rc.bottom, rc.bottom - rc.top)};
    return StretchToAvailable(sz, nWidth, nHeight);
}

void CLVKMarkupPolygon::OnRender(CLVKMarkupDrawingContext* pDC)
{
    CLVKMarkupPointCollection* const pPoints = GetPoints();
    if (!pPoints || pPoints->GetCount() == 0 || (!GetStroke() && !GetFill()))
    {
        return;
    }
    MarkupStrokeStyle stroke;
    GetStrokeStyle(stroke);
    const int nOldMode = pDC->SetSmoothingMode(GetSmoothingMode());
    if (IsStretched())
    {
        std::vector<POINT> points;
        pPoints->StretchPoints(points, m_szRender.cx, m_szRender.cy);
        pDC->DrawPolygon(points.data(), static_cast<int>(points.size()), &stroke, GetFill());
    }
    else
    {
        pDC->DrawPolygon(pPoints->GetPoints(), pPoints->GetCount(), &stroke, GetFill());
    }
    pDC->SetSmoothingMode(nOldMode);
}
