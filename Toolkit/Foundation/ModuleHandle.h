// Holder of one DLL module by name, with entry-point lookup that can require a
// minimum DLL version. A module the holder loaded itself is freed by it; a
// module it only found loaded is left alone.
#pragma once

#include "Framework.h"
#include <shlwapi.h>

#include <string>

// The 16-bit era's FreeModule macro would swallow the holder's member.
#ifdef FreeModule
#undef FreeModule
#endif

class CLVKModuleHandle
{
public:
    enum Binding
    {
        bindingNone = 0,
        bindingFound = 1,   // found loaded, not owned
        bindingLoaded = 2,  // loaded by the holder, freed by it
    };

    CLVKModuleHandle() = default;
    explicit CLVKModuleHandle(LPCWSTR lpszName) { Bind(lpszName); }
    virtual ~CLVKModuleHandle() { FreeModule(); }

    // Finds the module loaded, else loads it.
    BOOL Bind(LPCWSTR lpszName);
    BOOL FindLoadedModule(LPCWSTR lpszName);
    BOOL LoadModule(LPCWSTR lpszName);
    void FreeModule();

    // A found module stays valid while its file name still ends with the
    // name; a module that was unloaded behind the holder's back resets it.
    BOOL IsModuleValid();
    BOOL IsModuleFileName(LPCWSTR lpszName, int nLength = -1) const;

    // major << 16 | minor from DllGetVersion; 0 when it cannot be read.
    DWORD GetPackedDllVersion();

    // The entry point, or null and FALSE when it is missing, the module is
    // gone, or the DLL is older than dwMinVersion (major << 16 | minor, 0 for
    // no minimum).
    BOOL GetProcAddressChecked(FARPROC& pfn, LPCSTR lpszProcName, DWORD dwMinVersion = 0);
    template <class PFN>
    BOOL GetProcAddressChecked(PFN& pfn, LPCSTR lpszProcName, DWORD dwMinVersion = 0)
    {
        FARPROC pProc = nullptr;
        const BOOL bFound = GetProcAddressChecked(pProc, lpszProcName, dwMinVersion);
        pfn = reinterpret_cast<PFN>(reinterpret_cast<void*>(pProc));
        return bFound;
    }

    HMODULE GetModule() const { return m_hModule; }
    operator HMODULE() const { return m_hModule; }
    Binding GetBinding() const { return m_binding; }
    LPCWSTR GetName() const { return m_strName.c_str(); }

    CLVKModuleHandle(const CLVKModuleHandle&) = delete;
    CLVKModuleHandle& operator=(const CLVKModuleHandle&) = delete;

private:
    void QueryDllVersion();

    std::wstring m_strName;
    HMODULE m_hModule = nullptr;
    Binding m_binding = bindingNone;
    DLLVERSIONINFO m_version{};
    DLLGETVERSIONPROC m_pfnDllGetVersion = nullptr;
    BOOL m_bVersionQueried = FALSE;
};
