// An affine world transform handed out by a drawing device: it maps an
// element's own coordinates to the device's, origin offsets included.
#pragma once

#include "Framework.h"

class CLVKMarkupTransformationMatrix
{
public:
    CLVKMarkupTransformationMatrix() = default;
    explicit CLVKMarkupTransformationMatrix(const XFORM& xform);

    CLVKMarkupTransformationMatrix* Clone() const { return new CLVKMarkupTransformationMatrix(*this); }
    const XFORM& GetXForm() const { return m_xform; }
    BOOL IsIdentity() const;
    BOOL IsAxisAligned() const { return m_xform.eM12 == 0 && m_xform.eM21 == 0; }

    // Each operation acts first on the points (prepended), as a nested
    // element's transform does inside its parent's.
    void Translate(float x, float y);
    void Scale(float sx, float sy);
    void Rotate(float fDegrees);
    void Shear(float fx, float fy);

    POINT TransformPoint(double x, double y) const;
    // The device point pt + offset mapped back into own coordinates; false
    // when the matrix cannot be inverted.
    BOOL MapToLocal(POINT ptOffset, POINT& pt) const;
    // The rectangle's corners through the matrix, minus the offset, as a
    // bounding box.
    RECT TransformRect(const RECT& rc, POINT ptOffset) const;
    BOOL HitTest(const RECT& rc, POINT ptOffset, POINT pt) const;

private:
    // Prepends m: points go through m first, then through this matrix.
    void Prepend(const XFORM& m);

    XFORM m_xform = {1, 0, 0, 1, 0, 0};
};
