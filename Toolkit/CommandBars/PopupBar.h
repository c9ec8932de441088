// CLVKPopupBar: the command-bar window of a drop-down or context menu. It
// places itself beside or below the control that opened it (or at a point)
// inside the monitor's work area, flips when there is no room, scrolls when
// neither side fits, hides rarely used items behind an expand button, plays
// its opening animation and gets a drop shadow. It belongs to the popup
// control that opens it, or to the caller that tracks it at a point.
#pragma once

#include "CommandBars/CommandBar.h"
#include "CommandBars/ControlButton.h"

class CLVKPopupBar : public CLVKCommandBar
{
    DECLARE_DYNCREATE(CLVKPopupBar)

public:
    // Alignment flags: towards the left, below the control, bottom at the point.
    enum : DWORD
    {
        kAlignLeft = 0x1,
        kAlignBelow = 0x2,
        kAlignBottom = 0x4
    };
    // Timers: the scroll buttons (every 200 ms while the pointer rests on
    // one) and the expand button's delay (900 ms).
    enum : UINT_PTR
    {
        kTimerScrollDown = 5001,
        kTimerScrollUp = 5002,
        kTimerExpand = 5004
    };
    // The command id of the expand button at the bottom of a personalised menu.
    static const int kIdExpandButton = 9150;

    // The button that shows the rarely used items; temporary, skipped by the
    // keyboard, drawn by the paint manager as its popup expand button.
    class CControlExpandButton : public CLVKControlButton
    {
    public:
        CControlExpandButton();
        void Draw(CDC* pDC) override;
        void Execute() override;
    };

    // One scroll button of a popup too tall for the screen.
    struct CScrollButton
    {
        UINT_PTR nTimerId = 0;
        BOOL bTimerRunning = FALSE;
        CRect rc{0, 0, 0, 0};  // client coordinates; empty when not shown
    };

    CLVKPopupBar();

    // A new popup bar (one reference, the caller's) bound to the manager.
    static CLVKPopupBar* AFX_CDECL CreatePopupBar(CLVKCommandBars* pCommandBars);

    CLVKControl* GetControlPopup() const { return m_pControlPopup; }
    void SetControlPopup(CLVKControl* pControl) { m_pControlPopup = pControl; }
    BOOL IsContextMenu() const { return m_bContextMenu; }
    void SetContextMenu(BOOL bContextMenu) { m_bContextMenu = bContextMenu; }
    BOOL GetShowShadow() const { return m_bShowShadow; }
    void SetShowShadow(BOOL bShow) { m_bShowShadow = bShow; }
    CRect GetBordersValue() const { return m_rcBorders; }
    void SetBorders(const CRect& rc) { m_rcBorders = rc; }
    int GetMaxHeight() const { return m_nMaxHeight; }
    void SetMaxHeight(int nHeight) { m_nMaxHeight = nHeight; }
    // Switches between the menu layout (type 2) and a tool-bar layout (type 1).
    void SetShowAsToolBar(BOOL bToolBar) { m_nType = bToolBar ? kBarTypeToolBar : kBarTypePopup; }

    // Opens the popup at a screen point, without an owner control.
    BOOL PopupAt(int x, int y, LPCRECT lpExclude = nullptr);
    // Shows the popup at a screen point and runs it modally until it
    // closes, for the owner window (TrackPopupMenu's flags: right and
    // bottom alignment, right button, no command update, TPM_RETURNCMD).
    // Answers the chosen id with TPM_RETURNCMD, else TRUE; 0 when the popup
    // could not be shown.
    int TrackPopup(UINT nFlags, int x, int y, CWnd* pOwner, LPCRECT lpExclude = nullptr);
    DWORD GetAlignment() const { return m_dwAlignment; }
    void SetAlignment(DWORD dwAlignment) { m_dwAlignment = dwAlignment; }
    CRect GetExcludeRect() const { return m_rcExclude; }
    void SetExcludeRect(const CRect& rc) { m_rcExclude = rc; }

    // Personalised menus: rarely used items hide behind the expand button
    // until the menu is expanded.
    void ExpandBar();
    BOOL HasHiddenItems() const { return m_bHasHiddenItems; }
    BOOL IsExpanded() const { return m_bExpanded; }
    CControlExpandButton* GetExpandButton() const { return m_pExpandButton; }
    // The first visible default item, or null.
    CLVKControl* FindDefaultItem() const;

