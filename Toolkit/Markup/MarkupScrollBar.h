// A scroll bar inside markup, made by the scroll viewer: the scroll-bar
// geometry and hit parts of the standard controls, a tracking loop that
// captures the mouse through the markup context, and commands reported to
// the viewer instead of window messages.
#pragma once

#include "Controls/ScrollBarGeometry.h"
#include "Markup/MarkupControl.h"

class CLVKMarkupScrollBar : public CLVKMarkupControl
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
        kAutoRepeatTimer = 23345
    };

private:
    void CalcGeometry(const RECT& rc);
    void SendCommand(int nCode, int nPos);
    void TrackBox(UINT message, int x, int y);
    void TrackThumb(UINT message, int x, int y);
    void MoveThumbTo(int nPixel);
    void EndTracking();
    void OnAutoRepeatTimer();
    // A point of the host window's client area in bar coordinates.
    POINT ClientToBar(POINT pt) const;
    void DrawClassic(HDC hDC, const RECT& rc);
    BOOL DrawThemed(HDC hDC);

    BOOL m_bVertical;
    CLVKScrollBarGeometry m_geometry;
    CLVKScrollBarTrackState* m_pTrackState = nullptr;  // on the tracking loop's stack
    SCROLLINFO m_info = {};
};
