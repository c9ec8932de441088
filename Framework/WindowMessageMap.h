// The ON_WM_ message-map entries: each maps one window message to the
// handler of the usual name and signature (CWnd declares the defaults).
#pragma once

#include "MessageMap.h"

#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019  // stands for every WM_CTLCOLORxxx message
#endif

#define ON_WM_CREATE() \
    {WM_CREATE, 0, 0, 0, AfxSig_i_CREATE, AFX_PMSG_OF(CWnd, int, (LPCREATESTRUCT), &ThisClass::OnCreate)},
#define ON_WM_NCCREATE() \
    {WM_NCCREATE, 0, 0, 0, AfxSig_b_CREATE, AFX_PMSG_OF(CWnd, BOOL, (LPCREATESTRUCT), &ThisClass::OnNcCreate)},
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, 0, AfxSig_v_v, AFX_PMSG_OF(CWnd, void, (), &ThisClass::OnDestroy)},
#define ON_WM_NCDESTROY() {WM_NCDESTROY, 0, 0, 0, AfxSig_v_v, AFX_PMSG_OF(CWnd, void, (), &ThisClass::OnNcDestroy)},
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, 0, AfxSig_v_v, AFX_PMSG_OF(CWnd, void, (), &ThisClass::OnClose)},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, AfxSig_v_v, AFX_PMSG_OF(CWnd, void, (), &ThisClass::OnPaint)},
#define ON_WM_NCPAINT() {WM_NCPAINT, 0, 0, 0, AfxSig_v_v, AFX_PMSG_OF(CWnd, void, (), &ThisClass::OnNcPaint)},
#define ON_WM_ERASEBKGND() \
    {WM_ERASEBKGND, 0, 0, 0, AfxSig_b_D, AFX_PMSG_OF(CWnd, BOOL, (CDC*), &ThisClass::OnEraseBkgnd)},
#define ON_WM_SIZE() {WM_SIZE, 0, 0, 0, AfxSig_v_u_i_i, AFX_PMSG_OF(CWnd, void, (UINT, int, int), &ThisClass::OnSize)},
#define ON_WM_MOVE() {WM_MOVE, 0, 0, 0, AfxSig_v_i_i, AFX_PMSG_OF(CWnd, void, (int, int), &ThisClass::OnMove)},
#define ON_WM_TIMER() {WM_TIMER, 0, 0, 0, AfxSig_v_up, AFX_PMSG_OF(CWnd, void, (UINT_PTR), &ThisClass::OnTimer)},
#define ON_WM_SETFOCUS() {WM_SETFOCUS, 0, 0, 0, AfxSig_v_W, AFX_PMSG_OF(CWnd, void, (CWnd*), &ThisClass::OnSetFocus)},
#define ON_WM_KILLFOCUS() \
    {WM_KILLFOCUS, 0, 0, 0, AfxSig_v_W, AFX_PMSG_OF(CWnd, void, (CWnd*), &ThisClass::OnKillFocus)},
#define ON_WM_CAPTURECHANGED() \
    {WM_CAPTURECHANGED, 0, 0, 0, AfxSig_v_W, AFX_PMSG_OF(CWnd, void, (CWnd*), &ThisClass::OnCaptureChanged)},
#define ON_WM_CONTEXTMENU() \
    {WM_CONTEXTMENU, 0, 0, 0, AfxSig_v_W_p, AFX_PMSG_OF(CWnd, void, (CWnd*, CPoint), &ThisClass::OnContextMenu)},
#define ON_WM_SETCURSOR() \
    {WM_SETCURSOR, 0, 0, 0, AfxSig_b_W_u_u, AFX_PMSG_OF(CWnd, BOOL, (CWnd*, UINT, UINT), &ThisClass::OnSetCursor)},
#define ON_WM_MOUSEACTIVATE() \
    {WM_MOUSEACTIVATE,        \
     0,                       \
     0,                       \
     0,                       \
     AfxSig_i_W_u_u,          \
     AFX_PMSG_OF(CWnd, int, (CWnd*, UINT, UINT), &ThisClass::OnMouseActivate)},
#define ON_WM_CTLCOLOR() \
    {WM_CTLCOLOR, 0, 0, 0, AfxSig_hbr_D_W_u, AFX_PMSG_OF(CWnd, HBRUSH, (CDC*, CWnd*, UINT), &ThisClass::OnCtlColor)},
