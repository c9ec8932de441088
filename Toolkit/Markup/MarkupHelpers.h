// The door through which the rest of the program uses markup: create a
// context for a window, parse a text into an element tree, measure, draw,
// relay mouse messages, release. Every function accepts null handles.
#pragma once

#include "Framework.h"

class CLVKMarkupContext;
class CLVKMarkupUIElement;

CLVKMarkupContext* AFX_CDECL MarkupCreateContext(HWND hWnd, BOOL bDpiAware = FALSE);
CLVKMarkupUIElement* AFX_CDECL MarkupParseText(CLVKMarkupContext* pContext, LPCWSTR lpszText);
SIZE AFX_CDECL MarkupMeasureElement(CLVKMarkupUIElement* pElement, int nWidth = 0x7FFFFFFF, int nHeight = 0x7FFFFFFF);
void AFX_CDECL MarkupRenderElement(CLVKMarkupUIElement* pElement, HDC hDC, LPCRECT lpRect);
void AFX_CDECL MarkupDrawText(CLVKMarkupContext* pContext, HDC hDC, LPCWSTR lpszText, LPRECT lpRect, UINT nFormat);
void AFX_CDECL MarkupSetDefaultFont(CLVKMarkupContext* pContext, HFONT hFont, COLORREF clrText);
BOOL AFX_CDECL MarkupRelayElementMessage(CLVKMarkupUIElement* pElement, UINT message, WPARAM wParam, LPARAM lParam,
                                         LRESULT* pResult);
BOOL AFX_CDECL MarkupRelayContextMessage(CLVKMarkupContext* pContext, UINT message, WPARAM wParam, LPARAM lParam,
                                         LRESULT* pResult);
void AFX_CDECL MarkupReleaseElement(CLVKMarkupUIElement*& pElement);
void AFX_CDECL MarkupReleaseContext(CLVKMarkupContext*& pContext);
CLVKMarkupContext* AFX_CDECL MarkupGetElementContext(CLVKMarkupUIElement* pElement);
