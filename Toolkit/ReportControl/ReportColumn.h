// One column of a report control: which record item it shows, its caption,
// widths, alignment, sorting and grouping switches.
#pragma once

#include "ReportDefines.h"

class CLVKMarkupUIElement;
class CLVKPropExchange;
class CLVKReportRecordItemEditOptions;

class CLVKReportColumn : public CLVKCmdTarget
{
    DECLARE_DYNAMIC(CLVKReportColumn)

public:
    CLVKReportColumn(int nItemIndex, LPCWSTR lpszCaption, int nWidth, BOOL bAutoSize = TRUE, int nIconID = -1,
                     BOOL bSortable = TRUE, BOOL bVisible = TRUE);
    ~CLVKReportColumn() override;

    // How the column's cells are edited (cells may carry their own).
    CLVKReportRecordItemEditOptions* GetEditOptions() const { return m_pEditOptions; }
    // The caption parsed as markup while the control has a markup context.
    virtual void ResetMarkupUIElement();
    CLVKMarkupUIElement* GetMarkupUIElement() const { return m_pMarkupUIElement; }
    // Persistence of the sort direction, visibility, alignments, widths (at
    // 96 DPI) and, by schema, the plus-minus block.
    virtual void DoPropExchange(CLVKPropExchange* pPX);
    // Scrolls the control so that the column is in view.
    virtual void EnsureVisible();
    // The caption's width in the DC's font (a markup caption's desired width).
    int GetCaptionWidth(CDC* pDC);
    BOOL IsDraggable() const { return m_bDraggable; }
    void SetDraggable(BOOL b) { m_bDraggable = b; }
    BOOL IsRemovable() const { return m_bRemovable; }
    void SetRemovable(BOOL b) { m_bRemovable = b; }
    void SetMaxWidth(int nMaxWidth) { m_nMaxWidth = nMaxWidth; }
    void SetAutoSize(BOOL b) { m_bAutoSize = b; }
    // Which rows MeasureColumnWidth covers for best fit.
    int GetBestFitMode() const { return m_nBestFitMode; }
    void SetBestFitMode(int nMode) { m_nBestFitMode = nMode; }
    // The visible index the column had when it was last hidden.
    int GetOldVisibleIndex() const { return m_nOldVisibleIndex; }

    CLVKReportControl* GetControl() const;
    CLVKReportColumns* GetColumns() const { return m_pColumns; }
    int GetIndex() const;
    int GetVisibleIndex() const;
    int GetItemIndex() const { return m_nItemIndex; }
    const CString& GetCaption() const { return m_strCaption; }
    void SetCaption(LPCWSTR lpszCaption) { m_strCaption = lpszCaption; }
    const CString& GetInternalName() const { return m_strInternalName; }
    void SetInternalName(LPCWSTR lpszName) { m_strInternalName = lpszName; }
    const CString& GetFooterText() const { return m_strFooterText; }
    void SetFooterText(LPCWSTR lpszText) { m_strFooterText = lpszText; }

    BOOL IsVisible() const { return m_bVisible; }
    void SetVisible(BOOL bVisible = TRUE);
    int GetWidth() const;
    // The width the user or the program gave (the weight in proportional
    // sizing) and the width the column now takes; the header sets them.
    int GetBaseWidth() const { return m_nColumnAutoWidth; }
    void SetBaseWidth(int nWidth) { m_nColumnAutoWidth = nWidth; }
    int GetCurrentWidth() const { return m_nColumnStaticWidth; }
    void SetCurrentWidth(int nWidth) { m_nColumnStaticWidth = nWidth; }
    // The width the column was made with.
    int GetDefaultWidth() const { return m_nDefaultWidth; }
    int SetWidth(int nWidth);
    int GetMinWidth() const;
    void SetMinWidth(int nMinWidth) { m_nMinWidth = nMinWidth; }
    int GetMaxWidth() const { return m_nMaxWidth; }
    BOOL IsResizable() const { return m_bIsResizable; }
    BOOL IsAutoSize() const { return m_bAutoSize; }
    int CalcAutoWidth(int nTotalWidth) const;
    // The width that shows the caption, sort arrow and every cell whole.
    virtual int GetBestFitWidth();
    int GetBestFitFloor() const { return m_nBestFitFloor; }
    void SetBestFitFloor(int nWidth) { m_nBestFitFloor = nWidth; }

    // The cell alignment, mirrored when the paint manager mirrors.
    int GetAlignment() const;
    void SetAlignment(int nAlignment) { m_nAlignment = nAlignment; }
    int GetHeaderAlignment() const;
    void SetHeaderAlignment(int nAlignment) { m_nHeaderAlignment = nAlignment; }
    int GetIconID() const { return m_nIconID; }

    BOOL IsSortable() const { return m_bSortable; }
    void SetSortable(BOOL b) { m_bSortable = b; }
    BOOL IsGroupable() const { return m_bGroupable; }
    void SetGroupable(BOOL b) { m_bGroupable = b; }
    BOOL IsSortedIncreasing() const { return m_bSortIncreasing; }
    void SetSortIncreasing(BOOL b) { m_bSortIncreasing = b; }
    BOOL IsSortedDecreasing() const { return !m_bSortIncreasing; }
    BOOL IsSortedWhenGrouped() const { return m_bSortedWhenGrouped; }
    void SetSortedWhenGrouped(BOOL b) { m_bSortedWhenGrouped = b; }
    BOOL IsSorted() const;
    BOOL IsSortedOrGrouped() const;
    BOOL IsTreeColumn() const { return m_bTreeColumn; }
    void SetTreeColumn(BOOL b) { m_bTreeColumn = b; }
    BOOL IsFrozen() const { return m_bFrozen; }
    void SetFrozen(BOOL b) { m_bFrozen = b; }
    BOOL IsEditable() const { return m_bEditable; }
    void SetEditable(BOOL b) { m_bEditable = b; }
    // Filtering by the control's filter text looks at this column's cells.
    BOOL IsFiltrable() const { return m_bFiltrable; }
    void SetFiltrable(BOOL b) { m_bFiltrable = b; }
    // The column may be offered in the list of hidden columns.
    BOOL IsShowInFieldChooser() const { return m_bShowInFieldChooser; }
    void SetShowInFieldChooser(BOOL b) { m_bShowInFieldChooser = b; }

