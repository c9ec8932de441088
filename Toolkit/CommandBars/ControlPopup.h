// CLVKControlPopup: the control that opens a popup bar: a menu title on a
// menu bar, a sub-menu item, a tool-bar button with a drop-down arrow, a
// split button. It holds a counted reference on its popup bar; copies share
// the bar, recursive copies clone it.
#pragma once

#include "CommandBars/ControlButton.h"

class CLVKControlPopup : public CLVKControlButton
{
    DECLARE_DYNCREATE(CLVKControlPopup)

public:
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

    BOOL IsPopupOpen() const override { return m_bPopup; }
    BOOL OnSetPopup(BOOL bPopup) override;
    BOOL IsEqual(CLVKControl* pOther) const override;
    void Copy(CLVKControl* pSource, BOOL bRecursive) override;
    CLVKControl* Clone(BOOL bRecursive) override;
    BOOL CanDropOnBar(CLVKCommandBar* pBar, DWORD& dwDropEffect) const override;
    void ExecuteFromKeyboard() override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
    void OnMouseHover() override;

    virtual void AdjustExcludeRect(CRect& rc, BOOL bVertical);
    virtual void AttachPopupShadow() {}

protected:
    BOOL m_bPopup = FALSE;
    CLVKCommandBar* m_pCommandBar = nullptr;
    int m_nCommandBarId = 0;
    BOOL m_bPopupShadow = TRUE;
};