#define ON_WM_CTLCOLOR_REFLECT()    \
    {WM_CTLCOLOR + WM_REFLECT_BASE, \
     0,                             \
     0,                             \
     0,                             \
     AfxSig_hbr_D_u,                \
     AFX_PMSG_OF(CWnd, HBRUSH, (CDC*, UINT), &ThisClass::CtlColor)},
#define ON_WM_GETMINMAXINFO() \
    {WM_GETMINMAXINFO, 0, 0, 0, AfxSig_v_MINMAX, AFX_PMSG_OF(CWnd, void, (MINMAXINFO*), &ThisClass::OnGetMinMaxInfo)},
#define ON_WM_DRAWITEM() \
    {WM_DRAWITEM, 0, 0, 0, AfxSig_v_i_DRAW, AFX_PMSG_OF(CWnd, void, (int, LPDRAWITEMSTRUCT), &ThisClass::OnDrawItem)},
#define ON_WM_MEASUREITEM() \
    {WM_MEASUREITEM,        \
     0,                     \
     0,                     \
     0,                     \
     AfxSig_v_i_MEASURE,    \
     AFX_PMSG_OF(CWnd, void, (int, LPMEASUREITEMSTRUCT), &ThisClass::OnMeasureItem)},
#define ON_WM_DRAWITEM_REFLECT()    \
    {WM_DRAWITEM + WM_REFLECT_BASE, \
     0,                             \
     0,                             \
     0,                             \
     AfxSig_v_DRAW,                 \
     AFX_PMSG_OF(CWnd, void, (LPDRAWITEMSTRUCT), &ThisClass::DrawItem)},
#define ON_WM_MEASUREITEM_REFLECT()    \
    {WM_MEASUREITEM + WM_REFLECT_BASE, \
     0,                                \
     0,                                \
     0,                                \
     AfxSig_v_MEASURE,                 \
     AFX_PMSG_OF(CWnd, void, (LPMEASUREITEMSTRUCT), &ThisClass::MeasureItem)},
#define ON_WM_SYSCOMMAND() \
    {WM_SYSCOMMAND, 0, 0, 0, AfxSig_v_u_l, AFX_PMSG_OF(CWnd, void, (UINT, LPARAM), &ThisClass::OnSysCommand)},
#define ON_WM_PARENTNOTIFY() \
    {WM_PARENTNOTIFY, 0, 0, 0, AfxSig_v_u_l, AFX_PMSG_OF(CWnd, void, (UINT, LPARAM), &ThisClass::OnParentNotify)},
#define ON_WM_ACTIVATE() \
    {WM_ACTIVATE, 0, 0, 0, AfxSig_v_u_W_b, AFX_PMSG_OF(CWnd, void, (UINT, CWnd*, BOOL), &ThisClass::OnActivate)},
#define ON_WM_ACTIVATEAPP() \
    {WM_ACTIVATEAPP, 0, 0, 0, AfxSig_v_b_dw, AFX_PMSG_OF(CWnd, void, (BOOL, DWORD), &ThisClass::OnActivateApp)},
#define ON_WM_SHOWWINDOW() \
    {WM_SHOWWINDOW, 0, 0, 0, AfxSig_v_b_u, AFX_PMSG_OF(CWnd, void, (BOOL, UINT), &ThisClass::OnShowWindow)},
#define ON_WM_WINDOWPOSCHANGING() \
    {WM_WINDOWPOSCHANGING,        \
     0,                           \
     0,                           \
     0,                           \
     AfxSig_v_POS,                \
     AFX_PMSG_OF(CWnd, void, (WINDOWPOS*), &ThisClass::OnWindowPosChanging)},
#define ON_WM_WINDOWPOSCHANGED() \
    {WM_WINDOWPOSCHANGED, 0, 0, 0, AfxSig_v_POS, AFX_PMSG_OF(CWnd, void, (WINDOWPOS*), &ThisClass::OnWindowPosChanged)},
#define ON_WM_SETTINGCHANGE() \
    {WM_SETTINGCHANGE, 0, 0, 0, AfxSig_v_u_str, AFX_PMSG_OF(CWnd, void, (UINT, LPCTSTR), &ThisClass::OnSettingChange)},
#define ON_WM_NCHITTEST() \
    {WM_NCHITTEST, 0, 0, 0, AfxSig_l_p, AFX_PMSG_OF(CWnd, LRESULT, (CPoint), &ThisClass::OnNcHitTest)},
#define ON_WM_NCCALCSIZE() \
    {WM_NCCALCSIZE,        \
     0,                    \
     0,                    \
     0,                    \
     AfxSig_v_b_NCCALC,    \
     AFX_PMSG_OF(CWnd, void, (BOOL, NCCALCSIZE_PARAMS*), &ThisClass::OnNcCalcSize)},
