// CLVKScrollBase: the scroll-bar logic without a window of its own. From a
// bar rectangle and the scroll range it computes the arrows, track and thumb,
// hit-tests points and runs the mouse-tracking loop with auto-repeat and
// thumb dragging. What it needs of its owner it asks through virtuals. The
// bar never moves its own position: it reports commands through DoScroll.
#pragma once

#include "Controls/ScrollBarAnimation.h"
#include "Controls/ScrollBarGeometry.h"

#include <memory>

class CLVKScrollBarPaintManager;

class CLVKScrollBase
{
public:
    static const UINT_PTR kAutoRepeatTimer = 23345;
    static const UINT_PTR kSmoothScrollTimer = 23346;

    CLVKScrollBase() = default;
    virtual ~CLVKScrollBase();

    virtual CWnd* GetNotifyOwner() const = 0;
    virtual BOOL IsScrollBarEnabled() const = 0;
    virtual CLVKScrollBarPaintManager* GetScrollBarPaintManager() const = 0;
    virtual void GetScrollBarRect(CRect* pRect) = 0;
    virtual void GetScrollInfo(SCROLLINFO* pInfo) = 0;
    virtual void RedrawScrollBar() = 0;
    // A tick of the smooth-scrolling timer: the animation's next step; its
    // last step clears the smooth-scrolling flag.
    virtual void OnSmoothScrollTimer();
    virtual void DoScroll(int nCode, int nPos) = 0;
    virtual void CalcScrollBarInfo(LPCRECT lpRect, CLVKScrollBarGeometry* pGeometry, const SCROLLINFO* pInfo);

    void RecalcScrollBarInfo();
    int HitTestScrollBar(int x, int y) const;
    void PerformTrackInit(HWND hWnd, int x, int y, CLVKScrollBarGeometry* pGeometry, BOOL bDirect);
    void EndTracking();

    const CLVKScrollBarGeometry& GetGeometry() const { return m_geometry; }
    CLVKScrollBarGeometry& GetGeometry() { return m_geometry; }
    const CLVKScrollBarTrackState* GetTrackState() const { return m_pTrackState; }
    BOOL IsSizeBox() const { return m_bSizeBox; }
    int GetScrollBarStyle() const { return m_nScrollBarStyle; }
    void SetScrollBarStyle(int nStyle) { m_nScrollBarStyle = nStyle; }
    void SetSmoothScrolling(BOOL bSmooth) { m_bSmoothScrolling = bSmooth; }
    BOOL IsSmoothScrolling() const { return m_bSmoothScrolling; }
    // Adopts the animation (null: none); the one before is deleted.
    void SetAnimation(std::unique_ptr<CLVKScrollBarAnimation> pAnimation) { m_pAnimation = std::move(pAnimation); }
    CLVKScrollBarAnimation* GetAnimation() const { return m_pAnimation.get(); }
    int GetAutoRepeatInterval() const { return m_nAutoRepeatInterval; }

protected:
    // Where the cursor is now, in screen coordinates (the auto-repeat step
    // and the end of tracking ask); a test hands in a position of its own.
    virtual POINT GetCursorScreenPos() const;

    void TrackBox(UINT message, int x, int y);
    void TrackThumb(UINT message, int x, int y);
    void MoveThumbTo(int nPixel);
    void OnAutoRepeatTimer();

    CLVKScrollBarGeometry m_geometry;
    BOOL m_bSizeBox = FALSE;
    CLVKScrollBarTrackState* m_pTrackState = nullptr;
    int m_nScrollBarStyle = 0;
    BOOL m_bSmoothScrolling = FALSE;
    int m_nAutoRepeatInterval = 0;
    std::unique_ptr<CLVKScrollBarAnimation> m_pAnimation;
};
