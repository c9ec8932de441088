// CLVKAuxData: the resources the standard controls share, once per process:
// a snapshot of system and toolkit colours, cursors, a few metrics, fonts
// derived from the system's non-client fonts, and the Windows version.
#pragma once

#include "Foundation/Font.h"

class CLVKAuxData
{
public:
    CLVKAuxData();
    virtual ~CLVKAuxData();

    void UpdateSysColors();
    void UpdateSysMetrics();
    // Every cursor is loaded on its own: a missing one leaves only itself
    // null. TRUE when all were loaded.
    BOOL LoadCursors();
    // FALSE at the first font that cannot be made; the later ones stay empty.
    BOOL UpdateFonts(LPCWSTR lpszFace = nullptr, LPCWSTR lpszVerticalFace = nullptr);
    static BOOL AFX_CDECL FontExists(LPCWSTR lpszFace);

    // System colours.
    COLORREF clr3DFace = 0;
    COLORREF clr3DShadow = 0;
    COLORREF clr3DDkShadow = 0;
    COLORREF clr3DHilight = 0;
    COLORREF clr3DLight = 0;
    COLORREF clrBtnText = 0;
    COLORREF clrGrayText = 0;
    COLORREF clrHighlight = 0;
    COLORREF clrHighlightText = 0;
    COLORREF clrMenu = 0;
    COLORREF clrMenuText = 0;
    COLORREF clrWindow = 0;
    COLORREF clrWindowFrame = 0;
    COLORREF clrWindowText = 0;
    COLORREF clrActiveCaption = 0;
    COLORREF clrInActiveCaption = 0;
    COLORREF clrGradientActiveCap = 0;
    COLORREF clrGradientInActiveCap = 0;
    COLORREF clrActiveCaptText = 0;
    COLORREF clrInactiveCaptText = 0;
    // The toolkit's colours 30 to 49.
    COLORREF clrToolkit[20] = {};

    // Cursors: drag copy, drag move, drag none, hand, vertical and
    // horizontal split, size-all.
    HCURSOR hcurDragCopy = nullptr;
    HCURSOR hcurDragMove = nullptr;
    HCURSOR hcurDragNone = nullptr;
    HCURSOR hcurHand = nullptr;
    HCURSOR hcurVSplitBar = nullptr;
    HCURSOR hcurHSplitBar = nullptr;
    HCURSOR hcurMove = nullptr;

    int cxSmIcon = 0;
    int cySmIcon = 0;
    int cxSize = 0;
    int cySize = 0;
    int cxHThumb = 0;
    int cyVThumb = 0;
    int cyMenuItem = 0;

    CLVKFont RegularFont;
    CLVKFont BoldFont;
    CLVKFont UnderlineFont;
    CLVKFont VerticalFont;
    CLVKFont VerticalBoldFont;
    CLVKFont IconFont;
    CLVKFont IconBoldFont;
    CLVKFont MarlettFont;
    CLVKFont StatusFont;
    CLVKFont SmallCaptionFont;

    BOOL bWin95 = FALSE;
    BOOL bWin98 = FALSE;
    BOOL bWinNT4 = FALSE;
    BOOL bWin2K = FALSE;
    BOOL bWinXP = FALSE;

    BOOL bUseOfficeFont = FALSE;  // prefer "Tahoma"
    BOOL bUseSolidShadows = FALSE;
    BOOL bMenuShadows = TRUE;
    int nComCtlVersion = -1;  // major << 16 | minor

    CLVKAuxData(const CLVKAuxData&) = delete;
    CLVKAuxData& operator=(const CLVKAuxData&) = delete;

private:
    void ReleaseFonts();
};

// The process-wide record, made on first use and released at shutdown.
CLVKAuxData& AFX_CDECL LVKAuxData();
