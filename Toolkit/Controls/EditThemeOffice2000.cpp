#include "Controls/EditThemeOffice2000.h"

#include "Controls/Edit.h"
#include "Foundation/ColorManager.h"
#include "Foundation/DpiScaling.h"

CLVKEditThemeOffice2000::CLVKEditThemeOffice2000()
{
    m_bUseUxTheme = FALSE;
    m_nThemeNumber = 3;
}

void CLVKEditThemeOffice2000::RefreshMetrics(CLVKEdit* pEdit)
{
    CLVKEditThemeDefault::RefreshMetrics(pEdit);
    m_clrBorder.SetStandardColors(GetToolkitColor(20), GetToolkitColor(16), 0.5f);
    RecreateBrush();
}

void CLVKEditThemeOffice2000::DrawBorder(CDC* pDC, const CRect& rcWindow, CLVKEdit*)
{
    CRect rc = rcWindow;
    pDC->Draw3dRect(&rc, m_clrBorder.GetSecond(), m_clrBorder.GetFirst());
    rc.DeflateRect(1, 1);
    pDC->Draw3dRect(&rc, GetToolkitColor(COLOR_BTNFACE), GetToolkitColor(COLOR_BTNFACE));
}

void CLVKEditThemeOffice2000::DrawButtonFrame(CWnd*, CDC* pDC, const CRect& rcButton, int nPart, CLVKEdit* pEdit)
{
    const int n1 = CLVKDpiScaling::GetGlobal()->ScaleX(1);
    const int n2 = CLVKDpiScaling::GetGlobal()->ScaleX(2);
    ::FillRect(pDC->GetSafeHdc(), &rcButton, GetClientBrush(pDC, pEdit));
    CRect rc = rcButton;
    if (nPart == 4)
        rc.left -= n2;
    else
        rc.right += n2;
    pDC->Draw3dRect(&rc, m_clrBorder.GetSecond(), m_clrBorder.GetFirst());
    CRect rcInner = rc;
    rcInner.right -= n1;
    rcInner.top += n1;
    rcInner.bottom -= n1;
    pDC->Draw3dRect(&rcInner, GetToolkitColor(COLOR_BTNFACE), GetToolkitColor(COLOR_BTNFACE));
}
