#include "Markup/MarkupTransformationMatrix.h"

#include <algorithm>
#include <cmath>

CLVKMarkupTransformationMatrix::CLVKMarkupTransformationMatrix(const XFORM& xform) : m_xform(xform)
{
}

BOOL CLVKMarkupTransformationMatrix::IsIdentity() const
{
    return m_xform.eM11 == 1 && m_xform.eM12 == 0 && m_xform.eM21 == 0 && m_xform.eM22 == 1 && m_xform.eDx == 0 &&
           m_xform.eDy == 0;
}

void CLVKMarkupTransformationMatrix::Prepend(const XFORM& m)
{
    // Row vectors as GDI: p' = p * m * this.
    XFORM r = {};
    r.eM11 = m.eM11 * m_xform.eM11 + m.eM12 * m_xform.eM21;
    r.eM12 = m.eM11 * m_xform.eM12 + m.eM12 * m_xform.eM22;
    r.eM21 = m.eM21 * m_xform.eM11 + m.eM22 * m_xform.eM21;
    r.eM22 = m.eM21 * m_xform.eM12 + m.eM22 * m_xform.eM22;
    r.eDx = m.eDx * m_xform.eM11 + m.eDy * m_xform.eM21 + m_xform.eDx;
    r.eDy = m.eDx * m_xform.eM12 + m.eDy * m_xform.eM22 + m_xform.eDy;
    m_xform = r;
}

void CLVKMarkupTransformationMatrix::Translate(float x, float y)
{
    const XFORM m = {1, 0, 0, 1, x, y};
    Prepend(m);
}

void CLVKMarkupTransformationMatrix::Scale(float sx, float sy)
{
    const XFORM m = {sx, 0, 0, sy, 0, 0};
    Prepend(m);
}

void CLVKMarkupTransformationMatrix::Rotate(float fDegrees)
{
    const double dRadians = fDegrees * 3.14159265358979323846 / 180.0;
    const float c = static_cast<float>(cos(dRadians)), s = static_cast<float>(sin(dRadians));
    const XFORM m = {c, s, -s, c, 0, 0};
    Prepend(m);
}

void CLVKMarkupTransformationMatrix::Shear(float fx, float fy)
{
    // x' = x + fx * y, y' = fy * x + y.
    const XFORM m = {1, fy, fx, 1, 0, 0};
    Prepend(m);
}

POINT CLVKMarkupTransformationMatrix::TransformPoint(double x, double y) const
{
    const double dx = x * m_xform.eM11 + y * m_xform.eM21 + m_xform.eDx;
    const double dy = x * m_xform.eM12 + y * m_xform.eM22 + m_xform.eDy;
    const POINT pt = {static_cast<LONG>(floor(dx + 0.5)), static_cast<LONG>(floor(dy + 0.5))};
    return pt;
}

BOOL CLVKMarkupTransformationMatrix::MapToLocal(POINT ptOffset, POINT& pt) const
{
    const double det =
        static_cast<double>(m_xform.eM11) * m_xform.eM22 - static_cast<double>(m_xform.eM12) * m_xform.eM21;
    if (fabs(det) < 1e-12)
    {
        return FALSE;
    }
    const double x = pt.x + ptOffset.x - m_xform.eDx;
    const double y = pt.y + ptOffset.y - m_xform.eDy;
    const double lx = (x * m_xform.eM22 - y * m_xform.eM21) / det;
    const double ly = (y * m_xform.eM11 - x * m_xform.eM12) / det;
    pt.x = static_cast<LONG>(floor(lx));
    pt.y = static_cast<LONG>(floor(ly));
    return TRUE;
}

RECT CLVKMarkupTransformationMatrix::TransformRect(const RECT& rc, POINT ptOffset) const
{
    const POINT corners[4] = {TransformPoint(rc.left, rc.top), TransformPoint(rc.right, rc.top),
                              TransformPoint(rc.right, rc.bottom), TransformPoint(rc.left, rc.bottom)};
    RECT result = {corners[0].x, corners[0].y, corners[0].x, corners[0].y};
    for (const POINT& pt : corners)
    {
        result.left = std::min(result.left, pt.x);
        result.top = std::min(result.top, pt.y);
        result.right = std::max(result.right, pt.x);
        result.bottom = std::max(result.bottom, pt.y);
    }
    OffsetRect(&result, -ptOffset.x, -ptOffset.y);
    return result;
}

BOOL CLVKMarkupTransformationMatrix::HitTest(const RECT& rc, POINT ptOffset, POINT pt) const
{
    if (!MapToLocal(ptOffset, pt))
    {
        return FALSE;
    }
    return PtInRect(&rc, pt);
}
