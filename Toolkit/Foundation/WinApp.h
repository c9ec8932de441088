// The toolkit's application base class. The program's application class
// derives from it so that the toolkit's process object exists while the
// program runs and the toolkit is shut down before the framework's own exit
// step.
#pragma once

#include "Framework.h"

class CLVKWinApp : public CWinApp
{
    DECLARE_DYNAMIC(CLVKWinApp)

public:
    explicit CLVKWinApp(LPCTSTR lpszAppName = nullptr) : CWinApp(lpszAppName) {}

    // Makes sure the toolkit's process object exists; returns TRUE. A derived
    // application calls it from its own InitInstance.
    BOOL InitInstance() override;

    // Destroys every process-wide toolkit object (in reverse order of first
    // use), then runs the framework's exit step and returns its result.
    int ExitInstance() override;

protected:
    DECLARE_MESSAGE_MAP()
};
