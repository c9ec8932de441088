// CLVKCommandBar: the window that shows a row, a column or a grid of
// controls; the base of tool bars, the menu bar, popup menus and dialog
// bars. It owns its controls, knows the command-bar manager and the site
// window it serves, paints through the paint manager, keeps its controls'
// command state current at idle time, reports hot controls to the site and
// the status line, and sizes its icons and buttons. Reference counted: the
// last release destroys the window first.
#pragma once

#include "CommandBars/CommandBarsDefs.h"
#include "CommandBars/PaintManagerEvents.h"
#include "Foundation/Accessible.h"
#include "Foundation/CmdTarget.h"
#include "Foundation/HookManagerHookAble.h"

#include <memory>

class CLVKCommandBarAnimation;
class CLVKCommandBars;
class CLVKControl;
class CLVKControls;
class CLVKImageManager;
class CLVKPaintManager;
class CLVKPropExchange;
class CLVKToolTipContext;

class CLVKCommandBar : public CWnd, public CLVKHookManagerHookAble, public CLVKAccessible, public ILVKPaintManagerEvents
{
    DECLARE_DYNCREATE(CLVKCommandBar)

public:
    CLVKCommandBar();
    ~CLVKCommandBar() override;

    // Relations along the parent chain.
    CLVKCommandBars* GetCommandBars() const;
    void SetCommandBars(CLVKCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    CLVKCommandBar* GetRootParent() const;
    // Where WM_COMMAND and notifications go.
    CWnd* GetOwnerSite() const;
    // The frame: the manager's site, the root's owner window, the root
    // window's owner or parent, else the thread's main window.
    CWnd* GetSite() const;
    CFrameWnd* GetSiteFrame() const;
    void SetSiteWindow(CWnd* pSite) { m_pSiteWindow = pSite; }
    void SetOwnerWindow(CWnd* pOwner) { m_pOwnerWindow = pOwner; }
    CLVKPaintManager* GetPaintManager() const;
    // Takes over one reference of pPaintManager (null: back to the shared one).
    void SetPaintManager(CLVKPaintManager* pPaintManager);
    CLVKImageManager* GetImageManager() const;
    void SetImageManager(CLVKImageManager* pImageManager);

    // Controls.
    CLVKControls* GetControls() const { return m_pControls; }
    CLVKControl* GetControl(int nIndex) const;
    int GetControlCount() const;
    void SetControls(CLVKControls* pControls);

    // Plain settings.
    int GetType() const { return m_nType; }
    void SetType(int nType) { m_nType = nType; }
    int GetPosition() const { return m_nPosition; }
    UINT GetBarID() const { return m_nBarID; }
    void SetBarID(UINT nID) { m_nBarID = nID; }
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD dwAdd, DWORD dwRemove = 0) { m_dwFlags = (m_dwFlags | dwAdd) & ~dwRemove; }
    DWORD GetStyle() const { return m_dwStyle; }
    void SetStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    BOOL HasGripper() const { return (m_dwStyle & kBarStyleGripper) != 0; }
    void SetShowGripper(BOOL bShow);
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    int GetMRUWidth() const { return m_nMRUWidth; }
    void SetMRUWidth(int nWidth) { m_nMRUWidth = nWidth; }
    DWORD GetState() const { return m_dwState; }
    int GetTrackingMode() const { return m_nTrackingMode; }
    int GetHotIndex() const { return m_nHotIndex; }
    int GetPopupedIndex() const { return m_nPopupedIndex; }
    int GetLastClickedIndex() const { return m_nLastClickedIndex; }
    void SetLastClickedIndex(int nIndex) { m_nLastClickedIndex = nIndex; }
    int GetDefaultButtonStyle() const { return m_nDefaultButtonStyle; }
    void SetDefaultButtonStyle(int nStyle) { m_nDefaultButtonStyle = nStyle; }
    CSize GetControlSpacing() const { return m_szControlSpacing; }
    void SetControlSpacing(CSize sz) { m_szControlSpacing = sz; }
    void SetIconSize(CSize sz) { m_szIcons = sz; }
    void SetButtonSize(CSize sz) { m_szButtons = sz; }
    CSize GetIconSizeValue() const { return m_szIcons; }
    CSize GetButtonSizeValue() const { return m_szButtons; }
    int GetShowTextBelowIcons() const { return m_nShowTextBelowIcons; }
    void SetShowTextBelowIcons(int nShow) { m_nShowTextBelowIcons = nShow; }
    BOOL IsMultiColumn() const { return m_bMultiColumn; }
    void SetMultiColumn(BOOL bMulti) { m_bMultiColumn = bMulti; }
    int GetRedrawLock() const { return m_nRedrawLock; }
    void LockRedraw() { m_nRedrawLock++; }
    void UnlockRedraw();
    int* GetReturnCommandSlot() const { return m_pReturnCommand; }
    void SetReturnCommandSlot(int* pSlot) { m_pReturnCommand = pSlot; }
    BOOL GetNoCommandUpdate() const { return m_bNoCommandUpdate; }
    void SetNoCommandUpdate(BOOL bNo) { m_bNoCommandUpdate = bNo; }
    BOOL GetRightButtonTracking() const { return m_bRightButtonTracking; }
    void SetRightButtonTracking(BOOL b) { m_bRightButtonTracking = b; }
    BOOL IsCustomizableValue() const { return m_bCustomizable; }
    void SetCustomizable(BOOL bCustomizable) { m_bCustomizable = bCustomizable; }
    CRect GetDropMarker() const { return m_rcDropMarker; }
    // 0 none of its own, 1 vertical, 2 horizontal text.
    int GetTextOrientation() const { return m_nTextOrientation; }
    void SetTextOrientation(int nOrientation) { m_nTextOrientation = nOrientation; }
    // Popup bars that list a tool bar's buttons draw a double gripper.
    BOOL IsDoubleGripper() const { return m_bDoubleGripper; }
    void SetDoubleGripper(BOOL bDouble) { m_bDoubleGripper = bDouble; }
    CLVKToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }

    // Modes and environment.
    BOOL IsCustomizeMode() const;
    BOOL IsLayoutRTL() const;
    BOOL IsSiteInHelpMode() const;
    BOOL IsFrameHookActive() const;
    void HideKeyboardTips();
    void EnableAnimation(BOOL bEnable = TRUE);
    BOOL IsAnimationEnabled() const;
    void EnableOffscreenCache(BOOL bEnable = TRUE);
    CLVKCommandBarAnimation* GetAnimation() const { return m_pAnimation.get(); }

    // Redraw and layout requests.
    void RedrawParents();
    void SetStatusText(LPCTSTR lpszText);
    void SetFocusedEdit(CLVKControl* pEdit);
    void ClearFocusedEdit();
    CLVKControl* GetFocusedEdit() const { return m_pFocusedEdit; }
    void UpdateCommandUI();
    // The help context of a control: its own help id, else its action's
    // help id or id, else its command id.
    static UINT AFX_CDECL HelpIdOf(const CLVKControl* pControl);
    void UpdateDocTemplateControls();
    void SetPopupedIndex(int nIndex, int nKeyboardState = 0);
    // The control whose mnemonic is ch, searched once around from after the
    // hot control; -1 for none. Ambiguous: another control answers ch too,
    // so the match is only selected, not run.
    int FindMnemonicControl(TCHAR ch, BOOL* pbAmbiguous = nullptr) const;
    int GetInputLock() const { return m_nInputLock; }
    // Whether the bar was entered or its selection moved from the keyboard.
    int IsSelectedByKeyboard() const { return m_nSelectedByKeyboard; }
    // The modal loop that runs while the bar tracks; ends when it stops
    // tracking, on a press outside the menus, and on WM_QUIT (posted again).
    void RunMenuLoop();
    void SetInputLock(int nLock) { m_nInputLock = nLock; }

    // Metrics, tool-bar resources and tooltips.
    CSize GetDefaultIconSize(BOOL bLarge) const;
    CSize GetLargeIconSize(BOOL bUseDefault) const;
    BOOL IsTextBelowIcons() const;
    BOOL IsWindowShown() const;
    BOOL SetButtons(const UINT* pIDs, int nCount);

    // Painting.
    void DrawDropMarker(CDC* pDC);

    // The overridables, in the order derived bars rely on.
    virtual void DelayRedraw() { m_dwState |= kBarStateRedraw; }
    virtual BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, int nKeyboardState = 0);
    virtual BOOL LoadMenu(CMenu* pMenu, BOOL bRemoveControls = TRUE);
    virtual BOOL SetSelected(int nIndex, int nKeyboardState = 0);
    virtual BOOL LoadToolBar(UINT nIDResource, BOOL bLoadIcons = TRUE);
    virtual CSize GetIconSize() const;
    virtual CSize GetButtonSize() const;
    virtual BOOL Popup(CLVKControl* /*pControl*/, BOOL /*bSelectFirst*/ = FALSE) { return FALSE; }
    virtual void SetVisible(BOOL /*bVisible*/) {}
    virtual BOOL IsVisible() const { return FALSE; }
    virtual BOOL SetPosition(int /*nPosition*/) { return FALSE; }
    virtual void OnCustomizeDragEnter(CLVKControl* pDragged, CPoint pt);
    virtual void OnCustomizeDragLeave();
    virtual DWORD OnCustomizeDragOver(CLVKControl* pDragged, CPoint pt);
    virtual void OnCustomizeDrop(CLVKControl* pDragged, DWORD& dwDropEffect, CPoint pt, CPoint ptDragStart);
    virtual BOOL IsCustomizable() const { return m_bCustomizable; }
    virtual void RecalcLayout() {}
    virtual void EndTracking() { SetTrackingMode(kTrackingNone); }
    virtual void ClearSelection() { SetSelected(-1); }
    virtual void OnControlSelected(int nState, CLVKControl* pControl);
    virtual CLVKCommandBar* GetParentBar() const { return nullptr; }
    virtual BOOL HasCaption() const { return FALSE; }
    virtual BOOL IsRibbonBar() const { return FALSE; }
    virtual BOOL IsPopupBar() const { return FALSE; }
    virtual void DoPropExchange(CLVKPropExchange* /*pPX*/) {}
    virtual BOOL AreKeyboardCuesVisible() const;
    virtual void Redraw(LPCRECT lpRect = nullptr, BOOL bAnimate = TRUE);
    virtual void DrawCommandBar(CDC* pDC, CRect rcClipBox);
    virtual void EnsureVisible(CLVKControl* /*pControl*/) {}
    virtual CRect GetBorders();
    virtual void DrawBackground(CDC* pDC);
    virtual int GetResizeMode() const { return 0; }
    virtual void CreateKeyboardTips() {}
    virtual void OnKeyboardTip(CLVKControl* pControl);
    virtual int OnHookKeyDown(UINT nChar, LPARAM lParam);
    virtual CSize CalcDynamicLayout(int /*nLength*/, DWORD /*dwMode*/) { return CSize(0, 0); }
    virtual BOOL HandleNavigationKey(UINT nCode);
    virtual void OnControlsChanged();
    virtual void Copy(CLVKCommandBar* pSource, BOOL bRecursive = FALSE);
    virtual BOOL IsPointInBar(CPoint ptScreen) const;
    virtual void UpdateShortcuts();
    virtual void CollectCommandBars(void* /*pList*/) {}
    virtual void RestoreCommandBarLinks(void* /*pContext*/) {}
    virtual void DestroyBar();
    // -1: no verdict of the bar (the control decides).
    virtual int IsControlEnabled(const CLVKControl* /*pControl*/) const { return -1; }
    virtual CLVKControl* HitTestDropPosition(CLVKControl* pDragged, CPoint pt, CRect& rcMarker, int& nIndex,
                                             BOOL& bAfter);
    virtual void OnIdleUpdateCmdUI();
    virtual BOOL OnMenuKey(UINT /*nChar*/) { return FALSE; }
    virtual void OnChildBarContextMenu(CLVKCommandBar* /*pChildBar*/, CPoint /*pt*/) {}
    virtual CLVKCommandBar* Clone(BOOL bRecursive = FALSE);

    // The window's overrides.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    void OnFinalRelease() override;
    void PostNcDestroy() override {}

    // ILVKPaintManagerEvents
    void OnPaintManagerDestroyed(CLVKPaintManager* pPaintManager) override;
    // CLVKHookManagerHookAble: keys while the bar tracks.
    int HandleHookedMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

