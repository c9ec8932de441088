#include "Foundation/ScrollBarTracker.h"

#include <algorithm>

namespace
{

// The part a press lands on, the command it repeats and the area in which
// it repeats.
struct ScrollBarPress
{
    int nPart = LVK_HTSCROLLNONE;
    int nCommand = -1;
    RECT rcPart{};
};

ScrollBarPress ScrollBarPressAt(const CLVKScrollBarGeometry& g, int c)
{
    ScrollBarPress press;
    if (c < g.nFirstArrowEnd)
    {
        press.nPart = LVK_HTSCROLLUP;
        press.nCommand = SB_LINEUP;
        press.rcPart = CLVKScrollBarPartRect(g, g.nBarStart, g.nFirstArrowEnd);
        return press;
    }
    if (c >= g.nSecondArrowStart)
    {
        press.nPart = LVK_HTSCROLLDOWN;
        press.nCommand = SB_LINEDOWN;
        press.rcPart = CLVKScrollBarPartRect(g, g.nSecondArrowStart, g.nBarEnd);
        return press;
    }
    if (c < g.nThumbStart)
    {
        press.nPart = LVK_HTSCROLLUPPAGE;
        press.nCommand = SB_PAGEUP;
        press.rcPart = CLVKScrollBarPartRect(g, g.nFirstArrowEnd, g.nThumbStart);
        return press;
    }
    if (c < g.nThumbEnd)
    {
        press.nPart = LVK_HTSCROLLTHUMB;
        return press;
    }
    press.nPart = LVK_HTSCROLLDOWNPAGE;
    press.nCommand = SB_PAGEDOWN;
    press.rcPart = CLVKScrollBarPartRect(g, g.nThumbEnd, g.nSecondArrowStart);
    return press;
}

// The platform's rhythm of a held arrow: a first pause of most of a double
// click, then ten repeats per double click.
UINT FirstScrollRepeatDelay()
{
    return ::GetDoubleClickTime() * 4 / 5;
}

UINT NextScrollRepeatDelay()
{
    return ::GetDoubleClickTime() / 10;
}

BOOL IsTrackedWindowGone(HWND hWnd)
{
    return hWnd && !::IsWindow(hWnd);
}

}  // namespace

CLVKScrollBarTracker::~CLVKScrollBarTracker()
{
    if (m_pbOwnerGone)
        *m_pbOwnerGone = true;
}

BOOL CLVKScrollBarTracker::Send(int nCode, int nPos)
{
    bool* const pbOwnerGone = m_pbOwnerGone;
    m_owner.OnTrackerScroll(nCode, nPos);
    return !(pbOwnerGone && *pbOwnerGone);
}

BOOL CLVKScrollBarTracker::Track(HWND hWnd, CLVKScrollBarGeometry& g, POINT pt, BOOL bDirect,
                                 const CLVKScrollBarOptions& options)
{
    // One loop at a time: a press that reaches the bar while its loop runs
    // belongs to that loop.
    if (m_pbOwnerGone)
        return FALSE;
    const ScrollBarPress press = ScrollBarPressAt(g, g.bVertical ? pt.y : pt.x);
    const BOOL bDrag = press.nPart == LVK_HTSCROLLTHUMB ||
                       (bDirect && (press.nPart == LVK_HTSCROLLUPPAGE || press.nPart == LVK_HTSCROLLDOWNPAGE));
    // A thumb that fills the whole track cannot be dragged.
    if (bDrag && g.nThumbLength >= g.nSecondArrowStart - g.nFirstArrowEnd)
    {
        if (options.bHitPartOnUndraggablePress)
            g.nHitPart = press.nPart;
        return FALSE;
    }

    bool bOwnerGone = false;
    m_pbOwnerGone = &bOwnerGone;
    m_options = options;
    if (Run(hWnd, g, pt, bDirect, bDrag, press.nPart, press.nCommand, press.rcPart))
        m_pbOwnerGone = nullptr;
    return TRUE;
}

