#include "Markup/MarkupScrollBar.h"

#include "Foundation/WinThemeWrapper.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupDedicatedDC.h"
#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupMouseEventArgs.h"
#include "Markup/MarkupScrollViewer.h"

#include <algorithm>

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupScrollBar, L"", CLVKMarkupControl::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupScrollBar(); }, nullptr)

namespace
{

RECT PartRect(const CLVKScrollBarGeometry& g, int nFrom, int nTo)
{
    RECT rc = {};
    if (g.bVertical)
    {
        SetRect(&rc, g.nAcrossStart, nFrom, g.nAcrossEnd, nTo);
    }
    else
    {
        SetRect(&rc, nFrom, g.nAcrossStart, nTo, g.nAcrossEnd);
    }
    return rc;
}

// Theme parts and state bases of the "SCROLLBAR" class.
enum
{
    kPartArrow = 1,
    kPartThumbHorizontal = 2,
    kPartThumbVertical = 3,
    kPartLowerTrackHorizontal = 4,
    kPartUpperTrackHorizontal = 5,
    kPartLowerTrackVertical = 6,
    kPartUpperTrackVertical = 7,
    kPartGripperHorizontal = 8,
    kPartGripperVertical = 9,
};

}  // namespace

CLVKMarkupScrollBar::CLVKMarkupScrollBar(BOOL bVertical) : m_bVertical(bVertical)
{
    m_info.cbSize = sizeof(m_info);
    m_geometry.bVertical = bVertical;
}

void CLVKMarkupScrollBar::SetScrollInfo(const SCROLLINFO& info)
{
    if (info.nMax == m_info.nMax && info.nPage == m_info.nPage && info.nPos == m_info.nPos)
    {
        return;
    }
    m_info = info;
    m_info.cbSize = sizeof(m_info);
    // Recomputed by the next arrange even at the same rectangle.
    m_bArrangeInvalid = TRUE;
}

BOOL CLVKMarkupScrollBar::IsNothingToScroll() const
{
    const unsigned int nSpan = static_cast<unsigned int>(m_info.nMax) - m_info.nPage - m_info.nMin;
    return nSpan >= 0x7FFFFFFFu;
}

SIZE CLVKMarkupScrollBar::MeasureOverride(CLVKMarkupDrawingContext* /*pDC*/, int /*nWidth*/, int /*nHeight*/)
{
    return m_bVertical ? SIZE{GetSystemMetrics(SM_CXVSCROLL), 0} : SIZE{0, GetSystemMetrics(SM_CYHSCROLL)};
}

SIZE CLVKMarkupScrollBar::ArrangeOverride(int nWidth, int nHeight)
{
    // A tracked thumb keeps the place the drag gave it.
    if (!m_pTrackState || !m_pTrackState->bDragging)
    {
        CalcGeometry(RECT{0, 0, nWidth, nHeight});
    }
    return SIZE{nWidth, nHeight};
}

