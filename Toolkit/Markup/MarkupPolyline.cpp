#include "Markup/MarkupPolyline.h"

#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupPointCollection.h"

#include <algorithm>
#include <vector>

CLVKMarkupDependencyProperty* CLVKMarkupPolyline::m_pPointsProperty = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupPolyline, L"Polyline", CLVKMarkupShape::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupPolyline(); }, &CLVKMarkupPolyline::RegisterProperties)

void AFX_CDECL CLVKMarkupPolyline::RegisterProperties()
{
    m_pPointsProperty =
        CLVKMarkupDependencyProperty::Register(L"Points", CLVKMarkupPointCollection::GetMarkupType(), GetMarkupType(),
                                               new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsMeasure));
}

CLVKMarkupPointCollection* CLVKMarkupPolyline::GetPoints() const
{
    return MarkupCast<CLVKMarkupPointCollection>(GetValue(m_pPointsProperty));
}

SIZE CLVKMarkupPolyline::MeasureOverride(CLVKMarkupDrawingContext* /*pDC*/, int nWidth, int nHeight)
{
    CLVKMarkupPointCollection* const pPoints = GetPoints();
    if (!pPoints || pPoints->GetCount() == 0)
    {
        return SIZE{0, 0};
    }
    const RECT& rc = pPoints->GetBounds();
    SIZE sz = {std::max(rc.right, rc.right - rc.left), std::max(rc.bottom, rc.bottom - rc.top)};
    if (GetStroke())
    {
        // A flat polyline still needs room for its stroke.
        const int nHalf = (GetStrokeThickness() + 1) / 2;
        if (sz.cx == 0)
        {
            sz.cx = nHalf;
        }
        if (sz.cy == 0)
        {
            sz.cy = nHalf;
        }
    }
    return StretchToAvailable(sz, nWidth, nHeight);
}

void CLVKMarkupPolyline::OnRender(CLVKMarkupDrawingContext* pDC)
{
    CLVKMarkupPointCollection* const pPoints = GetPoints();
    MarkupStrokeStyle stroke;
    GetStrokeStyle(stroke);
    if (!pPoints || pPoints->GetCount() == 0 || stroke.nThickness <= 0)
    {
        return;
    }
    const int nOldMode = pDC->SetSmoothingMode(GetSmoothingMode());
    if (IsStretched())
    {
        std::vector<POINT> points;
        pPoints->StretchPoints(points, m_szRender.cx, m_szRender.cy);
        pDC->DrawPolyline(points.data(), static_cast<int>(points.size()), &stroke);
    }
    else
    {
        pDC->DrawPolyline(pPoints->GetPoints(), pPoints->GetCount(), &stroke);
    }
    pDC->SetSmoothingMode(nOldMode);
}
