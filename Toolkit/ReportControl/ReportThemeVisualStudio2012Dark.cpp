#include "ReportThemeVisualStudio2012Dark.h"

CLVKReportThemeVisualStudio2012Dark::CLVKReportThemeVisualStudio2012Dark()
{
    m_bUpperCaseCaptions = FALSE;
    CLVKReportThemeVisualStudio2012Dark::RefreshMetrics();
}

// COLORREF values are written 0x00BBGGRR; the later colours follow the
// effective values set before them.
void CLVKReportThemeVisualStudio2012Dark::RefreshMetrics()
{
    m_clrHyperlink = static_cast<COLORREF>(0xFF9933);
    m_clrHyperlinkHot = static_cast<COLORREF>(0xFFFFFF);
    m_bHotHyperlinkUnderlined = FALSE;
    m_bDrawResizeTracker = FALSE;
    m_clrBtnFace.SetStandardValue(static_cast<COLORREF>(0x262525));
    m_clrBtnFacePressed.SetStandardValue(static_cast<COLORREF>(0xCC7A00));
    m_clrBtnText.SetStandardValue(static_cast<COLORREF>(0x999999));
    m_clrControlDark.SetStandardValue(static_cast<COLORREF>(0x302D2D));
    m_clrHighlight.SetStandardValue(static_cast<COLORREF>(0xFF9933));
    m_clrHighlightText.SetStandardValue(static_cast<COLORREF>(0xFFFFFF));
    m_clrControlLightLight.SetStandardValue(m_clrBtnFace.IsCustomValue() ? m_clrBtnFace.GetColor()
                                                                         : static_cast<COLORREF>(0x262525));
    m_clrBoldText.SetStandardValue(m_clrBtnText);
    m_clrWindowText.SetStandardValue(m_clrBtnText);
    m_clrBoldTextHighlight.SetStandardValue(m_clrHighlightText);
    m_clrGroupTextHilite.SetStandardValue(m_clrHighlightText);
    m_clrGroupText.SetStandardValue(m_clrBtnText);
    m_clrGroupBack.SetStandardValue(m_clrControlDark.GetColor());
    m_clrGroupBackHilite.SetStandardValue(m_clrHighlight);
    m_clrHotDivider.SetStandardValue(m_clrHighlight);
    m_clrSelectedRow.SetStandardValue(m_clrControlDark.GetColor());
    m_clrSelectedRowText.SetStandardValue(m_clrBtnText);
    m_clrItemShade.SetStandardValue(static_cast<COLORREF>(0x333333));
    m_clrFreezeColsDivider.SetStandardValue(m_clrBtnText.GetColor());
    SetFollowingColours();
}
