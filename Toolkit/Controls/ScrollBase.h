// CLVKScrollBase: the scroll-bar logic without a window of its own. From a
// bar rectangle and the scroll range it computes the arrows, track and thumb
// (through the toolkit's scroll-bar geometry, with the control bar's
// options and its paint manager's metrics), hit-tests points and runs the
// mouse-tracking loop with auto-repeat and thumb dragging. What it needs of
// its owner it asks through virtuals. The bar never moves its own position:
// it reports commands through DoScroll.
#pragma once

#include "Controls/ScrollBarAnimation.h"
#include "Foundation/ScrollBarGeometry.h"
#include "Foundation/ScrollBarTracker.h"

#include <memory>

class CLVKScrollBarPaintManager;

class CLVKScrollBase : private CLVKScrollBarTrackerOwner
{
public:
    static const UINT_PTR kAutoRepeatTimer = CLVKScrollBarTracker::kAutoRepeatTimer;
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
    void EndTracking() { m_tracker.EndTracking(); }

    const CLVKScrollBarGeometry& GetGeometry() const { return m_geometry; }
    CLVKScrollBarGeometry& GetGeometry() { return m_geometry; }
    const CLVKScrollBarTrackState* GetTrackState() const { return m_tracker.GetTrackState(); }
    BOOL IsSizeBox() const { return m_bSizeBox; }
    int GetScrollBarStyle() const { return m_nScrollBarStyle; }
    void SetScrollBarStyle(int nStyle) { m_nScrollBarStyle = nStyle; }
    void SetSmoothScrolling(BOOL bSmooth) { m_bSmoothScrolling = bSmooth; }
    BOOL IsSmoothScrolling() const { return m_bSmoothScrolling; }
    // Adopts the animation (null: none); the one before is deleted.
    void SetAnimation(std::unique_ptr<CLVKScrollBarAnimation> pAnimation) { m_pAnimation = std::move(pAnimation); }
    CLVKScrollBarAnimation* GetAnimation() const { return m_pAnimation.get(); }
    int GetAutoRepeatInterval() const { return m_tracker.GetAutoRepeatInterval(); }

protected:
    // Where the cursor is now, in screen coordinates (the auto-repeat step
    // and the end of tracking ask); a test hands in a position of its own.
    POINT GetCursorScreenPos() const override;

    // The control bar's geometry and tracking options with the paint
    // manager's arrow metric and thumb length for a bar of that direction.
    CLVKScrollBarOptions GetScrollBarOptions(BOOL bVertical) const;

    CLVKScrollBarGeometry m_geometry;
    BOOL m_bSizeBox = FALSE;
    int m_nScrollBarStyle = 0;
    BOOL m_bSmoothScrolling = FALSE;
    std::unique_ptr<CLVKScrollBarAnimation> m_pAnimation;

private:
    void OnTrackerScroll(int nCode, int nPos) override { DoScroll(nCode, nPos); }
    void OnTrackerRedraw() override { RedrawScrollBar(); }
    int TrackerHitTest(POINT ptBar) const override { return HitTestScrollBar(ptBar.x, ptBar.y); }
    void OnTrackerSmoothScrollTimer() override { OnSmoothScrollTimer(); }
    BOOL IsTrackerSmoothScrolling() const override { return m_bSmoothScrolling; }

    CLVKScrollBarTracker m_tracker{*this};
};
