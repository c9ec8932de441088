// CLVKCommandBarsOptions: the user-facing settings of one command-bar
// manager (personalised menus, tooltips, icon sizes, animation, keyboard
// cues, DPI scaling) and the run-time switches other code reads. Saved in
// the section "%s-Options" of a profile, or whole into an archive.
#pragma once

#include "Foundation/CmdTarget.h"

class CLVKCommandBars;
class CLVKPaintManager;
class CLVKPropExchange;

// A set of command ids: every member maps to 1. Hash order decides the
// order in which members are written, so it is the framework's map.
typedef CMap<UINT, UINT, int, int> CLVKCommandIdSet;

class CLVKCommandBarsOptions : public CLVKCmdTarget
{
    DECLARE_DYNCREATE(CLVKCommandBarsOptions)

public:
    CLVKCommandBarsOptions();

    // With bUserOptionsOnly the exchange stops after "Animation" (what the
    // profile section holds). pPaintManager supplies the three icon flags;
    // null: the manager's, when there is one.
    void DoPropExchange(CLVKPropExchange* pPX, BOOL bUserOptionsOnly = FALSE,
                        CLVKPaintManager* pPaintManager = nullptr);
    void Serialize(CArchive& ar) override;

    // 0 cues always shown, 1 never, 2 as the system does (SPI_GETKEYBOARDCUES).
    void SetKeyboardCuesMode(int nMode);
    int GetKeyboardCuesMode() const { return m_nKeyboardCuesShow; }
    // The cue state that SetKeyboardCuesMode decided: whether underlines
    // follow the Alt key, and whether they show now.
    BOOL AreCuesFollowingAlt() const { return m_bCuesFollowAlt; }
    BOOL AreKeyboardCuesVisible() const { return m_bKeyboardCuesVisible; }

    void SetAutoScaleDpi(BOOL bGalleryItems, BOOL bToolBarIcons);
    // The process-wide copy of the gallery flag that galleries read.
    static BOOL AFX_CDECL IsAutoScaleDpiGalleryItems();

    BOOL IsCommandUsed(UINT nId) const;
    BOOL IsCommandHidden(UINT nId) const;
    void SetCommandUsed(UINT nId);
    void SetCommandHidden(UINT nId, BOOL bHidden);

    CLVKCommandBars* GetCommandBars() const { return m_pCommandBars; }
    void SetCommandBars(CLVKCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }

    // The fields, public as the settings a host reads and writes.
    BOOL bAlwaysShowFullMenus = TRUE;
    BOOL bShowFullAfterDelay = TRUE;
    BOOL bToolBarScreenTips = TRUE;
    BOOL bToolBarAccelTips = FALSE;
    BOOL bLargeIcons = FALSE;
    BOOL bSyncFloatingBars = TRUE;
    BOOL bShowExpandButtonAlways = TRUE;
    BOOL bDblClickFloat = FALSE;
    BOOL bShowTextBelowIcons = FALSE;
    BOOL bAltDragCustomization = TRUE;
    BOOL bAutoHideUnusedPopups = TRUE;
    BOOL bDirty = FALSE;  // the user changed bars since the last load or save
    BOOL bShowPopupBarToolTips = FALSE;
    BOOL bShowContextMenuAccelerators = FALSE;
    int nAnimationType = 0;
    BOOL bShowKeyboardShortcuts = TRUE;
    int nKeyboardCuesUse = 1;
    BOOL bShowStatusText = TRUE;
    CSize szIcons{0, 0};
    CSize szLargeIcons{0, 0};
    CSize szPopupIcons{0, 0};
    BOOL bUseNumPadMnemonics = FALSE;
    BOOL bUseSystemSaveBitsStyle = TRUE;
    BOOL bDisableCommandIfNoHandler = TRUE;
    BOOL bWrapLargePopups = FALSE;
    CLVKCommandIdSet mapHiddenCommands;
    CLVKCommandIdSet mapUsedCommands;
    BOOL bKeyboardTips = FALSE;
    int nRunTimeWord = 0;
    BOOL bAutoScaleDpiGalleryItems = TRUE;
    BOOL bAutoScaleDpiToolbarIcons = TRUE;

private:
    void ExchangeSet(CLVKPropExchange* pPX, LPCTSTR pszKey, CLVKCommandIdSet& set);

    CLVKCommandBars* m_pCommandBars = nullptr;
    int m_nKeyboardCuesShow = 0;
    BOOL m_bCuesFollowAlt = FALSE;
    BOOL m_bKeyboardCuesVisible = TRUE;
};
