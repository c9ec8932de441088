// CLVKPopupBar: the command-bar window of a drop-down or context menu. It
// lays its controls out in columns and belongs to the popup control that
// opens it, or to the caller that tracks it at a point.
#pragma once

#include "CommandBars/CommandBar.h"

class CLVKPopupBar : public CLVKCommandBar
{
    DECLARE_DYNCREATE(CLVKPopupBar)

public:
    CLVKPopupBar();

    // A new popup bar (one reference, the caller's) bound to the manager.
    static CLVKPopupBar* AFX_CDECL CreatePopupBar(CLVKCommandBars* pCommandBars);

    CLVKControl* GetControlPopup() const { return m_pControlPopup; }
    void SetControlPopup(CLVKControl* pControl) { m_pControlPopup = pControl; }
    BOOL IsContextMenu() const { return m_bContextMenu; }
    void SetContextMenu(BOOL bContextMenu) { m_bContextMenu = bContextMenu; }
    BOOL GetShowShadow() const { return m_bShowShadow; }
    void SetShowShadow(BOOL bShow) { m_bShowShadow = bShow; }
    CRect GetBordersValue() const { return m_rcBorders; }
    void SetBorders(const CRect& rc) { m_rcBorders = rc; }
    int GetMaxHeight() const { return m_nMaxHeight; }
    void SetMaxHeight(int nHeight) { m_nMaxHeight = nHeight; }

    CLVKCommandBar* GetParentBar() const override;
    BOOL IsPopupBar() const override { return TRUE; }
    CRect GetBorders() override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void Copy(CLVKCommandBar* pSource, BOOL bRecursive = FALSE) override;
    CLVKCommandBar* Clone(BOOL bRecursive = FALSE) override;

protected:
    CLVKControl* m_pControlPopup = nullptr;
    CPoint m_ptPopup{0, 0};
    CRect m_rcExclude{0, 0, 0, 0};
    DWORD m_dwAlignment = 0;
    BOOL m_bLayingOut = FALSE;
    BOOL m_bHasHiddenItems = FALSE;
    BOOL m_bExpanded = FALSE;
    BOOL m_bTearOffPopup = FALSE;
    CString m_strTearOffCaption;
    int m_nTearOffId = 0;
    int m_nTearOffWidth = 0;
    BOOL m_bShowShadow = TRUE;
    CRect m_rcBorders{0, 0, 0, 0};
    BOOL m_bContextMenu = FALSE;
    int m_nMaxHeight = 0;
};
