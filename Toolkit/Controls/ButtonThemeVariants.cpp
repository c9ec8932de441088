#include "Controls/ButtonThemeVariants.h"

#include "Controls/BrowseButton.h"
#include "Controls/Button.h"
#include "Foundation/ColorManager.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/GlyphFont.h"
#include "Foundation/ResourceImage.h"
#include "Foundation/ResourceImages.h"

#include <algorithm>
#include <cmath>

namespace
{

int Scale(int n)
{
    return CLVKDpiScaling::GetGlobal()->ScaleX(n);
}

void FillFramed(CDC* pDC, const CRect& rc, COLORREF clrBorder, COLORREF clrFace)
{
    pDC->FillSolidRect(&rc, clrFace);
    pDC->Draw3dRect(&rc, clrBorder, clrBorder);
}

BOOL IsDefaultPush(CLVKButton* pButton)
{
    return pButton->GetButtonType() == BS_DEFPUSHBUTTON && !pButton->IsKindOf(RUNTIME_CLASS(CLVKBrowseButton));
}

COLORREF Blend(COLORREF a, COLORREF b)
{
    return CLVKColorManager::BlendColors(a, b, 50);
}

void DrawCheckGlyph(CDC* pDC, const CRect& rc, COLORREF clr)
{
    const WCHAR chGlyph = CLVKDrawHelpers::IsLayoutRTLOfDC(pDC) ? 0x2E : 0x2D;
    CLVKGlyphFont::GetGlobal()->DrawGlyph(pDC, chGlyph, &rc, clr);
}

}  // namespace

std::unique_ptr<CLVKButtonTheme> AFX_CDECL CreateButtonTheme(int nTheme)
{
    switch (nTheme)
    {
    case 1:
        return std::make_unique<CLVKButtonThemeFlat>();
    case 2:
        return std::make_unique<CLVKButtonThemeUltraFlat>();
    case 3:
        return std::make_unique<CLVKButtonThemeOffice2000>();
    case 4:
        return std::make_unique<CLVKButtonThemeOfficeXP>();
    case 5:
        return std::make_unique<CLVKButtonThemeOffice2003>();
    case 7:
        return std::make_unique<CLVKButtonThemeResource>();
    case 12:
        return std::make_unique<CLVKButtonThemeOffice2013>();
    case 13:
    case 14:
        return std::make_unique<CLVKButtonThemeVisualStudio2012>(TRUE);
    case 15:
        return std::make_unique<CLVKButtonThemeVisualStudio2012>(FALSE);
    case 16:
        return std::make_unique<CLVKButtonThemeVisualStudio2015>();
    default:
        // 0, 6, 10 and any other number: the default theme.
        return std::make_unique<CLVKButtonTheme>();
    }
}

// ---- Flat ----------------------------------------------------------------------

CLVKButtonThemeFlat::CLVKButtonThemeFlat()
{
    m_nThemeNumber = 1;
    m_bFlatMarks = TRUE;
}

void CLVKButtonThemeFlat::DrawButtonBackground(CDC* pDC, CLVKButton* pButton)
{
    if (DrawFlatOrThemedBackground(pDC, pButton))
        return;
    CRect rc = pButton->GetButtonRect();
    pDC->FillSolidRect(&rc, pButton->GetBackColor());
    const COLORREF clrFrame = GetToolkitColor(COLOR_WINDOWFRAME);
    if (IsDefaultPush(pButton) || pButton->GetChecked())
    {
        pDC->Draw3dRect(&rc, clrFrame, clrFrame);
        rc.DeflateRect(1, 1);
    }
    pDC->Draw3dRect(&rc, clrFrame, clrFrame);
    rc.DeflateRect(1, 1);
    pDC->Draw3dRect(&rc, GetToolkitColor(COLOR_WINDOW), GetToolkitColor(COLOR_WINDOW));
}

// ---- UltraFlat -----------------------------------------------------------------

CLVKButtonThemeUltraFlat::CLVKButtonThemeUltraFlat()
{
    m_nThemeNumber = 2;
    m_nFocusGap = Scale(3);
    m_bFlatMarks = TRUE;
}