protected:
    CCmdTarget* GetOwnerCmdTarget() override { return this; }

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitialUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    // Takes the bar out of the thread's mouse and keyboard managers.
    void LeaveInputManagers();

    friend class CLVKControl;
    friend class CLVKControls;
    friend class CLVKPopupBar;  // a sub-menu reads and clears its parent's animate-next mark

    BOOL m_bIgnoreFocusedEdit = FALSE;
    BOOL m_bPopupOnHover = TRUE;
    BOOL m_bHideCaretOnTracking = TRUE;
    int m_nMRUWidth = 0x7FFF;
    int m_nHotIndex = -1;
    int m_nPopupedIndex = -1;
    HWND m_hCaretWindow = nullptr;
    UINT m_nBarID = 0;
    int m_nTrackingMode = 0;
    CWnd* m_pOwnerWindow = nullptr;
    DWORD m_dwState = 0;
    DWORD m_dwFlags = 0;
    DWORD m_dwStyle = kBarStyleGripper;
    CString m_strTitle;
    int m_nType = kBarTypeToolBar;
    CLVKControls* m_pControls = nullptr;
    int m_nPosition = kBarNone;
    CLVKCommandBars* m_pCommandBars = nullptr;
    CWnd* m_pSiteWindow = nullptr;
    CSize m_szIcons{0, 0};
    CSize m_szButtons{0, 0};
    int m_nShowTextBelowIcons = 2;
    BOOL m_bRightButtonTracking = FALSE;
    BOOL m_bNoCommandUpdate = FALSE;
    int m_nInputLock = 0;
    int m_nSelectedByKeyboard = 0;
    BOOL m_bCustomizable = TRUE;
    CRect m_rcDropMarker{0, 0, 0, 0};
    BOOL m_bDropMarkerVertical = FALSE;
    int* m_pReturnCommand = nullptr;
    BOOL m_bEnteredByMouse = FALSE;
    int m_nRedrawLock = 0;
    CLVKPaintManager* m_pPaintManager = nullptr;
    CLVKImageManager* m_pImageManager = nullptr;
    BOOL m_bMultiColumn = FALSE;
    int m_nDefaultButtonStyle = 0;
    CLVKControl* m_pFocusedEdit = nullptr;
    CLVKToolTipContext* m_pToolTipContext = nullptr;
    // Paints the bar through its off-screen buffer or cache and cross-fades
    // redraws when animation is on.
    std::unique_ptr<CLVKCommandBarAnimation> m_pAnimation;
    CSize m_szControlSpacing{0, 0};
    int m_nLastClickedIndex = -1;
    int m_nTextOrientation = 0;
    BOOL m_bDoubleGripper = FALSE;
};
