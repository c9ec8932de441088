// A panel that lays its children out in a table of columns and rows sized in
// pixels, by their content ("Auto") or by shares of the room left ("*").
// Cells are measured in groups so that auto rows and columns see the sizes
// of star ones and the other way round; children spanning several
// definitions spread their size over them.
#pragma once

#include "Markup/MarkupPanel.h"

#include <vector>

class CLVKMarkupCollection;
class CLVKMarkupDefinitionBase;
class CLVKMarkupColumnDefinitionCollection;
class CLVKMarkupRowDefinitionCollection;

class CLVKMarkupGrid : public CLVKMarkupPanel
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupGrid();

    CLVKMarkupColumnDefinitionCollection* GetColumnDefinitions() const { return m_pColumnDefinitions; }
    CLVKMarkupRowDefinitionCollection* GetRowDefinitions() const { return m_pRowDefinitions; }

    // The attached cell of a child: "Column" and "Row" read 0 when unset,
    // the spans 1 when unset, 0 or negative.
    static int AFX_CDECL GetColumn(const CLVKMarkupObject* pElement);
    static int AFX_CDECL GetRow(const CLVKMarkupObject* pElement);
    static int AFX_CDECL GetColumnSpan(const CLVKMarkupObject* pElement);
    static int AFX_CDECL GetRowSpan(const CLVKMarkupObject* pElement);
    static void AFX_CDECL SetColumn(CLVKMarkupObject* pElement, int n);
    static void AFX_CDECL SetRow(CLVKMarkupObject* pElement, int n);
    static void AFX_CDECL SetColumnSpan(CLVKMarkupObject* pElement, int n);
    static void AFX_CDECL SetRowSpan(CLVKMarkupObject* pElement, int n);

    SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;
    void SetPropertyObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupDependencyProperty* pProperty,
                           CLVKMarkupObject* pValue) override;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pColumnDefinitionsProperty;
    static CLVKMarkupDependencyProperty* m_pRowDefinitionsProperty;
    static CLVKMarkupDependencyProperty* m_pColumnProperty;
    static CLVKMarkupDependencyProperty* m_pRowProperty;
    static CLVKMarkupDependencyProperty* m_pColumnSpanProperty;
    static CLVKMarkupDependencyProperty* m_pRowSpanProperty;

    struct SPANKEY
    {
        int nSpan;
        int nFirst;
        BOOL bColumn;
        int nSize;
    };

protected:
    ~CLVKMarkupGrid() override;

private:
    typedef std::vector<CLVKMarkupDefinitionBase*> Definitions;

    struct GridCell
    {
        int nColumn;
        int nRow;
        int nColumnSpan;
        int nRowSpan;
        int nColumnTypes;
        int nRowTypes;
        int nNext;
        CLVKMarkupUIElement* pChild;
    };

    static const int kEndOfList = 0x7FFFFFFF;

    void UseDefinitions(Definitions& definitions, CLVKMarkupCollection* pUser, CLVKMarkupDefinitionBase* pDefault);
    static void InitDefinitions(const Definitions& definitions, BOOL bStarAsAuto);
    void BuildCells();
    void MeasureCell(CLVKMarkupDrawingContext* pDC, const GridCell& cell, BOOL bInfiniteHeight) const;
    void MeasureGroup(CLVKMarkupDrawingContext* pDC, int nHead, BOOL bInfiniteHeight, BOOL bSkipWidths,
                      BOOL bSkipHeights);
    static void EnsureMinSizeInRange(const Definitions& definitions, int nFirst, int nSpan, int nRequested);
    static void ResolveStar(const Definitions& definitions, double dAvailable);
    static void SetFinalSize(const Definitions& definitions, int nFinal);

    CLVKMarkupColumnDefinitionCollection* m_pColumnDefinitions;
    CLVKMarkupRowDefinitionCollection* m_pRowDefinitions;
    // Stand in for an empty user collection: one star column or row.
    CLVKMarkupDefinitionBase* m_pDefaultColumn;
    CLVKMarkupDefinitionBase* m_pDefaultRow;
    // The definitions and cells of the last measure.
    Definitions m_columns;
    Definitions m_rows;
    std::vector<GridCell> m_cells;
    int m_groupHeads[4] = {kEndOfList, kEndOfList, kEndOfList, kEndOfList};
    BOOL m_bSpansStarColumn = FALSE;
    BOOL m_bSpansStarRow = FALSE;
    BOOL m_bGroup3InAutoRows = FALSE;

protected:
    IDispatch* OleGetColumnDefinitions();
    IDispatch* OleGetRowDefinitions();
    DECLARE_DISPATCH_MAP()
};
