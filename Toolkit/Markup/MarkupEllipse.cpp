#include "Markup/MarkupEllipse.h"

#include "Markup/MarkupDrawingContext.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupEllipse, L"Ellipse", CLVKMarkupShape::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupEllipse(); }, nullptr)

SIZE CLVKMarkupEllipse::MeasureOverride(CLVKMarkupDrawingContext* /*pDC*/, int nWidth, int nHeight)
{
    return StretchToAvailable(SIZE{0, 0}, nWidth, nHeight);
}

void CLVKMarkupEllipse::OnRender(CLVKMarkupDrawingContext* pDC)
{
    if (!GetFill() && !GetStroke())
    {
        return;
    }
    MarkupStrokeStyle stroke;
    GetStrokeStyle(stroke);
    const int nOldMode = pDC->SetSmoothingMode(GetSmoothingMode());
    pDC->DrawEllipse(0, 0, m_szRender.cx, m_szRender.cy, &stroke, GetFill());
    pDC->SetSmoothingMode(nOldMode);
}

CLVKMarkupInputElement* CLVKMarkupEllipse::HitTestCore(int x, int y)
{
    const int w = m_szRender.cx, h = m_szRender.cy;
    if (w <= 0 || h <= 0)
    {
        return this;
    }
    const int a = w / 2, b = h / 2;
    if (a == 0 || b == 0)
    {
        // One pixel wide or high: the ellipse is its whole layout box (the
        // caller has already checked that the point lies in it), never a
        // division by a zero half-axis.
        return this;
    }
    const double dx = x - a, dy = y - b;
    return dy * dy / (double(b) * b) + dx * dx / (double(a) * a) <= 1 ? this : nullptr;
}
