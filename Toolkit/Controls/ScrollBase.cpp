#include "Controls/ScrollBase.h"

#include "Controls/ScrollBarPaintManager.h"

#include <algorithm>

namespace
{

// Sets the along-axis span of a rectangle that spans the bar across the axis.
RECT PartRect(const CLVKScrollBarGeometry& g, int nFrom, int nTo)
{
    RECT rc{};
    if (g.bVertical)
        ::SetRect(&rc, g.nAcrossStart, nFrom, g.nAcrossEnd, nTo);
    else
        ::SetRect(&rc, nFrom, g.nAcrossStart, nTo, g.nAcrossEnd);
    return rc;
}

}  // namespace

int AFX_CDECL CLVKScrollBarPosFromThumb(const CLVKScrollBarGeometry& g, int nPixel)
{
    const int k = g.nPage > 0 ? g.nPage - 1 : 0;
    if (nPixel < g.nTrackStart)
        return g.nMin;
    if (nPixel < g.nTrackStart + g.nThumbTravel)
        return g.nMin + ::MulDiv(g.nMax - k - g.nMin, nPixel - g.nTrackStart, g.nThumbTravel);
    return g.nMax - k;
}

RECT AFX_CDECL CLVKScrollBarTrackRect(const CLVKScrollBarTrackState& state)
{
    const CLVKScrollBarGeometry& g = *state.pGeometry;
    RECT rc = g.rcBar;
    if (g.bVertical)
        ::InflateRect(&rc, 8 * (rc.right - rc.left), 2 * ::GetSystemMetrics(SM_CYVTHUMB));
    else
        ::InflateRect(&rc, 2 * ::GetSystemMetrics(SM_CXHTHUMB), 8 * (rc.bottom - rc.top));
    return rc;
}

CLVKScrollBase::~CLVKScrollBase() = default;

void CLVKScrollBase::OnSmoothScrollTimer()
{
    if (m_pAnimation && !m_pAnimation->Step(this))
        m_bSmoothScrolling = FALSE;
}

POINT CLVKScrollBase::GetCursorScreenPos() const
{
    POINT pt{};
    ::GetCursorPos(&pt);
    return pt;
}

void CLVKScrollBase::RecalcScrollBarInfo()
{
    CRect rc;
    GetScrollBarRect(&rc);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    GetScrollInfo(&si);
    CalcScrollBarInfo(&rc, &m_geometry, &si);
}

