// The numbers that controls, bars and their hosts share: control and bar
// types, hide and behaviour flags, the private messages the bars send to
// their site window and the records those messages carry.
#pragma once

#include "Framework.h"

class CLVKControl;
class CLVKCommandBar;

// Control types (CLVKControl::GetType).
enum : int
{
    kControlTypeNone = 0,
    kControlButton = 1,
    kControlPopup = 2,
    kControlButtonPopup = 3,
    kControlSplitButton = 4,
    kControlComboBox = 5,
    kControlEdit = 6,
    kControlCustom = 7,
    kControlLabel = 8,
    kControlCheckBox = 9,
    kControlGallery = 10,
    kControlRadioButton = 11
};

// Reasons to hide a control (CLVKControl::GetHideFlags).
enum : DWORD
{
    kHideByProgram = 0x01,    // hidden by the program (SetVisible)
    kHideOverflow = 0x02,     // does not fit the bar: shown behind the expand button
    kHideOwnRule = 0x04,      // the derived control's own rule
    kHideScrolledOut = 0x08,  // scrolled out of a scrolling popup
    kHideByUser = 0x10,       // hidden by the user; saved and compared
    kHideRarelyUsed = 0x20,   // rarely used command of a personalised popup
    kHideDocTemplate = 0x40,  // hidden for the active document template
    kHideByRibbon = 0x80      // hidden by the ribbon
};

// Behaviour flags of a control (CLVKControl::GetFlags).
enum : DWORD
{
    kFlagPushRight = 0x01,       // pushed to the end of its row
    kFlagSkipNavigation = 0x02,  // keyboard navigation skips it
    kFlagPopupLeft = 0x04,       // opens its popup to the left
    kFlagNoAutoUpdate = 0x08,    // no automatic command-state update
    kFlagFixed = 0x10,           // customisation may not move, remove or resize it
    kFlagStretch = 0x20,         // takes a share of the row's spare length
    kFlagTooltipInMenus = 0x40,  // shows its tooltip in menus too
    kFlagNewRow = 0x80           // always starts a new row or column
};

// Button styles (CLVKControl::GetStyle).
enum : int
{
    kStyleAuto = 0,
    kStyleCaption = 1,
    kStyleIconOnly = 2,
    kStyleSmall = 3,
    kStyleLarge = 4
};

// Bar types and positions.
enum : int
{
    kBarTypeMenuBar = 0,
    kBarTypeToolBar = 1,
    kBarTypePopup = 2,
    kBarTypeRibbon = 3
};

enum : int
{
    kBarTop = 0,
    kBarBottom = 1,
    kBarLeft = 2,
    kBarRight = 3,
    kBarFloating = 4,
    kBarPopup = 5,
    kBarNoDrop = 6,  // a place without drop support
    kBarNone = 7
};

// Tracking modes of a bar.
enum : int
{
    kTrackingNone = 0,
    kTrackingOn = 1,
    kTrackingWithPopup = 2
};

// State bits of a bar consumed at idle time.
enum : DWORD
{
    kBarStateLayout = 0x1,
    kBarStateRedraw = 0x2
};

// Bar flags: the sides a bar may dock at (1 << its position), floating,
// hiding the controls that do not fit, a row of its own, filling the gap to
// its neighbours, and the reducing layout of large buttons.
constexpr DWORD kBarFlagDockAny = 0x0F;
constexpr DWORD kBarFlagFloatable = 0x10;
constexpr DWORD kBarFlagMayHide = 0x20;
constexpr DWORD kBarFlagStretched = 0x40;
constexpr DWORD kBarFlagFillGap = 0x100000;
constexpr DWORD kBarFlagReduceLayout = 0x200000;
// Bar style bit: the gripper is shown.
constexpr DWORD kBarStyleGripper = 0x400000;

