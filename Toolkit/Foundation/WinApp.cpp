#include "WinApp.h"

#include "Application.h"

IMPLEMENT_DYNAMIC(CLVKWinApp, CWinApp)

BEGIN_MESSAGE_MAP(CLVKWinApp, CWinApp)
END_MESSAGE_MAP()

BOOL CLVKWinApp::InitInstance()
{
    return CLVKApplication::EnsureCreated();
}

int CLVKWinApp::ExitInstance()
{
    // The toolkit's objects go first: some of them still use the framework.
    CLVKApplication::ShutdownOnce();
    return CWinApp::ExitInstance();
}
