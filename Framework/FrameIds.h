// The frame and control-bar protocol: framework messages, the ids of bars and
// panes, the standard command ids, the bar styles and the layout modes.
#pragma once

#include "AfxBase.h"

// Framework messages of frames and bars.
#define WM_SIZEPARENT 0x0361        // lParam AFX_SIZEPARENTPARAMS*: take a share of the parent's client area
#define WM_SETMESSAGESTRING 0x0362  // wParam prompt id, or lParam the text; answers the previous id
#define WM_INITIALUPDATE 0x0364     // sent once after a frame is made
#define WM_FLOATSTATUS 0x036D       // wParam FS_* to windows that float beside a frame
#define WM_POPMESSAGESTRING 0x0375  // as WM_SETMESSAGESTRING, unless the frame holds its text (WF_NOPOPMSG)

// WM_FLOATSTATUS flags.
#define FS_SHOW 0x01
#define FS_HIDE 0x02
#define FS_ACTIVATE 0x04
#define FS_DEACTIVATE 0x08
#define FS_ENABLE 0x10
#define FS_DISABLE 0x20
#define FS_SYNCACTIVE 0x40  // the window answers 1: its activation keeps the frame's caption active

// Window style of a pop-up that follows its frame's activation.
#define MFS_SYNCACTIVE 0x00000100L

// Child window ids in a frame.
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF
#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_STATUS_BAR 0xE801  // the message bar: it shows the prompts
#define AFX_IDW_PREVIEW_BAR 0xE802
#define AFX_IDW_RESIZE_BAR 0xE803
#define AFX_IDW_REBAR 0xE804
#define AFX_IDW_DIALOGBAR 0xE805
#define AFX_IDW_MENUBAR 0xE806
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E
#define AFX_IDW_DOCKBAR_FLOAT 0xE81F
#define AFX_IDW_PANE_FIRST 0xE900  // the frame's client pane: what the bars leave over
#define AFX_IDW_PANE_LAST 0xE9FF
#define AFX_IDW_HSCROLL_FIRST 0xEA00
#define AFX_IDW_VSCROLL_FIRST 0xEA10
#define AFX_IDW_SIZE_BOX 0xEA20
#define AFX_IDW_PANE_SAVE 0xEA21

// Prompt string ids.
#define AFX_IDS_IDLEMESSAGE 0xE001  // "Ready"
#define AFX_IDS_HELPMODEMESSAGE 0xE002

// Standard command ids.
#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_CLOSE 0xE102
#define ID_FILE_SAVE 0xE103
#define ID_FILE_SAVE_AS 0xE104
#define ID_FILE_PAGE_SETUP 0xE105
#define ID_FILE_PRINT_SETUP 0xE106
#define ID_FILE_PRINT 0xE107
#define ID_FILE_PRINT_DIRECT 0xE108
#define ID_FILE_PRINT_PREVIEW 0xE109
#define ID_EDIT_CLEAR 0xE120
#define ID_EDIT_CLEAR_ALL 0xE121
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_FIND 0xE124
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_PASTE_LINK 0xE126
#define ID_EDIT_PASTE_SPECIAL 0xE127
#define ID_EDIT_REPEAT 0xE128
#define ID_EDIT_REPLACE 0xE129
#define ID_EDIT_SELECT_ALL 0xE12A
#define ID_EDIT_UNDO 0xE12B
#define ID_EDIT_REDO 0xE12C
#define ID_WINDOW_NEW 0xE130
#define ID_WINDOW_ARRANGE 0xE131
#define ID_WINDOW_CASCADE 0xE132
#define ID_WINDOW_TILE_HORZ 0xE133
#define ID_WINDOW_TILE_VERT 0xE134
#define ID_WINDOW_SPLIT 0xE135
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141
#define ID_HELP_INDEX 0xE142
#define ID_HELP_FINDER 0xE143
#define ID_HELP_USING 0xE144
#define ID_CONTEXT_HELP 0xE145
#define ID_HELP 0xE146
#define ID_DEFAULT_HELP 0xE147
#define ID_NEXT_PANE 0xE150
#define ID_PREV_PANE 0xE151
#define ID_INDICATOR_EXT 0xE700
#define ID_INDICATOR_CAPS 0xE701
#define ID_INDICATOR_NUM 0xE702
#define ID_INDICATOR_SCRL 0xE703
#define ID_INDICATOR_OVR 0xE704
#define ID_INDICATOR_REC 0xE705
#define ID_VIEW_TOOLBAR 0xE800
#define ID_VIEW_STATUS_BAR 0xE801
#define ID_VIEW_REBAR 0xE804

// Control-bar styles (CControlBar::m_dwStyle).
#define CBRS_NOALIGN 0x00000000L
#define CBRS_FLOATING 0x00000001L
#define CBRS_SIZE_FIXED 0x00000002L
#define CBRS_SIZE_DYNAMIC 0x00000004L
#define CBRS_HIDE_INPLACE 0x00000008L
#define CBRS_TOOLTIPS 0x00000010L
#define CBRS_FLYBY 0x00000020L
#define CBRS_FLOAT_MULTI 0x00000040L
#define CBRS_BORDER_3D 0x00000080L
#define CBRS_BORDER_LEFT 0x00000100L
#define CBRS_BORDER_TOP 0x00000200L
#define CBRS_BORDER_RIGHT 0x00000400L
#define CBRS_BORDER_BOTTOM 0x00000800L
#define CBRS_BORDER_ANY 0x00000F00L
#define CBRS_ALIGN_LEFT 0x00001000L
#define CBRS_ALIGN_TOP 0x00002000L
#define CBRS_ALIGN_RIGHT 0x00004000L
#define CBRS_ALIGN_BOTTOM 0x00008000L
#define CBRS_ALIGN_ANY 0x0000F000L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Layout modes of a bar's dynamic layout (CControlBar::CalcDynamicLayout).
#define LM_STRETCH 0x01   // stretch to the length (width when LM_HORZ, else height)
#define LM_HORZ 0x02      // horizontal, else vertical
#define LM_MRUWIDTH 0x04  // the most recently used width of a floating bar
#define LM_HORZDOCK 0x08  // docked along a horizontal edge
#define LM_VERTDOCK 0x10  // docked along a vertical edge
#define LM_LENGTHY 0x20   // the length is a height (floating bars sized from the top or bottom)
#define LM_COMMIT 0x40    // remember the result

// The parameter block of WM_SIZEPARENT. Each bar takes its share off rect
// and adds it to sizeTotal; hDWP is NULL when the layout is only asked for
// (nobody moves then).
struct AFX_SIZEPARENTPARAMS
{
    HDWP hDWP;
    RECT rect;       // what is left of the parent's client area
    SIZE sizeTotal;  // the size the bars took so far
    BOOL bStretch;   // bars stretch across the parent
};

// Moves a bar to rect (parent client coordinates) through the layout's
// deferred positions; nothing in query mode or when it is there already.
void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);