#define ON_WM_NCACTIVATE() \
    {WM_NCACTIVATE, 0, 0, 0, AfxSig_b_b, AFX_PMSG_OF(CWnd, BOOL, (BOOL), &ThisClass::OnNcActivate)},
#define ON_WM_ENABLE() {WM_ENABLE, 0, 0, 0, AfxSig_v_b, AFX_PMSG_OF(CWnd, void, (BOOL), &ThisClass::OnEnable)},
#define ON_WM_ENDSESSION() \
    {WM_ENDSESSION, 0, 0, 0, AfxSig_v_b, AFX_PMSG_OF(CWnd, void, (BOOL), &ThisClass::OnEndSession)},
#define ON_WM_QUERYENDSESSION() \
    {WM_QUERYENDSESSION, 0, 0, 0, AfxSig_b_v, AFX_PMSG_OF(CWnd, BOOL, (), &ThisClass::OnQueryEndSession)},
#define ON_WM_HSCROLL() \
    {WM_HSCROLL, 0, 0, 0, AfxSig_v_u_u_SB, AFX_PMSG_OF(CWnd, void, (UINT, UINT, CScrollBar*), &ThisClass::OnHScroll)},
#define ON_WM_VSCROLL() \
    {WM_VSCROLL, 0, 0, 0, AfxSig_v_u_u_SB, AFX_PMSG_OF(CWnd, void, (UINT, UINT, CScrollBar*), &ThisClass::OnVScroll)},
#define ON_WM_HSCROLL_REFLECT() \
    {WM_HSCROLL + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_u_u, AFX_PMSG_OF(CWnd, void, (UINT, UINT), &ThisClass::HScroll)},
#define ON_WM_VSCROLL_REFLECT() \
    {WM_VSCROLL + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_u_u, AFX_PMSG_OF(CWnd, void, (UINT, UINT), &ThisClass::VScroll)},
#define ON_WM_DROPFILES() \
    {WM_DROPFILES, 0, 0, 0, AfxSig_v_DROP, AFX_PMSG_OF(CWnd, void, (HDROP), &ThisClass::OnDropFiles)},
#define ON_WM_INITMENUPOPUP() \
    {WM_INITMENUPOPUP,        \
     0,                       \
     0,                       \
     0,                       \
     AfxSig_v_M_u_b,          \
     AFX_PMSG_OF(CWnd, void, (CMenu*, UINT, BOOL), &ThisClass::OnInitMenuPopup)},
#define ON_WM_INITMENU() {WM_INITMENU, 0, 0, 0, AfxSig_v_M, AFX_PMSG_OF(CWnd, void, (CMenu*), &ThisClass::OnInitMenu)},
#define ON_WM_MENUSELECT() \
    {WM_MENUSELECT, 0, 0, 0, AfxSig_v_u_u_hm, AFX_PMSG_OF(CWnd, void, (UINT, UINT, HMENU), &ThisClass::OnMenuSelect)},
#define ON_WM_MENUCHAR() \
    {WM_MENUCHAR, 0, 0, 0, AfxSig_l_u_u_M, AFX_PMSG_OF(CWnd, LRESULT, (UINT, UINT, CMenu*), &ThisClass::OnMenuChar)},
#define ON_WM_COPYDATA() \
    {WM_COPYDATA, 0, 0, 0, AfxSig_b_W_COPY, AFX_PMSG_OF(CWnd, BOOL, (CWnd*, COPYDATASTRUCT*), &ThisClass::OnCopyData)},
#define ON_WM_HELPINFO() \
    {WM_HELP, 0, 0, 0, AfxSig_b_HELP, AFX_PMSG_OF(CWnd, BOOL, (HELPINFO*), &ThisClass::OnHelpInfo)},
#define ON_WM_STYLECHANGED() \
    {WM_STYLECHANGED,        \
     0,                      \
     0,                      \
     0,                      \
     AfxSig_v_i_STYLE,       \
     AFX_PMSG_OF(CWnd, void, (int, LPSTYLESTRUCT), &ThisClass::OnStyleChanged)},
#define ON_WM_STYLECHANGING() \
    {WM_STYLECHANGING,        \
     0,                       \
     0,                       \
     0,                       \
     AfxSig_v_i_STYLE,        \
     AFX_PMSG_OF(CWnd, void, (int, LPSTYLESTRUCT), &ThisClass::OnStyleChanging)},
