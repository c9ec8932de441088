#include "ReportThemeVisualStudio2012Blue.h"

CLVKReportThemeVisualStudio2012Blue::CLVKReportThemeVisualStudio2012Blue()
{
    m_bUpperCaseCaptions = FALSE;
    CLVKReportThemeVisualStudio2012Blue::RefreshMetrics();
}

// COLORREF values are written 0x00BBGGRR; the later colours follow the
// effective values set before them.
void CLVKReportThemeVisualStudio2012Blue::RefreshMetrics()
{
    m_clrHyperlink = static_cast<COLORREF>(0xC46413);
    m_clrHyperlinkHot = static_cast<COLORREF>(0xFF9933);
    m_bHotHyperlinkUnderlined = FALSE;
    m_bDrawResizeTracker = FALSE;
    m_clrBtnFace.SetStandardValue(static_cast<COLORREF>(0xFFFFFF));
    m_clrBtnFacePressed.SetStandardValue(static_cast<COLORREF>(0xD0F0FF));
    m_clrBtnText.SetStandardValue(static_cast<COLORREF>(0x1E1E1E));
    m_clrControlDark.SetStandardValue(static_cast<COLORREF>(0x553929));
    m_clrHighlight.SetStandardValue(static_cast<COLORREF>(0xFF9933));
    m_clrHighlightText.SetStandardValue(m_clrBtnFace.IsCustomValue() ? m_clrBtnFace.GetColor() : COLORREF(0xFFFFFF));
    m_clrControlLightLight.SetStandardValue(m_clrBtnFace.IsCustomValue() ? m_clrBtnFace.GetColor()
                                                                         : static_cast<COLORREF>(0xFFFFFF));
    m_clrBoldText.SetStandardValue(m_clrBtnText);
    m_clrWindowText.SetStandardValue(m_clrBtnText);
    m_clrBoldTextHighlight.SetStandardValue(m_clrHighlightText);
    m_clrGroupTextHilite.SetStandardValue(m_clrHighlightText);
    m_clrGroupText.SetStandardValue(m_clrBtnText);
    m_clrGroupBack.SetStandardValue(static_cast<COLORREF>(0xF2EFEF));
    m_clrGroupBackHilite.SetStandardValue(m_clrHighlight);
    m_clrHotDivider.SetStandardValue(m_clrHighlight);
    m_clrSelectedRow.SetStandardValue(m_clrGroupBack.IsCustomValue() ? m_clrGroupBack.GetColor() : COLORREF(0xF2EFEF));
    m_clrSelectedRowText.SetStandardValue(m_clrBtnText);
    m_clrItemShade.SetStandardValue(static_cast<COLORREF>(0xF8F3F1));
    m_clrFreezeColsDivider.SetStandardValue(static_cast<COLORREF>(0x583B2B));
    SetFollowingColours();
}