void CLVKMarkupScrollBar::CalcGeometry(const RECT& rc)
{
    CLVKScrollBarGeometry& g = m_geometry;
    g.bVertical = m_bVertical;
    g.rcBar = rc;
    g.nPopupLimit = 0;
    const int nMetric = GetSystemMetrics(m_bVertical ? SM_CYVSCROLL : SM_CXHSCROLL);
    g.nThumbLength = nMetric;
    g.nBarStart = m_bVertical ? rc.top : rc.left;
    g.nBarEnd = m_bVertical ? rc.bottom : rc.right;
    g.nAcrossStart = m_bVertical ? rc.left : rc.top;
    g.nAcrossEnd = m_bVertical ? rc.right : rc.bottom;
    g.nMin = m_info.nMin;
    g.nMax = m_info.nMax;
    g.nPos = m_info.nPos;
    const long long llRange = static_cast<long long>(m_info.nMax) + 1 - m_info.nMin;
    const int nRange = static_cast<int>(std::max(0LL, std::min(llRange, 0x7FFFFFFFLL)));
    // A page larger than the range covers the range: the thumb then fills
    // the track instead of reaching past it (no negative travel).
    g.nPage = static_cast<int>(std::min<unsigned long long>(m_info.nPage, static_cast<unsigned long long>(nRange)));

    const int a = std::min((g.nBarEnd - g.nBarStart) / 2, nMetric);
    g.nFirstArrowEnd = g.nBarStart + a;
    g.nSecondArrowStart = g.nBarEnd - a;
    const int nTrack = g.nSecondArrowStart - g.nFirstArrowEnd;
    if (g.nPage != 0 && nRange != 0)
    {
        g.nThumbLength = std::max(MulDiv(nTrack, g.nPage, nRange), std::max(nMetric / 2, 16));
    }
    g.nThumbLength = std::min(g.nThumbLength, std::max(nTrack, 0));
    g.nTrackStart = g.nFirstArrowEnd;
    g.nThumbTravel = std::max(nTrack - g.nThumbLength, 0);
    const int d = nRange - std::max(g.nPage, 1);
    g.nThumbStart = d <= 0 ? g.nTrackStart : g.nTrackStart + MulDiv(g.nPos - g.nMin, g.nThumbTravel, d);
    g.nThumbStart = std::max(g.nTrackStart, std::min(g.nThumbStart, g.nTrackStart + g.nThumbTravel));
    g.nThumbEnd = g.nThumbStart + g.nThumbLength;
}

int CLVKMarkupScrollBar::HitTestPart(int x, int y) const
{
    const CLVKScrollBarGeometry& g = m_geometry;
    const POINT pt = {x, y};
    if (IsNothingToScroll() || !PtInRect(&g.rcBar, pt))
    {
        return LVK_HTSCROLLNONE;
    }
    const int c = m_bVertical ? y : x;
    if (c < g.nFirstArrowEnd)
    {
        return LVK_HTSCROLLUP;
    }
    if (c >= g.nSecondArrowStart)
    {
        return LVK_HTSCROLLDOWN;
    }
    if (c < g.nThumbStart)
    {
        return LVK_HTSCROLLUPPAGE;
    }
    if (c < g.nThumbEnd)
    {
        return LVK_HTSCROLLTHUMB;
    }
    return LVK_HTSCROLLDOWNPAGE;
}

void CLVKMarkupScrollBar::OnMouseMove(CLVKMarkupMouseEventArgs* pArgs)
{
    if (!pArgs)
    {
        return;
    }
    const POINT pt = pArgs->GetPosition(this);
    const int nPart = HitTestPart(pt.x, pt.y);
    if (nPart != m_geometry.nHitPart)
    {
        m_geometry.nHitPart = nPart;
        InvalidateVisual();
    }
    pArgs->SetHandled();
}

void CLVKMarkupScrollBar::OnMouseLeave(CLVKMarkupMouseEventArgs* pArgs)
{
    if (m_geometry.nHitPart != LVK_HTSCROLLNONE && !m_pTrackState)
    {
        m_geometry.nHitPart = LVK_HTSCROLLNONE;
        InvalidateVisual();
    }
    CLVKMarkupControl::OnMouseLeave(pArgs);
}

void CLVKMarkupScrollBar::OnMouseLeftButtonUp(CLVKMarkupMouseButtonEventArgs* /*pArgs*/)
{
    // The tracking loop handles the release.
}

void CLVKMarkupScrollBar::OnMouseLeftButtonDown(CLVKMarkupMouseButtonEventArgs* pArgs)
{
    if (!pArgs)
    {
        return;
    }
    pArgs->SetHandled();
    if (IsNothingToScroll() || m_pTrackState)
    {
        return;
    }
    const POINT pt = pArgs->GetPosition(this);
    Track(pt.x, pt.y, GetKeyState(VK_SHIFT) < 0);
}

void CLVKMarkupScrollBar::SendCommand(int nCode, int nPos)
{
    if (auto* const pViewer = MarkupCast<CLVKMarkupScrollViewer>(GetLogicalParent()))
    {
        pViewer->Scroll(m_bVertical, nCode, nPos);
    }
}

