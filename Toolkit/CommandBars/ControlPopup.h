// CLVKControlPopup: the control that opens a popup bar: a menu title on a
// menu bar, a sub-menu item, a tool-bar button with a drop-down arrow, a
// split button (a button part that executes and an arrow part that opens).
// It holds a counted reference on its popup bar; copies share the bar,
// recursive copies clone it. It decides when the popup opens and closes:
// click, hover, moving along a menu bar with a menu open, and keys.
#pragma once

#include "CommandBars/ControlButton.h"

class CLVKControlPopup : public CLVKControlButton
{
    DECLARE_DYNCREATE(CLVKControlPopup)

public:
    // Pressed states of a split button: the pointer over its button part or
    // over its arrow part. Enabled values of a split button with one part
    // disabled: the arrow part (4) or the button part (5).
    enum : int
    {
        kPartButton = 4,
        kPartArrow = 5,
        kArrowDisabled = 4,
        kButtonDisabled = 5
    };

    explicit CLVKControlPopup(int nType = kControlPopup);
    ~CLVKControlPopup() override;

    static CLVKControlPopup* AFX_CDECL CreateControlPopup(int nType);
    static BOOL AFX_CDECL IsPopupType(int nType) { return nType == kControlPopup || nType == kControlButtonPopup; }

    // Takes one reference on pBar and releases the previous bar.
    void SetCommandBar(CLVKCommandBar* pBar);
    CLVKCommandBar* GetCommandBar() const override { return m_pCommandBar; }
    int GetCommandBarId() const { return m_nCommandBarId; }
    void SetCommandBarId(int nId) { m_nCommandBarId = nId; }
    BOOL IsPopupShadow() const { return m_bPopupShadow; }
    void SetPopupShadow(BOOL bShadow) { m_bPopupShadow = bShadow; }
    // A plain popup whose menu is open shows its rarely used items.
    void ExpandPopup();

    CString GetCaption() const override;
    BOOL IsPopupOpen() const override { return m_bPopup; }
    // Opens (TRUE) or closes the popup; FALSE when nothing happened.
    BOOL OnSetPopup(BOOL bPopup) override;
    BOOL IsEqual(CLVKControl* pOther) const override;
    void Copy(CLVKControl* pSource, BOOL bRecursive) override;
    CLVKControl* Clone(BOOL bRecursive) override;
    BOOL CanDropOnBar(CLVKCommandBar* pBar, DWORD& dwDropEffect) const override;
    void ExecuteFromKeyboard() override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
    void OnLButtonUp(CPoint pt) override;
    BOOL OnLButtonDblClk(CPoint pt) override;
    void OnMouseMove(CPoint pt) override;
    void OnMouseHover() override;
    BOOL SetPressed(int nState) override;
    void OnCustomizeDragOver(CLVKControl* pDragged, CPoint pt) override;

    virtual void AdjustExcludeRect(CRect& rc, BOOL bVertical);
    // Adds the shadow along the control that belongs to its open popup.
    virtual void AttachPopupShadow();

protected:
    BOOL IsSplitButton() const { return m_nType == kControlSplitButton; }
    // Whether the point lies on the button part of a split button.
    BOOL IsOverButtonPart(CPoint pt) const;

    BOOL m_bPopup = FALSE;
    CLVKCommandBar* m_pCommandBar = nullptr;
    int m_nCommandBarId = 0;
    BOOL m_bPopupShadow = TRUE;
};
