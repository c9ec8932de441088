#pragma once

#include "MainWindowServices.h"

// The main window's side of what the drive engine asks of it: the modal main
// window and the program's task dialogs. One object is installed for the
// life of the program (or of a test program).
class CLorvaneWindowServices : public CMainWindowServices
{
public:
    // Installs itself; the destructor puts back what was installed before.
    CLorvaneWindowServices();
    ~CLorvaneWindowServices() override;
    CLorvaneWindowServices(const CLorvaneWindowServices&) = delete;
    CLorvaneWindowServices& operator=(const CLorvaneWindowServices&) = delete;

    INT_PTR RunMainWindow(bool startedAfterLanguageChange) override;
    int AskYesNo(CWnd* owner, LPCWSTR mainInstruction, LPCWSTR content, LPCWSTR mainIcon, int defaultButton) override;
    bool AskRestartForLabelFix() override;

private:
    CMainWindowServices* m_pPrevious = nullptr;
};
