// The report control's painter: fonts, colours, metrics and every drawing
// primitive of rows, items, group rows, header and footer. Report themes
// derive from it.
#pragma once

#include "ReportDefines.h"
#include "ReportHyperlinkStyle.h"
#include "Foundation/PaintManagerColor.h"

class CLVKReportInplaceButton;
class CLVKReportRecordItemControl;

class CLVKReportPaintManager : public CLVKCmdTarget
{
public:
    CLVKReportPaintManager();
    ~CLVKReportPaintManager() override;

    void SetReportControl(CLVKReportControl* pControl) { m_pControl = pControl; }
    CLVKReportControl* GetReportControl() const { return m_pControl; }

    virtual void RefreshMetrics();
    // Loads the glyph strip of the theme (11 cells, magenta key) for the DPI.
    virtual void LoadGlyphs();
    virtual void SetTextFont(const LOGFONTW& lf);
    virtual void SetCaptionFont(const LOGFONTW& lf);
    virtual COLORREF GetControlBackColor(CLVKReportControl* /*pControl*/) const { return m_clrControlBack; }

    // Heights.
    virtual int GetRowHeight(CDC* pDC, CLVKReportRow* pRow, int nTotalWidth);
    virtual int GetHeaderHeight(CLVKReportControl* pControl, CDC* pDC);
    virtual int GetFooterHeight(CLVKReportControl* pControl, CDC* pDC);
    virtual int GetFixedRowHeight() const { return m_nRowHeight; }
    virtual int GetGroupRowHeight() const;
    virtual int GetDividerHeight(int nStyle) const { return nStyle == 0 ? 0 : 2; }

    // Rows and items.
    virtual void FillItemMetrics(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, LVK_REPORTRECORDITEM_METRICS* pMetrics);
    virtual void FillGroupRowMetrics(CLVKReportGroupRow* pRow, LVK_REPORTRECORDITEM_METRICS* pMetrics, BOOL bPrinting);
    virtual void DrawItemBackground(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, LVK_REPORTRECORDITEM_METRICS* pMetrics);
    virtual void DrawItemCaption(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, LVK_REPORTRECORDITEM_METRICS* pMetrics);
    virtual void DrawGroupRow(CDC* pDC, CLVKReportGroupRow* pRow, RECT rcRow, LVK_REPORTRECORDITEM_METRICS* pMetrics);
    virtual void DrawFocusedRow(CDC* pDC, RECT rcRow);
    virtual void DrawGridLine(CDC* pDC, CLVKReportColumn* pColumn, RECT rcCell, BOOL bHorizontal);
    virtual void FillIndent(CDC* pDC, RECT rc);
    virtual void FillItemShade(CDC* pDC, RECT rc);
    // Measures (pDC null) or draws the expand glyph; answers its size.
    virtual SIZE DrawExpandGlyph(CDC* pDC, RECT rcGlyph, BOOL bExpanded);
    // Glyphs: 0 minus, 1 plus, 2..5 check boxes, 8 indeterminate, 9/10 padlocks.
    virtual SIZE DrawGlyph(CDC* pDC, RECT rcGlyph, int nGlyph);
    virtual void DrawNoItems(CDC* pDC, RECT rc, LPCWSTR lpszText);
    virtual void DrawItemBitmap(LVK_REPORTRECORDITEM_DRAWARGS* /*pDrawArgs*/, RECT& /*rcItem*/, int /*nImage*/) {}
    virtual void DrawTreeStructure(LVK_REPORTRECORDITEM_DRAWARGS* /*pDrawArgs*/, RECT /*rcItem*/, int /*nLevel*/) {}

