// The toolkit's task dialog: one task-dialog configuration (texts, buttons,
// icons, flags) that the owner fills with setters and shows modally with
// DoModal, which returns the id of the button that closed the dialog. The
// platform's TaskDialogIndirect shows it where Windows is 6.0 or later and
// comctl32 is version 6.0 or later; everywhere else (and always with an input
// box or markup) the toolkit's emulation, whose window this object is, shows
// it with the same record, notifications and messages. Owners react to the
// notifications by overriding the On... operations.
#pragma once

#include "TaskDialogFrame.h"

#include <vector>

// The toolkit's own question-mark icon id; the platform's dialog does not know
// it, so DoModal hands it a question icon for the time of the call.
#define TASKDIALOG_QUESTION_ICON MAKEINTRESOURCEW(0xFFFB)
class CLVKTaskDialog : public CLVKTaskDialogFrame
{
public:
    explicit CLVKTaskDialog(CWnd* pParentWnd = nullptr);
    ~CLVKTaskDialog() override;

    // Shows the dialog and returns the id of the button that ended it (IDOK,
    // IDCANCEL, IDYES, ..., or a custom id); 0 when the dialog could not be
    // shown. The configuration is the same afterwards, so it may run again.
    INT_PTR DoModal() override;

    // Texts may be text or a string resource id (MAKEINTRESOURCE); an empty
    // text removes the element. While the dialog is up the element setters
    // also update it and return the update's result.
    void SetWindowTitle(LPCWSTR lpszTitle);
    BOOL SetMainInstruction(LPCWSTR lpszText);
    BOOL SetContent(LPCWSTR lpszText);
    BOOL SetExpandedInformation(LPCWSTR lpszText);
    void SetExpandedControlText(LPCWSTR lpszText);
    void SetCollapsedControlText(LPCWSTR lpszText);
    void SetFooter(LPCWSTR lpszText);
    void SetVerificationText(LPCWSTR lpszText);

    // A standard icon (TD_SHIELD_ICON, TASKDIALOG_QUESTION_ICON, ...) or an
    // icon resource id; or an icon handle the caller keeps owning.
    void SetMainIcon(LPCWSTR lpszIcon);
    void SetMainIconHandle(HICON hIcon);

    // A custom button; a button with this id that exists already only gets
    // the new text (it keeps its place).
    void AddButton(LPCWSTR lpszText, int nID);
    void AddRadioButton(LPCWSTR lpszText, int nID);
    int SetCommonButtons(BOOL bOk, BOOL bYes, BOOL bNo, BOOL bCancel, BOOL bRetry, BOOL bClose);
    void SetCommonButtonMask(TASKDIALOG_COMMON_BUTTON_FLAGS dwMask);
    void SetDefaultButton(int nID);

    // The width in pixels (converted to dialog units) or in dialog units.
    void SetWidth(int nWidth, BOOL bPixels = TRUE);

    BOOL EnableHyperlinks(BOOL bEnable = TRUE);
    BOOL EnableCancellation(BOOL bEnable = TRUE);
    BOOL EnableRelativePosition(BOOL bEnable = TRUE);
    // Returns whether the flags changed.
    BOOL ModifyFlags(DWORD dwRemove, DWORD dwAdd);

    // Results of the last DoModal.
    int GetSelectedButton() const { return m_nSelectedButton; }
    int GetSelectedRadioButton() const { return m_nSelectedRadioButton; }
    BOOL IsVerificationChecked() const { return m_bVerificationChecked; }

    // The dialog's window while it is up, else null.
    HWND GetDialogWindow() const { return m_hwndDialog; }
    const TASKDIALOGCONFIG& GetConfig() const { return m_config; }

    // Frees every text and button and puts the configuration back to its
    // empty state.
    void ResetConfig();

    // The callback of the dialog; lpRefData is the object.
    static HRESULT CALLBACK TaskDialogCallbackProc(HWND hWnd, UINT uNotification, WPARAM wParam, LPARAM lParam,
                                                   LONG_PTR lpRefData);

protected:
    virtual void OnDialogConstructed() {}
    virtual void OnDestroyed() {}
    // Opens the link with the shell.
    virtual void OnHyperlinkClicked(LPCWSTR lpszURL);
    // Clear bCloseDialog to keep the dialog open.
    virtual void OnButtonClicked(int nButtonID, BOOL& bCloseDialog);
    virtual void OnRadioButtonClicked(int /*nButtonID*/) {}
    virtual void OnVerificationClicked(BOOL /*bChecked*/) {}
    virtual void OnHelp() {}
    virtual void OnInputBoxChanged() {}
    virtual void OnExpandoButtonClicked(BOOL /*bExpanded*/) {}
    // Set bReset to restart the timer's count.
    virtual void OnTimer(DWORD /*dwMilliSeconds*/, BOOL& /*bReset*/) {}
    virtual void OnNavigated() {}
    // Dispatches a notification to the operations above.
    virtual HRESULT OnNotify(UINT uNotification, WPARAM wParam, LPARAM lParam);

    // Stores a text of the record: frees the old value when it is a copy,
    // keeps a resource id, null for no or empty text, else a copy.
    static void AFX_CDECL SetConfigString(PCWSTR& pszField, LPCWSTR lpszText);

private:
    typedef HRESULT(WINAPI* PFNTASKDIALOGINDIRECT)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

    BOOL SetElementText(PCWSTR& pszField, LPCWSTR lpszText, TASKDIALOG_ELEMENTS element);
    void RefreshButtons();
    // Adds a button with this identifier, or renames the one already there;
    // true when a button was added.
    static bool AddOrRenameButton(std::vector<TASKDIALOG_BUTTON>& arrButtons, LPCWSTR lpszText, int nID);
    PFNTASKDIALOGINDIRECT FindTaskDialogIndirect() const;

    int m_nSelectedButton = 0;
    HWND m_hwndDialog = nullptr;
    TASKDIALOGCONFIG m_config{};
    std::vector<TASKDIALOG_BUTTON> m_arrButtons;
    std::vector<TASKDIALOG_BUTTON> m_arrRadioButtons;

public:
    // 0: the emulation is always used.
    BOOL m_bNativeAllowed = TRUE;
};
