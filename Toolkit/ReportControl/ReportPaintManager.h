// The report control's painter: fonts, colours, metrics and every drawing
// primitive of rows, items, group rows, header and footer. Report themes
// derive from it and override some of its operations.
#pragma once

#include "ReportBorder.h"
#include "ReportDefines.h"
#include "ReportHyperlinkStyle.h"
#include "Foundation/PaintManagerColor.h"
#include "Foundation/WinThemeWrapper.h"

#include <vector>

class CLVKReportHyperlink;
class CLVKReportInplaceButton;
class CLVKReportRecordItemControl;

class CLVKReportPaintManager : public CLVKCmdTarget
{
public:
    CLVKReportPaintManager();
    ~CLVKReportPaintManager() override;

    virtual void SetReportControl(CLVKReportControl* pControl) { m_pControl = pControl; }
    CLVKReportControl* GetReportControl() const { return m_pControl; }

    // Loads the glyph strip of the theme (11 cells, magenta key) for the DPI.
    virtual void LoadGlyphs();
    // Colours, styles, theme data and the caption-derived heights.
    virtual void RefreshMetrics();
    // The cell font, its bold variant and the row height that follows them.
    virtual void SetTextFont(const LOGFONTW& lf);
    // The header caption font; header and footer heights follow it.
    virtual void SetCaptionFont(const LOGFONTW& lf);
    virtual COLORREF GetControlBackColor(CLVKReportControl* /*pControl*/) const { return m_clrControlBack; }

    // Heights ------------------------------------------------------------------
    // The height of a row, merged cells included; rows without a control
    // measure 0.
    virtual int GetRowHeight(CDC* pDC, CLVKReportRow* pRow, int nTotalWidth);
    // The fixed height: the row height, plus 16 for a group row (6 when group
    // rows are shaded), or plus 1 for a plain row under horizontal grid lines.
    virtual int GetFixedRowHeight(CDC* pDC, CLVKReportRow* pRow);
    virtual int GetPreviewItemHeight(CDC* /*pDC*/, CLVKReportRow* /*pRow*/, int /*nWidth*/, int nHeight)
    {
        return nHeight;
    }
    virtual int GetHeaderHeight(CLVKReportControl* pControl, CDC* pDC, int nTotalWidth = 0);
    virtual int GetFixedHeaderHeight() const { return m_nHeaderHeight; }
    virtual void SetHeaderHeight(int nHeight) { m_nHeaderHeight = std::max(0, nHeight); }
    virtual int GetFooterHeight(CLVKReportControl* pControl, CDC* pDC, int nTotalWidth = 0);
    // The base height of plain rows (without a grid line).
    int GetRowHeightDefault() const { return m_nRowHeight; }
    int GetFixedFooterHeight() const { return m_nFooterHeight; }
    // Measuring steps of GetRowHeight.
    int CalcRowHeight(CDC* pDC, CLVKReportRow* pRow, int nTotalWidth, BOOL bAllowMerge);
    int CalcItemHeight(CDC* pDC, CLVKReportRow* pRow, CLVKReportColumn* pColumn, CLVKReportRecordItem* pItem,
                       int nWidth);
    // Spreads the height a merged cell needs over the heights (slots) of the
    // rows it spans (their indexes in rows); rows keep at least their height.
    static void AFX_CDECL DistributeMergedHeight(std::vector<int>& slots, const std::vector<int>& rows, int nNeeded);