    // Header and footer.
    virtual void FillHeaderControl(CDC* pDC, RECT rcHeader);
    virtual void DrawColumn(CDC* pDC, CLVKReportColumn* pColumn, CLVKReportHeader* pHeader, RECT rcColumn,
                            BOOL bPressed);
    virtual void DrawColumnCaption(CDC* pDC, CLVKReportColumn* pColumn, RECT rcText);
    // The background and edges of one header column; the themes differ here.
    virtual void DrawColumnBackground(CDC* pDC, CLVKReportColumn* pColumn, RECT rcColumn, BOOL bPressed);
    virtual void DrawSortArrow(CDC* pDC, RECT rcArrow, BOOL bAscending);
    virtual void DrawColumnFooter(CDC* pDC, CLVKReportColumn* pColumn, RECT rcColumn);
    virtual void FillGroupByControl(CDC* pDC, RECT rcGroupBy);
    virtual void DrawNoGroupByText(CDC* pDC, RECT rcGroupBy);
    virtual void DrawControlBorder(CDC* /*pDC*/, RECT /*rcWindow*/, CWnd* /*pWnd*/) {}
    virtual void DrawResizeTracker(CDC* /*pDC*/, RECT /*rc*/) {}

    // In-place buttons of the edited cell, and the buttons drawn in cells that
    // are not edited (answer TRUE when drawn).
    virtual void DrawInplaceButton(CDC* pDC, CLVKReportInplaceButton* pButton);
    virtual void DrawInplaceButtonFrame(CDC* pDC, RECT rcButton, BOOL bPressed);
    virtual BOOL DrawInplaceComboButton(CDC* pDC, RECT rcButton);
    virtual BOOL DrawInplaceExpandButton(CDC* pDC, RECT rcButton);
    virtual BOOL DrawInplaceSpinButton(CDC* pDC, RECT rcButton);
    // A push button inside a cell.
    virtual void DrawItemControl(LVK_REPORTRECORDITEM_DRAWARGS* pArgs, CLVKReportRecordItemControl* pControl,
                                 RECT& rcItem);

    CFont* GetTextFont() { return &m_fontText; }
    CFont* GetBoldTextFont() { return &m_fontBoldText; }
    CFont* GetCaptionFont() { return &m_fontCaption; }
    const CString& GetNoItemsText() const { return m_strNoItems; }
    BOOL HasGlyphStrip() const { return m_hGlyphStrip != nullptr; }
    const CString& GetNoGroupByText() const { return m_strNoGroupBy; }
    int GetTreeIndent() const { return m_nTreeIndent; }
    BOOL IsFixedRowHeight() const { return m_bFixedRowHeight; }
    void SetFixedRowHeight(BOOL b) { m_bFixedRowHeight = b; }
    BOOL IsRowHeightCached() const { return m_bRowHeightCached; }
    BOOL IsGridHorizontal() const { return m_nHorizontalGridStyle != 0; }

