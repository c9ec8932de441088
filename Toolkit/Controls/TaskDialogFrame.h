// The window of the emulated task dialog: a modal dialog made from an
// in-memory template whose client (CLVKTaskDialogClient) lays out and draws
// the task-dialog elements. The frame gives it the platform task dialog's
// behaviour towards its owner: caption and style, warning sounds, the
// notifications through the configuration's callback, default button and
// focus, the callback timer, F1, and the TDM_ messages.
#pragma once

#include "TaskDialogClient.h"

#include <list>
#include <string>

class CLVKTaskDialogFrame : public CLVKTaskDialogClient
{
public:
    static constexpr UINT_PTR kCallbackTimerId = 1;

    explicit CLVKTaskDialogFrame(TASKDIALOGCONFIG* pConfig);
    ~CLVKTaskDialogFrame() override;

    // The id passed to EndDialog, or -1 when the template cannot be made.
    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    virtual CString GetWindowTitle() const;
    virtual DWORD GetWindowStyle() const;
    DWORD GetWindowExStyle() const;
    UINT GetTimerInterval() const { return m_nTimerInterval; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnCreate(LPARAM lParam);
    LRESULT OnTaskDialogMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT NavigatePage(const TASKDIALOGCONFIG* pNewConfig);
    CWnd* FindButtonChild(int nId) const;
    bool IsRadioButton(HWND hWnd) const;
    // Keeps a copy of a configuration text (a resource id stays an id).
    PCWSTR KeepText(PCWSTR psz, std::list<std::wstring>& texts);

    BYTE* m_pTemplate = nullptr;
    DWORD m_dwTimerStart = 0;
    UINT m_nTimerInterval = 200;

    // The record of the page navigated to, with its texts and buttons: the
    // caller's record may live on its stack.
    TASKDIALOGCONFIG m_navigatedConfig{};
    std::list<std::wstring> m_navigatedTexts;
    std::vector<TASKDIALOG_BUTTON> m_navigatedButtons;
    std::vector<TASKDIALOG_BUTTON> m_navigatedRadioButtons;
};
