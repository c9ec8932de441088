#include "ReportThemeVisualStudio2012Blue.h"

CLVKReportThemeVisualStudio2012Blue::CLVKReportThemeVisualStudio2012Blue()
{
    m_bUpperCaseCaptions = FALSE;
    CLVKReportThemeVisualStudio2012Blue::LoadGlyphs();
    CLVKReportThemeVisualStudio2012Blue::RefreshMetrics();
}

// COLORREF values are written 0x00BBGGRR.
const CLVKReportThemeVisualStudio2012::ColorSet& CLVKReportThemeVisualStudio2012Blue::GetColorSet() const
{
    static const ColorSet set = {0xC46413, 0xFF9933, 0xFFFFFF, 0xD0F0FF, 0x1E1E1E,
                                 0x553929, 0xF8F3F1, 0xFAFAFA, 0x808080, 9572};
    return set;
}

void CLVKReportThemeVisualStudio2012Blue::SetOwnColors()
{
    m_clrHighlightText.SetStandardValue(m_clrBtnFace.IsCustomValue() ? m_clrBtnFace.GetColor() : 0xFFFFFF);
    m_clrGroupBack.SetStandardValue(0xF2EFEF);
    m_clrSelectedRow.SetStandardValue(m_clrGroupBack.IsCustomValue() ? m_clrGroupBack.GetColor() : 0xF2EFEF);
    m_clrFreezeColsDivider.SetStandardValue(0x583B2B);
    m_clrGroupBoxBack.SetStandardValue(m_clrControlDark);
    m_clrCaptionText.SetStandardValue(m_clrBtnFace);
    m_clrCaptionTextPressed.SetStandardValue(0x3D6375);
    m_clrHeaderControl.SetStandardValue(0x82604D);
    m_clrGradientColumnSeparator.SetStandardValue(0xDDD4CE);
    m_clrGlyph.SetStandardValue(m_clrGradientColumnSeparator);
    m_clrGlyphHighlight.SetStandardValue(m_clrCaptionTextPressed);
}