    // Colours (effective value: custom when set, else standard).
    CLVKPaintManagerColor m_clrHighlight;
    CLVKPaintManagerColor m_clrHighlightText;
    CLVKPaintManagerColor m_clrBoldText;
    CLVKPaintManagerColor m_clrWindowText;
    CLVKPaintManagerColor m_clrControlBack;
    CLVKPaintManagerColor m_clrHeaderControl;
    CLVKPaintManagerColor m_clrCaptionText;
    CLVKPaintManagerColor m_clrGroupRowText;
    CLVKPaintManagerColor m_clrGroupShadeBack;
    CLVKPaintManagerColor m_clrGroupShadeText;
    CLVKPaintManagerColor m_clrGroupShadeBorder;
    CLVKPaintManagerColor m_clrGroupBoxBack;
    CLVKPaintManagerColor m_clrControlDark;
    CLVKPaintManagerColor m_clrControlLightLight;
    CLVKPaintManagerColor m_clrIndentControl;
    CLVKPaintManagerColor m_clrItemShade{RGB(245, 245, 245)};
    CLVKPaintManagerColor m_clrBtnFace;
    CLVKPaintManagerColor m_clrBtnText;
    CLVKPaintManagerColor m_clrSelectedRow;
    CLVKPaintManagerColor m_clrSelectedRowText;
    CLVKPaintManagerColor m_clrGridLine;
    CLVKPaintManagerColor m_clrNoGroupByText;
    CLVKPaintManagerColor m_clrBoldTextHighlight;
    CLVKPaintManagerColor m_clrBtnFacePressed;
    CLVKPaintManagerColor m_clrCaptionTextPressed;
    CLVKPaintManagerColor m_clrGradientColumnSeparator;
    CLVKPaintManagerColor m_clrColumnShadow;
    CLVKPaintManagerColorGradient m_grcColumnNormal;
    CLVKPaintManagerColorGradient m_grcColumnPressed;
    CLVKPaintManagerColor m_clrHotDivider{RGB(255, 0, 0)};
    CLVKPaintManagerColor m_clrFreezeColsDivider{RGB(0, 0, 222)};
    CLVKPaintManagerColor m_clrConnector;
    CLVKPaintManagerColor m_clrDisableBitmapLightest{RGB(250, 250, 250)};
    CLVKPaintManagerColor m_clrDisableBitmapDarkest{RGB(128, 128, 128)};
    COLORREF m_clrHyperlink = RGB(0, 0, 255);
    COLORREF m_clrHyperlinkHot = RGB(0, 0, 255);
    // The theme's link look, normal and under the mouse (colours above,
    // no decoration).
    CLVKReportHyperlinkStyle* GetHyperlinkStyle();
    CLVKReportHyperlinkStyle* GetHyperlinkHoverStyle();
    COLORREF m_clrFormulaSum = RGB(255, 0, 0);
    COLORREF m_clrFormulaSubSum = RGB(0, 0, 255);

    BOOL m_bFixedRowHeight = TRUE;
    BOOL m_bRowHeightCached = FALSE;
    BOOL m_bGroupRowTextBold = FALSE;
    BOOL m_bShadeGroupHeadings = FALSE;
    BOOL m_bShadeSortColumn = TRUE;
    BOOL m_bHideSelection = FALSE;
    BOOL m_bUseColumnTextAlignment = FALSE;
    BOOL m_bUpperCaseCaptions = FALSE;
    BOOL m_bInplaceButtonHeightLimit = FALSE;
    CLVKReportHyperlinkStyle m_styleHyperlink;
    CLVKReportHyperlinkStyle m_styleHyperlinkHover;
    BOOL m_bShowInplaceButtonGlyphs = FALSE;
    // 0 default, Office 2003 and the flat themes; 1 Office XP; 2 Explorer;
    // 3 Office 2003 Luna; 4 resource.
    int m_nThemeKind = 0;
    BOOL m_bHotHyperlinkUnderlined = TRUE;
    BOOL m_bDrawResizeTracker = TRUE;
    int m_nGroupGridLineStyle = 4;
    int m_nHorizontalGridStyle = 4;
    int m_nVerticalGridStyle = 0;
    int m_nTreeIndent = 20;
    int m_nRowHeight = 18;
    int m_nRowHeightDefault = 18;
    int m_nHeaderHeight = 22;
    int m_nFooterHeight = 22;
    int m_nGroupGridLineHeight = 2;
    int m_nTreeTextIndentGroupRow = 5;
    int m_nMaxCaptionLines = 3;
    int m_nGlyphSize = 12;

protected:
    // Loads bitmap nFirstId + 0..3 by the screen's DPI (96, 120, 144, 192).
    void LoadGlyphStrip(UINT nFirstId);

    CLVKReportControl* m_pControl = nullptr;
    HBITMAP m_hGlyphStrip = nullptr;
    int m_nGlyphCell = 0;
    CFont m_fontText;
    CFont m_fontBoldText;
    CFont m_fontCaption;
    CString m_strNoItems;
    CString m_strNoGroupBy;
    CString m_strSortBy;
    CString m_strIncreasing;
    CString m_strDecreasing;
    CString m_strExpand;
    CString m_strCollapse;
};