POINT CLVKMarkupScrollBar::ClientToBar(POINT pt) const
{
    const POINT ptOffset = GetAbsoluteOffset();
    return POINT{pt.x - ptOffset.x, pt.y - ptOffset.y};
}

void CLVKMarkupScrollBar::Track(int x, int y, BOOL bDirect)
{
    CLVKMarkupContext* const pContext = GetMarkupContext();
    if (!pContext)
    {
        return;
    }
    // The bar stays alive for its whole loop, even when a layout pass that a
    // scroll command starts drops it from the viewer.
    CLVKMarkupAutoPtr<CLVKMarkupScrollBar> hold(this);
    AddRef();
    const HWND hWnd = pContext->GetHostWindow();
    CLVKScrollBarGeometry& g = m_geometry;
    CLVKScrollBarTrackState state;
    state.pGeometry = &g;
    state.hWndCapture = hWnd;
    const int c = m_bVertical ? y : x;
    int nPart = LVK_HTSCROLLNONE;
    RECT rcPart = {};
    if (c < g.nFirstArrowEnd)
    {
        nPart = LVK_HTSCROLLUP;
        state.nCommand = SB_LINEUP;
        rcPart = PartRect(g, g.nBarStart, g.nFirstArrowEnd);
    }
    else if (c >= g.nSecondArrowStart)
    {
        nPart = LVK_HTSCROLLDOWN;
        state.nCommand = SB_LINEDOWN;
        rcPart = PartRect(g, g.nSecondArrowStart, g.nBarEnd);
    }
    else if (c < g.nThumbStart)
    {
        nPart = LVK_HTSCROLLUPPAGE;
        state.nCommand = SB_PAGEUP;
        rcPart = PartRect(g, g.nFirstArrowEnd, g.nThumbStart);
    }
    else if (c < g.nThumbEnd)
    {
        nPart = LVK_HTSCROLLTHUMB;
    }
    else
    {
        nPart = LVK_HTSCROLLDOWNPAGE;
        state.nCommand = SB_PAGEDOWN;
        rcPart = PartRect(g, g.nThumbEnd, g.nSecondArrowStart);
    }
    const BOOL bDrag =
        nPart == LVK_HTSCROLLTHUMB || (bDirect && (nPart == LVK_HTSCROLLUPPAGE || nPart == LVK_HTSCROLLDOWNPAGE));
    // A thumb that fills the track is not dragged.
    if (bDrag && g.nThumbLength >= g.nSecondArrowStart - g.nFirstArrowEnd)
    {
        return;
    }
    g.nHitPart = nPart;
    m_pTrackState = &state;
    pContext->CaptureMouse(this);
    if (bDrag)
    {
        state.nCommand = SB_THUMBPOSITION;
        state.rcDrag = CLVKScrollBarTrackRect(state);
        g.nDragStartThumb = state.nThumbPixel = g.nThumbStart;
        state.nDragPos = state.nComputedPos = g.nPos;
        state.nDragOffset = bDirect ? -(g.nThumbLength / 2) : g.nThumbStart - c;
        state.bDragging = TRUE;
        g.nHitPart = LVK_HTSCROLLTHUMB;
        SendCommand(SB_THUMBTRACK, g.nPos);
        TrackThumb(WM_LBUTTONDOWN, x, y);
    }
    else
    {
        state.rcPart = rcPart;
        TrackBox(WM_LBUTTONDOWN, x, y);
    }
    InvalidateVisual();
    // Without a host window there is no mouse to follow: the press was all.
    if (!hWnd)
    {
        EndTracking();
    }

    while (m_pTrackState && pContext->GetCapturedElement() == this)
    {
        MSG msg = {};
        if (!GetMessageW(&msg, nullptr, 0, 0))
        {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (hWnd && !IsWindow(hWnd))
        {
            break;
        }
        if (msg.message == WM_TIMER && msg.hwnd == hWnd && msg.wParam == kAutoRepeatTimer)
        {
            OnAutoRepeatTimer();
        }
        else if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST)
        {
            POINT pt = msg.pt;
            ScreenToClient(hWnd, &pt);
            pt = ClientToBar(pt);
            if (state.bDragging)
            {
                TrackThumb(msg.message, pt.x, pt.y);
            }
            else
            {
                TrackBox(msg.message, pt.x, pt.y);
            }
        }
        else
        {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (hWnd && !IsWindow(hWnd))
        {
            break;
        }
    }
    if (m_pTrackState)
    {
        // Ended from outside (capture taken away, window gone, quit).
        if (state.nTimerId && hWnd && IsWindow(hWnd))
        {
            KillTimer(hWnd, kAutoRepeatTimer);
        }
        m_pTrackState = nullptr;
        if (pContext->GetCapturedElement() == this)
        {
            pContext->ReleaseMouseCapture(this);
        }
    }
    if (hWnd && IsWindow(hWnd))
    {
        POINT ptCursor = {};
        GetCursorPos(&ptCursor);
        ScreenToClient(hWnd, &ptCursor);
        ptCursor = ClientToBar(ptCursor);
        g.nHitPart = HitTestPart(ptCursor.x, ptCursor.y);
    }
    InvalidateArrange();
    InvalidateVisual();
}

void CLVKMarkupScrollBar::TrackBox(UINT message, int x, int y)
{
    CLVKScrollBarTrackState* const pState = m_pTrackState;
    if (!pState)
    {
        return;
    }
    const CLVKScrollBarGeometry& g = m_geometry;
    RECT& rc = pState->rcPart;
    if (g.nHitPart == LVK_HTSCROLLUPPAGE)
    {
        (m_bVertical ? rc.bottom : rc.right) = g.nThumbStart;
    }
    else if (g.nHitPart == LVK_HTSCROLLDOWNPAGE)
    {
        (m_bVertical ? rc.top : rc.left) = g.nThumbEnd;
    }
    const POINT pt = {x, y};
    const BOOL bWasIn = pState->bCursorInPart;
    const BOOL bIn = PtInRect(&rc, pt);
    if (bIn != bWasIn)
    {
        pState->bCursorInPart = bIn;
        InvalidateVisual();
    }
    UINT nInterval = 0;
    switch (message)
    {
    case WM_LBUTTONDOWN:
        pState->nTimerId = 0;
        nInterval = GetDoubleClickTime() * 4 / 5;
        break;
    case WM_MOUSEMOVE:
        nInterval = GetDoubleClickTime() / 10;
        break;
    case WM_LBUTTONUP:
        EndTracking();
        return;
    default:
        return;
    }
    if (bIn && !bWasIn)
    {
        pState->nTimerId = SetTimer(pState->hWndCapture, kAutoRepeatTimer, nInterval, nullptr);
        SendCommand(pState->nCommand, 0);
    }
}

void CLVKMarkupScrollBar::OnAutoRepeatTimer()
{
    CLVKScrollBarTrackState* const pState = m_pTrackState;
    if (!pState || pState->bDragging)
    {
        return;
    }
    POINT pt = {};
    GetCursorPos(&pt);
    ScreenToClient(pState->hWndCapture, &pt);
    pt = ClientToBar(pt);
    TrackBox(0, pt.x, pt.y);
    if (m_pTrackState && pState->bCursorInPart)
    {
        pState->nTimerId = SetTimer(pState->hWndCapture, kAutoRepeatTimer, GetDoubleClickTime() / 10, nullptr);
        SendCommand(pState->nCommand, 0);
    }
}

void CLVKMarkupScrollBar::TrackThumb(UINT message, int x, int y)
{
    CLVKScrollBarTrackState* const pState = m_pTrackState;
    if (!pState)
    {
        return;
    }
    const CLVKScrollBarGeometry& g = m_geometry;
    const POINT pt = {x, y};
    int nPixel = g.nDragStartThumb;
    if (PtInRect(&pState->rcDrag, pt))
    {
        nPixel = (m_bVertical ? y : x) + pState->nDragOffset;
        nPixel = std::max(nPixel, g.nTrackStart);
        nPixel = std::min(nPixel, g.nTrackStart + g.nThumbTravel);
    }
    MoveThumbTo(nPixel);
    if (message == WM_LBUTTONUP || (message != WM_LBUTTONDOWN && GetKeyState(VK_LBUTTON) >= 0))
    {
        EndTracking();
    }
}

void CLVKMarkupScrollBar::MoveThumbTo(int nPixel)
{
    CLVKScrollBarTrackState* const pState = m_pTrackState;
    if (!pState || nPixel == pState->nThumbPixel)
    {
        return;
    }
    CLVKScrollBarGeometry& g = m_geometry;
    const int nPos = CLVKScrollBarPosFromThumb(g, nPixel);
    pState->nComputedPos = nPos;
    if (nPos != pState->nDragPos)
    {
        pState->nDragPos = nPos;
        SendCommand(SB_THUMBTRACK, nPos);
    }
    g.nThumbStart = nPixel;
    g.nThumbEnd = nPixel + g.nThumbLength;
    pState->nThumbPixel = nPixel;
    InvalidateVisual();
}

void CLVKMarkupScrollBar::EndTracking()
{
    CLVKScrollBarTrackState* const pState = m_pTrackState;
    if (!pState)
    {
        return;
    }
    m_pTrackState = nullptr;
    if (pState->nTimerId)
    {
        KillTimer(pState->hWndCapture, kAutoRepeatTimer);
        pState->nTimerId = 0;
    }
    if (CLVKMarkupContext* const pContext = GetMarkupContext())
    {
        if (pContext->GetCapturedElement() == this)
        {
            pContext->ReleaseMouseCapture(this);
        }
    }
    if (pState->bDragging)
    {
        SendCommand(SB_THUMBPOSITION, pState->nDragPos);
    }
    SendCommand(SB_ENDSCROLL, 0);
}

void CLVKMarkupScrollBar::OnRender(CLVKMarkupDrawingContext* pDC)
{
    const SIZE size = GetRenderSize();
    if ((m_bVertical ? size.cx : size.cy) < 1)
    {
        return;
    }
    const RECT rcBar = {0, 0, size.cx, size.cy};
    std::unique_ptr<CLVKMarkupDedicatedDC> pDedicated = pDC->CreateDedicatedDC(rcBar);
    const HDC hDC = pDedicated->GetDC();
    if (!hDC)
    {
        return;
    }
    // The parts are placed in bar coordinates; the dedicated DC may have
    // its origin elsewhere.
    const POINT ptOffset = pDedicated->GetOffset();
    POINT ptOldOrigin = {};
    OffsetViewportOrgEx(hDC, ptOffset.x, ptOffset.y, &ptOldOrigin);
    if (!DrawThemed(hDC))
    {
        DrawClassic(hDC, rcBar);
    }
    SetViewportOrgEx(hDC, ptOldOrigin.x, ptOldOrigin.y, nullptr);
    pDedicated->Flush();
}

BOOL CLVKMarkupScrollBar::DrawThemed(HDC hDC)
{
    CLVKWinThemeWrapper theme;
    CLVKMarkupContext* const pContext = GetMarkupContext();
    theme.OpenThemeData(pContext ? pContext->GetHostWindow() : nullptr, L"SCROLLBAR");
    if (!theme.IsAppThemeReady())
    {
        return FALSE;
    }
    const CLVKScrollBarGeometry& g = m_geometry;
    const BOOL bDisabled = IsNothingToScroll() || !IsEnabled();
    const int nPressed = m_pTrackState && (m_pTrackState->bCursorInPart || m_pTrackState->bDragging) ? g.nHitPart : 0;
    const auto state = [&](int nPart) -> int {
        return bDisabled ? 4 : nPressed == nPart ? 3 : g.nHitPart == nPart ? 2 : 1;
    };
    const int nArrowBase = m_bVertical ? 0 : 8;
    RECT rc = PartRect(g, g.nBarStart, g.nFirstArrowEnd);
    theme.DrawThemeBackground(hDC, kPartArrow, nArrowBase + state(LVK_HTSCROLLUP), &rc, nullptr);
    rc = PartRect(g, g.nSecondArrowStart, g.nBarEnd);
    theme.DrawThemeBackground(hDC, kPartArrow, nArrowBase + 4 + state(LVK_HTSCROLLDOWN), &rc, nullptr);
    if (g.nSecondArrowStart > g.nFirstArrowEnd)
    {
        rc = PartRect(g, g.nFirstArrowEnd, g.nThumbStart);
        theme.DrawThemeBackground(hDC, m_bVertical ? kPartLowerTrackVertical : kPartLowerTrackHorizontal,
                                  state(LVK_HTSCROLLUPPAGE), &rc, nullptr);
        rc = PartRect(g, g.nThumbEnd, g.nSecondArrowStart);
        theme.DrawThemeBackground(hDC, m_bVertical ? kPartUpperTrackVertical : kPartUpperTrackHorizontal,
                                  state(LVK_HTSCROLLDOWNPAGE), &rc, nullptr);
        if (!bDisabled && g.nThumbLength > 0)
        {
            rc = PartRect(g, g.nThumbStart, g.nThumbEnd);
            const int nThumbState = state(LVK_HTSCROLLTHUMB);
            theme.DrawThemeBackground(hDC, m_bVertical ? kPartThumbVertical : kPartThumbHorizontal, nThumbState, &rc,
                                      nullptr);
            if (g.nThumbLength > 13)
            {
                theme.DrawThemeBackground(hDC, m_bVertical ? kPartGripperVertical : kPartGripperHorizontal, nThumbState,
                                          &rc, nullptr);
            }
        }
    }
    return TRUE;
}

void CLVKMarkupScrollBar::DrawClassic(HDC hDC, const RECT& /*rcBar*/)
{
    const CLVKScrollBarGeometry& g = m_geometry;
    const BOOL bDisabled = IsNothingToScroll() || !IsEnabled();
    const int nPressed = m_pTrackState && (m_pTrackState->bCursorInPart || m_pTrackState->bDragging) ? g.nHitPart : 0;
    const UINT nInactive = bDisabled ? DFCS_INACTIVE : 0;
    RECT rc = PartRect(g, g.nBarStart, g.nFirstArrowEnd);
    DrawFrameControl(hDC, &rc, DFC_SCROLL,
                     (m_bVertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | nInactive |
                         (nPressed == LVK_HTSCROLLUP ? DFCS_PUSHED : 0));
    rc = PartRect(g, g.nSecondArrowStart, g.nBarEnd);
    DrawFrameControl(hDC, &rc, DFC_SCROLL,
                     (m_bVertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | nInactive |
                         (nPressed == LVK_HTSCROLLDOWN ? DFCS_PUSHED : 0));
    RECT rcTrack = PartRect(g, g.nFirstArrowEnd, g.nSecondArrowStart);
    if (IsRectEmpty(&rcTrack))
    {
        return;
    }
    const COLORREF clrOldBk = SetBkColor(hDC, GetSysColor(COLOR_BTNHIGHLIGHT));
    const COLORREF clrOldText = ::SetTextColor(hDC, GetSysColor(COLOR_BTNFACE));
    const HWND hDesktop = GetDesktopWindow();
    HBRUSH hBrush = reinterpret_cast<HBRUSH>(SendMessageW(hDesktop, WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(hDC),
                                                          reinterpret_cast<LPARAM>(hDesktop)));
    FillRect(hDC, &rcTrack, hBrush ? hBrush : GetSysColorBrush(COLOR_SCROLLBAR));
    SetBkColor(hDC, clrOldBk);
    ::SetTextColor(hDC, clrOldText);
    if (nPressed == LVK_HTSCROLLUPPAGE)
    {
        rc = PartRect(g, g.nFirstArrowEnd, g.nThumbStart);
        InvertRect(hDC, &rc);
    }
    else if (nPressed == LVK_HTSCROLLDOWNPAGE)
    {
        rc = PartRect(g, g.nThumbEnd, g.nSecondArrowStart);
        InvertRect(hDC, &rc);
    }
    if (!bDisabled && g.nThumbLength > 0)
    {
        rc = PartRect(g, g.nThumbStart, g.nThumbEnd);
        FillRect(hDC, &rc, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(hDC, &rc, EDGE_RAISED, BF_RECT | BF_ADJUST);
    }
}
