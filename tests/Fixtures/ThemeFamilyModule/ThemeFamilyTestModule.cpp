// A theme family module for the tests of the "Styles" folder. Its resources
// are what the toolkit may use; its entry point must never run, and leaves a
// mark in the process environment when it does.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
        SetEnvironmentVariableW(L"LORVANE_THEME_MODULE_RAN", L"1");
    return TRUE;
}
