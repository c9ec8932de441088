// CLVKPaintManager: the painter of the command bars. Every tool bar, menu bar,
// popup bar and control asks it for fonts, colours and metrics and lets it
// measure and draw. Every command-bar theme derives from it; the base keeps
// what all themes share (fonts, a 63-entry colour table that follows the
// system colours, switches, animation timing, sub-painters), draws the
// generic parts itself and leaves the theme-specific pieces pure.
//
// One paint manager normally serves the whole process (the global paint
// manager): holders take a reference with AddRefGlobal and give it back with
// ReleaseGlobal; SetTheme replaces the object in place and carries the count
// over, so every holder paints through the new theme at once.
#pragma once

#include "Foundation/CmdTarget.h"
#include "Foundation/Font.h"
#include "Foundation/Observable.h"
#include "Foundation/PaintManagerColor.h"
#include "CommandBars/PaintManagerEvents.h"
#include "CommandBars/PaintManagerFont.h"

#include <memory>

class CLVKCommandBar;
class CLVKCommandBars;
class CLVKControl;
class CLVKImageManagerIcon;
class CLVKScrollBarPaintManager;
class CLVKShadowManager;
class CLVKWinThemeWrapper;
class CLVKFramePaintManager;
class CLVKRibbonPaintManager;
class CLVKControlGalleryPaintManager;
class CLVKProgressPaintManager;
class CLVKSliderPaintManager;
class CLVKStatusBarPaintManager;
class CLVKMessageBarPaintManager;

// Bar types and positions as the drawing operations receive them.
enum LVKBarType
{
    lvkBarTypeMenuBar = 0,
    lvkBarTypeToolBar = 1,
    lvkBarTypePopup = 2,
    lvkBarTypeRibbon = 3
};

enum LVKBarPosition
{
    lvkBarTop = 0,
    lvkBarBottom = 1,
    lvkBarLeft = 2,
    lvkBarRight = 3,
    lvkBarFloating = 4,
    lvkBarPopup = 5,
    lvkBarListBox = 6,
    lvkBarNone = 7
};

// The popup animations of AnimateFade.
enum LVKAnimationType
{
    lvkAnimateUnfold = 2,
    lvkAnimateSlide = 3,
    lvkAnimateFade = 4
};

// The system buttons of bars that FillControlBackground places and draws.
enum LVKSystemButtonKind
{
    lvkSystemButtonExpand = 0,
    lvkSystemButtonPopupExpand = 1,
    lvkSystemButtonClose = 2,
    lvkSystemButtonMenu = 3
};

// Icon switches, in the order the options read and write them in place.
struct LVK_PAINTMANAGER_ICONSINFO
{
    BOOL bUseFadedIcons = FALSE;
    BOOL bUseDisabledIcons = FALSE;
    BOOL bIconsWithShadow = FALSE;
    BOOL bOfficeStyleDisabledIcons = FALSE;
};

// The theme numbers the factory knows.
enum LVKCommandBarsTheme
{
    lvkThemeOffice2000 = 0,
    lvkThemeOfficeXP = 1,
    lvkThemeOffice2003 = 2,
    lvkThemeNativeWinXP = 3,
    lvkThemeVisualStudio2005 = 4,
    lvkThemeResource = 5,
    lvkThemeRibbon = 6,
    lvkThemeVisualStudio2008 = 7,
    lvkThemeVisualStudio6 = 8,
    lvkThemeVisualStudio2010 = 9,
    lvkThemeCustom = 10,
    lvkThemeOffice2007System = 11,
    lvkThemeOffice2013 = 12,
    lvkThemeVisualStudio2012 = 13,
    lvkThemeVisualStudio2012Light = 14,
    lvkThemeVisualStudio2012Dark = 15,
    lvkThemeVisualStudio2015 = 16
};

class CLVKPaintManager : public CLVKCmdTarget, public CLVKObservable<CLVKPaintManager, ILVKPaintManagerEvents>
{
public:
    enum
    {
        kColorCount = 63
    };

