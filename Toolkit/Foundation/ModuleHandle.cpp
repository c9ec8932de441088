#include "ModuleHandle.h"

BOOL CLVKModuleHandle::Bind(LPCWSTR lpszName)
{
    return FindLoadedModule(lpszName) || LoadModule(lpszName);
}

BOOL CLVKModuleHandle::FindLoadedModule(LPCWSTR lpszName)
{
    if (!lpszName || !*lpszName)
        return FALSE;
    if (m_hModule && IsModuleFileName(lpszName) && IsModuleValid())
        return TRUE;
    FreeModule();
    const HMODULE hModule = GetModuleHandleW(lpszName);
    if (!hModule)
        return FALSE;
    m_hModule = hModule;
    m_binding = bindingFound;
    m_strName = lpszName;
    return TRUE;
}

BOOL CLVKModuleHandle::LoadModule(LPCWSTR lpszName)
{
    if (!lpszName || !*lpszName)
        return FALSE;
    if (m_binding == bindingLoaded && IsModuleFileName(lpszName))
        return TRUE;
    FreeModule();
    const HMODULE hModule = LoadLibraryW(lpszName);
    if (!hModule)
        return FALSE;
    m_hModule = hModule;
    m_binding = bindingLoaded;
    m_strName = lpszName;
    return TRUE;
}

void CLVKModuleHandle::FreeModule()
{
    if (m_binding == bindingLoaded && m_hModule)
        FreeLibrary(m_hModule);
    m_hModule = nullptr;
    m_binding = bindingNone;
    m_strName.clear();
    m_version = DLLVERSIONINFO{};
    m_pfnDllGetVersion = nullptr;
    m_bVersionQueried = FALSE;
}

BOOL CLVKModuleHandle::IsModuleValid()
{
    switch (m_binding)
    {
    case bindingLoaded:
        return TRUE;
    case bindingFound:
        if (IsModuleFileName(m_strName.c_str()))
            return TRUE;
        FreeModule();
        return FALSE;
    default:
        return FALSE;
    }
}

BOOL CLVKModuleHandle::IsModuleFileName(LPCWSTR lpszName, int nLength) const
{
    if (!m_hModule || !lpszName)
        return FALSE;
    WCHAR szPath[261] = {};
    const DWORD cchPath = GetModuleFileNameW(m_hModule, szPath, _countof(szPath));
    if (cchPath == 0 || cchPath >= _countof(szPath))
        return FALSE;
    const size_t cchName = nLength < 0 ? wcslen(lpszName) : static_cast<size_t>(nLength);
    if (cchName == 0 || cchName > cchPath)
        return FALSE;
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, szPath + cchPath - cchName, static_cast<int>(cchName),
                          lpszName, static_cast<int>(cchName)) == CSTR_EQUAL;
}

void CLVKModuleHandle::QueryDllVersion()
{
    if (m_bVersionQueried)
        return;
    m_bVersionQueried = TRUE;
    m_pfnDllGetVersion =
        reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(m_hModule, "DllGetVersion")));
    m_version = DLLVERSIONINFO{};
    m_version.cbSize = sizeof(m_version);
    if (m_pfnDllGetVersion && FAILED(m_pfnDllGetVersion(&m_version)))
        m_version = DLLVERSIONINFO{};
}

DWORD CLVKModuleHandle::GetPackedDllVersion()
{
    if (!IsModuleValid())
        return 0;
    QueryDllVersion();
    return (m_version.dwMajorVersion << 16) | (m_version.dwMinorVersion & 0xFFFF);
}

BOOL CLVKModuleHandle::GetProcAddressChecked(FARPROC& pfn, LPCSTR lpszProcName, DWORD dwMinVersion)
{
    pfn = nullptr;
    if (!IsModuleValid())
        return FALSE;
    // Packed as major << 16 | minor, so one unsigned comparison compares the
    // major numbers first and the minor numbers on a tie.
    if (dwMinVersion != 0 && GetPackedDllVersion() < dwMinVersion)
        return FALSE;
    pfn = GetProcAddress(m_hModule, lpszProcName);
    return pfn != nullptr;
}
