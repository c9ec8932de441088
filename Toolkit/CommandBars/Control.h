// CLVKControl: one item of a command bar (menu item, tool-bar button, and
// the base of popups, edits and every other kind). It holds the item's
// identity, texts and display state, its rectangle inside the parent bar, and
// what all kinds share: texts that fall back to the bound action, the
// click-tracking loop, execution through the site, and the customisation
// gestures. The owning collection holds one reference; the click loop and
// Execute hold another while they run, so a command handler may delete it.
#pragma once

#include "CommandBars/CommandBarsDefs.h"
#include "Foundation/Accessible.h"
#include "Foundation/CmdTarget.h"

#include <set>

class CLVKCommandBar;
class CLVKCommandBars;
class CLVKControlAction;
class CLVKControls;
class CLVKImageManager;
class CLVKImageManagerIcon;
class CLVKPaintManager;
class CLVKPropExchange;

class CLVKControl : public CLVKCmdTarget, public CLVKAccessible
{
    DECLARE_DYNCREATE(CLVKControl)

public:
    CLVKControl();
    ~CLVKControl() override;

    // Texts: the control's own, else the bound action's.
    virtual CString GetCaption() const;
    virtual CString GetDescription() const;
    virtual CString GetTooltip() const;
    CString GetShortcutText() const;
    // A value up to 0xFFFF is a string-resource id. A tab splits the text:
    // the part after it becomes the automatic shortcut text.
    void SetCaption(LPCTSTR lpszCaption);
    void SetCaption(UINT nIDCaption) { SetCaption(MAKEINTRESOURCE(nIDCaption)); }
    BOOL SetCaptionFromResource(UINT nID);
    // Description, tooltip, caption and key tip from one newline-separated
    // prompt; only empty caption and key tip are filled.
    void ApplyPromptString(LPCTSTR lpszPrompt);
    void SetTooltip(LPCTSTR lpszText) { m_strTooltipText = lpszText; }
    void SetDescription(LPCTSTR lpszText) { m_strDescriptionText = lpszText; }
    void SetShortcutText(LPCTSTR lpszText) { m_strShortcutText = lpszText; }
    CString GetShortcutTextAuto() const { return m_strShortcutTextAuto; }
    void SetCustomCaption(LPCTSTR lpszText) { m_strCustomCaption = lpszText; }
    CString GetCustomCaption() const { return m_strCustomCaption; }
    CString GetParameter() const { return m_strParameter; }
    void SetParameter(LPCTSTR lpszText) { m_strParameter = lpszText; }
    CString GetKeyboardTip() const { return m_strKeyboardTip; }
    void SetKeyboardTip(LPCTSTR lpszText) { m_strKeyboardTip = lpszText; }
    CString GetCategory() const { return m_strCategory; }
    void SetCategory(LPCTSTR lpszText) { m_strCategory = lpszText; }
    CString GetCustomShortcutText() const { return m_strCustomShortcutText; }
    void SetCustomShortcutText(LPCTSTR lpszText) { m_strCustomShortcutText = lpszText; }

    // Identity. SetID loads the new id's string resource as the prompt.
    int GetID() const { return m_nId; }
    void SetID(int nId);
    int GetType() const { return m_nType; }
    void SetType(int nType) { m_nType = nType; }
    int GetIndex() const { return m_nIndex; }
    DWORD_PTR GetTag() const { return m_nTag; }
    void SetTag(DWORD_PTR nTag) { m_nTag = nTag; }
    int GetIconIdValue() const { return m_nIconId; }
    void SetIconId(int nId) { m_nIconId = nId; }
    int GetCustomIconId() const { return m_nCustomIconId; }
    void SetCustomIconId(int nId) { m_nCustomIconId = nId; }
    int GetHelpId() const { return m_nHelpId; }
    void SetHelpId(int nId) { m_nHelpId = nId; }
    // CustomIconId, else IconId > 0, else the action's icon id or id, else Id.
    int GetIconId() const;
    // The relations; the parent bar and collection are not owned.
    CLVKCommandBar* GetParent() const { return m_pParent; }
    CLVKControls* GetControls() const { return m_pControls; }
    CLVKControlAction* GetAction() const { return m_pAction; }
    // The parent bar's, else the manager's, else the global one.
    CLVKPaintManager* GetPaintManager() const;
    CLVKImageManager* GetImageManager() const;
    CLVKCommandBars* GetCommandBars() const;

