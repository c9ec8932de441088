#include "ReportThemeVisualStudio2015.h"

#include "Foundation/ResourceImages.h"

namespace
{
// The colour of the loaded resource theme's "ReportControl" section, or the
// default without a theme or without the key.
COLORREF GetThemeColor(LPCWSTR lpszKey, COLORREF clrDefault)
{
    return GetResourceImageColor(L"ReportControl", lpszKey, clrDefault);
}
}  // namespace

void CLVKReportThemeVisualStudio2015::RefreshMetrics()
{
    m_styleHyperlink.SetColor(GetThemeColor(L"HyperLink", RGB(19, 100, 196)));
    m_styleHyperlink.SetTextDecoration(0);
    m_styleHyperlinkHover.SetColor(GetThemeColor(L"HyperLinkHover", RGB(51, 153, 255)));
    m_styleHyperlinkHover.SetTextDecoration(0);
    m_bDrawResizeTracker = FALSE;

    struct Entry
    {
        LPCWSTR key;
        CLVKPaintManagerColor* pColor;
        COLORREF clrDefault;
    };
    const Entry entries[] = {
        {L"BtnFace", &m_clrBtnFace, RGB(255, 255, 255)},
        {L"BtnFacePressed", &m_clrBtnFacePressed, RGB(255, 240, 208)},
        {L"BtnText", &m_clrBtnText, RGB(30, 30, 30)},
        {L"ControlDark", &m_clrControlDark, RGB(41, 57, 85)},
        {L"ControlLightLight", &m_clrControlLightLight, RGB(255, 255, 255)},
        {L"Highlight", &m_clrHighlight, RGB(51, 153, 255)},
        {L"HighlightText", &m_clrHighlightText, RGB(255, 255, 255)},
        {L"BoldText", &m_clrBoldText, RGB(30, 30, 30)},
        {L"BoldTextHighlight", &m_clrBoldTextHighlight, RGB(255, 255, 255)},
        {L"GroupText", &m_clrGroupText, RGB(30, 30, 30)},
        {L"GroupTextHilite", &m_clrGroupTextHilite, RGB(255, 255, 255)},
        {L"GroupBack", &m_clrGroupBack, RGB(239, 239, 242)},
        {L"GroupBackHilite", &m_clrGroupBackHilite, RGB(51, 153, 255)},
        {L"SelectedRow", &m_clrSelectedRow, RGB(239, 239, 242)},
        {L"SelectedRowText", &m_clrSelectedRowText, RGB(30, 30, 30)},
        {L"ItemShade", &m_clrItemShade, RGB(241, 243, 248)},
        {L"HotDivider", &m_clrHotDivider, RGB(255, 0, 0)},
        {L"FreezeColsDivider", &m_clrFreezeColsDivider, RGB(43, 59, 88)},
        {L"WindowText", &m_clrWindowText, RGB(30, 30, 30)},
        {L"ControlBack", &m_clrControlBack, RGB(255, 255, 255)},
        {L"Connector", &m_clrConnector, RGB(77, 96, 130)},
        {L"IndentControl", &m_clrIndentControl, RGB(255, 255, 255)},
        {L"CaptionText", &m_clrCaptionText, RGB(255, 255, 255)},
        {L"CaptionTextPressed", &m_clrCaptionTextPressed, RGB(117, 99, 61)},
        {L"HeaderControl", &m_clrHeaderControl, RGB(77, 96, 130)},
        {L"GroupShadeBorder", &m_clrGroupShadeBorder, RGB(41, 57, 85)},
        {L"GroupShadeBack", &m_clrGroupShadeBack, RGB(255, 255, 255)},
        {L"GroupShadeText", &m_clrGroupShadeText, RGB(30, 30, 30)},
        {L"GroupRowText", &m_clrGroupRowText, RGB(41, 57, 85)},
        {L"GroupBoxBack", &m_clrGroupBoxBack, RGB(41, 57, 85)},
        {L"NoGroupByText", &m_clrNoGroupByText, RGB(41, 57, 85)},
        {L"GradientColumnSeparator", &m_clrGradientColumnSeparator, RGB(206, 212, 221)},
        {L"Glyph", &m_clrGlyph, RGB(206, 212, 221)},
        {L"GlyphHighlight", &m_clrGlyphHighlight, RGB(117, 99, 61)},
    };
    for (const Entry& entry : entries)
        entry.pColor->SetStandardValue(GetThemeColor(entry.key, entry.clrDefault));
    // These three default to colours read in the same pass.
    m_clrGlyphExpand.SetStandardValue(GetThemeColor(L"GlyphExpand", m_clrControlBack));
    m_clrGlyphBorder.SetStandardValue(GetThemeColor(L"GlyphBorder", m_clrConnector));
    m_clrGlyphContract.SetStandardValue(GetThemeColor(L"GlyphContract", m_clrBtnText));
    m_clrDisableBitmapLightest.SetStandardValue(GetThemeColor(L"DisableBitmapLightest", RGB(250, 250, 250)));
    m_clrDisableBitmapDarkest.SetStandardValue(GetThemeColor(L"DisableBitmapDarkest", RGB(128, 128, 128)));

    FinishFlatMetrics();
}