    // Rows, items and groups ---------------------------------------------------
    virtual void FillItemMetrics(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, LVK_REPORTRECORDITEM_METRICS* pMetrics);
    virtual void FillGroupRowMetrics(CLVKReportGroupRow* pRow, LVK_REPORTRECORDITEM_METRICS* pMetrics, BOOL bPrinting);
    virtual void DrawAlternateRowBackground(CDC* pDC, CLVKReportRow* pRow, RECT rcRow);
    // Fills the cell with the metrics' background when it has one.
    virtual void DrawItemBackground(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, LVK_REPORTRECORDITEM_METRICS* pMetrics);
    virtual void DrawItemCaption(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, LVK_REPORTRECORDITEM_METRICS* pMetrics);
    virtual void DrawGroupRow(CDC* pDC, CLVKReportGroupRow* pRow, RECT rcRow, LVK_REPORTRECORDITEM_METRICS* pMetrics);
    // The steps of DrawGroupRow: the formula's sums in their columns, and
    // the selection box.
    void DrawGroupRowFormulaValues(HDC hDC, CLVKReportControl* pControl, const CString& strCaption,
                                   const RECT& rcRow, const RECT& rcText);
    void DrawGroupRowSelectionBox(CDC* pDC, CLVKReportGroupRow* pRow);
    virtual void DrawFocusedRow(CDC* pDC, RECT rcRow);
    // A grid line of one cell: vertical at the right edge, horizontal at the
    // bottom, in the style of that direction.
    virtual void DrawGridLine(CDC* pDC, BOOL bVertical, RECT rc);
    // The divider after the frozen columns; answers its x (0 when none).
    virtual int DrawFreezeColsDivider(CDC* pDC, RECT rc, CLVKReportControl* pControl, CLVKReportRow* pRow);
    virtual void DrawColumnDividerLine(CDC* pDC, int x, CLVKReportControl* pControl, COLORREF clr);
    void DrawConnectorCorner(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom);
    virtual void FillIndent(CDC* pDC, RECT rc);
    virtual void FillItemShade(CDC* pDC, RECT rc);
    // The glyph rectangle of a tree or group row: moved right by dx.
    virtual RECT GetTreeGlyphRect(RECT rcRow, int dx);
    virtual RECT GetTreeTextPosition(RECT rcGlyph, RECT rcRow, int nGlyphWidth, int nExtraOffset, int nIconSpace);
    // Measures (pDC null) or draws the expand glyph of a row; the rectangle's
    // left moves 2 pixels in and, when drawn, its right ends at the glyph.
    // Answers the glyph's size plus 2 each way.
    virtual SIZE DrawExpandGlyph(CDC* pDC, CLVKReportRow* pRow, RECT& rcGlyph);
    // Glyphs: 0 minus, 1 plus, 2..5 check boxes, 6/7 triangles, 8 boxed
    // square, 9/10 padlocks. Drawn at left + 1, vertically centred, when the
    // image is lower than the rectangle; answers the image size plus 1 each
    // way (0 x 0 without the image).
    virtual SIZE DrawGlyph(CDC* pDC, RECT rcGlyph, int nGlyph);
    // The small icon of SHELL32.DLL at an index (the closed padlock glyph
    // when it cannot be had); answers 17 x 17 (scaled).
    virtual SIZE DrawShellIcon(CDC* pDC, RECT rc, int nIcon);
    // An icon of the control's image manager at left + 1, vertically centred
    // when it fits; answers its width + 1 (0 without it), also when pDC is null.
    virtual int DrawItemIcon(CDC* pDC, CLVKReportControl* pControl, RECT rc, int nIcon);
    // A cell's image placed by the alignment word; narrows the rectangle.
    virtual void DrawItemBitmap(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, RECT& rcItem, int nImage);
    // The connector lines of a tree row.
    virtual void DrawTreeStructure(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, LVK_REPORTRECORDITEM_METRICS* pMetrics,
                                   RECT rcItem, SIZE szGlyph);
    virtual void DrawTreeStructureLine(CDC* pDC, int x, int y, int cx, int cy, COLORREF clr);
    // " n " in the row-number cell.
    virtual void DrawRowNumber(CDC* pDC, RECT rcNumber, CLVKReportRow* pRow);
    virtual void DrawNoItems(CDC* pDC, RECT rc, LPCWSTR lpszText);
    // The divider between two sections and its height for a style.
    virtual void DrawSectionDivider(CDC* pDC, RECT rc, int nPosition, int nStyle, COLORREF clrBack,
                                    COLORREF clrCustom);
    virtual int GetSectionDividerHeight(int nStyle) const;
    virtual int GetDividerHeight(int nStyle) const { return GetSectionDividerHeight(nStyle); }

