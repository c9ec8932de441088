// The HIMETRIC conversions of CDC, kept apart from the rest of the class.
#include "Gdi.h"

namespace
{
constexpr int kHimetricPerInch = 2540;
}

void CDC::HIMETRICtoDP(LPSIZE lpSize) const
{
    const int cxPerInch = GetDeviceCaps(LOGPIXELSX);
    const int cyPerInch = GetDeviceCaps(LOGPIXELSY);
    lpSize->cx = ::MulDiv(lpSize->cx, cxPerInch, kHimetricPerInch);
    lpSize->cy = ::MulDiv(lpSize->cy, cyPerInch, kHimetricPerInch);
}

void CDC::HIMETRICtoLP(LPSIZE lpSize) const
{
    HIMETRICtoDP(lpSize);
    // A size converts as the distance between two converted points, so the
    // window and viewport origins drop out.
    POINT points[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
    DPtoLP(points, 2);
    lpSize->cx = points[1].x - points[0].x;
    lpSize->cy = points[1].y - points[0].y;
}
