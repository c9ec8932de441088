#include "LookupWnd.h"
#include "Foundation/SystemVersion.h"

BEGIN_MESSAGE_MAP(CLookupWnd, CWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_CLOSE_REQUEST, OnCloseRequest)
END_MESSAGE_MAP()

BOOL CLookupWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;

    // The window is created from a copy of the requested class under the
    // fixed name that a second instance looks for.
    const HINSTANCE instance = AfxGetInstanceHandle();
    WNDCLASSEXW fixedClass{};
    fixedClass.cbSize = sizeof(fixedClass);
    if (!GetClassInfoExW(instance, GetClassName(), &fixedClass))
    {
        WNDCLASSEXW requested{};
        requested.cbSize = sizeof(requested);
        if (!GetClassInfoExW(instance, cs.lpszClass, &requested) && !GetClassInfoExW(nullptr, cs.lpszClass, &requested))
            return FALSE;
        requested.lpszClassName = GetClassName();
        requested.hInstance = instance;
        requested.style &= ~CS_GLOBALCLASS;
        if (!RegisterClassExW(&requested))
            return FALSE;
    }
    cs.lpszClass = GetClassName();
    return TRUE;
}

int CLookupWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;

    // Lets processes of lower integrity send the close request. The filter
    // and its entry point exist from Windows Vista on.
    if (!CLVKSystemVersion::GetGlobal()->IsVistaOrGreater())
        return 0;
    using ChangeWindowMessageFilterProc = BOOL(WINAPI*)(UINT, DWORD);
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const auto changeFilter =
        user32 ? reinterpret_cast<ChangeWindowMessageFilterProc>(GetProcAddress(user32, "ChangeWindowMessageFilter"))
               : nullptr;
    if (changeFilter)
        changeFilter(WM_CLOSE_REQUEST, 1 /* MSGFLT_ADD */);
    return 0;
}

LRESULT CLookupWnd::OnCloseRequest(WPARAM wParam, LPARAM /*lParam*/)
{
    if (!(wParam & 0x800))
        return 0;
    CWnd* const mainWindow = AfxGetMainWnd();
    if (mainWindow && mainWindow->GetSafeHwnd())
        mainWindow->DestroyWindow();
    return 0;
}