void CLVKButtonThemeUltraFlat::RefreshMetrics(CLVKButton* pButton)
{
    CLVKButtonTheme::RefreshMetrics(pButton);
    const COLORREF clrBack = pButton->GetBackColor();
    m_clrFace.SetStandardValue(clrBack);
    m_clrPushedFace.SetStandardValue(Blend(GetToolkitColor(COLOR_BTNSHADOW), clrBack));
    m_clrHotFace.SetStandardValue(CLVKColorManager::BlendColors(clrBack, GetToolkitColor(COLOR_WINDOW), 30));
    const COLORREF clrWindow = GetToolkitColor(COLOR_WINDOW);
    const COLORREF clr30 = GetToolkitColor(30);
    const COLORREF clrHot = m_clrHotFace;
    auto channel = [](int w, int c30, int h) { return w * 4 / 10 + c30 / 2 + h / 10; };
    m_clrCheckedFace.SetStandardValue(RGB(channel(GetRValue(clrWindow), GetRValue(clr30), GetRValue(clrHot)),
                                          channel(GetGValue(clrWindow), GetGValue(clr30), GetGValue(clrHot)),
                                          channel(GetBValue(clrWindow), GetBValue(clr30), GetBValue(clrHot))));
    m_clrShadow.SetStandardValue(GetToolkitColor(COLOR_BTNSHADOW));
    m_clrLightEdge.SetStandardValue(GetToolkitColor(COLOR_BTNSHADOW));
    COLORREF clrText = pButton->GetTextColor();
    if (clrText == static_cast<COLORREF>(-1))
        clrText = GetToolkitColor(COLOR_BTNTEXT);
    m_clrPushText.SetStandardValue(clrText);
    m_clrCheckText.SetStandardValue(clrText);
    m_clrHotText.SetStandardValue(clrText);
    m_clrPushedText.SetStandardValue(clrText);
    m_clrMark = static_cast<COLORREF>(-1);
}

void CLVKButtonThemeUltraFlat::DrawButtonBackground(CDC* pDC, CLVKButton* pButton)
{
    if (DrawFlatOrThemedBackground(pDC, pButton))
        return;
    const BOOL bPushed = pButton->IsPushed() != 0;
    const BOOL bChecked = pButton->GetChecked() != 0;
    const BOOL bHot = pButton->IsHighlighted();
    CRect rc = pButton->GetButtonRect();
    if (IsDefaultPush(pButton) || bChecked)
    {
        pDC->Draw3dRect(&rc, m_clrShadow, m_clrShadow);
        rc.DeflateRect(1, 1);
    }
    if (bPushed)
        FillFramed(pDC, rc, m_clrShadow, m_clrPushedFace);
    else if (bHot)
        FillFramed(pDC, rc, m_clrLightEdge, m_clrHotFace);
    else if (bChecked)
        FillFramed(pDC, rc, m_clrLightEdge, m_clrCheckedFace);
    else
        FillFramed(pDC, rc, m_clrShadow, pButton->GetBackColor());
}

void CLVKButtonThemeUltraFlat::MarkColors(CLVKButton* pButton, COLORREF& clrFace, COLORREF& clrBorder) const
{
    const BOOL bHot = pButton->IsHighlighted();
    const BOOL bPushed = pButton->IsPushed() != 0;
    if (!pButton->IsWindowEnabled())
    {
        clrFace = GetToolkitColor(51);
        clrBorder = GetToolkitColor(35);
        return;
    }
    if (m_bHotMarks)
    {
        clrFace = (bHot && bPushed) ? m_clrPushedFace : ((bHot || bPushed) ? m_clrHotFace : m_clrFace);
        clrBorder = (bHot || bPushed) ? m_clrLightEdge : m_clrShadow;
        return;
    }
    clrFace = (bHot && bPushed) ? m_clrPushedFace : m_clrFace;
    clrBorder = (bHot || bPushed) ? m_clrLightEdge : m_clrShadow;
}

COLORREF CLVKButtonThemeUltraFlat::MarkColor(CLVKButton* pButton) const
{
    if (m_clrMark != static_cast<COLORREF>(-1))
        return m_clrMark;
    // An indeterminate check box takes the disabled mark colour too.
    const BOOL bFull = pButton->IsWindowEnabled() && pButton->GetChecked() != 2;
    return bFull ? GetToolkitColor(COLOR_BTNTEXT) : GetToolkitColor(35);
}

void CLVKButtonThemeUltraFlat::DrawCheckBoxMark(CDC* pDC, CLVKButton* pButton)
{
    if (IsUxThemeOn(pButton))
    {
        CLVKButtonTheme::DrawCheckBoxMark(pDC, pButton);
        return;
    }
    const CRect rc = CalcPartRect(pDC, pButton, 1);
    COLORREF clrFace = 0;
    COLORREF clrBorder = 0;
    MarkColors(pButton, clrFace, clrBorder);
    FillFramed(pDC, rc, clrBorder, clrFace);
    if (pButton->GetChecked())
        DrawCheckGlyph(pDC, rc, MarkColor(pButton));
}

void CLVKButtonThemeUltraFlat::DrawSmoothCircle(CDC* pDC, const CRect& rc, COLORREF b, COLORREF f)
{
    const double cx = (rc.left + rc.right - 1) / 2.0;
    const double cy = (rc.top + rc.bottom - 1) / 2.0;
    const double r = (rc.right - rc.left - 1) / 2.0 - 0.25;
    for (int y = rc.top; y < rc.bottom; ++y)
    {
        for (int x = rc.left; x < rc.right; ++x)
        {
            const double d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy));
            if (d < r - 1)
            {
                pDC->SetPixel(x, y, f);
            }
            else if (d <= r + 1)
            {
                const COLORREF other = d < r ? f : pDC->GetPixel(x, y);
                const double t = std::fabs(d - r);
                auto mix = [t](int cb, int co) { return static_cast<int>(cb + (co - cb) * t); };
                pDC->SetPixel(x, y,
                              RGB(mix(GetRValue(b), GetRValue(other)), mix(GetGValue(b), GetGValue(other)),
                                  mix(GetBValue(b), GetBValue(other))));
            }
        }
    }
}

