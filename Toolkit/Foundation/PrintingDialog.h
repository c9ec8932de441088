// The modeless progress dialog shown while a job prints; its Cancel sets the
// process's abort flag, which the abort procedure hands to the printer DC.
#pragma once

#include "Framework.h"

// The process's printing state: whether the user asked to stop.
class LVK_PRINT_STATE
{
public:
    BOOL m_bUserAbort = FALSE;
};

LVK_PRINT_STATE* AFX_CDECL LVKGetPrintState();

class CLVKPrintingDialog : public CDialog
{
public:
    // Creates the dialog (template 30722) and clears the abort flag.
    explicit CLVKPrintingDialog(CWnd* pParentWnd);
    ~CLVKPrintingDialog() override;

    BOOL OnInitDialog() override;
    void OnCancel() override;
};

// Pumps waiting messages (so the dialog's Cancel can be pressed) while the job
// prints; FALSE stops the job.
BOOL CALLBACK LVKPrintAbortProc(HDC hDC, int nCode);