void CLVKScrollBase::CalcScrollBarInfo(LPCRECT lpRect, CLVKScrollBarGeometry* g, const SCROLLINFO* pInfo)
{
    g->rcBar = *lpRect;
    g->nPopupLimit = 0;

    const CLVKScrollBarPaintManager* pPaintManager = GetScrollBarPaintManager();
    int nMetric = 0;
    if (pPaintManager)
        nMetric = g->bVertical ? pPaintManager->m_cyVScroll : pPaintManager->m_cxHScroll;
    else
        nMetric = ::GetSystemMetrics(g->bVertical ? SM_CYVSCROLL : SM_CXHSCROLL);
    g->nThumbLength = nMetric;

    if (g->bVertical)
    {
        g->nBarStart = lpRect->top;
        g->nBarEnd = lpRect->bottom;
        g->nAcrossStart = lpRect->left;
        g->nAcrossEnd = lpRect->right;
    }
    else
    {
        g->nBarStart = lpRect->left;
        g->nBarEnd = lpRect->right;
        g->nAcrossStart = lpRect->top;
        g->nAcrossEnd = lpRect->bottom;
    }

    g->nPos = pInfo->nPos;
    g->nPage = pInfo->nPage > 0x7FFFFFFFu ? 0 : static_cast<int>(pInfo->nPage);
    g->nMin = pInfo->nMin;
    g->nMax = pInfo->nMax;
    g->nPos = std::min(g->nPos, g->nMax);
    g->nPos = std::max(g->nPos, g->nMin);

    const int a = std::min((g->nBarEnd - g->nBarStart) / 2, nMetric);
    g->nFirstArrowEnd = g->nBarStart + a;
    g->nSecondArrowStart = g->nBarEnd - a;

    const long long llRange = static_cast<long long>(pInfo->nMax) + 1 - pInfo->nMin;
    const int nRange = static_cast<int>(
        std::min<unsigned long long>(static_cast<unsigned long long>(llRange) & 0xFFFFFFFFull, 0x7FFFFFFFull));
    // A page larger than the range covers the range: the thumb then fills the
    // track instead of reaching past it.
    if (g->nPage > nRange)
        g->nPage = nRange;

    const int nTrack = g->nSecondArrowStart - g->nFirstArrowEnd;
    if (g->nPage != 0 && nRange != 0)
        g->nThumbLength = std::max(::MulDiv(nTrack, g->nPage, nRange), nMetric / 2);
    if (pPaintManager && pPaintManager->m_nFixedThumbLength > 0)
        g->nThumbLength = pPaintManager->m_nFixedThumbLength;
    // Never longer than the track, so the travel is never negative.
    g->nThumbLength = std::min(g->nThumbLength, std::max(nTrack, 0));

    g->nTrackStart = g->nBarStart + a;
    g->nThumbTravel = g->nBarEnd - g->nTrackStart - a - g->nThumbLength;

    const int d = nRange - std::max(g->nPage, 1);
    if (d <= 0)
        g->nThumbStart = g->nTrackStart - 1;
    else
        g->nThumbStart = g->nTrackStart + ::MulDiv(g->nPos - g->nMin, g->nThumbTravel, d);
    g->nThumbEnd = g->nThumbStart + g->nThumbLength;
}

