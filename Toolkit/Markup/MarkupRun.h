// An inline that holds a text ("Text"); its positions are the indices of
// its characters. It keeps the font it was last measured with, taken from
// the context's font cache.
#pragma once

#include "Markup/MarkupInline.h"

class CLVKMarkupFont;

class CLVKMarkupRun : public CLVKMarkupInline
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    LPCWSTR GetText() const;
    int GetTextLength() const;
    void SetText(LPCWSTR lpszText);

    MarkupTextPosition GetTextStart() const override;
    MarkupTextPosition NextPosition(MarkupTextPosition& nPosition) const override;
    BOOL IsWhiteSpace(MarkupTextPosition nPosition) const override;
    BOOL IsLineFeed(MarkupTextPosition nPosition) const override;
    BOOL IsCarriageReturn(MarkupTextPosition nPosition) const override;
    BOOL IsBlank(MarkupTextPosition nPosition) const override;
    SIZE MeasureRange(CLVKMarkupDrawingContext* pDC, MarkupTextPosition nFirst, MarkupTextPosition nLast) override;
    void RenderRange(CLVKMarkupDrawingContext* pDC, const RECT& rc, MarkupTextPosition nFirst,
                     MarkupTextPosition nLast) override;
    void PrepareFont(CLVKMarkupDrawingContext* pDC) override;
    int GetDescent() const override { return m_nDescent; }
    const POINT* GetMetricsPair() const override { return m_bHasMetrics ? &m_metrics : nullptr; }
    // The effective font of the run over the context's default font.
    void GetLogFont(LOGFONTW& lf) const;
    CLVKMarkupFont* GetFont() const { return m_pFont; }

    void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent) override;
    BOOL HasContentObject() const override;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pTextProperty;

protected:
    ~CLVKMarkupRun() override;

private:
    wchar_t CharAt(MarkupTextPosition nPosition) const;
    // The characters [nFirst, nLast) as a length; 0 when the range is not one.
    int RangeLength(MarkupTextPosition nFirst, MarkupTextPosition nLast) const;

    CLVKMarkupFont* m_pFont = nullptr;
    int m_nDescent = 0;
    POINT m_metrics = {0, 0};
    BOOL m_bHasMetrics = FALSE;

public:
    // Script members.
    VARIANT OleGetText();
    void OleSetText(const VARIANT* pText);

    DECLARE_DISPATCH_MAP()
};