BOOL CLVKScrollBarTracker::Run(HWND hWnd, CLVKScrollBarGeometry& g, POINT pt, BOOL bDirect, BOOL bDrag, int nPart,
                               int nCommand, const RECT& rcPart)
{
    m_state = CLVKScrollBarTrackState();
    m_state.pGeometry = &g;
    m_state.hWndCapture = hWnd;
    m_state.nCommand = nCommand;
    m_bTracking = TRUE;
    m_bEnded = FALSE;
    g.nHitPart = nPart;

    m_owner.OnTrackerCapture(hWnd);
    if (bDrag)
    {
        const int c = g.bVertical ? pt.y : pt.x;
        m_state.nCommand = SB_THUMBPOSITION;
        m_state.rcDrag = CLVKScrollBarTrackRect(m_state);
        g.nDragStartThumb = m_state.nThumbPixel = g.nThumbStart;
        m_state.nDragPos = m_state.nComputedPos = g.nPos;
        m_state.nDragOffset = bDirect ? -(g.nThumbLength / 2) : g.nThumbStart - c;
        m_state.bDragging = TRUE;
        g.nHitPart = LVK_HTSCROLLTHUMB;
        if (!Send(SB_THUMBTRACK, g.nPos))
            return FALSE;
        if (IsTrackedWindowGone(hWnd))
        {
            Finish(hWnd);
            return TRUE;
        }
        if (m_options.bRecaptureAfterFirstTrack)
            m_owner.OnTrackerCapture(hWnd);
        if (!TrackThumb(WM_LBUTTONDOWN, pt))
            return FALSE;
    }
    else
    {
        m_state.rcPart = rcPart;
        if (!TrackBox(WM_LBUTTONDOWN, pt))
            return FALSE;
    }
    m_owner.OnTrackerRedraw();
    if (!hWnd && !End())
        return FALSE;

    if (!RunLoop(hWnd))
        return FALSE;
    Finish(hWnd);
    return RunSmoothScrollLoop(hWnd);
}

BOOL CLVKScrollBarTracker::RunLoop(HWND hWnd)
{
    const bool* const pbOwnerGone = m_pbOwnerGone;
    while (!m_bEnded && m_owner.TrackerHasCapture(hWnd))
    {
        MSG msg{};
        if (!::GetMessageW(&msg, nullptr, 0, 0))
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (IsTrackedWindowGone(hWnd))
            break;
        BOOL bOwnerAlive = TRUE;
        const BOOL bOurTimer = msg.message == WM_TIMER && msg.hwnd == hWnd;
        if (bOurTimer && msg.wParam == kAutoRepeatTimer)
        {
            bOwnerAlive = OnAutoRepeatTimer();
        }
        else if (bOurTimer && m_options.nSmoothScrollTimer && msg.wParam == m_options.nSmoothScrollTimer)
        {
            m_owner.OnTrackerSmoothScrollTimer();
            bOwnerAlive = !*pbOwnerGone;
        }
        else if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST)
        {
            const POINT pt = m_owner.TrackerScreenToBar(hWnd, msg.pt);
            bOwnerAlive = m_state.bDragging ? TrackThumb(msg.message, pt) : TrackBox(msg.message, pt);
        }
        else
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
            bOwnerAlive = !*pbOwnerGone;
        }
        if (!bOwnerAlive)
            return FALSE;
        if (IsTrackedWindowGone(hWnd))
            break;
    }
    return TRUE;
}

void CLVKScrollBarTracker::Finish(HWND hWnd)
{
    const BOOL bWindowAlive = hWnd && ::IsWindow(hWnd);
    if (!m_bEnded)
    {
        // Ended from outside (capture taken away, window gone, quit): no
        // final commands, but nothing of the loop is left behind either.
        if (bWindowAlive)
            KillRepeatTimer(hWnd);
        if (m_owner.TrackerHasCapture(hWnd))
            m_owner.OnTrackerReleaseCapture(hWnd);
    }
    m_bTracking = FALSE;
    CLVKScrollBarGeometry& g = *m_state.pGeometry;
    if (bWindowAlive)
        g.nHitPart = m_owner.TrackerHitTest(m_owner.TrackerScreenToBar(hWnd, m_owner.GetCursorScreenPos()));
    m_owner.OnTrackerRedraw();
}

BOOL CLVKScrollBarTracker::RunSmoothScrollLoop(HWND hWnd)
{
    // An animation the owner started as the button came up goes on to its
    // end with the loop's timer.
    if (!m_options.nSmoothScrollTimer)
        return TRUE;
    const bool* const pbOwnerGone = m_pbOwnerGone;
    while (hWnd && ::IsWindow(hWnd) && m_owner.IsTrackerSmoothScrolling())
    {
        MSG msg{};
        if (!::GetMessageW(&msg, nullptr, 0, 0))
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_TIMER && msg.hwnd == hWnd && msg.wParam == m_options.nSmoothScrollTimer)
        {
            m_owner.OnTrackerSmoothScrollTimer();
        }
        else
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (*pbOwnerGone)
            return FALSE;
    }
    return TRUE;
}

void CLVKScrollBarTracker::StartRepeatTimer(UINT nInterval)
{
    // Without a window SetTimer would start a thread timer under an id of
    // its own, which no loop reads and nothing kills; a press without a
    // window ends at once anyway.
    if (!m_state.hWndCapture)
    {
        m_state.nTimerId = 0;
        return;
    }
    m_nAutoRepeatInterval = static_cast<int>(nInterval);
    m_state.nTimerId = ::SetTimer(m_state.hWndCapture, kAutoRepeatTimer, nInterval, nullptr);
}

void CLVKScrollBarTracker::KillRepeatTimer(HWND hWnd)
{
    if (!m_state.nTimerId)
        return;
    ::KillTimer(hWnd, kAutoRepeatTimer);
    m_state.nTimerId = 0;
}

