#include "ReportThemeVisualStudio2012Light.h"

CLVKReportThemeVisualStudio2012Light::CLVKReportThemeVisualStudio2012Light()
{
    m_bUpperCaseCaptions = FALSE;
    CLVKReportThemeVisualStudio2012Light::LoadGlyphs();
    CLVKReportThemeVisualStudio2012Light::RefreshMetrics();
}

// COLORREF values are written 0x00BBGGRR.
const CLVKReportThemeVisualStudio2012::ColorSet& CLVKReportThemeVisualStudio2012Light::GetColorSet() const
{
    static const ColorSet set = {0xC46413, 0xFF9933, 0xF6F6F6, 0xCC7A00, 0x1E1E1E,
                                 0xDBCECC, 0xE8E7E6, 0xFAFAFA, 0x808080, 9576};
    return set;
}

void CLVKReportThemeVisualStudio2012Light::SetOwnColors()
{
    m_clrGroupBack.SetStandardValue(0xF2EFEF);
    m_clrSelectedRow.SetStandardValue(m_clrGroupBack);
    m_clrFreezeColsDivider.SetStandardValue(0x998986);
    m_clrGroupBoxBack.SetStandardValue(m_clrGroupBack);
    m_clrCaptionText.SetStandardValue(m_clrBtnText);
    m_clrCaptionTextPressed.SetStandardValue(m_clrHighlightText);
    m_clrHeaderControl.SetStandardValue(m_clrGroupBack);
    m_clrGradientColumnSeparator.SetStandardValue(m_clrBtnText);
    m_clrGlyph.SetStandardValue(m_clrBtnText);
    m_clrGlyphHighlight.SetStandardValue(m_clrHighlightText);
}
