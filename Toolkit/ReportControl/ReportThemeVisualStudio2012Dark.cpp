#include "ReportThemeVisualStudio2012Dark.h"

CLVKReportThemeVisualStudio2012Dark::CLVKReportThemeVisualStudio2012Dark()
{
    m_bUpperCaseCaptions = FALSE;
    CLVKReportThemeVisualStudio2012Dark::LoadGlyphs();
    CLVKReportThemeVisualStudio2012Dark::RefreshMetrics();
}

// COLORREF values are written 0x00BBGGRR.
const CLVKReportThemeVisualStudio2012::ColorSet& CLVKReportThemeVisualStudio2012Dark::GetColorSet() const
{
    static const ColorSet set = {0xFF9933, 0xFFFFFF, 0x262525, 0xCC7A00, 0x999999,
                                 0x302D2D, 0x333333, 0x646464, 0x1E1E1E, 9580};
    return set;
}

void CLVKReportThemeVisualStudio2012Dark::SetOwnColors()
{
    m_clrGroupBack.SetStandardValue(m_clrControlDark);
    m_clrSelectedRow.SetStandardValue(m_clrControlDark);
    m_clrFreezeColsDivider.SetStandardValue(m_clrBtnText);
    m_clrGroupBoxBack.SetStandardValue(m_clrControlDark);
    m_clrCaptionText.SetStandardValue(0xD0D0D0);
    m_clrCaptionTextPressed.SetStandardValue(m_clrHighlightText);
    m_clrHeaderControl.SetStandardValue(0x423E3E);
    m_clrGradientColumnSeparator.SetStandardValue(0xF1F1F1);
    m_clrGlyph.SetStandardValue(m_clrGradientColumnSeparator);
    m_clrGlyphHighlight.SetStandardValue(m_clrHighlightText);
}
