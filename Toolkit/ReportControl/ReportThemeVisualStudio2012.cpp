#include "ReportThemeVisualStudio2012.h"

void CLVKReportThemeVisualStudio2012::LoadGlyphs()
{
    LoadGlyphStrip(GetColorSet().nGlyphFirstId);
    // Without a strip of its own the theme takes the flat strip.
    if (!m_hGlyphStrip)
        LoadGlyphStrip(9568);
}

void CLVKReportThemeVisualStudio2012::RefreshMetrics()
{
    const ColorSet& set = GetColorSet();
    m_styleHyperlink.SetColor(set.clrHyperlink);
    m_styleHyperlink.SetTextDecoration(0);
    m_styleHyperlinkHover.SetColor(set.clrHyperlinkHover);
    m_styleHyperlinkHover.SetTextDecoration(0);
    m_bDrawResizeTracker = FALSE;
    m_clrBtnFace.SetStandardValue(set.clrBtnFace);
    m_clrBtnFacePressed.SetStandardValue(set.clrBtnFacePressed);
    m_clrBtnText.SetStandardValue(set.clrBtnText);
    m_clrControlDark.SetStandardValue(set.clrControlDark);
    m_clrHighlight.SetStandardValue(0xFF9933);
    m_clrHighlightText.SetStandardValue(0xFFFFFF);
    m_clrControlLightLight.SetStandardValue(m_clrBtnFace.IsCustomValue() ? m_clrBtnFace.GetColor() : set.clrBtnFace);
    m_clrItemShade.SetStandardValue(set.clrItemShade);
    m_clrDisableBitmapLightest.SetStandardValue(set.clrDisableBitmapLightest);
    m_clrDisableBitmapDarkest.SetStandardValue(set.clrDisableBitmapDarkest);
    SetOwnColors();

    m_clrBoldText.SetStandardValue(m_clrBtnText);
    m_clrWindowText.SetStandardValue(m_clrBtnText);
    m_clrBoldTextHighlight.SetStandardValue(m_clrHighlightText);
    m_clrGroupTextHilite.SetStandardValue(m_clrHighlightText);
    m_clrGroupText.SetStandardValue(m_clrBtnText);
    m_clrGroupBackHilite.SetStandardValue(m_clrHighlight);
    m_clrHotDivider.SetStandardValue(m_clrHighlight);
    m_clrSelectedRowText.SetStandardValue(m_clrBtnText);
    m_clrControlBack.SetStandardValue(m_clrBtnFace);
    m_clrIndentControl.SetStandardValue(m_clrBtnFace);
    m_clrGroupShadeBack.SetStandardValue(m_clrBtnFace);
    m_clrConnector.SetStandardValue(m_clrControlDark);
    m_clrGroupShadeBorder.SetStandardValue(m_clrControlDark);
    m_clrGroupRowText.SetStandardValue(m_clrControlDark);
    m_clrNoGroupByText.SetStandardValue(m_clrControlDark);
    m_clrGroupShadeText.SetStandardValue(m_clrBtnText);
    // The flat expand glyph takes the colours the Office 2013 theme gives it.
    m_clrGlyphExpand.SetStandardValue(m_clrControlBack);
    m_clrGlyphBorder.SetStandardValue(m_clrConnector);
    m_clrGlyphContract.SetStandardValue(m_clrBtnText);
    FinishFlatMetrics();
}