void CLVKButtonThemeUltraFlat::DrawRadioButtonMark(CDC* pDC, CLVKButton* pButton)
{
    if (IsUxThemeOn(pButton))
    {
        CLVKButtonTheme::DrawRadioButtonMark(pDC, pButton);
        return;
    }
    const CRect rc = CalcPartRect(pDC, pButton, 2);
    COLORREF clrFace = 0;
    COLORREF clrBorder = 0;
    MarkColors(pButton, clrFace, clrBorder);
    if (!m_bHotMarks)
        clrBorder = m_clrShadow;
    DrawSmoothCircle(pDC, rc, clrBorder, clrFace);
    if (pButton->GetChecked())
    {
        const CRect rcDot(rc.left + Scale(4), rc.top + Scale(4), rc.left + Scale(9), rc.top + Scale(9));
        DrawSmoothCircle(pDC, rcDot, MarkColor(pButton), MarkColor(pButton));
    }
}

void CLVKButtonThemeUltraFlat::DrawGroupBox(CDC* pDC, CLVKButton* pButton)
{
    if (IsUxThemeOn(pButton))
    {
        CLVKButtonTheme::DrawGroupBox(pDC, pButton);
        return;
    }
    const CRect rcFrame = CalcPartRect(pDC, pButton, 6);
    CRect rcCaption = CalcPartRect(pDC, pButton, 5);
    const BOOL bRight = (pButton->GetTextAlignment() & BS_CENTER) == BS_RIGHT;
    rcCaption.OffsetRect(bRight ? m_cxEdge : -m_cxEdge, 0);
    if (!rcCaption.IsRectEmpty())
        ::ExcludeClipRect(pDC->GetSafeHdc(), rcCaption.left, rcCaption.top, rcCaption.right, rcCaption.bottom);
    if (pButton->m_nGroupBoxStyle == 1)
        pDC->FillSolidRect(rcFrame.left, rcFrame.top, rcFrame.Width(), Scale(1), m_clrShadow);
    else
        pDC->Draw3dRect(&rcFrame, m_clrShadow, m_clrShadow);
    ::SelectClipRgn(pDC->GetSafeHdc(), nullptr);
}

// ---- Office 2000 ------------------------------------------------------------------

CLVKButtonThemeOffice2000::CLVKButtonThemeOffice2000()
{
    m_nThemeNumber = 3;
    m_nFocusGap = Scale(2);
    m_bHotMarks = FALSE;
}

void CLVKButtonThemeOffice2000::DrawButtonBackground(CDC* pDC, CLVKButton* pButton)
{
    const BOOL bSelected = pButton->IsPushed() || pButton->GetChecked();
    const BOOL bHot = pButton->IsHighlighted();
    if (IsUxThemeOn(pButton))
    {
        if (!pButton->GetFlatStyle() || bHot || bSelected)
            DrawBackgroundThemed(pDC, pButton);
        return;
    }
    CRect rc = pButton->GetButtonRect();
    if (pButton->IsKindOf(RUNTIME_CLASS(CLVKBrowseButton)))
        rc.left += 1;
    pDC->FillSolidRect(&rc, pButton->GetBackColor());
    if (pButton->GetFlatStyle() && !bHot && !bSelected)
        return;
    const COLORREF clrHighlight = GetToolkitColor(COLOR_BTNHIGHLIGHT);
    const COLORREF clrShadow = GetToolkitColor(COLOR_BTNSHADOW);
    pDC->Draw3dRect(&rc, bSelected ? clrShadow : clrHighlight, bSelected ? clrHighlight : clrShadow);
}

// ---- Office XP and 2003 --------------------------------------------------------------

CLVKButtonThemeOfficeXP::CLVKButtonThemeOfficeXP()
{
    m_nThemeNumber = 4;
    m_nFocusGap = Scale(2);
    m_bOffsetPushed = FALSE;
}

void CLVKButtonThemeOfficeXP::RefreshMetrics(CLVKButton* pButton)
{
    CLVKButtonThemeUltraFlat::RefreshMetrics(pButton);
    m_clrFace.SetStandardValue(GetToolkitColor(30));
    m_clrPushedFace.SetStandardValue(GetToolkitColor(33));
    m_clrHotFace.SetStandardValue(GetToolkitColor(31));
    m_clrShadow.SetStandardValue(GetToolkitColor(16));
    m_clrLightEdge.SetStandardValue(GetToolkitColor(32));
    m_clrPushText.SetStandardValue(GetToolkitColor(46));
    m_clrCheckText.SetStandardValue(GetToolkitColor(46));
    m_clrHotText.SetStandardValue(GetToolkitColor(45));
    m_clrPushedText.SetStandardValue(GetToolkitColor(47));
    m_clrCheckedFace.SetStandardValue(GetToolkitColor(36));
}

