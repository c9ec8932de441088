// Platform headers, the basic macros and forward declarations every framework
// header builds on.
#pragma once

#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <oleauto.h>
#include <olectl.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <shellapi.h>
#include <tchar.h>
#include <stddef.h>
#include <stdarg.h>
#include <stdlib.h>
#include <wchar.h>

// <windowsx.h> is left out: its macros (CopyRgn, SubclassWindow, ...) clash
// with member names of the framework classes. Its two most used ones:
#ifndef GET_X_LPARAM
#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))
#endif

// Win16-era macros that take names the framework classes use for members
// (CWnd::GetNextWindow, COleDateTime::GetCurrentTime). The functions stay
// reachable under their own names.
#ifdef GetNextWindow
#undef GetNextWindow
inline HWND GetNextWindow(HWND hWnd, UINT wCmd)
{
    return ::GetWindow(hWnd, wCmd);
}
#endif
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

#define AFXAPI __stdcall
#define AFX_CDECL __cdecl
#define AFX_STATIC static
#define AFX_STATIC_DATA static
#define AFX_API
#define AFX_NOVTABLE
#define AFX_INLINE inline
#define afx_msg

#ifndef _countof
#define _countof(array) (sizeof(array) / sizeof((array)[0]))
#endif
#ifndef UNUSED_ALWAYS
#define UNUSED_ALWAYS(x) (void)(x)
#endif
#ifndef UNUSED
#define UNUSED(x) (void)(x)
#endif

// Debug checks report through the debugger output and go on: a failed
// assertion in a shipped build must not end the user's session.
void AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine);
void AFX_CDECL AfxTrace(LPCTSTR lpszFormat, ...);

#ifdef _DEBUG
#define ASSERT(f)                                    \
    do                                               \
    {                                                \
        if (!(f))                                    \
            AfxAssertFailedLine(__FILE__, __LINE__); \
    } while (0)
#define VERIFY(f) ASSERT(f)
#define TRACE(...) AfxTrace(__VA_ARGS__)
#else
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define TRACE(...) ((void)0)
#endif
#define ASSERT_VALID(pOb) ((void)0)
#define ASSERT_POINTER(p, type) ASSERT((p) != NULL)
#define ASSERT_NULL_OR_POINTER(p, type) ((void)0)
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))
#define ENSURE(cond)                       \
    do                                     \
    {                                      \
        if (!(cond))                       \
            AfxThrowInvalidArgException(); \
    } while (0)
#define ENSURE_ARG(cond) ENSURE(cond)
#define DEBUG_ONLY(f) ((void)0)
#define TRACE0(sz) TRACE(_T("%s"), _T(sz))
#define TRACE1(sz, p1) TRACE(_T(sz), p1)
#define TRACE2(sz, p1, p2) TRACE(_T(sz), p1, p2)
#define TRACE3(sz, p1, p2, p3) TRACE(_T(sz), p1, p2, p3)

// The framework's classes, declared here so headers can name each other.
class CObject;
struct CRuntimeClass;
class CException;
class CMemoryException;
class CInvalidArgException;
class CNotSupportedException;
class CArchiveException;
class CFileException;
class COleException;
class CResourceException;
class CSimpleException;
class CUserException;
class CString;
class CStringA;
class CFile;
class CMemFile;
class CStdioFile;
class CArchive;
class COleVariant;
class COleDateTime;
class COleDateTimeSpan;
class CSyncObject;
class CCriticalSection;
class CMutex;
class CEvent;
class CSemaphore;
class CSingleLock;
class CPtrArray;
class CObArray;
class CDWordArray;
class CUIntArray;
class CStringArray;
class CPtrList;
class CObList;
class CMapStringToPtr;
class CMapPtrToPtr;
class CMapStringToString;
class CMapWordToPtr;
class CCmdTarget;
class CCmdUI;
class CWnd;
class CDialog;
class CWinThread;
class CWinApp;
class CCommandLineInfo;
class CDataExchange;
class CDC;
class CPaintDC;
class CClientDC;
class CWindowDC;
class CGdiObject;
class CFont;
class CPen;
class CBrush;
class CBitmap;
class CRgn;
class CPalette;
class CMenu;
class CRect;
class CPoint;
class CSize;
struct AFX_MODULE_STATE;
struct _AFX_THREAD_STATE;

// Iteration handle of the lists and maps.
struct __POSITION
{
};
typedef __POSITION* POSITION;

#define BEFORE_START_POSITION ((POSITION)-1L)