    // Pattern fills (grid and dotted lines): an 8 x 8 one-bit pattern whose
    // set bits take the colour, the others ControlBack.
    void FillPatternBrushRect(CDC* pDC, HBRUSH& hBrush, RECT rc, const WORD* pPattern, COLORREF clr,
                              BOOL bRecreate);
    virtual void FillPatternRect(CDC* pDC, HBRUSH& hBrush, RECT rc, const WORD* pPattern, COLORREF clr)
    {
        FillPatternBrushRect(pDC, hBrush, rc, pPattern, clr, FALSE);
    }

    // Cell captions and their hyperlinks --------------------------------------
    virtual void DrawLinkedText(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, LVK_REPORTRECORDITEM_METRICS* pMetrics,
                                const CString& strText, RECT rcItem, UINT nMode);
    virtual void DrawWrappedLinkedText(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                       LVK_REPORTRECORDITEM_METRICS* pMetrics, const CString& strText, RECT rcItem,
                                       BOOL bWordBreak);
    virtual void DrawWrappedLine(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, LVK_REPORTRECORDITEM_METRICS* pMetrics,
                                 const CString& strWork, RECT rcLine, int nFirst, int nLast, int nLineWidth);
    // Draws a plain run at x (moved by its width); answers how much was drawn
    // (-1 when the run reached the right edge in modes 0 to 2).
    virtual int DrawTextRun(int& x, CDC* pDC, const CString& strText, RECT rc, UINT nMode);
    virtual int DrawHyperlink(int& x, LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, CLVKReportHyperlink* pLink,
                              RECT rc, const CString& strText, UINT nMode, BOOL bTrim);
    virtual RECT CalcTextRect(CDC* pDC, const CString& strText, RECT rc, BOOL bWordBreak, BOOL bFit,
                              UINT nExtraFlags = 0);
    virtual int CalcTextHeight(CDC* pDC, const CString& strText, int nWidth, BOOL bWordBreak);
    // Spaces inside the item's hyperlinks become the marker character.
    virtual void ProtectHyperlinkSpaces(CLVKReportRecordItem* pItem, CString& strText, WCHAR chMarker = 1);
    // The width of a text in which character 1 stands for a space.
    int MeasureTextWidth(CDC* pDC, const CString& strText);
    // Lines a text needs at the rectangle's width, at most the maximum
    // caption lines; 0 for a rectangle narrower than 1 pixel.
    int CalcCaptionLineCount(CDC* pDC, RECT rc, const CString& strText);

