#include "Controls/EditThemeOfficeXP.h"

#include "Controls/Edit.h"
#include "Foundation/ColorManager.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/ResourceImages.h"

CLVKEditThemeOfficeXP::CLVKEditThemeOfficeXP()
{
    m_bHoverTracking = TRUE;
    m_bUseUxTheme = FALSE;
    m_nThemeNumber = 4;
}

void CLVKEditThemeOfficeXP::RefreshMetrics(CLVKEdit* pEdit)
{
    CLVKEditThemeDefault::RefreshMetrics(pEdit);
    m_clrBorder.SetStandardColor(GetToolkitColor(16));
    m_clrBorderDisabled.SetStandardValue(GetToolkitColor(16));
    m_clrBorderHot.SetStandardValue(GetToolkitColor(32));
    RecreateBrush();
}

COLORREF CLVKEditThemeOfficeXP::GetBorderColor(CLVKEdit* pEdit) const
{
    if (!pEdit->IsWindowEnabled())
        return m_clrBorderDisabled;
    if (pEdit->IsHot() || pEdit->IsFocused())
        return m_clrBorderHot;
    return m_clrBorder.GetSecond();
}

void CLVKEditThemeOfficeXP::DrawBorder(CDC* pDC, const CRect& rcWindow, CLVKEdit* pEdit)
{
    const int n1 = CLVKDpiScaling::GetGlobal()->ScaleX(1);
    const COLORREF clrBorder = GetBorderColor(pEdit);
    CRect rc = rcWindow;
    pDC->Draw3dRect(&rc, clrBorder, clrBorder);
    rc.DeflateRect(n1, n1);
    DrawFrameWithBrush(pDC, rc, n1, GetClientBrush(pDC, pEdit));
}

void CLVKEditThemeOffice2003::RefreshMetrics(CLVKEdit* pEdit)
{
    CLVKEditThemeOfficeXP::RefreshMetrics(pEdit);
    switch (CLVKColorManager::GetGlobal()->GetWindowsTheme())
    {
    case CLVKColorManager::themeLunaOlive:
        m_clrBorder.SetStandardColor(RGB(164, 185, 127));
        m_clrBorderHot.SetStandardValue(RGB(63, 93, 56));
        break;
    case CLVKColorManager::themeLunaSilver:
        m_clrBorder.SetStandardColor(RGB(165, 172, 178));
        m_clrBorderHot.SetStandardValue(RGB(75, 75, 11));
        break;
    case CLVKColorManager::themeLunaBlue:
    case CLVKColorManager::themeRoyale:
    case CLVKColorManager::themeAero:
        m_clrBorder.SetStandardColor(RGB(127, 157, 185));
        m_clrBorderHot.SetStandardValue(RGB(0, 0, 128));
        break;
    default:
        break;
    }
}

void CLVKEditThemeOffice2013::RefreshMetrics(CLVKEdit* pEdit)
{
    CLVKEditThemeOfficeXP::RefreshMetrics(pEdit);
    const LPCWSTR kSection = L"Controls.Edit";
    m_clrBack.SetStandardValue(GetResourceImageColor(kSection, L"Back", RGB(255, 255, 255)));
    m_clrNonClient.SetStandardValue(GetResourceImageColor(kSection, L"BackNonClient", RGB(246, 246, 246)));
    m_clrText.SetStandardValue(GetResourceImageColor(kSection, L"Text", RGB(68, 68, 68)));
    m_clrReadOnlyText.SetStandardValue(GetResourceImageColor(kSection, L"TextReadOnly", RGB(68, 68, 68)));
    m_clrBorder.SetStandardColor(GetResourceImageColor(kSection, L"Border", RGB(171, 171, 171)));
    m_clrBorderHot.SetStandardValue(GetResourceImageColor(kSection, L"BorderHilite", RGB(163, 189, 227)));
    m_clrBorderDisabled.SetStandardValue(GetResourceImageColor(kSection, L"BorderDisabled", RGB(225, 225, 225)));
    RecreateBrush();
}

void CLVKEditThemeFlat::RefreshMetrics(CLVKEdit* pEdit)
{
    CLVKEditThemeOfficeXP::RefreshMetrics(pEdit);
    m_clrBorder.SetStandardColor(GetToolkitColor(COLOR_WINDOWFRAME));
    m_clrBorderHot.SetStandardValue(GetToolkitColor(COLOR_WINDOWFRAME));
    // The disabled border keeps the Office XP colour.
}

void CLVKEditThemeUltraFlat::RefreshMetrics(CLVKEdit* pEdit)
{
    CLVKEditThemeOfficeXP::RefreshMetrics(pEdit);
    m_clrBorder.SetStandardColor(GetToolkitColor(COLOR_BTNSHADOW));
    m_clrBorderHot.SetStandardValue(GetToolkitColor(COLOR_BTNSHADOW));
    m_clrBorderDisabled.SetStandardValue(GetToolkitColor(COLOR_BTNSHADOW));
}

void CLVKEditThemeResource::RefreshMetrics(CLVKEdit* pEdit)
{
    CLVKEditThemeOfficeXP::RefreshMetrics(pEdit);
    const COLORREF clrBorder =
        GetResourceImageColor(L"Toolbar", L"ControlEditBorder", GetToolkitColor(COLOR_BTNSHADOW));
    m_clrBorder.SetStandardColor(clrBorder);
    m_clrBorderHot.SetStandardValue(clrBorder);
}

void CLVKEditThemeVisualStudio2010::RefreshMetrics(CLVKEdit* pEdit)
{
    CLVKEditThemeOfficeXP::RefreshMetrics(pEdit);
    m_clrBorder.SetStandardColor(RGB(133, 145, 162));
    m_clrBorderDisabled.SetStandardValue(RGB(164, 173, 186));
    m_clrBorderHot.SetStandardValue(RGB(229, 195, 101));
}

void CLVKEditThemeVisualStudio2012::RefreshMetrics(CLVKEdit* pEdit)
{
    CLVKEditThemeOfficeXP::RefreshMetrics(pEdit);
    struct Colors
    {
        COLORREF clrText, clrReadOnly, clrBack, clrNonClient, clrBorder, clrHot, clrDisabled;
    };
    static const Colors k13 = {RGB(0, 0, 0),       RGB(164, 173, 186), RGB(255, 255, 255), RGB(232, 232, 236),
                               RGB(133, 145, 162), RGB(229, 195, 101), RGB(164, 173, 186)};
    static const Colors k14 = {RGB(30, 30, 30),    RGB(204, 206, 219), RGB(246, 246, 246), RGB(239, 239, 242),
                               RGB(204, 206, 219), RGB(0, 122, 204),   RGB(204, 206, 219)};
    static const Colors k15 = {RGB(241, 241, 241), RGB(178, 178, 178), RGB(51, 51, 55), RGB(62, 62, 66),
                               RGB(67, 67, 70),    RGB(67, 67, 70),    RGB(67, 67, 70)};
    const Colors& c = m_nThemeNumber == 15 ? k15 : (m_nThemeNumber == 14 ? k14 : k13);
    m_clrText.SetStandardValue(c.clrText);
    m_clrReadOnlyText.SetStandardValue(c.clrReadOnly);
    m_clrBack.SetStandardValue(c.clrBack);
    m_clrNonClient.SetStandardValue(c.clrNonClient);
    m_clrBorder.SetStandardColor(c.clrBorder);
    m_clrBorderHot.SetStandardValue(c.clrHot);
    m_clrBorderDisabled.SetStandardValue(c.clrDisabled);
    RecreateBrush();
}