BOOL CLVKScrollBarTracker::TrackBox(UINT message, POINT pt)
{
    if (!m_bTracking)
        return TRUE;
    const CLVKScrollBarGeometry& g = *m_state.pGeometry;
    // A page area ends at the thumb, wherever the repeated pages moved it.
    RECT& rc = m_state.rcPart;
    if (g.nHitPart == LVK_HTSCROLLUPPAGE)
        (g.bVertical ? rc.bottom : rc.right) = g.nThumbStart;
    else if (g.nHitPart == LVK_HTSCROLLDOWNPAGE)
        (g.bVertical ? rc.top : rc.left) = g.nThumbEnd;

    const BOOL bWasIn = m_state.bCursorInPart;
    const BOOL bIn = ::PtInRect(&rc, pt);
    if (bIn != bWasIn)
    {
        m_state.bCursorInPart = bIn;
        m_owner.OnTrackerRedraw();
    }

    UINT nInterval = 0;
    switch (message)
    {
    case WM_LBUTTONDOWN:
        m_state.nTimerId = 0;
        nInterval = FirstScrollRepeatDelay();
        break;
    case WM_MOUSEMOVE:
        nInterval = NextScrollRepeatDelay();
        break;
    case WM_LBUTTONUP:
        return End();
    default:
        return TRUE;
    }
    if (bIn && !bWasIn)
    {
        StartRepeatTimer(nInterval);
        return Send(m_state.nCommand, 0);
    }
    return TRUE;
}

BOOL CLVKScrollBarTracker::OnAutoRepeatTimer()
{
    if (!m_bTracking || m_state.bDragging)
        return TRUE;
    const POINT pt = m_owner.TrackerScreenToBar(m_state.hWndCapture, m_owner.GetCursorScreenPos());
    if (!TrackBox(0, pt))
        return FALSE;
    if (m_bTracking && m_state.bCursorInPart)
    {
        StartRepeatTimer(NextScrollRepeatDelay());
        return Send(m_state.nCommand, 0);
    }
    return TRUE;
}

BOOL CLVKScrollBarTracker::TrackThumb(UINT message, POINT pt)
{
    if (!m_bTracking)
        return TRUE;
    const CLVKScrollBarGeometry& g = *m_state.pGeometry;
    int nPixel = g.nDragStartThumb;
    if (::PtInRect(&m_state.rcDrag, pt) || m_options.nFixedThumbLength != 0)
    {
        nPixel = (g.bVertical ? pt.y : pt.x) + m_state.nDragOffset;
        nPixel = std::max(nPixel, g.nTrackStart);
        nPixel = std::min(nPixel, g.nTrackStart + g.nThumbTravel);
    }
    if (!MoveThumbTo(nPixel))
        return FALSE;
    if (message == WM_LBUTTONUP)
        return End();
    const BOOL bReadButton = message != WM_LBUTTONDOWN || m_options.bButtonStateAtPress;
    if (bReadButton && ::GetKeyState(VK_LBUTTON) >= 0)
        return End();
    return TRUE;
}

BOOL CLVKScrollBarTracker::MoveThumbTo(int nPixel)
{
    if (!m_bTracking || nPixel == m_state.nThumbPixel)
        return TRUE;
    CLVKScrollBarGeometry& g = *m_state.pGeometry;
    const int nTravelEnd = g.nTrackStart + g.nThumbTravel;
    for (;;)
    {
        const int nPos = CLVKScrollBarPosFromThumb(g, nPixel);
        m_state.nComputedPos = nPos;
        if (nPos == m_state.nDragPos)
            break;
        m_state.nDragPos = nPos;
        if (!Send(SB_THUMBTRACK, nPos))
            return FALSE;
        // A thumb that stood beyond its travel (a position past the last
        // page) is brought back to the travel's end, which is the last page.
        if (nPixel > nTravelEnd)
        {
            nPixel = nTravelEnd;
            continue;
        }
        break;
    }
    g.nThumbStart = nPixel;
    g.nThumbEnd = nPixel + g.nThumbLength;
    m_state.nThumbPixel = nPixel;
    m_owner.OnTrackerRedraw();
    return TRUE;
}

void CLVKScrollBarTracker::EndTracking()
{
    End();
}

BOOL CLVKScrollBarTracker::End()
{
    if (!m_bTracking || m_bEnded)
        return TRUE;
    m_bEnded = TRUE;
    const HWND hWnd = m_state.hWndCapture;
    m_state.hWndCapture = nullptr;
    if (m_options.bStateClearedBeforeEndCommands)
        m_bTracking = FALSE;
    KillRepeatTimer(hWnd);
    m_owner.OnTrackerReleaseCapture(hWnd);
    if (m_state.bDragging)
    {
        if (!Send(SB_THUMBPOSITION, m_state.nDragPos))
            return FALSE;
        m_owner.OnTrackerRedraw();
    }
    return Send(SB_ENDSCROLL, 0);
}