    const RECT& GetRect() const { return m_rcColumn; }
    void SetRect(const RECT& rc) { m_rcColumn = rc; }

    // What the paint manager reads of the header and footer.
    // The column's own font, else the paint manager's caption font.
    CFont* GetFont() const;
    void SetFont(CFont* pFont) { m_pFont = pFont; }
    int GetFooterAlignment() const;
    void SetFooterAlignment(int nAlignment) { m_nFooterAlignment = nAlignment; }
    // The divider line drawn at the column's right edge in header and footer.
    BOOL IsDrawHeaderDivider() const { return m_bDrawHeaderDivider; }
    void SetDrawHeaderDivider(BOOL b) { m_bDrawHeaderDivider = b; }
    // The header shows the caption (else only the icon).
    BOOL IsShowCaption() const { return m_bShowCaption; }
    void SetShowCaption(BOOL b) { m_bShowCaption = b; }
    // A header button that hides or shows a block of neighbouring columns:
    // the block's size (positive after the column, negative before it) and
    // whether it is hidden.
    BOOL IsPlusMinus() const { return m_bPlusMinus; }
    void SetPlusMinus(BOOL b) { m_bPlusMinus = b; }
    int GetNextVisualBlock() const { return m_nNextVisualBlock; }
    void SetNextVisualBlock(int n) { m_nNextVisualBlock = n; }
    BOOL IsBlockHidden() const { return m_bBlockHidden; }
    // Hides or shows the block of columns next to this one.
    void SetBlockHidden(BOOL bHidden);
    // The header's tooltip of the column (its caption when empty).
    const CString& GetTooltip() const { return m_strTooltip; }
    void SetTooltip(LPCWSTR lpszTooltip) { m_strTooltip = lpszTooltip; }
    void SetBlockHiddenFlag(BOOL b) { m_bBlockHidden = b; }
    // Cells of this column show row numbers.
    BOOL IsRowNumberColumn() const { return m_bRowNumbers; }
    void SetRowNumberColumn(BOOL b) { m_bRowNumbers = b; }
    // Vertical grid lines in the rows of the header-records and
    // footer-records sections (body rows always have them).
    BOOL IsDrawGridInRecordSections() const { return m_bDrawGridInRecordSections; }
    void SetDrawGridInRecordSections(BOOL b) { m_bDrawGridInRecordSections = b; }
    // Marked while the column shows the icon view's captions.
    BOOL IsIconViewColumn() const { return m_bIconViewColumn; }
    void SetIconViewColumn(BOOL b) { m_bIconViewColumn = b; }

private:
    CLVKReportRecordItemEditOptions* m_pEditOptions = nullptr;
    CLVKMarkupUIElement* m_pMarkupUIElement = nullptr;
    BOOL m_bDraggable = TRUE;
    BOOL m_bRemovable = TRUE;
    int m_nBestFitMode = 0;
    CString m_strInternalName;
    CString m_strCaption;
    CString m_strFooterText;
    int m_nItemIndex = 0;
    BOOL m_bSortIncreasing = TRUE;
    BOOL m_bSortable = TRUE;
    BOOL m_bGroupable = TRUE;
    BOOL m_bSortedWhenGrouped = TRUE;
    BOOL m_bFrozen = FALSE;
    BOOL m_bTreeColumn = FALSE;
    BOOL m_bEditable = TRUE;
    BOOL m_bFiltrable = TRUE;
    BOOL m_bShowInFieldChooser = TRUE;
    CLVKReportColumns* m_pColumns = nullptr;
    int m_nIconID = -1;
    BOOL m_bVisible = TRUE;
    int m_nOldVisibleIndex = -1;
    BOOL m_bIsResizable = TRUE;
    RECT m_rcColumn{};
    int m_nMinWidth = 10;
    int m_nBestFitFloor = 0;
    int m_nMaxWidth = 0;
    int m_nAlignment = 0;
    int m_nHeaderAlignment = -1;
    int m_nColumnAutoWidth = 0;
    int m_nColumnStaticWidth = 0;
    BOOL m_bAutoSize = TRUE;
    int m_nDefaultWidth = 0;
    CString m_strTooltip;
    CFont* m_pFont = nullptr;
    int m_nFooterAlignment = -1;
    BOOL m_bDrawHeaderDivider = TRUE;
    BOOL m_bShowCaption = TRUE;
    BOOL m_bPlusMinus = FALSE;
    int m_nNextVisualBlock = 0;
    BOOL m_bBlockHidden = FALSE;
    BOOL m_bRowNumbers = FALSE;
    BOOL m_bDrawGridInRecordSections = FALSE;
    BOOL m_bIconViewColumn = FALSE;

    // A header or footer alignment: its own, else the (mirrored) cell
    // alignment or left, by the paint manager's switches.
    int ResolveAlignment(int nOwn) const;

    friend class CLVKReportColumns;
};
