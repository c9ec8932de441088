#include "Application.h"

IMPLEMENT_DYNAMIC(CLVKApplication, CObject)

namespace
{
// Made during static initialisation, so the process object exists before the
// program's entry point runs and before any process-wide holder is made;
// holders made later are therefore destroyed before it at process exit.
CLVKApplication* g_pStartupApplication = CLVKApplication::Instance();
}  // namespace

CLVKApplication::CLVKApplication() = default;

CLVKApplication::~CLVKApplication()
{
    // Shuts down here when the program's exit step never ran; nothing
    // happens after it did.
    Shutdown();
}

CLVKApplication* AFX_CDECL CLVKApplication::ProcessObject()
{
    static CLVKApplication theApplication;
    return &theApplication;
}

CLVKApplication* AFX_CDECL CLVKApplication::Instance()
{
    CLVKApplication* pApplication = ProcessObject();
    if (pApplication->m_bShutdown)
        AfxThrowOleException(E_FAIL);
    return pApplication;
}

BOOL AFX_CDECL CLVKApplication::EnsureCreated()
{
    Instance();
    return TRUE;
}

void AFX_CDECL CLVKApplication::ShutdownOnce()
{
    // Taken without the shut-down test, so a first call after some other
    // shutdown cannot throw (it may come from a destructor at process exit).
    static CLVKApplication* pApplication = ProcessObject();
    if (!pApplication)
        return;
    pApplication->Shutdown();
    pApplication = nullptr;
    g_pStartupApplication = nullptr;
}

void CLVKApplication::Shutdown()
{
    if (m_bShutdown)
        return;
    NotifyObservers(&ILVKApplicationEvents::OnBeforeShutdown);
    NotifyObservers(&ILVKApplicationEvents::OnShutdown);
    m_bShutdown = TRUE;
}
