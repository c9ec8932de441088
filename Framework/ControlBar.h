// CControlBar: a child window along an edge of its frame (a tool bar, a
// status bar, a dock bar). It takes its share of the frame's client area in
// the bar layout (WM_SIZEPARENT) and keeps its controls' state current at
// idle time (WM_IDLEUPDATECMDUI).
#pragma once

#include "AfxBase.h"
#include "FrameIds.h"
#include "Wnd.h"

class CFrameWnd;

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    ~CControlBar() override;

    // CBRS_* flags. The alignment decides the edge the bar takes its share from.
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    BOOL IsFloating() const { return (m_dwStyle & CBRS_FLOATING) != 0; }
    BOOL IsHorizontal() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    BOOL IsVisible() const;

    // The bar's size: fixed (stretched across the frame when bStretch), or
    // dynamic for a length and LM_* mode. The base's dynamic layout is the
    // fixed one.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    // Brings the state of the bar's items up to date from pTarget's handlers;
    // the base updates its child controls.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);

    DWORD m_dwStyle = 0;
    BOOL m_bAutoDelete = FALSE;  // the object deletes itself once its window is gone

protected:
    void PostNcDestroy() override;

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
