// CCmdUI: the state of one user-interface item (menu item or control) that an
// ON_UPDATE_COMMAND_UI handler sets.
#pragma once

#include "AfxBase.h"

class CCmdUI
{
public:
    UINT m_nID = 0;
    UINT m_nIndex = 0;            // menu item index
    CMenu* m_pMenu = nullptr;     // the menu that holds the item, or NULL
    CMenu* m_pSubMenu = nullptr;  // the item's pop-up, or NULL
    CWnd* m_pOther = nullptr;     // a control standing for the item, or NULL
    UINT m_nIndexMax = 0;
    CMenu* m_pParentMenu = nullptr;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);  // 0 clear, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);

    // A handler calls this to let the next command target decide.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Routes the update to pTarget; with no handler and bDisableIfNoHndler
    // the item is disabled. TRUE when a handler took it.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};
