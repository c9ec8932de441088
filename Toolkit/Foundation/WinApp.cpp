#include "WinApp.h"

#include "Application.h"
#include "ResourceManager.h"

IMPLEMENT_DYNAMIC(CLVKWinApp, CWinApp)

BEGIN_MESSAGE_MAP(CLVKWinApp, CWinApp)
END_MESSAGE_MAP()

BOOL CLVKWinApp::InitInstance()
{
    // Made here, on the user-interface thread and before any worker thread
    // can ask it for a string.
    CLVKResourceManager::GetGlobal();
    return CLVKApplication::EnsureCreated();
}

int CLVKWinApp::ExitInstance()
{
    // The toolkit's objects go first: some of them still use the framework.
    CLVKApplication::ShutdownOnce();
    return CWinApp::ExitInstance();
}
