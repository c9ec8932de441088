// CLVKToolBar: the command bar that docks at an edge of its site (inside a
// dock bar), floats in a window of its own, or stands as a plain child. The
// manager creates it, docks and floats it; the program's own bars are
// built-in, which lets the user reset them.
#pragma once

#include "CommandBars/CommandBar.h"

class CLVKDockBar;

class CLVKToolBar : public CLVKCommandBar
{
    DECLARE_DYNCREATE(CLVKToolBar)

public:
    CLVKToolBar();
    ~CLVKToolBar() override;

    CLVKDockBar* GetDockBar() const { return m_pDockBar; }
    void SetDockBar(CLVKDockBar* pDockBar) { m_pDockBar = pDockBar; }

    BOOL IsBuiltIn() const { return m_bBuiltIn; }
    void SetBuiltIn(BOOL bBuiltIn) { m_bBuiltIn = bBuiltIn; }
    BOOL IsTearOff() const { return m_bTearOff; }
    void SetTearOff(BOOL bTearOff) { m_bTearOff = bTearOff; }
    BOOL IsCloseable() const { return m_bCloseable; }
    void SetCloseable(BOOL bCloseable) { m_bCloseable = bCloseable; }
    BOOL IsContextMenuPresent() const { return m_bContextMenuPresent; }
    void SetContextMenuPresent(BOOL bPresent) { m_bContextMenuPresent = bPresent; }
    BOOL IsExpandButtonShown() const { return m_bShowExpandButton; }
    void ShowExpandButton(BOOL bShow) { m_bShowExpandButton = bShow; }
    BOOL IsHiddenByFrame() const { return m_bHiddenByFrame; }
    // Where the bar last stood in its dock bar (client coordinates of the
    // dock bar); empty when it starts a new row.
    CRect GetDockedRect() const { return m_rcDocked; }
    void SetDockedRect(const CRect& rc) { m_rcDocked = rc; }

    // Creates the window (or switches an existing one) as a child of
    // pParent or as a floating window owned by it.
    virtual BOOL CreateToolBarWindow(CWnd* pParent, BOOL bFloating);
    // The size the bar takes in a dock bar for a length and LM_* mode.
    virtual CSize CalcDockingLayout(int nLength, DWORD dwMode, int nHeight = 0);
    // The frame hides its bars while something else owns the screen
    // (suspension), and shows them again as they were.
    void SetHiddenByFrame(BOOL bHidden);

    BOOL LoadToolBar(UINT nIDResource, BOOL bLoadIcons = TRUE) override;
    void SetVisible(BOOL bVisible) override;
    BOOL IsVisible() const override { return m_bVisible; }
    // The visibility mark alone, without showing or hiding the window.
    void SetVisibleFlag(BOOL bVisible) { m_bVisible = bVisible; }
    BOOL SetPosition(int nPosition) override;
    void RecalcLayout() override;
    CRect GetBorders() override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void Copy(CLVKCommandBar* pSource, BOOL bRecursive = FALSE) override;

    // The bar keeps its position field in step with where the manager put it.
    void SetPositionValue(int nPosition) { m_nPosition = nPosition; }

protected:
    CLVKDockBar* m_pDockBar = nullptr;
    BOOL m_bBuiltIn = TRUE;
    BOOL m_bTearOff = FALSE;
    BOOL m_bSavedVisible = FALSE;
    BOOL m_bHiddenByFrame = FALSE;
    BOOL m_bNotSaved = FALSE;
    BOOL m_bShowExpandButton = TRUE;
    BOOL m_bContextMenuPresent = TRUE;
    BOOL m_bLayingOut = FALSE;
    BOOL m_bVisible = TRUE;
    BOOL m_bCloseable = TRUE;
    CRect m_rcDocked{0, 0, 0, 0};
};