    // Scrolling: the page of controls shown between the scroll buttons.
    BOOL IsScrolling() const { return m_bScrolling; }
    int GetFirstShown() const { return m_nFirstShown; }
    int GetEndShown() const { return m_nEndShown; }
    const CScrollButton& GetScrollUpButton() const { return m_scrollUp; }
    const CScrollButton& GetScrollDownButton() const { return m_scrollDown; }
    // Lays the page out from the first shown control forwards, or upwards
    // from the end shown one; szClient empty: the window's client size.
    void UpdateScrollLayout(CSize szClient, BOOL bTowardsEnd, BOOL bRedraw);
    // One step of a scroll button's timer (what 200 ms of resting does).
    void OnScrollTimer(UINT_PTR nTimerId);

    virtual BOOL CreatePopupWindow();
    // The window rectangle for a popup of size sz placed from pt, inside the
    // work area of the monitor: flipped, moved or cut (then scrolling).
    virtual CRect CalcPopupRect(CPoint pt, CSize sz);
    virtual void UpdatePopupAlignment();
    virtual void AdjustExcludeRect(CRect& rc, BOOL bVertical);
    virtual void PlayPopupAnimation();
    // 0 none, 2 unfold, 3 slide, 4 fade: the options' choice, the system's
    // menu animation for 0, a random one for 1.
    int GetAnimationType() const;

    BOOL Popup(CLVKControl* pControl, BOOL bSelectFirst = FALSE) override;
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, int nKeyboardState = 0) override;
    BOOL SetSelected(int nIndex, int nKeyboardState = 0) override;
    void EnsureVisible(CLVKControl* pControl) override;
    BOOL IsVisible() const override;
    void RecalcLayout() override;
    void DelayRedraw() override { Redraw(nullptr, FALSE); }
    BOOL DestroyWindow() override;
    CLVKCommandBar* GetParentBar() const override;
    BOOL IsPopupBar() const override { return TRUE; }
    CRect GetBorders() override;
    void DrawCommandBar(CDC* pDC, CRect rcClipBox) override;
    int OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnControlsChanged() override;
    void Copy(CLVKCommandBar* pSource, BOOL bRecursive = FALSE) override;
    CLVKCommandBar* Clone(BOOL bRecursive = FALSE) override;

protected:
    // Marks the rarely used controls and decides whether any is hidden.
    void UpdateExpandState();
    // Whether this menu, placed on the screen, must scroll: set by CalcPopupRect.
    void StopScrollTimer(CScrollButton& button);
    // The drop shadow of an open menu, made again after each placement.
    void CreatePopupShadow();

    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

    CLVKControl* m_pControlPopup = nullptr;
    CPoint m_ptPopup{0, 0};
    CRect m_rcExclude{0, 0, 0, 0};
    DWORD m_dwAlignment = 0;
    BOOL m_bLayingOut = FALSE;
    BOOL m_bHasHiddenItems = FALSE;
    BOOL m_bExpanded = FALSE;
    BOOL m_bReanimate = FALSE;
    BOOL m_bTearOffPopup = FALSE;
    CString m_strTearOffCaption;
    int m_nTearOffId = 0;
    int m_nTearOffWidth = 0;
    BOOL m_bShowShadow = TRUE;
    CRect m_rcBorders{0, 0, 0, 0};
    BOOL m_bContextMenu = FALSE;
    int m_nMaxHeight = 0;
    BOOL m_bScrolling = FALSE;
    int m_nFirstShown = 0;
    int m_nEndShown = 0;
    CScrollButton m_scrollDown;
    CScrollButton m_scrollUp;
    // Not owned: the collection holds its reference.
    CControlExpandButton* m_pExpandButton = nullptr;
};

// A popup laid out as a tool bar (bar type 1): the base of popups that show
// a row of buttons.
class CLVKPopupToolBar : public CLVKPopupBar
{
    DECLARE_DYNCREATE(CLVKPopupToolBar)

public:
    CLVKPopupToolBar() { m_nType = kBarTypeToolBar; }

    // A new popup tool bar (one reference, the caller's) bound to the manager.
    static CLVKPopupToolBar* AFX_CDECL CreatePopupToolBar(CLVKCommandBars* pCommandBars);
};
