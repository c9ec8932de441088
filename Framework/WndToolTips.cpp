#include "Wnd.h"

// The default tool of a window: the visible child under the point, as a
// whole-window tool whose text is asked for with TTN_NEEDTEXT.
INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    const HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!hWndChild || hWndChild == m_hWnd)
        return -1;
    const INT_PTR nId = ::GetDlgCtrlID(hWndChild);
    if (pTI && pTI->cbSize >= TTTOOLINFOW_V1_SIZE)
    {
        pTI->hwnd = m_hWnd;
        pTI->uId = reinterpret_cast<UINT_PTR>(hWndChild);
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACK;
        ::GetWindowRect(hWndChild, &pTI->rect);
        ::MapWindowPoints(NULL, m_hWnd, reinterpret_cast<POINT*>(&pTI->rect), 2);
    }
    return nId;
}
