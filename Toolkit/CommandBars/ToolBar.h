// CLVKToolBar: the command bar that docks at an edge of its site (inside a
// dock bar), floats in a window of its own, or stands as a plain child. The
// manager creates it, docks and floats it; its dock context moves it with
// the mouse. Controls that do not fit go behind its expand button, whose
// menu also offers "Add or Remove Buttons"; a floating bar has a caption
// with a close button. The program's own bars are built-in, which lets the
// user reset them to their original controls.
#pragma once

#include "CommandBars/CommandBar.h"
#include "CommandBars/ControlPopup.h"

#include <memory>

class CLVKDockBar;
class CLVKDockContext;
class CLVKPopupBar;

class CLVKToolBar : public CLVKCommandBar
{
    DECLARE_DYNCREATE(CLVKToolBar)

public:
    // The expand button at the end of the bar: it opens a menu with the
    // controls that did not fit and the tool-bar entries.
    class CControlButtonExpand : public CLVKControlPopup
    {
    public:
        CControlButtonExpand();
        // Whether some control of the bar is hidden only because it did not fit.
        BOOL HasHiddenControls() const;
        BOOL OnSetPopup(BOOL bPopup) override;
        void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
        void ExecuteFromKeyboard() override;
        void Draw(CDC* pDC) override;
        BOOL IsCustomizable() const override { return FALSE; }
        BOOL IsCaptionVisible() const override { return FALSE; }
        void SetBeginGroup(BOOL /*bBeginGroup*/) override {}
        CLVKControl* Clone(BOOL bRecursive) override;
    };
    // The close button in a floating bar's caption.
    class CControlButtonHide : public CLVKControlButton
    {
    public:
        CControlButtonHide();
        void Execute() override;
        void Draw(CDC* pDC) override;
        BOOL IsCustomizable() const override { return FALSE; }
        void SetBeginGroup(BOOL /*bBeginGroup*/) override {}
        CLVKControl* Clone(BOOL bRecursive) override;
    };
    // One item of "Add or Remove Buttons": checked while the control it
    // stands for is shown; or ("Reset Toolbar") the item that resets the bar.
    class CControlButtonCustomize : public CLVKControlButton
    {
    public:
        CControlButtonCustomize() = default;
        void Execute() override;
        void SetBeginGroup(BOOL bBeginGroup) override { m_bBeginGroup = bBeginGroup; }
        CLVKControl* Clone(BOOL bRecursive) override;

        CLVKControl* m_pTarget = nullptr;  // the control it shows or hides (a reference)
        CLVKToolBar* m_pToolBar = nullptr;  // the bar it resets (id 9123)
        ~CControlButtonCustomize() override;
    };

    CLVKToolBar();
    ~CLVKToolBar() override;

    CLVKDockBar* GetDockBar() const { return m_pDockBar; }
    void SetDockBar(CLVKDockBar* pDockBar) { m_pDockBar = pDockBar; }
    // Null for a plain child bar (for example in a dialog).
    CLVKDockContext* GetDockContext() const { return m_pDockContext.get(); }

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
    // dock bar), kept by the dock context; empty when it starts a new row.
    CRect GetDockedRect() const;
    void SetDockedRect(const CRect& rc);

    // Creates the window (or switches an existing one) as a child of
    // pParent or as a floating window owned by it.
    virtual BOOL CreateToolBarWindow(CWnd* pParent, BOOL bFloating);
    // The size the bar takes in a dock bar for a length and LM_* mode.
    virtual CSize CalcDockingLayout(int nLength, DWORD dwMode, int nHeight = 0);
    // Back to the original controls (asking first with bConfirm).
    virtual void ResetToolBar(BOOL bConfirm);
    virtual BOOL IsModifiedFromOriginal() const;
    // Called for every control listed in "Add or Remove Buttons".
    virtual void OnBuildCustomizeList(CLVKControl* /*pControl*/) {}
    // Fills pPopup with the "Add or Remove Buttons" items of this bar.
    void BuildCustomizeList(CLVKCommandBar* pPopup);
    // Appends clones of the controls that did not fit this bar to pPopup.
    void AddHiddenControlsToPopup(CLVKCommandBar* pPopup) const;
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
    // Finds or makes the temporary system button of an id, kept out of the
    // row layout.
    CLVKControl* GetSystemButton(int nId);
    // The rows for a length inside the borders, reserving room for the
    // expand button at the end when bReserve.
    CSize LayoutRows(int nLength, DWORD dwMode, CRect rcBorders, int nHeight, BOOL bReserve);
    // The reset question (string 9173 with the bar's title), owned by the
    // site: TRUE when the user answers OK.
    BOOL ConfirmReset() const;
    // After the controls were reset: the site hears of it, then the
    // command state and the layout are brought up to date.
    void FinishReset();

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

    CLVKDockBar* m_pDockBar = nullptr;
    std::unique_ptr<CLVKDockContext> m_pDockContext;
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
};
