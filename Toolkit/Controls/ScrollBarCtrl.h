// CLVKScrollBarCtrl: a scroll-bar window that draws itself through a
// scroll-bar paint manager chosen by theme number and replaces the
// platform's mouse handling by the toolkit's tracking loop. Like the
// platform's bar it only reports WM_HSCROLL/WM_VSCROLL to its parent; the
// parent sets the position.
#pragma once

#include "Controls/ScrollBarPaintManager.h"

#include <memory>

class CLVKScrollBarCtrl : public CScrollBar, public CLVKScrollBase
{
    DECLARE_DYNAMIC(CLVKScrollBarCtrl)
public:
    CLVKScrollBarCtrl();
    ~CLVKScrollBarCtrl() override;

    // 0 classic, 2 flat, 3 ultra-flat, 4, 8, 9 resource images, 5 Office 2000,
    // 6 Office XP, 7 Office 2003, 11 Office 2013, 12 and 13 Visual Studio 2012
    // light and dark, 14 Visual Studio 2015, any other the visual styles.
    void SetTheme(int nTheme);
    CLVKScrollBarPaintManager* GetScrollBarPaintManager() const override { return m_pPaintManager.get(); }

    CWnd* GetNotifyOwner() const override;
    BOOL IsScrollBarEnabled() const override;
    void GetScrollBarRect(CRect* pRect) override;
    void GetScrollInfo(SCROLLINFO* pInfo) override;
    void RedrawScrollBar() override;
    void DoScroll(int nCode, int nPos) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;
    void RefreshStyle();
    void Draw(CDC* pDC);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(CDC* pDC, UINT nFlags);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnSetScrollInfo(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetScrollInfo(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bSubclassed = TRUE;
    std::unique_ptr<CLVKScrollBarPaintManager> m_pPaintManager;
};