// Private messages to the site window.
constexpr UINT LVK_WM_TOOLBARVISCHANGED = 0x2855;
constexpr UINT LVK_WM_CONTROLSELECTED = 0x2856;
constexpr UINT LVK_WM_CUSTOMIZESELECTION = 0x2857;
constexpr UINT LVK_WM_TRACKINGMENUBAR = 0x2858;
constexpr UINT LVK_WM_CONTROLRBUTTONUP = 0x2859;
constexpr UINT LVK_WM_TRACKINGKEY = 0x285A;
constexpr UINT LVK_WM_INITPOPUP = 0x285B;
constexpr UINT LVK_WM_TOOLBARCONTEXTMENU = 0x285C;
constexpr UINT LVK_WM_UNINITPOPUP = 0x285D;
constexpr UINT LVK_WM_BEFORECREATECONTROL = 0x285E;
constexpr UINT LVK_WM_AFTERCREATECONTROL = 0x285F;
constexpr UINT LVK_WM_GETMDIICON = 0x2860;
constexpr UINT LVK_WM_CREATECOMMANDBAR = 0x2861;
constexpr UINT LVK_WM_CONTROLNOTIFY = 0x2862;
constexpr UINT LVK_WM_TOOLBARRESET = 0x2864;
constexpr UINT LVK_WM_TEAROFFPOPUP = 0x2867;

// Control notification codes carried by LVK_WM_CONTROLNOTIFY.
constexpr int kNotifyExecute = 100;

// Command ids the command bars keep for themselves.
constexpr int kIdFirstReserved = 9100;
constexpr int kIdLastReserved = 9299;
constexpr int kIdCustomizeAddRemove = 9122;
constexpr int kIdCustomizeReset = 9123;
constexpr int kIdToolBarOptions = 9148;
constexpr int kIdToolBarClose = 9149;
constexpr int kIdToolBarExpand = 9150;
constexpr int kIdWindowList = 35000;
constexpr int kIdWorkspaceActions = 35002;
constexpr int kIdRecentFileList = 35003;
constexpr int kIdToolBarList = 0xE800;
constexpr int kIdMenuRecentFiles = 0xE110;
constexpr int kIdMenuOleVerbs = 0xE210;
constexpr int kIdMenuSkipped = 0xFF00;
constexpr int kIdLastAction = 0xFFFFFFE;

// The timer of a pressed control's auto-repeat.
constexpr UINT_PTR kTimerAutoRepeat = 4269;
// The hover delay after which a hot control's popup opens (300 ms).
constexpr UINT_PTR kTimerHover = 112223;
// The delay after which an open personalised menu shows its rarely used
// commands while the pointer rests on its title (5000 ms).
constexpr UINT_PTR kTimerFullMenu = 112224;

// LVK_WM_CONTROLNOTIFY's record (lParam); wParam is the control's id.
struct LVK_CONTROL_NOTIFY
{
    NMHDR hdr;  // hwndFrom 0, idFrom max(id, 0), code
    CLVKControl* pControl;
};

// LVK_WM_TRACKINGKEY's record (wParam); lParam is the tracking bar.
struct LVK_TRACKING_KEY
{
    UINT nVirtKey;
    LPARAM lKeyData;
};

// LVK_WM_BEFORECREATECONTROL / LVK_WM_AFTERCREATECONTROL's record (lParam):
// the site may change the id, caption, type and style, or hand a control
// of its own (then answering non-zero).
struct LVK_CONTROL_CREATE
{
    int nId;
    CLVKControl* pControl;
    BOOL bToolBar;
    int nIndex;
    HMENU hMenu;
    CLVKCommandBar* pCommandBar;
    CString strCaption;
    int nType;
    int nStyle;
};

// LVK_WM_CREATECOMMANDBAR's record: the site may supply the bar.
struct LVK_COMMANDBAR_CREATE_REQUEST
{
    CLVKCommandBar* pCommandBar;
    BOOL bPopup;
    BOOL bExpandBar;
    BOOL bToolBar;
    BOOL bTearOffBar;
    LPCTSTR lpcstrCaption;
    UINT nID;
};
