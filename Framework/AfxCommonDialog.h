// CCommonDialog: base of the dialogs that the platform's common dialog
// library runs (file, folder, colour, font).
#pragma once

#include "Dialog.h"

class CCommonDialog : public CDialog
{
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd = NULL);

protected:
    // The platform's dialog ends itself; these only keep the framework's
    // defaults from ending it a second time.
    void OnOK() override;
    void OnCancel() override;
};
