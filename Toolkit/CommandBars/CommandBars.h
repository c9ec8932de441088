// CLVKCommandBars: the command-bar manager of one frame window or dialog
// (its site). It owns the site's tool bars (the menu bar is the tool bar
// with bar id 1), the four dock bars along the site's edges, the options,
// the shortcut manager, the actions of the command ids and the context
// menus. It lays the site out when bars change, redraws the bars after a
// theme or system change, filters the site's messages (popups closed at the
// right moments, keyboard cues, Alt+letter mnemonics, shortcuts) and can
// suspend every bar while something else owns the window.
#pragma once

#include "CommandBars/CommandBarsDefs.h"
#include "Foundation/CmdTarget.h"

#include <vector>

class CLVKCommandBar;
class CLVKCommandBarsContextMenus;
class CLVKCommandBarsOptions;
class CLVKControl;
class CLVKControlAction;
class CLVKControlActions;
class CLVKControls;
class CLVKDockBar;
class CLVKImageManager;
class CLVKMenuBar;
class CLVKKeyboardManager;
class CLVKMouseManager;
class CLVKPaintManager;
class CLVKPopupBar;
class CLVKShortcutManager;
class CLVKToolBar;
class CLVKToolTipContext;

class CLVKCommandBars : public CLVKCmdTarget
{
    DECLARE_DYNCREATE(CLVKCommandBars)

public:
    // The dock bars' indexes.
    enum : int
    {
        kDockTop = 0,
        kDockBottom = 1,
        kDockLeft = 2,
        kDockRight = 3,
        kDockCount = 4
    };
    // Command id of the customize dialog; the site answering it allows customisation.
    static const UINT kIdCustomize = 35001;

    CLVKCommandBars();
    ~CLVKCommandBars() override;

    // Site.
    void SetSite(CWnd* pSite);
    CWnd* GetSite() const { return m_pSite; }
    // Raises the framework's resource exception when one cannot be made.
    void CreateDockBars();
    CLVKDockBar* GetDockBar(int nIndex) const;
    BOOL IsLayoutRTL() const;
    BOOL IsCustomizeAllowed() const { return m_bCustomizeAvail; }
    // The frame hook draws the site's frame; its themes are not built, so
    // no hook exists and enabling it answers FALSE.
    BOOL EnableFrameHook(BOOL bEnable);
    BOOL HasFrameHook() const { return FALSE; }
    BOOL IsFrameHookActive() const { return FALSE; }

