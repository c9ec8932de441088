// A scroll bar inside markup, made by the scroll viewer: the toolkit's
// scroll-bar geometry and tracking loop with the markup bar's options, the
// mouse captured through the markup context, and commands reported to the
// viewer instead of window messages.
#pragma once

#include "Foundation/ScrollBarGeometry.h"
#include "Foundation/ScrollBarTracker.h"
#include "Markup/MarkupControl.h"

class CLVKMarkupScrollBar : public CLVKMarkupControl, private CLVKScrollBarTrackerOwner
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    explicit CLVKMarkupScrollBar(BOOL bVertical = TRUE);

    BOOL IsVertical() const { return m_bVertical; }
    void SetVertical(BOOL bVertical) { m_bVertical = m_geometry.bVertical = bVertical; }
    // Copies the record unless range, page and position are unchanged; the
    // next arrange recomputes the geometry.
    void SetScrollInfo(const SCROLLINFO& info);
    const SCROLLINFO& GetScrollInfo() const { return m_info; }
    const CLVKScrollBarGeometry& GetGeometry() const { return m_geometry; }
    // The part under a point in bar coordinates (LVK_HTSCROLL...).
    int HitTestPart(int x, int y) const;
    // True when the range is no larger than the page.
    BOOL IsNothingToScroll() const;
    // Runs the tracking loop for a press at (x, y) in bar coordinates.
    void Track(int x, int y, BOOL bDirect);

    SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;
    void OnRender(CLVKMarkupDrawingContext* pDC) override;
    void OnMouseLeave(CLVKMarkupMouseEventArgs* pArgs) override;
    void OnMouseMove(CLVKMarkupMouseEventArgs* pArgs) override;
    void OnMouseLeftButtonUp(CLVKMarkupMouseButtonEventArgs* pArgs) override;
    void OnMouseLeftButtonDown(CLVKMarkupMouseButtonEventArgs* pArgs) override;

    enum
    {
        kAutoRepeatTimer = CLVKScrollBarTracker::kAutoRepeatTimer
    };

private:
    void CalcGeometry(const RECT& rc);
    void SendCommand(int nCode, int nPos);
    // A point of the host window's client area in bar coordinates.
    POINT ClientToBar(POINT pt) const;
    void DrawClassic(HDC hDC, const RECT& rc);
    BOOL DrawThemed(HDC hDC);

    void OnTrackerScroll(int nCode, int nPos) override { SendCommand(nCode, nPos); }
    void OnTrackerRedraw() override { InvalidateVisual(); }
    int TrackerHitTest(POINT ptBar) const override { return HitTestPart(ptBar.x, ptBar.y); }
    // The mouse is captured for the bar as an element of the markup context.
    void OnTrackerCapture(HWND hWnd) override;
    BOOL TrackerHasCapture(HWND hWnd) const override;
    void OnTrackerReleaseCapture(HWND hWnd) override;
    POINT TrackerScreenToBar(HWND hWnd, POINT pt) const override;

    BOOL m_bVertical;
    CLVKScrollBarGeometry m_geometry;
    CLVKScrollBarTracker m_tracker{*this};
    SCROLLINFO m_info = {};
};
