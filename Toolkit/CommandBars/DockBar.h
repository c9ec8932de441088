// CLVKDockBar: one of the four child windows along the edges of a site's
// client area that hold docked tool bars in rows. In the frame's bar layout
// (WM_SIZEPARENT) it takes the thickness of its rows off the remaining
// rectangle and places its bars, each row from its start.
#pragma once

#include "Framework.h"

#include <vector>

class CLVKCommandBars;
class CLVKToolBar;

class CLVKDockBar : public CWnd
{
    DECLARE_DYNCREATE(CLVKDockBar)

public:
    CLVKDockBar();
    ~CLVKDockBar() override;

    // dwStyle: window style plus the bar-alignment bits (CBRS_ALIGN_*).
    BOOL Create(CWnd* pParent, DWORD dwStyle, UINT nID);

    // 0 top, 1 bottom, 2 left, 3 right from the alignment bits.
    int GetPosition() const;
    BOOL IsHorizontal() const { return (m_dwDockStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0; }
    DWORD GetDockStyle() const { return m_dwDockStyle; }

    CLVKCommandBars* GetCommandBars() const { return m_pCommandBars; }
    void SetCommandBars(CLVKCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }

    // Docks the bar: without a rectangle it opens a new last row. The bar
    // leaves the dock bar it was in.
    void DockBar(CLVKToolBar* pBar, LPCRECT lpRectScreen = nullptr);
    // FALSE when the bar is not here (index nSkip is not looked at).
    BOOL RemoveBar(CLVKToolBar* pBar, int nSkip = -1);
    int FindBar(const CLVKToolBar* pBar, int nSkip = -1) const;
    // The entries: null entries end rows; the first entry is a null.
    int GetBarCount() const { return static_cast<int>(m_arrBars.size()); }
    CLVKToolBar* GetBarAt(int nIndex) const;
    // The visible bars of the row that holds nIndex, in their order along
    // the row.
    void GetVisibleRowBars(int nIndex, std::vector<CLVKToolBar*>& arrBars) const;

    // The size the rows need for a length; with a deferred-position handle
    // in pLayout the bars are moved there.
    CSize CalcDockBarLayout(int nLength, DWORD dwMode, AFX_SIZEPARENTPARAMS* pLayout);

protected:
    int InsertBarAtRow(CLVKToolBar* pBar, CPoint ptClient);
    // Whether this dock bar holds the manager's menu bar and it is a ribbon.
    BOOL HoldsRibbonMenuBar() const;
    void NormalizeStretchedRows();
    void FillBackground(CDC* pDC);
    // One row at nOffset across the rows: its thickness, or -1 with nLeave
    // the index (in arrRow) of the bar that must go to an extra row.
    int AdjustRow(std::vector<CLVKToolBar*>& arrRow, int nOffset, int nLength, HDWP& hDWP, int& nLeave);
    int CalcRowWithWrap(std::vector<CLVKToolBar*> arrRow, int nOffset, int nLength, HDWP& hDWP);
    DWORD GetBarLayoutMode(const CLVKToolBar* pBar) const;

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    DWORD m_dwDockStyle = 0;
    std::vector<CLVKToolBar*> m_arrBars;  // not owned; null ends a row
    CLVKCommandBars* m_pCommandBars = nullptr;
};
