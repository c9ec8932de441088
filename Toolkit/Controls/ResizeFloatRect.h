// Floating-point rectangles and points of the resize layout: anchor factors
// of a control, and its rectangle kept without rounding so that edges moved
// by fractions of a size change do not drift.
#pragma once

#include "Framework.h"

class CLVKResizeFloatRect
{
public:
    CLVKResizeFloatRect() = default;
    CLVKResizeFloatRect(float fLeft, float fTop, float fRight, float fBottom)
        : left(fLeft), top(fTop), right(fRight), bottom(fBottom)
    {
    }
    explicit CLVKResizeFloatRect(const RECT& rc)
        : left(static_cast<float>(rc.left)), top(static_cast<float>(rc.top)), right(static_cast<float>(rc.right)),
          bottom(static_cast<float>(rc.bottom))
    {
    }

    CLVKResizeFloatRect& operator+=(const CLVKResizeFloatRect& other)
    {
        left += other.left;
        top += other.top;
        right += other.right;
        bottom += other.bottom;
        return *this;
    }
    bool operator==(const CLVKResizeFloatRect& other) const
    {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }

    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
};

class CLVKResizeFloatPoint
{
public:
    CLVKResizeFloatPoint() = default;
    CLVKResizeFloatPoint(float fX, float fY) : x(fX), y(fY) {}

    float x = 0;
    float y = 0;
};

// Anchors from the factors of the top-left and the bottom-right corner.
inline CLVKResizeFloatRect LVKResizeAnchors(const CLVKResizeFloatPoint& topLeft,
                                            const CLVKResizeFloatPoint& bottomRight)
{
    return CLVKResizeFloatRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

// The usual anchors.
#define LVK_ANCHOR_TOPLEFT CLVKResizeFloatPoint(0, 0)
#define LVK_ANCHOR_TOPRIGHT CLVKResizeFloatPoint(1, 0)
#define LVK_ANCHOR_BOTTOMLEFT CLVKResizeFloatPoint(0, 1)
#define LVK_ANCHOR_BOTTOMRIGHT CLVKResizeFloatPoint(1, 1)
#define LVK_ANCHOR_TOPCENTER CLVKResizeFloatPoint(0.5f, 0)
#define LVK_ANCHOR_CENTER CLVKResizeFloatPoint(0.5f, 0.5f)
