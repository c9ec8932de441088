#include "ColorManager.h"

// Callers ask "too close?" but act on the answer as "far enough apart", so the
// answer keeps that sense.
BOOL AFX_CDECL CLVKColorManager::AreColorsTooClose(COLORREF clrFirst, COLORREF clrSecond, BOOL bDarknessAdjust,
                                                   double dThreshold)
{
    return IsColorDistanceAbove(clrFirst, clrSecond, bDarknessAdjust, dThreshold);
}