void CLVKButtonThemeOfficeXP::DrawButtonBackground(CDC* pDC, CLVKButton* pButton)
{
    if (DrawFlatOrThemedBackground(pDC, pButton))
        return;
    const BOOL bPushed = pButton->IsPushed() != 0;
    const BOOL bChecked = pButton->GetChecked() != 0;
    const BOOL bHot = pButton->IsHighlighted();
    const CRect rc = pButton->GetButtonRect();
    if (!bHot && !bPushed && !bChecked)
    {
        FillFramed(pDC, rc, m_clrShadow, m_clrFace);
        return;
    }
    COLORREF clrFace = m_clrCheckedFace;
    if (bHot && (bPushed || bChecked))
        clrFace = m_clrPushedFace;
    else if (bHot)
        clrFace = m_clrHotFace;
    else if (bPushed)
        clrFace = m_clrPushedFace;
    FillFramed(pDC, rc, m_clrLightEdge, clrFace);
}

CLVKButtonThemeOffice2003::CLVKButtonThemeOffice2003()
{
    m_nThemeNumber = 5;
}

void CLVKButtonThemeOffice2003::RefreshMetrics(CLVKButton* pButton)
{
    CLVKButtonThemeOfficeXP::RefreshMetrics(pButton);
    const int nTheme = CLVKColorManager::GetGlobal()->GetWindowsTheme();
    m_bLunaColors = nTheme >= 1 && nTheme <= 5;
    if (!m_bLunaColors)
        return;
    m_clrHotFace.SetStandardValue(RGB(255, 238, 194));
    m_clrPushedFace.SetStandardValue(RGB(254, 128, 62));
    m_clrCheckedFace.SetStandardValue(RGB(255, 192, 111));
    for (CLVKPaintManagerColor* pText : {&m_clrPushText, &m_clrCheckText, &m_clrHotText, &m_clrPushedText})
        pText->SetStandardValue(RGB(0, 0, 0));
    // Face, normal border and hot border of the scheme.
    if (nTheme == CLVKColorManager::themeLunaOlive)
    {
        m_clrFace.SetStandardValue(RGB(197, 212, 159));
        m_clrShadow.SetStandardValue(RGB(164, 185, 127));
        m_clrLightEdge.SetStandardValue(RGB(63, 93, 56));
    }
    else if (nTheme == CLVKColorManager::themeLunaSilver)
    {
        m_clrFace.SetStandardValue(RGB(192, 192, 211));
        m_clrShadow.SetStandardValue(RGB(165, 172, 178));
        m_clrLightEdge.SetStandardValue(RGB(75, 75, 11));
    }
    else
    {
        m_clrFace.SetStandardValue(RGB(169, 199, 240));
        m_clrShadow.SetStandardValue(RGB(127, 157, 185));
        m_clrLightEdge.SetStandardValue(RGB(0, 0, 128));
    }
}

void CLVKButtonThemeOffice2003::DrawButtonBackground(CDC* pDC, CLVKButton* pButton)
{
    const BOOL bPushed = pButton->IsPushed() != 0;
    const BOOL bChecked = pButton->GetChecked() != 0;
    const BOOL bHot = pButton->IsHighlighted();
    if (!m_bLunaColors || IsUxThemeOn(pButton) || (!bHot && !bPushed && !bChecked))
    {
        CLVKButtonThemeOfficeXP::DrawButtonBackground(pDC, pButton);
        return;
    }
    // The colour manager's gradients 8, 9 and 10: checked, pushed and hot.
    CLVKColorManager* const pColors = CLVKColorManager::GetGlobal();
    const int nGradient = bPushed ? 9 : (bHot ? 10 : 8);
    const CRect rc = pButton->GetButtonRect();
    CLVKDrawHelpers::FillGradientColor(pDC, &rc, pColors->GetGradient(nGradient), FALSE);
    pDC->Draw3dRect(&rc, m_clrLightEdge, m_clrLightEdge);
}

CLVKButtonThemeResource::CLVKButtonThemeResource()
{
    m_nThemeNumber = 7;
    m_nFocusGap = 2;
}

