// CLVKDockContext: moves a tool bar with the mouse. Dragging by the gripper
// or the caption docks the bar into the dock bar under the pointer or lets
// it float in its own window; dragging a floating bar's edge reflows its
// buttons for a new width or height; a double click toggles between docked
// and floating. It remembers where the bar was docked (the dock bar's
// position number and the rectangle in that dock bar) and where it last
// floated, so that toggling puts the bar back where it came from. Each tool
// bar owns one.
#pragma once

#include "Framework.h"

class CLVKToolBar;

class CLVKDockContext
{
public:
    // The state while the loop runs: dragging, or the edge being dragged.
    enum : int
    {
        kStateIdle = 0,
        kStateDragging = 1
    };

    explicit CLVKDockContext(CLVKToolBar* pBar);
    virtual ~CLVKDockContext();

    // Drags the bar from a screen point until the button is released.
    virtual void StartDrag(CPoint ptScreen);
    // Resizes a floating bar by the frame edge nHitTest (HTLEFT to
    // HTBOTTOMRIGHT) from a screen point; answers the bar's new floating width.
    virtual int StartResize(int nHitTest, CPoint ptScreen);
    // Floats a docked bar or docks a floating one where it last was; TRUE
    // when it did something.
    virtual BOOL ToggleDocking();
    // The modal mouse loop of a drag or resize.
    virtual void Track();

    // One step of the loop for a pointer at a screen point (public so that
    // a drag can be driven without real mouse input).
    void Move(CPoint ptScreen);
    void ResizeReflow(CPoint ptScreen);
    // Prepares the rectangles as StartDrag and StartResize do, without the loop.
    void BeginDrag(CPoint ptScreen);
    void BeginResize(int nHitTest, CPoint ptScreen);

    CLVKToolBar* GetToolBar() const { return m_pBar; }
    int GetState() const { return m_nState; }
    // Where the bar was last docked: the dock bar's position (0 top,
    // 1 bottom, 2 left, 3 right; -1 never docked) and the rectangle in that
    // dock bar's client coordinates (empty: it started a new row).
    int GetDockPosition() const { return m_nDockPosition; }
    void SetDockPosition(int nPosition) { m_nDockPosition = nPosition; }
    CRect GetDockedRect() const { return m_rcRemembered; }
    void SetDockedRect(const CRect& rc) { m_rcRemembered = rc; }
    // The top-left corner of the bar's last floating window (0, 0 before it
    // first floats) and that window's size (100 x 100, scaled, at first).
    CPoint GetFloatingPosition() const { return m_ptFloating; }
    void SetFloatingPosition(CPoint pt) { m_ptFloating = pt; }
    CSize GetFloatingSize() const;
    void SetFloatingSize(CSize sz) { m_szFloating = sz; }
    CRect GetDragDockRect() const { return m_rcDock; }
    CRect GetDragFloatRect() const { return m_rcFloat; }

    // Moves rc the least distance that makes it contain pt.
    static void AFX_CDECL OffsetRectToContain(CRect& rc, CPoint pt);
    // Moves rc so that at least nKeep pixels of it stay inside rcWork on
    // every side.
    static void AFX_CDECL KeepOnWorkArea(CRect& rc, const CRect& rcWork, int nKeepX, int nKeepY);

protected:
    // Lays the bar out as a floating window of the given top-left corner
    // and moves it there; answers the window rectangle.
    CRect PlaceFloating(CPoint ptTopLeft);
    void MarkLayoutChanged();

    CLVKToolBar* m_pBar;  // owns this context
    int m_nState = kStateIdle;
    CPoint m_ptLast{0, 0};
    int m_nDockPosition = -1;
    CRect m_rcRemembered{0, 0, 0, 0};
    CPoint m_ptFloating{0, 0};
    CSize m_szFloating{0, 0};
    CRect m_rcDock{0, 0, 0, 0};
    CRect m_rcFloat{0, 0, 0, 0};
};
