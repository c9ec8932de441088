// The framework thread object that pumps messages for the calling thread.
#pragma once

#include "Framework.h"

// The calling thread's framework thread object, else the application object
// (used by modal loops that must pump the right thread's messages).
CWinThread* AFX_CDECL LVKGetCurrentThreadObject();
