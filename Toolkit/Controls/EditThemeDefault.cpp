#include "Controls/EditThemeDefault.h"

#include "Controls/Edit.h"
#include "Foundation/ColorManager.h"
#include "Foundation/DpiScaling.h"

CLVKEditThemeDefault::CLVKEditThemeDefault()
{
    m_bUseUxTheme = TRUE;
    m_nThemeNumber = 0;
}

CLVKEditThemeDefault::~CLVKEditThemeDefault()
{
    ReleaseBrush();
}

void CLVKEditThemeDefault::RefreshMetrics(CLVKEdit* pEdit)
{
    m_themeEdit.OpenThemeData(pEdit ? pEdit->GetSafeHwnd() : nullptr, L"EDIT");
    RecomputeToolkitColors(FALSE);
    m_clrText.SetStandardValue(GetToolkitColor(COLOR_BTNTEXT));
    m_clrReadOnlyText.SetStandardValue(GetToolkitColor(COLOR_BTNTEXT));
    m_clrBack.SetStandardValue(GetToolkitColor(COLOR_WINDOW));
    m_clrNonClient.SetStandardValue(GetToolkitColor(COLOR_BTNFACE));
    m_clrBorder.SetStandardColors(GetToolkitColor(COLOR_BTNHIGHLIGHT), GetToolkitColor(COLOR_BTNSHADOW), 0.5f);
    RecreateBrush();
}

void CLVKEditThemeDefault::DrawBorder(CDC* pDC, const CRect& rcWindow, CLVKEdit* pEdit)
{
    if (DrawBorderThemed(pDC, rcWindow, pEdit))
        return;
    CRect rc = rcWindow;
    pDC->DrawEdge(&rc, EDGE_SUNKEN, BF_RECT);
}

void CLVKEditThemeDefault::DrawSizeBox(CDC* pDC, const CRect& rcWindow, CLVKEdit* pEdit)
{
    const DWORD dwStyle = pEdit->GetStyle();
    if ((dwStyle & (WS_HSCROLL | WS_VSCROLL)) != (WS_HSCROLL | WS_VSCROLL))
        return;
    const int n = CLVKDpiScaling::GetGlobal()->ScaleX(2);
    CRect rc = rcWindow;
    rc.DeflateRect(n, n);
    rc.left = rc.right - ::GetSystemMetrics(SM_CXVSCROLL);
    rc.top = rc.bottom - ::GetSystemMetrics(SM_CYHSCROLL);
    pDC->FillSolidRect(&rc, m_clrNonClient);
}

HBRUSH CLVKEditThemeDefault::GetCtlColorBrush(CDC* pDC, UINT nCtlColor, CLVKEdit*)
{
    if (nCtlColor == CTLCOLOR_EDIT)
        pDC->SetTextColor(m_clrText);
    else if (nCtlColor == CTLCOLOR_STATIC)
        pDC->SetTextColor(m_clrReadOnlyText);
    else
        return nullptr;
    pDC->SetBkColor(m_clrBack);
    return m_hBackBrush;
}

void CLVKEditThemeDefault::DrawButtonFrame(CWnd*, CDC* pDC, const CRect& rcButton, int nPart, CLVKEdit* pEdit)
{
    if (DrawButtonFrameThemed(pDC, rcButton, nPart, pEdit))
        return;
    CRect rc = rcButton;
    pDC->DrawEdge(&rc, EDGE_SUNKEN, nPart == 4 ? (BF_TOP | BF_RIGHT | BF_BOTTOM) : (BF_LEFT | BF_TOP | BF_BOTTOM));
}
