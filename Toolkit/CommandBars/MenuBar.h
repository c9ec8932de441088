// CLVKMenuBar: the tool bar that replaces its site's menu. It loads a menu
// resource into controls, takes the site's own menu away while it lives and
// gives it back when its window goes.
#pragma once

#include "CommandBars/ToolBar.h"

class CLVKMenuBar : public CLVKToolBar
{
    DECLARE_DYNCREATE(CLVKMenuBar)

public:
    CLVKMenuBar();
    ~CLVKMenuBar() override;

    // Loads the menu resource (0: none) and takes the site's menu away.
    // FALSE, with nothing attached, when the resource cannot be loaded.
    virtual BOOL LoadMenuBar(UINT nIDMenu);
    // The ribbon takes the wheel; a plain menu bar does not.
    virtual BOOL OnFrameMouseWheel(BOOL /*bForward*/) { return FALSE; }

    // The site's messages: Alt alone and F10 (SC_KEYMENU) enter keyboard
    // menu mode; the site's WM_DESTROY gives its menu back.
    int HandleHookedMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    // With original controls the tool bar's reset; without them (a bar
    // restored from a layout that kept none) the menu resource is loaded
    // again, after the user's OK when bConfirm.
    void ResetToolBar(BOOL bConfirm) override;
    void Copy(CLVKCommandBar* pSource, BOOL bRecursive = FALSE) override;

    UINT GetResourceId() const { return m_nResourceId; }
    UINT GetCurrentMenuId() const { return m_nCurrentMenuId; }
    HMENU GetSavedFrameMenu() const { return m_hSavedFrameMenu; }

protected:
    void AttachToFrame();

    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    void RestoreFrameMenu();

    HMENU m_hSavedFrameMenu = nullptr;
    HWND m_hHookedSite = nullptr;
    UINT m_nResourceId = 0;
    UINT m_nCurrentMenuId = 0;
};