    // Header, footer and columns ----------------------------------------------
    virtual void FillHeaderControl(CDC* pDC, RECT rcHeader);
    virtual void FillFooter(CDC* pDC, RECT rcFooter);
    virtual void FillGroupByControl(CDC* pDC, RECT rcGroupBy);
    virtual void DrawHeaderBorder(CDC* pDC, RECT rc);
    // One column in the header (or, bDrawExternal, in the group-by box).
    virtual void DrawColumn(CDC* pDC, CLVKReportColumn* pColumn, CLVKReportHeader* pHeader, RECT rcColumn,
                            BOOL bDrawExternal = FALSE, int nShadowWidth = 0);
    // The background of one header column; the themes differ here. The two
    // states may be cleared by the theme.
    virtual void DrawColumnBackground(CDC* pDC, CLVKReportColumn* pColumn, RECT rcColumn, BOOL& bColumnPressed,
                                      BOOL& bDraggingFromHeader, CLVKReportHeader* pHeader);
    virtual void DrawColumnCaption(CDC* pDC, RECT rcText, const CString& strCaption, int nHeaderAlignment,
                                   BOOL bPlainButton, BOOL bTracked);
    // How a column caption's text sits in its rectangle: the looks differ
    // only in these.
    struct CaptionTextLayout
    {
        BOOL bMeasureWithWordEllipsis;  // a wrapped caption is measured as it is drawn
        int nMinCenteringSpace;         // spare height from which a wrapped caption is centred
        int nSingleLineInset;           // left inset of a one-line caption
    };
    // Draws a column caption in the header alignment's DT_RIGHT, DT_CENTER
    // and DT_WORDBREAK: wrapped and centred in its height, or on one line.
    void DrawCaptionText(CDC* pDC, RECT rcText, const CString& strCaption, int nHeaderAlignment, COLORREF clrText,
                         const CaptionTextLayout& layout);
    virtual void DrawColumnSeparator(CDC* pDC, CLVKReportColumn* pColumn, RECT rc);
    virtual void DrawColumnFooter(CDC* pDC, CLVKReportColumn* pColumn, RECT rcColumn);
    virtual int DrawColumnIcon(CDC* pDC, CLVKReportColumn* pColumn, RECT rcColumn, RECT rcIcon, int nIcon);
    virtual void DrawSortArrow(CDC* pDC, RECT rcArrow, BOOL bDecreasing, BOOL bPressed, int nShadowWidth,
                               BOOL bTracked);
    virtual void DrawResizeTracker(CDC* pDC, RECT rc, BOOL bTracked, BOOL bPressed, int nShadowWidth);
    virtual void DrawNoGroupByText(CDC* pDC, RECT rcGroupBy);
    virtual int CalcColumnHeaderHeight(CDC* pDC, CLVKReportColumn* pColumn, int nTotalWidth);
    virtual BOOL IsHeaderThemed() const { return m_bHeaderThemed; }
    // Called with the window DC and the window rectangle at the origin.
    virtual LRESULT DrawControlBorder(CDC* pDC, RECT rcWindow, CWnd* pWnd);

    // In-place buttons of the edited cell, and the buttons drawn in cells that
    // are not edited (answer TRUE when drawn).
    virtual void DrawInplaceButton(CDC* pDC, CLVKReportInplaceButton* pButton);
    virtual void DrawInplaceButtonFrame(CDC* pDC, RECT rcButton, BOOL bPressed);
    virtual BOOL DrawInplaceButtonIcon(CDC* pDC, CLVKReportInplaceButton* pButton);
    virtual BOOL DrawInplaceComboButton(CDC* pDC, RECT rcButton);
    virtual BOOL DrawInplaceExpandButton(CDC* pDC, RECT rcButton);
    virtual BOOL DrawInplaceSpinButton(CDC* pDC, RECT rcButton);
    // A push button inside a cell; the cell's rectangle shrinks by its width.
    virtual void DrawItemControl(LVK_REPORTRECORDITEM_DRAWARGS* pArgs, CLVKReportRecordItemControl* pControl,
                                 RECT& rcItem);

    virtual int QueryDrawOption(LVK_REPORTRECORDITEM_DRAWARGS* /*pDrawArgs*/) { return 1; }

    // Grid ---------------------------------------------------------------------
    COLORREF SetBorderColor(COLORREF clr);
    COLORREF GetGridColor() const { return m_gridBorder.GetBorderColor(); }
    // Vertical TRUE sets the vertical lines, FALSE the horizontal ones;
    // 0 none, 1 small dots, 2 large dots, 3 dashes, 4 solid.
    void SetGridStyle(BOOL bVertical, int nStyle);
    int GetGridStyle(BOOL bVertical) const;
    BOOL IsGridLineShown(BOOL bVertical) const { return GetGridStyle(bVertical) != 0; }
    BOOL IsGridHorizontal() const { return IsGridLineShown(FALSE); }

    static COLORREF AFX_CDECL BlendColor(COLORREF clrA, COLORREF clrB, double dFactor);

