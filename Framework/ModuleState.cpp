#include "Framework.h"

namespace
{
// One module in this build: the program itself. Constant-initialised, so it
// is ready for static constructors in any translation unit.
AFX_MODULE_STATE g_moduleState;

// Per-thread state, created on a thread's first use and freed when it ends.
// Fibre-local storage gives the clean-up callback that thread-local slots lack.
class CThreadStateSlot
{
public:
    CThreadStateSlot() : m_index(FlsAlloc(&CThreadStateSlot::Free)) {}

    _AFX_THREAD_STATE* Get()
    {
        if (m_index == FLS_OUT_OF_INDEXES)
            AfxThrowMemoryException();
        auto* pState = static_cast<_AFX_THREAD_STATE*>(FlsGetValue(m_index));
        if (!pState)
        {
            pState = new _AFX_THREAD_STATE;
            FlsSetValue(m_index, pState);
        }
        return pState;
    }

private:
    static void WINAPI Free(void* p) { delete static_cast<_AFX_THREAD_STATE*>(p); }

    DWORD m_index;
};

CThreadStateSlot& ThreadStateSlot()
{
    static CThreadStateSlot slot;
    return slot;
}
}  // namespace

AFX_MODULE_STATE* AFXAPI AfxGetModuleState()
{
    return &g_moduleState;
}

AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState()
{
    return &g_moduleState;
}

_AFX_THREAD_STATE* AFXAPI AfxGetThreadState()
{
    return ThreadStateSlot().Get();
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    const HINSTANCE h = g_moduleState.m_hCurrentInstanceHandle;
    return h ? h : GetModuleHandleW(NULL);
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    const HINSTANCE h = g_moduleState.m_hCurrentResourceHandle;
    return h ? h : AfxGetInstanceHandle();
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_moduleState.m_hCurrentResourceHandle = hInstResource;
}

void AFXAPI AfxSetInstanceHandle(HINSTANCE hInstance)
{
    g_moduleState.m_hCurrentInstanceHandle = hInstance;
}

LPCTSTR AFXAPI AfxGetAppName()
{
    const LPCTSTR name = g_moduleState.m_lpszCurrentAppName;
    return name ? name : L"";
}

const MSG* AFXAPI AfxGetCurrentMessage()
{
    return &AfxGetThreadState()->m_lastSentMsg;
}
