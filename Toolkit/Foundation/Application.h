// The one process-wide toolkit object. Process-wide toolkit objects register
// with it as observers; when the toolkit shuts down they are told in reverse
// order of registration, so they are destroyed in reverse order of first use.
#pragma once

#include "Framework.h"
#include "Observable.h"
#include "RWCriticalSection.h"

class CLVKApplication;

class ILVKApplicationEvents
{
public:
    virtual void OnBeforeShutdown(CLVKApplication* pApplication) = 0;
    virtual void OnShutdown(CLVKApplication* pApplication) = 0;
    virtual ~ILVKApplicationEvents() = default;
};

class CLVKApplication : public CObject,
                        public CLVKObservable<CLVKApplication, ILVKApplicationEvents>,
                        public CLVKSynchronized
{
    DECLARE_DYNAMIC(CLVKApplication)

public:
    // The process-wide object, made during static initialisation. Throws a
    // framework OLE exception (E_FAIL) once the toolkit is shut down.
    static CLVKApplication* AFX_CDECL Instance();
    static BOOL AFX_CDECL EnsureCreated();

    // Shuts the process-wide object down the first time it is called; later
    // calls do nothing and never throw.
    static void AFX_CDECL ShutdownOnce();

    // The process-wide object is made by Instance(); other instances serve
    // only tests that need a toolkit of their own.
    CLVKApplication();
    ~CLVKApplication() override;

    // Tells every observer OnBeforeShutdown, then OnShutdown (last registered
    // first), then marks the object shut down. Runs once.
    void Shutdown();
    BOOL IsShutDown() const { return m_bShutdown; }

    // The framework module state that was current when the object was made.
    AFX_MODULE_STATE* GetModuleState() const { return m_pModuleState; }

private:
    static CLVKApplication* AFX_CDECL ProcessObject();

    AFX_MODULE_STATE* m_pModuleState = AfxGetModuleState();
    BOOL m_bShutdown = FALSE;
};
