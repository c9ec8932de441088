#include "ThreadObject.h"

CWinThread* AFX_CDECL LVKGetCurrentThreadObject()
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread;
    return AfxGetApp();
}
