// Window helpers of the drawing code: texts read around the window's own
// handlers, the active-window test, class registration, the pop-up mouse
// hook, the paint-message flush and right-to-left mirroring of keys and
// points.
#pragma once

#include "Framework.h"

// The text by DefWindowProc, bypassing the window's own text handlers; cut
// at its first zero.
void AFX_CDECL LVKGetWindowTextDirect(HWND hWnd, CString& strText);
// The window's text; when it is empty or the window is no frame (a child
// window), its parent frame's, then its top-level parent's.
CString AFX_CDECL LVKGetOwnerFrameTitle(HWND hWnd);
// The foreground window is the last active pop-up of the window's top owner.
BOOL AFX_CDECL LVKIsTopLevelActive(HWND hWnd);
// A class with DefWindowProcW and the arrow cursor, for the given instance,
// else the module's instance, else the executable's.
BOOL AFX_CDECL LVKRegisterWindowClass(HINSTANCE hInstance, LPCWSTR lpszClassName, UINT nClassStyle,
                                      HICON hIcon = nullptr, HBRUSH hbrBackground = nullptr);
// With a window: clicks outside it are swallowed and the focus goes to its
// owner (or parent), so that it closes. Null removes the hook.
void AFX_CDECL LVKSetPopupMouseHook(HWND hWnd);
HHOOK AFX_CDECL LVKGetPopupMouseHook();
// Dispatches the waiting paint messages of the window; FALSE when a WM_QUIT
// was met (it is posted again).
BOOL AFX_CDECL LVKFlushPaintMessages(HWND hWnd);
// VK_LEFT and VK_RIGHT swap for a right-to-left window.
void AFX_CDECL LVKMirrorArrowKey(HWND hWnd, UINT& nKey);
// Screen point to window coordinates, mirrored for a right-to-left window
// (then x is also returned; else 0).
int AFX_CDECL LVKScreenToWindowPoint(HWND hWnd, POINT& pt);
