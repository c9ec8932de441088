#include "PrintingDialog.h"

#include "PrintingDialogIds.h"
#include "ThreadObject.h"

namespace
{
PROCESS_LOCAL(LVK_PRINT_STATE, g_printState)
}

LVK_PRINT_STATE* AFX_CDECL LVKGetPrintState()
{
    return g_printState.GetData();
}

CLVKPrintingDialog::CLVKPrintingDialog(CWnd* pParentWnd)
{
    LVKGetPrintState()->m_bUserAbort = FALSE;
    Create(LVK_IDD_PRINTING_DIALOG, pParentWnd);
}

CLVKPrintingDialog::~CLVKPrintingDialog()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CLVKPrintingDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}

void CLVKPrintingDialog::OnCancel()
{
    LVKGetPrintState()->m_bUserAbort = TRUE;
    // Modeless: the window goes, the object stays with its owner.
    DestroyWindow();
}

BOOL CALLBACK LVKPrintAbortProc(HDC, int)
{
    LVK_PRINT_STATE* pState = LVKGetPrintState();
    MSG msg{};
    while (!pState->m_bUserAbort && ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
    {
        CWinThread* pThread = LVKGetCurrentThreadObject();
        if (!pThread)
            break;
        if (!pThread->PumpMessage())
            return FALSE;
    }
    return !pState->m_bUserAbort;
}