    // Services.
    CLVKPaintManager* GetPaintManager() const;
    // Takes over one reference; null goes back to the shared paint manager.
    void SetPaintManager(CLVKPaintManager* pPaintManager);
    CLVKImageManager* GetImageManager() const;
    CLVKToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }
    CLVKCommandBarsOptions* GetCommandBarsOptions() const { return m_pOptions; }
    CLVKShortcutManager* GetShortcutManager() const { return m_pShortcutManager; }
    CLVKControlActions* GetActions() const { return m_pActions; }
    CLVKCommandBarsContextMenus* GetContextMenus() const { return m_pContextMenus; }
    CLVKControlAction* CreateAction(int nId);
    CLVKControlAction* FindAction(int nId) const;
    // Whether controls made for a command id get a shared action; off until
    // the program turns it on.
    void EnableActions(BOOL bEnable = TRUE) { m_bEnableActions = bEnable; }
    BOOL IsActionsEnabled() const { return m_bEnableActions; }

    // Bars.
    int GetCount() const { return static_cast<int>(m_arrToolBars.size()); }
    CLVKToolBar* GetAt(int nIndex) const;
    int FindToolBarIndex(const CLVKCommandBar* pBar) const;
    CLVKToolBar* FindToolBar(UINT nBarID) const;
    int FindNextVisibleBar(int nStart, int nStep) const;
    CLVKMenuBar* CreateMenuBar(LPCTSTR lpszTitle, UINT nIDMenu);
    UINT GetDefaultMenuId() const { return m_nDefaultMenuID; }
    BOOL AttachToDockBar(CLVKToolBar* pBar, LPCRECT lpRect, CLVKDockBar* pDockBar);
    BOOL DockCommandBarAtSide(CLVKToolBar* pBar, int nSide);
    BOOL FloatCommandBar(CLVKToolBar* pBar);
    CLVKDockBar* FindDockBarAtPoint(CPoint ptScreen, CLVKDockBar* pPreferred = nullptr) const;
    void RemoveToolBar(CLVKToolBar* pBar);
    void RemoveAllToolBars();
    void FlipToolBarVisibility(int nIndex);

    // Layout and painting.
    void FlushDelayedLayout();
    void RedrawCommandBars();
    void RedrawVisibleBars();
    // While an object is set every bar is hidden and shortcuts are off;
    // null shows the bars that were visible again.
    void SuspendBars(CObject* pObject);
    CObject* GetSuspendingObject() const { return m_pSuspendObject; }
    void LockLayout(BOOL bLock) { m_bLayoutLocked = bLock; }

    // Popups and keyboard.
    void ClosePopups() const;
    // The thread's mouse and keyboard managers (made on first use), which
    // keep the open menus and the bars that see keys first.
    CLVKMouseManager* GetMouseManager() const;
    CLVKKeyboardManager* GetKeyboardManager() const;
    // Shows a popup bar modally at a screen point (TPM_* flags; with
    // TPM_RETURNCMD the chosen id is returned instead of sent, 0 for none).
    // 0 when the bar is null or cannot be shown.
    int TrackPopupBar(CLVKCommandBar* pBar, UINT nFlags, int x, int y, CWnd* pOwner = nullptr,
                      LPCRECT lpExclude = nullptr);
    // The same for a menu loaded into a temporary popup bar owned by the site.
    int TrackPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, const TPMPARAMS* pParams = nullptr);
    // Appends clones of the controls that did not fit the bar (and, for a
    // docked bar, the other bars of its row, in row order) to pPopup.
    void AddHiddenRowControlsToPopup(CLVKToolBar* pBar, CLVKCommandBar* pPopup) const;
    // Appends one entry per bar of pBar's dock row (or pBar alone), each
    // opening the list of that bar's buttons, then the customize command.
    virtual void AddToolBarEntriesToPopup(CLVKToolBar* pBar, CLVKCommandBar* pPopup);
    void AddToolBarEntry(CLVKToolBar* pBar, CLVKCommandBar* pPopup);
    // The visible bars of pBar's dock row in row order; pBar alone when it
    // is not docked.
    void GetDockRowBars(CLVKToolBar* pBar, std::vector<CLVKToolBar*>& arrRow) const;
    // The menu that shows or hides the tool bars (one reference, the caller's).
    virtual CLVKPopupBar* CreateToolBarsContextMenu();
    // Shows it at a screen point after the site (LVK_WM_TOOLBARCONTEXTMENU
    // with wParam) had its say; nothing in customize mode.
    virtual void ShowToolBarsContextMenu(WPARAM wParam, int x, int y);
    BOOL ActivateBarByKeyboard(CLVKCommandBar* pBar, int nStep = 0);
    void ShowKeyboardCues(BOOL bShow);
    BOOL AreKeyboardCuesVisible() const { return m_bKeyboardCuesVisible; }
    BOOL IsCuesFollowingAlt() const { return m_bCuesFollowAlt; }
    // The keyboard-cue state the options decided (SetKeyboardCuesMode).
    void ApplyKeyboardCuesMode();
    int GetKeyboardModeLevel() const { return m_nKeyboardModeLevel; }
    void SetKeyboardModeLevel(int nLevel) { m_nKeyboardModeLevel = nLevel; }
    BOOL m_bIgnoreShiftMenuKey = FALSE;  // Alt+Shift+letter is no mnemonic
    UINT m_nHotHelpId = 0;

    // Customisation.
    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    void SetCustomizingState(BOOL bCustomize);
    CLVKControl* GetCustomizeSelectedControl() const { return m_pCustomizeSelected; }
    void SetCustomizeSelectedControl(CLVKControl* pControl);
    void MarkCommandUsed(UINT nId);
    BOOL m_bAllCustomizable = FALSE;      // every control counts as customizable
    BOOL m_bUpperCaseMenuTitles = FALSE;  // menu-bar titles shown in capitals

    // Frame message filters: TRUE means handled (the site must not handle
    // it) and consumed (not translated or dispatched).
    BOOL HandleFrameMessage(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL PreTranslateFrameMessage(MSG* pMsg);
    BOOL HandleMnemonicKey(UINT nVirtKey);
    CLVKControl* FindMnemonicControl(CLVKCommandBar* pBar, UINT nVirtKey, BOOL& bAmbiguous) const;
    CLVKControl* GetNextMnemonicControl(CLVKControls*& pControls, int nIndex) const;

    // What the manager asks of the thread's mouse and keyboard managers:
    // whether bars track, the popup lock, the newest tracked bar, the
    // hooked bars that see keys while a menu is open, and the press outside
    // every menu that ends the menu loop.
    static BOOL AFX_CDECL IsTrackingPopups();
    static int AFX_CDECL GetPopupLock();
    static CLVKCommandBar* AFX_CDECL GetLastTrackedBar();
    static BOOL AFX_CDECL HasHookedBars();
    static BOOL AFX_CDECL OfferToHookedBars(UINT nMessage, WPARAM wParam, LPARAM lParam);
    static BOOL AFX_CDECL IsPressOutsideMenus(CLVKCommandBar* pBar, const MSG& msg);

    // The overridables.
    virtual CLVKMenuBar* GetMenuBar() const;
    virtual void RecalcFrameLayout(BOOL bDelay = FALSE);
    virtual BOOL IsCommandHidden(UINT nId) const;
    virtual BOOL IsControlHidden(CLVKControl* pControl) const;
    virtual UINT GetActiveMenuId() const { return 0; }
    virtual BOOL AddToReBar(CLVKToolBar* /*pBar*/) { return FALSE; }
    virtual BOOL RemoveFromReBar(CLVKToolBar* /*pBar*/) { return FALSE; }
    virtual CLVKToolBar* CreateToolBar(LPCTSTR lpszTitle, UINT nBarID, BOOL bTearOff = FALSE);
    virtual void OnTrackingModeChanged(CLVKCommandBar* pBar, int nTracking);

private:
    int m_nKeyboardModeLevel = 0;
    CLVKPaintManager* m_pPaintManager = nullptr;
    CLVKImageManager* m_pImageManager = nullptr;
    CLVKControl* m_pCustomizeSelected = nullptr;
    UINT m_nDefaultMenuID = 0;
    BOOL m_bCustomizeMode = FALSE;
    BOOL m_bCustomizeAvail = FALSE;
    CLVKCommandBarsOptions* m_pOptions = nullptr;
    CLVKCommandBarsContextMenus* m_pContextMenus = nullptr;
    std::vector<CLVKToolBar*> m_arrToolBars;  // one reference each
    CLVKDockBar* m_pDocks[kDockCount] = {};
    CWnd* m_pSite = nullptr;
    CLVKToolTipContext* m_pToolTipContext = nullptr;
    BOOL m_bKeyboardCuesVisible = TRUE;
    BOOL m_bCuesFollowAlt = FALSE;
    CLVKShortcutManager* m_pShortcutManager = nullptr;
    CLVKControlActions* m_pActions = nullptr;
    BOOL m_bLayoutLocked = FALSE;
    BOOL m_bRightToLeft = FALSE;
    CObject* m_pSuspendObject = nullptr;
    BOOL m_bDestroying = FALSE;
    BOOL m_bEnableActions = FALSE;
};

// Whether the input desktop is another than "Default" (a secure desktop
// owns the input); FALSE when its name cannot be read.
BOOL AFX_CDECL IsForeignInputDesktop();
