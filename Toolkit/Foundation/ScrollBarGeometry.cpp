#include "Foundation/ScrollBarGeometry.h"

#include <algorithm>
#include <climits>

namespace
{

// The platform's bar reads its range in 32-bit unsigned arithmetic and caps
// it at INT_MAX.
int WrappedScrollRange(long long llRange)
{
    return static_cast<int>(
        std::min<unsigned long long>(static_cast<unsigned long long>(llRange) & 0xFFFFFFFFull, 0x7FFFFFFFull));
}

int SaturatedScrollRange(long long llRange)
{
    return static_cast<int>(std::max(0LL, std::min(llRange, 0x7FFFFFFFLL)));
}

// MulDiv of a span of positions, which between a minimum near INT_MIN and a
// maximum near INT_MAX no longer fits an int: the same rounding (halves away
// from zero), in 64 bits, for a positive denominator.
long long MulDivScrollSpan(long long llSpan, int nNumerator, int nDenominator)
{
    if (llSpan >= INT_MIN && llSpan <= INT_MAX)
        return ::MulDiv(static_cast<int>(llSpan), nNumerator, nDenominator);
    const long long llProduct = llSpan * nNumerator;
    const long long llHalf = nDenominator / 2;
    return llProduct >= 0 ? (llProduct + llHalf) / nDenominator : (llProduct - llHalf) / nDenominator;
}

int ClampScrollValueToInt(long long ll)
{
    return static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(ll, INT_MAX)));
}

}  // namespace

void AFX_CDECL CLVKScrollBarCalcGeometry(CLVKScrollBarGeometry& g, const RECT& rcBar, const SCROLLINFO& info,
                                         const CLVKScrollBarOptions& options)
{
    g.rcBar = rcBar;
    g.nPopupLimit = 0;
    const int nArrow = options.nArrowLength != CLVKScrollBarOptions::kSystemArrowLength
                           ? options.nArrowLength
                           : ::GetSystemMetrics(g.bVertical ? SM_CYVSCROLL : SM_CXHSCROLL);
    g.nThumbLength = nArrow;
    g.nBarStart = g.bVertical ? rcBar.top : rcBar.left;
    g.nBarEnd = g.bVertical ? rcBar.bottom : rcBar.right;
    g.nAcrossStart = g.bVertical ? rcBar.left : rcBar.top;
    g.nAcrossEnd = g.bVertical ? rcBar.right : rcBar.bottom;

    g.nMin = info.nMin;
    g.nMax = info.nMax;
    g.nPos = info.nPos;
    if (options.bClampPosition)
        g.nPos = std::max(std::min(g.nPos, g.nMax), g.nMin);

    const long long llRange = static_cast<long long>(info.nMax) + 1 - info.nMin;
    const int nRange = options.bWrapRange ? WrappedScrollRange(llRange) : SaturatedScrollRange(llRange);
    UINT nPage = info.nPage;
    if (options.bNegativePageIsNone && nPage > 0x7FFFFFFFu)
        nPage = 0;
    // A page larger than the range covers the range: the thumb then fills the
    // track instead of reaching past it.
    g.nPage = static_cast<int>(std::min<unsigned long long>(nPage, static_cast<unsigned long long>(nRange)));

    const int a = std::min((g.nBarEnd - g.nBarStart) / 2, nArrow);
    g.nFirstArrowEnd = g.nBarStart + a;
    g.nSecondArrowStart = g.nBarEnd - a;
    const int nTrack = g.nSecondArrowStart - g.nFirstArrowEnd;
    if (g.nPage != 0 && nRange != 0)
        g.nThumbLength = std::max(::MulDiv(nTrack, g.nPage, nRange), std::max(nArrow / 2, options.nMinThumbLength));
    if (options.nFixedThumbLength > 0)
        g.nThumbLength = options.nFixedThumbLength;
    // Never longer than the track, so the travel is never negative.
    g.nThumbLength = std::min(g.nThumbLength, std::max(nTrack, 0));

    g.nTrackStart = g.nFirstArrowEnd;
    g.nThumbTravel = nTrack - g.nThumbLength;
    if (options.bKeepThumbInTrack)
        g.nThumbTravel = std::max(g.nThumbTravel, 0);

    const int d = nRange - std::max(g.nPage, 1);
    if (d <= 0)
        g.nThumbStart = options.bFullThumbOnePixelEarly ? g.nTrackStart - 1 : g.nTrackStart;
    else
        g.nThumbStart = ClampScrollValueToInt(g.nTrackStart + MulDivScrollSpan(static_cast<long long>(g.nPos) - g.nMin,
                                                                    g.nThumbTravel, d));
    if (options.bKeepThumbInTrack)
        g.nThumbStart = std::max(g.nTrackStart, std::min(g.nThumbStart, g.nTrackStart + g.nThumbTravel));
    g.nThumbEnd = g.nThumbStart + g.nThumbLength;
}

int AFX_CDECL CLVKScrollBarHitTest(const CLVKScrollBarGeometry& g, POINT pt)
{
    if (!::PtInRect(&g.rcBar, pt))
        return LVK_HTSCROLLNONE;
    const int c = g.bVertical ? pt.y : pt.x;
    if (c < g.nFirstArrowEnd)
        return LVK_HTSCROLLUP;
    if (g.nPopupLimit > 0 && c > g.nPopupLimit)
        return LVK_HTSCROLLPOPUP;
    if (c >= g.nSecondArrowStart)
        return LVK_HTSCROLLDOWN;
    if (c < g.nThumbStart)
        return LVK_HTSCROLLUPPAGE;
    if (c < g.nThumbEnd)
        return LVK_HTSCROLLTHUMB;
    return LVK_HTSCROLLDOWNPAGE;
}

RECT AFX_CDECL CLVKScrollBarPartRect(const CLVKScrollBarGeometry& g, int nFrom, int nTo)
{
    RECT rc{};
    if (g.bVertical)
        ::SetRect(&rc, g.nAcrossStart, nFrom, g.nAcrossEnd, nTo);
    else
        ::SetRect(&rc, nFrom, g.nAcrossStart, nTo, g.nAcrossEnd);
    return rc;
}

int AFX_CDECL CLVKScrollBarPosFromThumb(const CLVKScrollBarGeometry& g, int nPixel)
{
    const int k = g.nPage > 0 ? g.nPage - 1 : 0;
    if (nPixel < g.nTrackStart)
        return g.nMin;
    if (nPixel < g.nTrackStart + g.nThumbTravel)
        return ClampScrollValueToInt(g.nMin + MulDivScrollSpan(static_cast<long long>(g.nMax) - k - g.nMin,
                                                    nPixel - g.nTrackStart, g.nThumbTravel));
    return ClampScrollValueToInt(static_cast<long long>(g.nMax) - k);
}

RECT AFX_CDECL CLVKScrollBarTrackRect(const CLVKScrollBarTrackState& state)
{
    const CLVKScrollBarGeometry& g = *state.pGeometry;
    RECT rc = g.rcBar;
    // The thumb follows the cursor up to eight bar widths beside the bar and
    // two thumb lengths beyond its ends, as the platform's bar does.
    if (g.bVertical)
        ::InflateRect(&rc, 8 * (rc.right - rc.left), 2 * ::GetSystemMetrics(SM_CYVTHUMB));
    else
        ::InflateRect(&rc, 2 * ::GetSystemMetrics(SM_CXHTHUMB), 8 * (rc.bottom - rc.top));
    return rc;
}
