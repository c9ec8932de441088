// The framework's umbrella header: every framework header in dependency order.
#pragma once

#include "AfxBase.h"
#if __has_include("Types.h")
#include "Types.h"
#endif
#include "Object.h"
#include "Exceptions.h"
#include "String.h"
#if __has_include("Collections.h")
#include "Collections.h"
#endif
#if __has_include("File.h")
#include "File.h"
#include "MemFile.h"
#endif
#if __has_include("Archive.h")
#include "Archive.h"
#endif
#if __has_include("OleTypes.h")
#include "OleTypes.h"
#endif
#if __has_include("Sync.h")
#include "Sync.h"
#endif
#if __has_include("ThreadLocal.h")
#include "ThreadLocal.h"
#endif
#include "ModuleState.h"
#if __has_include("CmdTarget.h")
#include "CmdTarget.h"
#endif
#if __has_include("Gdi.h")
#include "Gdi.h"
#endif
#if __has_include("Menu.h")
#include "Menu.h"
#endif
#if __has_include("Wnd.h")
#include "Wnd.h"
#endif
#if __has_include("OleControlSite.h")
#include "OleControlContainer.h"
#include "OleControlSite.h"
#endif
#if __has_include("WinThread.h")
#include "WinThread.h"
#endif
#if __has_include("WinApp.h")
#include "WinApp.h"
#endif
#if __has_include("FrameWnd.h")
#include "FrameIds.h"
#include "FrameWnd.h"
#include "ControlBar.h"
#endif
#if __has_include("Dialog.h")
#include "Dialog.h"
#endif
