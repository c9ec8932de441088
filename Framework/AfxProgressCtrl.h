// CProgressCtrl: the common controls' progress bar.
#pragma once

#include "Wnd.h"

class CProgressCtrl : public CWnd
{
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    CProgressCtrl() = default;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetRange32(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const;
    int GetPos() const;
    int SetPos(int nPos);
    int OffsetPos(int nPos);
    int SetStep(int nStep);
    int StepIt();
    BOOL SetMarquee(BOOL fMarqueeMode, int nInterval);
    int SetState(int iState);
    COLORREF SetBarColor(COLORREF clrBar);
};
