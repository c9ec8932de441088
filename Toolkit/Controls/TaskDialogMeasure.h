// Text measuring of the emulated task dialog: dialog units, wrapped and ideal
// text sizes, the lines of a command-link caption, and string loading.
#pragma once

#include "Framework.h"

class CLVKMarkupContext;
class CLVKMarkupUIElement;

// Dialog units to pixels with the system's dialog base units.
SIZE AFX_CDECL TaskDialogDluToPixels(int x, int y);
// The text word-wrapped at size.cx (and size.cy); size becomes the wrapped
// size. FALSE (size 0 x 0) for an empty text, no font or a failed DrawText.
// *pbWraps tells whether the text needed more than one line.
BOOL AFX_CDECL TaskDialogCalcTextRect(const CString& strText, SIZE& size, HFONT hFont, BOOL* pbWraps = nullptr);
// The width the text would like: its one-line width, widened beyond
// nThresholdDlu in proportion to nGrowthDlu; TRUE when size was wrapped.
BOOL AFX_CDECL TaskDialogCalcIdealTextSize(const CString& strText, SIZE& size, HFONT hFont, int nThresholdDlu,
                                           int nGrowthDlu);
// The ideal size of a markup element drawn with hFont as the context's
// default font (its colour unchanged): the unconstrained width, widened
// beyond nThresholdDlu in proportion to nGrowthDlu, then the element is
// measured at size.cx; when that gives back the offered width at the
// unconstrained height, the unconstrained size is kept. Always TRUE.
BOOL AFX_CDECL TaskDialogCalcIdealMarkupSize(CLVKMarkupContext* pContext, CLVKMarkupUIElement* pElement, SIZE& size,
                                             HFONT hFont, int nThresholdDlu, int nGrowthDlu);
// Piece nIndex of a caption split at line feeds (a command link's title and note).
CString AFX_CDECL TaskDialogExtractLine(const CString& strCaption, int nIndex);
// LoadStringW into a buffer that grows until the string fits; returns the
// loaded length (the text is empty for 0 or less).
int AFX_CDECL TaskDialogLoadString(HINSTANCE hInstance, UINT nID, CString& strText);