#define ON_WM_DEVICECHANGE() \
    {WM_DEVICECHANGE, 0, 0, 0, AfxSig_b_u_dw, AFX_PMSG_OF(CWnd, BOOL, (UINT, DWORD_PTR), &ThisClass::OnDeviceChange)},
#define ON_WM_PRINTCLIENT() \
    {WM_PRINTCLIENT, 0, 0, 0, AfxSig_l_D_u, AFX_PMSG_OF(CWnd, LRESULT, (CDC*, UINT), &ThisClass::OnPrintClient)},
#define ON_WM_GETDLGCODE() {WM_GETDLGCODE, 0, 0, 0, AfxSig_u_v, AFX_PMSG_OF(CWnd, UINT, (), &ThisClass::OnGetDlgCode)},
#define ON_WM_CANCELMODE() {WM_CANCELMODE, 0, 0, 0, AfxSig_v_v, AFX_PMSG_OF(CWnd, void, (), &ThisClass::OnCancelMode)},
#define ON_WM_SYSCOLORCHANGE() \
    {WM_SYSCOLORCHANGE, 0, 0, 0, AfxSig_v_v, AFX_PMSG_OF(CWnd, void, (), &ThisClass::OnSysColorChange)},
#define ON_WM_TIMECHANGE() {WM_TIMECHANGE, 0, 0, 0, AfxSig_v_v, AFX_PMSG_OF(CWnd, void, (), &ThisClass::OnTimeChange)},
#define ON_WM_THEMECHANGED() \
    {WM_THEMECHANGED, 0, 0, 0, AfxSig_l_v, AFX_PMSG_OF(CWnd, LRESULT, (), &ThisClass::OnThemeChanged)},
#define ON_WM_MOUSELEAVE() {WM_MOUSELEAVE, 0, 0, 0, AfxSig_v_v, AFX_PMSG_OF(CWnd, void, (), &ThisClass::OnMouseLeave)},
#define ON_WM_NCMOUSELEAVE() \
    {WM_NCMOUSELEAVE, 0, 0, 0, AfxSig_v_v, AFX_PMSG_OF(CWnd, void, (), &ThisClass::OnNcMouseLeave)},
#define ON_WM_MOUSEHOVER() \
    {WM_MOUSEHOVER, 0, 0, 0, AfxSig_v_u_p, AFX_PMSG_OF(CWnd, void, (UINT, CPoint), &ThisClass::OnMouseHover)},
#define ON_WM_MOUSEMOVE() \
    {WM_MOUSEMOVE, 0, 0, 0, AfxSig_v_u_p, AFX_PMSG_OF(CWnd, void, (UINT, CPoint), &ThisClass::OnMouseMove)},
#define ON_WM_LBUTTONDOWN() \
    {WM_LBUTTONDOWN, 0, 0, 0, AfxSig_v_u_p, AFX_PMSG_OF(CWnd, void, (UINT, CPoint), &ThisClass::OnLButtonDown)},
#define ON_WM_LBUTTONUP() \
    {WM_LBUTTONUP, 0, 0, 0, AfxSig_v_u_p, AFX_PMSG_OF(CWnd, void, (UINT, CPoint), &ThisClass::OnLButtonUp)},
#define ON_WM_LBUTTONDBLCLK() \
    {WM_LBUTTONDBLCLK, 0, 0, 0, AfxSig_v_u_p, AFX_PMSG_OF(CWnd, void, (UINT, CPoint), &ThisClass::OnLButtonDblClk)},
#define ON_WM_RBUTTONDOWN() \
    {WM_RBUTTONDOWN, 0, 0, 0, AfxSig_v_u_p, AFX_PMSG_OF(CWnd, void, (UINT, CPoint), &ThisClass::OnRButtonDown)},
#define ON_WM_RBUTTONUP() \
    {WM_RBUTTONUP, 0, 0, 0, AfxSig_v_u_p, AFX_PMSG_OF(CWnd, void, (UINT, CPoint), &ThisClass::OnRButtonUp)},
#define ON_WM_RBUTTONDBLCLK() \
    {WM_RBUTTONDBLCLK, 0, 0, 0, AfxSig_v_u_p, AFX_PMSG_OF(CWnd, void, (UINT, CPoint), &ThisClass::OnRButtonDblClk)},
#define ON_WM_MBUTTONDOWN() \
    {WM_MBUTTONDOWN, 0, 0, 0, AfxSig_v_u_p, AFX_PMSG_OF(CWnd, void, (UINT, CPoint), &ThisClass::OnMButtonDown)},