    // --- the global paint manager and the theme factory ---------------------

    // A new theme object (one reference) for the number; nothing installed.
    // Numbers whose themes are not built create the default theme; the object
    // keeps the asked number in m_nThemeNumber either way.
    static CLVKPaintManager* AFX_CDECL CreateTheme(int nTheme);
    // Makes a new theme of that number the global paint manager.
    static void AFX_CDECL SetTheme(int nTheme);
    // Installs the paint manager as the global one; it takes over the old
    // one's reference count and the old one is destroyed.
    static void AFX_CDECL ReplaceGlobal(CLVKPaintManager* pPaintManager);
    // The global paint manager, made with theme 0 when there is none (that
    // creation is the caller's reference).
    static CLVKPaintManager* AFX_CDECL GetGlobal();
    // One more reference on the global paint manager (installing theme 0
    // when there is none, whose first reference becomes the caller's).
    static CLVKPaintManager* AFX_CDECL AddRefGlobal();
    // Drops one reference; 0 means the object is gone and the slot empty.
    static DWORD AFX_CDECL ReleaseGlobal();
    // The installed paint manager or null; makes nothing.
    static CLVKPaintManager* AFX_CDECL GetGlobalIfAny();
    // The process-wide switch the frame hook reads: whether a top-level
    // frame may be left to the desktop window manager. Every CreateTheme sets it.
    static BOOL AFX_CDECL IsFrameCompositionEnabled();

    CLVKPaintManager();
    ~CLVKPaintManager() override;

    // --- colours -----------------------------------------------------------

    // 0 to 62: the entry's custom value when set, else its standard value;
    // anything else (compared unsigned, so negative numbers too) is a literal
    // colour and comes back unchanged.
    COLORREF GetThemeColor(UINT nIndex) const;
    // Sets the standard values of nCount entries.
    void SetColors(int nCount, const int* pIndexes, const COLORREF* pColors);
    CLVKPaintManagerColor& GetColorEntry(int nIndex) { return m_colorTable[nIndex]; }

    LVK_PAINTMANAGER_ICONSINFO* GetIconsInfo() { return &m_iconsInfo; }
    // 16 x 16 (32 x 32 large), or sizes that follow the edit height when
    // m_bAutoIconSize is set.
    CSize GetAutoIconSize(BOOL bLarge) const;
    // 1 Luna blue, 2 olive, 3 silver, 4 Royale, 5 Aero, 0 other.
    int GetWindowsColorScheme() const;
    // 51 down (top), 50 up (bottom), 49 right (left), 48 left (right); other
    // positions 48 when vertical, else 51.
    static int AFX_CDECL GetPopupArrowGlyph(int nBarPosition, BOOL bVertical);

    // --- fonts and metrics -------------------------------------------------

    void SetCommandBarsFontIndirect(LOGFONTW* pLogFont, BOOL bUseStandardFont = FALSE);
    virtual void SetFontHeight(int nFontHeight);
    // Splits a caption at the space nearest its middle; FALSE (strSecond
    // empty, strFirst the whole caption) when it stays on one line.
    static BOOL AFX_CDECL SplitCaptionForTwoLines(const CString& strCaption, CString& strFirst, CString& strSecond);
    // The text metric formulas shared with the themes (h = |font height|,
    // divided by a given DPI or, with 0, by the screen's LOGPIXELSY).
    static int AFX_CDECL CalcTextHeight(int nFontHeight, int nDpi = 96);
    static int AFX_CDECL CalcEditHeight(int nFontHeight, int nDpi = 96);

    // --- lines, rectangles and shapes (colours: index 0-62 or literal) ------

