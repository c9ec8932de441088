// The base of the inline elements a text block lays out. The text block
// walks the leaf inlines in reading order and, inside each, its positions
// (an opaque index the inline hands out; -1 is past the end), asking the
// inline about each position and measuring and drawing stretches of them.
#pragma once

#include "Markup/MarkupTextElement.h"

class CLVKMarkupDrawingContext;
class CLVKMarkupInlineCollection;

// A place inside one inline; -1 is past the end.
typedef int MarkupTextPosition;
const MarkupTextPosition kMarkupTextEnd = -1;

class CLVKMarkupInline : public CLVKMarkupTextElement
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    // The first leaf inline: the inline itself, for a span its first
    // child's first leaf.
    virtual CLVKMarkupInline* GetFirstInline() { return this; }
    virtual MarkupTextPosition GetTextStart() const { return kMarkupTextEnd; }
    // Returns the position before the step and advances it.
    virtual MarkupTextPosition NextPosition(MarkupTextPosition& nPosition) const;
    // Where a line may break (tab, line feed, space; a hosted element).
    virtual BOOL IsWhiteSpace(MarkupTextPosition /*nPosition*/) const { return FALSE; }
    virtual BOOL IsLineFeed(MarkupTextPosition /*nPosition*/) const { return FALSE; }
    virtual BOOL IsCarriageReturn(MarkupTextPosition /*nPosition*/) const { return FALSE; }
    // Space or tab: skipped at the start of a wrapped line.
    virtual BOOL IsBlank(MarkupTextPosition /*nPosition*/) const { return FALSE; }
    virtual void ArrangeRange(const RECT& /*rc*/, MarkupTextPosition /*nFirst*/, MarkupTextPosition /*nLast*/) {}
    virtual SIZE MeasureRange(CLVKMarkupDrawingContext* /*pDC*/, MarkupTextPosition /*nFirst*/,
                              MarkupTextPosition /*nLast*/)
    {
        return SIZE{0, 0};
    }
    virtual void RenderRange(CLVKMarkupDrawingContext* /*pDC*/, const RECT& /*rc*/, MarkupTextPosition /*nFirst*/,
                             MarkupTextPosition /*nLast*/)
    {
    }
    virtual void PrepareFont(CLVKMarkupDrawingContext* /*pDC*/) {}
    virtual int GetDescent() const { return 0; }
    // The (ascent, descent) of the inline's font, or null.
    virtual const POINT* GetMetricsPair() const { return nullptr; }
    CLVKMarkupInputElement* InputHitTest(int /*x*/, int /*y*/) override { return this; }

    // The next leaf inline in reading order inside the same text block.
    CLVKMarkupInline* GetNextInline() const;
    // "BaselineAlignment"; 3 (Baseline) when unset.
    int GetBaselineAlignment() const;
    void SetBaselineAlignment(int nAlignment);
    int GetIndex() const { return m_nIndex; }
    void SetIndex(int nIndex) { m_nIndex = nIndex; }

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pBaselineAlignmentProperty;

private:
    int m_nIndex = -1;

    DECLARE_DISPATCH_MAP()
};
