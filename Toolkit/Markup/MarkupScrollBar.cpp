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
    const CLVKScrollBarTrackState* const pState = m_tracker.GetTrackState();
    if (!pState || !pState->bDragging)
    {
        CalcGeometry(RECT{0, 0, nWidth, nHeight});
    }
    return SIZE{nWidth, nHeight};
}

void CLVKMarkupScrollBar::CalcGeometry(const RECT& rc)
{
    m_geometry.bVertical = m_bVertical;
    CLVKScrollBarCalcGeometry(m_geometry, rc, m_info, CLVKScrollBarOptions::ForMarkupBar());
}

int CLVKMarkupScrollBar::HitTestPart(int x, int y) const
{
    if (IsNothingToScroll())
    {
        return LVK_HTSCROLLNONE;
    }
    return CLVKScrollBarHitTest(m_geometry, POINT{x, y});
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
    if (m_geometry.nHitPart != LVK_HTSCROLLNONE && !m_tracker.IsTracking())
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
    if (IsNothingToScroll() || m_tracker.IsTracking())
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

void CLVKMarkupScrollBar::OnTrackerCapture(HWND /*hWnd*/)
{
    if (CLVKMarkupContext* const pContext = GetMarkupContext())
    {
        pContext->CaptureMouse(this);
    }
}

BOOL CLVKMarkupScrollBar::TrackerHasCapture(HWND /*hWnd*/) const
{
    const CLVKMarkupContext* const pContext = GetMarkupContext();
    return pContext && pContext->GetCapturedElement() == this;
}

void CLVKMarkupScrollBar::OnTrackerReleaseCapture(HWND /*hWnd*/)
{
    CLVKMarkupContext* const pContext = GetMarkupContext();
    if (pContext && pContext->GetCapturedElement() == this)
    {
        pContext->ReleaseMouseCapture(this);
    }
}

POINT CLVKMarkupScrollBar::TrackerScreenToBar(HWND hWnd, POINT pt) const
{
    ScreenToClient(hWnd, &pt);
    return ClientToBar(pt);
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
    m_geometry.bVertical = m_bVertical;
    if (m_tracker.Track(pContext->GetHostWindow(), m_geometry, POINT{x, y}, bDirect,
                        CLVKScrollBarOptions::ForMarkupBar()))
    {
        InvalidateArrange();
        InvalidateVisual();
    }
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
    const CLVKScrollBarTrackState* const pState = m_tracker.GetTrackState();
    const int nPressed = pState && (pState->bCursorInPart || pState->bDragging) ? g.nHitPart : 0;
    const auto state = [&](int nPart) -> int {
        return bDisabled ? 4 : nPressed == nPart ? 3 : g.nHitPart == nPart ? 2 : 1;
    };
    const int nArrowBase = m_bVertical ? 0 : 8;
    RECT rc = CLVKScrollBarPartRect(g, g.nBarStart, g.nFirstArrowEnd);
    theme.DrawThemeBackground(hDC, kPartArrow, nArrowBase + state(LVK_HTSCROLLUP), &rc, nullptr);
    rc = CLVKScrollBarPartRect(g, g.nSecondArrowStart, g.nBarEnd);
    theme.DrawThemeBackground(hDC, kPartArrow, nArrowBase + 4 + state(LVK_HTSCROLLDOWN), &rc, nullptr);
    if (g.nSecondArrowStart > g.nFirstArrowEnd)
    {
        rc = CLVKScrollBarPartRect(g, g.nFirstArrowEnd, g.nThumbStart);
        theme.DrawThemeBackground(hDC, m_bVertical ? kPartLowerTrackVertical : kPartLowerTrackHorizontal,
                                  state(LVK_HTSCROLLUPPAGE), &rc, nullptr);
        rc = CLVKScrollBarPartRect(g, g.nThumbEnd, g.nSecondArrowStart);
        theme.DrawThemeBackground(hDC, m_bVertical ? kPartUpperTrackVertical : kPartUpperTrackHorizontal,
                                  state(LVK_HTSCROLLDOWNPAGE), &rc, nullptr);
        if (!bDisabled && g.nThumbLength > 0)
        {
            rc = CLVKScrollBarPartRect(g, g.nThumbStart, g.nThumbEnd);
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
    const CLVKScrollBarTrackState* const pState = m_tracker.GetTrackState();
    const int nPressed = pState && (pState->bCursorInPart || pState->bDragging) ? g.nHitPart : 0;
    const UINT nInactive = bDisabled ? DFCS_INACTIVE : 0;
    RECT rc = CLVKScrollBarPartRect(g, g.nBarStart, g.nFirstArrowEnd);
    DrawFrameControl(hDC, &rc, DFC_SCROLL,
                     (m_bVertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | nInactive |
                         (nPressed == LVK_HTSCROLLUP ? DFCS_PUSHED : 0));
    rc = CLVKScrollBarPartRect(g, g.nSecondArrowStart, g.nBarEnd);
    DrawFrameControl(hDC, &rc, DFC_SCROLL,
                     (m_bVertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | nInactive |
                         (nPressed == LVK_HTSCROLLDOWN ? DFCS_PUSHED : 0));
    RECT rcTrack = CLVKScrollBarPartRect(g, g.nFirstArrowEnd, g.nSecondArrowStart);
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
        rc = CLVKScrollBarPartRect(g, g.nFirstArrowEnd, g.nThumbStart);
        InvertRect(hDC, &rc);
    }
    else if (nPressed == LVK_HTSCROLLDOWNPAGE)
    {
        rc = CLVKScrollBarPartRect(g, g.nThumbEnd, g.nSecondArrowStart);
        InvertRect(hDC, &rc);
    }
    if (!bDisabled && g.nThumbLength > 0)
    {
        rc = CLVKScrollBarPartRect(g, g.nThumbStart, g.nThumbEnd);
        FillRect(hDC, &rc, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(hDC, &rc, EDGE_RAISED, BF_RECT | BF_ADJUST);
    }
}