void CLVKButtonThemeResource::DrawButtonBackground(CDC* pDC, CLVKButton* pButton)
{
    if (DrawFlatOrThemedBackground(pDC, pButton))
        return;
    const BOOL bPushed = pButton->IsPushed() != 0;
    const BOOL bChecked = pButton->GetChecked() != 0;
    const BOOL bHot = pButton->IsHighlighted();
    CLVKResourceImages* const pImages = CLVKResourceImages::GetGlobal();
    CLVKResourceImage* const pImage = pImages ? pImages->GetImage(L"PUSHBUTTON") : nullptr;
    if (!pImage)
    {
        CLVKButtonTheme::DrawButtonBackground(pDC, pButton);
        return;
    }
    int nState = 0;
    if (!pButton->IsWindowEnabled())
        nState = 3;
    else if (bPushed || (bChecked && !bHot))
        nState = 2;
    else if (bHot)
        nState = 1;
    else if (IsDefaultPush(pButton))
        nState = 4;
    pImage->DrawTransparent(pDC, pButton->GetButtonRect(), pImage->GetPartRect(nState, 5), CRect(4, 4, 4, 4),
                            RGB(255, 0, 255));
}

void CLVKButtonThemeResource::RefreshMetrics(CLVKButton* pButton)
{
    CLVKButtonThemeUltraFlat::RefreshMetrics(pButton);
    CLVKResourceImages* const pImages = CLVKResourceImages::GetGlobal();
    if (pImages && pImages->IsLoaded())
        m_clrShadow.SetStandardValue(pImages->GetColorValue(L"Controls", L"GroupBoxFrame", m_clrShadow));
}

int CLVKButtonThemeResource::MarkPictureState(CLVKButton* pButton)
{
    if (!pButton->IsWindowEnabled())
        return 3;
    if (!pButton->IsHighlighted())
        return 0;
    return pButton->IsPushed() ? 2 : 1;
}

namespace
{

CLVKResourceImage* ThemePicture(LPCWSTR lpszName)
{
    CLVKResourceImages* const pImages = CLVKResourceImages::GetGlobal();
    return pImages ? pImages->GetImage(lpszName) : nullptr;
}

}  // namespace

void CLVKButtonThemeResource::DrawCheckBoxMark(CDC* pDC, CLVKButton* pButton)
{
    CLVKResourceImage* const pImage = IsUxThemeOn(pButton) ? nullptr : ThemePicture(L"TOOLBARBUTTONCHECKBOX");
    if (!pImage)
    {
        CLVKButtonTheme::DrawCheckBoxMark(pDC, pButton);
        return;
    }
    const int nCheck = pButton->GetChecked();
    const int nState = MarkPictureState(pButton) + (nCheck == 1 ? 4 : 0) + (nCheck == 2 ? 8 : 0);
    pImage->DrawTransparent(pDC, CalcPartRect(pDC, pButton, 1), pImage->GetPartRect(nState, 12), CRect(0, 0, 0, 0),
                            RGB(255, 0, 255));
}

void CLVKButtonThemeResource::DrawRadioButtonMark(CDC* pDC, CLVKButton* pButton)
{
    CLVKResourceImage* const pImage = IsUxThemeOn(pButton) ? nullptr : ThemePicture(L"TOOLBARBUTTONRADIOBUTTON");
    if (!pImage)
    {
        CLVKButtonTheme::DrawRadioButtonMark(pDC, pButton);
        return;
    }
    const int nState = MarkPictureState(pButton) + (pButton->GetChecked() ? 4 : 0);
    pImage->DrawTransparent(pDC, CalcPartRect(pDC, pButton, 2), pImage->GetPartRect(nState, 8), CRect(0, 0, 0, 0),
                            RGB(255, 0, 255));
}

// ---- Office 2013, Visual Studio 2012 and 2015 -----------------------------------------

CLVKButtonThemeOffice2013::CLVKButtonThemeOffice2013()
{
    m_nThemeNumber = 12;
    m_nFocusGap = 1;
}

void CLVKButtonThemeOffice2013::ReadColors(BOOL bVS2015)
{
    const LPCWSTR kSection = L"Controls.Button";
    auto read = [kSection, bVS2015](LPCWSTR lpszKey, COLORREF clr2013, COLORREF clr2015)
    { return GetResourceImageColor(kSection, lpszKey, bVS2015 ? clr2015 : clr2013); };
    m_clrFace.SetStandardValue(read(L"Back", RGB(253, 253, 253), RGB(238, 238, 242)));
    m_clrHotFace.SetStandardValue(read(L"BackHilite", RGB(213, 225, 242), RGB(201, 222, 245)));
    m_clrPushedFace.SetStandardValue(read(L"BackPushed", RGB(163, 189, 227), RGB(0, 122, 204)));
    m_clrDisabledFace.SetStandardValue(read(L"BackDisabled", RGB(253, 253, 253), RGB(238, 238, 242)));
    m_clrBorder.SetStandardValue(read(L"Border", RGB(171, 171, 171), RGB(204, 206, 219)));
    m_clrLightEdge.SetStandardValue(read(L"BorderHilite", RGB(163, 189, 227), RGB(0, 122, 204)));
    m_clrPushedBorder.SetStandardValue(read(L"BorderPushed", RGB(43, 87, 154), RGB(0, 122, 204)));
    m_clrDisabledBorder.SetStandardValue(read(L"BorderDisabled", RGB(225, 225, 225), RGB(204, 206, 219)));
    m_clrPushText.SetStandardValue(read(L"Text", RGB(68, 68, 68), RGB(30, 30, 30)));
    m_clrCheckText.SetStandardValue(read(L"TextCheck", RGB(68, 68, 68), RGB(30, 30, 30)));
    m_clrHotText.SetStandardValue(read(L"TextHilite", RGB(68, 68, 68), RGB(30, 30, 30)));
    m_clrPushedText.SetStandardValue(read(L"TextPushed", RGB(68, 68, 68), RGB(255, 255, 255)));
    m_clrDisabledText.SetStandardValue(read(L"TextDisabled", RGB(152, 152, 152), RGB(162, 164, 165)));
    m_clrMarkNormal.SetStandardValue(read(L"Mark", RGB(139, 139, 139), RGB(113, 113, 113)));
    m_clrMarkHot.SetStandardValue(read(L"MarkHilite", RGB(67, 75, 80), RGB(30, 30, 30)));
    m_clrMarkPushed.SetStandardValue(read(L"MarkPushed", RGB(15, 20, 24), RGB(255, 255, 255)));
    m_clrMarkDisabled.SetStandardValue(read(L"MarkDisabled", RGB(198, 198, 198), RGB(204, 206, 219)));
}

