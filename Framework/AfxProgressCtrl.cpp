#include "AfxProgressCtrl.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_PROGRESS_CLASS;
    ::InitCommonControlsEx(&icc);
    return CWnd::Create(PROGRESS_CLASSW, NULL, dwStyle, rect, pParentWnd, nID);
}

void CProgressCtrl::SetRange32(int nLower, int nUpper)
{
    ::SendMessage(m_hWnd, PBM_SETRANGE32, nLower, nUpper);
}
void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    PBRANGE range{};
    ::SendMessage(m_hWnd, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    nLower = range.iLow;
    nUpper = range.iHigh;
}
int CProgressCtrl::GetPos() const
{
    return static_cast<int>(::SendMessage(m_hWnd, PBM_GETPOS, 0, 0));
}
int CProgressCtrl::SetPos(int nPos)
{
    return static_cast<int>(::SendMessage(m_hWnd, PBM_SETPOS, nPos, 0));
}
int CProgressCtrl::OffsetPos(int nPos)
{
    return static_cast<int>(::SendMessage(m_hWnd, PBM_DELTAPOS, nPos, 0));
}
int CProgressCtrl::SetStep(int nStep)
{
    return static_cast<int>(::SendMessage(m_hWnd, PBM_SETSTEP, nStep, 0));
}
int CProgressCtrl::StepIt()
{
    return static_cast<int>(::SendMessage(m_hWnd, PBM_STEPIT, 0, 0));
}
BOOL CProgressCtrl::SetMarquee(BOOL fMarqueeMode, int nInterval)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, PBM_SETMARQUEE, fMarqueeMode, nInterval));
}
int CProgressCtrl::SetState(int iState)
{
    return static_cast<int>(::SendMessage(m_hWnd, PBM_SETSTATE, iState, 0));
}
COLORREF CProgressCtrl::SetBarColor(COLORREF clrBar)
{
    return static_cast<COLORREF>(::SendMessage(m_hWnd, PBM_SETBARCOLOR, 0, clrBar));
}