    // State.
    int GetStyle() const;
    void SetStyle(int nStyle);
    int GetStyleValue() const { return m_nStyle; }
    int GetCustomStyle() const { return m_nCustomStyle; }
    void SetCustomStyle(int nStyle) { m_nCustomStyle = nStyle; }
    void SetImposedStyle(int nStyle) { m_nImposedStyle = nStyle; }
    // The parent bar's verdict unless -1, else Enabled (-1: the action's).
    BOOL IsEnabled() const;
    int GetEnabledValue() const { return m_nEnabled; }
    // Checked (-1: the action's).
    int GetChecked() const;
    int GetCheckedValue() const { return m_nChecked; }
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
    DWORD GetHideFlags() const { return m_dwHideFlags; }
    void SetVisible(BOOL bVisible);
    BOOL GetBeginGroup() const { return m_bBeginGroup; }
    BOOL GetWrap() const { return m_bWrap; }
    void SetWrap(BOOL bWrap) { m_bWrap = bWrap; }
    BOOL IsTemporary() const { return m_bTemporary; }
    void SetTemporary(BOOL bTemporary) { m_bTemporary = bTemporary; }
    void SetDefaultItem(BOOL bDefault);
    BOOL IsDefaultItem() const { return m_bDefaultItem; }
    void SetRarelyUsed(BOOL bRarelyUsed);
    BOOL IsRarelyUsed() const { return m_bRarelyUsed; }
    BOOL GetCloseSubMenuOnClick() const { return m_bCloseSubMenuOnClick; }
    void SetCloseSubMenuOnClick(BOOL bClose) { m_bCloseSubMenuOnClick = bClose; }
    int GetExecuteOnPressInterval() const { return m_nExecuteOnPressInterval; }
    void SetExecuteOnPressInterval(int nInterval) { m_nExecuteOnPressInterval = nInterval; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    void SetIconSize(CSize sz) { m_szIcon = sz; }
    CRect GetRect() const { return m_rcControl; }
    CRect GetRowRect() const { return m_rcRow; }
    void SetRowRect(const CRect& rc) { m_rcRow = rc; }
    std::set<UINT>& GetDocTemplatesAssigned() { return m_setDocTemplatesAssigned; }
    std::set<UINT>& GetDocTemplatesExcluded() { return m_setDocTemplatesExcluded; }

    // Redraws Rect in the parent bar when visible.
    void RedrawParent(BOOL bAnimate = TRUE);
    // Sets the layout-pending bit of the parent bar.
    void MarkParentLayoutDirty();
    BOOL IsCursorOver() const;
    // In a popup: whenever it has an image; elsewhere for styles 2 and 3 only.
    BOOL HasVisibleIcon() const;
    // Drawn into a window frame (glass text): the manager's frame hook or a
    // ribbon caption; FALSE until the manager and ribbon exist.
    BOOL IsDrawnOnFrame() const;

    // Sends LVK_WM_CONTROLNOTIFY to the owner site; with no answer the
    // site's command routing is tried with MAKELONG(code, WM_NOTIFY).
    LRESULT NotifySite(int nCode);
    LRESULT NotifySiteEx(int nCode, LVK_CONTROL_NOTIFY* pNotify);
    // The same to a given site (the one taken before the menus closed).
    LRESULT SendNotify(CWnd* pSite, int nCode, LVK_CONTROL_NOTIFY* pNotify);

    // The click-tracking loop over rcTrack (empty: Rect).
    void TrackClick(CRect rcTrack = CRect(0, 0, 0, 0));
    // Over a resizable control's side edge in customize mode: the resize cursor.
    void SetCustomizeCursor(CPoint pt);
    // Inverts a frame of four bands, each 2 scaled pixels thick, around the
    // screen rectangle rc; drawing it twice erases it.
    static void AFX_CDECL DrawResizeTracker(CDC* pDC, const CRect& rc);

    // The overridables, in the order derived kinds rely on.
    virtual void SetBeginGroup(BOOL bBeginGroup);
    virtual void SetEnabled(int nEnabled);
    virtual void OnEnabledChanged() {}
    virtual void SetChecked(int nChecked);
    virtual int GetPressedState() const { return m_nPressedState; }
    virtual void SetFocused(BOOL /*bFocused*/) {}
    virtual BOOL IsFocused() const { return FALSE; }
    virtual int GetExecuteState() const { return m_nExecuteState; }
    virtual void SetRect(const CRect& rc) { m_rcControl = rc; }
    // Visible unless a hide flag outside dwIgnoreMask is set or the bound
    // action is hidden.
    virtual BOOL IsVisible(DWORD dwIgnoreMask = 0) const;
    virtual BOOL IsCaptionVisible() const;
    virtual BOOL IsEqual(CLVKControl* pOther) const;
    // The popup bar of a popup control; null for plain controls.
    virtual CLVKCommandBar* GetCommandBar() const { return nullptr; }
    virtual BOOL IsBackgroundSuppressed() const { return FALSE; }
    virtual void SetHideFlags(DWORD dwFlags) { m_dwHideFlags = dwFlags; }
    virtual void Execute();
    // Measured or drawn by the paint manager's control drawing.
    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    virtual void OnBeforeLayout(int /*nMode*/) {}
    virtual CLVKImageManagerIcon* GetImage(int nWidth = 0) const;
    virtual void DoPropExchange(CLVKPropExchange* /*pPX*/) {}
    virtual void ExecuteFromKeyboard() { Execute(); }
    virtual BOOL IsPopupOpen() const { return FALSE; }
    virtual void SetAction(CLVKControlAction* pAction);
    virtual void OnThemeChanged() {}
    virtual void SetWidth(int nWidth);
    virtual void SetHeight(int nHeight);
    virtual CSize GetButtonSize() const;
    virtual CSize GetIconSize() const;
    virtual void Copy(CLVKControl* pSource, BOOL bRecursive);
    virtual void OnClick(BOOL /*bKeyboard*/ = FALSE, CPoint /*pt*/ = CPoint(0, 0)) {}
    virtual BOOL IsCustomizable() const;
    virtual BOOL IsFocusable() const { return FALSE; }
    virtual int OnHookKeyDown(UINT /*nChar*/, LPARAM /*lParam*/) { return 0; }
    virtual int OnHookMouseWheel(UINT /*nFlags*/, short /*zDelta*/, CPoint /*pt*/) { return 0; }
    virtual void SetParent(CLVKCommandBar* pParent) { m_pParent = pParent; }
    // Opens (TRUE) or closes the control's popup; FALSE: it has none.
    virtual BOOL OnSetPopup(BOOL /*bPopup*/) { return FALSE; }
    virtual void OnLButtonUp(CPoint /*pt*/) {}
    virtual BOOL OnLButtonDown(CPoint pt);
    virtual BOOL OnRButtonDown(CPoint /*pt*/) { return FALSE; }
    virtual BOOL OnRButtonUp(CPoint /*pt*/) { return FALSE; }
    virtual BOOL OnLButtonDblClk(CPoint pt);
    virtual void OnMouseMove(CPoint /*pt*/) {}
    virtual void OnMouseHover();
    virtual BOOL SetPressed(int nState);
    virtual void OnCustomizeMouseDown(CPoint pt);
    virtual BOOL CustomizeTrackResize(CPoint pt);
    virtual void OnCustomizeDragOver(CLVKControl* pDragged, CPoint pt);
    virtual BOOL CanDropOnBar(CLVKCommandBar* pBar, DWORD& dwDropEffect) const;
    virtual BOOL IsCustomizeResizable() const { return FALSE; }
    virtual int GetCustomizeMinWidth() const { return 0; }
    virtual int GetCustomizeMinHeight() const { return 0; }
    virtual void OnIdleUpdate() {}
    virtual void OnRemoved();
    virtual INT_PTR OnToolHitTest(CPoint /*pt*/, TOOLINFO* /*pTI*/) { return -1; }
    virtual void RestoreCommandBarLink(void* /*pContext*/) {}
    virtual void CollectCommandBars(void* /*pList*/) {}
    virtual void OnActionChanged(int nProperty);
    virtual void OnActionChanging(int /*nProperty*/) {}
    virtual void OnCaptionChanged() {}
    // A new control of this run-time class with this one copied in.
    virtual CLVKControl* Clone(BOOL bRecursive);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Accessibility: a control is one object (child id 0) whose only child
    // is its popup bar.
    HRESULT AccessibleGetParent(IDispatch** ppdispParent) override;
    HRESULT AccessibleGetChildCount(long* pcountChildren) override;
    HRESULT AccessibleGetChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT AccessibleGetName(VARIANT varChild, BSTR* pszName) override;
    HRESULT AccessibleGetDescription(VARIANT varChild, BSTR* pszDescription) override;
    HRESULT AccessibleGetRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT AccessibleGetState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT AccessibleGetKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
    HRESULT AccessibleGetDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    HRESULT AccessibleDoDefaultAction(VARIANT varChild) override;
    HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild) override;
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;

protected:
    CCmdTarget* GetOwnerCmdTarget() override { return this; }
    DECLARE_INTERFACE_MAP()
    // Executes once for the auto-repeat: notification 100, else WM_COMMAND.
    void ExecuteOnce();
    BOOL KeepsExecutedState() const;
    // Closes the menus before a command runs or its id is returned.
    static void CloseMenus(CLVKCommandBar* pRoot, CLVKCommandBars* pCommandBars);