void CLVKButtonThemeOffice2013::RefreshMetrics(CLVKButton* pButton)
{
    CLVKButtonTheme::RefreshMetrics(pButton);
    ReadColors(FALSE);
}

void CLVKButtonThemeOffice2013::DrawButtonBackground(CDC* pDC, CLVKButton* pButton)
{
    if (DrawFlatOrThemedBackground(pDC, pButton))
        return;
    const BOOL bPushed = pButton->IsPushed() != 0;
    const BOOL bChecked = pButton->GetChecked() != 0;
    const BOOL bHot = pButton->IsHighlighted();
    const CRect rc = pButton->GetButtonRect();
    const BOOL bDefault = IsDefaultPush(pButton);
    if (!pButton->IsWindowEnabled())
        FillFramed(pDC, rc, m_clrDisabledBorder, m_clrDisabledFace);
    else if (bHot && bPushed)
        FillFramed(pDC, rc, m_clrPushedBorder, m_clrPushedFace);
    else if (bHot || (bPushed && m_bHotMarks))
        FillFramed(pDC, rc, bDefault ? Blend(m_clrPushedBorder, m_clrLightEdge) : static_cast<COLORREF>(m_clrLightEdge),
                   bDefault ? Blend(m_clrPushedFace, m_clrHotFace) : static_cast<COLORREF>(m_clrHotFace));
    else if (bChecked)
        FillFramed(pDC, rc, m_clrLightEdge, m_clrHotFace);
    else
        FillFramed(pDC, rc, bDefault ? static_cast<COLORREF>(m_clrLightEdge) : static_cast<COLORREF>(m_clrBorder),
                   m_clrFace);
}

void CLVKButtonThemeOffice2013::Office2013MarkColors(CLVKButton* pButton, COLORREF& clrFace, COLORREF& clrMark,
                                                     COLORREF& clrBorder) const
{
    const BOOL bHot = pButton->IsHighlighted();
    const BOOL bPushed = pButton->IsPushed() != 0;
    if (!pButton->IsWindowEnabled())
    {
        clrFace = m_clrDisabledFace;
        clrMark = m_clrMarkDisabled;
        clrBorder = m_clrDisabledBorder;
    }
    else if (bHot && bPushed)
    {
        clrFace = m_clrPushedFace;
        clrMark = m_clrMarkPushed;
        clrBorder = m_clrPushedBorder;
    }
    else if (bHot || (bPushed && m_bHotMarks))
    {
        clrFace = m_clrHotFace;
        clrMark = m_clrMarkHot;
        clrBorder = m_clrLightEdge;
    }
    else
    {
        clrFace = m_clrFace;
        clrMark = m_clrMarkNormal;
        clrBorder = m_clrBorder;
    }
}

void CLVKButtonThemeOffice2013::DrawCheckBoxMark(CDC* pDC, CLVKButton* pButton)
{
    if (IsUxThemeOn(pButton))
    {
        CLVKButtonTheme::DrawCheckBoxMark(pDC, pButton);
        return;
    }
    const CRect rc = CalcPartRect(pDC, pButton, 1);
    COLORREF clrFace = 0;
    COLORREF clrMark = 0;
    COLORREF clrBorder = 0;
    Office2013MarkColors(pButton, clrFace, clrMark, clrBorder);
    FillFramed(pDC, rc, clrBorder, clrFace);
    const int nCheck = pButton->GetChecked();
    if (nCheck == 1)
    {
        DrawCheckGlyph(pDC, rc, clrMark);
    }
    else if (nCheck == 2)
    {
        CRect rcFill = rc;
        rcFill.DeflateRect(3, 3);
        pDC->FillSolidRect(&rcFill, clrMark);
    }
}

