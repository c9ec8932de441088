// Per-module and per-thread framework state: instance and resource handles,
// the application object, the message being handled.
#pragma once

#include "AfxBase.h"

struct AFX_MODULE_STATE
{
    CWinApp* m_pCurrentWinApp = nullptr;
    HINSTANCE m_hCurrentInstanceHandle = NULL;
    HINSTANCE m_hCurrentResourceHandle = NULL;
    LPCTSTR m_lpszCurrentAppName = nullptr;
};

struct _AFX_THREAD_STATE
{
    CWinThread* m_pCurrentWinThread = nullptr;
    MSG m_msgCur = {};       // the message the thread's loop retrieved last
    MSG m_lastSentMsg = {};  // the message the window procedure is handling
    POINT m_ptCursorLast = {};
    UINT m_nMsgLast = 0;
    CWnd* m_pWndInit = nullptr;  // window being created, for the creation hook
    HHOOK m_hHookOldCbtFilter = NULL;
    int m_nModalDepth = 0;
    ULONG m_nTempMapSerial = 0;  // the number of the last temporary wrapper made
    ULONG m_nTempMapFloor = 0;   // wrappers numbered below it belong to outer loops
};

AFX_MODULE_STATE* AFXAPI AfxGetModuleState();
AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState();
_AFX_THREAD_STATE* AFXAPI AfxGetThreadState();

// Both handles fall back to the program's own module until they are set.
HINSTANCE AFXAPI AfxGetInstanceHandle();
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
void AFXAPI AfxSetInstanceHandle(HINSTANCE hInstance);
LPCTSTR AFXAPI AfxGetAppName();

// The message the current window procedure is handling, on this thread.
const MSG* AFXAPI AfxGetCurrentMessage();