int CLVKScrollBase::HitTestScrollBar(int x, int y) const
{
    const CLVKScrollBarGeometry& g = m_geometry;
    const POINT pt = {x, y};
    if (m_bSizeBox || !::PtInRect(&g.rcBar, pt))
        return LVK_HTSCROLLNONE;
    const int c = g.bVertical ? y : x;
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

void CLVKScrollBase::PerformTrackInit(HWND hWnd, int x, int y, CLVKScrollBarGeometry* g, BOOL bDirect)
{
    // The state lives on this stack frame: a window destroyed inside the loop
    // (and its object with it) leaves nothing behind that is touched later.
    CLVKScrollBarTrackState state;
    state.pGeometry = g;
    state.hWndCapture = hWnd;
    m_pTrackState = &state;
    const int c = g->bVertical ? y : x;

    RECT rcPart{};
    int nPart = LVK_HTSCROLLNONE;
    if (c < g->nFirstArrowEnd)
    {
        nPart = LVK_HTSCROLLUP;
        state.nCommand = SB_LINEUP;
        rcPart = PartRect(*g, g->nBarStart, g->nFirstArrowEnd);
    }
    else if (c >= g->nSecondArrowStart)
    {
        nPart = LVK_HTSCROLLDOWN;
        state.nCommand = SB_LINEDOWN;
        rcPart = PartRect(*g, g->nSecondArrowStart, g->nBarEnd);
    }
    else if (c < g->nThumbStart)
    {
        nPart = LVK_HTSCROLLUPPAGE;
        state.nCommand = SB_PAGEUP;
        rcPart = PartRect(*g, g->nFirstArrowEnd, g->nThumbStart);
    }
    else if (c < g->nThumbEnd)
    {
        nPart = LVK_HTSCROLLTHUMB;
    }
    else
    {
        nPart = LVK_HTSCROLLDOWNPAGE;
        state.nCommand = SB_PAGEDOWN;
        rcPart = PartRect(*g, g->nThumbEnd, g->nSecondArrowStart);
    }
    g->nHitPart = nPart;

    const BOOL bDrag =
        nPart == LVK_HTSCROLLTHUMB || (bDirect && (nPart == LVK_HTSCROLLUPPAGE || nPart == LVK_HTSCROLLDOWNPAGE));
    if (bDrag)
    {
        // A thumb that fills the whole track cannot be dragged.
        if (g->nThumbLength >= g->nSecondArrowStart - g->nFirstArrowEnd)
        {
            m_pTrackState = nullptr;
            return;
        }
        state.nCommand = SB_THUMBPOSITION;
        state.rcDrag = CLVKScrollBarTrackRect(state);
        g->nDragStartThumb = state.nThumbPixel = g->nThumbStart;
        state.nDragPos = state.nComputedPos = g->nPos;
        state.nDragOffset = bDirect ? -(g->nThumbLength / 2) : g->nThumbStart - c;
        state.bDragging = TRUE;
        g->nHitPart = LVK_HTSCROLLTHUMB;
        ::SetCapture(hWnd);
        DoScroll(SB_THUMBTRACK, g->nPos);
        if (!::IsWindow(hWnd))
            return;
    }

    ::SetCapture(hWnd);
    if (!bDrag)
    {
        state.rcPart = rcPart;
        TrackBox(WM_LBUTTONDOWN, x, y);
    }
    else
    {
        TrackThumb(WM_LBUTTONDOWN, x, y);
        RedrawScrollBar();
    }

    while (::GetCapture() == hWnd)
    {
        MSG msg{};
        if (!::GetMessageW(&msg, nullptr, 0, 0))
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!::IsWindow(hWnd))
            return;
        if (msg.message == WM_TIMER && msg.hwnd == hWnd && msg.wParam == kAutoRepeatTimer)
        {
            OnAutoRepeatTimer();
        }
        else if (msg.message == WM_TIMER && msg.hwnd == hWnd && msg.wParam == kSmoothScrollTimer)
        {
            OnSmoothScrollTimer();
        }
        else if (msg.message >= WM_MOUSEFIRST && msg.message <= 0x20E)
        {
            POINT pt = msg.pt;
            ::ScreenToClient(hWnd, &pt);
            if (state.bDragging)
                TrackThumb(msg.message, pt.x, pt.y);
            else
                TrackBox(msg.message, pt.x, pt.y);
        }
        else
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (!::IsWindow(hWnd))
            return;
    }

    if (state.nTimerId)
        ::KillTimer(hWnd, kAutoRepeatTimer);
    m_pTrackState = nullptr;
    POINT ptCursor = GetCursorScreenPos();
    ::ScreenToClient(hWnd, &ptCursor);
    g->nHitPart = HitTestScrollBar(ptCursor.x, ptCursor.y);
    RedrawScrollBar();

    while (::IsWindow(hWnd) && m_bSmoothScrolling)
    {
        MSG msg{};
        if (!::GetMessageW(&msg, nullptr, 0, 0))
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_TIMER && msg.hwnd == hWnd && msg.wParam == kSmoothScrollTimer)
        {
            OnSmoothScrollTimer();
        }
        else
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

void CLVKScrollBase::TrackBox(UINT message, int x, int y)
{
    CLVKScrollBarTrackState* pState = m_pTrackState;
    if (!pState)
        return;
    const CLVKScrollBarGeometry& g = *pState->pGeometry;
    RECT& rc = pState->rcPart;
    if (g.nHitPart == LVK_HTSCROLLUPPAGE)
        (g.bVertical ? rc.bottom : rc.right) = g.nThumbStart;
    else if (g.nHitPart == LVK_HTSCROLLDOWNPAGE)
        (g.bVertical ? rc.top : rc.left) = g.nThumbEnd;

    const POINT pt = {x, y};
    const BOOL bWasIn = pState->bCursorInPart;
    const BOOL bIn = ::PtInRect(&rc, pt);
    if (bIn != bWasIn)
    {
        pState->bCursorInPart = bIn;
        RedrawScrollBar();
    }

    int nInterval = 0;
    switch (message)
    {
    case WM_LBUTTONDOWN:
        pState->nTimerId = 0;
        nInterval = static_cast<int>(::GetDoubleClickTime() * 4 / 5);
        break;
    case WM_MOUSEMOVE:
        nInterval = static_cast<int>(::GetDoubleClickTime() / 10);
        break;
    case WM_LBUTTONUP:
        EndTracking();
        return;
    default:
        return;
    }
    if (bIn && !bWasIn)
    {
        m_nAutoRepeatInterval = nInterval;
        pState->nTimerId = ::SetTimer(pState->hWndCapture, kAutoRepeatTimer, nInterval, nullptr);
        DoScroll(pState->nCommand, 0);
    }
}

void CLVKScrollBase::OnAutoRepeatTimer()
{
    CLVKScrollBarTrackState* pState = m_pTrackState;
    if (!pState || pState->bDragging)
        return;
    POINT pt = GetCursorScreenPos();
    ::ScreenToClient(pState->hWndCapture, &pt);
    TrackBox(0, pt.x, pt.y);
    if (m_pTrackState && pState->bCursorInPart)
    {
        m_nAutoRepeatInterval = static_cast<int>(::GetDoubleClickTime() / 10);
        pState->nTimerId = ::SetTimer(pState->hWndCapture, kAutoRepeatTimer, m_nAutoRepeatInterval, nullptr);
        DoScroll(pState->nCommand, 0);
    }
}

void CLVKScrollBase::TrackThumb(UINT message, int x, int y)
{
    CLVKScrollBarTrackState* pState = m_pTrackState;
    if (!pState)
        return;
    const CLVKScrollBarGeometry& g = *pState->pGeometry;
    const POINT pt = {x, y};
    const CLVKScrollBarPaintManager* pPaintManager = GetScrollBarPaintManager();
    int nPixel = 0;
    if (::PtInRect(&pState->rcDrag, pt) || (pPaintManager && pPaintManager->m_nFixedThumbLength != 0))
    {
        nPixel = (g.bVertical ? y : x) + pState->nDragOffset;
        nPixel = std::max(nPixel, g.nTrackStart);
        nPixel = std::min(nPixel, g.nTrackStart + g.nThumbTravel);
    }
    else
    {
        nPixel = g.nDragStartThumb;
    }
    MoveThumbTo(nPixel);
    if (message == WM_LBUTTONUP || ::GetKeyState(VK_LBUTTON) >= 0)
        EndTracking();
}

void CLVKScrollBase::MoveThumbTo(int nPixel)
{
    CLVKScrollBarTrackState* pState = m_pTrackState;
    if (!pState || nPixel == pState->nThumbPixel)
        return;
    CLVKScrollBarGeometry& g = *pState->pGeometry;
    const int nTravelEnd = g.nTrackStart + g.nThumbTravel;
    for (;;)
    {
        const int nPos = CLVKScrollBarPosFromThumb(g, nPixel);
        pState->nComputedPos = nPos;
        if (nPos == pState->nDragPos)
            break;
        DoScroll(SB_THUMBTRACK, nPos);
        pState->nDragPos = nPos;
        if (nPixel >= nTravelEnd && nPixel != nTravelEnd)
        {
            nPixel = nTravelEnd;
            continue;
        }
        break;
    }
    g.nThumbStart = nPixel;
    g.nThumbEnd = nPixel + g.nThumbLength;
    pState->nThumbPixel = nPixel;
    RedrawScrollBar();
}

void CLVKScrollBase::EndTracking()
{
    CLVKScrollBarTrackState* pState = m_pTrackState;
    if (!pState || !pState->hWndCapture)
        return;
    const HWND hWnd = pState->hWndCapture;
    pState->hWndCapture = nullptr;
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    if (pState->bDragging)
    {
        DoScroll(SB_THUMBPOSITION, pState->nDragPos);
        RedrawScrollBar();
    }
    else if (pState->nTimerId)
    {
        ::KillTimer(hWnd, kAutoRepeatTimer);
        pState->nTimerId = 0;
    }
    DoScroll(SB_ENDSCROLL, 0);
}