    void HorizontalLine(CDC* pDC, int x1, int y, int x2, COLORREF clr);
    void VerticalLine(CDC* pDC, int x, int y1, int y2, COLORREF clr);
    void Line(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF clr);
    void LineWithThemeColor(CDC* pDC, int x1, int y1, int x2, int y2, int nIndex);
    static void AFX_CDECL LineWithCurrentPen(CDC* pDC, int x1, int y1, int x2, int y2);
    void Rectangle(CDC* pDC, LPCRECT lpRect, COLORREF clrBorder, COLORREF clrFill);
    void RectangleWithThemeColors(CDC* pDC, LPCRECT lpRect, int nBorderIndex, int nFillIndex);
    void Draw3dRectWithThemeColors(CDC* pDC, LPCRECT lpRect, int nTopLeftIndex, int nBottomRightIndex);
    void DrawThickFrame(CDC* pDC, LPCRECT lpRect, int nWidth, COLORREF clrOuter, COLORREF clrInner);
    void Triangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr);
    // An anti-aliased ring of the border colour with a solid inside; nothing
    // unless the area is square.
    void DrawCircle(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom, COLORREF clrBorder, COLORREF clrFill);
    void DrawCircle(CDC* pDC, LPCRECT lpRect, COLORREF clrBorder, COLORREF clrFill)
    {
        DrawCircle(pDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, clrBorder, clrFill);
    }
    static void AFX_CDECL FillGradientClipped(CDC* pDC, LPCRECT lpRect, COLORREF clrFrom, COLORREF clrTo,
                                              BOOL bHorizontal, LPCRECT lpClipRect);

    // Character n of the toolkit's glyph font, centred at the largest size
    // that fits (-1: the DC's text colour).
    void DrawGlyph(CDC* pDC, int nGlyph, LPCRECT lpRect, COLORREF clr);

    // --- text ----------------------------------------------------------------

    // Plain DrawText, or, on glass with a themed application, the text drawn
    // composited through a buffered paint in the DC's text colour.
    void DrawTextOnGlass(CDC* pDC, const CString& strText, LPRECT lpRect, UINT nFormat, BOOL bGlass);
    static void AFX_CDECL MakeRectOpaque(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom);
    static void AFX_CDECL FillRectOpaque(CDC* pDC, LPCRECT lpRect, COLORREF clr);

    // --- controls (measure with bDraw FALSE, draw with TRUE) ----------------

    // Edits and combo boxes to their own operations, popup items to
    // DrawControlPopupParent, the rest to DrawControlToolBarParent.
    CSize DrawControl(CDC* pDC, CLVKControl* pControl, BOOL bDraw);
    CString GetControlCustomShortcutText(CLVKControl* pControl) const;
    CSize GetControlIconSize(CLVKControl* pControl) const;
    static CSize AFX_CDECL FitImageSize(CLVKImageManagerIcon* pImage, int cx, int cy);
    static CSize AFX_CDECL ApplyControlSizeOverride(CLVKControl* pControl, int cx, int cy, BOOL bVertical);
    // Large captions below an icon (style 4), split in two lines.
    CSize DrawControlCaption(CDC* pDC, CLVKControl* pControl, CRect rcCaption, BOOL bDraw, BOOL bArrow);
    // Whether the bar is laid out vertically (docked left or right).
    static BOOL AFX_CDECL IsVerticalPosition(int nBarPosition) { return nBarPosition == 2 || nBarPosition == 3; }

    // --- virtual operations (slot order); the pure ones are the theme's -----

    virtual void SetImageHandle(HMODULE /*hModule*/, LPCWSTR /*lpszIniName*/) {}
    virtual CSize DrawControlPopupParent(CDC* pDC, CLVKControl* pControl, BOOL bDraw);
    virtual CSize DrawControlToolBarParent(CDC* pDC, CLVKControl* pControl, BOOL bDraw);
    virtual void DrawSplitButtonFrame(CDC* pDC, CLVKControl* pControl, CRect rcButton) = 0;
    virtual CSize DrawControlComboBox(CDC* pDC, CLVKControl* pComboBox, BOOL bDraw);
    virtual COLORREF GetControlEditBackColor(CLVKControl* pControl);
    virtual CSize DrawControlEdit(CDC* pDC, CLVKControl* pEdit, BOOL bDraw);
    // One control drawn as an entry of a command list (customisation lists).
    virtual CSize DrawSpecialControl(CDC* pDC, CLVKControl* pControl, CRect rc, BOOL bSelected, BOOL bDraw,
                                     CLVKCommandBars* pCommandBars) = 0;
    virtual void FillCommandBarEntry(CDC* pDC, CLVKCommandBar* pBar) = 0;
    // Despite its name: paints the rectangle behind a control.
    virtual void SetControlTextColor(CDC* pDC, CLVKControl* pControl);
    virtual COLORREF GetControlTextColor(CLVKControl* pControl);
    virtual COLORREF GetRectangleTextColor(int nSelected, int nPressed, int nEnabled, int nChecked, int nPopuped,
                                           int nBarType, int nBarPosition) = 0;
    virtual BOOL GetCustomTextColor(CDC* /*pDC*/, CLVKControl* /*pControl*/) { return FALSE; }
    // The highlight of a control by its state. nStyle 5 asks for the look of
    // an item with a description (DrawRectangleEx).
    virtual void DrawRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, int nEnabled, int nChecked,
                               int nPopuped, int nBarType, int nBarPosition, int nStyle = 0) = 0;
    void DrawRectangleEx(CDC* pDC, CRect rc, int nSelected, int nPressed, int nEnabled, int nChecked, int nPopuped,
                         int nBarType, int nBarPosition)
    {
        DrawRectangle(pDC, rc, nSelected, nPressed, nEnabled, nChecked, nPopuped, nBarType, nBarPosition, 5);
    }
    // The frame and title of a floating bar (the base), a docked bar's
    // gripper (themes); the measured size of the title or gripper.
    virtual CSize DrawCommandBarFrame(CDC* pDC, CLVKCommandBar* pBar, BOOL bDraw);
    virtual CSize DrawCommandBarSeparator(CDC* pDC, CLVKCommandBar* pBar, CLVKControl* pControl, BOOL bDraw) = 0;
    virtual void DrawControlSeparatorLine(CDC* /*pDC*/, CLVKControl* /*pControl*/, CRect /*rc*/) {}
    // Lets the theme widen or narrow the area a popup must not cover.
    virtual void AdjustExcludeRect(CRect& rc, CLVKControl* pControl, BOOL bVertical) = 0;
    // The dock bar is a CLVKDockBar window.
    virtual void FillDockBar(CDC* pDC, CWnd* pDockBar);
    virtual void FillWorkspace(CDC* pDC, CRect rc);
    virtual void RefreshMetrics();
    virtual void DrawSplitButtonDropDownLine(CDC* pDC, CLVKControl* pControl, COLORREF clr, BOOL bStacked);
    virtual void DrawTriangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr)
    {
        Triangle(pDC, pt0, pt1, pt2, clr);
    }
    virtual void DrawDropDownGlyph(CDC* pDC, CLVKControl* pControl, COLORREF clr, BOOL bStacked);
    // The system buttons of bars (LVKSystemButtonKind). szBar: the bar's
    // size when placing the expand button; its cx non-zero when drawing means
    // the bar hides controls.
    virtual CSize FillControlBackground(CDC* pDC, int nKind, CLVKControl* pControl, CLVKCommandBar* pBar, BOOL bDraw,
                                        CSize szBar);
    virtual CRect GetCommandBarBorders(CLVKCommandBar* pBar);
    virtual CSize DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) = 0;
    // nPart 2: the bottom strip; otherwise the corner.
    virtual void DrawPopupResizeGripper(CDC* pDC, CRect rc, int nPart) = 0;
    // bToolBarImage: FALSE for an image in a popup item.
    virtual void DrawImage(CDC* pDC, CPoint pt, CSize sz, CLVKImageManagerIcon* pImage, int nSelected, int nPressed,
                           int nEnabled, int nChecked, int nPopuped, BOOL bToolBarImage = TRUE) = 0;
    virtual CSize DrawCommandBarGripper(CDC* pDC, CLVKCommandBar* pBar, BOOL bDraw) = 0;
    virtual CRect GetSplitDropDownRect(CLVKControl* pControl);
    virtual void OnPopupExpandButton(CLVKControl* /*pControl*/) {}
    // The check box of a check-box control (an empty rectangle measures).
    virtual CSize DrawControlImage(CDC* pDC, CLVKControl* pControl, CRect rc, BOOL bDraw);
    virtual CSize DrawCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, int nSelected, int nPressed, int nChecked,
                                   int nEnabled);
    virtual CSize DrawRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, int nSelected, int nPressed, int nChecked,
                                      int nEnabled);
    virtual void DrawPopupBarGutter(CDC* /*pDC*/, CLVKCommandBar* /*pBar*/, CRect /*rcGutter*/) {}
    // The number of the theme's family.
    virtual int GetCurrentTheme() = 0;
    virtual BOOL IsFlatStyle() { return FALSE; }
    virtual CFont* GetControlFont(CLVKControl* pControl);
    virtual CFont* GetCommandBarFont(CLVKCommandBar* pBar);
    // 1 vertical, 2 horizontal.
    virtual int GetControlTextOrientation(CLVKControl* pControl);
    virtual void UpdateFonts();
    virtual void UpdateColors();
    virtual CSize GetBarTextHeight(CLVKCommandBar* pBar);
    virtual void DrawMenuCheckMark(CDC* pDC, CRect rc, COLORREF clr);
    virtual void DrawMenuBulletMark(CDC* pDC, CRect rc, COLORREF clr);
    virtual void DrawGlyphInRect(CDC* pDC, CRect rc, COLORREF clr);
    virtual void DrawMDIButtonGlyph(CDC* pDC, CLVKControl* pControl);
    virtual void DrawSplitButtonArrow(CDC* pDC, CLVKControl* pControl, int x, int y, int nSelected, int nPressed,
                                      int nEnabled, int nChecked, int nPopuped, BOOL bVertical);
    virtual void AnimateFade(CDC* pDestDC, CDC* pSrcDC, int nLeft, int nTop, int nRight, int nBottom, int nType);
    // The expand animation of a popup's rarely used items (pPopupBar is the
    // popup bar).
    virtual void AnimateSlide(CLVKCommandBar* pPopupBar, CDC* pDestDC, CDC* pSrcDC, BOOL bDownward);
    virtual CSize DrawControlText(CDC* pDC, CLVKControl* pControl, CRect rc, BOOL bDraw, BOOL bArrow, CSize szImage,
                                  BOOL bImageShown);
    virtual void FlipRectForRTL(CDC* /*pDC*/, CRect& /*rc*/) {}
    virtual int GetPopupBarGripperWidth(CLVKCommandBar* pBar);
    virtual CLVKControlGalleryPaintManager* GetGalleryPaintManager() { return nullptr; }
    virtual CLVKScrollBarPaintManager* GetScrollBarPaintManager() { return m_pScrollBarPaintManager.get(); }
    virtual CLVKSliderPaintManager* GetSliderPaintManager() { return nullptr; }
    virtual CLVKProgressPaintManager* GetProgressPaintManager() { return nullptr; }
    // Null while the frame themes are not built.
    virtual CLVKFramePaintManager* GetFramePaintManager() { return nullptr; }
    virtual CLVKStatusBarPaintManager* GetStatusBarPaintManager() { return nullptr; }
    // Null while the ribbon is not built.
    virtual CLVKRibbonPaintManager* GetRibbonPaintManager() { return nullptr; }
    virtual CLVKMessageBarPaintManager* GetMessageBarPaintManager() { return nullptr; }
    // The tip window is the keyboard tip (its text and enabled state).
    virtual void DrawKeyboardTip(CDC* pDC, CWnd* pTipWnd, BOOL bSetupOnly);
    virtual int GetSplitDropDownWidth() const { return m_nSplitDropDownHeight; }
    virtual int GetEditHeight() const { return m_nEditHeight; }
    virtual int GetButtonHeight() const { return m_nTextHeight; }
    virtual int GetFontHeight() const { return m_nFontHeight; }
    virtual int GetTabButtonHeight() const;
    virtual BOOL IsDpiScalingOn(CLVKControl* pControl);
    virtual CSize GetControlImageSize(CLVKImageManagerIcon* pImage, int cx, int cy, CLVKControl* pControl,
                                      int nBoxWidth, int nBoxHeight);
    virtual BOOL GetBarIconsSize(CLVKCommandBar* pBar);
    virtual CSize GetExpandButtonSize(CLVKCommandBar* pBar);
    // Draws (or measures with bDraw FALSE) a single line; returns its size.
    virtual CSize DrawTextApi(CDC* pDC, const CString& strText, LPRECT lpRect, UINT nFormat, BOOL bDraw, int nHot,
                              int nEnabled);

    // --- state shared by all themes (themes and options set these) ----------

    // Colours.
    CLVKPaintManagerColor m_clrReserved[3];
    COLORREF m_clrInfoText = 0;
    CRect m_rcBorderMargins;
    CLVKPaintManagerColorGradient m_grcToolBar;
    CLVKPaintManagerColor m_clrFloatingTitle;
    CLVKPaintManagerColor m_clrFloatingTitleText;
    // The two colours a generated disabled image is made from.
    CLVKPaintManagerColorGradient m_grcDisabledIcon;

    // Switches.
    BOOL m_bBoldCheckMark = FALSE;
    BOOL m_bShadowEnabled = TRUE;
    BOOL m_bThemedStatusBar = FALSE;
    BOOL m_bThemedCheckBox = FALSE;
    BOOL m_bClearTypeText = FALSE;
    BOOL m_bFlatToolBar = FALSE;
    BOOL m_bFlatMenuBar = FALSE;
    int m_nIconTextGap = 0;
    int m_nThemeValue = 0;
    BOOL m_bAnimationEnabled = FALSE;
    BOOL m_bCompactDropDownArrow = FALSE;
    BOOL m_bPopupLabelImages = TRUE;
    BOOL m_bWrapLargeCaptions = TRUE;
    // The selection of a popup item includes its icon column.
    BOOL m_bSelectWholeItem = FALSE;

    // System fonts.
    CLVKPaintManagerFont m_fontSmallCaption;
    CLVKPaintManagerFont m_fontIcon;
    CLVKPaintManagerFont m_fontIconBold;
    CLVKPaintManagerFont m_fontStatus;

    // Metrics.
    int m_nSplitDropDownWidth = 0;
    int m_nSplitDropDownHeight = 0;
    int m_nSplitPopupWidth = 0;
    BOOL m_bAutoIconSize = FALSE;
    int m_nThemeMetric = 0;
    typedef BOOL(WINAPI* PFNSETLAYEREDWINDOWATTRIBUTES)(HWND, COLORREF, BYTE, DWORD);
    PFNSETLAYEREDWINDOWATTRIBUTES m_pfnSetLayeredWindowAttributes = nullptr;
    CRect m_rcThemeReserved;
    BOOL m_bOfficeFontWanted = FALSE;
    CString m_strOfficeFontName = L"Tahoma";
    int m_nTextHeight = 0;

    // Command-bar fonts (shared through the font cache).
    CLVKFont m_fontRegular;
    CLVKFont m_fontRegularBold;
    CLVKFont m_fontVertical;
    CLVKFont m_fontVerticalBold;

    // Read by the frame hook and the flat themes.
    BOOL m_bFrameSwitch = FALSE;
    int m_nFrameMetrics[3] = {};
    int m_nEditHeight = 0;
    int m_nFontHeight = 0;
    BOOL m_bStandardFontWanted = TRUE;
    BOOL m_bEmbossedDisabledText = TRUE;
    std::unique_ptr<CLVKWinThemeWrapper> m_pStatusBarThemeData;
    std::unique_ptr<CLVKWinThemeWrapper> m_pButtonThemeData;
    // The number the factory created the object with.
    int m_nThemeNumber = 0;
    LVK_PAINTMANAGER_ICONSINFO m_iconsInfo;
    int m_nAnimationSteps = 10;
    int m_nAnimationTime = 100;
    // -1 follows the bar's keyboard cues; 0 or 1 forces them hidden or shown.
    int m_nKeyboardCuesMode = -1;
    CLVKPaintManagerColor m_colorTable[kColorCount];
    int m_nWindowsColorScheme = 7;
    // Reference-counted; released by the destructor.
    CLVKShadowManager* m_pShadowManager = nullptr;

