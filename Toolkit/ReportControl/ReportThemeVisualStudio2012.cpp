#include "ReportThemeVisualStudio2012.h"

void CLVKReportThemeVisualStudio2012::SetFollowingColours()
{
    m_clrControlBack.SetStandardValue(m_clrBtnFace);
    m_clrIndentControl.SetStandardValue(m_clrBtnFace);
    m_clrGroupShadeBack.SetStandardValue(m_clrBtnFace);
    m_clrConnector.SetStandardValue(m_clrControlDark);
    m_clrGroupShadeBorder.SetStandardValue(m_clrControlDark);
    m_clrGroupRowText.SetStandardValue(m_clrControlDark);
    m_clrNoGroupByText.SetStandardValue(m_clrControlDark);
    m_clrHeaderControl.SetStandardValue(m_clrBtnFace);
    m_clrCaptionText.SetStandardValue(m_clrBtnText);
    m_clrCaptionTextPressed.SetStandardValue(m_clrHighlightText);
    m_clrGradientColumnSeparator.SetStandardValue(m_clrControlDark);
    m_clrGlyph.SetStandardValue(m_clrBtnText);
    m_clrGlyphHighlight.SetStandardValue(m_clrHighlightText);
    m_clrGlyphExpand.SetStandardValue(m_clrControlBack);
    m_clrGlyphBorder.SetStandardValue(m_clrConnector);
    m_clrGlyphContract.SetStandardValue(m_clrBtnText);
    m_clrGridLine.SetStandardValue(m_clrBtnFace);
    m_nGroupGridLineStyle = 4;
}