#define ON_WM_MBUTTONUP() \
    {WM_MBUTTONUP, 0, 0, 0, AfxSig_v_u_p, AFX_PMSG_OF(CWnd, void, (UINT, CPoint), &ThisClass::OnMButtonUp)},
#define ON_WM_MBUTTONDBLCLK() \
    {WM_MBUTTONDBLCLK, 0, 0, 0, AfxSig_v_u_p, AFX_PMSG_OF(CWnd, void, (UINT, CPoint), &ThisClass::OnMButtonDblClk)},
#define ON_WM_NCMOUSEMOVE() \
    {WM_NCMOUSEMOVE, 0, 0, 0, AfxSig_v_u_p, AFX_PMSG_OF(CWnd, void, (UINT, CPoint), &ThisClass::OnNcMouseMove)},
#define ON_WM_NCLBUTTONDOWN() \
    {WM_NCLBUTTONDOWN, 0, 0, 0, AfxSig_v_u_p, AFX_PMSG_OF(CWnd, void, (UINT, CPoint), &ThisClass::OnNcLButtonDown)},
#define ON_WM_NCLBUTTONUP() \
    {WM_NCLBUTTONUP, 0, 0, 0, AfxSig_v_u_p, AFX_PMSG_OF(CWnd, void, (UINT, CPoint), &ThisClass::OnNcLButtonUp)},
#define ON_WM_NCLBUTTONDBLCLK() \
    {WM_NCLBUTTONDBLCLK, 0, 0, 0, AfxSig_v_u_p, AFX_PMSG_OF(CWnd, void, (UINT, CPoint), &ThisClass::OnNcLButtonDblClk)},
#define ON_WM_NCRBUTTONDOWN() \
    {WM_NCRBUTTONDOWN, 0, 0, 0, AfxSig_v_u_p, AFX_PMSG_OF(CWnd, void, (UINT, CPoint), &ThisClass::OnNcRButtonDown)},
#define ON_WM_NCRBUTTONUP() \
    {WM_NCRBUTTONUP, 0, 0, 0, AfxSig_v_u_p, AFX_PMSG_OF(CWnd, void, (UINT, CPoint), &ThisClass::OnNcRButtonUp)},
#define ON_WM_MOUSEWHEEL() \
    {WM_MOUSEWHEEL, 0, 0, 0, AfxSig_b_u_s_p, AFX_PMSG_OF(CWnd, BOOL, (UINT, short, CPoint), &ThisClass::OnMouseWheel)},
#define ON_WM_MOUSEHWHEEL() \
    {WM_MOUSEHWHEEL,        \
     0,                     \
     0,                     \
     0,                     \
     AfxSig_v_u_s_p,        \
     AFX_PMSG_OF(CWnd, void, (UINT, short, CPoint), &ThisClass::OnMouseHWheel)},
#define ON_WM_KEYDOWN() \
    {WM_KEYDOWN, 0, 0, 0, AfxSig_v_u_u_u, AFX_PMSG_OF(CWnd, void, (UINT, UINT, UINT), &ThisClass::OnKeyDown)},
#define ON_WM_KEYUP() \
    {WM_KEYUP, 0, 0, 0, AfxSig_v_u_u_u, AFX_PMSG_OF(CWnd, void, (UINT, UINT, UINT), &ThisClass::OnKeyUp)},
#define ON_WM_CHAR() \
    {WM_CHAR, 0, 0, 0, AfxSig_v_u_u_u, AFX_PMSG_OF(CWnd, void, (UINT, UINT, UINT), &ThisClass::OnChar)},
#define ON_WM_SYSKEYDOWN() \
    {WM_SYSKEYDOWN, 0, 0, 0, AfxSig_v_u_u_u, AFX_PMSG_OF(CWnd, void, (UINT, UINT, UINT), &ThisClass::OnSysKeyDown)},
#define ON_WM_SYSKEYUP() \
    {WM_SYSKEYUP, 0, 0, 0, AfxSig_v_u_u_u, AFX_PMSG_OF(CWnd, void, (UINT, UINT, UINT), &ThisClass::OnSysKeyUp)},
#define ON_WM_SYSCHAR() \
    {WM_SYSCHAR, 0, 0, 0, AfxSig_v_u_u_u, AFX_PMSG_OF(CWnd, void, (UINT, UINT, UINT), &ThisClass::OnSysChar)},
#define ON_WM_DEADCHAR() \
    {WM_DEADCHAR, 0, 0, 0, AfxSig_v_u_u_u, AFX_PMSG_OF(CWnd, void, (UINT, UINT, UINT), &ThisClass::OnDeadChar)},
