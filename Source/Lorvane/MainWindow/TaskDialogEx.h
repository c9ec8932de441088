#pragma once

#include "Framework.h"
#include "Controls/TaskDialog.h"

// The program's task dialog: centred on its owner (or the screen), links
// opened by the shell.
class CTaskDialogEx : public CLVKTaskDialog
{
public:
    explicit CTaskDialogEx(CWnd* pParentWnd = nullptr) : CLVKTaskDialog(pParentWnd) {}

protected:
    void OnDialogConstructed() override;
    void OnHyperlinkClicked(LPCWSTR lpszURL) override;
};

// Asks a yes/no question: the application's name as title, the main
// instruction, the content when not empty, the main icon (e.g. TD_WARNING_ICON)
// and the default button when not 0. Returns IDYES, IDNO, or IDCANCEL when the
// dialog was cancelled.
int ShowYesNoTaskDialog(CWnd* pOwner, LPCWSTR lpszMainInstruction, LPCWSTR lpszContent, LPCWSTR lpszMainIcon,
                        int nDefaultButton);
