// CLVKHyperLink: a static control shown as a link: link colours, an
// underlined font, the hand cursor over its text, a tool tip with the
// address, and a click or Enter/Space that opens the address with the shell.
#pragma once

#include "AfxStatic.h"
#include "AfxToolTipCtrl.h"
#include "Foundation/Font.h"

class CLVKHyperLink : public CStatic
{
    DECLARE_DYNAMIC(CLVKHyperLink)
public:
    static const UINT_PTR kHoverTimer = 1;

    CLVKHyperLink();
    ~CLVKHyperLink() override;

    virtual void SetURL(LPCTSTR lpszURL);
    virtual CString GetURL() const { return m_strUrl; }
    virtual void SetColors(COLORREF clrLink, COLORREF clrVisited, COLORREF clrHover);
    virtual COLORREF GetLinkColor() const { return m_clrLink; }
    virtual COLORREF GetVisitedColor() const { return m_clrVisited; }
    virtual COLORREF GetHoverColor() const { return m_clrHover; }
    virtual void SetVisited(BOOL bVisited = TRUE);
    virtual BOOL GetVisited() const { return m_bVisited; }
    virtual void SetLinkCursor(HCURSOR hCursor) { m_hLinkCursor = hCursor; }
    virtual HCURSOR GetLinkCursor() const { return m_hLinkCursor; }
    virtual void SetUnderline(BOOL bUnderline = TRUE);
    virtual BOOL GetUnderline() const { return m_bUnderline; }
    virtual void SetBackColor(COLORREF clrBack);
    virtual COLORREF GetBackColor() const;
    virtual BOOL GotoURL(LPCTSTR lpszTarget, int nShowCmd, LPCTSTR lpszParameters, LPCTSTR lpszDirectory);
    virtual BOOL IsTextControl() const;
    virtual BOOL IsCursorOverText() const;
    // Whether a screen point lies over the link's text (the full height counts).
    BOOL IsPointOverText(POINT ptScreen) const;
    virtual void ReportError(int nError);
    virtual BOOL Initialize();
    virtual BOOL UpdateFont();
    virtual BOOL CreateLinkFont(CLVKFont& font, BOOL bUnderline);

    void SetTipText(LPCTSTR lpszTipText);
    CString GetTipText() const { return m_strTipText; }
    HWND GetToolTipWindow() const { return m_toolTip.GetSafeHwnd(); }
    BOOL IsHovered() const { return m_bMouseOver; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

    BYTE m_bOpenWithShell = TRUE;
    BYTE m_bInitOnSubclass = TRUE;
    BYTE m_bToolTipEnabled = TRUE;

protected:
    // The shell call; a test replaces it to answer without starting anything.
    virtual HINSTANCE ShellExecuteOpen(LPCTSTR lpszTarget, LPCTSTR lpszParameters, LPCTSTR lpszDirectory, int nShowCmd);
    // The message box of ReportError; a test replaces it to read the text.
    virtual void ShowErrorMessage(const CString& strMessage);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;
    void Redraw();
    void UpdateToolText();
    BOOL ActivateLink();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg BOOL OnClicked();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    DECLARE_MESSAGE_MAP()

private:
    BYTE m_bUnderline = TRUE;
    BYTE m_bMouseOver = FALSE;
    BYTE m_bVisited = FALSE;
    CLVKFont m_linkFont;
    CString m_strUrl;
    CString m_strTipText;
    HCURSOR m_hLinkCursor = nullptr;
    COLORREF m_clrLink = RGB(0, 0, 255);
    COLORREF m_clrHover = RGB(255, 0, 0);
    COLORREF m_clrVisited = RGB(128, 0, 128);
    COLORREF m_clrBack = static_cast<COLORREF>(-1);
    CToolTipCtrl m_toolTip;
};