void CLVKButtonThemeOffice2013::DrawRadioButtonMark(CDC* pDC, CLVKButton* pButton)
{
    if (IsUxThemeOn(pButton))
    {
        CLVKButtonTheme::DrawRadioButtonMark(pDC, pButton);
        return;
    }
    const CRect rc = CalcPartRect(pDC, pButton, 2);
    COLORREF clrFace = 0;
    COLORREF clrMark = 0;
    COLORREF clrBorder = 0;
    Office2013MarkColors(pButton, clrFace, clrMark, clrBorder);
    DrawSmoothCircle(pDC, rc, clrBorder, clrFace);
    if (pButton->GetChecked())
    {
        const CRect rcDot(rc.left + Scale(4), rc.top + Scale(4), rc.left + Scale(9), rc.top + Scale(9));
        DrawSmoothCircle(pDC, rcDot, clrMark, clrMark);
    }
}

void CLVKButtonThemeOffice2013::DrawGroupBox(CDC* pDC, CLVKButton* pButton)
{
    if (IsUxThemeOn(pButton))
    {
        CLVKButtonTheme::DrawGroupBox(pDC, pButton);
        return;
    }
    const CRect rcFrame = CalcPartRect(pDC, pButton, 6);
    CRect rcCaption = CalcPartRect(pDC, pButton, 5);
    const BOOL bRight = (pButton->GetTextAlignment() & BS_CENTER) == BS_RIGHT;
    rcCaption.OffsetRect(bRight ? m_cxEdge : -m_cxEdge, 0);
    if (!rcCaption.IsRectEmpty())
        ::ExcludeClipRect(pDC->GetSafeHdc(), rcCaption.left, rcCaption.top, rcCaption.right, rcCaption.bottom);
    const COLORREF clr = pButton->IsWindowEnabled() ? m_clrBorder : m_clrDisabledBorder;
    if (pButton->m_nGroupBoxStyle == 1)
        pDC->FillSolidRect(rcFrame.left, rcFrame.top, rcFrame.Width(), Scale(1), clr);
    else
        pDC->Draw3dRect(&rcFrame, clr, clr);
    ::SelectClipRgn(pDC->GetSafeHdc(), nullptr);
}

void CLVKButtonThemeOffice2013::DrawDropDownGlyph(CDC* pDC, CLVKButton* pButton)
{
    CRect rc = pButton->GetButtonRect();
    rc.DeflateRect(pButton->m_nBorderGap, pButton->m_nBorderGap);
    if (!pButton->GetButtonText().IsEmpty() || pButton->GetImageSize().cx > 0)
        rc.left = rc.right - std::min(rc.Height(), Scale(16));
    CRect rcGlyph = rc;
    rcGlyph.DeflateRect(Scale(1), Scale(1));
    const COLORREF clrGlyph = GetTextColor(pButton);
    const int nStyle = pButton->GetPushButtonStyle();
    if (nStyle == 2)
    {
        CLVKGlyphFont::GetGlobal()->DrawGlyph(pDC, 0x31, &rcGlyph, clrGlyph);
        return;
    }
    if (nStyle == 3)
        rcGlyph.OffsetRect(Scale(2), 0);
    CLVKGlyphFont::GetGlobal()->DrawGlyph(pDC, 0x33, &rcGlyph, clrGlyph);
    if (nStyle != 3)
        return;
    COLORREF clrLine = m_clrBorder;
    if (!pButton->IsWindowEnabled())
        clrLine = m_clrDisabledBorder;
    else if (pButton->IsHighlighted() && pButton->IsPushed())
        clrLine = m_clrPushedBorder;
    else if (pButton->IsHighlighted() || (pButton->IsPushed() && m_bHotMarks))
        clrLine = m_clrLightEdge;
    pDC->FillSolidRect(rc.left, rc.top, Scale(1), rc.Height(), clrLine);
}

void CLVKButtonThemeOffice2013::DrawButtonText(CDC* pDC, CLVKButton* pButton)
{
    DrawButtonTextAt(pDC, pButton, 0);
}

void CLVKButtonThemeOffice2013::DrawButtonImage(CDC* pDC, CLVKButton* pButton)
{
    DrawButtonImageAt(pDC, pButton, 0, FALSE);
}

COLORREF CLVKButtonThemeOffice2013::GetTextColor(CLVKButton* pButton)
{
    if (!pButton->IsWindowEnabled())
        return m_clrDisabledText;
    const COLORREF clrOwn = pButton->GetTextColor();
    if (clrOwn != static_cast<COLORREF>(-1))
        return clrOwn;
    const int nType = pButton->GetButtonType();
    if (!pButton->IsPushLike() && ((nType >= BS_CHECKBOX && nType <= BS_AUTO3STATE) || nType == BS_AUTORADIOBUTTON))
        return m_clrCheckText;
    if (pButton->IsPushed())
        return m_clrPushedText;
    if (pButton->IsHighlighted())
        return m_clrHotText;
    return m_clrPushText;
}

