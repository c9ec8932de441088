// Flowing text: the inlines (runs, spans, line breaks, hosted elements) are
// cut into pieces, the pieces distributed over lines (with word wrapping or
// trimming with an ellipsis), aligned left, right, centred or justified, and
// each piece placed in its line by its inline's baseline alignment.
#pragma once

#include "Markup/MarkupFrameworkElement.h"
#include "Markup/MarkupInline.h"

#include <memory>
#include <vector>

class CLVKMarkupBrush;
class CLVKMarkupInlineCollection;
class CLVKMarkupRun;
class CLVKMarkupThickness;

class CLVKMarkupTextBlock : public CLVKMarkupFrameworkElement
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupTextBlock();

    // One stretch of one leaf inline placed on one line.
    struct Piece
    {
        Piece(CLVKMarkupInline* pInline, MarkupTextPosition nStart, MarkupTextPosition nEnd);
        ~Piece();
        Piece(const Piece&) = delete;
        Piece& operator=(const Piece&) = delete;
        BOOL IsEmpty() const { return nStart == nEnd; }
        void Measure(CLVKMarkupDrawingContext* pDC);
        RECT GetRect() const { return RECT{x + dx, y + dy, x + dx + cx, y + dy + cy}; }

        CLVKMarkupInline* pInline;
        MarkupTextPosition nStart;
        MarkupTextPosition nEnd;
        int x = 0, y = 0;
        int dx = 0, dy = 0;
        int cx = 0, cy = 0;
        int nDescent = 0;
        int nFontAscent = 0, nFontDescent = 0;
        BOOL bAfterHardBreak = FALSE;
    };
    struct Line
    {
        std::vector<std::unique_ptr<Piece>> pieces;
        int nWidth = 0;
        int nHeight = 0;
        int nDescent = 0;
        BOOL bWrapped = FALSE;
    };

    CLVKMarkupInlineCollection* GetInlines() const { return m_pInlines; }
    // Sets "Text": the inlines are replaced by one run holding the text.
    void SetText(LPCWSTR lpszText);
    // The texts of all runs in reading order (the "Text" value while no
    // inline exists).
    CString GetText() const;
    void SetBackground(CLVKMarkupBrush* pBrush);
    void SetForeground(CLVKMarkupBrush* pBrush);
    CLVKMarkupBrush* GetBackground() const;
    CLVKMarkupBrush* GetForeground() const;
    CLVKMarkupThickness* GetPadding() const;
    LPCWSTR GetFontFamily() const;
    int GetTextAlignment() const;
    int GetTextTrimming() const;
    int GetTextWrapping() const;
    // The result of the last layout.
    const std::vector<Line>& GetLines() const { return m_lines; }
    SIZE GetContentSize() const { return SIZE{m_nContentWidth, m_nContentHeight}; }

    int GetLogicalChildrenCount() const override { return 1; }
    CLVKMarkupObject* GetLogicalChild(int nIndex) const override;
    int GetVisualChildrenCount() const override { return static_cast<int>(m_hosted.size()); }
    CLVKMarkupVisual* GetVisualChild(int nIndex) const override;
    void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    BOOL AllowWhiteSpaceContent() const override { return TRUE; }
    void OnPropertyChanged(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pOldValue,
                           CLVKMarkupObject* pNewValue) override;
    void OnRender(CLVKMarkupDrawingContext* pDC) override;
    CLVKMarkupInputElement* HitTestCore(int x, int y) override;
    void RemeasureAndPropagate(CLVKMarkupDrawingContext* pDC) override;
    SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    SIZE ArrangeOverride(int nWidth, int nHeight) override;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pTextWrappingProperty;
    static CLVKMarkupDependencyProperty* m_pTextTrimmingProperty;
    static CLVKMarkupDependencyProperty* m_pTextAlignmentProperty;
    static CLVKMarkupDependencyProperty* m_pPaddingProperty;
    static CLVKMarkupDependencyProperty* m_pTextProperty;
    // The text element's properties, which the text block owns as well.
    static CLVKMarkupDependencyProperty* m_pBackgroundProperty;
    static CLVKMarkupDependencyProperty* m_pForegroundProperty;
    static CLVKMarkupDependencyProperty* m_pFontSizeProperty;
    static CLVKMarkupDependencyProperty* m_pFontWeightProperty;
    static CLVKMarkupDependencyProperty* m_pFontStyleProperty;
    static CLVKMarkupDependencyProperty* m_pFontFamilyProperty;
    static CLVKMarkupDependencyProperty* m_pTextDecorationsProperty;

protected:
    ~CLVKMarkupTextBlock() override;

private:
    struct LayoutState;

    void LayoutLines(CLVKMarkupDrawingContext* pDC, int nWidth);
    void LayoutInline(LayoutState& state, CLVKMarkupInline* pInline);
    void FlushPendingPieces(LayoutState& state);
    void FinishLine(LayoutState& state);
    void TrimLine(LayoutState& state);
    void AddEmptyLinePiece(LayoutState& state);
    // A run made through the context whose logical parent is the block, so
    // that it inherits the block's font.
    CLVKMarkupRun* CreateOwnRun(LPCWSTR lpszText);
    void DrawDecoration(CLVKMarkupDrawingContext* pDC, const Piece& piece);
    // Moves a "Text" that came from a style into the inlines.
    void SyncStyledText();

    CLVKMarkupInlineCollection* m_pInlines;
    std::vector<Line> m_lines;
    std::vector<CLVKMarkupVisual*> m_hosted;
    int m_nCachedWidth = -1;
    int m_nContentWidth = 0;
    int m_nContentHeight = 0;
    BOOL m_bSettingText = FALSE;

public:
    // Script members.
    long OleGetTextWrapping();
    void OleSetTextWrapping(long nWrapping);
    CString OleGetFontFamily();
    void OleSetFontFamily(LPCWSTR lpszFamily);
    VARIANT OleGetText();
    void OleSetText(const VARIANT* pText);
    IDispatch* OleGetInlines();

    DECLARE_DISPATCH_MAP()
};
