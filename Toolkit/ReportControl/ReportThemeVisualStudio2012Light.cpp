#include "ReportThemeVisualStudio2012Light.h"

CLVKReportThemeVisualStudio2012Light::CLVKReportThemeVisualStudio2012Light()
{
    m_bUpperCaseCaptions = FALSE;
    CLVKReportThemeVisualStudio2012Light::RefreshMetrics();
}

// COLORREF values are written 0x00BBGGRR; the later colours follow the
// effective values set before them.
void CLVKReportThemeVisualStudio2012Light::RefreshMetrics()
{
    m_clrHyperlink = static_cast<COLORREF>(0xC46413);
    m_clrHyperlinkHot = static_cast<COLORREF>(0xFF9933);
    m_bHotHyperlinkUnderlined = FALSE;
    m_bDrawResizeTracker = FALSE;
    m_clrBtnFace.SetStandardValue(static_cast<COLORREF>(0xF6F6F6));
    m_clrBtnFacePressed.SetStandardValue(static_cast<COLORREF>(0xCC7A00));
    m_clrBtnText.SetStandardValue(static_cast<COLORREF>(0x1E1E1E));
    m_clrControlDark.SetStandardValue(static_cast<COLORREF>(0xDBCECC));
    m_clrHighlight.SetStandardValue(static_cast<COLORREF>(0xFF9933));
    m_clrHighlightText.SetStandardValue(static_cast<COLORREF>(0xFFFFFF));
    m_clrControlLightLight.SetStandardValue(m_clrBtnFace.IsCustomValue() ? m_clrBtnFace.GetColor()
                                                                         : static_cast<COLORREF>(0xF6F6F6));
    m_clrBoldText.SetStandardValue(m_clrBtnText);
    m_clrWindowText.SetStandardValue(m_clrBtnText);
    m_clrBoldTextHighlight.SetStandardValue(m_clrHighlightText);
    m_clrGroupTextHilite.SetStandardValue(m_clrHighlightText);
    m_clrGroupText.SetStandardValue(m_clrBtnText);
    m_clrGroupBack.SetStandardValue(static_cast<COLORREF>(0xF2EFEF));
    m_clrGroupBackHilite.SetStandardValue(m_clrHighlight);
    m_clrHotDivider.SetStandardValue(m_clrHighlight);
    m_clrSelectedRow.SetStandardValue(m_clrGroupBack.GetColor());
    m_clrSelectedRowText.SetStandardValue(m_clrBtnText);
    m_clrItemShade.SetStandardValue(static_cast<COLORREF>(0xE8E7E6));
    m_clrFreezeColsDivider.SetStandardValue(static_cast<COLORREF>(0x998986));
    SetFollowingColours();
}
