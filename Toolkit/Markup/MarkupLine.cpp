#include "Markup/MarkupLine.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupValueConverters.h"

#include <algorithm>
#include <cmath>

CLVKMarkupDependencyProperty* CLVKMarkupLine::m_pX1Property = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupLine::m_pY1Property = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupLine::m_pX2Property = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupLine::m_pY2Property = nullptr;

BEGIN_DISPATCH_MAP(CLVKMarkupLine, CLVKMarkupShape)
    DISP_MARKUP_NUMBER("X1", 600, CLVKMarkupLine::m_pX1Property, VT_I4, 0)
    DISP_MARKUP_NUMBER("X2", 601, CLVKMarkupLine::m_pX2Property, VT_I4, 0)
    DISP_MARKUP_NUMBER("Y1", 602, CLVKMarkupLine::m_pY1Property, VT_I4, 0)
    DISP_MARKUP_NUMBER("Y2", 603, CLVKMarkupLine::m_pY2Property, VT_I4, 0)
END_DISPATCH_MAP()

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupLine, L"Line", CLVKMarkupShape::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupLine(); }, &CLVKMarkupLine::RegisterProperties)

void AFX_CDECL CLVKMarkupLine::RegisterProperties()
{
    CLVKMarkupType* const pType = GetMarkupType();
    CLVKMarkupType* const pInt = CLVKMarkupInt::GetMarkupType();
    const auto metadata = [](int nScale)
    { return new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsMeasure | nScale); };
    m_pX1Property = CLVKMarkupDependencyProperty::Register(L"X1", pInt, pType, metadata(MarkupPropertyScaleX));
    m_pX2Property = CLVKMarkupDependencyProperty::Register(L"X2", pInt, pType, metadata(MarkupPropertyScaleX));
    m_pY1Property = CLVKMarkupDependencyProperty::Register(L"Y1", pInt, pType, metadata(MarkupPropertyScaleY));
    m_pY2Property = CLVKMarkupDependencyProperty::Register(L"Y2", pInt, pType, metadata(MarkupPropertyScaleY));
}

int CLVKMarkupLine::ReadCoordinate(CLVKMarkupDependencyProperty* pProperty) const
{
    auto* const pValue = MarkupCast<CLVKMarkupInt>(GetValue(pProperty));
    return pValue ? std::max(-kMarkupLargeLength, std::min(pValue->GetValue(), kMarkupLargeLength)) : 0;
}

void CLVKMarkupLine::GetEndPoints(POINT& pt1, POINT& pt2) const
{
    pt1 = POINT{ReadCoordinate(m_pX1Property), ReadCoordinate(m_pY1Property)};
    pt2 = POINT{ReadCoordinate(m_pX2Property), ReadCoordinate(m_pY2Property)};
    if (!IsStretched())
    {
        return;
    }
    // Along each axis: equal ends meet in the middle, else the larger end
    // goes to the far edge and the smaller to 0.
    const auto stretch = [](LONG& a, LONG& b, LONG nSize)
    {
        if (a == b)
        {
            a = b = nSize / 2;
        }
        else if (a > b)
        {
            a = nSize;
            b = 0;
        }
        else
        {
            a = 0;
            b = nSize;
        }
    };
    stretch(pt1.x, pt2.x, m_szRender.cx);
    stretch(pt1.y, pt2.y, m_szRender.cy);
}

SIZE CLVKMarkupLine::MeasureOverride(CLVKMarkupDrawingContext* /*pDC*/, int nWidth, int nHeight)
{
    const int x1 = ReadCoordinate(m_pX1Property), x2 = ReadCoordinate(m_pX2Property);
    const int y1 = ReadCoordinate(m_pY1Property), y2 = ReadCoordinate(m_pY2Property);
    SIZE sz = {std::max(0, std::max(x1, x2)), std::max(0, std::max(y1, y2))};
    if (GetStroke())
    {
        // A flat line still needs room for the half of its stroke below or
        // beside it.
        const int nHalf = (GetStrokeThickness() + 1) / 2;
        if (x1 == x2)
        {
            sz.cx += nHalf;
        }
        if (y1 == y2)
        {
            sz.cy += nHalf;
        }
    }
    return StretchToAvailable(sz, nWidth, nHeight);
}

void CLVKMarkupLine::OnRender(CLVKMarkupDrawingContext* pDC)
{
    MarkupStrokeStyle stroke;
    GetStrokeStyle(stroke);
    if (stroke.nThickness <= 0 || (ReadCoordinate(m_pX1Property) == 0 && ReadCoordinate(m_pY1Property) == 0 &&
                                   ReadCoordinate(m_pX2Property) == 0 && ReadCoordinate(m_pY2Property) == 0))
    {
        return;
    }
    POINT pt1 = {}, pt2 = {};
    GetEndPoints(pt1, pt2);
    const int nOldMode = pDC->SetSmoothingMode(GetSmoothingMode());
    pDC->DrawLine(pt1.x, pt1.y, pt2.x, pt2.y, &stroke);
    pDC->SetSmoothingMode(nOldMode);
}

CLVKMarkupInputElement* CLVKMarkupLine::HitTestCore(int x, int y)
{
    MarkupStrokeStyle stroke;
    GetStrokeStyle(stroke);
    if (stroke.nThickness <= 0)
    {
        return nullptr;
    }
    POINT pt1 = {}, pt2 = {};
    GetEndPoints(pt1, pt2);
    const double h = stroke.nThickness / 2.0;
    if (x < std::min(pt1.x, pt2.x) - h || x > std::max(pt1.x, pt2.x) + h || y < std::min(pt1.y, pt2.y) - h ||
        y > std::max(pt1.y, pt2.y) + h)
    {
        return nullptr;
    }
    const double px = x - pt1.x, py = y - pt1.y;
    const double dx = pt2.x - pt1.x, dy = pt2.y - pt1.y;
    if (dx == 0)
    {
        return std::fabs(px) <= h ? this : nullptr;
    }
    return std::fabs(px * dy / dx - py) <= std::fabs(h / std::cos(std::atan(dy / dx))) ? this : nullptr;
}