protected:
    // The single-line caption with an optional drop-down arrow of tool-bar
    // buttons and popup controls on bars.
    CSize DrawSingleCaption(CDC* pDC, CLVKControl* pControl, CRect rc, BOOL bDraw, BOOL bVertical, BOOL bCentered,
                            BOOL bArrow);
    // One caption line: embossed when disabled, mnemonics by the cue mode.
    void DrawCaptionLine(CDC* pDC, CLVKControl* pControl, const CString& strText, CRect rc, BOOL bVertical,
                         BOOL bCentered);
    BOOL AreKeyboardCuesShown(CLVKControl* pControl) const;
    // The checked state of a control (its action's when its own is -1).
    static int AFX_CDECL GetControlChecked(CLVKControl* pControl);
    int ScaleX(int n) const;
    int ScaleY(int n) const;
    // Combo boxes and edits: the label's width in the regular font (0 when
    // no label shows), the measured size with the width of everything left
    // of the field, the label part, and a combo's drop-down button width.
    int GetEditLabelWidth(CDC* pDC, CLVKControl* pControl);
    CSize MeasureEditField(CDC* pDC, CLVKControl* pControl, BOOL bComboBox, int& nLabelWidth);
    void DrawEditLabel(CDC* pDC, CLVKControl* pControl);
    int GetComboDropDownWidth(int nHeight) const;

    // What every layout of a control on a tool bar reads: its rectangle
    // (empty when measuring), its state, its button size and its image.
    struct ToolBarControlLayout
    {
        CLVKControl* pControl = nullptr;
        BOOL bDraw = FALSE;
        CRect rc;
        int nStyle = 0;
        int nType = 0;
        BOOL bVertical = FALSE;
        CSize szIcon;
        CSize szButton;
        int nSelected = 0;
        int nPressed = 0;
        int nEnabled = 0;
        int nChecked = 0;
        BOOL bPopuped = FALSE;
        CLVKImageManagerIcon* pImage = nullptr;
        BOOL bImage = FALSE;
        CSize szImage;
    };
    ToolBarControlLayout ReadToolBarControlLayout(CLVKControl* pControl, BOOL bDraw);
    // The button size of a large control, or the control's own with its
    // size override; then the image, when the style shows one.
    void ResolveToolBarButtonAndImage(ToolBarControlLayout& layout);
    // The split button's frame or the face behind the control, and its text colour.
    void DrawToolBarControlFace(CDC* pDC, const ToolBarControlLayout& layout);
    void DrawToolBarControlImage(CDC* pDC, const ToolBarControlLayout& layout, CPoint pt);
    // The layouts: a check box or radio button (mark, gap, caption); a large
    // control (image above, or beside when vertical, a two-line caption); a
    // control with its caption below its image; an image beside a caption.
    CSize DrawToolBarCheckControl(CDC* pDC, const ToolBarControlLayout& layout);
    CSize DrawToolBarLargeControl(CDC* pDC, const ToolBarControlLayout& layout);
    CSize DrawToolBarCaptionBelowImage(CDC* pDC, const ToolBarControlLayout& layout);
    CSize DrawToolBarImageBesideCaption(CDC* pDC, const ToolBarControlLayout& layout);

    // The "Marlett" font of the document buttons, made on first use.
    CLVKFont m_fontMarlett;

    std::unique_ptr<CLVKScrollBarPaintManager> m_pScrollBarPaintManager;

private:
    void NotifyDestroyed();
};
