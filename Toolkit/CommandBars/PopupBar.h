// CLVKPopupBar: the command-bar window of a drop-down or context menu. It
// lays its controls out in columns and belongs to the popup control that
// opens it, or to the caller that tracks it at a point.
#pragma once

#include "CommandBars/CommandBar.h"

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

    // Opens the popup at a screen point, without an owner control.
    BOOL PopupAt(int x, int y, LPCRECT lpExclude = nullptr);
    // Shows the popup at a screen point and runs it modally until it
    // closes, for the owner window (TrackPopupMenu's flags: right and
    // bottom alignment, right button, no command update, TPM_RETURNCMD).
    // Answers the chosen id with TPM_RETURNCMD, else TRUE; 0 when the popup
    // could not be shown.
    int TrackPopup(UINT nFlags, int x, int y, CWnd* pOwner, LPCRECT lpExclude = nullptr);
    // The modal loop of a popup tracked by itself: keys go to the innermost
    // open popup, a press outside them closes every one.
    void RunMenuLoop();
    DWORD GetAlignment() const { return m_dwAlignment; }
    void SetAlignment(DWORD dwAlignment) { m_dwAlignment = dwAlignment; }
    CRect GetExcludeRect() const { return m_rcExclude; }
    void SetExcludeRect(const CRect& rc) { m_rcExclude = rc; }
    BOOL IsScrolling() const { return m_bScrolling; }
    CLVKCommandBar* GetInnermostPopup();

    virtual BOOL CreatePopupWindow();
    // The window rectangle for a popup of size sz placed from pt, inside the
    // work area of the monitor: flipped, moved or cut (then scrolling).
    virtual CRect CalcPopupRect(CPoint pt, CSize sz);
    virtual void UpdatePopupAlignment();
    virtual void AdjustExcludeRect(CRect& rc, BOOL bVertical);
    virtual void PlayPopupAnimation() {}

    BOOL Popup(CLVKControl* pControl, BOOL bSelectFirst = FALSE) override;
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, int nKeyboardState = 0) override;
    BOOL IsVisible() const override;
    void RecalcLayout() override;
    void DelayRedraw() override { Redraw(nullptr, FALSE); }
    BOOL DestroyWindow() override;
    CLVKCommandBar* GetParentBar() const override;
    BOOL IsPopupBar() const override { return TRUE; }
    CRect GetBorders() override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void Copy(CLVKCommandBar* pSource, BOOL bRecursive = FALSE) override;
    CLVKCommandBar* Clone(BOOL bRecursive = FALSE) override;

protected:
    BOOL IsInPopupChain(HWND hWnd);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    CLVKControl* m_pControlPopup = nullptr;
    CPoint m_ptPopup{0, 0};
    CRect m_rcExclude{0, 0, 0, 0};
    DWORD m_dwAlignment = 0;
    BOOL m_bLayingOut = FALSE;
    BOOL m_bHasHiddenItems = FALSE;
    BOOL m_bExpanded = FALSE;
    BOOL m_bTearOffPopup = FALSE;
    CString m_strTearOffCaption;
    int m_nTearOffId = 0;
    int m_nTearOffWidth = 0;
    BOOL m_bShowShadow = TRUE;
    CRect m_rcBorders{0, 0, 0, 0};
    BOOL m_bContextMenu = FALSE;
    int m_nMaxHeight = 0;
    BOOL m_bScrolling = FALSE;
};
