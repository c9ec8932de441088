// CLVKEdit: the toolkit's edit. The platform's edit with an optional input
// mask underneath, a border of its own drawn by an exchangeable theme chosen
// by number (WM_APPLY_CONTROL_THEME), a context menu of the edit commands,
// and a validation hook that underlines text failing a regular expression
// with a red zig-zag line.
#pragma once

#include "Controls/ControlTheme.h"
#include "Controls/EditTheme.h"
#include "Controls/MaskEdit.h"

#include <memory>

class CLVKEditValidator;

class CLVKEdit : public CLVKMaskEditT<CEdit>
{
    DECLARE_DYNAMIC(CLVKEdit)
public:
    static const UINT kContextMenuId = 9317;
    static const UINT kContextMenuImagesId = 9309;

    CLVKEdit();
    ~CLVKEdit() override;

    virtual BOOL CanPaste() const;
    virtual void RefreshMetrics();
    // Returns whether a theme object exists.
    virtual BOOL SetTheme(int nTheme);
    // Gives the edit the shared regular font.
    virtual BOOL Initialize(CWnd* pParent);

    CLVKEditTheme* GetTheme() const { return m_pTheme.get(); }
    BOOL HasOwnBorder() const { return m_bOwnBorder; }
    BOOL IsHot() const { return m_bHot; }
    BOOL IsFocused() const { return m_bFocused; }

    // Text that does not match the whole pattern is underlined. An empty
    // pattern ends validation.
    void SetValidationPattern(LPCWSTR lpszPattern);
    // TRUE without a validator; FALSE when the check cannot run.
    BOOL IsTextValid();

    void RedrawFrame();
    void RefreshFrame();
    // The browse button's side of the common frame (nPart 4: at the right).
    void AdjustButtonRect(CWnd* pButton, CRect& rc, int nPart);
    void DrawButtonFrame(CWnd* pButton, CDC* pDC, const CRect& rc, int nPart);

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;
    void InitBorder();
    void DrawValidationLine(CDC* pDC);
    void UpdateMenuItems(CMenu* pPopup);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnApplyControlTheme(WPARAM wParam, LPARAM lParam);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg BOOL OnChange();
    afx_msg LRESULT OnFrameChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    static const UINT s_nFrameChangedMessage;

private:
    std::unique_ptr<CLVKEditTheme> m_pTheme;
    BOOL m_bSubclassed = TRUE;
    BOOL m_bOwnBorder = TRUE;
    BOOL m_bHot = FALSE;
    BOOL m_bFocused = FALSE;
    std::unique_ptr<CLVKEditValidator> m_pValidator;
};