CLVKButtonThemeVisualStudio2012::CLVKButtonThemeVisualStudio2012(BOOL bLight) : m_bLight(bLight)
{
    m_nThemeNumber = bLight ? 14 : 15;
    m_nFocusGap = Scale(2);
    m_bOffsetPushed = FALSE;
}

void CLVKButtonThemeVisualStudio2012::RefreshMetrics(CLVKButton* pButton)
{
    CLVKButtonThemeUltraFlat::RefreshMetrics(pButton);
    const COLORREF clrAccent = RGB(0, 122, 204);
    m_clrFace.SetStandardValue(m_bLight ? RGB(238, 238, 242) : RGB(45, 45, 48));
    m_clrHotFace.SetStandardValue(m_bLight ? RGB(201, 222, 245) : RGB(31, 31, 32));
    for (CLVKPaintManagerColor* p : {&m_clrPushedFace, &m_clrLightEdge, &m_clrPushedBorder, &m_clrHighlight})
        p->SetStandardValue(clrAccent);
    const COLORREF clrBorder = m_bLight ? RGB(204, 206, 219) : RGB(67, 67, 70);
    m_clrShadow.SetStandardValue(clrBorder);
    m_clrDarkShadow.SetStandardValue(clrBorder);
    // Not named for this look: the group frame and split line take the normal border.
    m_clrBorder.SetStandardValue(clrBorder);
    m_clrDisabledBorder.SetStandardValue(clrBorder);
    const COLORREF clrText = m_bLight ? RGB(30, 30, 30) : RGB(241, 241, 241);
    for (CLVKPaintManagerColor* p : {&m_clrPushText, &m_clrCheckText, &m_clrHotText})
        p->SetStandardValue(clrText);
    m_clrPushedText.SetStandardValue(RGB(255, 255, 255));
    m_clrDisabledText.SetStandardValue(m_bLight ? RGB(162, 164, 165) : RGB(101, 101, 101));
    m_clrMark = m_bLight ? RGB(113, 113, 113) : RGB(153, 153, 153);
}

void CLVKButtonThemeVisualStudio2012::DrawButtonBackground(CDC* pDC, CLVKButton* pButton)
{
    if (DrawFlatOrThemedBackground(pDC, pButton))
        return;
    const BOOL bPushed = pButton->IsPushed() != 0;
    const BOOL bHot = pButton->IsHighlighted();
    const CRect rc = pButton->GetButtonRect();
    const BOOL bDefault = IsDefaultPush(pButton);
    if (!pButton->IsWindowEnabled())
        FillFramed(pDC, rc, m_clrShadow, m_clrFace);
    else if (bHot && bPushed)
        FillFramed(pDC, rc, m_clrPushedBorder, m_clrPushedFace);
    else if (bHot || (bPushed && m_bHotMarks))
        FillFramed(pDC, rc, bDefault ? Blend(m_clrPushedBorder, m_clrLightEdge) : static_cast<COLORREF>(m_clrLightEdge),
                   bDefault ? Blend(m_clrPushedFace, m_clrHotFace) : static_cast<COLORREF>(m_clrHotFace));
    else if (bDefault)
        FillFramed(pDC, rc, m_clrLightEdge, m_clrHotFace);
    else
        FillFramed(pDC, rc, m_clrShadow, m_clrFace);
}

void CLVKButtonThemeVisualStudio2012::DrawCheckBoxMark(CDC* pDC, CLVKButton* pButton)
{
    CLVKButtonThemeUltraFlat::DrawCheckBoxMark(pDC, pButton);
}

void CLVKButtonThemeVisualStudio2012::DrawRadioButtonMark(CDC* pDC, CLVKButton* pButton)
{
    CLVKButtonThemeUltraFlat::DrawRadioButtonMark(pDC, pButton);
}

COLORREF CLVKButtonThemeVisualStudio2012::GetTextColor(CLVKButton* pButton)
{
    if (!pButton->IsWindowEnabled())
        return m_clrDisabledText;
    const COLORREF clrOwn = pButton->GetTextColor();
    if (clrOwn != static_cast<COLORREF>(-1))
        return clrOwn;
    const int nType = pButton->GetButtonType();
    if (!pButton->IsPushLike() && ((nType >= BS_CHECKBOX && nType <= BS_AUTO3STATE) || nType == BS_AUTORADIOBUTTON))
        return m_clrCheckText;
    return pButton->IsPushed() ? m_clrPushedText : m_clrPushText;
}

CLVKButtonThemeVisualStudio2015::CLVKButtonThemeVisualStudio2015()
{
    m_nThemeNumber = 16;
}

void CLVKButtonThemeVisualStudio2015::RefreshMetrics(CLVKButton* pButton)
{
    CLVKButtonTheme::RefreshMetrics(pButton);
    ReadColors(TRUE);
}