    CFont* GetTextFont() { return &m_fontText; }
    CFont* GetBoldTextFont() { return &m_fontBoldText; }
    CFont* GetCaptionFont() { return &m_fontCaption; }
    const CString& GetNoItemsText() const { return m_strNoItems; }
    void SetNoItemsText(LPCWSTR lpszText) { m_strNoItems = lpszText; }
    BOOL HasGlyphStrip() const { return m_hGlyphStrip != nullptr; }
    const CString& GetNoGroupByText() const { return m_strNoGroupBy; }
    const CString& GetSortByText() const { return m_strSortBy; }
    const CString& GetIncreasingText() const { return m_strIncreasing; }
    const CString& GetDecreasingText() const { return m_strDecreasing; }
    const CString& GetExpandText() const { return m_strExpand; }
    const CString& GetCollapseText() const { return m_strCollapse; }
    const CString& GetNoFieldsText() const { return m_strNoFieldsAvailable; }
    int GetTreeIndent() const { return m_nTreeIndent; }
    void SetTreeIndent(int nIndent) { m_nTreeIndent = nIndent; }
    BOOL IsFixedRowHeight() const { return m_bFixedRowHeight; }
    void SetFixedRowHeight(BOOL b) { m_bFixedRowHeight = b; }
    BOOL IsRowHeightCached() const { return m_bRowHeightCached; }
    CLVKReportHyperlinkStyle* GetHyperlinkStyle() { return &m_styleHyperlink; }
    CLVKReportHyperlinkStyle* GetHyperlinkHoverStyle() { return &m_styleHyperlinkHover; }
    CLVKReportBorder* GetGridBorder() { return &m_gridBorder; }
    // The glyph strip's cell size (0 without the strip).
    int GetGlyphCell() const { return m_nGlyphCell; }

    // Colours (effective value: custom when set, else standard).
    CLVKPaintManagerColor m_clrHighlight;
    CLVKPaintManagerColor m_clrHighlightText;
    CLVKPaintManagerColor m_clrBoldText;
    CLVKPaintManagerColor m_clrBoldTextHighlight;
    CLVKPaintManagerColor m_clrWindowText;
    CLVKPaintManagerColor m_clrControlBack;
    CLVKPaintManagerColor m_clrHeaderControl;
    CLVKPaintManagerColor m_clrCaptionText;
    CLVKPaintManagerColor m_clrCaptionTextPressed;
    CLVKPaintManagerColor m_clrGroupRowText;
    CLVKPaintManagerColor m_clrGroupShadeBack;
    CLVKPaintManagerColor m_clrGroupShadeText;
    CLVKPaintManagerColor m_clrGroupShadeBorder;
    CLVKPaintManagerColor m_clrGroupBoxBack;
    CLVKPaintManagerColor m_clrControlDark;
    CLVKPaintManagerColor m_clrControlLightLight;
    CLVKPaintManagerColor m_clrHotDivider{RGB(255, 0, 0)};
    CLVKPaintManagerColor m_clrIndentControl;
    CLVKPaintManagerColor m_clrItemShade{RGB(245, 245, 245)};
    CLVKPaintManagerColor m_clrBtnFace;
    CLVKPaintManagerColor m_clrBtnText;
    CLVKPaintManagerColor m_clrBtnFacePressed;
    CLVKPaintManagerColor m_clrSelectedRow;
    CLVKPaintManagerColor m_clrSelectedRowText;
    CLVKPaintManagerColor m_clrConnector;
    CLVKPaintManagerColor m_clrDisableBitmapLightest{RGB(250, 250, 250)};
    CLVKPaintManagerColor m_clrDisableBitmapDarkest{RGB(128, 128, 128)};
    CLVKPaintManagerColor m_clrGradientColumnSeparator;
    CLVKPaintManagerColor m_clrNoGroupByText;
    CLVKPaintManagerColor m_clrFreezeColsDivider{RGB(0, 0, 222)};
    CLVKPaintManagerColor m_clrColumnShadow;
    CLVKPaintManagerColor m_clrPreviewText{RGB(0, 0, 255)};
    CLVKPaintManagerColorGradient m_grcColumnNormal;
    CLVKPaintManagerColorGradient m_grcColumnHot;
    CLVKPaintManagerColorGradient m_grcColumnPressed;
    COLORREF m_clrAlternateRow = RGB(224, 224, 224);
    BOOL m_bAlternateRowColor = FALSE;
    // Text colours of formula cells: "SUM(" results and "SUMSUB(" results.
    COLORREF m_clrFormulaSum = RGB(255, 0, 0);
    COLORREF m_clrFormulaSubSum = RGB(0, 0, 255);

