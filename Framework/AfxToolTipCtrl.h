// CToolTipCtrl: the common controls' tooltip window.
#pragma once

#include "Wnd.h"

class CToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl() = default;

    // A top-level tooltip owned by pParentWnd; TTS_ bits in dwStyle.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void RelayEvent(LPMSG lpMsg);
    void Activate(BOOL bActivate);
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    BOOL SetTitle(UINT uIcon, LPCTSTR lpszTitle);
    int SetMaxTipWidth(int iWidth);
    void SetMargin(LPRECT lprc);
    void SetDelayTime(DWORD dwDuration, int iTime);
    void SetTipBkColor(COLORREF clr);
    void SetTipTextColor(COLORREF clr);
    int GetToolCount() const;
    void Pop();
};