    friend class CLVKControls;
    friend class CLVKControlAction;
    friend class CLVKCommandBar;
    friend class CCommandBarCmdUI;

    // The layout of CLVKControls writes Wrap, RowRect and Rect directly.
    DWORD_PTR m_nTag = 0;
    int m_nIndex = 0;
    int m_nId = 0;
    int m_nIconId = 0;
    int m_nHelpId = 0;
    int m_nCustomIconId = 0;
    BOOL m_bWrap = FALSE;
    BOOL m_bBeginGroup = FALSE;
    int m_nEnabled = 1;
    int m_nChecked = 0;
    int m_nPressedState = 0;
    int m_nExecuteState = 0;
    BOOL m_bTemporary = FALSE;
    CRect m_rcRow{0, 0, 0, 0};
    CRect m_rcControl{0, 0, 0, 0};
    DWORD m_dwHideFlags = 0;
    DWORD m_dwFlags = 0;
    CString m_strCaption;
    CString m_strCustomCaption;
    CString m_strShortcutText;
    CString m_strShortcutTextAuto;
    CString m_strTooltipText;
    CString m_strDescriptionText;
    CString m_strParameter;
    CString m_strKeyboardTip;
    CLVKControls* m_pControls = nullptr;
    int m_nType = 0;
    CLVKCommandBar* m_pParent = nullptr;
    BOOL m_bRarelyUsed = FALSE;
    CString m_strCustomShortcutText;
    CString m_strCategory;
    BOOL m_bDefaultItem = FALSE;
    std::set<UINT> m_setDocTemplatesAssigned;
    std::set<UINT> m_setDocTemplatesExcluded;
    int m_nStyle = 0;
    int m_nCustomStyle = -1;
    int m_nImposedStyle = 0;
    BOOL m_bCloseSubMenuOnClick = TRUE;
    CLVKControlAction* m_pAction = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nExecuteOnPressInterval = 0;
    CSize m_szIcon{0, 0};
};

// Part n (from 0) of a newline-separated prompt string; empty when missing.
CString AFX_CDECL LVKExtractPromptPart(const CString& strPrompt, int nPart);