    // Switches.
    BOOL m_bFixedRowHeight = TRUE;
    BOOL m_bRowHeightCached = FALSE;
    BOOL m_bGroupRowTextBold = FALSE;
    BOOL m_bShadeGroupHeadings = FALSE;
    BOOL m_bShadeSortColumn = TRUE;
    BOOL m_bHeaderThemed = TRUE;
    BOOL m_bDrawResizeTracker = TRUE;
    BOOL m_bHideSelection = FALSE;
    BOOL m_bUpperCaseCaptions = FALSE;
    // 0 no tree lines, 1 solid, 2 dotted.
    int m_nTreeStructureStyle = 1;
    BOOL m_bThemedInplaceButtons = TRUE;
    BOOL m_bShowInplaceButtonGlyphs = FALSE;
    BOOL m_bPrintInplaceButtonGlyphs = TRUE;
    BOOL m_bGroupRowSelectionBoxes = FALSE;
    BOOL m_bStripMarkupFromTooltips = FALSE;
    BOOL m_bGrayWhenDisabled = TRUE;
    BOOL m_bPrintScreenColumnWidths = FALSE;
    // The grid goes on in empty lines below the last row.
    BOOL m_bEmptyAreaGrid = FALSE;
    // Bits: 1 line, 2 wide line, 4 (header too), 8 shadow, 0x10 also while
    // the behaviour blocks the divider.
    int m_nFreezeColsDividerStyle = 1 | 4 | 8;
    BOOL m_bTreeLinesForRootRows = FALSE;
    int m_nLeafConnectorLength = 0;
    int m_nGroupRowTextOffset = -1;
    BOOL m_bRowNumbersCountRecords = TRUE;
    int m_nRowNumberOffset = 0;
    BOOL m_bPrintSortArrows = TRUE;
    // 0 shown when there is room, 1 always (squeezing the caption), 2 never.
    int m_nSortArrowMode = 0;
    BOOL m_bSortArrowAtRightEdge = FALSE;
    BOOL m_bPlusMinusColumnGlyphs = FALSE;
    BOOL m_bDropNarrowColumnIcons = FALSE;
    BOOL m_bAlwaysShowCellTips = FALSE;
    BOOL m_bUseColumnTextAlignment = FALSE;
    BOOL m_bInplaceButtonHeightLimit = FALSE;
    BOOL m_bMirrored = FALSE;
    BOOL m_bFixedLayout = FALSE;
    BOOL m_bExtraRowPixel = FALSE;
    BOOL m_bUseVisualStyles = TRUE;
    // Items: a padlock in cells that cannot be edited (the shell's padlock
    // icon instead of the glyph), and captions parsed as markup.
    BOOL m_bShowLockIcon = FALSE;
    BOOL m_bUseShellLockIcon = FALSE;
    BOOL m_bMarkupInCells = FALSE;
    BOOL m_bExtraTreeIndent = FALSE;
    int m_nGroupRowIndent = 0;
    // 0 the default look, Office 2003 and the flat themes; 1 Office XP;
    // 2 Explorer; 3 Office 2003 Luna; 4 resource.
    int m_nThemeKind = 0;
    // The line under group rows: 4 solid, anything else dashed.
    int m_nGroupGridLineStyle = 4;
    int m_nGroupGridLineHeight = 2;

