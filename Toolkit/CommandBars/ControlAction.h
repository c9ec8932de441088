// CLVKControlAction: the state that every control with one command id
// shares (texts, icon and help ids, enabled, checked, visible). Bound
// controls take whatever they do not set themselves from it, so one change
// reaches every button and menu item of the command.
#pragma once

#include "Foundation/CmdTarget.h"

#include <vector>

class CLVKControl;
class CLVKControlActions;

class CLVKControlAction : public CLVKCmdTarget
{
    DECLARE_DYNAMIC(CLVKControlAction)

public:
    // Property codes passed to the bound controls.
    enum : int
    {
        kPropertyEnabled = 0,
        kPropertyVisible = 2,
        kPropertyCaption = 3,
        kPropertyEditHint = 4
    };

    explicit CLVKControlAction(CLVKControlActions* pOwner);
    ~CLVKControlAction() override;

    int GetId() const { return m_nId; }
    CLVKControlActions* GetOwner() const { return m_pOwner; }

    // A value up to 0xFFFF is a string-resource id; the text is cut at a tab.
    void SetCaption(LPCTSTR lpszCaption);
    void SetCaption(UINT nIDCaption) { SetCaption(MAKEINTRESOURCE(nIDCaption)); }
    CString GetCaption() const { return m_strCaption; }
    // Fills the texts from "description\ntooltip\ncaption\nkey tip"; only an
    // empty caption and key tip are filled.
    void SetPrompt(LPCTSTR lpszPrompt);

    CString GetTooltip() const { return m_strTooltip; }
    void SetTooltip(LPCTSTR lpszText) { m_strTooltip = lpszText; }
    CString GetDescription() const { return m_strDescription; }
    void SetDescription(LPCTSTR lpszText) { m_strDescription = lpszText; }
    CString GetShortcutText() const { return m_strShortcutText; }
    void SetShortcutText(LPCTSTR lpszText);
    CString GetPopupShortcutText() const { return m_strPopupShortcutText; }
    void SetPopupShortcutText(LPCTSTR lpszText) { m_strPopupShortcutText = lpszText; }
    CString GetKeyboardTip() const { return m_strKeyboardTip; }
    void SetKeyboardTip(LPCTSTR lpszText) { m_strKeyboardTip = lpszText; }
    CString GetEditHint() const { return m_strEditHint; }
    void SetEditHint(LPCTSTR lpszText);
    int GetIconId() const { return m_nIconId; }
    void SetIconId(int nId) { m_nIconId = nId; }
    int GetHelpId() const { return m_nHelpId; }
    void SetHelpId(int nId) { m_nHelpId = nId; }

    // TRUE while the owning manager is in customize mode.
    BOOL IsEnabled() const;
    void SetEnabled(BOOL bEnabled);
    int GetChecked() const { return m_nChecked; }
    void SetChecked(int nChecked);
    BOOL IsVisible() const { return m_bVisible; }
    void SetVisible(BOOL bVisible);

    // The binding protocol; called by CLVKControl::SetAction and the
    // control's destructor only. AddControl answers the control's index.
    int AddControl(CLVKControl* pControl);
    void RemoveControl(CLVKControl* pControl);
    int GetControlCount() const { return static_cast<int>(m_arrControls.size()); }
    CLVKControl* GetControl(int nIndex) const;

    void NotifyChanging(int nProperty);
    void NotifyChanged(int nProperty);
    void MarkControlsLayoutDirty();

private:
    friend class CLVKControlActions;

    CLVKCmdTarget* m_pItems = nullptr;  // gallery items; nothing attaches any yet
    int m_nId = 0;
    int m_nIconId = 0;
    int m_nHelpId = 0;
    BOOL m_bEnabled = TRUE;
    int m_nChecked = 0;
    BOOL m_bVisible = TRUE;
    CString m_strCaption;
    CString m_strTooltip;
    CString m_strDescription;
    CString m_strShortcutText;
    CString m_strEditHint;
    CString m_strKeyboardTip;
    CString m_strPopupShortcutText;
    std::vector<CLVKControl*> m_arrControls;
    CLVKControlActions* m_pOwner;
};
