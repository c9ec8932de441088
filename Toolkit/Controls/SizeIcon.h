// CLVKSizeIcon: the size grip of a resizable window, a scroll bar in
// size-grip style that shows the diagonal sizing cursor and never the focus.
#pragma once

#include "Framework.h"

class CLVKSizeIcon : public CScrollBar
{
public:
    CLVKSizeIcon();

protected:
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()

private:
    HCURSOR m_hCursor = nullptr;
};