    // Metrics (at 96 DPI unless said otherwise).
    int m_nTreeIndent = 20;          // scaled
    int m_nRowHeight = 18;           // scaled, from the text font
    int m_nMinRowHeight = 18;        // at 96 DPI
    int m_nHeaderHeight = 22;        // scaled, from the caption font
    int m_nFooterHeight = 22;        // scaled, from the caption font
    int m_nGlyphSize = 12;
    int m_nTreeTextIndentGroupRow = 5;
    int m_nTreeGlyphGap = 3;         // after a cell's expand glyph
    int m_nTreeNoGlyphGap = 5;       // where a cell shows no glyph
    RECT m_rcPreviewIndent{10, 0, 10, 2};
    int m_nMaxPreviewLines = 3;
    int m_nMaxCaptionLines = 3;
    int m_nItemTextMarginLeft = 3;
    int m_nItemTextMarginRight = 5;
    // Record numbering of the icon column's tooltip ("Rec" / "Row").
    CString m_strRecordNumber = L"Rec";
    CString m_strRowNumber = L"Row";

    // The preview font: the text font unless one was set.
    CFont* GetPreviewFont() { return m_fontPreview.GetSafeHandle() ? &m_fontPreview : &m_fontText; }
    void SetPreviewFont(const LOGFONTW& lf);
    // The word-wrapped lines of a text in a width (font selected in the DC),
    // at most the preview line limit; 0 under one pixel.
    int CountPreviewLines(HDC hDC, int nWidth, const CString& strText) const;

protected:
    // Loads bitmap nFirstId + 0..3 by the screen's DPI (96, 120, 144, 192).
    void LoadGlyphStrip(UINT nFirstId);
    // Releases the cached brushes and forgets the styles they were made for.
    void ReleaseCachedBrushes();
    // The widths of the visible columns in a row of a given width (printing
    // fits them to the page unless screen widths are asked for).
    int GetColumnWidthInRow(CLVKReportColumn* pColumn, int nTotalWidth) const;
    // A merged cell's share of the rows it spans (heights already measured).
    int CalcMergedRowHeight(CDC* pDC, CLVKReportRow* pRow, int nHeight, int nTotalWidth);
    CLVKReportRecordItem* ItemOfRowAt(CLVKReportRow* pRow, CLVKReportColumn* pColumn) const;

    CLVKReportControl* m_pControl = nullptr;
    HBITMAP m_hGlyphStrip = nullptr;
    int m_nGlyphCell = 0;
    CFont m_fontText;
    CFont m_fontBoldText;
    CFont m_fontCaption;
    CFont m_fontPreview;
    CString m_strNoItems;
    CString m_strNoGroupBy;
    CString m_strNoFieldsAvailable;
    CString m_strSortBy;
    CString m_strIncreasing;
    CString m_strDecreasing;
    CString m_strExpand;
    CString m_strCollapse;
    CLVKReportHyperlinkStyle m_styleHyperlink{RGB(0, 0, 255), 0};
    CLVKReportHyperlinkStyle m_styleHyperlinkHover{RGB(0, 0, 255), 1};
    // The grid lines: colour, the right edge's style (vertical lines) and the
    // bottom edge's style (horizontal lines).
    CLVKReportBorder m_gridBorder;
    CLVKWinThemeWrapper m_themeHeader;
    CLVKWinThemeWrapper m_themeButton;
    CLVKWinThemeWrapper m_themeCombo;
    CLVKWinThemeWrapper m_themeSpin;
    HBRUSH m_hBrushVertical = nullptr;
    HBRUSH m_hBrushHorizontal = nullptr;
    HBRUSH m_hBrushTreeStructure = nullptr;
    HBRUSH m_hBrushGroupLine = nullptr;
    int m_nBrushVerticalStyle = -1;
    int m_nBrushHorizontalStyle = -1;
    int m_nFreezeDividerX = 0;
};
