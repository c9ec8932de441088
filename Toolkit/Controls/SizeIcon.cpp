#include "Controls/SizeIcon.h"

BEGIN_MESSAGE_MAP(CLVKSizeIcon, CScrollBar)
    ON_WM_SETCURSOR()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CLVKSizeIcon::CLVKSizeIcon() : m_hCursor(::LoadCursor(nullptr, IDC_SIZENWSE))
{
}

BOOL CLVKSizeIcon::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && m_hCursor)
    {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CScrollBar::OnSetCursor(pWnd, nHitTest, message);
}

void CLVKSizeIcon::OnSetFocus(CWnd*)
{
    // Swallowed: the platform's grip would draw a focus state.
}
